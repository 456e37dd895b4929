// Further kinds of grid cells a host can install with CGridCtrl::SetCellType:
// a check box, digits only, a drop-down list, a date and time, and a link.
// The numeric, list and date-time kinds edit in an in-place editor window
// that the grid's window opens over the cell; the editor reports its text
// back through CGridCtrl::OnEndInPlaceEdit.
#pragma once

#include <vector>

#include "controls/grid_cell.h"

class CGridCellCheck : public CGridCell {
  DECLARE_DYNCREATE(CGridCellCheck)

 public:
  BOOL GetCheck() const { return m_bChecked; }
  void SetCheck(BOOL checked = TRUE);

  BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd = TRUE) override;
  BOOL GetTextRect(CRect* rect) override;
  CSize GetCellExtent(CDC* dc) override;
  void OnClick(CPoint pointInCell) override;

  // The check box in a cell rectangle.
  CRect CheckBoxRect(const CRect& cell) const;

 private:
  BOOL m_bChecked = FALSE;
  CRect m_rect;  // last drawn cell rectangle
};

class CGridCellNumeric : public CGridCell {
  DECLARE_DYNCREATE(CGridCellNumeric)

 public:
  BOOL Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT nChar) override;
};

class CGridCellCombo : public CGridCell {
  DECLARE_DYNCREATE(CGridCellCombo)

 public:
  static constexpr DWORD CBS_DROPDOWN = 2;
  static constexpr DWORD CBS_DROPDOWNLIST = 3;

  void SetOptions(const std::vector<CString>& items) { m_Strings = items; }
  const std::vector<CString>& GetOptions() const { return m_Strings; }
  void SetStyle(DWORD style) { m_dwStyle = style; }
  DWORD GetStyle() const { return m_dwStyle; }

  BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd = TRUE) override;
  CSize GetCellExtent(CDC* dc) override;
  BOOL Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT nChar) override;

 private:
  std::vector<CString> m_Strings;
  DWORD m_dwStyle = CBS_DROPDOWN;
};

class CGridCellDateTime : public CGridCell {
  DECLARE_DYNCREATE(CGridCellDateTime)

 public:
  CGridCellDateTime();
  // Seconds since 1970.
  std::int64_t GetTime() const { return m_time; }
  void SetTime(std::int64_t time) { m_time = time; }
  void SetStyle(DWORD style) { m_dwStyle = style; }

  CSize GetCellExtent(CDC* dc) override;
  BOOL Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT nChar) override;

 private:
  std::int64_t m_time = 0;
  DWORD m_dwStyle = 0;
};

class CGridURLCell : public CGridCell {
  DECLARE_DYNCREATE(CGridURLCell)

 public:
  CGridURLCell();
  void SetLinkColour(COLORREF color) { m_clrUrl = color; }
  void SetAutoLaunch(BOOL launch) { m_bLaunchUrl = launch; }
  // Whether the text starts a link ("www.", "http:", "mailto:", ...).
  bool HasUrl() const;

  BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd = TRUE) override;
  BOOL Edit(int, int, CRect, CPoint, UINT, UINT) override { return FALSE; }
  void OnClick(CPoint pointInCell) override;
  BOOL OnSetCursor(GridCursor* cursor) override;

 private:
  bool OverUrl(CPoint pointInCell) const;

  COLORREF m_clrUrl;
  BOOL m_bLaunchUrl = TRUE;
  CRect m_rect;
  CPoint m_lastMouse{-1, -1};
};
