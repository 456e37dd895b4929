#include "device/gui/device_controller.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QProgressBar>

#include "platform/command_target.h"
#include "app/document_window.h"
#include "app/main_frame.h"
#include "platform/resource_ids.h"
#include "device/download_prep.h"
#include "device/gui/com_config_dlg.h"
#include "device/gui/transfer_progress_dlg.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

CDeviceController::CDeviceController(CMainFrame* frame)
    : QObject(frame), m_pFrame(frame), m_link(this), m_compiler(CompileForDownload) {
  setObjectName("deviceController");
  auto idle = [this](CCmdUI* ui) { ui->Enable(!m_link.IsBusy()); };
  // PC->Device sends the active diagram: there must be one, and it must not be locked.
  m_pFrame->SetCommandHandler(
      ID_PC_TO_DEVICE, [this] { PostDeviceOperation(kOpDownload); },
      [this](CCmdUI* ui) {
        CZaradDoc* doc = ActiveDocument();
        ui->Enable(!m_link.IsBusy() && doc && !doc->m_bLocked);
      });
  m_pFrame->SetCommandHandler(ID_CLEAR_PROGRAM, [this] { PostDeviceOperation(kOpClearProgram); }, idle);
  m_pFrame->SetCommandHandler(ID_COM_CONFIGURATION, [this] { OnComConfiguration(); }, idle);
}

CDeviceController::~CDeviceController() = default;

void CDeviceController::PostDeviceOperation(int operation, UINT flags) {
  QMetaObject::invokeMethod(
      this,
      [this, operation, flags] {
        m_link.OnDeviceOperation(operation, flags);
        m_pFrame->UpdateCommandUI();
      },
      Qt::QueuedConnection);
}

void CDeviceController::OnComConfiguration() {
  const std::string preset = m_link.PortPath();
  if (m_chooser) {
    m_link.SetPortPath(m_chooser(preset));
    return;
  }
  CComConfigDlg dlg(
      preset,
      [this](const std::string& path) {
        int error = 0;
        return m_link.ProbeComPort(&error, 0, path);
      },
      m_pFrame);
  if (dlg.exec() == QDialog::Accepted) m_link.SetPortPath(dlg.Port());
}

// ---- CDeviceHost ---------------------------------------------------------------------

void CDeviceController::AppendInfo(const CString& text) {
  m_pFrame->AppendInfoText(u"%ls", text.GetString());
}

bool CDeviceController::HasProgressDialog() {
  return m_pProgress && m_pProgress->isVisible();
}

void CDeviceController::CreateProgressDialog() {
  if (!m_pProgress) m_pProgress = new CTransferProgressDlg(m_pFrame);
  m_pProgress->ProgressBar()->setRange(0, 100);
  m_pProgress->ProgressBar()->setValue(0);
  m_pProgress->show();
}

void CDeviceController::SetProgress(int percent, int phase) {
  m_pProgress->OnTransferProgress(percent, phase);
  m_pProgress->repaint();
}

void CDeviceController::DestroyProgressDialog() {
  if (m_pProgress) m_pProgress->hide();
}

void CDeviceController::Idle() {
  // Paint and timers go on; the user's input waits until the transfer is over.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool CDeviceController::ChoosePort() {
  OnComConfiguration();
  return !m_link.PortPath().empty();
}

bool CDeviceController::CheckDownload() {
  CZaradDoc* doc = ActiveDocument();
  if (!doc) return false;
  if (doc->IsLadder()) {
    // A ladder diagram goes to the device as its FBD conversion.
    if (!CheckDocumentForDownload(*doc) || !m_pFrame->SendCommand(ID_CONVERT_TO_FBD)) return false;
    doc = ActiveDocument();
    if (!doc) return false;
  }
  return CheckDocumentForDownload(*doc);
}

bool CDeviceController::CompileActiveDocument(TransferImage* image) {
  CZaradDoc* doc = ActiveDocument();
  if (!doc) return false;
  return m_compiler(*doc, image);
}

CZaradDoc* CDeviceController::ActiveDocument() {
  DocumentWindow* window = m_pFrame->GetActiveDocumentWindow();
  return window ? window->GetDocument() : nullptr;
}
