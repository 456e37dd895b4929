#include "pages/two_time_page.h"

#include "model/block_obj.h"
#include "model/zarad_doc.h"

namespace {

// The template; the check boxes sit 15 units higher where the pulse cycle row
// is left out, and the random generator shows "Protection Active" where
// "Retentivity" stands.
PageDesc MakeDesc(int type) {
  using K = ControlKind;
  using T = CSpecialFunPar2;
  const bool cycles = type == kTypeRPR;
  const int shift = cycles ? 0 : 15;
  const CRect retentive(7, 152 - shift, 120, 164 - shift);
  const CRect protection = type == kTypeRG ? retentive : CRect(130, 152 - shift, 250, 164 - shift);
  std::vector<CString> counts;
  for (int n = 1; n <= 9; ++n) counts.push_back(FormatString(u"%d", n));
  const std::vector<CString> units = {u"Hours(h:m)", u"Minutes(m:s)", u"Seconds(s:1/100s)"};
  std::vector<ControlDesc> c = {
      {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight},
      {kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)},
      {T::kIdGroupTH, K::kGroup, u"Pulse width", CRect(7, 30, 265, 66)},
      {T::kIdHigh1, K::kEdit, u"", CRect(16, 44, 38, 57), kStyleNumber | kStyleRight},
      {T::kIdHighSpin1, K::kSpin, u"", CRect(38, 44, 46, 57), 0, {}, T::kIdHigh1},
      {T::kIdColon1, K::kStatic, u":", CRect(47, 46, 53, 56), kStyleCentre},
      {T::kIdLow1, K::kEdit, u"", CRect(54, 44, 76, 57), kStyleNumber | kStyleRight},
      {T::kIdLowSpin1, K::kSpin, u"", CRect(76, 44, 84, 57), 0, {}, T::kIdLow1},
      {T::kIdUnit1, K::kCombo, u"", CRect(92, 44, 192, 100), 0, units},
      {T::kIdReference1, K::kButton, u"Reference", CRect(200, 43, 258, 57)},
      {T::kIdRefList1, K::kCombo, u"", CRect(16, 44, 88, 244), kStyleHidden},
      {T::kIdRefUnitList1, K::kCombo, u"", CRect(92, 44, 192, 100), kStyleHidden},
      {T::kIdGroupTL, K::kGroup, u"Interpulse width", CRect(7, 72, 265, 108)},
      {T::kIdHigh2, K::kEdit, u"", CRect(16, 86, 38, 99), kStyleNumber | kStyleRight},
      {T::kIdHighSpin2, K::kSpin, u"", CRect(38, 86, 46, 99), 0, {}, T::kIdHigh2},
      {T::kIdColon2, K::kStatic, u":", CRect(47, 88, 53, 98), kStyleCentre},
      {T::kIdLow2, K::kEdit, u"", CRect(54, 86, 76, 99), kStyleNumber | kStyleRight},
      {T::kIdLowSpin2, K::kSpin, u"", CRect(76, 86, 84, 99), 0, {}, T::kIdLow2},
      {T::kIdUnit2, K::kCombo, u"", CRect(92, 86, 192, 142), 0, units},
      {T::kIdReference2, K::kButton, u"Reference", CRect(200, 85, 258, 99)},
      {T::kIdRefList2, K::kCombo, u"", CRect(16, 86, 88, 286), kStyleHidden},
      {T::kIdRefUnitList2, K::kCombo, u"", CRect(92, 86, 192, 142), kStyleHidden},
  };
  if (cycles) {
    c.push_back({T::kIdPulseCyclesLabel, K::kStatic, u"Number of pulse cycle", CRect(7, 122, 110, 132)});
    c.push_back({T::kIdPulseCycles, K::kCombo, u"", CRect(112, 120, 150, 200), 0, counts});
  }
  if (type != kTypeRG) c.push_back({kIdRetentivity, K::kCheck, u"Retentivity", retentive});
  c.push_back({kIdProtection, K::kCheck, u"Protection Active", protection});
  return {CSpecialFunPar2::kTemplate, u"Parameter", CSize(272, 198), std::move(c)};
}

}  // namespace

CSpecialFunPar2::CSpecialFunPar2() {
  m_strTitle = u"Parameter";
  TimeField t;
  t.slot = 0;
  t.high = kIdHigh1, t.highSpin = kIdHighSpin1, t.colon = kIdColon1, t.low = kIdLow1, t.lowSpin = kIdLowSpin1;
  t.unit = kIdUnit1, t.button = kIdReference1, t.list = kIdRefList1, t.refUnitList = kIdRefUnitList1;
  t.pHigh = &TimeValues::m_nHigh1, t.pLow = &TimeValues::m_nLow1;
  t.pUnit = &TimeValues::m_nUnit1, t.pRefUnit = &TimeValues::m_nRefUnit1;
  t.blockHigh = &CBlockObj::m_nParam10, t.blockLow = &CBlockObj::m_nParam9;
  t.blockUnit = &CBlockObj::m_nParam11, t.blockRefUnit = &CBlockObj::m_nParam12;
  AddTimeField(t);
  TimeField u;
  u.slot = 1;
  u.high = kIdHigh2, u.highSpin = kIdHighSpin2, u.colon = kIdColon2, u.low = kIdLow2, u.lowSpin = kIdLowSpin2;
  u.unit = kIdUnit2, u.button = kIdReference2, u.list = kIdRefList2, u.refUnitList = kIdRefUnitList2;
  u.pHigh = &TimeValues::m_nHigh2, u.pLow = &TimeValues::m_nLow2;
  u.pUnit = &TimeValues::m_nUnit2, u.pRefUnit = &TimeValues::m_nRefUnit2;
  u.blockHigh = &CBlockObj::m_nParam15, u.blockLow = &CBlockObj::m_nParam14;
  u.blockUnit = &CBlockObj::m_nParam16, u.blockRefUnit = &CBlockObj::m_nParam13;
  AddTimeField(u);
}

const PageDesc& CSpecialFunPar2::Describe() const {
  static const PageDesc kOnOff = MakeDesc(kTypeMPLR), kWiping = MakeDesc(kTypeRPR),
                        kPulse = MakeDesc(kTypeAPG), kRandom = MakeDesc(kTypeRG);
  switch (m_nType) {
    case kTypeRPR:
      return kWiping;
    case kTypeAPG:
      return kPulse;
    case kTypeRG:
      return kRandom;
    default:
      return kOnOff;
  }
}

void CSpecialFunPar2::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtection, m_bProtection);
  if (m_nType != kTypeRG) DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_CBIndex(dx, kIdUnit1, m_nUnit1);
  DDX_Text(dx, kIdLow1, m_nLow1);
  DDX_Text(dx, kIdHigh1, m_nHigh1);
  DDX_CBIndex(dx, kIdUnit2, m_nUnit2);
  DDX_Text(dx, kIdLow2, m_nLow2);
  DDX_Text(dx, kIdHigh2, m_nHigh2);
  if (m_nType == kTypeRPR) DDX_CBIndex(dx, kIdPulseCycles, m_nPulseCycles);
}

void CSpecialFunPar2::OnInitDialog() {
  for (const TimeField& f : m_fields) {
    FillUnitCombo(f);
    FillRefUnitList(f);
  }
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  CControlHost& host = Host();
  struct Captions {
    int th, tl;
    const char16_t* thText;
    const char16_t* tlText;
  };
  const Captions c = m_nType == kTypeMPLR ? Captions{136, 137, u"On Time(TH)", u"Off Time(TL)"}
                     : m_nType == kTypeRG ? Captions{134, 135, u"Max. On Delay(TH)", u"Max. Off Delay(TL)"}
                                          : Captions{132, 133, u"Pulse Width(TH)", u"Interpulse Width(TL)"};
  host.SetText(kIdGroupTH, UiText(c.th, c.thText));
  host.SetText(kIdGroupTL, UiText(c.tl, c.tlText));
  UpdateTimeFields();
  FillReferenceCombos();
  SetTabOrder(TimeChain());
  if (Simulating()) CreateCurrentValueBox();
  AddTimeTips();
}

void CSpecialFunPar2::FillReferenceCombos() {
  if (!DropReferencesOnOlderSeries()) CTimerPage::FillReferenceCombos();
}

void CSpecialFunPar2::OnNotify(int id, Notify code) {
  if (id == kIdPulseCycles && code == Notify::kSelChange) return OnValueChange(id);
  CTimerPage::OnNotify(id, code);
}
