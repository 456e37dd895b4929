// CGridCtrl: a grid of rows and columns of cells, with fixed heading rows at
// the top and fixed heading columns at the left that never scroll.
//
// The grid is the character-cell screen editor of the message-text pages
// (row 0 a heading, each further row one display line, each cell one
// character, display elements drawn over the cells), and the value tables of
// the I/O status monitor and the I/O-name picker.
//
// Everything the grid decides lives here, without a window system: cells and
// their order, sizes, geometry and scrolling, painting through a CDC,
// keyboard, mouse, selection, clipboard text, drag and drop, sorting,
// printing and editing. The window that shows it (CGridWindow) and the host
// that owns it (CGridHost) are interfaces; CGridWidget is the Qt window.
//
// Hosts configure the grid by writing its public members (editable, drag and
// drop, auto-size style, virtual mode callback, value mode, column reorder,
// row moves) and calling its setters.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "controls/grid_cell.h"
#include "controls/grid_host.h"
#include "controls/grid_types.h"

struct CPrintInfo;

class CGridCtrl {
 public:
  CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
  virtual ~CGridCtrl();
  CGridCtrl(const CGridCtrl&) = delete;
  CGridCtrl& operator=(const CGridCtrl&) = delete;

  // ---- Window and host -------------------------------------------------------
  // Attaches the window that shows the grid (null detaches); the grid then
  // takes the default cell's font as its window font, as a grid created from
  // a dialog template does.
  void AttachWindow(CGridWindow* window);
  CGridWindow* GetWindow() const { return m_pWindow; }
  void SetHost(CGridHost* host) { m_pHost = host; }
  CGridHost* GetHost() const { return m_pHost; }
  UINT GetDlgCtrlID() const { return m_nID; }
  void SetDlgCtrlID(UINT id) { m_nID = id; }
  // An id of this grid unique in the process, carried by element drags.
  std::uint64_t GetInstanceId() const { return m_nInstanceId; }
  // The key modifiers (MK_SHIFT, MK_CONTROL) held now; the window keeps them current.
  void SetKeyModifiers(UINT mk) { m_nKeyModifiers = mk; }
  UINT GetKeyModifiers() const { return m_nKeyModifiers; }

  // ---- Structure (rows, columns, cells) --------------------------------------
  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  int GetFixedRowCount() const { return m_nFixedRows; }
  int GetFixedColumnCount() const { return m_nFixedCols; }
  BOOL SetRowCount(int rows);
  BOOL SetColumnCount(int cols);
  BOOL SetFixedRowCount(int fixedRows);
  BOOL SetFixedColumnCount(int fixedCols);
  BOOL DeleteAllItems();

  BOOL IsValid(int row, int col) const { return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols; }
  BOOL IsValid(const CGridCellPos& cell) const { return IsValid(cell.row, cell.col); }
  BOOL IsValid(const CGridCellSpan& span) const {
    return span.IsValid() && span.maxRow < m_nRows && span.maxCol < m_nCols;
  }

  CGridCellBase* GetCell(int row, int col) const;
  CGridDefaultCell* GetDefaultCell(BOOL fixedRow, BOOL fixedCol) const;
  BOOL SetCellType(int row, int col, const CRuntimeClass* cls);
  BOOL SetCell(int row, int col, CGridCellBase* cell);  // takes ownership

  BOOL SetItem(const GridItem* item);
  BOOL SetItemText(int row, int col, const CString& text);
  CString GetItemText(int row, int col) const;
  BOOL SetItemData(int row, int col, LPARAM data);
  LPARAM GetItemData(int row, int col) const;
  BOOL SetItemState(int row, int col, UINT state);
  UINT GetItemState(int row, int col) const;
  BOOL SetItemFormat(int row, int col, UINT format);
  BOOL SetItemBkColour(int row, int col, COLORREF color = CLR_DEFAULT);
  BOOL SetItemFgColour(int row, int col, COLORREF color = CLR_DEFAULT);
  BOOL SetItemFont(int row, int col, const LOGFONT* font);
  BOOL IsItemEditing(int row, int col) const;
  BOOL IsCellEditable(int row, int col) const;
  BOOL IsCellEditable(const CGridCellPos& cell) const { return IsCellEditable(cell.row, cell.col); }
  BOOL IsCellSelected(int row, int col) const;
  BOOL IsCellSelected(const CGridCellPos& cell) const { return IsCellSelected(cell.row, cell.col); }
  BOOL IsCellFixed(int row, int col) const { return row < m_nFixedRows || col < m_nFixedCols; }

  void SetGridLines(int lines);
  int GetGridLines() const { return m_nGridLines; }
  void SetSortColumn(int col);
  int GetSortColumn() const { return m_nSortColumn; }
  BOOL GetSortAscending() const { return m_bAscending; }
  void SetModified(BOOL modified = TRUE, int row = -1, int col = -1);
  BOOL GetModified(int row = -1, int col = -1) const;

  // Virtual mode and the displayed-to-physical order of rows and columns.
  void SetVirtualMode(BOOL virtualMode);
  BOOL GetVirtualMode() const { return m_bVirtualMode; }
  void ResetVirtualOrder();
  void MoveRowOrder(int from, int to);
  virtual void ShiftRowOrder(int row, int shift);
  const std::vector<int>& GetRowOrder() const { return m_arRowOrder; }
  const std::vector<int>& GetColumnOrder() const { return m_arColOrder; }

  // ---- Sizes (row heights, column widths, auto-size) -------------------------
  int GetRowHeight(int row) const;
  int GetColumnWidth(int col) const;
  BOOL SetRowHeight(int row, int height);
  BOOL SetColumnWidth(int col, int width);
  int GetFixedRowHeight() const;
  int GetFixedColumnWidth() const;
  long GetVirtualHeight() const;
  long GetVirtualWidth() const;
  BOOL AutoSizeColumn(int col, UINT style = GVS_DEFAULT, BOOL resetScroll = TRUE);
  void AutoSizeColumns(UINT style = GVS_DEFAULT);
  void AutoSize(UINT style = GVS_DEFAULT);
  void ExpandColumnsToFit(BOOL expandFixed = TRUE);
  void ExpandRowsToFit(BOOL expandFixed = TRUE);
  void ExpandToFit(BOOL expandFixed = TRUE);

  // ---- Geometry and scrolling ------------------------------------------------
  CGridCellPos GetTopleftNonFixedCell(BOOL forceRecalc = FALSE);
  CGridCellPos GetCellFromPoint(CPoint point, BOOL allowFixedCellCheck = TRUE);
  CGridCellSpan GetVisibleNonFixedCellRange(CRect* rect = nullptr, BOOL forceRecalc = FALSE);
  CGridCellSpan GetVisibleFixedCellRange(CRect* rect = nullptr, BOOL forceRecalc = FALSE);
  BOOL GetCellOrigin(int row, int col, CPoint* origin);
  BOOL GetCellRect(int row, int col, CRect* rect);
  BOOL GetCellRect(const CGridCellPos& cell, CRect* rect) { return GetCellRect(cell.row, cell.col, rect); }
  BOOL GetCellRangeRect(const CGridCellSpan& span, CRect* rect);
  CPoint GetPointInCell(int row, int col, CPoint point);
  BOOL IsCellVisible(int row, int col);
  BOOL IsCellVisible(const CGridCellPos& cell) { return IsCellVisible(cell.row, cell.col); }
  void EnsureVisible(int row, int col);
  BOOL InvalidateCellRect(int row, int col);
  void Refresh();
  void ResetScrollBars();
  void EnableScrollBars(int bar, BOOL enable = TRUE);
  int GetScrollPos32(int bar) const;
  BOOL SetScrollPos32(int bar, int pos);
  // WM_SETFONT: the cells take the font as 24 x 8 pixel "Arial".
  void SetFont(const LOGFONT& font);
  const CFont* GetFont() const;
  // The cursor for a point in the client area.
  GridCursor GetCursorAt(CPoint point);

  // ---- Painting --------------------------------------------------------------
  virtual void OnDraw(CDC* dc);
  void EraseBkgnd(CDC* dc);
  BOOL RedrawCell(int row, int col, CDC* dc = nullptr);
  BOOL RedrawCell(const CGridCellPos& cell, CDC* dc = nullptr) { return RedrawCell(cell.row, cell.col, dc); }

  // ---- Keyboard and focus ----------------------------------------------------
  CGridCellPos SetFocusCell(int row, int col);
  CGridCellPos SetFocusCell(const CGridCellPos& cell) { return SetFocusCell(cell.row, cell.col); }
  CGridCellPos GetFocusCell() const { return m_idCurrentCell; }
  // Key and character messages; mk: the modifiers (MK_SHIFT, MK_CONTROL).
  void OnKeyDown(UINT nChar);
  void OnKeyUp(UINT nChar) {}
  void OnChar(UINT nChar);
  void OnImeChar(UINT nChar);
  void OnHScroll(int code);
  void OnVScroll(int code);
  // Both of the above: bar SB_HORZ or SB_VERT.
  void Scroll(int bar, int code);
  void OnSize();
  void OnCaptureChanged();
  void OnTimer();
  // Whether the grid keeps Tab for itself (DLGC_WANTTAB).
  bool WantsTab() const { return m_bHandleTabKey && !(m_nKeyModifiers & MK_CONTROL) && !m_bQuitFocusOnTab; }
  // The end of an in-place editor: stores the text and handles the key that ended it.
  void OnEndInPlaceEdit(int row, int col, const CString& text, UINT lastKey);

  // ---- Selection, clipboard, drag and drop ----------------------------------
  void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint = FALSE,
                        BOOL selectCells = TRUE);
  void SetSelectedRange(const CGridCellSpan& span, BOOL forceRepaint = FALSE, BOOL selectCells = TRUE) {
    SetSelectedRange(span.minRow, span.minCol, span.maxRow, span.maxCol, forceRepaint, selectCells);
  }
  CGridCellSpan GetSelectedCellRange() const;
  void ResetSelectedRange();
  void SelectAllCells();
  void SelectColumns(CGridCellPos cell, BOOL forceRedraw = FALSE, BOOL select = TRUE);
  void SelectRows(CGridCellPos cell, BOOL forceRedraw = FALSE, BOOL select = TRUE);
  void SelectCells(CGridCellPos cell, BOOL forceRedraw = FALSE, BOOL select = TRUE);
  void OnSelecting(const CGridCellPos& cell);
  void SetItemTextNotify(int row, int col, const CString& text);
  size_t GetSelectedCount() const { return m_SelectedCellMap.size(); }

  virtual void CutSelectedText();
  // The selected cells as text (tabs between cells, CR LF between rows, a
  // terminating zero); nullopt when nothing can be copied.
  virtual std::optional<CGridDataObject> CopyTextFromGrid();
  virtual BOOL PasteTextToGrid(CGridCellPos cell, const CGridDataObject& data, BOOL selectPasted = TRUE);
  virtual void OnBeginDrag(CPoint point);
  virtual int OnDragEnter(const CGridDataObject& data, UINT keyState, CPoint point);
  virtual int OnDragOver(const CGridDataObject& data, UINT keyState, CPoint point);
  virtual void OnDragLeave();
  virtual BOOL OnDrop(const CGridDataObject& data, int dropEffect, CPoint point);
  virtual void OnEditCut();
  virtual void OnEditCopy();
  virtual void OnEditPaste();
  virtual void OnEditSelectAll();
  // Command states of Copy, Cut, Paste and Select All.
  bool CanEditCopy() const;
  bool CanEditCut() const;
  bool CanEditPaste() const;
  bool CanEditSelectAll() const { return m_bEnableSelection; }
  // The four edit commands by id; false for other ids.
  bool OnCommand(UINT id);

  // ---- Mouse -----------------------------------------------------------------
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnMouseWheel(UINT flags, int zDelta, CPoint point);
  virtual void OnFixedRowClick(CGridCellPos& cell);
  virtual void OnFixedColumnClick(CGridCellPos& cell);
  BOOL MouseOverRowResizeArea(CPoint point);
  BOOL MouseOverColumnResizeArea(CPoint point);
  void ExtendSelectionOverWideChars(CGridCellPos& cell);
  GridMouseMode GetMouseMode() const { return m_MouseMode; }

  // ---- Sorting ---------------------------------------------------------------
  void SetCompareFunction(PFNLVCOMPARE compare) { m_pfnCompare = compare; }
  BOOL SortItems(int col, BOOL ascending, LPARAM data = 0);
  BOOL SortItems(PFNLVCOMPARE compare, int col, BOOL ascending, LPARAM data = 0);
  BOOL SortItems(PFNLVCOMPARE compare, int col, BOOL ascending, LPARAM data, int low, int high);
  static int pfnCellTextCompare(LPARAM cell1, LPARAM cell2, LPARAM data);
  static int pfnCellNumericCompare(LPARAM cell1, LPARAM cell2, LPARAM data);

  // ---- Printing --------------------------------------------------------------
  void SetPrintMarginInfo(int header, int footer, int left, int right, int top, int bottom, int gap);
  virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
  virtual void OnPrint(CDC* dc, CPrintInfo* info);
  virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
  // Prints pages 1 .. the page count on dc, calling newPage between pages.
  template <class NewPage>
  void PrintAll(CDC* dc, CPrintInfo* info, NewPage newPage);

  // ---- Editing ---------------------------------------------------------------
  virtual void OnEditCell(int row, int col, CPoint point, UINT nChar);
  virtual void OnEndEditCell(int row, int col, const CString& text);
  virtual BOOL ValidateEdit(int row, int col, const CString& text);
  virtual void EndEditing();
  // The placement check of an element edited in its dialog; false after the message.
  bool CheckElementPlacement(CGridElement* element, int lastCol, int newWidth);
  void CloseElementEditor(BOOL apply);
  BOOL IsElementEditorOpen() const { return m_bElementEditorOpen; }

  // ---- Elements over the cells -----------------------------------------------
  // List l (0..3, display line l + 1) of group g (0..2). The grid draws,
  // hit-tests, deletes, copies and drags the elements of group 2.
  using ElementList = std::vector<std::unique_ptr<CGridElement>>;
  ElementList& GetElementList(int group, int line) { return m_arWidgetLists[group][line]; }
  ElementList& GetShownElements(int line) { return m_arWidgetLists[2][line]; }
  // Adds an element to the shown list of its display line and returns it.
  CGridElement* AddElement(std::unique_ptr<CGridElement> element);
  // Elements of the shown lists that cover cell (row, col); null when none.
  const CGridElement* FindElementCovering(int row, int col) const;
  CGridElement* GetSelectedElement() const { return m_pSelectedWidget; }
  // Makes an element of the shown lists the selected one (null: none); a host
  // that empties the shown lists clears it first.
  void SetSelectedElement(CGridElement* element) { m_pSelectedWidget = element; }
  // Sets the rectangle of the element from its cells.
  void PlaceElement(CGridElement* element);

  // ---- Notifications ---------------------------------------------------------
  LRESULT SendMessageToParent(int row, int col, int code);
  LRESULT SendDisplayRequestToParent(GridDispInfo* info);
  void SendCacheHintToParent(const CGridCellSpan& span);

  // ---- Members hosts write directly ------------------------------------------
  COLORREF m_crGridBkColour;
  COLORREF m_crGridLineColour = RGB(192, 192, 192);
  COLORREF m_crWindowText, m_crWindowColour, m_cr3DFace, m_crShadow;
  BOOL m_bVirtualMode = FALSE;
  LPARAM m_lParam = 0;
  GridCallback m_pfnCallback = nullptr;
  int m_nGridLines = GVL_BOTH;
  BOOL m_bEditable = TRUE;
  BOOL m_bModified = FALSE;
  BOOL m_bAllowDragAndDrop = FALSE;
  BOOL m_bListMode = FALSE;
  BOOL m_bSingleRowSelection = FALSE;
  BOOL m_bSingleColSelection = FALSE;
  BOOL m_bAllowDraw = TRUE;
  BOOL m_bEnableSelection = TRUE;
  BOOL m_bFixedColumnSelection = TRUE;
  BOOL m_bFixedRowSelection = TRUE;
  BOOL m_bSortOnClick = FALSE;
  BOOL m_bHandleTabKey = TRUE;
  BOOL m_bDoubleBuffer = TRUE;
  BOOL m_bTitleTips = TRUE;
  int m_nBarState = 0;
  BOOL m_bWysiwygPrinting = FALSE;
  BOOL m_bHiddenColUnhide = TRUE;
  BOOL m_bHiddenRowUnhide = TRUE;
  BOOL m_bAllowColHide = TRUE;
  BOOL m_bAllowRowHide = TRUE;
  BOOL m_bTrackFocusCell = TRUE;
  BOOL m_bFrameFocus = TRUE;
  UINT m_nAutoSizeColumnStyle = GVS_BOTH;
  int m_nResizeCaptureRange = 3;
  BOOL m_bAllowRowResize = TRUE;
  BOOL m_bAllowColumnResize = TRUE;
  int m_nRowsPerWheelNotch = 3;
  int m_nTimerInterval = 25;
  BOOL m_bShadedPrintOut = TRUE;
  PFNLVCOMPARE m_pfnCompare = nullptr;
  PFNVIRTUALCOMPARE m_pfnVirtualCompare = nullptr;
  BOOL m_bValueMode = FALSE;
  bool m_bDragRowMode = true;
  bool m_bColumnReorder = false;
  bool m_bQuitFocusOnTab = false;
  bool m_bAllowSelectInFixedCol = false;
  const CRuntimeClass* m_pRtcDefault;

 private:
  friend class CGridCellBase;
  friend class CGridCell;
  using Row = std::vector<std::unique_ptr<CGridCellBase>>;

  static DWORD Key(int row, int col) { return (static_cast<DWORD>(col) << 16) | static_cast<DWORD>(row); }
  CGridCellBase* VirtualCell(int row, int col) const;
  virtual CGridCellBase* CreateCell(int row, int col);
  virtual void DestroyCell(int row, int col);
  bool WindowExists() const { return m_pWindow != nullptr; }
  // A drop of dragged cells moves the dragged row: the row order exists only
  // in virtual mode, so other grids paste the dropped text instead.
  bool RowMoveMode() const { return m_bDragRowMode && m_bVirtualMode; }
  CRect ClientRect() const;
  void InvalidateAll();
  void Invalidate(const CRect& rect);
  CDC* MeasureDC() const;
  void FrameFixedCellBorders(int row, int col);
  void RedrawHeadings(const CGridCellPos& cell, const CGridCellPos& other);
  void DeleteSelectedElements();
  int LinesOfSelectedElement() const;
  bool ElementTouchesRow(int row, const CGridCellSpan& span) const;
  // Drag helpers.
  CPoint OutlinePosition(const CGridCellPos& cell, int width);
  void EraseDragOutline();
  // Keyboard helper: the cell the key moves to; false to stop.
  bool NextCellForKey(UINT nChar, CGridCellPos* next, bool* lineChange);
  // Stores an edited text: kept when it validates and the host agrees, else
  // the old text comes back.
  void StoreEditedText(int row, int col, const CString& text, const CString& old);
  // Paste helpers.
  enum class PasteStop { kNone, kFail, kLeftHalf };
  PasteStop PasteCell(int row, int col, const CString& text, bool* wide, CGridCellSpan* range);
  int WantedCharClass() const;
  // Printing helpers.
  void PrintRowCells(int fromCol, int toCol, int row, CRect& rect, CDC* dc, BOOL& first);
  void PrintColumnHeadings(CDC* dc, CPrintInfo* info);
  void PrintRowHeadings(CDC* dc, CPrintInfo* info);
  void PrintHeader(CDC* dc, CPrintInfo* info);
  void PrintFooter(CDC* dc, CPrintInfo* info);
  CFont BoldPrinterFont() const;
  void PrintBodyLines(CDC* dc, const CRect& rect, int row, int col, bool firstPageRow);

  CGridWindow* m_pWindow = nullptr;
  CGridHost* m_pHost = nullptr;
  UINT m_nID = IDC_GRID;
  std::uint64_t m_nInstanceId;
  UINT m_nKeyModifiers = 0;

  int m_nRows = 0, m_nFixedRows = 0, m_nCols = 0, m_nFixedCols = 0;
  std::vector<int> m_arRowHeights, m_arColWidths;
  int m_nVScrollMax = 0, m_nHScrollMax = 0;
  std::unique_ptr<CGridDefaultCell> m_cellDefault, m_cellFixedColDef, m_cellFixedRowDef, m_cellFixedRowColDef;
  std::vector<Row> m_RowData;
  GridMouseMode m_MouseMode = MOUSE_NOTHING;
  BOOL m_bLMouseButtonDown = FALSE;
  CPoint m_LeftClickDownPoint, m_LastMousePoint;
  CGridCellPos m_SelectionStartCell, m_idCurrentCell, m_idTopLeftCell, m_LeftClickDownCell;
  bool m_bTimerRunning = false;
  std::map<DWORD, CGridCellPos> m_SelectedCellMap, m_PrevSelectedCellMap;
  CGridCellPos m_LastDragOverCell;
  BOOL m_bAscending = TRUE;
  int m_nSortColumn = -1;
  CGridElement* m_pSelectedWidget = nullptr;
  std::array<std::array<ElementList, 4>, 3> m_arWidgetLists;
  bool m_bElementEditorOpen = false;
  std::unique_ptr<CGridElement> m_pDragWidget, m_pDroppedWidget;
  CPoint m_ptDragOffset, m_ptDragOutline{-32000, -32000}, m_ptLastDragPoint;
  BOOL m_bDraggingWidget = FALSE;
  BOOL m_bCharTyped = FALSE;
  int m_nDragColumn = -1;
  std::vector<int> m_arRowOrder, m_arColOrder;
  int m_nDragRow = -1;
  bool m_bInDestructor = false;
  bool m_bInOnSize = false;
  mutable std::unique_ptr<CGridCell> m_pVirtualCell;

  // Printing state.
  CFont m_PrinterFont;
  CSize m_CharSize, m_LogicalPageSize, m_PaperSize;
  int m_nPageHeight = 0, m_nPageWidth = 0, m_nPrintColumn = 0, m_nCurrPrintRow = 0, m_nNumPages = 0;
  int m_nPageMultiplier = 1;
  int m_nHeaderHeight = 2, m_nFooterHeight = 2, m_nLeftMargin = 4, m_nRightMargin = 4, m_nTopMargin = 1,
      m_nBottomMargin = 1, m_nGap = 1;
};

// The print sequence's page record.
struct CPrintInfo {
  int m_nCurPage = 1;
  int m_nMinPage = 1;
  int m_nMaxPage = 1;
  CRect m_rectDraw;
  CString m_strTitle;     // the window text printed in the header
  CString m_strAppTitle;  // the application title printed at the header's right
  CString m_strDateTime;  // the date and time printed in the footer
};

template <class NewPage>
void CGridCtrl::PrintAll(CDC* dc, CPrintInfo* info, NewPage newPage) {
  OnBeginPrinting(dc, info);
  for (int page = info->m_nMinPage; page <= info->m_nMaxPage; ++page) {
    if (page > info->m_nMinPage) newPage();
    info->m_nCurPage = page;
    OnPrint(dc, info);
  }
  OnEndPrinting(dc, info);
}
