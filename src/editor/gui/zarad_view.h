// CZaradView: the diagram view, the window in which one document is shown and
// edited. Its editor core (CDiagramEditor) holds the view's state (tool mode,
// selections, current objects, the wire being drawn, the rubber band, colours,
// zoom and scroll position) and is the context the blocks draw and simulate in.
// The window turns Qt's events into calls on the core, in diagram units, keeps
// the scroll bars in step with the core's scroll state and paints what the core
// draws through a memory bitmap of client size.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>
#include <functional>
#include <memory>

#include "controls/gui/popup_tip_wnd.h"
#include "editor/diagram_editor.h"
#include "editor/print_layout.h"
#include "platform/command_target.h"
#include "platform/types.h"

class CAllDisplayMsgTxts;
class CAnalogSliderDlg;
class CBlockProperties;
class CChildFrame;
class CGoToBlockDlg;
class CPageLayoutDlg;
class CPrintSetupDlg;
class CPrinterHost;
class CShell;
class QPrintDialog;
class QPrintPreviewDialog;
class QPrinter;
class CDC;
class CZaradDoc;

class CZaradView : public QAbstractScrollArea,
                   public CDiagramEditorHost,
                   public CSimBarSink,
                   public CCommandTarget {
  Q_OBJECT

 public:
  // The view of doc inside frame; neither is owned. The frame may be null
  // (a view on its own).
  CZaradView(CChildFrame* frame, CZaradDoc* doc, QWidget* parent = nullptr);
  ~CZaradView() override;

  CChildFrame* GetParentFrame() const { return m_pFrame; }
  // The main window's shell (its frame's); null for a view on its own.
  CShell* Shell() const;
  CZaradDoc* GetDocument() const { return m_pDoc; }
  // The editor core of the view.
  CDiagramEditor& Core() { return m_core; }
  const CDiagramEditor& Core() const { return m_core; }

  // ---- Lifecycle -------------------------------------------------------------
  // After the document was loaded or made new: the core's initial update, the
  // memory bitmap.
  void OnInitialUpdate();
  // The view's window became (or stopped being) the active diagram window.
  void OnActivateView(bool activate);
  // Whether this view is the active view of the main window's active frame (a
  // view outside a main window counts as active).
  bool IsActiveView() const;

  // ---- Painting --------------------------------------------------------------
  // Paints the diagram into the context, which carries the zoom mapping; a view
  // that is not active keeps the last picture of its memory bitmap.
  void OnDraw(CDC* dc);

  // ---- Commands ----------------------------------------------------------------
  // The palette pick (command 1079) with the mode and type the main frame
  // stored; every other command goes to the core.
  bool OnCmdMsg(UINT id) override;
  bool OnUpdateCmdUI(CCmdUI* ui) override;

  // ---- Block Properties ----------------------------------------------------------
  // The command (double click, menu, Enter): the current block's parameter
  // sheet, modal outside simulation, modeless inside it.
  void OnBlockProperties();
  // The core's client size follows the viewport (after its window laid it out).
  void SyncClientSize();
  // Go To Block (Ctrl+G): the "Select Block" dialog over this diagram. Tests
  // drive the dialog through the runner instead of running it modally.
  void OnGoToBlock();
  static std::function<void(CGoToBlockDlg&)> s_goToBlockRunner;
  CBlockProperties& BlockProperties() { return *m_pProperties; }

  // ---- Printing (zarad_view_print.cpp) ---------------------------------------------
  // Print (Ctrl+P): nothing selected, 100 % zoom, the Print Setup dialog
  // while m_bAskForSetup is set (a Print that finds it clear sets it again),
  // then the print job.
  void OnPrintDiagram();
  // Print Preview: as Print (always with the Print Setup dialog), then the
  // preview window, whose own Print button prints without asking again. A
  // Print from the menu right after a preview that printed nothing does not
  // ask either.
  void OnPreviewDiagram();
  // The print job: the standard Print dialog (none when direct) on the
  // application's printer, then the pages it asks for.
  void OnFilePrint(bool direct);
  // The Print Setup dialog with the choices last accepted; on OK they are kept.
  int RunPrintSetup();
  // The job's sheet: a page of the chosen paper when scaling to a page.
  void PreparePrinter(QPrinter* printer) const;
  // Draws pages of the diagram on printer: the range the Print dialog chose,
  // else all; each one tile of the page grid inside the margins. False when
  // the printer cannot be opened (the user was told).
  bool PrintPages(QPrinter* printer);
  // The margins of Page Setup, thousandths of a millimetre (left, top, right, bottom).
  void SetPageMargins(const CRect& margins) { m_rcPageMargins = margins; }
  const CRect& GetPageMargins() const { return m_rcPageMargins; }
  // 1: the next Print shows the Print Setup dialog.
  int m_bAskForSetup = 1;
  // The Print Setup dialog's "Print Blocks parameters after Program", as last accepted.
  int m_bPrintParams = 0;
  // Its paper (2 A2, 3 A3, 4 A4), scale choice and factor, as last accepted.
  int m_nPrintPaper = 4;
  int m_nPrintScaleMode = kScaleToPage;
  double m_dPrintScale = 1.0;
  // Tests run the modal dialogs of printing through these instead of exec().
  struct PrintRunners {
    std::function<int(CPrintSetupDlg&)> setup;  // IDOK or IDCANCEL
    std::function<bool(QPrintDialog&)> print;   // true: print
    std::function<void(QPrintPreviewDialog&)> preview;
    std::function<int(CPageLayoutDlg&)> pageLayout;  // IDOK or IDCANCEL
  };
  static PrintRunners s_printRunners;
  // The application's printer; null for a view on its own (it prints to PDF).
  CPrinterHost* PrinterHost() const;

  // ---- CDiagramEditorHost ------------------------------------------------------
  // The view's one repaint request: the whole client area, without erasing.
  void InvalidateDiagram() override;
  void OnScrollStateChanged() override;
  bool GetCursorClientPos(CPoint* out) const override;
  void OpenBlockProperties() override { OnBlockProperties(); }
  void SetViewCursor(int cursor) override;
  void PostCommand(UINT id) override;
  void PostDeviceOperation(int code) override;
  bool ChooseColour(UINT captionId, COLORREF* colour) override;
  bool RunPageLayoutDialog(int* across, int* down) override;
  void MoveCursorBy(int dx, int dy) override;
  void Beep() override;
  void ShowPinTip(const CString& text) override;
  void ShowModelName(const CString& text) override;
  CSize MeasureViewText(const CString& text) const override;
  int GetLogPixelsY() const override;
  // The selection on the system clipboard, under the program's own MIME type.
  static constexpr const char* kSelectionMimeType = "application/x-zovuzi-diagram-selection";
  void SetClipboardPayload(const std::vector<BYTE>& bytes) override;
  bool GetClipboardPayload(std::vector<BYTE>* bytes) const override;
  bool HasClipboardPayload() const override;
  bool IsDevicePortOpen() const override;
  void MaximizeWindow() override;
  // The "Message texts" preview of the simulation (opened on the first
  // active message, closed when none is on or the simulation ends).
  void MessageTextActivated(int number) override;
  void MessageTextDeactivated(int number) override;
  void CloseMessageTexts() override;
  CAllDisplayMsgTxts* GetMessageTextSheet() const;
  // The analog value pop-up next to a block; one at a time, null when closed.
  void OpenValuePopup(CBlockObj* block) override;
  void CloseValuePopup() override;
  void SimulationLeft() override;
  CAnalogSliderDlg* ValuePopup() const;

  // ---- CSimBarSink: what each scan hands on ------------------------------------------
  // The block's live value to its open modeless sheet; the number of open sheets.
  int ShowCurrentParameterValue(CBlockObj* block) override;

  // The picture the last repaint left in the memory bitmap.
  const QImage& LastPicture() const { return m_memBitmap; }
  // The balloon that describes the pin under the pointer, or why a wire may not end there.
  CPopupTipWnd& PinTip() { return m_pinTip; }

  // The pop-up of context menu 141 that the core chose, at a global point.
  void ShowContextMenu(int popup, const QPoint& globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Replaces the memory bitmap by one of the client size, keeping what the old
  // one showed where both overlap.
  void RebuildMemBitmap();
  // A widget point in diagram units.
  CPoint ToDiagram(const QPoint& pos) const;
  // Runs an input handler of the core; an exception it throws is shown to the user.
  template <typename F>
  void Guarded(F&& f);
  // Routes a command through the main window (or the view alone without one).
  void RunCommand(UINT id);

  CChildFrame* m_pFrame;
  CZaradDoc* m_pDoc;
  CDiagramEditor m_core;
  std::unique_ptr<CBlockProperties> m_pProperties;  // the Block Properties command and its open sheets
  QImage m_memBitmap;                               // the memory bitmap of the double-buffered paint
  bool m_bSyncingScroll = false;                    // the bars are being set from the core
  CRect m_rcPageMargins;                            // print margins (Page Setup)
  QPointer<CAllDisplayMsgTxts> m_pMsgTextSheet;     // the message-text preview while simulating
  QPointer<CAnalogSliderDlg> m_pValuePopup;         // a child window of the view
  CPopupTipWnd m_pinTip;                            // the hover tip, a window owned by the view
};
