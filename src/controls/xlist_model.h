// The rules of the extended list control (CXListCtrl, controls/gui/xlist_ctrl.h) and
// its owner-painted header (CXHeaderCtrl, controls/gui/xheader_ctrl.h), without any
// window: the per-cell records, the check-box cells and the header check state, the
// cell colours and the geometry of a check-box cell and a header column.
//
// A column's header check state is the image index of its header item: 0 no header
// check box, 1 unchecked, 2 checked.
#pragma once

#include <array>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

// Column formats (the header item's alignment bits).
enum : int {
  LVCFMT_LEFT = 0x0,
  LVCFMT_RIGHT = 0x1,
  LVCFMT_CENTER = 0x2,
  LVCFMT_JUSTIFYMASK = 0x3,
};

// The colours the list reads from the system.
struct XListSystemColors {
  COLORREF window = RGB(255, 255, 255);
  COLORREF window_text = RGB(0, 0, 0);
  COLORREF face = RGB(240, 240, 240);
  COLORREF shadow = RGB(160, 160, 160);
  COLORREF gray_text = RGB(109, 109, 109);
  COLORREF highlight = RGB(0, 120, 215);
  COLORREF highlight_text = RGB(255, 255, 255);
};

// The attributes of one cell. Only the check state and the texts change in this
// system; the other attributes are drawn as described but stay at their defaults.
struct XListCellInfo {
  bool bEnabled = true;  // the row's first cell: the row takes clicks
  bool bBold = false;
  int nImage = -1;
  CString strToolTip;
  bool bCombo = false;
  bool bComboButtonDown = false;
  int nComboListLines = 10;
  int nComboInitialIndex = 0;
  COLORREF crText = 0;
  COLORREF crBackground = 0;
  bool bShowProgress = false;
  int nProgressPercent = 0;
  CString strProgressText;
  bool bShowProgressText = true;
  int nCheckState = -1;  // -1 no check box, 0 unchecked, 1 checked
};

constexpr const char16_t* kXListEmptyText = u"There are no items to show in this view.";

class CXListModel {
 public:
  explicit CXListModel(const XListSystemColors& colors = XListSystemColors()) : m_colors(colors) {}

  const XListSystemColors& Colors() const { return m_colors; }
  void SetColors(const XListSystemColors& colors) { m_colors = colors; }

  // Columns come before rows: a row gets one cell per column there is when it is made.
  int InsertColumn(int column, const CString& title, int format = LVCFMT_LEFT);
  int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
  CString GetColumnTitle(int column) const;
  int GetColumnFormat(int column) const;
  // -1 for a column out of range.
  int GetHeaderCheckState(int column) const;
  BOOL SetHeaderCheckState(int column, int state);

  // -1 for a negative row; a row beyond the end is appended. Returns the new row.
  int InsertItem(int row, const CString& text);
  BOOL DeleteItem(int row);
  void DeleteAllItems() { m_rows.clear(); }
  int GetItemCount() const { return static_cast<int>(m_rows.size()); }
  BOOL SetItemText(int row, int column, const CString& text);
  CString GetItemText(int row, int column) const;
  // Sets a cell's check state (-1, 0 or 1) and the column's header state; no notice.
  BOOL SetCheckbox(int row, int column, int state);
  int GetCheckbox(int row, int column) const;
  int CountCheckedRows(int column) const;
  // The cell's record; null out of range or for a column added after the row.
  const XListCellInfo* Cell(int row, int column) const;
  XListCellInfo* Cell(int row, int column);
  bool IsRowEnabled(int row) const;

  // A left click on a cell: disabled rows swallow it; a check-box cell toggles (the
  // list then notifies its parent) and updates the header state.
  struct Click {
    bool swallowed = false;
    bool toggled = false;
  };
  Click OnCellClick(int row, int column);
  // A click on a column header with a check box: the header flips, every check-box cell
  // of the column follows it. False when the column has no header check box.
  bool OnColumnClick(int column);

 private:
  struct Row {
    std::vector<XListCellInfo> cells;
    std::vector<CString> texts;
  };
  struct Column {
    CString title;
    int format = LVCFMT_LEFT;
    int check_state = 0;
  };
  bool ValidCell(int row, int column) const;
  void UpdateHeaderState(int column);

  XListSystemColors m_colors;
  std::vector<Column> m_columns;
  std::vector<Row> m_rows;
};

// The colours of a cell after the selection rules: a selected row in a full-row-select
// list shows the highlight while the list has the focus; otherwise only column 0 does
// (face colour when the selection is always shown and the list has no focus).
struct XCellColors {
  COLORREF text = 0;
  COLORREF background = 0;
  friend bool operator==(const XCellColors&, const XCellColors&) = default;
};
XCellColors GetCellColors(XCellColors given, bool selected, bool full_row_select, bool has_focus,
                          bool show_sel_always, int column, const XListSystemColors& colors);

// A check-box cell laid out in the cell rectangle: the box (after its 1-pixel shift),
// the seven 3-pixel strokes of the check mark and where the text goes.
struct XCheckBoxLayout {
  CRect box;
  std::array<CPoint, 7> strokes;
  CRect text;
};
XCheckBoxLayout LayoutCheckBoxCell(const CRect& cell, bool has_text);

// The rectangles of a header column (the column's rectangle): the content is narrowed
// by the spacing at both sides; an image (index not 0, with an image list) goes at the
// left, vertically centred, and the title is centred in what is left.
struct XHeaderColumnLayout {
  bool draw_image = false;
  CRect image;
  CRect text;
};
constexpr int kXHeaderSpacing = 6;
XHeaderColumnLayout LayoutHeaderColumn(const CRect& column, int image_index, bool has_image_list,
                                       CSize image_size);
