#include "pages/light_switch_pages.h"

#include "model/block_obj.h"
#include "model/zarad_doc.h"

namespace {

using K = ControlKind;

// One time row: the group, the parts with their spins and ":", then either a
// unit combo (full field) or a unit label (dependent field), the "Reference"
// button and the hidden block list (and reference unit list).
void AddRow(std::vector<ControlDesc>& c, int top, int group, const char16_t* caption, int high, int highSpin,
            int colon, int low, int lowSpin, int unitOrLabel, bool full, int button, int list,
            int refUnitList) {
  c.push_back({group, K::kGroup, caption, CRect(7, top, 268, top + 32)});
  c.push_back({high, K::kEdit, u"", CRect(16, top + 12, 38, top + 25), kStyleNumber | kStyleRight});
  c.push_back({highSpin, K::kSpin, u"", CRect(38, top + 12, 46, top + 25), 0, {}, high});
  c.push_back({colon, K::kStatic, u":", CRect(47, top + 14, 53, top + 24), kStyleCentre});
  c.push_back({low, K::kEdit, u"", CRect(54, top + 12, 76, top + 25), kStyleNumber | kStyleRight});
  c.push_back({lowSpin, K::kSpin, u"", CRect(76, top + 12, 84, top + 25), 0, {}, low});
  if (full)
    c.push_back({unitOrLabel, K::kCombo, u"", CRect(92, top + 12, 192, top + 68)});
  else
    c.push_back({unitOrLabel, K::kStatic, u"", CRect(92, top + 14, 192, top + 24)});
  c.push_back({button, K::kButton, u"Reference", CRect(200, top + 11, 258, top + 25)});
  c.push_back({list, K::kCombo, u"", CRect(16, top + 12, 88, top + 212), kStyleHidden});
  if (full) c.push_back({refUnitList, K::kCombo, u"", CRect(92, top + 12, 192, top + 68), kStyleHidden});
}

}  // namespace

// ---- CLightSwitchPage ----------------------------------------------------------------

void CLightSwitchPage::AddFields(bool tl) {
  TimeField t;
  t.slot = 1;
  t.high = kIdTHigh, t.highSpin = kIdTHighSpin, t.colon = kIdTColon, t.low = kIdTLow, t.lowSpin = kIdTLowSpin;
  t.unit = kIdTUnit, t.button = kIdTReference, t.list = kIdTRefList, t.refUnitList = kIdTRefUnitList;
  t.pHigh = &TimeValues::m_nHigh2, t.pLow = &TimeValues::m_nLow2;
  t.pUnit = &TimeValues::m_nUnit2, t.pRefUnit = &TimeValues::m_nRefUnit2;
  t.blockHigh = &CBlockObj::m_nParam15, t.blockLow = &CBlockObj::m_nParam14;
  t.blockUnit = &CBlockObj::m_nParam16, t.blockRefUnit = &CBlockObj::m_nParam13;
  AddTimeField(t);
  if (tl) {
    using P = CSpecialPar4;
    TimeField l;
    l.slot = 0;
    l.high = P::kIdTLHigh, l.highSpin = P::kIdTLHighSpin, l.colon = P::kIdTLColon, l.low = P::kIdTLLow;
    l.lowSpin = P::kIdTLLowSpin, l.unit = P::kIdTLUnit, l.button = P::kIdTLReference,
    l.list = P::kIdTLRefList;
    l.refUnitList = P::kIdTLRefUnitList;
    l.pHigh = &TimeValues::m_nHigh1, l.pLow = &TimeValues::m_nLow1;
    l.pUnit = &TimeValues::m_nUnit1, l.pRefUnit = &TimeValues::m_nRefUnit1;
    l.blockHigh = &CBlockObj::m_nParam10, l.blockLow = &CBlockObj::m_nParam9;
    l.blockUnit = &CBlockObj::m_nParam11, l.blockRefUnit = &CBlockObj::m_nParam12;
    AddTimeField(l);
  }
  TimeField w;
  w.slot = 2;
  w.high = kIdWHigh, w.highSpin = kIdWHighSpin, w.colon = kIdWColon, w.low = kIdWLow, w.lowSpin = kIdWLowSpin;
  w.button = kIdWReference, w.list = kIdWRefList;
  w.pHigh = &TimeValues::m_nWarnTimeHigh, w.pLow = &TimeValues::m_nWarnTimeLow;
  w.dependent = true, w.governor = 0, w.unitLabel = kIdWUnitLabel;
  w.blockHigh = &CBlockObj::m_nParam20, w.blockLow = &CBlockObj::m_nParam19;
  AddTimeField(w);
  TimeField p = w;
  p.slot = 3;
  p.high = kIdPHigh, p.highSpin = kIdPHighSpin, p.colon = kIdPColon, p.low = kIdPLow, p.lowSpin = kIdPLowSpin;
  p.button = kIdPReference, p.list = kIdPRefList, p.unitLabel = kIdPUnitLabel;
  p.pHigh = &TimeValues::m_nWarnPeriodHigh, p.pLow = &TimeValues::m_nWarnPeriodLow;
  p.blockHigh = &CBlockObj::m_nParam22, p.blockLow = &CBlockObj::m_nParam21;
  AddTimeField(p);
}

int CLightSwitchPage::WarningUnit() const {
  return Host().GetCurSel(m_bRef[T().slot] ? T().refUnitList : T().unit);
}

void CLightSwitchPage::UpdateWarningUnitLabels() {
  const int u = WarningUnit();
  for (const TimeField& f : m_fields)
    if (f.dependent)
      Host().SetText(f.unitLabel, u < 0 ? CString() : m_pRef[f.slot] ? RefUnitCaption(u) : UnitCaption(u));
}

void CLightSwitchPage::ClampWarningLows() {
  const int u = WarningUnit();
  if (u < 0 || u >= TIMEBASE_SECONDS) return;
  for (int id : {kIdTLow, kIdWLow, kIdPLow}) {
    bool ok = false;
    if (Host().GetInt(id, &ok) >= 60 && ok) Host().SetInt(id, 59);
  }
}

void CLightSwitchPage::OnStandardWarning() {
  CControlHost& host = Host();
  m_bStandardWarning = host.GetCheck(kIdStandard);
  const TimeField* w = nullptr;
  const TimeField* p = nullptr;
  for (const TimeField& f : m_fields)
    if (f.dependent) (f.slot == 2 ? w : p) = &f;
  if (m_bStandardWarning) {
    // A pre-warning taken from a block goes back to parts first.
    for (const TimeField* f : {w, p})
      if (m_bRef[f->slot])
        if (const RefSlot* s = SlotOfButton(f->button)) CTimerPage::OnReferenceToggle(*s);
    int warnLow = 0, periodLow = 0;
    StandardValues(WarningUnit(), &warnLow, &periodLow);
    m_nWarnTimeHigh = m_nWarnPeriodHigh = 0;
    m_nWarnTimeLow = warnLow;
    m_nWarnPeriodLow = periodLow;
    host.SetInt(kIdWHigh, 0);
    host.SetInt(kIdWLow, warnLow);
    host.SetInt(kIdPHigh, 0);
    host.SetInt(kIdPLow, periodLow);
  }
  for (int id : {kIdWHigh, kIdWHighSpin, kIdWLow, kIdWLowSpin, kIdPHigh, kIdPHighSpin, kIdPLow, kIdPLowSpin})
    host.Enable(id, !m_bStandardWarning);
  for (int id : {kIdWReference, kIdPReference}) host.Enable(id, !m_bStandardWarning && m_bRefAllowed);
  UpdateWarningUnitLabels();
  SetModified();
}

std::vector<int> CLightSwitchPage::Chain() const {
  std::vector<int> chain = TimeChain();
  // The box follows the full fields' buttons, the check boxes close the chain.
  int full = 0;
  for (const TimeField& f : m_fields) full += f.dependent ? 0 : 1;
  int seen = 0;
  for (size_t i = 0; i < chain.size(); ++i)
    for (const TimeField& f : m_fields)
      if (!f.dependent && chain[i] == f.button && ++seen == full) {
        chain.insert(chain.begin() + static_cast<long>(i) + 1, kIdStandard);
        i = chain.size();
        break;
      }
  chain.push_back(kIdRetentivity);
  return chain;
}

void CLightSwitchPage::OnInitDialog() {
  for (const TimeField& f : m_fields) {
    FillUnitCombo(f);
    FillRefUnitList(f);
  }
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  UpdateTimeFields();
  FillReferenceCombos();
  OnStandardWarning();
  UpdateWarningUnitLabels();
  SetTabOrder(Chain());
  if (Simulating()) CreateCurrentValueBox(true);
  AddTimeTips();
  SetModified(false);
}

void CLightSwitchPage::FillReferenceCombos() {
  if (!DropReferencesOnOlderSeries()) CTimerPage::FillReferenceCombos();
}

void CLightSwitchPage::OnReferenceToggle(const RefSlot& slot) {
  CTimerPage::OnReferenceToggle(slot);
  UpdateWarningUnitLabels();
  ClampWarningLows();
  SetTabOrder(Chain());
  if (ReapplyOnToggle()) OnStandardWarning();
}

void CLightSwitchPage::OnNotify(int id, Notify code) {
  if (id == kIdStandard && code == Notify::kClicked) return OnStandardWarning();
  if (code == Notify::kUpdate && (id == kIdWLow || id == kIdPLow)) {
    // The pre-warning's low parts follow T's unit, also while T takes a block.
    const int u = WarningUnit();
    bool ok = false;
    if (u >= 0 && u < TIMEBASE_SECONDS && Host().GetInt(id, &ok) >= 60 && ok) Host().SetInt(id, 59);
    return;
  }
  const bool tUnit = code == Notify::kSelChange && (id == kIdTUnit || id == kIdTRefUnitList);
  if (tUnit && id == kIdTRefUnitList) ClampWarningLows();
  CTimerPage::OnNotify(id, code);
  if (tUnit) {
    UpdateWarningUnitLabels();
    if (ReapplyOnToggle() && m_bStandardWarning) OnStandardWarning();
  }
}

void CLightSwitchPage::OnOK() {
  CTimerPage::OnOK();
  int warnLow = 0, periodLow = 0;
  StandardValues(WarningUnit(), &warnLow, &periodLow);
  if (!m_pRef[2] && !m_pRef[3] && m_nWarnTimeHigh == 0 && m_nWarnTimeLow == warnLow &&
      m_nWarnPeriodHigh == 0 && m_nWarnPeriodLow == periodLow) {
    m_bStandardWarning = 1;
    Host().SetCheck(kIdStandard, 1);
  }
}

// ---- CSpecialPar3 ----------------------------------------------------------------------

CSpecialPar3::CSpecialPar3() {
  m_strTitle = u"Parameter";
  AddFields(false);
}

const PageDesc& CSpecialPar3::Describe() const {
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(275, 223), {}};
    auto& c = d.controls;
    c.push_back({kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight});
    c.push_back({kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)});
    AddRow(c, 28, 1015, u"Off-Delay", kIdTHigh, kIdTHighSpin, kIdTColon, kIdTLow, kIdTLowSpin, kIdTUnit, true,
           kIdTReference, kIdTRefList, kIdTRefUnitList);
    c.push_back({kIdStandard, K::kCheck, u"Use standard values for the pre-warning", CRect(7, 66, 220, 78)});
    AddRow(c, 84, 1013, u"Pre-warning time (T!)", kIdWHigh, kIdWHighSpin, kIdWColon, kIdWLow, kIdWLowSpin,
           kIdWUnitLabel, false, kIdWReference, kIdWRefList, 0);
    AddRow(c, 122, 1031, u"Pre-warning period (T!L)", kIdPHigh, kIdPHighSpin, kIdPColon, kIdPLow, kIdPLowSpin,
           kIdPUnitLabel, false, kIdPReference, kIdPRefList, 0);
    c.push_back({kIdRetentivity, K::kCheck, u"Retentivity", CRect(7, 166, 120, 178)});
    c.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(130, 166, 250, 178)});
    return d;
  }();
  return desc;
}

void CSpecialPar3::StandardValues(int u, int* warnLow, int* periodLow) const {
  const bool seconds = u == TIMEBASE_SECONDS;
  *warnLow = seconds ? 75 : 15;
  *periodLow = seconds ? 5 : 1;
}

void CSpecialPar3::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdStandard, m_bStandardWarning);
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_CBIndex(dx, kIdTUnit, m_nUnit2);
  DDX_Text(dx, kIdTLow, m_nLow2);
  DDX_Text(dx, kIdTHigh, m_nHigh2);
  DDX_Text(dx, kIdWLow, m_nWarnTimeLow);
  DDX_Text(dx, kIdWHigh, m_nWarnTimeHigh);
  DDX_Text(dx, kIdPLow, m_nWarnPeriodLow);
  DDX_Text(dx, kIdPHigh, m_nWarnPeriodHigh);
}

// ---- CSpecialPar4 ----------------------------------------------------------------------

CSpecialPar4::CSpecialPar4() {
  m_strTitle = u"Parameter";
  AddFields(true);
}

const PageDesc& CSpecialPar4::Describe() const {
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(277, 265), {}};
    auto& c = d.controls;
    c.push_back({kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight});
    c.push_back({kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)});
    AddRow(c, 28, 1007, u"Off Delay Time (T)", kIdTHigh, kIdTHighSpin, kIdTColon, kIdTLow, kIdTLowSpin,
           kIdTUnit, true, kIdTReference, kIdTRefList, kIdTRefUnitList);
    AddRow(c, 64, 1015, u"Permanent Light (TL)", kIdTLHigh, kIdTLHighSpin, kIdTLColon, kIdTLLow, kIdTLLowSpin,
           kIdTLUnit, true, kIdTLReference, kIdTLRefList, kIdTLRefUnitList);
    c.push_back(
        {kIdStandard, K::kCheck, u"Use standard values for the pre-warning", CRect(7, 102, 220, 114)});
    AddRow(c, 120, 1013, u"Pre-warning time (T!)", kIdWHigh, kIdWHighSpin, kIdWColon, kIdWLow, kIdWLowSpin,
           kIdWUnitLabel, false, kIdWReference, kIdWRefList, 0);
    AddRow(c, 158, 1031, u"Pre-warning period (T!L)", kIdPHigh, kIdPHighSpin, kIdPColon, kIdPLow, kIdPLowSpin,
           kIdPUnitLabel, false, kIdPReference, kIdPRefList, 0);
    c.push_back({kIdRetentivity, K::kCheck, u"Retentivity", CRect(7, 202, 120, 214)});
    c.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(130, 202, 250, 214)});
    return d;
  }();
  return desc;
}

void CSpecialPar4::StandardValues(int, int* warnLow, int* periodLow) const {
  *warnLow = 0;
  *periodLow = 0;
}

void CSpecialPar4::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdStandard, m_bStandardWarning);
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_CBIndex(dx, kIdTUnit, m_nUnit2);
  DDX_Text(dx, kIdTLow, m_nLow2);
  DDX_Text(dx, kIdTHigh, m_nHigh2);
  DDX_CBIndex(dx, kIdTLUnit, m_nUnit1);
  DDX_Text(dx, kIdTLLow, m_nLow1);
  DDX_Text(dx, kIdTLHigh, m_nHigh1);
  DDX_Text(dx, kIdWLow, m_nWarnTimeLow);
  DDX_Text(dx, kIdWHigh, m_nWarnTimeHigh);
  DDX_Text(dx, kIdPLow, m_nWarnPeriodLow);
  DDX_Text(dx, kIdPHigh, m_nWarnPeriodHigh);
}
