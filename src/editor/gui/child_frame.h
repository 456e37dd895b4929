// CChildFrame: the window of one open diagram in the main window's MDI area. It
// owns the document and holds its one diagram view; it runs the document's New,
// Open and Save for the application shell. The simulated clock that the view's
// blocks read is the view core's scan driver. Diagram windows always show
// maximised.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/cstring.h"
#include "platform/types.h"
#include "shell/document_window.h"

class CShell;
class CSimControlBar;
class CSimIoBar;
class CZaradDoc;
class CZaradView;
class QDockWidget;
class QKeyEvent;
class QMainWindow;
class QTimer;
class QMdiSubWindow;

class CChildFrame : public QWidget, public DocumentWindow {
  Q_OBJECT

 public:
  // Makes the document, with the settings the shell gives a new document, and
  // its view. The main frame follows the window's opening and closing
  // (open-document count, information bar, model panes). Without a shell the
  // window works on its own.
  explicit CChildFrame(CShell* shell = nullptr);
  ~CChildFrame() override;

  CZaradView* GetActiveView() const { return m_pView; }
  // The main window's shell; null for a window on its own.
  CShell* Shell() const { return m_pShell; }

  // ---- DocumentWindow ------------------------------------------------------------
  QWidget* GetWidget() override { return this; }
  bool OnNewDocument(int kind) override;
  bool OnOpenDocument(const CString& path, CString* error) override;
  bool GetZoom(float* zoom) const override;
  bool IsSimulating() const override;
  CZaradDoc* GetDocument() override { return m_pDoc.get(); }
  void InvalidateDiagram() override;
  void SetPageMargins(const CRect& margins) override;
  CRect GetPageMargins() const override;
  // ---- CSavableDocument: the document's own -------------------------------------
  const CString& GetTitle() const override;
  void SetTitle(const CString& title) override;
  const CString& GetPathName() const override;
  void SetPathName(const CString& path) override;
  bool IsModified() const override;
  void SetModifiedFlag(bool modified) override;
  int GetKind() const override;
  bool OnSaveDocument(const CString& path, CString* error) override;
  // Commands go to the view.
  bool OnCmdMsg(UINT id) override;
  bool OnUpdateCmdUI(CCmdUI* ui) override;

  // Shows the frame; always maximised inside the main window, whatever is asked.
  void ActivateFrame(int nCmdShow = -1);

  // ---- Simulation bars ---------------------------------------------------------------
  // F3: enters or leaves simulation (one simulating window at a time); while it
  // runs a 25 ms timer advances the simulated clock and runs the scans that
  // the wall time since its previous event asks for (a late or lost event is
  // made up, within a bound), then repaints the view and refreshes the
  // Inputs, Outputs and Simulation bars docked at the bottom of the window
  // (null outside simulation).
  void ToggleSimulation();
  // The timer's event: the ticks the wall time asks for (OnSimTicks).
  void OnSimTimer();
  // count ticks, each with its scan, then one repaint and the bars refreshed.
  void OnSimTicks(int count);
  void OnSimTick() { OnSimTicks(1); }
  // Whether F3 may enter simulation here: the document holds a block or a
  // comment and no other window simulates.
  bool CanSimulate() const;
  // Whether another diagram window of the shell simulates.
  bool OtherWindowSimulates() const;
  // A key pressed in a bar: the commands it stands for go to the view.
  void ForwardBarKey(const QKeyEvent& key);
  CSimIoBar* InputsBar() const { return m_pInputsBar; }
  CSimIoBar* OutputsBar() const { return m_pOutputsBar; }
  CSimControlBar* ControlBar() const { return m_pControlBar; }
  QDockWidget* Dock(int index) const { return index >= 0 && index < 3 ? m_pDocks[index] : nullptr; }

  // ---- Simulated clock -------------------------------------------------------------
  // The simulated date and time that the blocks read (local time when the frame
  // was made) and its texts: the view core's scan driver answers.
  SYSTEMTIME GetSimulatedTime() const;
  CString FormatSimulatedTime(BOOL abbreviateMonth, int format) const;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Follows the activation of the MDI window that holds the frame.
  void WatchSubWindow();

  void ShowSimulationBars(bool show);
  void RefreshSimulationBars();
  // Shares the row of the bars out by what each one needs.
  void ArrangeSimulationBars();

 public:
  // The view's simulation ended: the clock stops and the bars go.
  void OnSimulationLeft();

 private:
  // The timer stops; no window simulates here any more.
  void StopSimulation();

  CShell* m_pShell;
  QTimer* m_pSimTimer = nullptr;
  QElapsedTimer m_paceClock;        // wall time since the simulation started
  qint64 m_nPaceMs = 0;             // m_paceClock at the previous timer event
  QMainWindow* m_pInner = nullptr;  // holds the view and docks the bars
  QDockWidget* m_pDocks[3] = {};
  CSimIoBar* m_pInputsBar = nullptr;
  CSimIoBar* m_pOutputsBar = nullptr;
  CSimControlBar* m_pControlBar = nullptr;
  std::unique_ptr<CZaradDoc> m_pDoc;
  CZaradView* m_pView = nullptr;  // child widget
  QPointer<QMdiSubWindow> m_pSubWindow;
};
