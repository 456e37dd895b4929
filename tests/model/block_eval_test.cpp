#include "model/block_eval.h"

#include <gtest/gtest.h>

#include <vector>

#include "blocks/analog_blocks.h"
#include "blocks/block_factory.h"
#include "blocks/block_values.h"
#include "blocks/counter_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "support/diagram_builder.h"
#include "support/sim_time.h"

namespace {

TEST(BlockEvalTest, SetInputNegatesAndReadsOpenInputsByGate) {
  struct Case {
    int type;
    int invert;
    int value;
    int expected;
  };
  const Case cases[] = {
      // Open inputs: 1 at AND, AND(Edge), NAND, NAND(Edge) and NOT; 0 elsewhere; negation flips.
      {300, 0, LINK_OPEN, 1},
      {301, 0, LINK_OPEN, 1},
      {302, 0, LINK_OPEN, 1},
      {303, 0, LINK_OPEN, 1},
      {307, 0, LINK_OPEN, 1},
      {304, 0, LINK_OPEN, 0},
      {305, 0, LINK_OPEN, 0},
      {306, 0, LINK_OPEN, 0},
      {605, 0, LINK_OPEN, 0},
      {300, 1, LINK_OPEN, 0},
      {304, 1, LINK_OPEN, 1},
      {400, 1, LINK_OPEN, 1},
      // Wired values are negated by the pin's flag.
      {300, 0, 1, 1},
      {300, 1, 1, 0},
      {304, 1, 0, 1},
      {605, 0, 0, 0},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CBlockObj> b = MakeBlockOfType(c.type);  // the gate's class decides
    b->m_bInvert[1] = c.invert;
    b->SetInput(1, c.value);
    EXPECT_EQ(b->m_nValue[1], c.expected) << c.type << " inv " << c.invert << " value " << c.value;
  }
  CBlockObj b(300, 2);
  b.SetInput(-1, 1);  // out-of-range pins are ignored
  b.SetInput(kPinCount, 1);
}

TEST(BlockEvalTest, ReadInputsFollowsLinksAndStopsAtTheFirstNonDigitalPin) {
  CDiagramBuilder d;
  CBlockObj* in = d.Add(600);
  CBlockObj* timer = d.Add(400);  // pin 0 digital, pin 1 parameter
  in->m_nValue[kFirstOutputPin] = 1;
  CDiagramBuilder::Wire(in, timer, 0);
  timer->m_nValue[1] = 7;
  timer->ReadInputs(&d.View());
  EXPECT_EQ(timer->m_nValue[0], 1);
  EXPECT_EQ(timer->m_bChanged[0], 1);
  EXPECT_EQ(timer->m_nValue[1], 7);  // parameter pin untouched

  timer->ReadInputs(&d.View());
  EXPECT_EQ(timer->m_bChanged[0], 0);  // same value: no change

  // A link that names no block reads as an open input.
  CBlockObj* gate = d.Add(300);
  gate->m_nSource[0] = 9999;
  gate->m_nSource[1] = in->m_nNumber;
  gate->ReadInputs(&d.View());
  EXPECT_EQ(gate->m_nValue[0], 1);
  EXPECT_EQ(gate->m_nValue[1], 1);
  EXPECT_EQ(gate->m_nValue[2], 1);
}

TEST(BlockEvalTest, CombineInputsFoldsUntilTheParameterSlot) {
  struct Case {
    std::vector<int> values;
    int seed;
    int flags;
    int invertOutput;
    int expected;
    int accAfter;
  };
  const Case cases[] = {
      {{1, 1, 1}, 1, 1, 0, 1, 1}, {{1, 0, 1}, 1, 1, 0, 0, 0}, {{1, 0, 1}, 1, 1, 1, 1, 0},
      {{0, 0, 0}, 0, 2, 0, 0, 0}, {{0, 1, 0}, 0, 2, 1, 0, 1}, {{1, 1, 0}, 0, 4, 0, 0, 0},
      {{1, 0, 0}, 0, 4, 0, 1, 1}, {{1, 0, 1}, 5, 0, 0, 5, 5},  // no flag: accumulator left alone
      {{1, 1, 1}, 1, 3, 0, 1, 1},                              // bit 1 wins over bit 2
  };
  for (const Case& c : cases) {
    CBlockObj b(300, 4);
    for (size_t i = 0; i < c.values.size(); ++i) b.m_nValue[i] = c.values[i];
    b.m_nSource[3] = LINK_PARAM;
    b.m_nValue[3] = 0;  // behind the parameter slot: never combined
    b.m_bInvert[kFirstOutputPin] = c.invertOutput;
    int acc = c.seed;
    EXPECT_EQ(b.CombineInputs(&acc, c.flags), c.expected) << "flags " << c.flags;
    EXPECT_EQ(acc, c.accAfter);
  }
}

TEST(BlockEvalTest, TimingHelpersMeasureAgainstTheScanTimeAcrossDateBoundaries) {
  struct Case {
    SYSTEMTIME start;
    SYSTEMTIME scan;
    double elapsed;
  };
  const Case cases[] = {
      {SimTime(2026, 1, 5, 23, 59, 59, 975), SimTime(2026, 1, 6, 0, 0, 0, 25), 50},    // midnight
      {SimTime(2026, 1, 31, 23, 59, 59, 0), SimTime(2026, 2, 1, 0, 0, 1, 0), 2000},    // month end
      {SimTime(2024, 2, 28, 23, 0, 0, 0), SimTime(2024, 3, 1, 0, 0, 0, 0), 90000000},  // leap day
      {SimTime(2025, 12, 31, 23, 59, 59, 990), SimTime(2026, 1, 1, 0, 0, 0, 0), 10},   // year end
  };
  for (const Case& c : cases) {
    CFakeViewContext view;
    view.m_stScanTime = c.scan;
    CBlockObj b(400, 2);
    b.m_stStart = c.start;
    b.m_stIntervalStart = c.start;
    EXPECT_TRUE(b.IsTimeElapsed(&view, c.elapsed));
    EXPECT_DOUBLE_EQ(b.m_dValue, c.elapsed);
    EXPECT_FALSE(b.IsTimeElapsed(&view, c.elapsed + 1));
    EXPECT_TRUE(b.IsWithinInterval(&view, static_cast<int>(c.elapsed)));
    EXPECT_FALSE(b.IsWithinInterval(&view, static_cast<int>(c.elapsed) - 1));
  }
}

TEST(BlockEvalTest, TimingHelpersHoldWhilePausedAndClearLatchesOnlyAsTheyShould) {
  CFakeViewContext view;
  view.m_stScanTime = SimTime(2026, 3, 1, 10, 0, 1, 0);
  CBlockObj b(400, 2);
  b.m_stStart = b.m_stIntervalStart = SimTime(2026, 3, 1, 10, 0, 0, 0);

  // Not advancing (suspended): the elapsed time is measured but latch 1 stays.
  view.m_nRunState = SIM_SUSPENDED;
  b.m_nLatch1 = b.m_nLatch2 = 1;
  EXPECT_TRUE(b.IsTimeElapsed(&view, 1000));
  EXPECT_EQ(b.m_nLatch1, 1);
  EXPECT_TRUE(b.IsWithinInterval(&view, 1000));
  EXPECT_EQ(b.m_nLatch2, 0);

  // Stepping by cycles does not count as advancing; by seconds it does.
  view.m_nRunState = SIM_RUNNING;
  view.m_nStepState = SIM_STEP_STEPPING;
  view.m_nStepUnit = SIM_UNIT_CYCLES;
  b.IsTimeElapsed(&view, 0);
  EXPECT_EQ(b.m_nLatch1, 1);
  view.m_nStepUnit = SIM_UNIT_SECONDS;
  b.IsTimeElapsed(&view, 0);
  EXPECT_EQ(b.m_nLatch1, 0);

  // Paused: the same answer on every call, the value kept, the interval reads 0.
  b.m_stPause = SimTime(2026, 3, 1, 10, 0, 1, 0);
  b.m_nLatch1 = b.m_nLatch2 = 1;
  view.m_stScanTime = SimTime(2026, 3, 1, 11, 0, 0, 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(b.IsTimeElapsed(&view, 1000));
    EXPECT_FALSE(b.IsTimeElapsed(&view, 1001));
  }
  EXPECT_DOUBLE_EQ(b.m_dValue, 1000);
  EXPECT_TRUE(b.IsWithinInterval(&view, 0));
  EXPECT_EQ(b.m_nLatch1, 1);
  EXPECT_EQ(b.m_nLatch2, 1);
}

// Runs the walk the way the amplifier starts it and reports m_bLoop.
int WalkFrom(CDiagramBuilder& d, CBlockObj* b) {
  b->m_bLoop = 0;
  b->m_pWalkStart = b;
  int count = 0;
  b->WalkConnections(&d.View(), b, b->m_nFirstLinkedPin, &count);
  return b->m_bLoop;
}

TEST(BlockEvalTest, WalkConnectionsFindsLoopsThroughConnectorPairs) {
  CDiagramBuilder d;
  CBlockObj* a = d.Add(300);
  CBlockObj* b = d.Add(304);
  CBlockObj* c = d.Add(306);
  CDiagramBuilder::Wire(a, b, 0);
  CDiagramBuilder::Wire(b, c, 1);
  EXPECT_EQ(WalkFrom(d, c), 0);  // chain without feedback
  EXPECT_EQ(WalkFrom(d, a), 0);  // no linked pin at all

  CDiagramBuilder::Wire(b, a, 2);  // A feeds B feeds A
  EXPECT_EQ(WalkFrom(d, a), 1);
  EXPECT_EQ(WalkFrom(d, b), 1);
  EXPECT_EQ(WalkFrom(d, c), 0);  // C sits downstream of the loop

  // C feeds A through a connector pair: female (A's source) -> male <- C.
  CBlockObj* male = d.Add(900);
  CBlockObj* female = d.Add(901);
  ASSERT_EQ(female->m_nNumber, male->m_nNumber + 2000);
  CDiagramBuilder::Wire(c, male, 0);
  CDiagramBuilder::Wire(female, a, 3);
  a->m_nSource[2] = LINK_OPEN;  // break the direct loop
  a->m_nFirstLinkedPin = 3;
  EXPECT_EQ(WalkFrom(d, c), 1);

  // A female whose male is missing, and a link to no block, end their branch.
  male->m_nNumber = 4999;
  EXPECT_EQ(WalkFrom(d, c), 0);
  a->m_nSource[3] = 12345;
  EXPECT_EQ(WalkFrom(d, a), 0);
}

TEST(BlockEvalTest, WalkConnectionsStopsWhenItTakesMoreStepsThanBlocks) {
  // A ladder of diamonds: every gate reads the previous gate on all four
  // inputs, so the walk revisits far more often than there are blocks, and it
  // must end without reporting a loop.
  CDiagramBuilder d;
  std::vector<CBlockObj*> gates;
  for (int i = 0; i < 12; ++i) gates.push_back(d.Add(304));
  for (size_t i = 1; i < gates.size(); ++i) {
    for (int pin = 0; pin < 4; ++pin) CDiagramBuilder::Wire(gates[i - 1], gates[i], pin);
  }
  CBlockObj* last = gates.back();
  last->m_bLoop = 0;
  last->m_pWalkStart = last;
  int count = 0;
  last->WalkConnections(&d.View(), last, 0, &count);
  EXPECT_EQ(last->m_bLoop, 0);
  EXPECT_LE(count, 12 * 5);
  EXPECT_GE(count, static_cast<int>(gates.size()));
}

TEST(BlockEvalTest, CopyToCarriesSettingsAndTheNewerSeriesExtras) {
  CDiagramBuilder d;
  auto* src = d.Add(800);  // counter: m_nParam8 is a newer-series extra
  CBlockObj* ref = d.Add(600);
  src->m_strName = u"CNT";
  src->m_nParam1 = 1;
  src->m_nParam8 = 77;
  src->m_nParam4 = 5;
  src->m_nParam26 = 3;
  src->m_pRef[0] = ref;
  src->m_pRef[2] = ref;
  src->m_bUseRef[0] = 1;
  src->m_ptPos = CPoint(40, 60);
  src->m_nSource[0] = 123;
  src->m_bInvert[0] = 1;

  struct Case {
    WORD model;
    BOOL geometry;
    int param8;
  };
  for (const Case& c : {Case{0x5188, TRUE, 77}, Case{0x2188, FALSE, 0}}) {
    d.Doc().m_wModelCode = c.model;
    auto target = MakeBlockOfType(800);
    src->CopyTo(target.get(), c.geometry, &d.Doc());
    EXPECT_EQ(target->m_nNumber, src->m_nNumber);
    EXPECT_EQ(target->m_strName, CString(u"CNT"));
    EXPECT_EQ(target->m_nParam1, 1);
    EXPECT_EQ(target->m_nParam26, 3);
    EXPECT_EQ(target->m_pRef[0], ref);
    EXPECT_EQ(target->m_bUseRef[0], 1);
    EXPECT_EQ(target->m_pRef[2], nullptr);  // references 2 and 3 only for SLS, AMATH, AMUX
    EXPECT_EQ(target->m_nParam4, 0);        // not a counter extra
    EXPECT_EQ(target->m_nParam8, c.param8);
    EXPECT_EQ(target->m_bInvert[0], 0);  // negation flags are never copied
    EXPECT_EQ(target->m_ptPos, c.geometry ? CPoint(40, 60) : CPoint());
    EXPECT_EQ(target->m_nSource[0], c.geometry ? 123 : LINK_OPEN);
  }
  src->CopyTo(nullptr, TRUE, &d.Doc());  // no target: nothing happens
}

TEST(BlockEvalTest, FormatTimeTextShowsTheElapsedTimeInThePhaseBase) {
  struct Case {
    int type;
    double ms;
    int base1;
    int base2;
    int timing;
    int presetShown;
    const char16_t* text;
  };
  const Case cases[] = {
      {400, 0, 1, 2, 0, 0, u"00:00m"},     {400, 3723000, 0, 2, 0, 0, u"01:02h"},
      {401, 12340, 2, 0, 0, 0, u"12:34s"}, {402, 61000, 1, 2, 0, 1, u"61:00s"},  // off phase done: second
      {402, 61000, 1, 2, 1, 1, u"01:01m"}, {408, 1500, 0, 2, 0, 0, u"01:50s"},   // stairway: second
      {400, 59999, 1, 2, 0, 0, u"00:59m"},
  };
  for (const Case& c : cases) {
    auto b = MakeBlockOfType(c.type);
    auto* t = static_cast<CBlockTime*>(b.get());
    t->m_dValue = c.ms;
    t->m_nParam11 = c.base1;
    t->m_nParam16 = c.base2;
    t->m_bTiming = c.timing;
    t->m_bPresetShown = c.presetShown;
    CString out(u"unchanged");
    t->FormatTimeText(nullptr, &out);
    EXPECT_EQ(out, CString(c.text)) << c.type << " " << c.ms;
  }

  // The weekly and yearly timers show the simulated clock as the frame formats it.
  CFakeViewContext view;
  view.m_strFormattedTime = u"Jan 5, 2026";
  for (int type : {410, 411}) {
    auto b = MakeBlockOfType(type);
    CString out;
    b->FormatTimeText(&view, &out);
    EXPECT_EQ(out, CString(u"Jan 5, 2026"));
  }
  // Blocks without a time text leave it alone.
  for (int type : {300, 413, 600}) {
    auto b = MakeBlockOfType(type);
    CString out(u"x");
    b->FormatTimeText(&view, &out);
    EXPECT_EQ(out, CString(u"x")) << type;
  }
}

TEST(BlockEvalTest, GetValueReportsTheValueOfTheBlockPassed) {
  CDiagramBuilder d;
  auto* comp = d.Add<CBlockAnalog>(803);
  comp->m_nResult = -42;
  CBlockObj* counter = d.Add(800);
  counter->m_dValue = 17;
  CBlockObj* onDelay = d.Add(400);
  onDelay->m_dValue = 2500;  // base 2 (default): 250 hundredths
  CBlockObj* stairs = d.Add(408);
  stairs->m_dValue = 3000;
  stairs->m_nParam16 = 1;  // second base: seconds
  CBlockObj* gate = d.Add(300);
  gate->m_dValue = 9;

  struct Case {
    CBlockObj* block;
    double expected;
  };
  const Case cases[] = {{comp, -42}, {counter, 17}, {onDelay, 250}, {stairs, 3}, {gate, -1}, {nullptr, -1}};
  for (const Case& c : cases) {
    double out = -1;
    ReadReferencedValue(c.block, &out);
    EXPECT_DOUBLE_EQ(out, c.expected);
  }
}

TEST(BlockEvalTest, GetInputWordReadsTheLinkedElement) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* user = d.Add(609);
  auto* amp = d.Add<CBlockAnalog>(805);
  amp->m_nResult = 0x12345;  // low 16 bits
  CBlockObj* ai = d.Add(608);
  ai->m_nWordValue = -7;
  CBlockObj* math = d.Add(834);
  math->m_dValue = -3.9;
  CBlockObj* big = d.Add(835);
  big->m_dValue = 70000.5;
  CBlockObj* contactOwn = d.Add(702);
  contactOwn->m_nOperand = 4001;
  contactOwn->m_nWordValue = 321;
  CBlockObj* aout = d.Add(705);
  aout->m_nWordValue = 55;
  CBlockObj* contactOut = d.Add(702);
  contactOut->m_nOperand = aout->m_nNumber;
  CBlockObj* contactMissing = d.Add(702);
  contactMissing->m_nOperand = 30000;

  struct Case {
    int source;
    short expected;
  };
  const Case cases[] = {{LINK_OPEN, 0},
                        {31999, 0},
                        {amp->m_nNumber, 0x2345},
                        {ai->m_nNumber, -7},
                        {math->m_nNumber, -3},
                        {big->m_nNumber, static_cast<short>(70000 & 0xFFFF)},
                        {contactOwn->m_nNumber, 321},
                        {contactOut->m_nNumber, 55},
                        {contactMissing->m_nNumber, 0}};
  for (const Case& c : cases) {
    user->m_nSource[0] = c.source;
    short viaDoc = 99, viaView = 99;
    user->GetInputWord(&viaDoc, 0, &d.Doc());
    user->GetInputWord(&viaView, 0, &d.View());
    EXPECT_EQ(viaDoc, c.expected) << c.source;
    EXPECT_EQ(viaView, c.expected) << c.source;
  }
}

TEST(BlockEvalTest, PropagateToContactsMovesMakeAndBreakContacts) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* gate = d.Add(300);
  CBlockObj* make = d.Add(700);
  CBlockObj* brk = d.Add(701);
  CBlockObj* idle = d.Add(700);  // input 0: keeps its output
  for (CBlockObj* c : {make, brk, idle}) c->m_nOperand = gate->m_nNumber;
  make->m_nValue[0] = brk->m_nValue[0] = 1;
  idle->m_nValue[kFirstOutputPin] = 1;

  gate->m_nValue[kFirstOutputPin] = 1;
  gate->PropagateToContacts(&d.Doc());
  EXPECT_EQ(make->m_nContactState, 1);
  EXPECT_EQ(make->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(brk->m_nContactState, 0);
  EXPECT_EQ(brk->m_nValue[kFirstOutputPin], 0);

  gate->m_nValue[kFirstOutputPin] = 0;
  gate->PropagateToContacts(&d.Doc());
  EXPECT_EQ(make->m_nValue[kFirstOutputPin], 0);
  EXPECT_EQ(brk->m_nContactState, 1);
  EXPECT_EQ(brk->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(idle->m_nContactState, 0);
  EXPECT_EQ(idle->m_nValue[kFirstOutputPin], 1);
  gate->PropagateToContacts(nullptr);
}

TEST(BlockEvalTest, NumberHelpers) {
  struct Bcd {
    int in;
    int out;
  };
  for (const Bcd& c : {Bcd{1234, 0x1234}, Bcd{0, 0}, Bcd{9999, 0x9999}, Bcd{907, 0x0907}})
    EXPECT_EQ(CBlockObj::ToBcd(c.in), c.out) << c.in;
  for (const Bcd& c :
       {Bcd{0x1234, 1234}, Bcd{0x12A4, 0}, Bcd{0xA000, 0}, Bcd{-5, 0}, Bcd{0x10000, 9999}, Bcd{0x0909, 909}})
    EXPECT_EQ(CBlockObj::FromBcd(c.in), c.out) << c.in;

  struct Pair {
    int a;
    int b;
    int gcd;
    int lcm;
  };
  for (const Pair& c : {Pair{12, 18, 6, 36}, Pair{7, 13, 1, 91}, Pair{100, 10, 10, 100}, Pair{5, 0, 5, 0}}) {
    EXPECT_EQ(Gcd(c.a, c.b), c.gcd) << c.a << "," << c.b;
    EXPECT_EQ(CBlockObj::Lcm(c.a, c.b), c.lcm) << c.a << "," << c.b;
  }
  EXPECT_EQ(CBlockObj::Lcm(65536, 65537), static_cast<int>(static_cast<uint32_t>(65536LL * 65537LL)));

  struct Split {
    double ms;
    int base;
    int high;
    int low;
  };
  for (const Split& c : {Split{3723000, 0, 1, 2}, Split{12340, 2, 12, 34}, Split{61999, 1, 1, 1},
                         Split{5, 2, 0, 0}, Split{1e300, 2, 21474836, 47}, Split{100, 7, 0, 10}}) {
    int high = -1, low = -1;
    CBlockObj::SplitTimeValue(c.ms, c.base, &high, &low);
    EXPECT_EQ(high, c.high) << c.ms;
    EXPECT_EQ(low, c.low) << c.ms;
  }

  EXPECT_DOUBLE_EQ(TimePresetMs(1, 30, 1), 90000);
  EXPECT_DOUBLE_EQ(TimePresetMs(2, 5, 2), 2050);
  EXPECT_DOUBLE_EQ(ReferencedPresetMs(7000, 1), 5999000);
  EXPECT_DOUBLE_EQ(ReferencedPresetMs(250, 2), 250);
  EXPECT_DOUBLE_EQ(ReferencedPresetMs(-3, 0), 0);
  EXPECT_EQ(LowWord(-1.5), -1);
  EXPECT_EQ(LowWord(65537.9), 1);
  EXPECT_EQ(LowWord(1e30), LowWord(9.2e18));
}

TEST(BlockEvalTest, BuildFormulaTextPlacesParenthesesByPriority) {
  struct Case {
    int p1, p2, p3;
    const char16_t* text;
  };
  const Case cases[] = {
      {2, 1, 0, u"((12+3)*4)-5"}, {2, 0, 1, u"(12+3)*(4-5)"}, {2, 0, 0, u"(12+3)*4-5"},
      {0, 2, 1, u"12+((3*4)-5)"}, {1, 2, 0, u"(12+(3*4))-5"}, {0, 2, 0, u"12+(3*4)-5"},
      {1, 0, 2, u"(12+3)*(4-5)"}, {0, 1, 2, u"12+(3*(4-5))"}, {0, 0, 2, u"12+3*(4-5)"},
      {0, 0, 0, u"12+3*4-5"},
  };
  CDiagramBuilder d;
  CBlockObj* amath = d.Add(815);
  amath->m_nParam10 = 12;
  amath->m_nParam15 = 3;
  amath->m_nParam20 = 4;
  amath->m_nParam22 = 5;
  amath->m_nParam9 = 0;
  amath->m_nParam14 = 2;
  amath->m_nParam19 = 1;
  for (const Case& c : cases) {
    amath->m_nParam11 = c.p1;
    amath->m_nParam16 = c.p2;
    amath->m_nParam21 = c.p3;
    std::vector<CString> parts(16);
    CString out;
    DYNAMIC_DOWNCAST(CBlockAMATH, amath)->BuildFormulaText(&out, &parts);
    EXPECT_EQ(out, CString(c.text)) << c.p1 << c.p2 << c.p3;
    EXPECT_EQ(parts.size(), 20u);
  }
  // Negative values and an operator index without a character.
  amath->m_nParam11 = amath->m_nParam16 = amath->m_nParam21 = 0;
  amath->m_nParam10 = -8;
  amath->m_nParam14 = 9;
  std::vector<CString> parts(16);
  CString out;
  DYNAMIC_DOWNCAST(CBlockAMATH, amath)->BuildFormulaText(&out, &parts);
  EXPECT_EQ(out, CString(u"-8+3"));

  // The formula belongs to the analog math class alone.
  EXPECT_EQ(DYNAMIC_DOWNCAST(CBlockAMATH, d.Add(300)), nullptr);
}

}  // namespace
