#include "pages/timer_page.h"

#include "blocks/time_blocks.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "platform/string_table.h"

CString UnitCaption(int unit) {
  switch (unit) {
    case TIMEBASE_HOURS:
      return UiText(1245, u"Hours(h:m)");
    case TIMEBASE_MINUTES:
      return UiText(171, u"Minutes(m:s)");
    default:
      return UiText(172, u"Seconds(s:1/100s)");
  }
}

CString RefUnitCaption(int unit) {
  switch (unit) {
    case REFUNIT_MINUTES:
      return UiText(173, u"Minutes");
    case REFUNIT_SECONDS:
      return UiText(174, u"Seconds");
    default:
      return UiText(1212, u"MilliSeconds");
  }
}

// ---- CTimerPage -------------------------------------------------------------------

void CTimerPage::AddTimeField(const TimeField& field) {
  m_fields.push_back(field);
  std::vector<int> values{field.high, field.highSpin, field.colon, field.low, field.lowSpin};
  if (!field.dependent) values.push_back(field.unit);
  AddReferenceSlot({field.slot, field.button, field.list, values});
}

void CTimerPage::FillUnitCombo(const TimeField& f) {
  if (f.dependent) return;
  CControlHost& host = Host();
  host.ResetContent(f.unit);
  for (int u = 0; u < 3; ++u) host.AddString(f.unit, UnitCaption(u));
  host.SetCurSel(f.unit, this->*f.pUnit);
}

void CTimerPage::FillRefUnitList(const TimeField& f) {
  if (f.dependent) return;
  CControlHost& host = Host();
  host.ResetContent(f.refUnitList);
  for (int u = 0; u < 3; ++u) host.AddString(f.refUnitList, RefUnitCaption(u));
  host.SetCurSel(f.refUnitList, this->*f.pRefUnit);
}

int CTimerPage::UnitInForce(const TimeField& f) const {
  const TimeField& g = f.dependent && f.governor >= 0 && f.governor < static_cast<int>(m_fields.size())
                           ? m_fields[static_cast<size_t>(f.governor)]
                           : f;
  if (f.dependent && m_pRef[g.slot]) return Host().GetCurSel(g.refUnitList);
  return Host().GetCurSel(g.unit);
}

void CTimerPage::UpdateUnitLabels() {
  for (const TimeField& f : m_fields)
    if (f.dependent && f.unitLabel) {
      const int unit = UnitInForce(f);
      Host().SetText(f.unitLabel, unit >= 0 ? UnitCaption(unit) : CString());
    }
}

void CTimerPage::UpdateTimeFields() {
  CControlHost& host = Host();
  const int chars = FormatString(u"%d", kMaxPart).GetLength();
  for (const TimeField& f : m_fields) {
    host.SetRange(f.highSpin, 0, kMaxPart);
    host.SetRange(f.lowSpin, 0, kMaxPart);
    host.LimitText(f.high, chars);
    host.LimitText(f.low, chars);
    host.Enable(f.button, m_bRefAllowed != 0);
    const bool block = m_pRef[f.slot] != nullptr;
    for (int id : {f.high, f.highSpin, f.colon, f.low, f.lowSpin}) host.Show(id, !block);
    host.Show(f.list, block);
    if (!f.dependent) {
      host.Show(f.unit, !block);
      host.Show(f.refUnitList, block);
      FillUnitCombo(f);
    }
  }
  UpdateUnitLabels();
}

void CTimerPage::FillReferenceCombos() {
  CBlockParamPage::FillReferenceCombos();
  for (const TimeField& f : m_fields)
    if (!f.dependent && !m_pRef[f.slot]) {
      this->*f.pRefUnit = 0;
      Host().SetCurSel(f.refUnitList, 0);
    }
}

bool CTimerPage::DropReferencesOnOlderSeries() {
  CZaradDoc* doc = Document();
  if (!doc || doc->IsNewerFamily()) return false;
  CControlHost& host = Host();
  for (const TimeField& f : m_fields) {
    m_bRef[f.slot] = 0;
    m_pRef[f.slot] = nullptr;
    host.Show(f.button, false);
    for (int id : {f.high, f.highSpin, f.colon, f.low, f.lowSpin}) host.Show(id, true);
    if (!f.dependent) {
      host.Show(f.unit, true);
      host.Show(f.refUnitList, false);
    }
    host.LimitText(f.high, 2);
    host.LimitText(f.low, 2);
    host.Show(f.list, false);
    host.ResetContent(f.list);
  }
  ApplyNameRule();
  return true;
}

std::vector<int> CTimerPage::TimeChain() const {
  std::vector<int> chain;
  for (const TimeField& f : m_fields) {
    if (m_pRef[f.slot]) {
      chain.push_back(f.list);
      if (!f.dependent) chain.push_back(f.refUnitList);
    } else {
      chain.insert(chain.end(), {f.high, f.low});
      if (!f.dependent) chain.push_back(f.unit);
    }
    chain.push_back(f.button);
  }
  return chain;
}

void CTimerPage::AddTimeTips() {
  for (const TimeField& f : m_fields) {
    AddRangeTip(f.high, 0, kMaxPart);
    Host().SetTipProvider(f.low, [this, &f] {
      return FormatString(LoadString(376).GetString(), 0, UnitInForce(f) <= TIMEBASE_MINUTES ? 59 : 99);
    });
  }
}

void CTimerPage::OnTimeUnitChange(const TimeField& f) {
  CControlHost& host = Host();
  const int sel = host.GetCurSel(f.unit);
  if (sel >= 0 && sel != this->*f.pUnit) {
    // Every low part this unit governs: the field's own and its dependents'.
    for (const TimeField& g : m_fields) {
      const bool governed = &g == &f || (g.dependent && &m_fields[static_cast<size_t>(g.governor)] == &f);
      bool ok = false;
      if (governed && sel < TIMEBASE_SECONDS && host.GetInt(g.low, &ok) >= 60 && ok) host.SetInt(g.low, 59);
    }
    this->*f.pUnit = sel;
  }
  UpdateUnitLabels();
  SetModified();
}

void CTimerPage::OnTimeLowUpdate(const TimeField& f) {
  CControlHost& host = Host();
  bool ok = false;
  if (UnitInForce(f) < TIMEBASE_SECONDS && host.GetInt(f.low, &ok) >= 60 && ok) host.SetInt(f.low, 59);
}

void CTimerPage::WriteThrough(const TimeField& f) {
  CZaradDoc* doc = Document();
  CBlockObj* block = doc ? doc->FindBlockByNumber(m_nBlockNumber) : nullptr;
  if (!block) return;
  block->m_dValue = 0;
  if (f.blockHigh) block->*f.blockHigh = 0;
  if (f.blockLow) block->*f.blockLow = 0;
  if (auto* timer = dynamic_cast<CBlockTime*>(block)) timer->m_bTiming = 0;
  block->m_nRefNumber[f.slot] = -1;
  block->m_pRef[f.slot] = nullptr;
  block->m_bUseRef[f.slot] = m_bRef[f.slot];
  if (f.dependent) return;
  const int refUnit = Host().GetCurSel(f.refUnitList);
  if (f.blockRefUnit) block->*f.blockRefUnit = refUnit < 0 ? 0 : refUnit;
  if (f.blockUnit) block->*f.blockUnit = this->*f.pUnit;
}

void CTimerPage::OnReferenceToggle(const RefSlot& slot) {
  const TimeField* field = nullptr;
  for (const TimeField& f : m_fields)
    if (f.slot == slot.slot) field = &f;
  if (!field) return CBlockParamPage::OnReferenceToggle(slot);
  CControlHost& host = Host();
  const int k = slot.slot;
  m_bRef[k] = m_bRef[k] ? 0 : 1;
  if (!m_bRef[k]) {
    host.Show(field->list, false);
    if (!field->dependent) host.Show(field->refUnitList, false);
    m_nRefNumber[k] = -1;
    m_pRef[k] = nullptr;
    for (int id : slot.valueIds) host.Show(id, true);
    host.LimitText(field->high, 2);
    host.LimitText(field->low, 2);
    FillUnitCombo(*field);
    if (Simulating() && WritesThrough()) WriteThrough(*field);
  } else {
    for (int id : slot.valueIds) host.Show(id, false);
    host.Show(field->list, true);
    if (!field->dependent) host.Show(field->refUnitList, true);
    m_pRef[k] = BlockOfEntry(host.GetText(field->list));
  }
  UpdateUnitLabels();
  SetTabOrder(TimeChain());
  SetModified();
}

void CTimerPage::OnNotify(int id, Notify code) {
  for (const TimeField& f : m_fields) {
    if (!f.dependent && id == f.unit && code == Notify::kSelChange) return OnTimeUnitChange(f);
    if (id == f.low && code == Notify::kUpdate) return OnTimeLowUpdate(f);
    if ((id == f.low || id == f.high) && code == Notify::kChange) return OnValueChange(id);
    if (!f.dependent && id == f.refUnitList && code == Notify::kSelChange) {
      UpdateUnitLabels();
      return SetModified();
    }
  }
  CBlockParamPage::OnNotify(id, code);
}

void CTimerPage::OnOK() {
  for (const TimeField& f : m_fields) {
    const int k = f.slot;
    const bool switched = DecideSlotByBlock() ? m_pRef[k] != nullptr : m_bRef[k] != 0;
    if (switched) {
      this->*f.pHigh = 0;
      this->*f.pLow = 0;
      if (!f.dependent) {
        const int sel = Host().GetCurSel(f.refUnitList);
        this->*f.pRefUnit = sel < 0 ? 0 : sel;
      }
      m_bRef[k] = 1;
    } else {
      if (!f.dependent) this->*f.pRefUnit = 0;
      m_nRefNumber[k] = -1;
      m_pRef[k] = nullptr;
      m_bRef[k] = 0;
    }
  }
}

void CTimerPage::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<TimeValues&>(*this) = values.time;
}

void CTimerPage::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.time = *this;
}

// ---- CSpecialFunPar ------------------------------------------------------------------

CSpecialFunPar::CSpecialFunPar() {
  m_strTitle = Describe().caption;
  TimeField t;
  t.slot = 0;
  t.high = kIdHigh;
  t.highSpin = kIdHighSpin;
  t.colon = kIdColon;
  t.low = kIdLow;
  t.lowSpin = kIdLowSpin;
  t.unit = kIdUnit;
  t.button = kIdReference;
  t.list = kIdRefList;
  t.refUnitList = kIdRefUnitList;
  t.pHigh = &TimeValues::m_nHigh1;
  t.pLow = &TimeValues::m_nLow1;
  t.pUnit = &TimeValues::m_nUnit1;
  t.pRefUnit = &TimeValues::m_nRefUnit1;
  t.blockHigh = &CBlockObj::m_nParam10;
  t.blockLow = &CBlockObj::m_nParam9;
  t.blockUnit = &CBlockObj::m_nParam11;
  t.blockRefUnit = &CBlockObj::m_nParam12;
  AddTimeField(t);
}

const PageDesc& CSpecialFunPar::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(276, 145),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)},
          {kIdTimeGroup, K::kGroup, u"On-Delay", CRect(7, 30, 200, 68)},
          {kIdHigh, K::kEdit, u"", CRect(16, 44, 38, 57), kStyleNumber | kStyleRight},
          {kIdHighSpin, K::kSpin, u"", CRect(38, 44, 46, 57), 0, {}, kIdHigh},
          {kIdColon, K::kStatic, u":", CRect(47, 46, 53, 56), kStyleCentre},
          {kIdLow, K::kEdit, u"", CRect(54, 44, 76, 57), kStyleNumber | kStyleRight},
          {kIdLowSpin, K::kSpin, u"", CRect(76, 44, 84, 57), 0, {}, kIdLow},
          {kIdUnit, K::kCombo, u"", CRect(92, 44, 192, 100)},
          {kIdRetentivity, K::kCheck, u"Retentivity", CRect(7, 78, 120, 90)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 94, 120, 106)},
          {kIdReference, K::kButton, u"Reference", CRect(206, 43, 262, 57)},
          {kIdRefList, K::kCombo, u"", CRect(16, 44, 88, 244), kStyleHidden},
          {kIdRefUnitList, K::kCombo, u"", CRect(92, 44, 192, 100), kStyleHidden},
      }};
  return desc;
}

void CSpecialFunPar::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Text(dx, kIdLow, m_nLow1);
  DDX_Text(dx, kIdHigh, m_nHigh1);
  DDV_MinMaxInt(dx, m_nHigh1, 0, kMaxPart);
  DDX_CBIndex(dx, kIdUnit, m_nUnit1);
}

void CSpecialFunPar::OnInitDialog() {
  // The unit combo is filled before the exchange so that a time taken from a
  // block still carries its unit through the page.
  FillUnitCombo(m_fields[0]);
  FillRefUnitList(m_fields[0]);
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  UpdateTimeFields();
  FillReferenceCombos();
  SetTabOrder(TimeChain());
  if (Simulating()) CreateCurrentValueBox();
  AddTimeTips();
}

void CSpecialFunPar::FillReferenceCombos() {
  CControlHost& host = Host();
  host.ResetContent(kIdRefList);
  ApplyNameRule();
  CZaradDoc* doc = Document();
  if (doc && !doc->IsNewerFamily()) {
    CBlockObj* own = doc->FindBlockByNumber(m_nBlockNumber);
    if (own && own->m_nType == kTypeCPG) {
      host.Show(kIdReference, false);
      return;
    }
  }
  CTimerPage::FillReferenceCombos();
}
