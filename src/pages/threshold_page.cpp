#include "pages/threshold_page.h"

#include "model/zarad_doc.h"

CThresholdTrigger::CThresholdTrigger() {
  m_strTitle = u"Parameter";
  AddReferenceSlot({0,
                    kIdReference,
                    kIdRefList,
                    {kIdSeconds, kIdSecondsSpin, kIdColon, kIdHundredths, kIdHundredthsSpin}});
}

const PageDesc& CThresholdTrigger::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(260, 150),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)},
          {1349, K::kGroup, u"Threshold", CRect(7, 28, 250, 62)},
          {1342, K::kStatic, u"On", CRect(16, 43, 30, 53)},
          {kIdOn, K::kEdit, u"", CRect(32, 41, 72, 54), kStyleNumber | kStyleRight},
          {kIdOnSpin, K::kSpin, u"", CRect(72, 41, 80, 54), 0, {}, kIdOn},
          {1343, K::kStatic, u"Off", CRect(120, 43, 136, 53)},
          {kIdOff, K::kEdit, u"", CRect(138, 41, 178, 54), kStyleNumber | kStyleRight},
          {kIdOffSpin, K::kSpin, u"", CRect(178, 41, 186, 54), 0, {}, kIdOff},
          {1350, K::kGroup, u"Time Parameter", CRect(7, 68, 250, 102)},
          {kIdSeconds, K::kEdit, u"", CRect(16, 81, 38, 94), kStyleNumber | kStyleRight},
          {kIdSecondsSpin, K::kSpin, u"", CRect(38, 81, 46, 94), 0, {}, kIdSeconds},
          {kIdColon, K::kStatic, u":", CRect(47, 83, 53, 93), kStyleCentre},
          {kIdHundredths, K::kEdit, u"", CRect(54, 81, 76, 94), kStyleNumber | kStyleRight},
          {kIdHundredthsSpin, K::kSpin, u"", CRect(76, 81, 84, 94), 0, {}, kIdHundredths},
          {kIdUnitLabel, K::kStatic, u"Seconds (s:1/100s)", CRect(92, 83, 180, 93)},
          {kIdReference, K::kButton, u"Reference", CRect(186, 80, 244, 94)},
          {kIdRefList, K::kCombo, u"", CRect(16, 81, 84, 281), kStyleHidden},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 112, 120, 124)},
      }};
  return desc;
}

void CThresholdTrigger::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdOff, m_nOff);
  DDV_MinMaxInt(dx, m_nOff, 0, kMaxThreshold);
  DDX_Text(dx, kIdOn, m_nOn);
  DDV_MinMaxInt(dx, m_nOn, 0, kMaxThreshold);
  DDX_Text(dx, kIdHundredths, m_nHundredths);
  DDV_MinMaxInt(dx, m_nHundredths, 0, kMaxTimePart);
  DDX_Text(dx, kIdSeconds, m_nSeconds);
  DDV_MinMaxInt(dx, m_nSeconds, 0, kMaxTimePart);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Check(dx, kIdProtection, m_bProtection);
}

void CThresholdTrigger::UpdateUnitLabel() {
  Host().SetText(kIdUnitLabel, m_pRef[0] ? UiText(1212, u"Milliseconds") : CString(u"Seconds (s:1/100s)"));
}

std::vector<int> CThresholdTrigger::Chain() const {
  std::vector<int> chain{kIdOn, kIdOff};
  if (m_pRef[0])
    chain.push_back(kIdRefList);
  else
    chain.insert(chain.end(), {kIdSeconds, kIdHundredths});
  chain.push_back(kIdReference);
  return chain;
}

void CThresholdTrigger::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  CControlHost& host = Host();
  host.SetRange(kIdOnSpin, 0, kMaxThreshold);
  host.SetRange(kIdOffSpin, 0, kMaxThreshold);
  host.SetRange(kIdSecondsSpin, 0, kMaxTimePart);
  host.SetRange(kIdHundredthsSpin, 0, kMaxTimePart);
  host.LimitText(kIdOn, 4);
  host.LimitText(kIdOff, 4);
  host.LimitText(kIdSeconds, 2);
  host.LimitText(kIdHundredths, 2);
  CZaradDoc* doc = Document();
  if (doc && !doc->IsNewerFamily()) {
    host.Show(kIdReference, false);
    host.Show(kIdRefList, false);
    host.SetText(kIdUnitLabel, u"Seconds (s:1/100s)");
  } else {
    host.Show(kIdReference, true);
    ShowSlots();
    UpdateUnitLabel();
  }
  FillReferenceCombos();
  SetTabOrder(Chain());
  if (Simulating()) CreateCurrentValueBox();
  AddRangeTip(kIdOn, 0, kMaxThreshold);
  AddRangeTip(kIdOff, 0, kMaxThreshold);
  AddRangeTip(kIdSeconds, 0, kMaxTimePart);
  AddRangeTip(kIdHundredths, 0, kMaxTimePart);
}

void CThresholdTrigger::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  UpdateUnitLabel();
  SetTabOrder(Chain());
}

void CThresholdTrigger::OnNotify(int id, Notify code) {
  if (code == Notify::kChange && (id == kIdOn || id == kIdOff || id == kIdSeconds || id == kIdHundredths))
    return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CThresholdTrigger::OnOK() {
  // A reference without a block (an empty list) counts as none.
  if (m_bRef[0] && m_pRef[0]) {
    m_nSeconds = 0;
    m_nHundredths = 0;
  } else {
    m_bRef[0] = 0;
  }
  CBlockParamPage::OnOK();
}

void CThresholdTrigger::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<ThresholdValues&>(*this) = values.threshold;
}

void CThresholdTrigger::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.threshold = *this;
}
