// CARRMXIV: one page for the blocks that share a layout of mode, address,
// count and steps: maximum/minimum/average over data operands (844) or of the
// inputs (845), the stepping motor controls (849, 850), the pulse train
// outputs (851, 852) and CRC16 (856). Captions, lists, hints and limits follow
// the type; slot 1 can take the mode (844, 845) or the steps (850, 852) from
// another block, slot 2 the count, speed or pulse width (844, 849 to 852).
#pragma once

#include <utility>

#include "model/block_codes.h"
#include "pages/block_param_page.h"

class CARRMXIV : public CBlockParamPage, public ArrayValues {
 public:
  static constexpr int kTemplate = 4591;
  static constexpr int kIdModeLabel = 1324, kIdMode = 1317, kIdModeButton = 1546, kIdStepHint = 1327;
  static constexpr int kIdAddressLabel = 1321, kIdArea = 1319, kIdAddress = 1318;
  static constexpr int kIdCountLabel = 1322, kIdCount = 1320, kIdCountButton = 1547, kIdCountHint = 1326;
  static constexpr int kIdUnderHint = 1328, kIdStepsLabel = 1325, kIdSteps = 1323;
  static constexpr int kIdList1 = 104, kIdList2 = 125;
  static constexpr int kStepsLimit = 99999999;

  // The limits of the count (speed, pulse width) by type; 845 has none.
  static std::pair<int, int> CountLimits(int type);
  // The largest data address of an area: AM 511, AQ 31, AI 63.
  static int AddressLimit(int area);
  // "(0 rpm)" or "(%.6f rpm)" of 30000 / v.
  static CString SpeedHint(int v);
  // "(0 Hz) [0.02ms/pulse]" or "(%.6f Hz) [0.02ms/pulse]" of 100000 / v.
  static CString FrequencyHint(int v);
  // "(0.005ms/step)" for half step, "(0.01ms/step)" for full step.
  static CString StepHint(int mode);

  CARRMXIV();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void PrepareApplyValues(BlockPageValues& values) const override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void UpdateLabelsForType();
  void UpdateHints();
  void UpdateTabOrder();
  bool IsStepper() const { return m_nType == kTypeSMC || m_nType == kTypeSMCE; }
  bool IsPulse() const { return m_nType == kTypePTO || m_nType == kTypePTOE; }
  bool HasSlot1() const {
    return m_nType == kTypeARRMXIV || m_nType == kTypeACMXIV || m_nType == kTypeSMCE || m_nType == kTypePTOE;
  }
  bool HasSlot2() const { return m_nType == kTypeARRMXIV || IsStepper() || IsPulse(); }
  bool Slot1OnSteps() const { return m_nType == kTypeSMCE || m_nType == kTypePTOE; }
};
