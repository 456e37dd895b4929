// The data log page: the entries that can be logged, the mapping of an entry
// to its operand, adding and removing rows with the 32-item limit, and the
// items stored into the block by OK.
#include "pages/data_log_page.h"

#include <gtest/gtest.h>

#include "blocks/data_log_block.h"
#include "model/block_obj.h"
#include "model/name_tables.h"
#include "msgtext/msg_param_table.h"
#include "pages/mem_page.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using L = CDataLog;

TEST(DataLogPage, EntryToOperand) {
  const struct {
    const char16_t* entry;
    int operand;
  } rows[] = {
      {u"I000-I007", 100}, {u"I100-I107", 132}, {u"I024-I031", 124},     {u"Q008-Q015", 608},
      {u"Q108-Q115", 624}, {u"M8-M15", 1324},   {u"M0-M7", 1316},        {u"AQ103 [Analog output]", 4237},
      {u"AM12", 4300},     {u"AI105", 4013},    {u"B3 [Counter]", 9003}, {u"X1", -1},
      {u"", -1},           {u"AM", -1}};
  for (const auto& r : rows) EXPECT_EQ(L::OperandOfEntry(r.entry), r.operand) << CString(r.entry).ToUtf8();
}

TEST(DataLogPage, LoggableEntries) {
  CDiagramBuilder d;
  const std::vector<CString> e = L::LoggableEntries(nullptr, -1);
  ASSERT_EQ(e.size(), 64u + 512 + 32 + 32 + 64 + 16);
  EXPECT_TRUE(e[0].Left(5) == u"AI000");
  EXPECT_TRUE(e[9].Left(5) == u"AI101");
  EXPECT_TRUE(e[64 + 12].Left(4) == u"AM12");
  EXPECT_TRUE(e[64 + 512 + 7].Left(5) == u"AQ103");
  EXPECT_EQ(e[608], CString(u"I000-I007"));
  EXPECT_EQ(e[612], CString(u"I100-I107"));
  EXPECT_EQ(e[640 + 1], CString(u"M8-M15"));
  EXPECT_EQ(e[704 + 1], CString(u"Q008-Q015"));
  EXPECT_EQ(e.back(), CString(u"Q708-Q715"));
}

struct LogFixture {
  CDiagramBuilder d;
  CBlockObj* log = d.Add(911);
  CBlockObj* comparator = d.Add(803);
  PageHarness<L> h{&d.Doc()};
  int Index(const CString& prefix) {
    for (int i = 0; i < h.host->GetCount(L::kIdEntries); ++i)
      if (h.host->GetItemText(L::kIdEntries, i).Left(prefix.GetLength()) == prefix) return i;
    return -1;
  }
  void Open() {
    h.page.m_nBlockNumber = log->m_nNumber;
    h.Open();
  }
};

TEST(DataLogPage, AddingAndRemoving) {
  LogFixture f;
  f.Open();
  CMemoryHost& host = *f.h.host;
  EXPECT_FALSE(host.IsEnabled(L::kIdAdd));
  const int group = f.Index(u"I100-I107");
  host.Choose(L::kIdEntries, group);
  EXPECT_TRUE(host.IsEnabled(L::kIdAdd));
  host.Click(L::kIdAdd);
  ASSERT_EQ(f.h.page.m_rows.size(), 1u);
  EXPECT_EQ(host.GetItemText(L::kIdItems, 0), CString(u"I100-I107\t"));
  host.Choose(L::kIdEntries, group);  // already logged
  EXPECT_FALSE(host.IsEnabled(L::kIdAdd));

  // A block: its recordable values; each logged one leaves the list.
  const std::vector<CString> names = CMEM::RecordableNames(803);
  ASSERT_GE(names.size(), 2u);
  const int block = f.Index(FormatString(u"B%d", f.comparator->m_nNumber - 9000));
  ASSERT_GE(block, 0);
  host.Choose(L::kIdEntries, block);
  EXPECT_FALSE(host.IsEnabled(L::kIdAdd));
  ASSERT_EQ(host.GetCount(L::kIdParams), static_cast<int>(names.size()));
  host.DoubleClick(L::kIdParams, 0);
  ASSERT_EQ(f.h.page.m_rows.size(), 2u);
  EXPECT_EQ(f.h.page.m_rows[1].second, names[0]);
  EXPECT_EQ(host.GetCount(L::kIdParams), static_cast<int>(names.size()) - 1);
  EXPECT_EQ(host.GetItemText(L::kIdParams, 0), names[1]);

  // Removing the block's row brings its value back at its place.
  host.Choose(L::kIdItems, 1);
  host.Click(L::kIdRemove);
  ASSERT_EQ(f.h.page.m_rows.size(), 1u);
  EXPECT_EQ(host.GetItemText(L::kIdParams, 0), names[0]);
  EXPECT_TRUE(f.h.page.IsModified());
}

TEST(DataLogPage, RemovingSeveralRowsKeepsTheOrder) {
  LogFixture f;
  f.Open();
  CMemoryHost& host = *f.h.host;
  for (int i = 0; i < 5; ++i) {
    host.Choose(L::kIdEntries, 64 + i);  // AM0 .. AM4
    host.Click(L::kIdAdd);
  }
  host.SelectItems(L::kIdItems, {3, 1});
  host.Click(L::kIdRemove);
  ASSERT_EQ(f.h.page.m_rows.size(), 3u);
  EXPECT_TRUE(f.h.page.m_rows[0].first.Left(3) == u"AM0");
  EXPECT_TRUE(f.h.page.m_rows[1].first.Left(3) == u"AM2");
  EXPECT_TRUE(f.h.page.m_rows[2].first.Left(3) == u"AM4");
  EXPECT_EQ(host.GetCurSel(L::kIdItems), 1);  // the row now at the first removed place
}

TEST(DataLogPage, ThirtyTwoItemsAtMost) {
  LogFixture f;
  f.Open();
  CMemoryHost& host = *f.h.host;
  for (int i = 0; i < L::kMaxItems; ++i) {
    host.Choose(L::kIdEntries, 64 + i);  // AM0 ..
    host.Click(L::kIdAdd);
  }
  ASSERT_EQ(f.h.page.m_rows.size(), 32u);
  EXPECT_TRUE(f.h.sink.texts().empty());
  host.Choose(L::kIdEntries, 64 + 40);
  host.Click(L::kIdAdd);
  EXPECT_EQ(f.h.page.m_rows.size(), 32u);
  ASSERT_EQ(f.h.sink.texts().size(), 1u);
  EXPECT_TRUE(f.h.sink.texts()[0].Left(46) == u"The maximun number of items to be logged has r");
}

TEST(DataLogPage, OkStoresTheItems) {
  CDiagramBuilder d;
  auto* log = d.Add<CBlockDataLog>(911);
  CBlockObj* comparator = d.Add(803);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  const CString blockPrefix = FormatString(u"B%d", comparator->m_nNumber - 9000);
  runner.script = [&](CBlockSheet&, CMemoryHost& host) {
    auto choose = [&host](const CString& prefix) {
      for (int i = 0; i < host.GetCount(L::kIdEntries); ++i)
        if (host.GetItemText(L::kIdEntries, i).Left(prefix.GetLength()) == prefix)
          return host.Choose(L::kIdEntries, i);
      FAIL() << prefix.ToUtf8();
    };
    choose(u"Q108-Q115");
    host.Click(L::kIdAdd);
    choose(u"AQ103");
    host.Click(L::kIdAdd);
    choose(blockPrefix);
    host.Choose(L::kIdParams, 1);
    host.Click(L::kIdAdd);
  };
  ASSERT_TRUE(command.Run(log, false, runner));
  ASSERT_EQ(log->m_items.size(), 3u);
  EXPECT_EQ(log->m_items[0].m_nOperand, 624);
  EXPECT_EQ(log->m_items[1].m_nOperand, 4237);
  EXPECT_EQ(log->m_items[2].m_nOperand, comparator->m_nNumber);
  EXPECT_EQ(log->m_items[2].m_pBlock, comparator);
  EXPECT_EQ(log->m_items[2].m_nParamIndex, 1);
  EXPECT_EQ(log->m_items[2].m_strParameter, CMEM::RecordableNames(803)[1]);
  EXPECT_EQ(log->m_nParam10, 3);

  // Opened again, the page shows the stored rows.
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    ASSERT_EQ(host.GetCount(L::kIdItems), 3);
    EXPECT_EQ(host.GetItemText(L::kIdItems, 0), CString(u"Q108-Q115\t"));
  };
  runner.answer = IDCANCEL;
  command.Run(log, false, runner);
}

}  // namespace
