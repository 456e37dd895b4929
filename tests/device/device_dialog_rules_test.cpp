// The editing rules of the clock, summer/winter time and WiFi dialogs.
#include "device/device_dialog_rules.h"

#include <gtest/gtest.h>

TEST(DeviceDialogRules, ClockFieldsClampWhileTyping) {
  const struct {
    const char16_t* text;
    int max;
    int expected;
  } cases[] = {
      {u"", 23, 0},    {u"-3", 23, 0},  {u"-", 59, 0},
      {u"24", 23, 23}, {u"7", 23, 7},   {u"75", 59, 59},
      {u"60", 59, 59}, {u"59", 59, 59}, {u"99999999999999", 59, 59},
      {u"x", 59, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClampClockField(c.text, c.max), c.expected) << std::u16string(c.text).size();
}

TEST(DeviceDialogRules, MonthsAndDaysClampToTheCalendar) {
  const struct {
    int month, day, month2, day2;
  } cases[] = {
      {2, 31, 2, 28},  {4, 31, 4, 30},   {13, 5, 12, 5},   {0, 0, 1, 1},
      {-4, 40, 1, 31}, {11, 31, 11, 30}, {12, 31, 12, 31},
  };
  for (const auto& c : cases) {
    const int month = ClampMonth(c.month);
    EXPECT_EQ(month, c.month2);
    EXPECT_EQ(ClampDay(c.day, month), c.day2);
  }
  EXPECT_EQ(ClampTimeDifference(200), 180);
  EXPECT_EQ(ClampTimeDifference(-1), 0);
  EXPECT_EQ(ClampTimeDifference(60), 60);
  EXPECT_FALSE(SummerDateEditsEnabled(true, 0));
  EXPECT_FALSE(SummerDateEditsEnabled(false, kSummerRuleFree));
  EXPECT_TRUE(SummerDateEditsEnabled(true, kSummerRuleFree));
}

TEST(DeviceDialogRules, CharacterFiltersCutAtTheFirstRefusedCharacter) {
  EXPECT_EQ(FirstRefusedChar(u"Lodri58", CharFilter::kLettersDigits), std::nullopt);
  EXPECT_EQ(FirstRefusedChar(u"my net", CharFilter::kLettersDigits), 2u);
  EXPECT_EQ(FirstRefusedChar(u"ab-c", CharFilter::kLettersDigits), 2u);
  EXPECT_EQ(FirstRefusedChar(u"\u00e9", CharFilter::kLettersDigits), 0u);
  EXPECT_EQ(FirstRefusedChar(u"352641", CharFilter::kDigits1To6), std::nullopt);
  EXPECT_EQ(FirstRefusedChar(u"3527", CharFilter::kDigits1To6), 3u);
  EXPECT_EQ(FirstRefusedChar(u"0", CharFilter::kDigits1To6), 0u);
}

TEST(DeviceDialogRules, WifiDeviceModeRule) {
  const struct {
    int mode, id;
    bool idEnabled, addressShown;
    int idAfter;
  } cases[] = {
      {kWifiServer, 5, false, false, 0},   {kWifiStation, 9, true, false, 1},
      {kWifiStation, 7, true, false, 7},   {kWifiGroups, 0, true, false, 1},
      {kWifiRemote, 200, true, true, 200}, {kWifiSlave, 256, true, true, 1},
  };
  for (const auto& c : cases) {
    const WifiModeState s = ApplyWifiDeviceMode(c.mode, c.id);
    EXPECT_EQ(s.deviceIdEnabled, c.idEnabled) << c.mode;
    EXPECT_EQ(s.addressShown, c.addressShown) << c.mode;
    EXPECT_EQ(s.deviceId, c.idAfter) << c.mode;
  }
}

TEST(DeviceDialogRules, WifiOkChecksInOrder) {
  EXPECT_EQ(CheckWifiOk(kWifiServer, 0, u"", u"", true), WifiOkFault::kSsidEmpty);
  EXPECT_EQ(CheckWifiOk(kWifiServer, 0, u"a", u"1234567", true), WifiOkFault::kPasswordShort);
  EXPECT_EQ(CheckWifiOk(kWifiServer, 0, u"a", u"1234567", false), WifiOkFault::kNone);
  EXPECT_EQ(CheckWifiOk(kWifiServer, 999, u"a", u"", false), WifiOkFault::kNone);
  EXPECT_EQ(CheckWifiOk(kWifiStation, 9, u"a", u"", false), WifiOkFault::kDeviceId);
  EXPECT_EQ(CheckWifiOk(kWifiStation, 7, u"a", u"", false), WifiOkFault::kNone);
  EXPECT_EQ(CheckWifiOk(kWifiRemote, 0, u"a", u"", false), WifiOkFault::kDeviceId);
  EXPECT_EQ(CheckWifiOk(kWifiSlave, 255, u"a", u"", false), WifiOkFault::kNone);
  EXPECT_EQ(CheckWifiOk(kWifiSlave, 256, u"a", u"", false), WifiOkFault::kDeviceId);
}
