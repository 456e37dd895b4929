#include "pages/max_min_page.h"

#include <algorithm>

#include "model/block_codes.h"
#include "model/block_obj.h"
#include "platform/string_table.h"

CMaxMin::TypeRule CMaxMin::RuleOf(int type) {
  switch (type) {
    case kTypeMAXMIN:
      return {0, 3, 1, nullptr, 0};
    case kTypeROL:
    case kTypeROR:
      return {1, 15, 2, u"Number of bit(s) of Rotation", 1};
    case kTypeSHL:
    case kTypeSHR:
      return {1, 15, 2, u"Number of bit(s) of Shift", 1};
    case kTypeRAND:
      return {1, 32767, 5, u"Base", 1};
    case kTypeWORD2BIT:
      return {0, 15, 2, u"Bit Position:", 0};
    default:  // 862, 863
      return {-32767, 32767, 5, u"Base", 10};
  }
}

int CMaxMin::Hold(int type, int value) {
  const TypeRule r = RuleOf(type);
  return std::clamp(value, r.lower, r.upper);
}

CMaxMin::CMaxMin() {
  m_strTitle = Describe().caption;
  AddReferenceSlot({0, kIdReference, kIdRefList, {kIdValue, kIdValueSpin}});
}

const PageDesc& CMaxMin::Describe() const {
  using K = ControlKind;
  // "Protection Active" stands left: for every type but Max/Min it is the
  // only check box shown.
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(250, 130),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)},
          {kIdGroup, K::kGroup, u"Mode", CRect(7, 26, 243, 100)},
          {kIdValue, K::kEdit, u"", CRect(14, 38, 60, 50), kStyleRight},
          {kIdValueSpin, K::kSpin, u"", CRect(60, 38, 70, 50), 0, {}, kIdValue},
          {kIdRefList, K::kCombo, u"", CRect(14, 38, 155, 238), kStyleHidden},
          {kIdReference, K::kButton, u"Reference", CRect(180, 37, 236, 51)},
          {kIdModeFirst, K::kStatic, u"Mode=0,Output=Min;", CRect(14, 54, 236, 62)},
          {1304, K::kStatic, u"Mode=1,Output=Max;", CRect(14, 63, 236, 71)},
          {1305, K::kStatic, u"Mode=2,if S1=0,Output=Min;if S1=1,Output=Max;", CRect(14, 72, 236, 80)},
          {kIdModeLast, K::kStatic, u"Otherwise,Output=Ax;", CRect(14, 81, 236, 89)},
          {kIdResetOnDisable, K::kCheck, u"When Enable=0,reset Max/Min", CRect(7, 104, 160, 114)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 116, 120, 126)},
          {kIdRetentive, K::kCheck, u"Retentivity", CRect(130, 116, 243, 126)},
      }};
  return desc;
}

void CMaxMin::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  // A Modulo block divides by its base: an empty or zero base is refused
  // (unless a block gives the base).
  const bool checkBase = m_nType == kTypeMOD && !m_pRef[0] && dx.IsSaving();
  if (checkBase && dx.Host().GetText(kIdValue).Trim().IsEmpty()) {
    dx.SetLastControl(kIdValue);
    dx.Fail(u"Base number cannot be zero!");
  }
  DDX_Text(dx, kIdValue, m_nValue);
  if (checkBase && m_nValue == 0) dx.Fail(u"Base number cannot be zero!");
  DDX_Check(dx, kIdResetOnDisable, m_bResetWhenDisabled);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdRetentive, m_bRetentive);
}

void CMaxMin::UpdateControls() {
  CControlHost& host = Host();
  const TypeRule r = RuleOf(m_nType);
  host.LimitText(kIdValue, r.digits + (r.lower < 0 ? 1 : 0));
  host.SetRange(kIdValueSpin, r.lower, r.upper);
  if (r.caption) host.SetText(kIdGroup, r.caption);
  const bool maxMin = m_nType == kTypeMAXMIN;
  for (int id = kIdModeFirst; id <= kIdModeLast; ++id) host.Show(id, maxMin);
  host.Show(kIdResetOnDisable, maxMin);
  host.Show(kIdRetentive, maxMin);
  ShowSlots();
}

void CMaxMin::UpdateTabOrder() {
  std::vector<int> chain;
  if (m_pRef[0])
    chain.push_back(kIdRefList);
  else
    chain.insert(chain.end(), {kIdValue, kIdValueSpin});
  chain.push_back(kIdReference);
  SetTabOrder(chain);
}

void CMaxMin::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  UpdateControls();
  FillReferenceCombos();
  UpdateTabOrder();
  if (Simulating() && m_nType != kTypeWORD2BIT) CreateCurrentValueBox();
  const TypeRule r = RuleOf(m_nType);
  CString tip = FormatString(LoadString(376).GetString(), r.lower, r.upper);
  if (m_nType == kTypeMOD) tip += u" and <> 0";
  Host().SetTip(kIdValue, tip);
}

void CMaxMin::OnValueUpdate() {
  CControlHost& host = Host();
  if (host.GetFocus() != kIdValue) return;
  const TypeRule r = RuleOf(m_nType);
  // The edit takes digits, and a leading minus where the range has negatives.
  const CString text = host.GetText(kIdValue);
  CString kept;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t ch = text[i];
    if ((ch >= u'0' && ch <= u'9') || (ch == u'-' && i == 0 && r.lower < 0)) kept += ch;
  }
  if (kept != text) return host.SetText(kIdValue, kept);
  int value = 0;
  if (!ParseInt(kept, &value)) return;
  const int held = Hold(m_nType, value);
  if (held != value) host.SetInt(kIdValue, held);
}

void CMaxMin::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  UpdateTabOrder();
}

void CMaxMin::OnNotify(int id, Notify code) {
  if (id == kIdValue && code == Notify::kUpdate) return OnValueUpdate();
  if (id == kIdValue && code == Notify::kChange) return OnValueChange(id);
  if (code == Notify::kClicked && (id == kIdResetOnDisable || id == kIdProtection || id == kIdRetentive))
    return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CMaxMin::OnOK() {
  if (m_pRef[0]) {
    m_nValue = RuleOf(m_nType).neutral;
    m_bRef[0] = 1;
    m_nRefNumber[0] = m_pRef[0]->m_nNumber;
  } else {
    m_nRefNumber[0] = -1;
    m_bRef[0] = 0;
  }
}

void CMaxMin::PrepareApplyValues(BlockPageValues& values) const {
  if (values.pattern.m_pRef[0]) values.maxmin.m_nValue = RuleOf(m_nType).neutral;
}

void CMaxMin::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<MaxMinValues&>(*this) = values.maxmin;
}

void CMaxMin::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.maxmin = *this;
}
