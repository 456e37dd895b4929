// Saving and loading a large diagram: 1024 function blocks (16 of them
// message texts with display elements), 512 operands, 2000 wires. Each of
// store and load should take well under 20 ms in a release build.
#include <benchmark/benchmark.h>

#include <vector>

#include "support/sample_document.h"
#include "model/zarad_doc.h"

namespace {

void BM_StoreLargeDocument(benchmark::State& state) {
  CZaradDoc doc;
  BuildSampleDocument(doc);
  size_t bytes = 0;
  for (auto _ : state) {
    std::vector<BYTE> file = doc.SaveToBytes();
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
  state.counters["wires"] = doc.m_connections.GetCount();
}
BENCHMARK(BM_StoreLargeDocument)->Unit(benchmark::kMillisecond);

void BM_LoadLargeDocument(benchmark::State& state) {
  std::vector<BYTE> file;
  {
    CZaradDoc source;
    BuildSampleDocument(source);
    file = source.SaveToBytes();
  }
  CZaradDoc doc;
  CString error;
  for (auto _ : state) {
    if (!doc.LoadFromBytes(file, "large.bfb", &error)) state.SkipWithError(error.ToUtf8().c_str());
  }
  state.counters["blocks"] = doc.m_blocks.GetCount();
  state.counters["wires"] = doc.m_connections.GetCount();
}
BENCHMARK(BM_LoadLargeDocument)->Unit(benchmark::kMillisecond);

}  // namespace
