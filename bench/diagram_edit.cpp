// Editing a large diagram through the editor core: one mouse-move step of a
// drag of 500 selected blocks whose wires to unselected blocks are re-routed
// (must stay under 16 ms), and deleting one block of a 1024-block diagram with
// the dense renumbering of the rest (must stay under 20 ms).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "blocks/block_factory.h"
#include "editor/diagram_editor.h"
#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"

namespace {

// A wire from src's output to dst's input pin, routed as four points, with both pin links.
void Wire(CZaradDoc& doc, CBlockObj* src, CBlockObj* dst, int pin) {
  auto w = std::make_unique<CConnectLineObj>();
  CRect a, b;
  GetPinRect(&a, src, kFirstOutputPin);
  GetPinRect(&b, dst, pin);
  w->m_pStartBlock = src;
  w->m_pEndBlock = dst;
  w->m_nStartPin = kFirstOutputPin;
  w->m_nEndPin = pin;
  w->m_nStartNumber = src->m_nNumber;
  w->m_nEndNumber = dst->m_nNumber;
  w->m_ptStart = a.CenterPoint();
  w->m_ptEnd = b.CenterPoint();
  const int mid = (w->m_ptStart.x + w->m_ptEnd.x) / 2;
  w->m_points = {w->m_ptStart, CPoint(mid, w->m_ptStart.y), CPoint(mid, w->m_ptEnd.y), w->m_ptEnd};
  dst->m_nSource[pin] = src->m_nNumber;
  src->m_nSource[kFirstOutputPin] = dst->m_nNumber;
  AddConnection(doc, std::move(w));
}

// count gates in a grid, each wired to the next one; a page large enough for them.
std::unique_ptr<CZaradDoc> MakeDiagram(int count) {
  auto doc = std::make_unique<CZaradDoc>();
  doc->m_sizePage = CSize(4000, 4000);
  doc->m_rcDiagram = CRect(0, 0, 4000, 4000);
  CBlockObj* previous = nullptr;
  for (int i = 0; i < count; ++i) {
    CBlockObj* b = doc->AddBlock(MakeBlockOfType(300 + i % 8));
    b->m_ptPos = CPoint(100 + (i % 32) * 100, 100 + (i / 32) * 100);
    b->m_nWidth = 25;
    b->m_nHeight = 40;
    if (previous) Wire(*doc, previous, b, 0);
    previous = b;
  }
  return doc;
}

void BM_MoveSelectionOf500Blocks(benchmark::State& state) {
  auto doc = MakeDiagram(1000);
  CDiagramEditor core(doc.get());
  core.SetClientSize(CSize(1200, 800));
  core.OnInitialUpdate();
  // Every other block: each selected block's two wires lead to unselected ones.
  int i = 0;
  for (CBlockObj* b : doc->m_blocks) {
    if (i++ % 2 == 0) core.SelectBlock(b);
  }
  core.SetEditMode(MODE_MOVE_BLOCKS);
  int step = 1;
  for (auto _ : state) {
    core.MoveSelection(CSize(step, step));
    step = -step;
  }
  state.counters["selected"] = static_cast<double>(core.GetSelectedBlocks().size());
  state.counters["wires"] = doc->m_connections.GetCount();
}
BENCHMARK(BM_MoveSelectionOf500Blocks)->Unit(benchmark::kMillisecond);

void BM_DeleteOneOf1024Blocks(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = MakeDiagram(kMaxFunctionBlocks);
    CDiagramEditor core(doc.get());
    core.OnInitialUpdate();
    core.SelectBlock(doc->m_blocks.GetAt(1));
    state.ResumeTiming();
    core.DeleteSelection();
    benchmark::DoNotOptimize(doc->m_blocks.GetTail()->m_nNumber);
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteOneOf1024Blocks)->Unit(benchmark::kMillisecond);

}  // namespace
