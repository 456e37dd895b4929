// One simulation scan of a generated program: 128 inputs, 1024 logic gates,
// 64 outputs and 512 flags, all wired. The scan must fit many times into the
// 25 ms tick.
#include <benchmark/benchmark.h>

#include <vector>

#include "blocks/block_factory.h"
#include "editor/scan_driver.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "support/sample_document.h"

namespace {

void Wire(CBlockObj* src, CBlockObj* dst, int pin) {
  dst->m_nSource[pin] = src->m_nNumber;
  src->m_nSource[kFirstOutputPin] = dst->m_nNumber;
}

struct Program {
  CZaradDoc doc;
  std::vector<CBlockObj*> inputs;

  Program() {
    std::vector<CBlockObj*> gates, signals;
    for (int i = 0; i < 128; ++i) inputs.push_back(doc.AddBlock(MakeBlockOfType(600)));
    signals = inputs;
    unsigned seed = 12345;
    auto next = [&seed](size_t n) {
      seed = seed * 1103515245u + 12345u;
      return static_cast<size_t>((seed >> 8) % n);
    };
    for (int i = 0; i < 1024; ++i) {
      CBlockObj* g = doc.AddBlock(MakeBlockOfType(300 + i % 8));
      for (int pin = 0; pin < g->m_nInputs; ++pin) Wire(signals[next(signals.size())], g, pin);
      gates.push_back(g);
      signals.push_back(g);
    }
    for (int i = 0; i < 64; ++i) Wire(gates[next(gates.size())], doc.AddBlock(MakeBlockOfType(605)), 0);
    for (int i = 0; i < 512; ++i) Wire(gates[next(gates.size())], doc.AddBlock(MakeBlockOfType(607)), 0);
  }
};

void BM_Scan(benchmark::State& state) {
  Program p;
  CScanDriver driver(&p.doc);
  SYSTEMTIME start{};
  start.wYear = 2026;
  start.wMonth = 1;
  start.wDay = 5;
  driver.EnterSimulation(start);
  size_t n = 0;
  for (auto _ : state) {
    CBlockObj* in = p.inputs[n++ % p.inputs.size()];
    in->m_nValue[kFirstOutputPin] ^= 1;
    driver.Tick();
    driver.Scan();
  }
  state.counters["blocks"] = p.doc.m_blocks.GetCount();
}

// One scan of the valid maximal sample diagram (every family, message texts included).
void BM_ScanSampleDocument(benchmark::State& state) {
  CZaradDoc doc;
  doc.m_wModelCode = 0x5188;
  BuildSampleDocument(doc);
  CScanDriver driver(&doc);
  SYSTEMTIME start{};
  start.wYear = 2026;
  start.wMonth = 1;
  start.wDay = 5;
  driver.EnterSimulation(start);
  for (auto _ : state) {
    driver.Tick();
    driver.Scan();
  }
  state.counters["blocks"] = doc.m_blocks.GetCount();
}
BENCHMARK(BM_ScanSampleDocument)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Scan)->Unit(benchmark::kMicrosecond);

}  // namespace
