// The hours counter page: the layout of each series, the reference for the
// maintenance interval, the limits, and the round trip.
#include "pages/hours_counter_page.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using H = CHoursCounter;

struct SeriesCase {
  WORD model;
  bool minutes;  // minute fields, units and "Reference"
};

class HoursCounterSeries : public testing::TestWithParam<SeriesCase> {};

TEST_P(HoursCounterSeries, ShowsTheFieldsOfItsSeries) {
  CDiagramBuilder d(kDocFbd, GetParam().model);
  PageHarness<H> h(&d.Doc());
  h.page.m_bRefAllowed = 1;
  h.Open();
  EXPECT_TRUE(h.host->IsVisible(H::kIdMiHours));
  EXPECT_TRUE(h.host->IsVisible(H::kIdOtHours));
  for (int id : {H::kIdMiMinutes, H::kIdOtMinutes, H::kIdMiUnit, H::kIdOtUnit, H::kIdReference})
    EXPECT_EQ(h.host->IsVisible(id), GetParam().minutes) << id;
  EXPECT_FALSE(h.host->IsVisible(H::kIdRefList));
  EXPECT_EQ(h.host->GetCheck(kIdRetentivity), 1);
  EXPECT_FALSE(h.host->IsEnabled(kIdRetentivity));
  EXPECT_EQ(h.host->GetTip(H::kIdOtHours), CString(u"Number between 0 and 99999"));
  h.host->Type(H::kIdMiHours, u"123456");  // four characters at most
  EXPECT_EQ(h.host->GetText(H::kIdMiHours), CString(u"1234"));
  h.host->Type(H::kIdOtHours, u"99999");
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nMiHours, 1234);
  EXPECT_EQ(h.page.m_nOtHours, 99999);
}

INSTANTIATE_TEST_SUITE_P(Series, HoursCounterSeries,
                         testing::Values(SeriesCase{0x5188, true}, SeriesCase{0x1188, false}));

TEST(HoursCounterPage, OutOfRangeMinutesKeepThePageOpen) {
  CDiagramBuilder d;
  PageHarness<H> h(&d.Doc());
  h.Open();
  h.host->SetText(H::kIdOtMinutes, u"60");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.sink.texts().back(), CString(u"Please enter an integer between 0 and 59."));
  EXPECT_EQ(h.host->GetFocus(), H::kIdOtMinutes);
}

TEST(HoursCounterPage, ReferenceRoundTripStoresNoTimeForMI) {
  CDiagramBuilder d;
  CBlockObj* source = d.Add(800);
  CBlockObj* counter = d.Add(801);
  counter->m_nParam10 = 12;  // MI 12 h
  counter->m_nParam9 = 30;   //    30 min
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    host.Click(H::kIdReference);
    EXPECT_FALSE(host.IsVisible(H::kIdMiHours));
    EXPECT_FALSE(host.IsVisible(H::kIdMiMinutes));
    EXPECT_TRUE(host.IsVisible(H::kIdRefList));
    EXPECT_EQ(host.GetText(H::kIdMiUnit), CString(u"Hours"));
    host.Type(H::kIdOtHours, u"500");
    host.Type(H::kIdOtMinutes, u"15");
    host.Click(H::kIdOutputNotZero);
  };
  ASSERT_TRUE(command.Run(counter, false, runner));
  EXPECT_EQ(counter->m_pRef[0], source);
  EXPECT_EQ(counter->m_bUseRef[0], 1);
  EXPECT_EQ(counter->m_nParam10, 0);
  EXPECT_EQ(counter->m_nParam9, 0);

  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    EXPECT_TRUE(host.IsVisible(H::kIdRefList));
    EXPECT_EQ(host.GetText(H::kIdOtHours), CString(u"500"));
    EXPECT_EQ(host.GetText(H::kIdOtMinutes), CString(u"15"));
    EXPECT_EQ(host.GetCheck(H::kIdOutputNotZero), 1);
    host.Click(H::kIdReference);  // back to a time of its own
    EXPECT_EQ(host.GetText(H::kIdMiUnit), CString(u"Hours(h:m)"));
    host.Type(H::kIdMiHours, u"9999");
    host.Type(H::kIdMiMinutes, u"59");
  };
  ASSERT_TRUE(command.Run(counter, false, runner));
  EXPECT_EQ(counter->m_pRef[0], nullptr);
  EXPECT_EQ(counter->m_bUseRef[0], 0);
  EXPECT_EQ(counter->m_nParam10, 9999);
  EXPECT_EQ(counter->m_nParam9, 59);
}

}  // namespace
