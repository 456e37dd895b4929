// Saving and loading a large diagram: 1024 function blocks (16 of them
// message texts with display elements), 512 operands, 2000 wires. Each of
// store and load should take well under 20 ms in a release build.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "support/sample_document.h"

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

// The Save command's work: the file written into the buffer the document keeps,
// then to a temporary file beside the target, synced and renamed over it.
void BM_SaveLargeDocumentToFile(benchmark::State& state) {
  CZaradDoc doc;
  BuildSampleDocument(doc);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zovuzi-bench-save";
  std::filesystem::create_directories(folder);
  const CString path = CString::FromUtf8((folder / "large.bfb").string());
  CString error;
  for (auto _ : state) {
    if (!doc.OnSaveDocument(path, &error)) state.SkipWithError(error.ToUtf8().c_str());
  }
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(folder / "large.bfb"));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveLargeDocumentToFile)->Unit(benchmark::kMillisecond);

// The same file into the kept buffer only (the CPU part of a save).
void BM_StoreLargeDocumentIntoKeptBuffer(benchmark::State& state) {
  CZaradDoc doc;
  BuildSampleDocument(doc);
  for (auto _ : state) benchmark::DoNotOptimize(doc.SaveToBuffer().data());
}
BENCHMARK(BM_StoreLargeDocumentIntoKeptBuffer)->Unit(benchmark::kMillisecond);

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

// A damaged file whose wires all name no block: dropping them grows linearly with
// their number (compare the times per wire across the range).
void BM_LoadBrokenWires(benchmark::State& state) {
  std::vector<BYTE> file;
  {
    CZaradDoc source;
    for (int64_t i = 0; i < state.range(0); ++i) {
      auto wire = std::make_unique<CConnectLineObj>();
      wire->m_nStartNumber = 9000;
      wire->m_nEndNumber = static_cast<int>(20000 + i);
      source.m_connections.AddTail(std::move(wire));
    }
    file = source.SaveToBytes();
  }
  CZaradDoc doc;
  CString error;
  for (auto _ : state) {
    if (!doc.LoadFromBytes(file, "broken.bfb", &error)) state.SkipWithError(error.ToUtf8().c_str());
  }
  state.counters["dropped"] = static_cast<double>(doc.m_loadWarnings.size());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadBrokenWires)
    ->RangeMultiplier(4)
    ->Range(1000, 64000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
