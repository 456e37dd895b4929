// CHoursCounter: the page of the hours counter (801). The maintenance
// interval MI and the start of the operating time OT, in hours and minutes on
// the newer series (where MI may instead come from another block) and in
// whole hours on the older series.
#pragma once

#include "pages/block_param_page.h"

class CHoursCounter : public CBlockParamPage, public HoursCounterValues {
 public:
  static constexpr int kTemplate = 4559;
  static constexpr int kIdMiHours = 1076, kIdMiHoursSpin = 1078, kIdMiColon = 1184, kIdMiMinutes = 1243,
                       kIdMiMinutesSpin = 1244, kIdMiUnit = 1245, kIdMiGroup = 1346;
  static constexpr int kIdOtHours = 1131, kIdOtHoursSpin = 1132, kIdOtColon = 1185, kIdOtMinutes = 1550,
                       kIdOtMinutesSpin = 1552, kIdOtUnit = 1348, kIdOtGroup = 1347;
  static constexpr int kIdOutputNotZero = 1026, kIdReference = 1546, kIdRefList = 104;
  static constexpr int kMaxMiHours = 9999, kMaxOtHours = 99999;

  CHoursCounter();
  const PageDesc& Describe() const override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;
  void OnNotify(int id, Notify code) override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void FillReferenceCombos() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void UpdateControls();
  void UpdateTabOrder();
  bool NewerSeries() const;
};
