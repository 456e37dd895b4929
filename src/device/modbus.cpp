#include "device/modbus.h"

#include <array>
#include <cstring>

#include "image/image_layout.h"

namespace {

// The byte-wise table of the reflected polynomial 0xA001.
constexpr std::array<WORD, 256> MakeCrcTable() {
  std::array<WORD, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    table[i] = static_cast<WORD>(crc);
  }
  return table;
}
constexpr std::array<WORD, 256> kCrcTable = MakeCrcTable();

void PutWord(BYTE* p, WORD value) {
  p[0] = static_cast<BYTE>(value >> 8);
  p[1] = static_cast<BYTE>(value & 0xFF);
}

// Finishes a frame of body bytes: the CRC behind it, the total length or -1.
int Finish(BYTE* buffer, int body) {
  return CModBus::AppendCrc(buffer, body) < 0 ? -1 : body + 2;
}

const char16_t* const kExceptionNames[] = {
    u"ILLEGAL FUNCTION",
    u"ILLIGAL DATA ADDRESS",
    u"ILLIGAL DATA VALUE",
    u"SLAVE DEVICE FAILURE",
    u"ACKNOWLEDGE",
    u"SLAVE DEVICE BUSY",
    u"NEGATIVE ACKNOWLEDGE",
    u"MEMORY PARITY ERROR",
    u"UNDEFINED",
    u"GATEWAY PATH UNAVAILABLE",
    u"GATEWAY TARGET DEVICE FAILED TO RESPOND",
};

}  // namespace

CModBus::CModBus() {
  InitResultTexts();
}

void CModBus::InitResultTexts() {
  static const char16_t* const kTexts[] = {
      u"OK!",
      u"Receive Length Error!",
      u"Device ID Error!",
      u"Function Code Error!",
      u"Address Error!",
      u"Register Number Error!",
      u"Check Sum Error!",
      u"Machine type mismatch Error!",
      u"Machine version mismatch Error!",
      u"No program!",
      u"Invalid password Error!",
      u"Exception Error!",
      u"Memory Card version mismatch Error!",
  };
  m_resultTexts.clear();
  for (UINT code = 0; code < std::size(kTexts); ++code) m_resultTexts[code] = CString(kTexts[code]);
}

CString CModBus::ResultText(UINT code) const {
  auto it = m_resultTexts.find(code);
  return it == m_resultTexts.end() ? CString() : it->second;
}

WORD CModBus::CalcCrc(const BYTE* data, size_t length) {
  WORD crc = 0xFFFF;
  for (size_t i = 0; i < length; ++i) crc = static_cast<WORD>((crc >> 8) ^ kCrcTable[(crc ^ data[i]) & 0xFF]);
  // The low byte of the register goes out first: it becomes the high byte here.
  return static_cast<WORD>((crc << 8) | (crc >> 8));
}

int CModBus::AppendCrc(BYTE* frame, int length) {
  if (length < 0 || length > kMaxFrameBody) return -1;
  const WORD crc = CalcCrc(frame, static_cast<size_t>(length));
  frame[length] = static_cast<BYTE>(crc >> 8);
  frame[length + 1] = static_cast<BYTE>(crc & 0xFF);
  return 0;
}

bool CModBus::CrcMatches(const BYTE* reply, int crcAt) const {
  return CalcCrc(reply, static_cast<size_t>(crcAt)) == BigEndianWord(reply + crcAt);
}

// ---- Request builders -------------------------------------------------------------------

int CModBus::BuildReadRequest(WORD address, WORD count, BYTE* buffer, BYTE function) const {
  buffer[0] = m_station;
  buffer[1] = function;
  PutWord(buffer + 2, address);
  PutWord(buffer + 4, count);
  return Finish(buffer, 6);
}

int CModBus::BuildReadMemoryRequest(DWORD address, BYTE count, BYTE* buffer) const {
  buffer[0] = m_station;
  buffer[1] = kFnReadMemory;
  PutWord(buffer + 2, static_cast<WORD>(address >> 16));
  PutWord(buffer + 4, static_cast<WORD>(address & 0xFFFF));
  buffer[6] = count;
  return Finish(buffer, 7);
}

int CModBus::BuildWriteRequest(WORD address, WORD count, const BYTE* data, BYTE* buffer,
                               BYTE function) const {
  const int bytes = 2 * count;
  if (7 + bytes > kMaxFrameBody) return -1;
  buffer[0] = m_station;
  buffer[1] = function;
  PutWord(buffer + 2, address);
  PutWord(buffer + 4, count);
  buffer[6] = static_cast<BYTE>(bytes);
  if (bytes > 0) std::memcpy(buffer + 7, data, static_cast<size_t>(bytes));
  return Finish(buffer, 7 + bytes);
}

int CModBus::BuildWriteSingleRequest(WORD address, const BYTE data[2], BYTE* buffer, BYTE function) const {
  buffer[0] = m_station;
  buffer[1] = function;
  PutWord(buffer + 2, address);
  buffer[4] = data[0];
  buffer[5] = data[1];
  return Finish(buffer, 6);
}

namespace {
int BuildSessionFrame(BYTE station, BYTE function, BYTE last, BYTE* buffer) {
  buffer[0] = station;
  buffer[1] = function;
  buffer[2] = buffer[3] = buffer[4] = 0;
  buffer[5] = last;
  return Finish(buffer, 6);
}
}  // namespace

int CModBus::BuildStartDownloadRequest(BYTE* buffer) const {
  return BuildSessionFrame(m_station, kFnStartDownload, 1, buffer);
}

int CModBus::BuildEndDownloadRequest(BYTE success, BYTE* buffer) const {
  return BuildSessionFrame(m_station, kFnEndDownload, success, buffer);
}

int CModBus::BuildStartUploadRequest(BYTE* buffer) const {
  return BuildSessionFrame(m_station, kFnStartUpload, 1, buffer);
}

int CModBus::BuildEndUploadRequest(BYTE success, BYTE* buffer) const {
  return BuildSessionFrame(m_station, kFnEndUpload, success, buffer);
}

int CModBus::BuildPasswordRequest(const BYTE password[8], BYTE* buffer) const {
  const BYTE head[] = {m_station, kFnPassword, 0, 0, 0, 4, 8};
  std::memcpy(buffer, head, sizeof head);
  std::memcpy(buffer + 7, password, 8);
  return Finish(buffer, 15);
}

int CModBus::BuildSettingRequest(const BYTE* data, int length, BYTE* buffer, BYTE function,
                                 WORD address) const {
  if (length < 0) return -1;
  int head = 0;
  buffer[0] = m_station;
  buffer[1] = function;
  if (function == kFnSetClock) {
    if (7 + length > kMaxFrameBody) return -1;
    PutWord(buffer + 2, address);
    buffer[4] = 0;
    buffer[5] = static_cast<BYTE>(length / 2);
    buffer[6] = static_cast<BYTE>(length);
    head = 7;
  } else if (function == kFnWriteConfig || function == kFnCalibrate) {
    if (2 + length > kMaxFrameBody) return -1;
    head = 2;
  } else {
    return -1;
  }
  if (length > 0) std::memcpy(buffer + head, data, static_cast<size_t>(length));
  return Finish(buffer, head + length);
}

// ---- Reply checkers ------------------------------------------------------------------------

UINT CModBus::CheckReadReply(const BYTE* reply, int length, BYTE function) const {
  if (length < 5 || length != reply[2] + 5) return kReplyLengthError;
  if (reply[0] != m_station) return kReplyStationError;
  if (reply[1] != function) return kReplyFunctionError;
  if (!CrcMatches(reply, length - 2)) return kReplyCrcError;
  return kReplyOk;
}

UINT CModBus::CheckReadMemoryReply(const BYTE* reply, int length, int count) const {
  if (length != count + 9) return kReplyLengthError;
  if (reply[0] != m_station) return kReplyStationError;
  if (reply[1] != kFnReadMemory) return kReplyFunctionError;
  const DWORD address = (static_cast<DWORD>(BigEndianWord(reply + 2)) << 16) | BigEndianWord(reply + 4);
  if (address != kSummerTimeAddress && address != kSummerTimeAddressAlt) return kReplyAddressError;
  if (!CrcMatches(reply, length - 2)) return kReplyCrcError;
  return kReplyOk;
}

UINT CModBus::CheckStartDownloadReply(const BYTE* reply, int length, const DeviceIdentity& expected) const {
  if ((length != 17 && length != 19) || length != reply[2] + 5) return kReplyLengthError;
  if (reply[0] != m_station) return kReplyStationError;
  if (reply[1] != kFnStartDownload) return kReplyFunctionError;
  if (reply[3] == 0x88 && reply[4] == 0x99) {
    // A memory card answers in the device's place.
    if (expected.mode == 4) return kReplyOk;
    if (reply[2] == 12 && expected.minFirmware >= 0xC100) return kReplyMemoryCardMismatch;
  } else {
    if (reply[3] != (expected.modelCode >> 8)) return kReplyMachineTypeMismatch;
    if (BigEndianWord(reply + 7) < expected.minFirmware) return kReplyFirmwareMismatch;
  }
  if (!CrcMatches(reply, length - 2)) return kReplyCrcError;
  return kReplyOk;
}

bool CModBus::CheckEchoReply(const BYTE* reply, int length, BYTE function, BYTE success) const {
  return length == 8 && reply[0] == m_station && reply[1] == function && reply[2] == 0 && reply[3] == 0 &&
         reply[4] == 0 && reply[5] == success && CrcMatches(reply, 6);
}

bool CModBus::CheckEndDownloadReply(const BYTE* reply, int length, BYTE success) const {
  return CheckEchoReply(reply, length, kFnEndDownload, success);
}

bool CModBus::CheckEndUploadReply(const BYTE* reply, int length, BYTE success) const {
  return CheckEchoReply(reply, length, kFnEndUpload, success);
}

UINT CModBus::CheckStartUploadReply(const BYTE* reply, int length) const {
  if ((length != 17 && length != 19) || length != reply[2] + 5) return kReplyCrcError;
  if (!CrcMatches(reply, length - 2)) return kReplyCrcError;
  if (reply[0] != m_station) return kReplyStationError;
  if (reply[1] != kFnStartUpload) return kReplyFunctionError;
  if (!(reply[3] == 0x88 && reply[4] == 0x99)) {
    const BYTE type = reply[3];
    const WORD firmware = BigEndianWord(reply + 7);
    if (type >= 0x51) {
      if (firmware < 0xC100) return kReplyFirmwareMismatch;
    } else if (type < 0x11) {
      return kReplyMachineTypeMismatch;
    } else if (firmware < 0xB100) {
      return kReplyFirmwareMismatch;
    }
  }
  const WORD size = BigEndianWord(reply + 13);
  if (size == 0 || size == 0xFFFF) return kReplyNoProgram;
  if ((size * 2) % 128 != 0) return kReplyBadProgramSize;
  const WORD password = BigEndianWord(reply + 11);
  return (password == 0 || password == 0xFFFF) ? 1 : 2;
}

bool CModBus::CheckPasswordReply(const BYTE* reply, int length) const {
  return length == 7 && reply[0] == m_station && reply[1] == kFnPassword && reply[2] == 2 && reply[3] == 0 &&
         reply[4] == 0;
}

bool CModBus::CheckSettingReply(const BYTE* reply, int length, BYTE function) const {
  if (length < 4) return false;
  switch (function) {
    case kFnSetClock:
      if (length != 8 || reply[0] != m_station || reply[1] != kFnSetClock || reply[4] != 0) return false;
      if (reply[2] >= 0x51 && reply[5] != 7) return false;
      if (reply[2] >= 0x11 && reply[2] <= 0x50 && reply[5] != 6) return false;
      break;
    case kFnCalibrate:
      if (length != 8 || reply[0] != m_station || reply[1] != kFnCalibrate) return false;
      break;
    case kFnWriteConfig:
      if (length != 16 || reply[0] != m_station || reply[1] != kFnWriteConfig) return false;
      break;
    default:
      break;
  }
  return CrcMatches(reply, length - 2);
}

int CModBus::FormatExceptionReply(const BYTE* reply, int length, CString& text) {
  if (length < 3 || (reply[1] & 0x80) == 0) return 0;
  const int code = reply[2];
  text.Format(u"No=%d->", code);
  if (code >= 1 && code <= 11) text += CString(kExceptionNames[code - 1]);
  return code;
}

int ReadUploadSizes(const BYTE* reply, int length, UploadSizes* sizes) {
  if ((length != 17 && length != 19) || length != reply[2] + 5 || reply[1] != kFnStartUpload) {
    return kUploadReplyUnreadable;
  }
  // Whole numbers of bytes, never wrapped: the size words are counts of 16-bit words.
  const int total = 2 * static_cast<int>(BigEndianWord(reply + 13));
  if (total < kTableImageSize || total > kTableImageSize + kProgramAreaMax || total % kProgramAreaStep != 0) {
    return kUploadProgramSizeOutOfRange;
  }
  int text = 0;
  // Only the long reply of the newer series carries the text size; a short reply
  // has its CRC where the word would be.
  if (length == 19 && reply[3] >= 0x51) text = 2 * static_cast<int>(BigEndianWord(reply + 15));
  if (text % kTextPageSize != 0 || text > kMaxTextPages * kTextPageSize) {
    return kUploadTextSizeInvalid;
  }
  sizes->totalBytes = total;
  sizes->textBytes = text;
  return kUploadSizesOk;
}
