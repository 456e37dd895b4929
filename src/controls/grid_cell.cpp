#include "controls/grid_cell.h"

#include "controls/grid_ctrl.h"

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)
IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)
IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

COLORREF GridSysColor(int index) {
  switch (index) {
    case COLOR_WINDOW:
      return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT:
      return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT:
      return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT:
      return RGB(255, 255, 255);
    case COLOR_BTNFACE:
      return RGB(240, 240, 240);
    case COLOR_BTNSHADOW:
      return RGB(160, 160, 160);
    case COLOR_3DHIGHLIGHT:
      return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW:
      return RGB(105, 105, 105);
    default:
      return RGB(0, 0, 0);
  }
}

// ---- CGridCellBase ---------------------------------------------------------

CGridCellBase& CGridCellBase::operator=(const CGridCellBase& cell) {
  if (this == &cell) return *this;
  SetGrid(cell.GetGrid());
  SetText(cell.GetText());
  SetImage(cell.GetImage());
  SetData(cell.GetData());
  SetState(cell.GetState());
  SetFormat(cell.GetFormat());
  SetTextClr(cell.GetTextClr());
  SetBackClr(cell.GetBackClr());
  SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
  SetMargin(cell.GetMargin());
  return *this;
}

CGridDefaultCell* CGridCellBase::GetDefaultCell() const {
  CGridCtrl* grid = GetGrid();
  if (grid == nullptr) return nullptr;
  const DWORD state = GetState();
  return grid->GetDefaultCell((state & GVIS_FIXEDROW) != 0, (state & GVIS_FIXEDCOL) != 0);
}

namespace {

// The up or down arrow of a sorted column's heading, right-aligned in rect.
void DrawSortArrow(CDC* dc, CRect& rect, bool ascending, bool vertical) {
  const CSize size = dc->GetTextExtent(CString(u"M"));
  int side = size.cy - 4;
  if (size.cy >= rect.Height()) side = rect.Height() - 4;
  const int left = vertical ? (rect.left + rect.right - side) / 2 : rect.right - side;
  if (rect.left + side >= rect.right) return;
  const int top = rect.bottom - side - 2;
  CPen light(PS_SOLID, 0, GridSysColor(COLOR_3DHIGHLIGHT));
  CPen shadow(PS_SOLID, 0, GridSysColor(COLOR_3DSHADOW));
  const CPen old = dc->SelectObject(&light);
  const int mid = left + side / 2;
  if (ascending) {
    dc->MoveTo(mid + 1, top + 1);
    dc->LineTo(left + side + 1, top + side + 1);
    dc->LineTo(left + 1, top + side + 1);
    dc->SelectObject(&shadow);
    dc->LineTo(mid, top);
  } else {
    dc->MoveTo(left + 1, top + 1);
    dc->LineTo(left + side + 1, top + 1);
    dc->LineTo(mid + 1, top + side + 1);
    dc->SelectObject(&shadow);
    dc->LineTo(left, top);
  }
  dc->SelectObject(&old);
  if (!vertical) rect.right -= side;
}

// The raised look of a heading cell.
void DrawRaisedEdges(CDC* dc, const CRect& rect) {
  CPen light(PS_SOLID, 1, GridSysColor(COLOR_3DHIGHLIGHT));
  CPen dark(PS_SOLID, 1, GridSysColor(COLOR_3DDKSHADOW));
  const CPen old = dc->SelectObject(&light);
  dc->MoveTo(rect.right, rect.top);
  dc->LineTo(rect.left, rect.top);
  dc->LineTo(rect.left, rect.bottom);
  dc->SelectObject(&dark);
  dc->MoveTo(rect.right, rect.top);
  dc->LineTo(rect.right, rect.bottom);
  dc->LineTo(rect.left, rect.bottom);
  dc->SelectObject(&old);
}

// The sunken edge of the heading of the focus cell's row or column.
void DrawSunkenEdge(CDC* dc, const CRect& rect) {
  dc->Draw3dRect(rect, GridSysColor(COLOR_3DSHADOW), GridSysColor(COLOR_3DHIGHLIGHT));
}

// The font of a double-width character: 20 x 16 fixed-pitch "Arial".
CFont WideCharFont() {
  CFont font;
  font.CreateFont(20, 16, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, FIXED_PITCH, CString(u"Arial"));
  return font;
}

}  // namespace

BOOL CGridCellBase::Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd) {
  CGridCtrl* grid = GetGrid();
  CGridDefaultCell* def = GetDefaultCell();
  if (grid == nullptr || def == nullptr || dc == nullptr || rect.Width() <= 0 || rect.Height() <= 0)
    return FALSE;
  const int saved = dc->SaveDC();
  dc->SetBkMode(TRANSPARENT);
  const DWORD state = GetState();
  const bool wideLeft = (state & GVIS_WIDELEFT) != 0;
  const int nextWidth = wideLeft ? std::max(0, grid->GetColumnWidth(col + 1)) : 0;

  COLORREF textClr = GetTextClr() == CLR_DEFAULT ? def->GetTextClr() : GetTextClr();
  COLORREF backClr = def->GetBackClr();
  if (GetBackClr() != CLR_DEFAULT) {
    backClr = GetBackClr();
    eraseBkgnd = TRUE;
  }
  const bool lines = grid->GetGridLines() != GVL_NONE;

  if (IsFocused() || IsDropHighlighted()) {
    if (IsSelected()) {
      backClr = GridSysColor(COLOR_HIGHLIGHT);
      textClr = GridSysColor(COLOR_HIGHLIGHTTEXT);
      eraseBkgnd = TRUE;
    }
    rect.right++;
    rect.bottom++;
    if (eraseBkgnd) {
      CRect fill = rect;
      if (wideLeft) fill.right += nextWidth;
      dc->FillSolidRect(fill, backClr);
    }
    if (lines) {
      rect.right--;
      rect.bottom--;
    }
    if (grid->m_bFrameFocus) {
      CRect frame = rect;
      if (wideLeft) frame.right += nextWidth;
      CBrush red(RGB(255, 0, 0));
      dc->FrameRect(frame, &red);
    }
    dc->SetTextColor(textClr);
    if (!lines) {
      rect.right--;
      rect.bottom--;
    }
  } else if (IsSelected()) {
    CRect fill(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    if (wideLeft) fill.right += nextWidth;
    dc->FillSolidRect(fill, GridSysColor(COLOR_HIGHLIGHT));
    dc->SetTextColor(GridSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    if (eraseBkgnd) {
      CRect fill(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
      if (wideLeft) fill.right += nextWidth;
      dc->FillSolidRect(fill, backClr);
    }
    dc->SetTextColor(textClr);
  }

  if (IsFixed() && lines) {
    const CGridCellPos focus = grid->GetFocusCell();
    if (grid->m_bTrackFocusCell && grid->IsValid(focus) && (focus.row == row || focus.col == col)) {
      DrawSunkenEdge(dc, CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
    } else {
      DrawRaisedEdges(dc, rect);
    }
    rect.DeflateRect(1, 1);
  }

  if (const CFont* font = GetFontObject()) dc->SelectObject(font);
  if (wideLeft) {
    rect.right = 2 * rect.right - rect.left;
    const CFont wide = WideCharFont();
    dc->SelectObject(&wide);
  }
  const int margin = static_cast<int>(GetMargin());
  rect.DeflateRect(margin, margin);
  rect.right++;
  rect.bottom++;

  if (col == grid->GetSortColumn() && row == 0) {
    const LOGFONT* lf = GetFont();
    DrawSortArrow(dc, rect, grid->GetSortAscending() != 0, lf != nullptr && lf->lfEscapement == 900);
  }

  GetTextRect(&rect);
  rect.right++;
  rect.bottom++;
  const CString text = GetText();
  if (!text.IsEmpty()) dc->DrawText(text, &rect, GetFormat() | DT_NOPREFIX);
  dc->RestoreDC(saved);
  return TRUE;
}

BOOL CGridCellBase::GetTextRect(CRect* rect) {
  // The grid has no image list: no cell shows an image.
  return TRUE;
}

CSize CGridCellBase::GetTextExtent(const CString& text, CDC* dc) {
  CGridDefaultCell* def = GetDefaultCell();
  const CSize fallback = def ? CSize(def->GetWidth(), def->GetHeight()) : CSize(0, 0);
  if (dc == nullptr && !text.IsEmpty() && GetGrid() != nullptr && GetGrid()->GetWindow() != nullptr)
    dc = GetGrid()->GetWindow()->GetMeasureDC();
  if (text.IsEmpty() || dc == nullptr) return fallback;
  const int saved = dc->SaveDC();
  if (const CFont* font = GetFontObject()) dc->SelectObject(font);
  const DWORD format = GetFormat();
  CSize size;
  if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) {
    size = dc->GetTextExtent(text);
  } else {
    int widest = 0;
    int start = 0;
    while (start <= text.GetLength()) {
      int end = text.Find(u'\n', start);
      if (end < 0) end = text.GetLength();
      widest = std::max(widest, dc->GetTextExtent(text.Mid(start, end - start)).cx);
      start = end + 1;
    }
    CRect r(0, 0, widest + 1, 0);
    dc->DrawText(text, &r, format | DT_CALCRECT);
    size = CSize(r.Width(), r.Height());
  }
  dc->RestoreDC(saved);
  const int margin = static_cast<int>(GetMargin());
  size.cx += 2 * margin;
  size.cy += 2 * margin;
  const LOGFONT* lf = GetFont();
  if (lf != nullptr && (lf->lfEscapement == 900 || lf->lfEscapement == -900)) {
    std::swap(size.cx, size.cy);
    size.cy += 4 * margin;
  }
  return size;
}

CSize CGridCellBase::GetCellExtent(CDC* dc) {
  const CSize text = GetTextExtent(GetText(), dc);
  CSize size(text.cx + 1, text.cy + 1);
  if (IsFixed()) {
    size.cx++;
    size.cy++;
  }
  return size;
}

BOOL CGridCellBase::PrintCell(CDC* dc, int row, int col, CRect rect) {
  CGridCtrl* grid = GetGrid();
  if (grid == nullptr || dc == nullptr || rect.Width() <= 0 || rect.Height() <= 0) return FALSE;
  CGridDefaultCell* def = GetDefaultCell();
  const int saved = dc->SaveDC();
  dc->SetBkMode(TRANSPARENT);
  if (grid->m_bShadedPrintOut && def != nullptr) {
    std::optional<COLORREF> back;
    if (IsFixed()) {
      back = GetBackClr() != CLR_DEFAULT ? GetBackClr() : def->GetBackClr();
    } else if (GetBackClr() != CLR_DEFAULT && GetBackClr() != def->GetBackClr()) {
      back = GetBackClr();
    }
    const bool ownBack = GetBackClr() != CLR_DEFAULT;
    const COLORREF text = ownBack && GetTextClr() != CLR_DEFAULT ? GetTextClr() : def->GetTextClr();
    dc->SetTextColor(text);
    if (back) dc->FillSolidRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), *back);
  } else {
    dc->SetTextColor(RGB(0, 0, 0));
  }
  if (const CFont* font = GetFontObject()) dc->SelectObject(font);
  if (IsFixed() && grid->GetGridLines() != GVL_NONE) {
    DrawRaisedEdges(dc, rect);
    rect.DeflateRect(1, 1);
  }
  const int margin = static_cast<int>(GetMargin());
  rect.DeflateRect(margin, 0);
  const CString text = GetText();
  if (!text.IsEmpty()) dc->DrawText(text, &rect, GetFormat() | DT_NOPREFIX);
  dc->RestoreDC(saved);
  return TRUE;
}

// ---- CGridCell ---------------------------------------------------------------

CGridCell::CGridCell() {
  m_nState = 0;
  Reset();
}

CGridCell::~CGridCell() = default;

void CGridCell::Reset() {
  m_nState = 0;
  m_strText.Empty();
  m_nImage = -1;
  m_nFormat = static_cast<DWORD>(-1);
  m_nMargin = static_cast<UINT>(-1);
  m_lParam = 0;
  m_pGrid = nullptr;
  m_bEditing = FALSE;
  m_bHasEditWnd = false;
  m_crFgClr = CLR_DEFAULT;
  m_crBkClr = CLR_DEFAULT;
  m_plfFont.reset();
}

void CGridCell::SetFont(const LOGFONT* font) {
  if (font == nullptr) {
    m_plfFont.reset();
    return;
  }
  if (!m_plfFont) m_plfFont = std::make_unique<LOGFONT>();
  *m_plfFont = *font;
}

DWORD CGridCell::GetFormat() const {
  if (m_nFormat == static_cast<DWORD>(-1)) {
    const CGridDefaultCell* def = GetDefaultCell();
    return def ? def->GetFormat() : 0;
  }
  return m_nFormat;
}

const LOGFONT* CGridCell::GetFont() const {
  if (m_plfFont) return m_plfFont.get();
  const CGridDefaultCell* def = GetDefaultCell();
  return def ? def->GetFont() : nullptr;
}

const CFont* CGridCell::GetFontObject() const {
  if (!m_plfFont) {
    const CGridDefaultCell* def = GetDefaultCell();
    return def ? def->GetFontObject() : nullptr;
  }
  // One font object for all cells with a font of their own; the grid uses one at a time.
  static CFont shared;
  shared.CreateFontIndirect(m_plfFont.get());
  return &shared;
}

UINT CGridCell::GetMargin() const {
  if (m_nMargin == static_cast<UINT>(-1)) {
    const CGridDefaultCell* def = GetDefaultCell();
    return def ? def->GetMargin() : 0;
  }
  return m_nMargin;
}

void CGridCell::StoreText(int row, int col, const CString& text) {
  if (m_pGrid != nullptr) {
    m_pGrid->OnEndEditCell(row, col, text);
  } else {
    OnEndEdit();
  }
}

void CGridCell::OpenEditor(const GridEditorRequest& request) {
  m_bEditing = TRUE;
  m_bHasEditWnd = m_pGrid != nullptr && m_pGrid->GetWindow() != nullptr &&
                  m_pGrid->GetWindow()->OpenInPlaceEditor(request);
  if (!m_bHasEditWnd) m_bEditing = FALSE;
}

void CGridCell::EndEdit() {
  if (m_bHasEditWnd && m_pGrid != nullptr && m_pGrid->GetWindow() != nullptr)
    m_pGrid->GetWindow()->EndInPlaceEditor();
}

BOOL CGridCell::Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT nChar) {
  if (m_bEditing) return TRUE;  // an editor window takes the character itself
  m_bEditing = TRUE;
  CGridCtrl* grid = m_pGrid;
  const CString current = GetText();
  auto advance = [&] {
    if (grid != nullptr) grid->OnKeyDown(VK_RIGHT);
  };
  if (nChar == 1) {
    StoreText(row, col, current);
    return TRUE;
  }
  if (nChar < 0x80) {
    if (GetState() & GVIS_WIDELEFT) {
      StoreText(row, col, current);  // a wide character is not overtyped by a single one
      if (nChar != VK_BACK) advance();
    } else if (nChar == VK_BACK) {
      StoreText(row, col, CString());
    } else {
      StoreText(row, col, CString(static_cast<char16_t>(nChar)));
      advance();
    }
    return TRUE;
  }
  const int wanted = grid != nullptr ? grid->WantedCharClass() : 0;
  const int cls = grid != nullptr && grid->GetHost() ? grid->GetHost()->GetCharClass(nChar) : 0;
  if (wanted <= 0 || cls == 0 || cls != wanted || nChar > 0xFFFF) {
    StoreText(row, col, current);
    return TRUE;
  }
  if (cls == 1) {
    if (!grid->IsValid(row, col + 1) || (grid->GetItemState(row, col + 1) & GVIS_WIDELEFT)) {
      OnEndEdit();
      return TRUE;
    }
    grid->SetItemState(row, col, grid->GetItemState(row, col) | GVIS_WIDELEFT);
    grid->SetItemState(row, col + 1, grid->GetItemState(row, col + 1) | GVIS_WIDERIGHT);
    StoreText(row, col, CString(static_cast<char16_t>(nChar)));
    grid->OnEndEditCell(row, col + 1, CString());
  } else {
    StoreText(row, col, CString(static_cast<char16_t>(nChar)));
  }
  advance();
  return TRUE;
}

// ---- CGridDefaultCell ----------------------------------------------------------

CGridDefaultCell::CGridDefaultCell() {
  m_crFgClr = CLR_DEFAULT;
  m_crBkClr = CLR_DEFAULT;
  m_nFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  // The system message font, 8 pixels high.
  LOGFONT lf;
  lf.lfHeight = -8;
  lf.lfWeight = FW_NORMAL;
  lf.lfFaceName = CString(u"Arial");
  SetFont(&lf);
}

void CGridDefaultCell::SetFont(const LOGFONT* font) {
  if (font == nullptr) return;
  m_Font.CreateFontIndirect(font);
  CGridCell::SetFont(font);
  CDC* dc =
      m_pGrid != nullptr && m_pGrid->GetWindow() != nullptr ? m_pGrid->GetWindow()->GetMeasureDC() : nullptr;
  if (dc != nullptr) {
    const int saved = dc->SaveDC();
    dc->SelectObject(&m_Font);
    m_nMargin = 2;
    const CSize size = dc->GetTextExtent(CString(u" XXXXXXXXXXXX "));
    m_Size = CSize(size.cx, size.cy * 3 / 2);
    dc->RestoreDC(saved);
  } else {
    m_nMargin = 3;
    m_Size = CSize(40, 16);
  }
}
