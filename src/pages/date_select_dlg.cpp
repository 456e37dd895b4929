#include "pages/date_select_dlg.h"

#include "platform/cstring.h"
#include "platform/types.h"

namespace {

constexpr int kIdOk = 1, kIdCancel = 2;

bool IsLongMonth(int month) {
  return month == 1 || month == 3 || month == 5 || month == 7 || month == 8 || month == 10 || month == 12;
}

bool IsShortMonth(int month) {
  return month == 4 || month == 6 || month == 9 || month == 11;
}

}  // namespace

CDateSelectDlg::CDateSelectDlg() {
  m_strTitle = Describe().caption;
}

const PageDesc& CDateSelectDlg::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = [] {
    constexpr int kW = 18, kH = 14, kStepX = 20, kStepY = 16;
    PageDesc d{kTemplate, u"Date Selection", CSize(164, 184), {}};
    d.controls.push_back({1320, K::kGroup, u"Month", CRect(7, 4, 157, 56)});
    for (int n = 1; n <= 12; ++n) {
      const int x = 22 + ((n - 1) % 6) * kStepX, y = 16 + ((n - 1) / 6) * kStepY;
      d.controls.push_back(
          {kIdMonthBase + n, K::kButton, FormatString(u"%d", n), CRect(x, y, x + kW, y + kH)});
    }
    d.controls.push_back({1319, K::kGroup, u"Day", CRect(7, 60, 157, 160)});
    for (int day = 1; day <= 31; ++day) {
      const int x = 13 + ((day - 1) % 7) * kStepX, y = 72 + ((day - 1) / 7) * kStepY;
      d.controls.push_back(
          {kIdDayBase + day, K::kButton, FormatString(u"%d", day), CRect(x, y, x + kW, y + kH)});
    }
    d.controls.push_back({kIdOk, K::kButton, u"OK", CRect(27, 165, 77, 179)});
    d.controls.push_back({kIdCancel, K::kButton, u"Cancel", CRect(87, 165, 137, 179)});
    return d;
  }();
  return desc;
}

void CDateSelectDlg::OnInitDialog() {
  CParamPage::OnInitDialog();
  // No button is marked at first: the captions are the template's numbers.
  UpdateDayButtons(EditedMonth(), EditedDay());
}

void CDateSelectDlg::OnNotify(int id, Notify code) {
  if (code == Notify::kClicked && id >= kIdFirstButton && id <= kIdLastButton) return OnDateButton(id);
  CParamPage::OnNotify(id, code);
}

void CDateSelectDlg::OnDateButton(int id) {
  CControlHost& host = Host();
  if (id <= kIdMonthBase + 12) {
    int& month = EditedMonth();
    if (month >= 1 && month <= 12) host.SetText(kIdMonthBase + month, FormatString(u"%d", month));
    month = id - kIdMonthBase;
    host.SetText(id, FormatString(u"%d*", month));
  } else {
    int& day = EditedDay();
    if (day >= 1 && day <= 31) host.SetText(kIdDayBase + day, FormatString(u"%d", day));
    day = id - kIdDayBase;
    host.SetText(id, FormatString(u"%d*", day));
  }
  UpdateDayButtons(EditedMonth(), EditedDay());
}

void CDateSelectDlg::UpdateDayButtons(int month, int day) {
  CControlHost& host = Host();
  const int id29 = kIdDayBase + 29, id30 = kIdDayBase + 30, id31 = kIdDayBase + 31;
  const bool feb29Free = m_bAllowFeb29 != 0;
  if (IsLongMonth(month)) {
    if (!feb29Free) host.Enable(id29, true);
    host.Enable(id30, true);
    host.Enable(id31, true);
    host.Enable(kIdOk, true);
  } else if (IsShortMonth(month)) {
    if (!feb29Free) host.Enable(id29, true);
    if (day != 31) {
      host.Enable(id30, true);
      host.Enable(id31, false);
    }
    // The impossible day keeps its button, so the marked choice stays visible.
    host.Enable(kIdOk, day != 31);
  } else {
    if (!feb29Free) host.Enable(id29, false);
    if (day != 30) host.Enable(id30, false);
    if (day != 31) host.Enable(id31, false);
    host.Enable(kIdOk, day != 30 && day != 31);
  }
}
