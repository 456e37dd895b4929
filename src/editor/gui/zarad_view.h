// CZaradView: the diagram view, the window in which one document is shown and
// edited. It keeps the view's state (tool mode, current objects, selection
// lists, colours), maps the document's diagram units to client pixels at the
// document's zoom, scrolls over the page area and paints through a memory
// bitmap of client size. It is the CViewContext that blocks draw in.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <vector>

#include "app/command_target.h"
#include "model/connect_line_obj.h"
#include "model/diagram_draw.h"
#include "model/view_context.h"
#include "platform/types.h"

class CBlockComment;
class CBlockObj;
class CChildFrame;
class CDC;
class CZaradDoc;

// Colours of the diagram painting (0x00BBGGRR).
constexpr COLORREF kViewSurroundColour = kDiagramSurround;  // area round the FBD base
constexpr COLORREF kViewBaseColour = kDiagramBackground;    // initial FBD base fill
constexpr COLORREF kViewBandColour = 0x000080;              // rubber band frame
constexpr COLORREF kViewPreviewColour = 0x000000;           // wire-tool preview line

class CZaradView : public QAbstractScrollArea, public CViewContext, public CCommandTarget {
  Q_OBJECT

 public:
  // The view of doc inside frame; neither is owned. The frame may be null
  // (a view on its own, without a simulated clock).
  CZaradView(CChildFrame* frame, CZaradDoc* doc, QWidget* parent = nullptr);
  ~CZaradView() override;

  CChildFrame* GetParentFrame() const { return m_pFrame; }

  // ---- Lifecycle -------------------------------------------------------------
  // After the document was loaded or made new: scroll sizes, message numbers in
  // use, the memory bitmap.
  void OnInitialUpdate();
  // The view's window became (or stopped being) the active diagram window.
  void OnActivateView(bool activate);
  // Whether this view is the active view of the main window's active frame (a
  // view outside a main window counts as active).
  bool IsActiveView() const;

  // ---- Painting --------------------------------------------------------------
  // Paints the diagram into the context, which carries the zoom mapping.
  void OnDraw(CDC* dc);
  // The base, its frame and page divisions and, in ladder documents, the power bus.
  void DrawPage(CDC* dc);
  // Blocks, connections, comments and tool feedback; screen 1 on the screen, 0 printing.
  void DrawDiagram(CDC* dc, int screen);
  // The document painter's options for this view's colours and mode.
  DiagramDrawOptions GetDrawOptions(int screen) const;
  void DrawWirePreview(CDC* dc);
  // Sets the zoom mapping, with the viewport origin at minus the scroll
  // position, on the context; returns the previous mapping mode.
  int ApplyZoomMapping(CDC* dc) const;
  // The view's one repaint request: the whole client area, without erasing.
  void InvalidateDiagram();

  // ---- Zoom and scrolling ------------------------------------------------------
  // Recomputes m_sizeTotal from the page rectangle and the zoom and sets the scroll range.
  void UpdateScrollSizes();
  // Stores the zoom in the document, clamped to 0.25 .. 4.0.
  void StoreZoom(float zoom);
  // Sets the zoom and keeps the diagram point at the window's centre in place.
  void SetZoom(float zoom);
  float GetZoom() const;
  CPoint GetScrollPosition() const;
  // Scrolls to the position, kept inside the scroll range.
  void ScrollToPosition(CPoint pos);
  // Scroll page and line steps in force.
  CSize GetPageSize() const { return m_sizePageStep; }
  CSize GetLineSize() const { return m_sizeLineStep; }
  // A client point in diagram units.
  CPoint ClientToDiagram(CPoint client) const;
  CSize GetClientSize() const;

  // ---- Commands ----------------------------------------------------------------
  void OnZoomIn();
  void OnZoomOut();
  // The palette pick (command 1079): enter the tool mode the main frame stored,
  // with its block type when it is the place-block mode.
  void OnPalettePick(int mode, int typeCode);
  bool OnCmdMsg(UINT id) override;
  bool OnUpdateCmdUI(CCmdUI* ui) override;

  // ---- CViewContext --------------------------------------------------------------
  CZaradDoc* GetDocument() const override { return m_pDoc; }
  SYSTEMTIME GetScanTime() const override { return m_stScanTime; }
  int GetEditMode() const override { return EditMode; }
  SYSTEMTIME GetSimulatedTime() const override;
  CString FormatSimulatedTime(BOOL abbreviateMonth, int format) const override;
  int GetSimRunState() const override { return SIM_RUNNING; }
  int GetSimStepState() const override { return SIM_STEP_OFF; }
  int GetSimStepUnit() const override { return SIM_UNIT_CYCLES; }
  bool GetCursorClientPos(CPoint* out) const override;

  // ---- Members ---------------------------------------------------------------------
  int m_bAutoSnapshot = 1;
  int m_bMessageNumberUsed[16] = {};
  int m_bMemReady = 0;
  int EditMode = MODE_SELECT;
  int m_nWireClicks = 0;
  int m_nPaletteType = 0;
  CPoint m_ptWireStart;
  int m_bRClickBlock = 1;
  int m_bRClickConnection = 1;
  int m_bRClickComment = 1;
  CConnectLineObj m_newWire;  // the wire in progress, never in the document
  CRect m_rcBand;             // rubber band, diagram units
  CBlockObj* m_pCurBlock = nullptr;
  CConnectLineObj* m_pCurConnection = nullptr;
  CBlockComment* m_pCurComment = nullptr;
  CPoint m_ptLastMouse;
  CSize m_sizeTotal;  // scroll extent in device units: page extent times zoom
  COLORREF m_crBackground = kViewBaseColour;
  COLORREF m_crWire = 0x000000;
  COLORREF m_crPreview = kViewPreviewColour;
  std::vector<CBlockObj*> m_selBlocks;
  std::vector<CConnectLineObj*> m_selConnections;
  std::vector<CBlockComment*> m_selComments;
  CPoint m_ptLastClick;
  CPoint m_ptPasteOrigin;
  int m_nLinkVerdict = 0;
  int m_bDragWire = 0;
  SYSTEMTIME m_stScanTime;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  // Replaces the memory bitmap by one of the client size, keeping what the old
  // one showed where both overlap.
  void RebuildMemBitmap();
  // Sets the scroll bars from m_sizeTotal and the client size.
  void ApplyScrollRange();

  CChildFrame* m_pFrame;
  CZaradDoc* m_pDoc;
  QImage m_memBitmap;  // the memory bitmap of the double-buffered paint
  CSize m_sizePageStep;
  CSize m_sizeLineStep;
};
