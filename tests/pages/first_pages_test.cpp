// The single-time timer page, the logic pages and the operand pages through
// the memory host.
#include <gtest/gtest.h>

#include "blocks/pictograms.h"
#include "pages/logic_pages.h"
#include "pages/operand_pages.h"
#include "pages/page_harness.h"
#include "pages/timer_page.h"

namespace {

using T = CSpecialFunPar;

TEST(TimerPage, LowPartIsHeldTo59UnderHoursAndMinutes) {
  CDiagramBuilder d;
  PageHarness<T> h(&d.Doc());
  h.page.m_nUnit1 = TIMEBASE_HOURS;
  h.Open();
  h.host->Type(T::kIdLow, u"75");
  EXPECT_EQ(h.host->GetText(T::kIdLow), CString(u"59"));
  h.host->Choose(T::kIdUnit, TIMEBASE_SECONDS);
  h.host->Type(T::kIdLow, u"75");
  EXPECT_EQ(h.host->GetText(T::kIdLow), CString(u"75"));
  h.host->Type(T::kIdHigh, u"12");
  h.host->Choose(T::kIdUnit, TIMEBASE_MINUTES);  // 12:75 becomes 12:59
  EXPECT_EQ(h.host->GetText(T::kIdLow), CString(u"59"));
  EXPECT_EQ(h.host->GetText(T::kIdHigh), CString(u"12"));
  h.host->Choose(T::kIdUnit, TIMEBASE_SECONDS);
  EXPECT_EQ(h.host->GetText(T::kIdLow), CString(u"59"));
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nHigh1, 12);
  EXPECT_EQ(h.page.m_nLow1, 59);
  EXPECT_EQ(h.page.m_nUnit1, TIMEBASE_SECONDS);
}

TEST(TimerPage, TipsFollowTheUnitInForce) {
  CDiagramBuilder d;
  PageHarness<T> h(&d.Doc());
  h.Open();
  EXPECT_EQ(h.host->GetTip(T::kIdHigh), CString(u"Number between 0 and 99"));
  EXPECT_EQ(h.host->GetTip(T::kIdLow), CString(u"Number between 0 and 99"));
  h.host->Choose(T::kIdUnit, TIMEBASE_HOURS);
  EXPECT_EQ(h.host->GetTip(T::kIdLow), CString(u"Number between 0 and 59"));
  EXPECT_EQ(h.host->GetTip(T::kIdHigh), CString(u"Number between 0 and 99"));
}

TEST(TimerPage, EmptyPartOrHighPartOutOfRangeKeepsTheSheetOpen) {
  CDiagramBuilder d;
  PageHarness<T> h(&d.Doc());
  h.Open();
  h.host->SetText(T::kIdLow, u"");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.host->GetFocus(), T::kIdLow);
  h.host->SetText(T::kIdLow, u"1");
  h.host->SetText(T::kIdHigh, u"100");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.sink.texts().back(), CString(u"Please enter an integer between 0 and 99."));
}

TEST(TimerPage, ReferenceOnAndOffThenOK) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(400);
  CBlockObj* counter = d.Add(800);
  {  // On, and OK while a block is referenced: parts 0, the chosen unit, the block.
    PageHarness<T> h(&d.Doc());
    h.page.m_nBlockNumber = own->m_nNumber;
    h.page.m_bRefAllowed = 1;
    h.page.m_nHigh1 = 3;
    h.page.m_nLow1 = 4;
    h.Open();
    EXPECT_FALSE(h.host->IsVisible(T::kIdRefList));
    h.host->Click(T::kIdReference);
    EXPECT_EQ(h.page.m_pRef[0], counter);
    EXPECT_TRUE(h.host->IsVisible(T::kIdRefList));
    EXPECT_TRUE(h.host->IsVisible(T::kIdRefUnitList));
    EXPECT_FALSE(h.host->IsVisible(T::kIdUnit));
    h.host->Choose(T::kIdRefUnitList, REFUNIT_MILLISECONDS);
    ASSERT_TRUE(h.page.UpdateData(true));
    h.page.OnOK();
    EXPECT_EQ(h.page.m_nHigh1, 0);
    EXPECT_EQ(h.page.m_nLow1, 0);
    EXPECT_EQ(h.page.m_nRefUnit1, REFUNIT_MILLISECONDS);
    EXPECT_EQ(h.page.m_bRef[0], 1);
    EXPECT_EQ(h.page.m_pRef[0], counter);
  }
  {  // On and off again: the old parts, then no block, number -1 and unit 0.
    PageHarness<T> h(&d.Doc());
    h.page.m_nBlockNumber = own->m_nNumber;
    h.page.m_bRefAllowed = 1;
    h.page.m_nHigh1 = 3;
    h.page.m_nLow1 = 4;
    h.page.m_nRefUnit1 = 2;
    h.Open();
    h.host->Click(T::kIdReference);
    h.host->Click(T::kIdReference);
    EXPECT_EQ(h.host->GetText(T::kIdHigh), CString(u"3"));
    EXPECT_EQ(h.host->GetText(T::kIdLow), CString(u"4"));
    ASSERT_TRUE(h.page.UpdateData(true));
    h.page.OnOK();
    EXPECT_EQ(h.page.m_pRef[0], nullptr);
    EXPECT_EQ(h.page.m_nRefNumber[0], -1);
    EXPECT_EQ(h.page.m_nRefUnit1, 0);
    EXPECT_EQ(h.page.m_nHigh1, 3);
  }
}

TEST(TimerPage, ReferenceWithAnEmptyListStoresNoBlock) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(400);
  PageHarness<T> h(&d.Doc());
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_nHigh1 = 5;
  h.Open();
  h.host->Click(T::kIdReference);
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
  EXPECT_EQ(h.page.m_bRef[0], 0);
  EXPECT_EQ(h.page.m_nRefUnit1, 0);
  EXPECT_EQ(h.page.m_nHigh1, 5);
}

TEST(TimerPage, SimulationLeavesTheRunningBlockAloneUntilApply) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(400);
  CBlockObj* counter = d.Add(800);
  own->m_pRef[0] = counter;
  own->m_bUseRef[0] = 1;
  PageHarness<T> h(&d.Doc(), true);
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_pRef[0] = counter;
  h.page.m_bRef[0] = 1;
  h.Open();
  h.host->Click(T::kIdReference);
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
  EXPECT_EQ(own->m_pRef[0], counter);
  EXPECT_EQ(own->m_bUseRef[0], 1);
}

TEST(TimerPage, OlderSeriesWipingRelayOffersNoReference) {
  CDiagramBuilder d(kDocFbd, 0x1188);
  CBlockObj* relay = d.Add(404);
  CBlockObj* delay = d.Add(400);
  d.Add(800);
  d.Add(401);  // not referenceable on the older series
  for (CBlockObj* own : {relay, delay}) {
    PageHarness<T> h(&d.Doc());
    h.page.m_nBlockNumber = own->m_nNumber;
    h.page.m_bRefAllowed = 1;
    h.Open();
    EXPECT_EQ(h.host->IsVisible(T::kIdReference), own == delay);
    EXPECT_EQ(h.host->GetCount(T::kIdRefList), own == delay ? 1 : 0);
  }
}

TEST(BooleanPage, TruthTableWordFollowsTheRows) {
  CDiagramBuilder d;
  PageHarness<CBoolean> h(&d.Doc());
  h.page.m_nTruthTable = 0x10008001;
  h.Open();
  for (int r = 0; r < CBoolean::kRows; ++r)
    EXPECT_EQ(h.host->GetCurSel(CBoolean::kIdFirstRow + r), r == 0 || r == 15 ? 1 : 0) << r;
  h.host->Choose(CBoolean::kIdFirstRow + 1, 1);
  EXPECT_EQ(h.page.m_nTruthTable, 0x10008003);
  h.host->Choose(CBoolean::kIdFirstRow + 15, 0);
  EXPECT_EQ(h.page.m_nTruthTable, 0x10000003);
  EXPECT_TRUE(h.page.IsModified());
}

TEST(OperandPages, InputPageOffersFreeChannelsAndHighSpeedOnMainOnly) {
  CDiagramBuilder d;
  for (int ch : {0, 1, 3}) d.Add(600)->m_nOperand = ch;
  PageHarness<CConstantsIOPar> h(&d.Doc());
  h.page.m_nType = 600;
  h.page.m_nOperandIndex = 1;
  h.Open();
  ASSERT_GE(h.host->GetCount(CConstantsIOPar::kIdChannel), 3);
  EXPECT_EQ(h.host->GetItemText(CConstantsIOPar::kIdChannel, 0), CString(u"I1"));
  EXPECT_EQ(h.host->GetItemText(CConstantsIOPar::kIdChannel, 1), CString(u"I2"));
  EXPECT_EQ(h.host->GetItemText(CConstantsIOPar::kIdChannel, 2), CString(u"I4"));
  EXPECT_EQ(h.host->GetText(CConstantsIOPar::kIdChannel), CString(u"I1"));
  EXPECT_EQ(h.host->GetText(CConstantsIOPar::kIdChannelLabel), CString(u"Input Number:"));
  EXPECT_TRUE(h.host->IsVisible(CConstantsIOPar::kIdHighSpeed));
  h.host->Click(CConstantsIOPar::kIdHighSpeed);
  h.host->Choose(CConstantsIOPar::kIdChannel, 2);  // I4 hides "High Speed"
  EXPECT_FALSE(h.host->IsVisible(CConstantsIOPar::kIdHighSpeed));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_bHighSpeed, 0);
  // Changing the module keeps the channel when the new one offers it.
  h.host->Choose(CConstantsIOPar::kIdChannel, 1);  // I2
  EXPECT_EQ(h.host->GetPictureState(CConstantsIOPar::kIdPicture), 0) << "the main unit marked";
  h.host->Choose(CConstantsIOPar::kIdModule, 2);  // Ext.2
  EXPECT_EQ(h.host->GetText(CConstantsIOPar::kIdChannel), CString(u"I2"));
  EXPECT_EQ(h.host->Desc(CConstantsIOPar::kIdPicture)->picture, kPictureModules);
  EXPECT_EQ(h.host->GetPictureState(CConstantsIOPar::kIdPicture), 2) << "the module picture follows";
  h.page.UpdateOperandNumber();
  EXPECT_EQ(h.page.m_nOperandIndex, 2 * 32 + 2);
}

TEST(OperandPages, ModuleWhoseChannelsAreAllTakenIsLeftOut) {
  CDiagramBuilder d;
  for (int i = 0; i < 16; ++i) d.Add(605)->m_nOperand = 16 + i;  // every output of Ext.1
  CBlockObj* own = d.Add(605);
  own->m_nOperand = 0;
  PageHarness<CConstantsIOPar> h(&d.Doc());
  h.page.m_nType = 605;
  h.page.m_nOperandIndex = 0;
  h.Open();
  EXPECT_EQ(h.host->GetCount(CConstantsIOPar::kIdModule), 7);
  EXPECT_EQ(h.host->GetItemText(CConstantsIOPar::kIdModule, 1), CString(u"Ext.2"));
  EXPECT_EQ(h.page.m_pBlock, own);
}

TEST(OperandPages, NumberPagesBySeries) {
  const struct {
    WORD model;
    int type;
    int count;
    const char16_t* last;
  } cases[] = {{0x5188, 602, 64, u"S3.15"},
               {0x1188, 602, 16, u"S0.15"},
               {0x5188, 607, 512, u"M511"},
               {0x5188, 611, 5, u"F4"},
               {0x5188, 606, 128, u"X127"}};
  for (const auto& c : cases) {
    CDiagramBuilder d(kDocFbd, c.model);
    PageHarness<CConstantsPar> h(&d.Doc());
    h.page.m_nType = c.type;
    h.Open();
    ASSERT_EQ(h.host->GetCount(CConstantsPar::kIdNumber), c.count) << c.type;
    EXPECT_EQ(h.host->GetItemText(CConstantsPar::kIdNumber, c.count - 1), CString(c.last));
    EXPECT_EQ(h.host->Has(CConstantsPar::kIdFlagInfo), c.type == 607);
  }
}

}  // namespace
