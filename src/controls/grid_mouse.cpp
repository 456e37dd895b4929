// CGridCtrl: the left button, mouse moves and the wheel: element selection,
// cell, row and column selection over wide characters, divider sizing and
// the start of drags.
#include "controls/grid_ctrl.h"

BOOL CGridCtrl::MouseOverColumnResizeArea(CPoint point) {
  if (point.y >= GetFixedRowHeight()) return FALSE;
  const CGridCellPos cell = GetCellFromPoint(point, TRUE);
  CPoint origin;
  if (!GetCellOrigin(cell.row, cell.col, &origin)) return FALSE;
  const int endX = origin.x + GetColumnWidth(cell.col);
  return (point.x - origin.x < m_nResizeCaptureRange && cell.col != 0) ||
         endX - point.x < m_nResizeCaptureRange;
}

BOOL CGridCtrl::MouseOverRowResizeArea(CPoint point) {
  if (point.x >= GetFixedColumnWidth()) return FALSE;
  const CGridCellPos cell = GetCellFromPoint(point, TRUE);
  CPoint origin;
  if (!GetCellOrigin(cell.row, cell.col, &origin)) return FALSE;
  const int endY = origin.y + GetRowHeight(cell.row);
  return (point.y - origin.y < m_nResizeCaptureRange && cell.row != 0) ||
         endY - point.y < m_nResizeCaptureRange;
}

void CGridCtrl::OnLButtonDown(UINT flags, CPoint point) {
  // Elements under the press: every one hit is flagged, the last one is selected.
  CGridElement* previous = m_pSelectedWidget;
  m_pSelectedWidget = nullptr;
  for (ElementList& list : m_arWidgetLists[2])
    for (auto& element : list) {
      if (element->HitTest(point)) {
        element->m_bSelected = TRUE;
        m_pSelectedWidget = element.get();
      } else {
        element->m_bSelected = FALSE;
      }
    }
  if (m_bElementEditorOpen && m_pSelectedWidget != previous) CloseElementEditor(TRUE);
  InvalidateAll();
  if (m_pWindow) m_pWindow->SetFocus();

  m_LeftClickDownPoint = point;
  m_nDragColumn = -1;
  m_bLMouseButtonDown = TRUE;
  m_LeftClickDownCell = GetCellFromPoint(point, TRUE);
  if (!IsValid(m_LeftClickDownCell)) return;
  m_nDragRow = m_LeftClickDownCell.row;

  const bool shift = (flags & MK_SHIFT) != 0;
  const bool ctrl = (flags & MK_CONTROL) != 0;
  int c = m_LeftClickDownCell.col;
  const int row = m_LeftClickDownCell.row;
  const UINT clickState = GetItemState(row, c);
  if (shift && IsValid(m_SelectionStartCell)) {
    int& a = m_SelectionStartCell.col;
    const UINT anchorState = GetItemState(m_SelectionStartCell.row, a);
    if ((anchorState & GVIS_WIDERIGHT) && c >= a) {
      --a;
    } else if ((anchorState & GVIS_WIDELEFT) && a >= c) {
      ++a;
    }
    if ((clickState & GVIS_WIDERIGHT) && a >= c) {
      --c;
    } else if ((clickState & GVIS_WIDELEFT) && c >= a) {
      ++c;
    }
  } else if (shift) {
    m_SelectionStartCell = m_idCurrentCell;
  } else {
    m_SelectionStartCell = m_LeftClickDownCell;
    if (clickState & GVIS_WIDERIGHT) {
      --c;
    } else if (clickState & GVIS_WIDELEFT) {
      ++m_SelectionStartCell.col;
    }
  }
  m_LeftClickDownCell.col = c;

  if (CGridCellBase* cell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
    cell->OnClickDown(GetPointInCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col, point));

  if (IsCellSelected(m_LeftClickDownCell)) {
    SetFocusCell(m_LeftClickDownCell);
    if (ctrl) {
      SetFocusCell(m_LeftClickDownCell);
      if (m_bListMode) {
        SelectRows(m_LeftClickDownCell, TRUE, FALSE);
      } else {
        SelectCells(m_LeftClickDownCell, TRUE, FALSE);
      }
      return;
    }
    if (m_bAllowDragAndDrop) m_MouseMode = MOUSE_PREPARE_DRAG;
  } else if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
    if (IsCellFixed(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
      SetFocusCell(-1, -1);
    } else {
      const int fc = (GetItemState(m_LeftClickDownCell.row, m_LeftClickDownCell.col) & GVIS_WIDERIGHT)
                         ? m_LeftClickDownCell.col - 1
                         : m_LeftClickDownCell.col;
      SetFocusCell(m_LeftClickDownCell.row, fc);
    }
  }
  // A press on the selected element prepares its drag.
  if (m_pSelectedWidget != nullptr && m_pSelectedWidget->HitTest(point) && m_bAllowDragAndDrop &&
      m_MouseMode == MOUSE_NOTHING)
    m_MouseMode = MOUSE_PREPARE_DRAG;

  if (m_pWindow) m_pWindow->SetCapture(true);

  if (m_MouseMode == MOUSE_NOTHING) {
    if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
      if (m_pWindow) m_pWindow->SetCursor(GridCursor::kSizeWE);
      m_MouseMode = MOUSE_OVER_COL_DIVIDE;
    } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
      if (m_pWindow) m_pWindow->SetCursor(GridCursor::kSizeNS);
      m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
    }
  }

  if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
    m_MouseMode = MOUSE_SIZING_COL;
    int& col = m_LeftClickDownCell.col;
    CRect vis;
    GetVisibleNonFixedCellRange(&vis);
    if (GetColumnWidth(m_nCols - 1) < m_nResizeCaptureRange &&
        std::abs(point.x - vis.right) < m_nResizeCaptureRange)
      col = m_nCols - 1;
    CPoint origin;
    if (!GetCellOrigin(0, col, &origin)) return;
    const bool nearLeft = point.x - origin.x < m_nResizeCaptureRange;
    if (!m_bHiddenColUnhide && (nearLeft || col != m_nCols - 1)) {
      int examined = nearLeft ? col - 1 : col;
      while (examined >= 0 && GetColumnWidth(examined) == 0) --examined;
      if (examined < 0) return;
      if (nearLeft) col = examined + 1;
    }
    if (m_pWindow) m_pWindow->InvertTrackLine(true, point.x);
    if (nearLeft && (col != m_nCols - 1 || GetColumnWidth(m_nCols - 1) >= m_nResizeCaptureRange)) {
      --col;
      if (!GetCellOrigin(0, col, &origin)) return;
    }
  } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
    m_MouseMode = MOUSE_SIZING_ROW;
    int& row2 = m_LeftClickDownCell.row;
    CRect vis;
    GetVisibleNonFixedCellRange(&vis);
    if (GetRowHeight(m_nRows - 1) < m_nResizeCaptureRange &&
        std::abs(point.y - vis.bottom) < m_nResizeCaptureRange)
      row2 = m_nRows - 1;
    CPoint origin;
    if (!GetCellOrigin(row2, 0, &origin)) return;
    const bool nearTop = point.y - origin.y < m_nResizeCaptureRange;
    if (!m_bHiddenRowUnhide && (nearTop || row2 != m_nRows - 1)) {
      int examined = nearTop ? row2 - 1 : row2;
      while (examined >= 0 && GetRowHeight(examined) == 0) --examined;
      if (examined < 0) return;
      if (nearTop) row2 = examined + 1;
    }
    if (m_pWindow) m_pWindow->InvertTrackLine(false, point.y);
    if (nearTop && (row2 != m_nRows - 1 || GetRowHeight(m_nRows - 1) >= m_nResizeCaptureRange)) {
      --row2;
      if (!GetCellOrigin(row2, 0, &origin)) return;
    }
  } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, LVN_ITEMCHANGING);
    m_PrevSelectedCellMap.clear();
    if (ctrl) m_PrevSelectedCellMap = m_SelectedCellMap;
    if (m_LeftClickDownCell.row < m_nFixedRows) {
      OnFixedRowClick(m_LeftClickDownCell);
      if (m_bColumnReorder && m_LeftClickDownCell.col >= m_nFixedCols) {
        ResetSelectedRange();
        m_MouseMode = MOUSE_PREPARE_DRAG;
        m_nDragColumn = m_LeftClickDownCell.col;
      }
    } else if (m_LeftClickDownCell.col < m_nFixedCols) {
      OnFixedColumnClick(m_LeftClickDownCell);
    } else {
      m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
      OnSelecting(m_LeftClickDownCell);
      if (m_pWindow) m_pWindow->SetTimer(true, m_nTimerInterval);
      m_bTimerRunning = true;
    }
  }
  m_LastMousePoint = point;
}

void CGridCtrl::OnFixedRowClick(CGridCellPos& cell) {
  if (!IsValid(cell)) return;
  if (m_bSortOnClick) {
    const bool ascending = cell.col != m_nSortColumn || !m_bAscending;
    SortItems(cell.col, ascending, 0);
    InvalidateAll();
  }
  if (m_bFixedRowSelection) {
    m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
    OnSelecting(cell);
  }
}

void CGridCtrl::OnFixedColumnClick(CGridCellPos& cell) {
  if (!IsValid(cell) || !m_bFixedColumnSelection) return;
  m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
  OnSelecting(cell);
}

void CGridCtrl::ExtendSelectionOverWideChars(CGridCellPos& cell) {
  CGridCellPos& anchor = m_SelectionStartCell;
  if (!IsValid(cell) || !IsValid(anchor)) return;
  const int r0 = std::min(cell.row, anchor.row);
  const int r1 = std::max(cell.row, anchor.row);
  auto anyRowHas = [&](int col, DWORD bit) {
    for (int r = r0; r <= r1; ++r)
      if (GetItemState(r, col) & bit) return true;
    return false;
  };
  const int entryCol = cell.col;
  if (entryCol >= anchor.col) {
    while (cell.col < m_nCols - 1 && anyRowHas(cell.col, GVIS_WIDELEFT)) ++cell.col;
  } else {
    if ((GetItemState(anchor.row, anchor.col) & GVIS_WIDELEFT) && anchor.col < m_nCols - 1) ++anchor.col;
    while (cell.col > m_nFixedCols && anyRowHas(cell.col, GVIS_WIDERIGHT)) --cell.col;
  }
  if (anchor.col >= cell.col) {
    while (anchor.col < m_nCols - 1 && anyRowHas(anchor.col, GVIS_WIDELEFT)) ++anchor.col;
  } else {
    if ((GetItemState(cell.row, cell.col) & GVIS_WIDELEFT) && cell.col < m_nCols - 1) ++cell.col;
    while (anchor.col > m_nFixedCols && anyRowHas(anchor.col, GVIS_WIDERIGHT)) --anchor.col;
  }
}

void CGridCtrl::OnMouseMove(UINT flags, CPoint point) {
  const CRect client = ClientRect();
  if (m_MouseMode != MOUSE_DRAGGING && !client.PtInRect(point)) return;
  if (m_bLMouseButtonDown && m_MouseMode != MOUSE_NOTHING) {
    if (!IsValid(m_LeftClickDownCell)) return;
    switch (m_MouseMode) {
      case MOUSE_SELECT_COL:
      case MOUSE_SELECT_ROW:
      case MOUSE_SELECT_CELLS: {
        const CGridCellPos under = GetCellFromPoint(point, TRUE);
        if (!IsValid(under)) return;
        if (under == m_idCurrentCell) break;
        const CGridCellPos savedAnchor = m_SelectionStartCell;
        CGridCellPos widened = under;
        ExtendSelectionOverWideChars(widened);
        OnSelecting(widened);
        m_SelectionStartCell = savedAnchor;
        if (!IsCellFixed(under.row, under.col) || m_MouseMode == MOUSE_SELECT_COL ||
            m_MouseMode == MOUSE_SELECT_ROW)
          SetFocusCell(under);
        break;
      }
      case MOUSE_SIZING_ROW:
        if (m_pWindow) {
          m_pWindow->InvertTrackLine(false, m_LastMousePoint.y);
          m_pWindow->InvertTrackLine(false, point.y);
        }
        break;
      case MOUSE_SIZING_COL:
        if (m_pWindow) {
          m_pWindow->InvertTrackLine(true, m_LastMousePoint.x);
          m_pWindow->InvertTrackLine(true, point.x);
        }
        break;
      case MOUSE_PREPARE_DRAG:
        OnBeginDrag(m_LeftClickDownPoint);
        break;
      default:
        break;
    }
  } else {
    if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
      if (m_MouseMode != MOUSE_OVER_COL_DIVIDE) {
        if (m_pWindow) m_pWindow->SetCursor(GridCursor::kSizeWE);
        m_MouseMode = MOUSE_OVER_COL_DIVIDE;
      }
    } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
      if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
        if (m_pWindow) m_pWindow->SetCursor(GridCursor::kSizeNS);
        m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
      }
    } else if (m_MouseMode != MOUSE_NOTHING) {
      if (m_pWindow) m_pWindow->SetCursor(GridCursor::kArrow);
      m_MouseMode = MOUSE_NOTHING;
    }
    if (m_MouseMode == MOUSE_NOTHING && (!m_bVirtualMode || m_bTitleTips)) {
      const CGridCellPos cell = GetCellFromPoint(point, TRUE);
      if (CGridCellBase* c = GetCell(cell.row, cell.col)) c->OnMouseOver();
    }
  }
  (void)flags;
  m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(UINT flags, CPoint point) {
  m_bLMouseButtonDown = FALSE;
  if (m_pWindow) {
    m_pWindow->SetCapture(false);
    if (m_bTimerRunning) m_pWindow->SetTimer(false, 0);
  }
  m_bTimerRunning = false;
  const CPoint pt = GetPointInCell(m_idCurrentCell.row, m_idCurrentCell.col, point);
  switch (m_MouseMode) {
    case MOUSE_PREPARE_DRAG: {
      if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col)) cell->OnClick(pt);
      SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
      SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, LVN_ITEMCHANGING);
      ResetSelectedRange();
      SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);
      break;
    }
    case MOUSE_SIZING_COL: {
      if (m_pWindow) m_pWindow->InvertTrackLine(true, m_LastMousePoint.x);
      if (point != m_LeftClickDownPoint && !(point.x == 0 && point.y == 0)) {
        CPoint origin;
        if (!GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &origin)) break;
        SetColumnWidth(m_LeftClickDownCell.col, std::max(point.x - origin.x, m_bAllowColHide ? 0 : 1));
        ResetScrollBars();
        InvalidateAll();
      }
      break;
    }
    case MOUSE_SIZING_ROW: {
      if (m_pWindow) m_pWindow->InvertTrackLine(false, m_LastMousePoint.y);
      if (point != m_LeftClickDownPoint && !(point.x == 0 && point.y == 0)) {
        CPoint origin;
        if (!GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &origin)) break;
        SetRowHeight(m_LeftClickDownCell.row, std::max(point.y - origin.y, m_bAllowRowHide ? 0 : 1));
        ResetScrollBars();
        InvalidateAll();
      }
      break;
    }
    default:
      SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);
      if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col)) cell->OnClick(pt);
      SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
      break;
  }
  m_MouseMode = MOUSE_NOTHING;
  if (m_pWindow) m_pWindow->SetCursor(GridCursor::kArrow);
  if (IsValid(m_LeftClickDownCell) && m_pHost != nullptr && WindowExists()) m_pHost->OnGridCommand(this);
  (void)flags;
}

void CGridCtrl::OnMouseWheel(UINT flags, int zDelta, CPoint point) {
  const int lines = m_nRowsPerWheelNotch;
  if (lines == -1) {
    const int n = zDelta / 120;
    for (int i = 0; i < n; ++i) OnVScroll(SB_PAGEUP);
    for (int i = 0; i < -n; ++i) OnVScroll(SB_PAGEDOWN);
  } else {
    const int n = zDelta * lines / 120;
    for (int i = 0; i < n; ++i) OnVScroll(SB_LINEUP);
    for (int i = 0; i < -n; ++i) OnVScroll(SB_LINEDOWN);
  }
  (void)flags;
  (void)point;
}
