// Wire routing: moving an end, the pin-direction detour, path simplification,
// the fold test and the fresh route.
#include "model/wire_routing.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <vector>

#include "model/block_obj.h"
#include "model/connect_line_obj.h"

namespace {

using Wide = long long;

int Clamp(Wide v) {
  return static_cast<int>(std::clamp<Wide>(v, INT_MIN, INT_MAX));
}

CPoint Pt(Wide x, Wide y) {
  return CPoint(Clamp(x), Clamp(y));
}

bool IsInputPin(int pin) {
  return pin >= 0 && pin < kFirstOutputPin;
}

bool IsOutputPin(int pin) {
  return pin >= kFirstOutputPin && pin < kPinCount;
}

}  // namespace

void RouteConnection(CConnectLineObj* wire, int x, int y, BOOL atStart, int legMode) {
  if (!wire) return;
  std::vector<CPoint>& pts = wire->m_points;
  if (pts.size() < 2) pts = {wire->m_ptStart, wire->m_ptEnd};
  const CPoint moved(x, y);
  if (atStart) {
    wire->m_ptStart = moved;
  } else {
    wire->m_ptEnd = moved;
  }
  const size_t n = pts.size();
  const size_t e = atStart ? 0 : n - 1;
  const size_t nb = atStart ? 1 : n - 2;
  const CPoint oldE = pts[e];
  const CPoint oldN = pts[nb];
  const bool horizontal = oldE.y == oldN.y;
  if (n > 2) {
    pts[e] = moved;
    if (horizontal) {
      pts[nb].y = y;
    } else {
      pts[nb].x = x;
    }
  } else {
    CPoint p1, p2;
    if (horizontal) {
      const Wide m = (static_cast<Wide>(oldN.x) + x) / 2;
      p1 = Pt(m, y);
      p2 = Pt(m, oldN.y);
    } else {
      const Wide m = (static_cast<Wide>(y) + oldN.y) / 2;
      p1 = Pt(x, m);
      p2 = Pt(oldN.x, m);
    }
    if (atStart) {
      pts = {moved, p1, p2, oldN};
    } else {
      pts = {oldN, p2, p1, moved};
    }
  }
  AdjustConnectionEnd(wire, atStart, legMode);
  SimplifyConnectionPath(wire);
}

void AdjustConnectionEnd(CConnectLineObj* wire, BOOL atStart, int legMode) {
  if (!wire || (legMode != kLegOutput && legMode != kLegInput)) return;
  std::vector<CPoint>& pts = wire->m_points;
  const size_t n = pts.size();
  if (n < 3) return;
  const size_t e = atStart ? 0 : n - 1;
  const size_t nb = atStart ? 1 : n - 2;
  const size_t f = atStart ? n - 1 : 0;
  const CPoint E = pts[e];
  const CPoint N = pts[nb];
  const CPoint F = pts[f];

  const Wide dy = static_cast<Wide>(F.y) - E.y;
  const Wide midY = std::llabs(dy) >= 80 ? (static_cast<Wide>(F.y) + E.y) / 2 : Wide{std::max(E.y, F.y)} + 50;
  Wide legX;
  if (legMode == kLegOutput) {
    if (Wide{E.x} < Wide{N.x} - 5) return;
    legX = Wide{E.x} + 10;
  } else {
    if (Wide{E.x} > Wide{N.x} + 5) return;
    legX = Wide{E.x} - 10;
  }
  pts[nb].y = Clamp(midY);
  pts[e] = Pt(legX, midY);
  const CPoint corner = Pt(legX, E.y);
  if (atStart) {
    pts.insert(pts.begin(), {E, corner});
  } else {
    pts.push_back(corner);
    pts.push_back(E);
  }
}

void SimplifyConnectionPath(CConnectLineObj* wire) {
  if (!wire) return;
  std::vector<CPoint>& pts = wire->m_points;
  // 1. Straight runs.
  for (size_t i = 0; i + 2 < pts.size();) {
    const CPoint& a = pts[i];
    const CPoint& b = pts[i + 1];
    const CPoint& c = pts[i + 2];
    if ((a.x == b.x && b.x == c.x) || (a.y == b.y && b.y == c.y)) {
      pts.erase(pts.begin() + static_cast<std::ptrdiff_t>(i + 1));
    } else {
      ++i;
    }
  }
  // 2. Long paths.
  if (pts.size() > 6) {
    const size_t n = pts.size();
    pts = {pts[0], pts[1], pts[2], CPoint(pts[n - 3].x, pts[2].y), pts[n - 2], pts[n - 1]};
  }
  // 3. Folds.
  if (pts.size() >= 5) {
    const CPoint last = pts.back();
    const CPoint first = pts.front();
    for (size_t s = 0; s + 4 <= pts.size(); ++s) {
      if (IsPathFolded(&pts[s], last, first)) {
        RebuildConnectionPath(wire);
        break;
      }
    }
  }
  // 4. Spare storage.
  pts.shrink_to_fit();
}

BOOL IsPathFolded(const CPoint window[4], CPoint last, CPoint first) {
  std::array<int, 4> order = {0, 1, 2, 3};
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return window[a].x < window[b].x; });
  // Left pair: the point taken second wins a tie on y; right pair: the later point of the window.
  auto leftTopFirst = [&](int a, int b) { return window[a].y < window[b].y; };
  const int leftTop = leftTopFirst(order[0], order[1]) ? order[0] : order[1];
  const int leftBottom = leftTop == order[0] ? order[1] : order[0];
  const int later = std::max(order[2], order[3]);
  const int earlier = std::min(order[2], order[3]);
  const int rightTop = window[earlier].y < window[later].y ? earlier : later;
  const int rightBottom = rightTop == earlier ? later : earlier;

  const CPoint lt = window[leftTop], lb = window[leftBottom];
  const CPoint rt = window[rightTop], rb = window[rightBottom];
  const bool leftVertical = lt.x == lb.x;
  const bool rightVertical = rt.x == rb.x;
  if (leftVertical && rightVertical) return (lt.y == rt.y || lb.y == rb.y) ? TRUE : FALSE;
  if (leftVertical != rightVertical && lt.y == rt.y && lb.y == rb.y) {
    const Wide wTop = std::llabs(Wide{rt.x} - lt.x);
    const Wide wBottom = std::llabs(Wide{rb.x} - lb.x);
    const CPoint a = wTop > wBottom ? lb : lt;
    const CPoint b = wTop > wBottom ? rb : rt;
    const bool touchesEnd = a == last || a == first || b == last || b == first;
    return touchesEnd ? FALSE : TRUE;
  }
  return FALSE;
}

void RebuildConnectionPath(CConnectLineObj* wire) {
  if (!wire) return;
  const bool startIsOutput = IsOutputPin(wire->m_nStartPin) && IsInputPin(wire->m_nEndPin);
  const bool startIsInput = IsInputPin(wire->m_nStartPin) && IsOutputPin(wire->m_nEndPin);
  if (!startIsOutput && !startIsInput) return;
  const CPoint I = startIsOutput ? wire->m_ptEnd : wire->m_ptStart;
  const CPoint O = startIsOutput ? wire->m_ptStart : wire->m_ptEnd;
  const Wide stagger = 5 * Wide{startIsOutput ? wire->m_nEndPin : wire->m_nStartPin};
  const Wide ix = I.x, iy = I.y, ox = O.x, oy = O.y;
  const Wide dx = ix - ox;
  const Wide dy = iy - oy;
  const Wide ady = std::llabs(dy);

  std::vector<CPoint> mid;
  if (ix >= ox && dx >= 30) {
    if (startIsOutput) {
      mid = {Pt(ox + dx / 2, oy), Pt(ox + dx / 2, iy)};
    } else {
      mid = {Pt(ix - dx / 2, iy), Pt(ix - dx / 2, oy)};
    }
  } else if (ix >= ox) {
    const Wide inX = ix - stagger - 12;
    if (startIsOutput) {
      const Wide y1 = dy >= 0 ? oy + dy / 2 : oy - ady / 2 - stagger;
      mid = {Pt(ox + 10, oy), Pt(ox + 10, y1), Pt(inX, y1), Pt(inX, iy)};
    } else {
      const Wide y2 = dy >= 0 ? iy - dy / 2 : iy + ady / 2 + stagger;
      mid = {Pt(inX, iy), Pt(inX, y2), Pt(ox + 12, y2), Pt(ox + 12, oy)};
    }
  } else if (ady >= 60) {
    if (startIsOutput) {
      mid = {Pt(ox + 10, oy), Pt(ox + 10, oy + dy / 2), Pt(ix - 10, oy + dy / 2), Pt(ix - 10, iy)};
    } else {
      mid = {Pt(ix - 10, iy), Pt(ix - 10, iy - dy / 2), Pt(ox + 10, iy - dy / 2), Pt(ox + 10, oy)};
    }
  } else {
    const Wide y3 = dy >= 0 ? oy - 30 : iy - stagger - 30;
    const Wide inX = ix - stagger - 10;
    if (startIsOutput) {
      mid = {Pt(ox + 10, oy), Pt(ox + 10, y3), Pt(inX, y3), Pt(inX, iy)};
    } else {
      mid = {Pt(inX, iy), Pt(inX, y3), Pt(ox + 10, y3), Pt(ox + 10, oy)};
    }
  }
  std::vector<CPoint> pts;
  pts.reserve(mid.size() + 2);
  pts.push_back(wire->m_ptStart);
  pts.insert(pts.end(), mid.begin(), mid.end());
  pts.push_back(wire->m_ptEnd);
  wire->m_points = std::move(pts);
}
