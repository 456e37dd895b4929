#include "editor/gui/diagram_render.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "blocks/block_draw.h"
#include "blocks/block_factory.h"
#include "editor/scan_driver.h"
#include "model/block_comment.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "platform/recording_dc.h"
#include "support/fake_contexts.h"

namespace {

// Every block type code with a drawing of its own.
std::vector<int> AllBlockTypes() {
  std::vector<int> types;
  auto range = [&types](int first, int last) {
    for (int t = first; t <= last; ++t) types.push_back(t);
  };
  range(300, 307);
  range(400, 413);
  range(600, 611);
  range(700, 705);
  range(800, 827);
  range(830, 856);
  range(860, 879);
  types.push_back(911);
  return types;
}

// A document holding one block of every type on a grid, wires between
// neighbours, a comment, and one selected block.
std::unique_ptr<CZaradDoc> MakeAllBlocksDocument(int kind) {
  auto doc = std::make_unique<CZaradDoc>();
  doc->m_nKind = kind;
  doc->m_wModelCode = 0x5188;
  doc->m_sizePage = CSize(1600, 1400);
  int i = 0;
  CBlockObj* previous = nullptr;
  for (int type : AllBlockTypes()) {
    CBlockObj* b = doc->AddBlock(MakeBlockOfType(type));
    if (b == nullptr) continue;
    b->m_ptPos = CPoint(160 + (i % 10) * 140, 60 + (i / 10) * 100);
    b->m_bInvert[0] = i % 3 == 0 ? 1 : 0;
    if (previous && previous->m_nPinType[kFirstOutputPin] != PIN_NONE && b->m_nInputs > 0 &&
        b->m_nPinType[0] != PIN_NONE && previous->m_ptPos.y == b->m_ptPos.y) {
      auto wire = std::make_unique<CConnectLineObj>();
      CRect from, to;
      previous->GetPinRect(&from, kFirstOutputPin, kPinMarkSize);
      b->GetPinRect(&to, 0, kPinMarkSize);
      const CPoint a(previous->m_ptPos.x + previous->m_nWidth + 5, from.CenterPoint().y);
      const CPoint z(b->m_ptPos.x - 5, to.CenterPoint().y);
      const int mid = (a.x + z.x) / 2;
      wire->m_ptStart = a;
      wire->m_ptEnd = z;
      wire->m_points = {a, CPoint(mid - 10, a.y), CPoint(mid - 10, a.y), CPoint(mid, a.y), CPoint(mid, z.y),
                        z};
      wire->m_pStartBlock = previous;
      wire->m_pEndBlock = b;
      wire->m_nStartNumber = previous->m_nNumber;
      wire->m_nEndNumber = b->m_nNumber;
      wire->m_nStartPin = kFirstOutputPin;
      wire->m_nEndPin = 0;
      wire->m_junctions[3] = CPoint(0, 0);
      b->m_nSource[0] = previous->m_nNumber;
      doc->m_connections.AddTail(std::move(wire));
    }
    previous = b;
    ++i;
  }
  doc->m_blocks.GetHead()->m_bSelected = 1;
  auto comment = std::make_unique<CBlockComment>();
  comment->m_ptPos = CPoint(160, 1300);
  comment->m_size = CSize(200, 24);
  comment->m_strText = CString(u"All block types\r\nsecond line");
  comment->m_nLines = 2;
  doc->m_comments.AddTail(std::move(comment));
  return doc;
}

// Pixels of the image in the given colour (0x00BBGGRR).
int CountPixels(const QImage& image, COLORREF colour) {
  const QRgb want = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) n += (line[x] & 0xFFFFFF) == (want & 0xFFFFFF) ? 1 : 0;
  }
  return n;
}

TEST(DiagramRenderTest, EveryBlockTypeRendersIntoAnImage) {
  auto doc = MakeAllBlocksDocument(kDocFbd);
  const QImage image = RenderWholeDiagram(*doc, 1.0f);
  ASSERT_EQ(image.size(), QSize(1600, 1400));
  EXPECT_GT(CountPixels(image, 0x8CDEFF), 100 * 200);  // block bodies
  EXPECT_GT(CountPixels(image, kDiagramBackground), 1600 * 1400 / 2);
  EXPECT_GT(CountPixels(image, 0x408040), 200);    // parameter stubs and text
  EXPECT_GT(CountPixels(image, 0x000000), 10000);  // outlines, wires, labels
  const QString path = QDir(QCoreApplication::applicationDirPath()).filePath("diagram_all_blocks.png");
  EXPECT_TRUE(image.save(path));

  // At zoom 2 the bodies cover four times the pixels.
  const QImage twice = RenderWholeDiagram(*doc, 2.0f);
  ASSERT_EQ(twice.size(), QSize(3200, 2800));
  const double ratio = static_cast<double>(CountPixels(twice, 0x8CDEFF)) / CountPixels(image, 0x8CDEFF);
  EXPECT_NEAR(ratio, 4.0, 0.6);
  twice.save(QDir(QCoreApplication::applicationDirPath()).filePath("diagram_all_blocks_zoom2.png"));
}

TEST(DiagramRenderTest, ScrolledViewportShowsTheSurroundAndTheLadderPowerBus) {
  auto doc = MakeAllBlocksDocument(kDocLadder);
  // Drawing changes nothing: without a bus none is drawn and none is made.
  ASSERT_TRUE(doc->m_powerBus.IsEmpty());
  RenderDiagramImage(*doc, 1.0f, QSize(100, 300));
  ASSERT_TRUE(doc->m_powerBus.IsEmpty());
  doc->MakePowerBus();  // what a new or loaded ladder document does
  ASSERT_EQ(doc->m_powerBus.GetCount(), 1);
  EXPECT_EQ(doc->m_powerBus.GetHead()->m_nHeight, 1400 - 4);
  // Scrolled past the right edge of the base: the surround shows there.
  const QImage image = RenderDiagramImage(*doc, 1.0f, QSize(400, 300), QPoint(1400, 0));
  EXPECT_GT(CountPixels(image, kDiagramSurround), 200 * 300 - 1000);
  ASSERT_EQ(doc->m_powerBus.GetCount(), 1);
  const QImage left = RenderDiagramImage(*doc, 1.0f, QSize(100, 300));
  const int x = doc->m_powerBus.GetHead()->m_ptPos.x;
  EXPECT_EQ(left.pixel(x, 200) & 0xFFFFFF, 0u);  // the bus is a black line 4 units wide
}

// A simulating window repainted over its last picture after more scans
// shows the values of the latest scan in its value boxes, and shows them as a
// painter that saves and restores its state around every primitive (and
// leaves every fill to Qt) draws them on a fresh image, on a thread of its own
// (with none of the fonts and laid-out texts the window's thread keeps).
TEST(DiagramRenderTest, SimulationRepaintsShowTheLatestValues) {
  auto doc = MakeAllBlocksDocument(kDocFbd);
  CScanDriver driver(doc.get());
  driver.EnterSimulation(SYSTEMTIME{2026, 12, 4, 10, 12, 0, 0, 0});
  DiagramDrawOptions options;
  options.simulating = true;
  const auto scanTo = [&driver](int ticks) {
    for (int t = 0; t < ticks; ++t) {
      driver.Tick();
      driver.Scan();
    }
  };
  const auto paint = [&](QImage& image, bool savedState) {
    QPainter painter(&image);
    if (savedState) painter.setClipRect(image.rect());
    RenderDiagram(&painter, *doc, 1.0f, QPoint(0, 0), &driver, options);
  };
  const auto reference = [&] {
    QImage image(1600, 1400, QImage::Format_RGB32);
    image.fill(Qt::gray);
    std::thread([&] { paint(image, true); }).join();
    return image;
  };
  scanTo(8);
  QImage window(1600, 1400, QImage::Format_RGB32);
  paint(window, false);
  EXPECT_EQ(window, reference());
  const QImage before = window;

  scanTo(52);
  paint(window, false);
  EXPECT_EQ(window, reference());
  EXPECT_NE(window, before);  // the clock's value box, among others
  driver.LeaveSimulation();
}

// Windows whose edges cut through the value boxes, parameter texts and
// number labels of a simulation, or pass just beside them, show what a
// painter that saves and restores its state draws at the same place: that
// painter forms every text, so a text left out of the window could not have
// shown in it. Both with and without culling to the clip, at two zooms.
TEST(DiagramRenderTest, WindowEdgesShowTheTextsOfBlocksJustOutside) {
  auto doc = MakeAllBlocksDocument(kDocFbd);
  CScanDriver driver(doc.get());
  driver.EnterSimulation(SYSTEMTIME{2026, 12, 4, 10, 12, 0, 0, 0});
  for (int t = 0; t < 30; ++t) {
    driver.Tick();
    driver.Scan();
  }
  const QSize size(230, 70);
  const auto paint = [&](QImage& image, bool savedState, float zoom, QPoint scroll,
                         const DiagramDrawOptions& options) {
    image.fill(Qt::gray);
    QPainter painter(&image);
    if (savedState) painter.setClipRect(image.rect());
    RenderDiagram(&painter, *doc, zoom, scroll, &driver, options);
  };
  int valueBoxPixels = 0;
  int parameterPixels = 0;
  int windows = 0;
  for (const bool cull : {false, true}) {
    DiagramDrawOptions options;
    options.simulating = true;
    options.cullToClip = cull;
    for (const float zoom : {1.0f, 1.5f}) {
      // Rows of blocks lie 100 units apart (the timers, with parameter texts
      // of several lines, in the second); the window's top and bottom edges
      // step through the first three rows a few units at a time, its sides
      // through the first columns (at 190, 30 units into the value boxes of
      // the first).
      for (int y = 0; y < 300; y += 6) {
        for (const int x : {0, 97, 190, 230}) {
          const QPoint scroll(static_cast<int>(x * zoom), static_cast<int>(y * zoom));
          QImage window(size, QImage::Format_RGB32);
          QImage reference(size, QImage::Format_RGB32);
          paint(window, false, zoom, scroll, options);
          paint(reference, true, zoom, scroll, options);
          ASSERT_EQ(window, reference) << "cull " << cull << " zoom " << zoom << " at " << x << "," << y;
          valueBoxPixels += CountPixels(window, kValueBoxFill);
          parameterPixels += CountPixels(window, kParamColour);
          ++windows;
        }
      }
    }
  }
  // The windows did show value boxes, and parameter stubs and texts (drawn
  // antialiased: few of their pixels have the colour itself).
  EXPECT_GT(valueBoxPixels, windows * 20);
  EXPECT_GT(parameterPixels, windows);
  driver.LeaveSimulation();
}

TEST(DiagramRenderTest, ZoomMapping) {
  EXPECT_EQ(ClampZoom(0.1f), 0.25f);
  EXPECT_EQ(ClampZoom(0.25f), 0.25f);
  EXPECT_EQ(ClampZoom(8.0f), 4.0f);
  EXPECT_EQ(ClampZoom(std::nanf("")), 0.25f);
  EXPECT_EQ(ClampZoom(1.5f), 1.5f);
  EXPECT_EQ(RoundHalfAwayFromZero(2.5), 3);
  EXPECT_EQ(RoundHalfAwayFromZero(-2.5), -3);
  CRecordingDC dc;
  ApplyDiagramZoomMapping(&dc, 1.5f, CPoint(30, 40));
  CPoint p(100, 100);
  dc.LPtoDP(&p);
  EXPECT_EQ(p, CPoint(150 - 30, 150 - 40));
}

}  // namespace
