// CGridCtrl: the focus cell, keys and characters, scrolling by messages, the
// auto-scroll timer and the window's size and capture changes.
#include "controls/grid_ctrl.h"

void CGridCtrl::RedrawHeadings(const CGridCellPos& cell, const CGridCellPos& other) {
  if (!m_bTrackFocusCell || !IsValid(cell)) return;
  if (cell.col != other.col)
    for (int r = 0; r < m_nFixedRows; ++r) RedrawCell(r, cell.col);
  if (cell.row != other.row)
    for (int c = 0; c < m_nFixedCols; ++c) RedrawCell(cell.row, c);
}

CGridCellPos CGridCtrl::SetFocusCell(int row, int col) {
  const CGridCellPos previous = m_idCurrentCell;
  CGridCellPos cell(row, col);
  if (cell == previous) return previous;
  if (cell.row >= 0 && cell.row < m_nFixedRows) cell.row = m_nFixedRows;
  if (cell.col >= 0 && cell.col < m_nFixedCols) cell.col = m_nFixedCols;
  m_idCurrentCell = cell;
  if (IsValid(previous)) {
    if (CGridCellBase* c = GetCell(previous.row, previous.col); c && !m_bVirtualMode)
      c->SetState(c->GetState() & ~GVIS_FOCUSED);
    RedrawCell(previous);
    RedrawHeadings(previous, cell);
  }
  if (IsValid(cell)) {
    if (CGridCellBase* c = GetCell(cell.row, cell.col); c && !m_bVirtualMode)
      c->SetState(c->GetState() | GVIS_FOCUSED);
    RedrawCell(cell);
    RedrawHeadings(cell, previous);
  }
  return previous;
}

void CGridCtrl::OnChar(UINT nChar) {
  if (!(m_nKeyModifiers & MK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE &&
      !(nChar == VK_TAB && m_bHandleTabKey)) {
    m_bCharTyped = TRUE;
    OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
  }
}

void CGridCtrl::OnImeChar(UINT nChar) {
  if (!(m_nKeyModifiers & MK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE) {
    m_bCharTyped = TRUE;
    OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
  }
}

void CGridCtrl::DeleteSelectedElements() {
  for (ElementList& list : m_arWidgetLists[2]) {
    for (auto it = list.begin(); it != list.end();) {
      if ((*it)->m_bSelected) {
        if (it->get() == m_pSelectedWidget) m_pSelectedWidget = nullptr;
        it = list.erase(it);
      } else {
        ++it;
      }
    }
  }
  m_pSelectedWidget = nullptr;
  InvalidateAll();
}

bool CGridCtrl::NextCellForKey(UINT nChar, CGridCellPos* nextCell, bool* lineChange) {
  CGridCellPos& next = *nextCell;
  const bool shift = (m_nKeyModifiers & MK_SHIFT) != 0;
  const bool ctrl = (m_nKeyModifiers & MK_CONTROL) != 0;
  auto isRightHalf = [&](int r, int c) { return (GetItemState(r, c) & GVIS_WIDERIGHT) != 0; };
  switch (nChar) {
    case VK_DELETE:
      CutSelectedText();
      return true;
    case VK_DOWN: {
      int r = next.row + 1;
      while (r < m_nRows && GetRowHeight(r) <= 0) ++r;
      if (r < m_nRows) {
        next.row = r;
        if (isRightHalf(next.row, next.col)) next.col--;
      }
      return true;
    }
    case VK_UP: {
      int r = next.row - 1;
      while (r >= m_nFixedRows && GetRowHeight(r) <= 0) --r;
      if (r >= m_nFixedRows) {
        next.row = r;
        if (isRightHalf(next.row, next.col)) next.col--;
      }
      return true;
    }
    case VK_TAB:
      if (!shift) {
        if (m_bQuitFocusOnTab) {
          if (m_pWindow) m_pWindow->NextDialogControl();
          return false;
        }
        [[fallthrough]];
      } else {
        goto left;
      }
    case VK_RIGHT: {
      int c = next.col + 1;
      if (c < m_nCols && isRightHalf(next.row, c)) ++c;
      if (nChar == VK_TAB && c >= m_nCols && next.row < m_nRows - 1) {
        int r = next.row + 1;
        while (r < m_nRows && GetRowHeight(r) <= 0) ++r;
        if (r < m_nRows) {
          next.row = r;
          c = m_nFixedCols;
          *lineChange = true;
        }
      }
      while (c < m_nCols && GetColumnWidth(c) <= 0) ++c;
      if (c < m_nCols) next.col = c;
      return true;
    }
    case VK_LEFT:
    case VK_BACK:
    left : {
      int c = next.col - 1;
      if (c >= m_nFixedCols && isRightHalf(next.row, c)) --c;
      if (nChar == VK_TAB && c < m_nFixedCols && next.row > m_nFixedRows) {
        int r = next.row - 1;
        while (r > m_nFixedRows && GetRowHeight(r) <= 0) --r;
        next.row = r;
        c = m_nCols - 1;
        if (isRightHalf(next.row, c)) --c;
        *lineChange = true;
      }
      while (c >= m_nFixedCols && GetColumnWidth(c) <= 0) --c;
      if (c >= m_nFixedCols) next.col = c;
      return true;
    }
    case VK_HOME: {
      OnHScroll(SB_LEFT);
      if (ctrl) {
        OnVScroll(SB_TOP);
        next.row = m_nFixedRows;
      }
      int c = m_nFixedCols;
      while (c < m_nCols && GetColumnWidth(c) <= 0) ++c;
      if (c < m_nCols) next.col = c;
      while (next.row < m_nRows - 1 && GetRowHeight(next.row) <= 0) ++next.row;
      return true;
    }
    case VK_END: {
      OnHScroll(SB_RIGHT);
      if (ctrl) {
        OnVScroll(SB_BOTTOM);
        next.row = m_nRows - 1;
      }
      int c = m_nCols - 1;
      if (isRightHalf(next.row, c)) --c;
      while (c > m_nFixedCols + 1 && GetColumnWidth(c) <= 0) --c;
      next.col = c;
      while (next.row > m_nFixedRows + 1 && GetRowHeight(next.row) <= 0) --next.row;
      return true;
    }
    default:
      return false;
  }
}

void CGridCtrl::OnKeyDown(UINT nChar) {
  const bool shift = (m_nKeyModifiers & MK_SHIFT) != 0;
  const bool ctrl = (m_nKeyModifiers & MK_CONTROL) != 0;
  if (nChar == VK_DELETE) {
    if (m_pHost != nullptr && m_pHost->IgnoresDeleteKey(this)) return;
    DeleteSelectedElements();
  }
  if (!IsValid(m_idCurrentCell)) return;
  if (ctrl) {
    switch (nChar) {
      case 'C':
      case VK_INSERT:
        OnEditCopy();
        break;
      case 'X':
        OnEditCut();
        break;
      case 'V':
        OnEditPaste();
        break;
      case 'A':
        OnEditSelectAll();
        break;
      case VK_ADD:
        AutoSizeColumns(GVS_DEFAULT);
        InvalidateAll();
        break;
      default:
        break;
    }
  }
  if (shift && nChar == VK_INSERT) {
    OnEditPaste();
    return;
  }
  if (!IsValid(m_idCurrentCell)) return;

  CGridCellPos next = m_idCurrentCell;
  bool lineChange = false;
  if (!NextCellForKey(nChar, &next, &lineChange)) return;
  if (!IsValid(next)) return;

  if (next == m_idCurrentCell) {
    const bool wideAtEnd = (GetItemState(next.row, next.col) & GVIS_WIDELEFT) && next.col + 2 == m_nCols;
    if (!wideAtEnd) return;
  }

  if (m_MouseMode == MOUSE_NOTHING) {
    m_PrevSelectedCellMap.clear();
    m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
    CGridCellPos target = next;
    const bool grow = shift && nChar != VK_TAB && !m_bCharTyped;
    if (!grow) {
      m_SelectionStartCell = next;
      if (GetItemState(next.row, next.col) & GVIS_WIDELEFT) {
        target.col = next.col + 1;  // the selection takes both halves
      } else {
        m_bCharTyped = FALSE;
      }
    }
    const CGridCellPos anchor = m_SelectionStartCell;
    const bool arrow = nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP || nChar == VK_DOWN;
    if (shift && arrow) ExtendSelectionOverWideChars(target);
    SendMessageToParent(next.row, next.col, LVN_ITEMCHANGING);
    OnSelecting(target);
    SendMessageToParent(next.row, next.col, LVN_ITEMCHANGED);
    m_SelectionStartCell = anchor;
    m_MouseMode = MOUSE_NOTHING;
  }

  SetFocusCell(next);

  if (!IsCellVisible(next)) {
    switch (nChar) {
      case VK_LEFT:
        OnHScroll(SB_LINELEFT);
        break;
      case VK_RIGHT:
        OnHScroll(SB_LINERIGHT);
        break;
      case VK_UP:
        OnVScroll(SB_LINEUP);
        break;
      case VK_DOWN:
        OnVScroll(SB_LINEDOWN);
        break;
      case VK_TAB:
        if (lineChange) {
          OnVScroll(shift ? SB_LINEUP : SB_LINEDOWN);
          SetScrollPos32(SB_HORZ, shift ? m_nHScrollMax : 0);
        } else {
          OnHScroll(shift ? SB_LINELEFT : SB_LINERIGHT);
        }
        break;
      default:
        break;
    }
    EnsureVisible(next.row, next.col);
    InvalidateAll();
  }
  EnsureVisible(next.row, next.col);
}

void CGridCtrl::OnHScroll(int code) {
  Scroll(SB_HORZ, code);
}

void CGridCtrl::OnVScroll(int code) {
  Scroll(SB_VERT, code);
}

void CGridCtrl::Scroll(int bar, int code) {
  EndEditing();
  const bool horz = bar == SB_HORZ;
  const int pos = GetScrollPos32(bar);
  const int max = horz ? m_nHScrollMax : m_nVScrollMax;
  const CRect client = ClientRect();
  const int fixed = horz ? GetFixedColumnWidth() : GetFixedRowHeight();
  const int count = horz ? m_nCols : m_nRows;
  const int firstScrolled = horz ? m_nFixedCols : m_nFixedRows;
  const int page = (horz ? client.Width() : client.Height()) - fixed;
  auto size = [&](int i) { return horz ? GetColumnWidth(i) : GetRowHeight(i); };
  // Only the scrolled part of the window is repainted.
  const CRect area =
      horz ? CRect(fixed, 0, client.right, client.bottom) : CRect(0, fixed, client.right, client.bottom);
  const CGridCellPos topLeft = GetTopleftNonFixedCell();
  const int first = horz ? topLeft.col : topLeft.row;
  switch (code) {
    case SB_LINEUP:
      if (pos > 0 && first > firstScrolled) {
        int i = first - 1;
        while (i > firstScrolled && size(i) <= 0) --i;
        SetScrollPos32(bar, std::max(0, pos - size(i)));
        Invalidate(area);
      }
      break;
    case SB_LINEDOWN:
      if (pos < max) {
        int i = first;
        while (i < count - 1 && size(i) <= 0) ++i;
        SetScrollPos32(bar, std::min(max, pos + std::max(0, size(i))));
        if (GetScrollPos32(bar) != pos) Invalidate(area);
      }
      break;
    case SB_PAGEUP:
      SetScrollPos32(bar, std::max(0, pos - page));
      Invalidate(area);
      break;
    case SB_PAGEDOWN:
      SetScrollPos32(bar, std::min(max, pos + page));
      Invalidate(area);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      m_idTopLeftCell.row = -1;
      if (!(GetTopleftNonFixedCell() == topLeft)) Invalidate(area);
      break;
    case SB_TOP:
      SetScrollPos32(bar, 0);
      InvalidateAll();
      break;
    case SB_BOTTOM:
      SetScrollPos32(bar, max);
      InvalidateAll();
      break;
    default:
      break;
  }
}

void CGridCtrl::OnSize() {
  if (m_bInOnSize || !WindowExists()) return;
  m_bInOnSize = true;
  EndEditing();
  ResetScrollBars();
  m_bInOnSize = false;
}

void CGridCtrl::OnCaptureChanged() {
  if (m_bTimerRunning && m_pWindow) {
    m_pWindow->SetTimer(false, 0);
    m_bTimerRunning = false;
  }
  if (m_MouseMode == MOUSE_DRAGGING) m_MouseMode = MOUSE_NOTHING;
}

void CGridCtrl::OnTimer() {
  CPoint pt;
  if (m_pWindow == nullptr || !m_pWindow->GetCursorPos(&pt)) return;
  const CRect client = ClientRect();
  const int H = GetFixedRowHeight();
  const int W = GetFixedColumnWidth();
  const UINT saved = m_nKeyModifiers;
  auto key = [&](UINT vk, CPoint at) {
    OnKeyDown(vk);
    OnSelecting(GetCellFromPoint(at));
  };
  const int x = std::clamp(pt.x, client.left, std::max(client.left, client.right - 1));
  const int y = std::clamp(pt.y, client.top, std::max(client.top, client.bottom - 1));
  if (pt.y >= client.bottom) {
    key(VK_DOWN, CPoint(x, client.bottom - 1));
  } else if (pt.y < H) {
    key(VK_UP, CPoint(x, H + 1));
  }
  if (pt.x >= client.right) {
    key(VK_RIGHT, CPoint(client.right - 1, y));
  } else if (pt.x < W) {
    key(VK_LEFT, CPoint(W + 1, y));
  }
  m_nKeyModifiers = saved;
}

void CGridCtrl::OnEndInPlaceEdit(int row, int col, const CString& text, UINT lastKey) {
  OnEndEditCell(row, col, text);
  switch (lastKey) {
    case VK_TAB:
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_HOME:
    case VK_END:
      OnKeyDown(lastKey);
      OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), lastKey);
      break;
    default:
      break;
  }
}
