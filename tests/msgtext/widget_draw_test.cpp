// Drawing of message-text elements through the recording context.
#include <gtest/gtest.h>

#include "blocks/pictograms.h"
#include "msgtext/widget.h"
#include "platform/recording_dc.h"
#include "support/diagram_builder.h"

namespace {

std::vector<CString> Texts(const CRecordingDC& dc) {
  std::vector<CString> out;
  for (const DCCall* call : dc.CallsOfKind(DCCall::Kind::kText)) out.push_back(call->text);
  return out;
}

TEST(WidgetDrawTest, EditorFormLabelsAndValues) {
  CDiagramBuilder builder(kDocFbd, 0x5188);
  CBlockObj* counter = builder.Add(800);
  counter->m_nNumber = 9003;
  counter->m_dValue = 17;

  {  // A scale time shows its pattern under the label.
    CWidget w(10, 20, 11 * 20, 40, 0x00FFFF);
    w.m_nKind = MSGELEM_SCALETIME, w.m_nOption = 2, w.m_nNumber = 9003, w.m_pBlock = counter;
    w.m_strLabel = u"Counter";
    CRecordingDC dc;
    w.Draw(&builder.View(), &dc, TRUE);
    const DCCall* value = dc.FindText(u"00:00:00");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->rect.TopLeft(), CPoint(10 + 25, 20 + 18));
    EXPECT_EQ(value->bkColor, 0x00FFFFu);
    const auto fills = dc.CallsOfKind(DCCall::Kind::kPolygon);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0]->brush.GetColor(), 0x00FFFFu) << "the element's box in its colour";
    EXPECT_NE(dc.FindText(u"U/D"), nullptr) << "the counter's icon";
  }
  {  // An I/O status name of input 105 without a block.
    CWidget w(0, 0, 8 * 20, 40, 0xC0C0C0);
    w.m_nKind = MSGELEM_IOSTATUS, w.m_nNumber = 105;
    for (int c = 1; c <= 8; ++c) w.m_strCell[1][c] = CString(static_cast<char16_t>(u'a' + c - 1));
    for (int c = 1; c <= 8; ++c) w.m_strCell[2][c] = u"X";
    CRecordingDC dc;
    w.Draw(&builder.View(), &dc, TRUE);
    EXPECT_EQ(Texts(dc), (std::vector<CString>{u"I005", u"0:abcdefgh", u"1:XXXXXXXX"}));
    EXPECT_EQ(dc.FindText(u"0:abcdefgh")->rect.left, 4 * (160 / 8));
    EXPECT_EQ(dc.FindText(u"I005")->font.lfHeight, 12) << "an operand's status name in the large font";
  }
  {  // A function block's parameter: "B3 - On-Delay", cut to the width beside the icon.
    CWidget w(0, 0, 300, 40, 0xFFFFFF);
    w.m_nKind = 1, w.m_nNumber = 9003, w.m_pBlock = counter, w.m_nParam = 16, w.m_strLabel = u"On-Delay";
    CRecordingDC dc;
    w.Draw(&builder.View(), &dc, TRUE);
    EXPECT_NE(dc.FindText(u"B3 - On-Delay"), nullptr);
    EXPECT_NE(dc.FindText(u"17"), nullptr) << "the long value text";
    w.m_rect = CRect(0, 0, 25 + 5 * 4, 40);  // room for five characters of width 4
    dc.Clear();
    w.Draw(&builder.View(), &dc, TRUE);
    EXPECT_NE(dc.FindText(u"B3 - "), nullptr);
  }
  {  // A graph has no block: its label and fixed value text.
    CWidget w(0, 0, 240, 160, 0xFFFFFF);
    w.m_nKind = MSGELEM_GRAPH;
    CRecordingDC dc;
    w.Draw(nullptr, &dc, TRUE);
    EXPECT_EQ(Texts(dc), (std::vector<CString>{u"[Graph]", u"Graph 12 X 4"}));
  }
}

// The segments a drawing made, relative to a corner, in drawing order.
std::vector<std::pair<CSize, CSize>> SegmentsFrom(const CRecordingDC& dc, CPoint corner) {
  std::vector<std::pair<CSize, CSize>> out;
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine))
    out.emplace_back(c->points[0] - corner, c->points[1] - corner);
  return out;
}

TEST(WidgetDrawTest, BlockIconsShowTheKindsLinePictureAndMnemonics) {
  CDiagramBuilder builder(kDocFbd, 0x5188);
  struct Row {
    int type;
    std::vector<CString> mnemonics;  // the texts the icon draws, in order
  };
  const Row rows[] = {
      {400, {u"ON-D"}}, {412, {u"*", u"AC"}}, {800, {u"U/D"}},      {802, {}},       {804, {}}, {806, {}},
      {807, {}},        {815, {u"+=", u"A"}}, {823, {u"+=", u"E"}}, {832, {u"BCD"}},
  };
  for (const Row& r : rows) {
    CBlockObj* block = builder.Add(r.type);
    CWidget w(40, 60, 40 + 300, 60 + 40, 0xFFFFFF);
    w.m_nKind = 1, w.m_nNumber = block->m_nNumber, w.m_pBlock = block, w.m_nParam = 0;
    CRecordingDC dc;
    w.Draw(&builder.View(), &dc, TRUE);
    // The icon's texts come first, before the element's label.
    std::vector<CString> texts = Texts(dc);
    ASSERT_GE(texts.size(), r.mnemonics.size()) << r.type;
    texts.resize(r.mnemonics.size());
    EXPECT_EQ(texts, r.mnemonics) << r.type;
    // The icon's strokes are the palette's: the same line picture in the same box.
    CRecordingDC shared;
    DrawBlockLinePicture(&shared, CRect(0, 0, 25, 36), r.type);
    EXPECT_EQ(SegmentsFrom(dc, CPoint(40, 60)), SegmentsFrom(shared, CPoint(0, 0))) << r.type;
    EXPECT_EQ(HasBlockLinePicture(r.type), !dc.CallsOfKind(DCCall::Kind::kLine).empty()) << r.type;
  }
  // A time function's mnemonic sits under its picture.
  CBlockObj* onDelay = builder.Add(400);
  CWidget w(0, 0, 300, 40, 0xFFFFFF);
  w.m_nKind = 1, w.m_nNumber = onDelay->m_nNumber, w.m_pBlock = onDelay;
  CRecordingDC dc;
  w.Draw(&builder.View(), &dc, TRUE);
  ASSERT_NE(dc.FindText(u"ON-D"), nullptr);
  EXPECT_EQ(dc.FindText(u"ON-D")->rect.top, TimeSymbolLabelTop(400));
}

TEST(WidgetDrawTest, DisplayFormOneCharacterPerCell) {
  CDiagramBuilder builder(kDocFbd, 0x5188);
  CBlockObj* counter = builder.Add(800);
  counter->m_dValue = 42;
  CWidget w(100, 50, 6 * 10, 19, 0xFFFFFF);  // six cells of 10 pixels (the right edge counts)
  w.m_rect.right -= 1;
  w.m_nKind = 0, w.m_nParam = 16, w.m_nWidth = 6, w.m_pBlock = counter, w.m_nNumber = counter->m_nNumber;
  CRecordingDC dc;
  w.Draw(&builder.View(), &dc, FALSE);
  const auto texts = dc.CallsOfKind(DCCall::Kind::kText);
  ASSERT_EQ(texts.size(), 6u);
  const char16_t expected[] = u"    42";
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(texts[i]->text, CString(expected[i])) << i;
    // Font width cell - 3 = 7: each character centred in its 10-pixel cell.
    EXPECT_EQ(texts[i]->rect.left, 100 + i * 10 + (10 - 7) / 2) << i;
    EXPECT_EQ(texts[i]->rect.top, 50);
    EXPECT_EQ(texts[i]->font.lfHeight, (19 + 1) - 3) << "line height bottom - top + 1, less 3";
    EXPECT_EQ(texts[i]->bkColor, 0x559D55u);
  }
  // A longer value is not cut: it runs past the element's right edge.
  counter->m_dValue = 12345678;
  dc.Clear();
  w.Draw(&builder.View(), &dc, FALSE);
  EXPECT_EQ(dc.CallsOfKind(DCCall::Kind::kText).size(), 8u);
  // Without a block every cell is blank.
  w.m_pBlock = nullptr;
  dc.Clear();
  w.Draw(&builder.View(), &dc, FALSE);
  for (const DCCall* call : dc.CallsOfKind(DCCall::Kind::kText)) EXPECT_EQ(call->text, CString(u" "));
}

// A pointer covers three display lines; on the device display its characters
// keep the height of one line, drawn in its first line.
TEST(WidgetDrawTest, DisplayFormOfAThreeLineElementKeepsTheLineHeight) {
  CDiagramBuilder builder(kDocFbd, 0x5188);
  CBlockObj* counter = builder.Add(800);
  counter->m_dValue = 95;
  CWidget w(100, 50, 4 * 10, 3 * 20, 0xFFFFFF);  // three lines of 20 pixels
  w.m_rect.right -= 1;
  w.m_rect.bottom -= 1;
  w.m_nKind = MSGELEM_POINTER, w.m_nParam = 16, w.m_nWidth = 4, w.m_pBlock = counter;
  w.m_nNumber = counter->m_nNumber;
  ASSERT_EQ(w.GetLineCount(), 3);
  CRecordingDC dc;
  w.Draw(&builder.View(), &dc, FALSE);
  const auto texts = dc.CallsOfKind(DCCall::Kind::kText);
  ASSERT_FALSE(texts.empty());
  for (const DCCall* t : texts) {
    EXPECT_EQ(t->font.lfHeight, 20 - 3);
    EXPECT_EQ(t->rect.top, 50);
  }
}

TEST(WidgetDrawTest, SelectionFrameAndDragOutline) {
  CWidget w(10, 10, 50, 20, 0);
  CRecordingDC dc;
  w.DrawSelected(nullptr, &dc, TRUE);
  const auto lines = dc.CallsOfKind(DCCall::Kind::kLine);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0]->points[0], CPoint(10, 10));
  EXPECT_EQ(lines[1]->points[0], CPoint(10, 29));
  EXPECT_EQ(lines[2]->points[1], CPoint(59, 10));
  for (const DCCall* line : lines) {
    EXPECT_EQ(line->pen.GetColor(), 0x0000FFu);
    EXPECT_EQ(line->pen.GetWidth(), 2);
  }
  EXPECT_EQ(dc.GetCurrentPen(), CPen()) << "the previous pen is back";

  dc.Clear();
  w.DrawDragOutline(&dc, CPoint(100, 200));
  w.DrawDragOutline(&dc, CPoint(100, 200));
  const auto outlines = dc.CallsOfKind(DCCall::Kind::kPolygon);
  ASSERT_EQ(outlines.size(), 2u);
  EXPECT_EQ(outlines[0]->points, (std::vector<CPoint>{{100, 200}, {150, 200}, {150, 220}, {100, 220}}));
  EXPECT_EQ(outlines[1]->points, outlines[0]->points) << "the second outline inverts the first away";
  EXPECT_EQ(outlines[0]->rop2, R2_NOT);
  EXPECT_TRUE(outlines[0]->brush.IsNull());
  EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
}

}  // namespace
