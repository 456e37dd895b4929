// What the grid control needs around it:
//  - CGridWindow, the window that shows it: client area, repaint requests,
//    scroll bars, a measuring context, cursor, focus, the clipboard and OLE
//    drag and drop. The Qt widget implements it; tests use a fake.
//  - CGridHost, the dialog or page that owns the grid: notifications, the
//    command posted after a click, the character class it accepts, how the
//    message-text elements over the cells are drawn and edited.
//  - CGridElement, a display element of a message-text screen lying over a
//    run of cells. Hosts derive their own elements from it.
#pragma once

#include <memory>

#include "controls/grid_types.h"

class CGridCtrl;

class CGridElement {
 public:
  CGridElement() = default;
  virtual ~CGridElement() = default;
  CGridElement(const CGridElement&) = default;
  CGridElement& operator=(const CGridElement&) = default;

  // A copy of the element (of the host's class).
  virtual std::unique_ptr<CGridElement> Clone() const { return std::make_unique<CGridElement>(*this); }
  // Display lines the element covers: 4 for a graph, 3 for a scope or pointer, else 1.
  int GetLineCount() const;
  BOOL HitTest(CPoint pt) const { return m_rect.PtInRect(pt); }
  // The last column the element covers.
  int GetLastCol() const { return m_nCol + m_nWidth - 1; }
  // Whether the element covers the cell (row, col).
  bool Covers(int row, int col) const {
    return row >= m_nRow && row < m_nRow + GetLineCount() && col >= m_nCol && col <= GetLastCol();
  }

  // Element kinds (0 and above a block parameter).
  static constexpr int kBarGraph = -99;
  static constexpr int kScaleTime = -100;
  static constexpr int kIOStatus = -101;
  static constexpr int kScope = -102;
  static constexpr int kPointer = -103;
  static constexpr int kGraph = -104;

  CRect m_rect;          // grid client pixels of the cell range
  COLORREF m_color = 0;  // background colour
  int m_nRow = -1;       // display line 1..4
  int m_nCol = -1;       // first character column
  int m_nKind = 0;
  int m_nWidth = 1;  // width in character cells
  BOOL m_bSelected = FALSE;
};

class CGridWindow {
 public:
  virtual ~CGridWindow() = default;

  // The client area (left and top 0).
  virtual CRect GetClientRect() const = 0;
  // A repaint of rect (client pixels), or of the whole client area.
  virtual void Invalidate(const CRect* rect = nullptr) = 0;
  // A context for measuring text in the window's resolution; null when none.
  virtual CDC* GetMeasureDC() = 0;
  // A context that paints on the window at once (RedrawCell); null: invalidate instead.
  virtual CDC* GetPaintDC() { return nullptr; }
  virtual void ReleasePaintDC(CDC* dc) {}

  // Scroll bars: visibility, range (0 .. max) with page, position.
  virtual void ShowScrollBar(int bar, bool show) = 0;
  virtual void SetScrollRange(int bar, int max, int page) = 0;
  virtual int GetScrollPos(int bar) const = 0;
  virtual void SetScrollPos(int bar, int pos) = 0;
  // The width of a vertical bar (the height of a horizontal one).
  virtual int GetScrollBarSize() const { return 17; }

  virtual void SetCursor(GridCursor cursor) {}
  virtual void SetFocus() {}
  virtual void SetCapture(bool capture) {}
  virtual bool HasCapture() const { return false; }
  // Starts or stops the auto-scroll timer of a mouse selection.
  virtual void SetTimer(bool run, int intervalMs) {}
  // The cursor in client coordinates; false when it cannot be read.
  virtual bool GetCursorPos(CPoint* pt) const { return false; }
  // An XOR line across the client area (a divider being dragged).
  virtual void InvertTrackLine(bool vertical, int pos) {}
  // The XOR outline of an element being dragged.
  virtual void DrawDragOutline(const CRect& rect) {}

  virtual void SetClipboard(const CGridDataObject& data) = 0;
  virtual CGridDataObject GetClipboard() const = 0;
  // Runs an OLE drag of data; returns the drop effect.
  virtual int DoDragDrop(const CGridDataObject& data, int allowedEffects) = 0;
  // Moves the dialog focus on (Tab leaving the grid).
  virtual void NextDialogControl() {}
  // Opens an in-place editor window over a cell (the cell kinds); false when
  // the window has none to offer.
  virtual bool OpenInPlaceEditor(const GridEditorRequest& request) { return false; }
  // Ends the open in-place editor, which reports its text through
  // CGridCtrl::OnEndInPlaceEdit.
  virtual void EndInPlaceEditor() {}
  // Opens a link (a link cell's text) with the desktop's handler.
  virtual void OpenUrl(const CString& url) {}
};

class CGridHost {
 public:
  virtual ~CGridHost() = default;

  // WM_NOTIFY from the grid; the reply (negative refuses where the code allows).
  virtual LRESULT OnGridNotify(CGridCtrl* grid, int code, int row, int col) { return 0; }
  // LVN_ODCACHEHINT in virtual mode.
  virtual void OnGridCacheHint(CGridCtrl* grid, const CGridCellSpan& span) {}
  // LVN_GETDISPINFOW: fills info->item; TRUE when answered.
  virtual LRESULT OnGridDispInfo(CGridCtrl* grid, GridDispInfo* info) { return 0; }
  // The WM_COMMAND posted after every left-button release over a cell.
  virtual void OnGridCommand(CGridCtrl* grid) {}

  // Typing rules for characters from 0x80: the class the host accepts (1 a
  // double-width CJK character, 2 an accented letter that takes one cell;
  // 0 none: everything from 0x80 is refused) and the class of a character.
  virtual int GetWantedCharClass(CGridCtrl* grid) { return 0; }
  virtual int GetCharClass(UINT ch) { return 0; }

  // Whether the grid draws the elements of its lists (the I/O status monitor does not).
  virtual bool DrawsElements(CGridCtrl* grid) { return true; }
  // Draws one element (its picture, and a red frame when selected).
  virtual void DrawElement(CGridCtrl* grid, CDC* dc, const CGridElement& element, bool selected);
  // Whether the Delete key is ignored entirely (the read-only display preview).
  virtual bool IgnoresDeleteKey(CGridCtrl* grid) { return false; }

  // A double click on the selected element in an editor page: run its dialog.
  // Returns the new width to place (bar graphs) or -1, and the last column the
  // placement check tests; false when no dialog ran (or it was cancelled).
  struct ElementEdit {
    int lastCol = -1;   // the column the placement check tests
    int newWidth = -1;  // a bar graph's new width, -1 unchanged
  };
  virtual bool EditElement(CGridCtrl* grid, CGridElement* element, ElementEdit* edit) { return false; }
  // The number of the message-text block being edited (its OperandNumber).
  virtual int GetEditedBlockNumber(CGridCtrl* grid) { return 9000; }
  // Value mode: whether the element's value may be edited while the program runs.
  virtual bool CanEditElementValue(CGridCtrl* grid, const CGridElement* element) { return false; }
  // Opens or closes the floating element value editor.
  virtual void OpenElementEditor(CGridCtrl* grid, CGridElement* element) {}
  virtual void CloseElementEditor(CGridCtrl* grid, bool apply) {}
};
