// Analog function base and analog functions: scaling, record, copy and the
// scans of the comparator, triggers, amplifier, watchdog and multiplexer.
#include "blocks/analog_blocks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "blocks/operand_blocks.h"
#include "platform/archive.h"
#include "support/diagram_builder.h"

namespace {

// ---- Scaling --------------------------------------------------------------------

TEST(AnalogScaleTest, RoundsHalfAwayFromZeroAndClamps) {
  struct Case {
    double gain;
    int offset;
    double x;
    int expected;
  };
  const Case cases[] = {
      {1.0, 0, 123, 123},
      {1.0, 0, -123, -123},
      {0.5, 0, 5, 3},
      {0.5, 0, -5, -3},
      {0.5, 0, 4, 2},
      {0.25, 0, 3, 1},
      {0.25, 0, -3, -1},
      {0.2, 0, 2, 0},
      {1.0, 7, 0, 7},
      {1.0, -7, 0, -7},
      {10.0, 0, 4000, 32767},
      {10.0, 0, -4000, -32767},
      {1.0, 0, -32768, -32767},
      {1.0, 0, 32767, 32767},
      {1.5, 1, 1, 3},
      {1e300, 0, 1e300, 32767},
      {std::numeric_limits<double>::quiet_NaN(), 0, 1, 0},
  };
  CBlockAAMP amp(805);
  for (const Case& c : cases) {
    amp.m_dGain = c.gain;
    amp.m_nOffset = c.offset;
    EXPECT_EQ(amp.Scale(c.x), c.expected) << c.gain << " " << c.offset << " " << c.x;
  }
}

// ---- Record, defaults and copy ----------------------------------------------------

std::vector<BYTE> StoreRecord(CBlockObj& b) {
  CArchive ar;
  b.Serialize(ar);
  return ar.TakeBytes();
}

void FillAnalogFields(CBlockAnalog& a) {
  a.m_nSensor = 2;
  a.m_nRangeMin = -50;
  a.m_nRangeMax = 150;
  a.m_dGain = 0.125;
  a.m_nOffset = -3;
  a.m_nThreshold1 = 400;
  a.m_nThreshold2 = -400;
  a.m_nPoint = 2;
  a.m_nOption1 = 5;
  a.m_nOption2 = 6;
  a.m_nOption3 = 7;
  a.m_dKc = 2.75;
  a.m_nOption4 = 8;
  a.m_nTiMinutes = 3;
  a.m_nTiSeconds = 15;
  a.m_nSelect = 1;
  a.m_nResult = 999;  // computed: neither stored nor copied
}

TEST(AnalogRecordTest, StoresAllGroupsAndReadsThemBack) {
  CBlockAnalog plainAnalog;
  CBlockObj plainBlock;
  EXPECT_EQ(StoreRecord(plainAnalog).size() - StoreRecord(plainBlock).size(), 72u);

  CBlockPI src(818);
  FillAnalogFields(src);
  CArchive out;
  out << static_cast<const CObject*>(&src);
  CArchive in(out.TakeBytes());
  CObject* obj = nullptr;
  in >> obj;
  std::unique_ptr<CObject> owner(obj);
  auto* dst = DYNAMIC_DOWNCAST(CBlockPI, obj);
  ASSERT_NE(dst, nullptr);
  EXPECT_TRUE(in.IsBufferEmpty());
  EXPECT_EQ(dst->m_nLoadedSchema, 1);
  EXPECT_EQ(dst->m_nSensor, 2);
  EXPECT_EQ(dst->m_nRangeMin, -50);
  EXPECT_EQ(dst->m_nRangeMax, 150);
  EXPECT_EQ(dst->m_dGain, 0.125);
  EXPECT_EQ(dst->m_nOffset, -3);
  EXPECT_EQ(dst->m_nThreshold1, 400);
  EXPECT_EQ(dst->m_nThreshold2, -400);
  EXPECT_EQ(dst->m_nPoint, 2);
  EXPECT_EQ(dst->m_nOption1, 5);
  EXPECT_EQ(dst->m_nOption2, 6);
  EXPECT_EQ(dst->m_nOption3, 7);
  EXPECT_EQ(dst->m_dKc, 2.75);
  EXPECT_EQ(dst->m_nOption4, 8);
  EXPECT_EQ(dst->m_nTiMinutes, 3);
  EXPECT_EQ(dst->m_nTiSeconds, 15);
  EXPECT_EQ(dst->m_nSelect, 1);
  EXPECT_EQ(dst->m_nResult, 0);
}

TEST(AnalogRecordTest, OldRecordsKeepTheTypedDefaultsOfThePiGroup) {
  // A record of schema 0: the short common record and the first three groups.
  CBlockAnalog old;
  FillAnalogFields(old);
  std::vector<BYTE> bytes = StoreRecord(old);
  bytes.resize(bytes.size() - (4 + 8 + 4 * 4));

  const CBlockPWM typedPwm(819);
  const CBlockPI typedPi(818);
  const std::vector<std::pair<std::unique_ptr<CBlockAnalog>, const CBlockAnalog*>> blocks = [&] {
    std::vector<std::pair<std::unique_ptr<CBlockAnalog>, const CBlockAnalog*>> v;
    v.emplace_back(std::make_unique<CBlockPWM>(), &typedPwm);
    v.emplace_back(std::make_unique<CBlockPI>(), &typedPi);
    return v;
  }();
  for (const auto& [loaded, typed] : blocks) {
    CArchive in(bytes);
    in.SetObjectSchema(0);
    loaded->Serialize(in);
    EXPECT_TRUE(in.IsBufferEmpty());
    EXPECT_EQ(loaded->m_nLoadedSchema, 0);
    EXPECT_EQ(loaded->m_dGain, 0.125);
    EXPECT_EQ(loaded->m_nOption2, 6);
    EXPECT_EQ(loaded->m_nOption3, typed->m_nOption3);
    EXPECT_EQ(loaded->m_dKc, typed->m_dKc);
    EXPECT_EQ(loaded->m_nOption4, typed->m_nOption4);
    EXPECT_EQ(loaded->m_nTiMinutes, typed->m_nTiMinutes);
    EXPECT_EQ(loaded->m_nTiSeconds, typed->m_nTiSeconds);
    EXPECT_EQ(loaded->m_nSelect, typed->m_nSelect);
  }
  EXPECT_EQ(typedPwm.m_nSelect, 4);
}

TEST(AnalogCopyTest, PiGroupTravelsOnlyWithItsKinds) {
  CBlockPWM pwm(819);
  FillAnalogFields(pwm);
  CBlockPWM pwmCopy(819);
  pwm.CopyTo(&pwmCopy, FALSE, nullptr);
  EXPECT_EQ(pwmCopy.m_nSelect, 1);
  EXPECT_EQ(pwmCopy.m_dKc, 0.5);
  EXPECT_EQ(pwmCopy.m_nTiSeconds, 30);
  EXPECT_EQ(pwmCopy.m_dGain, 0.125);
  EXPECT_EQ(pwmCopy.m_nThreshold2, -400);
  EXPECT_EQ(pwmCopy.m_nOption2, 6);
  EXPECT_EQ(pwmCopy.m_nResult, 0);

  CBlockPI pi(818);
  FillAnalogFields(pi);
  CBlockPI piCopy(818);
  pi.CopyTo(&piCopy, FALSE, nullptr);
  EXPECT_EQ(piCopy.m_dKc, 2.75);
  EXPECT_EQ(piCopy.m_nTiMinutes, 3);
  EXPECT_EQ(piCopy.m_nSelect, 1);

  CBlockACOMP comp(803);
  FillAnalogFields(comp);
  CBlockACOMP compCopy(803);
  comp.CopyTo(&compCopy, FALSE, nullptr);
  EXPECT_EQ(compCopy.m_nThreshold1, 400);
  EXPECT_EQ(compCopy.m_nSelect, 0);
  EXPECT_EQ(compCopy.m_dKc, 0.5);
}

// ---- Scans ------------------------------------------------------------------------

class AnalogScanTest : public ::testing::Test {
 protected:
  CBlockObj* AnalogInputTo(CBlockObj* block, int pin) {
    CBlockObj* in = m_diagram.Add(608);
    CDiagramBuilder::Wire(in, block, pin);
    return in;
  }
  CBlockObj* DigitalInputTo(CBlockObj* block, int pin) {
    CBlockObj* in = m_diagram.Add(600);
    CDiagramBuilder::Wire(in, block, pin);
    return in;
  }
  void Scan(CBlockObj* block) { block->Simulate(&m_diagram.View()); }
  static int Out(const CBlockObj* block) { return block->m_nValue[kFirstOutputPin]; }

  CDiagramBuilder m_diagram;
};

TEST_F(AnalogScanTest, ComparatorThresholds) {
  struct Step {
    int on, off, ax, ay;
    int d, out;
  };
  const Step steps[] = {
      {250, 100, 500, 200, 300, 1},     {250, 100, 320, 200, 120, 1}, {250, 100, 290, 200, 90, 0},
      {250, 100, 320, 200, 120, 0},     {100, 250, 299, 200, 99, 0},  {100, 250, 300, 200, 100, 1},
      {100, 250, 449, 200, 249, 1},     {100, 250, 450, 200, 250, 0}, {0, 0, 32767, -32767, 32767, 1},
      {0, 0, -32767, 32767, -32767, 0},
  };
  auto* comp = m_diagram.Add<CBlockACOMP>(803);
  CBlockObj* ax = AnalogInputTo(comp, 0);
  CBlockObj* ay = AnalogInputTo(comp, 1);
  for (const Step& s : steps) {
    comp->m_nThreshold1 = s.on;
    comp->m_nThreshold2 = s.off;
    ax->m_nWordValue = s.ax;
    ay->m_nWordValue = s.ay;
    Scan(comp);
    EXPECT_EQ(comp->m_nResult, s.d) << s.ax << " " << s.ay;
    EXPECT_EQ(Out(comp), s.out) << s.ax << " " << s.ay;
  }
  EXPECT_EQ(comp->GetValueBoxLines(), std::vector<CString>{u"-32767"});
}

TEST_F(AnalogScanTest, ThresholdTriggerTakesReferencedThresholds) {
  auto* trigger = m_diagram.Add<CBlockATHTRG>(804);
  auto* onSource = m_diagram.Add<CBlockAMUX>(816);
  auto* offSource = m_diagram.Add<CBlockAMUX>(816);
  CBlockObj* ax = AnalogInputTo(trigger, 0);
  trigger->m_pRef[0] = onSource;
  trigger->m_pRef[1] = offSource;
  onSource->m_nResult = 600;
  offSource->m_nResult = -40000;  // held to -32767
  ax->m_nWordValue = 601;
  Scan(trigger);
  EXPECT_EQ(trigger->m_nThreshold1, 600);
  EXPECT_EQ(trigger->m_nThreshold2, -32767);
  EXPECT_EQ(trigger->m_nResult, 601);
  EXPECT_EQ(Out(trigger), 1);
}

TEST_F(AnalogScanTest, WatchdogTimeline) {
  auto* dog = m_diagram.Add<CBlockAWDOG>(806);
  CBlockObj* en = DigitalInputTo(dog, 0);
  CBlockObj* ax = AnalogInputTo(dog, 1);
  dog->m_nThreshold1 = 50;  // upper deviation
  dog->m_nThreshold2 = 30;  // lower deviation
  struct Step {
    int en, ax;
    int out, captured;
  };
  const Step steps[] = {{1, 1000, 0, 1000}, {1, 1049, 0, 1000}, {1, 1051, 1, 1000}, {1, 969, 1, 1000},
                        {1, 970, 0, 1000},  {0, 2000, 0, 0},    {1, 2000, 0, 2000}, {1, 1969, 1, 2000}};
  for (const Step& s : steps) {
    en->m_nValue[kFirstOutputPin] = s.en;
    ax->m_nWordValue = s.ax;
    Scan(dog);
    EXPECT_EQ(Out(dog), s.out) << s.en << " " << s.ax;
    EXPECT_EQ(dog->m_nEnableValue, s.captured) << s.en << " " << s.ax;
  }
  EXPECT_EQ(dog->GetValueBoxLines(), (std::vector<CString>{u"1969  ", u"2000  "}));
}

TEST_F(AnalogScanTest, DifferentialTriggerWindowAndHysteresis) {
  auto* trigger = m_diagram.Add<CBlockADTRG>(807);
  CBlockObj* ax = AnalogInputTo(trigger, 0);
  trigger->m_nThreshold1 = 100;
  struct Step {
    int delta, ax, out;
  };
  const Step steps[] = {{50, 99, 0},  {50, 100, 1}, {50, 149, 1}, {50, 150, 0}, {-20, 101, 1},
                        {-20, 90, 1}, {-20, 80, 0}, {-20, 90, 0}, {-20, 100, 0}};
  for (const Step& s : steps) {
    trigger->m_nThreshold2 = s.delta;
    ax->m_nWordValue = s.ax;
    Scan(trigger);
    EXPECT_EQ(Out(trigger), s.out) << s.delta << " " << s.ax;
  }
  EXPECT_EQ(trigger->GetValueBoxLines(), (std::vector<CString>{u"100   ", u"80    "}));
}

TEST_F(AnalogScanTest, MultiplexerSelectsConstantsAndReferences) {
  auto* mux = m_diagram.Add<CBlockAMUX>(816);
  CBlockObj* en = DigitalInputTo(mux, 0);
  CBlockObj* s1 = DigitalInputTo(mux, 1);
  CBlockObj* s2 = DigitalInputTo(mux, 2);
  auto* ref = m_diagram.Add<CBlockAMUX>(816);
  ref->m_nResult = 12345;
  mux->m_nParam10 = 11;
  mux->m_nParam15 = 22;
  mux->m_nParam20 = 1234;
  mux->m_nParam22 = 44;
  mux->m_pRef[3] = ref;
  const int steps[][4] = {{1, 0, 0, 11}, {1, 0, 1, 22}, {1, 1, 0, 1234}, {1, 1, 1, 12345}, {0, 1, 0, 0}};
  for (const auto& s : steps) {
    en->m_nValue[kFirstOutputPin] = s[0];
    s1->m_nValue[kFirstOutputPin] = s[1];
    s2->m_nValue[kFirstOutputPin] = s[2];
    Scan(mux);
    EXPECT_EQ(mux->m_nResult, s[3]) << s[0] << s[1] << s[2];
  }
}

TEST_F(AnalogScanTest, KindsWithoutSimulationKeepTheirResult) {
  for (int type : {817, 818, 819, 820, 821, 822}) {
    auto* block = static_cast<CBlockAnalog*>(m_diagram.Add(type));
    for (int pin = 0; pin < block->m_nInputs; ++pin) {
      if (block->m_nPinType[pin] == PIN_DIGITAL) DigitalInputTo(block, pin)->m_nValue[kFirstOutputPin] = 1;
      if (block->m_nPinType[pin] == PIN_ANALOG) AnalogInputTo(block, pin)->m_nWordValue = 500;
    }
    Scan(block);
    EXPECT_EQ(block->m_nResult, 0) << type;
    EXPECT_EQ(Out(block), 0) << type;
  }
}

TEST_F(AnalogScanTest, AmplifierInAFeedbackLoopReadsTheNearestAnalogFunction) {
  // comparator -> AND gate (pin 0) -> amplifier, and the amplifier back into the gate (pin 1).
  auto* amp = m_diagram.Add<CBlockAAMP>(805);
  auto* comp = m_diagram.Add<CBlockACOMP>(803);
  CBlockObj* gate = m_diagram.Add(300);
  CDiagramBuilder::Wire(comp, gate, 0);
  CDiagramBuilder::Wire(amp, gate, 1);
  CDiagramBuilder::Wire(gate, amp, 0);
  comp->m_nResult = 500;
  amp->m_dGain = 2.0;
  Scan(amp);
  EXPECT_EQ(amp->m_nResult, 1000);
  EXPECT_EQ(amp->m_bLoop, 0);
}

TEST_F(AnalogScanTest, AmplifierWalkThroughALoopOfGatesEnds) {
  // The amplifier feeds gate A, which feeds itself through gate B on its
  // input 0: the walk upstream along input 0 never meets an analog function.
  auto* amp = m_diagram.Add<CBlockAAMP>(805);
  CBlockObj* a = m_diagram.Add(300);
  CBlockObj* b = m_diagram.Add(300);
  CDiagramBuilder::Wire(b, a, 0);
  CDiagramBuilder::Wire(amp, a, 1);
  CDiagramBuilder::Wire(a, b, 0);
  CDiagramBuilder::Wire(a, amp, 0);
  amp->m_nOffset = 5;
  a->m_dValue = 3;  // the word at the amplifier's input: 8 if the loop went unnoticed
  Scan(amp);
  EXPECT_EQ(amp->m_nResult, 5);  // Scale(0): no analog function upstream
}

}  // namespace
