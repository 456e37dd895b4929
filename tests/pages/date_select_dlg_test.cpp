// The date selection dialog (month and day buttons, the asterisk marks, the
// day and OK enabling) and the yearly page's date buttons that run it.
#include "pages/date_select_dlg.h"

#include <gtest/gtest.h>

#include "pages/page_harness.h"
#include "pages/yearly_page.h"

namespace {

using D = CDateSelectDlg;

constexpr int Month(int n) {
  return D::kIdMonthBase + n;
}
constexpr int Day(int d) {
  return D::kIdDayBase + d;
}

struct Opened {
  explicit Opened(int month, int day, int editFirst = 1, int allowFeb29 = 1) {
    dlg.m_bEditFirst = editFirst;
    dlg.m_bAllowFeb29 = allowFeb29;
    (editFirst ? dlg.m_nFirstMonth : dlg.m_nSecondMonth) = month;
    (editFirst ? dlg.m_nFirstDay : dlg.m_nSecondDay) = day;
    host = std::make_unique<CMemoryHost>(dlg.Describe(), &dlg);
    dlg.Attach(host.get(), CPageContext{});
    dlg.Initialise();
  }
  D dlg;
  std::unique_ptr<CMemoryHost> host;
};

TEST(DateSelectDlg, DayButtonsAndOkFollowTheChosenDate) {
  struct Row {
    int month, day;
    bool d30, d31, ok;
  };
  // Buttons 30 and 31 start enabled (the template); "unchanged" keeps that.
  const Row rows[] = {
      {1, 31, true, true, true},   {12, 5, true, true, true},   {4, 30, true, false, true},
      {4, 31, true, true, false},  {2, 29, false, false, true}, {2, 30, true, false, false},
      {2, 31, false, true, false}, {0, 1, false, false, true},
  };
  for (const Row& r : rows) {
    Opened o(r.month, r.day);
    EXPECT_EQ(o.host->IsEnabled(Day(30)), r.d30) << r.month << "." << r.day;
    EXPECT_EQ(o.host->IsEnabled(Day(31)), r.d31) << r.month << "." << r.day;
    EXPECT_EQ(o.host->IsEnabled(IDOK), r.ok) << r.month << "." << r.day;
    EXPECT_TRUE(o.host->IsEnabled(Day(29)));  // February 29 allowed: never touched
  }
}

TEST(DateSelectDlg, ClicksMoveTheMarksAndFixAnImpossibleDate) {
  Opened o(4, 31);
  EXPECT_FALSE(o.host->IsEnabled(IDOK));
  EXPECT_EQ(o.host->GetText(Month(4)), CString(u"4"));  // nothing is marked at first
  o.host->Click(Day(30));
  EXPECT_TRUE(o.host->IsEnabled(IDOK));
  EXPECT_EQ(o.host->GetText(Day(30)), CString(u"30*"));
  EXPECT_EQ(o.host->GetText(Day(31)), CString(u"31"));
  o.host->Click(Month(3));
  o.host->Click(Month(5));
  EXPECT_EQ(o.host->GetText(Month(3)), CString(u"3"));
  EXPECT_EQ(o.host->GetText(Month(5)), CString(u"5*"));
  EXPECT_EQ(o.host->GetText(Day(30)), CString(u"30*"));  // the day keeps its own mark
  o.host->Click(Day(31));
  EXPECT_TRUE(o.host->IsEnabled(IDOK));  // May has 31 days
  EXPECT_EQ(o.dlg.m_nFirstMonth, 5);
  EXPECT_EQ(o.dlg.m_nFirstDay, 31);
}

TEST(DateSelectDlg, FebruaryTwentyNinthAndTheSecondPair) {
  Opened feb(2, 29, /*editFirst=*/0, /*allowFeb29=*/0);
  EXPECT_FALSE(feb.host->IsEnabled(Day(29)));
  feb.host->Click(Month(6));
  EXPECT_TRUE(feb.host->IsEnabled(Day(29)));
  feb.host->Click(Month(2));
  EXPECT_FALSE(feb.host->IsEnabled(Day(29)));
  EXPECT_EQ(feb.dlg.m_nSecondMonth, 2);
  EXPECT_EQ(feb.dlg.m_nFirstMonth, 1);  // the first pair is never changed
  EXPECT_EQ(feb.dlg.m_nFirstDay, 1);

  Opened allowed(2, 1);
  allowed.host->Click(Day(29));
  EXPECT_TRUE(allowed.host->IsEnabled(IDOK));
  EXPECT_EQ(allowed.dlg.m_nFirstDay, 29);
}

// The yearly page's "..." buttons: the on button edits the first pair, the off
// button the second; OK writes the pair into the edits, Cancel changes nothing.
TEST(YearlyPage, DateButtonsRunTheDateDialog) {
  using Y = CYearlyTimer;
  CDiagramBuilder d;
  PageHarness<Y> h(&d.Doc());
  h.Open();
  EXPECT_TRUE(h.host->IsEnabled(Y::kIdOnDate));
  h.host->SetText(Y::kIdOnMonth, u"4");
  h.host->SetText(Y::kIdOnDay, u"31");
  h.host->SetText(Y::kIdOffMonth, u"7");
  h.host->SetText(Y::kIdOffDay, u"9");
  bool sawImpossible = false;
  {
    ScopedDialogScript script([&](CMemoryHost& dlg) {
      sawImpossible = !dlg.IsEnabled(IDOK);
      dlg.Click(Month(2));
      dlg.Click(Day(29));
      return IDOK;
    });
    h.host->Click(Y::kIdOnDate);
  }
  EXPECT_TRUE(sawImpossible);
  EXPECT_EQ(h.host->GetText(Y::kIdOnMonth), CString(u"2"));
  EXPECT_EQ(h.host->GetText(Y::kIdOnDay), CString(u"29"));
  EXPECT_EQ(h.host->GetText(Y::kIdOffMonth), CString(u"7"));
  EXPECT_TRUE(h.page.IsModified());
  {
    ScopedDialogScript script([&](CMemoryHost& dlg) {
      EXPECT_EQ(dlg.GetText(Month(7)), CString(u"7"));
      dlg.Click(Month(12));
      return IDCANCEL;
    });
    h.host->Click(Y::kIdOffDate);
  }
  EXPECT_EQ(h.host->GetText(Y::kIdOffMonth), CString(u"7"));
  EXPECT_EQ(h.host->GetText(Y::kIdOffDay), CString(u"9"));
  {
    ScopedDialogScript script([&](CMemoryHost& dlg) {
      dlg.Click(Month(12));
      dlg.Click(Day(31));
      return IDOK;
    });
    h.host->Click(Y::kIdOffDate);
  }
  EXPECT_EQ(h.host->GetText(Y::kIdOffMonth), CString(u"12"));
  EXPECT_EQ(h.host->GetText(Y::kIdOffDay), CString(u"31"));
  EXPECT_EQ(h.host->GetText(Y::kIdOnMonth), CString(u"2"));
}

}  // namespace
