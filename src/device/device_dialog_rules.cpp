#include "device/device_dialog_rules.h"

#include <algorithm>

namespace {

// The leading integer of an edit's text (an optional minus sign, then digits); none
// when there are no digits.
std::optional<long long> LeadingInt(const std::u16string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  long long value = 0;
  bool any = false;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    any = true;
    value = std::min<long long>(value * 10 + (text[i] - u'0'), 1'000'000'000LL);
  }
  if (!any) return negative ? std::optional<long long>(-1) : std::nullopt;
  return negative ? -value : value;
}

}  // namespace

int ClampClockField(const std::u16string& text, int max) {
  const auto value = LeadingInt(text);
  if (!value || *value < 0) return 0;
  return static_cast<int>(std::min<long long>(*value, max));
}

int MonthLastDay(int month) {
  switch (month) {
    case 2:
      return 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

int ClampMonth(int month) {
  return month > 12 ? 12 : (month <= 0 ? 1 : month);
}

int ClampDay(int day, int month) {
  const int last = MonthLastDay(month);
  return day > last ? last : (day <= 0 ? 1 : day);
}

int ClampTimeDifference(int minutes) {
  return std::clamp(minutes, 0, 180);
}

bool SummerDateEditsEnabled(bool active, int ruleIndex) {
  return active && ruleIndex == kSummerRuleFree;
}

std::optional<size_t> FirstRefusedChar(const std::u16string& text, CharFilter filter) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool ok = filter == CharFilter::kDigits1To6
                        ? (c >= u'1' && c <= u'6')
                        : ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'));
    if (!ok) return i;
  }
  return std::nullopt;
}

const char16_t* RefusedCharMessage(CharFilter filter) {
  return filter == CharFilter::kDigits1To6 ? u"Every character must be 1 - 6"
                                           : u"Every character must be A - Z, a - z, and 0 - 9";
}

int WifiDeviceIdLimit(int mode) {
  return mode == kWifiStation || mode == kWifiGroups ? 7 : 255;
}

WifiModeState ApplyWifiDeviceMode(int mode, int deviceId) {
  if (mode == kWifiServer) return {false, false, 0};
  const int limit = WifiDeviceIdLimit(mode);
  if (deviceId < 1 || deviceId > limit) deviceId = 1;
  return {true, mode == kWifiRemote || mode == kWifiSlave, deviceId};
}

WifiOkFault CheckWifiOk(int mode, int deviceId, const std::u16string& ssid, const std::u16string& password,
                        bool encryption) {
  if (ssid.empty()) return WifiOkFault::kSsidEmpty;
  if (encryption && password.size() < 8) return WifiOkFault::kPasswordShort;
  if (mode != kWifiServer && (deviceId < 1 || deviceId > WifiDeviceIdLimit(mode)))
    return WifiOkFault::kDeviceId;
  return WifiOkFault::kNone;
}
