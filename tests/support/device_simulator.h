// A controller on a pseudo-terminal for the device-link tests: it answers the link's
// frames from its own registers, message-text pages, identification, clock,
// calibration, summer/winter rule and WiFi blocks, and misbehaves on demand (silence,
// short, garbled or bad-CRC replies, exception replies, a dropped line, a corrupted
// read-back). It can pace its line at a baud rate.
//
// For uploads it holds a program: the registers from 0x8C00 on (table image, then
// program area), the message-text pages, the sizes its start-of-upload reply
// reports and a password. A protected program answers reads of the program and of
// the message texts with an exception until the password has been given. A
// successful download (or clear) leaves the sizes that its header area names.
#pragma once

#include <array>
#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/types.h"

class DeviceSimulator {
 public:
  enum class Fault { kSilent, kShort, kGarbled, kBadCrc, kException, kDropLine, kCorruptData };

  DeviceSimulator();
  ~DeviceSimulator();
  DeviceSimulator(const DeviceSimulator&) = delete;
  DeviceSimulator& operator=(const DeviceSimulator&) = delete;

  // The path of the simulator's port (the pseudo-terminal's slave side).
  const std::string& PortPath() const { return m_slavePath; }

  // ---- Device state (set before a transfer, read after it) ------------------------------
  void SetIdentity(BYTE type, BYTE modelLow, WORD firmware);
  // Without the identification register the device answers register 210 with an exception.
  void SetIdentificationMissing(bool missing);
  void SetMemoryCard(bool card);
  // Register values as they travel: two bytes a register, high byte first.
  std::vector<BYTE> Registers(WORD first, int count) const;
  void SetRegisters(WORD first, const std::vector<BYTE>& bytes);
  std::vector<BYTE> MessageTexts(int bytes) const;
  // Bits the device reports to function 1 (coils: outputs, flags) or 2 (inputs).
  void SetBit(BYTE function, WORD address, bool on);
  std::array<BYTE, 12> SummerRecord() const;
  void SetSummerRecord(const std::array<BYTE, 12>& record);
  // The last end-of-download success byte (-1 none) and the number of start frames.
  int LastEndSuccess() const;
  int StartCount() const;

  // ---- Upload ---------------------------------------------------------------------------
  // Holds a program: the table image and program area as they travel (register
  // order) from register 0x8C00, the message-text pages likewise, and a password of
  // up to 8 letters (none when empty). The reported sizes follow from the bytes.
  void HoldProgram(const std::vector<BYTE>& imageRegisters, const std::vector<BYTE>& textRegisters,
                   const std::string& password = "");
  // The sizes the start-of-upload reply reports, in 16-bit words (0xFFFF: no program).
  void SetReportedSizes(WORD imageWords, WORD textWords);
  // The password word of the start-of-upload reply (0 or 0xFFFF: no password).
  void SetPasswordWord(WORD word);
  // The last end-of-upload success byte (-1 none).
  int LastUploadEndSuccess() const;

  // ---- Faults -------------------------------------------------------------------------------
  // The fault hits the skip-th next request of the function (0 any function) from now on.
  void InjectFault(Fault fault, BYTE function = 0, int skip = 0);
  // Paces every exchange at the line time of its bytes (10 bits a byte); 0 turns it off.
  void SetBaudRate(int baud);

  // Every request frame received, in order.
  std::vector<std::vector<BYTE>> Requests() const;
  void ClearRequests();

 private:
  void Run();
  size_t FrameLength(const std::vector<BYTE>& in) const;
  std::vector<BYTE> Answer(const std::vector<BYTE>& request);
  void Send(std::vector<BYTE> reply, const std::vector<BYTE>& request, long long startNs, int baud);

  struct PendingFault {
    Fault fault;
    BYTE function;
    int skip;
  };

  int m_master = -1;
  int m_slave = -1;
  std::string m_slavePath;
  std::thread m_thread;
  std::atomic<bool> m_stop{false};
  mutable std::mutex m_mutex;
  BYTE m_type = 0x51;
  BYTE m_modelLow = 0x88;
  WORD m_firmware = 0xC100;
  bool m_noIdentification = false;
  bool m_memoryCard = false;
  std::vector<WORD> m_holding;  // also answers function 4
  std::vector<bool> m_coils = std::vector<bool>(65536, false);
  std::vector<bool> m_inputs = std::vector<bool>(65536, false);
  std::vector<BYTE> m_texts;
  std::array<BYTE, 12> m_summer{};
  int m_lastEnd = -1;
  int m_lastUploadEnd = -1;
  WORD m_imageWords = 0xFFFF;
  WORD m_textWords = 0;
  WORD m_passwordWord = 0xFFFF;
  std::array<BYTE, 8> m_password{};
  bool m_locked = false;
  int m_starts = 0;
  int m_baud = 0;
  std::deque<PendingFault> m_faults;
  std::vector<std::vector<BYTE>> m_requests;
};
