// The diagram view on its own (no main window): painting through the memory
// bitmap, zoom and scrolling, the ladder power bus, message numbers in use and
// the palette pick.
#include "editor/gui/zarad_view.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <memory>

#include "blocks/block_factory.h"
#include "editor/gui/child_frame.h"
#include "editor/view_geometry.h"
#include "model/diagram_draw.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "platform/command_target.h"
#include "platform/resource_ids.h"

namespace {

const QRgb kSurround = qRgb(0x80, 0x80, 0x80);
const QRgb kBase = qRgb(0xB4, 0xB4, 0xB4);

class ViewTest : public ::testing::Test {
 protected:
  void Open(int kind, QSize size = QSize(600, 400)) {
    m_frame = std::make_unique<CChildFrame>();
    m_frame->resize(size);
    ASSERT_TRUE(m_frame->OnNewDocument(kind));
    m_frame->show();
    QCoreApplication::processEvents();
  }
  CZaradView* View() const { return m_frame->GetActiveView(); }
  CZaradDoc* Doc() const { return m_frame->GetDocument(); }
  QImage Grab() const { return View()->viewport()->grab().toImage(); }

  CBlockObj* AddBlock(int type, CPoint pos) {
    CBlockObj* block = Doc()->AddBlock(MakeBlockOfType(type));
    block->m_ptPos = pos;
    return block;
  }

  // Pixels of the rectangle (device pixels) that are not the colour.
  static int CountOther(const QImage& image, QRect rect, QRgb colour) {
    int n = 0;
    rect &= image.rect();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x)
        n += (image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF);
    }
    return n;
  }

  std::unique_ptr<CChildFrame> m_frame;
};

TEST_F(ViewTest, PaintsSurroundBaseAndBlocks) {
  Open(kDocFbd);
  CBlockObj* block = AddBlock(300, CPoint(200, 120));
  View()->Core().SetZoom(0.5f);
  QCoreApplication::processEvents();
  const QImage image = Grab();
  ASSERT_FALSE(image.isNull());
  const CRect page = GetDiagramPageRect(*Doc());
  // Inside the base, away from blocks and the frame: the base colour.
  EXPECT_EQ(image.pixel(20, 20) & 0xFFFFFF, kBase & 0xFFFFFF);
  // Beyond the base (half its size at zoom 0.5): the surround.
  const int right = RoundHalfAwayFromZero(page.Width() * 0.5);
  const int bottom = RoundHalfAwayFromZero(page.Height() * 0.5);
  ASSERT_LT(right + 5, image.width());
  EXPECT_EQ(image.pixel(right + 5, 10) & 0xFFFFFF, kSurround & 0xFFFFFF);
  if (bottom + 5 < image.height()) {
    EXPECT_EQ(image.pixel(10, bottom + 5) & 0xFFFFFF, kSurround & 0xFFFFFF);
  }
  // The block's place at half size holds its drawing.
  const QRect place(block->m_ptPos.x / 2, block->m_ptPos.y / 2, block->m_nWidth / 2, block->m_nHeight / 2);
  EXPECT_GT(CountOther(image, place, kBase), place.width() * 2);
  // The black base outline runs along the top edge.
  EXPECT_EQ(image.pixel(right / 2, 0) & 0xFFFFFF, 0u);
}

TEST_F(ViewTest, PageDivisionsFollowThePageCounts) {
  Open(kDocFbd);
  Doc()->m_nPagesAcross = 3;
  View()->Core().SetZoom(0.25f);
  QCoreApplication::processEvents();
  const QImage image = Grab();
  const int y = 20;
  int divisions = 0;
  const int width = RoundHalfAwayFromZero(GetDiagramPageRect(*Doc()).Width() * 0.25);
  for (int x = 2; x < std::min(width - 2, image.width()); ++x)
    divisions += (image.pixel(x, y) & 0xFFFFFF) == (qRgb(0x00, 0xC4, 0x62) & 0xFFFFFF);
  EXPECT_EQ(divisions, 2);
}

TEST_F(ViewTest, ZoomStepsClampsAndCommandStates) {
  Open(kDocFbd);
  CZaradView* view = View();
  CDiagramEditor& core = view->Core();
  core.SetZoom(0.1f);
  EXPECT_EQ(Doc()->m_fZoom, 0.25f);
  core.SetZoom(8.0f);
  EXPECT_EQ(Doc()->m_fZoom, 4.0f);
  const CRect page = GetDiagramPageRect(*Doc());
  EXPECT_EQ(core.GetTotalSize(), CSize(page.Width() * 4, page.Height() * 4));

  struct Case {
    float from;
    UINT command;
    float to;
    bool enabledAfter;
  } const cases[] = {
      {3.5f, ID_ZOOM_IN, 4.0f, false},  {0.5f, ID_ZOOM_OUT, 0.25f, false}, {1.0f, ID_ZOOM_IN, 1.5f, true},
      {1.0f, ID_ZOOM_OUT, 0.75f, true}, {1.5f, ID_ZOOM_OUT, 1.0f, true},   {0.75f, ID_ZOOM_IN, 1.0f, true},
  };
  for (const Case& c : cases) {
    core.SetZoom(c.from);
    CCmdUI before(c.command);
    ASSERT_TRUE(m_frame->OnUpdateCmdUI(&before));
    EXPECT_TRUE(before.m_bEnabled);
    ASSERT_TRUE(m_frame->OnCmdMsg(c.command));
    EXPECT_EQ(Doc()->m_fZoom, c.to) << c.from;
    CCmdUI after(c.command);
    m_frame->OnUpdateCmdUI(&after);
    EXPECT_EQ(after.m_bEnabled, c.enabledAfter) << c.from;
    float zoom = 0;
    EXPECT_TRUE(m_frame->GetZoom(&zoom));
    EXPECT_EQ(zoom, c.to);
  }
}

TEST_F(ViewTest, ZoomKeepsTheCentreOrGoesToTheCorner) {
  Open(kDocFbd);
  CZaradView* view = View();
  CDiagramEditor& core = view->Core();
  // 1.0 to 2.0: the diagram point at the centre stays there.
  core.SetZoom(1.0f);
  core.ScrollTo(CPoint(100, 50));
  ASSERT_EQ(core.GetScrollPosition(), CPoint(100, 50));
  const CSize client = core.GetClientSize();
  const CPoint centre(client.cx / 2, client.cy / 2);
  const CPoint before = core.ClientToDiagram(centre);
  core.SetZoom(2.0f);
  EXPECT_EQ(core.GetScrollPosition(), ZoomScrollPosition(1.0f, 2.0f, CPoint(100, 50), client));
  EXPECT_EQ(core.ClientToDiagram(centre), before);
  // The scroll range follows the zoomed page; steps are a tenth and a hundredth.
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), core.GetTotalSize().cx - core.GetClientSize().cx);
  EXPECT_EQ(core.GetPageStep().cx, core.GetTotalSize().cx / 10);
  EXPECT_EQ(core.GetLineStep().cx, core.GetTotalSize().cx / 10 / 10);
  // From below 1.0 the view goes to the top-left corner.
  core.SetZoom(0.5f);
  core.ScrollTo(CPoint(30, 30));
  core.SetZoom(1.0f);
  EXPECT_EQ(core.GetScrollPosition(), CPoint(0, 0));
}

TEST_F(ViewTest, LadderPowerBusIsMadeWithTheNewDocumentAndDrawingLeavesItAlone) {
  Open(kDocLadder);
  ASSERT_EQ(Doc()->m_powerBus.GetCount(), 1);
  const CRect page = GetDiagramPageRect(*Doc());
  CBlockObj* bus = Doc()->m_powerBus.GetHead();
  EXPECT_EQ(bus->m_nWidth, 4);
  EXPECT_EQ(bus->m_nHeight, page.Height() - 4);
  // The bus is drawn at its place (x 24 .. 28, from y 20) at zoom 2.
  View()->Core().SetZoom(2.0f);
  View()->Core().ScrollTo(CPoint(0, 0));
  QImage image = Grab();
  EXPECT_GT(CountOther(image, QRect(48, 60, 8, 100), kBase), 100);
  ASSERT_EQ(Doc()->m_powerBus.GetCount(), 1);
  EXPECT_EQ(Doc()->m_powerBus.GetHead(), bus);
  // Drawing never makes one: a document without a bus stays without.
  Doc()->m_powerBus.DeleteAll();
  image = Grab();
  EXPECT_TRUE(Doc()->m_powerBus.IsEmpty());
  EXPECT_LT(CountOther(image, QRect(48, 60, 8, 100), kBase), 100);
}

TEST_F(ViewTest, ResizingRebuildsTheMemoryBitmap) {
  Open(kDocFbd);
  AddBlock(300, CPoint(40, 40));
  m_frame->resize(0, 0);
  QCoreApplication::processEvents();
  m_frame->resize(500, 300);
  QCoreApplication::processEvents();
  const QImage image = Grab();
  EXPECT_EQ(image.size(), View()->viewport()->size());
  EXPECT_EQ(image.pixel(10, 10) & 0xFFFFFF, kBase & 0xFFFFFF);
  EXPECT_GT(CountOther(image, QRect(40, 40, 25, 40), kBase), 50);
}

TEST_F(ViewTest, MessageNumbersInUse) {
  Open(kDocFbd);
  for (int number : {0, 3, 17, -1}) {
    auto* text = static_cast<CBlockMSGTEXT*>(AddBlock(CBlockMSGTEXT::kTypeCode, CPoint(10, 10)));
    text->SetPriority(number);
  }
  View()->OnInitialUpdate();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(View()->Core().IsMessageNumberUsed(i), i == 0 || i == 3) << i;
}

TEST_F(ViewTest, PalettePick) {
  Open(kDocFbd);
  CZaradView* view = View();
  CDiagramEditor& core = view->Core();
  core.OnPalettePick(MODE_PLACE_BLOCK, 401);
  EXPECT_EQ(core.GetEditMode(), MODE_PLACE_BLOCK);
  EXPECT_EQ(core.GetPaletteType(), 401);
  // Another mode keeps the type.
  core.OnPalettePick(MODE_CONNECT, 300);
  EXPECT_EQ(core.GetEditMode(), MODE_CONNECT);
  EXPECT_EQ(core.GetPaletteType(), 401);
  // A half-drawn wire is abandoned by a place-block pick.
  core.BeginWire(CPoint(10, 10));
  core.OnPalettePick(MODE_PLACE_BLOCK, 300);
  EXPECT_FALSE(core.IsWireInProgress());
  EXPECT_EQ(core.GetPaletteType(), 300);
  // A locked document ignores the pick.
  Doc()->m_bLocked = 1;
  core.OnPalettePick(MODE_SELECT, 0);
  EXPECT_EQ(core.GetEditMode(), MODE_PLACE_BLOCK);
}

TEST_F(ViewTest, ScrollBarsMouseAndCoreAgree) {
  Open(kDocFbd);
  CZaradView* view = View();
  CDiagramEditor& core = view->Core();
  core.SetZoom(2.0f);
  EXPECT_EQ(core.GetClientSize(), CSize(view->viewport()->width(), view->viewport()->height()));
  // The bars move the core; the core moves the bars.
  view->horizontalScrollBar()->setValue(40);
  view->verticalScrollBar()->setValue(20);
  EXPECT_EQ(core.GetScrollPosition(), CPoint(40, 20));
  core.ScrollTo(CPoint(60, 30));
  EXPECT_EQ(view->horizontalScrollBar()->value(), 60);
  EXPECT_EQ(view->verticalScrollBar()->value(), 30);
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), core.GetMaxScrollPosition().x);

  // Mouse positions reach the core in diagram units.
  QMouseEvent move(QEvent::MouseMove, QPointF(100, 50), view->viewport()->mapToGlobal(QPointF(100, 50)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view->viewport(), &move);
  EXPECT_EQ(core.GetLastMouse(), CPoint((100 + 60) / 2, (50 + 30) / 2));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 10), view->viewport()->mapToGlobal(QPointF(20, 10)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view->viewport(), &press);
  EXPECT_EQ(core.GetLastClick(), CPoint(40, 20));

  // The frame's simulated clock is the core's scan driver's.
  core.GetScanDriver().SetSimulatedTime(SYSTEMTIME{2026, 3, 0, 4, 5, 6, 7, 0});
  EXPECT_EQ(m_frame->FormatSimulatedTime(FALSE, 3), core.FormatSimulatedTime(FALSE, 3));
  EXPECT_EQ(m_frame->GetSimulatedTime().wHour, 5);
}

}  // namespace
