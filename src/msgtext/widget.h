// CWidget: one display element of a message-text screen: a live value of a
// block parameter, a bar graph, a pointer, a scope, a scale time, a graph
// picture or an I/O status name, placed on a run of character cells of one
// display line (three lines for scopes and pointers, four for graphs).
//
// An element belongs to exactly one list (a line list of a message-text block
// or of a grid), whose owner deletes it. m_pBlock and m_pDoc are not owned.
#pragma once

#include "platform/cstring.h"
#include "platform/object.h"
#include "platform/types.h"

class CArchive;
class CBlockObj;
class CDC;
class CViewContext;
class CZaradDoc;

// MsgElementKind: 0 and above a block parameter (its position in the list the
// editor offered); the negative kinds below.
constexpr int MSGELEM_UNSET = -1;
constexpr int MSGELEM_BARGRAPH = -99;
constexpr int MSGELEM_SCALETIME = -100;
constexpr int MSGELEM_IOSTATUS = -101;
constexpr int MSGELEM_SCOPE = -102;    // covers its line and the two below
constexpr int MSGELEM_POINTER = -103;  // covers its line and the two below
constexpr int MSGELEM_GRAPH = -104;    // covers its line and the three below

// Columns of the older series' display including the header column 0.
constexpr int kOlderDisplayColumns = 13;

class CWidget : public CObject {
  DECLARE_SERIAL(CWidget)

 public:
  static constexpr int kCellRows = 3;
  static constexpr int kCellCols = 9;

  // An element with an empty rectangle and colour 0, every other member at its initial value.
  CWidget();
  // An element with the rectangle {x, y, x + cx, y + cy} and that colour.
  CWidget(int x, int y, int cx, int cy, COLORREF color);
  ~CWidget() override;
  CWidget(const CWidget&) = delete;
  CWidget& operator=(const CWidget&) = delete;

  // The element record (schema 1; schema 0 ends after the kind and width).
  // Loading takes the archive's document as m_pDoc, fits a parameter element
  // of an older-series document to the 13-column display, and looks its block
  // up by number (null when none).
  void Serialize(CArchive& ar) override;

  // TRUE when the point lies in m_rect (right and bottom edges outside).
  BOOL HitTest(CPoint pt) const { return m_rect.PtInRect(pt); }
  // Copies every member except m_pDoc into target; null does nothing.
  void CopyTo(CWidget* target) const;
  CRect GetRect() const { return m_rect; }
  COLORREF GetColor() const { return m_color; }

  // Display lines the element covers: 3 for scopes and pointers, 4 for graphs, else 1.
  int GetLineCount() const;

  // Drawing at m_rect: bDetails set draws the editors' form (coloured box,
  // block icon, label and long value text), clear the device display's form
  // (the value one character per cell). view may be null outside a diagram.
  void Draw(CViewContext* view, CDC* dc, BOOL bDetails);
  // Draw, then the selection frame.
  void DrawSelected(CViewContext* view, CDC* dc, BOOL bDetails);
  // The red frame of a selected element.
  void DrawSelectionFrame(CDC* dc);
  // The inverted outline of m_rect moved to topLeft; drawn twice it is gone.
  void DrawDragOutline(CDC* dc, CPoint topLeft);

  // ---- Fields, in declaration order -----------------------------------------
  CString m_strCell[kCellRows][kCellCols];  // I/O status name texts; row 0 / column 0 "W"
  CRect m_rect;                             // grid client pixels of the cell range
  COLORREF m_color = 0;                     // background colour in the editors
  int m_nRow = -1;                          // display line 1..4
  int m_nCol = -1;                          // first character column
  CBlockObj* m_pBlock = nullptr;            // block shown (run time, not owned)
  int m_nNumber = -1;                       // OperandNumber of that block or operand
  int m_nParam = -1;                        // index into g_ParameterNames and GetParamDisplayWidth
  CString m_strLabel;                       // caption of the value in the editor
  int m_nKind = MSGELEM_UNSET;              // MsgElementKind
  int m_nWidth = 0;                         // width in character cells
  CZaradDoc* m_pDoc = nullptr;              // document the element was loaded into (not owned)
  int m_bSelected = 0;                      // selected in an editor; not saved
  int m_nValueIndex = 0;                    // position of the shown actual value
  int m_nMin = 0;                           // bar graph, pointer, scope: MinValue
  int m_nMax = 0;                           // bar graph, pointer, scope: MaxValue
  int m_nOption = 0;                        // bar size, scope time, time base or picture by kind

 private:
  void InitCells();
  // Fits a parameter element to the older series' 13-column display.
  void FitToOlderDisplay();
};
