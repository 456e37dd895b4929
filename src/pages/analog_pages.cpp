#include "pages/analog_pages.h"

#include <algorithm>

#include "model/block_codes.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "pages/timer_page.h"
#include "platform/string_table.h"

namespace {

using K = ControlKind;

// A row of a value: label, edit, spin, "Reference" button and the block list
// that stands in place of label, edit and spin.
void AddValueRow(std::vector<ControlDesc>& c, int y, int label, const CString& caption, int edit, int spin,
                 int button, int list, bool withLabel = true) {
  const int left = withLabel ? 60 : 14;
  if (withLabel) c.push_back({label, K::kStatic, caption, CRect(14, y + 2, 58, y + 11)});
  c.push_back({edit, K::kEdit, u"", CRect(left, y, left + 44, y + 12), kStyleRight});
  c.push_back({spin, K::kSpin, u"", CRect(left + 44, y, left + 54, y + 12), 0, {}, edit});
  c.push_back({list, K::kCombo, u"", CRect(14, y, left + 69, y + 100), kStyleHidden});
  if (button) c.push_back({button, K::kButton, u"Reference", CRect(left + 72, y - 1, left + 116, y + 13)});
}

void AddNameRow(std::vector<ControlDesc>& c) {
  c.push_back({kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight});
  c.push_back({kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)});
}

bool ParseNumber(const CString& text, double* out) {
  CString t = text;
  return ParseDecimal(t.Trim(), out);
}

}  // namespace

// ---- CAnalogComparator ---------------------------------------------------------------

CAnalogComparator::CAnalogComparator() {
  m_strTitle = Describe().caption;
  AddReferenceSlot({0, kButton1, kList1, {kLabel1, kEdit1, kSpin1}});
  AddReferenceSlot({1, kButton2, kList2, {kLabel2, kEdit2, kSpin2}});
}

const PageDesc& CAnalogComparator::Describe() const {
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(270, 190), {}};
    AddNameRow(d.controls);
    AddSensorSection(d.controls, 24, false);
    d.controls.push_back({kGroup, K::kGroup, u"Threshold", CRect(7, 118, 196, 158)});
    AddValueRow(d.controls, 128, kLabel1, u"On", kEdit1, kSpin1, kButton1, kList1);
    AddValueRow(d.controls, 142, kLabel2, u"Off", kEdit2, kSpin2, kButton2, kList2);
    AddDecimalsGroup(d.controls, 7, 162);
    d.controls.push_back({kIdRetentivity, K::kCheck, u"Retentivity", CRect(7, 178, 80, 188)});
    d.controls.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(100, 178, 200, 188)});
    return d;
  }();
  return desc;
}

void CAnalogComparator::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  ExchangeSensor(dx);
  DDX_Text(dx, kIdOffset, m_nOffset);
  DDX_Text(dx, kEdit1, m_nLevel1);
  DDX_Text(dx, kEdit2, m_nLevel2);
  DDX_Text(dx, kIdDecimals, m_nDecimals);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Radio(dx, {kIdCelsius, kIdFahrenheit}, m_nUnit);
  DDX_Radio(dx, {kIdResolution1, kIdResolution01}, m_nResolution);
}

void CAnalogComparator::FillReferenceCombos() {
  CControlHost& host = Host();
  for (const RefSlot& s : Slots()) host.ResetContent(s.list);
  const bool fill =
      Series() > 0x50 && (m_nType == kTypeACOMP || m_nType == kTypeATHTRG || m_nType == kTypeAWDOG);
  if (fill && Document()) {
    const std::vector<CString> entries = FillBlockCombo(*Document(), m_nBlockNumber);
    for (const RefSlot& s : Slots())
      for (const CString& e : entries) host.AddString(s.list, e);
  }
  ApplyNameRule();
  for (const RefSlot& s : Slots()) {
    SelectSlotBlock(s);
    if (!m_pRef[s.slot]) m_bRef[s.slot] = 0;
  }
}

void CAnalogComparator::UpdateValueRows() {
  CControlHost& host = Host();
  const bool newer = Series() > 0x50;
  auto row = [&](int k, int label, int edit, int spin, int list, const CString& caption) {
    const bool block = m_bRef[k] != 0;
    host.Show(label, !block);
    host.Show(edit, !block);
    host.Show(spin, !block);
    host.Show(list, block);
    if (!block && !caption.IsEmpty()) host.SetText(label, caption);
  };
  switch (m_nType) {
    case kTypeAAMP:
      for (int id :
           {kGroup, kLabel1, kEdit1, kSpin1, kLabel2, kEdit2, kSpin2, kButton1, kButton2, kList1, kList2})
        host.Show(id, false);
      break;
    case kTypeAWDOG:
      host.Show(kGroup, false);
      if (newer) {
        row(0, kLabel1, kEdit1, kSpin1, kList1, u"Threshold 1(upper: +)");
        row(1, kLabel2, kEdit2, kSpin2, kList2, u"Threshold 2(lower: -)");
      } else {
        for (int id : {kLabel1, kEdit1, kSpin1, kButton1, kButton2, kList1, kList2}) host.Show(id, false);
        host.SetText(kLabel2, u"Threshold(difference)");
      }
      break;
    case kTypeADTRG:
      host.Show(kGroup, false);
      host.SetText(kLabel2, u"Differential");
      host.Show(kList1, false);
      host.Show(kList2, false);
      break;
    default:
      row(0, kLabel1, kEdit1, kSpin1, kList1, CString());
      row(1, kLabel2, kEdit2, kSpin2, kList2, CString());
      break;
  }
}

void CAnalogComparator::UpdateTabOrder() {
  SetTabOrder({kIdSensor, kIdMin, kIdMax, kIdGain, kIdOffset, kIdCelsius, kIdFahrenheit, kIdResolution1,
               kIdResolution01, m_bRef[0] ? kList1 : kEdit1, kButton1, m_bRef[1] ? kList2 : kEdit2, kButton2,
               kIdDecimals, kIdRetentivity});
}

void CAnalogComparator::OnInitDialog() {
  CAnalogSensorPage::OnInitDialog();
  FillReferenceCombos();
  CControlHost& host = Host();
  ApplyNameRule();
  const bool newer = Series() > 0x50;
  const bool buttons = newer && m_nType != kTypeAAMP && m_nType != kTypeADTRG;
  host.Show(kButton1, buttons);
  host.Show(kButton2, buttons);
  if (!(newer && m_nType == kTypeAWDOG)) {
    host.Show(kIdRetentivity, false);
    if (const ControlDesc* place = Describe().Find(kIdRetentivity))
      host.MoveControl(kIdProtection, place->rect);
  }
  InitDecimals();
  host.SetRange(kSpin1, -kThresholdLimit, kThresholdLimit);
  host.SetRange(kSpin2, -kThresholdLimit, kThresholdLimit);
  InitSensorSection(false);
  host.Enable(kButton1, m_bRefAllowed != 0);
  host.Enable(kButton2, m_bRefAllowed != 0);
  UpdateValueRows();
  UpdateTabOrder();
  if (Simulating()) CreateCurrentValueBox();
  AddRangeTip(kEdit1, LowerThreshold(), kThresholdLimit);
  AddRangeTip(kEdit2, LowerThreshold(), kThresholdLimit);
  FinishSensorSection();
  host.LimitText(kEdit1, 6);
  host.LimitText(kEdit2, 6);
}

void CAnalogComparator::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  UpdateValueRows();
  UpdateTabOrder();
}

void CAnalogComparator::OnNotify(int id, Notify code) {
  if ((id == kEdit1 || id == kEdit2) && code == Notify::kUpdate) {
    FilterInteger(id, 5, true);
    return ClampInteger(id, LowerThreshold(), kThresholdLimit);
  }
  if ((id == kEdit1 || id == kEdit2) && code == Notify::kChange) return OnValueChange(id);
  CAnalogSensorPage::OnNotify(id, code);
}

// ---- CARAMP --------------------------------------------------------------------------

CARAMP::CARAMP() : CAnalogSensorPage(true) {
  m_strTitle = Describe().caption;
  AddReferenceSlot({0, kButton1, kList1, {kLabel1, kEdit1, kSpin1}});
  AddReferenceSlot({1, kButton2, kList2, {kLabel2, kEdit2, kSpin2}});
}

const PageDesc& CARAMP::Describe() const {
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(270, 232), {}};
    AddNameRow(d.controls);
    AddSensorSection(d.controls, 24, true);
    auto row = [&d](int y, const CString& caption, int edit, int spin, const CString& unit, int labelId) {
      d.controls.push_back({labelId, K::kStatic, caption, CRect(7, y + 2, 90, y + 11)});
      d.controls.push_back({edit, K::kEdit, u"", CRect(92, y, 136, y + 12), kStyleRight});
      d.controls.push_back({spin, K::kSpin, u"", CRect(136, y, 146, y + 12), 0, {}, edit});
      if (!unit.IsEmpty())
        d.controls.push_back({labelId + 1, K::kStatic, unit, CRect(150, y + 2, 230, y + 11)});
    };
    row(118, u"Speed of change", kIdSpeed, kIdSpeedSpin, u"Steps/second", 2101);
    row(134, u"Largest output value", kIdLargest, kIdLargestSpin, CString(), 2103);
    row(150, u"Start/Stop offset", kIdStartStop, kIdStartStopSpin, u"(100ms)", 2105);
    d.controls.push_back({kGroup, K::kGroup, u"", CRect(7, 164, 196, 200)});
    AddValueRow(d.controls, 172, kLabel1, u"Level1(L1)", kEdit1, kSpin1, kButton1, kList1);
    AddValueRow(d.controls, 186, kLabel2, u"Level2(L2)", kEdit2, kSpin2, kButton2, kList2);
    AddDecimalsGroup(d.controls, 7, 204);
    d.controls.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(7, 220, 100, 230)});
    return d;
  }();
  return desc;
}

void CARAMP::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  ExchangeSensor(dx);
  DDX_Text(dx, kIdOffset, m_nOffset);
  DDX_Text(dx, kEdit1, m_nLevel1);
  DDX_Text(dx, kEdit2, m_nLevel2);
  DDX_Text(dx, kIdDecimals, m_nDecimals);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Radio(dx, {kIdCelsius, kIdFahrenheit}, m_nUnit);
  DDX_Radio(dx, {kIdResolution1, kIdResolution01}, m_nResolution);
  DDX_Text(dx, kIdSpeed, m_nSpeed);
  DDX_Text(dx, kIdLargest, m_nLargest);
  DDX_Text(dx, kIdStartStop, m_nStartStop);
}

void CARAMP::UpdateValueRows() {
  CControlHost& host = Host();
  for (int k = 0; k < 2; ++k) {
    const bool block = m_bRef[k] != 0;
    for (int id :
         k == 0 ? std::vector<int>{kLabel1, kEdit1, kSpin1} : std::vector<int>{kLabel2, kEdit2, kSpin2})
      host.Show(id, !block);
    host.Show(k == 0 ? kList1 : kList2, block);
  }
}

void CARAMP::UpdateTabOrder() {
  SetTabOrder({kIdSensor, kIdMin, kIdMax, kIdGain, kIdOffset, kIdCelsius, kIdFahrenheit, kIdResolution1,
               kIdResolution01, kIdSpeed, kIdLargest, kIdStartStop, m_bRef[0] ? kList1 : kEdit1, kButton1,
               m_bRef[1] ? kList2 : kEdit2, kButton2, kIdDecimals});
}

void CARAMP::OnInitDialog() {
  CAnalogSensorPage::OnInitDialog();
  FillReferenceCombos();
  for (const RefSlot& s : Slots())
    if (!m_pRef[s.slot]) m_bRef[s.slot] = 0;
  CControlHost& host = Host();
  ApplyNameRule();
  const bool newer = Series() > 0x50;
  host.Show(kButton1, newer);
  host.Show(kButton2, newer);
  InitDecimals();
  host.SetRange(kSpin1, -20000, 20000);
  host.SetRange(kSpin2, -20000, 20000);
  host.SetRange(kIdSpeedSpin, 1, 10000);
  host.SetRange(kIdLargestSpin, -10000, 20000);
  host.SetRange(kIdStartStopSpin, 0, 20000);
  InitSensorSection(false);
  host.Enable(kButton1, m_bRefAllowed != 0);
  host.Enable(kButton2, m_bRefAllowed != 0);
  UpdateValueRows();
  UpdateTabOrder();
  if (Simulating()) CreateCurrentValueBox();
  AddRangeTip(kEdit1, -10000, 20000);
  AddRangeTip(kEdit2, -10000, 20000);
  AddRangeTip(kIdLargest, -10000, 20000);
  AddRangeTip(kIdSpeed, 1, 10000);
  AddRangeTip(kIdStartStop, 0, 20000);
  FinishSensorSection();
  for (int id : {kEdit1, kEdit2, kIdLargest}) host.LimitText(id, 6);
  for (int id : {kIdSpeed, kIdStartStop}) host.LimitText(id, 5);
}

void CARAMP::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  UpdateValueRows();
  UpdateTabOrder();
}

void CARAMP::OnNotify(int id, Notify code) {
  struct Limit {
    int id, lower, upper;
    bool minus;
  };
  static const Limit kLimits[] = {{kEdit1, -10000, 20000, true},
                                  {kEdit2, -10000, 20000, true},
                                  {kIdSpeed, 1, 10000, false},
                                  {kIdLargest, -10000, 20000, true},
                                  {kIdStartStop, 0, 20000, false}};
  for (const Limit& l : kLimits) {
    if (id != l.id) continue;
    if (code == Notify::kUpdate) {
      FilterInteger(id, 5, l.minus);
      return ClampInteger(id, l.lower, l.upper);
    }
    if (code == Notify::kChange) return OnValueChange(id);
  }
  CAnalogSensorPage::OnNotify(id, code);
}

// ---- CPI -----------------------------------------------------------------------------

const PiPreset& PiParameterSet(int index) {
  static const PiPreset kSets[] = {{u"Temperature fast", 0.5, 0, 30}, {u"Temperature slow", 1.0, 2, 0},
                                   {u"Pressure 1", 3.0, 0, 5},        {u"Pressure 2", 1.2, 0, 12},
                                   {u"Full level 1", 1.0, 99, 59},    {u"Full level 2", 0.7, 0, 20}};
  return kSets[std::clamp(index, 0, 5)];
}

CPI::CPI() {
  m_strTitle = Describe().caption;
  m_bRetentive = 1;
  m_bIntegral = 1;
  m_nTiSeconds = 30;
  AddReferenceSlot({0, kButton1, kList1, {kEdit1, kSpin1}});
  AddReferenceSlot({1, kButton2, kList2, {kEdit2, kSpin2}});
}

const PageDesc& CPI::Describe() const {
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(270, 252), {}};
    AddNameRow(d.controls);
    AddSensorSection(d.controls, 24, false);
    d.controls.push_back({kGroup, K::kGroup, u"Set value(SP)", CRect(7, 118, 130, 142)});
    d.controls.push_back({kIdManualGroup, K::kGroup, u"Manual output(Mq)", CRect(137, 118, 263, 142)});
    auto row = [&d](int left, int edit, int spin, int button, int list) {
      d.controls.push_back({edit, K::kEdit, u"", CRect(left, 127, left + 40, 139), kStyleRight});
      d.controls.push_back({spin, K::kSpin, u"", CRect(left + 40, 127, left + 50, 139), 0, {}, edit});
      d.controls.push_back({list, K::kCombo, u"", CRect(left, 127, left + 65, 227), kStyleHidden});
      d.controls.push_back({button, K::kButton, u"Reference", CRect(left + 68, 126, left + 110, 140)});
    };
    row(14, kEdit1, kSpin1, kButton1, kList1);
    row(144, kEdit2, kSpin2, kButton2, kList2);
    d.controls.push_back({2110, K::kLine, u"", CRect(7, 146, 263, 147)});
    d.controls.push_back({kIdSetLabel, K::kStatic, u"Parameter set", CRect(7, 153, 120, 162)});
    std::vector<CString> sets;
    for (int i = 0; i < kPiUserDefined; ++i) sets.push_back(PiParameterSet(i).name);
    sets.push_back(u"User defined");
    d.controls.push_back({kIdSet, K::kCombo, u"", CRect(124, 151, 220, 230), 0, sets});
    d.controls.push_back({kIdKcLabel, K::kStatic, u"Controller amplification(KC)", CRect(7, 169, 120, 178)});
    d.controls.push_back({kIdKc, K::kEdit, u"", CRect(124, 167, 164, 179), kStyleRight});
    d.controls.push_back({kIdKcSpin, K::kSpin, u"", CRect(164, 167, 174, 179), 0, {}, kIdKc});
    d.controls.back().decimals = 2;
    d.controls.push_back({kIdTi, K::kCheck, u"Intergration time(TI)", CRect(7, 185, 120, 195)});
    d.controls.push_back(
        {kIdTiMinutes, K::kEdit, u"", CRect(124, 183, 142, 195), kStyleNumber | kStyleRight});
    d.controls.push_back({kIdTiMinutesSpin, K::kSpin, u"", CRect(142, 183, 150, 195), 0, {}, kIdTiMinutes});
    d.controls.push_back({kIdTiColon, K::kStatic, u":", CRect(151, 185, 155, 194)});
    d.controls.push_back(
        {kIdTiSeconds, K::kEdit, u"", CRect(156, 183, 174, 195), kStyleNumber | kStyleRight});
    d.controls.push_back({kIdTiSecondsSpin, K::kSpin, u"", CRect(174, 183, 182, 195), 0, {}, kIdTiSeconds});
    d.controls.push_back({kIdTiUnit, K::kStatic, u"Minutes(m:s)", CRect(186, 185, 250, 194)});
    d.controls.push_back({kIdDirLabel, K::kStatic, u"Direction(Dir)", CRect(7, 201, 120, 210)});
    d.controls.push_back({kIdUp, K::kRadio, u"Upwords(+)", CRect(124, 200, 184, 210), kStyleGroup});
    d.controls.push_back({kIdDown, K::kRadio, u"Downwords(-)", CRect(188, 200, 256, 210)});
    d.controls.push_back({2111, K::kLine, u"", CRect(7, 215, 263, 216)});
    AddDecimalsGroup(d.controls, 7, 221);
    d.controls.push_back({kIdRetentivity, K::kCheck, u"Retentivity", CRect(7, 238, 80, 248), kStyleDisabled});
    d.controls.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(100, 238, 200, 248)});
    return d;
  }();
  return desc;
}

void CPI::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_CBIndex(dx, kIdSensor, m_nSensor);
  DDX_CBIndex(dx, kIdSet, m_nParamSet);
  DDX_Text(dx, kIdMin, m_nRangeMin);
  DDX_Text(dx, kIdMax, m_nRangeMax);
  DDX_Text(dx, kIdHundredths, m_nGainHundredths);
  DDV_MinMaxInt(dx, m_nGainHundredths, -1000, 1000);
  DDX_Text(dx, kIdOffset, m_nOffset);
  DDX_Text(dx, kEdit1, m_nLevel1);
  DDX_Text(dx, kEdit2, m_nLevel2);
  DDX_Text(dx, kIdDecimals, m_nDecimals);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Check(dx, kIdTi, m_bIntegral);
  DDX_Radio(dx, {kIdCelsius, kIdFahrenheit}, m_nUnit);
  DDX_Radio(dx, {kIdResolution1, kIdResolution01}, m_nResolution);
  DDX_Radio(dx, {kIdUp, kIdDown}, m_nSelect);
  DDX_Text(dx, kIdTiMinutes, m_nTiMinutes);
  DDV_MinMaxInt(dx, m_nTiMinutes, 0, 99);
  DDX_Text(dx, kIdTiSeconds, m_nTiSeconds);
  DDV_MinMaxInt(dx, m_nTiSeconds, 0, 59);
  ExchangeGain(dx);
  dx.SetLastControl(kIdKc);
  if (dx.IsSaving()) {
    double kc = 0;
    if (!ParseNumber(dx.Host().GetText(kIdKc), &kc)) dx.Fail(LoadString(61713));
    m_dKc = kc;
  } else {
    dx.Host().SetText(kIdKc, FormatDecimal(m_dKc, 2));
  }
}

void CPI::UpdateTabOrder() {
  SetTabOrder({kIdSensor,       kIdMin,
               kIdMax,          kIdGain,
               kIdOffset,       kIdCelsius,
               kIdFahrenheit,   kIdResolution1,
               kIdResolution01, m_bRef[0] ? kList1 : kEdit1,
               kButton1,        m_bRef[1] ? kList2 : kEdit2,
               kButton2,        kIdSet,
               kIdKc,           kIdTi,
               kIdTiMinutes,    kIdTiSeconds,
               kIdUp,           kIdDown,
               kIdDecimals});
}

void CPI::OnInitDialog() {
  CAnalogSensorPage::OnInitDialog();
  FillReferenceCombos();
  for (const RefSlot& s : Slots())
    if (!m_pRef[s.slot]) m_bRef[s.slot] = 0;
  CControlHost& host = Host();
  ApplyNameRule();
  host.SetRange(kIdKcSpin, 0, 100);
  host.SetRange(kIdTiMinutesSpin, 0, 99);
  host.SetRange(kIdTiSecondsSpin, 0, 59);
  host.SetCheck(kIdUp, m_nSelect == 0);
  host.SetCheck(kIdDown, m_nSelect != 0);
  const bool newer = Series() > 0x50;
  host.Show(kButton1, newer);
  host.Show(kButton2, newer);
  InitDecimals();
  host.SetRange(kSpin1, -20000, 20000);
  host.SetRange(kSpin2, -20000, 20000);
  InitSensorSection(true);
  host.Enable(kButton1, m_bRefAllowed != 0);
  host.Enable(kButton2, m_bRefAllowed != 0);
  ShowSlots();
  UpdateTabOrder();
  if (Simulating()) CreateCurrentValueBox();
  AddRangeTip(kEdit1, -10000, 20000);
  AddRangeTip(kEdit2, 0, 1000);
  FinishSensorSection();
  OnParameterSetChange();
  AddRangeTip(kIdTiMinutes, 0, 99);
  AddRangeTip(kIdTiSeconds, 0, 59);
  AddRangeTip(kIdKc, 0.0, kKcLimit);
  for (int id : {kEdit1, kEdit2}) host.LimitText(id, 6);
  host.LimitText(kIdKc, 5);
  host.LimitText(kIdTiMinutes, 2);
  host.LimitText(kIdTiSeconds, 2);
}

void CPI::OnParameterSetChange() {
  CControlHost& host = Host();
  const int set = host.GetCurSel(kIdSet);
  if (set >= 0 && set < kPiUserDefined) {
    const PiPreset& p = PiParameterSet(set);
    host.SetText(kIdKc, FormatDecimal(p.kc, 2));
    host.SetInt(kIdTiMinutes, p.tiMinutes);
    host.SetInt(kIdTiSeconds, p.tiSeconds);
    for (int id : {kIdKcLabel, kIdKc, kIdKcSpin}) host.Enable(id, false);
    host.SetCheck(kIdTi, 1);
    host.Enable(kIdTi, false);
    for (int id :
         {kIdTiMinutes, kIdTiMinutesSpin, kIdTiColon, kIdTiSeconds, kIdTiSecondsSpin, kIdTiUnit, kIdDirLabel})
      host.Enable(id, false);
    host.SetCheck(kIdUp, 1);
    host.SetCheck(kIdDown, 0);
    host.Enable(kIdUp, false);
    host.Enable(kIdDown, false);
  } else {
    m_nSavedTiMinutes = host.GetInt(kIdTiMinutes);
    m_nSavedTiSeconds = host.GetInt(kIdTiSeconds);
    for (int id : {kIdKcLabel, kIdKc, kIdKcSpin, kIdTi}) host.Enable(id, true);
    const bool ti = host.GetCheck(kIdTi) != 0;
    for (int id : {kIdTiMinutes, kIdTiMinutesSpin, kIdTiColon, kIdTiSeconds, kIdTiSecondsSpin})
      host.Enable(id, ti);
    for (int id : {kIdTiUnit, kIdDirLabel, kIdUp, kIdDown}) host.Enable(id, true);
  }
  SetModified();
}

void CPI::OnTiClicked() {
  CControlHost& host = Host();
  m_bIntegral = host.GetCheck(kIdTi);
  if (m_bIntegral) {
    host.SetInt(kIdTiMinutes, m_nSavedTiMinutes);
    host.SetInt(kIdTiSeconds, m_nSavedTiSeconds);
  } else {
    m_nSavedTiMinutes = host.GetInt(kIdTiMinutes);
    m_nSavedTiSeconds = host.GetInt(kIdTiSeconds);
    host.SetInt(kIdTiMinutes, 99);
    host.SetInt(kIdTiSeconds, 59);
  }
  for (int id : {kIdTiMinutes, kIdTiMinutesSpin, kIdTiSeconds, kIdTiSecondsSpin})
    host.Enable(id, m_bIntegral != 0);
  SetModified();
}

void CPI::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  UpdateTabOrder();
}

void CPI::OnOK() {
  CAnalogSensorPage::OnOK();
  if (m_nParamSet == kPiUserDefined && m_bIntegral && m_nTiMinutes == 99 && m_nTiSeconds == 59)
    m_bIntegral = 0;
}

void CPI::OnNotify(int id, Notify code) {
  CControlHost& host = Host();
  if ((id == kEdit1 || id == kEdit2) && code == Notify::kUpdate) {
    FilterInteger(id, 5, true);
    return id == kEdit1 ? ClampInteger(id, -10000, 20000) : ClampInteger(id, 0, 1000);
  }
  if ((id == kEdit1 || id == kEdit2) && code == Notify::kChange) return OnValueChange(id);
  if (id == kIdKc && code == Notify::kUpdate) {
    if (host.GetFocus() == kIdKc) {
      // Two whole digits and two decimals, no minus sign.
      const CString text = host.GetText(kIdKc);
      CString kept;
      int whole = 0, decimals = 0;
      bool point = false;
      for (int i = 0; i < text.GetLength(); ++i) {
        const char16_t ch = text[i];
        if (ch == u'.' && !point) {
          point = true;
          kept += ch;
        } else if (ch >= u'0' && ch <= u'9' && !(point ? decimals++ >= 2 : whole++ >= 2)) {
          kept += ch;
        }
      }
      if (kept != text) return host.SetText(kIdKc, kept);
    }
    double kc = 0;
    if (ParseNumber(host.GetText(kIdKc), &kc)) {
      if (kc > kKcLimit) host.SetText(kIdKc, FormatDecimal(kKcLimit, 2));
      if (kc < 0) host.SetText(kIdKc, u"0");
    }
    return;
  }
  if ((id == kIdKc || id == kIdTiMinutes || id == kIdTiSeconds) && code == Notify::kChange)
    return SetModified();
  if (id == kIdSet && code == Notify::kSelChange) return OnParameterSetChange();
  if (id == kIdTi && code == Notify::kClicked) return OnTiClicked();
  if ((id == kIdUp || id == kIdDown) && code == Notify::kClicked) {
    m_nSelect = id == kIdDown ? 1 : 0;
    return SetModified();
  }
  CAnalogSensorPage::OnNotify(id, code);
}

// ---- CPWM ----------------------------------------------------------------------------

CPWM::CPWM() {
  m_strTitle = Describe().caption;
  m_nSelect = kHighSpeedDisable;
  AddReferenceSlot(
      {0, kIdReference, kIdBlockList, {kIdHigh, kIdHighSpin, kIdColon, kIdLow, kIdLowSpin, kIdUnit}});
}

const PageDesc& CPWM::Describe() const {
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(270, 222), {}};
    AddNameRow(d.controls);
    AddSensorSection(d.controls, 24, false);
    d.controls.push_back({kIdRangeGroup2, K::kGroup, u"Threshold", CRect(7, 118, 130, 158)});
    d.controls.push_back({kIdMinLabel2, K::kStatic, u"Range Min:", CRect(14, 130, 58, 139)});
    d.controls.push_back({kIdPwmMin, K::kEdit, u"", CRect(60, 128, 108, 140), kStyleRight});
    d.controls.push_back({kIdPwmMinSpin, K::kSpin, u"", CRect(108, 128, 118, 140), 0, {}, kIdPwmMin});
    d.controls.push_back({kIdMaxLabel2, K::kStatic, u"Range Max:", CRect(14, 144, 58, 153)});
    d.controls.push_back({kIdPwmMax, K::kEdit, u"", CRect(60, 142, 108, 154), kStyleRight});
    d.controls.push_back({kIdPwmMaxSpin, K::kSpin, u"", CRect(108, 142, 118, 154), 0, {}, kIdPwmMax});
    d.controls.push_back({kIdHighSpeedGroup, K::kGroup, u"High Speed Out", CRect(137, 118, 263, 158)});
    d.controls.push_back({kIdHighSpeed,
                          K::kCombo,
                          u"",
                          CRect(144, 132, 220, 200),
                          0,
                          {u"Q0", u"Q1", u"Q2", u"Q3", u"Disable"}});
    d.controls.push_back({kIdTimeGroup, K::kGroup, u"Periodic time", CRect(7, 162, 263, 186)});
    d.controls.push_back({kIdHigh, K::kEdit, u"", CRect(14, 171, 32, 183), kStyleNumber | kStyleRight});
    d.controls.push_back({kIdHighSpin, K::kSpin, u"", CRect(32, 171, 40, 183), 0, {}, kIdHigh});
    d.controls.push_back({kIdColon, K::kStatic, u":", CRect(42, 173, 46, 182)});
    d.controls.push_back({kIdLow, K::kEdit, u"", CRect(48, 171, 66, 183), kStyleNumber | kStyleRight});
    d.controls.push_back({kIdLowSpin, K::kSpin, u"", CRect(66, 171, 74, 183), 0, {}, kIdLow});
    d.controls.push_back({kIdUnit,
                          K::kCombo,
                          u"",
                          CRect(80, 171, 160, 230),
                          0,
                          {u"Hours(h:m)", u"Minutes(m:s)", u"Seconds(s:1/100s)"}});
    d.controls.push_back({kIdBlockList, K::kCombo, u"", CRect(14, 171, 86, 371), kStyleHidden});
    d.controls.push_back({kIdRefUnitList,
                          K::kCombo,
                          u"",
                          CRect(88, 171, 160, 271),
                          kStyleHidden,
                          {u"Minutes", u"Seconds", u"MilliSeconds"}});
    d.controls.push_back({kIdReference, K::kButton, u"Reference", CRect(200, 170, 256, 184)});
    AddDecimalsGroup(d.controls, 7, 192);
    d.controls.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(7, 208, 100, 218)});
    return d;
  }();
  return desc;
}

int CPWM::SelectedUnit() const {
  return Host().GetCurSel(kIdUnit);
}

void CPWM::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  ExchangeSensor(dx);
  DDX_Text(dx, kIdOffset, m_nOffset);
  DDX_Text(dx, kIdPwmMin, m_nLevel1);
  DDX_Text(dx, kIdPwmMax, m_nLevel2);
  DDX_Text(dx, kIdDecimals, m_nDecimals);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Radio(dx, {kIdCelsius, kIdFahrenheit}, m_nUnit);
  DDX_Radio(dx, {kIdResolution1, kIdResolution01}, m_nResolution);
  DDX_CBIndex(dx, kIdHighSpeed, m_nSelect);
  DDX_Text(dx, kIdLow, m_nPeriodLow);
  DDX_Text(dx, kIdHigh, m_nPeriodHigh);
  DDV_MinMaxInt(dx, m_nPeriodHigh, 0, 99);
  DDX_CBIndex(dx, kIdUnit, m_nPeriodUnit);
}

void CPWM::FillUnitCombo(int select) {
  CControlHost& host = Host();
  const int out = host.GetCurSel(kIdHighSpeed);
  host.ResetContent(kIdUnit);
  host.AddString(kIdUnit, UnitCaption(TIMEBASE_HOURS));
  host.AddString(kIdUnit, UnitCaption(TIMEBASE_MINUTES));
  host.AddString(kIdUnit,
                 out >= 0 && out < kHighSpeedDisable ? CString(u"100ms:ms") : UnitCaption(TIMEBASE_SECONDS));
  host.SetCurSel(kIdUnit, select);
}

void CPWM::UpdateTimeFields() {
  CControlHost& host = Host();
  host.SetRange(kIdHighSpin, 0, 99);
  host.SetRange(kIdLowSpin, 0, 99);
  host.LimitText(kIdHigh, 2);
  host.LimitText(kIdLow, 2);
  host.Enable(kIdReference, m_bRefAllowed != 0);
  const bool block = m_bRef[0] != 0;
  for (int id : {kIdHigh, kIdHighSpin, kIdColon, kIdLow, kIdLowSpin, kIdUnit}) host.Show(id, !block);
  host.Show(kIdBlockList, block);
  host.Show(kIdRefUnitList, block);
}

void CPWM::UpdateTabOrder() {
  std::vector<int> chain{kIdSensor,     kIdMin,         kIdMax,          kIdGain,   kIdOffset, kIdCelsius,
                         kIdFahrenheit, kIdResolution1, kIdResolution01, kIdPwmMin, kIdPwmMax, kIdHighSpeed};
  if (m_bRef[0])
    chain.insert(chain.end(), {kIdBlockList, kIdRefUnitList});
  else
    chain.insert(chain.end(), {kIdHigh, kIdLow, kIdUnit});
  chain.insert(chain.end(), {kIdReference, kIdDecimals});
  SetTabOrder(chain);
}

void CPWM::OnInitDialog() {
  CAnalogSensorPage::OnInitDialog();
  CControlHost& host = Host();
  if (!m_pRef[0]) FillUnitCombo(m_nPeriodUnit);
  host.SetCurSel(kIdRefUnitList, std::clamp(m_nPeriodRefUnit, 0, 2));
  host.ResetContent(kIdBlockList);
  if (Document())
    for (const CString& e : FillBlockCombo(*Document(), m_nBlockNumber)) host.AddString(kIdBlockList, e);
  if (m_pRef[0]) {
    SelectSlotBlock(Slots().front());
  } else {
    host.SetCurSel(kIdBlockList, host.GetCount(kIdBlockList) > 0 ? 0 : -1);
    m_nPeriodRefUnit = 0;
    host.SetCurSel(kIdRefUnitList, 0);
  }
  ApplyNameRule();
  InitDecimals();
  host.SetRange(kIdPwmMinSpin, -kRangeLimit, kRangeLimit);
  host.SetRange(kIdPwmMaxSpin, -kRangeLimit, kRangeLimit);
  InitSensorSection(false);
  UpdateTimeFields();
  UpdateTabOrder();
  if (Simulating()) CreateCurrentValueBox();
  AddRangeTip(kIdPwmMin, -kRangeLimit, kRangeLimit);
  AddRangeTip(kIdPwmMax, -kRangeLimit, kRangeLimit);
  FinishSensorSection();
  AddRangeTip(kIdHigh, 0, 99);
  // The low part's tip follows the unit shown when it is asked for.
  host.SetTipProvider(kIdLow, [this] {
    const int unit = SelectedUnit();
    return FormatString(LoadString(376).GetString(), 0, unit == 0 || unit == 1 ? 59 : 99);
  });
  host.LimitText(kIdPwmMin, 6);
  host.LimitText(kIdPwmMax, 6);
}

void CPWM::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  CControlHost& host = Host();
  host.Show(kIdRefUnitList, m_bRef[0] != 0);
  if (!m_bRef[0]) {
    host.LimitText(kIdHigh, 2);
    host.LimitText(kIdLow, 2);
  }
  UpdateTabOrder();
}

void CPWM::OnOK() {
  CAnalogSensorPage::OnOK();
  if (m_pRef[0]) {
    m_nPeriodLow = 0;
    m_nPeriodHigh = 0;
    m_nPeriodRefUnit = std::max(0, Host().GetCurSel(kIdRefUnitList));
    m_bRef[0] = 1;
  } else {
    m_nPeriodRefUnit = 0;
    m_nRefNumber[0] = -1;
    m_bRef[0] = 0;
  }
}

void CPWM::OnNotify(int id, Notify code) {
  CControlHost& host = Host();
  if ((id == kIdPwmMin || id == kIdPwmMax) && code == Notify::kUpdate) {
    FilterInteger(id, 5, true);
    return ClampInteger(id, -kRangeLimit, kRangeLimit);
  }
  if ((id == kIdPwmMin || id == kIdPwmMax || id == kIdLow || id == kIdHigh) && code == Notify::kChange)
    return OnValueChange(id);
  if (id == kIdLow && code == Notify::kUpdate) {
    const int unit = SelectedUnit();
    if ((unit == 0 || unit == 1) && host.GetInt(kIdLow) >= 60) host.SetInt(kIdLow, 59);
    return;
  }
  if (id == kIdUnit && code == Notify::kSelChange) {
    const int unit = SelectedUnit();
    if (unit != m_nPeriodUnit) {
      if (unit < 2 && host.GetInt(kIdLow) >= 60) host.SetInt(kIdLow, 59);
      m_nPeriodUnit = unit;
    }
    return SetModified();
  }
  if (id == kIdHighSpeed && code == Notify::kSelChange) {
    FillUnitCombo(SelectedUnit());
    return SetModified();
  }
  if (id == kIdRefUnitList && code == Notify::kSelChange) return SetModified();
  CAnalogSensorPage::OnNotify(id, code);
}
