#include "editor/scan_driver.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

#include "blocks/analog_blocks.h"
#include "blocks/counter_blocks.h"
#include "blocks/logic_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_eval.h"
#include "platform/ms_clock.h"
#include "support/diagram_builder.h"
#include "support/sim_time.h"

namespace {

const SYSTEMTIME kStart = SimTime(2026, 1, 5, 10, 0, 0, 0, 1);

class CRecordingSink : public CSimBarSink {
 public:
  std::vector<CBlockObj*> inputs, outputs;
  void UpdateInputControl(CBlockObj* b) override { inputs.push_back(b); }
  void UpdateOutputControl(CBlockObj* b) override { outputs.push_back(b); }
};

struct ScanRig {
  CDiagramBuilder d;
  CScanDriver driver{&d.Doc()};
  CRecordingSink sink;
  explicit ScanRig(int kind = kDocFbd) : d(kind) { driver.SetSink(&sink); }
  void Enter() { driver.EnterSimulation(kStart); }
};

TEST(ScanDriverTest, SortsBlocksIntoEvaluationOrder) {
  ScanRig r;
  CBlockObj* q = r.d.Add(605);
  CBlockObj* b1 = r.d.Add(300);
  CBlockObj* male = r.d.Add(900);
  CBlockObj* female = r.d.Add(901);
  CBlockObj* m = r.d.Add(607);
  CBlockObj* b0 = r.d.Add(304);
  CBlockObj* x = r.d.Add(606);
  CBlockObj* aq = r.d.Add(609);
  CBlockObj* i2 = r.d.Add(600);
  CBlockObj* am = r.d.Add(610);
  CBlockObj* hi = r.d.Add(604);
  CBlockObj* i1 = r.d.Add(600);
  CBlockObj* odd = r.d.Add(601);
  b0->m_nNumber = 9000;  // the later gate takes the lower number
  b1->m_nNumber = 9001;
  i2->m_nNumber = 101;
  i1->m_nNumber = 100;
  CScanDriver::SortBlocksForSimulation(&r.d.Doc());
  std::vector<CBlockObj*> order(r.d.Doc().m_blocks.begin(), r.d.Doc().m_blocks.end());
  const std::vector<CBlockObj*> expected = {i1, i2, hi, b0, b1, q, m, aq, am, x, male, female, odd};
  EXPECT_EQ(order, expected);
  EXPECT_TRUE(r.d.Doc().m_sortList.empty());
}

TEST(ScanDriverTest, ClockTicksBy25MsWithFullCarries) {
  struct Case {
    SYSTEMTIME from;
    SYSTEMTIME to;
  };
  const Case cases[] = {
      {SimTime(2026, 1, 5, 10, 0, 0, 990, 1), SimTime(2026, 1, 5, 10, 0, 1, 0, 1)},
      {SimTime(2025, 12, 31, 23, 59, 59, 975, 3), SimTime(2026, 1, 1, 0, 0, 0, 0, 4)},
      {SimTime(2024, 2, 29, 23, 59, 59, 975, 4), SimTime(2024, 3, 1, 0, 0, 0, 0, 5)},
      {SimTime(2026, 1, 5, 10, 0, 0, 100, 1), SimTime(2026, 1, 5, 10, 0, 0, 125, 1)},
  };
  for (const Case& c : cases) {
    ScanRig r;
    r.driver.EnterSimulation(c.from);
    r.driver.Tick();
    const SYSTEMTIME t = r.driver.GetSimulatedTime();
    const SYSTEMTIME want = c.to;
    EXPECT_EQ(SystemTimeToMs(&t), SystemTimeToMs(&want));
    EXPECT_EQ(t.wDayOfWeek, want.wDayOfWeek);
  }

  // Ticks posted from another thread are applied at the start of the next scan.
  ScanRig r;
  r.Enter();
  r.driver.PostTick();
  r.driver.PostTick();
  r.driver.Scan();
  EXPECT_EQ(MsBetween(kStart, r.driver.GetScanTime()), 50);
}

// Timer events late or lost under load: each event owes the ticks of the wall
// time since the previous one, within a bound; the rest under a tick waits.
TEST(ScanDriverTest, TimerEventsOweTheTicksOfTheWallTime) {
  struct Step {
    LONGLONG elapsedMs;
    int ticks;
  };
  const Step steps[] = {
      {25, 1},                                // on time
      {24, 1},                                // a little early still counts
      {10, 0},                                // 9 ms owed
      {40, 2},                                // 49 owed: two ticks (one millisecond early)
      {76, 3},                                // three ticks late
      {5000, CScanDriver::kMaxCatchUpTicks},  // a stall is not made up beyond the bound
      {25, 1},                                // and the pace afterwards is the wall clock's again
      {0, 0},                                 // an event with no time between
      {-5, 0},                                // a clock that went back owes nothing
  };
  ScanRig r;
  EXPECT_EQ(r.driver.TakeOwedTicks(100), 0) << "nothing is owed outside simulation";
  r.Enter();
  for (const Step& s : steps) EXPECT_EQ(r.driver.TakeOwedTicks(s.elapsedMs), s.ticks) << s.elapsedMs;

  // Each owed tick runs with its own scan: an on-delay of 1 s driven by late
  // events turns on when the wall time reaches it, not 40 events later.
  ScanRig t;
  CBlockObj* in = t.d.Add(600);
  CBlockObj* delay = t.d.Add(400);
  delay->m_nParam10 = 1, delay->m_nParam9 = 0, delay->m_nParam11 = 2;  // 1.00 s
  delay->m_nSource[0] = in->m_nNumber;
  t.Enter();
  in->m_nValue[kFirstOutputPin] = 1;
  int events = 0;
  while (delay->m_nValue[kFirstOutputPin] == 0 && events < 40) {
    t.driver.Run(t.driver.TakeOwedTicks(100));  // every event four ticks late, as the window runs them
    ++events;
  }
  EXPECT_EQ(events, 11);  // 1025 ms of simulated time: the eleventh event of 100 ms
  EXPECT_EQ(MsBetween(kStart, t.driver.GetSimulatedTime()), 1100);
}

TEST(ScanDriverTest, WiredChainRunsScanByScanAndReportsOutputs) {
  // I1 -> AND (two inputs open) -> Q1, and I1 -> NOT -> flag M1 with the AND's output.
  ScanRig r;
  CBlockObj* in = r.d.Add(600);
  auto* gate = r.d.Add<CBlockLogic>(300);
  auto* inverter = r.d.Add<CBlockLogic>(307);
  CBlockObj* q = r.d.Add(605);
  CBlockObj* flag = r.d.Add(607);
  CDiagramBuilder::Wire(in, gate, 0);
  CDiagramBuilder::Wire(in, gate, 1);
  CDiagramBuilder::Wire(gate, q, 0);
  CDiagramBuilder::Wire(in, inverter, 0);
  CDiagramBuilder::Wire(inverter, flag, 0);
  r.Enter();

  struct Step {
    int input;
    int q;
    int flag;
    size_t reports;
  };
  const Step steps[] = {{0, 0, 1, 0}, {1, 1, 0, 1}, {1, 1, 0, 1}, {0, 0, 1, 2}};
  for (const Step& s : steps) {
    in->m_nValue[kFirstOutputPin] = s.input;
    r.driver.Run(1);
    EXPECT_EQ(q->m_nValue[kFirstOutputPin], s.q);
    EXPECT_EQ(flag->m_nValue[kFirstOutputPin], s.flag);
    EXPECT_EQ(r.sink.outputs.size(), s.reports);
  }
}

TEST(ScanDriverTest, ChainNumberedAgainstTheFlowReactsOneScanLater) {
  for (bool against : {false, true}) {
    ScanRig r;
    CBlockObj* in = r.d.Add(600);
    auto* first = r.d.Add<CBlockLogic>(304);
    auto* second = r.d.Add<CBlockLogic>(304);
    if (against) std::swap(first->m_nNumber, second->m_nNumber);
    CDiagramBuilder::Wire(in, first, 0);
    CDiagramBuilder::Wire(first, second, 0);
    r.Enter();
    in->m_nValue[kFirstOutputPin] = 1;
    r.driver.Run(1);
    EXPECT_EQ(second->m_nValue[kFirstOutputPin], against ? 0 : 1);
    r.driver.Run(1);
    EXPECT_EQ(second->m_nValue[kFirstOutputPin], 1);
  }
}

TEST(ScanDriverTest, PausesAndClockJumpsDoNotCountAsElapsedTime) {
  ScanRig r;
  auto* gate = r.d.Add<CBlockLogic>(300);
  CBlockObj* in = r.d.Add(600);
  r.Enter();
  r.driver.Run(4);  // 100 ms running
  gate->m_stStart = r.driver.GetSimulatedTime();

  // Suspend for 10 s, then step one second: the running scan moves the stamp by the pause.
  r.driver.SuspendResume();
  r.driver.Run(400);
  EXPECT_TRUE(IsStampSet(gate->m_stPause));
  EXPECT_TRUE(IsStampSet(in->m_stPause));
  const SYSTEMTIME paused = gate->m_stPause;
  r.driver.Step(SIM_UNIT_SECONDS, 100);
  r.driver.Tick();
  r.driver.Scan();
  EXPECT_FALSE(IsStampSet(gate->m_stPause));
  EXPECT_TRUE(IsStampSet(in->m_stPause));  // operands are not shifted
  // Only the tick before the first suspended scan and the tick of the step count.
  EXPECT_EQ(MsBetween(paused, r.driver.GetScanTime()), 10000);
  EXPECT_EQ(MsBetween(gate->m_stStart, r.driver.GetScanTime()), 25);

  // Resume: stamps go to now minus the value, so the elapsed time continues.
  r.driver.Step(SIM_UNIT_SECONDS, 0);  // ends the step: suspended
  gate->m_dValue = 1500;
  r.driver.Run(8);
  r.driver.SuspendResume();
  EXPECT_EQ(MsBetween(gate->m_stStart, r.driver.GetSimulatedTime()), 1500);
  EXPECT_FALSE(IsStampSet(gate->m_stPause));

  // Setting the clock one hour ahead moves a running block's stamps by the jump.
  r.driver.Scan();
  const LONGLONG before = MsBetween(gate->m_stStart, r.driver.GetSimulatedTime());
  r.driver.SetSimulatedTime(AddMs(r.driver.GetSimulatedTime(), 3600000));
  r.driver.Scan();
  EXPECT_EQ(MsBetween(gate->m_stStart, r.driver.GetScanTime()), before);
  r.driver.Scan();  // the jump is applied once
  EXPECT_EQ(MsBetween(gate->m_stStart, r.driver.GetScanTime()), before);
}

TEST(ScanDriverTest, StoppedScansRestampAndEvaluateNothing) {
  ScanRig r;
  CBlockObj* in = r.d.Add(600);
  CBlockObj* q = r.d.Add(605);
  CDiagramBuilder::Wire(in, q, 0);
  r.Enter();
  r.driver.Stop();
  EXPECT_EQ(r.driver.GetSimStepState(), SIM_STEP_READY);
  in->m_nValue[kFirstOutputPin] = 1;
  r.driver.Run(3);
  EXPECT_EQ(q->m_nValue[kFirstOutputPin], 0);
  EXPECT_EQ(MsBetween(q->m_stStart, r.driver.GetSimulatedTime()), 0);
  r.driver.Start();
  r.driver.Run(1);
  EXPECT_EQ(q->m_nValue[kFirstOutputPin], 1);
}

TEST(ScanDriverTest, StepByCyclesAdvancesTimingBlocks10MsPerCycle) {
  ScanRig r;
  auto* timer = r.d.Add<CBlockTime>(400);
  r.Enter();
  r.driver.SuspendResume();
  timer->m_bTiming = 1;
  timer->m_dValue = 0;
  r.driver.Step(SIM_UNIT_CYCLES, 3);
  std::vector<int> remaining;
  for (int i = 0; i < 4; ++i) {
    r.driver.Tick();
    remaining.push_back(r.driver.GetStepRemaining());
  }
  EXPECT_EQ(remaining, (std::vector<int>{2, 1, 0, 0}));
  EXPECT_EQ(r.driver.GetSimRunState(), SIM_SUSPENDED);
  EXPECT_EQ(r.driver.GetSimStepState(), SIM_STEP_READY);
  EXPECT_DOUBLE_EQ(timer->m_dValue, 30);
}

TEST(ScanDriverTest, TimeStepRunsItsSpanThenSuspends) {
  struct Case {
    int unit;
    int amount;
    int ticks;  // ticks until the step ends
  };
  const Case cases[] = {{SIM_UNIT_SECONDS, 100, 40}, {SIM_UNIT_MINUTES, 2, 80}};
  for (const Case& c : cases) {
    ScanRig r;
    r.Enter();
    r.driver.SuspendResume();
    r.driver.Step(c.unit, c.amount);
    int ticks = 0;
    while (r.driver.GetSimStepState() == SIM_STEP_STEPPING && ticks < 10000) {
      r.driver.Run(1);
      ++ticks;
    }
    EXPECT_EQ(ticks, c.ticks) << c.unit;
    EXPECT_EQ(r.driver.GetSimRunState(), SIM_SUSPENDED);
  }
}

TEST(ScanDriverTest, PowerCutFreezesThenResetsNonRetentiveBlocks) {
  ScanRig r;
  CBlockObj* in = r.d.Add(600);
  auto* gate = r.d.Add<CBlockLogic>(304);
  auto* timer = r.d.Add<CBlockTime>(401);
  auto* keeper = r.d.Add<CBlockTime>(403);
  keeper->m_nParam1 = 1;  // retentive
  CBlockObj* q = r.d.Add(605);
  CDiagramBuilder::Wire(in, gate, 0);
  CDiagramBuilder::Wire(gate, q, 0);
  r.Enter();
  in->m_nValue[kFirstOutputPin] = 1;
  r.driver.Run(2);
  ASSERT_EQ(q->m_nValue[kFirstOutputPin], 1);
  timer->m_dValue = 700;
  timer->m_bTiming = 1;
  keeper->m_dValue = 900;

  r.driver.PowerDown();
  EXPECT_EQ(r.driver.GetSimRunState(), SIM_STOPPED);
  in->m_nValue[kFirstOutputPin] = 0;
  r.driver.Run(2);
  EXPECT_EQ(gate->m_nValue[kFirstOutputPin], 1);  // not evaluated while the power is cut

  r.driver.PowerUp();
  EXPECT_EQ(r.driver.GetSimRunState(), SIM_RUNNING);
  EXPECT_EQ(r.driver.GetSimStepState(), SIM_STEP_OFF);
  EXPECT_EQ(q->m_nValue[kFirstOutputPin], 0);
  EXPECT_EQ(gate->m_nValue[kFirstOutputPin], 0);
  EXPECT_DOUBLE_EQ(timer->m_dValue, 0);
  EXPECT_EQ(timer->m_bTiming, 0);
  EXPECT_DOUBLE_EQ(keeper->m_dElapsedBase, 900);
  EXPECT_EQ(in->m_nValue[kFirstOutputPin], 0);  // inputs keep their state
}

TEST(ScanDriverTest, PowerCutOnAStoppedSimulationSavesAndRestoresPins) {
  ScanRig r;
  CBlockObj* in = r.d.Add(600);
  auto* gate = r.d.Add<CBlockLogic>(300);
  CDiagramBuilder::Wire(in, gate, 0);
  gate->m_bInvert[1] = 1;
  r.Enter();
  in->m_nValue[kFirstOutputPin] = 1;
  r.driver.Run(1);
  r.driver.Stop();
  in->m_nValue[kFirstOutputPin] = 1;
  gate->m_nValue[0] = 1;
  gate->m_nValue[1] = 1;
  gate->m_nValue[kFirstOutputPin] = 1;
  r.driver.PowerDown();
  EXPECT_TRUE(r.driver.IsStopEnabled());
  EXPECT_FALSE(r.driver.IsStarted());
  EXPECT_EQ(gate->m_nValue[0], 0);
  EXPECT_EQ(gate->m_nValue[1], 0);  // open and negated: shows its negation (1 ^ 1 at an AND)
  EXPECT_EQ(gate->m_nValue[2], 1);  // open at an AND
  EXPECT_EQ(gate->m_nValue[kFirstOutputPin], 0);
  EXPECT_EQ(in->m_nValue[kFirstOutputPin], 0);
  r.driver.PowerUp();
  EXPECT_FALSE(r.driver.IsStopEnabled());
  EXPECT_EQ(gate->m_nValue[0], 1);
  EXPECT_EQ(gate->m_nValue[1], 1);
  EXPECT_EQ(gate->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(in->m_nValue[kFirstOutputPin], 1);
}

TEST(ScanDriverTest, RestartRequestsTakeTheTimeAtTheEndOfTheScan) {
  ScanRig r;
  auto* gate = r.d.Add<CBlockLogic>(300);
  r.Enter();
  r.driver.Run(3);
  gate->m_nLatch1 = 1;
  gate->m_nLatch2 = 1;
  gate->m_stStart = gate->m_stIntervalStart = kStart;
  r.driver.Tick();
  r.driver.Scan();
  EXPECT_EQ(gate->m_nLatch1, 0);
  EXPECT_EQ(gate->m_nLatch2, 0);
  EXPECT_EQ(MsBetween(kStart, gate->m_stStart), 100);
  EXPECT_EQ(MsBetween(kStart, gate->m_stIntervalStart), 100);
}

// What a block works out from the other blocks alone (the operands of a range,
// a feedback loop) is kept between scans only while the blocks, their numbers
// and links stay: every change between two scans is seen by the next one.
TEST(ScanDriverTest, ResolvedRangesAndLoopsFollowChangesBetweenScans) {
  ScanRig r;
  auto* range = r.d.Add(844);  // maximum of AI1 and AI2
  range->m_nParam9 = 2;
  range->m_nParam10 = 0;
  range->m_nParam14 = 0;
  range->m_nParam15 = 2;
  CBlockObj* ai1 = r.d.Add(608);
  CBlockObj* ai2 = r.d.Add(608);
  // An amplifier behind a gate that it feeds back into; upstream of the gate
  // another amplifier reads AI3.
  auto* upstream = r.d.Add<CBlockAnalog>(805);
  CBlockObj* gate = r.d.Add(300);
  auto* amp = r.d.Add<CBlockAnalog>(805);
  CBlockObj* ai3 = r.d.Add(608);
  amp->m_dGain = 2.0;
  CDiagramBuilder::Wire(ai3, upstream, 0);
  CDiagramBuilder::Wire(upstream, gate, 0);
  CDiagramBuilder::Wire(gate, amp, 0);
  CDiagramBuilder::Wire(amp, gate, 1);
  r.Enter();
  ai1->m_nWordValue = 10;  // the analog inputs' words as the device reads them
  ai2->m_nWordValue = 30;
  ai3->m_nWordValue = 300;
  r.driver.Run(2);
  EXPECT_EQ(range->m_dValue, 30);
  EXPECT_EQ(amp->m_nResult, 600);  // in the loop: twice the nearest analog function upstream

  ai2->m_nNumber = 4010;  // AI2 leaves the range: its place reads 0
  r.driver.Run(1);
  EXPECT_EQ(range->m_dValue, 10);
  CBlockObj* added = r.d.Add(608);  // a new AI2
  added->m_nNumber = 4001;
  added->m_nWordValue = 50;
  r.driver.Run(1);
  EXPECT_EQ(range->m_dValue, 50);
  r.d.Doc().DetachBlock(ai1).reset();
  range->m_nParam10 = 1;  // minimum: the empty place counts
  r.driver.Run(1);
  EXPECT_EQ(range->m_dValue, 0);

  gate->m_nSource[1] = LINK_OPEN;  // the loop opens
  r.driver.Run(1);
  const int open = amp->m_nResult;
  EXPECT_NE(open, 600);
  amp->Simulate(&r.d.View());  // a view that keeps nothing walks again
  EXPECT_EQ(amp->m_nResult, open);
  CDiagramBuilder::Wire(amp, gate, 1);  // and closes again
  r.driver.Run(1);
  EXPECT_EQ(amp->m_nResult, 600);
}

// The shift registers of a diagram show their bits on the same bit operands,
// which are found once for all of them while the blocks stay: operands taken
// out, renumbered or added between two scans are seen by the next shift, and
// the simulation of another diagram keeps to its own operands.
TEST(ScanDriverTest, ShiftBitsFollowChangesBetweenScans) {
  struct Register {
    CBlockSREG* reg;
    CBlockObj* trg;
  };
  struct Diagram {
    ScanRig r;
    CBlockObj* in = r.d.Add(600);
    CBlockObj* dir = r.d.Add(600);
    std::vector<Register> regs;
    std::vector<CBlockObj*> bits;
    Diagram(int registers, int bitOperands) {
      for (int i = 0; i < registers; ++i) {
        Register g{r.d.Add<CBlockSREG>(812), r.d.Add(600)};
        CDiagramBuilder::Wire(in, g.reg, 0);
        CDiagramBuilder::Wire(g.trg, g.reg, 1);
        CDiagramBuilder::Wire(dir, g.reg, 2);
        regs.push_back(g);
      }
      for (int i = 0; i < bitOperands; ++i) bits.push_back(r.d.Add(602));
      r.Enter();
      in->m_nValue[kFirstOutputPin] = 1;  // each shift takes in a 1 at bit 0
    }
    // One rise of the register's Trg from the register value `from`.
    void Shift(size_t index, WORD from) {
      const Register& g = regs[index];
      g.trg->m_nValue[kFirstOutputPin] = 0;
      r.driver.Run(1);
      g.reg->m_wBits = from;
      g.trg->m_nValue[kFirstOutputPin] = 1;
      r.driver.Run(1);
    }
    std::vector<int> Shown() const {
      std::vector<int> out;
      for (const CBlockObj* b : bits) out.push_back(b->m_nValue[kFirstOutputPin]);
      return out;
    }
  };

  Diagram a(2, 4);
  ASSERT_EQ(a.bits[3]->m_nNumber, 1003);
  a.Shift(0, 0x0005);  // 0x000B
  EXPECT_EQ(a.Shown(), (std::vector<int>{1, 1, 0, 1}));
  a.Shift(1, 0x0002);  // 0x0005: the second register shows on the same operands
  EXPECT_EQ(a.Shown(), (std::vector<int>{1, 0, 1, 0}));

  a.r.d.Doc().DetachBlock(a.bits[0]).reset();
  a.bits.erase(a.bits.begin());
  a.bits[1]->m_nNumber = 1020;  // no bit operand number any more
  a.bits[1]->m_nValue[kFirstOutputPin] = 7;
  a.bits[2]->m_nNumber = 1008;
  CBlockObj* added = a.r.d.Add(602);
  added->m_nNumber = 1012;
  a.bits.push_back(added);
  a.Shift(0, 0x0880);  // 0x1101: bits 0, 8 and 12
  EXPECT_EQ(a.Shown(), (std::vector<int>{0, 7, 1, 1}));

  Diagram b(1, 2);
  b.Shift(0, 0x0000);
  EXPECT_EQ(b.Shown(), (std::vector<int>{1, 0}));
  EXPECT_EQ(a.Shown(), (std::vector<int>{0, 7, 1, 1}));
  a.Shift(1, 0x0000);  // 0x0001
  EXPECT_EQ(a.Shown(), (std::vector<int>{0, 7, 0, 0}));
  EXPECT_EQ(b.Shown(), (std::vector<int>{1, 0}));
}

TEST(ScanDriverTest, EnteringAndLeavingSetStartAndQuietStates) {
  ScanRig r;
  CBlockObj* push = r.d.Add(600);
  push->m_nParam26 = 2;  // momentary break
  CBlockObj* freq = r.d.Add(600);
  freq->m_nParam26 = 3;
  freq->m_nMinValue = 20;
  CBlockObj* hi = r.d.Add(604);
  hi->m_nValue[kFirstOutputPin] = 0;
  auto* gate = r.d.Add<CBlockLogic>(304);
  CDiagramBuilder::Wire(hi, gate, 2);
  gate->m_nFirstLinkedPin = 3;
  r.Enter();
  EXPECT_EQ(push->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(freq->m_nSimValue, 20);
  freq->m_nSimValue = 25;
  EXPECT_EQ(hi->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(gate->m_nFirstLinkedPin, 2);
  EXPECT_EQ(r.d.Doc().m_bSimulating, 1);
  r.driver.Run(2);
  EXPECT_EQ(gate->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(r.sink.inputs.size(), 2u);  // the break button and the frequency input report once

  r.driver.LeaveSimulation();
  EXPECT_EQ(r.d.Doc().m_bSimulating, 0);
  EXPECT_EQ(gate->m_nValue[2], 0);
  EXPECT_EQ(gate->m_nValue[kFirstOutputPin], 0);
  EXPECT_EQ(gate->m_nFirstLinkedPin, -1);
  r.driver.Run(2);  // nothing happens outside simulation
  EXPECT_EQ(gate->m_nValue[kFirstOutputPin], 0);
}

TEST(ScanDriverTest, SecondEntryStampsBlocksWithTheRestartedClock) {
  // Three hours pass between two runs in one window: the blocks start on the
  // new clock, so the gap is neither elapsed time nor operating time.
  ScanRig r;
  CBlockObj* en = r.d.Add(600);
  auto* timer = r.d.Add<CBlockTime>(401);
  auto* hours = r.d.Add<CBlockHCOUNTER>(801);
  CDiagramBuilder::Wire(en, hours, 1);
  r.Enter();
  r.driver.Run(40);
  r.driver.LeaveSimulation();
  const SYSTEMTIME later = AddMs(kStart, 3 * 3600000LL);
  r.driver.EnterSimulation(later);
  EXPECT_EQ(MsBetween(later, r.driver.GetSimulatedTime()), 0);
  EXPECT_EQ(MsBetween(later, timer->m_stStart), 0);
  EXPECT_EQ(MsBetween(later, hours->m_stRunStart), 0);
  en->m_nValue[kFirstOutputPin] = 1;
  const int before = hours->m_nOperating;
  r.driver.Run(40);
  EXPECT_EQ(hours->m_nOperating, before);
}

// The states of the Simulation bar, each reached from entering by the bar's
// buttons, with the controls each one enables.
TEST(ScanDriverTest, BarStateTable) {
  struct Row {
    const char* state;
    void (*reach)(CScanDriver&);
    int run, step;
    bool stopEnabled, started;
    SimBarEnables enables;  // start, stop, suspend, step, edits
  };
  const Row rows[] = {
      {"running",
       [](CScanDriver&) {},
       SIM_RUNNING,
       SIM_STEP_OFF,
       true,
       true,
       {false, true, true, false, false}},
      {"suspended",
       [](CScanDriver& d) { d.SuspendResume(); },
       SIM_SUSPENDED,
       SIM_STEP_READY,
       true,
       true,
       {false, true, true, true, true}},
      {"stepping",
       [](CScanDriver& d) {
         d.SuspendResume();
         d.Step(SIM_UNIT_CYCLES, 5);
       },
       SIM_RUNNING,
       SIM_STEP_STEPPING,
       true,
       true,
       {false, true, true, true, false}},
      {"stepping, suspended again",
       [](CScanDriver& d) {
         d.SuspendResume();
         d.Step(SIM_UNIT_CYCLES, 5);
         d.SuspendResume();
       },
       SIM_SUSPENDED,
       SIM_STEP_READY,
       true,
       true,
       {false, true, true, true, true}},
      {"stopped",
       [](CScanDriver& d) { d.Stop(); },
       SIM_STOPPED,
       SIM_STEP_READY,
       false,
       false,
       {true, false, false, true, true}},
      {"started again",
       [](CScanDriver& d) {
         d.Stop();
         d.Start();
       },
       SIM_RUNNING,
       SIM_STEP_OFF,
       true,
       true,
       {false, true, true, false, false}},
      {"stepped out of stopped",
       [](CScanDriver& d) {
         d.Stop();
         d.Step(SIM_UNIT_SECONDS, 100);
       },
       SIM_RUNNING,
       SIM_STEP_STEPPING,
       true,
       true,
       {false, true, true, true, false}},
      {"power cut while started",
       [](CScanDriver& d) { d.PowerDown(); },
       SIM_STOPPED,
       SIM_STEP_OFF,
       true,
       true,
       {false, true, false, false, false}},
      {"power back while started",
       [](CScanDriver& d) {
         d.SuspendResume();
         d.PowerDown();
         d.PowerUp();
       },
       SIM_SUSPENDED,
       SIM_STEP_READY,
       true,
       true,
       {false, true, true, true, true}},
      {"power cut while stopped",
       [](CScanDriver& d) {
         d.Stop();
         d.PowerDown();
       },
       SIM_STOPPED,
       SIM_STEP_OFF,
       true,
       false,
       {false, true, false, false, false}},
      {"power back while stopped",
       [](CScanDriver& d) {
         d.Stop();
         d.PowerDown();
         d.PowerUp();
       },
       SIM_STOPPED,
       SIM_STEP_READY,
       false,
       false,
       {true, false, false, true, true}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.state);
    ScanRig r;
    r.d.Add(600);
    r.Enter();
    row.reach(r.driver);
    EXPECT_EQ(r.driver.GetSimRunState(), row.run);
    EXPECT_EQ(r.driver.GetSimStepState(), row.step);
    EXPECT_EQ(r.driver.IsStopEnabled(), row.stopEnabled);
    EXPECT_EQ(r.driver.IsStarted(), row.started);
    EXPECT_TRUE(r.driver.GetBarEnables() == row.enables);
  }
}

TEST(ScanDriverTest, StepAmountsAndRemainingTexts) {
  struct Case {
    const char16_t* edit;
    int unit;
    int amount;
    const char16_t* text;  // the remaining text of that amount
  };
  const Case cases[] = {
      {u"01:30", SIM_UNIT_SECONDS, 130, u"01:30s"}, {u"01:30", SIM_UNIT_MINUTES, 90, u"01:30m"},
      {u"01:30", SIM_UNIT_HOURS, 90, u"01:30h"},    {u"00:02", SIM_UNIT_HOURS, 2, u"00:02h"},
      {u"  :5 ", SIM_UNIT_SECONDS, 5, u"00:05s"},   {u"", SIM_UNIT_MINUTES, 0, u"00:00m"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CScanDriver::ReadStepAmount(CString(c.edit), c.unit), c.amount) << CString(c.edit).ToUtf8();
    EXPECT_EQ(CScanDriver::FormatStepRemaining(c.unit, c.amount), CString(c.text));
  }
  EXPECT_EQ(CScanDriver::FormatStepRemaining(SIM_UNIT_CYCLES, 2), CString(u"2"));
  EXPECT_EQ(CScanDriver::FormatStepRemaining(SIM_UNIT_CYCLES, 0), CString(u"1"));

  // A two-minute step in hours: 00:02h at the start, 00:01h after the first minute.
  ScanRig r;
  r.Enter();
  r.driver.SuspendResume();
  r.driver.Step(SIM_UNIT_HOURS, CScanDriver::ReadStepAmount(CString(u"00:02"), SIM_UNIT_HOURS));
  EXPECT_EQ(CScanDriver::FormatStepRemaining(SIM_UNIT_HOURS, r.driver.GetStepRemaining()),
            CString(u"00:02h"));
  r.driver.Run(2400);
  EXPECT_EQ(CScanDriver::FormatStepRemaining(SIM_UNIT_HOURS, r.driver.GetStepRemaining()),
            CString(u"00:01h"));
  r.driver.Run(2400);
  EXPECT_EQ(r.driver.GetSimRunState(), SIM_SUSPENDED);
}

// ---- Start states -----------------------------------------------------------------

// One field of a block as a number, read and written through the rig.
#define FIELD(cls, member)                                                                   \
  [](ScanRig&, CBlockObj* b) { return static_cast<double>(static_cast<cls*>(b)->member); },  \
      [](ScanRig&, CBlockObj* b, double v) {                                                 \
        static_cast<cls*>(b)->member =                                                       \
            static_cast<std::remove_reference_t<decltype(static_cast<cls*>(b)->member)>>(v); \
      }
// A stamp as milliseconds from kStart.
#define STAMP(cls, member)                                                       \
  [](ScanRig&, CBlockObj* b) {                                                   \
    return static_cast<double>(MsBetween(kStart, static_cast<cls*>(b)->member)); \
  },                                                                             \
      [](ScanRig&, CBlockObj* b, double v) {                                     \
        static_cast<cls*>(b)->member = AddMs(kStart, static_cast<LONGLONG>(v));  \
      }
// The current value that a ladder document keeps for the block's operand.
#define OPERAND_VALUE                                                                                       \
  [](ScanRig& r, CBlockObj* b) {                                                                            \
    return static_cast<double>(r.d.Doc().m_analogSimSettings[static_cast<UINT>(b->m_nOperand)].nValues[1]); \
  },                                                                                                        \
      [](ScanRig& r, CBlockObj* b, double v) {                                                              \
        r.d.Doc().m_analogSimSettings[static_cast<UINT>(b->m_nOperand)].nValues[1] = static_cast<int>(v);   \
      }

enum class SimEvent {
  kEnter,         // the field is set, then the simulation entered
  kLeave,         // entered, the field set, then left
  kPowerRestore,  // entered (running), the field set, power cut and restored
  kRestart,       // entered, stopped, the field set, then Start
};

struct StartStateCase {
  const char* what;
  int type;
  int kind;  // kDocFbd or kDocLadder
  void (*setup)(ScanRig&, CBlockObj*);
  double (*get)(ScanRig&, CBlockObj*);
  void (*set)(ScanRig&, CBlockObj*, double);
  double before;
  double after;
  SimEvent event;
};

void NoSetup(ScanRig&, CBlockObj*) {}
void MinimumTen(ScanRig&, CBlockObj* b) {
  b->m_nMinValue = 10;
}
void OwnRangeFromTen(ScanRig&, CBlockObj* b) {
  b->m_bAutoRange = 0;
  b->m_nMinValue = 10;
}
void FrequencyMinimumTen(ScanRig&, CBlockObj* b) {
  b->m_nParam26 = 3;
  b->m_nMinValue = 10;
}
void StartValueFive(ScanRig&, CBlockObj* b) {
  b->m_nParam8 = 5;
}
void IntervalTwoMinutes(ScanRig&, CBlockObj* b) {
  b->m_nParam10 = 0;  // MI 0:02
  b->m_nParam9 = 2;
}
void IntervalTwoHoursPresetNinety(ScanRig&, CBlockObj* b) {
  b->m_nParam10 = 2;  // MI 2:00
  b->m_nParam9 = 0;
  b->m_nParam15 = 1;  // OT preset 1:30
  b->m_nParam14 = 30;
}
void HoursEnabled(ScanRig&, CBlockObj* b) {
  static_cast<CBlockHCOUNTER*>(b)->m_nOperating = 42;
  b->m_nValue[1] = 1;  // En; R and Ral 0
}
void HoursHeldInReset(ScanRig& r, CBlockObj* b) {
  HoursEnabled(r, b);
  b->m_nValue[0] = 1;  // R
}
void NonRetentive(ScanRig&, CBlockObj* b) {
  b->m_nParam1 = 0;
}
void EnabledRandom(ScanRig&, CBlockObj* b) {
  b->m_nValue[0] = 1;  // En
}
// A ladder contact on input I1 whose operand setting is {auto, 50, 5, 900, mode}.
void SettingOnInput(ScanRig& r, CBlockObj* b, int mode) {
  b->m_nOperand = 100;
  AnalogSimSetting setting;
  setting.nValues[0] = 1;
  setting.nValues[1] = 50;
  setting.nValues[2] = 5;
  setting.nValues[3] = 900;
  setting.nValues[4] = mode;
  r.d.Doc().m_analogSimSettings[100] = setting;
}
void SwitchSetting(ScanRig& r, CBlockObj* b) {
  SettingOnInput(r, b, 0);
}
void FrequencySetting(ScanRig& r, CBlockObj* b) {
  SettingOnInput(r, b, 3);
}
void AnalogInputSetting(ScanRig& r, CBlockObj* b) {
  SettingOnInput(r, b, 0);
  b->m_nOperand = 4000;
  r.d.Doc().m_analogSimSettings[4000] = r.d.Doc().m_analogSimSettings[100];
}
void OnHighOperand(ScanRig&, CBlockObj* b) {
  b->m_nOperand = 2900;
}
void OnInputOperand(ScanRig&, CBlockObj* b) {
  b->m_nOperand = 100;
}

TEST(ScanDriverTest, StartStatesOfEachBlockKind) {
  using E = SimEvent;
  const StartStateCase cases[] = {
      // Inputs start at their minimum in every behaviour; frequency keys too.
      {"input, switch", 600, kDocFbd, MinimumTen, FIELD(CBlockObj, m_nSimValue), 40, 10, E::kEnter},
      {"input shown value", 600, kDocFbd, MinimumTen, FIELD(CBlockIn, m_nShownValue), 40, 10, E::kEnter},
      {"key, frequency", 611, kDocFbd, FrequencyMinimumTen, FIELD(CBlockFKey, m_nShownValue), 40, 10,
       E::kEnter},
      {"analog input value", 608, kDocFbd, OwnRangeFromTen, FIELD(CBlockObj, m_nSimValue), 40, 10, E::kEnter},
      {"analog input word", 608, kDocFbd, NoSetup, FIELD(CBlockObj, m_nWordValue), 500, 0, E::kEnter},
      // Time functions: the flags and phase states of each kind.
      {"on/off-delay preset shown", 402, kDocFbd, NoSetup, FIELD(CBlockTime, m_bPresetShown), 1, 0,
       E::kEnter},
      {"pulse train started", 405, kDocFbd, NoSetup, FIELD(CBlockTime, m_bPresetShown), 1, 0, E::kEnter},
      {"pulse train count", 405, kDocFbd, NoSetup, FIELD(CBlockRPR, m_nPulseCount), 3, -1, E::kEnter},
      {"pulse train limit", 405, kDocFbd, NoSetup, FIELD(CBlockRPR, m_nPulseLimit), 2, 0, E::kEnter},
      {"pulse generator third state", 406, kDocFbd, NoSetup, FIELD(CBlockTime, m_bPresetShown), 1, 0,
       E::kEnter},
      {"on-delay keeps its third flag", 400, kDocFbd, NoSetup, FIELD(CBlockTime, m_bPresetShown), 1, 1,
       E::kEnter},
      {"off-delay second phase", 401, kDocFbd, NoSetup, FIELD(CBlockTime, m_bSecondPhase), 1, 0, E::kEnter},
      {"off-delay carried time", 401, kDocFbd, NoSetup, FIELD(CBlockObj, m_dElapsedBase), 500, 0, E::kEnter},
      {"stairway warning phase", 408, kDocFbd, NoSetup, FIELD(CBlockSLS, m_byWarnState), 2, 0, E::kEnter},
      {"switch state", 409, kDocFbd, NoSetup, FIELD(CBlockMFS, m_nState), 3, 0, E::kEnter},
      {"switch warning phase", 409, kDocFbd, NoSetup, FIELD(CBlockMFS, m_byWarnState), 1, 0, E::kEnter},
      {"switch output", 409, kDocFbd, NoSetup, FIELD(CBlockObj, m_nValue[kFirstOutputPin]), 1, 0, E::kEnter},
      // Counters.
      {"counter count", 800, kDocFbd, StartValueFive, FIELD(CBlockObj, m_dValue), 17, 5, E::kEnter},
      {"encoder count", 848, kDocFbd, StartValueFive, FIELD(CBlockObj, m_dValue), 17, 5, E::kEnter},
      {"encoder pair edge", 848, kDocFbd, NoSetup, FIELD(CBlockObj, m_nValue[2]), 1, 0, E::kEnter},
      {"hours word 10", 801, kDocFbd, NoSetup, FIELD(CBlockObj, m_nParam11), 3, 0, E::kEnter},
      {"hours OT", 801, kDocFbd, IntervalTwoHoursPresetNinety, FIELD(CBlockHCOUNTER, m_nOperating), 999, 90,
       E::kEnter},
      {"hours OT at run start", 801, kDocFbd, IntervalTwoHoursPresetNinety,
       FIELD(CBlockHCOUNTER, m_nOperatingAtStart), 7, 90, E::kEnter},
      {"hours MN", 801, kDocFbd, IntervalTwoMinutes, FIELD(CBlockHCOUNTER, m_nRemaining), 0, 2, E::kEnter},
      {"hours MN after the OT preset", 801, kDocFbd, IntervalTwoHoursPresetNinety,
       FIELD(CBlockHCOUNTER, m_nRemaining), 0, 30, E::kEnter},
      {"hours run start", 801, kDocFbd, NoSetup, STAMP(CBlockHCOUNTER, m_stRunStart), -5000, 0, E::kEnter},
      {"frequency measured", 802, kDocFbd, NoSetup, FIELD(CBlockTHTRG, m_nMeasured), 12, 0, E::kEnter},
      {"frequency pulses", 802, kDocFbd, NoSetup, FIELD(CBlockTHTRG, m_nPulses), 4, 0, E::kEnter},
      {"frequency gate", 802, kDocFbd, NoSetup, FIELD(CBlockTHTRG, m_bGateRunning), 1, 0, E::kEnter},
      {"pulse output elapsed", 852, kDocFbd, NoSetup, FIELD(CBlockObj, m_dValue), 300, 0, E::kEnter},
      {"pulse output start", 852, kDocFbd, NoSetup, STAMP(CBlockObj, m_stStart), -5000, 0, E::kEnter},
      // Ladder contacts and their operand settings.
      {"make on High closes", 700, kDocLadder, OnHighOperand, FIELD(CBlockObj, m_nContactState), 0, 1,
       E::kEnter},
      {"break on an input closes", 701, kDocLadder, OnInputOperand, FIELD(CBlockObj, m_nContactState), 0, 1,
       E::kEnter},
      {"make on an input stays", 700, kDocLadder, OnInputOperand, FIELD(CBlockObj, m_nContactState), 0, 0,
       E::kEnter},
      {"make, frequency setting", 700, kDocLadder, FrequencySetting, OPERAND_VALUE, 50, 5, E::kEnter},
      {"make, switch setting", 700, kDocLadder, SwitchSetting, OPERAND_VALUE, 50, 50, E::kEnter},
      {"analog contact setting", 702, kDocLadder, AnalogInputSetting, OPERAND_VALUE, 50, 5, E::kEnter},
      {"analog contact open input", 702, kDocLadder, NoSetup, FIELD(CBlockObj, m_nValue[0]), 0, 1, E::kEnter},
      // Leaving.
      {"encoder count on leaving", 848, kDocFbd, StartValueFive, FIELD(CBlockObj, m_dValue), 77, 5,
       E::kLeave},
      {"pulse output on leaving", 852, kDocFbd, NoSetup, FIELD(CBlockObj, m_dValue), 300, 0, E::kLeave},
      {"pulse output start on leaving", 852, kDocFbd, NoSetup, STAMP(CBlockObj, m_stStart), -5000, 0,
       E::kLeave},
      {"message latch on leaving", 810, kDocFbd, NoSetup, FIELD(CBlockObj, m_nParam1), 1, 0, E::kLeave},
      {"analog input on leaving", 608, kDocFbd, MinimumTen, FIELD(CBlockObj, m_nSimValue), 40, 10, E::kLeave},
      // Power restored to a running simulation.
      {"hours new run", 801, kDocFbd, HoursEnabled, FIELD(CBlockHCOUNTER, m_nOperatingAtStart), 5, 42,
       E::kPowerRestore},
      {"hours new run stamp", 801, kDocFbd, HoursEnabled, STAMP(CBlockHCOUNTER, m_stRunStart), -5000, 0,
       E::kPowerRestore},
      {"hours held in reset", 801, kDocFbd, HoursHeldInReset, FIELD(CBlockHCOUNTER, m_nOperatingAtStart), 5,
       5, E::kPowerRestore},
      {"hours keeps its value", 801, kDocFbd, NoSetup, FIELD(CBlockObj, m_nValue[kFirstOutputPin]), 1, 1,
       E::kPowerRestore},
      {"frequency measured", 802, kDocFbd, NoSetup, FIELD(CBlockTHTRG, m_nMeasured), 12, 0, E::kPowerRestore},
      {"message latch kept", 810, kDocFbd, NoSetup, FIELD(CBlockObj, m_nParam1), 1, 1, E::kPowerRestore},
      {"message output kept", 810, kDocFbd, NoSetup, FIELD(CBlockObj, m_nValue[kFirstOutputPin]), 1, 1,
       E::kPowerRestore},
      {"on/off-delay off phase", 402, kDocFbd, NoSetup, FIELD(CBlockTime, m_bSecondPhase), 1, 0,
       E::kPowerRestore},
      {"pulse generator enabled", 406, kDocFbd, NoSetup, FIELD(CBlockTime, m_bTiming), 1, 0,
       E::kPowerRestore},
      {"random, En 0", 407, kDocFbd, NonRetentive, FIELD(CBlockTime, m_bTiming), 1, 0, E::kPowerRestore},
      {"random, En 1", 407, kDocFbd, EnabledRandom, FIELD(CBlockTime, m_bTiming), 1, 1, E::kPowerRestore},
      {"switch stairway time", 409, kDocFbd, NoSetup, FIELD(CBlockMFS, m_nState), 2, 0, E::kPowerRestore},
      {"switch permanent light", 409, kDocFbd, NoSetup, FIELD(CBlockMFS, m_nState), 3, 3, E::kPowerRestore},
      // Start after Stop.
      {"hours run on Start", 801, kDocFbd, HoursEnabled, FIELD(CBlockHCOUNTER, m_nOperatingAtStart), 5, 42,
       E::kRestart},
      {"frequency on Start", 802, kDocFbd, NoSetup, FIELD(CBlockTHTRG, m_nMeasured), 12, 0, E::kRestart},
  };
  for (const StartStateCase& c : cases) {
    ScanRig r(c.kind);
    CBlockObj* b = r.d.Add(c.type);
    ASSERT_NE(b, nullptr) << c.what;
    if (c.event == E::kEnter) {
      r.driver.SetSimulatedTime(kStart);  // the clock as it stands stamps the blocks
    } else {
      r.Enter();
      if (c.event == E::kRestart) r.driver.Stop();
    }
    c.setup(r, b);
    c.set(r, b, c.before);
    switch (c.event) {
      case E::kEnter:
        r.Enter();
        break;
      case E::kLeave:
        r.driver.LeaveSimulation();
        break;
      case E::kPowerRestore:
        r.driver.PowerDown();
        r.driver.PowerUp();
        break;
      case E::kRestart:
        r.driver.Start();
        break;
    }
    EXPECT_DOUBLE_EQ(c.get(r, b), c.after) << c.what;
  }
}

#undef FIELD
#undef STAMP
#undef OPERAND_VALUE

TEST(ScanDriverTest, HoursCounterCountsNeitherPausesNorClockJumps) {
  ScanRig r;
  CBlockObj* en = r.d.Add(600);
  auto* hours = r.d.Add<CBlockHCOUNTER>(801);
  IntervalTwoHoursPresetNinety(r, hours);
  CDiagramBuilder::Wire(en, hours, 1);
  r.Enter();
  en->m_nValue[kFirstOutputPin] = 1;
  r.driver.Run(2440);  // one running minute (and a second) counts
  const int ot = hours->m_nOperating;
  EXPECT_EQ(ot, 90 + 1);

  struct Case {
    const char* what;
    void (*interrupt)(ScanRig&);
  };
  const Case cases[] = {
      {"suspended for 60 s",
       [](ScanRig& rig) {
         rig.driver.SuspendResume();
         rig.driver.Run(2400);
         rig.driver.SuspendResume();
       }},
      {"clock an hour ahead",
       [](ScanRig& rig) { rig.driver.SetSimulatedTime(AddMs(rig.driver.GetSimulatedTime(), 3600000)); }},
      {"clock an hour ahead while suspended",
       [](ScanRig& rig) {
         rig.driver.SuspendResume();
         rig.driver.Run(4);
         rig.driver.SetSimulatedTime(AddMs(rig.driver.GetSimulatedTime(), 3600000));
         rig.driver.Run(4);
         rig.driver.SuspendResume();
       }},
  };
  int expected = ot;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.interrupt(r);
    r.driver.Run(40);  // one running second: no whole minute more
    EXPECT_EQ(hours->m_nOperating, expected);
    r.driver.Run(2400);  // a running minute still counts
    EXPECT_EQ(hours->m_nOperating, ++expected);
  }
}

TEST(ScanDriverTest, NonRetentiveBlocksComputeAfreshAfterEveryRestart) {
  struct Case {
    const char* what;
    void (*restart)(ScanRig&, CBlockObj* input);
  };
  const Case cases[] = {
      {"Stop and Start",
       [](ScanRig& r, CBlockObj*) {
         r.driver.Stop();
         r.driver.Run(2);
         r.driver.Start();
       }},
      {"leaving and entering again",
       [](ScanRig& r, CBlockObj* input) {
         r.driver.LeaveSimulation();
         r.Enter();
         input->m_nWordValue = 0x12;  // set again as it was
       }},
      {"power cut and return",
       [](ScanRig& r, CBlockObj*) {
         r.driver.PowerDown();
         r.driver.Run(2);
         r.driver.PowerUp();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScanRig r;
    CBlockObj* ai = r.d.Add(608);
    CBlockObj* bcd = r.d.Add(832);
    CBlockObj* bin = r.d.Add(833);
    auto* stairs = r.d.Add<CBlockTime>(408);
    stairs->m_nParam15 = 0;  // preset 5 s, idle
    stairs->m_nParam14 = 5;
    stairs->m_nParam16 = 2;
    auto* sreg = r.d.Add(812);
    for (CBlockObj* b : {bcd, bin, static_cast<CBlockObj*>(stairs), sreg}) b->m_nParam1 = 0;
    CDiagramBuilder::Wire(ai, bcd, 0);
    CDiagramBuilder::Wire(ai, bin, 0);
    r.Enter();
    ai->m_nWordValue = 0x12;  // the input word stays 18 throughout
    r.driver.Run(4);
    const double preset = stairs->m_dValue;
    ASSERT_EQ(bcd->m_dValue, 0x18);
    ASSERT_EQ(bin->m_dValue, 12);
    ASSERT_GT(preset, 0);
    static_cast<CBlockSREG*>(sreg)->m_wBits = 0x00F0;

    c.restart(r, ai);
    r.driver.Run(2);
    EXPECT_EQ(bcd->m_dValue, 0x18);
    EXPECT_EQ(bin->m_dValue, 12);
    EXPECT_EQ(stairs->m_dValue, preset);
    EXPECT_EQ(static_cast<CBlockSREG*>(sreg)->m_wBits, 0);  // no old bit comes back
  }
}

TEST(ScanDriverTest, FormatsTheClock) {
  struct Case {
    SYSTEMTIME t;
    BOOL abbreviate;
    int format;
    const char16_t* text;
  };
  const Case cases[] = {
      {SimTime(2026, 1, 5, 0, 5, 9, 0, 1), FALSE, 0, u"Monday, January 5, 2026 0:5:9 AM"},
      {SimTime(2026, 1, 5, 12, 30, 0, 0, 1), FALSE, 2, u"12:30:00 PM"},
      {SimTime(2026, 1, 5, 13, 30, 0, 0, 1), FALSE, 2, u"1:30:00 PM"},
      {SimTime(2026, 1, 5, 13, 7, 9, 0, 1), TRUE, 1, u"Jan 5, 2026"},
      {SimTime(2026, 1, 5, 13, 7, 9, 0, 1), FALSE, 1, u"January 5, 2026"},
      {SimTime(2026, 1, 5, 13, 7, 9, 0, 1), FALSE, 3, u"260105130709"},
      {SimTime(2026, 1, 5, 13, 7, 9, 0, 1), FALSE, 4, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CScanDriver::FormatTime(c.t, c.abbreviate, c.format), CString(c.text));
}

}  // namespace
