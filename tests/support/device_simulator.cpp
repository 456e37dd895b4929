#include "support/device_simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

#include "device/modbus.h"

namespace {

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void AppendCrc(std::vector<BYTE>& frame) {
  const WORD crc = CModBus::CalcCrc(frame.data(), frame.size());
  frame.push_back(static_cast<BYTE>(crc >> 8));
  frame.push_back(static_cast<BYTE>(crc & 0xFF));
}

void PutWord(std::vector<BYTE>& out, WORD value) {
  out.push_back(static_cast<BYTE>(value >> 8));
  out.push_back(static_cast<BYTE>(value & 0xFF));
}

}  // namespace

DeviceSimulator::DeviceSimulator() : m_holding(65536, 0), m_texts(16 * 1280, 0xFF) {
  m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
    throw std::runtime_error("no pseudo-terminal");
  }
  m_slavePath = ::ptsname(m_master);
  // The simulator keeps the slave open so that the line survives the link's close.
  m_slave = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY);
  termios tio{};
  ::tcgetattr(m_slave, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(m_slave, TCSANOW, &tio);
  m_thread = std::thread([this] { Run(); });
}

DeviceSimulator::~DeviceSimulator() {
  m_stop = true;
  m_thread.join();
  if (m_master >= 0) ::close(m_master);
  if (m_slave >= 0) ::close(m_slave);
}

void DeviceSimulator::SetIdentity(BYTE type, BYTE modelLow, WORD firmware) {
  std::lock_guard lock(m_mutex);
  m_type = type;
  m_modelLow = modelLow;
  m_firmware = firmware;
}

void DeviceSimulator::SetIdentificationMissing(bool missing) {
  std::lock_guard lock(m_mutex);
  m_noIdentification = missing;
}

void DeviceSimulator::SetMemoryCard(bool card) {
  std::lock_guard lock(m_mutex);
  m_memoryCard = card;
}

std::vector<BYTE> DeviceSimulator::Registers(WORD first, int count) const {
  std::lock_guard lock(m_mutex);
  std::vector<BYTE> out;
  for (int i = 0; i < count; ++i) PutWord(out, m_holding[static_cast<WORD>(first + i)]);
  return out;
}

void DeviceSimulator::SetRegisters(WORD first, const std::vector<BYTE>& bytes) {
  std::lock_guard lock(m_mutex);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    m_holding[static_cast<WORD>(first + i / 2)] = static_cast<WORD>((bytes[i] << 8) | bytes[i + 1]);
  }
}

std::vector<BYTE> DeviceSimulator::MessageTexts(int bytes) const {
  std::lock_guard lock(m_mutex);
  return {m_texts.begin(), m_texts.begin() + bytes};
}

std::array<BYTE, 12> DeviceSimulator::SummerRecord() const {
  std::lock_guard lock(m_mutex);
  return m_summer;
}

void DeviceSimulator::SetSummerRecord(const std::array<BYTE, 12>& record) {
  std::lock_guard lock(m_mutex);
  m_summer = record;
}

int DeviceSimulator::LastEndSuccess() const {
  std::lock_guard lock(m_mutex);
  return m_lastEnd;
}

int DeviceSimulator::StartCount() const {
  std::lock_guard lock(m_mutex);
  return m_starts;
}

void DeviceSimulator::HoldProgram(const std::vector<BYTE>& imageRegisters,
                                  const std::vector<BYTE>& textRegisters, const std::string& password) {
  std::lock_guard lock(m_mutex);
  for (size_t i = 0; i + 1 < imageRegisters.size(); i += 2) {
    m_holding[static_cast<WORD>(0x8C00 + i / 2)] =
        static_cast<WORD>((imageRegisters[i] << 8) | imageRegisters[i + 1]);
  }
  std::copy(textRegisters.begin(),
            textRegisters.begin() + static_cast<long>(std::min(textRegisters.size(), m_texts.size())),
            m_texts.begin());
  m_imageWords = static_cast<WORD>(imageRegisters.size() / 2);
  m_textWords = static_cast<WORD>(textRegisters.size() / 2);
  m_password.fill(0xFF);
  for (size_t i = 0; i < password.size() && i < m_password.size(); ++i)
    m_password[i] = static_cast<BYTE>(password[i]);
  m_passwordWord = password.empty() ? 0xFFFF : 0x0001;
}

void DeviceSimulator::SetReportedSizes(WORD imageWords, WORD textWords) {
  std::lock_guard lock(m_mutex);
  m_imageWords = imageWords;
  m_textWords = textWords;
}

void DeviceSimulator::SetPasswordWord(WORD word) {
  std::lock_guard lock(m_mutex);
  m_passwordWord = word;
}

int DeviceSimulator::LastUploadEndSuccess() const {
  std::lock_guard lock(m_mutex);
  return m_lastUploadEnd;
}

void DeviceSimulator::InjectFault(Fault fault, BYTE function, int skip) {
  std::lock_guard lock(m_mutex);
  m_faults.push_back({fault, function, skip});
}

void DeviceSimulator::SetBaudRate(int baud) {
  std::lock_guard lock(m_mutex);
  m_baud = baud;
}

std::vector<std::vector<BYTE>> DeviceSimulator::Requests() const {
  std::lock_guard lock(m_mutex);
  return m_requests;
}

void DeviceSimulator::SetBit(BYTE function, WORD address, bool on) {
  std::lock_guard lock(m_mutex);
  (function == kFnReadCoils ? m_coils : m_inputs)[address] = on;
}

void DeviceSimulator::ClearRequests() {
  std::lock_guard lock(m_mutex);
  m_requests.clear();
}

// The length of the request at the front of the input, or 0 while it is incomplete.
size_t DeviceSimulator::FrameLength(const std::vector<BYTE>& in) const {
  if (in.size() < 2) return 0;
  size_t length = 8;
  switch (in[1]) {
    case kFnReadMemory:
      length = 9;
      break;
    case kFnWriteMultiple:
    case kFnWriteMessageTexts:
    case kFnSetClock:
      if (in.size() < 7) return 0;
      length = 9 + in[6];
      break;
    case kFnPassword:
      length = 17;
      break;  // 7 bytes of head, 8 password bytes, CRC
    case kFnWriteConfig:
      length = 16;
      break;
    case kFnCalibrate:
      length = 8;
      break;
    default:
      length = 8;
      break;
  }
  return in.size() >= length ? length : 0;
}

std::vector<BYTE> DeviceSimulator::Answer(const std::vector<BYTE>& q) {
  const BYTE fn = q[1];
  auto exception = [fn](BYTE code) {
    std::vector<BYTE> r{0, static_cast<BYTE>(fn | 0x80), code};
    AppendCrc(r);
    return r;
  };
  std::vector<BYTE> r{0, fn};
  const WORD address = BigEndianWord(q.data() + 2);
  const WORD count = BigEndianWord(q.data() + 4);
  switch (fn) {
    case kFnReadHolding:
    case kFnReadMessageTexts: {
      if (count > 125) return exception(3);
      if (fn == kFnReadHolding && address == 210) {
        if (m_noIdentification) return exception(2);
        r.push_back(6);
        r.insert(r.end(), {m_type, m_modelLow, 0, 0, static_cast<BYTE>(m_firmware >> 8),
                           static_cast<BYTE>(m_firmware & 0xFF)});
        break;
      }
      // A protected program stays unread until its password was given.
      if (m_locked && (fn == kFnReadMessageTexts || address >= 0x8C00)) return exception(2);
      r.push_back(static_cast<BYTE>(2 * count));
      for (int i = 0; i < count; ++i) {
        if (fn == kFnReadHolding) {
          PutWord(r, m_holding[static_cast<WORD>(address + i)]);
        } else {
          const size_t at = (address + static_cast<size_t>(i)) * 2;
          r.push_back(at < m_texts.size() ? m_texts[at] : 0xFF);
          r.push_back(at + 1 < m_texts.size() ? m_texts[at + 1] : 0xFF);
        }
      }
      break;
    }
    case kFnReadCoils:
    case kFnReadInputs: {
      if (count == 0 || count > 2000) return exception(3);
      const std::vector<bool>& bits = fn == kFnReadCoils ? m_coils : m_inputs;
      r.push_back(static_cast<BYTE>((count + 7) / 8));
      for (int i = 0; i < count; i += 8) {
        BYTE b = 0;
        for (int k = 0; k < 8 && i + k < count; ++k) {
          if (bits[static_cast<WORD>(address + i + k)]) b = static_cast<BYTE>(b | (1 << k));
        }
        r.push_back(b);
      }
      break;
    }
    case kFnReadInputRegisters:
      if (count > 125) return exception(3);
      r.push_back(static_cast<BYTE>(2 * count));
      for (int i = 0; i < count; ++i) PutWord(r, m_holding[static_cast<WORD>(address + i)]);
      break;
    case kFnWriteSingle:
      m_holding[address] = count;
      r.assign(q.begin(), q.begin() + 6);
      break;
    case kFnWriteMultiple:
    case kFnWriteMessageTexts:
      for (int i = 0; i < count && 7 + 2 * i + 1 < static_cast<int>(q.size()); ++i) {
        const BYTE hi = q[7 + 2 * i], lo = q[8 + 2 * i];
        if (fn == kFnWriteMultiple) {
          m_holding[static_cast<WORD>(address + i)] = static_cast<WORD>((hi << 8) | lo);
        } else {
          const size_t at = (address + static_cast<size_t>(i)) * 2;
          if (at + 1 < m_texts.size()) m_texts[at] = hi, m_texts[at + 1] = lo;
        }
      }
      r.assign(q.begin(), q.begin() + 6);
      break;
    case kFnStartDownload: {
      ++m_starts;
      const bool longForm = m_type > 0x50 && !m_memoryCard;
      r.push_back(longForm ? 14 : 12);
      if (m_memoryCard) {
        r.insert(r.end(), {0x88, 0x99});
      } else {
        r.insert(r.end(), {m_type, m_modelLow});
      }
      r.insert(r.end(), {0, 0, static_cast<BYTE>(m_firmware >> 8), static_cast<BYTE>(m_firmware & 0xFF)});
      r.resize(longForm ? 17 : 15, 0);
      break;
    }
    case kFnEndDownload:
      m_lastEnd = q[5];
      m_locked = false;
      // The program just written names its own sizes in its header (word 0 and,
      // for the newer series, word 505 of the table image).
      if (q[5] == 1) {
        m_imageWords = m_holding[0x8C00];
        m_textWords = m_type > 0x50 ? m_holding[0x8C00 + 505] : 0;
      }
      r.assign(q.begin(), q.begin() + 6);
      break;
    case kFnStartUpload: {
      ++m_starts;
      const bool longForm = m_type > 0x50;
      r.push_back(longForm ? 14 : 12);
      r.insert(r.end(), {m_type, m_modelLow, 0, 0, static_cast<BYTE>(m_firmware >> 8),
                         static_cast<BYTE>(m_firmware & 0xFF), 0, 0});
      PutWord(r, m_passwordWord);
      PutWord(r, m_imageWords);
      if (longForm) PutWord(r, m_textWords);
      m_locked = m_passwordWord != 0 && m_passwordWord != 0xFFFF;
      break;
    }
    case kFnEndUpload:
      m_lastUploadEnd = q[5];
      m_locked = false;
      r.assign(q.begin(), q.begin() + 6);
      break;
    case kFnPassword: {
      // The letters arrive pair by pair, second letter first.
      bool match = true;
      for (int i = 0; i < 8; ++i) match = match && q[7 + (i ^ 1)] == m_password[static_cast<size_t>(i)];
      if (match) m_locked = false;
      r.insert(r.end(), {2, 0, static_cast<BYTE>(match ? 0 : 1)});
      break;
    }
    case kFnSetClock: {
      const int bytes = q[6];
      const int first = 7 + bytes - 12;  // year .. second are the last six words
      for (int i = 0; i < 6 && first >= 7; ++i)
        m_holding[static_cast<WORD>(301 + i)] = BigEndianWord(&q[first + 2 * i]);
      r.insert(r.end(), {m_type, m_modelLow, 0, static_cast<BYTE>(bytes / 2)});
      break;
    }
    case kFnCalibrate:
      m_holding[262] = q[3];
      m_holding[263] = BigEndianWord(&q[4]);
      r.insert(r.end(), q.begin() + 2, q.begin() + 6);
      break;
    case kFnWriteConfig:
      std::copy(q.begin() + 2, q.begin() + 14, m_summer.begin());
      r.insert(r.end(), q.begin() + 2, q.begin() + 14);
      break;
    case kFnReadMemory: {
      r.insert(r.end(), q.begin() + 2, q.begin() + 7);
      const int n = q[6];
      const BYTE values[] = {m_summer[0], m_summer[4], m_summer[5], m_summer[6], m_summer[7], m_summer[8]};
      for (int i = 0; i < n; ++i) r.push_back(i % 2 == 0 && i / 2 < 6 ? values[i / 2] : 0);
      break;
    }
    default:
      return exception(1);
  }
  AppendCrc(r);
  return r;
}

void DeviceSimulator::Send(std::vector<BYTE> reply, const std::vector<BYTE>& request, long long startNs,
                           int baud) {
  if (baud > 0) {
    // The request and the reply each take their line time.
    const long long byteNs = 10'000'000'000LL / baud;
    const long long due = startNs + byteNs * static_cast<long long>(request.size() + reply.size());
    while (NowNs() < due) std::this_thread::sleep_for(std::chrono::nanoseconds(due - NowNs()));
  }
  size_t done = 0;
  while (done < reply.size()) {
    const ssize_t n = ::write(m_master, reply.data() + done, reply.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

void DeviceSimulator::Run() {
  std::vector<BYTE> in;
  long long firstByteNs = 0;
  while (!m_stop) {
    pollfd p{m_master, POLLIN, 0};
    if (::poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN)) continue;
    BYTE buffer[512];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n <= 0) continue;
    if (in.empty()) firstByteNs = NowNs();
    in.insert(in.end(), buffer, buffer + n);
    for (size_t length; (length = FrameLength(in)) != 0;) {
      std::vector<BYTE> request(in.begin(), in.begin() + static_cast<long>(length));
      in.erase(in.begin(), in.begin() + static_cast<long>(length));
      std::unique_lock lock(m_mutex);
      m_requests.push_back(request);
      // A frame with a bad CRC gets no answer, as on a real line.
      if (CModBus::CalcCrc(request.data(), length - 2) != BigEndianWord(&request[length - 2])) continue;
      std::vector<BYTE> reply = Answer(request);
      bool silent = false;
      for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (it->function != 0 && it->function != request[1]) continue;
        if (it->skip-- > 0) break;
        const Fault fault = it->fault;
        m_faults.erase(it);
        switch (fault) {
          case Fault::kSilent:
            silent = true;
            break;
          case Fault::kShort:
            reply.resize(reply.size() > 3 ? reply.size() - 3 : 1);
            break;
          case Fault::kGarbled:
            for (size_t i = 1; i < reply.size(); ++i) reply[i] = static_cast<BYTE>(reply[i] ^ (0xA5 + i));
            break;
          case Fault::kBadCrc:
            reply.back() ^= 0xFF;
            break;
          case Fault::kException:
            reply = {0, static_cast<BYTE>(request[1] | 0x80), 4};
            AppendCrc(reply);
            break;
          case Fault::kCorruptData:
            if (reply.size() > 6) {
              reply[3] ^= 0x01;
              reply.resize(reply.size() - 2);
              AppendCrc(reply);
            }
            break;
          case Fault::kDropLine:
            ::close(m_master);
            m_master = -1;
            m_stop = true;
            return;
        }
        break;
      }
      const int baud = m_baud;
      lock.unlock();
      if (!silent) Send(std::move(reply), request, firstByteNs, baud);
      firstByteNs = NowNs();
    }
  }
}
