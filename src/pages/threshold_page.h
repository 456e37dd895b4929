// The threshold trigger page (CThresholdTrigger, 802): the on and off
// thresholds (0..9999), the gate time in seconds and hundredths (each 0..99),
// which the newer series can take from a block instead (its unit label then
// reads "Milliseconds"), the name and "Protection Active".
#pragma once

#include "pages/block_param_page.h"

class CThresholdTrigger : public CBlockParamPage, public ThresholdValues {
 public:
  static constexpr int kTemplate = 4560;
  static constexpr int kIdOff = 1243, kIdOffSpin = 1244, kIdOn = 1076, kIdOnSpin = 1078;
  static constexpr int kIdHundredths = 1550, kIdHundredthsSpin = 1552, kIdSeconds = 1131,
                       kIdSecondsSpin = 1132;
  static constexpr int kIdColon = 1185, kIdUnitLabel = 1245, kIdReference = 1546, kIdRefList = 125;
  static constexpr int kMaxThreshold = 9999, kMaxTimePart = 99;

  CThresholdTrigger();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void UpdateUnitLabel();
  std::vector<int> Chain() const;
};
