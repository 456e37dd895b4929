// CMiscRelay: the small page of the latching relay (808), the pulse relay
// (809), the shift register (812) and the data functions 831-833, 853, 860,
// 861 and 866-868. By type it shows the set/reset priority, the shift
// register's output bit and register index, and "Retentivity".
#pragma once

#include <vector>

#include "pages/block_param_page.h"

class CMiscRelay : public CBlockParamPage, public RelayValues {
 public:
  static constexpr int kTemplate = 4562;
  static constexpr int kIdPriorityR = 1110, kIdPriorityS = 1111;
  static constexpr int kIdShiftBit = 1112, kIdShiftBitLabel = 1113;
  static constexpr int kIdRegister = 1114, kIdRegisterLabel = 1115;
  // Shift registers of the newer series choose one of these indexes.
  static constexpr int kRegisters = 4;

  CMiscRelay();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  // The register indexes a shift register may take: those no other shift
  // register of the document holds (own: the edited block).
  static std::vector<int> FreeRegisters(const CZaradDoc* doc, const CBlockObj* own);

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  // Shows the controls of the page's type and fills the register list.
  void UpdateControls();
  bool NewerSeries() const;
};
