// The relay page: what shows per type and series, the register indexes, and
// the round trip block -> page -> block.
#include "pages/relay_page.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using R = CMiscRelay;

struct RelayCase {
  int type;
  WORD model;
  bool priority, shiftBit, registers, retentive, valueBox;
};

class RelayPageLayout : public testing::TestWithParam<RelayCase> {};

TEST_P(RelayPageLayout, ShowsTheControlsOfItsType) {
  const RelayCase c = GetParam();
  CDiagramBuilder d(kDocFbd, c.model);
  CBlockObj* own = d.Add(c.type);
  PageHarness<R> h(&d.Doc(), /*simulating=*/true);
  h.page.m_nType = c.type;
  h.page.m_pBlock = own;
  h.Open();
  EXPECT_TRUE(h.host->IsVisible(kIdBlockName));
  EXPECT_EQ(h.host->IsVisible(R::kIdPriorityR), c.priority);
  EXPECT_EQ(h.host->IsVisible(R::kIdPriorityS), c.priority);
  EXPECT_EQ(h.host->IsVisible(R::kIdShiftBit), c.shiftBit);
  EXPECT_EQ(h.host->IsVisible(R::kIdShiftBitLabel), c.shiftBit);
  EXPECT_EQ(h.host->IsVisible(R::kIdRegister), c.registers);
  EXPECT_EQ(h.host->IsVisible(R::kIdRegisterLabel), c.registers);
  EXPECT_EQ(h.host->IsVisible(kIdRetentivity), c.retentive);
  EXPECT_EQ(h.page.HasValueBox(), c.valueBox);
  if (c.shiftBit) {
    ASSERT_EQ(h.host->GetCount(R::kIdShiftBit), 16);
    EXPECT_EQ(h.host->GetItemText(R::kIdShiftBit, 15), CString(u"15"));
  }
}

constexpr WORD kNewer = 0x5188, kOlder = 0x1188;

INSTANTIATE_TEST_SUITE_P(Types, RelayPageLayout,
                         testing::Values(RelayCase{808, kNewer, false, false, false, true, false},
                                         RelayCase{809, kNewer, true, false, false, true, false},
                                         RelayCase{812, kNewer, false, true, true, true, true},
                                         RelayCase{812, kOlder, false, true, false, true, true},
                                         RelayCase{831, kNewer, false, false, false, true, true},
                                         RelayCase{832, kNewer, false, false, false, false, true},
                                         RelayCase{833, kNewer, false, false, false, false, true},
                                         RelayCase{853, kNewer, false, false, false, false, true},
                                         RelayCase{860, kNewer, false, false, false, false, false},
                                         RelayCase{861, kNewer, false, false, false, false, false},
                                         RelayCase{866, kNewer, false, false, false, false, true},
                                         RelayCase{867, kNewer, false, false, false, false, true},
                                         RelayCase{868, kNewer, false, false, false, false, true}));

TEST(RelayPage, NoValueBoxWhileEditing) {
  CDiagramBuilder d;
  PageHarness<R> h(&d.Doc());
  h.page.m_nType = 832;
  h.Open();
  EXPECT_FALSE(h.page.HasValueBox());
}

TEST(RelayPage, PulseRelayStoresThePriorityChosen) {
  CDiagramBuilder d;
  PageHarness<R> h(&d.Doc());
  h.page.m_nType = 809;
  h.Open();
  EXPECT_EQ(h.host->GetCheck(R::kIdPriorityR), 1);
  h.host->Click(R::kIdPriorityS);
  EXPECT_TRUE(h.page.IsModified());
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nPriority, 1);
}

TEST(RelayPage, RegisterListOffersOnlyTheIndexesNoOtherShiftRegisterHolds) {
  struct Row {
    std::vector<int> others;  // the register indexes of the other shift registers
    int own;
    std::vector<CString> offered;
    int selected;
  };
  const Row rows[] = {
      {{0, 3}, 2, {u"1", u"2"}, 1},
      {{}, 3, {u"0", u"1", u"2", u"3"}, 3},
      {{0, 1, 2, 3}, 0, {}, -1},           // every index held by another: nothing to offer
      {{0, 0}, 7, {u"1", u"2", u"3"}, 0},  // an index out of range: the first entry
  };
  for (const Row& row : rows) {
    CDiagramBuilder d;
    for (int index : row.others) d.Add(812)->m_nParam24 = index;
    CBlockObj* own = d.Add(812);
    own->m_nParam24 = row.own;
    PageHarness<R> h(&d.Doc());
    h.page.m_nType = 812;
    h.page.m_pBlock = own;
    h.page.m_nShiftIndex = row.own;
    h.Open();
    std::vector<CString> offered;
    for (int i = 0; i < h.host->GetCount(R::kIdRegister); ++i)
      offered.push_back(h.host->GetItemText(R::kIdRegister, i));
    EXPECT_EQ(offered, row.offered) << row.own;
    EXPECT_EQ(h.host->GetCurSel(R::kIdRegister), row.selected) << row.own;
  }
}

TEST(RelayPage, ShiftRegisterRoundTripStoresTheIndexShownNotThePosition) {
  CDiagramBuilder d;
  d.Add(812)->m_nParam24 = 0;
  d.Add(812)->m_nParam24 = 3;
  CBlockObj* own = d.Add(812);
  own->m_nParam24 = 2;
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    host.Choose(R::kIdRegister, 0);  // "1"
    host.Choose(R::kIdShiftBit, 9);
    host.Type(kIdBlockName, u"Shift");
    host.Click(kIdRetentivity);
  };
  ASSERT_TRUE(command.Run(own, false, runner));
  EXPECT_EQ(own->m_nParam24, 1);
  EXPECT_EQ(own->m_nParam23, 9);
  EXPECT_EQ(own->m_strName, CString(u"Shift"));
  EXPECT_EQ(own->m_nParam1, 1);

  // Opening again shows what OK wrote.
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    EXPECT_EQ(host.GetText(R::kIdRegister), CString(u"1"));
    EXPECT_EQ(host.GetCurSel(R::kIdShiftBit), 9);
    EXPECT_EQ(host.GetText(kIdBlockName), CString(u"Shift"));
    EXPECT_EQ(host.GetCheck(kIdRetentivity), 1);
  };
  ASSERT_TRUE(command.Run(own, false, runner));
  EXPECT_EQ(own->m_nParam24, 1);
}

TEST(RelayPage, PulseRelayRoundTrip) {
  CDiagramBuilder d;
  CBlockObj* relay = d.Add(809);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) { host.Click(R::kIdPriorityS); };
  ASSERT_TRUE(command.Run(relay, false, runner));
  EXPECT_EQ(relay->m_nParam25, 1);
  runner.script = [](CBlockSheet&, CMemoryHost& host) { EXPECT_EQ(host.GetCheck(R::kIdPriorityS), 1); };
  ASSERT_TRUE(command.Run(relay, false, runner));
}

}  // namespace
