// Counters, frequency trigger, relays and shift register, scan by scan.
#include "blocks/counter_blocks.h"

#include <gtest/gtest.h>

#include <vector>

#include "blocks/ladder_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/relay_blocks.h"
#include "model/block_eval.h"
#include "support/diagram_builder.h"

namespace {

const SYSTEMTIME kStart{2024, 3, 5, 1, 10, 0, 0, 0};

// A diagram whose digital inputs the test switches; the block under test is
// scanned directly at the times the test sets.
class ScanFixture : public ::testing::Test {
 protected:
  // An input block wired to pin of block.
  CBlockObj* InputTo(CBlockObj* block, int pin) {
    CBlockObj* in = m_diagram.Add(600);
    CDiagramBuilder::Wire(in, block, pin);
    return in;
  }
  void SetTime(LONGLONG ms) { View().m_stScanTime = View().m_stSimTime = AddMs(kStart, ms); }
  CFakeViewContext& View() { return m_diagram.View(); }
  // Sets the inputs' outputs and scans the block once.
  void Scan(CBlockObj* block, const std::vector<CBlockObj*>& inputs, const std::vector<int>& values) {
    for (size_t i = 0; i < inputs.size(); ++i) inputs[i]->m_nValue[kFirstOutputPin] = values[i];
    block->Simulate(&View());
  }
  // A rise and a fall of one input, the others held.
  void Pulse(CBlockObj* block, const std::vector<CBlockObj*>& inputs, std::vector<int> values, size_t pin) {
    values[pin] = 1;
    Scan(block, inputs, values);
    values[pin] = 0;
    Scan(block, inputs, values);
  }

  CDiagramBuilder m_diagram;
};

// ---- Up/down counter ------------------------------------------------------------

struct CounterStep {
  int dir;
  int count;  // after the Cnt pulse
  int out;
};
struct CounterCase {
  int on, off;
  std::vector<CounterStep> steps;
};

class CounterTest : public ScanFixture {
 protected:
  void SetUp() override {
    m_counter = m_diagram.Add<CBlockCOUNTER>(800);
    m_inputs = {InputTo(m_counter, 0), InputTo(m_counter, 1), InputTo(m_counter, 2)};
  }
  void Count(int r, int dir) { Pulse(m_counter, m_inputs, {r, 0, dir}, 1); }
  CBlockCOUNTER* m_counter = nullptr;
  std::vector<CBlockObj*> m_inputs;
};

TEST_F(CounterTest, ThresholdsWithAndWithoutHysteresis) {
  const std::vector<CounterCase> cases = {
      // on >= off: on at the on threshold, off below the off threshold.
      {5,
       2,
       {{0, 1, 0}, {0, 2, 0}, {0, 3, 0}, {0, 4, 0}, {0, 5, 1}, {1, 4, 1}, {1, 3, 1}, {1, 2, 1}, {1, 1, 0}}},
      // on < off: a window [on, off).
      {2, 5, {{0, 1, 0}, {0, 2, 1}, {0, 3, 1}, {0, 4, 1}, {0, 5, 0}, {0, 6, 0}, {1, 5, 0}, {1, 4, 1}}},
  };
  for (const CounterCase& c : cases) {
    m_counter->m_nParam10 = c.on;
    m_counter->m_nParam15 = c.off;
    m_counter->m_dValue = 0;
    m_counter->m_nValue[kFirstOutputPin] = 0;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      Count(0, c.steps[i].dir);
      EXPECT_EQ(m_counter->m_dValue, c.steps[i].count) << "on " << c.on << " step " << i;
      EXPECT_EQ(m_counter->m_nValue[kFirstOutputPin], c.steps[i].out) << "on " << c.on << " step " << i;
    }
  }
}

TEST_F(CounterTest, CountStopsAtItsLimitsAndResetHoldsTheStartValue) {
  m_counter->m_dValue = CBlockCOUNTER::kCountLimit;
  Count(0, 0);
  EXPECT_EQ(m_counter->m_dValue, 999999);
  m_counter->m_dValue = 0;
  Count(0, 1);
  EXPECT_EQ(m_counter->m_dValue, 0);

  m_counter->m_nParam8 = 7;
  m_counter->m_nParam10 = 1;
  m_counter->m_nParam15 = 0;
  for (int i = 0; i < 3; ++i) {
    Count(1, 0);
    EXPECT_EQ(m_counter->m_dValue, 7);
    EXPECT_EQ(m_counter->m_nValue[kFirstOutputPin], 0);
  }
  EXPECT_EQ(m_counter->GetValueBoxLines(), std::vector<CString>{u"     7"});
}

TEST_F(CounterTest, ReferencedThresholdsAreClamped) {
  auto* high = m_diagram.Add<CBlockCOUNTER>(800);
  auto* low = m_diagram.Add<CBlockCOUNTER>(800);
  high->m_dValue = 2e6;
  low->m_dValue = -5;
  m_counter->m_pRef[0] = high;  // on 999999
  m_counter->m_pRef[1] = low;   // off 0
  m_counter->m_dValue = 999998;
  Count(0, 0);
  EXPECT_EQ(m_counter->m_nValue[kFirstOutputPin], 1);
  m_counter->m_dValue = 1;
  Count(0, 1);
  EXPECT_EQ(m_counter->m_nValue[kFirstOutputPin], 1);  // 0 is not below the off threshold 0
}

TEST(CounterLadderTest, ContactsFollowTheCounterOutput) {
  CDiagramBuilder diagram(kDocLadder);
  auto* counter = diagram.Add<CBlockCOUNTER>(800);
  CBlockObj* cnt = diagram.Add(600);
  CDiagramBuilder::Wire(cnt, counter, 1);
  CBlockObj* contact = diagram.Add(700);
  contact->m_nOperand = counter->m_nNumber;
  contact->m_nValue[0] = 1;  // powered
  counter->m_nParam10 = 1;
  cnt->m_nValue[kFirstOutputPin] = 1;
  counter->Simulate(&diagram.View());
  EXPECT_EQ(counter->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(contact->m_nContactState, 1);
  EXPECT_EQ(contact->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(counter->m_bChanged[kFirstOutputPin], 0);
}

// Every scanned block reaches the view's open sheets once (the view formats
// the value by type; a relay, 808, shows none there).
TEST_F(ScanFixture, ValueBlocksHandTheirValueToAnOpenParameterSheet) {
  for (int type : {800, 801, 802, 803, 805, 815, 818, 808}) {
    CBlockObj* block = m_diagram.Add(type);
    View().m_valueShows.clear();
    block->SimulateAndDraw(&View(), nullptr);
    EXPECT_EQ(View().m_valueShows, std::vector<CBlockObj*>{block}) << type;
  }
}

// ---- Hours counter --------------------------------------------------------------

struct HoursStep {
  LONGLONG ms;
  int r, en, ral;
  int remaining, operating, out;
  int paused = 0;  // the scan runs while the simulation is suspended
};
struct HoursCase {
  const char* name;
  int resetMode;  // m_nParam18
  std::vector<HoursStep> steps;
};

TEST_F(ScanFixture, HoursCounterIntervalsAndResets) {
  const std::vector<HoursCase> cases = {
      {"En falling clears Q",
       0,
       {{0, 0, 1, 0, 2, 0, 0},
        {59975, 0, 1, 0, 2, 0, 0},
        {60000, 0, 1, 0, 1, 1, 0},
        {119975, 0, 1, 0, 1, 1, 0},
        {120000, 0, 1, 0, 0, 2, 1},
        {130000, 0, 0, 0, 0, 2, 0}}},
      {"Q kept without En",
       1,
       {{0, 0, 1, 0, 2, 0, 0}, {120000, 0, 1, 0, 0, 2, 1}, {130000, 0, 0, 0, 0, 2, 1}}},
      {"R clears Q, MN stays 0",
       0,
       {{0, 0, 1, 0, 2, 0, 0},
        {120000, 0, 1, 0, 0, 2, 1},
        {121000, 1, 1, 0, 0, 2, 0},
        {122000, 0, 1, 0, 0, 2, 0},
        {122025, 0, 1, 0, 0, 2, 1}}},
      {"Ral clears OT", 0, {{0, 0, 1, 0, 2, 0, 0}, {180000, 0, 1, 0, 0, 3, 1}, {181000, 0, 1, 1, 0, 0, 0}}},
      {"Suspended scans count no minute",
       0,
       {{0, 0, 1, 0, 2, 0, 0},
        {60000, 0, 1, 0, 1, 1, 0},
        {60025, 0, 1, 0, 1, 1, 0, 1},
        {60050, 0, 1, 0, 1, 1, 0, 1},
        {60075, 0, 1, 0, 1, 1, 0, 1}}},
  };
  for (const HoursCase& c : cases) {
    auto* hours = m_diagram.Add<CBlockHCOUNTER>(801);
    hours->m_nParam10 = 0;  // MI 0:02
    hours->m_nParam9 = 2;
    hours->m_nParam18 = c.resetMode;
    const std::vector<CBlockObj*> inputs = {InputTo(hours, 0), InputTo(hours, 1), InputTo(hours, 2)};
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const HoursStep& s = c.steps[i];
      SetTime(s.ms);
      hours->m_stPause = s.paused ? AddMs(kStart, s.ms) : SYSTEMTIME{};
      Scan(hours, inputs, {s.r, s.en, s.ral});
      EXPECT_EQ(hours->m_nRemaining, s.remaining) << c.name << " step " << i;
      EXPECT_EQ(hours->m_nOperating, s.operating) << c.name << " step " << i;
      EXPECT_EQ(hours->m_nValue[kFirstOutputPin], s.out) << c.name << " step " << i;
    }
  }
}

TEST_F(ScanFixture, HoursCounterStartValueAndValueBox) {
  auto* hours = m_diagram.Add<CBlockHCOUNTER>(801);
  hours->m_nParam10 = 10;  // MI 10:00
  hours->m_nParam15 = 25;  // operating time preset 25:30
  hours->m_nParam14 = 30;
  EXPECT_EQ(hours->ComputeStartValue(), 600 - (25 * 60 + 30) % 600);
  hours->m_nParam10 = 0;
  hours->m_nParam9 = 0;
  EXPECT_EQ(hours->ComputeStartValue(), 0);

  auto* ref = m_diagram.Add<CBlockCOUNTER>(800);
  hours->m_pRef[0] = ref;
  const std::vector<std::pair<double, int>> refs = {{1.5, 90}, {-3, 0}, {20000, 9999 * 60}};
  for (const auto& [hoursValue, minutes] : refs) {
    ref->m_dValue = hoursValue;
    EXPECT_EQ(hours->ComputeStartValue(), minutes) << hoursValue;
  }

  hours->m_nRemaining = 125;
  hours->m_nOperating = 61;
  const std::vector<CString> expected = {
      FormatString(u"MI=%8sh", FormatString(u"B%d", ref->m_nNumber - 9000).GetString()), u"MN=    2h 5m",
      u"OT=    1h 1m"};
  EXPECT_EQ(hours->GetValueBoxLines(), expected);
  hours->m_pRef[0] = nullptr;
  hours->m_nParam10 = 3;
  hours->m_nParam9 = 7;
  EXPECT_EQ(hours->GetValueBoxLines()[0], CString(u"MI=    3h 7m"));
}

// ---- Frequency trigger ----------------------------------------------------------

TEST_F(ScanFixture, FrequencyTriggerComparesPulsesPerGateTime) {
  auto* trigger = m_diagram.Add<CBlockTHTRG>(802);
  trigger->m_nParam10 = 10;  // on
  trigger->m_nParam9 = 5;    // off
  const std::vector<CBlockObj*> fre = {InputTo(trigger, 0)};
  SetTime(0);
  Scan(trigger, fre, {0});  // the first scan starts the first gate time
  EXPECT_EQ(trigger->m_bGateRunning, 1);

  const std::vector<std::pair<int, int>> gates = {{12, 1}, {7, 1}, {5, 0}, {7, 0}, {11, 1}};
  LONGLONG t = 0;
  for (size_t g = 0; g < gates.size(); ++g) {
    const LONGLONG gateStart = t;
    for (int p = 0; p < gates[g].first; ++p) {
      SetTime(t += 25);
      Scan(trigger, fre, {1});
      SetTime(t += 25);
      Scan(trigger, fre, {0});
    }
    SetTime(t = gateStart + 1000);
    Scan(trigger, fre, {0});
    EXPECT_EQ(trigger->m_nMeasured, gates[g].first) << "gate " << g;
    EXPECT_EQ(trigger->m_nValue[kFirstOutputPin], gates[g].second) << "gate " << g;
  }
}

TEST_F(ScanFixture, FrequencyTriggerReadsAnInputSimulatedAt50Hz) {
  auto* trigger = m_diagram.Add<CBlockTHTRG>(802);
  auto* input = m_diagram.Add<CBlockIn>(600);
  input->m_nParam26 = 3;  // simulated by frequency
  input->m_nSimValue = 50;
  CDiagramBuilder::Wire(input, trigger, 0);
  for (LONGLONG t = 0; t <= 3000; t += 25) {
    SetTime(t);
    trigger->Simulate(&View());
    if (t > 0 && t % 1000 == 0) {
      EXPECT_EQ(trigger->m_nMeasured, 50) << t;
      EXPECT_EQ(trigger->GetValueBoxLines(), (std::vector<CString>{u"    50", u"01:00s"}));
    }
  }
  // While paused the gate time does not run out.
  View().m_stScanTime = AddMs(kStart, 3500);
  trigger->m_stPause = AddMs(kStart, 3100);
  EXPECT_EQ(trigger->IsGateTimeElapsed(&View(), 1), 0);
}

// ---- Relays ---------------------------------------------------------------------

TEST_F(ScanFixture, LatchingRelayResetWins) {
  auto* relay = m_diagram.Add<CBlockLR>(808);
  const std::vector<CBlockObj*> inputs = {InputTo(relay, 0), InputTo(relay, 1)};
  const int steps[][3] = {{1, 0, 1}, {0, 0, 1}, {1, 1, 0}, {0, 0, 0}, {1, 0, 1}, {0, 1, 0}};
  for (const auto& s : steps) {
    Scan(relay, inputs, {s[0], s[1]});
    EXPECT_EQ(relay->m_nValue[kFirstOutputPin], s[2]) << s[0] << s[1];
  }
}

TEST_F(ScanFixture, PulseRelayTogglesSetsAndResets) {
  auto* relay = m_diagram.Add<CBlockPR>(809);
  const std::vector<CBlockObj*> inputs = {InputTo(relay, 0), InputTo(relay, 1), InputTo(relay, 2)};
  for (int expected : {1, 0, 1}) {
    Pulse(relay, inputs, {0, 0, 0}, 0);
    EXPECT_EQ(relay->m_nValue[kFirstOutputPin], expected);
  }
  // (Trg, S, R, priority) -> output
  const int steps[][5] = {
      {0, 1, 1, 0, 0}, {0, 1, 1, 1, 1}, {1, 1, 0, 0, 1}, {0, 0, 0, 0, 1}, {0, 0, 1, 0, 0}};
  for (const auto& s : steps) {
    relay->m_nParam25 = s[3];
    Scan(relay, inputs, {s[0], s[1], s[2]});
    EXPECT_EQ(relay->m_nValue[kFirstOutputPin], s[4]) << s[0] << s[1] << s[2] << s[3];
  }
}

TEST_F(ScanFixture, MathErrorDetectionStaysOff) {
  CBlockObj* detection = m_diagram.Add(823);
  const std::vector<CBlockObj*> inputs = {InputTo(detection, 0), InputTo(detection, 1)};
  Scan(detection, inputs, {1, 0});
  EXPECT_EQ(detection->m_nValue[kFirstOutputPin], 0);
}

// ---- Shift register -------------------------------------------------------------

struct ShiftCase {
  int dir;
  WORD initial;
  std::vector<int> in;  // In at each Trg rise
  WORD bits;
  int outputBit;  // m_nParam23
  int out;
};

TEST_F(ScanFixture, ShiftRegisterPatterns) {
  auto* reg = m_diagram.Add<CBlockSREG>(812);
  const std::vector<CBlockObj*> inputs = {InputTo(reg, 0), InputTo(reg, 1), InputTo(reg, 2)};
  std::vector<CBlockObj*> bits;
  for (int i = 0; i < 16; ++i) bits.push_back(m_diagram.Add(602));
  ASSERT_EQ(bits[3]->m_nNumber, 1003);

  const std::vector<ShiftCase> cases = {
      {0, 0x0000, {1, 0, 0, 0}, 0x0008, 3, 1},
      {0, 0x8001, {0}, 0x0002, 15, 0},  // bit 15 leaves the register
      {1, 0x0001, {1}, 0x8000, 0, 0},   // bit 0 leaves the register
      {1, 0x0000, {1, 1, 0}, 0x6000, 13, 1},
  };
  for (const ShiftCase& c : cases) {
    reg->m_wBits = c.initial;
    reg->m_nParam23 = c.outputBit;
    for (int in : c.in) Pulse(reg, inputs, {in, 0, c.dir}, 1);
    EXPECT_EQ(reg->m_wBits, c.bits) << c.dir << " " << c.initial;
    EXPECT_EQ(reg->m_nValue[kFirstOutputPin], c.out) << c.dir << " " << c.initial;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bits[i]->m_nValue[kFirstOutputPin], (c.bits >> i) & 1) << i;
  }
  // Trg held at 1 or falling shifts nothing.
  Scan(reg, inputs, {1, 1, 0});
  const WORD after = reg->m_wBits;
  Scan(reg, inputs, {1, 1, 0});
  Scan(reg, inputs, {1, 0, 0});
  EXPECT_EQ(reg->m_wBits, after);
}

}  // namespace
