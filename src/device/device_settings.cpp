#include "device/device_settings.h"

#include <algorithm>

namespace {

void PutBigEndian(std::vector<BYTE>& out, int value) {
  out.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
  out.push_back(static_cast<BYTE>(value & 0xFF));
}

// Day of the week (0 Sunday) of a Gregorian date.
int DayOfWeek(int y, int m, int d) {
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 1 || m > 12) return 0;
  if (m < 3) y -= 1;
  return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}

constexpr int kSleepTimes[] = {0, 300, 600, 1200, 3000, 6000};

}  // namespace

std::vector<BYTE> BuildClockRecord(BYTE deviceType, const SYSTEMTIME& t) {
  std::vector<BYTE> out;
  if (deviceType < 0x11) return out;
  if (deviceType >= 0x51) PutBigEndian(out, DayOfWeek(t.wYear, t.wMonth, t.wDay));
  for (int v : {int(t.wYear), int(t.wMonth), int(t.wDay), int(t.wHour), int(t.wMinute), int(t.wSecond)})
    PutBigEndian(out, v);
  return out;
}

std::array<BYTE, 4> BuildCalibrationRecord(int calibration) {
  const int magnitude = calibration < 0 ? -calibration : calibration;
  return {0, static_cast<BYTE>(calibration < 0 ? 1 : 0), static_cast<BYTE>((magnitude >> 8) & 0xFF),
          static_cast<BYTE>(magnitude & 0xFF)};
}

int SummerTimeRuleCode(const SummerTimeSettings& s) {
  if (!s.enabled) return 0;
  return s.ruleIndex == 6 ? 1 : s.ruleIndex + 2;
}

std::array<BYTE, 12> BuildSummerTimeRecord(const SummerTimeSettings& s) {
  return {static_cast<BYTE>(SummerTimeRuleCode(s)),
          0,
          0,
          0,
          static_cast<BYTE>(s.endMonth),
          static_cast<BYTE>(s.endDay),
          static_cast<BYTE>(s.startMonth),
          static_cast<BYTE>(s.startDay),
          static_cast<BYTE>(std::clamp(s.difference, 0, 180)),
          0,
          0,
          0};
}

void ReadSummerTimeRecord(const BYTE* d, SummerTimeSettings* s) {
  const int code = d[0];
  s->enabled = code != 0;
  if (code != 0) s->ruleIndex = code == 1 ? 6 : code - 2;
  s->endMonth = d[2];
  s->endDay = d[4];
  s->startMonth = d[6];
  s->startDay = d[8];
  s->difference = d[10];
}

std::vector<WORD> BuildWifiRegisters(const WifiSettings& w) {
  std::vector<WORD> r(113, 0);
  r[0] = static_cast<WORD>(w.mode);
  r[1] = w.encryption ? 1 : 0;
  for (int i = 0; i < std::min(w.ssid.GetLength(), 32); ++i) r[2 + i] = w.ssid[i];
  for (int i = 0; i < std::min(w.password.GetLength(), 64); ++i) r[34 + i] = w.password[i];
  r[98] = static_cast<WORD>(w.channel);
  for (int i = 0; i < 4; ++i) {
    r[99 + i] = w.ip[i];
    r[103 + i] = w.mask[i];
  }
  r[107] = static_cast<WORD>(w.deviceId);
  r[108] = static_cast<WORD>(w.localPort);
  r[109] = static_cast<WORD>(w.remotePort);
  r[110] = static_cast<WORD>(w.addressMode);
  r[111] = 0;
  r[112] = static_cast<WORD>(w.txPower);
  return r;
}

namespace {
CString ReadText(const std::vector<WORD>& regs, size_t first, size_t count) {
  CString text;
  for (size_t i = first; i < first + count && i < regs.size(); ++i) {
    if (regs[i] == 0 || regs[i] == 0xFFFF) break;
    text += CString(std::u16string(1, static_cast<char16_t>(regs[i])));
  }
  return text;
}

CString MacText(const WORD* words) {
  CString text;
  text.Format(u"%c%c-%c%c-%c%c-%c%c-%c%c-%c%c", words[0] & 0xFF, words[0] >> 8, words[1] & 0xFF,
              words[1] >> 8, words[2] & 0xFF, words[2] >> 8, words[3] & 0xFF, words[3] >> 8, words[4] & 0xFF,
              words[4] >> 8, words[5] & 0xFF, words[5] >> 8);
  return text;
}
}  // namespace

void ReadWifiRegisters(const std::vector<WORD>& r, WifiSettings* w) {
  if (r.size() < 119) return;
  w->mode = r[0];
  w->encryption = r[1] == 1;
  w->ssid = ReadText(r, 2, 32);
  w->password = ReadText(r, 34, 64);
  w->channel = r[98];
  for (int i = 0; i < 4; ++i) {
    w->ip[i] = static_cast<BYTE>(r[99 + i]);
    w->mask[i] = static_cast<BYTE>(r[103 + i]);
  }
  w->deviceId = r[107];
  w->localPort = r[108];
  w->remotePort = r[109];
  w->addressMode = r[110];
  w->txPower = r[112];
  w->mac = MacText(&r[113]);
}

int SleepIndexOf(int tenths) {
  const int q = tenths / 300;
  if (q <= 3) return std::max(q, 0);
  if (q <= 9) return 3;
  if (q <= 19) return 4;
  return 5;
}

int SleepTimeOf(int index) {
  return kSleepTimes[std::clamp(index, 0, 5)];
}

std::array<BYTE, 148> BuildRemoteWifiBlock(const RemoteWifiSettings& r) {
  std::array<BYTE, 148> b{};
  auto putText = [&b](int at, const CString& text, int max) {
    const int n = std::min(text.GetLength(), max);
    for (int i = 0; i < n; ++i) b[static_cast<size_t>(at + i)] = static_cast<BYTE>(text[i] & 0xFF);
    b[static_cast<size_t>(at + n)] = 0x0A;
  };
  auto putWord = [&b](int at, int value) {
    b[static_cast<size_t>(at)] = static_cast<BYTE>(value & 0xFF);
    b[static_cast<size_t>(at + 1)] = static_cast<BYTE>((value >> 8) & 0xFF);
  };
  putText(0, r.ssid, 32);
  putText(33, r.password, 64);
  b[98] = static_cast<BYTE>(r.deviceId);
  b[99] = static_cast<BYTE>(r.txPowerIndex + 1);
  for (int i = 0; i < 6; ++i) putWord(100 + 2 * i, r.macWords[static_cast<size_t>(i)]);
  putWord(112, r.mode);
  putWord(114, r.ledOn);
  putWord(116, r.ledOff);
  putWord(118, SleepTimeOf(r.sleepIndex));
  int at = 120;
  int digits = 0;
  for (int i = 0; i < r.keyPassword.GetLength() && digits < 6; ++i) {
    const int d = r.keyPassword[i] - u'0';
    if (d < 1 || d > 6) continue;
    putWord(at, 0x8000);
    putWord(at + 2, 1 << (d - 1));
    at += 4;
    ++digits;
  }
  putWord(at, 0);
  putWord(at + 2, 0x000A);
  return b;
}

void ReadRemoteWifiBlock(const std::array<BYTE, 148>& b, RemoteWifiSettings* r) {
  auto readText = [&b](int at, int max) {
    std::u16string text;
    for (int i = 0; i < max && b[static_cast<size_t>(at + i)] != 0x0A; ++i) {
      text.push_back(static_cast<char16_t>(b[static_cast<size_t>(at + i)]));
    }
    while (!text.empty() && text.back() == 0) text.pop_back();
    return CString(text);
  };
  auto word = [&b](int at) { return b[static_cast<size_t>(at)] | (b[static_cast<size_t>(at + 1)] << 8); };
  r->ssid = readText(0, 33);
  r->password = readText(33, 65);
  r->deviceId = b[98];
  r->txPowerIndex = b[99] - 1;
  for (int i = 0; i < 6; ++i) r->macWords[static_cast<size_t>(i)] = static_cast<WORD>(word(100 + 2 * i));
  r->mac = MacText(r->macWords.data());
  r->mode = word(112);
  r->ledOn = word(114);
  r->ledOff = word(116);
  r->sleepIndex = SleepIndexOf(word(118));
  std::u16string key;
  for (int g = 0; g < 7 && 120 + 4 * g + 3 < 148; ++g) {
    const DWORD group = static_cast<DWORD>(word(120 + 4 * g)) | (static_cast<DWORD>(word(122 + 4 * g)) << 16);
    if (group == 10) break;
    int digit = 0;
    for (int bit = 0; bit < 6; ++bit) {
      if (group & (1u << bit)) {
        digit = bit + 1;
        break;
      }
    }
    key.push_back(static_cast<char16_t>(u'0' + digit));
  }
  r->keyPassword = CString(key);
}

std::vector<BYTE> SwapBytePairs(const BYTE* data, size_t length) {
  std::vector<BYTE> out(data, data + length);
  for (size_t i = 0; i + 1 < length; i += 2) std::swap(out[i], out[i + 1]);
  return out;
}
