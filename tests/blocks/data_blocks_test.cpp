#include "blocks/data_blocks.h"

#include <gtest/gtest.h>

#include "blocks/value_block_fixture.h"
#include "platform/random.h"
#include "platform/recording_dc.h"

namespace {

using DataBlocksTest = ValueBlockTest;

TEST(TestBit16Test, BitsOfTheWordAndNoOthers) {
  EXPECT_TRUE(TestBit16(0x8001, 0));
  EXPECT_TRUE(TestBit16(0x8001, 15));
  EXPECT_FALSE(TestBit16(0x8001, 1));
  EXPECT_FALSE(TestBit16(0xFFFF, 16));
  EXPECT_FALSE(TestBit16(0xFFFF, -1));
}

struct BooleanCase {
  int truthTable;
  int inputs[4];  // -1 leaves the pin open
  int expected;
};

TEST_F(DataBlocksTest, BooleanFunctionReadsItsTruthTable) {
  const BooleanCase cases[] = {
      {0x8000, {1, 1, 1, 1}, 1}, {0x8000, {1, 1, 1, 0}, 0},
      {0x0001, {0, 0, 0, 0}, 1}, {0x0001, {-1, -1, -1, -1}, 1},  // open inputs read 0
      {0x0001, {0, 0, 0, 1}, 0}, {0x0010, {0, 1, 0, 0}, 1},      // In1 is the high bit of the index
      {0x0100, {1, 0, 0, 0}, 1}, {0x10000, {0, 0, 0, 0}, 0},     // bits above 15 are not in the table
  };
  for (const BooleanCase& c : cases) {
    auto* block = Add(830, 9000 + m_nextRef++);
    block->m_nParam24 = c.truthTable;
    for (int pin = 0; pin < 4; ++pin) {
      if (c.inputs[pin] >= 0) WireBit(block, pin, c.inputs[pin]);
    }
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_nValue[kFirstOutputPin], c.expected) << std::hex << c.truthTable;
    EXPECT_EQ(block->m_bChanged[kFirstOutputPin], 0);
  }
}

TEST_F(DataBlocksTest, TriggerDateTimeStampsOnARisingTriggerWhileNotReset) {
  auto* block = Add(831, 9000);
  CBlockObj* trg = Input(0, 0);
  CBlockObj* rst = Input(1, 1);
  Wire(block, 0, trg);
  Wire(block, 1, rst);
  m_view.m_strFormattedTime = u"250102030405";
  block->Simulate(&m_view);
  trg->m_nValue[kFirstOutputPin] = 1;  // rising while reset is 1
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nValue[kFirstOutputPin], 0);
  EXPECT_TRUE(block->m_strValueText.IsEmpty());

  rst->m_nValue[kFirstOutputPin] = 0;
  trg->m_nValue[kFirstOutputPin] = 0;  // falling: nothing
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nValue[kFirstOutputPin], 0);
  trg->m_nValue[kFirstOutputPin] = 1;
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(block->m_strValueText, u"250102030405");

  m_view.m_strFormattedTime = u"250102030409";
  trg->m_nValue[kFirstOutputPin] = 0;
  block->Simulate(&m_view);
  trg->m_nValue[kFirstOutputPin] = 1;  // a second rising trigger takes a new stamp
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_strValueText, u"250102030409");

  rst->m_nValue[kFirstOutputPin] = 1;  // the reset clears stamp and output
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nValue[kFirstOutputPin], 0);
  EXPECT_TRUE(block->m_strValueText.IsEmpty());
}

struct WordCase {
  int type;
  int x;
  int param;  // m_nParam10 (shift count, mask or mode)
  int y;      // second word of 845
  double expected;
};

TEST_F(DataBlocksTest, WordOperations) {
  const WordCase cases[] = {
      {832, 1234, 0, 0, 4660},      {832, 12345, 0, 0, 0x2345},
      {832, -5, 0, 0, 0},           {833, 0x1234, 0, 0, 1234},
      {833, 0x12A4, 0, 0, 0},       {833, 0x9999, 0, 0, 9999},
      {834, 0x8001, 1, 0, 3},       {835, 1, 1, 0, -32768},
      {836, 0x4000, 1, 0, -32768},  {837, -32768, 1, 0, -16384},
      {837, 0x7FFF, 15, 0, 0},      {834, 0x1234, 99, 0, 0x091A},  // constant held to 15
      {838, 0x00FF, 0x0F0F, 0, 15}, {839, 0x00F0, 0x000F, 0, 0xFF},
      {840, 0, 0, 0, -1},           {841, 0xFFFF, 0xFFFF, 0, 0},
      {842, 0, 0, 0, -1},           {843, 0x0FF0, 0x00FF, 0, 0x0F0F},
      {845, -3, 0, -4, -3},         {845, -3, 1, -4, -4},
      {845, -3, 2, -4, -3},         {845, 7, 3, 8, 0},
  };
  for (const WordCase& c : cases) {
    auto* block = Add(c.type, 9000 + m_nextRef++);
    block->m_nParam10 = c.param;
    WireWord(block, 0, c.x);
    if (c.type == 845) WireWord(block, 1, c.y);
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_dValue, c.expected) << c.type << " of " << c.x << ", " << c.param;
  }
}

TEST_F(DataBlocksTest, ReferencedParameters) {
  auto* rol = Add(834, 9000);
  WireWord(rol, 0, 0x1234);
  rol->m_pRef[0] = Reference(0.5);  // below 1: no rotation
  rol->Simulate(&m_view);
  EXPECT_EQ(rol->m_dValue, 0x1234);
  rol->m_pRef[0] = Reference(40);  // above 15: 15
  rol->Simulate(&m_view);
  EXPECT_EQ(rol->m_dValue, 0x091A);

  auto* mask = Add(838, 9001);
  WireWord(mask, 0, 0x0FFF);
  mask->m_pRef[0] = Reference(0x1F0);  // truncated, not limited
  mask->Simulate(&m_view);
  EXPECT_EQ(mask->m_dValue, 0x1F0);

  auto* avg = Add(845, 9002);
  WireWord(avg, 0, 10);
  WireWord(avg, 1, 20);
  avg->m_pRef[0] = Reference(7);  // mode held to 2
  avg->Simulate(&m_view);
  EXPECT_EQ(avg->m_dValue, 15);
}

TEST_F(DataBlocksTest, ChangeStateFollowsTheOperands) {
  auto* block = Add(836, 9000);
  CBlockObj* x = Flag(0, 3);
  Wire(block, 0, x);
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nChangeState, 1);
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nChangeState, 0);
  block->m_nParam10 = 2;
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nChangeState, 1);
  EXPECT_EQ(block->m_dValue, 12);
  x->m_nWordValue = 4;
  EXPECT_TRUE(block->Simulate(&m_view));
  EXPECT_EQ(block->m_dValue, 16);
}

struct RangeCase {
  int kind;   // m_nParam9
  int mode;   // m_nParam10
  int first;  // m_nParam14
  int count;  // m_nParam15
  double expected;
};

TEST_F(DataBlocksTest, OperandRangeMaxMinAverage) {
  // Analog outputs 4260.. and flags 4288..: placed out of number order.
  Add(609, 4261)->m_nWordValue = 7;
  Add(609, 4260)->m_nWordValue = 9;
  Add(609, 4259)->m_nWordValue = 100;  // before the range
  Flag(1, 20000);
  Flag(0, 20000);
  Flag(2, -5);
  const RangeCase cases[] = {
      {1, 0, 30, 5, 9},                                            // two places only: outputs 30 and 31
      {1, 1, 30, 5, 7},     {1, 2, 30, 5, 8}, {1, 0, 29, 3, 100},  // 4259..4261
      {0, 2, 0, 2, -12768},                                        // the 16-bit sum wraps
      {0, 0, 2, 3, 0},                         // places without a block stay 0 and take part
      {0, 1, 2, 3, -5},     {0, 7, 2, 3, -5},  // another mode gives the first place
      {2, 0, 0, 4, 0},                         // no analog inputs at all
      {1, 0, 40, 5, 0},     {5, 0, 0, 1, 0},   // index past the outputs, unknown kind
      {0, 0, 0, 0, 0},                         // a count below 1
  };
  for (const RangeCase& c : cases) {
    auto* block = Add<CBlockARRMXIV>(844, 9000 + m_nextRef++);
    block->m_nParam9 = c.kind;
    block->m_nParam10 = c.mode;
    block->m_nParam14 = c.first;
    block->m_nParam15 = c.count;
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_dValue, c.expected) << c.kind << "/" << c.mode << "/" << c.first << "/" << c.count;
  }
}

TEST_F(DataBlocksTest, OperandRangeCountFromItsReference) {
  Flag(0, 1);
  Flag(1, 50);
  auto* block = Add(844, 9000);
  block->m_nParam15 = 1;
  block->m_pRef[1] = Reference(99);  // held to 32
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_dValue, 50);
}

TEST_F(DataBlocksTest, RandomStaysBelowItsBound) {
  SeedRandom(1);
  auto* block = Add(846, 9000);
  for (int i = 0; i < 20; ++i) {
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_dValue, 0);
  }
  block->m_nParam10 = 10;
  bool varied = false;
  for (int i = 0; i < 50; ++i) {
    block->Simulate(&m_view);
    EXPECT_GE(block->m_dValue, 0);
    EXPECT_LT(block->m_dValue, 10);
    varied |= block->m_dValue != 0;
  }
  EXPECT_TRUE(varied);
  block->m_nParam10 = -4;  // a damaged bound counts as 1
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_dValue, 0);
}

struct BoxCase {
  int type;
  double value;
  const char16_t* text;
  int widthFactor;  // box width = factor * W / 2
};

TEST_F(DataBlocksTest, ValueBoxes) {
  const BoxCase cases[] = {
      {832, 4660, u"0x1234", 3}, {833, 12.7, u"12  ", 3}, {834, -3, u"-3    ", 3},
      {844, 42, u"42", 3},       {846, 9.9, u"9", 5},
  };
  for (const BoxCase& c : cases) {
    auto* block = Add(c.type, 9000 + m_nextRef++);
    block->m_ptPos = CPoint(100, 50);
    block->m_nWidth = 25;
    block->m_nHeight = 30;
    block->m_dValue = c.value;
    CRecordingDC dc;
    block->DrawValueBox(&dc, &m_view);
    const DCCall* text = dc.FindText(c.text);
    ASSERT_NE(text, nullptr) << c.type;
    EXPECT_EQ(text->rect.TopLeft(), CPoint(100, 82));
    EXPECT_EQ(text->font.lfHeight, 12);
    const auto fills = dc.CallsOfKind(DCCall::Kind::kFillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->rect, CRect(100, 82, 100 + c.widthFactor * 25 / 2, 94));
    EXPECT_EQ(fills[0]->fillColor, 0xCCFFFFu);
  }
}

TEST_F(DataBlocksTest, ValueBlocksDrawInBlackAndShowTheirValue) {
  auto* block = Add(832, 9000);
  WireWord(block, 0, 99);
  CRecordingDC dc;
  block->SimulateAndDraw(&m_view, &dc);
  EXPECT_EQ(block->m_dValue, 0x99);
  ASSERT_EQ(m_view.m_valueShows.size(), 1u);
  EXPECT_EQ(m_view.m_valueShows[0], block);
  EXPECT_NE(dc.FindText(u"0x0099"), nullptr);
}

}  // namespace
