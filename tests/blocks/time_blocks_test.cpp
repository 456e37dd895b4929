#include "blocks/time_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "blocks/block_factory.h"
#include "editor/scan_driver.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"
#include "platform/ms_clock.h"
#include "platform/random.h"
#include "platform/recording_dc.h"
#include "support/fake_contexts.h"
#include "support/sim_time.h"

namespace {

SYSTEMTIME Plus(const SYSTEMTIME& st, int ms) {
  SYSTEMTIME out{};
  AddMsToSystemTime(&st, ms, &out);
  return out;
}

// One time block in a document, its digital inputs wired to input blocks whose
// levels the test sets. Direct calls see a fake view with a settable clock;
// timelines run the block in the scan driver, tick by tick.
class TimeRig {
 public:
  explicit TimeRig(int type, int docKind = kDocFbd) {
    m_stBase = SimTime(2024, 1, 1);  // a Monday
    m_doc.m_nKind = docKind;
    m_view.m_pDoc = &m_doc;
    m_view.m_nEditMode = MODE_SIMULATION;
    SetClock(0);
    m_pBlock = dynamic_cast<CBlockTime*>(m_doc.AddBlock(MakeBlockOfType(type)));
    for (int pin = 0; pin < m_pBlock->m_nInputs && m_pBlock->m_nPinType[pin] == PIN_DIGITAL; ++pin) {
      CBlockObj* in = m_doc.AddBlock(MakeBlockOfType(600));
      m_pBlock->m_nSource[pin] = in->m_nNumber;
      m_inputs.push_back(in);
    }
    m_driver.SetSink(&m_sink);
  }

  CBlockTime& Block() { return *m_pBlock; }
  CZaradDoc& Doc() { return m_doc; }
  CFakeViewContext& View() { return m_view; }
  CScanDriver& Driver() { return m_driver; }
  int Output() const { return m_pBlock->m_nValue[kFirstOutputPin]; }
  int SheetUpdates() const { return m_sink.m_nShows; }

  // The fake view's simulated clock and scan time at ms after the start.
  void SetClock(int ms) { m_view.m_stSimTime = m_view.m_stScanTime = Plus(m_stBase, ms); }
  // Input levels, one character per digital input ("10": trigger 1, R 0).
  void SetInputs(const char* levels) {
    for (size_t i = 0; i < m_inputs.size() && levels[i]; ++i)
      m_inputs[i]->m_nValue[kFirstOutputPin] = levels[i] - '0';
  }
  // A block outside the document whose value stands in as a referenced preset
  // (read in unit); the scan never touches it.
  CBlockObj* Reference(int ref, double value, int unit) {
    m_refs.push_back(MakeBlockOfType(800));
    CBlockObj* counter = m_refs.back().get();
    counter->m_dValue = value;
    m_pBlock->m_bUseRef[ref] = 1;
    m_pBlock->m_pRef[ref] = counter;
    if (ref == 0) m_pBlock->m_nParam12 = unit;
    if (ref == 1) m_pBlock->m_nParam13 = unit;
    return counter;
  }

  // The clock advances one tick (the first call enters simulation at 0 ms).
  void Tick() {
    if (!m_driver.IsSimulating()) {
      m_driver.EnterSimulation(m_stBase);
    } else {
      m_driver.Tick();
      m_nMs += CScanDriver::kTickMs;
    }
  }
  void Scan() { m_driver.Scan(&m_dc); }
  // Tick and scan; returns the time of the scan in ms.
  int Next() {
    Tick();
    Scan();
    return m_nMs;
  }

 private:
  // Counts what the time block hands to the view's sheets (every block of a
  // scan is handed over; the view formats only the kinds that show a value).
  struct Sink : CSimBarSink {
    int m_nShows = 0;
    int ShowCurrentParameterValue(CBlockObj* b) override {
      if (dynamic_cast<CBlockTime*>(b)) ++m_nShows;
      return 0;
    }
  };

  CZaradDoc m_doc;
  CFakeViewContext m_view;
  CScanDriver m_driver{&m_doc};
  Sink m_sink;
  CRecordingDC m_dc;
  SYSTEMTIME m_stBase{};
  int m_nMs = 0;
  CBlockTime* m_pBlock = nullptr;
  std::vector<CBlockObj*> m_inputs;
  std::vector<std::unique_ptr<CBlockObj>> m_refs;
};

// A row of a timeline: from ms on, the inputs take the levels of `in` (or the
// simulation takes a command: "P" suspend, "R" run, "O" power off, "N" power
// on; "" changes nothing) and the output is `out` on every tick until the next
// row. `value`, when not negative, is m_dValue after the row's first scan.
struct Row {
  int ms;
  const char* in;
  int out;
  double value = -1;
};

struct Timeline {
  const char* name;
  int type;
  void (*setup)(TimeRig&);
  std::vector<Row> rows;
  int endMs;
};

void SetPreset(CBlockTime& b, int onPhase, int high, int low, int unit = 2) {
  (onPhase ? b.m_nParam10 : b.m_nParam15) = high;
  (onPhase ? b.m_nParam9 : b.m_nParam14) = low;
  (onPhase ? b.m_nParam11 : b.m_nParam16) = unit;
}

const Timeline kTimelines[] = {
    {"OnDelay",
     400,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 1, 1, 0);
     },
     {{0, "0", 0},
      {100, "1", 0},
      {1100, "", 0, 1000},  // equal to the preset: not yet passed
      {1125, "", 1, 1000},
      {1500, "0", 0, 0},
      {2000, "1", 0},
      {2975, "0", 0, 0},  // falls one scan before the preset passes
      {3500, "1", 0},
      {4000, "P", 0, 475},  // a pause of 1 s does not count
      {4500, "", 0, 475},
      {5000, "R", 0, 475},  // the elapsed time goes on from where it stood
      {5550, "", 1},
      {6000, "O", 1},  // power off: nothing is evaluated
      {6500, "N", 0},  // power on: the trigger rises anew
      {7525, "", 1}},
     7800},
    {"OnDelayReferenced",
     400,
     [](TimeRig& rig) { rig.Reference(0, 300, 2); },
     {{0, "0", 0}, {100, "1", 0}, {425, "", 1, 300}, {500, "0", 0}},
     600},
    {"OffDelay",
     401,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 1, 0, 50);
     },
     {{0, "00", 0},
      {100, "10", 1},
      {200, "00", 1},
      {725, "", 0},
      {1000, "10", 1},
      {1050, "00", 1},
      {1300, "01", 0},  // R turns it off at once
      {1500, "11", 0},
      {1600, "10", 1},  // R falling: the output follows the trigger
      {1700, "00", 1},
      {2225, "", 0}},
     2500},
    {"OnOffDelay",
     402,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 1, 0, 30);
       SetPreset(b, 0, 0, 50);
     },
     {{0, "0", 0},
      {100, "1", 0},
      {425, "", 1},
      {600, "0", 1},
      {1125, "", 0, 500},
      {1500, "1", 0},
      {1700, "0", 0},  // the on-delay is cancelled
      {2000, "1", 0},
      {2325, "", 1},
      {2400, "0", 1},
      {2600, "1", 0},  // rising again during the off-delay
      {2925, "", 1}},
     3200},
    {"RetentiveOnDelay",
     403,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 1, 0, 50);
       b.m_nParam1 = 1;
     },
     {{0, "00", 0},
      {100, "10", 0},
      {125, "00", 0},  // a one-scan pulse is enough
      {625, "", 1},
      {800, "01", 0},
      {900, "11", 0},
      {1000, "10", 0},
      {1200, "O", 0},  // 175 ms have elapsed; the power cut keeps them
      {1500, "N", 0},
      {1825, "", 1}},
     2000},
    {"RetentiveOnDelayNotRetentive",
     403,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 1, 0, 50);
     },
     {{0, "10", 0}, {200, "O", 0}, {300, "N", 0}, {825, "", 1}},
     1000},
    {"WipingRelay",
     404,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 1, 0, 50);
     },
     {{0, "0", 0}, {100, "1", 1}, {625, "", 0, 500}, {800, "0", 0}, {1000, "1", 1}, {1200, "0", 0}},
     1500},
    {"EdgeTriggeredWipingRelay",
     405,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 1, 0, 20);  // pulse
       SetPreset(b, 0, 0, 30);  // pause before each pulse
       b.m_nParam17 = 2;        // three pulses
     },
     {{0, "00", 0},
      {100, "10", 0},
      {425, "", 1},
      {650, "", 0},
      {975, "", 1},
      {1200, "", 0},
      {1525, "", 1},
      {1750, "", 0},
      {2000, "00", 0},
      {2100, "10", 0},
      {2300, "11", 0},
      {2400, "00", 0}},
     3000},
    {"EdgeTriggeredWipingRelayZeroPresets",
     405,
     [](TimeRig&) {},
     {{0, "00", 0}, {100, "10", 0}, {200, "00", 0}, {300, "10", 0}},
     600},
    {"AsynchronousPulseGenerator",
     406,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 1, 0, 20);
       SetPreset(b, 0, 0, 30);
     },
     {{0, "00", 0},
      {100, "10", 0},  // not in the scan En rises
      {125, "", 1},
      {325, "", 0},
      {650, "", 1},
      {875, "", 0},
      {1200, "", 1},
      {1300, "11", 0},  // Inv swaps the levels
      {1425, "", 1},
      {1750, "", 0},
      {1800, "01", 0}},
     2000},
    {"AsynchronousPulseGeneratorNoTimes",
     406,
     [](TimeRig&) {},
     {{0, "00", 0}, {100, "10", 0}, {125, "", 1}, {500, "11", 0}, {700, "01", 0}},
     800},
    {"RandomGeneratorZeroDelays",
     407,
     [](TimeRig&) {},
     {{0, "0", 0}, {100, "1", 1}, {200, "0", 0}, {300, "1", 1}},
     400},
    {"StairwayLightingSwitch",
     408,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 0, 2, 0);  // T 2 s
       b.m_nParam19 = 50;      // Tw 0.5 s
       b.m_nParam21 = 25;      // Tl 0.25 s
     },
     {{0, "0", 0},
      {100, "1", 1},
      {200, "0", 1},
      {1725, "", 0},  // the warning: off at T - Tw
      {1950, "", 1},  // on again after Tl
      {2225, "", 0},
      {2500, "1", 1},
      {2600, "0", 1},
      {2800, "1", 1},
      {2900, "0", 1},  // the light time starts again
      {4425, "", 0},
      {4650, "", 1},
      {4925, "", 0}},
     5200},
    {"StairwayWarningLongerThanLight",
     408,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 0, 0, 50);  // T 0.5 s
       b.m_nParam20 = 1;        // Tw 1 s
       b.m_nParam19 = 0;
       b.m_nParam21 = 10;  // Tl 0.1 s
     },
     {{0, "1", 1}, {100, "0", 0}, {200, "", 1}, {625, "", 0}},
     800},
    {"MultipleFunctionSwitch",
     409,
     [](TimeRig& rig) {
       CBlockTime& b = rig.Block();
       SetPreset(b, 1, 0, 50);  // long press 0.5 s
       SetPreset(b, 0, 2, 0);   // T 2 s
       b.m_nParam19 = 50;       // Tw 0.5 s
       b.m_nParam21 = 25;       // Tl 0.25 s
     },
     {{0, "00", 0},     {100, "10", 1},  // short press: the light time starts on release
      {300, "00", 1},   {1800, "", 0},    {2075, "", 1},    {2325, "", 0},    {2500, "10", 1},
      {2600, "00", 1},  {3000, "10", 0},  // a second press switches off
      {3100, "00", 0},  {3500, "10", 1},  // long press: permanent light
      {4200, "00", 1},  {4500, "10", 0},  {4600, "00", 0},  {5000, "10", 1},  {5100, "00", 1},
      {6600, "", 0},    {6650, "10", 1},  // a tap during the warning restarts the light time
      {6675, "00", 1},  {8175, "", 0},    {8450, "", 1},    {8700, "", 0},    {9000, "10", 1},
      {9100, "00", 1},  {10600, "", 0},   {10650, "10", 1},  // held longer than 50 ms during the warning: off
      {10725, "", 0},   {10800, "00", 0}, {11000, "01", 0}, {11100, "11", 0}, {11200, "01", 0},
      {11300, "11", 0}, {11400, "10", 1}},  // R falls while the trigger is held
     11600},
    {"AstronomicalClock", 412, [](TimeRig&) {}, {{0, "", 0}}, 200},
    {"Stopwatch", 413, [](TimeRig&) {}, {{0, "111", 0}, {100, "000", 0}}, 200},
};

class TimelineTest : public testing::TestWithParam<Timeline> {};

TEST_P(TimelineTest, OutputPerTick) {
  const Timeline& t = GetParam();
  TimeRig rig(t.type);
  t.setup(rig);
  size_t next = 0;
  const Row* row = nullptr;
  for (int ms = 0; ms <= t.endMs; ms += 25) {
    rig.Tick();
    bool rowStart = false;
    if (next < t.rows.size() && t.rows[next].ms == ms) {
      row = &t.rows[next++];
      rowStart = true;
      const std::string in = row->in;
      if (in == "P" || in == "R") {
        rig.Driver().SuspendResume();
      } else if (in == "O") {
        rig.Driver().PowerDown();
      } else if (in == "N") {
        rig.Driver().PowerUp();
      } else {
        rig.SetInputs(row->in);
      }
    }
    ASSERT_NE(row, nullptr) << "the first row must start at 0";
    rig.Scan();
    ASSERT_EQ(rig.Output(), row->out) << t.name << " at " << ms << " ms";
    if (rowStart && row->value >= 0) {
      EXPECT_DOUBLE_EQ(rig.Block().m_dValue, row->value) << t.name << " at " << ms;
    }
  }
  EXPECT_EQ(next, t.rows.size()) << "rows past the end";
}

INSTANTIATE_TEST_SUITE_P(TimeBlocks, TimelineTest, testing::ValuesIn(kTimelines),
                         [](const testing::TestParamInfo<Timeline>& info) {
                           return std::string(info.param.name);
                         });

// ---- Presets ------------------------------------------------------------------

TEST(TimePresetTest, ConstantAndReferencedPresets) {
  struct Case {
    bool referenced;
    double value;  // referenced value, or high:low as high * 1000 + low
    int unit;
    double expectedMs;
  } cases[] = {
      {false, 1000 + 30, 0, 90 * 60000},  // 01:30h
      {false, 2000 + 5, 1, 125000},       // 02:05m
      {false, 12000 + 34, 2, 12340},      // 12.34 s
      {false, 1000, 7, 1000},             // a damaged unit reads as the nearest one
      {true, 7000, 1, 5999000},           // capped at 5999 s
      {true, 250, 2, 250},                // unit 2 counts milliseconds
      {true, 120000, 2, 99990},
      {true, 10, 0, 600000},
      {true, -5, 1, 0},  // negative counts as 0
  };
  for (const Case& c : cases) {
    TimeRig rig(400);
    CBlockTime& b = rig.Block();
    if (c.referenced) {
      rig.Reference(0, c.value, c.unit);
      SetPreset(b, 1, 9, 9, 0);  // ignored while referenced
    } else {
      SetPreset(b, 1, static_cast<int>(c.value) / 1000, static_cast<int>(c.value) % 1000, c.unit);
    }
    EXPECT_DOUBLE_EQ(b.GetPresetMs(1), c.expectedMs) << c.value << " unit " << c.unit;
  }
}

TEST(TimePresetTest, RefreshPresetReportsOnlyChanges) {
  TimeRig rig(404);
  CBlockTime& b = rig.Block();
  SetPreset(b, 1, 1, 50, 1);
  EXPECT_EQ(b.RefreshPreset(1), 1);
  EXPECT_EQ(b.RefreshPreset(1), 0);
  EXPECT_DOUBLE_EQ(b.m_dValue, 110000);
  EXPECT_EQ(b.m_nLastParam, 1);
  EXPECT_EQ(b.m_nLastInput, 50);
  EXPECT_EQ(b.m_nLastSelect, 1);

  // A referenced preset shows split in its unit, and changes with the referenced value.
  CBlockObj* ref = rig.Reference(0, 3723, 0);  // 3723 minutes, shown as 62:03 h:m
  EXPECT_EQ(b.RefreshPreset(1), 1);
  EXPECT_EQ(b.m_nLastParam, 62);
  EXPECT_EQ(b.m_nLastInput, 3);
  EXPECT_EQ(b.RefreshPreset(1), 0);
  ref->m_dValue = 3724;
  EXPECT_EQ(b.RefreshPreset(1), 1);
}

TEST(TimePresetTest, UpdateElapsedStandsStillWhilePausedOrSteppingByCycles) {
  TimeRig rig(400);
  CBlockTime& b = rig.Block();
  SetPreset(b, 1, 1, 0);
  b.m_stStart = rig.View().m_stScanTime;
  rig.SetClock(400);
  EXPECT_EQ(b.UpdateElapsed(&rig.View(), 1), 0);
  EXPECT_DOUBLE_EQ(b.m_dValue, 400);
  EXPECT_DOUBLE_EQ(b.m_dRemaining, 600);

  rig.SetClock(500);
  b.m_stPause = rig.View().m_stScanTime;
  EXPECT_EQ(b.UpdateElapsed(&rig.View(), 1), 0);
  EXPECT_DOUBLE_EQ(b.m_dValue, 400);
  b.m_stPause = {};

  rig.View().m_nStepState = SIM_STEP_STEPPING;
  rig.View().m_nStepUnit = SIM_UNIT_CYCLES;
  rig.SetClock(1500);
  EXPECT_EQ(b.UpdateElapsed(&rig.View(), 1), 0);
  EXPECT_DOUBLE_EQ(b.m_dValue, 400);

  rig.View().m_nStepUnit = SIM_UNIT_SECONDS;
  b.m_dElapsedBase = 100;
  EXPECT_EQ(b.UpdateElapsed(&rig.View(), 1), 1);  // 1600 ms, capped at the preset
  EXPECT_DOUBLE_EQ(b.m_dValue, 1000);
  EXPECT_DOUBLE_EQ(b.m_dRemaining, 0);
}

// ---- Random generator ------------------------------------------------------------

TEST(RandomGeneratorTest, DelaysComeFromTheFifteenBitGenerator) {
  TimeRig rig(407);
  auto& rg = dynamic_cast<CBlockRG&>(rig.Block());
  SetPreset(rg, 1, 60, 0);  // 60 s
  SeedRandom(1);
  int largest = 0;
  for (int i = 0; i < 500; ++i) {
    rg.PickDelay(1);
    const int ms = rg.m_nOnDelaySec * 1000 + rg.m_nOnDelayHund * 10;
    EXPECT_LT(ms, 32768);
    EXPECT_GE(rg.m_nOnDelayHund, 0);
    EXPECT_LT(rg.m_nOnDelayHund, 100);
    largest = std::max(largest, ms);
  }
  EXPECT_GT(largest, 16384);  // the draws spread over the generator's range

  // A negative referenced preset draws like its absolute value.
  rig.Reference(1, -2, 1);
  for (int i = 0; i < 50; ++i) {
    rg.PickDelay(0);
    EXPECT_LT(rg.m_nOffDelaySec * 1000 + rg.m_nOffDelayHund * 10, 2000);
  }
}

TEST(RandomGeneratorTest, OutputFollowsTheDrawnDelays) {
  TimeRig rig(407);
  auto& rg = dynamic_cast<CBlockRG&>(rig.Block());
  SetPreset(rg, 1, 1, 0);
  SetPreset(rg, 0, 1, 0);
  SeedRandom(7);
  int ms = 0;
  auto scanWith = [&](const char* in) {
    rig.Tick();
    if (in) rig.SetInputs(in);
    rig.Scan();
    ms += 25;
  };
  scanWith("0");
  // Three on/off cycles: each edge waits its own drawn delay, rounded up to a tick.
  for (int cycle = 0; cycle < 3; ++cycle) {
    scanWith("1");
    const int onDelay = rg.m_nOnDelaySec * 1000 + rg.m_nOnDelayHund * 10;
    const int rise = ms;
    while (rig.Output() == 0 && ms < rise + 1100) scanWith(nullptr);
    EXPECT_GE(ms - rise, onDelay);
    EXPECT_LT(ms - rise, onDelay + 25);
    scanWith("0");
    const int offDelay = rg.m_nOffDelaySec * 1000 + rg.m_nOffDelayHund * 10;
    const int fall = ms;
    while (rig.Output() == 1 && ms < fall + 1100) scanWith(nullptr);
    EXPECT_EQ(rig.Output(), 0);
    EXPECT_LT(ms - fall, offDelay + 25);
  }
  // En falling before the on-delay has run out cancels it.
  SetPreset(rg, 1, 30, 0);
  do {
    scanWith("1");
    scanWith("0");
  } while (rig.Output() == 1);
  EXPECT_EQ(rg.m_bTiming, 0);
  for (int i = 0; i < 40; ++i) scanWith(nullptr);
  EXPECT_EQ(rig.Output(), 0);
}

// ---- Weekly and yearly timers -----------------------------------------------------

struct Cam {
  int cam;
  const char* days;  // seven characters from Sunday: '1' selected
  int onHour, onMinute;
  int offHour, offMinute;  // -1: not set
};

struct WeeklyCase {
  const char* name;
  std::vector<Cam> cams;
  int weekDay;  // 0 Sunday
  int hour, minute;
  int expected;
};

const WeeklyCase kWeeklyCases[] = {
    {"MondayDayBeforeOn", {{0, "0100000", 8, 0, 17, 0}}, 1, 7, 59, 0},
    {"MondayAtOn", {{0, "0100000", 8, 0, 17, 0}}, 1, 8, 0, 1},
    {"MondayBeforeOff", {{0, "0100000", 8, 0, 17, 0}}, 1, 16, 59, 1},
    {"MondayAtOff", {{0, "0100000", 8, 0, 17, 0}}, 1, 17, 0, 0},
    {"TuesdayAfterMonday", {{0, "0100000", 8, 0, 17, 0}}, 2, 10, 0, 0},
    {"OnOnlyWrapsIntoLastWeek", {{0, "0000010", 22, 0, -1, 0}}, 1, 0, 0, 1},
    {"OnOnlyBeforeItsPoint", {{0, "0000010", 22, 0, -1, 0}}, 5, 21, 59, 1},
    {"HigherCamWinsTie", {{0, "0100000", 8, 0, -1, 0}, {1, "0100000", -1, 0, 8, 0}}, 1, 8, 0, 0},
    {"HigherCamWinsTieOn", {{0, "0100000", -1, 0, 8, 0}, {1, "0100000", 8, 0, -1, 0}}, 1, 8, 0, 1},
    {"EqualOnAndOffCountAsOff", {{0, "0001000", 12, 0, 12, 0}}, 3, 12, 0, 0},
    {"EqualOnAndOffLater", {{0, "0001000", 12, 0, 12, 0}}, 3, 13, 0, 0},
    {"NoDaySelected", {{0, "0000000", 8, 0, 17, 0}}, 1, 12, 0, 0},
    {"NoTimeSet", {{0, "1111111", -1, 0, -1, 0}}, 1, 12, 0, 0},
    {"SaturdayNightIntoSunday", {{0, "0000001", 22, 0, -1, 0}, {1, "1000000", -1, 0, 6, 0}}, 6, 23, 0, 1},
    {"SundayMorningStillOn", {{0, "0000001", 22, 0, -1, 0}, {1, "1000000", -1, 0, 6, 0}}, 0, 5, 59, 1},
    {"SundayMorningOff", {{0, "0000001", 22, 0, -1, 0}, {1, "1000000", -1, 0, 6, 0}}, 0, 6, 0, 0},
    {"FridayAfterSundayOff", {{0, "0000001", 22, 0, -1, 0}, {1, "1000000", -1, 0, 6, 0}}, 5, 12, 0, 0},
};

class WeeklyTimerTest : public testing::TestWithParam<WeeklyCase> {};

TEST_P(WeeklyTimerTest, OutputAtTime) {
  const WeeklyCase& c = GetParam();
  TimeRig rig(410);
  CBlockTime& wt = rig.Block();
  for (const Cam& cam : c.cams) {
    for (int d = 0; d < 7; ++d) wt.m_nCamDays[cam.cam][d] = cam.days[d] == '1';
    wt.m_bCamOnUnset[cam.cam] = cam.onHour < 0;
    wt.m_nCamOn[cam.cam][0] = cam.onHour;
    wt.m_nCamOn[cam.cam][1] = cam.onMinute;
    wt.m_bCamOffUnset[cam.cam] = cam.offHour < 0;
    wt.m_nCamOff[cam.cam][0] = cam.offHour;
    wt.m_nCamOff[cam.cam][1] = cam.offMinute;
  }
  // 7 January 2024 is a Sunday; the weekday comes from the date, not from wDayOfWeek.
  rig.View().m_stSimTime = SimTime(2024, 1, 7 + c.weekDay, c.hour, c.minute, 30);
  rig.View().m_stScanTime = SimTime(2000, 1, 1);
  EXPECT_EQ(wt.Simulate(&rig.View()), 1);
  EXPECT_EQ(rig.Output(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(TimeBlocks, WeeklyTimerTest, testing::ValuesIn(kWeeklyCases),
                         [](const testing::TestParamInfo<WeeklyCase>& info) {
                           return std::string(info.param.name);
                         });

struct YearlyCase {
  int onMonth, onDay, offMonth, offDay, monthly;
  SYSTEMTIME at;
  int expected;
};

TEST(YearlyTimerTest, OutputOnDate) {
  const YearlyCase cases[] = {
      // Across the year end: 1 December to 1 February.
      {12, 1, 2, 1, 0, SimTime(2024, 1, 15), 1},
      {12, 1, 2, 1, 0, SimTime(2024, 1, 31, 23, 59, 59, 975), 1},
      {12, 1, 2, 1, 0, SimTime(2024, 2, 1), 0},
      {12, 1, 2, 1, 0, SimTime(2024, 11, 30, 23, 59, 59), 0},
      {12, 1, 2, 1, 0, SimTime(2024, 12, 1), 1},
      {12, 1, 2, 1, 0, SimTime(2024, 12, 31, 23, 59, 59), 1},
      // Within one year.
      {3, 10, 9, 20, 0, SimTime(2024, 3, 9, 23, 59), 0},
      {3, 10, 9, 20, 0, SimTime(2024, 6, 1), 1},
      {3, 10, 9, 20, 0, SimTime(2024, 9, 20), 0},
      // 29 February of a common year carries into 1 March.
      {2, 29, 3, 5, 0, SimTime(2023, 3, 1), 1},
      {2, 29, 3, 5, 0, SimTime(2023, 2, 28, 23, 59), 0},
      // Equal dates: never on.
      {5, 5, 5, 5, 0, SimTime(2024, 5, 5, 12), 0},
      // Monthly: day 10 to day 20, and a window across the month end.
      {1, 10, 1, 20, 1, SimTime(2024, 7, 10), 1},
      {1, 10, 1, 20, 1, SimTime(2024, 7, 19, 23, 59), 1},
      {1, 10, 1, 20, 1, SimTime(2024, 7, 20), 0},
      {1, 10, 1, 20, 1, SimTime(2024, 7, 9), 0},
      {1, 25, 1, 5, 1, SimTime(2024, 7, 28), 1},
      {1, 25, 1, 5, 1, SimTime(2024, 8, 3), 1},
      {1, 25, 1, 5, 1, SimTime(2024, 8, 10), 0},
      {1, 5, 1, 5, 1, SimTime(2024, 8, 5), 0},
  };
  for (const YearlyCase& c : cases) {
    TimeRig rig(411);
    CBlockTime& yt = rig.Block();
    yt.m_nParam10 = c.onMonth;
    yt.m_nParam9 = c.onDay;
    yt.m_nParam15 = c.offMonth;
    yt.m_nParam14 = c.offDay;
    yt.m_nParam3 = c.monthly;
    rig.View().m_stSimTime = c.at;
    EXPECT_EQ(yt.Simulate(&rig.View()), 1);
    EXPECT_EQ(rig.Output(), c.expected)
        << c.onMonth << "/" << c.onDay << "-" << c.offMonth << "/" << c.offDay << " monthly " << c.monthly
        << " on " << c.at.wYear << "-" << c.at.wMonth << "-" << c.at.wDay;
  }
}

TEST(YearlyTimerTest, DamagedDatesNeitherTrapNorHang) {
  TimeRig rig(411);
  CBlockTime& yt = rig.Block();
  for (int v : {INT_MIN, -1, 0, 13, 1000000, INT_MAX}) {
    yt.m_nParam10 = yt.m_nParam9 = yt.m_nParam15 = v;
    yt.m_nParam14 = v / -2;
    for (int monthly : {0, 1}) {
      yt.m_nParam3 = monthly;
      EXPECT_EQ(yt.Simulate(&rig.View()), 1);
    }
  }
}

// ---- Scan services: value box, parameter sheets, contacts -------------------------

TEST(TimeScanTest, ValueBoxTextAndParameterSheets) {
  TimeRig rig(400);
  SetPreset(rig.Block(), 1, 1, 0);
  rig.SetInputs("1");
  while (rig.Next() < 500) {
  }
  EXPECT_EQ(rig.Block().m_strValueText, CString("00:50s"));
  EXPECT_EQ(rig.SheetUpdates(), 21);
  while (rig.Next() < 1100) {
  }
  EXPECT_EQ(rig.Output(), 1);
  EXPECT_EQ(rig.Block().m_strValueText, CString("01:00s"));

  // The weekly timer draws no value box; its time text stays as it was.
  TimeRig week(410);
  week.Next();
  EXPECT_TRUE(week.Block().m_strValueText.IsEmpty());
  EXPECT_EQ(week.SheetUpdates(), 1);
}

TEST(TimeScanTest, LadderContactsFollowTheOutput) {
  TimeRig rig(404, kDocLadder);
  SetPreset(rig.Block(), 1, 0, 10);
  CBlockObj* contact = rig.Doc().AddBlock(MakeBlockOfType(700));
  contact->m_nOperand = rig.Block().m_nNumber;
  contact->m_nValue[0] = 1;
  rig.SetInputs("1");
  rig.Block().Simulate(&rig.View());
  EXPECT_EQ(contact->m_nContactState, 1);
  EXPECT_EQ(contact->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(rig.Block().m_bChanged[kFirstOutputPin], 0);
  rig.SetClock(125);
  rig.Block().Simulate(&rig.View());
  EXPECT_EQ(rig.Output(), 0);
  EXPECT_EQ(contact->m_nContactState, 0);
}

// ---- Record ---------------------------------------------------------------------

void FillCams(CBlockTime& b, int seed) {
  int v = seed;
  for (auto& cam : b.m_nCamDays)
    for (int& day : cam) day = v++ % 2;
  for (auto& t : b.m_nCamOn) t[0] = v++, t[1] = v++;
  for (int& u : b.m_bCamOnUnset) u = v++ % 2;
  for (auto& t : b.m_nCamOff) t[0] = v++, t[1] = v++;
  for (int& u : b.m_bCamOffUnset) u = v++ % 2;
}

std::vector<int> CamInts(const CBlockTime& b) {
  std::vector<int> out;
  for (const auto& cam : b.m_nCamDays) out.insert(out.end(), std::begin(cam), std::end(cam));
  for (const auto& t : b.m_nCamOn) out.insert(out.end(), std::begin(t), std::end(t));
  out.insert(out.end(), std::begin(b.m_bCamOnUnset), std::end(b.m_bCamOnUnset));
  for (const auto& t : b.m_nCamOff) out.insert(out.end(), std::begin(t), std::end(t));
  out.insert(out.end(), std::begin(b.m_bCamOffUnset), std::end(b.m_bCamOffUnset));
  return out;
}

TEST(TimeRecordTest, CamTableRoundTripsForEveryTimeClass) {
  for (int type = 400; type <= 413; ++type) {
    std::unique_ptr<CBlockObj> made = MakeBlockOfType(type);
    auto* src = dynamic_cast<CBlockTime*>(made.get());
    ASSERT_NE(src, nullptr) << type;
    FillCams(*src, type);
    const std::vector<int> cams = CamInts(*src);
    ASSERT_EQ(cams.size(), 39u);

    CArchive out;
    out << static_cast<const CObject*>(src);
    std::vector<BYTE> bytes = out.TakeBytes();
    // The record ends with the 39 ints in file order.
    ASSERT_GE(bytes.size(), 39u * 4);
    std::vector<int> tail(39);
    std::memcpy(tail.data(), bytes.data() + bytes.size() - 39 * 4, 39 * 4);
    EXPECT_EQ(tail, cams) << type;

    CArchive in(bytes);
    CObject* obj = nullptr;
    in >> obj;
    std::unique_ptr<CObject> owner(obj);
    auto* dst = dynamic_cast<CBlockTime*>(obj);
    ASSERT_NE(dst, nullptr) << type;
    EXPECT_STREQ(dst->GetRuntimeClass()->m_lpszClassName, src->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(CamInts(*dst), cams) << type;
    EXPECT_EQ(dst->m_byCaps, src->m_byCaps) << type;
    EXPECT_TRUE(in.IsBufferEmpty());

    // A record cut inside the cam table is refused.
    bytes.resize(bytes.size() - 6);
    CArchive cut(bytes);
    CObject* partial = nullptr;
    EXPECT_THROW(cut >> partial, CArchiveException) << type;
  }
}

TEST(TimeRecordTest, OnlyTheWeeklyTimerCopiesItsCams) {
  TimeRig rig(410);
  FillCams(rig.Block(), 5);
  std::unique_ptr<CBlockObj> copy = MakeBlockOfType(410);
  rig.Block().CopyTo(copy.get(), FALSE, &rig.Doc());
  EXPECT_EQ(CamInts(dynamic_cast<CBlockTime&>(*copy)), CamInts(rig.Block()));

  TimeRig delay(400);
  FillCams(delay.Block(), 5);
  std::unique_ptr<CBlockObj> plain = MakeBlockOfType(400);
  delay.Block().CopyTo(plain.get(), FALSE, &delay.Doc());
  EXPECT_NE(CamInts(dynamic_cast<CBlockTime&>(*plain)), CamInts(delay.Block()));
}

}  // namespace
