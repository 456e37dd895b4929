// Full repaints of grid controls into an image through the Qt drawing
// context: a message-text screen (a heading row and column, 4 lines of 25
// characters, wide characters and 4 elements over the cells) and a value
// table of 1000 rows and 10 columns in an 800 x 600 window.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "controls/grid_ctrl.h"
#include "platform/gui/qt_dc.h"

namespace {

// A window of a fixed size around an image.
class ImageWindow : public CGridWindow {
 public:
  explicit ImageWindow(QSize size)
      : m_image(size, QImage::Format_RGB32), m_measure(1, 1, QImage::Format_RGB32) {}
  CRect GetClientRect() const override { return CRect(0, 0, m_image.width(), m_image.height()); }
  void Invalidate(const CRect*) override {}
  CDC* GetMeasureDC() override {
    if (!m_dc) m_dc = std::make_unique<CQtDC>(&m_measure);
    return m_dc.get();
  }
  void ShowScrollBar(int, bool) override {}
  void SetScrollRange(int, int, int) override {}
  int GetScrollPos(int) const override { return 0; }
  void SetScrollPos(int, int) override {}
  void SetClipboard(const CGridDataObject&) override {}
  CGridDataObject GetClipboard() const override { return {}; }
  int DoDragDrop(const CGridDataObject&, int) override { return DROPEFFECT_NONE; }

  QImage m_image;

 private:
  QImage m_measure;
  std::unique_ptr<CQtDC> m_dc;
};

void Repaint(benchmark::State& state, CGridCtrl& grid, ImageWindow& window) {
  for (auto _ : state) {
    QPainter painter(&window.m_image);
    {
      CQtDC dc(&painter);
      grid.OnDraw(&dc);
    }
    painter.end();
    benchmark::DoNotOptimize(window.m_image.constBits());
  }
}

void BM_MessageScreen(benchmark::State& state) {
  ImageWindow window(QSize(26 * 16, 5 * 26));
  CGridCtrl grid(5, 26, 1, 1);
  grid.AttachWindow(&window);
  for (int c = 0; c < 26; ++c) grid.SetColumnWidth(c, 16);
  for (int r = 0; r < 5; ++r) grid.SetRowHeight(r, 26);
  for (int r = 1; r < 5; ++r)
    for (int c = 1; c < 26; c += 1)
      grid.SetItemText(r, c, CString(static_cast<char16_t>(u'A' + (r * 7 + c) % 26)));
  for (int c = 10; c < 18; c += 2) {
    grid.SetItemText(3, c, CString(u'\u4E2D'));
    grid.SetItemState(3, c, grid.GetItemState(3, c) | GVIS_WIDELEFT);
    grid.SetItemText(3, c + 1, CString());
    grid.SetItemState(3, c + 1, grid.GetItemState(3, c + 1) | GVIS_WIDERIGHT);
  }
  for (int line = 1; line <= 4; ++line) {
    auto e = std::make_unique<CGridElement>();
    e->m_nRow = line;
    e->m_nCol = 20;
    e->m_nWidth = 5;
    e->m_color = RGB(255, 230, 160);
    grid.AddElement(std::move(e));
  }
  grid.SetFocusCell(2, 3);
  Repaint(state, grid, window);
}

void BM_ValueTable(benchmark::State& state) {
  ImageWindow window(QSize(800, 600));
  CGridCtrl grid(1000, 10, 1, 1);
  grid.AttachWindow(&window);
  for (int r = 0; r < 1000; ++r)
    for (int c = 0; c < 10; ++c) {
      CString text;
      text.Format(u"%d", r * 10 + c);
      grid.SetItemText(r, c, text);
    }
  for (int c = 0; c < 10; ++c) grid.SetColumnWidth(c, 80);
  for (int r = 0; r < 1000; ++r) grid.SetRowHeight(r, 20);
  Repaint(state, grid, window);
}

BENCHMARK(BM_MessageScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ValueTable)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
