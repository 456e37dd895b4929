#include "model/doc_queries.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "blocks/connector_obj.h"
#include "model/block_captions.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "support/diagram_builder.h"

namespace {

// A bare block (loading constructor) with a type, number, operand and body.
CBlockObj* Put(CZaradDoc& doc, int type, int number, int operand = 0, CPoint pos = {}, CSize size = {}) {
  auto b = std::make_unique<CBlockObj>();
  b->m_nType = type;
  b->m_nNumber = number;
  b->m_nOperand = operand;
  b->m_ptPos = pos;
  b->m_nWidth = size.cx;
  b->m_nHeight = size.cy;
  b->m_nInputs = 4;
  b->m_nOutputs = 1;
  for (int pin = 0; pin < 4; ++pin) b->m_nPinType[pin] = PIN_DIGITAL;
  b->m_nPinType[kFirstOutputPin] = PIN_DIGITAL;
  return doc.m_blocks.AddTail(std::move(b));
}

CConnectLineObj* Wire(CZaradDoc& doc, CBlockObj* from, int fromPin, CBlockObj* to, int toPin) {
  auto w = std::make_unique<CConnectLineObj>();
  w->m_pStartBlock = from;
  w->m_nStartPin = fromPin;
  w->m_pEndBlock = to;
  w->m_nEndPin = toPin;
  return doc.m_connections.AddTail(std::move(w));
}

TEST(DocQueries, FindBlockAtUsesHalfOpenBodiesAndPinStubs) {
  CZaradDoc doc;
  CBlockObj* a = Put(doc, 300, 9000, 0, {100, 100}, {25, 40});
  CBlockObj* b = Put(doc, 300, 9001, 0, {110, 100}, {25, 40});  // overlaps a: a comes first
  struct Case {
    CPoint pt;
    CBlockObj* body;
    CBlockObj* withPins;
  } cases[] = {
      {{100, 100}, a, a},
      {{112, 139}, a, a},
      {{135, 120}, nullptr, b},        // right edge of b
      {{120, 140}, nullptr, nullptr},  // bottom edge
      {{91, 120}, nullptr, a},
      {{90, 120}, nullptr, nullptr},
      {{143, 120}, nullptr, b},
      {{144, 120}, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pt.x << "," << c.pt.y);
    EXPECT_EQ(FindBlockAt(doc, c.pt), c.body);
    EXPECT_EQ(FindBlockWithPinsAt(doc, c.pt), c.withPins);
  }
}

TEST(DocQueries, FindCommentAtAndFindConnectionAt) {
  CZaradDoc doc;
  auto first = std::make_unique<CBlockComment>();
  first->m_ptPos = CPoint(10, 10);
  first->m_size = CSize(50, 20);
  CBlockComment* a = AddComment(doc, std::move(first));
  auto second = std::make_unique<CBlockComment>();
  second->m_ptPos = CPoint(40, 20);
  second->m_size = CSize(50, 20);
  CBlockComment* b = AddComment(doc, std::move(second));
  auto huge = std::make_unique<CBlockComment>();
  huge->m_ptPos = CPoint(INT_MAX - 5, INT_MAX - 5);
  huge->m_size = CSize(INT_MAX, INT_MAX);
  CBlockComment* c = AddComment(doc, std::move(huge));
  EXPECT_EQ(FindCommentAt(doc, {10, 10}), a);
  EXPECT_EQ(FindCommentAt(doc, {45, 25}), a);  // both: the first in the list
  EXPECT_EQ(FindCommentAt(doc, {60, 25}), b);  // right edge of a
  EXPECT_EQ(FindCommentAt(doc, {45, 40}), nullptr);
  EXPECT_EQ(FindCommentAt(doc, {INT_MAX - 1, INT_MAX - 1}), c);

  auto w = std::make_unique<CConnectLineObj>();
  w->m_points = {{0, 0}, {100, 0}};
  w->m_ptEnd = CPoint(100, 0);
  CConnectLineObj* wire = AddConnection(doc, std::move(w));
  EXPECT_EQ(FindConnectionAt(doc, {50, 3}), wire);
  EXPECT_EQ(FindConnectionAt(doc, {50, 9}), nullptr);
}

TEST(DocQueries, GetPinRect) {
  CZaradDoc doc;
  CBlockObj* a = Put(doc, 300, 9000, 0, {100, 100}, {25, 40});
  CRect r(1, 2, 3, 4);
  EXPECT_TRUE(GetPinRect(&r, a, 0));
  CRect expected;
  a->GetPinRect(&expected, 0, kPinMarkSize);
  EXPECT_EQ(r, expected);
  EXPECT_FALSE(r.IsRectEmpty());
  for (int pin : {20, -1, 5, 11}) {  // out of range, or a pin of type 0
    r = CRect(1, 2, 3, 4);
    EXPECT_FALSE(GetPinRect(&r, a, pin)) << pin;
    EXPECT_TRUE(r.IsRectNull());
  }
  EXPECT_FALSE(GetPinRect(&r, nullptr, 0));
}

TEST(DocQueries, ConnectionAndCommentListsMarkTheDocument) {
  CZaradDoc doc;
  CConnectLineObj* w = AddConnection(doc, std::make_unique<CConnectLineObj>());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.m_connections.GetHead(), w);
  EXPECT_EQ(AddConnection(doc, nullptr), nullptr);

  doc.SetModifiedFlag(FALSE);
  CConnectLineObj stranger;
  EXPECT_EQ(RemoveConnection(doc, &stranger), nullptr);
  EXPECT_FALSE(doc.IsModified());
  std::unique_ptr<CConnectLineObj> back = RemoveConnection(doc, w);
  EXPECT_EQ(back.get(), w);
  EXPECT_TRUE(doc.m_connections.IsEmpty());
  EXPECT_TRUE(doc.IsModified());

  doc.SetModifiedFlag(FALSE);
  EXPECT_EQ(AddComment(doc, nullptr), nullptr);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_NE(AddComment(doc, std::make_unique<CBlockComment>()), nullptr);
  EXPECT_EQ(doc.m_comments.GetCount(), 1);
  EXPECT_TRUE(doc.IsModified());
}

TEST(DocQueries, IsDuplicateConnectionInEitherDirection) {
  CZaradDoc doc;
  CBlockObj* a = Put(doc, 300, 9000);
  CBlockObj* b = Put(doc, 300, 9001);
  CConnectLineObj drawn;  // drawn from B's pin 2, its end end being dragged
  drawn.m_pStartBlock = b;
  drawn.m_nStartPin = 2;
  drawn.m_nDragEnd = 1;
  EXPECT_FALSE(IsDuplicateConnection(doc, &drawn, a, 10));  // no wire yet

  Wire(doc, a, 10, b, 2);
  EXPECT_TRUE(IsDuplicateConnection(doc, &drawn, a, 10));
  EXPECT_FALSE(IsDuplicateConnection(doc, &drawn, a, 11));
  EXPECT_FALSE(IsDuplicateConnection(doc, &drawn, b, 10));

  // The start end being dragged: the end end (A, 10) is the fixed one.
  CConnectLineObj moved;
  moved.m_pEndBlock = a;
  moved.m_nEndPin = 10;
  moved.m_nDragEnd = -1;
  EXPECT_TRUE(IsDuplicateConnection(doc, &moved, b, 2));
  EXPECT_FALSE(IsDuplicateConnection(doc, &moved, b, 3));

  // A wire of the document whose end is being moved back onto its own pin.
  CConnectLineObj* own = doc.m_connections.GetHead();
  own->m_nDragEnd = 1;
  EXPECT_FALSE(IsDuplicateConnection(doc, own, b, 2));
  EXPECT_FALSE(IsDuplicateConnection(doc, nullptr, b, 2));
}

TEST(DocQueries, FindConnectorConnection) {
  CZaradDoc doc;
  CBlockObj* gate = Put(doc, 300, 9000);
  CBlockObj* male = doc.m_blocks.AddTail(std::make_unique<CBlockMale>());
  CBlockObj* female = doc.m_blocks.AddTail(std::make_unique<CBlockFemale>());
  CBlockObj* plain = Put(doc, 900, 5001);  // the type code alone does not make a half
  Wire(doc, male, 10, gate, 0);            // starts at the half: not found through the half
  EXPECT_EQ(FindConnectorConnection(doc, male), nullptr);
  CConnectLineObj* toMale = Wire(doc, gate, 10, male, 0);
  CConnectLineObj* toFemale = Wire(doc, gate, 10, female, 0);
  Wire(doc, gate, 10, female, 1);
  EXPECT_EQ(FindConnectorConnection(doc, male), toMale);
  EXPECT_EQ(FindConnectorConnection(doc, female), toFemale);
  Wire(doc, male, 10, gate, 1);
  EXPECT_EQ(FindConnectorConnection(doc, gate), nullptr);  // not a connector half
  Wire(doc, gate, 10, plain, 0);
  EXPECT_EQ(FindConnectorConnection(doc, plain), nullptr);
  EXPECT_EQ(FindConnectorConnection(doc, nullptr), nullptr);
}

struct LabelCase {
  int type;
  int number;
  int operand;
  const char16_t* label;
};

TEST(DocQueries, OperandLabelsOfOperandBlocks) {
  const LabelCase cases[] = {
      {600, 100, 35, u"I103"}, {605, 600, 17, u"Q101"}, {608, 4000, 9, u"AI101"}, {609, 4230, 6, u"AQ102"},
      {300, 9012, 0, u"B12"},  {604, 2900, 7, u"High"}, {603, 1870, 7, u"Low"},   {607, 1316, 12, u"M12"},
      {610, 4288, 3, u"AM3"},  {611, 1300, 2, u"F2"},   {606, 4800, 5, u"X5"},    {601, 1280, 1, u"C1"},
      {911, 8950, 0, u"L0"},   {999, 1, 4, u"B4"},      {600, 100, -1, u"I0-1"},
  };
  CZaradDoc doc;
  for (const LabelCase& c : cases) {
    CBlockObj block;
    block.m_nType = c.type;
    block.m_nNumber = c.number;
    block.m_nOperand = c.operand;
    EXPECT_EQ(GetOperandLabel(doc, &block), CString(c.label)) << c.type << " " << c.operand;
  }
  EXPECT_EQ(GetOperandLabel(doc, nullptr), CString());
}

TEST(DocQueries, ShiftRegisterBitLabelByFamily) {
  for (auto [model, label] : {std::pair{WORD{0x5288}, u"S1.2"}, std::pair{WORD{0x2188}, u"S18"}}) {
    CZaradDoc doc;
    doc.m_wModelCode = model;
    CBlockObj bit;
    bit.m_nType = 602;
    bit.m_nNumber = 1000;
    bit.m_nOperand = 18;
    EXPECT_EQ(GetOperandLabel(doc, &bit), CString(label));
  }
}

TEST(DocQueries, OperandLabelsOfLadderElements) {
  CZaradDoc doc;
  doc.m_nKind = kDocLadder;
  CBlockObj* coil = Put(doc, 703, 21003, 605);
  CBlockObj* aout = Put(doc, 705, 22001, 4290);
  Put(doc, 703, 21004, 3000);  // a coil on an operand a contact cannot show
  const LabelCase cases[] = {
      {700, 12000, 1320, u"M4"},
      {701, 15000, 1302, u"F2"},
      {700, 12001, 1005, u"S5"},
      {700, 12002, 100, u"I000"},
      {700, 12003, 135, u"I103"},
      {701, 15001, 610, u"Q010"},
      {700, 12004, 2000, u"Low"},
      {700, 12005, 3000, u"High"},
      {700, 12006, 9007, u"B7"},
      {702, 18000, 4009, u"AI101"},
      {702, 18001, 4233, u"AQ003"},
      {702, 18002, 4300, u"AM12"},
      {702, 18003, 9002, u"B2"},
      {703, 21010, 4805, u"X5"},
      {704, 21011, 1400, u"M84"},
      {703, 21012, 615, u"Q015"},
      {705, 22000, 4232, u"AQ002"},
      {705, 22002, 4300, u"AM12"},
      {700, 12007, 21003, u"Q005"},
      {702, 18004, 22001, u"AM2"},
      // Left open: an element number without an element, or whose element is out of range.
      {700, 12008, 21999, u"I?"},
      {702, 18005, 22999, u"AI?"},
      {700, 12009, 21004, u"I?"},
      // Operands that the table does not give the element's type.
      {703, 21013, 150, u"Q?"},
      {705, 22003, 4000, u"AQ?"},
      {700, 12011, 50, u"I?"},
  };
  for (const LabelCase& c : cases) {
    CBlockObj block;
    block.m_nType = c.type;
    block.m_nNumber = c.number;
    block.m_nOperand = c.operand;
    EXPECT_EQ(GetOperandLabel(doc, &block), CString(c.label)) << c.type << " " << c.operand;
  }
  // The contact follows its coil's operand.
  CBlockObj contact;
  contact.m_nType = 700;
  contact.m_nNumber = 12010;
  contact.m_nOperand = 21003;
  coil->m_nOperand = 4805;
  EXPECT_EQ(GetOperandLabel(doc, &contact), CString(u"X5"));
  aout->m_nOperand = 4231;
  contact.m_nType = 702;
  contact.m_nOperand = 22001;
  EXPECT_EQ(GetOperandLabel(doc, &contact), CString(u"AQ001"));
}

TEST(DocQueries, BlockListsOfTheParameterPages) {
  BuildBlockCaptionMap();
  for (WORD model : {WORD{0x2188}, WORD{0x5188}}) {
    SCOPED_TRACE(model);
    CDiagramBuilder d(kDocFbd, model);
    CBlockObj* counter = d.Add(800);     // B0
    CBlockObj* gate = d.Add(300);        // B1, a logic gate: never offered
    CBlockObj* delay = d.Add(400);       // B2
    CBlockObj* comparator = d.Add(803);  // B3
    d.Add(600);                          // an input: not a function block
    counter->m_byCaps = 0x01;
    gate->m_byCaps = 0xFF;
    delay->m_byCaps = 0x09;
    comparator->m_byCaps = 0x00;
    const std::vector<CString> refs = FillBlockCombo(d.Doc(), counter->m_nNumber);
    if (model == 0x2188) {
      EXPECT_EQ(refs, std::vector<CString>{CString(u"B3[Analog Comparator]")});
    } else {
      EXPECT_EQ(refs, std::vector<CString>{CString(u"B2[On Delay]")});
    }
    EXPECT_EQ(FillBlockCombo(d.Doc(), -1).size(), 2u);
    EXPECT_EQ(FillDataBlockCombo(d.Doc(), -1), std::vector<CString>{CString(u"B2[On Delay]")});
    EXPECT_TRUE(FillDataLogBlockList(d.Doc(), delay->m_nNumber).empty());
  }
}

TEST(DocQueries, SetMousePoint) {
  CZaradDoc doc;
  SetMousePoint(doc, -3, 7);
  EXPECT_EQ(doc.m_ptMouse, CPoint(-3, 7));
}

}  // namespace
