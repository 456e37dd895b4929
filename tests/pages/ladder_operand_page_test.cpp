// The ladder operand page: what it lists for contacts and coils, how it
// preselects the element's operand and reads the chosen entry back.
#include "pages/ladder_operand_page.h"

#include <gtest/gtest.h>

#include "model/name_tables.h"
#include "pages/page_harness.h"

namespace {

using L = CPropPageLadIO;

class LadderPage : public ::testing::Test {
 protected:
  void SetUp() override { BuildBlockTypeNames(); }

  // Opens the page of an element of the type on the operand.
  std::unique_ptr<PageHarness<L>> Open(CDiagramBuilder& d, int type, int operand, int coilNumber = 0) {
    auto h = std::make_unique<PageHarness<L>>(&d.Doc());
    h->page.m_nElementType = type;
    h->page.m_nOperand = operand;
    h->page.m_nCoilNumber = coilNumber;
    h->Open();
    return h;
  }
  static int Find(CMemoryHost& host, const CString& prefix) {
    for (int i = 0; i < host.GetCount(L::kIdList); ++i)
      if (host.GetItemText(L::kIdList, i).Left(prefix.GetLength()) == prefix) return i;
    return -1;
  }
};

TEST_F(LadderPage, ContactOnAnInputListsAndParsesModuleAndChannel) {
  CDiagramBuilder d(kDocLadder);
  auto h = Open(d, 700, 100 + 64 + 3);
  EXPECT_TRUE(h->host->GetText(L::kIdList).Left(4) == CString(u"I203"));
  h->page.m_nOperand = 0;
  h->page.ParseOperandName();
  EXPECT_EQ(h->page.m_nOperand, 167);
}

TEST_F(LadderPage, KeysAndShiftBitsBySeries) {
  for (WORD model : {WORD(0x5188), WORD(0x1188)}) {
    CDiagramBuilder d(kDocLadder, model);
    auto h = Open(d, 701, 100);
    const bool newer = model == 0x5188;
    EXPECT_EQ(Find(*h->host, u"F4") >= 0, newer);
    EXPECT_EQ(Find(*h->host, u"S3.15") >= 0, newer);
    EXPECT_GE(Find(*h->host, u"S0.15"), 0);
    EXPECT_EQ(Find(*h->host, u"I016"), -1);  // 16 of every 32 input numbers
  }
}

TEST_F(LadderPage, CoilsGetFreeOutputsAndFlagsOnly) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* other = d.Add(703);
  other->m_nOperand = 1316 + 5;  // M5 is taken by another coil
  CBlockObj* own = d.Add(703);
  own->m_nOperand = 1316 + 7;
  auto h = Open(d, 703, own->m_nOperand, own->m_nNumber);
  EXPECT_EQ(Find(*h->host, u"M5["), -1);
  EXPECT_EQ(Find(*h->host, u"M5 "), -1);
  EXPECT_GE(Find(*h->host, u"M7"), 0);
  EXPECT_TRUE(h->host->GetText(L::kIdList).Left(2) == CString(u"M7"));
  EXPECT_GE(Find(*h->host, u"Q007"), 0);
  EXPECT_EQ(Find(*h->host, u"Q008"), -1);
  EXPECT_GE(Find(*h->host, u"X127"), 0);
}

TEST_F(LadderPage, ContactOnAnOutputStoresTheCoilThatDrivesIt) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* inverted = d.Add(704);
  inverted->m_nOperand = 600 + 16 + 2;  // Q102
  CBlockObj* relay = d.Add(703);
  relay->m_nOperand = 600 + 16 + 2;
  auto h = Open(d, 700, 100);
  const int q = Find(*h->host, u"Q102");
  ASSERT_GE(q, 0);
  h->host->Choose(L::kIdList, q);
  h->page.OnOK();
  EXPECT_EQ(h->page.m_nOperand, relay->m_nNumber);  // the relay coil before the inverted output
  ASSERT_GE(relay->m_nNumber, 21000);
  auto again = Open(d, 700, relay->m_nNumber);  // reopening preselects the output through the coil
  EXPECT_TRUE(again->host->GetText(L::kIdList).Left(4) == CString(u"Q102"));
}

TEST_F(LadderPage, TypedNumberSelectsAndNoSelectionKeepsTheOperand) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* coil = d.Add(703);
  coil->m_nOperand = 600 + 16;  // Q100
  auto h = Open(d, 700, 100);
  h->host->Type(L::kIdNumber, u"q1");
  EXPECT_TRUE(h->host->GetText(L::kIdList).Left(2) == CString(u"Q1"));
  h->host->SetCurSel(L::kIdList, -1);
  h->page.m_nOperand = 1234;
  h->page.OnOK();
  EXPECT_EQ(h->page.m_nOperand, 1234);
}

}  // namespace
