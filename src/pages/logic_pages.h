// The pages of the basic logic functions (CBasicFunPar, 300-307: the block
// name only) and of the Boolean function (CBoolean, 830: a 16-row truth
// table edited as one 16-bit word, and "Protection Active").
#pragma once

#include "pages/block_param_page.h"

class CBasicFunPar : public CBlockParamPage {
 public:
  static constexpr int kTemplate = 4566;
  CBasicFunPar();
  const PageDesc& Describe() const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
};

class CBoolean : public CBlockParamPage, public BooleanValues {
 public:
  static constexpr int kTemplate = 4589;
  static constexpr int kIdFirstRow = 1302;  // lists 1302 .. 1317, row r = id - 1302
  static constexpr int kRows = 16;

  CBoolean();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  static void SetBit(WORD* word, int bit) { *word = static_cast<WORD>(*word | (1u << bit)); }
  static void ClearBit(WORD* word, int bit) { *word = static_cast<WORD>(*word & ~(1u << bit)); }

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnTruthTableChange();
};
