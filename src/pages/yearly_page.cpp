#include "pages/yearly_page.h"

#include "model/zarad_doc.h"
#include "pages/date_select_dlg.h"
#include "pages/page_dialog.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

namespace {

// The day check: a day outside 1..the last day of its month fails the exchange
// with "Enter an Integer between %d and %d.".
void ValidateDay(CDataExchange& dx, int day, int month) {
  if (!dx.IsSaving()) return;
  const int last = CYearlyTimer::LastDayOfMonth(month);
  if (day < 1 || day > last) dx.Fail(FormatString(LoadString(632).GetString(), 1, last));
}

}  // namespace

int CYearlyTimer::LastDayOfMonth(int month) {
  switch (month) {
    case 2:
      return 29;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

CYearlyTimer::CYearlyTimer() {
  m_strTitle = u"Parameter";
}

const PageDesc& CYearlyTimer::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(260, 170), {}};
    d.controls = {
        {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight},
        {kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)},
    };
    auto date = [&d](int group, const char16_t* caption, int label, int left, int month, int monthSpin,
                     int colon, int day, int daySpin, int button) {
      d.controls.push_back({group, K::kGroup, caption, CRect(left, 28, left + 118, 66)});
      d.controls.push_back({label, K::kStatic, u"Month.Day", CRect(left + 6, 40, left + 60, 50)});
      d.controls.push_back(
          {month, K::kEdit, u"", CRect(left + 6, 50, left + 28, 62), kStyleNumber | kStyleRight});
      d.controls.push_back({monthSpin, K::kSpin, u"", CRect(left + 28, 50, left + 36, 62), 0, {}, month});
      d.controls.push_back({colon, K::kStatic, u".", CRect(left + 37, 51, left + 42, 61), kStyleCentre});
      d.controls.push_back(
          {day, K::kEdit, u"", CRect(left + 43, 50, left + 65, 62), kStyleNumber | kStyleRight});
      d.controls.push_back({daySpin, K::kSpin, u"", CRect(left + 65, 50, left + 73, 62), 0, {}, day});
      d.controls.push_back({button, K::kButton, u"...", CRect(left + 80, 49, left + 110, 62)});
    };
    date(1057, u"On Time", 1342, 7, kIdOnMonth, kIdOnMonthSpin, 1186, kIdOnDay, kIdOnDaySpin, kIdOnDate);
    date(1061, u"Off Time", 1343, 133, kIdOffMonth, kIdOffMonthSpin, 1187, kIdOffDay, kIdOffDaySpin,
         kIdOffDate);
    auto year = [&d](int group, const char16_t* caption, int label, int left, int edit, int spin) {
      d.controls.push_back({group, K::kGroup, caption, CRect(left, 72, left + 118, 102)});
      d.controls.push_back({label, K::kStatic, u"Year", CRect(left + 6, 86, left + 30, 96)});
      d.controls.push_back(
          {edit, K::kEdit, u"", CRect(left + 32, 84, left + 70, 96), kStyleNumber | kStyleRight});
      d.controls.push_back({spin, K::kSpin, u"", CRect(left + 70, 84, left + 78, 96), 0, {}, edit});
    };
    year(1239, u"On Year", 1240, 7, kIdOnYear, kIdOnYearSpin);
    year(1062, u"Off Year", 1241, 133, kIdOffYear, kIdOffYearSpin);
    d.controls.push_back({kIdMonthly, K::kCheck, u"Monthly", CRect(7, 110, 80, 122)});
    d.controls.push_back({kIdYearly, K::kCheck, u"Yearly", CRect(90, 110, 160, 122)});
    d.controls.push_back({kIdPulseOutput, K::kCheck, u"Pulse Output", CRect(170, 110, 250, 122)});
    d.controls.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(7, 128, 120, 140)});
    return d;
  }();
  return desc;
}

bool CYearlyTimer::Newer() const {
  return !Document() || Document()->IsNewerFamily();
}

void CYearlyTimer::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Text(dx, kIdOnMonth, m_nOnMonth);
  DDV_MinMaxInt(dx, m_nOnMonth, 1, 12);
  DDX_Text(dx, kIdOnDay, m_nOnDay);
  ValidateDay(dx, m_nOnDay, m_nOnMonth);
  DDX_Text(dx, kIdOffMonth, m_nOffMonth);
  DDV_MinMaxInt(dx, m_nOffMonth, 1, 12);
  DDX_Text(dx, kIdOffDay, m_nOffDay);
  ValidateDay(dx, m_nOffDay, m_nOffMonth);
  DDX_Check(dx, kIdMonthly, m_bMonthly);
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdPulseOutput, m_bPulse);
  DDX_Check(dx, kIdYearly, m_bYearly);
  // The older series have no years: the members pass through unchecked.
  if (!Newer() && dx.IsSaving()) return;
  DDX_Text(dx, kIdOnYear, m_nOnYear);
  DDV_MinMaxInt(dx, m_nOnYear, kFirstYear, kLastYear);
  DDX_Text(dx, kIdOffYear, m_nOffYear);
  DDV_MinMaxInt(dx, m_nOffYear, kFirstYear, kLastYear);
}

void CYearlyTimer::ApplyMonthly() {
  CControlHost& host = Host();
  m_bMonthly = host.GetCheck(kIdMonthly);
  const bool months = m_bMonthly == 0;
  host.Enable(kIdOnMonth, months);
  host.Enable(kIdOnMonthSpin, months);
  const bool offMonth = months && (!Newer() || m_bPulse == 0);
  host.Enable(kIdOffMonth, offMonth);
  host.Enable(kIdOffMonthSpin, offMonth);
  if (Newer()) host.Enable(kIdYearly, months);
}

void CYearlyTimer::ApplyPulseOutput() {
  CControlHost& host = Host();
  m_bPulse = host.GetCheck(kIdPulseOutput);
  host.Enable(kIdOffDay, m_bPulse == 0);
  host.Enable(kIdOffDaySpin, m_bPulse == 0);
  if (m_bMonthly == 0) {
    host.Enable(kIdOffMonth, m_bPulse == 0);
    host.Enable(kIdOffMonthSpin, m_bPulse == 0);
  }
}

void CYearlyTimer::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  CControlHost& host = Host();
  host.SetRange(kIdOnMonthSpin, 1, 12);
  host.SetRange(kIdOffMonthSpin, 1, 12);
  host.SetRange(kIdOnDaySpin, 1, 31);
  host.SetRange(kIdOffDaySpin, 1, 31);
  for (int id : {kIdOnMonth, kIdOnDay, kIdOffMonth, kIdOffDay}) host.LimitText(id, 2);
  ApplyMonthly();
  const bool newer = Newer();
  for (int id : {1239, 1240, kIdOnYear, kIdOnYearSpin, 1062, 1241, kIdOffYear, kIdOffYearSpin, kIdYearly,
                 kIdPulseOutput})
    host.Show(id, newer);
  if (newer) {
    ApplyPulseOutput();
    host.LimitText(kIdOnYear, 4);
    host.LimitText(kIdOffYear, 4);
    host.SetRange(kIdOnYearSpin, kFirstYear, kLastYear);
    host.SetRange(kIdOffYearSpin, kFirstYear, kLastYear);
  }
  if (Simulating()) CreateCurrentValueBox();
  AddRangeTip(kIdOnMonth, 1, 12);
  AddRangeTip(kIdOffMonth, 1, 12);
  AddRangeTip(kIdOnDay, 1, 31);
  AddRangeTip(kIdOffDay, 1, 31);
  AddRangeTip(kIdOnYear, kFirstYear, kLastYear);
  AddRangeTip(kIdOffYear, kFirstYear, kLastYear);
  host.SetTip(kIdOnDate, u"Calendar");
  host.SetTip(kIdOffDate, u"Calendar");
}

void CYearlyTimer::OnNotify(int id, Notify code) {
  if (code == Notify::kClicked && id == kIdMonthly) {
    ApplyMonthly();
    return SetModified();
  }
  if (code == Notify::kClicked && id == kIdPulseOutput) {
    ApplyPulseOutput();
    return SetModified();
  }
  if (code == Notify::kClicked && id == kIdYearly) return SetModified();
  if (code == Notify::kClicked && (id == kIdOnDate || id == kIdOffDate)) return OnDateButton(id);
  if (code == Notify::kChange && (id == kIdOnMonth || id == kIdOnDay || id == kIdOffMonth ||
                                  id == kIdOffDay || id == kIdOnYear || id == kIdOffYear))
    return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CYearlyTimer::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<YearlyValues&>(*this) = values.yearly;
}

void CYearlyTimer::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.yearly = *this;
}

void CYearlyTimer::OnDateButton(int id) {
  CControlHost& host = Host();
  const bool on = id == kIdOnDate;
  const int monthId = on ? kIdOnMonth : kIdOffMonth, dayId = on ? kIdOnDay : kIdOffDay;
  CDateSelectDlg dialog;
  dialog.m_bEditFirst = on ? 1 : 0;
  int& month = on ? dialog.m_nFirstMonth : dialog.m_nSecondMonth;
  int& day = on ? dialog.m_nFirstDay : dialog.m_nSecondDay;
  // An edit that holds no number reads as 0; the dialog then marks nothing.
  if (!ParseInt(host.GetText(monthId), &month)) month = 0;
  if (!ParseInt(host.GetText(dayId), &day)) day = 0;
  if (RunPageDialog(dialog) != IDOK) return;
  host.SetText(monthId, FormatString(u"%u", static_cast<unsigned>(month)));
  host.SetText(dayId, FormatString(u"%u", static_cast<unsigned>(day)));
  SetModified();
}
