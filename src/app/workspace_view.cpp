#include "app/workspace_view.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "app/main_frame.h"
#include "model/shell_context.h"
#include "model/view_context.h"
#include "platform/gui/qt_dc.h"

namespace {

QColor ToQColor(COLORREF c) {
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF Background(const CMainFrame* frame) {
  return frame ? frame->m_crBackground : RGB(255, 255, 255);
}

// A context that draws nothing and notes how far to the right the texts reach.
class CTextReachDC : public CQtDC {
 public:
  using CQtDC::CQtDC;
  int Reach() const { return m_reach; }

 protected:
  void DoTextOut(CPoint topLeft, const CString& text, const CRect*) override {
    m_reach = std::max(m_reach, topLeft.x + static_cast<int>(DoGetTextExtent(text).cx));
  }

 private:
  int m_reach = 0;
};

}  // namespace

int CWorkspaceView::PreferredWidth(int series) {
  CWorkspacePalette palette;
  palette.LoadNames();
  QImage image(4, 4, QImage::Format_RGB32);
  int reach = 0;
  for (int docKind : {1, 2})
    for (int category = 0; category < 7; ++category) {
      palette.m_nCategory = category;
      CTextReachDC dc(&image);
      palette.DrawPaletteCategory(&dc, PaletteTarget{docKind, series});
      reach = std::max(reach, dc.Reach());
    }
  CWorkspaceView view;
  return reach + 8 + 2 * view.frameWidth() + view.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

CWorkspaceView::CWorkspaceView(QWidget* parent, CMainFrame* frame)
    : QAbstractScrollArea(parent), m_pFrame(frame) {
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFrameShape(QFrame::Box);
  OnInitialUpdate();
}

CWorkspaceView::~CWorkspaceView() = default;

void CWorkspaceView::OnInitialUpdate() {
  LoadNames();
  UpdateScrollBars();
}

void CWorkspaceView::UpdateScrollBars() {
  const QSize page = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, m_sizePalette.cx - page.width()));
  horizontalScrollBar()->setPageStep(page.width());
  verticalScrollBar()->setRange(0, std::max(0, m_sizePalette.cy - page.height()));
  verticalScrollBar()->setPageStep(page.height());
  verticalScrollBar()->setSingleStep(16);
}

CPoint CWorkspaceView::GetScrollPosition() const {
  return CPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

PaletteTarget CWorkspaceView::Target() const {
  return ActivePaletteTarget(m_pFrame ? m_pFrame->GetActiveDocument() : nullptr, g_CurrentModelCode);
}

QImage CWorkspaceView::Render() const {
  // Drawn into a memory image of the client size, then copied at once.
  const QSize size = viewport()->size().expandedTo(QSize(1, 1));
  QImage image(size, QImage::Format_RGB32);
  image.fill(ToQColor(Background(m_pFrame)));
  {
    CQtDC dc(&image);
    const CPoint scroll = GetScrollPosition();
    dc.SetViewportOrg(-scroll.x, -scroll.y);
    const PaletteTarget target = Target();
    DrawPaletteCategory(&dc, target);
    dc.SetViewportOrg(0, 0);
  }
  return image;
}

void CWorkspaceView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.drawImage(0, 0, Render());
}

void CWorkspaceView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void CWorkspaceView::scrollContentsBy(int, int) {
  viewport()->update();
}

void CWorkspaceView::mousePressEvent(QMouseEvent* event) {
  QAbstractScrollArea::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  const CPoint scroll = GetScrollPosition();
  const PaletteHit hit = HitTestPalette(CPoint(pos.x() + scroll.x, pos.y() + scroll.y), Target());
  if (!hit.found) return;
  m_nSelectedType = hit.typeCode;
  if (m_pFrame) m_pFrame->OnPalettePick(hit.mode, hit.typeCode);
  viewport()->update();
}

void CWorkspaceView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const CPoint scroll = GetScrollPosition();
  const bool over = HitTestPalette(CPoint(pos.x() + scroll.x, pos.y() + scroll.y), Target()).found;
  const Qt::CursorShape shape = viewport()->cursor().shape();
  if (over && shape != Qt::BitmapCursor) {
    viewport()->setCursor(BlockCursor());
  } else if (!over && shape != Qt::ArrowCursor) {
    viewport()->setCursor(Qt::ArrowCursor);
  }
  // Every move repaints with the active diagram's kind and series.
  viewport()->update();
  QAbstractScrollArea::mouseMoveEvent(event);
}

const QCursor& CWorkspaceView::BlockCursor() {
  static const QCursor cursor = [] {
    // Monochrome 32 x 32: an arrow with its tip at (6, 3) and a small square of
    // four cells at its lower right.
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPolygon arrow({QPoint(6, 3), QPoint(6, 19), QPoint(10, 15), QPoint(13, 22), QPoint(15, 21),
                          QPoint(12, 14), QPoint(17, 14)});
    p.setPen(Qt::white);
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(17, 19, 10, 10);
    p.drawLine(22, 19, 22, 29);
    p.drawLine(17, 24, 27, 24);
    p.end();
    return QCursor(QPixmap::fromImage(image), 6, 3);
  }();
  return cursor;
}
