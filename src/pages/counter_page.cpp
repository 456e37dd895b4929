#include "pages/counter_page.h"

#include "model/block_codes.h"
#include "model/zarad_doc.h"

CUpDownCounter::CUpDownCounter() {
  m_strTitle = u"Parameter";
  AddReferenceSlot({0, kIdReference1, kIdRefList1, {kIdOn, kIdOnSpin}});
  AddReferenceSlot({1, kIdReference2, kIdRefList2, {kIdOff, kIdOffSpin}});
}

const PageDesc& CUpDownCounter::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(260, 176),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)},
          {1344, K::kGroup, u"On Threshold", CRect(7, 28, 250, 52)},
          {kIdOn, K::kEdit, u"", CRect(16, 35, 76, 48), kStyleRight},
          {kIdOnSpin, K::kSpin, u"", CRect(76, 35, 84, 48), 0, {}, kIdOn},
          {kIdReference1, K::kButton, u"Reference", CRect(186, 34, 244, 48)},
          {kIdRefList1, K::kCombo, u"", CRect(16, 35, 88, 135), kStyleHidden},
          {1345, K::kGroup, u"Off Threshold", CRect(7, 56, 250, 80)},
          {kIdOff, K::kEdit, u"", CRect(16, 63, 76, 76), kStyleRight},
          {kIdOffSpin, K::kSpin, u"", CRect(76, 63, 84, 76), 0, {}, kIdOff},
          {kIdReference2, K::kButton, u"Reference", CRect(186, 62, 244, 76)},
          {kIdRefList2, K::kCombo, u"", CRect(16, 63, 88, 163), kStyleHidden},
          {kIdStartLabel, K::kStatic, u"Start Value:", CRect(7, 90, 60, 100)},
          {kIdStart, K::kEdit, u"", CRect(62, 88, 122, 101), kStyleRight},
          {kIdStartSpin, K::kSpin, u"", CRect(122, 88, 130, 101), 0, {}, kIdStart},
          {kIdSourceLabel, K::kStatic, u"Source:", CRect(7, 110, 60, 120)},
          {kIdSource, K::kCombo, u"", CRect(62, 108, 130, 160), 0, {u"I0 & I1", u"I2 & I3"}},
          {kIdRetentivity, K::kCheck, u"Retentivity", CRect(7, 130, 120, 142)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 146, 120, 158)},
      }};
  return desc;
}

void CUpDownCounter::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_CBIndex(dx, kIdSource, m_nSource);
  // A threshold taken from a block keeps its number; its edit is not read.
  if (!m_bRef[0]) {
    DDX_Text(dx, kIdOn, m_nOnThreshold);
    DDV_MinMaxInt(dx, m_nOnThreshold, MinValue(), kMaxValue);
  }
  if (!m_bRef[1]) {
    DDX_Text(dx, kIdOff, m_nOffThreshold);
    DDV_MinMaxInt(dx, m_nOffThreshold, MinValue(), kMaxValue);
  }
  // The start value exists on the newer series only; the older keep theirs.
  if (!Document() || Document()->IsNewerFamily()) {
    DDX_Text(dx, kIdStart, m_nStartValue);
    DDV_MinMaxInt(dx, m_nStartValue, MinValue(), kMaxValue);
  } else if (!dx.IsSaving()) {
    DDX_Text(dx, kIdStart, m_nStartValue);
  }
}

std::vector<int> CUpDownCounter::Chain() const {
  return {m_bRef[0] ? kIdRefList1 : kIdOn, kIdReference1, m_bRef[1] ? kIdRefList2 : kIdOff, kIdReference2,
          kIdStart};
}

void CUpDownCounter::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  CControlHost& host = Host();
  for (int spin : {kIdOnSpin, kIdOffSpin, kIdStartSpin}) host.SetRange(spin, MinValue(), kMaxValue);
  ShowSlots();
  for (int edit : {kIdOn, kIdOff, kIdStart}) host.LimitText(edit, ValueChars());
  const bool newer = !Document() || Document()->IsNewerFamily();
  const bool source = newer && m_nType == kTypeENCODER;
  host.Show(kIdSourceLabel, source);
  host.Show(kIdSource, source);
  FillReferenceCombos();
  SetTabOrder(Chain());
  if (Simulating()) CreateCurrentValueBox();
  for (int edit : {kIdOn, kIdOff, kIdStart}) AddRangeTip(edit, MinValue(), kMaxValue);
}

void CUpDownCounter::FillReferenceCombos() {
  const bool newer = !Document() || Document()->IsNewerFamily();
  for (int id : {kIdStartLabel, kIdStart, kIdStartSpin}) Host().Show(id, newer);
  CBlockParamPage::FillReferenceCombos();
}

void CUpDownCounter::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  if (!m_bRef[slot.slot]) Host().LimitText(slot.valueIds.front(), ValueChars());
  SetTabOrder(Chain());
}

void CUpDownCounter::OnNotify(int id, Notify code) {
  if (code == Notify::kChange && (id == kIdOn || id == kIdOff || id == kIdStart)) return OnValueChange(id);
  if (code == Notify::kSelChange && id == kIdSource) return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CUpDownCounter::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<CounterValues&>(*this) = values.counter;
}

void CUpDownCounter::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.counter = *this;
}
