// The parameter catalogue of message texts: lookups, the three lists per
// block type and the display widths.
#include "msgtext/msg_param_table.h"

#include <gtest/gtest.h>

#include <set>

#include "msgtext/param_display_width.h"

namespace {

struct ListCase {
  int type;
  bool newer;
  std::vector<int> display;
};

class MsgDisplayParamsTest : public testing::TestWithParam<ListCase> {};

TEST_P(MsgDisplayParamsTest, OffersTheSeriesList) {
  const ListCase& c = GetParam();
  EXPECT_EQ(GetMsgDisplayParams(c.type, c.newer), c.display) << c.type << (c.newer ? " newer" : " older");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MsgDisplayParamsTest,
    testing::Values(ListCase{400, false, {0, 4}}, ListCase{400, true, {0, 4, 50}},
                    // The watchdog's newer list leaves out "Differential" and takes the thresholds.
                    ListCase{806, false, {31, 26, 27, 32, 28}}, ListCase{806, true, {26, 27, 32, 28, 68, 69}},
                    ListCase{832, false, {}}, ListCase{832, true, {89, 114}},
                    ListCase{810, true, {34, 1, 2, 3}}, ListCase{810, false, {34, 1, 2, 3}},
                    ListCase{801, false, {19, 20, 21}}, ListCase{801, true, {19, 20, 21, 65, 66, 67}},
                    ListCase{818, true, {26, 27, 108, 109, 110, 111, 112, 113, 114, 115}},
                    ListCase{610, false, {}}, ListCase{610, true, {137}},
                    // Types without a row, and the closing rows' type 0.
                    ListCase{300, true, {}}, ListCase{0, true, {}}, ListCase{0, false, {}}));

TEST(MsgParamTableTest, RecordableAndActualLists) {
  struct Case {
    int type;
    std::vector<int> recordable, actual;
  };
  const Case kCases[] = {
      {400, {0}, {}},
      {407, {}, {}},
      {413, {81, 82, 83}, {81, 82, 83}},
      {801, {20, 21, 66, 67}, {20, 21}},
      {821, {89, 96, 97, 98}, {89, 96, 97}},
      {848, {144, 140, 141, 142, 125}, {}},  // "Current Value" is recordable only
      {810, {}, {}},
      {300, {}, {}},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(GetMsgRecordableParams(c.type), c.recordable) << c.type;
    EXPECT_EQ(GetMsgActualParams(c.type), c.actual) << c.type;
  }
}

TEST(MsgParamTableTest, RowsInTableOrderAndFirstParameters) {
  ASSERT_NE(GetMsgParamRow(0), nullptr);
  EXPECT_EQ(GetMsgParamRow(0)->nType, 400);
  EXPECT_EQ(GetMsgParamRow(22)->nType, 810);
  EXPECT_EQ(GetMsgParamRow(27)->nType, 821);  // 822 comes before 821
  EXPECT_EQ(GetMsgParamRow(82)->nType, 610);
  EXPECT_EQ(GetMsgParamRow(83), nullptr);
  std::set<int> types;
  for (int i = 0; i < kMsgParamTypedRows; ++i) {
    const MsgParamRow* row = GetMsgParamRow(i);
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(types.insert(row->nType).second) << "type twice: " << row->nType;
    EXPECT_EQ(FindMsgParamRow(row->nType), row);
    EXPECT_LE(row->nCountOld, row->nCount);
    EXPECT_LE(static_cast<size_t>(row->nCount) + (row->nType == 806 ? 1 : 0), row->display.size());
    for (int p : row->display) EXPECT_GT(GetParamDisplayWidth(p), 0) << row->nType;
  }
  const std::pair<int, int> kFirst[] = {{608, 131}, {600, 132}, {605, 133}, {607, 134},
                                        {611, 135}, {602, 136}, {610, 137}, {300, -1}};
  for (auto [type, param] : kFirst) EXPECT_EQ(GetMsgFirstParam(type), param) << type;
}

TEST(MsgParamTableTest, NamesAndWidths) {
  const struct {
    int index;
    const char* name;
    int width;
  } kCases[] = {{0, "Current Time", 6},
                {1, "Current Date", 10},
                {34, "Current Time", 8},
                {33, "Status", 3},
                {75, "Longitude", 11},
                {123, "Amplified", 9},
                {131, "", 4},
                {137, "", 7},
                {144, "Counter", 7},
                {68, "Threshold 1(+)", 7},
                {-1, "", 0},
                {145, "", 0}};
  for (const auto& c : kCases) {
    EXPECT_EQ(GetMsgParamName(c.index).ToUtf8(), c.name) << c.index;
    EXPECT_EQ(GetParamDisplayWidth(c.index), c.width) << c.index;
  }
  for (int i = 0; i < kParamDisplayWidthCount; ++i) {
    EXPECT_GE(GetParamDisplayWidth(i), 3) << i;
    EXPECT_LE(GetParamDisplayWidth(i), 11) << i;
  }
}

}  // namespace
