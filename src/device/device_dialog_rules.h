// The editing rules of the device settings dialogs (clock, summer/winter time, WiFi):
// the clamps that run while the user types, the enabling rules and the checks made on
// OK. The dialogs apply them to their controls.
#pragma once

#include <optional>
#include <string>

#include "platform/cstring.h"

// ---- Clock ----------------------------------------------------------------------------
// The value a clock edit shows after a change: empty or negative is 0, above max is max
// (23 for the hour, 59 for minute and second).
int ClampClockField(const std::u16string& text, int max);

// ---- Summer/winter time ---------------------------------------------------------------
constexpr int kSummerRuleFree = 6;  // "Freely adjustable"
// The last day of a month (February has 28).
int MonthLastDay(int month);
// Month edit: above 12 is 12, 0 or below is 1.
int ClampMonth(int month);
// Day edit: above the month's last day is the last day, 0 or below is 1.
int ClampDay(int day, int month);
// Time difference: 0 to 180 minutes.
int ClampTimeDifference(int minutes);
// The month, day and time-difference edits are enabled only for an active conversion
// with the freely adjustable rule.
bool SummerDateEditsEnabled(bool active, int ruleIndex);

// ---- WiFi ----------------------------------------------------------------------------
enum class CharFilter { kLettersDigits, kDigits1To6 };
// The position of the first character the filter refuses, or none.
std::optional<size_t> FirstRefusedChar(const std::u16string& text, CharFilter filter);
// The message shown when a character is refused.
const char16_t* RefusedCharMessage(CharFilter filter);

enum WifiDeviceMode { kWifiServer = 0, kWifiStation, kWifiGroups, kWifiRemote, kWifiSlave };
struct WifiModeState {
  bool deviceIdEnabled;
  bool addressShown;  // the address mode radios, IP and mask, the Port group
  int deviceId;       // the device ID after the rule
};
// The device-mode rule, run on set-up and on each selection change.
WifiModeState ApplyWifiDeviceMode(int mode, int deviceId);
// The highest device ID of a mode (7 for Station and Groups, 255 otherwise).
int WifiDeviceIdLimit(int mode);

// What OK of the built-in WiFi dialog finds wrong, in the order it checks.
enum class WifiOkFault { kNone, kSsidEmpty, kPasswordShort, kDeviceId };
WifiOkFault CheckWifiOk(int mode, int deviceId, const std::u16string& ssid, const std::u16string& password,
                        bool encryption);
