// The feedback-loop check of the wire tool on a chain of 1024 gates, each
// wired to the next: closing the chain from its last output back into its
// first input walks the whole chain (target: under 5 ms).
#include <benchmark/benchmark.h>

#include <memory>

#include "blocks/block_factory.h"
#include "editor/diagram_editor.h"
#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"

namespace {

std::unique_ptr<CZaradDoc> MakeChain(int count, CDiagramEditor** core,
                                     std::unique_ptr<CDiagramEditor>& owner) {
  auto doc = std::make_unique<CZaradDoc>();
  doc->m_sizePage = CSize(4000, 4000);
  doc->m_rcDiagram = CRect(0, 0, 4000, 4000);
  owner = std::make_unique<CDiagramEditor>(doc.get());
  *core = owner.get();
  CBlockObj* previous = nullptr;
  for (int i = 0; i < count; ++i) {
    CBlockObj* b = doc->AddBlock(MakeBlockOfType(300));
    b->m_ptPos = CPoint(100 + (i % 32) * 100, 100 + (i / 32) * 100);
    b->m_nWidth = 25;
    b->m_nHeight = 40;
    if (previous) owner->ConnectBlockPins(previous, kFirstOutputPin, b, 0);
    previous = b;
  }
  return doc;
}

void BM_LoopCheckOnA1024BlockChain(benchmark::State& state) {
  CDiagramEditor* core = nullptr;
  std::unique_ptr<CDiagramEditor> owner;
  auto doc = MakeChain(1024, &core, owner);
  if (doc->m_connections.GetCount() != 1023) {
    state.SkipWithError("the chain was not wired");
    return;
  }
  CBlockObj* first = doc->m_blocks.GetHead();
  CBlockObj* last = doc->m_blocks.GetTail();
  CConnectLineObj probe;
  probe.m_pStartBlock = last;
  probe.m_nStartPin = kFirstOutputPin;
  for (auto _ : state) benchmark::DoNotOptimize(core->CheckFbdRecursion(&probe, first, 1));
  if (core->CheckFbdRecursion(&probe, first, 1) == 0) state.SkipWithError("the loop was not found");
}
BENCHMARK(BM_LoopCheckOnA1024BlockChain)->Unit(benchmark::kMillisecond);

}  // namespace
