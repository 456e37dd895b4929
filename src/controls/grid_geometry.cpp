// CGridCtrl: mapping between cells and client pixels, visible ranges, scroll
// bars, the cell font and the cursor.
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

CGridCellPos CGridCtrl::GetCellFromPoint(CPoint point, BOOL allowFixedCellCheck) {
  const CGridCellPos topLeft = GetTopleftNonFixedCell();
  CGridCellPos cell;
  if (!allowFixedCellCheck && !IsValid(topLeft)) return cell;
  const int fixedWidth = GetFixedColumnWidth();
  if (point.x < 0) {
    cell.col = -1;
  } else if (allowFixedCellCheck && point.x < fixedWidth) {
    int x = 0;
    int c = 0;
    for (; c < m_nFixedCols; ++c) {
      x += GetColumnWidth(c);
      if (point.x < x) break;
    }
    cell.col = c < m_nFixedCols ? c : -1;
  } else if (point.x < fixedWidth || topLeft.col >= m_nCols || topLeft.col < 0) {
    cell.col = -1;
  } else {
    int x = fixedWidth;
    int c = topLeft.col;
    for (; c < m_nCols; ++c) {
      x += GetColumnWidth(c);
      if (point.x < x) break;
    }
    cell.col = c < m_nCols ? c : -1;
  }
  const int fixedHeight = GetFixedRowHeight();
  if (point.y < 0) {
    cell.row = -1;
  } else if (allowFixedCellCheck && point.y < fixedHeight) {
    int y = 0;
    int r = 0;
    for (; r < m_nFixedRows; ++r) {
      y += GetRowHeight(r);
      if (point.y < y) break;
    }
    cell.row = r < m_nFixedRows ? r : -1;
  } else if (point.y < fixedHeight || topLeft.row >= m_nRows || topLeft.row < 0) {
    cell.row = -1;
  } else {
    int y = fixedHeight;
    int r = topLeft.row;
    for (; r < m_nRows; ++r) {
      y += GetRowHeight(r);
      if (point.y < y) break;
    }
    cell.row = r < m_nRows ? r : -1;
  }
  return cell;
}

CGridCellSpan CGridCtrl::GetVisibleNonFixedCellRange(CRect* rect, BOOL forceRecalc) {
  const CRect client = ClientRect();
  const CGridCellPos topLeft = GetTopleftNonFixedCell(forceRecalc);
  int bottom = GetFixedRowHeight();
  int r = topLeft.row;
  for (; r < m_nRows; ++r) {
    bottom += GetRowHeight(r);
    if (bottom >= client.bottom) {
      bottom = client.bottom;
      break;
    }
  }
  int right = GetFixedColumnWidth();
  int c = topLeft.col;
  for (; c < m_nCols; ++c) {
    right += GetColumnWidth(c);
    if (right >= client.right) {
      right = client.right;
      break;
    }
  }
  if (rect) *rect = CRect(0, 0, right, bottom);
  return CGridCellSpan(topLeft.row, topLeft.col, std::min(r, m_nRows - 1), std::min(c, m_nCols - 1));
}

CGridCellSpan CGridCtrl::GetVisibleFixedCellRange(CRect* rect, BOOL forceRecalc) {
  const CRect client = ClientRect();
  const CGridCellPos topLeft = GetTopleftNonFixedCell(forceRecalc);
  int bottom = GetFixedRowHeight();
  int r = topLeft.row;
  for (; r < m_nRows; ++r) {
    bottom += GetRowHeight(r);
    if (bottom >= client.bottom) {
      bottom = client.bottom;
      break;
    }
  }
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
  return CGridCellSpan(topLeft.row, 0, std::min(r, m_nRows - 1), std::min(c, m_nCols - 1));
}

BOOL CGridCtrl::GetCellOrigin(int row, int col, CPoint* origin) {
  if (!IsValid(row, col)) return FALSE;
  CGridCellPos topLeft;
  if (row >= m_nFixedRows || col >= m_nFixedCols) topLeft = GetTopleftNonFixedCell();
  if (row >= m_nFixedRows && row < topLeft.row) return FALSE;
  if (col >= m_nFixedCols && col < topLeft.col) return FALSE;
  int x = 0;
  if (col < m_nFixedCols) {
    for (int c = 0; c < col; ++c) x += GetColumnWidth(c);
  } else {
    x = GetFixedColumnWidth();
    for (int c = topLeft.col; c < col; ++c) x += GetColumnWidth(c);
  }
  int y = 0;
  if (row < m_nFixedRows) {
    for (int r = 0; r < row; ++r) y += GetRowHeight(r);
  } else {
    y = GetFixedRowHeight();
    for (int r = topLeft.row; r < row; ++r) y += GetRowHeight(r);
  }
  *origin = CPoint(x, y);
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
  const CGridCellPos topLeft = GetTopleftNonFixedCell();
  if (row >= m_nFixedRows && row < topLeft.row) return FALSE;
  if (col >= m_nFixedCols && col < topLeft.col) return FALSE;
  const CRect client = ClientRect();
  int x = 0;
  if (col < m_nFixedCols) {
    for (int c = 0; c < col; ++c) x += GetColumnWidth(c);
  } else {
    x = GetFixedColumnWidth();
    for (int c = topLeft.col; c < col; ++c) x += GetColumnWidth(c);
  }
  if (x >= client.right) return FALSE;
  int y = 0;
  if (row < m_nFixedRows) {
    for (int r = 0; r < row; ++r) y += GetRowHeight(r);
  } else {
    y = GetFixedRowHeight();
    for (int r = topLeft.row; r < row; ++r) y += GetRowHeight(r);
  }
  return y < client.bottom;
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
  for (int guard = 0; guard < m_nCols && rect.right > client.right && rect.left > GetFixedColumnWidth() &&
                      (m_nBarState & 1);
       ++guard) {
    const int before = GetScrollPos32(SB_HORZ);
    OnHScroll(SB_LINERIGHT);
    if (GetScrollPos32(SB_HORZ) == before || !GetCellRect(row, col, &rect)) break;
  }
  for (int guard = 0; guard < m_nRows && rect.bottom > client.bottom && rect.top > GetFixedRowHeight() &&
                      (m_nBarState & 2);
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
