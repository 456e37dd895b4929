// CGridCtrl: mapping between cells and client pixels, visible ranges, scroll
// bars, the cell font and the cursor.
#include <functional>

#include "controls/grid_ctrl.h"

CGridCellPos CGridCtrl::GetTopleftNonFixedCell(BOOL forceRecalc) {
  if (m_idTopLeftCell.row >= 0 && m_idTopLeftCell.col >= 0 && !forceRecalc) return m_idTopLeftCell;
  const int vpos = GetScrollPos32(SB_VERT);
  const int hpos = GetScrollPos32(SB_HORZ);
  int col = m_nFixedCols;
  int sum = 0;
  while (sum < hpos && col < m_nCols - 1) sum += GetColumnWidth(col++);
  int row = m_nFixedRows;
  sum = 0;
  while (sum < vpos && row < m_nRows - 1) sum += GetRowHeight(row++);
  m_idTopLeftCell = CGridCellPos(row, col);
  return m_idTopLeftCell;
}

namespace {

// One direction of the grid: the rows with their heights, or the columns
// with their widths.
struct Axis {
  int count;
  int fixed;
  std::function<int(int)> size;

  int FixedSize() const {
    int sum = 0;
    for (int i = 0; i < fixed; ++i) sum += size(i);
    return sum;
  }
  // The index under pixel v (-1 for none), the scrolled part starting at first.
  int IndexAt(int v, bool allowFixed, int first) const {
    const int fixedSize = FixedSize();
    if (v < 0) return -1;
    if (allowFixed && v < fixedSize) {
      int end = 0;
      for (int i = 0; i < fixed; ++i) {
        end += size(i);
        if (v < end) return i;
      }
      return -1;
    }
    if (v < fixedSize || first < 0 || first >= count) return -1;
    int end = fixedSize;
    for (int i = first; i < count; ++i) {
      end += size(i);
      if (v < end) return i;
    }
    return -1;
  }
  // The pixel where index starts; the scrolled part starts at first.
  int Offset(int index, int first) const {
    int v = 0;
    if (index < fixed) {
      for (int i = 0; i < index; ++i) v += size(i);
    } else {
      v = FixedSize();
      for (int i = first; i < index; ++i) v += size(i);
    }
    return v;
  }
  // The last index at least partly inside limit from first on, and where the
  // visible part ends (clamped to limit).
  int LastVisible(int first, int start, int limit, int* end) const {
    int i = first;
    int v = start;
    for (; i < count; ++i) {
      v += size(i);
      if (v >= limit) {
        v = limit;
        break;
      }
    }
    *end = v;
    return std::min(i, count - 1);
  }
};

}  // namespace

CGridCellPos CGridCtrl::GetCellFromPoint(CPoint point, BOOL allowFixedCellCheck) {
  const CGridCellPos topLeft = GetTopleftNonFixedCell();
  if (!allowFixedCellCheck && !IsValid(topLeft)) return CGridCellPos();
  const Axis cols{m_nCols, m_nFixedCols, [this](int c) { return GetColumnWidth(c); }};
  const Axis rows{m_nRows, m_nFixedRows, [this](int r) { return GetRowHeight(r); }};
  return CGridCellPos(rows.IndexAt(point.y, allowFixedCellCheck != 0, topLeft.row),
                      cols.IndexAt(point.x, allowFixedCellCheck != 0, topLeft.col));
}

CGridCellSpan CGridCtrl::GetVisibleNonFixedCellRange(CRect* rect, BOOL forceRecalc) {
  const CRect client = ClientRect();
  const CGridCellPos topLeft = GetTopleftNonFixedCell(forceRecalc);
  const Axis cols{m_nCols, m_nFixedCols, [this](int c) { return GetColumnWidth(c); }};
  const Axis rows{m_nRows, m_nFixedRows, [this](int r) { return GetRowHeight(r); }};
  int bottom = 0;
  int right = 0;
  const int lastRow = rows.LastVisible(topLeft.row, GetFixedRowHeight(), client.bottom, &bottom);
  const int lastCol = cols.LastVisible(topLeft.col, GetFixedColumnWidth(), client.right, &right);
  if (rect) *rect = CRect(0, 0, right, bottom);
  return CGridCellSpan(topLeft.row, topLeft.col, lastRow, lastCol);
}

CGridCellSpan CGridCtrl::GetVisibleFixedCellRange(CRect* rect, BOOL forceRecalc) {
  const CRect client = ClientRect();
  const CGridCellPos topLeft = GetTopleftNonFixedCell(forceRecalc);
  const Axis rows{m_nRows, m_nFixedRows, [this](int r) { return GetRowHeight(r); }};
  int bottom = 0;
  const int lastRow = rows.LastVisible(topLeft.row, GetFixedRowHeight(), client.bottom, &bottom);
  int x = 0;
  int c = 0;
  for (; c < m_nFixedCols; ++c) {
    x += GetColumnWidth(c);
    if (x >= client.right) {
      x = client.right;
      break;
    }
  }
  if (rect) *rect = CRect(0, 0, x, bottom);
  return CGridCellSpan(topLeft.row, 0, lastRow, std::min(c, m_nCols - 1));
}

BOOL CGridCtrl::GetCellOrigin(int row, int col, CPoint* origin) {
  if (!IsValid(row, col)) return FALSE;
  CGridCellPos topLeft;
  if (row >= m_nFixedRows || col >= m_nFixedCols) topLeft = GetTopleftNonFixedCell();
  if (row >= m_nFixedRows && row < topLeft.row) return FALSE;
  if (col >= m_nFixedCols && col < topLeft.col) return FALSE;
  const Axis cols{m_nCols, m_nFixedCols, [this](int c) { return GetColumnWidth(c); }};
  const Axis rows{m_nRows, m_nFixedRows, [this](int r) { return GetRowHeight(r); }};
  *origin = CPoint(cols.Offset(col, topLeft.col), rows.Offset(row, topLeft.row));
  return TRUE;
}

BOOL CGridCtrl::GetCellRect(int row, int col, CRect* rect) {
  CPoint origin;
  if (!GetCellOrigin(row, col, &origin)) return FALSE;
  *rect = CRect(origin.x, origin.y, origin.x + GetColumnWidth(col) - 1, origin.y + GetRowHeight(row) - 1);
  return TRUE;
}

BOOL CGridCtrl::GetCellRangeRect(const CGridCellSpan& span, CRect* rect) {
  CPoint first;
  CPoint second;
  if (!GetCellOrigin(span.minRow, span.minCol, &first) || !GetCellOrigin(span.maxRow, span.maxCol, &second))
    return FALSE;
  *rect = CRect(first.x, first.y, second.x + GetColumnWidth(span.maxCol) - 1,
                second.y + GetRowHeight(span.maxRow) - 1);
  return TRUE;
}

CPoint CGridCtrl::GetPointInCell(int row, int col, CPoint point) {
  CPoint origin;
  if (!GetCellOrigin(row, col, &origin)) return CPoint(0, 0);
  return CPoint(point.x - origin.x, point.y - origin.y);
}

BOOL CGridCtrl::IsCellVisible(int row, int col) {
  if (!WindowExists() || !IsValid(row, col)) return FALSE;
  CPoint origin;
  if (!GetCellOrigin(row, col, &origin)) return FALSE;  // scrolled off the top or left
  const CRect client = ClientRect();
  return origin.x < client.right && origin.y < client.bottom;
}

BOOL CGridCtrl::InvalidateCellRect(int row, int col) {
  if (!WindowExists() || !m_bAllowDraw || !IsValid(row, col) || !IsCellVisible(row, col)) return FALSE;
  CRect rect;
  if (!GetCellRect(row, col, &rect)) return FALSE;
  rect.right++;
  rect.bottom++;
  Invalidate(rect);
  return TRUE;
}

void CGridCtrl::Refresh() {
  if (WindowExists() && m_bAllowDraw) InvalidateAll();
}

void CGridCtrl::ResetScrollBars() {
  m_idTopLeftCell.row = -1;
  if (!m_bAllowDraw || !WindowExists()) return;
  CRect rect = ClientRect();
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  // The area as it would be without scroll bars.
  const int bar = m_pWindow->GetScrollBarSize();
  if (m_nBarState & 2) rect.right += bar;
  if (m_nBarState & 1) rect.bottom += bar;
  const int fixedH = GetFixedRowHeight();
  const int fixedW = GetFixedColumnWidth();
  rect.left += fixedW;
  rect.top += fixedH;
  if (rect.left >= rect.right || rect.top >= rect.bottom) {
    EnableScrollBars(SB_BOTH, FALSE);
    m_nVScrollMax = m_nHScrollMax = 0;
    m_pWindow->SetScrollRange(SB_HORZ, 0, 0);
    m_pWindow->SetScrollRange(SB_VERT, 0, 0);
    return;
  }
  const long virtualHeight = GetVirtualHeight() - fixedH;
  const long virtualWidth = GetVirtualWidth() - fixedW;
  if (rect.bottom - fixedH < virtualHeight) rect.right -= bar;
  if (rect.right - fixedW < virtualWidth) rect.bottom -= bar;
  if (rect.bottom - fixedH < virtualHeight) {
    EnableScrollBars(SB_VERT, TRUE);
    m_nVScrollMax = static_cast<int>(virtualHeight - 1);
  } else {
    EnableScrollBars(SB_VERT, FALSE);
    m_nVScrollMax = 0;
  }
  if (rect.right - fixedW < virtualWidth) {
    EnableScrollBars(SB_HORZ, TRUE);
    m_nHScrollMax = static_cast<int>(virtualWidth - 1);
  } else {
    EnableScrollBars(SB_HORZ, FALSE);
    m_nHScrollMax = 0;
  }
  m_pWindow->SetScrollRange(SB_HORZ, m_nHScrollMax, m_nHScrollMax > 0 ? rect.right - fixedW : 0);
  m_pWindow->SetScrollRange(SB_VERT, m_nVScrollMax, m_nVScrollMax > 0 ? rect.bottom - fixedH : 0);
}

void CGridCtrl::EnableScrollBars(int bar, BOOL enable) {
  const bool on = enable != 0;
  if (bar == SB_HORZ || bar == SB_BOTH) {
    if (((m_nBarState & 1) != 0) != on) {
      m_nBarState ^= 1;
      if (m_pWindow) m_pWindow->ShowScrollBar(SB_HORZ, on);
    }
  }
  if (bar == SB_VERT || bar == SB_BOTH) {
    if (((m_nBarState & 2) != 0) != on) {
      m_nBarState ^= 2;
      if (m_pWindow) m_pWindow->ShowScrollBar(SB_VERT, on);
    }
  }
}

int CGridCtrl::GetScrollPos32(int bar) const {
  return m_pWindow ? m_pWindow->GetScrollPos(bar) : 0;
}

BOOL CGridCtrl::SetScrollPos32(int bar, int pos) {
  m_idTopLeftCell.row = -1;
  if (!m_pWindow) return FALSE;
  m_pWindow->SetScrollPos(bar, pos);
  return TRUE;
}

void CGridCtrl::EnsureVisible(int row, int col) {
  if (!m_bAllowDraw || !IsValid(row, col)) return;
  const CGridCellSpan visible = GetVisibleNonFixedCellRange();
  for (int c = visible.maxCol + 1; c <= col; ++c)
    if (GetColumnWidth(c) > 0) OnHScroll(SB_LINERIGHT);
  for (int c = visible.minCol - 1; c >= col; --c)
    if (GetColumnWidth(c) > 0) OnHScroll(SB_LINELEFT);
  for (int r = visible.maxRow + 1; r <= row; ++r)
    if (GetRowHeight(r) > 0) OnVScroll(SB_LINEDOWN);
  for (int r = visible.minRow - 1; r >= row; --r)
    if (GetRowHeight(r) > 0) OnVScroll(SB_LINEUP);
  CRect rect;
  if (!GetCellRect(row, col, &rect)) return;
  const CRect client = ClientRect();
  for (int guard = 0;
       guard < m_nCols && rect.right > client.right && rect.left > GetFixedColumnWidth() && (m_nBarState & 1);
       ++guard) {
    const int before = GetScrollPos32(SB_HORZ);
    OnHScroll(SB_LINERIGHT);
    if (GetScrollPos32(SB_HORZ) == before || !GetCellRect(row, col, &rect)) break;
  }
  for (int guard = 0;
       guard < m_nRows && rect.bottom > client.bottom && rect.top > GetFixedRowHeight() && (m_nBarState & 2);
       ++guard) {
    const int before = GetScrollPos32(SB_VERT);
    OnVScroll(SB_LINEDOWN);
    if (GetScrollPos32(SB_VERT) == before || !GetCellRect(row, col, &rect)) break;
  }
}

void CGridCtrl::SetFont(const LOGFONT& font) {
  LOGFONT lf = font;
  lf.lfHeight = 24;
  lf.lfWidth = 8;
  lf.lfFaceName = CString(u"Arial");
  m_cellDefault->SetFont(&lf);
  m_cellFixedColDef->SetFont(&lf);
  m_cellFixedRowDef->SetFont(&lf);
  m_cellFixedRowColDef->SetFont(&lf);
  Refresh();
}

const CFont* CGridCtrl::GetFont() const {
  return m_cellDefault->GetFontObject();
}

GridCursor CGridCtrl::GetCursorAt(CPoint point) {
  if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE || m_MouseMode == MOUSE_SIZING_ROW) return GridCursor::kSizeNS;
  if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_SIZING_COL) return GridCursor::kSizeWE;
  if (!m_bVirtualMode) {
    const CGridCellPos cell = GetCellFromPoint(point, TRUE);
    if (CGridCellBase* c = GetCell(cell.row, cell.col)) {
      GridCursor cursor = GridCursor::kArrow;
      if (c->OnSetCursor(&cursor)) return cursor;
    }
  }
  return GridCursor::kArrow;
}
