#include "pages/hours_counter_page.h"

#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "platform/string_table.h"

namespace {

CString HoursCaption(bool reference) {
  return reference ? UiText(169, u"Hours") : UiText(1245, u"Hours(h:m)");
}

}  // namespace

CHoursCounter::CHoursCounter() {
  m_strTitle = Describe().caption;
  m_bRetentive = 1;
  AddReferenceSlot({0,
                    kIdReference,
                    kIdRefList,
                    {kIdMiHours, kIdMiHoursSpin, kIdMiColon, kIdMiMinutes, kIdMiMinutesSpin}});
}

const PageDesc& CHoursCounter::Describe() const {
  using K = ControlKind;
  const UINT num = kStyleNumber | kStyleRight;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(250, 132),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)},
          {kIdMiGroup, K::kGroup, u"Maintenance Interval(MI)", CRect(7, 26, 243, 52)},
          {kIdMiHours, K::kEdit, u"", CRect(14, 36, 52, 48), num},
          {kIdMiHoursSpin, K::kSpin, u"", CRect(52, 36, 62, 48), 0, {}, kIdMiHours},
          {kIdMiColon, K::kStatic, u":", CRect(64, 38, 68, 48)},
          {kIdMiMinutes, K::kEdit, u"", CRect(70, 36, 92, 48), num},
          {kIdMiMinutesSpin, K::kSpin, u"", CRect(92, 36, 102, 48), 0, {}, kIdMiMinutes},
          {kIdRefList, K::kCombo, u"", CRect(14, 36, 102, 236), kStyleHidden},
          {kIdMiUnit, K::kStatic, u"Hours(h:m)", CRect(106, 38, 170, 48)},
          {kIdReference, K::kButton, u"Reference", CRect(180, 35, 236, 49)},
          {kIdOtGroup, K::kGroup, u"Start time for OT", CRect(7, 56, 243, 82)},
          {kIdOtHours, K::kEdit, u"", CRect(14, 66, 52, 78), num},
          {kIdOtHoursSpin, K::kSpin, u"", CRect(52, 66, 62, 78), 0, {}, kIdOtHours},
          {kIdOtColon, K::kStatic, u":", CRect(64, 68, 68, 78)},
          {kIdOtMinutes, K::kEdit, u"", CRect(70, 66, 92, 78), num},
          {kIdOtMinutesSpin, K::kSpin, u"", CRect(92, 66, 102, 78), 0, {}, kIdOtMinutes},
          {kIdOtUnit, K::kStatic, u"Hours(h:m)", CRect(106, 68, 170, 78)},
          {kIdOutputNotZero, K::kCheck, u"Output is not 0,If En=0", CRect(7, 88, 160, 100)},
          {kIdRetentivity, K::kCheck, u"Retentivity", CRect(7, 104, 100, 116), kStyleDisabled},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(120, 104, 243, 116)},
      }};
  return desc;
}

bool CHoursCounter::NewerSeries() const {
  return Document() && Document()->IsNewerFamily();
}

void CHoursCounter::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Text(dx, kIdMiHours, m_nMiHours);
  DDV_MinMaxInt(dx, m_nMiHours, 0, kMaxMiHours);
  DDX_Text(dx, kIdOtHours, m_nOtHours);
  DDV_MinMaxInt(dx, m_nOtHours, 0, kMaxOtHours);
  DDX_Check(dx, kIdOutputNotZero, m_bOutputNotZero);
  DDX_Text(dx, kIdMiMinutes, m_nMiMinutes);
  DDV_MinMaxInt(dx, m_nMiMinutes, 0, 59);
  DDX_Text(dx, kIdOtMinutes, m_nOtMinutes);
  DDV_MinMaxInt(dx, m_nOtMinutes, 0, 59);
}

void CHoursCounter::UpdateControls() {
  CControlHost& host = Host();
  host.SetRange(kIdMiHoursSpin, 0, kMaxMiHours);
  host.SetRange(kIdOtHoursSpin, 0, kMaxOtHours);
  host.SetRange(kIdMiMinutesSpin, 0, 59);
  host.SetRange(kIdOtMinutesSpin, 0, 59);
  host.LimitText(kIdMiHours, 4);
  host.LimitText(kIdOtHours, 5);
  if (!NewerSeries()) {
    for (int id : {kIdReference, kIdRefList, kIdMiColon, kIdMiMinutes, kIdMiMinutesSpin, kIdOtColon,
                   kIdOtMinutes, kIdOtMinutesSpin, kIdMiUnit, kIdOtUnit})
      host.Show(id, false);
    host.Show(kIdMiHours, true);
    host.Show(kIdMiHoursSpin, true);
  } else {
    host.Show(kIdReference, true);
    const bool block = m_pRef[0] != nullptr;
    for (int id : {kIdMiHours, kIdMiHoursSpin, kIdMiColon, kIdMiMinutes, kIdMiMinutesSpin})
      host.Show(id, !block);
    host.Show(kIdRefList, block);
    host.SetText(kIdMiUnit, HoursCaption(block));
    host.LimitText(kIdMiMinutes, 2);
    host.LimitText(kIdOtMinutes, 2);
    for (int id : {kIdOtColon, kIdOtMinutes, kIdOtMinutesSpin, kIdOtUnit}) host.Show(id, true);
  }
  host.Enable(kIdReference, m_bRefAllowed != 0);
}

void CHoursCounter::FillReferenceCombos() {
  CControlHost& host = Host();
  host.ResetContent(kIdRefList);
  if (NewerSeries())
    for (const CString& e : FillBlockCombo(*Document(), m_nBlockNumber)) host.AddString(kIdRefList, e);
  SelectSlotBlock(Slots().front());
}

void CHoursCounter::UpdateTabOrder() {
  std::vector<int> chain;
  if (m_pRef[0])
    chain.push_back(kIdRefList);
  else
    chain.insert(chain.end(), {kIdMiHours, kIdMiMinutes});
  chain.insert(chain.end(), {kIdReference, kIdOtHours, kIdOtMinutes, kIdOutputNotZero});
  SetTabOrder(chain);
}

void CHoursCounter::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  UpdateControls();
  FillReferenceCombos();
  UpdateTabOrder();
  if (Simulating()) CreateCurrentValueBox();
  AddRangeTip(kIdMiHours, 0, kMaxMiHours);
  AddRangeTip(kIdOtHours, 0, kMaxOtHours);
  AddRangeTip(kIdMiMinutes, 0, 59);
  AddRangeTip(kIdOtMinutes, 0, 59);
}

void CHoursCounter::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  Host().SetText(kIdMiUnit, HoursCaption(m_bRef[0] != 0));
  UpdateTabOrder();
}

void CHoursCounter::OnNotify(int id, Notify code) {
  if (code == Notify::kChange && (id == kIdMiHours || id == kIdOtHours)) return OnValueChange(id);
  if (code == Notify::kClicked && id == kIdOutputNotZero) return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CHoursCounter::OnOK() {
  if (m_bRef[0]) {
    m_nMiMinutes = 0;
    m_nMiHours = 0;
    if (m_pRef[0]) m_nRefNumber[0] = m_pRef[0]->m_nNumber;
  } else {
    m_nRefNumber[0] = -1;
    m_pRef[0] = nullptr;
  }
}

void CHoursCounter::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<HoursCounterValues&>(*this) = values.hours;
  m_bRetentive = 1;  // an hours counter always keeps its time
}

void CHoursCounter::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.hours = *this;
}
