// The instruction records read back into blocks: one decoder per block
// family, each the inverse of its encoder (param_encoders.cpp). A decoder
// walks the same slot list that the encoder walked (the constructor's), reads
// the same fields in the same order and sets the values they came from.
// Every read is bounded to the record; nothing outside it is touched.
#include <algorithm>
#include <memory>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>

#include "blocks/analog_blocks.h"
#include "blocks/block_factory.h"
#include "blocks/comm_blocks.h"
#include "blocks/counter_blocks.h"
#include "blocks/data_blocks.h"
#include "blocks/extended_blocks.h"
#include "blocks/logic_blocks.h"
#include "blocks/math_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "image/image_layout.h"
#include "image/program_decoder.h"
#include "model/block_codes.h"
#include "model/block_registry.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"

namespace {

constexpr int kCode53 = LINK_EMPTY;
constexpr int kCode55 = LINK_PARAM;

// The generic parameter words P0 .. P16 and X1 .. X15 (as the encoders name them).
int& P(CBlockObj& b, int n) {
  static constexpr int CBlockObj::*kWords[] = {
      &CBlockObj::m_nParam1,  &CBlockObj::m_nParam2,  &CBlockObj::m_nParam3,  &CBlockObj::m_nParam4,
      &CBlockObj::m_nParam5,  &CBlockObj::m_nParam6,  &CBlockObj::m_nParam7,  &CBlockObj::m_nParam8,
      &CBlockObj::m_nParam9,  &CBlockObj::m_nParam10, &CBlockObj::m_nParam11, &CBlockObj::m_nParam12,
      &CBlockObj::m_nParam13,
  };
  if (n >= 13 && n <= 16) return b.m_bUseRef[n - 13];
  return b.*kWords[std::clamp(n, 0, 12)];
}

int& X(CBlockObj& b, int n) {
  static constexpr int CBlockObj::*kWords[] = {
      &CBlockObj::m_nLinkSlots, &CBlockObj::m_nParam14, &CBlockObj::m_nParam15, &CBlockObj::m_nParam16,
      &CBlockObj::m_nParam17,   &CBlockObj::m_nParam18, &CBlockObj::m_nParam19, &CBlockObj::m_nParam20,
      &CBlockObj::m_nParam21,   &CBlockObj::m_nParam22, &CBlockObj::m_nParam23, &CBlockObj::m_nParam24,
      &CBlockObj::m_nParam25,   &CBlockObj::m_nParam26, &CBlockObj::m_nParam27, &CBlockObj::m_nParam28,
  };
  return b.*kWords[std::clamp(n, 1, 15)];
}

template <class... Classes>
bool IsAny(const CBlockObj* b) {
  return ((dynamic_cast<const Classes*>(b) != nullptr) || ...);
}

int SlotCount(const CBlockObj& b) {
  return std::clamp(b.m_nLinkSlots, 0, kPinCount);
}

int NextSlot(const CBlockObj& b, int slot) {
  return slot + 1 < kPinCount ? b.m_nSource[slot + 1] : -1;
}

// Sensor fields derived from an offset: the range starts at the offset and
// spans the gain's thousand.
void SensorFields(CBlockAnalog& a, int v) {
  a.m_nRangeMin = v;
  a.m_nOffset = v;
  const double max = a.m_dGain * 1000.0 + v;
  a.m_nRangeMax = max > 2e9 ? 2000000000 : max < -2e9 ? -2000000000 : static_cast<int>(max);
}

}  // namespace

// One record being decoded: the block, the reader over the record and the
// decoder that owns the document.
class CRecordDecoder {
 public:
  CRecordDecoder(CProgramDecoder& d, CBlockObj* b, CAreaReader& r)
      : m_d(d), m_b(*b), m_r(r), m_newer(d.m_bNewer) {}

  void Body();

 private:
  // An input slot: the pin word of a pin the constructor left open; any other
  // slot's word is read and dropped.
  void Slot(int slot) {
    const int w = m_r.Word();
    if (slot < m_b.InputPinCount() && m_b.m_nSource[slot] == LINK_OPEN) m_d.DecodePinWord(w, &m_b, slot);
  }
  bool Ref(int n) const { return m_b.m_bUseRef[n - 1] != 0; }
  // "ref n or X": the reference number while reference n is in use, else the fallback.
  void RefOr(int n, long long value, int& fallback) {
    if (Ref(n)) {
      const int v = static_cast<int>(value & 0xFFFF);
      m_b.m_nRefNumber[n - 1] = v < kMaxFunctionBlocks ? kFirstFunctionBlockNumber + v : -1;
    } else {
      fallback = static_cast<int>(value);
    }
  }
  void TimeParameter(int n, int word);

  void Logic();
  void DataFunction();
  void SpecialTimer();
  void WeeklyTimer();
  void YearlyTimer();
  void AstroClock();
  void Stopwatch();
  void Counter();
  void HoursCounter();
  void ThresholdTrigger();
  void Relay();
  void MessageText();
  void Analog();
  void AnalogWatchdog();
  void AnalogMath();
  void AnalogFilter();
  void Average();
  void MaxMin();
  void MathError();
  void AnalogRamp();
  void PI();
  void PWM();
  void Modbus();
  void Wifi();
  void Udc();
  void Quad();
  void Encoder();

  CProgramDecoder& m_d;
  CBlockObj& m_b;
  CAreaReader& m_r;
  bool m_newer;
};

void CRecordDecoder::Body() {
  // The reader of a block's part of the record: the first of these class tests
  // that the block passes. They depend on the class alone: each class takes
  // them once (a handful of classes, a thousand blocks).
  using Reader = void (CRecordDecoder::*)();
  const auto readerOf = [](const CBlockObj* b) -> Reader {
    if (IsAny<CBlockLogic, CBlockBoolean, CBlockTDT, CBlockBCD, CBlockBIN, CBlockODD, CBlockEVEN, CBlockSEG>(
            b))
      return &CRecordDecoder::Logic;
    if (IsAny<CBlockDPR, CBlockDDR, CBlockPLR, CBlockCPG, CBlockMPLR, CBlockRPR, CBlockAPG, CBlockRG,
              CBlockMFS, CBlockSLS>(b))
      return &CRecordDecoder::SpecialTimer;
    if (IsAny<CBlockWT>(b)) return &CRecordDecoder::WeeklyTimer;
    if (IsAny<CBlockYT>(b)) return &CRecordDecoder::YearlyTimer;
    if (IsAny<CBlockCOUNTER>(b)) return &CRecordDecoder::Counter;
    if (IsAny<CBlockHCOUNTER>(b)) return &CRecordDecoder::HoursCounter;
    if (IsAny<CBlockTHTRG>(b)) return &CRecordDecoder::ThresholdTrigger;
    if (IsAny<CBlockAC>(b)) return &CRecordDecoder::AstroClock;
    if (IsAny<CBlockSW>(b)) return &CRecordDecoder::Stopwatch;
    if (IsAny<CBlockAMUX, CBlockAMATH>(b)) return &CRecordDecoder::AnalogMath;
    if (IsAny<CBlockAFILTER>(b)) return &CRecordDecoder::AnalogFilter;
    if (IsAny<CBlockAVGVAL>(b)) return &CRecordDecoder::Average;
    if (IsAny<CBlockMAXMIN>(b)) return &CRecordDecoder::MaxMin;
    if (IsAny<CBlockAWDOG>(b)) return &CRecordDecoder::AnalogWatchdog;
    if (IsAny<CBlockARAMP>(b)) return &CRecordDecoder::AnalogRamp;
    if (IsAny<CBlockPI>(b)) return &CRecordDecoder::PI;
    if (IsAny<CBlockPWM>(b)) return &CRecordDecoder::PWM;
    if (IsAny<CBlockAnalog>(b)) return &CRecordDecoder::Analog;
    if (IsAny<CBlockLR, CBlockPR, CBlockSREG>(b)) return &CRecordDecoder::Relay;
    if (IsAny<CBlockMATHERR>(b)) return &CRecordDecoder::MathError;
    if (IsAny<CBlockMSGTEXT>(b)) return &CRecordDecoder::MessageText;
    if (IsAny<CBlockMR>(b)) return &CRecordDecoder::Modbus;
    if (IsAny<CBlockROL, CBlockROR, CBlockSHL, CBlockSHR, CBlockANDM, CBlockORM, CBlockNOTM, CBlockNANDM,
              CBlockNORM, CBlockXORM, CBlockARRMXIV, CBlockACMXIV, CBlockRAND, CBlockMEM, CBlockSMC,
              CBlockSMCE, CBlockPTO, CBlockPTOE, CBlockWORD2BIT, CBlockCRC16, CBlockMOD, CBlockREM, CBlockLOG,
              CBlockSQRT, CBlockABS, CBlockGCD, CBlockLCM, CBlockPOW2, CBlockEXP, CBlockFIX, CBlockROUND,
              CBlockSIN, CBlockCOS, CBlockTAN, CBlockCOT, CBlockSEC, CBlockCSC>(b))
      return &CRecordDecoder::DataFunction;
    if (IsAny<CBlockUDC>(b)) return &CRecordDecoder::Udc;
    if (IsAny<CBlockQUAD>(b)) return &CRecordDecoder::Quad;
    if (IsAny<CBlockENCODER>(b)) return &CRecordDecoder::Encoder;
    if (IsAny<CBlockWIFI>(b)) return &CRecordDecoder::Wifi;
    return nullptr;  // any other class (the softkey) has only its function code
  };
  thread_local std::unordered_map<std::type_index, Reader> readers;
  const std::type_index cls(typeid(m_b));
  auto it = readers.find(cls);
  if (it == readers.end()) it = readers.emplace(cls, readerOf(&m_b)).first;
  if (it->second) (this->*it->second)();
}

// ---- Logic, data and math ----------------------------------------------------------

void CRecordDecoder::Logic() {
  const int inputs = m_b.InputPinCount();
  for (int slot = 0; slot < inputs; ++slot) Slot(slot);
  const int slots = IsAny<CBlockLogic>(&m_b) ? 0 : SlotCount(m_b);
  const bool boolean = IsAny<CBlockBoolean>(&m_b);
  for (int slot = inputs; slot < slots; ++slot) {
    const int v = m_b.m_nSource[slot];
    if (v == kCode55 && boolean)
      X(m_b, 11) = m_r.Word();
    else if (v == kCode53)
      m_r.Skip(2);
  }
}

void CRecordDecoder::DataFunction() {
  CBlockObj* b = &m_b;
  const bool realParam = IsAny<CBlockSQRT, CBlockPOW2, CBlockEXP, CBlockSIN, CBlockCOS, CBlockTAN, CBlockCOT,
                               CBlockSEC, CBlockCSC>(b);
  const bool mem = IsAny<CBlockMEM>(b);
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        if (IsAny<CBlockSMC, CBlockSMCE>(b))
          P(m_b, 9) = m_r.Word();
        else if (IsAny<CBlockPTO, CBlockPTOE>(b))
          P(m_b, 8) = m_r.Word();
        else if (mem)
          m_r.Skip(1);
        else if (realParam)
          m_b.m_dParam = FromHundredths(m_r.SignedDword());
        else
          RefOr(1, m_r.Word(), IsAny<CBlockLOG, CBlockFIX, CBlockROUND>(b) ? P(m_b, 10) : P(m_b, 9));
        // The mask blocks show their mask as four hexadecimal digits.
        if (IsAny<CBlockANDM, CBlockORM, CBlockNANDM, CBlockNORM, CBlockXORM>(b))
          m_b.m_strMask.Format(u"%04X", P(m_b, 9));
        break;
      case 72:
        m_b.m_dParam = FromHundredths(m_r.SignedDword());
        break;
      case 77:
        RefOr(1, m_r.SignedDword(), X(m_b, 7));
        break;
      case 78:
        RefOr(2, m_r.SignedDword(), X(m_b, 2));
        break;
      case 83:
        if (mem) {
          const int w = m_r.Word();
          if (m_b.m_bUseRef[0] != 0) {
            P(m_b, 8) = (w >> 12) & 0xF;
            const int n = w & 0xFFF;
            m_b.m_nRefNumber[0] = n < kMaxFunctionBlocks ? kFirstFunctionBlockNumber + n : -1;
          }
        } else {
          RefOr(2, m_r.Word(), X(m_b, 2));
        }
        break;
      case 84: {
        // The high byte of the referenced block's function code: a reference exactly when it names a type.
        const int code = m_r.Byte();
        if (mem) {
          const bool found = code != 0 && m_d.TypeOfCodeBytes(code, 0) != 0;
          m_b.m_bUseRef[0] = found ? 1 : 0;
          if (!found) {
            P(m_b, 8) = 0;
            P(m_b, 9) = 0;
            m_b.m_nRefNumber[0] = -1;
          }
        }
        break;
      }
      case 85: {
        const int w = m_r.Word();
        const int kind = (w >> 12) & 0xF;
        P(m_b, 8) = kind == 9 ? 1 : kind == 8 ? 2 : 0;
        X(m_b, 1) = w & 0x3FF;
        break;
      }
      case 95:
        P(m_b, 8) = m_r.Word();
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

// ---- Time functions ------------------------------------------------------------------

void CRecordDecoder::TimeParameter(int n, int word) {
  const int bits = (word >> 14) & 3;
  // Base bits 00 are never written; they are read as hours and minutes.
  const int base = bits == 1 ? 2 : bits == 2 ? 1 : 0;
  const int radix = base == 2 ? 100 : 60;
  const int v = word & 0x3FFF;
  const int high = v / radix;
  const int low = v % radix;
  const int type = m_b.m_nType;
  const auto refNumber = [&](int k) {
    m_b.m_nRefNumber[k] = v < kMaxFunctionBlocks ? kFirstFunctionBlockNumber + v : -1;
  };
  switch (n) {
    case 1:
      if (Ref(1)) {
        P(m_b, 11) = base;
        refNumber(0);
      } else {
        P(m_b, 9) = high, P(m_b, 8) = low, P(m_b, 10) = base;
      }
      break;
    case 2:
      if (Ref(2)) {
        P(m_b, 12) = base;
        refNumber(1);
      } else {
        X(m_b, 2) = high, X(m_b, 1) = low, X(m_b, 3) = base;
      }
      break;
    case 3:
      if (Ref(3)) {
        refNumber(2);
        if (type == kTypeSLS || type == kTypeMFS) X(m_b, 5) = 0;
      } else {
        X(m_b, 7) = high, X(m_b, 6) = low;
      }
      break;
    default:
      if (Ref(4)) {
        // The base of a referenced fourth time is the one of the first reference's, else the second time's.
        (Ref(1) ? P(m_b, 12) : X(m_b, 3)) = base;
        refNumber(3);
        if (type == kTypeSLS || type == kTypeMFS) X(m_b, 5) = 0;
      } else {
        X(m_b, 9) = high, X(m_b, 8) = low;
      }
      if (!Ref(3)) {
        if (type == kTypeSLS) {
          const bool pair =
              base == 2 ? (X(m_b, 6) == 75 && X(m_b, 8) == 5) : (X(m_b, 6) == 15 && X(m_b, 8) == 1);
          X(m_b, 5) = X(m_b, 7) == 0 && X(m_b, 9) == 0 && pair ? 1 : 0;
        } else if (type == kTypeMFS) {
          X(m_b, 5) = X(m_b, 6) == 0 && X(m_b, 7) == 0 && X(m_b, 8) == 0 && X(m_b, 9) == 0 ? 1 : 0;
        }
      }
      break;
  }
}

void CRecordDecoder::SpecialTimer() {
  const int slots = std::clamp(m_b.m_wMemSize / 2 - 1, 0, kPinCount);
  int next = m_b.m_nType == kTypeSLS ? 2 : 1;
  for (int slot = 0; slot < slots; ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55: {
        const int w = m_r.Word();
        if (next <= 4) TimeParameter(next++, w);
        break;
      }
      case 58:
        X(m_b, 4) = m_r.Byte() - 1;
        m_r.Skip(1);
        break;
      case kCode53:
        m_r.Skip(2);
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::WeeklyTimer() {
  auto* t = dynamic_cast<CBlockTime*>(&m_b);
  const int units = std::min<int>(m_b.m_wMemSize / 2, kPinCount);
  int timeCam = 0;
  int dayCam = 0;
  const auto time = [this](int* hm, int* unset) {
    const int w = m_r.Word();
    *unset = w == 0xFFFF ? 1 : 0;
    hm[0] = w == 0xFFFF ? 0 : w / 60;
    hm[1] = w == 0xFFFF ? 0 : w % 60;
  };
  for (int slot = 0; slot < units;) {
    const int v = m_b.m_nSource[slot];
    if (v == kCode55) {
      if (timeCam < CBlockTime::kCams) {
        const int c = timeCam++;
        time(t->m_nCamOn[c], &t->m_bCamOnUnset[c]);
        time(t->m_nCamOff[c], &t->m_bCamOffUnset[c]);
      }
      slot += 2;
      continue;
    }
    if (v == 54 && dayCam < CBlockTime::kCams) {
      const int bits = m_r.Byte();
      for (int d = 0; d < CBlockTime::kWeekDays; ++d) t->m_nCamDays[dayCam][d] = (bits >> d) & 1;
      ++dayCam;
    } else if (v == 56) {
      const int pulse = m_r.Byte();
      if (m_newer) P(m_b, 3) = pulse;
      m_r.Skip(2);
    }
    ++slot;
  }
}

void CRecordDecoder::YearlyTimer() {
  P(m_b, 8) = m_r.Byte();
  const int onMonth = m_r.Byte();
  if (m_newer) P(m_b, 6) = m_r.Word();
  X(m_b, 1) = m_r.Byte();
  const int offMonth = m_r.Byte();
  bool monthly = offMonth == 0xFF;
  if (m_newer) {
    P(m_b, 5) = m_r.Word();
    const int flags = m_r.Byte();
    m_r.Skip(1);
    monthly = (flags & 0x80) != 0;
    P(m_b, 4) = (flags >> 6) & 1;
    P(m_b, 3) = flags & 1;
  }
  P(m_b, 2) = monthly ? 1 : 0;
  P(m_b, 9) = monthly ? 1 : onMonth;
  X(m_b, 2) = monthly ? 12 : offMonth;
  m_r.Skip(2);
}

void CRecordDecoder::AstroClock() {
  for (int* v :
       {&X(m_b, 9), &X(m_b, 7), &X(m_b, 2), &P(m_b, 9), &X(m_b, 8), &X(m_b, 6), &X(m_b, 1), &P(m_b, 8)})
    *v = m_r.Byte();
  const int zone = m_r.Byte();
  const int after = m_r.Byte();
  X(m_b, 3) = after != 0 ? zone + 12 : zone;
  m_r.Skip(4);
}

void CRecordDecoder::Stopwatch() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    const int v = m_b.m_nSource[slot];
    if (v == kCode55)
      P(m_b, 10) = 3 - m_r.Word();
    else if (v == kCode53)
      m_r.Skip(6);
    else
      Slot(slot);
  }
}

// ---- Counters and relays ----------------------------------------------------------------

void CRecordDecoder::Counter() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        RefOr(1, m_r.Dword() & 0xFFFFFF, P(m_b, 9));
        break;
      case 59:
        RefOr(2, m_r.Dword() & 0xFFFFFF, X(m_b, 2));
        break;
      case kCode53:
        if (m_newer) {
          P(m_b, 7) = static_cast<int>(m_r.Dword() & 0xFFFFFF);
          m_r.Skip(4);
        } else {
          m_r.Skip(8);
        }
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::HoursCounter() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55: {
        const int s = static_cast<int>(m_r.Dword() & 0xFFFFFF);
        X(m_b, 2) = s / 60;
        if (m_newer) X(m_b, 1) = s % 60;
        break;
      }
      case 59:
        if (m_newer) {
          const long long w = m_r.Dword();
          if (Ref(1)) {
            int unused = 0;
            RefOr(1, w, unused);
          } else {
            const int s = static_cast<int>(w & 0xFFFFFF);
            P(m_b, 9) = s / 60;
            P(m_b, 8) = s % 60;
          }
        } else {
          P(m_b, 9) = m_r.Word();
        }
        break;
      case 58:
        X(m_b, 5) = m_r.Word() & 0xFF;
        break;
      case kCode53:
        m_r.Skip(m_newer ? 6 : 8);
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::ThresholdTrigger() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        P(m_b, 9) = m_r.Word();
        break;
      case 59:
        P(m_b, 8) = m_r.Word();
        break;
      case 58: {
        const int w = m_r.Word();
        if (m_newer && Ref(1)) {
          int unused = 0;
          RefOr(1, (w - 0x4000) & 0xFFFF, unused);
          break;
        }
        const bool hundredths = (w >> 8) >= 64;
        const int v = hundredths ? (w - 0x4000) & 0xFFFF : w;
        const int radix = hundredths ? 100 : 60;
        X(m_b, 2) = v / radix;
        X(m_b, 1) = v % radix;
        break;
      }
      case kCode53:
        m_r.Skip(6);
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::Relay() {
  const bool shift = IsAny<CBlockSREG>(&m_b);
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55: {
        const int w = m_r.Word();
        if (shift) {
          for (int bit = 0; bit < 16; ++bit) {
            if ((w >> bit) & 1) {
              X(m_b, 10) = bit;
              break;
            }
          }
        } else if (IsAny<CBlockPR>(&m_b)) {
          X(m_b, 12) = w & 0xFF;
        }
        break;
      }
      case kCode53:
        if (shift && m_newer) {
          X(m_b, 11) = m_r.Word();
          m_r.Skip(4);
        } else {
          m_r.Skip(2);
        }
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::MessageText() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    const int v = m_b.m_nSource[slot];
    if (v == kCode55) {
      const int byte = m_r.Byte();
      if (slot == 1) {
        // 0xFF: a message text that was never given a priority.
        X(m_b, 5) = byte == 0xFF ? 0 : (byte >> 7) & 1;  // acknowledge
        X(m_b, 4) = byte == 0xFF ? -1 : byte & 0x7F;     // priority
      }
    } else if (v == kCode53) {
      m_r.Skip(2);
    } else {
      Slot(slot);
    }
  }
}

// ---- Analog functions -----------------------------------------------------------------------

void CRecordDecoder::Analog() {
  auto& a = static_cast<CBlockAnalog&>(m_b);
  int low = 0;
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        if (m_newer)
          RefOr(1, m_r.SignedWord(), a.m_nThreshold1);
        else
          a.m_nThreshold1 = m_r.SignedWord();
        break;
      case 70:
        a.m_nThreshold1 = m_r.SignedWord();
        break;
      case 71:
        if (m_newer)
          RefOr(2, m_r.SignedWord(), a.m_nThreshold2);
        else
          a.m_nThreshold2 = m_r.SignedWord();
        break;
      case 72:
        a.m_dGain = FromHundredths(m_r.SignedWord());
        break;
      case 73:
        SensorFields(a, m_r.SignedWord());
        a.m_nSensor = 4;
        break;
      case 74:
        a.m_nPoint = m_r.Word();
        break;
      case 75:
        low = m_r.Word();
        break;
      case kCode53:
        if (m_b.m_nType == kTypeADTRG) {
          const long long sum =
              static_cast<long long>(low) + static_cast<long long>(m_r.SignedWord()) * 65536;
          a.m_nThreshold2 = static_cast<int>(sum - a.m_nThreshold1);
        } else {
          m_r.Skip(m_b.m_nType == kTypeACOMP ? 8 : 2);
        }
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::AnalogWatchdog() {
  auto& a = static_cast<CBlockAnalog&>(m_b);
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        if (m_newer)
          RefOr(1, m_r.SignedWord(), a.m_nThreshold1);
        else
          a.m_nThreshold2 = m_r.SignedWord();
        break;
      case 72:
        if (m_newer)
          RefOr(2, m_r.SignedWord(), a.m_nThreshold2);
        else
          a.m_dGain = FromHundredths(m_r.SignedWord());
        break;
      case 73:
        if (m_newer) {
          a.m_dGain = FromHundredths(m_r.SignedWord());
        } else {
          SensorFields(a, m_r.SignedWord());
          a.m_nSensor = 4;
        }
        break;
      case 74:
        if (m_newer) {
          SensorFields(a, m_r.SignedWord());
          a.m_nSensor = 4;
        } else {
          a.m_nPoint = m_r.Word();
        }
        break;
      case kCode53:
        if (m_newer) a.m_nPoint = m_r.Word();
        m_r.Skip(m_newer ? 4 : 6);
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::AnalogMath() {
  auto& a = static_cast<CBlockAnalog&>(m_b);
  const bool formula = IsAny<CBlockAMATH>(&m_b);
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    const int v = m_b.m_nSource[slot];
    switch (v) {
      case kCode55:
        RefOr(1, m_r.SignedWord(), P(m_b, 9));
        continue;
      case 70:
        RefOr(2, m_r.SignedWord(), X(m_b, 2));
        continue;
      case 71:
        RefOr(3, m_r.SignedWord(), X(m_b, 7));
        continue;
      case 73:
        RefOr(4, m_r.SignedWord(), X(m_b, 9));
        continue;
      case 61:
        P(m_b, 8) = m_r.Byte();
        continue;
      case 62:
        X(m_b, 1) = m_r.Byte();
        continue;
      case 63:
        X(m_b, 6) = m_r.Byte();
        continue;
      case 64: {
        const int bits = m_r.Byte();
        P(m_b, 10) = bits & 3;
        X(m_b, 3) = (bits >> 2) & 3;
        X(m_b, 8) = (bits >> 4) & 3;
        X(m_b, 12) = (bits >> 6) & 3;
        continue;
      }
      case 74:
        a.m_nPoint = m_r.Word();
        continue;
      default:
        break;
    }
    if ((formula && NextSlot(m_b, slot) == kCode53) || (!formula && v == kCode53))
      m_r.Skip(2);
    else
      Slot(slot);
  }
}

void CRecordDecoder::AnalogFilter() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    const int v = m_b.m_nSource[slot];
    if (v == kCode55)
      P(m_b, 10) = m_r.Byte() - 3;
    else if (v == 94)
      m_r.Skip(1);  // the filter number is the compiler's own
    else
      Slot(slot);
  }
}

void CRecordDecoder::Average() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    const int v = m_b.m_nSource[slot];
    if (v == kCode55) {
      const int w = m_r.Word();
      P(m_b, 9) = w / 8;
      P(m_b, 10) = 4 - (w % 8);
    } else if (v == 72) {
      P(m_b, 8) = m_r.Word();
    } else if (v == kCode53) {
      m_r.Skip(4);
    } else {
      Slot(slot);
    }
  }
}

void CRecordDecoder::MaxMin() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    const int v = m_b.m_nSource[slot];
    if (v == kCode55)
      RefOr(1, m_r.Word(), P(m_b, 9));
    else if (v == 72)
      X(m_b, 5) = m_r.Word();
    else if (v == kCode53)
      m_r.Skip(4);
    else
      Slot(slot);
  }
}

void CRecordDecoder::MathError() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    const int v = m_b.m_nSource[slot];
    if (v == kCode55) {
      const int w = m_r.Word();
      if (Ref(1) && w != 0xFFFF) {
        int unused = 0;
        RefOr(1, w, unused);
      } else {
        P(m_b, 9) = 0;
      }
    } else if (v == 58) {
      X(m_b, 5) = m_r.Byte();
      m_r.Skip(1);
    } else if (v == 59) {
      const int w = m_r.Word();
      P(m_b, 8) = w == 2 ? 0 : w == 3 ? 2 : 1;
    } else if (v == kCode53) {
      m_r.Skip(4);
    } else {
      Slot(slot);
    }
  }
}

void CRecordDecoder::AnalogRamp() {
  auto& a = static_cast<CBlockAnalog&>(m_b);
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        RefOr(1, m_r.SignedWord(), a.m_nThreshold1);
        continue;
      case 71:
        RefOr(2, m_r.SignedWord(), a.m_nThreshold2);
        continue;
      case 73:
        SensorFields(a, m_r.SignedWord());
        continue;
      case 72:
        a.m_dGain = FromHundredths(m_r.SignedWord());
        continue;
      case 76:
        X(m_b, 2) = m_r.SignedWord();
        continue;
      case 77:
        X(m_b, 7) = m_r.SignedWord();
        continue;
      case 78:
        P(m_b, 9) = m_r.SignedWord();
        continue;
      default:
        break;
    }
    const int next = NextSlot(m_b, slot);
    if (next == 74)
      a.m_nPoint = m_r.Word();
    else if (next == kCode53)
      m_r.Skip(4);
    else
      Slot(slot);
  }
}

void CRecordDecoder::PI() {
  auto& a = static_cast<CBlockAnalog&>(m_b);
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        RefOr(1, m_r.SignedWord(), a.m_nThreshold1);
        continue;
      case 71:
        RefOr(2, m_r.Word(), a.m_nThreshold2);
        continue;
      case 72:
        a.m_dGain = FromHundredths(m_r.SignedWord());
        continue;
      case 76:
        a.m_dKc = FromHundredths(m_r.SignedWord());
        continue;
      case 77: {
        const int t = static_cast<short>(static_cast<WORD>(m_r.Word() - 0x8000));
        a.m_nTiMinutes = t / 60;
        a.m_nTiSeconds = t % 60;
        continue;
      }
      case 79:
        a.m_nRangeMax = m_r.SignedWord();
        continue;
      case 89:
        a.m_nRangeMin = m_r.SignedWord();
        continue;
      default:
        break;
    }
    switch (NextSlot(m_b, slot)) {
      // The PI keeps its own range (codes 89 and 79); the offset is its own field.
      case 73:
        a.m_nOffset = m_r.SignedWord();
        break;
      case 78:
        a.m_nSelect = m_r.Byte() == '+' ? 0 : 1;
        break;
      case 74:
        a.m_nPoint = m_r.Byte();
        break;
      case kCode53:
        a.m_nOption3 = m_r.Byte();
        m_r.Skip(1);
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::PWM() {
  auto& a = static_cast<CBlockAnalog&>(m_b);
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        TimeParameter(1, m_r.Word());
        continue;
      case 72:
        a.m_dGain = FromHundredths(m_r.SignedWord());
        continue;
      case 73:
        SensorFields(a, m_r.SignedWord());
        continue;
      case 74:
        a.m_nPoint = m_r.Word();
        continue;
      case 79:
        a.m_nThreshold2 = m_r.SignedWord();
        continue;
      case 89:
        a.m_nThreshold1 = m_r.SignedWord();
        continue;
      case 95:
        a.m_nSelect = m_r.Byte();
        continue;
      case 96:
        a.m_nSensor = (m_r.Byte() + 4) % 5;
        continue;
      default:
        break;
    }
    if (NextSlot(m_b, slot) == kCode53)
      m_r.Skip(4);
    else
      Slot(slot);
  }
}

// ---- Communication and special ---------------------------------------------------------------

void CRecordDecoder::Modbus() {
  auto& m = static_cast<CBlockMR&>(m_b);
  const bool write = IsAny<CBlockMW>(&m_b);
  const int slots = std::min(SlotCount(m_b) + (write && m_newer ? 2 : 0), kPinCount);
  const auto cycle = [](int w) { return w == 0xFFFF ? 0 : w; };
  for (int slot = 0; slot < slots; ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        m.m_bySlaveAddress = static_cast<BYTE>(m_r.Byte());
        m.m_byFunction = static_cast<BYTE>(m_r.Byte());
        break;
      case 57:
        P(m_b, 10) = cycle(m_r.Word());
        break;
      case 82:
        m.m_wRegister = static_cast<WORD>(m_r.Word());
        break;
      case 83:
        m.m_wCount = static_cast<WORD>(m_r.Word());
        break;
      case 84:
        m.m_wDataAddress = static_cast<WORD>(m_r.Word());
        break;
      case 85: {
        const int w = m_r.Word();
        if (m_newer && !write)
          P(m_b, 10) = cycle(w);
        else
          m.m_wDataHigh = static_cast<WORD>(w);
        break;
      }
      case 86: {
        const int port = m_r.Byte();
        // Only the device's three ports: anything else is no port chosen.
        m.m_nPort = port <= 2 ? port : -1;
        m.m_byDataMode = static_cast<BYTE>(m_r.Byte());
        break;
      }
      case kCode53:
        m_r.Skip(2);
        break;
      default:
        Slot(slot);
        break;
    }
  }
  if (m.m_byDataMode != 0) {
    if (m.m_wDataAddress == 0xFF00 && m.m_byFunction == 5) m.m_wDataAddress = 1;
    m.m_strDataLow.Format(u"%X", m.m_wDataAddress);
    m.m_strDataHigh.Format(u"%X", m.m_wDataHigh);
    return;
  }
  const int n = m.m_wDataAddress;
  if (n == 0xFFFF) {
    m.m_wDataIndex = 0xFFFF;
  } else if (n >= 596) {
    m.m_nDataType = 0, m.m_wDataIndex = static_cast<WORD>(n - 596);
  } else if (n >= 564) {
    m.m_nDataType = 1, m.m_wDataIndex = static_cast<WORD>(n - 564);
  } else if (n >= 500) {
    m.m_nDataType = 2, m.m_wDataIndex = static_cast<WORD>(n - 500);
  } else if (n >= 384) {
    m.m_nDataType = 0, m.m_wDataIndex = static_cast<WORD>(n - 384);
  } else if (n >= 256) {
    m.m_nDataType = 1, m.m_wDataIndex = static_cast<WORD>(n - 256);
  } else {
    m.m_nDataType = 2, m.m_wDataIndex = static_cast<WORD>(n);
  }
}

void CRecordDecoder::Wifi() {
  auto& f = static_cast<CBlockWIFI&>(m_b);
  // Decided by slot index, as the encoder does: the wired inputs are always sources.
  const int firstCodeSlot = std::max(m_b.InputPinCount() - 1, 0);
  for (int slot = 0; slot < firstCodeSlot; ++slot) Slot(slot);
  for (int slot = firstCodeSlot; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        f.m_nWifiSource = m_r.Byte();
        break;
      case 98: {
        const int id = m_r.Byte();
        if (f.m_nWifiSource == 0)
          f.m_nWifiId = id - 1;
        else if (f.m_nWifiSource == 1)
          f.m_nWifiId = id;
        break;
      }
      case 99:
        f.m_nWifiBlockType = m_r.Byte();
        break;
      case 100:
        f.m_nWifiBlockNumber = m_r.Byte();
        break;
      case 101: {
        const int type = m_r.Byte();
        if (f.m_nWifiSource == 2) f.m_nWifiBlockType = type - 1;
        break;
      }
      case 58:
        m_r.Skip(1);
        break;
      case kCode53:
        m_r.Skip(2);
        break;
      default:
        break;
    }
  }
}

void CRecordDecoder::Udc() {
  const auto selector = [](int w) {
    const int kind = (w >> 12) & 0xF;
    return kind == 9 ? 1 : kind == 8 ? 2 : 0;
  };
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        X(m_b, 3) = m_r.Word();
        continue;
      case 57: {
        const int w = m_r.Word();
        P(m_b, 10) = w == 0xFFFF ? 0 : w;
        continue;
      }
      case 82: {
        const int w = m_r.Word();
        X(m_b, 7) = selector(w);
        P(m_b, 5) = w & 0x3FF;
        continue;
      }
      case 83:
        X(m_b, 9) = m_r.Word();
        continue;
      case 84:
        X(m_b, 6) = 0;
        P(m_b, 6) = m_r.Word() & 0x3FF;
        continue;
      case 85:
        X(m_b, 8) = m_r.Word();
        continue;
      case 58:
        P(m_b, 4) = m_r.Byte();
        continue;
      case 86:
        P(m_b, 2) = m_r.Byte();
        continue;
      case 59:
        X(m_b, 5) = m_r.Byte();
        continue;
      default:
        break;
    }
    switch (NextSlot(m_b, slot)) {
      case 64:
        P(m_b, 3) = m_r.Byte();
        break;
      case 60:
        P(m_b, 9) = m_r.Byte();
        break;
      case 61:
        X(m_b, 2) = m_r.Byte();
        break;
      case 62:
        P(m_b, 8) = m_r.Byte();
        break;
      case 63:
        X(m_b, 1) = m_r.Byte();
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::Quad() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        P(m_b, 9) = m_r.SignedWord();
        break;
      case 61:
        X(m_b, 2) = m_r.SignedWord();
        break;
      case 62:
        X(m_b, 7) = m_r.SignedWord();
        break;
      case 63:
        P(m_b, 10) = m_r.Word();
        break;
      case 72:
        m_b.m_dParam = FromHundredths(m_r.SignedDword());
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

void CRecordDecoder::Encoder() {
  for (int slot = 0; slot < SlotCount(m_b); ++slot) {
    switch (m_b.m_nSource[slot]) {
      case kCode55:
        P(m_b, 7) = m_r.SignedDword();
        break;
      case 70:
        RefOr(1, m_r.SignedDword(), P(m_b, 9));
        break;
      case 71:
        RefOr(2, m_r.SignedDword(), X(m_b, 2));
        break;
      case 58:
        X(m_b, 7) = m_r.Word();
        break;
      default:
        Slot(slot);
        break;
    }
  }
}

// ---- One record -------------------------------------------------------------------------------

void CProgramDecoder::DecodeBody(CBlockObj* b, CAreaReader& r, int flagByte) {
  const CodeGroup group = CodeGroupOf(b->m_nType);
  if (IsLogicType(b->m_nType)) {
    // No flag byte: retentivity off, protection on.
    b->m_nParam1 = 0;
    b->m_nParam2 = 1;
  } else if (group != CodeGroup::kA) {
    if (dynamic_cast<CBlockMSGTEXT*>(b) == nullptr) b->m_nParam1 = (flagByte >> 7) & 1;
    b->m_nParam2 = (flagByte & 0x40) != 0 ? 0 : 1;
    std::fill(std::begin(b->m_bUseRef), std::end(b->m_bUseRef), 0);
    switch (group) {
      case CodeGroup::kMem:
        b->m_bUseRef[0] = (flagByte >> 5) & 1;
        break;
      case CodeGroup::kStepper:
        b->m_bUseRef[1] = (flagByte >> 5) & 1;
        b->m_bUseRef[0] = (flagByte >> 4) & 1;
        break;
      default:
        for (int k = 0; k < kRefCount; ++k) b->m_bUseRef[k] = (flagByte >> (5 - k)) & 1;
        break;
    }
  }
  CRecordDecoder(*this, b, r).Body();
}

bool CProgramDecoder::DecodeRecord(int type, int index, size_t offset, size_t* next) {
  const std::vector<BYTE>& j = m_image.program;
  CBlockObj* created = CreateBlockOfType(type, BlockContext::For(&m_doc));
  if (created == nullptr) {
    Fail(CString(u"The program read from the device could not be rebuilt: out of memory."));
    return false;
  }
  std::unique_ptr<CBlockObj> block(created);
  block->m_nNumber = kFirstFunctionBlockNumber + index;
  // The record length as the compiler set it for the model.
  const int cost = GetModelMemoryCost(type, m_wModelCode);
  if (cost != 0) block->m_wMemSize = static_cast<WORD>(cost);
  if (IsAny<CBlockYT>(created))
    block->m_wMemSize = m_bNewer ? 14 : 8;
  else if (IsAny<CBlockSREG>(created))
    block->m_wMemSize = m_bNewer ? 16 : 12;
  else if (IsAny<CBlockMW>(created))
    block->m_wMemSize = m_bNewer ? 22 : 18;
  const size_t size = block->m_wMemSize;
  if (size < 2 || offset + size > j.size()) {
    CString text;
    text.Format(u"The program read from the device is damaged: the instruction of B%d is cut off.", index);
    Fail(text);
    return false;
  }

  // The name: area A lists the named records in ascending order, area B their names.
  const std::span<const BYTE> a = Area(u"A");
  const std::span<const BYTE> names = Area(u"B");
  for (size_t p = 0; 2 * p + 1 < a.size(); ++p) {
    const int w = ReadWordLE(a.data() + 2 * p);
    if (w == 0xFFFF || w > index) break;
    if (w != index) continue;
    CString name;
    for (size_t k = 0; k < 8 && 8 * p + k < names.size(); ++k) {
      const BYTE c = names[8 * p + k];
      const unsigned ch = m_bNewer ? c : LcdCharReverse(c);
      if (ch == 0) break;
      name += static_cast<char16_t>(ch);
    }
    name.TrimRight();
    block->m_strName = name;
    break;
  }

  CBlockObj* b = Append(block.release());
  CAreaReader r(j.data(), offset + size, offset + 2);
  DecodeBody(b, r, j[offset + 1]);
  if (IsAny<CBlockWIFIOut, CBlockWIFIAOut>(b)) AddSink(b);
  if (auto* text = dynamic_cast<CBlockMSGTEXT*>(b)) {
    if (!DecodeMessageText(text, ++m_nMessageCount)) return false;
  }
  *next = offset + size;
  return true;
}
