// Instruction records, worked out by hand from the device's record layouts:
// one row per block family with a small fixture and the bytes of its record
// (function code first, high byte first; bytes the record leaves are 0xFF).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "blocks/analog_blocks.h"
#include "blocks/comm_blocks.h"
#include "blocks/connector_obj.h"
#include "blocks/time_blocks.h"
#include "image/core_rule.h"
#include "model/connect_line_obj.h"
#include "support/diagram_builder.h"

namespace {

constexpr WORD kOlder = 0x1188;
constexpr WORD kNewer = 0x5188;

struct Rig {
  CDiagramBuilder d;
  explicit Rig(WORD model) : d(kDocFbd, model) {}
  // Digital input Ii (numbered 100 + i when added in order).
  CBlockObj* Input() { return d.Add(600); }
};

struct RecordCase {
  const char* name;
  int type;
  WORD model;
  std::function<void(CBlockObj*, Rig&)> setup;
  std::vector<int> bytes;  // the record from its function code on
};

// The block gets B0 (record at J[0]); the fixtures' inputs are I0, I1 ...
std::vector<BYTE> CompileRecord(const RecordCase& c, int* cost) {
  Rig rig(c.model);
  CBlockObj* block = rig.d.Add(c.type);
  block->m_nParam1 = 0;  // neither retentive
  block->m_nParam2 = 0;  // nor protected, unless the fixture says otherwise
  c.setup(block, rig);
  CZaradCoreRule codec(&rig.d.Doc());
  codec.AllocateBuffers(kImageModeDownload, 0);
  EXPECT_EQ(codec.CompileBlock(block), 1) << c.name;
  *cost = block->m_wMemSize;
  return codec.ProgramArea();
}

std::vector<int> Hex(const std::vector<BYTE>& bytes, size_t n) {
  return std::vector<int>(bytes.begin(), bytes.begin() + static_cast<long>(std::min(n, bytes.size())));
}

const CBlockObj* Ref(int number) {
  static std::vector<std::unique_ptr<CBlockObj>> refs;
  refs.push_back(std::make_unique<CBlockObj>(800, 4));
  refs.back()->m_nNumber = number;
  return refs.back().get();
}

void UseRef(CBlockObj* b, int k, int number) {
  b->m_bUseRef[k] = 1;
  b->m_pRef[k] = const_cast<CBlockObj*>(Ref(number));
}

const std::vector<RecordCase>& Cases() {
  static const std::vector<RecordCase> cases = {
      {"AND: I0, I1, open, open but inverted", 300, kNewer,
       [](CBlockObj* b, Rig& r) {
         CDiagramBuilder::Wire(r.Input(), b, 0);
         CDiagramBuilder::Wire(r.Input(), b, 1);
         b->m_bInvert[3] = 1;
       },
       {0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0xF4, 0xFF, 0xFF}},
      {"NOT of an inverted I1", 307, kOlder,
       [](CBlockObj* b, Rig& r) {
         r.Input();
         CDiagramBuilder::Wire(r.Input(), b, 0);
         b->m_bInvert[0] = 1;
       },
       {0x03, 0x00, 0x01, 0x04}},
      {"Boolean function: truth table", 830, kNewer, [](CBlockObj* b, Rig&) { b->m_nParam24 = 0xA55A; },
       {0x0B, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x5A, 0xA5, 0, 0, 0, 0}},
      {"On-delay 1 h 30 min, retentive", 400, kNewer,
       [](CBlockObj* b, Rig& r) {
         CDiagramBuilder::Wire(r.Input(), b, 0);
         b->m_nParam1 = 1;
         b->m_nParam10 = 1, b->m_nParam9 = 30, b->m_nParam11 = 0;
       },
       {0x21, 0xC0, 0x00, 0x00, 0x5A, 0xC0, 0x00, 0x00}},
      {"On-/off-delay: T1 from B7 in base 1, T2 2.50 s", 402, kNewer,
       [](CBlockObj* b, Rig&) {
         UseRef(b, 0, 9007);
         b->m_nParam12 = 1;
         b->m_nParam15 = 2, b->m_nParam14 = 50, b->m_nParam16 = 2;
       },
       {0x2F, 0x60, 0xFF, 0xFF, 0x07, 0x80, 0xFA, 0x40, 0x00, 0x00, 0x00, 0x00}},
      {"Stairway light: T2, T3, T4", 408, kNewer,
       [](CBlockObj* b, Rig&) {
         b->m_nParam15 = 0, b->m_nParam14 = 30, b->m_nParam16 = 1;  // T2 0:30 m:s
         b->m_nParam20 = 0, b->m_nParam19 = 15;                      // T3 in X3's base
         b->m_nParam22 = 1, b->m_nParam21 = 0;                       // T4 1:00
       },
       {0x31, 0x40, 0xFF, 0xFF, 0x1E, 0x80, 0x0F, 0x80, 0x3C, 0x80, 0x00, 0x00}},
      {"Edge wiping relay: pulse count X4 + 1", 405, kOlder,
       [](CBlockObj* b, Rig&) {
         b->m_nParam11 = 2, b->m_nParam10 = 1, b->m_nParam9 = 0;
         b->m_nParam16 = 2, b->m_nParam15 = 0, b->m_nParam14 = 5;
         b->m_nParam17 = 4;
       },
       {0x33, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0x64, 0x40, 0x05, 0x40, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00}},
      {"Weekly timer: three cams, pulse", 410, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* t = static_cast<CBlockTime*>(b);
         t->m_nCamOn[0][0] = 8, t->m_nCamOn[0][1] = 0, t->m_bCamOnUnset[0] = 0;
         t->m_nCamOff[0][0] = 17, t->m_nCamOff[0][1] = 30, t->m_bCamOffUnset[0] = 0;
         for (int day = 1; day <= 5; ++day) t->m_nCamDays[0][day] = 1;
         t->m_nCamOff[1][0] = 12, t->m_bCamOffUnset[1] = 0;
         t->m_nCamDays[2][0] = 1;
         b->m_nParam4 = 1;
       },
       {0x24, 0x40, 0xE0, 0x01, 0x1A, 0x04, 0xFF, 0xFF, 0xD0, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x3E, 0x00, 0x01, 0x01,
        0x00, 0x00}},
      {"Yearly timer, older series", 411, kOlder,
       [](CBlockObj* b, Rig&) { b->m_nParam9 = 5, b->m_nParam10 = 3, b->m_nParam14 = 20, b->m_nParam15 = 11; },
       {0x2E, 0x40, 5, 3, 20, 11, 0x00, 0x00}},
      {"Yearly timer, newer series, monthly with pulse", 411, kNewer,
       [](CBlockObj* b, Rig&) {
         b->m_nParam9 = 5, b->m_nParam10 = 3, b->m_nParam14 = 20, b->m_nParam15 = 11;
         b->m_nParam3 = 1, b->m_nParam4 = 1, b->m_nParam5 = 0;
         b->m_nParam7 = 2000, b->m_nParam6 = 2099;
       },
       {0x2E, 0x40, 5, 0xFF, 0xD0, 0x07, 20, 0xFF, 0x33, 0x08, 0x81, 0x00, 0x00, 0x00}},
      {"Astronomical clock, time zone 14", 412, kNewer,
       [](CBlockObj* b, Rig&) {
         b->m_nParam22 = 1, b->m_nParam20 = 2, b->m_nParam15 = 3, b->m_nParam10 = 4;
         b->m_nParam21 = 5, b->m_nParam19 = 6, b->m_nParam14 = 7, b->m_nParam9 = 8;
         b->m_nParam16 = 14;
       },
       {0x28, 0x40, 1, 2, 3, 4, 5, 6, 7, 8, 2, 1, 0, 0, 0, 0}},
      {"Stopwatch: base code 3 - P10", 413, kNewer, [](CBlockObj* b, Rig&) { b->m_nParam11 = 1; },
       {0x48, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0, 0, 0, 0, 0, 0}},
      {"Counter, older: on threshold B3", 800, kOlder,
       [](CBlockObj* b, Rig&) {
         UseRef(b, 0, 9003);
         b->m_nParam15 = 10;
       },
       {0x2B, 0x60, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 10, 0, 0, 0, 0x00, 0x80, 0, 0, 0, 0, 0, 0}},
      {"Counter, newer: start value", 800, kNewer,
       [](CBlockObj* b, Rig&) {
         b->m_nParam10 = 70000, b->m_nParam15 = 5, b->m_nParam8 = 7;
       },
       {0x2B, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0, 5, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0}},
      {"Hours counter, newer", 801, kNewer,
       [](CBlockObj* b, Rig&) {
         b->m_nParam14 = 30, b->m_nParam15 = 2;  // 2:30
         b->m_nParam9 = 15, b->m_nParam10 = 1;   // 1:15
         b->m_nParam18 = 1;
       },
       {0x29, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 150, 0, 0, 0, 75, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
      {"Hours counter, older", 801, kOlder,
       [](CBlockObj* b, Rig&) {
         b->m_nParam14 = 30, b->m_nParam15 = 2;
         b->m_nParam10 = 0x12345;
         b->m_nParam18 = 0;
       },
       {0x29, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 120, 0, 0, 0, 0x45, 0x23, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"Threshold trigger: gate 1.50 s", 802, kNewer,
       [](CBlockObj* b, Rig&) {
         b->m_nParam10 = 100, b->m_nParam9 = 50;
         b->m_nParam15 = 1, b->m_nParam14 = 50;
       },
       {0x2C, 0x40, 0xFF, 0xFF, 100, 0, 50, 0, 0x96, 0x40, 0, 0, 0, 0, 0, 0}},
      {"Latching relay", 808, kNewer, [](CBlockObj*, Rig&) {}, {0x25, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {"Shift register, newer: bit X10 and register X11", 812, kNewer,
       [](CBlockObj* b, Rig&) { b->m_nParam23 = 3, b->m_nParam24 = 2; },
       {0x38, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x08, 0x00, 0x02, 0x00, 0, 0, 0, 0}},
      {"Shift register, older", 812, kOlder, [](CBlockObj* b, Rig&) { b->m_nParam23 = 15; },
       {0x38, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x80, 0x00, 0x00}},
      {"Message text: priority 3 with acknowledgement", 810, kOlder,
       [](CBlockObj* b, Rig&) { b->m_nParam17 = 3, b->m_nParam18 = 1; },
       {0x34, 0x40, 0xFF, 0xFF, 0x83, 0x00, 0x00, 0x00}},
      {"Comparator", 803, kOlder,
       [](CBlockObj* b, Rig& r) {
         auto* a = static_cast<CBlockAnalog*>(b);
         CDiagramBuilder::Wire(r.d.Add(608), b, 0);
         a->m_nThreshold1 = 10, a->m_nThreshold2 = -2, a->m_dGain = 0.5, a->m_nOffset = 3, a->m_nPoint = 1;
       },
       {0x36, 0x40, 0x00, 0x80, 0xFF, 0xFF, 10, 0, 0xFE, 0xFF, 50, 0, 3, 0, 1, 0, 0x00, 0x80, 0, 0, 0, 0, 0, 0}},
      {"Amplifier: gain -0.019", 805, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* a = static_cast<CBlockAnalog*>(b);
         a->m_dGain = -0.019, a->m_nOffset = 0, a->m_nPoint = 2;
       },
       {0x42, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 2, 0, 0x00, 0x80}},
      {"Differential trigger: the sum's high word", 807, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* a = static_cast<CBlockAnalog*>(b);
         a->m_nThreshold1 = 40000, a->m_nThreshold2 = 30000, a->m_dGain = 1.0, a->m_nOffset = 0, a->m_nPoint = 0;
       },
       {0x3A, 0x40, 0xFF, 0xFF, 0x40, 0x9C, 0x70, 0x11, 100, 0, 0, 0, 0, 0, 0x01, 0x00}},
      {"Watchdog, newer", 806, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* a = static_cast<CBlockAnalog*>(b);
         a->m_nThreshold1 = 5, a->m_nThreshold2 = 6, a->m_dGain = 2.0, a->m_nOffset = 7, a->m_nPoint = 1;
       },
       {0x39, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 5, 0, 6, 0, 200, 0, 7, 0, 1, 0, 0, 0, 0, 0}},
      {"Analog math: operators and priorities", 815, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* a = static_cast<CBlockAnalog*>(b);
         b->m_nParam10 = 1, b->m_nParam15 = 2, b->m_nParam20 = 3, b->m_nParam22 = 4;
         b->m_nParam9 = 1, b->m_nParam14 = 2, b->m_nParam19 = 3;
         b->m_nParam21 = 1, b->m_nParam25 = 0, b->m_nParam16 = 2, b->m_nParam11 = 1;
         a->m_nPoint = 2;
       },
       {0x44, 0x40, 0xFF, 0xFF, 1, 0, 2, 0, 3, 0, 4, 0, 1, 2, 3, 0x19, 2, 0, 0, 0}},
      {"Analog ramp: decimals and zeros by look-ahead", 817, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* a = static_cast<CBlockAnalog*>(b);
         a->m_nThreshold1 = 1, a->m_nThreshold2 = 2, b->m_nParam15 = 3, b->m_nParam20 = 4, b->m_nParam10 = 5;
         a->m_dGain = 1.0, a->m_nOffset = 6, a->m_nPoint = 2;
         b->m_nSource[10] = 9001;  // the output wired: no effect on the record
       },
       {0x41, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 100, 0, 6, 0, 2, 0, 0, 0, 0, 0}},
      {"PI controller: sign byte by look-ahead", 818, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* a = static_cast<CBlockAnalog*>(b);
         a->m_nThreshold1 = 100, a->m_nThreshold2 = 200, a->m_dKc = 1.5, a->m_nTiMinutes = 1, a->m_nTiSeconds = 30;
         a->m_nRangeMin = 0, a->m_nRangeMax = 1000, a->m_dGain = 1.0, a->m_nOffset = 5, a->m_nSelect = 1;
         a->m_nPoint = 1, a->m_nOption3 = 2;
       },
       {0x43, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x64, 0x00, 0xC8, 0x00, 0x96, 0x00, 0x5A, 0x80,
        0x00, 0x00, 0xE8, 0x03, 0x64, 0x00, 0x05, 0x00, 0x2D, 0x01, 0x02, 0x00}},
      {"PWM: period, selection, sensor", 819, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* a = static_cast<CBlockAnalog*>(b);
         b->m_nParam10 = 1, b->m_nParam9 = 0, b->m_nParam11 = 2;
         a->m_dGain = 1.0, a->m_nOffset = 0, a->m_nThreshold1 = 10, a->m_nThreshold2 = 90, a->m_nSelect = 2;
         a->m_nSensor = 4, a->m_nPoint = 0;
       },
       {0x3E, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0x64, 0x40, 100, 0, 0, 0, 10, 0, 90, 0, 2, 0, 0, 0, 0, 0, 0, 0}},
      {"Max/min: reference block", 821, kNewer, [](CBlockObj* b, Rig&) { UseRef(b, 0, 9004), b->m_nParam18 = 1; },
       {0x46, 0x60, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 4, 0, 1, 0, 0, 0, 0, 0}},
      {"Average value", 822, kNewer, [](CBlockObj* b, Rig&) { b->m_nParam11 = 1, b->m_nParam10 = 2, b->m_nParam9 = 9; },
       {0x45, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x13, 0x00, 9, 0, 0, 0, 0, 0}},
      {"Math error detection without a block", 823, kNewer, [](CBlockObj* b, Rig&) { b->m_nParam18 = 1, b->m_nParam9 = 2; },
       {0x3D, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0xFF, 3, 0, 0, 0, 0, 0}},
      {"Modbus read, newer: cycle 0 as 0xFFFF", 813, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* m = static_cast<CBlockMR*>(b);
         m->m_bySlaveAddress = 1, m->m_byFunction = 3, m->m_wRegister = 0x0102, m->m_wCount = 2;
         m->m_wDataAddress = 0x10, m->m_nPort = 0, m->m_byDataMode = 0;
         b->m_nParam11 = 0;
       },
       {0x3B, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x03, 0x02, 0x01, 0x02, 0x00, 0x10, 0x00, 0xFF, 0xFF, 0x00, 0x00}},
      {"Modbus write, newer: two more fields", 814, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* m = static_cast<CBlockMR*>(b);
         m->m_bySlaveAddress = 2, m->m_byFunction = 5, m->m_wRegister = 7, m->m_wCount = 1;
         m->m_wDataAddress = 3, m->m_wDataHigh = 0x0506, m->m_nPort = 1, m->m_byDataMode = 1;
         b->m_nParam11 = 0;
       },
       {0x3C, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x05, 0x07, 0x00, 0x01, 0x00, 0x00, 0xFF, 0x06, 0x05, 0x01, 0x01,
        0xFF, 0xFF, 0xFF, 0xFF}},
      {"WiFi digital write fed by I0", 825, kNewer,
       [](CBlockObj* b, Rig& r) {
         CDiagramBuilder::Wire(r.Input(), b, 0);
         auto* f = static_cast<CBlockWIFI*>(b);
         f->m_nWifiSource = 0, f->m_nWifiId = 2, f->m_nWifiBlockType = 1, f->m_nWifiBlockNumber = 5;
       },
       {0x65, 0x40, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x03, 0x01, 0x05, 0x00, 0x00}},
      {"WiFi digital read, diagnostic", 824, kNewer,
       [](CBlockObj* b, Rig&) {
         auto* f = static_cast<CBlockWIFI*>(b);
         f->m_nWifiSource = 2, f->m_nWifiId = 4, f->m_nWifiBlockType = 3, f->m_nWifiBlockNumber = 6;
       },
       {0x64, 0x40, 0xFF, 0xFF, 0x02, 0x01, 0x03, 0x06, 0x04, 0x00, 0x00, 0x00}},
      {"MEM: one byte 7", 847, kNewer, [](CBlockObj*, Rig&) {},
       {0x5A, 0x40, 0xFF, 0xFF, 0x07, 0x00, 0x00, 0x00, 0, 0, 0, 0}},
      {"Left rotation: count from B2", 834, kNewer, [](CBlockObj* b, Rig&) { UseRef(b, 0, 9002); },
       {0x0F, 0x60, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}},
      {"Logarithm: base and amplification", 864, kNewer,
       [](CBlockObj* b, Rig&) { b->m_nParam11 = 10, b->m_dParam = 2.5; },
       {0x49, 0x40, 0xFF, 0xFF, 10, 0, 250, 0, 0, 0, 0, 0}},
      {"Square root: amplification as W32", 865, kNewer, [](CBlockObj* b, Rig&) { b->m_dParam = -1.5; },
       {0x4A, 0x40, 0xFF, 0xFF, 0x6A, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
      {"Array read: AQ3 as its OperandWord", 844, kNewer,
       [](CBlockObj* b, Rig&) { b->m_nParam10 = 6, b->m_nParam9 = 1, b->m_nParam14 = 3, b->m_nParam15 = 4; },
       {0x19, 0x40, 6, 0, 0x03, 0x90, 4, 0, 0, 0, 0, 0}},
      {"Pulse train output (edge)", 852, kNewer,
       [](CBlockObj* b, Rig&) {
         b->m_nParam9 = 500, b->m_nParam15 = 100000, b->m_nParam20 = 7;
         UseRef(b, 0, 9001);
       },
       {0x60, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xF4, 0x01, 0xA0, 0x86, 0x01, 0x00, 1, 0, 0, 0, 0, 0}},
      {"Quadratic equation", 879, kNewer,
       [](CBlockObj* b, Rig&) {
         b->m_nParam10 = 1, b->m_nParam15 = 2, b->m_nParam20 = 3, b->m_nParam11 = 4, b->m_dParam = 0.25;
       },
       {0x5B, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 2, 0, 3, 0, 4, 0, 25, 0, 0, 0, 0, 0}},
      {"Encoder", 848, kNewer,
       [](CBlockObj* b, Rig&) { b->m_nParam8 = 1, b->m_nParam10 = 2, b->m_nParam15 = 3, b->m_nParam20 = 4; },
       {0x5C, 0x40, 0xFF, 0xFF, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0}},
      {"UDC: the trailing bytes by look-ahead", 855, kNewer,
       [](CBlockObj* b, Rig&) {
         b->m_nParam16 = 1, b->m_nParam11 = 0, b->m_nParam20 = 2, b->m_nParam6 = 5, b->m_nParam22 = 6;
         b->m_nParam7 = 7, b->m_nParam21 = 8, b->m_nParam5 = 9, b->m_nParam3 = 10, b->m_nParam18 = 11;
         b->m_nParam4 = 12, b->m_nParam10 = 13, b->m_nParam15 = 14, b->m_nParam9 = 15, b->m_nParam14 = 16;
       },
       {0x61, 0x40, 0xFF, 0xFF, 1, 0, 0xFF, 0xFF, 0x05, 0x80, 6, 0, 0x07, 0xA0, 8, 0, 9, 10, 11, 12, 13, 14, 15, 16}},
      {"Softkey: the code only", 811, kNewer, [](CBlockObj*, Rig&) {}, {0x37, 0x40}},
  };
  return cases;
}

TEST(RecordEncodersTest, RecordsOfEveryFamily) {
  for (const RecordCase& c : Cases()) {
    int cost = 0;
    const std::vector<BYTE> j = CompileRecord(c, &cost);
    std::vector<int> expected = c.bytes;
    if (static_cast<int>(expected.size()) < cost) expected.resize(static_cast<size_t>(cost), 0xFF);
    EXPECT_EQ(Hex(j, expected.size()), expected) << c.name;
  }
}

TEST(RecordEncodersTest, RecordsLieBackToBackInNumberOrder) {
  CDiagramBuilder d(kDocFbd, kNewer);
  CBlockObj* b0 = d.Add(805);  // cost 12
  CBlockObj* b1 = d.Add(808);  // cost 8
  CBlockObj* b2 = d.Add(803);  // cost 24
  b1->m_nParam2 = 0;
  CZaradCoreRule codec(&d.Doc());
  codec.AllocateBuffers(kImageModeDownload, 0);
  for (CBlockObj* b : {b0, b1, b2}) ASSERT_EQ(codec.CompileBlock(b), 1);
  const std::vector<BYTE>& j = codec.ProgramArea();
  EXPECT_EQ(j[12], 0x25);  // B1 at J[12], high byte first
  EXPECT_EQ(j[13], 0x40);
  EXPECT_EQ(j[18], 0x01);  // its number
  EXPECT_EQ(j[20], 0x36);  // B2 at J[20]
  // The comparator's code 53 on B2: 0x02 0x80 and six zero bytes.
  EXPECT_EQ(std::vector<int>(j.begin() + 20 + 16, j.begin() + 20 + 24),
            (std::vector<int>{2, 0x80, 0, 0, 0, 0, 0, 0}));
}

TEST(RecordEncodersTest, AnalogFiltersAreNumberedInCompileOrder) {
  CDiagramBuilder d(kDocFbd, kNewer);
  CBlockObj* f0 = d.Add(820);
  CBlockObj* gate = d.Add(300);
  CBlockObj* f1 = d.Add(820);
  f1->m_nParam11 = 2;
  CZaradCoreRule codec(&d.Doc());
  codec.AllocateBuffers(kImageModeDownload, 0);
  for (CBlockObj* b : {f0, gate, f1}) ASSERT_EQ(codec.CompileBlock(b), 1);
  const std::vector<BYTE>& j = codec.ProgramArea();
  // f1 at J[8 + 12]: code, Ax, P10 + 3, the filter number, 0x00 0x00.
  EXPECT_EQ(std::vector<int>(j.begin() + 20, j.begin() + 28),
            (std::vector<int>{0x47, 0x40, 0xFF, 0xFF, 5, 1, 0, 0}));
}

TEST(RecordEncodersTest, ConnectorPairsLeadToTheRealSource) {
  CDiagramBuilder d(kDocFbd, kNewer);
  CBlockObj* in = d.Add(600);  // I0
  CBlockObj* in5 = nullptr;
  for (int i = 0; i < 5; ++i) in5 = d.Add(600);  // I5 is the last one
  CBlockObj* gate = d.Add(307);
  auto male = std::make_unique<CBlockMale>(900);
  male->m_nNumber = 5000;
  auto female = std::make_unique<CBlockFemale>(901);
  female->m_nNumber = 7000;
  CBlockObj* m = d.Doc().m_blocks.AddTail(std::move(male));
  CBlockObj* f = d.Doc().m_blocks.AddTail(std::move(female));
  auto wire = std::make_unique<CConnectLineObj>();
  wire->m_pStartBlock = in5;
  wire->m_pEndBlock = m;
  CConnectLineObj* w = d.Doc().m_connections.AddTail(std::move(wire));
  CDiagramBuilder::Wire(f, gate, 0);
  (void)in;

  CZaradCoreRule codec(&d.Doc());
  codec.AllocateBuffers(kImageModeDownload, 0);
  ASSERT_EQ(codec.CompileBlock(gate), 1);
  EXPECT_EQ(codec.ProgramArea()[2], 0x05);  // I5, not the female half
  EXPECT_EQ(codec.ProgramArea()[3], 0x00);

  // A pair whose male half has no wire: the pin counts as open.
  d.Doc().m_connections.Detach(w);  // the returned wire is dropped
  CZaradCoreRule again(&d.Doc());
  again.AllocateBuffers(kImageModeDownload, 0);
  ASSERT_EQ(again.CompileBlock(gate), 1);
  EXPECT_EQ(again.ProgramArea()[2], 0xFF);
}

}  // namespace
