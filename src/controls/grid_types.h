// The records, codes and constants the grid control shares with its cells,
// its window and its hosts: cell state bits, cell positions and ranges, the
// item record, notification codes, mouse modes, keys and drop effects.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/cdc.h"
#include "platform/cstring.h"
#include "platform/resource_ids.h"
#include "platform/types.h"
#include "platform/virtual_keys.h"

using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// GridCellState bits.
constexpr DWORD GVIS_FOCUSED = 0x001;
constexpr DWORD GVIS_SELECTED = 0x002;
constexpr DWORD GVIS_DROPHILITED = 0x004;
constexpr DWORD GVIS_READONLY = 0x008;
constexpr DWORD GVIS_FIXED = 0x010;
constexpr DWORD GVIS_FIXEDROW = 0x020;
constexpr DWORD GVIS_FIXEDCOL = 0x040;
constexpr DWORD GVIS_MODIFIED = 0x080;
constexpr DWORD GVIS_WIDELEFT = 0x100;   // left half of a double-width character: holds it
constexpr DWORD GVIS_WIDERIGHT = 0x200;  // right half: empty text

// The default-colour marker of cells.
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// GridItem mask bits.
constexpr UINT GVIF_TEXT = 0x001;
constexpr UINT GVIF_IMAGE = 0x002;
constexpr UINT GVIF_PARAM = 0x004;
constexpr UINT GVIF_STATE = 0x008;
constexpr UINT GVIF_BKCLR = 0x010;
constexpr UINT GVIF_FGCLR = 0x020;
constexpr UINT GVIF_FORMAT = 0x040;
constexpr UINT GVIF_FONT = 0x080;
constexpr UINT GVIF_MARGIN = 0x100;
constexpr UINT GVIF_ALL = 0x1FF;

// Grid lines.
constexpr int GVL_NONE = 0;
constexpr int GVL_HORZ = 1;
constexpr int GVL_VERT = 2;
constexpr int GVL_BOTH = 3;

// Auto-size styles.
constexpr UINT GVS_DEFAULT = 0;
constexpr UINT GVS_HEADER = 1;
constexpr UINT GVS_DATA = 2;
constexpr UINT GVS_BOTH = 3;

// Notification codes sent to the grid's host.
constexpr int NM_CLICK = -2;
constexpr int LVN_ITEMCHANGING = -100;
constexpr int LVN_ITEMCHANGED = -101;
constexpr int LVN_BEGINDRAG = -109;
constexpr int LVN_ODCACHEHINT = -113;
constexpr int LVN_BEGINLABELEDITW = -175;
constexpr int LVN_ENDLABELEDITW = -176;
constexpr int LVN_GETDISPINFOW = -177;

// The control id of grids placed in dialog templates, and of in-place editors.
constexpr UINT IDC_GRID = 1123;
constexpr UINT IDC_INPLACE_EDIT = 8;

// Drop effects.
constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;

// Scroll bars and scroll codes.
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_BOTH = 3;
constexpr int SB_LINEUP = 0;
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_LEFT = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;

// Cursors the grid asks its window for.
enum class GridCursor { kArrow, kSizeWE, kSizeNS, kWait, kHand };

// System colours the grid paints with.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DHIGHLIGHT = 20;
// The colour of a system colour index (the classic light scheme).
COLORREF GridSysColor(int index);

// GridMouseMode.
enum GridMouseMode {
  MOUSE_NOTHING = 0,
  MOUSE_SELECT_ALL = 1,
  MOUSE_SELECT_COL = 2,
  MOUSE_SELECT_ROW = 3,
  MOUSE_SELECT_CELLS = 4,
  MOUSE_OVER_ROW_DIVIDE = 6,
  MOUSE_SIZING_ROW = 7,
  MOUSE_OVER_COL_DIVIDE = 8,
  MOUSE_SIZING_COL = 9,
  MOUSE_PREPARE_DRAG = 11,
  MOUSE_DRAGGING = 12,
};

// A cell position; (-1, -1) is none.
struct CGridCellPos {
  int row = -1;
  int col = -1;
  constexpr CGridCellPos() = default;
  constexpr CGridCellPos(int r, int c) : row(r), col(c) {}
  friend constexpr bool operator==(const CGridCellPos&, const CGridCellPos&) = default;
  constexpr bool IsValid() const { return row >= 0 && col >= 0; }
};

// A range of cells, inclusive at both ends; -1 is unset.
struct CGridCellSpan {
  int minRow = -1;
  int minCol = -1;
  int maxRow = -1;
  int maxCol = -1;
  constexpr CGridCellSpan() = default;
  constexpr CGridCellSpan(int r0, int c0, int r1, int c1) : minRow(r0), minCol(c0), maxRow(r1), maxCol(c1) {}
  friend constexpr bool operator==(const CGridCellSpan&, const CGridCellSpan&) = default;
  constexpr bool IsValid() const {
    return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && maxRow >= minRow && maxCol >= minCol;
  }
  constexpr bool InRange(int r, int c) const {
    return r >= minRow && r <= maxRow && c >= minCol && c <= maxCol;
  }
  constexpr CGridCellPos GetTopLeft() const { return {minRow, minCol}; }
  constexpr int GetRowSpan() const { return maxRow - minRow + 1; }
  constexpr int GetColSpan() const { return maxCol - minCol + 1; }
};

// The attributes of one cell exchanged with hosts.
struct GridItem {
  int row = 0;
  int col = 0;
  UINT mask = 0;
  DWORD nState = 0;
  DWORD nFormat = 0;
  int iImage = -1;
  COLORREF crBkClr = CLR_DEFAULT;
  COLORREF crFgClr = CLR_DEFAULT;
  LPARAM lParam = 0;
  LOGFONT lfFont;
  UINT nMargin = 0;
  CString strText;
};

// The record of LVN_GETDISPINFOW and of the virtual-mode callback.
struct GridDispInfo {
  GridItem item;
};

// Returns TRUE when it filled the item; lParam is the grid's m_lParam.
using GridCallback = BOOL (*)(GridDispInfo* info, LPARAM lParam);

// Row comparison of a sort: negative, 0 or positive as wcscmp. The LPARAMs are
// the two CGridCellBase pointers and the caller's data.
using PFNLVCOMPARE = int (*)(LPARAM cell1, LPARAM cell2, LPARAM data);
// "Less than" on physical row numbers, for virtual-mode sorting.
using PFNVIRTUALCOMPARE = bool (*)(int row1, int row2);

// The data a drag or the clipboard carries: Unicode text and the element
// record of the "Widget" format, each optional.
struct CGridDataObject {
  std::optional<std::u16string> text;       // CF_UNICODETEXT, as many units as the block holds
  std::optional<std::vector<BYTE>> widget;  // the "Widget" record
  bool HasText() const { return text.has_value(); }
  bool HasWidget() const { return widget.has_value(); }
};

// The 20-byte "Widget" record of an element drag. Bytes 0 to 7 name the grid
// the drag started from, so that an element is dropped only where it came from.
struct WidgetDragData {
  std::uint64_t sourceGrid = 0;
  int offsetX = 0;  // press point minus the element's left
  int offsetY = 0;  // press point minus the element's top
  COLORREF color = 0;

  static constexpr size_t kSize = 20;
  std::vector<BYTE> Pack() const;
  // Fails (nullopt) unless the block holds at least the 20 bytes.
  static std::optional<WidgetDragData> Unpack(const std::vector<BYTE>& bytes);
};

// An in-place editor that a cell kind asks its grid's window for.
struct GridEditorRequest {
  enum class Kind { kNumeric, kCombo, kDateTime };
  Kind kind = Kind::kNumeric;
  int row = 0;
  int col = 0;
  CRect rect;                  // the cell rectangle (client pixels)
  CString text;                // initial text
  UINT startKey = 0;           // the key that started the edit (VK_LBUTTON: the mouse)
  std::vector<CString> items;  // combo items
  DWORD style = 0;             // combo or picker style
  std::int64_t time = 0;       // date-time: seconds since 1970
};
