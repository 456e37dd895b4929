#include "editor/gui/zarad_view.h"

#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "app/main_frame.h"
#include "app/resource_ids.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/diagram_render.h"
#include "editor/view_geometry.h"
#include "model/block_obj.h"
#include "model/diagram_draw.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "platform/gui/qt_dc.h"
#include "platform/gui/qt_string.h"

CZaradView::CZaradView(CChildFrame* frame, CZaradDoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_pFrame(frame), m_pDoc(doc) {
  // The paint covers every pixel it repaints: no background erase.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  viewport()->setAutoFillBackground(false);
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
}

CZaradView::~CZaradView() = default;

// ---- Lifecycle ------------------------------------------------------------------------

void CZaradView::OnInitialUpdate() {
  UpdateScrollSizes();
  std::fill(std::begin(m_bMessageNumberUsed), std::end(m_bMessageNumberUsed), 0);
  for (CBlockObj* block : m_pDoc->m_blocks) {
    const auto* text = dynamic_cast<const CBlockMSGTEXT*>(block);
    if (!text) continue;
    const int number = text->GetPriority();
    if (number >= 0 && number < 16) m_bMessageNumberUsed[number] = 1;
  }
  m_bMemReady = 1;
  RebuildMemBitmap();
  InvalidateDiagram();
}

void CZaradView::OnActivateView(bool activate) {
  if (!activate) return;
  GetShellContext()->SetModelNameText(m_pDoc->m_strModelName);
  InvalidateDiagram();
}

bool CZaradView::IsActiveView() const {
  CMainFrame* main = AfxGetMainWnd();
  if (!main || !m_pFrame) return true;
  return main->GetActiveDocumentWindow() == static_cast<DocumentWindow*>(m_pFrame);
}

// ---- Painting -------------------------------------------------------------------------

int CZaradView::ApplyZoomMapping(CDC* dc) const {
  const int previous = dc->GetMapMode();
  const CPoint scroll = GetScrollPosition();
  ApplyDiagramZoomMapping(dc, m_pDoc->m_fZoom, QPoint(scroll.x, scroll.y));
  return previous;
}

void CZaradView::InvalidateDiagram() {
  viewport()->update();
}

void CZaradView::paintEvent(QPaintEvent* event) {
  const QRect area = event->rect() & viewport()->rect();
  if (area.isEmpty()) return;
  if (m_memBitmap.size() != viewport()->size()) RebuildMemBitmap();
  {
    CQtDC mem(&m_memBitmap);
    ApplyZoomMapping(&mem);
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
  // A view that is not active keeps the last picture of its memory bitmap.
  if (!IsActiveView()) return;
  CRect clip;
  if (dc->GetClipBox(&clip) == 0) return;
  clip.NormalizeRect();
  dc->FillSolidRect(clip, kViewSurroundColour);
  DrawPage(dc);
  DrawDiagram(dc, 1);
}

DiagramDrawOptions CZaradView::GetDrawOptions(int screen) const {
  DiagramDrawOptions options;
  options.background = m_crBackground;
  options.wireColour = m_crWire;
  options.printing = screen == 0;
  options.simulating = EditMode == MODE_SIMULATION;
  return options;
}

void CZaradView::DrawPage(CDC* dc) {
  DrawDiagramPage(dc, *m_pDoc, this, GetDrawOptions(1));
}

void CZaradView::DrawDiagram(CDC* dc, int screen) {
  DiagramDrawOptions options = GetDrawOptions(screen);
  // The current block once more, over the blocks and under the wires.
  if (screen && EditMode != MODE_SIMULATION) options.currentBlock = m_pCurBlock;
  DrawDiagramElements(dc, *m_pDoc, this, options);

  // Tool feedback.
  if (EditMode == MODE_SELECT_RECT) {
    CRect band = m_rcBand;
    band.NormalizeRect();
    CBrush brush(kViewBandColour);
    dc->FrameRect(band, &brush);
  } else if (EditMode == MODE_CONNECT || m_bDragWire) {
    DrawWirePreview(dc);
  }
}

void CZaradView::DrawWirePreview(CDC* dc) {
  if (m_nWireClicks == 0) return;
  CPen pen(PS_SOLID, 1, m_crPreview);
  const CPen oldPen = dc->SelectObject(&pen);
  dc->MoveTo(m_newWire.m_ptStart);
  dc->LineTo(m_newWire.m_ptEnd);
  dc->SelectObject(&oldPen);
}

// ---- Memory bitmap and scrolling ------------------------------------------------------

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

void CZaradView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  ApplyScrollRange();
  if (m_bMemReady) RebuildMemBitmap();
}

void CZaradView::scrollContentsBy(int, int) {
  InvalidateDiagram();
}

CSize CZaradView::GetClientSize() const {
  return {viewport()->width(), viewport()->height()};
}

float CZaradView::GetZoom() const {
  return m_pDoc->m_fZoom;
}

CPoint CZaradView::GetScrollPosition() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CZaradView::ScrollToPosition(CPoint pos) {
  horizontalScrollBar()->setValue(pos.x);
  verticalScrollBar()->setValue(pos.y);
}

void CZaradView::ApplyScrollRange() {
  const CPoint max = MaxScrollPosition(m_sizeTotal, GetClientSize());
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  h->setRange(0, max.x);
  v->setRange(0, max.y);
  h->setPageStep(std::max(1, m_sizePageStep.cx));
  v->setPageStep(std::max(1, m_sizePageStep.cy));
  h->setSingleStep(std::max(1, m_sizeLineStep.cx));
  v->setSingleStep(std::max(1, m_sizeLineStep.cy));
}

void CZaradView::UpdateScrollSizes() {
  const ScrollSizes sizes = ComputeScrollSizes(GetDiagramPageRect(*m_pDoc), m_pDoc->m_fZoom);
  m_sizeTotal = sizes.total;
  m_sizePageStep = sizes.page;
  m_sizeLineStep = sizes.line;
  ApplyScrollRange();
}

void CZaradView::StoreZoom(float zoom) {
  m_pDoc->m_fZoom = ClampZoom(zoom);
}

void CZaradView::SetZoom(float zoom) {
  const float old = m_pDoc->m_fZoom;
  const CPoint scroll = GetScrollPosition();
  const CSize client = GetClientSize();
  StoreZoom(zoom);
  UpdateScrollSizes();
  ScrollToPosition(ZoomScrollPosition(old, m_pDoc->m_fZoom, scroll, client));
  InvalidateDiagram();
}

CPoint CZaradView::ClientToDiagram(CPoint client) const {
  return ::ClientToDiagram(client, GetScrollPosition(), m_pDoc->m_fZoom);
}

// ---- Commands -------------------------------------------------------------------------

void CZaradView::OnZoomIn() {
  SetZoom(ZoomInStep(m_pDoc->m_fZoom));
}

void CZaradView::OnZoomOut() {
  SetZoom(ZoomOutStep(m_pDoc->m_fZoom));
}

void CZaradView::OnPalettePick(int mode, int typeCode) {
  if (m_pDoc->m_bLocked) return;
  EditMode = mode;
  if (mode != MODE_PLACE_BLOCK) return;
  m_nPaletteType = typeCode;
  if (m_nWireClicks > 0) {
    m_nWireClicks = 0;
    InvalidateDiagram();
  }
}

bool CZaradView::OnUpdateCmdUI(CCmdUI* ui) {
  switch (ui->m_nID) {
    case ID_ZOOM_IN:
      ui->Enable(CanZoomIn(m_pDoc->m_fZoom));
      return true;
    case ID_ZOOM_OUT:
      ui->Enable(CanZoomOut(m_pDoc->m_fZoom));
      return true;
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
      // Claimed only to disable them during simulation; the main frame saves.
      if (EditMode != MODE_SIMULATION) return false;
      ui->Enable(false);
      return true;
    case ID_PALETTE_PICK:
      return true;
    default:
      return false;
  }
}

bool CZaradView::OnCmdMsg(UINT id) {
  switch (id) {
    case ID_ZOOM_IN:
      OnZoomIn();
      return true;
    case ID_ZOOM_OUT:
      OnZoomOut();
      return true;
    case ID_PALETTE_PICK:
      if (CMainFrame* main = AfxGetMainWnd()) OnPalettePick(main->m_nPickMode, main->m_nPickedType);
      return true;
    default:
      return false;
  }
}

// ---- CViewContext ---------------------------------------------------------------------

SYSTEMTIME CZaradView::GetSimulatedTime() const {
  return m_pFrame ? m_pFrame->GetSimulatedTime() : SYSTEMTIME{};
}

CString CZaradView::FormatSimulatedTime(BOOL abbreviateMonth, int format) const {
  return m_pFrame ? m_pFrame->FormatSimulatedTime(abbreviateMonth, format) : CString();
}

bool CZaradView::GetCursorClientPos(CPoint* out) const {
  if (!out) return false;
  const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
  *out = CPoint(p.x(), p.y());
  return true;
}
