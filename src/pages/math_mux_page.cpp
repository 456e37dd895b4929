#include "pages/math_mux_page.h"

#include "platform/string_table.h"

std::array<int, 3> CAMathMux::ResolvePriorities(int changed, const std::array<int, 3>& before,
                                                const std::array<int, 3>& sel) {
  std::array<int, 3> out = sel;
  if (changed < 0 || changed > 2) return out;
  for (int other = 0; other < 3; ++other)
    if (other != changed && sel[static_cast<size_t>(other)] == sel[static_cast<size_t>(changed)]) {
      out[static_cast<size_t>(other)] = before[static_cast<size_t>(changed)];
      break;
    }
  return out;
}

CAMathMux::CAMathMux() {
  m_strTitle = Describe().caption;
  m_nWhenDisabled = 1;
  m_nPriority[0] = 2;
  m_nPriority[1] = 1;
  m_nPriority[2] = 0;
  for (int k = 0; k < kSlots; ++k) {
    const SlotIds& s = kSlotIds[k];
    AddReferenceSlot({k, s.button, s.list, {s.edit, s.spin}});
  }
}

const PageDesc& CAMathMux::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(270, 250), {}};
    d.controls.push_back({kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight});
    d.controls.push_back({kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)});
    d.controls.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(160, 8, 263, 19)});
    const char16_t* captions[kSlots] = {u"V1(S1=0;S2=0)", u"V2(S1=0;S2=1)", u"V3(S1=1;S2=0)",
                                        u"V4(S1=1;S2=1)"};
    const std::vector<CString> ops = {u"+", u"-", u"x", u"/"};
    const std::vector<CString> prios = {u"L", u"M", u"H"};
    for (int k = 0; k < kSlots; ++k) {
      const SlotIds& s = kSlotIds[k];
      const int y = 24 + k * 42;
      d.controls.push_back({s.group, K::kGroup, captions[k], CRect(7, y, 160, y + 24)});
      d.controls.push_back({s.edit, K::kEdit, u"", CRect(14, y + 9, 70, y + 21), kStyleRight});
      d.controls.push_back({s.spin, K::kSpin, u"", CRect(70, y + 9, 80, y + 21), 0, {}, s.edit});
      d.controls.push_back({s.list, K::kCombo, u"", CRect(14, y + 9, 100, y + 209), kStyleHidden});
      d.controls.push_back({s.button, K::kButton, u"Reference", CRect(104, y + 8, 154, y + 22)});
      if (k == kSlots - 1) break;
      const int oy = y + 27;
      d.controls.push_back({kIdOperatorLabel[k], K::kStatic, FormatString(u"Operator %d", k + 1),
                            CRect(14, oy + 2, 54, oy + 11)});
      d.controls.push_back({kIdOperator[k], K::kCombo, u"", CRect(56, oy, 86, oy + 60), 0, ops});
      d.controls.push_back({kIdPriorityLabel[k], K::kStatic, FormatString(u"Priority %d", k + 1),
                            CRect(94, oy + 2, 134, oy + 11)});
      d.controls.push_back({kIdPriority[k], K::kCombo, u"", CRect(136, oy, 160, oy + 50), 0, prios});
    }
    d.controls.push_back(
        {kIdDecimalsGroup, K::kGroup, u"Decimals in the Message text", CRect(168, 24, 263, 70)});
    d.controls.push_back({kIdDecimals, K::kEdit, u"", CRect(176, 36, 196, 48), kStyleNumber | kStyleRight});
    d.controls.push_back({kIdDecimalsSpin, K::kSpin, u"", CRect(196, 36, 206, 48), 0, {}, kIdDecimals});
    d.controls.push_back({kIdDecimalsPreview, K::kStatic, u"", CRect(176, 52, 256, 62)});
    d.controls.push_back(
        {kIdDisabledLabel, K::kStatic, u"When En=\"0\", output is", CRect(168, 80, 263, 90)});
    d.controls.push_back({kIdDisabledZero, K::kRadio, u"0", CRect(176, 92, 256, 102), kStyleGroup});
    d.controls.push_back({kIdDisabledLast, K::kRadio, u"Last Value", CRect(176, 104, 256, 114)});
    return d;
  }();
  return desc;
}

void CAMathMux::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Text(dx, kIdDecimals, m_nDecimals);
  for (int k = 0; k < kSlots; ++k) {
    DDX_Text(dx, kSlotIds[k].edit, m_nValue[k]);
    DDV_MinMaxInt(dx, m_nValue[k], kLower, kUpper);
  }
  DDX_Radio(dx, {kIdDisabledZero, kIdDisabledLast}, m_nWhenDisabled);
  for (int k = 0; k < 3; ++k) DDX_CBIndex(dx, kIdOperator[k], m_nOperator[k]);
  for (int k = 0; k < 3; ++k) DDX_CBIndex(dx, kIdPriority[k], m_nPriority[k]);
}

void CAMathMux::UpdateControls() {
  CControlHost& host = Host();
  for (int k = 0; k < kSlots; ++k) {
    host.SetRange(kSlotIds[k].spin, kLower, kUpper);
    host.SetText(kSlotIds[k].group, IsMath() ? FormatString(u"V%d", k + 1)
                                             : FormatString(u"V%d(S1=%d;S2=%d)", k + 1, (k >> 1) & 1, k & 1));
  }
  ShowSlots();
  InitDecimals();
  const bool math = IsMath();
  for (int k = 0; k < 3; ++k)
    for (int id : {kIdOperator[k], kIdOperatorLabel[k], kIdPriority[k], kIdPriorityLabel[k]})
      host.Show(id, math);
  for (int id : {kIdDisabledLabel, kIdDisabledZero, kIdDisabledLast}) host.Show(id, math);
}

void CAMathMux::UpdateTabOrder() {
  std::vector<int> chain;
  for (int k = 0; k < kSlots; ++k) {
    chain.push_back(m_pRef[k] ? kSlotIds[k].list : kSlotIds[k].edit);
    chain.push_back(kSlotIds[k].button);
    if (IsMath() && k < 3) chain.insert(chain.end(), {kIdOperator[k], kIdPriority[k]});
  }
  chain.push_back(kIdDecimals);
  if (IsMath()) chain.insert(chain.end(), {kIdDisabledZero, kIdDisabledLast});
  SetTabOrder(chain);
}

void CAMathMux::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  UpdateControls();
  if (m_bRefAllowed) FillReferenceCombos();
  UpdateTabOrder();
  if (Simulating()) CreateCurrentValueBox();
  for (const SlotIds& s : kSlotIds) AddRangeTip(s.edit, kLower, kUpper);
}

void CAMathMux::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  UpdateTabOrder();
}

void CAMathMux::OnPriorityChange() {
  CControlHost& host = Host();
  const int focus = host.GetFocus();
  int changed = -1;
  std::array<int, 3> before{}, sel{};
  for (int k = 0; k < 3; ++k) {
    if (kIdPriority[k] == focus) changed = k;
    before[static_cast<size_t>(k)] = m_nPriority[k];
    sel[static_cast<size_t>(k)] = host.GetCurSel(kIdPriority[k]);
  }
  const std::array<int, 3> after = ResolvePriorities(changed, before, sel);
  for (int k = 0; k < 3; ++k)
    if (after[static_cast<size_t>(k)] != sel[static_cast<size_t>(k)])
      host.SetCurSel(kIdPriority[k], after[static_cast<size_t>(k)]);
  UpdateData(true);
  SetModified();
}

void CAMathMux::OnNotify(int id, Notify code) {
  for (int k = 0; k < 3; ++k) {
    if (id == kIdPriority[k] && code == Notify::kSelChange) return OnPriorityChange();
    if (id == kIdOperator[k] && code == Notify::kSelChange) return OnValueChange(id);
  }
  for (const SlotIds& s : kSlotIds)
    if (id == s.edit && code == Notify::kChange) return OnValueChange(id);
  if ((id == kIdDisabledZero || id == kIdDisabledLast || id == kIdProtection) && code == Notify::kClicked)
    return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CAMathMux::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<AnalogValues&>(*this) = values.analog;
}

void CAMathMux::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.analog = *this;
}
