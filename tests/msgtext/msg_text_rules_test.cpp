// The message-text rules without a window: where elements may be placed, the
// per-set limits, the priority slots, the offered parameters and the
// settings dialog's rules.
#include "msgtext/msg_text_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "msgtext/msg_param_table.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "support/diagram_builder.h"

namespace {

struct NewerCase {
  const char* name;
  MsgCellSpan span;
  int kind;
  std::vector<MsgCellSpan> shown;
  bool fits;
};

// A double-width character in line 1, cells 5 (first half) and 6 (second half).
UINT WideAt5(int row, int col) {
  if (row != 1) return 0;
  if (col == 5) return kMsgCellFirstHalf;
  if (col == 6) return kMsgCellSecondHalf;
  return 0;
}

TEST(MsgTextPlacementTest, NewerRule) {
  const MsgCellSpan scope{1, 1, 3, 12};
  const NewerCase kCases[] = {
      {"width 8 ends in column 24", {1, 17, 1, 8}, 0, {}, true},
      {"width 8 would leave column 24", {1, 18, 1, 8}, 0, {}, false},
      {"12 cells from column 13", {1, 13, 1, 12}, MSGELEM_BARGRAPH, {}, true},
      {"12 cells from column 14", {1, 14, 1, 12}, MSGELEM_BARGRAPH, {}, false},
      {"scope from line 2", {2, 1, 3, 12}, MSGELEM_SCOPE, {}, true},
      {"scope from line 3", {3, 1, 3, 12}, MSGELEM_SCOPE, {}, false},
      {"pointer from line 3", {3, 13, 3, 12}, MSGELEM_POINTER, {}, false},
      {"graph from line 1", {1, 1, 4, 12}, MSGELEM_GRAPH, {}, true},
      {"graph from line 2", {2, 1, 4, 12}, MSGELEM_GRAPH, {}, false},
      {"touching on the left", {1, 10, 1, 3}, 0, {{1, 5, 1, 5}}, true},
      {"touching on the right", {1, 2, 1, 3}, 0, {{1, 5, 1, 5}}, true},
      {"one shared cell", {1, 9, 1, 3}, 0, {{1, 5, 1, 5}}, false},
      {"under a scope's second line", {2, 12, 1, 2}, 0, {scope}, false},
      {"beside a scope's second line", {2, 13, 1, 2}, 0, {scope}, true},
      {"below a one-line element", {2, 5, 1, 5}, 0, {{1, 5, 1, 5}}, true},
      {"header row", {0, 3, 1, 2}, 0, {}, false},
      {"header column", {1, 0, 1, 2}, 0, {}, false},
      {"past the last line", {5, 1, 1, 2}, 0, {}, false},
  };
  for (const NewerCase& c : kCases) EXPECT_EQ(CanPlaceNewer(c.span, c.kind, c.shown, {}), c.fits) << c.name;
}

TEST(MsgTextPlacementTest, DoubleWidthHalves) {
  const std::pair<MsgCellSpan, bool> kCases[] = {
      {{1, 6, 1, 3}, false},                        // starts on the second half
      {{1, 3, 1, 3}, false},                        // ends on the first half
      {{1, 5, 1, 2}, true},                         // covers the whole character
      {{1, 5, 1, 4}, true},  {{1, 1, 1, 4}, true},  // ends just before it
      {{2, 6, 1, 3}, true},                         // another line
  };
  for (const auto& [span, fits] : kCases)
    EXPECT_EQ(CanPlaceNewer(span, 0, {}, WideAt5), fits) << span.row << "," << span.col << " w" << span.width;
}

TEST(MsgTextPlacementTest, OlderRule) {
  struct Case {
    MsgCellSpan span;
    bool lineHasElement;
    bool fits;
  };
  const Case kCases[] = {
      {{1, 7, 1, 6}, false, true},   // ends in column 12
      {{1, 8, 1, 6}, false, false},  // would leave column 12
      {{2, 1, 1, 3}, true, false},   // a second element on the line, even apart
      {{4, 1, 1, 12}, false, true}, {{0, 1, 1, 2}, false, false}, {{1, 13, 1, 1}, false, false},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(CanPlaceOlder(c.span, c.lineHasElement), c.fits) << c.span.row << "," << c.span.col;
  EXPECT_EQ(PlacementFailureText(9003),
            CString(u"Can't insert the selected Object at this position B3 [Message Texts]"));
}

TEST(MsgTextPlacementTest, PerSetLimitsAndLooks) {
  struct Case {
    int kind;
    int max;
    const char16_t* text;
    bool needsValue;
    COLORREF colour;
    int lines;
  };
  const Case kCases[] = {
      {MSGELEM_BARGRAPH, 8, u"Maximun 8 bar graphs can be used in one message text.", true, 0xFF8080, 1},
      {MSGELEM_SCOPE, 2, u"Maximun 2 scopes can be used in one message text.", true, 0xFF8080, 3},
      {MSGELEM_POINTER, 2, u"Maximun 2 pointers can be used in one message text.", true, 0xFF8080, 3},
      {MSGELEM_SCALETIME, 8, u"Maximun 8 scale times can be used in one message text.", true, 0xC0C080, 1},
      {MSGELEM_GRAPH, 2, u"Maximun 2 graphs can be used in one message text.", false, 0xFF8080, 4},
      {MSGELEM_IOSTATUS, 0, u"", false, 0xC0C0C0, 1},
      {0, 0, u"", false, 0x808080, 1},
      {3, 0, u"", false, 0x808080, 1},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(MaxElementsPerSet(c.kind), c.max) << c.kind;
    EXPECT_EQ(ElementLimitText(c.kind), CString(c.text)) << c.kind;
    EXPECT_EQ(NeedsActualValueBlock(c.kind), c.needsValue) << c.kind;
    EXPECT_EQ(MsgElementColor(c.kind), c.colour) << c.kind;
    EXPECT_EQ(MsgElementLines(c.kind), c.lines) << c.kind;
  }
}

TEST(MsgTextListsTest, PrioritySlotsLeaveOutOtherTexts) {
  CDiagramBuilder b(kDocFbd, 0x5188);
  auto* first = b.Add<CBlockMSGTEXT>(810);
  auto* second = b.Add<CBlockMSGTEXT>(810);
  auto* third = b.Add<CBlockMSGTEXT>(810);
  first->SetPriority(0);
  second->SetPriority(3);
  third->SetPriority(-1);
  const std::vector<int> forSecond = OfferedPrioritySlots(b.Doc(), second->m_nNumber);
  EXPECT_EQ(forSecond.size(), 15u);
  EXPECT_EQ(forSecond.front(), 1);
  EXPECT_NE(std::find(forSecond.begin(), forSecond.end(), 3), forSecond.end());  // its own slot
  const std::vector<int> forThird = OfferedPrioritySlots(b.Doc(), third->m_nNumber);
  EXPECT_EQ(forThird, (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
}

TEST(MsgTextListsTest, OfferedBlocksAndParameters) {
  CDiagramBuilder b(kDocFbd, 0x5188);
  const std::map<int, std::pair<bool, bool>> kOffered = {
      // type: offered on the older series, on the newer series
      {400, {true, true}},   {800, {true, true}},  {803, {true, true}},   {823, {true, true}},
      {847, {false, false}}, {855, {true, false}}, {300, {false, false}}, {810, {false, false}},
  };
  for (const auto& [type, offered] : kOffered) {
    CBlockObj* block = b.Add(type);
    ASSERT_NE(block, nullptr) << type;
    EXPECT_EQ(IsMsgTextListBlock(*block, false), offered.first) << type;
    EXPECT_EQ(IsMsgTextListBlock(*block, true), offered.second) << type;
  }
  const MsgParamRow* row806 = FindMsgParamRow(806);
  ASSERT_NE(row806, nullptr);
  const std::vector<int> newer = DisplayParamsOf(row806, 806, true);
  ASSERT_EQ(static_cast<int>(newer.size()), row806->nCount);
  EXPECT_EQ(newer.front(), row806->display[1]);  // the newer list starts at the second entry
  const std::vector<int> older = DisplayParamsOf(row806, 806, false);
  ASSERT_EQ(static_cast<int>(older.size()), row806->nCountOld);
  EXPECT_EQ(older.front(), row806->display[0]);
  EXPECT_TRUE(DisplayParamsOf(FindMsgParamRow(832), 832, false).empty());  // none on the older series
  EXPECT_TRUE(DisplayParamsOf(nullptr, 999, true).empty());
  EXPECT_EQ(MsgElementLabel(77), CString(u"Time Z"));
  EXPECT_EQ(MsgElementLabel(12), CString(u"Pre-warning time"));
  EXPECT_EQ(MsgElementLabel(-1), CString());
}

TEST(MsgTextSettingsRulesTest, Tickers) {
  const std::pair<int, int> kLine[] = {{250, 2000},   {50, 1000},  {20000, 100000},
                                       {1000, 10000}, {199, 1000}, {-300, 1000}};
  for (const auto& [chr, line] : kLine) EXPECT_EQ(TickerLineForChar(chr), line) << chr;
  struct Spin {
    int value, delta, result;
  };
  const Spin kSpins[] = {{100, 1, 200}, {250, 1, 300}, {250, -1, 100},
                         {50, 1, 50},   {100, -1, 0},  {9900, 1, 10000}};
  for (const Spin& s : kSpins)
    EXPECT_EQ(TickerCharAfterSpin(s.value, s.delta), s.result) << s.value << " " << s.delta;
  EXPECT_TRUE(IsTickerCharStep(300));
  EXPECT_FALSE(IsTickerCharStep(250));
  EXPECT_EQ(TickerIntervalText(),
            CString(u"Please enter an integer number between 100 and 10000 with an interval of 100."));
  EXPECT_EQ(CharSetDescription(0), CString(u"SC:Simplified Chinese, English"));
  EXPECT_EQ(CharSetDescription(1), CString(u"TC:Traditional Chinese, English"));
  EXPECT_EQ(CharSetDescription(2), CString(u"Others:English, Spanish,..."));
  EXPECT_EQ(WantedCharClassOf(0), 1);
  EXPECT_EQ(WantedCharClassOf(1), 1);
  EXPECT_EQ(WantedCharClassOf(2), 2);
}

TEST(MsgTextSettingsRulesTest, ClearingAChangedSetKeepsAsciiOtherSetAndElements) {
  CDiagramBuilder b(kDocFbd, 0x5188);
  auto* a = b.Add<CBlockMSGTEXT>(810);
  auto* c = b.Add<CBlockMSGTEXT>(810);
  for (CBlockMSGTEXT* m : {a, c}) {
    m->m_strTextSet1[1][1] = u"\u4e2d";
    m->m_strTextSet2[1][1] = u"\u4e2d";
    m->m_strTextSet2[1][3] = u"A";
    m->m_strTextSet2[4][24] = u"\u00e9";
    auto element = std::make_unique<CWidget>();
    element->m_nRow = 2;
    m->Elements(1, 1)->push_back(std::move(element));
  }
  EXPECT_EQ(ClearNonAsciiCells(b.Doc(), false, true), 4);
  for (CBlockMSGTEXT* m : {a, c}) {
    EXPECT_EQ(m->m_strTextSet1[1][1], CString(u"\u4e2d"));  // set 1 untouched
    EXPECT_TRUE(m->m_strTextSet2[1][1].IsEmpty());
    EXPECT_TRUE(m->m_strTextSet2[4][24].IsEmpty());
    EXPECT_EQ(m->m_strTextSet2[1][3], CString(u"A"));
    EXPECT_EQ(m->m_strTextSet2[0][5], CString(u"W"));  // header cells stay
    EXPECT_EQ(m->Elements(1, 1)->size(), 1u);
  }
}

}  // namespace
