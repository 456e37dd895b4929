// The yearly timer page through the memory host.
#include "pages/yearly_page.h"

#include <gtest/gtest.h>

#include "pages/block_round_trip.h"

namespace {

using Y = CYearlyTimer;

struct DayCase {
  const char16_t* month;
  const char16_t* day;
  const char16_t* refusal;  // null: accepted
};

TEST(YearlyPage, DayIsCheckedAgainstItsMonth) {
  const DayCase cases[] = {
      {u"4", u"31", u"Enter an Integer between 1 and 30."}, {u"2", u"29", nullptr},
      {u"2", u"30", u"Enter an Integer between 1 and 29."}, {u"12", u"31", nullptr},
      {u"6", u"0", u"Enter an Integer between 1 and 30."},
  };
  for (bool monthly : {false, true}) {  // the months count even while "Monthly" disables them
    for (const DayCase& c : cases) {
      CDiagramBuilder d;
      PageHarness<Y> h(&d.Doc());
      h.page.m_bMonthly = monthly;
      h.Open();
      h.host->SetText(Y::kIdOffMonth, c.month);
      h.host->SetText(Y::kIdOffDay, c.day);
      const bool ok = h.page.UpdateData(true);
      EXPECT_EQ(ok, c.refusal == nullptr) << CString(c.month).GetLength() << monthly;
      if (c.refusal) {
        EXPECT_EQ(h.sink.texts().back(), CString(c.refusal));
        EXPECT_EQ(h.host->GetFocus(), Y::kIdOffDay);
      }
    }
  }
}

TEST(YearlyPage, MonthlyAndPulseOutputRules) {
  CDiagramBuilder d;
  PageHarness<Y> h(&d.Doc());
  h.page.m_bMonthly = 1;
  h.page.m_bPulse = 1;
  h.Open();
  EXPECT_FALSE(h.host->IsEnabled(Y::kIdOnMonth));
  EXPECT_FALSE(h.host->IsEnabled(Y::kIdOffMonth));
  EXPECT_FALSE(h.host->IsEnabled(Y::kIdOffDay));
  EXPECT_TRUE(h.host->IsEnabled(Y::kIdOnDay));
  EXPECT_FALSE(h.host->IsEnabled(Y::kIdYearly));
  h.host->Click(Y::kIdMonthly);  // off: the on month only
  EXPECT_TRUE(h.host->IsEnabled(Y::kIdOnMonth));
  EXPECT_TRUE(h.host->IsEnabled(Y::kIdYearly));
  EXPECT_FALSE(h.host->IsEnabled(Y::kIdOffMonth));
  h.host->Click(Y::kIdPulseOutput);
  EXPECT_TRUE(h.host->IsEnabled(Y::kIdOffMonth));
  EXPECT_TRUE(h.host->IsEnabled(Y::kIdOffDay));
  EXPECT_TRUE(h.page.IsModified());
  h.host->SetText(Y::kIdOnYear, u"2100");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.host->GetFocus(), Y::kIdOnYear);
}

TEST(YearlyPage, OlderSeriesHidesYearsAndKeepsHiddenMembers) {
  CDiagramBuilder old(kDocFbd, 0x1188);
  PageHarness<Y> h(&old.Doc());
  h.page.m_bPulse = 1;
  h.page.m_nOnYear = 0;  // never checked where there are no years
  h.page.m_nOffYear = 2050;
  h.Open();
  EXPECT_FALSE(h.host->IsVisible(Y::kIdOnYear));
  EXPECT_FALSE(h.host->IsVisible(Y::kIdPulseOutput));
  EXPECT_FALSE(h.host->IsVisible(Y::kIdYearly));
  EXPECT_TRUE(h.host->IsEnabled(Y::kIdOffDay));
  EXPECT_TRUE(h.host->IsEnabled(Y::kIdOffMonth));
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_bPulse, 1);
  EXPECT_EQ(h.page.m_nOnYear, 0);
  EXPECT_EQ(h.page.m_nOffYear, 2050);
}

TEST(YearlyPage, RoundTrip) {
  CDiagramBuilder d;
  CBlockObj* a = d.Add(411);
  CBlockObj* b = d.Add(411);
  a->m_strName = u"Y";
  a->m_nParam10 = 2;   // on month
  a->m_nParam9 = 29;   // on day
  a->m_nParam15 = 11;  // off month
  a->m_nParam14 = 30;  // off day
  a->m_nParam3 = 1;    // monthly
  a->m_nParam7 = 2024;
  a->m_nParam6 = 2031;
  PageRoundTrip<Y>(d, *a, *b);
}

}  // namespace
