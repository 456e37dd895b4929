#include "blocks/block_draw.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "blocks/block_factory.h"
#include "blocks/block_symbols.h"
#include "blocks/connector_obj.h"
#include "blocks/counter_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_comment.h"
#include "model/block_obj.h"
#include "model/comment_draw.h"
#include "model/connect_line_obj.h"
#include "model/diagram_draw.h"
#include "model/zarad_doc.h"
#include "platform/recording_dc.h"
#include "support/diagram_builder.h"

namespace {

constexpr CPoint kPos{200, 100};

using Kind = DCCall::Kind;

// A block of the type added to the builder's document at kPos.
CBlockObj* Place(CDiagramBuilder& d, int type) {
  CBlockObj* b = d.Add(type);
  b->m_ptPos = kPos;
  return b;
}

// Zero-length lines drawn with a pen of the given width (negation and junction dots).
std::vector<const DCCall*> DotsOfWidth(const CRecordingDC& dc, int width) {
  std::vector<const DCCall*> out;
  for (const DCCall* c : dc.CallsOfKind(Kind::kLine)) {
    if (c->pen.GetWidth() == width && c->points[0] == c->points[1]) out.push_back(c);
  }
  return out;
}

bool HasLine(const CRecordingDC& dc, CPoint from, CPoint to) {
  for (const DCCall* c : dc.CallsOfKind(Kind::kLine)) {
    if (c->points[0] == from && c->points[1] == to) return true;
  }
  return false;
}

std::vector<std::string> Texts(const CRecordingDC& dc) {
  std::vector<std::string> out;
  for (const DCCall* c : dc.CallsOfKind(Kind::kText)) out.push_back(c->text.ToUtf8());
  return out;
}

// ---- Labels ---------------------------------------------------------------------

TEST(BlockDrawTest, NumberAndOperandLabelsAboveTheBody) {
  struct Case {
    int type;
    int number;
    const char* name;
    const char* label;
  };
  const Case cases[] = {
      {300, 9003, "", "B3"},   {300, 9003, "Pump", "B3 Pump"}, {911, 8950, "", "L0"},  {600, 133, "", "I101"},
      {602, 1017, "", "S1.1"}, {609, 4235, "", "AQ101"},       {607, 1320, "", "M4"},  {605, 617, "", "Q101"},
      {603, 1870, "", "lo0"},  {611, 1302, "", "F2"},          {810, 9040, "", "B40"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CDiagramBuilder d;
    d.View().m_nEditMode = MODE_SELECT;
    CBlockObj* b = Place(d, c.type);
    b->m_nNumber = c.number;
    b->m_strName = CString(c.name);
    CRecordingDC dc;
    b->Draw(&d.View(), &dc, 0, 0);
    const DCCall* text = dc.FindText(CString(c.label));
    ASSERT_NE(text, nullptr);
    const int len = CString(c.label).GetLength();
    EXPECT_EQ(text->rect.TopLeft(), CPoint(kPos.x + (b->m_nWidth - 6 * len) / 2, kPos.y - 16));
    EXPECT_EQ(text->font.lfHeight, 12);
    EXPECT_EQ(text->font.lfWidth, 6);
    EXPECT_EQ(text->font.lfFaceName, CString(u"Arial"));
    EXPECT_EQ(text->bkMode, TRANSPARENT);
  }
}

TEST(BlockDrawTest, LadderLabels) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* coil = d.Add(703);
  coil->m_nOperand = 1320;  // a coil on flag M4
  coil->m_nNumber = 21000;
  CBlockObj* aout = d.Add(705);
  aout->m_nOperand = 4235;
  aout->m_nNumber = 22000;
  struct Case {
    int type;
    int operand;
    const char* label;
  };
  const Case cases[] = {
      {700, 100, "I000"},      {701, 133, "I101"},   {700, 21000, "M4"},    {700, 2900, "High"},
      {701, 1870, "Low"},      {703, 617, "Q101"},   {704, 1320, "M4"},     {703, 4801, "X1"},
      {702, 4009, "AI101"},    {705, 4235, "AQ101"}, {702, 22000, "AQ101"}, {700, 1017, "S1.1"},
      {702, 9012, "B12"},      {700, 1301, "F1"},    {700, 21999, ""},  // the coil is not in the document
      {700, 3950, "High3850"},  // beyond the High range the contact keeps its own base
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.operand));
    EXPECT_EQ(LadderElementLabel(c.type, c.operand, &d.Doc()).ToUtf8(), c.label);
  }
  // The contacts draw their own label 12 units above the body.
  CBlockObj* contact = Place(d, 700);
  contact->m_nOperand = 21000;
  d.View().m_nEditMode = MODE_SELECT;
  CRecordingDC dc;
  contact->Draw(&d.View(), &dc, 0, 0);
  const DCCall* text = dc.FindText(CString(u"M4"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->rect.top, kPos.y - 12);
  EXPECT_EQ(ContactOperandLabel(21001, &d.Doc()).ToUtf8(), "");
}

TEST(BlockDrawTest, NameLinesStandAboveTheNumberLabel) {
  CDiagramBuilder d;
  CBlockObj* b = Place(d, 300);
  b->m_strLabel = CString(u"first\r\nsecond");
  CRecordingDC dc;
  b->Draw(&d.View(), &dc, 0, 0);
  ASSERT_NE(dc.FindText(CString(u"second")), nullptr);
  EXPECT_EQ(dc.FindText(CString(u"second"))->rect.TopLeft(), CPoint(kPos.x, kPos.y - 24));
  EXPECT_EQ(dc.FindText(CString(u"first"))->rect.TopLeft(), CPoint(kPos.x, kPos.y - 36));
  b->m_bShowLabel = 0;
  dc.Clear();
  b->Draw(&d.View(), &dc, 0, 0);
  EXPECT_EQ(dc.FindText(CString(u"first")), nullptr);
}

// ---- Pins -----------------------------------------------------------------------

TEST(BlockDrawTest, NegationDotColours) {
  struct Case {
    COLORREF blockColour;
    int value;
    COLORREF dot;
  };
  // In the editing look every dot is black; in the simulation look the dot
  // follows its own pin's value, whatever the block colour.
  const Case cases[] = {
      {0, 1, 0x000000}, {0x0000FF, 1, 0x0000FF}, {0x0000FF, 0, 0xFF0000}, {0xFF0000, 1, 0x0000FF}};
  for (const Case& c : cases) {
    CDiagramBuilder d;
    CBlockObj* b = Place(d, 300);  // AND: inputs at y + 8, 16, 24, 32 of a 40-unit body
    b->m_bInvert[1] = 1;
    b->m_nValue[1] = c.value;
    CRecordingDC dc;
    b->Draw(&d.View(), &dc, 0, c.blockColour);
    const auto dots = DotsOfWidth(dc, 5);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0]->points[0], CPoint(kPos.x - 2, kPos.y + 2 * (b->m_nHeight / 5)));
    EXPECT_EQ(dots[0]->pen.GetColor(), c.dot);
  }
}

TEST(BlockDrawTest, OutputDotAndPinWithoutTypeDrawsNothing) {
  CDiagramBuilder d;
  CBlockObj* b = Place(d, 300);
  b->m_bInvert[10] = 1;
  b->m_nValue[10] = 0;
  b->m_bInvert[2] = 1;
  b->m_nPinType[2] = PIN_NONE;
  CRecordingDC dc;
  b->Draw(&d.View(), &dc, 0, 0x0000FF);
  const auto dots = DotsOfWidth(dc, 5);
  ASSERT_EQ(dots.size(), 1u);
  EXPECT_EQ(dots[0]->points[0], CPoint(kPos.x + b->m_nWidth + 2, kPos.y + b->m_nHeight / 2));
  EXPECT_EQ(dots[0]->pen.GetColor(), 0xFF0000u);
  const int y2 = kPos.y + 3 * (b->m_nHeight / 5);
  EXPECT_FALSE(HasLine(dc, CPoint(kPos.x - 5, y2), CPoint(kPos.x, y2)));
  const int y1 = kPos.y + 2 * (b->m_nHeight / 5);
  EXPECT_TRUE(HasLine(dc, CPoint(kPos.x - 5, y1), CPoint(kPos.x, y1)));
}

TEST(BlockDrawTest, AnalogStubsStayBlackAndTwoUnitsWide) {
  CDiagramBuilder d;
  CBlockObj* b = Place(d, 803);  // analog comparator: inputs Ax, Ay analog, output digital
  CRecordingDC dc;
  b->Draw(&d.View(), &dc, 0, 0x0000FF);
  const int pitch = b->m_nHeight / 4;
  for (int pin = 0; pin < 2; ++pin) {
    const int y = kPos.y + (pin + 1) * pitch;
    bool found = false;
    for (const DCCall* c : dc.CallsOfKind(Kind::kLine)) {
      if (c->points[0] == CPoint(kPos.x - 5, y) && c->points[1] == CPoint(kPos.x, y)) {
        found = true;
        EXPECT_EQ(c->pen.GetWidth(), 2);
        EXPECT_EQ(c->pen.GetColor(), 0u);
      }
    }
    EXPECT_TRUE(found) << pin;
  }
}

// Whether the frame of a pin's mark was drawn.
bool FrameDrawn(const CRecordingDC& dc, const CBlockObj& b, int pin) {
  CRect r;
  b.GetPinRect(&r, pin, kPinMarkSize);
  return HasLine(dc, r.TopLeft(), CPoint(r.left, r.bottom)) &&
         HasLine(dc, CPoint(r.right, r.top), r.TopLeft());
}

TEST(BlockDrawTest, PinFrameRules) {
  struct Case {
    const char* what;
    int kind;
    int type;
    int pin;
    bool connected;
    int mode;
    bool framed;
  };
  const Case cases[] = {
      {"FBD open input", kDocFbd, 300, 0, false, MODE_CONNECT, true},
      {"FBD connected input", kDocFbd, 300, 0, true, MODE_CONNECT, false},
      {"FBD output", kDocFbd, 300, 10, true, MODE_PLACE_BLOCK, true},
      {"ladder connected coil input", kDocLadder, 703, 0, true, MODE_CONNECT, true},
      {"ladder connected timer input", kDocLadder, 400, 0, true, MODE_CONNECT, true},
      {"ladder connected comparator input", kDocLadder, 803, 1, true, MODE_CONNECT, false},
      {"ladder open comparator input", kDocLadder, 803, 1, false, MODE_CONNECT, true},
      {"ladder watchdog input 1", kDocLadder, 806, 1, true, MODE_CONNECT, false},
      {"ladder watchdog input 0", kDocLadder, 806, 0, true, MODE_CONNECT, true},
      {"select mode", kDocFbd, 300, 0, false, MODE_SELECT, false},
      {"simulation", kDocFbd, 300, 0, false, MODE_SIMULATION, false},
      {"moving a wire without its end", kDocFbd, 300, 0, false, MODE_MOVE_WIRE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CDiagramBuilder d(c.kind);
    CBlockObj* b = Place(d, c.type);
    if (c.connected) b->m_nSource[c.pin] = 9999;
    CRect r;
    ASSERT_TRUE(b->GetPinRect(&r, c.pin, kPinMarkSize));
    d.View().m_nEditMode = c.mode;
    d.View().m_bHasCursor = true;
    d.View().m_ptCursor = r.CenterPoint();
    CRecordingDC dc;
    b->Draw(&d.View(), &dc, 0, 0);
    EXPECT_EQ(FrameDrawn(dc, *b, c.pin), c.framed);
  }
}

TEST(BlockDrawTest, CursorTestUsesDeviceCoordinates) {
  CDiagramBuilder d;
  CBlockObj* b = Place(d, 300);
  CRect r;
  b->GetPinRect(&r, 10, kPinMarkSize);
  CRecordingDC dc;
  dc.SetMapMode(MM_ISOTROPIC);
  dc.SetWindowExt(100, 100);
  dc.SetViewportExt(200, 200);  // zoom 2
  d.View().m_bHasCursor = true;
  d.View().m_ptCursor = r.CenterPoint();  // a logical point, not where the pin is on the device
  EXPECT_FALSE(b->IsCursorOverPin(&d.View(), 10, &dc));
  d.View().m_ptCursor = CPoint(r.CenterPoint().x * 2, r.CenterPoint().y * 2);
  EXPECT_TRUE(b->IsCursorOverPin(&d.View(), 10, &dc));
}

// ---- Body -----------------------------------------------------------------------

TEST(BlockDrawTest, BodyFillAndOutline) {
  struct Case {
    int kind;
    int type;
    int mode;
    COLORREF colour;
    bool outlined;
    COLORREF outline;
  };
  const Case cases[] = {
      {kDocFbd, 300, MODE_SIMULATION, 0x0000FF, true, 0x0000FF},
      {kDocFbd, 608, MODE_SIMULATION, 0x0000FF, true, 0},  // analog input keeps its black outline
      {kDocFbd, 606, MODE_SIMULATION, 0xFF0000, true, 0},
      {kDocLadder, 703, MODE_SELECT, 0, false, 0},
      {kDocLadder, 705, MODE_SIMULATION, 0xFF0000, true, 0xFF0000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    CDiagramBuilder d(c.kind);
    CBlockObj* b = Place(d, c.type);
    d.View().m_nEditMode = c.mode;
    CRecordingDC dc;
    b->Draw(&d.View(), &dc, 0, c.colour);
    const auto polys = dc.CallsOfKind(Kind::kPolygon);
    ASSERT_FALSE(polys.empty());
    const DCCall* body = polys[0];
    EXPECT_EQ(body->points[0], kPos);
    EXPECT_EQ(body->points[2], CPoint(kPos.x + b->m_nWidth, kPos.y + b->m_nHeight));
    EXPECT_EQ(body->brush.GetColor(), 0x8CDEFFu);
    EXPECT_EQ(body->polyFillMode, ALTERNATE);
    EXPECT_EQ(!body->pen.IsNull(), c.outlined);
    if (c.outlined) {
      EXPECT_EQ(body->pen.GetColor(), c.outline);
    }
  }
}

TEST(BlockDrawTest, DrawRestoresTheContextObjects) {
  CDiagramBuilder d;
  CRecordingDC dc;
  const CPen pen(PS_SOLID, 3, 0x123456);
  dc.SelectObject(&pen);
  for (int type : {300, 400, 410, 800, 803, 806, 815, 824, 832, 840, 865, 911, 600, 703}) {
    CBlockObj* b = Place(d, type);
    b->Draw(&d.View(), &dc, 1, 0x0000FF);
    EXPECT_EQ(dc.GetCurrentPen(), pen) << type;
    EXPECT_EQ(dc.GetCurrentFont(), CFont()) << type;
  }
}

TEST(BlockDrawTest, SelectedBlocksGetHandles) {
  CDiagramBuilder d;
  CBlockObj* b = Place(d, 300);
  d.View().m_nEditMode = MODE_SELECT;
  CRecordingDC dc;
  b->DrawSelected(&d.View(), &dc);
  const auto polys = dc.CallsOfKind(Kind::kPolygon);
  ASSERT_EQ(polys.size(), 5u);  // the body and four handles
  EXPECT_EQ(polys[1]->points[0], CPoint(kPos.x - 4, kPos.y - 4));
  EXPECT_EQ(polys[1]->brush.GetColor(), 0x0000FFu);
  EXPECT_EQ(polys[1]->pen.GetColor(), 0u);
}

TEST(BlockDrawTest, StateText) {
  CDiagramBuilder d;
  CBlockObj* in = Place(d, 600);
  in->m_nValue[10] = 1;
  CRecordingDC dc;
  in->DrawStateText(&d.View(), &dc);
  CRect r;
  in->GetPinRect(&r, 10, kPinMarkSize);
  const DCCall* on = dc.FindText(CString(u"ON"));
  ASSERT_NE(on, nullptr);
  EXPECT_EQ(on->rect.TopLeft(), CPoint(r.left + 3, r.bottom + 3));
  EXPECT_EQ(on->textColor, 0x0000FFu);
  dc.Clear();
  Place(d, 604)->DrawStateText(&d.View(), &dc);  // status 1: the block only
  EXPECT_EQ(dc.FindText(CString(u"OFF")), nullptr);
  EXPECT_EQ(dc.FindText(CString(u"ON")), nullptr);
}

// ---- Symbols --------------------------------------------------------------------

TEST(BlockSymbolTest, PainterByTypeAndClass) {
  struct Case {
    int type;
    SymbolPainter painter;
  };
  const Case cases[] = {
      {600, SymbolPainter::kOperand},      {611, SymbolPainter::kOperand},
      {700, SymbolPainter::kLadder},       {701, SymbolPainter::kLadder},
      {704, SymbolPainter::kLadder},       {705, SymbolPainter::kLadder},
      {303, SymbolPainter::kLogic},        {413, SymbolPainter::kTimer},
      {800, SymbolPainter::kSpecial},      {817, SymbolPainter::kSpecial},
      {814, SymbolPainter::kSpecial},      {827, SymbolPainter::kSpecial},
      {830, SymbolPainter::kDataFunction}, {856, SymbolPainter::kDataFunction},
      {879, SymbolPainter::kMath},         {911, SymbolPainter::kDataLog},
      {811, SymbolPainter::kNone},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CBlockObj> b = MakeBlockOfType(c.type);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(GetSymbolPainter(*b), c.painter) << c.type;
  }
}

TEST(BlockSymbolTest, SymbolTexts) {
  struct Case {
    int type;
    const char* text;
  };
  const Case cases[] = {{600, "I"},   {609, "AQ"},   {300, "&"},     {304, ">1"},
                        {306, "=1"},  {307, "1"},    {400, "ON-D"},  {402, "ON/OFF"},
                        {410, "W-T"}, {411, "Y-T"},  {800, "U/D"},   {813, "MR"},
                        {832, "BCD"}, {865, "SQRT"}, {872, "round"}, {911, "L"}};
  for (const Case& c : cases) {
    CDiagramBuilder d;
    CBlockObj* b = Place(d, c.type);
    CRecordingDC dc;
    b->Draw(&d.View(), &dc, 0, 0);
    EXPECT_NE(dc.FindText(CString(c.text)), nullptr) << c.type;
  }
}

TEST(BlockSymbolTest, NorGateHasUnderlineAndBar) {
  CDiagramBuilder d;
  CBlockObj* b = Place(d, 305);
  CRecordingDC dc;
  b->DrawLogicSymbol(&dc);
  const DCCall* text = dc.FindText(CString(u">1"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->font.lfHeight, 12);
  EXPECT_EQ(text->font.lfWidth, 8);
  const CRect& r = text->rect;
  EXPECT_TRUE(HasLine(dc, CPoint(r.left, r.bottom), CPoint(r.left + r.Width() / 2, r.bottom)));
  EXPECT_TRUE(HasLine(dc, CPoint(r.left, r.top - 1), CPoint(r.right, r.top - 1)));
}

TEST(BlockSymbolTest, EdgeGatesDrawArrows) {
  CDiagramBuilder d;
  CBlockObj* andEdge = Place(d, 301);
  CRecordingDC dc;
  andEdge->DrawLogicSymbol(&dc);
  const DCCall* amp = dc.FindText(CString(u"&"));
  ASSERT_NE(amp, nullptr);
  const int cx = amp->rect.Width();
  const int cy = amp->rect.Height();
  const int dx = (andEdge->m_nWidth - 2 * cx) / 2;
  const int ax = kPos.x + dx + 2 * cx / 3;
  EXPECT_EQ(amp->rect.left, kPos.x + dx + cx);
  EXPECT_TRUE(HasLine(dc, CPoint(ax, amp->rect.top), CPoint(ax, amp->rect.top + 2 * cy / 3)));  // shaft
  EXPECT_TRUE(HasLine(dc, CPoint(ax, amp->rect.top), CPoint(kPos.x + dx + cx / 3, amp->rect.top + cy / 3)));
  dc.Clear();
  Place(d, 303)->DrawLogicSymbol(&dc);
  amp = dc.FindText(CString(u"&"));
  ASSERT_NE(amp, nullptr);
  // The NAND arrow points down (its head at the lower end) and a bar spans both.
  const int tip = amp->rect.top + 2 * cy / 3;
  EXPECT_TRUE(HasLine(dc, CPoint(ax - 2, tip), CPoint(kPos.x + dx + cx / 3 - 2, amp->rect.top + cy / 3)));
  EXPECT_TRUE(HasLine(dc, CPoint(kPos.x + dx, amp->rect.top), CPoint(kPos.x + dx + 2 * cx, amp->rect.top)));
}

TEST(BlockSymbolTest, NewerSeriesSymbolsHiddenOnTheOlderSeries) {
  for (int type : {832, 840, 865, 911}) {
    CDiagramBuilder older(kDocFbd, 0x1188);
    CBlockObj* b = Place(older, type);
    CRecordingDC dc;
    b->DrawBlockSymbol(&dc, &older.Doc());
    EXPECT_TRUE(dc.Calls().empty()) << type;
    older.Doc().m_wModelCode = 0x5288;  // the model changed to a newer one
    b->DrawBlockSymbol(&dc, &older.Doc());
    EXPECT_FALSE(dc.CallsOfKind(Kind::kText).empty()) << type;
  }
}

TEST(BlockSymbolTest, PlainBlockShowsBodyPinsAndLabelOnly) {
  CDiagramBuilder d;
  CBlockObj* b = Place(d, 811);
  b->m_nNumber = 9001;
  CRecordingDC dc;
  b->Draw(&d.View(), &dc, 0, 0);
  EXPECT_EQ(Texts(dc), std::vector<std::string>{"B1"});
  EXPECT_EQ(dc.CallsOfKind(Kind::kPolygon).size(), 1u);
}

TEST(BlockSymbolTest, WeeklyAndYearlyTimersShareTheClockFace) {
  CDiagramBuilder d;
  CRecordingDC weekly, yearly;
  Place(d, 410)->DrawTimerSymbol(&weekly);
  Place(d, 411)->DrawTimerSymbol(&yearly);
  ASSERT_EQ(weekly.CallsOfKind(Kind::kEllipse).size(), 1u);
  EXPECT_EQ(weekly.CallsOfKind(Kind::kEllipse)[0]->rect, yearly.CallsOfKind(Kind::kEllipse)[0]->rect);
  EXPECT_EQ(weekly.CallsOfKind(Kind::kEllipse)[0]->brush.GetColor(), 0x8CDFFFu);
  EXPECT_EQ(Texts(weekly), std::vector<std::string>{"W-T"});
  EXPECT_EQ(Texts(yearly), std::vector<std::string>{"Y-T"});
}

TEST(BlockSymbolTest, WatchdogArcsAndWifiDot) {
  CDiagramBuilder d;
  CRecordingDC dc;
  Place(d, 806)->DrawSpecialSymbol(&dc);
  const auto arcs = dc.CallsOfKind(Kind::kArc);
  ASSERT_EQ(arcs.size(), 2u);
  EXPECT_EQ(arcs[0]->arcDirection, AD_CLOCKWISE);
  EXPECT_EQ(arcs[1]->arcDirection, AD_COUNTERCLOCKWISE);
  EXPECT_EQ(dc.GetArcDirection(), AD_COUNTERCLOCKWISE);
  dc.Clear();
  CBlockObj* wifi = Place(d, 826);
  wifi->DrawSpecialSymbol(&dc);
  ASSERT_EQ(DotsOfWidth(dc, 4).size(), 1u);
  ASSERT_NE(dc.FindText(CString(u"AI")), nullptr);
  bool dotted = false;
  for (const DCCall* c : dc.CallsOfKind(Kind::kLine)) dotted = dotted || c->pen.GetStyle() == PS_DOT;
  EXPECT_TRUE(dotted);
}

// ---- Value boxes ------------------------------------------------------------------

TEST(ValueBoxTest, BoxesUnderTheBody) {
  CDiagramBuilder d;
  auto* counter = static_cast<CBlockCOUNTER*>(Place(d, 800));
  counter->m_dValue = 42;
  CRecordingDC dc;
  counter->DrawValueBox(&dc, &d.View());
  const int bottom = kPos.y + counter->m_nHeight;
  auto fills = dc.CallsOfKind(Kind::kFillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0]->rect, CRect(kPos.x, bottom + 2, kPos.x + (3 * counter->m_nWidth) / 2, bottom + 14));
  EXPECT_EQ(fills[0]->fillColor, 0xCCFFFFu);
  ASSERT_NE(dc.FindText(CString(u"    42")), nullptr);
  EXPECT_EQ(dc.FindText(CString(u"    42"))->rect.TopLeft(), CPoint(kPos.x, bottom + 2));

  // An analog input with a negative word value shows one line, else two.
  auto* ai = static_cast<CBlockAnalogIn*>(Place(d, 608));
  for (int word : {-1, 0}) {
    ai->m_nWordValue = word;
    dc.Clear();
    ai->DrawValueBox(&dc, &d.View());
    fills = dc.CallsOfKind(Kind::kFillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->rect.Height(), word < 0 ? 12 : 24);
    EXPECT_EQ(dc.CallsOfKind(Kind::kText).size(), word < 0 ? 1u : 2u);
  }

  // The hours counter: three lines in a box three bodies wide.
  CBlockObj* hours = Place(d, 801);
  dc.Clear();
  hours->DrawValueBox(&dc, &d.View());
  fills = dc.CallsOfKind(Kind::kFillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0]->rect, CRect(kPos.x, bottom + 2, kPos.x + 3 * hours->m_nWidth, bottom + 38));
  EXPECT_EQ(dc.CallsOfKind(Kind::kText).size(), 3u);
}

// ---- Connector halves, wires, comments and the document ------------------------------

// A wire from pin `fromPin` of a to pin `toPin` of b, with a standard six-point route.
CConnectLineObj* AddWire(CZaradDoc& doc, CBlockObj* a, int fromPin, CBlockObj* b, int toPin) {
  auto wire = std::make_unique<CConnectLineObj>();
  wire->m_pStartBlock = a;
  wire->m_pEndBlock = b;
  wire->m_nStartNumber = a->m_nNumber;
  wire->m_nEndNumber = b->m_nNumber;
  wire->m_nStartPin = fromPin;
  wire->m_nEndPin = toPin;
  wire->m_points = {CPoint(10, 10), CPoint(20, 10), CPoint(30, 10),
                    CPoint(30, 40), CPoint(40, 40), CPoint(50, 40)};
  wire->m_ptStart = wire->m_points.front();
  wire->m_ptEnd = wire->m_points.back();
  return doc.m_connections.AddTail(std::move(wire));
}

TEST(ConnectorDrawTest, LabelsNameTheOtherEndOfThePair) {
  CDiagramBuilder d;
  CBlockObj* source = d.Add(300);
  source->m_nNumber = 9004;
  CBlockObj* target = d.Add(300);
  target->m_nNumber = 9012;
  auto* male = static_cast<CBlockMale*>(d.Doc().AddBlock(std::make_unique<CBlockMale>(900)));
  auto* female = static_cast<CBlockFemale*>(d.Doc().AddBlock(std::make_unique<CBlockFemale>(901)));
  male->m_ptPos = female->m_ptPos = kPos;
  male->m_nWidth = female->m_nWidth = 25;
  male->m_nHeight = female->m_nHeight = 16;
  ASSERT_EQ(female->m_nNumber, male->m_nNumber + 2000);
  AddWire(d.Doc(), source, 10, male, 0);    // the source drives the male
  AddWire(d.Doc(), target, 2, female, 10);  // the female feeds input 2 of B12
  d.View().m_nEditMode = MODE_SELECT;
  CRecordingDC dc;
  male->Draw(&d.View(), &dc, 0, 0);
  const DCCall* label = dc.FindText(CString(u"B12/2"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->rect.TopLeft(), CPoint(kPos.x + (male->m_nWidth - 30) / 2, kPos.y - 12));
  const auto flags = dc.CallsOfKind(Kind::kPolygon);
  ASSERT_EQ(flags.size(), 1u);
  EXPECT_EQ(flags[0]->brush.GetColor(), 0x40C040u);
  EXPECT_EQ(flags[0]->points[3], CPoint(kPos.x + male->m_nWidth, kPos.y + male->m_nHeight / 2));  // arrow tip
  dc.Clear();
  female->Draw(&d.View(), &dc, 0, 0);
  EXPECT_NE(dc.FindText(CString(u"B4")), nullptr);

  // In simulation the male takes its colour from its input.
  d.View().m_nEditMode = MODE_SIMULATION;
  male->m_nSource[0] = source->m_nNumber;
  for (int value : {1, 0}) {
    source->m_nValue[10] = value;
    dc.Clear();
    male->SimulateAndDraw(&d.View(), &dc);
    const int y = kPos.y + male->m_nHeight / 2;
    bool found = false;
    for (const DCCall* c : dc.CallsOfKind(Kind::kLine)) {
      if (c->points[0] == CPoint(kPos.x, y) && c->points[1] == CPoint(kPos.x - 5, y)) {
        found = true;
        EXPECT_EQ(c->pen.GetColor(), value ? 0x0000FFu : 0xFF0000u);
      }
    }
    EXPECT_TRUE(found);
  }

  // Without the partner's wire the halves carry no label.
  d.Doc().m_connections.DeleteAll();
  dc.Clear();
  male->Draw(&d.View(), &dc, 0, 0);
  female->Draw(&d.View(), &dc, 0, 0);
  EXPECT_TRUE(dc.CallsOfKind(Kind::kText).empty());
}

TEST(WireDrawTest, PenWidthJunctionsAndHandles) {
  CDiagramBuilder d;
  CBlockObj* gate = d.Add(300);
  CBlockObj* comparator = d.Add(803);
  CConnectLineObj* wire = AddWire(d.Doc(), gate, 10, comparator, 0);  // digital output to analog input
  wire->m_junctions[4] = CPoint(0, 0);
  CRecordingDC dc;
  wire->Draw(&dc, 0x123456);
  const auto lines = dc.CallsOfKind(Kind::kPolyline);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->pen.GetWidth(), 2);
  EXPECT_EQ(lines[0]->pen.GetColor(), 0x123456u);
  const auto dots = DotsOfWidth(dc, 8);
  ASSERT_EQ(dots.size(), 1u);
  EXPECT_EQ(dots[0]->points[0], CPoint(40, 40));
  dc.Clear();
  wire->DrawSelected(&dc, 0);
  const auto squares = dc.CallsOfKind(Kind::kRectangle);
  ASSERT_EQ(squares.size(), 6u);
  EXPECT_EQ(squares[0]->rect, CRect(6, 6, 14, 14));
  EXPECT_EQ(squares[0]->brush.GetColor(), 0xFF0000u);
  EXPECT_EQ(squares[2]->brush.GetColor(), 0x0000FFu);
  EXPECT_EQ(squares[5]->brush.GetColor(), 0xFF0000u);
}

TEST(CommentDrawTest, LinesSplitOverTheHeight) {
  CBlockComment comment;
  comment.m_ptPos = CPoint(10, 100);
  comment.m_size = CSize(80, 36);
  comment.m_strText = CString(u"one\r\ntwo\r\nthree\r\n");
  comment.m_nLines = 3;
  CRecordingDC dc;
  DrawComment(&dc, comment);
  const auto texts = dc.CallsOfKind(Kind::kText);
  ASSERT_EQ(texts.size(), 3u);  // the empty last line is not written
  EXPECT_EQ(texts[1]->rect.TopLeft(), CPoint(10, 112));
  EXPECT_EQ(texts[2]->rect.TopLeft(), CPoint(10, 124));
  EXPECT_EQ(texts[0]->bkColor, 0xB4B4B4u);
  EXPECT_EQ(texts[0]->font.lfFaceName, CString(u"Arial"));
  EXPECT_EQ(dc.GetTextColor(), 0u);
  comment.m_nLines = 0;
  dc.Clear();
  DrawCommentSelected(&dc, comment);
  EXPECT_TRUE(dc.CallsOfKind(Kind::kText).empty());
  EXPECT_EQ(dc.CallsOfKind(Kind::kPolygon).size(), 4u);
}

// A long comment is laid out once per text, and a repaint writes only the lines of
// the area it paints.
TEST(CommentDrawTest, ALongCommentWritesOnlyTheLinesInTheArea) {
  CBlockComment comment;
  std::u16string text;
  for (int i = 0; i < 20000; ++i) text += u"line\r\n";
  comment.m_strText = CString(text);
  comment.m_nLines = 20000;
  comment.m_ptPos = CPoint(0, 0);
  comment.m_size = CSize(40, 20000 * 12);
  const auto* spans = &comment.GetLineSpans();
  EXPECT_EQ(spans->size(), 20000u);
  EXPECT_EQ(&comment.GetLineSpans(), spans);
  CRecordingDC dc;
  dc.IntersectClipRect(CRect(0, 1200, 400, 1300));
  DrawComment(&dc, comment);
  const auto texts = dc.CallsOfKind(Kind::kText);
  EXPECT_GE(texts.size(), 9u);
  EXPECT_LE(texts.size(), 12u);
  for (const DCCall* t : texts) {
    EXPECT_GE(t->rect.top, 1200 - 13);
    EXPECT_LE(t->rect.top, 1300);
  }
  // A changed text is laid out again.
  comment.m_strText = CString(u"one\r\ntwo");
  ASSERT_EQ(comment.GetLineSpans().size(), 2u);
  EXPECT_EQ(comment.GetLineSpans()[1].start, 5);
}

TEST(DiagramDrawTest, OrderAndPageDivisions) {
  CDiagramBuilder d;
  CZaradDoc& doc = d.Doc();
  doc.m_sizePage = CSize(400, 300);
  doc.m_nPagesAcross = 3;
  doc.m_nPagesDown = 1;
  CBlockObj* a = Place(d, 300);
  CBlockObj* b = d.Add(300);
  b->m_ptPos = CPoint(100, 100);
  AddWire(doc, a, 10, b, 0);
  doc.m_comments.AddTail(std::make_unique<CBlockComment>());
  d.View().m_nEditMode = MODE_SELECT;
  CRecordingDC dc;
  DiagramDrawOptions options;
  options.cullToClip = false;
  options.currentBlock = a;
  DrawDocument(&dc, doc, &d.View(), options);
  // Two vertical divisions in the division colour, none across.
  int divisions = 0;
  for (const DCCall* c : dc.CallsOfKind(Kind::kLine)) divisions += c->pen.GetColor() == 0x62C400u ? 1 : 0;
  EXPECT_EQ(divisions, 2);
  EXPECT_TRUE(HasLine(dc, CPoint(400, 0), CPoint(400, 300)));
  // Blocks, the current block with its red handles, then the wire, then the comment.
  int lastBody = -1, handleAt = -1, wireAt = -1, commentAt = -1;
  for (size_t i = 0; i < dc.Calls().size(); ++i) {
    const DCCall& c = dc.Calls()[i];
    if (c.kind == Kind::kPolygon && c.brush.GetColor() == 0x8CDEFFu && handleAt < 0)
      lastBody = static_cast<int>(i);
    if (c.kind == Kind::kPolygon && c.brush.GetColor() == 0x0000FFu && handleAt < 0)
      handleAt = static_cast<int>(i);
    if (c.kind == Kind::kPolyline && wireAt < 0) wireAt = static_cast<int>(i);
    if (c.kind == Kind::kText && c.text == CString(u"Comment")) commentAt = static_cast<int>(i);
  }
  EXPECT_LT(lastBody, handleAt);
  EXPECT_LT(handleAt, wireAt);
  EXPECT_LT(wireAt, commentAt);
  const auto fills = dc.CallsOfKind(Kind::kFillRect);
  ASSERT_GE(fills.size(), 2u);
  EXPECT_EQ(fills[0]->fillColor, 0x808080u);
  EXPECT_EQ(fills[1]->rect, CRect(0, 0, 1200, 300));
  EXPECT_EQ(fills[1]->fillColor, 0xB4B4B4u);
}

TEST(DiagramDrawTest, LadderPowerBusIsBlackOnThePageAndLiveOverTheWiresInSimulation) {
  CDiagramBuilder d(kDocLadder);
  CZaradDoc& doc = d.Doc();
  doc.m_sizePage = CSize(400, 300);
  CBlockObj* coil = Place(d, 703);
  d.View().m_nEditMode = MODE_SIMULATION;
  DiagramDrawOptions options;
  options.cullToClip = false;
  options.simulating = true;
  doc.MakePowerBus();  // as a new or loaded ladder document has it
  ASSERT_FALSE(doc.m_powerBus.IsEmpty());
  CRecordingDC dc;
  CBlockObj* contact = d.Add(700);
  AddWire(doc, contact, 10, coil, 0);
  dc.Clear();
  DrawDocument(&dc, doc, &d.View(), options);
  std::vector<COLORREF> busColours;
  int wireAt = -1, liveBusAt = -1;
  for (size_t i = 0; i < dc.Calls().size(); ++i) {
    const DCCall& c = dc.Calls()[i];
    if (c.kind == Kind::kPolyline && wireAt < 0) wireAt = static_cast<int>(i);
    if (c.kind == Kind::kLine && c.pen.GetWidth() == 4) {
      busColours.push_back(c.pen.GetColor());
      if (c.pen.GetColor() == 0x0000FFu) liveBusAt = static_cast<int>(i);
    }
  }
  EXPECT_EQ(busColours, (std::vector<COLORREF>{0x000000u, 0x0000FFu}));
  ASSERT_GE(wireAt, 0);
  EXPECT_LT(wireAt, liveBusAt);
}

TEST(DiagramDrawTest, ElementsOutsideTheClipAreSkipped) {
  CDiagramBuilder d;
  d.Doc().m_sizePage = CSize(4000, 4000);
  CBlockObj* near = Place(d, 300);
  near->m_nNumber = 9001;
  CBlockObj* far = d.Add(300);
  far->m_ptPos = CPoint(3000, 3000);
  far->m_nNumber = 9002;
  CRecordingDC dc(CSize(800, 600));
  DrawDocument(&dc, d.Doc(), &d.View(), DiagramDrawOptions());
  EXPECT_NE(dc.FindText(CString(u"B1")), nullptr);
  EXPECT_EQ(dc.FindText(CString(u"B2")), nullptr);
}

// A running simulation shows each block as its last scan left it: a timer in
// its state colour with its time in the value box, a data block in black with
// its value; a stopped one draws the blocks in one colour without value boxes.
TEST(DiagramDrawTest, SimulationShowsTheValueBoxesOfTheLastScan) {
  CDiagramBuilder d;
  d.Doc().m_wModelCode = 0x5188;
  CBlockObj* timer = Place(d, 400);
  timer->m_strValueText = u"00:50s";
  timer->m_nValue[kFirstOutputPin] = 1;
  CBlockObj* bcd = d.Add(832);
  bcd->m_ptPos = CPoint(300, 100);
  bcd->m_dValue = 0x1234;
  d.View().m_nEditMode = MODE_SIMULATION;
  DiagramDrawOptions options;
  options.cullToClip = false;
  options.simulating = true;
  CRecordingDC dc;
  DrawDocument(&dc, d.Doc(), &d.View(), options);
  EXPECT_NE(dc.FindText(CString(u"00:50s")), nullptr);
  EXPECT_NE(dc.FindText(CString(u"0x1234")), nullptr);
  int boxes = 0;
  for (const DCCall* c : dc.CallsOfKind(Kind::kFillRect)) boxes += c->fillColor == 0xCCFFFFu ? 1 : 0;
  EXPECT_EQ(boxes, 2);
  // Bodies: the timer outlined in red (output 1), the data block in black.
  std::vector<COLORREF> outlines;
  for (const DCCall* c : dc.CallsOfKind(Kind::kPolygon))
    if (c->brush.GetColor() == 0x8CDEFFu) outlines.push_back(c->pen.GetColor());
  EXPECT_EQ(outlines, (std::vector<COLORREF>{0x0000FFu, 0x000000u}));

  options.simulationStopped = true;
  dc.Clear();
  DrawDocument(&dc, d.Doc(), &d.View(), options);
  EXPECT_EQ(dc.FindText(CString(u"00:50s")), nullptr);
  for (const DCCall* c : dc.CallsOfKind(Kind::kFillRect)) EXPECT_NE(c->fillColor, 0xCCFFFFu);
}

}  // namespace
