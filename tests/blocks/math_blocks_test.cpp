#include "blocks/math_blocks.h"

#include <gtest/gtest.h>

#include <cmath>

#include "blocks/value_block_fixture.h"
#include "platform/recording_dc.h"

namespace {

using MathBlocksTest = ValueBlockTest;

struct MathCase {
  int type;
  int v;
  double param;  // divisor (m_nParam10), base or places (m_nParam11), or amplification (m_dParam)
  double expected;
};

// Which member a case's param sets.
void SetParam(CBlockObj* block, double param) {
  switch (block->m_nType) {
    case 862:
    case 863:
      block->m_nParam10 = static_cast<int>(param);
      break;
    case 871:
    case 872:
      block->m_nParam11 = static_cast<int>(param);
      break;
    default:
      block->m_dParam = param;
      break;
  }
}

TEST_F(MathBlocksTest, OneInputResults) {
  const MathCase cases[] = {
      // MOD and REM: signs and a constant divisor 0.
      {862, 7, 3, 1},
      {862, -7, 3, 2},
      {862, 7, -3, -2},
      {862, 6, -3, -3},
      {862, 5, 0, 5},
      {862, 0, 7, 0},
      {863, -7, 3, -1},
      {863, 7, -3, 1},
      {863, 5, 0, 5},
      {863, -32768, -1, 0},
      // SQRT, ABS.
      {865, 17, 1, 4},
      {865, -4, 1, -1},
      {865, 2, 100, 141},
      {865, 0, 5, 0},
      {865, 30000, 1000, 32767},
      {866, -5, 0, 5},
      {866, -32768, 0, -32768},
      // POW2 and EXP: real results, overflow by the amplification's sign.
      {869, 3, 1, 8},
      {869, -1, 1, 0.5},
      {869, 15, 1, 32767},
      {869, -15, 1, 0},
      {869, 15, -1, -32767},
      {869, 15, 0, 0},
      {869, 14, 4, 32767},
      {870, 11, 1, 32767},
      {870, -11, 1, 0},
      {870, 11, -2, -32767},
      // FIX and ROUND with k places.
      {871, 1234, 2, 1200},
      {871, -1234, 2, -1200},
      {871, 99, 2, 0},
      {871, 1234, 0, 1234},
      {871, 1234, 9, 0},
      {872, 1250, 2, 1300},
      {872, 1249, 2, 1200},
      {872, -1250, 2, -1300},
      {872, 50, 2, 100},
      {872, 49, 2, 0},
      {872, 32767, 1, -32766},
      {872, -49, 2, 0},
      {872, -50, 2, -100},
      // Trigonometry in degrees; poles give 32767 whatever the amplification.
      {873, 30, 1000, 499},
      {873, 180, 1000, 0},
      {873, -90, 1000, -1000},
      {874, 90, 1000, 0},
      {874, 60, 1000, 500},
      {874, -270, 1000, 0},
      {875, 90, 5, 32767},
      {875, -270, 5, 32767},
      {875, 180, 1000, 0},
      {875, 45, 100, 99},
      {875, 89, 1e9, 32767},
      {876, 0, 1, 32767},
      {876, 360, 1, 32767},
      {876, 45, 100, 100},
      {877, 90, 1, 32767},
      {877, 0, 100, 100},
      {877, 60, 100, 199},
      {878, 180, 1, 32767},
      {878, 0, 1, 32767},
      {878, 30, 100, 200},
      {878, 1, -1e9, -32767},
  };
  for (const MathCase& c : cases) {
    CBlockObj* block = Add(c.type, 9000 + m_nextRef++);
    SetParam(block, c.param);
    WireWord(block, 0, c.v);
    block->Simulate(&m_view);
    EXPECT_DOUBLE_EQ(block->m_dValue, c.expected) << c.type << " of " << c.v << ", " << c.param;
  }
}

TEST_F(MathBlocksTest, RealResultsKeepTheirFraction) {
  CBlockObj* exp = Add(870, 9000);
  WireWord(exp, 0, 1);
  exp->Simulate(&m_view);
  EXPECT_DOUBLE_EQ(exp->m_dValue, std::exp(1.0));
  CBlockObj* big = Add(870, 9001);
  WireWord(big, 0, 10);
  big->Simulate(&m_view);
  EXPECT_NEAR(big->m_dValue, 22026.4658, 1e-3);
  CRecordingDC dc;
  exp->DrawValueBox(&dc, &m_view);
  EXPECT_NE(dc.FindText(u"2"), nullptr);
}

struct LogCase {
  int base;
  double amp;
  int v;
  double expected;
};

TEST_F(MathBlocksTest, LogarithmBases) {
  const LogCase cases[] = {
      {1, 1, 1024, 10}, {1, 1, 8, 3},  {2, 100, 500, 269}, {0, 1, 100, 4},
      {2, 1, 0, 0},     {0, 1, -3, 0}, {2, 1e9, 2, 32767}, {7, 1, 100, 0},  // an unknown base gives 0
  };
  for (const LogCase& c : cases) {
    CBlockObj* block = Add(864, 9000 + m_nextRef++);
    block->m_nParam11 = c.base;
    block->m_dParam = c.amp;
    WireWord(block, 0, c.v);
    block->Simulate(&m_view);
    EXPECT_EQ(block->m_dValue, c.expected) << "base " << c.base << " of " << c.v;
  }
}

TEST_F(MathBlocksTest, TwoInputResults) {
  const MathCase cases[] = {
      {860, -3, 0, 1}, {860, 4, 0, 0},    {861, 0, 0, 1},       {861, -3, 0, 0},        {867, 12, 18, 6},
      {867, 0, 18, 0}, {867, -12, 18, 0}, {868, 300, 200, 600}, {868, 256, 255, 32767}, {868, 4, 0, 0},
  };
  for (const MathCase& c : cases) {
    CBlockObj* block = Add(c.type, 9000 + m_nextRef++);
    WireWord(block, 0, c.v);
    WireWord(block, 1, static_cast<int>(c.param));
    block->Simulate(&m_view);
    const double got = c.type <= 861 ? block->m_nValue[kFirstOutputPin] : block->m_dValue;
    EXPECT_EQ(got, c.expected) << c.type << " of " << c.v << ", " << c.param;
  }
}

TEST_F(MathBlocksTest, ReferencedParameters) {
  CBlockObj* mod = Add(862, 9000);
  WireWord(mod, 0, 5);
  mod->m_pRef[0] = Reference(0.0);
  mod->m_dValue = 3;
  EXPECT_FALSE(mod->Simulate(&m_view));
  EXPECT_EQ(mod->m_dValue, 0);
  EXPECT_EQ(mod->m_nChangeState, -1);  // nothing compared or remembered
  mod->m_pRef[0] = Reference(1e9);     // held to 32767
  mod->Simulate(&m_view);
  EXPECT_EQ(mod->m_dValue, 5);
  EXPECT_EQ(mod->m_nLastParam, 32767);

  CBlockObj* log = Add(864, 9001);
  WireWord(log, 0, 1024);
  log->m_pRef[0] = Reference(7.9);  // base held to 2 (10)
  log->Simulate(&m_view);
  EXPECT_EQ(log->m_dValue, 3);

  CBlockObj* fix = Add(871, 9002);
  WireWord(fix, 0, 1234);
  fix->m_nParam11 = 2;
  fix->m_pRef[0] = Reference(-3);  // places held to 0
  fix->Simulate(&m_view);
  EXPECT_EQ(fix->m_dValue, 1234);
}

TEST_F(MathBlocksTest, ChangeStateComparesTheClassOperands) {
  CBlockObj* block = Add(864, 9000);
  CBlockObj* x = Flag(0, 100);
  Wire(block, 0, x);
  EXPECT_TRUE(block->Simulate(&m_view));
  EXPECT_FALSE(block->Simulate(&m_view));
  EXPECT_EQ(block->m_nChangeState, 0);
  block->m_dParam = 2;  // the amplification is an operand of LOG
  EXPECT_TRUE(block->Simulate(&m_view));
  EXPECT_EQ(block->m_dLastParam, 2);
  block->m_nParam11 = 0;  // so is the base
  EXPECT_TRUE(block->Simulate(&m_view));
  EXPECT_EQ(block->m_nLastSelect, 0);
  x->m_nWordValue = 1000;
  EXPECT_TRUE(block->Simulate(&m_view));
  EXPECT_EQ(block->m_nLastInput, 1000);
  EXPECT_EQ(block->m_dValue, 13);
}

struct QuadCase {
  int a, b, c, root, y, r;
  double amp;
  double expected;
};

TEST_F(MathBlocksTest, QuadraticEquation) {
  const QuadCase cases[] = {
      {1, 0, 0, 0, 16, 0, 1, 4},    {1, 0, 0, 1, 16, 0, 1, -4},
      {1, 0, 0, 0, 0, 0, 1, 0},     {1, 0, 0, 0, -1, 0, 1, 0},
      {1, 0, 0, 0, 16, 1, 1, 0},    {1, 0, 0, 2, 16, 0, 1, 0},
      {1, -4, 4, 0, 0, 0, 1, 2},  // D = 0: b / (-2a)
      {1, 0, 0, 0, 16, 0, 2.5, 10}, {1, 0, 0, 0, 30000, 0, 1000, 32767},
      {0, 2, 4, 0, 10, 0, 1, 3},  // a = 0: the linear equation 2x + 4 = 10
      {0, 0, 4, 0, 10, 0, 1, 0},  // a = 0 and b = 0: no solution
  };
  for (const QuadCase& c : cases) {
    CBlockObj* block = Add(879, 9000 + m_nextRef++);
    block->m_nParam10 = c.a;
    block->m_nParam15 = c.b;
    block->m_nParam20 = c.c;
    block->m_nParam11 = c.root;
    block->m_dParam = c.amp;
    WireBit(block, 0, c.r);
    WireWord(block, 1, c.y);
    EXPECT_TRUE(block->Simulate(&m_view));
    EXPECT_EQ(block->m_dValue, c.expected) << c.a << "x2+" << c.b << "x+" << c.c << "=" << c.y;
    EXPECT_EQ(block->m_bChanged[0], 0);
    EXPECT_EQ(block->m_nChangeState, -1);
  }
}

TEST_F(MathBlocksTest, ValueBoxFormats) {
  struct {
    int type;
    double value;
    const char16_t* text;
    int factor;
  } const cases[] = {
      {862, -3, u"-3    ", 3},
      {871, 1200, u"1200", 3},
      {869, 0.5, u"0", 5},
      {879, -4.9, u"-4", 5},
  };
  for (const auto& c : cases) {
    CBlockObj* block = Add(c.type, 9000 + m_nextRef++);
    block->m_nWidth = 30;
    block->m_dValue = c.value;
    CRecordingDC dc;
    block->DrawValueBox(&dc, &m_view);
    EXPECT_NE(dc.FindText(c.text), nullptr) << c.type;
    ASSERT_EQ(dc.CallsOfKind(DCCall::Kind::kFillRect).size(), 1u);
    EXPECT_EQ(dc.CallsOfKind(DCCall::Kind::kFillRect)[0]->rect.Width(), c.factor * 30 / 2);
  }
}

}  // namespace
