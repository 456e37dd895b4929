#include "blocks/analog_range_tracer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "blocks/analog_blocks.h"
#include "editor/scan_driver.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "support/diagram_builder.h"

namespace {

// A wire from src's output to dst's input pin, as the document holds it.
void Connect(CDiagramBuilder& d, CBlockObj* src, CBlockObj* dst, int pin) {
  CDiagramBuilder::Wire(src, dst, pin);
  auto w = std::make_unique<CConnectLineObj>();
  w->m_pStartBlock = src;
  w->m_nStartPin = kFirstOutputPin;
  w->m_nStartNumber = src->m_nNumber;
  w->m_pEndBlock = dst;
  w->m_nEndPin = pin;
  w->m_nEndNumber = dst->m_nNumber;
  d.Doc().m_connections.AddTail(std::move(w));
}

// A wire stored from dst's input pin back to src's output, as drawn from the input.
void ConnectBackwards(CDiagramBuilder& d, CBlockObj* src, CBlockObj* dst, int pin) {
  CDiagramBuilder::Wire(src, dst, pin);
  auto w = std::make_unique<CConnectLineObj>();
  w->m_pStartBlock = dst;
  w->m_nStartPin = pin;
  w->m_pEndBlock = src;
  w->m_nEndPin = kFirstOutputPin;
  d.Doc().m_connections.AddTail(std::move(w));
}

CBlockAnalog* Consumer(CDiagramBuilder& d, int type, int lo, int hi, int sensor = 0) {
  auto* a = d.Add<CBlockAnalog>(type);
  a->m_nRangeMin = lo;
  a->m_nRangeMax = hi;
  a->m_nSensor = sensor;
  return a;
}

struct RangeCase {
  const char* what;
  int autoRange;
  int ownMin, ownMax;
  std::vector<std::vector<int>> consumers;  // {type, range min, range max, sensor} each
  int value;
  int wantMin, wantMax, wantValue, wantRaw;
};

TEST(AnalogRangeTracerTest, RangeAndRawValueFollowTheConsumers) {
  const RangeCase cases[] = {
      {"feeds nothing, automatic", 1, 5, 7, {}, 400, 0, 1000, 400, 400},
      {"feeds nothing, own range", 0, 100, 0, {}, 25, 0, 100, 25, 250},
      {"one consumer, automatic", 1, 0, 0, {{804, 100, 0, 0}}, 50, 0, 100, 50, 500},
      {"sensor kind 2 starts at 200", 1, 0, 0, {{804, 0, 100, 2}}, 50, 0, 100, 50, 600},
      {"one consumer, own range meets it", 0, 50, 500, {{804, 0, 100, 0}}, 80, 50, 100, 80, 800},
      {"one consumer, own range apart", 0, 0, 10, {{804, 20, 30, 0}}, 5, 20, 30, 20, 0},
      {"two agreeing consumers, own range below",
       0,
       0,
       10,
       {{804, 20, 30, 0}, {805, 20, 30, 0}},
       5,
       20,
       20,
       20,
       0},
      {"two agreeing consumers, own range above",
       0,
       40,
       50,
       {{804, 20, 30, 0}, {805, 20, 30, 0}},
       45,
       30,
       30,
       30,
       1000},
      {"two differing consumers, automatic",
       1,
       0,
       0,
       {{804, 0, 100, 0}, {805, 0, 200, 0}},
       2000,
       0,
       1000,
       1000,
       1000},
      {"two differing consumers, own range",
       0,
       0,
       200,
       {{804, 0, 100, 0}, {805, 0, 200, 0}},
       50,
       0,
       200,
       50,
       250},
      {"rounding half away from zero", 1, 0, 0, {{804, 0, 2000, 0}}, 1199, 0, 2000, 1199, 600},
  };
  for (const RangeCase& c : cases) {
    CDiagramBuilder d;
    CBlockObj* ai = d.Add(608);
    ai->m_bAutoRange = c.autoRange;
    ai->m_nMinValue = c.ownMin;
    ai->m_nMaxValue = c.ownMax;
    ai->m_nSimValue = c.value;
    for (const auto& k : c.consumers) Connect(d, ai, Consumer(d, k[0], k[1], k[2], k[3]), 0);
    CAnalogRangeTracer(&d.Doc()).UpdateAnalogInputRange(ai, true);
    EXPECT_EQ(ai->m_nMinValue, c.wantMin) << c.what;
    EXPECT_EQ(ai->m_nMaxValue, c.wantMax) << c.what;
    EXPECT_EQ(ai->m_nSimValue, c.wantValue) << c.what;
    EXPECT_EQ(ai->m_nWordValue, c.wantRaw) << c.what;
  }
}

TEST(AnalogRangeTracerTest, WalkFindsConsumersThroughFlagsAndStopsAtLoops) {
  CDiagramBuilder d;
  CBlockObj* ai = d.Add(608);
  CBlockObj* flag = d.Add(610);  // analog flag passes the walk on
  CBlockAnalog* cmp = Consumer(d, 803, 0, 100);
  CBlockAnalog* trigger = Consumer(d, 804, 0, 100);
  Connect(d, ai, cmp, 0);
  Connect(d, ai, cmp, 1);  // Ax and Ay of one comparator: counted once
  Connect(d, ai, flag, 0);
  Connect(d, flag, trigger, 0);
  Connect(d, flag, flag, 1);  // a wire back onto the same block is skipped
  CAnalogRangeTracer tracer(&d.Doc());
  int count = 0;
  tracer.CollectAnalogConsumers(ai, &count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(tracer.Consumers(), (std::vector<CBlockObj*>{cmp, trigger}));

  int hi = 7, lo = 7;
  tracer.GetAnalogInputRange(ai, &hi, &lo);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 100);
  cmp->m_nRangeMax = 50;  // the two now differ
  tracer.GetAnalogInputRange(ai, &hi, &lo);
  EXPECT_EQ(lo, -32767);
  EXPECT_EQ(hi, 32767);
  CBlockObj* in = d.Add(600);
  tracer.GetAnalogInputRange(in, &hi, &lo);  // not an analog input: unchanged
  EXPECT_EQ(hi, 32767);
}

TEST(AnalogRangeTracerTest, LadderContactsKeepTheirSettingPerOperand) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* contact = d.Add(702);
  contact->m_nOperand = 4000;
  AnalogSimSetting s;
  s.nValues[0] = 0;  // own range 10..20, value 99, behaviour 3
  s.nValues[1] = 99;
  s.nValues[2] = 20;
  s.nValues[3] = 10;
  s.nValues[4] = 3;
  d.Doc().m_analogSimSettings[4000] = s;
  CAnalogRangeTracer(&d.Doc()).UpdateAnalogInputRange(contact, false);
  const AnalogSimSetting& after = d.Doc().m_analogSimSettings[4000];
  EXPECT_EQ(after.nValues[1], 20);
  EXPECT_EQ(after.nValues[2], 10);
  EXPECT_EQ(after.nValues[3], 20);
  EXPECT_EQ(after.nValues[4], 3);  // the behaviour stays

  // A digital make contact without a setting gets one: 0..9999, behaviour 0.
  CBlockObj* make = d.Add(700);
  make->m_nOperand = 101;
  make->m_nSimValue = 12000;
  CAnalogRangeTracer(&d.Doc()).UpdateAnalogInputRange(make, true);
  ASSERT_EQ(d.Doc().m_analogSimSettings.count(101), 1u);
  EXPECT_EQ(d.Doc().m_analogSimSettings[101].nValues[1], 9999);
  EXPECT_EQ(d.Doc().m_analogSimSettings[101].nValues[3], 9999);
}

TEST(AnalogRangeTracerTest, EnteringSimulationStartsAnAnalogInputAtItsConsumersMinimum) {
  CDiagramBuilder d;
  CBlockObj* ai = d.Add(608);
  ai->m_nMinValue = 0;
  ai->m_nMaxValue = 1000;
  ai->m_nSimValue = 700;
  ai->m_nWordValue = 700;
  Connect(d, ai, Consumer(d, 804, -50, 150), 0);
  CScanDriver driver(&d.Doc());
  driver.EnterSimulation(SYSTEMTIME{2026, 1, 1, 5, 10, 0, 0, 0});
  EXPECT_EQ(ai->m_nMinValue, -50);
  EXPECT_EQ(ai->m_nMaxValue, 150);
  EXPECT_EQ(ai->m_nSimValue, -50);
  EXPECT_EQ(ai->m_nWordValue, 0);
}

// With the document's index of output wires lent (as entering simulation
// lends it) a walk finds the same consumers in the same order as along the
// wire list: wires drawn either way, a comparator fed twice, a wire from an
// output back to it, a comparator with an open Ax passing the walk on, flags
// in between, wires of other blocks interleaved.
TEST(AnalogRangeTracerTest, TheOutputWireIndexWalksAsTheWireList) {
  CDiagramBuilder d;
  CBlockObj* ai1 = d.Add(608);
  CBlockObj* ai2 = d.Add(608);
  CBlockObj* flag = d.Add(610);
  CBlockAnalog* cmp = Consumer(d, 803, 0, 100);
  CBlockAnalog* passing = Consumer(d, 803, 0, 50);  // Ax open: the walk goes on at its output
  CBlockAnalog* a = Consumer(d, 804, 0, 100);
  CBlockAnalog* b = Consumer(d, 805, 0, 200);
  CBlockAnalog* c = Consumer(d, 806, 0, 300);
  Connect(d, ai2, b, 0);
  ConnectBackwards(d, ai1, c, 1);
  Connect(d, ai1, flag, 0);
  Connect(d, ai2, cmp, 1);
  Connect(d, ai1, cmp, 0);
  Connect(d, ai1, cmp, 1);
  Connect(d, flag, passing, 1);
  ConnectBackwards(d, flag, a, 0);
  auto loop = std::make_unique<CConnectLineObj>();
  loop->m_pStartBlock = loop->m_pEndBlock = flag;
  loop->m_nStartPin = loop->m_nEndPin = kFirstOutputPin;
  d.Doc().m_connections.AddTail(std::move(loop));
  Connect(d, passing, b, 0);
  Connect(d, flag, cmp, 0);

  auto walk = [&](CBlockObj* ai) {
    CAnalogRangeTracer tracer(&d.Doc());
    int count = 0;
    tracer.CollectAnalogConsumers(ai, &count);
    EXPECT_EQ(count, static_cast<int>(tracer.Consumers().size()));
    return tracer.Consumers();
  };
  const std::vector<CBlockObj*> along1 = walk(ai1), along2 = walk(ai2);
  EXPECT_EQ(along1, (std::vector<CBlockObj*>{c, b, a, cmp, cmp}));
  EXPECT_EQ(along2, (std::vector<CBlockObj*>{b, cmp}));
  COutputWireIndex index;
  d.Doc().m_pOutputWires = &index;
  EXPECT_EQ(walk(ai1), along1);
  EXPECT_EQ(walk(ai2), along2);
  d.Doc().m_pOutputWires = nullptr;
}

}  // namespace
