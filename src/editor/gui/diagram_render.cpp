#include "editor/gui/diagram_render.h"

#include <QPainter>
#include <algorithm>

#include "model/document_view_context.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_dc.h"

namespace {

constexpr int kMaxImageSide = 16384;

}  // namespace

void RenderDiagram(QPainter* painter, CZaradDoc& doc, float zoom, QPoint scroll, CViewContext* view,
                   const DiagramDrawOptions& options) {
  if (painter == nullptr) return;
  CDocumentViewContext fallback(&doc);
  CQtDC dc(painter);
  ApplyDiagramZoomMapping(&dc, zoom, CPoint(scroll.x(), scroll.y()));
  DrawDocument(&dc, doc, view ? view : &fallback, options);
}

QImage RenderDiagramImage(CZaradDoc& doc, float zoom, QSize size, QPoint scroll, CViewContext* view,
                          const DiagramDrawOptions& options) {
  const QSize capped(std::clamp(size.width(), 1, kMaxImageSide), std::clamp(size.height(), 1, kMaxImageSide));
  QImage image(capped, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QPainter painter(&image);
  RenderDiagram(&painter, doc, zoom, scroll, view, options);
  painter.end();
  return image;
}

QImage RenderWholeDiagram(CZaradDoc& doc, float zoom, CViewContext* view, const DiagramDrawOptions& options) {
  const CRect page = GetDiagramPageRect(doc);
  const double z = ClampZoom(zoom);
  const QSize size(RoundHalfAwayFromZero(page.Width() * z), RoundHalfAwayFromZero(page.Height() * z));
  return RenderDiagramImage(doc, zoom, size, QPoint(), view, options);
}
