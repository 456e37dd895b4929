// CQUAD: the page of the quadratic equation (879): the coefficients A (never
// 0), B and C, the direction of the root and the amplification, a number of
// at most five whole digits and two decimals between -10000 and 10000.
#pragma once

#include "pages/block_param_page.h"

class CQUAD : public CBlockParamPage, public ChoiceValues {
 public:
  static constexpr int kTemplate = 4592;
  static constexpr int kIdProtection = 1269, kIdDirection = 1277;
  static constexpr int kIdAmp = 1289, kIdAmpSpin = 1290;
  static constexpr int kIdA = 1291, kIdASpin = 1292, kIdB = 1293, kIdBSpin = 1294, kIdC = 1295,
                       kIdCSpin = 1296;
  static constexpr int kCoefLimit = 32767;
  static constexpr double kAmpLimit = 10000.0;

  // The amplification as the edit shows it: two decimals, trailing zeros
  // (and a trailing point) trimmed.
  static CString FormatAmp(double value);
  // The amplification text as the edit keeps it while typed: a leading minus,
  // at most five whole digits, one point and two decimals; other characters
  // are dropped.
  static CString FilterAmp(const CString& text);

  CQUAD();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnAmpUpdate();
  void OnCoefUpdate(int id);
};
