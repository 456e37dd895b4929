// The stairway lighting switch and multiple function switch pages through the
// memory host.
#include "pages/light_switch_pages.h"

#include <gtest/gtest.h>

#include "pages/block_round_trip.h"

namespace {

using L = CLightSwitchPage;

struct StandardCase {
  int unit;
  const char16_t* warnLow;
  const char16_t* periodLow;
  const char16_t* label;
};

TEST(StairwayPage, StandardValuesFollowTheUnitOfT) {
  const StandardCase cases[] = {
      {TIMEBASE_SECONDS, u"75", u"5", u"Seconds(s:1/100s)"},
      {TIMEBASE_MINUTES, u"15", u"1", u"Minutes(m:s)"},
      {TIMEBASE_HOURS, u"15", u"1", u"Hours(h:m)"},
  };
  CDiagramBuilder d;
  PageHarness<CSpecialPar3> h(&d.Doc());
  h.page.m_bStandardWarning = 1;
  h.page.m_nWarnTimeLow = 40;
  h.page.m_nWarnPeriodHigh = 3;
  h.Open();
  EXPECT_FALSE(h.page.IsModified());
  for (const StandardCase& c : cases) {
    h.host->Choose(L::kIdTUnit, c.unit);
    EXPECT_EQ(h.host->GetText(L::kIdWHigh), CString(u"0"));
    EXPECT_EQ(h.host->GetText(L::kIdWLow), CString(c.warnLow));
    EXPECT_EQ(h.host->GetText(L::kIdPHigh), CString(u"0"));
    EXPECT_EQ(h.host->GetText(L::kIdPLow), CString(c.periodLow));
    EXPECT_EQ(h.host->GetText(L::kIdWUnitLabel), CString(c.label));
    EXPECT_EQ(h.host->GetText(L::kIdPUnitLabel), CString(c.label));
    EXPECT_FALSE(h.host->IsEnabled(L::kIdWLow));
    EXPECT_FALSE(h.host->IsEnabled(L::kIdPReference));
  }
  h.host->Click(L::kIdStandard);  // off: editable, values kept
  EXPECT_TRUE(h.host->IsEnabled(L::kIdWLow));
  EXPECT_EQ(h.host->GetText(L::kIdWLow), CString(u"15"));
}

TEST(StairwayPage, StandardValuesTypedByHandAreRecognisedOnOK) {
  struct Case {
    int unit;
    const char16_t* warnLow;
    const char16_t* periodLow;
    int standard;
  };
  for (const Case& c : {Case{TIMEBASE_HOURS, u"15", u"1", 1}, Case{TIMEBASE_SECONDS, u"75", u"5", 1},
                        Case{TIMEBASE_SECONDS, u"15", u"1", 0}}) {
    CDiagramBuilder d;
    PageHarness<CSpecialPar3> h(&d.Doc());
    h.page.m_nUnit2 = c.unit;
    h.Open();
    h.host->SetText(L::kIdWLow, c.warnLow);
    h.host->SetText(L::kIdPLow, c.periodLow);
    ASSERT_TRUE(h.page.UpdateData(true));
    h.page.OnOK();
    EXPECT_EQ(h.page.m_bStandardWarning, c.standard) << c.unit;
  }
}

TEST(StairwayPage, BoxSwitchesAReferencedWarningBackAndTsBlockUnitGoverns) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(408);
  d.Add(800);
  PageHarness<CSpecialPar3> h(&d.Doc());
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_nUnit2 = TIMEBASE_HOURS;
  h.Open();
  h.host->Click(L::kIdWReference);
  EXPECT_TRUE(h.host->IsVisible(L::kIdWRefList));
  EXPECT_EQ(h.host->GetText(L::kIdWUnitLabel), CString(u"Minutes"));  // the reference unit captions
  h.host->Click(L::kIdStandard);
  EXPECT_FALSE(h.host->IsVisible(L::kIdWRefList));
  EXPECT_EQ(h.page.m_bRef[2], 0);
  EXPECT_EQ(h.host->GetText(L::kIdWLow), CString(u"15"));
  h.host->Click(L::kIdTReference);  // T from a block: its reference unit governs
  h.host->Choose(L::kIdTRefUnitList, REFUNIT_MILLISECONDS);
  EXPECT_EQ(h.host->GetText(L::kIdWLow), CString(u"75"));
  EXPECT_EQ(h.host->GetText(L::kIdPLow), CString(u"5"));
  EXPECT_EQ(h.host->GetText(L::kIdWUnitLabel), CString(u"Seconds(s:1/100s)"));
}

TEST(StairwayPage, OlderSeriesHasNoReferences) {
  CDiagramBuilder old(kDocFbd, 0x2188);
  CBlockObj* own = old.Add(408);
  CBlockObj* other = old.Add(800);
  PageHarness<CSpecialPar3> h(&old.Doc());
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_pRef[1] = other;
  h.page.m_bRef[1] = 1;
  h.Open();
  for (int id : {L::kIdTReference, L::kIdWReference, L::kIdPReference})
    EXPECT_FALSE(h.host->IsVisible(id)) << id;
  EXPECT_TRUE(h.host->IsVisible(L::kIdTHigh));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_pRef[1], nullptr);
  EXPECT_EQ(h.page.m_nRefNumber[1], -1);
}

TEST(MultiSwitchPage, ZeroStandardValuesAndTheTwoFullFields) {
  using M = CSpecialPar4;
  CDiagramBuilder d;
  PageHarness<M> h(&d.Doc());
  h.page.m_bStandardWarning = 1;
  h.page.m_nWarnTimeLow = 30;
  h.page.m_nUnit1 = TIMEBASE_HOURS;
  h.Open();
  EXPECT_EQ(h.host->GetText(L::kIdWLow), CString(u"0"));
  EXPECT_EQ(h.host->GetText(L::kIdPLow), CString(u"0"));
  h.host->Type(M::kIdTLLow, u"75");  // TL follows its own unit
  EXPECT_EQ(h.host->GetText(M::kIdTLLow), CString(u"59"));
  h.host->Type(L::kIdTLow, u"75");  // T under seconds keeps 75
  EXPECT_EQ(h.host->GetText(L::kIdTLow), CString(u"75"));
  h.host->Click(L::kIdStandard);
  h.host->SetText(L::kIdWLow, u"0");
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_bStandardWarning, 1);  // 0:0 and 0:0 are the standard values
}

TEST(LightSwitchRoundTrip, BlockToPageToBlock) {
  CDiagramBuilder d;
  CBlockObj* ref = d.Add(803);
  for (int type : {408, 409}) {
    CBlockObj* a = d.Add(type);
    CBlockObj* b = d.Add(type);
    a->m_strName = u"L";
    a->m_nParam1 = 1;    // retentivity
    a->m_nParam15 = 4;   // T high
    a->m_nParam14 = 20;  // T low
    a->m_nParam16 = TIMEBASE_SECONDS;
    a->m_nParam20 = 1;  // T! high
    a->m_nParam19 = 2;  // T! low
    a->m_nParam22 = 0;  // T!L: taken from a block
    a->m_nParam21 = 0;
    a->m_pRef[3] = ref;
    a->m_bUseRef[3] = 1;
    a->m_nParam18 = 0;  // X5: no standard values (they would drop the reference)
    if (type == 409) {
      a->m_nParam10 = 7;  // TL high
      a->m_nParam11 = TIMEBASE_MINUTES;
    }
    if (type == 408)
      PageRoundTrip<CSpecialPar3>(d, *a, *b);
    else
      PageRoundTrip<CSpecialPar4>(d, *a, *b);
    EXPECT_EQ(b->m_pRef[3], ref) << type;
  }
}

}  // namespace
