// The up/down counter page (CUpDownCounter): the up/down counter (800,
// 0..999999) and the encoder (848, -999999..999999, with its source inputs).
// Both thresholds can be taken from a block; the start value exists on the
// newer series only, the source only for the encoder there.
#pragma once

#include "model/block_codes.h"
#include "pages/block_param_page.h"

class CUpDownCounter : public CBlockParamPage, public CounterValues {
 public:
  static constexpr int kTemplate = 4558;
  static constexpr int kIdOn = 1076, kIdOnSpin = 1078, kIdOff = 1131, kIdOffSpin = 1132;
  static constexpr int kIdStart = 1133, kIdStartSpin = 1134, kIdStartLabel = 1238;
  static constexpr int kIdSource = 1328, kIdSourceLabel = 1239;
  static constexpr int kIdReference1 = 1080, kIdReference2 = 1014, kIdRefList1 = 105, kIdRefList2 = 106;
  static constexpr int kMaxValue = 999999;

  CUpDownCounter();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  int MinValue() const { return m_nType == kTypeENCODER ? -kMaxValue : 0; }
  int ValueChars() const { return m_nType == kTypeENCODER ? 7 : 6; }

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void FillReferenceCombos() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  std::vector<int> Chain() const;
};
