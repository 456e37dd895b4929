// CGridCtrl: cell editing, the typing rules over elements, and the editing of
// message-text elements by double click.
#include "controls/grid_ctrl.h"
#include "platform/message_sink.h"

int CGridCtrl::WantedCharClass() const {
  return m_pHost != nullptr ? m_pHost->GetWantedCharClass(const_cast<CGridCtrl*>(this)) : 0;
}

CGridElement* CGridCtrl::AddElement(std::unique_ptr<CGridElement> element) {
  if (!element || element->m_nRow < 1 || element->m_nRow > 4) return nullptr;
  PlaceElement(element.get());
  ElementList& list = m_arWidgetLists[2][static_cast<size_t>(element->m_nRow - 1)];
  list.push_back(std::move(element));
  InvalidateAll();
  return list.back().get();
}

void CGridCtrl::PlaceElement(CGridElement* element) {
  CRect rect;
  const CGridCellSpan span(element->m_nRow, element->m_nCol, element->m_nRow + element->GetLineCount() - 1,
                           element->GetLastCol());
  if (GetCellRangeRect(span, &rect)) element->m_rect = rect;
}

const CGridElement* CGridCtrl::FindElementCovering(int row, int col) const {
  for (int line = 0; line < 4 && line < row; ++line)
    for (const auto& element : m_arWidgetLists[2][static_cast<size_t>(line)])
      if (element->Covers(row, col)) return element.get();
  return nullptr;
}

void CGridCtrl::OnEditCell(int row, int col, CPoint point, UINT nChar) {
  if (!IsValid(row, col) || !IsCellEditable(row, col)) return;
  EnsureVisible(row, col);
  if (!IsCellVisible(row, col)) return;
  const int tested = nChar >= 0x80 ? col + 1 : col;
  if (FindElementCovering(row, tested) != nullptr) return;  // no typing under an element
  CRect rect;
  if (!GetCellRect(row, col, &rect)) return;
  if (SendMessageToParent(row, col, LVN_BEGINLABELEDITW) < 0) return;
  if (CGridCellBase* cell = GetCell(row, col)) cell->Edit(row, col, rect, point, IDC_INPLACE_EDIT, nChar);
}

void CGridCtrl::OnEndEditCell(int row, int col, const CString& text) {
  const CString old = GetItemText(row, col);
  if (text != old) StoreEditedText(row, col, text, old);
  if (CGridCellBase* cell = GetCell(row, col)) cell->OnEndEdit();
}

void CGridCtrl::StoreEditedText(int row, int col, const CString& text, const CString& old) {
  SetItemText(row, col, text);
  if (ValidateEdit(row, col, text) && SendMessageToParent(row, col, LVN_ENDLABELEDITW) >= 0) {
    SetModified(TRUE, row, col);
    RedrawCell(row, col);
  } else {
    SetItemText(row, col, old);
  }
}

BOOL CGridCtrl::ValidateEdit(int row, int col, const CString& text) {
  CGridCellBase* cell = GetCell(row, col);
  return cell == nullptr ? TRUE : cell->ValidateEdit(text);
}

void CGridCtrl::EndEditing() {
  if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col)) cell->EndEdit();
}

void CGridCtrl::OnLButtonDblClk(UINT flags, CPoint point) {
  CGridElement* element = m_pSelectedWidget;
  if (element == nullptr || m_pHost == nullptr) return;
  if (m_bValueMode) {
    if (!m_bElementEditorOpen && m_pHost->CanEditElementValue(this, element)) {
      m_bElementEditorOpen = true;
      m_pHost->OpenElementEditor(this, element);
    }
    return;
  }
  CGridHost::ElementEdit edit;
  if (!m_pHost->EditElement(this, element, &edit)) return;
  if (edit.lastCol >= 0) CheckElementPlacement(element, edit.lastCol, edit.newWidth);
  InvalidateAll();
}

bool CGridCtrl::CheckElementPlacement(CGridElement* element, int lastCol, int newWidth) {
  const int line = element->m_nRow;
  const int first = element->m_nCol;
  bool fits = lastCol <= 25 && line >= 1 && line <= 4;
  if (fits) {
    for (const auto& other : m_arWidgetLists[2][static_cast<size_t>(line - 1)]) {
      if (other.get() == element) continue;
      const int a = other->m_nCol;
      const int b = other->GetLastCol();
      if ((a >= first && a <= lastCol) || (b >= first && b <= lastCol)) fits = false;
    }
  }
  if (fits && (GetItemState(line, lastCol) & GVIS_WIDELEFT)) fits = false;
  if (!fits) {
    const int number = m_pHost ? m_pHost->GetEditedBlockNumber(this) : 9000;
    CString text;
    text.Format(u"Can't insert the selected Object at this position B%d [Message Texts]", number - 9000);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return false;
  }
  if (newWidth >= 0 && newWidth != element->m_nWidth) {
    element->m_nWidth = newWidth;
    CRect rect;
    if (GetCellRangeRect(CGridCellSpan(line, first, line, first + newWidth - 1), &rect))
      element->m_rect = rect;
  }
  for (int c = first; c <= element->GetLastCol(); ++c) {
    SetItemText(line, c, CString());
    const UINT state = GetItemState(line, c);
    if (state & GVIS_WIDELEFT) {
      SetItemState(line, c, state & ~GVIS_WIDELEFT);
    } else if (state & GVIS_WIDERIGHT) {
      SetItemState(line, c, state & ~GVIS_WIDERIGHT);
    }
  }
  return true;
}

void CGridCtrl::CloseElementEditor(BOOL apply) {
  if (!m_bElementEditorOpen) return;
  m_bElementEditorOpen = false;
  if (m_pHost) m_pHost->CloseElementEditor(this, apply != 0);
}
