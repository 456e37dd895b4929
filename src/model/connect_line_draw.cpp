// Wire drawing: the polyline, the junction dots and the selection handles.
#include "model/connect_line_obj.h"
#include "platform/cdc.h"

namespace {

constexpr int kJunctionDotWidth = 8;  // a junction dot is a zero-length line this wide
constexpr int kCornerHalfSize = 4;    // selection handles are 8 x 8 squares on the corners
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;

}  // namespace

void CConnectLineObj::Draw(CDC* dc, COLORREF colour) const {
  if (dc == nullptr || m_points.empty()) return;
  CPen pen(PS_SOLID, GetPenWidth(), colour);
  const CPen oldPen = dc->SelectObject(&pen);
  dc->Polyline(m_points.data(), static_cast<int>(m_points.size()));
  const std::vector<CPoint> dots = GetJunctionDots();
  if (!dots.empty()) {
    CPen dotPen(PS_SOLID, kJunctionDotWidth, kBlack);
    dc->SelectObject(&dotPen);
    for (const CPoint& p : dots) {
      dc->MoveTo(p);
      dc->LineTo(p);
    }
  }
  dc->SelectObject(&oldPen);
}

void CConnectLineObj::DrawSelected(CDC* dc, COLORREF colour) const {
  Draw(dc, colour);
  if (dc == nullptr || m_points.empty()) return;
  CPen pen(PS_SOLID, 1, colour);
  const CPen oldPen = dc->SelectObject(&pen);
  const CBrush oldBrush = dc->GetCurrentBrush();
  dc->Polyline(m_points.data(), static_cast<int>(m_points.size()));
  CPen outline(PS_SOLID, 1, kBlack);
  dc->SelectObject(&outline);
  const CBrush blue(kBlue);
  const CBrush red(kRed);
  const size_t last = m_points.size() - 1;
  for (size_t i = 0; i <= last; ++i) {
    const CPoint& p = m_points[i];
    dc->SelectObject(i == 0 || i == last ? &blue : &red);
    dc->Rectangle(p.x - kCornerHalfSize, p.y - kCornerHalfSize, p.x + kCornerHalfSize, p.y + kCornerHalfSize);
  }
  dc->SelectObject(&oldBrush);
  dc->SelectObject(&oldPen);
}
