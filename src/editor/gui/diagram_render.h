// Rendering a document on Qt: the diagram view, printing and image export
// draw through the same path, the document painter of model/diagram_draw.h on
// a CQtDC with the view's zoom mapping.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include "editor/view_geometry.h"
#include "model/diagram_draw.h"

class CDC;
class CViewContext;
class CZaradDoc;
class QPainter;

// Draws the document into painter's device at a zoom, with the device pixel
// (0, 0) showing the diagram at the scroll position. view may be null (the
// editing look of a view of this document).
void RenderDiagram(QPainter* painter, CZaradDoc& doc, float zoom, QPoint scroll, CViewContext* view,
                   const DiagramDrawOptions& options = {});

// An image of the given size (device pixels) of the document at a zoom.
QImage RenderDiagramImage(CZaradDoc& doc, float zoom, QSize size, QPoint scroll = QPoint(),
                          CViewContext* view = nullptr, const DiagramDrawOptions& options = {});
// An image of the whole base (the page rectangle) at a zoom; the size is
// capped at 16384 pixels a side.
QImage RenderWholeDiagram(CZaradDoc& doc, float zoom, CViewContext* view = nullptr,
                          const DiagramDrawOptions& options = {});
