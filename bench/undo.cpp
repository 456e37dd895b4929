// The undo store on a large diagram (the sample document of the file-format
// benchmark: 1024 function blocks, 512 operands, 2000 wires): taking a
// snapshot after an edit, and an Undo that reloads the previous snapshot.
// Goals in a release build: a snapshot under 20 ms, an Undo under 40 ms.
#include <benchmark/benchmark.h>

#include "model/undo_buffer.h"
#include "model/zarad_doc.h"
#include "support/sample_document.h"

namespace {

void BM_UndoSnapshot(benchmark::State& state) {
  CZaradDoc doc;
  BuildSampleDocument(doc);
  for (auto _ : state) {
    if (!doc.m_undo.SaveSnapshot(&doc)) state.SkipWithError("snapshot failed");
  }
  state.counters["blocks"] = doc.m_blocks.GetCount();
  state.counters["wires"] = doc.m_connections.GetCount();
}
BENCHMARK(BM_UndoSnapshot)->Unit(benchmark::kMillisecond);

void BM_UndoReload(benchmark::State& state) {
  CZaradDoc doc;
  BuildSampleDocument(doc);
  doc.m_undo.SaveSnapshot(&doc);
  doc.m_blocks.GetHead()->m_ptPos.Offset(20, 0);  // one edit
  doc.m_undo.SaveSnapshot(&doc);
  for (auto _ : state) {
    if (!doc.m_undo.Undo()) state.SkipWithError("undo failed");
    state.PauseTiming();
    if (!doc.m_undo.Redo()) state.SkipWithError("redo failed");
    state.ResumeTiming();
  }
  state.counters["blocks"] = doc.m_blocks.GetCount();
  state.counters["wires"] = doc.m_connections.GetCount();
}
BENCHMARK(BM_UndoReload)->Unit(benchmark::kMillisecond);

}  // namespace
