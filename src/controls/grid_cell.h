// The cells of the grid control: the abstract CGridCellBase, the plain
// CGridCell (the cell the grid creates) and CGridDefaultCell, which holds the
// attributes a cell takes where it has none of its own.
//
// On a message-text screen each cell is one character of a display line; a
// double-width character lies in two cells, the left one (GVIS_WIDELEFT)
// holding it and the right one (GVIS_WIDERIGHT) empty.
#pragma once

#include <memory>

#include "controls/grid_types.h"
#include "platform/object.h"

class CGridCtrl;
class CGridDefaultCell;

class CGridCellBase : public CObject {
  DECLARE_DYNAMIC(CGridCellBase)

 public:
  CGridCellBase() = default;
  ~CGridCellBase() override = default;
  CGridCellBase(const CGridCellBase&) = delete;

  // Copies grid, text, image, data, state, format, colours, font and margin.
  CGridCellBase& operator=(const CGridCellBase& cell);

  virtual void SetText(const CString& text) = 0;
  virtual void SetImage(int image) = 0;
  virtual void SetData(LPARAM data) = 0;
  virtual void SetState(DWORD state) { m_nState = state; }
  virtual void SetFormat(DWORD format) = 0;
  virtual void SetTextClr(COLORREF color) = 0;
  virtual void SetBackClr(COLORREF color) = 0;
  virtual void SetFont(const LOGFONT* font) = 0;
  virtual void SetMargin(UINT margin) = 0;
  virtual void SetGrid(CGridCtrl* grid) = 0;
  virtual void SetCoords(int row, int col) {}

  virtual CString GetText() const = 0;
  virtual CString GetTipText() const { return GetText(); }
  virtual int GetImage() const = 0;
  virtual LPARAM GetData() const = 0;
  virtual DWORD GetState() const { return m_nState; }
  virtual DWORD GetFormat() const = 0;
  virtual COLORREF GetTextClr() const = 0;
  virtual COLORREF GetBackClr() const = 0;
  virtual const LOGFONT* GetFont() const = 0;
  virtual const CFont* GetFontObject() const = 0;
  virtual CGridCtrl* GetGrid() const = 0;
  virtual UINT GetMargin() const = 0;
  virtual CGridDefaultCell* GetDefaultCell() const;
  virtual BOOL IsDefaultFont() const = 0;
  virtual BOOL IsEditing() const = 0;

  BOOL IsFocused() const { return (GetState() & GVIS_FOCUSED) != 0; }
  BOOL IsFixed() const { return (GetState() & GVIS_FIXED) != 0; }
  BOOL IsFixedCol() const { return (GetState() & GVIS_FIXEDCOL) != 0; }
  BOOL IsFixedRow() const { return (GetState() & GVIS_FIXEDROW) != 0; }
  BOOL IsSelected() const { return (GetState() & GVIS_SELECTED) != 0; }
  BOOL IsReadOnly() const { return (GetState() & GVIS_READONLY) != 0; }
  BOOL IsModified() const { return (GetState() & GVIS_MODIFIED) != 0; }
  BOOL IsDropHighlighted() const { return (GetState() & GVIS_DROPHILITED) != 0; }

  virtual void Reset() = 0;
  // Paints the cell into rect (its inclusive rectangle); FALSE when it could not.
  virtual BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd = TRUE);
  virtual BOOL GetTextRect(CRect* rect);
  virtual BOOL GetTipTextRect(CRect* rect) { return GetTextRect(rect); }
  virtual CSize GetTextExtent(const CString& text, CDC* dc = nullptr);
  virtual CSize GetCellExtent(CDC* dc);
  // Types one character (nChar; 1 = started by the mouse, 8 = Backspace).
  virtual BOOL Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT nChar) { return FALSE; }
  virtual BOOL ValidateEdit(const CString& text) { return TRUE; }
  virtual void EndEdit() {}
  virtual BOOL PrintCell(CDC* dc, int row, int col, CRect rect);
  virtual void OnEndEdit() {}
  virtual void OnMouseEnter() {}
  virtual void OnMouseOver() {}
  virtual void OnMouseLeave() {}
  virtual void OnClick(CPoint point) {}
  virtual void OnClickDown(CPoint point) {}
  virtual void OnRClick(CPoint point) {}
  virtual void OnDblClick(CPoint point) {}
  // The cursor over the cell; TRUE when the cell chose one.
  virtual BOOL OnSetCursor(GridCursor* cursor) {
    *cursor = GridCursor::kArrow;
    return TRUE;
  }
  // Whether an in-place editor window is open for the cell.
  virtual bool HasEditWnd() const { return false; }

 protected:
  DWORD m_nState = 0;
};

class CGridCell : public CGridCellBase {
  DECLARE_DYNCREATE(CGridCell)

 public:
  CGridCell();
  ~CGridCell() override;

  CGridCell& operator=(const CGridCellBase& cell) {
    CGridCellBase::operator=(cell);
    return *this;
  }

  void SetText(const CString& text) override { m_strText = text; }
  void SetImage(int image) override { m_nImage = image; }
  void SetData(LPARAM data) override { m_lParam = data; }
  void SetFormat(DWORD format) override { m_nFormat = format; }
  void SetTextClr(COLORREF color) override { m_crFgClr = color; }
  void SetBackClr(COLORREF color) override { m_crBkClr = color; }
  void SetFont(const LOGFONT* font) override;
  void SetMargin(UINT margin) override { m_nMargin = margin; }
  void SetGrid(CGridCtrl* grid) override { m_pGrid = grid; }

  CString GetText() const override { return m_strText; }
  int GetImage() const override { return m_nImage; }
  LPARAM GetData() const override { return m_lParam; }
  DWORD GetFormat() const override;
  COLORREF GetTextClr() const override { return m_crFgClr; }
  COLORREF GetBackClr() const override { return m_crBkClr; }
  const LOGFONT* GetFont() const override;
  const CFont* GetFontObject() const override;
  CGridCtrl* GetGrid() const override { return m_pGrid; }
  UINT GetMargin() const override;
  BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
  BOOL IsEditing() const override { return m_bEditing; }

  void Reset() override;
  BOOL Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT nChar) override;
  void EndEdit() override;
  void OnEndEdit() override {
    m_bEditing = FALSE;
    m_bHasEditWnd = false;
  }
  bool HasEditWnd() const override { return m_bHasEditWnd; }

 protected:
  // Stores a text through the grid's end-of-edit path.
  void StoreText(int row, int col, const CString& text);
  // Opens an in-place editor window through the grid's window (the cell kinds).
  void OpenEditor(const GridEditorRequest& request);

  CString m_strText;
  LPARAM m_lParam = 0;
  int m_nImage = -1;
  DWORD m_nFormat = static_cast<DWORD>(-1);
  COLORREF m_crFgClr = CLR_DEFAULT;
  COLORREF m_crBkClr = CLR_DEFAULT;
  std::unique_ptr<LOGFONT> m_plfFont;
  UINT m_nMargin = static_cast<UINT>(-1);
  BOOL m_bEditing = FALSE;
  CGridCtrl* m_pGrid = nullptr;
  bool m_bHasEditWnd = false;  // an in-place editor window is open (the cell kinds)
};

class CGridDefaultCell : public CGridCell {
  DECLARE_DYNCREATE(CGridDefaultCell)

 public:
  CGridDefaultCell();

  void SetData(LPARAM) override {}
  void SetState(DWORD) override {}
  void SetCoords(int, int) override {}
  DWORD GetState() const override { return m_nState | GVIS_READONLY; }
  // Takes the font and measures the margin and the default size with it.
  void SetFont(const LOGFONT* font) override;
  const LOGFONT* GetFont() const override { return m_plfFont.get(); }
  const CFont* GetFontObject() const override { return &m_Font; }

  DWORD GetStyle() const { return m_dwStyle; }
  void SetStyle(DWORD style) { m_dwStyle = style; }
  int GetWidth() const { return m_Size.cx; }
  int GetHeight() const { return m_Size.cy; }
  void SetWidth(int width) { m_Size.cx = width; }
  void SetHeight(int height) { m_Size.cy = height; }

 private:
  CSize m_Size{30, 10};
  CFont m_Font;
  DWORD m_dwStyle = 0;
};
