#include "editor/gui/child_frame.h"

#include <QDockWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QTimer>
#include <algorithm>

#include "editor/diagram_editor.h"
#include "editor/gui/sim_bars.h"
#include "editor/gui/zarad_view.h"
#include "editor/scan_driver.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/command_target.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/ms_clock.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "shell/shell.h"

namespace {

// The window inside the frame that docks the simulation bars around the view;
// it lays its view out as soon as it is resized, so the view has its size
// before the next paint.
class CInnerWindow : public QMainWindow {
 public:
  // A main window is always a window of its own; this one is a plain child.
  explicit CInnerWindow(QWidget* parent) : QMainWindow(parent) { setWindowFlags(Qt::Widget); }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QMainWindow::resizeEvent(event);
    if (layout()) layout()->activate();
  }
};

// The shell's choices for a new document (the model selected last, the screen as
// the page, "Show at new file"); a window on its own takes the defaults.
NewDocumentSettings SettingsFromShell(CShell* shell) {
  return shell ? shell->GetNewDocumentSettings() : NewDocumentSettings{};
}

}  // namespace

CChildFrame::CChildFrame(CShell* shell)
    : QWidget(nullptr), m_pShell(shell), m_pDoc(std::make_unique<CZaradDoc>(SettingsFromShell(shell))) {
  // The view sits in a window of its own so that the simulation bars dock at
  // its bottom; that window always fills the frame.
  m_pInner = new CInnerWindow(this);
  m_pInner->setDockNestingEnabled(false);
  m_pView = new CZaradView(this, m_pDoc.get(), m_pInner);
  m_pInner->setCentralWidget(m_pView);
  m_pInner->show();
  setFocusProxy(m_pView);
}

CChildFrame::~CChildFrame() {
  // The timer stops before the bars and the view go: no tick reaches them.
  StopSimulation();
  delete m_pSimTimer;
  m_pSimTimer = nullptr;
  for (QDockWidget*& dock : m_pDocks) {
    delete dock;
    dock = nullptr;
  }
  m_pInputsBar = m_pOutputsBar = nullptr;
  m_pControlBar = nullptr;
  // The view goes before the document it shows.
  delete m_pView;
  m_pView = nullptr;
}

bool CChildFrame::event(QEvent* event) {
  if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
    m_pInner->setGeometry(rect());
    if (QLayout* inner = m_pInner->layout()) inner->setGeometry(m_pInner->rect());
    m_pView->SyncClientSize();
  }
  if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show) WatchSubWindow();
  return QWidget::event(event);
}

void CChildFrame::WatchSubWindow() {
  auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (window == m_pSubWindow) return;
  if (m_pSubWindow) disconnect(m_pSubWindow, nullptr, this, nullptr);
  m_pSubWindow = window;
  if (!window) return;
  connect(window, &QMdiSubWindow::windowStateChanged, this,
          [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
            const bool was = oldState.testFlag(Qt::WindowActive);
            const bool is = newState.testFlag(Qt::WindowActive);
            if (was != is && m_pView) m_pView->OnActivateView(is);
          });
}

void CChildFrame::ActivateFrame(int) {
  if (m_pSubWindow) {
    m_pSubWindow->showMaximized();
  } else {
    showMaximized();
  }
}

// ---- Document ---------------------------------------------------------------------------

bool CChildFrame::OnNewDocument(int kind) {
  m_pDoc->DeleteContents();
  m_pDoc->m_nKind = kind == kDocLadder ? kDocLadder : kDocFbd;
  m_pDoc->MakePowerBus();
  m_pDoc->SetModifiedFlag(false);
  m_pView->OnInitialUpdate();
  return true;
}

bool CChildFrame::OnOpenDocument(const CString& path, CString* error) {
  if (!m_pDoc->OnOpenDocument(path, error)) return false;
  m_pView->OnInitialUpdate();
  return true;
}

bool CChildFrame::OnSaveDocument(const CString& path, CString* error) {
  return m_pDoc->OnSaveDocument(path, error);
}

bool CChildFrame::IsModified() const {
  return m_pDoc->IsModified();
}

void CChildFrame::SetModifiedFlag(bool modified) {
  m_pDoc->SetModifiedFlag(modified);
}

int CChildFrame::GetKind() const {
  return m_pDoc->GetKind();
}

const CString& CChildFrame::GetTitle() const {
  return m_pDoc->GetTitle();
}

void CChildFrame::SetTitle(const CString& title) {
  m_pDoc->SetTitle(title);
}

const CString& CChildFrame::GetPathName() const {
  return m_pDoc->GetPathName();
}

void CChildFrame::SetPathName(const CString& path) {
  m_pDoc->SetPathName(path);
}

bool CChildFrame::GetZoom(float* zoom) const {
  if (zoom) *zoom = m_pDoc->m_fZoom;
  return true;
}

bool CChildFrame::IsSimulating() const {
  return m_pView && m_pView->Core().IsSimulating();
}

void CChildFrame::SetPageMargins(const CRect& margins) {
  if (m_pView) m_pView->SetPageMargins(margins);
}

CRect CChildFrame::GetPageMargins() const {
  return m_pView ? m_pView->GetPageMargins() : CRect();
}

namespace {

// The dock of a View > bar command: 0 Inputs, 1 Outputs, 2 Simulation; -1 for other commands.
int BarOfCommand(UINT id) {
  switch (id) {
    case ID_VIEW_INPUTS_BAR:
      return 0;
    case ID_VIEW_OUTPUTS_BAR:
      return 1;
    case ID_VIEW_SIMULATION_BAR:
      return 2;
    default:
      return -1;
  }
}

}  // namespace

bool CChildFrame::OnCmdMsg(UINT id) {
  if (id == ID_SIMULATION && m_pView) {
    ToggleSimulation();
    return true;
  }
  // View > Inputs, Outputs, Simulation Bar: a bar closed during the
  // simulation comes back, a shown one goes.
  if (const int bar = BarOfCommand(id); bar >= 0) {
    QDockWidget* dock = m_pDocks[bar];
    if (!dock || !IsSimulating()) return true;
    const bool show = dock->isHidden();
    dock->setVisible(show);
    if (show) RefreshSimulationBars();
    return true;
  }
  return m_pView && m_pView->OnCmdMsg(id);
}

void CChildFrame::ShowSimulationBars(bool show) {
  CDiagramEditor& core = m_pView->Core();
  if (show && !m_pDocks[0]) {
    m_pInputsBar = new CSimIoBar(core, true, nullptr);
    m_pOutputsBar = new CSimIoBar(core, false, nullptr);
    m_pControlBar = new CSimControlBar(core, nullptr);
    const QString titles[3] = {QtCaption("Inputs"), QtCaption("Outputs"), QtCaption("Simulation")};
    QWidget* bars[3] = {m_pInputsBar, m_pOutputsBar, m_pControlBar};
    for (int i = 0; i < 3; ++i) {
      auto* dock = new QDockWidget(titles[i], m_pInner);
      dock->setObjectName(titles[i]);
      // Bottom only, never smaller than the bar's controls, may float and close.
      dock->setAllowedAreas(Qt::BottomDockWidgetArea);
      dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                        QDockWidget::DockWidgetFloatable);
      dock->setWidget(bars[i]);
      dock->installEventFilter(this);
      m_pDocks[i] = dock;
    }
    // One row, left to right: Inputs, Outputs, Simulation.
    m_pInner->addDockWidget(Qt::BottomDockWidgetArea, m_pDocks[0]);
    m_pInner->splitDockWidget(m_pDocks[0], m_pDocks[1], Qt::Horizontal);
    m_pInner->splitDockWidget(m_pDocks[1], m_pDocks[2], Qt::Horizontal);
    // The bars' keys reach the view and the main window: a key that no
    // control of a bar takes arrives at the bar itself.
    for (QWidget* bar : bars) bar->installEventFilter(this);
    connect(m_pInputsBar, &CSimIoBar::changed, this, [this] { m_pView->InvalidateDiagram(); });
    connect(m_pControlBar, &CSimControlBar::changed, this, [this] {
      RefreshSimulationBars();
      m_pView->InvalidateDiagram();
    });
  }
  if (show && m_pInputsBar) {
    m_pInputsBar->Rebuild();
    m_pOutputsBar->Rebuild();
  }
  for (QDockWidget* dock : m_pDocks)
    if (dock) dock->setVisible(show);
  if (show) {
    RefreshSimulationBars();
    ArrangeSimulationBars();
  }
}

void CChildFrame::ArrangeSimulationBars() {
  // The Inputs and Outputs bars take the width of their rows and the
  // Simulation bar the rest of the row; when the row is too short for all,
  // the Simulation bar keeps its controls and the two others share what is
  // left in proportion (each scrolls its row).
  if (!m_pDocks[0] || !m_pDocks[1] || !m_pDocks[2]) return;
  const int room = m_pInner->width();
  const int sim = m_pDocks[2]->minimumSizeHint().width();
  int inputs = m_pDocks[0]->sizeHint().width();
  int outputs = m_pDocks[1]->sizeHint().width();
  const int left = room - sim;
  if (inputs + outputs > left && inputs + outputs > 0) {
    const int share = std::max(left, 0);
    inputs = std::max(m_pDocks[0]->minimumSizeHint().width(), share * inputs / (inputs + outputs));
    outputs = std::max(m_pDocks[1]->minimumSizeHint().width(), share - inputs);
  }
  m_pInner->resizeDocks({m_pDocks[0], m_pDocks[1], m_pDocks[2]},
                        {inputs, outputs, std::max(sim, room - inputs - outputs)}, Qt::Horizontal);
}

void CChildFrame::ForwardBarKey(const QKeyEvent& key) {
  const std::vector<UINT> commands = SimBarKeyCommands(key, false, m_pView->Core().IsSimulating());
  for (UINT id : commands) m_pView->PostCommand(id & ~kToMainWindow);
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event) {
  const bool keyPress = event->type() == QEvent::KeyPress;
  if ((keyPress || event->type() == QEvent::ShortcutOverride) && !qobject_cast<QDockWidget*>(watched)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!SimBarKeyCommands(*key, false, m_pView->Core().IsSimulating()).empty()) {
      // The bar's own meaning goes before the main window's accelerator.
      if (keyPress) ForwardBarKey(*key);
      event->accept();
      return true;
    }
  }
  // A bar cannot be closed while the power is cut (the Power button is held).
  if (event->type() == QEvent::Close && qobject_cast<QDockWidget*>(watched) &&
      m_pView->Core().GetScanDriver().IsPowerCut()) {
    event->ignore();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CChildFrame::RefreshSimulationBars() {
  if (!m_pControlBar || !m_pDocks[0]) return;
  m_pInputsBar->Refresh();
  m_pOutputsBar->Refresh();
  m_pControlBar->Refresh();
}

void CChildFrame::OnSimulationLeft() {
  StopSimulation();
  ShowSimulationBars(false);
}

void CChildFrame::StopSimulation() {
  if (m_pSimTimer) m_pSimTimer->stop();
}

bool CChildFrame::OtherWindowSimulates() const {
  if (!m_pShell) return false;
  for (DocumentWindow* window : m_pShell->GetDocumentWindows()) {
    if (window != this && window->IsSimulating()) return true;
  }
  return false;
}

void CChildFrame::InvalidateDiagram() {
  if (m_pView) m_pView->InvalidateDiagram();
}

void CChildFrame::ToggleSimulation() {
  CDiagramEditor& core = m_pView->Core();
  if (!core.IsSimulating() && !CanSimulate()) {
    if (OtherWindowSimulates()) AfxMessageBox(935, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!m_pSimTimer) {
    m_pSimTimer = new QTimer(this);
    m_pSimTimer->setTimerType(Qt::PreciseTimer);
    m_pSimTimer->setInterval(CScanDriver::kTickMs);
    connect(m_pSimTimer, &QTimer::timeout, this, &CChildFrame::OnSimTimer);
  }
  if (core.IsSimulating()) {
    m_pView->setFocus();
    StopSimulation();
    core.LeaveSimulation();
    ShowSimulationBars(false);
  } else {
    // The clock starts at the local time every time.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    core.EnterSimulation(now);
    ShowSimulationBars(true);
    m_paceClock.start();
    m_nPaceMs = 0;
    m_pSimTimer->start();
  }
  m_pView->InvalidateDiagram();
}

bool CChildFrame::CanSimulate() const {
  const CZaradDoc* doc = m_pDoc.get();
  if (doc->m_blocks.GetCount() == 0 && doc->m_comments.GetCount() == 0) return false;
  return !OtherWindowSimulates();
}

void CChildFrame::OnSimTimer() {
  // Whole milliseconds since the start: no fraction of one is lost between events.
  const qint64 now = m_paceClock.elapsed();
  const int ticks = m_pView->Core().GetScanDriver().TakeOwedTicks(now - m_nPaceMs);
  m_nPaceMs = now;
  OnSimTicks(ticks);
}

void CChildFrame::OnSimTicks(int count) {
  CDiagramEditor& core = m_pView->Core();
  if (!core.IsSimulating()) {
    // Left by a tool command of the view.
    StopSimulation();
    ShowSimulationBars(false);
    return;
  }
  if (count <= 0) return;
  core.GetScanDriver().Run(count);
  m_pView->InvalidateDiagram();
  RefreshSimulationBars();
}

bool CChildFrame::OnUpdateCmdUI(CCmdUI* ui) {
  if (const int bar = BarOfCommand(ui->m_nID); bar >= 0) {
    // Enabled, and checked while shown, only while this window simulates.
    const bool live = IsSimulating() && m_pDocks[bar] != nullptr;
    ui->Enable(live);
    ui->SetCheck(live && !m_pDocks[bar]->isHidden());
    return true;
  }
  if (m_pView && ui->m_nID == ID_SIMULATION) {
    // Enabled with something to simulate, and while no other window simulates.
    ui->Enable(m_pView->Core().IsSimulating() || CanSimulate());
    ui->SetCheck(m_pView->Core().IsSimulating() ? 1 : 0);
    // While another window simulates, the command's tip says why it is off.
    if (m_pShell)
      m_pShell->SetCommandTip(ID_SIMULATION, OtherWindowSimulates() ? LoadString(935) : CString());
    return true;
  }
  return m_pView && m_pView->OnUpdateCmdUI(ui);
}

SYSTEMTIME CChildFrame::GetSimulatedTime() const {
  return m_pView->Core().GetSimulatedTime();
}

CString CChildFrame::FormatSimulatedTime(BOOL abbreviateMonth, int format) const {
  return m_pView->Core().FormatSimulatedTime(abbreviateMonth, format);
}
