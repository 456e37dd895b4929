#include "controls/grid_cell_kinds.h"

#include <ctime>

#include "controls/grid_ctrl.h"

IMPLEMENT_DYNCREATE(CGridCellCheck, CGridCell)
IMPLEMENT_DYNCREATE(CGridCellNumeric, CGridCell)
IMPLEMENT_DYNCREATE(CGridCellCombo, CGridCell)
IMPLEMENT_DYNCREATE(CGridCellDateTime, CGridCell)
IMPLEMENT_DYNCREATE(CGridURLCell, CGridCell)

namespace {

constexpr int kBoxSide = 17;  // the side of a check box and of a drop-down arrow
constexpr int kArrowWidth = 17;

// A cell extent with room for a drop-down button.
CSize WithDropButton(CSize size) {
  return CSize(size.cx + kArrowWidth, std::max(size.cy, kArrowWidth));
}

// An editor request for a cell.
GridEditorRequest Request(GridEditorRequest::Kind kind, int row, int col, const CRect& rect,
                          const CString& text, UINT nChar) {
  GridEditorRequest request;
  request.kind = kind;
  request.row = row;
  request.col = col;
  request.rect = rect;
  request.text = text;
  request.startKey = nChar;
  return request;
}

}  // namespace

// ---- Check box -------------------------------------------------------------------

void CGridCellCheck::SetCheck(BOOL checked) {
  m_bChecked = checked;
  if (CGridCtrl* grid = GetGrid(); grid && grid->GetWindow() && !m_rect.IsRectEmpty())
    grid->GetWindow()->Invalidate(&m_rect);
}

CRect CGridCellCheck::CheckBoxRect(const CRect& cell) const {
  const int margin = static_cast<int>(GetMargin());
  int top = cell.top + margin;
  if (cell.Height() < kBoxSide + 2 * margin) top = cell.top + (cell.Height() - kBoxSide) / 2;
  const int left = cell.left + margin;
  return CRect(left, top, left + kBoxSide, top + kBoxSide);
}

BOOL CGridCellCheck::Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd) {
  const BOOL result = CGridCell::Draw(dc, row, col, rect, eraseBkgnd);
  if (!result) return result;
  m_rect = rect;
  const CRect box = CheckBoxRect(rect);
  dc->FillSolidRect(box, RGB(255, 255, 255));
  CBrush frame(RGB(0, 0, 0));
  dc->FrameRect(box, &frame);
  if (m_bChecked) {
    CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
    const CPen old = dc->SelectObject(&pen);
    dc->MoveTo(box.left + 3, box.top + kBoxSide / 2);
    dc->LineTo(box.left + kBoxSide / 2 - 1, box.bottom - 4);
    dc->LineTo(box.right - 3, box.top + 3);
    dc->SelectObject(&old);
  }
  return result;
}

BOOL CGridCellCheck::GetTextRect(CRect* rect) {
  const int shift = kBoxSide + 2 * static_cast<int>(GetMargin());
  rect->left = std::min(rect->right, rect->left + shift);
  return TRUE;
}

CSize CGridCellCheck::GetCellExtent(CDC* dc) {
  CSize size = CGridCell::GetCellExtent(dc);
  const int extra = kBoxSide + 2 * static_cast<int>(GetMargin());
  size.cx += extra;
  size.cy = std::max(size.cy, extra);
  return size;
}

void CGridCellCheck::OnClick(CPoint pointInCell) {
  CRect box = CheckBoxRect(CRect(0, 0, m_rect.Width(), m_rect.Height()));
  if (box.PtInRect(pointInCell)) SetCheck(!m_bChecked);
}

// ---- Numeric ---------------------------------------------------------------------

BOOL CGridCellNumeric::Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT nChar) {
  OpenEditor(Request(GridEditorRequest::Kind::kNumeric, row, col, rect, GetText(), nChar));
  return TRUE;
}

// ---- Combo -----------------------------------------------------------------------

BOOL CGridCellCombo::Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd) {
  CGridCtrl* grid = GetGrid();
  const bool arrow = grid != nullptr && !m_bEditing && rect.Width() > kArrowWidth &&
                     rect.Height() > kArrowWidth && grid->IsCellVisible(row, col);
  if (m_bEditing) {
    const CString text = GetText();
    SetText(CString());
    const BOOL result = CGridCell::Draw(dc, row, col, rect, eraseBkgnd);
    SetText(text);
    return result;
  }
  CRect textRect = rect;
  if (arrow) textRect.right -= kArrowWidth;
  const BOOL result = CGridCell::Draw(dc, row, col, textRect, eraseBkgnd);
  if (arrow) {
    const CRect button(rect.right - kArrowWidth + 1, rect.top, rect.right + 1, rect.top + kArrowWidth);
    dc->FillSolidRect(button, GridSysColor(COLOR_3DFACE));
    dc->Draw3dRect(button, GridSysColor(COLOR_3DHIGHLIGHT), GridSysColor(COLOR_3DDKSHADOW));
    CBrush black(RGB(0, 0, 0));
    CPen none = CPen::Null();
    const CPen oldPen = dc->SelectObject(&none);
    const CBrush oldBrush = dc->SelectObject(&black);
    const CPoint c = button.CenterPoint();
    dc->Polygon({CPoint(c.x - 4, c.y - 2), CPoint(c.x + 4, c.y - 2), CPoint(c.x, c.y + 2)});
    dc->SelectObject(&oldBrush);
    dc->SelectObject(&oldPen);
  }
  return result;
}

CSize CGridCellCombo::GetCellExtent(CDC* dc) {
  return WithDropButton(CGridCell::GetCellExtent(dc));
}

BOOL CGridCellCombo::Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT nChar) {
  GridEditorRequest request = Request(GridEditorRequest::Kind::kCombo, row, col, rect, GetText(), nChar);
  request.items = m_Strings;
  request.style = m_dwStyle;
  OpenEditor(request);
  return TRUE;
}

// ---- Date and time ---------------------------------------------------------------

CGridCellDateTime::CGridCellDateTime() : m_time(static_cast<std::int64_t>(std::time(nullptr))) {}

CSize CGridCellDateTime::GetCellExtent(CDC* dc) {
  return WithDropButton(CGridCell::GetCellExtent(dc));
}

BOOL CGridCellDateTime::Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT nChar) {
  GridEditorRequest request = Request(GridEditorRequest::Kind::kDateTime, row, col, rect, GetText(), nChar);
  request.style = m_dwStyle;
  request.time = m_time;
  OpenEditor(request);
  return TRUE;
}

// ---- Link ------------------------------------------------------------------------

CGridURLCell::CGridURLCell() : m_clrUrl(GridSysColor(COLOR_HIGHLIGHT)) {}

bool CGridURLCell::HasUrl() const {
  static const char16_t* const kPrefixes[] = {u"www.",   u"http:", u"mailto:", u"ftp:",
                                              u"https:", u"news:", u"gopher:", u"telnet:",
                                              u"url:",   u"file:", u"ftp."};
  const CString text = GetText();
  for (const char16_t* prefix : kPrefixes)
    if (text.Find(CString(prefix)) >= 0) return true;
  return false;
}

BOOL CGridURLCell::Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd) {
  m_rect = rect;
  if (!HasUrl()) return CGridCell::Draw(dc, row, col, rect, eraseBkgnd);
  const COLORREF old = GetTextClr();
  SetTextClr(m_clrUrl);
  const BOOL result = CGridCell::Draw(dc, row, col, rect, eraseBkgnd);
  SetTextClr(old);
  return result;
}

bool CGridURLCell::OverUrl(CPoint pointInCell) const {
  if (!HasUrl()) return false;
  return pointInCell.x >= 0 && pointInCell.y >= 0 && pointInCell.x <= m_rect.Width() &&
         pointInCell.y <= m_rect.Height();
}

void CGridURLCell::OnClick(CPoint pointInCell) {
  if (!m_bLaunchUrl || !OverUrl(pointInCell)) return;
  if (CGridCtrl* grid = GetGrid(); grid && grid->GetWindow()) grid->GetWindow()->OpenUrl(GetText());
}

BOOL CGridURLCell::OnSetCursor(GridCursor* cursor) {
  *cursor = HasUrl() ? GridCursor::kHand : GridCursor::kArrow;
  return TRUE;
}
