#include "editor/gui/zarad_view.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "app/main_frame.h"
#include "editor/gui/child_frame.h"
#include "model/block_comment.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_dc.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "properties/block_properties.h"
#include "properties/gui/qt_block_sheet.h"

CZaradView::CZaradView(CChildFrame* frame, CZaradDoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_pFrame(frame),
      m_pDoc(doc),
      m_core(doc),
      m_pProperties(std::make_unique<CBlockProperties>(doc)) {
  // The paint covers every pixel it repaints: no background erase.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  viewport()->setAutoFillBackground(false);
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  m_core.SetHost(this);
}

CZaradView::~CZaradView() {
  // Open modeless sheets close before the command that lists them goes.
  for (CQtBlockSheet* sheet : findChildren<CQtBlockSheet*>()) delete sheet;
  m_core.SetHost(nullptr);
}

// ---- Lifecycle ------------------------------------------------------------------------

void CZaradView::OnInitialUpdate() {
  m_core.SetClientSize(CSize(viewport()->width(), viewport()->height()));
  m_core.OnInitialUpdate();
  m_bMemReady = true;
  RebuildMemBitmap();
  InvalidateDiagram();
}

void CZaradView::OnActivateView(bool activate) {
  if (!activate) return;
  if (CMainFrame* main = AfxGetMainWnd()) main->SetModelNameText(m_pDoc->m_strModelName);
  InvalidateDiagram();
}

bool CZaradView::IsActiveView() const {
  CMainFrame* main = AfxGetMainWnd();
  if (!main || !m_pFrame) return true;
  return main->GetActiveDocumentWindow() == static_cast<DocumentWindow*>(m_pFrame);
}

// ---- Painting -------------------------------------------------------------------------

void CZaradView::InvalidateDiagram() {
  viewport()->update();
}

void CZaradView::paintEvent(QPaintEvent* event) {
  const QRect area = event->rect() & viewport()->rect();
  if (area.isEmpty()) return;
  if (m_memBitmap.size() != viewport()->size()) RebuildMemBitmap();
  {
    CQtDC mem(&m_memBitmap);
    m_core.ApplyZoomMapping(&mem);
    // The area to repaint in diagram units, a unit wider on each side so that
    // rounding never leaves device pixels of the area undrawn.
    CRect clip(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    mem.DPtoLP(&clip);
    clip.NormalizeRect();
    clip.InflateRect(1, 1);
    mem.IntersectClipRect(clip);
    OnDraw(&mem);
  }
  QPainter painter(viewport());
  painter.drawImage(area, m_memBitmap, area);
}

void CZaradView::OnDraw(CDC* dc) {
  // Every visible view draws its diagram (tiled or cascaded windows too); drawing
  // evaluates nothing, so only the active view's simulation moves.
  m_core.Draw(dc);
}

void CZaradView::RebuildMemBitmap() {
  const QSize size = viewport()->size();
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.fill(ToQColor(kViewSurroundColour));
  if (!m_memBitmap.isNull()) {
    QPainter painter(&image);
    painter.drawImage(0, 0, m_memBitmap);
  }
  m_memBitmap = std::move(image);
}

// ---- Scrolling and size -----------------------------------------------------------------

void CZaradView::OnScrollStateChanged() {
  if (m_bSyncingScroll) return;
  m_bSyncingScroll = true;
  const CPoint max = m_core.GetMaxScrollPosition();
  const CPoint pos = m_core.GetScrollPosition();
  const CSize page = m_core.GetPageStep();
  const CSize line = m_core.GetLineStep();
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  h->setRange(0, max.x);
  v->setRange(0, max.y);
  h->setPageStep(std::max(1, page.cx));
  v->setPageStep(std::max(1, page.cy));
  h->setSingleStep(std::max(1, line.cx));
  v->setSingleStep(std::max(1, line.cy));
  h->setValue(pos.x);
  v->setValue(pos.y);
  m_bSyncingScroll = false;
}

void CZaradView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  m_core.SetClientSize(CSize(viewport()->width(), viewport()->height()));
  if (m_bMemReady) RebuildMemBitmap();
}

void CZaradView::scrollContentsBy(int, int) {
  if (!m_bSyncingScroll) {
    m_core.ScrollTo(CPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
  }
  InvalidateDiagram();
}

// ---- Input ----------------------------------------------------------------------------------

CPoint CZaradView::ToDiagram(const QPoint& pos) const {
  return m_core.ClientToDiagram(CPoint(pos.x(), pos.y()));
}

void CZaradView::mousePressEvent(QMouseEvent* event) {
  const CPoint pt = ToDiagram(event->position().toPoint());
  m_core.SetLastMouse(pt);
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) m_core.SetLastClick(pt);
  QAbstractScrollArea::mousePressEvent(event);
}

void CZaradView::mouseMoveEvent(QMouseEvent* event) {
  m_core.SetLastMouse(ToDiagram(event->position().toPoint()));
  QAbstractScrollArea::mouseMoveEvent(event);
}

void CZaradView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(event);
  const CPoint pt = ToDiagram(event->position().toPoint());
  if (CBlockComment* comment = FindCommentAt(*m_pDoc, pt)) {
    m_core.ClearSelection();
    m_core.SelectComment(comment);
    m_core.SetCurrentComment(comment);
    m_core.SetCurrentBlock(nullptr);
    OnBlockProperties();
  } else if (CBlockObj* block = FindBlockAt(*m_pDoc, pt)) {
    m_core.SetCurrentBlock(block);
    OnBlockProperties();
  }
}

void CZaradView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_core.GetCurrentBlock()) {
    OnBlockProperties();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CZaradView::OnBlockProperties() {
  if (m_pDoc->m_bLocked) return;
  CQtSheetRunner runner(m_pProperties.get(), this);
  // A selected comment first: emptying its text removes it.
  CBlockComment* comment = m_core.GetCurrentComment();
  if (comment && comment->m_bSelected) {
    if (m_pProperties->RunComment(*comment, runner) == CBlockProperties::CommentEdit::kEmptied) {
      m_core.ForgetComment(comment);
      m_pDoc->m_comments.Detach(comment);
      m_pDoc->SetModifiedFlag();
      if (m_core.IsSimulating() && m_pDoc->m_comments.GetCount() == 0 && m_pDoc->m_blocks.GetCount() == 0)
        m_core.LeaveSimulation();
    }
    m_core.UpdateScrollSizes();
    InvalidateDiagram();
  }
  if (CBlockObj* block = m_core.GetCurrentBlock()) m_pProperties->Run(block, m_core.IsSimulating(), runner);
  InvalidateDiagram();
}

bool CZaradView::GetCursorClientPos(CPoint* out) const {
  if (!out) return false;
  const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
  *out = CPoint(p.x(), p.y());
  return true;
}

// ---- Commands -------------------------------------------------------------------------

bool CZaradView::OnUpdateCmdUI(CCmdUI* ui) {
  if (ui->m_nID == ID_PALETTE_PICK) return true;
  if (ui->m_nID == ID_BLOCK_PROPERTIES) {
    ui->Enable(m_core.GetCurrentBlock() != nullptr || m_core.GetCurrentComment() != nullptr);
    return true;
  }
  return m_core.OnUpdateCmdUI(ui);
}

bool CZaradView::OnCmdMsg(UINT id) {
  if (id == ID_PALETTE_PICK) {
    if (CMainFrame* main = AfxGetMainWnd()) m_core.OnPalettePick(main->m_nPickMode, main->m_nPickedType);
    return true;
  }
  if (id == ID_BLOCK_PROPERTIES) {
    OnBlockProperties();
    return true;
  }
  return m_core.OnCmdMsg(id);
}
