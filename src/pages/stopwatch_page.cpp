#include "pages/stopwatch_page.h"

#include <string>

#include "model/block_codes.h"
#include "platform/string_table.h"

namespace {

CString FormatNumber(double value) {
  return FormatDecimal(value, 2);
}

// "Please enter a number between -10000 and 10000."
CString RangeMessage() {
  std::u16string text = LoadString(61715).GetString();
  const std::u16string lo = FormatNumber(-CStopWatch::kLimit).GetString();
  const std::u16string hi = FormatNumber(CStopWatch::kLimit).GetString();
  if (const auto at = text.find(u"%1"); at != std::u16string::npos) text.replace(at, 2, lo);
  if (const auto at = text.find(u"%2"); at != std::u16string::npos) text.replace(at, 2, hi);
  return CString(text.c_str());
}

}  // namespace

CStopWatch::CStopWatch() {
  m_strTitle = u"Parameter";
  AddReferenceSlot({0, kIdReference, kIdRefList, {kIdChoice}});
}

bool CStopWatch::HasNumber() const {
  const int t = m_nType;
  return t == kTypeLOG || t == kTypeSQRT || t == kTypePOW2 || t == kTypeEXP ||
         (t >= kTypeSIN && t <= kTypeCSC);
}

const PageDesc& CStopWatch::Describe() const {
  using K = ControlKind;
  // "Retentivity" only for the stopwatch; elsewhere "Protection Active" takes its place.
  static const auto make = [](bool retain) {
    PageDesc d{kTemplate, u"Parameter", CSize(240, 130), {}};
    d.controls = {
        {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 70, 20), kStyleRight},
        {kIdBlockName, K::kEdit, u"", CRect(74, 8, 150, 21)},
        {kIdChoiceLabel, K::kStatic, u"Time Base", CRect(7, 32, 70, 42), kStyleRight},
        {kIdChoice,
         K::kCombo,
         u"",
         CRect(74, 30, 150, 90),
         0,
         {u"Hours", u"Minutes", u"Seconds", u"10 milliseconds"}},
        {kIdReference, K::kButton, u"Reference", CRect(160, 29, 218, 43)},
        {kIdRefList, K::kCombo, u"", CRect(74, 30, 156, 230), kStyleHidden},
        {kIdValueLabel, K::kStatic, u"Amplification", CRect(7, 54, 70, 64), kStyleRight},
        {kIdValue, K::kEdit, u"", CRect(74, 52, 150, 65), kStyleRight},
        {kIdSpin, K::kSpin, u"", CRect(150, 52, 158, 65), 0, {}, kIdValue},
    };
    d.controls.back().decimals = 2;  // steps the number by 0.01
    if (retain) d.controls.push_back({kIdRetain, K::kCheck, u"Retentivity", CRect(7, 76, 120, 88)});
    d.controls.push_back({kIdProtect, K::kCheck, u"Protection Active",
                          retain ? CRect(130, 76, 230, 88) : CRect(7, 76, 120, 88)});
    return d;
  };
  static const PageDesc withRetain = make(true), without = make(false);
  return m_nType == kTypeSW ? withRetain : without;
}

void CStopWatch::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtect, m_bProtection);
  if (m_nType == kTypeSW) DDX_Check(dx, kIdRetain, m_bRetentive);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  if (HasChoice()) DDX_CBIndex(dx, kIdChoice, m_nChoice);
  if (!HasNumber()) return;
  dx.SetLastControl(kIdValue);
  if (dx.IsSaving()) {
    double v = 0;
    if (!ParseDecimal(dx.Host().GetText(kIdValue), &v)) dx.Fail(LoadString(61713));
    if (v < -kLimit || v > kLimit) dx.Fail(RangeMessage());
    m_dAmplification = v;
  } else {
    dx.Host().SetText(kIdValue, FormatNumber(m_dAmplification));
  }
}

void CStopWatch::ApplyTabOrder() {
  std::vector<int> order{kIdBlockName};
  if (HasChoice()) order.push_back(m_pRef[0] ? kIdRefList : kIdChoice);
  if (TakesReference()) order.push_back(kIdReference);
  if (HasNumber()) order.push_back(kIdValue);
  if (m_nType == kTypeSW) order.push_back(kIdRetain);
  order.push_back(kIdProtect);
  Host().SetTabOrder(order);
}

void CStopWatch::OnInitDialog() {
  // The lists before the exchange, so that the choice lands on its entry.
  CControlHost& host = Host();
  std::vector<CString> entries;
  if (m_nType == kTypeAnalogFilter)
    for (int k = 0; k < 6; ++k) entries.push_back(FormatString(u"%d", 8 << k));
  else if (m_nType == kTypeLOG)
    entries = {u"e", u"2", u"10"};
  else if (m_nType == kTypeFIX || m_nType == kTypeROUND)
    for (int k = 0; k <= 5; ++k) entries.push_back(FormatString(u"%d", k));
  if (!entries.empty()) {
    host.ResetContent(kIdChoice);
    for (const CString& e : entries) host.AddString(kIdChoice, e);
  }
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  if (m_nType == kTypeAnalogFilter) host.SetText(kIdChoiceLabel, u"Number of samples");
  if (TakesReference()) host.SetText(kIdChoiceLabel, u"Base");
  host.Show(kIdChoiceLabel, HasChoice());
  host.Show(kIdChoice, HasChoice());
  host.Show(kIdValueLabel, HasNumber());
  host.Show(kIdValue, HasNumber());
  host.Show(kIdSpin, HasNumber());
  host.Show(kIdReference, TakesReference());
  if (TakesReference()) {
    ShowSlots();
    FillReferenceCombos();
  } else {
    host.Show(kIdRefList, false);
  }
  if (HasNumber()) {
    host.LimitText(kIdValue, 9);  // "-10000.00"
    host.SetRange(kIdSpin, static_cast<int>(-kLimit), static_cast<int>(kLimit));
    AddRangeTip(kIdValue, -kLimit, kLimit);
  }
  ApplyTabOrder();
  if (Simulating()) CreateCurrentValueBox();
}

void CStopWatch::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  ApplyTabOrder();
}

void CStopWatch::OnNotify(int id, Notify code) {
  if (id == kIdValue && code == Notify::kUpdate && Host().GetFocus() == kIdValue) {
    double v = 0;
    if (ParseDecimal(Host().GetText(kIdValue), &v)) {
      if (v > kLimit) Host().SetText(kIdValue, FormatNumber(kLimit));
      if (v < -kLimit) Host().SetText(kIdValue, FormatNumber(-kLimit));
    }
    return;
  }
  if ((id == kIdValue && code == Notify::kChange) || (id == kIdChoice && code == Notify::kSelChange) ||
      ((id == kIdProtect || id == kIdRetain) && code == Notify::kClicked))
    return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CStopWatch::OnOK() {
  if (TakesReference() && m_pRef[0]) {
    m_bRef[0] = 1;
    if (m_nType == kTypeLOG) m_nChoice = 2;
    if (m_nType == kTypeFIX || m_nType == kTypeROUND) {
      m_nChoice = 0;
      m_dAmplification = 0.0;
    }
  } else {
    m_nRefNumber[0] = -1;
    m_pRef[0] = nullptr;
    m_bRef[0] = 0;
  }
}

void CStopWatch::PrepareApplyValues(BlockPageValues& values) const {
  // The choice rule of OK; the amplification stays as the page has it.
  if (!TakesReference() || !values.pattern.m_pRef[0]) return;
  values.choice.m_nChoice = m_nType == kTypeLOG ? 2 : 0;
}

void CStopWatch::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<ChoiceValues&>(*this) = values.choice;
}

void CStopWatch::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.choice = *this;
}
