#include "device/gui/device_controller.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QProgressBar>
#include <QWidget>
#include <algorithm>

#include "device/download_prep.h"
#include "device/gui/clock_dlg.h"
#include "device/gui/com_config_dlg.h"
#include "device/gui/io_status_dlg.h"
#include "device/gui/password_dlg.h"
#include "device/gui/summer_time_dlg.h"
#include "device/gui/transfer_progress_dlg.h"
#include "device/gui/wifi_setup_dlg.h"
#include "image/image_decoder.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/command_target.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "shell/document_window.h"
#include "shell/shell.h"

CDeviceController::CDeviceController(CShell& shell)
    : QObject(shell.MainWindow()),
      m_shell(shell),
      m_pOwner(shell.MainWindow()),
      m_link(this),
      m_compiler([](CZaradDoc& doc, TransferImage* image) { return CompileForDownload(doc, image); }),
      m_decoder(DecodeProgramImage) {
  setObjectName("deviceController");
  auto idle = [this](CCmdUI* ui) { ui->Enable(!m_link.IsBusy()); };
  // PC->Device sends the active diagram: there must be one, and it must not be locked.
  m_shell.SetCommandHandler(
      ID_PC_TO_DEVICE, [this] { PostDeviceOperation(kOpDownload); },
      [this](CCmdUI* ui) {
        CZaradDoc* doc = ActiveDocument();
        ui->Enable(!m_link.IsBusy() && doc && !doc->m_bLocked);
      });
  m_shell.SetCommandHandler(
      ID_CLEAR_PROGRAM, [this] { PostDeviceOperation(kOpClearProgram); }, idle);
  // Device->PC needs no diagram: the program comes back as a new one.
  m_shell.SetCommandHandler(
      ID_DEVICE_TO_PC, [this] { PostDeviceOperation(kOpUpload); }, idle);
  // The settings reads: each reads the device, then shows its dialog.
  m_shell.SetCommandHandler(
      ID_CLOCK_SETTING, [this] { PostDeviceOperation(kOpClockDialog); }, idle);
  m_shell.SetCommandHandler(
      ID_SUMMER_TIME, [this] { PostDeviceOperation(kOpSummerTime); }, idle);
  m_shell.SetCommandHandler(
      ID_WIFI_SETUP, [this] { PostDeviceOperation(kOpWifiSetup); }, idle);
  m_shell.SetCommandHandler(
      ID_REMOTE_WIFI_SETUP, [this] { PostDeviceOperation(kOpRemoteWifiSetup); }, idle);
  m_shell.SetCommandHandler(
      ID_IO_STATUS, [this] { OnIoStatus(); }, idle);
  m_shell.SetCommandHandler(
      ID_COM_CONFIGURATION, [this] { OnComConfiguration(); }, idle);
  m_pOwner->installEventFilter(this);
}

bool CDeviceController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pOwner && event->type() == QEvent::Close && m_link.IsBusy()) {
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

CDeviceController::~CDeviceController() = default;

void CDeviceController::PostDeviceOperation(int operation, UINT flags) {
  QMetaObject::invokeMethod(
      this,
      [this, operation, flags] {
        m_link.OnDeviceOperation(operation, flags);
        // A read while the clock dialog is open shows its values at once.
        if (operation == kOpDeviceSetting && (flags & (kClockRead | kCalibrationRead)) && m_pClock)
          m_pClock->UpdateControls();
        m_shell.UpdateCommandUI();
      },
      Qt::QueuedConnection);
}

void CDeviceController::OnIoStatus() {
  if (m_link.IsBusy()) return;
  CZaradDoc* doc = ActiveDocument();
  const int series = (doc ? doc->m_wModelCode : g_CurrentModelCode) >> 8;
  CIOStatus dialog(m_link, series, m_pOwner);
  if (m_ioRunner) {
    m_ioRunner(dialog);
  } else {
    dialog.exec();
  }
  m_shell.UpdateCommandUI();
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
      m_pOwner);
  if (dlg.exec() == QDialog::Accepted) m_link.SetPortPath(dlg.Port());
}

// ---- CDeviceHost ---------------------------------------------------------------------

void CDeviceController::AppendInfo(const CString& text) {
  m_shell.AppendInformation(text);
}

bool CDeviceController::HasProgressDialog() {
  return m_pProgress && m_pProgress->isVisible();
}

void CDeviceController::CreateProgressDialog() {
  if (!m_pProgress) m_pProgress = new CTransferProgressDlg(m_pOwner);
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
  m_pConverted = nullptr;
  m_pLadderWindow = nullptr;
  CZaradDoc* doc = ActiveDocument();
  if (!doc) return false;
  if (doc->IsLadder()) {
    // A ladder diagram goes to the device as its FBD conversion, which closes afterwards.
    DocumentWindow* ladder = m_shell.GetActiveDocumentWindow();
    if (!CheckDocumentForDownload(*doc) || !m_shell.SendCommand(ID_CONVERT_TO_FBD)) return false;
    m_pLadderWindow = ladder;
    DocumentWindow* converted = m_shell.GetActiveDocumentWindow();
    doc = ActiveDocument();
    if (!doc || doc->IsLadder()) return false;
    if (!CheckDocumentForDownload(*doc)) return false;
    m_pConverted = converted;
    return true;
  }
  return CheckDocumentForDownload(*doc);
}

void CDeviceController::DownloadFinished() {
  DocumentWindow* converted = m_pConverted;
  DocumentWindow* ladder = m_pLadderWindow;
  m_pConverted = nullptr;
  m_pLadderWindow = nullptr;
  if (!converted) return;
  auto isOpen = [this](DocumentWindow* window) {
    const auto windows = m_shell.GetDocumentWindows();
    return std::find(windows.begin(), windows.end(), window) != windows.end();
  };
  if (!isOpen(converted)) return;
  converted->SetModifiedFlag(false);
  m_shell.CloseDocumentWindow(converted);
  // The ladder diagram that was sent is the active window again.
  if (ladder && isOpen(ladder)) m_shell.ActivateDocumentWindow(ladder);
}

CSetClockDlg* CDeviceController::ClockDialog() const {
  return m_pClock;
}
CSummerTimeDlg* CDeviceController::SummerTimeDialog() const {
  return m_pSummer;
}
CWifiSetupDlg* CDeviceController::WifiDialog() const {
  return m_pWifi;
}
CRemoteWifiSetup* CDeviceController::RemoteWifiDialog() const {
  return m_pRemoteWifi;
}

void CDeviceController::ShowDeviceDialog(int kind) {
  if (m_shower) {
    m_shower(kind, m_link.Settings());
    return;
  }
  auto post = [this](UINT flags) { PostDeviceOperation(kOpDeviceSetting, flags); };
  QDialog* dialog = nullptr;
  switch (kind) {
    case kDialogClock:
      if (!m_pClock) m_pClock = new CSetClockDlg(m_link.Settings(), post, m_pOwner);
      dialog = m_pClock;
      break;
    case kDialogSummerTime:
      if (!m_pSummer) m_pSummer = new CSummerTimeDlg(m_link.Settings(), post, m_pOwner);
      dialog = m_pSummer;
      break;
    case kDialogWifi:
      // Each read starts the dialog anew from the device's values.
      if (m_pWifi) m_pWifi->close();
      m_pWifi = new CWifiSetupDlg(m_link.Settings(), post, m_pOwner);
      dialog = m_pWifi;
      break;
    case kDialogRemoteWifi: {
      if (m_pRemoteWifi) m_pRemoteWifi->close();
      auto send = [this](int operation) {
        m_link.OnDeviceOperation(operation, 0);
        m_shell.UpdateCommandUI();
      };
      m_pRemoteWifi = new CRemoteWifiSetup(m_link.Settings(), post, send, m_pOwner);
      dialog = m_pRemoteWifi;
      break;
    }
    default:
      return;
  }
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

bool CDeviceController::CompileActiveDocument(TransferImage* image) {
  CZaradDoc* doc = ActiveDocument();
  if (!doc) return false;
  return m_compiler(*doc, image);
}

CZaradDoc* CDeviceController::ActiveDocument() {
  return m_shell.GetActiveDocument();
}

// ---- Upload ---------------------------------------------------------------------------

int CDeviceController::AskPassword(BYTE password[8]) {
  CPasswordDlg dialog(m_pOwner);
  const int result = m_passwordRunner ? m_passwordRunner(dialog) : dialog.exec();
  if (result != QDialog::Accepted) return kPasswordCancelled;
  dialog.CopyPassword(password);
  return kPasswordGiven;
}

bool CDeviceController::OpenUploadedProgram(const UploadedProgram& program) {
  // A new FBD window of the uploaded model, without the program properties a new
  // file may show.
  DocumentWindow* window = m_shell.NewDocumentWindowFor(program.modelCode);
  CZaradDoc* doc = window ? window->GetDocument() : nullptr;
  if (!doc || doc->IsLadder()) {
    AfxMessageBox(IDS_UPLOAD_FAILED, MB_OK | MB_ICONSTOP);
    return false;
  }
  AppendInfo(LoadString(IDS_DRAWING_BLOCKS));
  CString error;
  bool decoded = false;
  try {
    decoded = m_decoder(program.image, program.modelCode, *doc, error);
  } catch (const std::exception& e) {
    error = CString(e.what());
  }
  if (!decoded) {
    // No half-built diagram stays behind.
    window->SetModifiedFlag(false);
    m_shell.CloseDocumentWindow(window);
    CString text = LoadString(IDS_UPLOAD_FAILED);
    if (!error.IsEmpty()) {
      AppendInfo(error + u"\n");
      text += CString(u"\n") + error;
    }
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    return false;
  }
  // The history starts at the finished diagram; it has not been saved yet.
  doc->m_undo.RestartWith(doc);
  window->SetModifiedFlag(true);
  g_CurrentModelCode = doc->m_wModelCode;
  m_shell.OnActiveDocumentChanged();
  window->InvalidateDiagram();
  AppendInfo(LoadString(IDS_DRAWING_DONE));
  return true;
}
