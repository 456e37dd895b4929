// The two-time timer page, the threshold trigger page and the up/down counter
// page through the memory host.
#include <gtest/gtest.h>

#include "pages/block_round_trip.h"
#include "pages/counter_page.h"
#include "pages/threshold_page.h"
#include "pages/two_time_page.h"

namespace {

// ---- Two-time timers -----------------------------------------------------------------

struct TwoTimeCase {
  int type;
  const char16_t* th;
  const char16_t* tl;
  bool cycles, retentivity;
  int checkTop;  // where "Protection Active" stands
};

class TwoTimePage : public ::testing::TestWithParam<TwoTimeCase> {};

TEST_P(TwoTimePage, CaptionsAndRowsFollowTheType) {
  using T = CSpecialFunPar2;
  const TwoTimeCase& c = GetParam();
  CDiagramBuilder d;
  PageHarness<T> h(&d.Doc());
  h.page.m_nType = c.type;
  h.page.m_bRetentive = 1;
  h.page.m_nPulseCycles = 4;
  h.Open();
  EXPECT_EQ(h.host->GetText(T::kIdGroupTH), CString(c.th));
  EXPECT_EQ(h.host->GetText(T::kIdGroupTL), CString(c.tl));
  EXPECT_EQ(h.host->Has(T::kIdPulseCycles), c.cycles);
  EXPECT_EQ(h.host->Has(kIdRetentivity), c.retentivity);
  EXPECT_EQ(h.host->Desc(kIdProtection)->rect.top, c.checkTop);
  if (c.cycles) {
    ASSERT_EQ(h.host->GetCount(T::kIdPulseCycles), 9);
    EXPECT_EQ(h.host->GetText(T::kIdPulseCycles), CString(u"5"));  // index 4 is "5"
    h.host->Choose(T::kIdPulseCycles, 0);
  }
  h.page.m_bRetentive = 0;
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_bRetentive, c.retentivity ? 1 : 0);  // the random generator's is left alone
  EXPECT_EQ(h.page.m_nPulseCycles, c.cycles ? 0 : 4);
}

INSTANTIATE_TEST_SUITE_P(
    Types, TwoTimePage,
    ::testing::Values(TwoTimeCase{402, u"On Time(TH)", u"Off Time(TL)", false, true, 137},
                      TwoTimeCase{405, u"Pulse Width(TH)", u"Interpulse Width(TL)", true, true, 152},
                      TwoTimeCase{406, u"Pulse Width(TH)", u"Interpulse Width(TL)", false, true, 137},
                      TwoTimeCase{407, u"Max. On Delay(TH)", u"Max. Off Delay(TL)", false, false, 137}));

TEST(TwoTimePageRefs, SlotsActAloneAndOlderSeriesDropsReferences) {
  using T = CSpecialFunPar2;
  CDiagramBuilder d;
  CBlockObj* own = d.Add(402);
  CBlockObj* counter = d.Add(800);
  {
    PageHarness<T> h(&d.Doc());
    h.page.m_nType = 402;
    h.page.m_nBlockNumber = own->m_nNumber;
    h.page.m_bRefAllowed = 1;
    h.page.m_nHigh1 = 3;
    h.page.m_nHigh2 = 4;
    h.Open();
    h.host->Click(T::kIdReference2);
    EXPECT_TRUE(h.host->IsVisible(T::kIdHigh1));
    EXPECT_FALSE(h.host->IsVisible(T::kIdHigh2));
    EXPECT_TRUE(h.host->IsVisible(T::kIdRefUnitList2));
    h.host->Choose(T::kIdRefUnitList2, REFUNIT_SECONDS);
    ASSERT_TRUE(h.page.UpdateData(true));
    h.page.OnOK();
    EXPECT_EQ(h.page.m_nHigh1, 3);
    EXPECT_EQ(h.page.m_nHigh2, 0);
    EXPECT_EQ(h.page.m_pRef[1], counter);
    EXPECT_EQ(h.page.m_pRef[0], nullptr);
    EXPECT_EQ(h.page.m_nRefUnit2, REFUNIT_SECONDS);
  }
  CDiagramBuilder old(kDocFbd, 0x2188);
  CBlockObj* own2 = old.Add(406);
  CBlockObj* other = old.Add(800);
  PageHarness<T> h(&old.Doc());
  h.page.m_nType = 406;
  h.page.m_nBlockNumber = own2->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_pRef[0] = other;
  h.page.m_bRef[0] = 1;
  h.page.m_nRefUnit1 = 2;
  h.Open();
  EXPECT_FALSE(h.host->IsVisible(T::kIdReference1));
  EXPECT_FALSE(h.host->IsVisible(T::kIdReference2));
  EXPECT_TRUE(h.host->IsVisible(T::kIdHigh1));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
  EXPECT_EQ(h.page.m_nRefNumber[0], -1);
  EXPECT_EQ(h.page.m_nRefUnit1, 0);
}

TEST(TwoTimePageRefs, SimulationDropOfTLZeroesTheRunningSecondTime) {
  using T = CSpecialFunPar2;
  CDiagramBuilder d;
  CBlockObj* own = d.Add(402);
  CBlockObj* counter = d.Add(800);
  own->m_pRef[1] = counter;
  own->m_bUseRef[1] = 1;
  own->m_nParam15 = 9;
  own->m_nParam14 = 8;
  PageHarness<T> h(&d.Doc(), true);
  h.page.m_nType = 402;
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_pRef[1] = counter;
  h.page.m_bRef[1] = 1;
  h.Open();
  h.host->Click(T::kIdReference2);
  EXPECT_EQ(own->m_pRef[1], nullptr);
  EXPECT_EQ(own->m_nParam15, 0);
  EXPECT_EQ(own->m_nParam14, 0);
}

// ---- Threshold trigger ---------------------------------------------------------------

TEST(ThresholdPage, GateTimeLimitsAndRanges) {
  using T = CThresholdTrigger;
  CDiagramBuilder d;
  PageHarness<T> h(&d.Doc());
  h.Open();
  h.host->SetText(T::kIdSeconds, u"99");
  h.host->SetText(T::kIdHundredths, u"99");
  h.host->SetText(T::kIdOn, u"9999");
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nSeconds, 99);
  EXPECT_EQ(h.page.m_nOn, 9999);
  h.host->SetText(T::kIdOff, u"10000");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.host->GetFocus(), T::kIdOff);
  EXPECT_EQ(h.host->GetTip(T::kIdSeconds), CString(u"Number between 0 and 99"));
  EXPECT_EQ(h.host->GetTip(T::kIdOn), CString(u"Number between 0 and 9999"));
}

TEST(ThresholdPage, ReferenceSwitchesTheUnitAndZeroesTheGateTimeOnOK) {
  using T = CThresholdTrigger;
  CDiagramBuilder d;
  CBlockObj* own = d.Add(802);
  CBlockObj* counter = d.Add(800);
  PageHarness<T> h(&d.Doc());
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_nSeconds = 5;
  h.Open();
  EXPECT_EQ(h.host->GetText(T::kIdUnitLabel), CString(u"Seconds (s:1/100s)"));
  h.host->Click(T::kIdReference);
  EXPECT_EQ(h.host->GetText(T::kIdUnitLabel), CString(u"Milliseconds"));
  EXPECT_FALSE(h.host->IsVisible(T::kIdSeconds));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_nSeconds, 0);
  EXPECT_EQ(h.page.m_pRef[0], counter);
  h.host->Click(T::kIdReference);
  EXPECT_EQ(h.host->GetText(T::kIdUnitLabel), CString(u"Seconds (s:1/100s)"));
  h.host->SetText(T::kIdSeconds, u"7");
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_nSeconds, 7);
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
  EXPECT_EQ(h.page.m_nRefNumber[0], -1);
}

TEST(ThresholdPage, OlderSeriesAndNoReferenceableBlock) {
  using T = CThresholdTrigger;
  CDiagramBuilder old(kDocFbd, 0x1188);
  PageHarness<T> h(&old.Doc());
  h.page.m_bRefAllowed = 1;
  h.Open();
  EXPECT_FALSE(h.host->IsVisible(T::kIdReference));
  EXPECT_TRUE(h.host->IsVisible(T::kIdSeconds));
  CDiagramBuilder d;
  PageHarness<T> n(&d.Doc());
  n.page.m_bRefAllowed = 0;
  n.Open();
  EXPECT_TRUE(n.host->IsVisible(T::kIdReference));
  EXPECT_FALSE(n.host->IsEnabled(T::kIdReference));
}

// ---- Up/down counter and encoder -------------------------------------------------

struct CounterCase {
  int type;
  int chars;
  const char16_t* smallest;  // accepted
  const char16_t* below;     // refused
  bool source;
};

class CounterPage : public ::testing::TestWithParam<CounterCase> {};

TEST_P(CounterPage, RangesLimitsAndSourceFollowTheType) {
  using T = CUpDownCounter;
  const CounterCase& c = GetParam();
  CDiagramBuilder d;
  CBlockObj* own = d.Add(c.type);
  d.Add(803);
  PageHarness<T> h(&d.Doc());
  h.page.m_nType = c.type;
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.Open();
  EXPECT_EQ(h.host->IsVisible(T::kIdSource), c.source);
  EXPECT_TRUE(h.host->IsVisible(T::kIdStart));
  h.host->Type(T::kIdOn, u"12345678");
  EXPECT_EQ(h.host->GetText(T::kIdOn).GetLength(), c.chars);
  h.host->Click(T::kIdReference1);
  h.host->Click(T::kIdReference1);  // off again: the same limit
  h.host->Type(T::kIdOn, u"12345678");
  EXPECT_EQ(h.host->GetText(T::kIdOn).GetLength(), c.chars);
  h.host->SetText(T::kIdOn, c.smallest);
  h.host->SetText(T::kIdStart, c.smallest);
  ASSERT_TRUE(h.page.UpdateData(true));
  h.host->SetText(T::kIdOff, c.below);
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.host->GetFocus(), T::kIdOff);
}

INSTANTIATE_TEST_SUITE_P(Types, CounterPage,
                         ::testing::Values(CounterCase{800, 6, u"0", u"-1", false},
                                           CounterCase{848, 7, u"-999999", u"-1000000", true}));

TEST(CounterPageSeries, OlderSeriesHidesStartAndSourceAndKeepsThem) {
  using T = CUpDownCounter;
  CDiagramBuilder old(kDocFbd, 0x2188);
  PageHarness<T> h(&old.Doc());
  h.page.m_nType = 848;
  h.page.m_nStartValue = 77;
  h.page.m_nSource = 1;
  h.Open();
  EXPECT_FALSE(h.host->IsVisible(T::kIdStart));
  EXPECT_FALSE(h.host->IsVisible(T::kIdSource));
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nStartValue, 77);
  EXPECT_EQ(h.page.m_nSource, 1);
}

// ---- Round trips -------------------------------------------------------------------

TEST(TimeCounterRoundTrip, BlockToPageToBlock) {
  CDiagramBuilder d;
  CBlockObj* ref = d.Add(803);
  struct Case {
    int type;
    void (*page)(CDiagramBuilder&, CBlockObj&, CBlockObj&);
  };
  const Case cases[] = {
      {402, [](CDiagramBuilder& b, CBlockObj& x, CBlockObj& y) { PageRoundTrip<CSpecialFunPar2>(b, x, y); }},
      {405, [](CDiagramBuilder& b, CBlockObj& x, CBlockObj& y) { PageRoundTrip<CSpecialFunPar2>(b, x, y); }},
      {407, [](CDiagramBuilder& b, CBlockObj& x, CBlockObj& y) { PageRoundTrip<CSpecialFunPar2>(b, x, y); }},
      {802,
       [](CDiagramBuilder& b, CBlockObj& x, CBlockObj& y) { PageRoundTrip<CThresholdTrigger>(b, x, y); }},
      {800, [](CDiagramBuilder& b, CBlockObj& x, CBlockObj& y) { PageRoundTrip<CUpDownCounter>(b, x, y); }},
      {848, [](CDiagramBuilder& b, CBlockObj& x, CBlockObj& y) { PageRoundTrip<CUpDownCounter>(b, x, y); }},
  };
  for (const Case& c : cases) {
    CBlockObj* a = d.Add(c.type);
    CBlockObj* b = d.Add(c.type);
    a->m_strName = u"B";
    a->m_nParam2 = 1;                       // protection
    a->m_nParam10 = 12;                     // P9: TH high, on threshold
    a->m_nParam9 = 34;                      // P8: TH low, off threshold of the trigger
    a->m_nParam15 = 5;                      // X2: TL high, off threshold, gate seconds
    a->m_nParam14 = 6;                      // X1: TL low, gate hundredths
    if (c.type == 405) a->m_nParam18 = 3;   // X4: pulse cycle index
    if (c.type == 848) a->m_nParam8 = -20;  // P7: start value
    if (c.type != 802) {
      if (c.type < 800) a->m_nParam15 = a->m_nParam14 = 0;  // a time taken from a block has no parts
      a->m_pRef[1] = ref;                                   // TL, the off threshold
      a->m_bUseRef[1] = 1;
    }
    c.page(d, *a, *b);
    if (c.type != 802) {
      EXPECT_EQ(b->m_pRef[1], ref) << c.type;
    }
  }
}

}  // namespace
