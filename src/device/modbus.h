// CModBus: the frames of the device link. Requests are built into a caller's buffer
// (station byte, function byte, big-endian fields, CRC-16 low byte first) and
// replies are judged by checkers that return a ReplyCheckResult code or a flag.
// The codec holds no port and does no I/O.
#pragma once

#include <cstddef>
#include <map>

#include "platform/cstring.h"
#include "platform/types.h"

// The results of the reply checkers; each has a fixed text (CModBus::ResultText).
enum ReplyCheckResult : UINT {
  kReplyOk = 0,
  kReplyLengthError = 1,
  kReplyStationError = 2,
  kReplyFunctionError = 3,
  kReplyAddressError = 4,
  kReplyCountError = 5,
  kReplyCrcError = 6,
  kReplyMachineTypeMismatch = 7,
  kReplyFirmwareMismatch = 8,
  kReplyNoProgram = 9,
  kReplyBadProgramSize = 10,
  kReplyException = 11,
  kReplyMemoryCardMismatch = 12,
};

// The function codes of the link.
enum DeviceFunctionCode : BYTE {
  kFnReadCoils = 1,
  kFnReadInputs = 2,
  kFnReadHolding = 3,
  kFnReadInputRegisters = 4,
  kFnWriteSingle = 6,
  kFnWriteMultiple = 16,
  kFnStartDownload = 100,
  kFnEndDownload = 101,
  kFnStartUpload = 102,
  kFnEndUpload = 103,
  kFnPassword = 110,
  kFnWriteMessageTexts = 120,
  kFnReadMessageTexts = 121,
  kFnSetClock = 220,
  kFnWriteConfig = 233,
  kFnCalibrate = 234,
  kFnReadMemory = 249,
};

// What a start-of-download reply is checked against.
struct DeviceIdentity {
  WORD modelCode = 0;    // its high byte is the series
  WORD second = 0;       // carried along, not checked
  WORD minFirmware = 0;  // 0xB100 older series, 0xC100 newer
  WORD mode = 1;         // 1 download, 4 clear
};

// Frame limits: at most 159 bytes before the CRC, 161 in all.
constexpr int kMaxFrameBody = 159;
constexpr int kMaxFrame = kMaxFrameBody + 2;

// The two addresses a memory-read reply may echo.
constexpr DWORD kSummerTimeAddress = 0x200004B8;
constexpr DWORD kSummerTimeAddressAlt = 0x100013E0;

// Reads a big-endian word.
constexpr WORD BigEndianWord(const BYTE* p) {
  return static_cast<WORD>((p[0] << 8) | p[1]);
}

// The sizes a start-of-upload reply reports, as byte counts: the table image plus
// the program area, and the message-text pages (newer series, 19-byte replies only).
struct UploadSizes {
  int totalBytes = 0;
  int textBytes = 0;
};

// What ReadUploadSizes makes of the sizes.
enum UploadSizeCheck : int {
  kUploadSizesOk = 0,
  kUploadProgramSizeOutOfRange = 1,  // not 10240 .. 10240 + 0x6000 bytes in steps of 128
  kUploadTextSizeInvalid = 2,        // not whole 1280-byte pages, or more than 16
  kUploadReplyUnreadable = 3,        // not a start-of-upload reply of 17 or 19 bytes
};

// Reads the sizes of a start-of-upload reply and checks them against what an
// image can hold, before anything is allocated or read by them. *sizes is set
// only when the result is kUploadSizesOk.
int ReadUploadSizes(const BYTE* reply, int length, UploadSizes* sizes);

class CModBus {
 public:
  CModBus();

  // CRC-16/MODBUS of the bytes; the high byte of the result is sent first.
  static WORD CalcCrc(const BYTE* data, size_t length);
  // Stores the CRC behind length bytes of frame; -1 (nothing written) above 159.
  static int AppendCrc(BYTE* frame, int length);

  // Request builders. Each writes the whole frame (CRC included) into buffer, which
  // holds kMaxFrame bytes, and returns its length; -1, with nothing sent-worthy in
  // the buffer, for a frame that would not fit.
  int BuildReadRequest(WORD address, WORD count, BYTE* buffer, BYTE function = kFnReadHolding) const;
  int BuildReadMemoryRequest(DWORD address, BYTE count, BYTE* buffer) const;
  int BuildWriteRequest(WORD address, WORD count, const BYTE* data, BYTE* buffer,
                        BYTE function = kFnWriteMultiple) const;
  int BuildWriteSingleRequest(WORD address, const BYTE data[2], BYTE* buffer,
                              BYTE function = kFnWriteSingle) const;
  int BuildStartDownloadRequest(BYTE* buffer) const;
  int BuildEndDownloadRequest(BYTE success, BYTE* buffer) const;
  int BuildStartUploadRequest(BYTE* buffer) const;
  int BuildEndUploadRequest(BYTE success, BYTE* buffer) const;
  int BuildPasswordRequest(const BYTE password[8], BYTE* buffer) const;
  // Function 220 (address and counts before the data), 233 or 234 (data only).
  int BuildSettingRequest(const BYTE* data, int length, BYTE* buffer, BYTE function, WORD address = 0) const;

  // Reply checkers. Each verifies the reply's length before it reads a field.
  UINT CheckReadReply(const BYTE* reply, int length, BYTE function = kFnReadHolding) const;
  UINT CheckReadMemoryReply(const BYTE* reply, int length, int count) const;
  UINT CheckStartDownloadReply(const BYTE* reply, int length, const DeviceIdentity& expected) const;
  bool CheckEndDownloadReply(const BYTE* reply, int length, BYTE success) const;
  // 1 no password, 2 password required, else a ReplyCheckResult of 3 or above; a
  // reply whose length disagrees with its byte count (or is not 17 or 19) gives 6,
  // as its CRC could not be found.
  UINT CheckStartUploadReply(const BYTE* reply, int length) const;
  bool CheckEndUploadReply(const BYTE* reply, int length, BYTE success) const;
  bool CheckPasswordReply(const BYTE* reply, int length) const;
  bool CheckSettingReply(const BYTE* reply, int length, BYTE function) const;

  // The exception code of a 5-byte exception reply (0 for a normal reply, text
  // unchanged); text becomes "No=%d->" and the code's name.
  static int FormatExceptionReply(const BYTE* reply, int length, CString& text);

  // The text of a ReplyCheckResult ("OK!", "Receive Length Error!", ...).
  CString ResultText(UINT code) const;
  BYTE Station() const { return m_station; }
  void SetStation(BYTE station) { m_station = station; }

 private:
  void InitResultTexts();
  bool CrcMatches(const BYTE* reply, int crcAt) const;
  bool CheckEchoReply(const BYTE* reply, int length, BYTE function, BYTE success) const;

  BYTE m_station = 0;
  std::map<UINT, CString> m_resultTexts;
};
