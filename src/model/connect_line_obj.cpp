#include "model/connect_line_obj.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/block_obj.h"
#include "model/diagram_limits.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"

IMPLEMENT_SERIAL(CConnectLineObj, CObject, 0)

namespace {

bool IsPinIndex(int pin) {
  return pin >= 0 && pin < kPinCount;
}

void StorePoints(CArchive& ar, const std::vector<CPoint>& points) {
  ar.WriteCount(points.size());
  for (const CPoint& p : points) ar << p.x << p.y;
}

// A point list of the record: its count is checked against the bytes that are
// left and against the longest list a wire may hold before anything is allocated.
std::vector<CPoint> LoadPoints(CArchive& ar, const char* what) {
  const size_t count = ar.ReadCount(8);
  if (count > kMaxWireRecordPoints) {
    ar.ThrowException(CArchiveException::badCount,
                      std::string("wire ") + what + " list of " + std::to_string(count) + " points");
  }
  std::vector<CPoint> points(count);
  for (CPoint& p : points) {
    ar >> p.x >> p.y;
    p = ClampPoint(p);
  }
  return points;
}

int PinTypeAt(const CBlockObj* block, int pin) {
  return block && IsPinIndex(pin) ? block->m_nPinType[pin] : PIN_NONE;
}

}  // namespace

CConnectLineObj::CConnectLineObj() = default;

void CConnectLineObj::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_ptStart.x << m_ptStart.y << m_ptEnd.x << m_ptEnd.y;
    ar << m_nStartNumber << m_nEndNumber << m_nStartPin << m_nEndPin;
    ar << m_nReserved1 << m_nReserved2 << m_bEndDrag << m_nDragEnd;
    StorePoints(ar, m_points);
    StorePoints(ar, m_junctions);
    return;
  }
  ar >> m_ptStart.x >> m_ptStart.y >> m_ptEnd.x >> m_ptEnd.y;
  m_ptStart = ClampPoint(m_ptStart);
  m_ptEnd = ClampPoint(m_ptEnd);
  ar >> m_nStartNumber >> m_nEndNumber >> m_nStartPin >> m_nEndPin;
  ar >> m_nReserved1 >> m_nReserved2 >> m_bEndDrag >> m_nDragEnd;
  m_pDoc = DYNAMIC_DOWNCAST(CZaradDoc, ar.m_pDocument);
  ResolveEnds(m_pDoc);
  m_points = LoadPoints(ar, "route");
  m_junctions = LoadPoints(ar, "junction");
  // The view addresses the six junction slots directly: a short list gets empty slots.
  if (m_junctions.size() < kJunctionSlots) m_junctions.resize(kJunctionSlots, kNoJunction);
}

void CConnectLineObj::ResolveEnds(const CZaradDoc* doc) {
  m_pStartBlock = doc ? doc->FindBlockByNumber(m_nStartNumber) : nullptr;
  m_pEndBlock = doc ? doc->FindBlockByNumber(m_nEndNumber) : nullptr;
  if (!doc || !doc->IsLadder()) return;
  // A ladder rung that names no block begins at the power bus.
  CBlockObj* bus = doc->m_powerBus.GetHead();
  if (!bus) return;
  if (!m_pStartBlock) {
    m_pStartBlock = bus;
  } else if (!m_pEndBlock) {
    m_pEndBlock = bus;
  }
}

int CConnectLineObj::GetEndFaults() const {
  int faults = WIRE_END_OK;
  if (!m_pStartBlock) faults |= WIRE_START_UNRESOLVED;
  if (!m_pEndBlock) faults |= WIRE_END_UNRESOLVED;
  if (!IsPinIndex(m_nStartPin)) faults |= WIRE_START_BAD_PIN;
  if (!IsPinIndex(m_nEndPin)) faults |= WIRE_END_BAD_PIN;
  return faults;
}

int CConnectLineObj::GetPenWidth() const {
  return std::max(PinTypeAt(m_pStartBlock, m_nStartPin), PinTypeAt(m_pEndBlock, m_nEndPin));
}

std::vector<CPoint> CConnectLineObj::GetJunctionDots() const {
  std::vector<CPoint> dots;
  const size_t n = std::min(m_junctions.size(), m_points.size());
  for (size_t i = 0; i < n; ++i) {
    if (m_junctions[i] != kNoJunction) dots.push_back(m_points[i]);
  }
  return dots;
}

int CConnectLineObj::GetOutputValue() const {
  if (m_pStartBlock && m_nStartPin >= kFirstOutputPin && m_nStartPin < kPinCount)
    return m_pStartBlock->m_nValue[m_nStartPin];
  if (m_pEndBlock && m_nEndPin >= kFirstOutputPin && m_nEndPin < kPinCount)
    return m_pEndBlock->m_nValue[m_nEndPin];
  return 0;
}

BOOL CConnectLineObj::HitTestSegment(CPoint pt, int* segment, int* orientation,
                                     const CSize* dragDelta) const {
  return HitTestImpl(pt, segment, orientation, kWireHitTolerance, dragDelta);
}

BOOL CConnectLineObj::HitTestSegmentTol(CPoint pt, int* segment, int* orientation, int tolerance) const {
  return HitTestImpl(pt, segment, orientation, tolerance, nullptr);
}

BOOL CConnectLineObj::HitTestImpl(CPoint pt, int* segment, int* orientation, int tolerance,
                                  const CSize* dragDelta) const {
  const int count = static_cast<int>(std::min(m_points.size(), kMaxWireRecordPoints));
  if (count < 2) return FALSE;
  // A purely vertical drag of a standard route moves its middle segment only.
  const bool middleOnly = dragDelta && count == kRouteWirePoints && dragDelta->cx == 0 && dragDelta->cy != 0;
  const long long tol = tolerance;
  const long long px = pt.x;
  const long long py = pt.y;
  for (int i = 1; i < count; ++i) {
    const CPoint from = i == 1 ? m_ptStart : m_points[static_cast<size_t>(i - 1)];
    const CPoint to = m_points[static_cast<size_t>(i)];
    const long long a = from.x, b = from.y, c = to.x, d = to.y;
    bool inside;
    int orient;
    if (a == c) {
      // Vertical: a band of the tolerance on either side, from b to d.
      const long long top = std::min(b, d), bottom = std::max(b, d);
      inside = px >= a - tol && px < a + tol && py >= top && py < bottom;
      orient = 0;
    } else if (b == d) {
      // Horizontal: the first, middle and last runs reach the tolerance further at both ends.
      long long left = std::min(a, c), right = std::max(a, c);
      if (count == 2 || i == 1 || i == 3 || i == count - 1) left -= tol, right += tol;
      inside = px >= left && px < right && py >= b - tol && py < b + tol;
      orient = 1;
    } else {
      // Routes are orthogonal; a slanted segment (a hand-edited file) is hit
      // within the tolerance of the line and counts by its longer extent.
      const double dx = static_cast<double>(c - a), dy = static_cast<double>(d - b);
      double u = ((px - a) * dx + (py - b) * dy) / (dx * dx + dy * dy);
      u = std::clamp(u, 0.0, 1.0);
      const double ex = static_cast<double>(px - a) - u * dx, ey = static_cast<double>(py - b) - u * dy;
      inside = ex * ex + ey * ey <= static_cast<double>(tol * tol);
      orient = std::abs(dx) >= std::abs(dy) ? 1 : 0;
    }
    if (from == m_ptStart || to == m_ptEnd) orient = -1;
    if (!inside) continue;
    if (segment) *segment = i;
    if (orientation) *orientation = orient;
    if (!middleOnly || i == 3) return TRUE;
  }
  return FALSE;
}

CConnectLineObj* CConnectLineObj::FindAt(const CZaradDoc* doc, CPoint pt) {
  if (!doc) return nullptr;
  for (CConnectLineObj* wire : doc->m_connections) {
    int segment = 0, orientation = 0;
    if (wire->HitTestSegment(pt, &segment, &orientation, nullptr)) return wire;
  }
  return nullptr;
}

int CConnectLineObj::CountConnectionsAt(const CZaradDoc* doc, CPoint pt) {
  if (!doc) return 0;
  int n = 0;
  for (const CConnectLineObj* wire : doc->m_connections) {
    int segment = 0, orientation = 0;
    if (wire->HitTestSegmentTol(pt, &segment, &orientation, kWireCountTolerance)) ++n;
  }
  return n;
}

std::vector<WireFaultReport> CConnectLineObj::DropFaultyConnections(CZaradDoc* doc) {
  std::vector<WireFaultReport> dropped;
  if (!doc) return dropped;
  // One pass over the list: every wire is taken out and the sound ones go back in order.
  std::vector<std::unique_ptr<CConnectLineObj>> kept;
  kept.reserve(static_cast<size_t>(doc->m_connections.GetCount()));
  while (std::unique_ptr<CConnectLineObj> wire = doc->m_connections.DetachHead()) {
    const int faults = wire->GetEndFaults();
    if (faults == WIRE_END_OK) {
      kept.push_back(std::move(wire));
      continue;
    }
    dropped.push_back({wire->m_nStartNumber, wire->m_nStartPin, wire->m_nEndNumber, wire->m_nEndPin, faults});
  }
  for (std::unique_ptr<CConnectLineObj>& wire : kept) doc->m_connections.AddTail(std::move(wire));
  return dropped;
}

void CConnectLineObj::CopyFrom(const CConnectLineObj* src) {
  if (!src || src == this) return;
  m_ptStart = src->m_ptStart;
  m_ptEnd = src->m_ptEnd;
  m_pStartBlock = src->m_pStartBlock;
  m_pEndBlock = src->m_pEndBlock;
  m_nStartNumber = src->m_nStartNumber;
  m_nEndNumber = src->m_nEndNumber;
  m_nStartPin = src->m_nStartPin;
  m_nEndPin = src->m_nEndPin;
  m_nReserved1 = src->m_nReserved1;
  m_points = src->m_points;
}
