#include "blocks/extended_blocks.h"

#include <gtest/gtest.h>

#include "blocks/ladder_blocks.h"
#include "blocks/value_block_fixture.h"
#include "model/block_eval.h"
#include "platform/recording_dc.h"

namespace {

class ExtendedBlocksTest : public ValueBlockTest {
 protected:
  ExtendedBlocksTest() {
    m_view.m_stScanTime = {2024, 1, 1, 1, 12, 0, 0, 0};
    m_view.m_stSimTime = m_view.m_stScanTime;
  }
  // Advances the simulated clock and the scan time by ms.
  void Advance(int ms) {
    m_view.m_stScanTime = AddMs(m_view.m_stScanTime, ms);
    m_view.m_stSimTime = m_view.m_stScanTime;
  }
};

struct EncoderCase {
  int on, off;
  bool referenced;
  int count;
  int expected;
};

TEST_F(ExtendedBlocksTest, EncoderThresholds) {
  // Counts are given as the state before one scan without a new step.
  const EncoderCase cases[] = {
      {10, 5, false, 9, 0},  {10, 5, false, 10, 1}, {10, 5, false, 4, 0},
      {5, 10, false, 4, 0},  {5, 10, false, 5, 1},  {5, 10, false, 9, 1},
      {5, 10, false, 10, 0}, {5, 10, true, 7, 1},   {5, 10, true, 12, 0},
  };
  for (const EncoderCase& c : cases) {
    auto* enc = Add(848, 9000 + m_nextRef++);
    if (c.referenced) {
      enc->m_pRef[0] = Reference(c.on);
      enc->m_pRef[1] = Reference(c.off);
    } else {
      enc->m_nParam10 = c.on;
      enc->m_nParam15 = c.off;
    }
    enc->m_dValue = c.count;
    enc->Simulate(&m_view);
    EXPECT_EQ(enc->m_nValue[kFirstOutputPin], c.expected) << c.on << "/" << c.off << " at " << c.count;
  }
}

TEST_F(ExtendedBlocksTest, EncoderHysteresisCountingAndReset) {
  auto* enc = Add(848, 9000);
  CBlockObj* r = Input(5, 0);
  Wire(enc, 0, r);
  CBlockObj* i0 = Input(0, 0);
  CBlockObj* i1 = Input(1, 0);
  enc->m_nParam10 = 3;
  enc->m_nParam15 = 2;
  enc->m_nParam8 = 1;
  auto step = [&] {
    i0->m_nValue[kFirstOutputPin] = 1;
    i1->m_nValue[kFirstOutputPin] = 1;
    enc->Simulate(&m_view);
    enc->Simulate(&m_view);  // held: no further step
    i1->m_nValue[kFirstOutputPin] = 0;
    enc->Simulate(&m_view);
  };
  step();
  step();
  EXPECT_EQ(enc->m_dValue, 2);
  EXPECT_EQ(enc->m_nValue[kFirstOutputPin], 0);
  step();
  EXPECT_EQ(enc->m_nValue[kFirstOutputPin], 1);
  enc->m_dValue = 2;  // between the thresholds the output stays
  enc->Simulate(&m_view);
  EXPECT_EQ(enc->m_nValue[kFirstOutputPin], 1);

  r->m_nValue[kFirstOutputPin] = 1;
  enc->Simulate(&m_view);
  EXPECT_EQ(enc->m_dValue, 1);
  EXPECT_EQ(enc->m_nValue[kFirstOutputPin], 0);

  r->m_nValue[kFirstOutputPin] = 0;
  enc->m_nParam20 = 1;  // the other pair (102, 103) is missing: nothing counts
  step();
  EXPECT_EQ(enc->m_dValue, 1);

  enc->m_nParam20 = 0;
  enc->m_dValue = 999999;
  step();
  EXPECT_EQ(enc->m_dValue, 999999);
}

TEST_F(ExtendedBlocksTest, LevelEnabledOutputFollowsEnWhenItChanges) {
  for (int type : {849, 851}) {
    auto* block = Add(type, 9000 + m_nextRef++);
    CBlockObj* en = Input(m_nextInput++, 1);
    Wire(block, 0, en);
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_nValue[kFirstOutputPin], 1);
    block->m_nValue[kFirstOutputPin] = 0;  // unchanged En leaves the output alone
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_nValue[kFirstOutputPin], 0);
    en->m_nValue[kFirstOutputPin] = 0;
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_nValue[kFirstOutputPin], 0);
    EXPECT_EQ(block->m_bChanged[0], 0);
  }
}

struct PeriodCase {
  int type;
  int mode;   // m_nParam10 of the motor
  int count;  // m_nParam20: steps or pulses
  int speed;  // m_nParam15: speed or width
  int periodMs;
};

TEST_F(ExtendedBlocksTest, EdgeTriggeredPeriods) {
  const PeriodCase cases[] = {
      {850, 0, 400, 250, 500},
      {850, 1, 400, 250, 1000},
      {852, 0, 50, 100, 100},
      {852, 0, 0, 100, 0},
  };
  for (const PeriodCase& c : cases) {
    auto* block = Add(c.type, 9000 + m_nextRef++);
    block->m_nParam10 = c.mode;
    block->m_nParam20 = c.count;
    block->m_nParam15 = c.speed;
    CBlockObj* trg = Input(m_nextInput++, 0);
    Wire(block, 0, trg);
    block->Simulate(&m_view);
    trg->m_nValue[kFirstOutputPin] = 1;
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_nValue[kFirstOutputPin], 1) << c.type;
    if (c.periodMs > 0) {
      Advance(c.periodMs - 25);
      block->Simulate(&m_view);
      EXPECT_EQ(block->m_nValue[kFirstOutputPin], 1) << c.type << " before " << c.periodMs;
      Advance(25);
    }
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_nValue[kFirstOutputPin], 0) << c.type << " at " << c.periodMs;
    EXPECT_EQ(block->m_dValue, c.periodMs);
  }
}

TEST_F(ExtendedBlocksTest, EdgeTriggeredResetAndPause) {
  auto* block = Add<CBlockPTOE>(852, 9000);
  block->m_nParam20 = 50;
  block->m_nParam15 = 100;
  CBlockObj* trg = Input(0, 0);
  CBlockObj* r = Input(1, 0);
  Wire(block, 0, trg);
  Wire(block, 1, r);
  block->Simulate(&m_view);
  trg->m_nValue[kFirstOutputPin] = 1;
  block->Simulate(&m_view);
  ASSERT_EQ(block->m_nValue[kFirstOutputPin], 1);

  // Suspended: the period test does not advance.
  block->m_stPause = m_view.m_stScanTime;
  Advance(500);
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nValue[kFirstOutputPin], 1);
  block->m_stPause = {};

  r->m_nValue[kFirstOutputPin] = 1;  // a rising R ends the period
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nValue[kFirstOutputPin], 0);
  trg->m_nValue[kFirstOutputPin] = 0;
  block->Simulate(&m_view);
  trg->m_nValue[kFirstOutputPin] = 1;  // ignored while R is 1
  block->Simulate(&m_view);
  EXPECT_EQ(block->m_nValue[kFirstOutputPin], 0);
}

TEST_F(ExtendedBlocksTest, LadderContactsFollowTheMotorOutput) {
  m_doc.m_nKind = kDocLadder;
  auto* block = Add(849, 9000);
  CBlockObj* contact = Add(700, 12000);
  contact->m_nOperand = 9000;
  contact->m_nValue[0] = 1;
  CBlockObj* en = Input(0, 1);
  Wire(block, 0, en);
  block->Simulate(&m_view);
  EXPECT_EQ(contact->m_nContactState, 1);
  EXPECT_EQ(contact->m_nValue[kFirstOutputPin], 1);
}

TEST_F(ExtendedBlocksTest, SegmentPatterns) {
  const int patterns[16] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07,
                            0x7F, 0x67, 0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71};
  for (int digit = 0; digit < 16; ++digit) {
    auto* seg = Add(853, 9000 + m_nextRef++);
    WireBit(seg, 0, 1);
    WireWord(seg, 1, 0x1230 + digit);
    seg->Simulate(&m_view);
    EXPECT_EQ(seg->m_dValue, patterns[digit]) << digit;
  }
  auto* seg = Add(853, 8999);
  CBlockObj* trg = Input(40, 1);
  Wire(seg, 0, trg);
  WireWord(seg, 1, 0x1234);
  seg->Simulate(&m_view);
  CRecordingDC dc;
  seg->DrawValueBox(&dc, &m_view);
  EXPECT_NE(dc.FindText(u"0x66"), nullptr);
  trg->m_nValue[kFirstOutputPin] = 0;
  seg->Simulate(&m_view);
  EXPECT_EQ(seg->m_dValue, 0);
}

TEST_F(ExtendedBlocksTest, WordToBit) {
  struct {
    int word;
    int bit;
    double ref;  // < 0: constant bit
    int expected;
  } const cases[] = {
      {0x8000, 15, -1, 1}, {0x8000, 14, -1, 0}, {0x0001, 0, -1, 1},
      {0x8000, 0, 20, 1},  {0x0004, 99, -1, 0}, {0x0004, 0, 2.7, 1},
  };
  for (const auto& c : cases) {
    auto* block = Add(854, 9000 + m_nextRef++);
    block->m_nParam10 = c.bit;
    if (c.ref >= 0) block->m_pRef[0] = Reference(c.ref);
    WireWord(block, 0, c.word);
    EXPECT_TRUE(block->Simulate(&m_view));
    EXPECT_EQ(block->m_nValue[kFirstOutputPin], c.expected) << c.word << " bit " << c.bit;
    EXPECT_FALSE(block->Simulate(&m_view));
  }
}

TEST_F(ExtendedBlocksTest, EncoderValueBox) {
  auto* enc = Add(848, 9000);
  enc->m_nWidth = 30;
  enc->m_dValue = 123;
  CRecordingDC dc;
  enc->SimulateAndDraw(&m_view, &dc);
  EXPECT_NE(dc.FindText(u"123    "), nullptr);
  EXPECT_EQ(dc.CallsOfKind(DCCall::Kind::kFillRect).back()->rect.Width(), 60);
  EXPECT_EQ(m_view.m_valueShows.size(), 1u);
}

}  // namespace
