// The memory block page: the recordable blocks and their values, the hyphen
// entries, and the round trip.
#include "pages/mem_page.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/name_tables.h"
#include "msgtext/msg_param_table.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using M = CMEM;

TEST(MemPage, RecordableNamesByType) {
  BuildParameterNames();
  struct Row {
    int type;
    std::vector<CString> names;
  };
  const Row rows[] = {
      {400, {u"Current Time"}},
      {823, {u"Overflow", u"Zero division"}},
      {413, {g_ParameterNames[81], g_ParameterNames[82], g_ParameterNames[83]}},
      {407, {}},  // a row without recordable values
      {300, {}},  // a type without a row
  };
  for (const Row& r : rows) EXPECT_EQ(M::RecordableNames(r.type), r.names) << r.type;
  ASSERT_NE(FindMsgParamRow(610), nullptr);
  EXPECT_EQ(FindMsgParamRow(0), nullptr);
}

TEST(MemPage, NoRecordableBlockShowsOnlyHyphens) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(847);
  PageHarness<M> h(&d.Doc());
  h.page.m_nBlockNumber = own->m_nNumber;
  h.Open();
  ASSERT_EQ(h.host->GetCount(M::kIdBlockList), 1);
  EXPECT_EQ(h.host->GetItemText(M::kIdBlockList, 0), CString(51, u'-'));
  ASSERT_EQ(h.host->GetCount(M::kIdIndexList), 1);
  EXPECT_EQ(h.host->GetItemText(M::kIdIndexList, 0), CString(33, u'-'));
}

TEST(MemPage, RoundTripChoosesABlockValueAndClearsIt) {
  CDiagramBuilder d;
  CBlockObj* avg = d.Add(822);  // records 93 and 94
  CBlockObj* mem = d.Add(847);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  int entry = -1;
  runner.script = [&entry, avg](CBlockSheet&, CMemoryHost& host) {
    for (int i = 0; i < host.GetCount(M::kIdBlockList); ++i)
      if (host.GetItemText(M::kIdBlockList, i) == ChoiceText(avg)) entry = i;
    ASSERT_GT(entry, 0);
    host.Choose(M::kIdBlockList, entry);
    ASSERT_EQ(host.GetCount(M::kIdIndexList), 2);
    EXPECT_EQ(host.GetItemText(M::kIdIndexList, 1), g_ParameterNames[94]);
    host.Choose(M::kIdIndexList, 1);
  };
  ASSERT_TRUE(command.Run(mem, false, runner));
  EXPECT_EQ(mem->m_pRef[0], avg);
  EXPECT_EQ(mem->m_bUseRef[0], 1);
  EXPECT_EQ(mem->m_nParam9, 1);  // the value's position among the type's values

  runner.script = [entry](CBlockSheet&, CMemoryHost& host) {
    EXPECT_EQ(host.GetCurSel(M::kIdBlockList), entry);
    EXPECT_EQ(host.GetCurSel(M::kIdIndexList), 1);
    host.Choose(M::kIdBlockList, 0);  // back to no block
    EXPECT_EQ(host.GetItemText(M::kIdIndexList, 0), CString(51, u'-'));
  };
  ASSERT_TRUE(command.Run(mem, false, runner));
  EXPECT_EQ(mem->m_pRef[0], nullptr);
  EXPECT_EQ(mem->m_bUseRef[0], 0);  // no block: no data source claimed
}

}  // namespace
