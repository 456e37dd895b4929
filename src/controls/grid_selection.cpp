// CGridCtrl: selection, clipboard text, and drag and drop of text and of
// message-text elements.
#include <unistd.h>

#include <cstring>

#include "controls/grid_ctrl.h"
#include "platform/message_sink.h"

std::vector<BYTE> WidgetDragData::Pack() const {
  std::vector<BYTE> bytes(kSize, 0);
  std::memcpy(bytes.data(), &sourceGrid, 8);
  std::memcpy(bytes.data() + 8, &offsetX, 4);
  std::memcpy(bytes.data() + 12, &offsetY, 4);
  std::memcpy(bytes.data() + 16, &color, 4);
  return bytes;
}

std::optional<WidgetDragData> WidgetDragData::Unpack(const std::vector<BYTE>& bytes) {
  if (bytes.size() < kSize) return std::nullopt;
  WidgetDragData d;
  std::memcpy(&d.sourceGrid, bytes.data(), 8);
  std::memcpy(&d.offsetX, bytes.data() + 8, 4);
  std::memcpy(&d.offsetY, bytes.data() + 12, 4);
  std::memcpy(&d.color, bytes.data() + 16, 4);
  return d;
}

namespace {

// An id of a grid that differs between processes too.
std::uint64_t DragSourceId(std::uint64_t instance) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(getpid())) << 32) | (instance & 0xFFFFFFFFu);
}

}  // namespace

// ---- Selection -----------------------------------------------------------------

void CGridCtrl::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint,
                                 BOOL selectCells) {
  if (!m_bEnableSelection) return;
  if (m_pWindow) m_pWindow->SetCursor(GridCursor::kWait);
  CDC* dc = forceRepaint && m_pWindow ? m_pWindow->GetPaintDC() : nullptr;
  auto redraw = [&](int r, int c) {
    if (dc) {
      RedrawCell(r, c, dc);
    } else {
      InvalidateCellRect(r, c);
    }
  };
  if (minRow >= 0 && minRow < m_nFixedRows) minRow = m_nFixedRows;
  if (maxRow >= 0 && maxRow < m_nFixedRows) maxRow = m_nFixedRows;
  if (!m_bAllowSelectInFixedCol) {
    if (minCol >= 0 && minCol < m_nFixedCols) minCol = m_nFixedCols;
    if (maxCol >= 0 && maxCol < m_nFixedCols) maxCol = m_nFixedCols;
  }
  const CGridCellSpan range(minRow, minCol, maxRow, maxCol);
  bool done = false;
  if (selectCells) {
    for (auto it = m_SelectedCellMap.begin(); it != m_SelectedCellMap.end();) {
      const CGridCellPos cell = it->second;
      if (!IsValid(cell)) {
        it = m_SelectedCellMap.erase(it);
        continue;
      }
      ++it;
      if (!range.InRange(cell.row, cell.col) || !range.IsValid()) {
        if (CGridCellBase* c = GetCell(cell.row, cell.col); c && !m_bVirtualMode)
          c->SetState(c->GetState() & ~GVIS_SELECTED);
        redraw(cell.row, cell.col);
      }
    }
    // Remove the deselected cells from the map.
    for (auto it = m_SelectedCellMap.begin(); it != m_SelectedCellMap.end();) {
      if (!range.IsValid() || !range.InRange(it->second.row, it->second.col)) {
        it = m_SelectedCellMap.erase(it);
      } else {
        ++it;
      }
    }
    if (!(m_bListMode && m_bSingleRowSelection)) {
      if (minRow < 0) {
        done = true;
      } else if (minCol >= 0 && maxRow >= 0 && maxCol >= 0) {
        for (const auto& [key, cell] : m_PrevSelectedCellMap) {
          if (!IsValid(cell)) continue;
          SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_SELECTED);
          redraw(cell.row, cell.col);
        }
      }
    }
  }
  if (!done && IsValid(range)) {
    for (int r = minRow; r <= maxRow; ++r)
      for (int c = minCol; c <= maxCol; ++c) {
        const bool selected = IsCellSelected(r, c) != 0;
        if (selected == (selectCells != 0)) continue;
        const UINT state = GetItemState(r, c);
        SetItemState(r, c, selectCells ? (state | GVIS_SELECTED) : (state & ~GVIS_SELECTED));
        redraw(r, c);
      }
  }
  if (dc) m_pWindow->ReleasePaintDC(dc);
  if (m_pWindow) m_pWindow->SetCursor(GridCursor::kArrow);
}

CGridCellSpan CGridCtrl::GetSelectedCellRange() const {
  CGridCellSpan span(m_nRows, m_nCols, -1, -1);
  for (const auto& [key, cell] : m_SelectedCellMap) {
    span.minRow = std::min(span.minRow, cell.row);
    span.minCol = std::min(span.minCol, cell.col);
    span.maxRow = std::max(span.maxRow, cell.row);
    span.maxCol = std::max(span.maxCol, cell.col);
  }
  return span;
}

void CGridCtrl::ResetSelectedRange() {
  m_PrevSelectedCellMap.clear();
  SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
  SetFocusCell(-1, -1);
}

void CGridCtrl::SelectAllCells() {
  if (!m_bEnableSelection) return;
  SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1, FALSE, TRUE);
}

void CGridCtrl::SelectColumns(CGridCellPos cell, BOOL forceRedraw, BOOL select) {
  if (!m_bEnableSelection || cell.col < m_nFixedCols || !IsValid(cell)) return;
  if (m_bSingleColSelection) {
    SetSelectedRange(m_nFixedRows, cell.col, m_nRows - 1, cell.col, forceRedraw, select);
  } else {
    SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, cell.col), m_nRows - 1,
                     std::max(m_SelectionStartCell.col, cell.col), forceRedraw, select);
  }
}

void CGridCtrl::SelectRows(CGridCellPos cell, BOOL forceRedraw, BOOL select) {
  if (!m_bEnableSelection || cell.row < m_nFixedRows || !IsValid(cell)) return;
  const int firstCol = m_bAllowSelectInFixedCol ? 0 : m_nFixedCols;
  if (m_bListMode && m_bSingleRowSelection) {
    SetSelectedRange(cell.row, firstCol, cell.row, m_nCols - 1, forceRedraw, select);
  } else {
    SetSelectedRange(std::min(m_SelectionStartCell.row, cell.row), firstCol,
                     std::max(m_SelectionStartCell.row, cell.row), m_nCols - 1, forceRedraw, select);
  }
}

void CGridCtrl::SelectCells(CGridCellPos cell, BOOL forceRedraw, BOOL select) {
  if (!m_bEnableSelection || !IsValid(cell) || IsCellFixed(cell.row, cell.col)) return;
  const CGridCellPos a = m_SelectionStartCell;
  SetSelectedRange(std::min(a.row, cell.row), std::min(a.col, cell.col), std::max(a.row, cell.row),
                   std::max(a.col, cell.col), forceRedraw, select);
}

void CGridCtrl::OnSelecting(const CGridCellPos& cell) {
  switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
      SelectAllCells();
      break;
    case MOUSE_SELECT_COL:
      SelectColumns(cell, FALSE, TRUE);
      break;
    case MOUSE_SELECT_ROW:
      SelectRows(cell, FALSE, TRUE);
      break;
    case MOUSE_SELECT_CELLS:
      SelectCells(cell, FALSE, TRUE);
      break;
    default:
      break;
  }
}

void CGridCtrl::SetItemTextNotify(int row, int col, const CString& text) {
  if (!IsCellEditable(row, col)) return;
  if (SendMessageToParent(row, col, LVN_BEGINLABELEDITW) < 0) return;
  const CString old = GetItemText(row, col);
  if (text != old) StoreEditedText(row, col, text, old);
}

// ---- Clipboard -----------------------------------------------------------------

void CGridCtrl::CutSelectedText() {
  if (!m_bEditable) return;
  const auto selected = m_SelectedCellMap;
  for (const auto& [key, cell] : selected) {
    SetItemTextNotify(cell.row, cell.col, CString());
    const UINT state = GetItemState(cell.row, cell.col);
    if (state & GVIS_WIDELEFT) {
      SetItemState(cell.row, cell.col, state & ~GVIS_WIDELEFT);
    } else if (state & GVIS_WIDERIGHT) {
      SetItemState(cell.row, cell.col, state & ~GVIS_WIDERIGHT);
    }
  }
}

bool CGridCtrl::ElementTouchesRow(int row, const CGridCellSpan& span) const {
  if (row < 1 || row > 4) return false;
  for (const auto& element : m_arWidgetLists[2][static_cast<size_t>(row - 1)]) {
    const int first = element->m_nCol;
    const int last = element->GetLastCol();
    if ((first >= span.minCol && first <= span.maxCol) || (last >= span.minCol && last <= span.maxCol))
      return true;
  }
  return false;
}

std::optional<CGridDataObject> CGridCtrl::CopyTextFromGrid() {
  const CGridCellSpan range = GetSelectedCellRange();
  if (!IsValid(range)) return std::nullopt;
  if (m_pSelectedWidget != nullptr) {
    for (int r = range.minRow; r <= range.maxRow; ++r) {
      if (ElementTouchesRow(r, range)) {
        AfxMessageBox(CString(u"Copy/paste of parameters is not supported."), MB_ICONEXCLAMATION);
        return std::nullopt;
      }
    }
  }
  if (m_bVirtualMode) SendCacheHintToParent(range);
  std::u16string text;
  for (int r = range.minRow; r <= range.maxRow; ++r) {
    if (GetRowHeight(r) <= 0) continue;
    for (int c = range.minCol; c <= range.maxCol; ++c) {
      if (GetColumnWidth(c) <= 0) continue;
      if (IsCellSelected(r, c)) text += GetItemText(r, c).str();
      if (c != range.maxCol) text += u'\t';
    }
    if (r != range.maxRow) text += u"\r\n";
  }
  text += u'\0';
  if (m_bVirtualMode) SendCacheHintToParent(CGridCellSpan());
  CGridDataObject data;
  data.text = std::move(text);
  return data;
}

CGridCtrl::PasteStop CGridCtrl::PasteCell(int row, int col, const CString& t, bool* wide,
                                          CGridCellSpan* range) {
  *wide = false;
  const bool high = !t.IsEmpty() && t.GetAt(0) >= 0x80;
  if (FindElementCovering(row, col) != nullptr) return PasteStop::kFail;
  if (high && FindElementCovering(row, col + 1) != nullptr) return PasteStop::kFail;
  static constexpr char16_t kSpecial[] = {0x20AC, 0x2109, 0x00B0, 0x25BA, 0x25C4, 0x25BC, 0x25B2, 0x00B1};
  const bool special = t.GetLength() == 1 &&
                       std::find(std::begin(kSpecial), std::end(kSpecial), t.GetAt(0)) != std::end(kSpecial);
  const UINT state = GetItemState(row, col);
  if (high && !special) {
    const int wanted = WantedCharClass();
    const int cls = m_pHost ? m_pHost->GetCharClass(t.GetAt(0)) : 0;
    if (wanted <= 0 || cls != wanted) return PasteStop::kFail;
    if (cls == 1 && IsValid(row, col + 1)) {
      if ((state & GVIS_WIDERIGHT) || (GetItemState(row, col + 1) & GVIS_WIDELEFT)) return PasteStop::kFail;
      SetItemState(row, col, GetItemState(row, col) | GVIS_WIDELEFT);
      SetItemState(row, col + 1, GetItemState(row, col + 1) | GVIS_WIDERIGHT);
      *wide = true;
    }
  } else if (state & GVIS_WIDELEFT) {
    return PasteStop::kLeftHalf;
  }
  // Nothing goes into the right half of a wide character (a field after a wide one, a
  // character of one cell): that would split the character. The paste stops there; an
  // empty field (the right half as a copy gives it) passes over it.
  if (!*wide && (state & GVIS_WIDERIGHT)) return t.IsEmpty() ? PasteStop::kNone : PasteStop::kLeftHalf;
  SetItemTextNotify(row, col, t);
  SetItemState(row, col, GetItemState(row, col) & ~GVIS_SELECTED);
  if (!range->IsValid()) {
    *range = CGridCellSpan(row, col, row, col);
  } else {
    range->maxRow = std::max(range->maxRow, row);
    range->maxCol = std::max(range->maxCol, col);
  }
  return PasteStop::kNone;
}

BOOL CGridCtrl::PasteTextToGrid(CGridCellPos cell, const CGridDataObject& data, BOOL selectPasted) {
  if (!IsValid(cell) || !IsCellEditable(cell) || !data.HasText()) return FALSE;
  // The text ends at its first zero; bytes after it are not text.
  std::u16string whole = *data.text;
  if (const size_t nul = whole.find(u'\0'); nul != std::u16string::npos) whole.resize(nul);
  const CString text(whole);

  CGridCellSpan range;
  auto skipRows = [&](int r) {
    while (r < m_nRows && GetRowHeight(r) <= 0) ++r;
    return r;
  };
  auto skipCols = [&](int c) {
    while (c < m_nCols && GetColumnWidth(c) <= 0) ++c;
    return c;
  };
  auto fail = [&]() -> BOOL {
    ResetSelectedRange();
    InvalidateAll();
    return FALSE;
  };

  const bool fieldMode = text.Find(u'\t') >= 0 || text.GetLength() == 1;
  int line = 0;
  int pos = 0;
  int row = skipRows(cell.row);
  while (pos < text.GetLength()) {
    int end = text.Find(u'\n', pos);
    if (end < 0) end = text.GetLength();
    CString lineText = text.Mid(pos, end - pos);
    pos = end + 1;
    if (fieldMode) {
      row = skipRows(cell.row + line);
      ++line;
      if (lineText.IsEmpty()) continue;
      int col = skipCols(cell.col);
      int at = 0;
      bool first = true;
      while (true) {
        // The first field ends at a tab, every later one at a tab or a comma.
        int stop = at;
        while (stop < lineText.GetLength() && lineText.GetAt(stop) != u'\t' &&
               (first || lineText.GetAt(stop) != u','))
          ++stop;
        first = false;
        CString field = lineText.Mid(at, stop - at);
        if (IsValid(row, col)) {
          field.Trim();
          bool wide = false;
          const PasteStop result = PasteCell(row, col, field, &wide, &range);
          if (result == PasteStop::kFail) return fail();
          if (result == PasteStop::kLeftHalf) return FALSE;
        }
        col = skipCols(col + 1);
        at = stop + 1;
        if (at >= lineText.GetLength()) break;  // a trailing separator adds no field
      }
    } else {
      // The line's text ends at its first CR or LF; an empty line does not count.
      const int cr = lineText.Find(u'\r');
      if (cr >= 0) lineText = lineText.Left(cr);
      if (lineText.IsEmpty()) continue;
      row = skipRows(cell.row + line);
      ++line;
      int col = skipCols(cell.col);
      for (int k = 0; k < lineText.GetLength(); ++k) {
        bool wide = false;
        if (IsValid(row, col)) {
          CString one(lineText.GetAt(k));
          one.Trim();
          const PasteStop result = PasteCell(row, col, one, &wide, &range);
          if (result == PasteStop::kFail) return fail();
          if (result == PasteStop::kLeftHalf) return FALSE;
        }
        col = skipCols(col + (wide ? 2 : 1));
      }
    }
  }
  if (selectPasted && range.IsValid()) {
    SetSelectedRange(range, TRUE, TRUE);
  } else {
    ResetSelectedRange();
    InvalidateAll();
  }
  return TRUE;
}

void CGridCtrl::OnEditCopy() {
  if (auto data = CopyTextFromGrid(); data && m_pWindow) m_pWindow->SetClipboard(*data);
}

void CGridCtrl::OnEditCut() {
  if (!m_bEditable) return;
  if (auto data = CopyTextFromGrid()) {
    if (m_pWindow) m_pWindow->SetClipboard(*data);
    CutSelectedText();
  }
}

void CGridCtrl::OnEditPaste() {
  if (!m_bEditable || m_pWindow == nullptr) return;
  CGridCellPos target = GetSelectedCellRange().GetTopLeft();
  if (!IsValid(target) || !IsValid(GetSelectedCellRange())) target = m_idCurrentCell;
  if (!IsValid(target)) target = GetTopleftNonFixedCell();
  if (!IsValid(target)) return;
  PasteTextToGrid(target, m_pWindow->GetClipboard(), TRUE);
}

void CGridCtrl::OnEditSelectAll() {
  SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, LVN_ITEMCHANGING);
  SelectAllCells();
  SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);
}

bool CGridCtrl::CanEditCopy() const {
  return !m_SelectedCellMap.empty();
}

bool CGridCtrl::CanEditCut() const {
  return m_bEditable && !m_SelectedCellMap.empty();
}

bool CGridCtrl::CanEditPaste() const {
  return IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell) && m_pWindow != nullptr &&
         m_pWindow->GetClipboard().HasText();
}

bool CGridCtrl::OnCommand(UINT id) {
  switch (id) {
    case ID_EDIT_CUT:
      OnEditCut();
      return true;
    case ID_EDIT_COPY:
      OnEditCopy();
      return true;
    case ID_EDIT_PASTE:
      OnEditPaste();
      return true;
    case ID_EDIT_SELECT_ALL:
      OnEditSelectAll();
      return true;
    default:
      return false;
  }
}

// ---- Drag and drop -------------------------------------------------------------

int CGridCtrl::LinesOfSelectedElement() const {
  return m_pSelectedWidget ? m_pSelectedWidget->GetLineCount() : 1;
}

CPoint CGridCtrl::OutlinePosition(const CGridCellPos& cell, int width) {
  CPoint origin;
  if (!GetCellOrigin(cell.row, cell.col, &origin)) return CPoint(-32000, -32000);
  if (cell.col >= m_nCols - width) origin.x -= (width - m_nCols + cell.col) * std::max(0, GetColumnWidth(1));
  return origin;
}

void CGridCtrl::EraseDragOutline() {
  if (m_pDragWidget && m_pWindow && m_ptDragOutline.x != -32000) {
    CRect rect = m_pDragWidget->m_rect;
    rect.OffsetRect(m_ptDragOutline.x - rect.left, m_ptDragOutline.y - rect.top);
    m_pWindow->DrawDragOutline(rect);
  }
  m_ptDragOutline = CPoint(-32000, -32000);
}

void CGridCtrl::OnBeginDrag(CPoint point) {
  if (m_pWindow == nullptr) return;
  if (m_pSelectedWidget != nullptr && m_pSelectedWidget->HitTest(point)) {
    if (!m_bAllowDragAndDrop && m_nDragColumn < 0) return;
    m_bDraggingWidget = TRUE;
    WidgetDragData record;
    record.sourceGrid = DragSourceId(m_nInstanceId);
    record.offsetX = point.x - m_pSelectedWidget->m_rect.left;
    record.offsetY = point.y - m_pSelectedWidget->m_rect.top;
    record.color = m_pSelectedWidget->m_color;
    CGridDataObject data;
    data.widget = record.Pack();
    m_MouseMode = MOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    const int effect = m_pWindow->DoDragDrop(data, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // A drop places a new element on this grid (only this grid accepts its
    // own elements), so a copy drop is a move as well.
    if (effect != DROPEFFECT_NONE && m_pDroppedWidget) {
      CGridElement* dragged = m_pSelectedWidget;
      for (ElementList& list : m_arWidgetLists[2])
        for (auto it = list.begin(); it != list.end(); ++it)
          if (it->get() == dragged) {
            list.erase(it);
            break;
          }
      m_pSelectedWidget = nullptr;
      std::unique_ptr<CGridElement> dropped = std::move(m_pDroppedWidget);
      ElementList& target = m_arWidgetLists[2][static_cast<size_t>(std::clamp(dropped->m_nRow, 1, 4) - 1)];
      CGridElement* same = nullptr;
      for (auto& e : target)
        if (e->m_nRow == dropped->m_nRow && e->m_nCol == dropped->m_nCol) same = e.get();
      if (same != nullptr) {
        same->m_bSelected = TRUE;
        m_pSelectedWidget = same;
      } else {
        dropped->m_bSelected = TRUE;
        target.push_back(std::move(dropped));
        m_pSelectedWidget = target.back().get();
      }
      InvalidateAll();
    }
    m_pDroppedWidget.reset();
    m_bDraggingWidget = FALSE;
    if (m_MouseMode == MOUSE_DRAGGING) m_MouseMode = MOUSE_NOTHING;
    return;
  }
  m_bDraggingWidget = FALSE;
  if (!m_bAllowDragAndDrop && m_nDragColumn < 0) return;
  CGridDataObject data;
  if (m_nDragColumn < 0) {
    auto copied = CopyTextFromGrid();
    if (!copied) return;
    data = *copied;
  }
  const CGridCellPos topLeft = GetSelectedCellRange().GetTopLeft();
  SendMessageToParent(topLeft.row, topLeft.col, LVN_BEGINDRAG);
  m_MouseMode = MOUSE_DRAGGING;
  m_bLMouseButtonDown = FALSE;
  const int effect = m_pWindow->DoDragDrop(data, DROPEFFECT_COPY | DROPEFFECT_MOVE);
  if (effect & DROPEFFECT_MOVE) CutSelectedText();
  if (m_MouseMode == MOUSE_DRAGGING) m_MouseMode = MOUSE_NOTHING;
}

int CGridCtrl::OnDragEnter(const CGridDataObject& data, UINT keyState, CPoint point) {
  const int effect = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  if (data.HasWidget()) {
    const auto record = WidgetDragData::Unpack(*data.widget);
    // Elements are dropped only on the grid they were dragged from.
    if (!record || record->sourceGrid != DragSourceId(m_nInstanceId) || m_pSelectedWidget == nullptr) {
      m_pDragWidget.reset();
      return DROPEFFECT_NONE;
    }
    m_ptDragOffset = CPoint(record->offsetX, record->offsetY);
    const CGridCellPos cell = GetCellFromPoint(point, TRUE);
    CRect rect;
    const CGridCellSpan span(cell.row, cell.col, cell.row + LinesOfSelectedElement() - 1,
                             cell.col + m_pSelectedWidget->m_nWidth - 1);
    if (!GetCellRangeRect(CGridCellSpan(span.minRow, span.minCol, std::min(span.maxRow, m_nRows - 1),
                                        std::min(span.maxCol, m_nCols - 1)),
                          &rect))
      rect = m_pSelectedWidget->m_rect;
    m_pDragWidget = std::make_unique<CGridElement>();
    m_pDragWidget->m_rect = rect;
    m_pDragWidget->m_color = record->color;
    m_ptDragOutline = CPoint(-32000, -32000);
    m_ptLastDragPoint = CPoint(-32000, -32000);
    OnDragOver(data, keyState, point);
    return effect;
  }
  m_pDragWidget.reset();
  m_LastDragOverCell = GetCellFromPoint(point, m_nDragColumn >= 0);
  if (m_nDragColumn < 0) {
    if (!m_bAllowDragAndDrop || !data.HasText() || !IsValid(m_LastDragOverCell) ||
        !IsCellEditable(m_LastDragOverCell))
      return DROPEFFECT_NONE;
  } else if (!(m_LastDragOverCell.row < m_nFixedRows && m_LastDragOverCell.col >= m_nFixedCols)) {
    return effect;
  }
  if (IsValid(m_LastDragOverCell)) {
    SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                 GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) | GVIS_DROPHILITED);
    RedrawCell(m_LastDragOverCell);
  }
  return effect;
}

int CGridCtrl::OnDragOver(const CGridDataObject& data, UINT keyState, CPoint point) {
  const int effect = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  if (data.HasWidget()) {
    if (!m_pDragWidget || m_pSelectedWidget == nullptr) return DROPEFFECT_NONE;
    if (point != m_ptLastDragPoint) {
      const CGridCellPos cell = GetCellFromPoint(point, TRUE);
      CPoint origin;
      if (GetCellOrigin(cell.row, cell.col, &origin))
        m_ptDragOffset = CPoint(point.x - origin.x, point.y - origin.y);
      const CPoint pos = OutlinePosition(cell, m_pSelectedWidget->m_nWidth);
      EraseDragOutline();
      if (pos.x != -32000 && m_pWindow) {
        CRect rect = m_pDragWidget->m_rect;
        rect.OffsetRect(pos.x - rect.left, pos.y - rect.top);
        m_pWindow->DrawDragOutline(rect);
        m_ptDragOutline = pos;
      }
      m_ptLastDragPoint = point;
    }
    return effect;
  }
  const CGridCellPos cell = GetCellFromPoint(point, FALSE);
  auto refuse = [&] {
    OnDragLeave();
    m_LastDragOverCell = CGridCellPos();
    return DROPEFFECT_NONE;
  };
  if (m_nDragColumn != -1) {
    if (cell.col < m_nFixedCols || cell.row >= m_nFixedRows) return refuse();
  } else if (RowMoveMode()) {
    if (cell.row < m_nFixedRows || cell.col < m_nFixedCols) return refuse();
  } else {
    if (!m_bAllowDragAndDrop || !m_bEditable || !data.HasText()) return DROPEFFECT_NONE;
    if (!IsValid(cell)) return refuse();
    if (!IsCellEditable(cell)) return DROPEFFECT_NONE;
  }
  if (!(cell == m_LastDragOverCell)) {
    if (IsValid(m_LastDragOverCell)) {
      SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                   GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) & ~GVIS_DROPHILITED);
      RedrawCell(m_LastDragOverCell);
    }
    m_LastDragOverCell = cell;
    if (IsValid(cell)) {
      SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
      RedrawCell(cell);
    }
  }
  return effect;
}

void CGridCtrl::OnDragLeave() {
  if (m_pDragWidget) {
    EraseDragOutline();
    m_pDragWidget.reset();
    return;
  }
  if (IsValid(m_LastDragOverCell)) {
    SetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col,
                 GetItemState(m_LastDragOverCell.row, m_LastDragOverCell.col) & ~GVIS_DROPHILITED);
    RedrawCell(m_LastDragOverCell);
  }
}

BOOL CGridCtrl::OnDrop(const CGridDataObject& data, int dropEffect, CPoint point) {
  if (data.HasWidget()) {
    EraseDragOutline();
    m_pDragWidget.reset();
    const auto record = WidgetDragData::Unpack(*data.widget);
    if (!record || record->sourceGrid != DragSourceId(m_nInstanceId) || m_pSelectedWidget == nullptr)
      return FALSE;
    CGridElement* element = m_pSelectedWidget;
    const CGridCellPos cell = GetCellFromPoint(point, TRUE);
    if (!IsValid(cell)) return FALSE;
    const int lines = element->GetLineCount();
    const int width = element->m_nWidth;
    const CPoint place = OutlinePosition(cell, width);
    const CGridCellPos start = GetCellFromPoint(CPoint(place.x, place.y), TRUE);
    CGridCellPos at = IsValid(start) ? start : cell;
    CPoint origin;
    if (GetCellOrigin(at.row, at.col, &origin))
      m_ptDragOffset = CPoint(point.x - origin.x, point.y - origin.y);
    const CGridCellSpan target(at.row, at.col, at.row + lines - 1, at.col + width - 1);
    bool ok = true;
    if ((element->m_nKind == CGridElement::kScope || element->m_nKind == CGridElement::kPointer) &&
        at.row > 2)
      ok = false;
    if (element->m_nKind == CGridElement::kGraph && at.row > 1) ok = false;
    if (at.row < 1 || target.maxRow > 4 || target.maxRow >= m_nRows) ok = false;
    CRect targetRect;
    if (ok && !GetCellRangeRect(CGridCellSpan(target.minRow, target.minCol, target.maxRow,
                                              std::min(target.maxCol, m_nCols - 1)),
                                &targetRect))
      ok = false;
    if (ok) {
      const int halfRow = GetRowHeight(1) / 2;
      for (const auto& group : m_arWidgetLists[2])
        for (const auto& other : group) {
          if (other.get() == element) continue;
          CRect a(targetRect.left, targetRect.top, targetRect.right + 1, targetRect.bottom + 1);
          CRect b(other->m_rect.left, other->m_rect.top, other->m_rect.right + 1, other->m_rect.bottom + 1);
          CRect inter;
          if (inter.IntersectRect(a, b) && inter.Height() >= halfRow) ok = false;
        }
    }
    if (ok) {
      for (int r = target.minRow; r <= target.maxRow; ++r) {
        if (target.minCol + width > 25) ok = false;
        if (GetItemState(r, target.maxCol) & GVIS_WIDELEFT) ok = false;
        if (GetItemState(r, target.minCol) & GVIS_WIDERIGHT) ok = false;
      }
    }
    if (!ok) {
      AfxMessageBox(CString(u"Can't insert the selected Object at this position"), MB_ICONEXCLAMATION);
      return FALSE;
    }
    m_pDroppedWidget = element->Clone();
    m_pDroppedWidget->m_nRow = at.row;
    m_pDroppedWidget->m_nCol = at.col;
    m_pDroppedWidget->m_rect = targetRect;
    for (int c = target.minCol; c <= target.maxCol && c < m_nCols; ++c) {
      SetItemText(at.row, c, CString());
      const UINT state = GetItemState(at.row, c);
      if (state & GVIS_WIDELEFT) {
        SetItemState(at.row, c, state & ~GVIS_WIDELEFT);
      } else if (state & GVIS_WIDERIGHT) {
        SetItemState(at.row, c, state & ~GVIS_WIDERIGHT);
      }
    }
    InvalidateAll();
    (void)dropEffect;
    return TRUE;
  }
  m_MouseMode = MOUSE_NOTHING;
  const CGridCellPos dropCell = m_LastDragOverCell;
  if (m_nDragColumn < 0 && (!m_bAllowDragAndDrop || (!IsCellEditable(dropCell) && !RowMoveMode())))
    return FALSE;
  OnDragLeave();
  if (m_nDragColumn >= 0) {
    if (dropCell.col == m_nDragColumn || dropCell.row >= m_nFixedRows || !IsValid(dropCell)) return FALSE;
    const int value = m_arColOrder[static_cast<size_t>(m_nDragColumn)];
    m_arColOrder.erase(m_arColOrder.begin() + m_nDragColumn);
    const int at = std::min(dropCell.col, static_cast<int>(m_arColOrder.size()));
    m_arColOrder.insert(m_arColOrder.begin() + at, value);
    m_nDragColumn = -1;
    InvalidateAll();
    return TRUE;
  }
  if (RowMoveMode()) {
    MoveRowOrder(m_nDragRow, dropCell.row);
    InvalidateAll();
    return TRUE;
  }
  return PasteTextToGrid(dropCell, data, FALSE);
}
