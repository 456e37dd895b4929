// The comparator, ramp, PI and PWM pages: rows and captions by type and
// series, the clamps of their own values, the parameter sets, the periodic
// time, and the round trip block to page to block.
#include "pages/analog_pages.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "pages/block_round_trip.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using C = CAnalogComparator;

struct ComparatorCase {
  int type;
  WORD model;
  bool group, row1;
  const char16_t* caption1;
  bool row2;
  const char16_t* caption2;
  bool buttons, retentivity;
  const char16_t* tip;
};

class ComparatorTypes : public testing::TestWithParam<ComparatorCase> {};

TEST_P(ComparatorTypes, RowsCaptionsAndLimits) {
  const ComparatorCase c = GetParam();
  CDiagramBuilder d(kDocFbd, c.model);
  d.Add(803);  // something to reference
  PageHarness<C> h(&d.Doc());
  h.page.m_nType = c.type;
  h.page.m_bRefAllowed = 1;
  h.Open();
  CMemoryHost& host = *h.host;
  EXPECT_EQ(host.IsVisible(C::kGroup), c.group);
  EXPECT_EQ(host.IsVisible(C::kEdit1), c.row1);
  EXPECT_EQ(host.IsVisible(C::kLabel1), c.row1);
  if (c.row1) {
    EXPECT_EQ(host.GetText(C::kLabel1), CString(c.caption1));
  }
  EXPECT_EQ(host.IsVisible(C::kEdit2), c.row2);
  if (c.row2) {
    EXPECT_EQ(host.GetText(C::kLabel2), CString(c.caption2));
  }
  EXPECT_EQ(host.IsVisible(C::kButton1), c.buttons);
  EXPECT_EQ(host.IsVisible(C::kButton2), c.buttons);
  EXPECT_EQ(host.IsVisible(kIdRetentivity), c.retentivity);
  if (!c.retentivity) {  // "Protection Active" takes its place
    EXPECT_EQ(host.Desc(kIdProtection)->rect, h.page.Describe().Find(kIdRetentivity)->rect);
  }
  EXPECT_TRUE(host.IsVisible(C::kIdSensor));
  EXPECT_TRUE(host.IsVisible(kIdDecimals));
  if (c.row2) {
    EXPECT_EQ(host.GetTip(C::kEdit2), CString(c.tip));
    host.Type(C::kEdit2, u"25000");
    EXPECT_EQ(host.GetText(C::kEdit2), CString(u"20000"));
    host.Type(C::kEdit2, u"-25000");
    EXPECT_EQ(host.GetText(C::kEdit2), CString(c.type == 806 ? u"0" : u"-20000"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    TypesAndSeries, ComparatorTypes,
    testing::Values(ComparatorCase{803, 0x5188, true, true, u"On", true, u"Off", true, false,
                                   u"Number between -20000 and 20000"},
                    ComparatorCase{804, 0x1188, true, true, u"On", true, u"Off", false, false,
                                   u"Number between -20000 and 20000"},
                    ComparatorCase{805, 0x5188, false, false, u"", false, u"", false, false, u""},
                    ComparatorCase{806, 0x5188, false, true, u"Threshold 1(upper: +)", true,
                                   u"Threshold 2(lower: -)", true, true, u"Number between 0 and 20000"},
                    ComparatorCase{806, 0x1188, false, false, u"", true, u"Threshold(difference)", false,
                                   false, u"Number between 0 and 20000"},
                    ComparatorCase{807, 0x5188, false, true, u"On", true, u"Differential", false, false,
                                   u"Number between -20000 and 20000"}));

TEST(ComparatorPage, ReferenceSlots) {
  CDiagramBuilder d;
  CBlockObj* other = d.Add(803);
  PageHarness<C> h(&d.Doc());
  h.page.m_nType = 803;
  h.page.m_bRefAllowed = 1;
  h.page.m_nLevel1 = 150;
  h.Open();
  CMemoryHost& host = *h.host;
  host.Click(C::kButton1);
  EXPECT_FALSE(host.IsVisible(C::kLabel1));
  EXPECT_FALSE(host.IsVisible(C::kEdit1));
  EXPECT_TRUE(host.IsVisible(C::kList1));
  EXPECT_EQ(h.page.m_pRef[0], other);
  host.Click(C::kButton1);
  EXPECT_TRUE(host.IsVisible(C::kEdit1));
  EXPECT_EQ(host.GetText(C::kEdit1), CString(u"150"));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
  EXPECT_EQ(h.page.m_nRefNumber[0], -1);

  // With nothing to reference the buttons show, disabled.
  CDiagramBuilder lone;
  PageHarness<C> h2(&lone.Doc());
  h2.page.m_nType = 803;
  h2.Open();
  EXPECT_TRUE(h2.host->IsVisible(C::kButton1));
  EXPECT_FALSE(h2.host->IsEnabled(C::kButton1));
}

TEST(RampPage, Limits) {
  using R = CARAMP;
  struct Row {
    int id;
    const char16_t* typed;
    const char16_t* shown;
  };
  const Row rows[] = {{R::kIdSpeed, u"0", u"1"},         {R::kIdSpeed, u"20000", u"10000"},
                      {R::kIdStartStop, u"-5", u"5"},    {R::kIdStartStop, u"25000", u"20000"},
                      {R::kEdit1, u"-15000", u"-10000"}, {R::kIdLargest, u"30000", u"20000"},
                      {R::kIdGain, u"-0.5", u"0.5"},     {R::kIdGain, u"12", u"10"}};
  CDiagramBuilder d(kDocFbd, 0x2188);
  d.Add(803);
  PageHarness<R> h(&d.Doc());
  h.page.m_nType = 817;
  h.page.m_bRefAllowed = 1;
  h.Open();
  for (const Row& r : rows) {
    h.host->Type(r.id, r.typed);
    EXPECT_EQ(h.host->GetText(r.id), CString(r.shown)) << r.id << " " << CString(r.typed).ToUtf8();
  }
  EXPECT_EQ(h.host->GetTip(R::kIdGain), CString(u"Number between 0.00 and 10.00"));
  EXPECT_EQ(h.host->GetItemText(R::kIdSensor, 3), CString(u"PT100"));
  // Older series: no "Reference" buttons, the lists filled all the same.
  EXPECT_FALSE(h.host->IsVisible(R::kButton1));
  EXPECT_GT(h.host->GetCount(R::kList1), 0);
}

TEST(PiPage, ParameterSets) {
  using P = CPI;
  CDiagramBuilder d;
  PageHarness<P> h(&d.Doc());
  h.page.m_nParamSet = 0;
  h.page.m_dKc = 0.5;
  h.Open();
  CMemoryHost& host = *h.host;
  host.Choose(P::kIdSet, 3);  // "Pressure 2"
  EXPECT_EQ(host.GetText(P::kIdKc), CString(u"1.2"));
  EXPECT_EQ(host.GetText(P::kIdTiMinutes), CString(u"0"));
  EXPECT_EQ(host.GetText(P::kIdTiSeconds), CString(u"12"));
  EXPECT_EQ(host.GetCheck(P::kIdTi), 1);
  EXPECT_EQ(host.GetCheck(P::kIdUp), 1);
  for (int id : {P::kIdKc, P::kIdTi, P::kIdTiMinutes, P::kIdUp, P::kIdDown})
    EXPECT_FALSE(host.IsEnabled(id)) << id;

  host.Choose(P::kIdSet, kPiUserDefined);
  EXPECT_EQ(host.GetText(P::kIdKc), CString(u"1.2"));
  for (int id : {P::kIdKc, P::kIdTi, P::kIdTiMinutes, P::kIdUp, P::kIdDown})
    EXPECT_TRUE(host.IsEnabled(id)) << id;
  host.Click(P::kIdTi);  // off: 99:59, disabled
  EXPECT_EQ(host.GetText(P::kIdTiMinutes), CString(u"99"));
  EXPECT_EQ(host.GetText(P::kIdTiSeconds), CString(u"59"));
  EXPECT_FALSE(host.IsEnabled(P::kIdTiMinutes));
  host.Click(P::kIdTi);  // on again: the earlier time
  EXPECT_EQ(host.GetText(P::kIdTiSeconds), CString(u"12"));

  // KC: the spin steps by 0.01, typing is held to 99.99; Mq to 0..1000.
  host.Type(P::kIdKc, u"0.5");
  host.Spin(P::kIdKcSpin, 1);
  EXPECT_EQ(host.GetText(P::kIdKc), CString(u"0.51"));
  host.Type(P::kIdKc, u"150");
  EXPECT_EQ(host.GetText(P::kIdKc), CString(u"15"));  // two whole digits
  host.Type(P::kIdKc, u"99.999");
  EXPECT_EQ(host.GetText(P::kIdKc), CString(u"99.99"));
  host.Type(P::kEdit2, u"2000");
  EXPECT_EQ(host.GetText(P::kEdit2), CString(u"1000"));
  host.Type(P::kEdit2, u"-1");
  EXPECT_EQ(host.GetText(P::kEdit2), CString(u"0"));

  // A user-defined TI of 99:59 is stored as off; a preset's stays on.
  host.Type(P::kIdTiMinutes, u"99");
  host.Type(P::kIdTiSeconds, u"59");
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_bIntegral, 0);

  PageHarness<P> h2(&d.Doc());
  h2.page.m_nParamSet = 4;  // "Full level 1"
  h2.Open();
  ASSERT_TRUE(h2.page.UpdateData(true));
  h2.page.OnOK();
  EXPECT_EQ(h2.page.m_bIntegral, 1);
  EXPECT_EQ(h2.page.m_nTiMinutes, 99);
}

TEST(PwmPage, PeriodicTime) {
  using W = CPWM;
  CDiagramBuilder d;
  CBlockObj* other = d.Add(803);
  PageHarness<W> h(&d.Doc());
  h.page.m_nType = 819;
  h.page.m_bRefAllowed = 1;
  h.page.m_nPeriodUnit = TIMEBASE_SECONDS;
  h.Open();
  CMemoryHost& host = *h.host;
  EXPECT_EQ(host.GetItemText(W::kIdUnit, 2), CString(u"Seconds(s:1/100s)"));
  host.Choose(W::kIdHighSpeed, 2);
  EXPECT_EQ(host.GetItemText(W::kIdUnit, 2), CString(u"100ms:ms"));
  EXPECT_EQ(host.GetCurSel(W::kIdUnit), 2);
  host.Choose(W::kIdHighSpeed, W::kHighSpeedDisable);
  EXPECT_EQ(host.GetItemText(W::kIdUnit, 2), CString(u"Seconds(s:1/100s)"));

  host.Type(W::kIdLow, u"75");
  EXPECT_EQ(host.GetText(W::kIdLow), CString(u"75"));
  EXPECT_EQ(host.GetTip(W::kIdLow), CString(u"Number between 0 and 99"));
  host.Choose(W::kIdUnit, TIMEBASE_MINUTES);
  EXPECT_EQ(host.GetText(W::kIdLow), CString(u"59"));
  EXPECT_EQ(host.GetTip(W::kIdLow), CString(u"Number between 0 and 59"));
  host.Type(W::kIdPwmMin, u"-25000");
  EXPECT_EQ(host.GetText(W::kIdPwmMin), CString(u"-20000"));

  // The time from a block: the parts hidden, the lists shown; OK stores 0:0 and the reference unit.
  host.Click(W::kIdReference);
  for (int id : {W::kIdHigh, W::kIdColon, W::kIdLow, W::kIdUnit}) EXPECT_FALSE(host.IsVisible(id));
  EXPECT_TRUE(host.IsVisible(W::kIdBlockList));
  EXPECT_TRUE(host.IsVisible(W::kIdRefUnitList));
  EXPECT_EQ(host.GetItemText(W::kIdRefUnitList, 2), CString(u"MilliSeconds"));
  host.Choose(W::kIdRefUnitList, REFUNIT_MILLISECONDS);
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_pRef[0], other);
  EXPECT_EQ(h.page.m_nPeriodHigh, 0);
  EXPECT_EQ(h.page.m_nPeriodLow, 0);
  EXPECT_EQ(h.page.m_nPeriodRefUnit, REFUNIT_MILLISECONDS);
  // Back to the parts: the block is forgotten at once.
  host.Click(W::kIdReference);
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
  EXPECT_EQ(h.page.m_nRefNumber[0], -1);
}

TEST(AnalogPages, RoundTrip) {
  for (int type : {803, 804, 805, 806, 807, 817, 818, 819}) {
    CDiagramBuilder d;
    CBlockObj* a = d.Add(type);
    CBlockObj* b = d.Add(type);
    BlockPageValues v;
    CopyBlockToPage(&d.Doc(), *a, v);
    v.pattern.m_strName = u"AN1";
    v.pattern.m_bProtection = 1;
    v.analog.m_nSensor = SENSOR_4_20MA;
    v.analog.m_nRangeMin = 200;
    v.analog.m_nRangeMax = 2000;
    v.analog.m_dGain = 2.25;
    v.analog.m_nOffset = -250;
    v.analog.m_nDecimals = 2;
    v.analog.m_nLevel1 = 300;
    v.analog.m_nLevel2 = 400;
    CopyPageToBlock(v, *a);
    switch (type) {
      case 803:
        PageRoundTrip<C>(d, *a, *b);
        break;
      case 817:
        PageRoundTrip<CARAMP>(d, *a, *b);
        break;
      case 818:
        PageRoundTrip<CPI>(d, *a, *b);
        break;
      case 819:
        PageRoundTrip<CPWM>(d, *a, *b);
        break;
      default: {
        BlockPageValues in;
        CopyBlockToPage(&d.Doc(), *a, in);
        PageHarness<C> h(&d.Doc());
        h.page.LoadValues(in);
        h.page.m_nType = type;
        h.Open();
        ASSERT_TRUE(h.page.UpdateData(true)) << type;
        h.page.OnOK();
        BlockPageValues out = in;
        h.page.StoreValues(out);
        EXPECT_TRUE(out.analog == in.analog) << type;
        EXPECT_EQ(out.pattern.m_strName, CString(u"AN1"));
      }
    }
  }
}

TEST(AnalogPages, OkWritesThroughBlockProperties) {
  CDiagramBuilder d;
  CBlockObj* ramp = d.Add(817);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    host.Type(CARAMP::kIdSpeed, u"250");
    host.Type(CARAMP::kIdOffset, u"100");
    host.Type(CARAMP::kIdGain, u"2");
    host.Type(CARAMP::kEdit2, u"-300");
  };
  ASSERT_TRUE(command.Run(ramp, false, runner));
  BlockPageValues v;
  CopyBlockToPage(&d.Doc(), *ramp, v);
  EXPECT_EQ(v.analog.m_nSpeed, 250);
  EXPECT_DOUBLE_EQ(v.analog.m_dGain, 2.0);
  EXPECT_EQ(v.analog.m_nRangeMin, 100);
  EXPECT_EQ(v.analog.m_nRangeMax, 2100);
  EXPECT_EQ(v.analog.m_nLevel2, -300);
}

}  // namespace
