// The device settings that the device dialogs hold and the link moves: the clock and
// its weekly calibration, the summer/winter time rule, the built-in WiFi set-up and
// the remote-control WiFi module. The record layouts are the device's.
#pragma once

#include <array>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

// DeviceSettingFlags: the groups of a settings transfer.
enum DeviceSettingFlags : UINT {
  kClockWrite = 1,
  kClockRead = 2,
  kSummerTimeWrite = 4,
  kSummerTimeRead = 8,
  kCalibrationWrite = 16,
  kCalibrationRead = 32,
  kWifiWrite = 64,
  kWifiRead = 128,
  kRemoteWifiWrite = 256,
  kRemoteWifiRead = 512,
};

// Device types the settings transfers test.
constexpr BYTE kDeviceTypeWifi = 0x52;
constexpr BYTE kDeviceTypeRemoteWifi = 0x32;

struct ClockSettings {
  SYSTEMTIME time;      // the date and time to write, or as read
  int calibration = 0;  // seconds per week, -30 to 30
};

struct SummerTimeSettings {
  bool enabled = false;
  // 0 EU, 1 UK, 2 US, 3 Australia, 4 Tasmania, 5 New Zealand, 6 freely adjustable
  int ruleIndex = 0;
  int endMonth = 10, endDay = 1;
  int startMonth = 3, startDay = 1;
  int difference = 60;  // minutes, 0 to 180
};

struct WifiSettings {
  int mode = 0;  // 0 Server, 1 Station, 2 Groups, 3 Remote, 4 Slave
  bool encryption = false;
  CString ssid = u"Lodri";         // at most 32 characters
  CString password = u"58203917";  // at most 64 characters
  int channel = 0;                 // 0 automatic, 1 to 13
  std::array<BYTE, 4> ip{192, 169, 1, 1};
  std::array<BYTE, 4> mask{255, 255, 255, 0};
  int deviceId = 0;
  int localPort = 502;
  int remotePort = 200;
  int addressMode = 0;  // 0 DHCP, 1 fixed
  int txPower = 0;      // 0 automatic, 1 to 12
  CString mac;          // read only
};

struct RemoteWifiSettings {
  CString ssid = u"Fenwa";
  CString password = u"58203917";
  int deviceId = 1;      // 1 to 7
  int txPowerIndex = 0;  // TX power - 1
  std::array<WORD, 6> macWords{};
  CString mac;
  int mode = 0;                     // 0 Standard, 1 Simple
  int ledOn = 10, ledOff = 10;      // ms, 10 to 9999
  int sleepIndex = 0;               // Disable, 30s, 1min, 2min, 5min, 10min
  CString keyPassword = u"352641";  // digits 1 to 6, at most 6
};

struct DeviceSettings {
  ClockSettings clock;
  SummerTimeSettings summer;
  WifiSettings wifi;
  RemoteWifiSettings remote;
};

// Record builders and readers (plain bytes, as they travel).
std::vector<BYTE> BuildClockRecord(BYTE deviceType, const SYSTEMTIME& time);
std::array<BYTE, 4> BuildCalibrationRecord(int calibration);
std::array<BYTE, 12> BuildSummerTimeRecord(const SummerTimeSettings& s);
// The rule code of a summer/winter setting (0 conversion off).
int SummerTimeRuleCode(const SummerTimeSettings& s);
// Reads the 12 bytes of the memory read (values at even positions).
void ReadSummerTimeRecord(const BYTE* data, SummerTimeSettings* s);
// Registers 0 to 112 of the WiFi block.
std::vector<WORD> BuildWifiRegisters(const WifiSettings& w);
// Registers 0 to 118 as read.
void ReadWifiRegisters(const std::vector<WORD>& regs, WifiSettings* w);
// The 148-byte block of the remote-control module, in byte-record order.
std::array<BYTE, 148> BuildRemoteWifiBlock(const RemoteWifiSettings& r);
void ReadRemoteWifiBlock(const std::array<BYTE, 148>& block, RemoteWifiSettings* r);
// The sleep-time list index of a time in tenths of a second, and back.
int SleepIndexOf(int tenths);
int SleepTimeOf(int index);
// Swaps the bytes of every pair (image order <-> register order on the wire).
std::vector<BYTE> SwapBytePairs(const BYTE* data, size_t length);
