// The stopwatch and multi-type page (CStopWatch): the stopwatch (413), the
// analog filter (820), the logarithm (864), the square root (865), 2's and e's
// nth power (869, 870), fixed-point arithmetic and round-off (871, 872) and
// the trigonometric functions (873-878). Each has at most one choice from a
// short list (for 864, 871 and 872 takeable from a block) and at most one
// number (-10000.00..10000.00); the page shows, hides and relabels its
// controls by type.
#pragma once

#include "model/block_codes.h"
#include "pages/block_param_page.h"

class CStopWatch : public CBlockParamPage, public ChoiceValues {
 public:
  static constexpr int kTemplate = 4582;
  static constexpr int kIdProtect = 1269, kIdRetain = 1276, kIdChoice = 1277, kIdChoiceLabel = 1278;
  static constexpr int kIdValue = 1289, kIdSpin = 1290, kIdValueLabel = 1324, kIdReference = 1546,
                       kIdRefList = 104;
  static constexpr double kLimit = 10000.0;

  CStopWatch();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void PrepareApplyValues(BlockPageValues& values) const override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  bool HasNumber() const;
  bool HasChoice() const { return m_nType == kTypeSW || m_nType == kTypeAnalogFilter || TakesReference(); }
  bool TakesReference() const { return m_nType == kTypeLOG || m_nType == kTypeFIX || m_nType == kTypeROUND; }

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void ApplyTabOrder();
};
