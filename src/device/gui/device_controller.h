// CDeviceController: the main frame's side of the device link. It plugs the device
// commands into the shell (PC->Device, Clear User Program and Password, COM
// Configuration), runs each operation from the event loop as a posted
// WM_DEVICE_OPERATION would, and gives the link its windows: the information bar,
// the progress dialog, COM Configuration and the repaints while the link waits.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "device/device_link.h"

class QWidget;

class CShell;
class CTransferProgressDlg;
class CPasswordDlg;
class CSetClockDlg;
class CSummerTimeDlg;
class CWifiSetupDlg;
class CIOStatus;
class CRemoteWifiSetup;
class CZaradDoc;
class DocumentWindow;

class CDeviceController : public QObject, public CDeviceHost {
  Q_OBJECT

 public:
  // Plugs the device commands into the shell; the dialogs belong to its main window.
  explicit CDeviceController(CShell& shell);
  ~CDeviceController() override;

  CDeviceLink& Link() { return m_link; }
  // Runs the operation once the current command has returned.
  void PostDeviceOperation(int operation, UINT flags = 0);
  // COM Configuration: on OK the chosen port becomes the link's port.
  void OnComConfiguration();
  CTransferProgressDlg* ProgressDialog() const { return m_pProgress; }

  // Compiles a document into what the download sends; false (its message shown) stops.
  using Compiler = std::function<bool(CZaradDoc& doc, TransferImage* image)>;
  void SetCompiler(Compiler compiler) { m_compiler = std::move(compiler); }
  // Runs COM Configuration in place of the dialog (tests): the port chosen, or
  // empty for Cancel.
  using PortChooser = std::function<std::string(const std::string& preset)>;
  void SetPortChooser(PortChooser chooser) { m_chooser = std::move(chooser); }
  // Shows a device dialog (DeviceDialogKind) once its settings were read; the
  // clock, summer/winter and WiFi dialogs plug in here.
  using DialogShower = std::function<void(int kind, DeviceSettings& settings)>;
  // Without one the controller shows its own dialogs.
  void SetDialogShower(DialogShower shower) { m_shower = std::move(shower); }
  // The device dialogs while their windows exist.
  CSetClockDlg* ClockDialog() const;
  CSummerTimeDlg* SummerTimeDialog() const;
  CWifiSetupDlg* WifiDialog() const;
  // "I/O Status...": the modal monitor, run by exec() unless a test drives it.
  void OnIoStatus();
  using IoStatusRunner = std::function<void(CIOStatus& dialog)>;
  void SetIoStatusRunner(IoStatusRunner runner) { m_ioRunner = std::move(runner); }
  CRemoteWifiSetup* RemoteWifiDialog() const;
  // Rebuilds an uploaded image into a new document (DecodeProgramImage unless a
  // test puts another in its place): false with a sentence for the user.
  using Decoder =
      std::function<bool(const ProgramImage& image, WORD modelCode, CZaradDoc& doc, CString& error)>;
  void SetDecoder(Decoder decoder) { m_decoder = std::move(decoder); }
  // Runs the password dialog, by exec() unless a test drives it: the dialog's result.
  using PasswordRunner = std::function<int(CPasswordDlg& dialog)>;
  void SetPasswordRunner(PasswordRunner runner) { m_passwordRunner = std::move(runner); }

  // ---- CDeviceHost ----------------------------------------------------------------
  void AppendInfo(const CString& text) override;
  bool HasProgressDialog() override;
  void CreateProgressDialog() override;
  void SetProgress(int percent, int phase) override;
  void DestroyProgressDialog() override;
  void Idle() override;
  bool ChoosePort() override;
  bool CheckDownload() override;
  bool CompileActiveDocument(TransferImage* image) override;
  CZaradDoc* ActiveDocument() override;
  void DownloadFinished() override;
  void ShowDeviceDialog(int kind) override;
  int AskPassword(BYTE password[8]) override;
  bool OpenUploadedProgram(const UploadedProgram& program) override;

 protected:
  // While a transfer runs the main window does not close under it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CShell& m_shell;
  QWidget* m_pOwner;  // the main window
  CDeviceLink m_link;
  CTransferProgressDlg* m_pProgress = nullptr;
  Compiler m_compiler;
  PortChooser m_chooser;
  DialogShower m_shower;
  IoStatusRunner m_ioRunner;
  Decoder m_decoder;
  PasswordRunner m_passwordRunner;
  QPointer<CSetClockDlg> m_pClock;
  QPointer<CSummerTimeDlg> m_pSummer;
  QPointer<CWifiSetupDlg> m_pWifi;
  QPointer<CRemoteWifiSetup> m_pRemoteWifi;
  // The FBD window a ladder diagram was converted into for the running download,
  // and the ladder diagram's window, active again once the conversion closes.
  DocumentWindow* m_pConverted = nullptr;
  DocumentWindow* m_pLadderWindow = nullptr;
};
