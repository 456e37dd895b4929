// Zoom, mapping and scrolling arithmetic of the diagram view. Documents keep
// every position in diagram units; the view shows them in client pixels with
// an isotropic mapping of window extent 100 x 100 and viewport extent
// round(zoom x 100), shifted by the scroll position.
#pragma once

#include "model/diagram_limits.h"
#include "platform/types.h"

class CDC;

// The zoom factor of a document stays within these bounds.
constexpr float kZoomMin = kMinZoomFactor;
constexpr float kZoomMax = kMaxZoomFactor;
// Window extent of the zoom mapping (both axes).
constexpr int kZoomWindowExtent = 100;

// x + 0.5 truncated for x >= 0, x - 0.5 truncated otherwise. Values beyond the
// int range give the nearest int; NaN gives 0.
int RoundHalfAwayFromZero(double x);

// The zoom that the view stores for a request: 0.25 or less (and NaN) gives
// 0.25, 4.0 or more gives 4.0, anything between stays.
float ClampZoom(float zoom);
// The zoom commands' steps: in by 0.25 below 1.0 and by 0.5 from 1.0 on; out
// by 0.5 above 1.0 and by 0.25 from 1.0 down. The result is not clamped.
float ZoomInStep(float zoom);
float ZoomOutStep(float zoom);
// Whether Zoom In (below 4.0) and Zoom Out (above 0.25) are enabled.
inline bool CanZoomIn(float zoom) {
  return zoom < kZoomMax;
}
inline bool CanZoomOut(float zoom) {
  return zoom > kZoomMin;
}

// Viewport extent of the zoom mapping: round(zoom x 100), half away from zero.
int ZoomViewportExtent(float zoom);

// A size in diagram units times the zoom, each side rounded half away from zero.
CSize ZoomSize(CSize size, float zoom);

// Scroll sizes of the view in device units: the total extent and the page
// and line steps (a tenth of the total, and a tenth of that).
struct ScrollSizes {
  CSize total;
  CSize page;
  CSize line;
};
// The view's scroll sizes for a page rectangle (diagram units) at a zoom.
ScrollSizes ComputeScrollSizes(const CRect& pageRect, float zoom);
// Scroll sizes with the default page and line steps for a total extent.
ScrollSizes DefaultScrollSizes(CSize total);
// Largest scroll position for a total extent and a client size (never negative).
CPoint MaxScrollPosition(CSize total, CSize client);

// A client point in diagram units: (client + scroll) / zoom per coordinate,
// in floating point, truncated toward zero.
CPoint ClientToDiagram(CPoint client, CPoint scroll, float zoom);
// A diagram point in client pixels: diagram x round(zoom x 100) / 100 - scroll,
// rounded as the mapping rounds.
CPoint DiagramToClient(CPoint diagram, CPoint scroll, float zoom);

// Where the view scrolls when the zoom changes from oldZoom to newZoom (the
// stored value): to the top-left corner when oldZoom is below 1.0, else so
// that the diagram point at the window's centre stays at the centre. The
// caller keeps the result inside the scroll range.
CPoint ZoomScrollPosition(float oldZoom, float newZoom, CPoint scroll, CSize client);

// The view's zoom mapping on a context: MM_ISOTROPIC with window extent
// 100 x 100 and viewport extent r x r, r = ZoomViewportExtent(zoom), and the
// viewport origin at minus the scroll position (client pixels).
void ApplyDiagramZoomMapping(CDC* dc, float zoom, CPoint scroll = CPoint());
