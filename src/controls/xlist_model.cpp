#include "controls/xlist_model.h"

#include <algorithm>

int CXListModel::InsertColumn(int column, const CString& title, int format) {
  if (column < 0) return -1;
  column = std::min(column, GetColumnCount());
  m_columns.insert(m_columns.begin() + column, Column{title, format & LVCFMT_JUSTIFYMASK, 0});
  return column;
}

CString CXListModel::GetColumnTitle(int column) const {
  return column >= 0 && column < GetColumnCount() ? m_columns[column].title : CString();
}

int CXListModel::GetColumnFormat(int column) const {
  return column >= 0 && column < GetColumnCount() ? m_columns[column].format : LVCFMT_LEFT;
}

int CXListModel::GetHeaderCheckState(int column) const {
  return column >= 0 && column < GetColumnCount() ? m_columns[column].check_state : -1;
}

BOOL CXListModel::SetHeaderCheckState(int column, int state) {
  if (column < 0 || column >= GetColumnCount()) return FALSE;
  m_columns[column].check_state = state;
  return TRUE;
}

int CXListModel::InsertItem(int row, const CString& text) {
  if (row < 0) return -1;
  row = std::min(row, GetItemCount());
  Row r;
  XListCellInfo cell;
  cell.crText = m_colors.window_text;
  cell.crBackground = m_colors.window;
  r.cells.assign(static_cast<size_t>(GetColumnCount()), cell);
  r.texts.assign(static_cast<size_t>(GetColumnCount()), CString());
  if (!r.texts.empty()) r.texts[0] = text;
  m_rows.insert(m_rows.begin() + row, std::move(r));
  return row;
}

BOOL CXListModel::DeleteItem(int row) {
  if (row < 0 || row >= GetItemCount()) return FALSE;
  m_rows.erase(m_rows.begin() + row);
  return TRUE;
}

bool CXListModel::ValidCell(int row, int column) const {
  return row >= 0 && row < GetItemCount() && column >= 0 && column < GetColumnCount();
}

BOOL CXListModel::SetItemText(int row, int column, const CString& text) {
  if (!ValidCell(row, column)) return FALSE;
  auto& texts = m_rows[row].texts;
  if (static_cast<int>(texts.size()) <= column) texts.resize(static_cast<size_t>(column) + 1);
  texts[column] = text;
  return TRUE;
}

CString CXListModel::GetItemText(int row, int column) const {
  if (!ValidCell(row, column)) return CString();
  const auto& texts = m_rows[row].texts;
  return column < static_cast<int>(texts.size()) ? texts[column] : CString();
}

const XListCellInfo* CXListModel::Cell(int row, int column) const {
  if (!ValidCell(row, column)) return nullptr;
  const auto& cells = m_rows[row].cells;
  return column < static_cast<int>(cells.size()) ? &cells[column] : nullptr;
}

XListCellInfo* CXListModel::Cell(int row, int column) {
  return const_cast<XListCellInfo*>(static_cast<const CXListModel*>(this)->Cell(row, column));
}

bool CXListModel::IsRowEnabled(int row) const {
  const XListCellInfo* first = Cell(row, 0);
  return first && first->bEnabled;
}

BOOL CXListModel::SetCheckbox(int row, int column, int state) {
  XListCellInfo* cell = Cell(row, column);
  if (!cell) return FALSE;
  cell->nCheckState = std::clamp(state, -1, 1);
  UpdateHeaderState(column);
  return TRUE;
}

int CXListModel::GetCheckbox(int row, int column) const {
  const XListCellInfo* cell = Cell(row, column);
  return cell ? cell->nCheckState : -1;
}

int CXListModel::CountCheckedRows(int column) const {
  if (column < 0 || column >= GetColumnCount()) return 0;
  int count = 0;
  for (int row = 0; row < GetItemCount(); ++row) count += GetCheckbox(row, column) == 1;
  return count;
}

void CXListModel::UpdateHeaderState(int column) {
  if (GetHeaderCheckState(column) <= 0) return;
  SetHeaderCheckState(column, CountCheckedRows(column) == GetItemCount() ? 2 : 1);
}

CXListModel::Click CXListModel::OnCellClick(int row, int column) {
  Click click;
  if (row < 0 || row >= GetItemCount()) return click;
  if (!IsRowEnabled(row)) {
    click.swallowed = true;
    return click;
  }
  XListCellInfo* cell = Cell(row, column);
  if (!cell || (cell->nCheckState != 0 && cell->nCheckState != 1)) return click;
  cell->nCheckState = cell->nCheckState == 0 ? 1 : 0;
  click.toggled = true;
  UpdateHeaderState(column);
  return click;
}

bool CXListModel::OnColumnClick(int column) {
  const int state = GetHeaderCheckState(column);
  if (state <= 0) return false;
  SetHeaderCheckState(column, state == 1 ? 2 : 1);
  for (int row = 0; row < GetItemCount(); ++row) {
    XListCellInfo* cell = Cell(row, column);
    if (cell && cell->nCheckState != -1) cell->nCheckState = state == 1 ? 1 : 0;
  }
  return true;
}

XCellColors GetCellColors(XCellColors given, bool selected, bool full_row_select, bool has_focus,
                          bool show_sel_always, int column, const XListSystemColors& colors) {
  if (!selected) return given;
  const XCellColors highlight{colors.highlight_text, colors.highlight};
  if (full_row_select) return has_focus ? highlight : given;
  if (column != 0) return given;
  if (has_focus) return highlight;
  return show_sel_always ? XCellColors{colors.window_text, colors.face} : given;
}

XCheckBoxLayout LayoutCheckBoxCell(const CRect& cell, bool has_text) {
  const int side = cell.Height() - 1;
  const int left = has_text ? cell.left + 9 : cell.left + cell.Width() / 2 - side / 2 - 1;
  XCheckBoxLayout layout;
  layout.box = CRect(left + 1, cell.top, left + side, cell.top + side);
  const int l = layout.box.left;
  const int t = layout.box.top;
  layout.strokes = {CPoint(l + 9, t + 3), CPoint(l + 8, t + 4), CPoint(l + 7, t + 5), CPoint(l + 6, t + 6),
                    CPoint(l + 5, t + 7), CPoint(l + 4, t + 6), CPoint(l + 3, t + 5)};
  layout.text = CRect(layout.box.right + 4, cell.top, cell.right, cell.bottom);
  return layout;
}

XHeaderColumnLayout LayoutHeaderColumn(const CRect& column, int image_index, bool has_image_list,
                                       CSize image_size) {
  XHeaderColumnLayout layout;
  CRect r = column;
  r.left += kXHeaderSpacing;
  r.right -= kXHeaderSpacing;
  if (image_index != 0 && has_image_list && !r.IsRectEmpty()) {
    layout.draw_image = true;
    const int w = std::min(image_size.cx, r.Width());
    const int top = (r.top + r.bottom) / 2 - image_size.cy / 2;
    layout.image = CRect(r.left, top, r.left + w, top + image_size.cy);
    r.left += image_size.cx + kXHeaderSpacing;
  }
  layout.text = r;
  return layout;
}
