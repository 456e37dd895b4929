// The yearly timer page (CYearlyTimer, 411): on and off date (month.day),
// "Monthly" (the months are not used), and on the newer series the on and off
// years (2000..2099), "Yearly" and "Pulse Output" (the off date is not used).
// A day is checked against the last day of its month (February has 29).
#pragma once

#include "pages/block_param_page.h"

class CYearlyTimer : public CBlockParamPage, public YearlyValues {
 public:
  static constexpr int kTemplate = 4557;
  static constexpr int kIdOnMonth = 1068, kIdOnMonthSpin = 1072, kIdOnDay = 1069, kIdOnDaySpin = 1073;
  static constexpr int kIdOffMonth = 1070, kIdOffMonthSpin = 1074, kIdOffDay = 1071, kIdOffDaySpin = 1075;
  static constexpr int kIdMonthly = 1066, kIdPulseOutput = 1076, kIdYearly = 1077;
  static constexpr int kIdOnYear = 1078, kIdOnYearSpin = 1079, kIdOffYear = 1080, kIdOffYearSpin = 1081;
  static constexpr int kIdOnDate = 1322, kIdOffDate = 1323;
  static constexpr int kFirstYear = 2000, kLastYear = 2099;

  CYearlyTimer();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  // 31, 30, or 29 for February; 31 for a month outside 1..12.
  static int LastDayOfMonth(int month);

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  bool Newer() const;
  void ApplyMonthly();
  void ApplyPulseOutput();
  // "...": picks the on (1322) or off (1323) date in the date selection dialog.
  void OnDateButton(int id);
};
