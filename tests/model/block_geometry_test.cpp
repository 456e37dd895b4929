#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "blocks/ladder_blocks.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "support/fake_contexts.h"

namespace {

// A block of `inputs` inputs and one output at (100, 200), 25 x 36, all pins digital.
std::unique_ptr<CBlockObj> MakeBlock(int inputs, int outputs = 1) {
  auto b = std::make_unique<CBlockObj>(300, inputs);
  b->m_nOutputs = outputs;
  b->m_ptPos = CPoint(100, 200);
  b->m_nWidth = 25;
  b->m_nHeight = 36;
  for (int& t : b->m_nPinType) t = PIN_DIGITAL;
  return b;
}

TEST(BlockGeometryTest, BodyAndPinRects) {
  auto b = MakeBlock(2);
  CRect rc;
  EXPECT_EQ(b->GetBodyRect(&rc), 1);
  EXPECT_EQ(rc, CRect(100, 200, 125, 236));

  struct Case {
    int pin;
    int size;
    CRect expected;
  };
  // Pins of a side are spaced at h / (n + 1): inputs at y + 12 and y + 24, the output at y + 18.
  const Case cases[] = {
      {0, 5, {91, 208, 102, 216}},   {1, 5, {91, 220, 102, 228}}, {10, 5, {123, 214, 132, 222}},
      {0, 1, {98, 211, 102, 213}},   {0, 0, {98, 211, 102, 213}}, {0, 2, {95, 209, 102, 215}},
      {10, 2, {123, 215, 128, 221}}, {1, 8, {86, 218, 102, 230}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(b->GetPinRect(&rc, c.pin, c.size)) << c.pin << " size " << c.size;
    EXPECT_EQ(rc, c.expected) << c.pin << " size " << c.size;
  }
}

TEST(BlockGeometryTest, MissingPinsGiveNoRect) {
  auto three = MakeBlock(3);
  auto none = MakeBlock(0, 0);
  struct Case {
    const CBlockObj* block;
    int pin;
  };
  const Case cases[] = {{three.get(), 5},  {three.get(), 3}, {three.get(), 11}, {three.get(), -1},
                        {three.get(), 20}, {none.get(), 0},  {none.get(), 10}};
  for (const Case& c : cases) {
    CRect rc(1, 2, 3, 4);
    EXPECT_FALSE(c.block->GetPinRect(&rc, c.pin, 5)) << c.pin;
    EXPECT_EQ(rc, CRect()) << c.pin;
  }
  // Pin counts from a damaged file never stretch the input side past pin 9.
  auto damaged = MakeBlock(15);
  CRect rc;
  EXPECT_TRUE(damaged->GetPinRect(&rc, 9, 5));
  EXPECT_FALSE(damaged->GetPinRect(&rc, 12, 5));
}

TEST(BlockGeometryTest, HitTestOrder) {
  auto b = MakeBlock(2);
  b->m_nPinType[1] = PIN_NONE;
  struct Case {
    CPoint pt;
    int expected;
  };
  const Case cases[] = {
      {{101, 212}, kHitBody},  // one unit inside the left edge on pin 0's line: the body wins
      {{100, 212}, kHitBody},  // the left edge belongs to the body
      {{97, 212}, 0},          // three units left of the edge: the pin
      {{91, 212}, 0},          // the mark's far end
      {{90, 212}, kHitNone},
      {{97, 208}, 0},  // the mark's top row
      {{97, 216}, kHitNone},
      {{97, 224}, kHitNone},      // pin 1 has no type: never hit
      {{124, 218}, kHitBody},     // the last column of the body
      {{125, 218}, 10},           // the right edge is outside the body, inside the output mark
      {{131, 218}, 10},           //
      {{132, 218}, kHitNone},     //
      {{112, 236}, kHitNone},     // the bottom edge is outside
      {{112, 235}, kHitBody},     //
      {{-5000, -5000}, kHitNone}  //
  };
  for (const Case& c : cases) EXPECT_EQ(b->HitTest(c.pt), c.expected) << c.pt.x << "," << c.pt.y;
}

TEST(BlockGeometryTest, PowerBusBodyIsWider) {
  CPowerBusObj bus;
  bus.m_nWidth = 4;
  bus.m_nHeight = 400;
  const CPoint p = CPowerBusObj::kPosition;
  EXPECT_EQ(bus.HitTest(CPoint(p.x - 5, p.y + 10)), kHitBody);
  EXPECT_EQ(bus.HitTest(CPoint(p.x - 6, p.y + 10)), kHitNone);
  EXPECT_EQ(bus.HitTest(CPoint(p.x + 8, p.y + 10)), kHitBody);
  EXPECT_EQ(bus.HitTest(CPoint(p.x + 9, p.y + 10)), kHitNone);
}

TEST(BlockGeometryTest, ExtremeCoordinatesDoNotOverflow) {
  auto b = MakeBlock(2);
  b->m_ptPos = CPoint(INT_MAX - 3, INT_MIN + 1);
  b->m_nWidth = INT_MAX;
  b->m_nHeight = INT_MAX;
  CRect rc;
  b->GetBodyRect(&rc);
  EXPECT_EQ(rc.right, INT_MAX);
  EXPECT_TRUE(b->GetPinRect(&rc, 10, INT_MAX));
  CRect handles[4];
  b->GetHandleRects(handles);
  EXPECT_EQ(b->HitTest(CPoint(0, 0)), kHitNone);
}

TEST(BlockGeometryTest, SelectionHandles) {
  auto b = MakeBlock(2);
  CRect handles[4];
  b->GetHandleRects(handles);
  EXPECT_EQ(handles[0], CRect(96, 196, 104, 204));   // top-left
  EXPECT_EQ(handles[1], CRect(96, 232, 104, 240));   // bottom-left
  EXPECT_EQ(handles[2], CRect(121, 232, 129, 240));  // bottom-right
  EXPECT_EQ(handles[3], CRect(121, 196, 129, 204));  // top-right
}

TEST(BlockLabelTest, LinesStackAboveTheBody) {
  auto b = MakeBlock(2);
  b->m_ptPos = CPoint(30, 100);
  struct Case {
    const char16_t* label;
    std::vector<int> tops;
    std::vector<const char16_t*> texts;
  };
  const Case cases[] = {
      {u"", {}, {}},
      {u"Pump", {76}, {u"Pump"}},
      {u"Line1\r\nLine2", {64, 76}, {u"Line1", u"Line2"}},
      {u"a\r\n\r\nc", {52, 64, 76}, {u"a", u"", u"c"}},
      {u"a\nb\r\n", {64, 76}, {u"a\nb", u""}},  // only CR LF breaks a line
  };
  for (const Case& c : cases) {
    b->m_strLabel = c.label;
    const auto lines = b->GetLabelLines(nullptr, 12);
    ASSERT_EQ(lines.size(), c.tops.size()) << CString(c.label).ToUtf8();
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].pt, CPoint(30, c.tops[i]));
      EXPECT_EQ(lines[i].text, CString(c.texts[i]));
    }
  }
  b->m_strLabel = u"Hidden";
  b->m_bShowLabel = 0;
  EXPECT_TRUE(b->GetLabelLines(nullptr, 12).empty());
}

TEST(BlockLabelTest, LadderElementsShowTheirOperandNames) {
  CZaradDoc doc;
  doc.m_nKind = kDocLadder;

  doc.m_operandNames = {{100, u"Start"},  {1316, u"Flag"}, {601, u"Motor"}, {4000, u"Level"},
                        {4230, u"Valve"}, {1000, u"Bit"},  {2900, u"Hi"}};
  auto add = [&doc](std::unique_ptr<CBlockObj> b, int number, int operand) {
    b->m_nNumber = number;
    b->m_nOperand = operand;
    return doc.m_blocks.AddTail(std::move(b));
  };
  add(std::make_unique<CBlockRelayCoil>(703), 21000, 601);
  add(std::make_unique<CBlockAOutLAD>(705), 22000, 4230);
  CBlockObj* timer = add(std::make_unique<CBlockObj>(400, 2), 9000, 0);
  timer->m_strLabel = u"Timer";

  struct Case {
    int type;
    int operand;
    const char16_t* expected;
  };
  const Case cases[] = {
      {700, 100, u"Start"},    // an input by the map
      {701, 100, u"Start"},    // break contacts are make contacts
      {700, 1000, u"Bit"},     // shift-register bit
      {700, 2900, u"Hi"},      // High
      {700, 1316, u""},        // a flag shows nothing, even when named
      {700, 101, u""},         // an input without a name
      {700, 21000, u"Motor"},  // a coil: the name of the coil's operand
      {700, 21001, u""},       // a coil that is not in the document
      {700, 9000, u"Timer"},   // a function block: its label
      {700, 9001, u""},        //
      {702, 4000, u"Level"},   // analog contact: analog input by the map
      {702, 22000, u"Valve"},  // through the ladder analog output
      {702, 9000, u"Timer"},   //
      {702, 100, u""},         //
      {703, 601, u"Motor"},    // coil: its own operand
      {704, 601, u"Motor"},    // inverted output is a coil
      {705, 4230, u"Valve"},   // ladder analog output
  };
  for (const Case& c : cases) {
    std::unique_ptr<CBlockObj> e;
    switch (c.type) {
      case 700:
        e = std::make_unique<CBlockMake>(700);
        break;
      case 701:
        e = std::make_unique<CBlockBreak>(701);
        break;
      case 702:
        e = std::make_unique<CBlockAContact>(702);
        break;
      case 703:
        e = std::make_unique<CBlockRelayCoil>(703);
        break;
      case 704:
        e = std::make_unique<CBlockInvOut>(704);
        break;
      default:
        e = std::make_unique<CBlockAOutLAD>(705);
        break;
    }
    e->m_nOperand = c.operand;
    e->m_strLabel = u"own label";
    EXPECT_EQ(e->GetLabelText(&doc), CString(c.expected)) << c.type << " " << c.operand;
  }
  // Every other element shows its own label; without a document, contacts show nothing.
  EXPECT_EQ(timer->GetLabelText(&doc), CString(u"Timer"));
  CBlockMake contact(700);
  contact.m_nOperand = 100;
  EXPECT_EQ(contact.GetLabelText(nullptr), CString());
}

}  // namespace
