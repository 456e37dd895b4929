// The time value fields in their variants on a page with two full fields and
// a dependent one: the unit a dependent field follows, and the write-through
// of a dropped reference in simulation.
#include <gtest/gtest.h>

#include "blocks/time_blocks.h"
#include "pages/page_harness.h"
#include "pages/timer_page.h"

namespace {

// A page as the two-time and light-switch pages declare their fields.
class CFieldsPage : public CTimerPage {
 public:
  static constexpr int kHigh2 = 1017, kSpin2a = 1018, kColon2 = 1185, kLow2 = 1019, kSpin2b = 1020,
                       kUnit2 = 1016;
  static constexpr int kRef2 = 1547, kList2 = 125, kRefUnit2 = 126;
  static constexpr int kWarnHigh = 1023, kWarnSpinA = 1027, kWarnColon = 1186, kWarnLow = 1028,
                       kWarnSpinB = 1029;
  static constexpr int kWarnRef = 1553, kWarnList = 127, kWarnLabel = 1237;

  CFieldsPage() {
    TimeField t;
    t.slot = 1;
    t.high = kHigh2, t.highSpin = kSpin2a, t.colon = kColon2, t.low = kLow2, t.lowSpin = kSpin2b,
    t.unit = kUnit2;
    t.button = kRef2, t.list = kList2, t.refUnitList = kRefUnit2;
    t.pHigh = &TimeValues::m_nHigh2, t.pLow = &TimeValues::m_nLow2, t.pUnit = &TimeValues::m_nUnit2;
    t.pRefUnit = &TimeValues::m_nRefUnit2;
    t.blockHigh = &CBlockObj::m_nParam15, t.blockLow = &CBlockObj::m_nParam14;
    t.blockUnit = &CBlockObj::m_nParam16, t.blockRefUnit = &CBlockObj::m_nParam13;
    AddTimeField(t);
    TimeField w;
    w.slot = 2;
    w.dependent = true;
    w.governor = 0;
    w.unitLabel = kWarnLabel;
    w.high = kWarnHigh, w.highSpin = kWarnSpinA, w.colon = kWarnColon, w.low = kWarnLow,
    w.lowSpin = kWarnSpinB;
    w.button = kWarnRef, w.list = kWarnList;
    w.pHigh = &TimeValues::m_nWarnTimeHigh, w.pLow = &TimeValues::m_nWarnTimeLow;
    w.blockHigh = &CBlockObj::m_nParam20, w.blockLow = &CBlockObj::m_nParam19;
    AddTimeField(w);
  }
  const PageDesc& Describe() const override {
    using K = ControlKind;
    static const PageDesc desc = {
        9998,
        u"Parameter",
        CSize(276, 145),
        {{kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)},
         {kHigh2, K::kEdit, u"", CRect(16, 44, 38, 57), kStyleNumber},
         {kSpin2a, K::kSpin, u"", CRect(38, 44, 46, 57), 0, {}, kHigh2},
         {kColon2, K::kStatic, u":", CRect(47, 46, 53, 56)},
         {kLow2, K::kEdit, u"", CRect(54, 44, 76, 57), kStyleNumber},
         {kSpin2b, K::kSpin, u"", CRect(76, 44, 84, 57), 0, {}, kLow2},
         {kUnit2, K::kCombo, u"", CRect(92, 44, 192, 100)},
         {kRef2, K::kButton, u"Reference", CRect(206, 43, 262, 57)},
         {kList2, K::kCombo, u"", CRect(16, 44, 88, 244), kStyleHidden},
         {kRefUnit2, K::kCombo, u"", CRect(92, 44, 192, 100), kStyleHidden},
         {kWarnHigh, K::kEdit, u"", CRect(16, 74, 38, 87), kStyleNumber},
         {kWarnSpinA, K::kSpin, u"", CRect(38, 74, 46, 87), 0, {}, kWarnHigh},
         {kWarnColon, K::kStatic, u":", CRect(47, 76, 53, 86)},
         {kWarnLow, K::kEdit, u"", CRect(54, 74, 76, 87), kStyleNumber},
         {kWarnSpinB, K::kSpin, u"", CRect(76, 74, 84, 87), 0, {}, kWarnLow},
         {kWarnLabel, K::kStatic, u"", CRect(92, 76, 192, 86)},
         {kWarnRef, K::kButton, u"Reference", CRect(206, 73, 262, 87)},
         {kWarnList, K::kCombo, u"", CRect(16, 74, 88, 274), kStyleHidden},
         {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 110, 120, 122)}}};
    return desc;
  }

 protected:
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Text(dx, kIdBlockName, m_strName);
    DDX_Text(dx, kLow2, m_nLow2);
    DDX_Text(dx, kHigh2, m_nHigh2);
    DDX_CBIndex(dx, kUnit2, m_nUnit2);
    DDX_Text(dx, kWarnLow, m_nWarnTimeLow);
    DDX_Text(dx, kWarnHigh, m_nWarnTimeHigh);
  }
  void OnInitDialog() override {
    for (const TimeField& f : m_fields) {
      FillUnitCombo(f);
      FillRefUnitList(f);
    }
    CBlockParamPage::OnInitDialog();
    ApplyNameRule();
    UpdateTimeFields();
    FillReferenceCombos();
    SetTabOrder(TimeChain());
    AddTimeTips();
  }
  bool WritesThrough() const override { return true; }
};

using P = CFieldsPage;

TEST(TimeFields, DependentFieldFollowsItsGovernorsUnit) {
  CDiagramBuilder d;
  PageHarness<P> h(&d.Doc());
  h.page.m_nUnit2 = TIMEBASE_HOURS;
  h.Open();
  EXPECT_EQ(h.host->GetText(P::kWarnLabel), CString(u"Hours(h:m)"));
  h.host->Type(P::kWarnLow, u"75");
  EXPECT_EQ(h.host->GetText(P::kWarnLow), CString(u"59"));
  EXPECT_EQ(h.host->GetTip(P::kWarnLow), CString(u"Number between 0 and 59"));
  h.host->Choose(P::kUnit2, TIMEBASE_SECONDS);
  EXPECT_EQ(h.host->GetText(P::kWarnLabel), CString(u"Seconds(s:1/100s)"));
  h.host->Type(P::kWarnLow, u"80");
  h.host->Type(P::kLow2, u"90");
  EXPECT_EQ(h.host->GetText(P::kWarnLow), CString(u"80"));
  h.host->Choose(P::kUnit2, TIMEBASE_MINUTES);  // clamps the governor's and its dependent's low parts
  EXPECT_EQ(h.host->GetText(P::kWarnLow), CString(u"59"));
  EXPECT_EQ(h.host->GetText(P::kLow2), CString(u"59"));
}

TEST(TimeFields, DroppedReferenceWritesThroughOnlyInSimulation) {
  for (bool simulating : {false, true}) {
    CDiagramBuilder d;
    auto* timer = d.Add<CBlockTime>(402);
    CBlockObj* counter = d.Add(800);
    timer->m_pRef[1] = counter;
    timer->m_nRefNumber[1] = counter->m_nNumber;
    timer->m_bUseRef[1] = 1;
    timer->m_nParam15 = 5;
    timer->m_nParam14 = 6;
    timer->m_dValue = 500;
    timer->m_bTiming = 1;
    PageHarness<P> h(&d.Doc(), simulating);
    h.page.m_nBlockNumber = timer->m_nNumber;
    h.page.m_bRefAllowed = 1;
    h.page.m_pRef[1] = counter;
    h.page.m_bRef[1] = 1;
    h.page.m_nHigh2 = 5;
    h.Open();
    EXPECT_TRUE(h.host->IsVisible(P::kList2));
    h.host->Click(P::kRef2);
    EXPECT_EQ(h.host->GetText(P::kHigh2), CString(u"5"));
    EXPECT_EQ(timer->m_pRef[1] == nullptr, simulating);
    EXPECT_EQ(timer->m_bUseRef[1], simulating ? 0 : 1);
    EXPECT_EQ(timer->m_nParam15, simulating ? 0 : 5);
    EXPECT_EQ(timer->m_bTiming, simulating ? 0 : 1);
    EXPECT_EQ(timer->m_dValue, simulating ? 0.0 : 500.0);
  }
}

TEST(TimeFields, DependentReferenceNormalisedOnOK) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(408);
  CBlockObj* counter = d.Add(800);
  PageHarness<P> h(&d.Doc());
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_nWarnTimeLow = 15;
  h.Open();
  h.host->Click(P::kWarnRef);
  EXPECT_EQ(h.page.m_pRef[2], counter);
  EXPECT_TRUE(h.host->IsVisible(P::kWarnList));
  EXPECT_TRUE(h.host->IsVisible(P::kWarnLabel));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_nWarnTimeLow, 0);
  EXPECT_EQ(h.page.m_bRef[2], 1);
  EXPECT_EQ(h.page.m_pRef[2], counter);
}

}  // namespace
