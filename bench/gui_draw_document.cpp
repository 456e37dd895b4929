// Full repaints of a large function-block diagram (1024 function blocks, 512
// operands, 2000 wires) into a 1920 x 1080 image at zoom 1.0: the view's
// repaint (elements outside the window are skipped) and a repaint that draws
// every element of the document.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "blocks/block_factory.h"
#include "editor/gui/diagram_render.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/document_view_context.h"
#include "model/zarad_doc.h"

namespace {

// Function block types drawn in turn, and operand types.
const std::vector<int>& FunctionTypes() {
  static const std::vector<int> types = [] {
    std::vector<int> t;
    for (int c = 300; c <= 307; ++c) t.push_back(c);
    for (int c = 400; c <= 413; ++c) t.push_back(c);
    for (int c = 800; c <= 827; ++c) t.push_back(c);
    for (int c = 830; c <= 856; ++c) t.push_back(c);
    for (int c = 860; c <= 879; ++c) t.push_back(c);
    return t;
  }();
  return types;
}

std::unique_ptr<CZaradDoc> BuildLargeDocument() {
  auto doc = std::make_unique<CZaradDoc>();
  doc->m_nKind = kDocFbd;
  doc->m_wModelCode = 0x5188;
  doc->m_sizePage = CSize(1920, 1080);
  doc->m_nPagesAcross = 3;
  doc->m_nPagesDown = 5;
  std::vector<CBlockObj*> blocks;
  const int columns = 24;
  auto place = [&](int type, int index) {
    CBlockObj* b = doc->AddBlock(MakeBlockOfType(type));
    if (b == nullptr) return;
    b->m_ptPos = CPoint(120 + (index % columns) * 230, 60 + (index / columns) * 80);
    b->m_nNumber = 9000 + index;
    blocks.push_back(b);
  };
  int index = 0;
  for (int i = 0; i < 1024; ++i)
    place(FunctionTypes()[static_cast<size_t>(i) % FunctionTypes().size()], index++);
  for (int i = 0; i < 512; ++i) place(600 + i % 12, index++);
  // 2000 wires from a block's output to an input of the block two places on.
  int made = 0;
  for (size_t i = 0; made < 2000; i = (i + 1) % blocks.size()) {
    CBlockObj* src = blocks[i];
    CBlockObj* dst = blocks[(i + 2 + static_cast<size_t>(made) / blocks.size()) % blocks.size()];
    const int pin = made / static_cast<int>(blocks.size()) % std::max(dst->m_nInputs, 1);
    auto wire = std::make_unique<CConnectLineObj>();
    const CPoint a(src->m_ptPos.x + src->m_nWidth + 5, src->m_ptPos.y + src->m_nHeight / 2);
    const CPoint z(dst->m_ptPos.x - 5, dst->m_ptPos.y + (pin + 1) * (dst->m_nHeight / (dst->m_nInputs + 1)));
    const int mid = a.x + 20;
    wire->m_ptStart = a;
    wire->m_ptEnd = z;
    wire->m_points = {
        a, CPoint(a.x + 10, a.y), CPoint(mid, a.y), CPoint(mid, (a.y + z.y) / 2), CPoint(mid, z.y), z};
    wire->m_pStartBlock = src;
    wire->m_pEndBlock = dst;
    wire->m_nStartNumber = src->m_nNumber;
    wire->m_nEndNumber = dst->m_nNumber;
    wire->m_nStartPin = kFirstOutputPin;
    wire->m_nEndPin = pin;
    if (made % 7 == 0) wire->m_junctions[2] = CPoint(0, 0);
    doc->m_connections.AddTail(std::move(wire));
    ++made;
  }
  return doc;
}

void Repaint(benchmark::State& state, bool cull) {
  auto doc = BuildLargeDocument();
  CDocumentViewContext view(doc.get());
  QImage image(1920, 1080, QImage::Format_RGB32);
  DiagramDrawOptions options;
  options.cullToClip = cull;
  for (auto _ : state) {
    QPainter painter(&image);
    RenderDiagram(&painter, *doc, 1.0f, QPoint(0, 0), &view, options);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["blocks"] = doc->m_blocks.GetCount();
  state.counters["wires"] = doc->m_connections.GetCount();
}

void BM_RepaintWindow(benchmark::State& state) {
  Repaint(state, true);
}
void BM_RepaintEveryElement(benchmark::State& state) {
  Repaint(state, false);
}
BENCHMARK(BM_RepaintWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintEveryElement)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
