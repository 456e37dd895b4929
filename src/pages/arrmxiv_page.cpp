#include "pages/arrmxiv_page.h"

#include <algorithm>

#include "model/block_codes.h"
#include "platform/string_table.h"

std::pair<int, int> CARRMXIV::CountLimits(int type) {
  if (type == kTypeARRMXIV) return {1, 32};
  if (type == kTypeCRC16) return {1, 128};
  if (type >= kTypeSMC && type <= kTypePTOE) return {0, kStepsLimit};
  return {0, 0};
}

int CARRMXIV::AddressLimit(int area) {
  return area == 1 ? 31 : area == 2 ? 63 : 511;
}

CString CARRMXIV::SpeedHint(int v) {
  return v == 0 ? CString(u"(0 rpm)") : FormatString(u"(%.6f rpm)", 30000.0 / v);
}

CString CARRMXIV::FrequencyHint(int v) {
  return v == 0 ? CString(u"(0 Hz) [0.02ms/pulse]") : FormatString(u"(%.6f Hz) [0.02ms/pulse]", 100000.0 / v);
}

CString CARRMXIV::StepHint(int mode) {
  return mode == 0 ? CString(u"(0.005ms/step)") : CString(u"(0.01ms/step)");
}

CARRMXIV::CARRMXIV() {
  m_strTitle = Describe().caption;
  m_nCount = 1;
}

const PageDesc& CARRMXIV::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(270, 126),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)},
          {kIdModeLabel, K::kStatic, u"Mode", CRect(7, 30, 56, 39)},
          {kIdMode, K::kCombo, u"", CRect(60, 28, 132, 90), 0, {u"Maximum", u"Minimum", u"Average"}},
          {kIdList1, K::kCombo, u"", CRect(60, 28, 158, 228), kStyleHidden},
          {kIdModeButton, K::kButton, u"Reference", CRect(160, 27, 206, 41)},
          {kIdStepHint, K::kStatic, u"(0.025ms/step)", CRect(210, 30, 266, 39), kStyleHidden},
          {kIdAddressLabel, K::kStatic, u"Data Address", CRect(7, 48, 56, 57)},
          {kIdArea, K::kCombo, u"", CRect(60, 46, 92, 100), 0, {u"AM", u"AQ", u"AI"}},
          {kIdAddress, K::kEdit, u"", CRect(96, 46, 132, 58), kStyleNumber | kStyleRight},
          {kIdCountLabel, K::kStatic, u"Count", CRect(7, 66, 56, 75)},
          {kIdCount, K::kEdit, u"", CRect(60, 64, 132, 76), kStyleNumber | kStyleRight},
          {kIdList2, K::kCombo, u"", CRect(60, 64, 158, 264), kStyleHidden},
          {kIdCountButton, K::kButton, u"Reference", CRect(160, 63, 206, 77)},
          {kIdCountHint, K::kStatic, u"(60 rpm)", CRect(210, 66, 266, 75), kStyleHidden},
          {kIdUnderHint, K::kStatic, u"(60 rpm)", CRect(60, 80, 206, 89), kStyleHidden},
          {kIdStepsLabel, K::kStatic, u"Steps", CRect(7, 96, 56, 105)},
          {kIdSteps, K::kEdit, u"", CRect(60, 94, 132, 106), kStyleNumber | kStyleRight},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 112, 110, 122)},
      }};
  return desc;
}

void CARRMXIV::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_CBIndex(dx, kIdMode, m_nMode);
  DDX_Text(dx, kIdAddress, m_nAddress);
  DDV_MinMaxInt(dx, m_nAddress, 0, 511);
  DDX_Text(dx, kIdCount, m_nCount);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_CBIndex(dx, kIdArea, m_nArea);
  DDX_Text(dx, kIdSteps, m_nSteps);
  DDV_MinMaxInt(dx, m_nSteps, 0, kStepsLimit);
}

void CARRMXIV::UpdateHints() {
  CControlHost& host = Host();
  const bool counted = m_pRef[1] == nullptr;
  const int v = host.GetInt(kIdCount);
  if (IsStepper()) {
    host.SetText(kIdCountHint, SpeedHint(v));
    host.Show(kIdCountHint, counted);
    host.Show(kIdStepHint, counted);
  } else if (IsPulse()) {
    host.SetText(kIdCountHint, FrequencyHint(v));
    host.Show(kIdCountHint, counted);
  }
}

void CARRMXIV::UpdateLabelsForType() {
  CControlHost& host = Host();
  const PageDesc& desc = Describe();
  auto exchange = [&host](int value, int list, bool block) {
    host.Show(value, !block);
    host.Show(list, block);
  };
  auto refill = [&host](int id, std::initializer_list<const char16_t*> items, int sel) {
    host.ResetContent(id);
    for (const char16_t* item : items) host.AddString(id, item);
    host.SetCurSel(id, std::clamp(sel, 0, static_cast<int>(items.size()) - 1));
  };
  auto widenArea = [&] {
    CRect r = desc.Find(kIdArea)->rect;
    r.right = desc.Find(kIdMode)->rect.right;
    host.MoveControl(kIdArea, r);
  };
  const int t = m_nType;
  if (t == kTypeCRC16) {
    host.SetText(kIdModeLabel, u"Type");
    host.Show(kIdModeButton, false);
    host.Show(kIdCountButton, false);
    refill(kIdMode, {u"CRC16"}, 0);
    refill(kIdArea, {u"AM"}, 0);
    host.Show(kIdStepsLabel, false);
    host.Show(kIdSteps, false);
  } else if (t == kTypeARRMXIV || t == kTypeACMXIV) {
    host.Enable(kIdModeButton, m_bRefAllowed != 0);
    exchange(kIdMode, kIdList1, m_pRef[0] != nullptr);
    if (t == kTypeARRMXIV) {
      host.Enable(kIdCountButton, m_bRefAllowed != 0);
      exchange(kIdCount, kIdList2, m_pRef[1] != nullptr);
    } else {
      for (int id : {kIdAddressLabel, kIdArea, kIdAddress, kIdCountLabel, kIdCount, kIdCountButton})
        host.Show(id, false);
    }
    host.Show(kIdStepsLabel, false);
    host.Show(kIdSteps, false);
  } else if (IsStepper()) {
    if (t == kTypeSMC) host.Show(kIdModeButton, false);
    host.Show(kIdAddress, false);
    host.SetText(kIdAddressLabel, u"Pin");
    host.SetText(kIdCountLabel, u"Speed");
    widenArea();
    refill(kIdMode, {u"Half Step(0.9 degree/Step)", u"Full Step(1.8 degree/Step)"}, m_nMode);
    host.SetText(kIdStepHint, StepHint(m_nMode));
    host.MoveControl(kIdStepHint, desc.Find(kIdCountHint)->rect);
    CRect mode = desc.Find(kIdMode)->rect;
    mode.right = mode.left + mode.Width() * 4 / 3;
    host.MoveControl(kIdMode, mode);
    host.MoveControl(kIdCountHint, desc.Find(kIdUnderHint)->rect);
    refill(kIdArea, {u"Q0~Q3", u"Q4~Q7"}, m_nArea);
    if (t == kTypeSMC) {
      host.Show(kIdStepsLabel, false);
      host.Show(kIdSteps, false);
    }
    host.Enable(kIdCountButton, m_bRefAllowed != 0);
    exchange(kIdCount, kIdList2, m_pRef[1] != nullptr);
    if (t == kTypeSMCE) {
      host.Enable(kIdModeButton, m_bRefAllowed != 0);
      exchange(kIdSteps, kIdList1, m_pRef[0] != nullptr);
    }
    UpdateHints();
  } else if (IsPulse()) {
    host.Show(kIdModeLabel, false);
    host.Show(kIdMode, false);
    if (t == kTypePTO) {
      for (int id : {kIdStepsLabel, kIdSteps, kIdModeButton}) host.Show(id, false);
    } else {
      host.SetText(kIdStepsLabel, u"Number");
    }
    host.Show(kIdAddress, false);
    host.SetText(kIdAddressLabel, u"Pin");
    host.SetText(kIdCountLabel, u"Pulse Width");
    widenArea();
    refill(kIdArea, {u"Q0", u"Q1", u"Q2", u"Q3"}, m_nArea);
    host.Enable(kIdCountButton, m_bRefAllowed != 0);
    exchange(kIdCount, kIdList2, m_pRef[1] != nullptr);
    if (t == kTypePTOE) {
      host.Enable(kIdModeButton, m_bRefAllowed != 0);
      exchange(kIdSteps, kIdList1, m_pRef[0] != nullptr);
    }
    UpdateHints();
  }
}

void CARRMXIV::UpdateTabOrder() {
  const int count = m_bRef[1] ? kIdList2 : kIdCount;
  const int steps = m_bRef[0] ? kIdList1 : kIdSteps;
  if (m_nType == kTypeSMCE) return SetTabOrder({kIdMode, kIdArea, count, kIdCountButton, steps});
  if (m_nType == kTypePTOE) return SetTabOrder({kIdArea, count, kIdCountButton, steps});
  std::vector<int> chain{m_bRef[0] ? kIdList1 : kIdMode, kIdModeButton};
  if (m_nType == kTypeARRMXIV || m_nType == kTypeSMC)
    chain.insert(chain.end(), {kIdArea, kIdAddress, count, kIdCountButton});
  SetTabOrder(chain);
}

void CARRMXIV::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  if (m_nType != kTypeCRC16) {
    // The block lists: slot 1 over the mode or, for 850 and 852, over the
    // steps (its button moved down to their row); slot 2 over the count.
    if (HasSlot1()) {
      if (Slot1OnSteps()) {
        const PageDesc& desc = Describe();
        CRect button = desc.Find(kIdModeButton)->rect;
        const CRect steps = desc.Find(kIdSteps)->rect;
        button.OffsetRect(0, steps.top - button.top);
        Host().MoveControl(kIdModeButton, button);
        CRect list = desc.Find(kIdList1)->rect;
        list.OffsetRect(0, steps.top - list.top);
        Host().MoveControl(kIdList1, list);
        AddReferenceSlot({0, kIdModeButton, kIdList1, {kIdSteps}});
      } else {
        AddReferenceSlot({0, kIdModeButton, kIdList1, {kIdMode}});
      }
    }
    if (HasSlot2()) AddReferenceSlot({1, kIdCountButton, kIdList2, {kIdCount}});
    UpdateLabelsForType();
    FillReferenceCombos();
    UpdateTabOrder();
  } else {
    UpdateLabelsForType();
  }
  if (Simulating() && (m_nType == kTypeARRMXIV || m_nType == kTypeACMXIV || m_nType == kTypeCRC16))
    CreateCurrentValueBox();
  const auto limits = CountLimits(m_nType);
  Host().SetTipProvider(
      kIdCount, [limits] { return FormatString(LoadString(376).GetString(), limits.first, limits.second); });
  if (m_nType == kTypeSMCE || m_nType == kTypePTOE) AddRangeTip(kIdSteps, 0, kStepsLimit);
  Host().LimitText(kIdCount, 9);
  Host().LimitText(kIdSteps, 9);
  Host().LimitText(kIdAddress, 3);
}

void CARRMXIV::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  if (slot.slot == 1) UpdateHints();
  UpdateTabOrder();
}

void CARRMXIV::OnNotify(int id, Notify code) {
  CControlHost& host = Host();
  if (id == kIdAddress && code == Notify::kUpdate) {
    bool ok = false;
    const int v = host.GetInt(kIdAddress, &ok);
    const int limit = AddressLimit(host.GetCurSel(kIdArea));
    if (ok && v > limit) host.SetInt(kIdAddress, limit);
    return;
  }
  if (id == kIdArea && code == Notify::kSelChange) {
    if (m_nType == kTypeARRMXIV || m_nType == kTypeCRC16) {
      bool ok = false;
      const int v = host.GetInt(kIdAddress, &ok);
      const int limit = AddressLimit(host.GetCurSel(kIdArea));
      if (ok && v > limit) host.SetInt(kIdAddress, limit);
    }
    return SetModified();
  }
  if (id == kIdCount && code == Notify::kUpdate) {
    if (m_nType == kTypeACMXIV) return;
    bool ok = false;
    const int v = host.GetInt(kIdCount, &ok);
    const auto limits = CountLimits(m_nType);
    if (ok && v > limits.second) host.SetInt(kIdCount, limits.second);
    if (ok && v < limits.first) host.SetInt(kIdCount, limits.first);
    return;
  }
  if (id == kIdCount && code == Notify::kChange) {
    UpdateHints();
    return SetModified();
  }
  if (id == kIdSteps && code == Notify::kUpdate) {
    if (m_nType != kTypeSMCE && m_nType != kTypePTOE) return;
    bool ok = false;
    const int v = host.GetInt(kIdSteps, &ok);
    if (ok && v > kStepsLimit) host.SetInt(kIdSteps, kStepsLimit);
    if (ok && v < 0) host.SetInt(kIdSteps, 0);
    return;
  }
  if (id == kIdMode && code == Notify::kSelChange) {
    if (IsStepper()) host.SetText(kIdStepHint, StepHint(host.GetCurSel(kIdMode)));
    return SetModified();
  }
  if ((id == kIdAddress || id == kIdSteps) && code == Notify::kChange) return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CARRMXIV::OnOK() {
  if (!m_bRef[0]) {
    m_nRefNumber[0] = -1;
    m_pRef[0] = nullptr;
  } else if (m_nType != kTypeSMCE) {
    m_nMode = 0;
  }
  if (!m_bRef[1]) {
    m_nRefNumber[1] = -1;
    m_pRef[1] = nullptr;
  } else {
    m_nCount = IsStepper() ? 100 : IsPulse() ? 0 : 1;
  }
}

void CARRMXIV::PrepareApplyValues(BlockPageValues& values) const {
  if (!HasSlot1() && !HasSlot2()) return;  // the CRC has no references
  // Slot 1 stands in for the mode (844, 845) or the steps (849 to 852).
  if (values.pattern.m_pRef[0]) (IsStepper() || IsPulse() ? values.array.m_nSteps : values.array.m_nMode) = 0;
  // Slot 2 for the count: a neutral count, the stepper's 250 or the pulse train's 0.
  if (values.pattern.m_pRef[1]) values.array.m_nCount = IsStepper() ? 250 : IsPulse() ? 0 : 1;
}

void CARRMXIV::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<ArrayValues&>(*this) = values.array;
}

void CARRMXIV::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.array = *this;
}
