#include "device/device_link.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>

#include "image/image_layout.h"
#include "model/model_table.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"
#include "platform/ms_clock.h"
#include "platform/string_table.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

// Replies of the link are at most a byte count of 255 plus the frame around it.
constexpr int kReplyBuffer = 264;
// How long one wait for input lasts before the windows get a turn.
constexpr int kReadSliceMs = 20;

bool IsAbortError(int error) {
  return error >= 1 && error <= 8999;
}

}  // namespace

CDeviceLink::CDeviceLink(CDeviceHost* host, std::unique_ptr<CSerialPort> port)
    : m_host(host), m_port(port ? std::move(port) : std::make_unique<CTermiosPort>()) {}

CDeviceLink::~CDeviceLink() {
  CloseComPort();
}

int CDeviceLink::Scaled(int ms) const {
  return std::max(1, static_cast<int>(ms * m_timeScale));
}

void CDeviceLink::Wait(int ms) {
  const auto end = SteadyClock::now() + std::chrono::milliseconds(Scaled(ms));
  while (SteadyClock::now() < end) {
    m_host->Idle();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - SteadyClock::now()).count();
    WaitMs(static_cast<int>(std::min<long long>(left, kReadSliceMs)));
  }
}

void CDeviceLink::Log(const CString& text) {
  m_host->AppendInfo(text);
}

// ---- Port ------------------------------------------------------------------------------------

bool CDeviceLink::OpenComPort(const LineSettings& settings, CString* why) {
  if (m_port->IsOpen()) CloseComPort();
  CString reason;
  if (!m_port->Open(m_portPath, settings, &reason)) {
    if (why) *why = reason;
    return false;
  }
  return true;
}

CString CDeviceLink::OpenFailureText(const CString& why) const {
  CString text;
  text.Format(u"%hs fail to open, Please check!", m_portPath.c_str());
  if (!why.IsEmpty()) text += u"\nThis Port is not ready!, " + why;
  return text;
}

void CDeviceLink::CloseComPort() {
  m_port->Close();
}

bool CDeviceLink::ConnectComPort() {
  if (m_portPath.empty()) return m_bLinkOpen;
  CString why;
  if (OpenComPort(LineSettings{}, &why)) {
    m_bLinkOpen = true;
    return true;
  }
  m_bLinkOpen = false;
  // One message: the port and why it did not open.
  AfxMessageBox(OpenFailureText(why), MB_OK | MB_ICONSTOP);
  return false;
}

void CDeviceLink::DisconnectComPort() {
  CloseComPort();
  m_bLinkOpen = false;
}

bool CDeviceLink::WriteComPort(const BYTE* frame, int length, int* error) {
  *error = 0;
  if (length <= 0) {
    // A frame the builder refused never goes out.
    *error = kLinkAlreadyReported;
    Log(u"The request frame is too long and was not sent.\n");
    return false;
  }
  m_port->Purge();
  if (!m_port->Write(frame, static_cast<size_t>(length), error)) {
    CString text;
    text.Format(u"Serial port write error: %hs\n", std::strerror(*error));
    Log(text);
    return false;
  }
  return true;
}

bool CDeviceLink::ReadComPort(BYTE* buffer, int* expected, int* error, int timeoutMs) {
  *error = 0;
  const auto start = SteadyClock::now();
  const auto deadline = start + std::chrono::milliseconds(Scaled(timeoutMs));
  int total = 0;
  for (;;) {
    const auto now = SteadyClock::now();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
    const int slice = static_cast<int>(std::clamp<long long>(left, 0, kReadSliceMs));
    const int n = m_port->Read(buffer + total, static_cast<size_t>(*expected - total), slice, error);
    if (n < 0) {
      CString text;
      text.Format(u"Serial port read error: %hs\n", std::strerror(*error));
      Log(text);
      return false;
    }
    total += n;
    if (total >= *expected) return true;
    // A device of the older kind answers a start frame with 17 bytes.
    if (*expected == 19 && total == 17 &&
        ((buffer[1] == kFnStartDownload && buffer[3] == 0x88 && buffer[4] == 0x99) ||
         (buffer[1] == kFnStartUpload && (buffer[3] < 0x22 || buffer[3] == 0xFF)))) {
      *expected = 17;
      return true;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count();
    const long long scaledTimeout = Scaled(timeoutMs);
    if (timeoutMs > 9999) ReportProgress(2, static_cast<int>(elapsed * 100 / scaledTimeout));
    if (elapsed >= scaledTimeout) {
      CString exception;
      if (total == 5 && CModBus::FormatExceptionReply(buffer, total, exception) != 0) {
        *error = kLinkException;
        return false;
      }
      CString text;
      text.Format(u"Time Out! Can't Read Data in %d Seconds, Please check!\n", timeoutMs / 1000);
      Log(text);
      *error = kLinkTimeout;
      return false;
    }
    m_host->Idle();
  }
}

int CDeviceLink::ProbeComPort(int* error, BYTE success, const std::string& path) {
  const std::string saved = m_portPath;
  m_portPath = path;
  int result = 1;
  if (ConnectComPort()) {
    BYTE frame[kMaxFrame];
    const int length = m_modbus.BuildEndDownloadRequest(success, frame);
    BYTE reply[kReplyBuffer];
    int expected = 8;
    result = (WriteComPort(frame, length, error) && ReadComPort(reply, &expected, error, 3000)) ? 1 : 0;
  }
  DisconnectComPort();
  m_portPath = saved;
  return result;
}

// ---- Dispatcher ----------------------------------------------------------------------------------

void CDeviceLink::ReportProgress(int kind, int value) {
  if (kind == 2) {
    if (value >= 0 && value <= 100 && !m_host->HasProgressDialog()) m_host->CreateProgressDialog();
    if (!m_host->HasProgressDialog()) return;
    int phase = kPhaseOther;
    if (m_currentOperation == kOpDownload || m_currentOperation == kOpClearProgram) phase = kPhaseDownload;
    if (m_currentOperation == kOpUpload) phase = kPhaseUpload;
    m_host->SetProgress(value, phase);
    if (value >= 100) m_host->DestroyProgressDialog();
  } else if (kind == -1) {
    if (m_host->HasProgressDialog()) m_host->DestroyProgressDialog();
  }
}

void CDeviceLink::OnDeviceOperation(int operation, UINT flags) {
  if (operation < 1 || operation > 32 || m_busy) return;
  switch (operation) {
    case 3:
    case 4:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 15:
    case 24:
    case 25:
    case 28:
    case 29:
    case 30:
    case 31:
      return;
    default:
      break;
  }
  m_currentOperation = operation;
  struct Busy {
    bool& flag;
    explicit Busy(bool& f) : flag(f) { flag = true; }
    ~Busy() { flag = false; }
  } busy(m_busy);
  auto connect = [this] {
    if (m_portPath.empty() && !m_host->ChoosePort()) return false;
    return ConnectComPort();
  };
  auto readThenShow = [&](UINT readFlag, const char16_t* starts, const char16_t* error,
                          const char16_t* succeeds, int dialog) {
    if (!connect()) return;
    Log(starts);
    const bool ok = TransferDeviceSettings(readFlag) != 0;
    if (!ok) {
      Log(error);
      AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
    } else {
      Log(succeeds);
    }
    DisconnectComPort();
    if (ok) m_host->ShowDeviceDialog(dialog);
  };
  switch (operation) {
    case kOpDownload: {
      if (!m_host->CheckDownload() || !connect()) return;
      TransferImage image;
      if (m_host->CompileActiveDocument(&image)) DownloadProgram(image);
      DisconnectComPort();
      Wait(1000);
      m_host->DownloadFinished();
      break;
    }
    case kOpUpload:
      if (connect()) {
        UploadProgram();
        DisconnectComPort();
      }
      Wait(100);
      break;
    case kOpClearProgram:
      if (!connect()) return;
      ClearProgram();
      DisconnectComPort();
      break;
    case kOpWifiSetup:
      readThenShow(kWifiRead, u"WIFI Setup Reading Starts...\n", u"WIFI(0xVelkaXX) Setup Reading Error!\n",
                   u"WIFI Setup Reading Succeeds\n", kDialogWifi);
      break;
    case kOpClockDialog:
      m_host->ShowDeviceDialog(kDialogClock);
      break;
    case kOpSummerTime:
      readThenShow(kSummerTimeRead, u"Summer/Winter Time Reading Starts...\n",
                   u"Summer/Winter Time Reading Error!\n", u"Summer/Winter Time Reading Succeeds\n",
                   kDialogSummerTime);
      break;
    case kOpRemoteWifiSetup:
      readThenShow(kRemoteWifiRead, u"Remote Control WIFI Setup(0xNolva) Reading Starts...\n",
                   u"Recontrol Control WIFI(0xNolva) Setup Reading Error!\n",
                   u"Remote Control WIFI(0xNolva) Setup Reading Succeeds\n", kDialogRemoteWifi);
      break;
    case kOpDeviceSetting: {
      if (!connect()) return;
      if (TransferDeviceSettings(flags) == 0) {
        AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
        static const std::pair<UINT, const char16_t*> kSuspend[] = {
            {kClockWrite, u"Clock Setting Suspend!\n"},
            {kClockRead, u"Clock Reading Suspend!\n"},
            {kCalibrationWrite, u"Clock Calibration Suspend!\n"},
            {kCalibrationRead, u"Clock Calibration Reading Suspend!\n"},
            {kWifiWrite, u"WIFI Setup Setting Suspend!\n"},
            {kRemoteWifiWrite, u"Remote Control WIFI(0xNolva) Setup Setting Suspend!\n"},
        };
        for (const auto& [flag, line] : kSuspend) {
          if (flags & flag) {
            Log(line);
            break;
          }
        }
      } else {
        static const std::pair<UINT, const char16_t*> kSucceed[] = {
            {kClockWrite, u"Clock Setting Succeed!\n"},
            {kCalibrationWrite, u"Clock Calibration Setting Succeed!\n"},
            {kSummerTimeWrite, u"Summer/Winter Time Writing Succeed!\n"},
            {kWifiWrite, u"WIFI Setup Writing Succeed!\n"},
            {kRemoteWifiWrite, u"Remote Control WIFI Setup Writing Succeed!\n"},
            {kClockRead, u"Clock Reading Succeeds\n"},
            {kCalibrationRead, u"Clock Calibration Reading Succeeds\n"},
        };
        for (const auto& [flag, line] : kSucceed) {
          if (flags & flag) {
            Log(line);
            break;
          }
        }
      }
      DisconnectComPort();
      break;
    }
    case kOpRemoteWifiFactoryReset:
      if (!connect()) return;
      RemoteWifiFactoryReset();
      DisconnectComPort();
      break;
    case kOpShowProgress:
      if (!m_host->HasProgressDialog()) m_host->CreateProgressDialog();
      break;
    default:
      break;
  }
}

// ---- Identification and the download session -------------------------------------------------------

bool CDeviceLink::ReadDeviceInfo(BYTE* buffer, int size, int* error) {
  BYTE frame[kMaxFrame];
  const int length = m_modbus.BuildReadRequest(kRegIdentification, 3, frame);
  if (!WriteComPort(frame, length, error)) return false;
  int expected = std::min(11, size);
  if (!ReadComPort(buffer, &expected, error, 3000)) return false;
  const UINT result = m_modbus.CheckReadReply(buffer, expected);
  if (result != kReplyOk) {
    Log(m_modbus.ResultText(result) + u"\n");
    *error = static_cast<int>(result);
    return false;
  }
  return true;
}

bool CDeviceLink::StartDownloadSession(int* error, int mode, const TransferImage* image) {
  BYTE info[kReplyBuffer] = {};
  BYTE type = 0;
  bool identified = true;
  if (ReadDeviceInfo(info, sizeof info, error)) {
    type = info[3];
    // The device must be of the series the program was compiled for.
    if (mode == 1 && type != (image->modelCode >> 8)) {
      Log(m_modbus.ResultText(kReplyMachineTypeMismatch) + u"\n");
      *error = kLinkAlreadyReported;
      return false;
    }
  } else if (*error == kLinkException) {
    // A device without the identification register is of the newer series.
    type = 0x51;
    identified = false;
    *error = 0;
  } else {
    if (*error >= kLinkTimeout) *error = kLinkAlreadyReported;
    return false;
  }
  int expected = type >= 0x51 ? 19 : 17;
  BYTE frame[kMaxFrame];
  const int length = m_modbus.BuildStartDownloadRequest(frame);
  if (!WriteComPort(frame, length, error)) return false;
  Log(mode == 4 ? u"Clear Program and Password Starts...\n" : u"DownLoad Starts...\n");
  BYTE reply[kReplyBuffer];
  if (!ReadComPort(reply, &expected, error, 3000)) return false;
  DeviceIdentity identity;
  if (mode == 4) {
    identity.modelCode = identified ? BigEndianWord(info + 3) : WORD(0x5100);
    identity.minFirmware = identified ? BigEndianWord(info + 7) : WORD(0xC100);
    identity.mode = 4;
  } else {
    identity.modelCode = image->modelCode;
    identity.second = image->second;
    identity.minFirmware = image->minFirmware;
    identity.mode = 1;
  }
  const UINT result = m_modbus.CheckStartDownloadReply(reply, expected, identity);
  if (result != kReplyOk) {
    Log(CString(u"RTU Function Code 100(0x64) Error->") + m_modbus.ResultText(result) + u"\n");
    *error = 0;
    return false;
  }
  return true;
}

bool CDeviceLink::WriteArea(BYTE function, const std::vector<BYTE>& data, WORD start, int* counter,
                            int estimate, int* error, bool fixedTimeout) {
  WORD reg = start;
  bool first = true;
  for (size_t at = 0; at < data.size(); at += kFrameDataBytes) {
    BYTE chunk[kFrameDataBytes];
    std::memset(chunk, 0xFF, sizeof chunk);
    std::memcpy(chunk, data.data() + at, std::min<size_t>(kFrameDataBytes, data.size() - at));
    BYTE frame[kMaxFrame];
    const int length = m_modbus.BuildWriteRequest(reg, kFrameDataBytes / 2, chunk, frame, function);
    if (!WriteComPort(frame, length, error)) return false;
    BYTE reply[kReplyBuffer];
    int expected = 8;
    if (!ReadComPort(reply, &expected, error, (first && !fixedTimeout) ? 6000 : 3000)) return false;
    first = false;
    *counter += length + expected;
    ReportProgress(2, static_cast<int>(static_cast<long long>(*counter) * 100 / estimate));
    reg = static_cast<WORD>(reg + kFrameDataBytes / 2);
  }
  return true;
}

bool CDeviceLink::VerifyArea(BYTE function, const std::vector<BYTE>& data, WORD start, int* counter,
                             int estimate, int* error, bool texts) {
  WORD reg = start;
  for (size_t at = 0; at < data.size(); at += kFrameDataBytes) {
    BYTE reply[kReplyBuffer];
    int frameBytes = 0;
    if (!ReadDataFrame(function, reg, reply, &frameBytes, error)) return false;
    const size_t n = std::min<size_t>(kFrameDataBytes, data.size() - at);
    const BYTE* sent = data.data() + at;
    const BYTE* got = reply + 3;
    if (std::memcmp(sent, got, n) != 0) {
      if (texts) {
        if (at == 0) {
          size_t i = 0;
          while (sent[i] == got[i]) ++i;
          const int pcNext = i + 1 < n ? sent[i + 1] : 0;
          const int devNext = i + 1 < n ? got[i + 1] : 0;
          CString line;
          line.Format(
              u"Data mismatch! The Block data's [%d]th byte not "
              u"match,PC=>[0x%02X%2X],Controller=>[0x%02X%2X]\n",
              0, sent[i], pcNext, got[i], devNext);
          Log(line);
        }
        Log(u"Message Text : PC and Device Data Mismatch!\n");
      } else {
        Log(u"PC and Device Data Mismatch!\n");
      }
      *error = 0;
      return false;
    }
    *counter += frameBytes;
    ReportProgress(2, static_cast<int>(static_cast<long long>(*counter) * 100 / estimate));
    reg = static_cast<WORD>(reg + kFrameDataBytes / 2);
  }
  return true;
}

bool CDeviceLink::ReadDataFrame(BYTE function, WORD reg, BYTE* reply, int* frameBytes, int* error) {
  BYTE frame[kMaxFrame];
  const int length = m_modbus.BuildReadRequest(reg, kFrameDataBytes / 2, frame, function);
  if (!WriteComPort(frame, length, error)) return false;
  int expected = kFrameDataBytes + 5;
  if (!ReadComPort(reply, &expected, error, 3000)) return false;
  const UINT result = m_modbus.CheckReadReply(reply, expected, function);
  if (result != kReplyOk) {
    Log(m_modbus.ResultText(result) + u"\n");
    *error = static_cast<int>(result);
    return false;
  }
  *frameBytes = length + expected;
  return true;
}

bool CDeviceLink::EndDownloadSession(int* error, BYTE success, int mode) {
  BYTE frame[kMaxFrame];
  const int length = m_modbus.BuildEndDownloadRequest(success, frame);
  if (!WriteComPort(frame, length, error)) return false;
  BYTE reply[kReplyBuffer];
  int expected = 8;
  if (!ReadComPort(reply, &expected, error, 3000)) {
    Log(u"RTU Function Code 101(0x65) Receive Error!\n");
    return false;
  }
  if (!m_modbus.CheckEndDownloadReply(reply, expected, success)) {
    Log(u"RTU Function Code 101(0x65) Error!\n");
    return false;
  }
  if (mode == 4) {
    Log(success ? u"Clear Program and Password Succeeds\n" : u"Clear Program and Password Fails\n");
  } else {
    Log(success ? u"DownLoad Succeeds\n" : u"DownLoad Fails\n");
  }
  return true;
}

bool CDeviceLink::StepFailed(const char16_t* line, int error, int* result, BYTE* success) {
  if (line) Log(line);
  m_lastError = error;
  if (IsAbortError(error)) return true;
  if (error >= kLinkTimeout) *result = 0;
  *success = 0;
  return false;
}

// ---- Download and clear ------------------------------------------------------------------------------

int CDeviceLink::TransferDownload(const TransferImage& image) {
  BYTE success = 1;
  int result = 1;
  int error = 0;
  m_lastAborted = false;
  const int textBytes = static_cast<int>(image.texts.size());
  const int areaBytes = kTableImageBytes + static_cast<int>(image.program.size());
  const int estimate = (textBytes * 286) / 128 + (areaBytes * 145) / 128 + (areaBytes * 141) / 128 + 41;
  int counter = 25;
  auto failed = [&](const char16_t* line) { return StepFailed(line, error, &result, &success); };
  ReportProgress(2, 0);
  bool toEnd = false;
  if (!StartDownloadSession(&error, 1, &image)) {
    if (failed(nullptr)) return m_lastAborted = true, 0;
    toEnd = true;
  }
  if (!toEnd) {
    if (!WriteArea(kFnWriteMultiple, image.table, kRegTableImage, &counter, estimate, &error, false) ||
        !WriteArea(kFnWriteMultiple, image.program, kRegProgramArea, &counter, estimate, &error, false)) {
      if (failed(u"Write Data Error!\n")) return m_lastAborted = true, 0;
      toEnd = true;
    }
  }
  if (!toEnd && !image.texts.empty() &&
      !WriteArea(kFnWriteMessageTexts, image.texts, 0, &counter, estimate, &error, true)) {
    if (failed(u"Write Data Error!\n")) return m_lastAborted = true, 0;
    toEnd = true;
  }
  if (!toEnd) {
    Wait(5000);
    if (!VerifyArea(kFnReadHolding, image.table, kRegTableImage, &counter, estimate, &error, false) ||
        !VerifyArea(kFnReadHolding, image.program, kRegProgramArea, &counter, estimate, &error, false)) {
      if (failed(u"Verify Data Error!\n")) return m_lastAborted = true, 0;
      toEnd = true;
    }
  }
  if (!toEnd && !image.texts.empty() &&
      !VerifyArea(kFnReadMessageTexts, image.texts, 0, &counter, estimate, &error, true)) {
    if (failed(u"Verify Message Texts Data Error!\n")) return m_lastAborted = true, 0;
  }
  error = 0;
  if (!EndDownloadSession(&error, success, 1)) {
    m_lastError = error;
    if (IsAbortError(error)) return m_lastAborted = true, 0;
    // A device that did not confirm the end has not taken the program.
    result = 0;
    success = 0;
  }
  ReportProgress(success == 1 ? 2 : -1, 100);
  // The device was told that the transfer failed: so was the user.
  if (success == 0) result = 0;
  return result;
}

bool CDeviceLink::DownloadProgram(const TransferImage& image) {
  if (image.table.size() != kTableImageBytes || image.program.size() % kFrameDataBytes != 0 ||
      image.program.size() > kMaxProgramBytes || image.texts.size() % kMessageTextPageBytes != 0) {
    AfxMessageBox(IDS_INTERNAL_ERROR, MB_OK | MB_ICONSTOP);
    return false;
  }
  if (TransferDownload(image) != 0) return true;
  ReportProgress(-1, 0);
  if (m_lastAborted || m_lastError >= kLinkTimeout) {
    Log(u"DownLoad Suspend!\n");
    AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
  }
  AfxMessageBox(IDS_DOWNLOAD_FAILED, MB_OK | MB_ICONSTOP);
  return false;
}

int CDeviceLink::ClearProgram() {
  if (AfxMessageBox(IDS_CONFIRM_CLEAR, MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;
  if (CZaradDoc* doc = m_host->ActiveDocument()) doc->AdjustBlocksForModel();
  const int result = TransferClear();
  if (result == 0) {
    ReportProgress(-1, 0);
    Log(u"Clear Program Suspend!\n");
    AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
  } else if (result < 0) {
    // The device was told that the clear failed.
    AfxMessageBox(IDS_CLEAR_FAILED, MB_OK | MB_ICONSTOP);
  }
  return 1;
}

int CDeviceLink::TransferClear() {
  const std::vector<BYTE> buffer(kClearBytes, 0xFF);
  const int estimate = (kClearBytes * 145) / 128 + (kClearBytes * 141) / 128 + 41;
  int counter = 25;
  int error = 0;
  BYTE success = 1;
  m_lastAborted = false;
  auto failed = [&](const char16_t* line) {
    if (line) Log(line);
    m_lastError = error;
    if (error >= 1 && error <= kLinkTimeout) return true;
    success = 0;
    return false;
  };
  ReportProgress(2, 0);
  bool toEnd = false;
  if (!StartDownloadSession(&error, 4, nullptr)) {
    if (failed(nullptr)) return m_lastAborted = true, 0;
    toEnd = true;
  }
  if (!toEnd && !WriteArea(kFnWriteMultiple, buffer, kRegTableImage, &counter, estimate, &error, false)) {
    if (failed(u"Write Data Error!\n")) return m_lastAborted = true, 0;
    toEnd = true;
  }
  if (!toEnd && !VerifyArea(kFnReadHolding, buffer, kRegTableImage, &counter, estimate, &error, false)) {
    if (failed(u"Verify Data Error!\n")) return m_lastAborted = true, 0;
  }
  error = 0;
  if (!EndDownloadSession(&error, success, 4)) {
    m_lastError = error;
    if (error >= 1 && error <= kLinkTimeout) return m_lastAborted = true, 0;
    success = 0;
  }
  ReportProgress(success == 1 ? 2 : -1, 100);
  Wait(2000);
  return success == 1 ? 1 : -1;
}

// ---- Upload ------------------------------------------------------------------------------------------

namespace {

// The model an uploaded program was made for: the one its image names, else the
// device's own; 0 when neither is a model the program knows.
WORD UploadedModel(const std::vector<BYTE>& table, WORD deviceModel) {
  const ImageAreaRow* row = FindImageAreaRow(u"M1");
  if (row && table.size() >= static_cast<size_t>(row->nOffset + 2)) {
    const WORD named = ReadWordLE(table.data() + row->nOffset);
    if (GetModelName(named, nullptr, nullptr) >= 0) return named;
  }
  return GetModelName(deviceModel, nullptr, nullptr) >= 0 ? deviceModel : WORD(0);
}

}  // namespace

int CDeviceLink::StartUploadSession(int* error, UploadSizes* sizes) {
  BYTE info[kReplyBuffer] = {};
  int expected = 17;
  if (ReadDeviceInfo(info, sizeof info, error)) {
    expected = info[3] > 0x50 ? 19 : 17;
    m_wDeviceModel = BigEndianWord(info + 3);
  } else if (*error == kLinkException) {
    // A device without the identification register is of the newer series.
    expected = 19;
    m_wDeviceModel = 0x5188;
    *error = 0;
  } else {
    if (*error >= kLinkTimeout) *error = kLinkAlreadyReported;
    return 0;
  }
  BYTE frame[kMaxFrame];
  const int length = m_modbus.BuildStartUploadRequest(frame);
  if (!WriteComPort(frame, length, error)) return 0;
  Log(u"UpLoad Starts...\n");
  BYTE reply[kReplyBuffer];
  if (!ReadComPort(reply, &expected, error, 3000)) return 0;
  const UINT result = m_modbus.CheckStartUploadReply(reply, expected);
  *error = 0;
  if (result >= 3) {
    Log(CString(u"RTU Function Code 102->") + m_modbus.ResultText(result) + u"\n");
    if (result != kReplyNoProgram) m_strUploadRefusal = m_modbus.ResultText(result);
    return 0;
  }
  // The sizes decide how much is read and kept: nothing beyond what an image holds.
  const int check = ReadUploadSizes(reply, expected, sizes);
  if (check != kUploadSizesOk) {
    CString why;
    if (check == kUploadTextSizeInvalid) {
      why.Format(
          u"Message Texts size Error! The device reports %d bytes of message texts; they come in pages of "
          u"%d bytes, at most %d pages.",
          2 * BigEndianWord(reply + 15), kMessageTextPageBytes, kMaxTextPages);
    } else {
      why.Format(
          u"Program size Error! The device reports a program of %d bytes; a program holds %d to %d bytes "
          u"in steps of %d.",
          2 * BigEndianWord(reply + 13), kTableImageBytes, kTableImageBytes + kMaxProgramBytes,
          kFrameDataBytes);
    }
    Log(CString(u"RTU Function Code 102->") + why + u"\n");
    m_strUploadRefusal = why;
    return 0;
  }
  m_nUploadProgramSize = sizes->totalBytes - kTableImageBytes;
  return static_cast<int>(result);
}

bool CDeviceLink::SendPassword(int* error) {
  BYTE typed[8];
  std::memset(typed, 0xFF, sizeof typed);
  m_nPasswordState = m_host->AskPassword(typed) == kPasswordGiven ? kPasswordGiven : kPasswordCancelled;
  if (m_nPasswordState == kPasswordCancelled) return false;
  // The device takes the letters pair by pair, second letter first.
  BYTE swapped[8];
  for (int i = 0; i < 8; ++i) swapped[i] = typed[i ^ 1];
  BYTE frame[kMaxFrame];
  const int length = m_modbus.BuildPasswordRequest(swapped, frame);
  if (!WriteComPort(frame, length, error)) return false;
  BYTE reply[kReplyBuffer];
  int expected = 7;
  if (!ReadComPort(reply, &expected, error, 3000)) return false;
  if (!m_modbus.CheckPasswordReply(reply, expected)) {
    m_nPasswordState = kPasswordRejected;
    return false;
  }
  return true;
}

bool CDeviceLink::ReadUploadArea(BYTE function, WORD start, int bytes, std::vector<BYTE>* out, int* done,
                                 int estimate, int* error) {
  out->clear();
  out->reserve(static_cast<size_t>(bytes));
  WORD reg = start;
  while (static_cast<int>(out->size()) < bytes) {
    BYTE reply[kReplyBuffer];
    int frameBytes = 0;
    if (!ReadDataFrame(function, reg, reply, &frameBytes, error)) return false;
    const int n = std::min(kFrameDataBytes, bytes - static_cast<int>(out->size()));
    out->insert(out->end(), reply + 3, reply + 3 + n);
    *done += n;
    // The end frame is still to come: the dialog stays until the transfer reports 100.
    ReportProgress(2, std::min(99, static_cast<int>(static_cast<long long>(*done) * 100 / estimate)));
    reg = static_cast<WORD>(reg + kFrameDataBytes / 2);
  }
  return true;
}

bool CDeviceLink::EndUploadSession(int* error, BYTE success) {
  BYTE frame[kMaxFrame];
  const int length = m_modbus.BuildEndUploadRequest(success, frame);
  if (!WriteComPort(frame, length, error)) return false;
  BYTE reply[kReplyBuffer];
  int expected = 8;
  if (!ReadComPort(reply, &expected, error, 3000)) return false;
  if (!m_modbus.CheckEndUploadReply(reply, expected, success)) {
    Log(u"RTU Function Code 103 Error!\n");
    return false;
  }
  if (success) {
    Log(u"UpLoad Succeeds\n");
  } else {
    Log((m_nUploadProgramSize != 0 && m_nUploadProgramSize != -1) ? u"UpLoad Fails\n" : u"UpLoad Aborts\n");
  }
  return true;
}

int CDeviceLink::TransferUpload(UploadedProgram* out) {
  int result = 1;
  BYTE success = 1;
  int error = 0;
  m_lastAborted = false;
  m_nPasswordState = kPasswordGiven;
  m_nUploadProgramSize = 0;
  m_wDeviceModel = 0;
  m_strUploadRefusal.Empty();
  auto failed = [&](const char16_t* line) { return StepFailed(line, error, &result, &success); };
  ReportProgress(2, 0);
  UploadSizes sizes;
  bool toEnd = false;
  const int start = StartUploadSession(&error, &sizes);
  if (start == 0 || (start == 2 && !SendPassword(&error))) {
    if (failed(nullptr)) return m_lastAborted = true, 0;
    toEnd = true;
  }
  if (!toEnd) {
    const int estimate = sizes.totalBytes + sizes.textBytes;
    int done = 0;
    std::vector<BYTE> area;
    if (!ReadUploadArea(kFnReadHolding, kRegTableImage, sizes.totalBytes, &area, &done, estimate, &error)) {
      if (failed(u"Read Data Error!\n")) return m_lastAborted = true, 0;
      toEnd = true;
    } else {
      // The table image comes first, the program area right behind it. Both go back
      // into image byte order: the device holds each word as one register.
      const auto split = area.begin() + kTableImageBytes;
      out->image.table = FromRegisterOrder(std::vector<BYTE>(area.begin(), split));
      out->image.program = FromRegisterOrder(std::vector<BYTE>(split, area.end()));
      out->image.pages.clear();
    }
    std::vector<BYTE> texts;
    if (!toEnd && sizes.textBytes > 0) {
      if (!ReadUploadArea(kFnReadMessageTexts, 0, sizes.textBytes, &texts, &done, estimate, &error)) {
        if (failed(u"Read Message Texts Data Error!\n")) return m_lastAborted = true, 0;
      } else {
        out->image.pages = FromRegisterOrder(texts);
      }
    }
  }
  error = 0;
  if (!EndUploadSession(&error, success)) {
    m_lastError = error;
    if (IsAbortError(error)) return m_lastAborted = true, 0;
    if (error >= kLinkTimeout) result = 0;
  }
  if (success == 1) {
    ReportProgress(2, 100);
  } else {
    ReportProgress(-1, 0);
  }
  if (success == 1) out->modelCode = UploadedModel(out->image.table, m_wDeviceModel);
  return result;
}

int CDeviceLink::UploadProgram() {
  try {
    UploadedProgram program;
    const int result = TransferUpload(&program);
    if (result == 0) {
      ReportProgress(-1, 0);
      Log(u"UpLoad Suspend!\n");
      AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
      AfxMessageBox(IDS_UPLOAD_FAILED, MB_OK | MB_ICONSTOP);
      return 0;
    }
    if (m_nPasswordState == kPasswordRejected) {
      AfxMessageBox(IDS_WRONG_PASSWORD, MB_OK | MB_ICONEXCLAMATION);
      m_nPasswordState = kPasswordGiven;
      return 0;
    }
    // The user cancelled the password: the device has been told, nothing more to say.
    if (m_nPasswordState == kPasswordCancelled) return result;
    if (!m_strUploadRefusal.IsEmpty()) {
      AfxMessageBox(LoadString(IDS_UPLOAD_FAILED) + u"\n" + m_strUploadRefusal, MB_OK | MB_ICONSTOP);
      return 0;
    }
    if (m_nUploadProgramSize == 0 || m_nUploadProgramSize == -1) {
      AfxMessageBox(IDS_PROGRAM_EMPTY, MB_OK | MB_ICONEXCLAMATION);
      return result;
    }
    if (program.image.table.size() != static_cast<size_t>(kTableImageBytes)) {
      // Sizes accepted but no table image: nothing to build a diagram from.
      AfxMessageBox(IDS_UPLOAD_FAILED, MB_OK | MB_ICONSTOP);
      return 0;
    }
    if (program.modelCode == 0) {
      Log(u"The program read from the device names no known device model.\n");
      AfxMessageBox(
          LoadString(IDS_UPLOAD_FAILED) + u"\nThe program read from the device names no known device model.",
          MB_OK | MB_ICONSTOP);
      return 0;
    }
    return m_host->OpenUploadedProgram(program) ? result : 0;
  } catch (const std::exception&) {
    ReportProgress(-1, 0);
    AfxMessageBox(IDS_UPLOAD_FAILED, MB_OK | MB_ICONSTOP);
    return 0;
  }
}

// ---- Settings transfers --------------------------------------------------------------------------------

bool CDeviceLink::ReadIdentityOfType(BYTE type, BYTE* info, int* error) {
  if (!ReadDeviceInfo(info, kReplyBuffer, error)) return false;
  if (info[3] != type) {
    Log(m_modbus.ResultText(kReplyMachineTypeMismatch) + u"\n");
    *error = kLinkAlreadyReported;
    return false;
  }
  return true;
}

bool CDeviceLink::WriteDeviceSetting(const BYTE* record, int length, int* error, UINT flag, UINT allFlags,
                                     WORD address) {
  BYTE function = kFnWriteConfig;
  if (flag == kClockWrite) function = kFnSetClock;
  if (flag == kCalibrationWrite) function = kFnCalibrate;
  BYTE frame[kMaxFrame];
  const int frameLength = m_modbus.BuildSettingRequest(record, length, frame, function, address);
  if (!WriteComPort(frame, frameLength, error)) return false;
  if (function == kFnSetClock) {
    Log(u"Clock Setting Starts...\n");
  } else if (function == kFnCalibrate) {
    Log(u"Clock Calibration Setting Starts...\n");
  } else {
    Log((allFlags & kWifiWrite) ? u"WIFI Setup Setting Starts...\n"
                                : u"Summer/Winter Time Writing Starts...\n");
  }
  BYTE reply[kReplyBuffer];
  int expected = function == kFnWriteConfig ? 16 : 8;
  if (!ReadComPort(reply, &expected, error, 3000)) return false;
  if (!m_modbus.CheckSettingReply(reply, expected, function)) {
    if (function == kFnSetClock) {
      Log(u"Clock Setting(RTU Function Code 220) Error!\n");
    } else if (function == kFnCalibrate) {
      Log(u"Clock Calibration(RTU Function Code 234) Error!\n");
    } else {
      Log(u"Summer/Winter Time Setting(RTU Function Code 233) Error!\n");
    }
    return false;
  }
  return true;
}

bool CDeviceLink::ReadDeviceSetting(BYTE* buffer, int size, int byteCount, int* error, UINT flag) {
  BYTE frame[kMaxFrame];
  int length;
  int expected;
  if (flag == kSummerTimeRead) {
    length = m_modbus.BuildReadMemoryRequest(kSummerTimeAddress, static_cast<BYTE>(byteCount), frame);
    expected = byteCount + 9;
  } else {
    WORD reg = kRegClock;
    if (flag == kCalibrationRead) reg = kRegCalibration;
    if (flag == kWifiRead) reg = kRegWifi;
    if (flag == kRemoteWifiRead) reg = 0;
    length = m_modbus.BuildReadRequest(reg, static_cast<WORD>(byteCount / 2), frame);
    expected = byteCount + 5;
  }
  if (expected > size) return false;
  if (!WriteComPort(frame, length, error)) return false;
  if (!ReadComPort(buffer, &expected, error, 1000)) return false;
  const UINT result = flag == kSummerTimeRead ? m_modbus.CheckReadMemoryReply(buffer, expected, byteCount)
                                              : m_modbus.CheckReadReply(buffer, expected);
  if (result != kReplyOk) {
    Log(m_modbus.ResultText(result) + u"\n");
    *error = static_cast<int>(result);
    return false;
  }
  return true;
}

bool CDeviceLink::ReadClock(SYSTEMTIME* time, int* error) {
  BYTE reply[kReplyBuffer] = {};
  if (!ReadDeviceSetting(reply, sizeof reply, 12, error, kClockRead)) return false;
  time->wYear = BigEndianWord(reply + 3);
  time->wMonth = BigEndianWord(reply + 5);
  time->wDay = BigEndianWord(reply + 7);
  time->wHour = BigEndianWord(reply + 9);
  time->wMinute = BigEndianWord(reply + 11);
  time->wSecond = BigEndianWord(reply + 13);
  return true;
}

int CDeviceLink::TransferDeviceSettings(UINT flags) {
  int error = 0;
  BYTE info[kReplyBuffer] = {};
  BYTE reply[kReplyBuffer] = {};
  DeviceSettings& s = m_settings;
  auto done = [&](bool ok) {
    m_lastError = error;
    return ok ? 2 : 0;
  };
  auto writeSummer = [&](UINT all) {
    const auto record = BuildSummerTimeRecord(s.summer);
    return WriteDeviceSetting(record.data(), static_cast<int>(record.size()), &error, kSummerTimeWrite, all,
                              0);
  };
  auto readSummer = [&] {
    if (!ReadDeviceSetting(reply, sizeof reply, 12, &error, kSummerTimeRead)) return false;
    ReadSummerTimeRecord(reply + 7, &s.summer);
    return true;
  };
  if (flags & (kClockWrite | kSummerTimeWrite | kCalibrationWrite | kWifiWrite)) {
    if (flags & kClockWrite) {
      if (!ReadDeviceInfo(info, sizeof info, &error)) return done(false);
      const auto record = BuildClockRecord(info[3], s.clock.time);
      return done(WriteDeviceSetting(record.data(), static_cast<int>(record.size()), &error, kClockWrite,
                                     flags, BigEndianWord(info + 3)));
    }
    if (flags & kCalibrationWrite) {
      const auto record = BuildCalibrationRecord(s.clock.calibration);
      return done(WriteDeviceSetting(record.data(), 4, &error, kCalibrationWrite, flags, 0));
    }
    if (flags & kWifiWrite) {
      if (!ReadIdentityOfType(kDeviceTypeWifi, info, &error)) return done(false);
      const std::vector<WORD> regs = BuildWifiRegisters(s.wifi);
      for (size_t i = 0; i < regs.size(); ++i) {
        const BYTE data[2] = {static_cast<BYTE>(regs[i] >> 8), static_cast<BYTE>(regs[i] & 0xFF)};
        BYTE frame[kMaxFrame];
        const int length = m_modbus.BuildWriteSingleRequest(static_cast<WORD>(kRegWifi + i), data, frame);
        int expected = 8;
        if (!WriteComPort(frame, length, &error) || !ReadComPort(reply, &expected, &error, 3000))
          return done(false);
      }
      return done(writeSummer(flags));
    }
    return done(writeSummer(flags));
  }
  if (flags & kRemoteWifiWrite) {
    if (!ReadIdentityOfType(kDeviceTypeRemoteWifi, info, &error)) return done(false);
    const auto block = BuildRemoteWifiBlock(s.remote);
    const std::vector<BYTE> wire = SwapBytePairs(block.data(), block.size());
    BYTE frame[kMaxFrame];
    const int length = m_modbus.BuildWriteRequest(0, 74, wire.data(), frame);
    ReportProgress(2, 0);
    int expected = 8;
    if (!WriteComPort(frame, length, &error) || !ReadComPort(reply, &expected, &error, 30000)) {
      ReportProgress(-1, 0);
      return done(false);
    }
    ReportProgress(2, 100);
    return done(true);
  }
  if (flags & (kClockRead | kSummerTimeRead | kCalibrationRead | kWifiRead)) {
    if (flags & kClockRead) {
      if (!ReadDeviceSetting(reply, sizeof reply, 12, &error, kClockRead)) return done(false);
      SYSTEMTIME t;
      GetLocalTime(&t);
      t.wYear = BigEndianWord(reply + 3);
      t.wMonth = BigEndianWord(reply + 5);
      t.wDay = BigEndianWord(reply + 7);
      t.wHour = BigEndianWord(reply + 9);
      t.wMinute = BigEndianWord(reply + 11);
      t.wSecond = BigEndianWord(reply + 13);
      s.clock.time = t;
      return done(true);
    }
    if (flags & kCalibrationRead) {
      if (!ReadDeviceSetting(reply, sizeof reply, 4, &error, kCalibrationRead)) return done(false);
      const int magnitude = BigEndianWord(reply + 5);
      s.clock.calibration = reply[4] ? -magnitude : magnitude;
      return done(true);
    }
    if (flags & kSummerTimeRead) return done(readSummer());
    if (!ReadIdentityOfType(kDeviceTypeWifi, info, &error)) return done(false);
    if (!readSummer()) return done(false);
    if (!ReadDeviceSetting(reply, sizeof reply, 238, &error, kWifiRead)) return done(false);
    std::vector<WORD> regs(119);
    for (size_t i = 0; i < regs.size(); ++i) regs[i] = BigEndianWord(reply + 3 + 2 * i);
    ReadWifiRegisters(regs, &s.wifi);
    return done(true);
  }
  if (flags & kRemoteWifiRead) {
    if (!ReadIdentityOfType(kDeviceTypeRemoteWifi, info, &error)) return done(false);
    if (!ReadDeviceSetting(reply, sizeof reply, 148, &error, kRemoteWifiRead)) return done(false);
    const std::vector<BYTE> bytes = SwapBytePairs(reply + 3, 148);
    std::array<BYTE, 148> block{};
    std::copy(bytes.begin(), bytes.end(), block.begin());
    ReadRemoteWifiBlock(block, &s.remote);
    return done(true);
  }
  return 2;
}

void CDeviceLink::RemoteWifiFactoryReset() {
  Log(u"Remote Control WIFI(0xNolva) Factory Reset Starts...\n");
  int error = 0;
  BYTE info[kReplyBuffer] = {};
  if (!ReadDeviceInfo(info, sizeof info, &error)) return;
  if (info[3] != kDeviceTypeRemoteWifi) {
    Log(m_modbus.ResultText(kReplyMachineTypeMismatch) + u"\n");
    m_lastError = kLinkAlreadyReported;
    return;
  }
  ReportProgress(2, 0);
  BYTE frame[kMaxFrame];
  const int length = m_modbus.BuildReadRequest(kRegFactoryReset, 1, frame);
  auto fail = [&](const char16_t* line) {
    Log(line);
    AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
    ReportProgress(-1, 0);
  };
  if (!WriteComPort(frame, length, &error))
    return fail(u"PC sends to Recontrol Control WIFI(0xNolva) Fail!\n");
  BYTE reply[kReplyBuffer];
  int expected = 7;
  if (!ReadComPort(reply, &expected, &error, 30000))
    return fail(u"PC receives from Recontrol Control WIFI(0xNolva) Fail!\n");
  const UINT result = m_modbus.CheckReadReply(reply, expected);
  if (result == kReplyOk) {
    ReportProgress(2, 100);
    Log(u"Remote Control WIFI(0xNolva) Factory Reset Setting Succeeds\n");
  } else {
    Log(m_modbus.ResultText(result) + u"\n");
    fail(u"Recontrol Control WIFI(0xNolva) received data Error!\n");
  }
}
