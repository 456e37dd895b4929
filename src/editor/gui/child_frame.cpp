#include "editor/gui/child_frame.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QTimer>

#include "editor/diagram_editor.h"
#include "editor/scan_driver.h"
#include "platform/command_target.h"
#include "platform/ms_clock.h"
#include "platform/resource_ids.h"
#include <QVBoxLayout>

#include "editor/gui/zarad_view.h"
#include "model/shell_context.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"

namespace {

// The shell's choices for a new document: the kind the New command holds for
// it, the model selected last, the screen as the page and "Show at new file".
NewDocumentSettings SettingsFromShell() {
  CShellContext* shell = GetShellContext();
  NewDocumentSettings settings;
  settings.nKind = shell->m_nNextDocKind;
  settings.wModelCode = g_CurrentModelCode;
  settings.sizePage = shell->GetScreenSize();
  settings.bShowProperties = g_ShowPropertiesOnNew;
  return settings;
}

}  // namespace

CChildFrame::CChildFrame(QWidget* parent)
    : QWidget(parent), m_pDoc(std::make_unique<CZaradDoc>(SettingsFromShell())) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_pView = new CZaradView(this, m_pDoc.get(), this);
  layout->addWidget(m_pView);
  setFocusProxy(m_pView);
}

CChildFrame::~CChildFrame() {
  // The view goes before the document it shows.
  delete m_pView;
  m_pView = nullptr;
}

bool CChildFrame::event(QEvent* event) {
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

bool CChildFrame::OnCmdMsg(UINT id) {
  if (id == ID_SIMULATION && m_pView) {
    ToggleSimulation();
    return true;
  }
  return m_pView && m_pView->OnCmdMsg(id);
}

void CChildFrame::ToggleSimulation() {
  CDiagramEditor& core = m_pView->Core();
  if (!m_pSimTimer) {
    m_pSimTimer = new QTimer(this);
    m_pSimTimer->setTimerType(Qt::PreciseTimer);
    m_pSimTimer->setInterval(CScanDriver::kTickMs);
    connect(m_pSimTimer, &QTimer::timeout, this, &CChildFrame::OnSimTick);
  }
  if (core.IsSimulating()) {
    m_pSimTimer->stop();
    core.LeaveSimulation();
  } else {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    core.EnterSimulation(now);
    m_pSimTimer->start();
  }
  m_pView->update();
}

void CChildFrame::OnSimTick() {
  CDiagramEditor& core = m_pView->Core();
  if (!core.IsSimulating()) {
    m_pSimTimer->stop();
    return;
  }
  core.GetScanDriver().Tick();
  core.Scan();
  m_pView->update();
}

bool CChildFrame::OnUpdateCmdUI(CCmdUI* ui) {
  if (m_pView && ui->m_nID == ID_SIMULATION) {
    ui->Enable(true);
    ui->SetCheck(m_pView->Core().IsSimulating() ? 1 : 0);
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
