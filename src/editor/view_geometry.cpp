#include "editor/view_geometry.h"

#include <climits>
#include <cmath>

#include "platform/cdc.h"

int RoundHalfAwayFromZero(double x) {
  if (std::isnan(x)) return 0;
  const double r = x >= 0 ? x + 0.5 : x - 0.5;
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(r);
}

float ClampZoom(float zoom) {
  // Written so that NaN, which compares false everywhere, lands on the minimum.
  if (!(zoom > kZoomMin)) return kZoomMin;
  if (zoom >= kZoomMax) return kZoomMax;
  return zoom;
}

float ZoomInStep(float zoom) {
  return zoom < 1.0f ? zoom + 0.25f : zoom + 0.5f;
}

float ZoomOutStep(float zoom) {
  return zoom > 1.0f ? zoom - 0.5f : zoom - 0.25f;
}

int ZoomViewportExtent(float zoom) {
  return RoundHalfAwayFromZero(static_cast<double>(zoom) * kZoomWindowExtent);
}

CSize ZoomSize(CSize size, float zoom) {
  return {RoundHalfAwayFromZero(static_cast<double>(size.cx) * zoom),
          RoundHalfAwayFromZero(static_cast<double>(size.cy) * zoom)};
}

ScrollSizes DefaultScrollSizes(CSize total) {
  ScrollSizes sizes;
  sizes.total = total;
  sizes.page = CSize(total.cx / 10, total.cy / 10);
  sizes.line = CSize(sizes.page.cx / 10, sizes.page.cy / 10);
  return sizes;
}

ScrollSizes ComputeScrollSizes(const CRect& pageRect, float zoom) {
  return DefaultScrollSizes(ZoomSize(CSize(pageRect.Width(), pageRect.Height()), zoom));
}

CPoint MaxScrollPosition(CSize total, CSize client) {
  return {total.cx > client.cx ? total.cx - client.cx : 0, total.cy > client.cy ? total.cy - client.cy : 0};
}

CPoint ClientToDiagram(CPoint client, CPoint scroll, float zoom) {
  const double z = ClampZoom(zoom);
  auto one = [z](int c, int s) {
    const double v = (static_cast<double>(c) + s) / z;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);  // truncation toward zero
  };
  return {one(client.x, scroll.x), one(client.y, scroll.y)};
}

CPoint DiagramToClient(CPoint diagram, CPoint scroll, float zoom) {
  const int extent = ZoomViewportExtent(ClampZoom(zoom));
  auto one = [extent](int d, int s) {
    return RoundHalfAwayFromZero(static_cast<double>(d) * extent / kZoomWindowExtent) - s;
  };
  return {one(diagram.x, scroll.x), one(diagram.y, scroll.y)};
}

CPoint ZoomScrollPosition(float oldZoom, float newZoom, CPoint scroll, CSize client) {
  if (oldZoom < 1.0f) return {0, 0};
  const CPoint half(client.cx / 2, client.cy / 2);
  const CPoint centre(scroll.x + half.x, scroll.y + half.y);
  auto one = [oldZoom, newZoom](int c) {
    return RoundHalfAwayFromZero(static_cast<double>(c) / oldZoom * newZoom);
  };
  return {one(centre.x) - half.x, one(centre.y) - half.y};
}

void ApplyDiagramZoomMapping(CDC* dc, float zoom, CPoint scroll) {
  const int r = ZoomViewportExtent(ClampZoom(zoom));
  dc->SetMapMode(MM_ISOTROPIC);
  dc->SetWindowExt(kZoomWindowExtent, kZoomWindowExtent);
  dc->SetViewportExt(r, r);
  dc->SetViewportOrg(-scroll.x, -scroll.y);
}
