#include "editor/grid_spacing.h"

#include <algorithm>
#include <vector>

#include "model/block_obj.h"
#include "model/diagram_draw.h"
#include "model/view_context.h"
#include "platform/recording_dc.h"

namespace {

void Cover(CRect* r, CPoint p) {
  r->left = std::min(r->left, p.x);
  r->top = std::min(r->top, p.y);
  r->right = std::max(r->right, p.x);
  r->bottom = std::max(r->bottom, p.y);
}

void Cover(CRect* r, CRect box) {
  box.NormalizeRect();
  Cover(r, box.TopLeft());
  Cover(r, box.BottomRight());
}

// The measuring context's texts are an estimate: a little more room.
CRect TextBox(const CRect& measured) {
  return CRect(measured.left - 1, measured.top, measured.left + measured.Width() * 6 / 5 + 2,
               measured.bottom);
}

// What a block's drawing covers, taken as it draws: the recording context's
// text extents and metrics, none of its records. Either the texts' boxes
// (texts) or the extent of everything drawn (extent) is collected.
class CMeasuringDC : public CRecordingDC {
 public:
  CMeasuringDC(std::vector<CRect>* texts, CRect* extent) : m_texts(texts), m_extent(extent) {}

 protected:
  void DoLine(CPoint from, CPoint to) override {
    if (!m_extent) return;
    Cover(m_extent, from);
    Cover(m_extent, to);
  }
  void DoPolyline(const CPoint* points, int count) override { CoverPoints(points, count); }
  void DoPolygon(const CPoint* points, int count) override { CoverPoints(points, count); }
  void DoRectangle(const CRect& rect) override { CoverBox(rect); }
  void DoEllipse(const CRect& rect) override { CoverBox(rect); }
  void DoArc(const CRect& box, CPoint, CPoint) override { CoverBox(box); }
  void DoFillRect(const CRect& rect, COLORREF) override { CoverBox(rect); }
  void DoTextOut(CPoint topLeft, const CString& text, const CRect*) override {
    if (text.IsEmpty()) return;
    const CRect box = TextBox(CRect(topLeft, DoGetTextExtent(text)));
    if (m_texts) m_texts->push_back(box);
    if (m_extent) Cover(m_extent, box);
  }

 private:
  void CoverPoints(const CPoint* points, int count) {
    if (!m_extent) return;
    for (int i = 0; i < count; ++i) Cover(m_extent, points[i]);
  }
  void CoverBox(const CRect& box) {
    if (m_extent) Cover(m_extent, box);
  }

  std::vector<CRect>* m_texts;
  CRect* m_extent;
};

}  // namespace

std::vector<CRect> DrawnTexts(CBlockObj& block, CViewContext* view) {
  std::vector<CRect> texts;
  if (view == nullptr) return texts;
  CMeasuringDC dc(&texts, nullptr);
  block.Draw(view, &dc, 1, kDrawBlack);
  return texts;
}

CRect DrawnExtent(CBlockObj& block, CViewContext* view) {
  CRect extent(block.m_ptPos.x, block.m_ptPos.y, block.m_ptPos.x + block.m_nWidth,
               block.m_ptPos.y + block.m_nHeight);
  if (view == nullptr) return extent;
  CMeasuringDC dc(nullptr, &extent);
  block.Draw(view, &dc, 1, kDrawBlack);
  return extent;
}

CSize PlaceGridCells(const std::map<CBlockObj*, CPoint>& cells, int maxColumn, CViewContext* view,
                     const GridSpacing& spacing) {
  int maxRow = 0;
  for (const auto& [block, cell] : cells) maxRow = std::max(maxRow, cell.y);
  // How far each column's and row's drawings reach beyond their blocks' left and top edges.
  const size_t columns = static_cast<size_t>(std::max(maxColumn, 1)) + 1;
  const size_t rows = static_cast<size_t>(std::max(maxRow, 0)) + 1;
  std::vector<int> left(columns, 0), right(columns, 0), up(rows, 0), down(rows, 0);
  for (const auto& [block, cell] : cells) {
    if (cell.x < 1 || cell.y < 1 || static_cast<size_t>(cell.x) >= columns ||
        static_cast<size_t>(cell.y) >= rows)
      continue;
    const CRect e = DrawnExtent(*block, view);
    const CPoint at = block->m_ptPos;
    const auto c = static_cast<size_t>(cell.x), r = static_cast<size_t>(cell.y);
    left[c] = std::max(left[c], at.x - e.left);
    right[c] = std::max(right[c], e.right - at.x);
    up[r] = std::max(up[r], at.y - e.top);
    down[r] = std::max(down[r], e.bottom - at.y);
  }
  // The leftmost column (the highest number) stands at one pitch; each column
  // to its right keeps clear of the drawings before it.
  std::vector<int> x(columns, 0), y(rows, 0);
  for (size_t c = columns - 1; c >= 1; --c) {
    if (c == columns - 1) {
      x[c] = spacing.columnPitch;
      continue;
    }
    x[c] = x[c + 1] + std::max(spacing.columnPitch, right[c + 1] + spacing.columnGap + left[c]);
  }
  for (size_t r = 1; r < rows; ++r)
    y[r] = r == 1 ? spacing.rowPitch
                  : y[r - 1] + std::max(spacing.rowPitch, down[r - 1] + spacing.rowGap + up[r]);
  CSize reach(0, 0);
  for (const auto& [block, cell] : cells) {
    const auto c = static_cast<size_t>(std::clamp(cell.x, 1, static_cast<int>(columns) - 1));
    const auto r = static_cast<size_t>(std::clamp(cell.y, 1, static_cast<int>(rows) - 1));
    block->m_ptPos = block->m_ptDragStart = CPoint(x[c], y[r]);
    reach.cx = std::max(reach.cx, x[c] + block->m_nWidth);
    reach.cy = std::max(reach.cy, y[r] + block->m_nHeight);
  }
  return reach;
}
