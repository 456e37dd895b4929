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
constexpr int kDialogClock = 4;
constexpr int kDialogSummerTime = 5;
constexpr int kDialogWifi = 7;
constexpr int kDialogRemoteWifi = 8;

// String-table ids of the link's messages.
constexpr UINT IDS_DOWNLOAD_FAILED = 594;
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
};

class CDeviceLink {
 public:
  explicit CDeviceLink(CDeviceHost* host);
  ~CDeviceLink();

  // ---- Port ----------------------------------------------------------------------
  // The chosen port: a device path; empty until the user chooses one.
  void SetPortPath(const std::string& path) { m_portPath = path; }
  const std::string& PortPath() const { return m_portPath; }
  bool IsPortOpen() const { return m_port.IsOpen(); }
  // Opens the chosen port at 115200 8N1; shows why and "%s fail to open" on failure.
  bool ConnectComPort();
  void DisconnectComPort();
  bool OpenComPort(const LineSettings& settings);
  void CloseComPort();
  // Throws away unread input, then writes the whole frame.
  bool WriteComPort(const BYTE* frame, int length, int* error);
  // Reads *expected bytes within timeoutMs (a 17-byte start reply may stand for 19).
  bool ReadComPort(BYTE* buffer, int* expected, int* error, int timeoutMs);
  // Automatic Detection: an EndDownload frame to the port and an 8-byte answer within
  // 3000 ms. 1 when it answered or did not open (its messages already shown), else 0.
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
  bool WriteDeviceSetting(const BYTE* record, int length, int* error, UINT flag, UINT allFlags, WORD address);
  bool ReadDeviceSetting(BYTE* buffer, int size, int byteCount, int* error, UINT flag);
  bool ReadIdentityOfType(BYTE type, BYTE* info, int* error);
  void RemoteWifiFactoryReset();
  void Log(const CString& text);
  void Log(const char16_t* text) { Log(CString(text)); }
  int Scaled(int ms) const;
  void Wait(int ms);

  CDeviceHost* m_host;
  CModBus m_modbus;
  CTermiosPort m_port;
  std::string m_portPath;
  bool m_bLinkOpen = false;
  int m_currentOperation = 0;
  bool m_busy = false;
  bool m_lastAborted = false;
  int m_lastError = 0;
  double m_timeScale = 1.0;
  DeviceSettings m_settings;
};
