#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "blocks/data_log_block.h"
#include "blocks/value_block_fixture.h"
#include "model/block_captions.h"

namespace {

using DataLogTest = ValueBlockTest;

DataLogItem Item(const char16_t* text, const char16_t* parameter, int operand, int index,
                 CBlockObj* block = nullptr) {
  DataLogItem item;
  item.m_strOperand = text;
  item.m_strParameter = parameter;
  item.m_nOperand = operand;
  item.m_nParamIndex = index;
  item.m_pBlock = block;
  return item;
}

TEST_F(DataLogTest, EmptyLogStoresOnlyTheCommonRecord) {
  CBlockDataLog log(911);
  EXPECT_EQ(log.m_byCaps, 0);
  std::unique_ptr<CBlockDataLog> copy = RoundTrip(&log);
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->m_items.empty());
  EXPECT_EQ(copy->m_nParam10, 0);
}

TEST_F(DataLogTest, ItemsRoundTripAndBindToTheirBlocks) {
  CBlockObj* timer = Add(400, 9003);
  CBlockDataLog log(911);
  log.m_items = {Item(u"I001-I008", u"", 100, 0), Item(u"AM5", u"", 4292, 0),
                 Item(u"B3", u"Current value", 9003, 2, timer)};
  log.m_nParam10 = 1;  // the count is taken from the list when stored
  std::unique_ptr<CBlockDataLog> copy = RoundTrip(&log);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->m_nParam10, 3);
  ASSERT_EQ(copy->m_items.size(), 3u);
  EXPECT_EQ(copy->m_items[0].m_strOperand, u"I001-I008");
  EXPECT_EQ(copy->m_items[1].m_nOperand, 4292);
  EXPECT_EQ(copy->m_items[2].m_strParameter, u"Current value");
  EXPECT_EQ(copy->m_items[2].m_nParamIndex, 2);
  for (const DataLogItem& item : copy->m_items) EXPECT_EQ(item.m_pBlock, nullptr);

  copy->BindItems(m_doc);
  EXPECT_EQ(copy->m_items[0].m_pBlock, nullptr);  // only "B" items get a block
  EXPECT_EQ(copy->m_items[1].m_pBlock, nullptr);
  EXPECT_EQ(copy->m_items[2].m_pBlock, timer);
}

TEST_F(DataLogTest, RenumberedBlockKeepsItsItem) {
  BuildBlockCaptionMap();
  CBlockObj* timer = Add(400, 9003);
  CBlockObj* counter = Add(800, 9004);
  CBlockDataLog log(911);
  log.m_items = {Item(u"B3[On Delay]", u"Current value", 9003, 2, timer),
                 Item(u"B4 as listed", u"Current value", 9004, 1, counter)};
  timer->m_nNumber = 9001;  // the blocks were renumbered after the page stored the list
  std::unique_ptr<CBlockDataLog> copy = RoundTrip(&log);
  ASSERT_EQ(copy->m_items.size(), 2u);
  // The label keeps the block type's caption after the new number.
  EXPECT_EQ(copy->m_items[0].m_strOperand, u"B1[On Delay]");
  EXPECT_EQ(copy->m_items[0].m_nOperand, 9001);
  // An item whose block kept its number keeps its text.
  EXPECT_EQ(copy->m_items[1].m_strOperand, u"B4 as listed");
  EXPECT_EQ(copy->m_items[1].m_nOperand, 9004);
  Add(400, 9003);  // another block now holds the old number
  copy->BindItems(m_doc);
  EXPECT_EQ(copy->m_items[0].m_pBlock, timer);
}

TEST_F(DataLogTest, DeletedBlockLoadsWithoutABlock) {
  CBlockObj* timer = Add(400, 9003);
  auto* log = Add<CBlockDataLog>(911, 8950);
  log->m_items = {Item(u"B3", u"Current value", 9003, 2, timer)};
  std::unique_ptr<CBlockObj> gone = m_doc.DetachBlock(timer);
  EXPECT_EQ(log->m_items[0].m_pBlock, nullptr);
  gone.reset();
  std::unique_ptr<CBlockDataLog> copy = RoundTrip(log);
  ASSERT_EQ(copy->m_items.size(), 1u);
  EXPECT_EQ(copy->m_items[0].m_nOperand, 9003);
  copy->BindItems(m_doc);
  EXPECT_EQ(copy->m_items[0].m_pBlock, nullptr);
}

TEST_F(DataLogTest, BindingSizesTheListToTheCount) {
  CBlockDataLog log(911);
  log.m_items = {Item(u"AM1", u"", 4289, 0), Item(u"AM2", u"", 4290, 0)};
  log.m_nParam10 = 1;
  log.BindItems(m_doc);
  EXPECT_EQ(log.m_items.size(), 1u);
  log.m_nParam10 = 3;
  log.BindItems(m_doc);
  EXPECT_EQ(log.m_items.size(), 3u);
  EXPECT_TRUE(log.m_items[2].m_strOperand.IsEmpty());
  log.m_nParam10 = -1;
  log.BindItems(m_doc);
  EXPECT_TRUE(log.m_items.empty());
}

TEST_F(DataLogTest, DamagedCountsAreRefused) {
  CBlockDataLog log(911);
  log.m_items = {Item(u"AM1", u"", 4289, 0)};
  log.m_nParam9 = 0x5A5A5A5A;  // stored just before the count m_nParam10: marks its place
  CArchive out;
  out << static_cast<const CObject*>(&log);
  const std::vector<BYTE> bytes = out.TakeBytes();
  const BYTE marker[] = {0x5A, 0x5A, 0x5A, 0x5A};
  const auto at = std::search(bytes.begin(), bytes.end(), std::begin(marker), std::end(marker));
  ASSERT_NE(at, bytes.end());
  const size_t count = static_cast<size_t>(at - bytes.begin()) + 4;
  for (unsigned damaged : {0x7FFFFFFFu, 0xFFFFFFFFu}) {
    std::vector<BYTE> patched = bytes;
    for (int b = 0; b < 4; ++b) patched[count + b] = static_cast<BYTE>(damaged >> (8 * b));
    CArchive in(patched);
    CBlockDataLog* read = nullptr;
    EXPECT_THROW(in >> read, CArchiveException) << damaged;
    delete read;
  }
}

}  // namespace
