#include "pages/math_pages.h"

#include <algorithm>

#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"

// ---- CAVGVAL ------------------------------------------------------------------------

CAVGVAL::CAVGVAL() {
  m_strTitle = Describe().caption;
  m_nSamplingTime = 1;
  m_nSamples = 1;
}

const PageDesc& CAVGVAL::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(240, 130),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)},
          {kIdTimeLabel, K::kStatic, u"Sampling time", CRect(7, 32, 78, 42)},
          {kIdTime, K::kEdit, u"", CRect(82, 30, 116, 43), kStyleNumber},
          {kIdTimeSpin, K::kSpin, u"", CRect(116, 30, 126, 43), 0, {}, kIdTime},
          {kIdTimeBase,
           K::kCombo,
           u"",
           CRect(132, 30, 200, 90),
           0,
           {u"Days", u"Hours", u"Minutes", u"Seconds"}},
          {kIdReference, K::kButton, u"Reference", CRect(180, 7, 233, 20), kStyleHidden},
          {kIdSamplesLabel, K::kStatic, u"Number of samples", CRect(7, 50, 78, 60)},
          {kIdSamples, K::kEdit, u"", CRect(82, 48, 116, 61), kStyleNumber},
          {kIdSamplesSpin, K::kSpin, u"", CRect(116, 48, 126, 61), 0, {}, kIdSamples},
          {1281, K::kStatic, u"When Enable=0,the calculation stops and the outputs hold the current value.",
           CRect(7, 68, 233, 86)},
          {1282, K::kStatic, u"When Reset=1,all actual  values are reset to 0.", CRect(7, 88, 233, 98)},
          {kIdRetentive, K::kCheck, u"Retentivity", CRect(7, 104, 100, 116)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(120, 104, 233, 116)},
      }};
  return desc;
}

int CAVGVAL::TimeLimit(int base) {
  switch (base) {
    case kDays:
      return 365;
    case kHours:
      return 23;
    default:
      return 59;
  }
}

int CAVGVAL::SamplesLimit(int base, int time) {
  if (base == kMinutes) return time >= 1 && time < 6 ? time * 6000 : kMaxSamples;
  if (base == kSeconds) return std::clamp(time, 1, 59) * 100;
  return kMaxSamples;
}

void CAVGVAL::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdRetentive, m_bRetentive);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Text(dx, kIdSamples, m_nSamples);
  DDX_Text(dx, kIdTime, m_nSamplingTime);
  DDX_CBIndex(dx, kIdTimeBase, m_nSamplingBase);
}

void CAVGVAL::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  Host().Show(kIdReference, false);
  OnTimeBaseChange();
  if (Simulating()) CreateCurrentValueBox();
}

void CAVGVAL::OnTimeBaseChange() {
  CControlHost& host = Host();
  const int base = std::max(host.GetCurSel(kIdTimeBase), 0);
  const int limit = TimeLimit(base);
  host.LimitText(kIdTime, base == kDays ? 3 : 2);
  bool ok = false;
  int time = host.GetInt(kIdTime, &ok);
  time = std::clamp(ok ? time : 1, 1, limit);
  host.SetInt(kIdTime, time);
  host.SetRange(kIdTimeSpin, 1, limit);
  const int samplesLimit = SamplesLimit(base, time);
  int samples = host.GetInt(kIdSamples, &ok);
  host.SetInt(kIdSamples, std::clamp(ok ? samples : 1, 1, samplesLimit));
  host.SetRange(kIdSamplesSpin, 1, samplesLimit);
}

void CAVGVAL::OnTimeUpdate() {
  CControlHost& host = Host();
  const int focus = host.GetFocus();
  if (focus != kIdTime && focus != kIdSamples) return;
  const int base = std::max(host.GetCurSel(kIdTimeBase), 0);
  bool ok = false;
  int time = host.GetInt(kIdTime, &ok);
  if (focus == kIdTime && ok) {
    const int held = std::clamp(time, 1, TimeLimit(base));
    if (held != time) host.SetInt(kIdTime, held);
    time = held;
  }
  const int limit = SamplesLimit(base, ok ? time : 1);
  int samples = host.GetInt(kIdSamples, &ok);
  if (ok) {
    const int held = std::clamp(samples, 1, limit);
    if (held != samples) host.SetInt(kIdSamples, held);
  }
  host.SetRange(kIdSamplesSpin, 1, limit);
}

void CAVGVAL::OnNotify(int id, Notify code) {
  if (id == kIdTimeBase && code == Notify::kSelChange) {
    OnTimeBaseChange();
    return SetModified();
  }
  if ((id == kIdTime || id == kIdSamples) && code == Notify::kUpdate) return OnTimeUpdate();
  if ((id == kIdTime || id == kIdSamples) && code == Notify::kChange) return OnValueChange(id);
  if ((id == kIdRetentive || id == kIdProtection) && code == Notify::kClicked) return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CAVGVAL::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<AverageValues&>(*this) = values.average;
}

void CAVGVAL::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.average = *this;
}

// ---- CMathErr -----------------------------------------------------------------------

CMathErr::CMathErr() {
  m_strTitle = Describe().caption;
}

const PageDesc& CMathErr::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(240, 140),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)},
          {kIdBlockLabel, K::kStatic, u"Referenced mathematical instruction block", CRect(7, 28, 233, 38)},
          {kIdBlockList, K::kCombo, u"", CRect(7, 40, 160, 120)},
          {kIdErrorGroup, K::kGroup, u"Error to be detected", CRect(7, 58, 233, 106)},
          {kIdZeroDivision, K::kRadio, u"Zero division", CRect(14, 68, 200, 78), kStyleGroup},
          {kIdOverflow, K::kRadio, u"OverFlow", CRect(14, 80, 200, 90)},
          {kIdEither, K::kRadio, u"Zero division or Overflow", CRect(14, 92, 200, 102)},
          {kIdAutoReset, K::kCheck, u"Automatically reset", CRect(7, 110, 120, 122)},
          {kIdRetentive, K::kCheck, u"Retentivity", CRect(7, 124, 100, 136)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(120, 124, 233, 136)},
      }};
  return desc;
}

void CMathErr::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdAutoReset, m_bAutoReset);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdRetentive, m_bRetentive);
  DDX_CBIndex(dx, kIdBlockList, m_nBlockIndex);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Radio(dx, {kIdZeroDivision, kIdOverflow, kIdEither}, m_nError);
}

void CMathErr::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  FillBlockList();
  if (Simulating()) CreateCurrentValueBox();
}

void CMathErr::FillBlockList() {
  CControlHost& host = Host();
  host.ResetContent(kIdBlockList);
  host.AddString(kIdBlockList, CString(35, u'-'));
  ApplyNameRule();
  int sel = 0;
  if (Document())
    for (const CBlockObj* b : Document()->m_blocks)
      if (b->m_nType == kWatchedType) {
        const int entry = host.AddString(kIdBlockList, ChoiceText(b));
        if (b == m_pRef[0]) sel = entry;
      }
  host.SetCurSel(kIdBlockList, sel);
}

void CMathErr::OnBlockChange() {
  const int sel = Host().GetCurSel(kIdBlockList);
  m_pRef[0] = sel > 0 ? BlockOfEntry(Host().GetItemText(kIdBlockList, sel)) : nullptr;
  SetModified();
}

void CMathErr::OnOK() {
  if (m_pRef[0]) {
    m_nBlockIndex = 0;
    m_bRef[0] = 1;
    m_nRefNumber[0] = m_pRef[0]->m_nNumber;
  } else {
    m_nRefNumber[0] = -1;
    m_bRef[0] = 0;
  }
}

void CMathErr::OnNotify(int id, Notify code) {
  if (code == Notify::kClicked && (id == kIdZeroDivision || id == kIdOverflow || id == kIdEither)) {
    m_nError = id - kIdZeroDivision;
    return SetModified();
  }
  if (id == kIdBlockList && code == Notify::kSelChange) return OnBlockChange();
  if ((id == kIdAutoReset || id == kIdRetentive || id == kIdProtection) && code == Notify::kClicked)
    return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CMathErr::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<MathErrValues&>(*this) = values.matherr;
}

void CMathErr::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.matherr = *this;
}
