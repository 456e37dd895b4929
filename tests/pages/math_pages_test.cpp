// The average value and math error pages: the limits that follow the time
// base, the watched block list, and the round trips block -> page -> block.
#include "pages/math_pages.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using A = CAVGVAL;
using E = CMathErr;

TEST(AveragePage, LimitsByTimeBase) {
  struct Row {
    int base, time, samplesLimit;
  };
  const Row rows[] = {
      {A::kDays, 200, 32767},  {A::kHours, 23, 32767},   {A::kMinutes, 1, 6000}, {A::kMinutes, 5, 30000},
      {A::kMinutes, 6, 32767}, {A::kMinutes, 59, 32767}, {A::kSeconds, 1, 100},  {A::kSeconds, 59, 5900},
  };
  for (const Row& r : rows)
    EXPECT_EQ(A::SamplesLimit(r.base, r.time), r.samplesLimit) << r.base << " " << r.time;
  EXPECT_EQ(A::TimeLimit(A::kDays), 365);
  EXPECT_EQ(A::TimeLimit(A::kHours), 23);
  EXPECT_EQ(A::TimeLimit(A::kMinutes), 59);
  EXPECT_EQ(A::TimeLimit(A::kSeconds), 59);
}

TEST(AveragePage, DaysToSecondsHoldsTimeAndSamples) {
  CDiagramBuilder d;
  PageHarness<A> h(&d.Doc());
  h.page.m_nSamplingBase = A::kDays;
  h.page.m_nSamplingTime = 200;
  h.page.m_nSamples = 30000;
  h.Open();
  EXPECT_EQ(h.host->GetText(A::kIdTime), CString(u"200"));
  EXPECT_FALSE(h.host->IsVisible(A::kIdReference));
  h.host->Choose(A::kIdTimeBase, A::kSeconds);
  EXPECT_EQ(h.host->GetText(A::kIdTime), CString(u"59"));
  EXPECT_EQ(h.host->GetText(A::kIdSamples), CString(u"5900"));
  EXPECT_TRUE(h.page.IsModified());
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nSamplingBase, A::kSeconds);
  EXPECT_EQ(h.page.m_nSamplingTime, 59);
  EXPECT_EQ(h.page.m_nSamples, 5900);
}

TEST(AveragePage, TypingIsHeldToTheLimits) {
  CDiagramBuilder d;
  PageHarness<A> h(&d.Doc());
  h.page.m_nSamplingBase = A::kMinutes;
  h.page.m_nSamplingTime = 5;
  h.page.m_nSamples = 1;
  h.Open();
  h.host->Type(A::kIdSamples, u"32000");
  EXPECT_EQ(h.host->GetText(A::kIdSamples), CString(u"30000"));
  h.host->Type(A::kIdTime, u"6");
  h.host->Type(A::kIdSamples, u"32767");
  EXPECT_EQ(h.host->GetText(A::kIdSamples), CString(u"32767"));
  h.host->Type(A::kIdTime, u"0");
  EXPECT_EQ(h.host->GetText(A::kIdTime), CString(u"1"));
  EXPECT_EQ(h.host->GetText(A::kIdSamples), CString(u"6000"));  // 1 minute: 6000 at most
  h.host->Type(A::kIdTime, u"99");
  EXPECT_EQ(h.host->GetText(A::kIdTime), CString(u"59"));
}

TEST(AveragePage, EmptyNumberKeepsThePageOpen) {
  CDiagramBuilder d;
  PageHarness<A> h(&d.Doc());
  h.Open();
  h.host->SetText(A::kIdSamples, u"");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.sink.texts().back(), CString(u"Please enter an integer."));
}

TEST(AveragePage, RoundTrip) {
  CDiagramBuilder d;
  CBlockObj* avg = d.Add(822);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    host.Choose(A::kIdTimeBase, A::kHours);
    host.Type(A::kIdTime, u"12");
    host.Type(A::kIdSamples, u"480");
    host.Click(A::kIdRetentive);
    host.Click(A::kIdProtection);
  };
  ASSERT_TRUE(command.Run(avg, false, runner));
  EXPECT_EQ(avg->m_nParam11, A::kHours);
  EXPECT_EQ(avg->m_nParam10, 12);
  EXPECT_EQ(avg->m_nParam9, 480);
  EXPECT_EQ(avg->m_nParam1, 1);
  EXPECT_EQ(avg->m_nParam2, 1);
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    EXPECT_EQ(host.GetCurSel(A::kIdTimeBase), A::kHours);
    EXPECT_EQ(host.GetText(A::kIdTime), CString(u"12"));
    EXPECT_EQ(host.GetText(A::kIdSamples), CString(u"480"));
  };
  ASSERT_TRUE(command.Run(avg, false, runner));
  EXPECT_EQ(avg->m_nParam9, 480);
}

TEST(MathErrPage, OffersOnlyMathInstructionBlocks) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(823);
  PageHarness<E> h(&d.Doc());
  h.page.m_nBlockNumber = own->m_nNumber;
  h.Open();
  ASSERT_EQ(h.host->GetCount(E::kIdBlockList), 1);
  EXPECT_EQ(h.host->GetItemText(E::kIdBlockList, 0), CString(35, u'-'));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
  EXPECT_EQ(h.page.m_nRefNumber[0], -1);
  EXPECT_EQ(h.page.m_bRef[0], 0);
}

TEST(MathErrPage, RoundTripWatchesTheChosenBlock) {
  CDiagramBuilder d;
  d.Add(800);
  d.Add(815);
  CBlockObj* second = d.Add(815);
  CBlockObj* err = d.Add(823);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    ASSERT_EQ(host.GetCount(E::kIdBlockList), 3);
    host.Choose(E::kIdBlockList, 2);
    host.Click(E::kIdEither);
    host.Click(E::kIdAutoReset);
  };
  ASSERT_TRUE(command.Run(err, false, runner));
  EXPECT_EQ(err->m_pRef[0], second);
  EXPECT_EQ(err->m_nRefNumber[0], second->m_nNumber);
  EXPECT_EQ(err->m_bUseRef[0], 1);
  EXPECT_EQ(err->m_nParam9, 2);
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    EXPECT_EQ(host.GetCurSel(E::kIdBlockList), 2);
    EXPECT_EQ(host.GetCheck(E::kIdEither), 1);
    EXPECT_EQ(host.GetCheck(E::kIdAutoReset), 1);
    host.Choose(E::kIdBlockList, 0);  // back to no block
  };
  ASSERT_TRUE(command.Run(err, false, runner));
  EXPECT_EQ(err->m_pRef[0], nullptr);
  EXPECT_EQ(err->m_nRefNumber[0], -1);
  EXPECT_EQ(err->m_bUseRef[0], 0);
}

TEST(MathPages, ValueBoxOnlyInSimulation) {
  CDiagramBuilder d;
  PageHarness<A> editing(&d.Doc());
  editing.Open();
  EXPECT_FALSE(editing.page.HasValueBox());
  PageHarness<A> avg(&d.Doc(), true);
  avg.Open();
  EXPECT_TRUE(avg.page.HasValueBox());
  PageHarness<E> err(&d.Doc(), true);
  err.Open();
  EXPECT_TRUE(err.page.HasValueBox());
}

}  // namespace
