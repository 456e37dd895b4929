// CDeviceLink: the device operations of the main frame without its window. It opens
// the serial port with the link's fixed settings, runs one operation (download,
// clear, the settings transfers, the probe) frame by frame against the port, writes
// its lines to the information bar and its progress to the progress dialog through a
// host, and closes the port again. Messages go through the message sink.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/device_settings.h"
#include "device/modbus.h"
#include "device/serial_port.h"
#include "image/download_image.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CZaradDoc;

// DeviceOperation: what WM_DEVICE_OPERATION asks for.
enum DeviceOperation : int {
  kOpRunStop = 3,
  kOpDownload = 5,
  kOpUpload = 6,
  kOpClearProgram = 12,
  kOpIoStatus = 13,
  kOpWifiSetup = 14,
  kOpClockDialog = 18,
  kOpSummerTime = 19,
  kOpDeviceSetting = 23,
  kOpRemoteWifiSetup = 26,
  kOpRemoteWifiFactoryReset = 27,
  kOpShowProgress = 32,
  kOpCancel = 85,
};

// LinkError values beside 0, the ReplyCheckResult codes and the system errors.
constexpr int kLinkAlreadyReported = 8900;
constexpr int kLinkTimeout = 9000;
constexpr int kLinkException = 9011;

// TransferProgressPhase: what the progress dialog says.
constexpr int kPhaseOther = 2;
constexpr int kPhaseUpload = 6;
constexpr int kPhaseDownload = 7;

// DeviceDialogKind values the link asks its host to show.
constexpr int kDialogPassword = 2;
constexpr int kDialogClock = 4;
constexpr int kDialogSummerTime = 5;
constexpr int kDialogWifi = 7;
constexpr int kDialogRemoteWifi = 8;

// String-table ids of the link's messages.
constexpr UINT IDS_DOWNLOAD_FAILED = 594;
constexpr UINT IDS_UPLOAD_FAILED = 595;
constexpr UINT IDS_PROGRAM_EMPTY = 596;
constexpr UINT IDS_WRONG_PASSWORD = 615;
constexpr UINT IDS_DRAWING_BLOCKS = 634;
constexpr UINT IDS_DRAWING_DONE = 635;
constexpr UINT IDS_CLEAR_FAILED = 597;
constexpr UINT IDS_PASSWORD_LETTERS = 602;
constexpr UINT IDS_INTERNAL_ERROR = 604;
constexpr UINT IDS_CHECK_CABLE = 631;
constexpr UINT IDS_CONFIRM_CLEAR = 633;
constexpr UINT IDS_DEVICE_TO_PC = 638;
constexpr UINT IDS_PC_TO_DEVICE = 639;

// Device registers and sizes.
constexpr WORD kRegIdentification = 210;
constexpr WORD kRegCalibration = 262;
constexpr WORD kRegClock = 301;
constexpr WORD kRegFactoryReset = 666;
constexpr WORD kRegWifi = 9160;
constexpr WORD kRegTableImage = 0x8C00;
constexpr WORD kRegProgramArea = 0xA000;
constexpr int kTableImageBytes = 10240;
constexpr int kMaxProgramBytes = 0x6000;
constexpr int kClearBytes = 8576;
constexpr int kFrameDataBytes = 128;  // 64 registers a data frame
constexpr int kMessageTextPageBytes = 1280;

// A compiled program as it goes to the device: the send copies (register order) of
// the table image, the program area and the message-text pages, and the model the
// program was compiled for.
struct TransferImage {
  WORD modelCode = 0;
  WORD second = 0;
  WORD minFirmware = 0;
  std::vector<BYTE> table;    // 10240 bytes
  std::vector<BYTE> program;  // a multiple of 128 bytes, at most 0x6000
  std::vector<BYTE> texts;    // newer series only: 1280 bytes per message-text block
};

// A program read back from a device: the table image, the program area and the
// message-text pages in image byte order, and the device model it was made for.
struct UploadedProgram {
  ProgramImage image;
  WORD modelCode = 0;
};

// Password states of an upload: the password dialog's result, or rejected.
constexpr int kPasswordRejected = 0;
constexpr int kPasswordGiven = 1;
constexpr int kPasswordCancelled = 2;

// What the link needs of the windows around it.
class CDeviceHost {
 public:
  virtual ~CDeviceHost() = default;
  // Appends a text to the information bar (line ends are "\n").
  virtual void AppendInfo(const CString& text) = 0;
  // The transfer progress dialog.
  virtual bool HasProgressDialog() = 0;
  virtual void CreateProgressDialog() = 0;
  virtual void SetProgress(int percent, int phase) = 0;
  virtual void DestroyProgressDialog() = 0;
  // Called while the link waits for the device: keeps the windows painted.
  virtual void Idle() {}
  // Runs COM Configuration; false when the user chose no port.
  virtual bool ChoosePort() { return false; }
  // The checks before a download opens the port; false (its message shown) stops.
  virtual bool CheckDownload() { return true; }
  // Compiles the active document for a download; false (its message shown) stops.
  virtual bool CompileActiveDocument(TransferImage* image) { return false; }
  // Called once a download operation has ended (the port closed again).
  virtual void DownloadFinished() {}
  // The document of the active diagram view, or null.
  virtual CZaradDoc* ActiveDocument() { return nullptr; }
  // Shows a device dialog (DeviceDialogKind) after its settings were read.
  virtual void ShowDeviceDialog(int kind) {}
  // The password dialog of an upload: kPasswordGiven with the 8 password bytes (the
  // low byte of each letter, 0xFF after the last), or kPasswordCancelled.
  virtual int AskPassword(BYTE password[8]) { return kPasswordCancelled; }
  // Rebuilds an uploaded program as a new FBD document and shows it; false (its
  // message shown, no window left) when it could not.
  virtual bool OpenUploadedProgram(const UploadedProgram& program) { return false; }
};

class CDeviceLink {
 public:
  // The link runs against port; without one it opens the system's serial devices.
  explicit CDeviceLink(CDeviceHost* host, std::unique_ptr<CSerialPort> port = nullptr);
  ~CDeviceLink();

  // ---- Port ----------------------------------------------------------------------
  // The chosen port: a device path; empty until the user chooses one.
  void SetPortPath(const std::string& path) { m_portPath = path; }
  const std::string& PortPath() const { return m_portPath; }
  bool IsPortOpen() const { return m_port->IsOpen(); }
  // Opens the chosen port at 115200 8N1; on failure one message says which port did
  // not open and why.
  bool ConnectComPort();
  void DisconnectComPort();
  // Opens the chosen port; on failure *why (when given) says why; shows nothing.
  bool OpenComPort(const LineSettings& settings, CString* why = nullptr);
  // "<port> fail to open, Please check!" and the reason.
  CString OpenFailureText(const CString& why) const;
  void CloseComPort();
  // Throws away unread input, then writes the whole frame.
  bool WriteComPort(const BYTE* frame, int length, int* error);
  // Reads *expected bytes within timeoutMs (a 17-byte start reply may stand for 19).
  bool ReadComPort(BYTE* buffer, int* expected, int* error, int timeoutMs);
  // Automatic Detection: an EndDownload frame to the port and an 8-byte answer within
  // 3000 ms. 1 when it answered or did not open (its message already shown), else 0.
  int ProbeComPort(int* error, BYTE success, const std::string& path);

  // ---- Dispatcher --------------------------------------------------------------------
  // Runs a DeviceOperation with its DeviceSettingFlags.
  void OnDeviceOperation(int operation, UINT flags = 0);
  int CurrentOperation() const { return m_currentOperation; }
  bool IsBusy() const { return m_busy; }
  // Progress: kind 2 with a percentage, kind -1 when the transfer failed.
  void ReportProgress(int kind, int value);

  // ---- Transfers -------------------------------------------------------------------------
  bool ReadDeviceInfo(BYTE* buffer, int size, int* error);
  // Sends the image and proves it; 0 on any failure, also when the device was told
  // that the transfer failed. LastTransferAborted tells whether the end frame went out.
  int TransferDownload(const TransferImage& image);
  bool LastTransferAborted() const { return m_lastAborted; }
  // The download of a compiled image with its messages; true on success.
  bool DownloadProgram(const TransferImage& image);
  // Asks, then clears the device's program and password. 1 when the user confirmed.
  int ClearProgram();
  int TransferClear();
  // One settings group per call (the first that the flags name); 2 or 0.
  int TransferDeviceSettings(UINT flags);
  // Device->PC: reads the program back and hands it to the host as a new document.
  // Non-zero when the transfer itself went through.
  int UploadProgram();
  // The transfer of an upload: 1, or 0 for a failed link; *out holds the image read
  // when the password state is kPasswordGiven and UploadProgramSize() is above 0.
  int TransferUpload(UploadedProgram* out);
  int PasswordState() const { return m_nPasswordState; }
  // The program-area bytes the device reported: 0 before the start, -1 empty.
  int UploadProgramSize() const { return m_nUploadProgramSize; }
  DeviceSettings& Settings() { return m_settings; }

  // Stretches every time-out and pause (tests run quicker with a small factor).
  void SetTimeScale(double scale) { m_timeScale = scale; }
  const CModBus& ModBus() const { return m_modbus; }
  // The station address of the requests that follow (the I/O monitor's device address).
  void SetStation(BYTE station) { m_modbus.SetStation(station); }
  CDeviceHost* Host() const { return m_host; }
  // Reads the device clock (one attempt); the time fields of time are set.
  bool ReadClock(SYSTEMTIME* time, int* error);
  // A pause on the monotonic clock (time scale applied), the window kept alive.
  void Pause(int ms) { Wait(ms); }
  int LastError() const { return m_lastError; }

 private:
  bool StartDownloadSession(int* error, int mode, const TransferImage* image);
  bool WriteArea(BYTE function, const std::vector<BYTE>& data, WORD start, int* counter, int estimate,
                 int* error, bool fixedTimeout);
  // False on a failed exchange (error set) or a mismatch (logged, error 0).
  bool VerifyArea(BYTE function, const std::vector<BYTE>& data, WORD start, int* counter, int estimate,
                  int* error, bool texts);
  bool EndDownloadSession(int* error, BYTE success, int mode);
  // The error policy of a failed download or upload step (its line logged): true
  // to abort at once (errors 1 to 8999); else the transfer goes on to its end frame
  // with the success byte cleared, and a time-out or exception reply fails it.
  bool StepFailed(const char16_t* line, int error, int* result, BYTE* success);
  // One read of 64 registers from reg (function 3 or 121) into reply, its data from
  // byte 3 on; false with the error word set (a failed check logged). *frameBytes:
  // the bytes of request and reply.
  bool ReadDataFrame(BYTE function, WORD reg, BYTE* reply, int* frameBytes, int* error);
  bool WriteDeviceSetting(const BYTE* record, int length, int* error, UINT flag, UINT allFlags, WORD address);
  bool ReadDeviceSetting(BYTE* buffer, int size, int byteCount, int* error, UINT flag);
  bool ReadIdentityOfType(BYTE type, BYTE* info, int* error);
  // 1 (no password), 2 (password required) or 0.
  int StartUploadSession(int* error, UploadSizes* sizes);
  bool SendPassword(int* error);
  // Reads bytes from start on in frames of 64 registers (function 3 or 121).
  bool ReadUploadArea(BYTE function, WORD start, int bytes, std::vector<BYTE>* out, int* done, int estimate,
                      int* error);
  bool EndUploadSession(int* error, BYTE success);
  void RemoteWifiFactoryReset();
  void Log(const CString& text);
  void Log(const char16_t* text) { Log(CString(text)); }
  int Scaled(int ms) const;
  void Wait(int ms);

  CDeviceHost* m_host;
  CModBus m_modbus;
  std::unique_ptr<CSerialPort> m_port;
  std::string m_portPath;
  bool m_bLinkOpen = false;
  int m_currentOperation = 0;
  bool m_busy = false;
  bool m_lastAborted = false;
  int m_lastError = 0;
  double m_timeScale = 1.0;
  int m_nPasswordState = kPasswordGiven;
  int m_nUploadProgramSize = 0;
  WORD m_wDeviceModel = 0;     // the identification's model code of the running upload
  CString m_strUploadRefusal;  // why the device's start reply was refused (shown to the user)
  DeviceSettings m_settings;
};
