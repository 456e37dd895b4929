#include "pages/logic_pages.h"

// ---- CBasicFunPar ---------------------------------------------------------------

CBasicFunPar::CBasicFunPar() {
  m_strTitle = Describe().caption;
}

const PageDesc& CBasicFunPar::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(200, 60),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 20, 58, 30), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 18, 140, 31)},
      }};
  return desc;
}

void CBasicFunPar::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
}

void CBasicFunPar::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
}

// ---- CBoolean -------------------------------------------------------------------

CBoolean::CBoolean() {
  m_strTitle = Describe().caption;
}

const PageDesc& CBoolean::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(276, 250), {}};
    d.controls.push_back({kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight});
    d.controls.push_back({kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)});
    const char16_t* heads[] = {u"Input1", u"Input2", u"Input3", u"Input4", u"Output Set"};
    for (int c = 0; c < 5; ++c)
      d.controls.push_back(
          {2000 + c, K::kStatic, heads[c], CRect(30 + c * 40, 26, 68 + c * 40, 35), kStyleCentre});
    d.controls.push_back({2005, K::kLine, u"", CRect(7, 37, 269, 38)});
    for (int r = 0; r < kRows; ++r) {
      const int y = 40 + r * 12;
      for (int c = 0; c < 4; ++c) {
        const int digit = (r >> (3 - c)) & 1;
        d.controls.push_back({2100 + r * 4 + c, K::kStatic, digit ? u"1" : u"0",
                              CRect(30 + c * 40, y + 2, 68 + c * 40, y + 10), kStyleCentre});
      }
      d.controls.push_back({kIdFirstRow + r, K::kCombo, u"", CRect(190, y, 228, y + 40), 0, {u"0", u"1"}});
      if (r == 0) d.controls.push_back({2006, K::kStatic, u"BIT-0", CRect(232, y + 2, 268, y + 10)});
      if (r == kRows - 1) d.controls.push_back({2007, K::kStatic, u"BIT-15", CRect(232, y + 2, 268, y + 10)});
    }
    d.controls.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(160, 7, 269, 19)});
    return d;
  }();
  return desc;
}

void CBoolean::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Check(dx, kIdProtection, m_bProtection);
}

void CBoolean::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  for (int r = 0; r < kRows; ++r) Host().SetCurSel(kIdFirstRow + r, (m_nTruthTable >> r) & 1);
}

void CBoolean::OnNotify(int id, Notify code) {
  if (id >= kIdFirstRow && id < kIdFirstRow + kRows && code == Notify::kSelChange)
    return OnTruthTableChange();
  CBlockParamPage::OnNotify(id, code);
}

void CBoolean::OnTruthTableChange() {
  SetModified();
  const int focus = Host().GetFocus();
  if (focus < kIdFirstRow || focus >= kIdFirstRow + kRows) return;
  const int r = focus - kIdFirstRow;
  WORD low = static_cast<WORD>(m_nTruthTable & 0xFFFF);
  if (Host().GetCurSel(focus) != 0)
    SetBit(&low, r);
  else
    ClearBit(&low, r);
  m_nTruthTable = static_cast<int>((static_cast<unsigned>(m_nTruthTable) & 0xFFFF0000u) | low);
}

void CBoolean::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<BooleanValues&>(*this) = values.boolean;
}

void CBoolean::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.boolean = *this;
}
