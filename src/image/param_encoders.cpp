// The bodies of the instruction records: one encoder per block family walks
// the block's pin-source slots and writes one field per slot. Slots hold the
// source of an input pin (a block number, 52 when open) or a parameter field
// code that the block's constructor set; each family knows its own codes.
#include <algorithm>

#include "blocks/analog_blocks.h"
#include "blocks/comm_blocks.h"
#include "blocks/counter_blocks.h"
#include "blocks/data_blocks.h"
#include "blocks/extended_blocks.h"
#include "blocks/logic_blocks.h"
#include "blocks/math_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "image/core_rule.h"
#include "model/block_codes.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"

namespace {

// Slot codes of the records (ParamFieldCode).
constexpr int kCode53 = LINK_EMPTY;
constexpr int kCode55 = LINK_PARAM;

// The generic parameter words: P0 .. P16 and X0 .. X15.
int P(const CBlockObj& b, int n) {
  static constexpr int CBlockObj::*kWords[] = {
      &CBlockObj::m_nParam1,  &CBlockObj::m_nParam2,  &CBlockObj::m_nParam3,  &CBlockObj::m_nParam4,
      &CBlockObj::m_nParam5,  &CBlockObj::m_nParam6,  &CBlockObj::m_nParam7,  &CBlockObj::m_nParam8,
      &CBlockObj::m_nParam9,  &CBlockObj::m_nParam10, &CBlockObj::m_nParam11, &CBlockObj::m_nParam12,
      &CBlockObj::m_nParam13,
  };
  if (n >= 0 && n <= 12) return b.*kWords[n];
  if (n >= 13 && n <= 16) return b.m_bUseRef[n - 13];
  return 0;
}

int X(const CBlockObj& b, int n) {
  static constexpr int CBlockObj::*kWords[] = {
      &CBlockObj::m_nLinkSlots, &CBlockObj::m_nParam14, &CBlockObj::m_nParam15, &CBlockObj::m_nParam16,
      &CBlockObj::m_nParam17,   &CBlockObj::m_nParam18, &CBlockObj::m_nParam19, &CBlockObj::m_nParam20,
      &CBlockObj::m_nParam21,   &CBlockObj::m_nParam22, &CBlockObj::m_nParam23, &CBlockObj::m_nParam24,
      &CBlockObj::m_nParam25,   &CBlockObj::m_nParam26, &CBlockObj::m_nParam27, &CBlockObj::m_nParam28,
  };
  return n >= 0 && n <= 15 ? b.*kWords[n] : 0;
}

bool RefInUse(const CBlockObj& b, int n) {
  return b.m_bUseRef[n - 1] != 0;
}

// The block of reference n (1..4), null when none.
const CBlockObj* RefBlock(const CBlockObj& b, int n) {
  return b.m_pRef[n - 1];
}

// "ref n or X": the referenced block's number - 9000 while reference n is in
// use (and names a block), else the fallback.
long long RefOr(const CBlockObj& b, int n, long long fallback) {
  const CBlockObj* ref = RefBlock(b, n);
  return RefInUse(b, n) && ref != nullptr ? ref->m_nNumber - kFirstFunctionBlockNumber : fallback;
}

// The slots a walk may visit: the slot count held to the pin arrays.
int SlotCount(const CBlockObj& b) {
  return std::clamp(b.m_nLinkSlots, 0, kPinCount);
}

int NextSlot(const CBlockObj& b, int slot) {
  return slot + 1 < kPinCount ? b.m_nSource[slot + 1] : -1;
}

int Number(const CBlockObj& b) {
  return b.m_nNumber - kFirstFunctionBlockNumber;
}

// The TimeWord of time parameter n (1..4) of a time block.
WORD TimeParameter(const CBlockObj& b, int n) {
  int high = 0;
  int low = 0;
  int base = 0;
  int refBase = 0;
  const int thirdBase = RefInUse(b, 2) ? P(b, 12) : X(b, 3);
  switch (n) {
    case 1:
      high = P(b, 9), low = P(b, 8), base = P(b, 10), refBase = P(b, 11);
      break;
    case 2:
      high = X(b, 2), low = X(b, 1), base = X(b, 3), refBase = P(b, 12);
      break;
    case 3:
      high = X(b, 7), low = X(b, 6), base = thirdBase, refBase = thirdBase;
      break;
    default:
      high = X(b, 9), low = X(b, 8), base = thirdBase;
      refBase = RefInUse(b, 1) ? P(b, 12) : X(b, 3);
      break;
  }
  const CBlockObj* ref = RefBlock(b, n);
  if (RefInUse(b, n) && ref != nullptr)
    return static_cast<WORD>(TimeBaseBits(refBase) | (Number(*ref) & 0x3FFF));
  return TimeWordOf(high, low, base);
}

template <class... Classes>
bool IsAny(const CBlockObj* b) {
  return ((dynamic_cast<const Classes*>(b) != nullptr) || ...);
}

}  // namespace

void CZaradCoreRule::EncodeCommonSlot(const CBlockObj& block, int slot, CAreaWriter& w) {
  const int value = block.m_nSource[slot];
  if (value == kCode53) {
    w.Zeros(2);
    return;
  }
  const CBlockObj* source = value == LINK_OPEN ? nullptr : ResolveSource(value);
  if (source != nullptr) {
    w.Word(OperandWordOf(*source, block.m_bInvert[slot] != 0));
  } else if (block.m_bInvert[slot] != 0) {
    w.Word(kOpenInvertedPin);
  } else {
    w.Skip(2);
  }
}

void CZaradCoreRule::EncodeBody(CBlockObj* b, CAreaWriter& w) {
  if (IsAny<CBlockLogic, CBlockBoolean, CBlockTDT, CBlockBCD, CBlockBIN, CBlockODD, CBlockEVEN, CBlockSEG>(b))
    EncodeLogic(b, w);
  else if (IsAny<CBlockDPR, CBlockDDR, CBlockPLR, CBlockCPG, CBlockMPLR, CBlockRPR, CBlockAPG, CBlockRG,
                 CBlockMFS, CBlockSLS>(b))
    EncodeSpecialTimer(b, w);
  else if (IsAny<CBlockWT>(b))
    EncodeWeeklyTimer(b, w);
  else if (IsAny<CBlockYT>(b))
    EncodeYearlyTimer(b, w);
  else if (IsAny<CBlockCOUNTER>(b))
    EncodeCounter(b, w);
  else if (IsAny<CBlockHCOUNTER>(b))
    EncodeHoursCounter(b, w);
  else if (IsAny<CBlockTHTRG>(b))
    EncodeThresholdTrigger(b, w);
  else if (IsAny<CBlockAC>(b))
    EncodeAstroClock(b, w);
  else if (IsAny<CBlockSW>(b))
    EncodeStopwatch(b, w);
  else if (IsAny<CBlockAMUX, CBlockAMATH>(b))
    EncodeAnalogMath(b, w);
  else if (IsAny<CBlockAFILTER>(b))
    EncodeAnalogFilter(b, w);
  else if (IsAny<CBlockAVGVAL>(b))
    EncodeAverage(b, w);
  else if (IsAny<CBlockMAXMIN>(b))
    EncodeMaxMin(b, w);
  else if (IsAny<CBlockAWDOG>(b))
    EncodeAnalogWatchdog(b, w);
  else if (IsAny<CBlockARAMP>(b))
    EncodeAnalogRamp(b, w);
  else if (IsAny<CBlockPI>(b))
    EncodePI(b, w);
  else if (IsAny<CBlockPWM>(b))
    EncodePWM(b, w);
  else if (IsAny<CBlockAnalog>(b))
    EncodeAnalog(b, w);
  else if (IsAny<CBlockLR, CBlockPR, CBlockSREG>(b))
    EncodeRelay(b, w);
  else if (IsAny<CBlockMATHERR>(b))
    EncodeMathError(b, w);
  else if (IsAny<CBlockMSGTEXT>(b))
    EncodeMessageText(b, w);
  else if (IsAny<CBlockMR>(b))
    EncodeModbus(b, w);
  else if (IsAny<CBlockROL, CBlockROR, CBlockSHL, CBlockSHR, CBlockANDM, CBlockORM, CBlockNOTM, CBlockNANDM,
                 CBlockNORM, CBlockXORM, CBlockARRMXIV, CBlockACMXIV, CBlockRAND, CBlockMEM, CBlockSMC,
                 CBlockSMCE, CBlockPTO, CBlockPTOE, CBlockWORD2BIT, CBlockCRC16, CBlockMOD, CBlockREM,
                 CBlockLOG, CBlockSQRT, CBlockABS, CBlockGCD, CBlockLCM, CBlockPOW2, CBlockEXP, CBlockFIX,
                 CBlockROUND, CBlockSIN, CBlockCOS, CBlockTAN, CBlockCOT, CBlockSEC, CBlockCSC>(b))
    EncodeDataFunction(b, w);
  else if (IsAny<CBlockUDC>(b))
    EncodeUdc(b, w);
  else if (IsAny<CBlockQUAD>(b))
    EncodeQuad(b, w);
  else if (IsAny<CBlockENCODER>(b))
    EncodeEncoder(b, w);
  else if (IsAny<CBlockWIFI>(b))
    EncodeWifi(b, w);
  // Any other class (the softkey) keeps only its function code.
}

// ---- Logic, data and math ----------------------------------------------------------

void CZaradCoreRule::EncodeLogic(CBlockObj* b, CAreaWriter& w) {
  const int inputs = b->InputPinCount();
  for (int slot = 0; slot < inputs; ++slot) EncodeCommonSlot(*b, slot, w);
  const int slots = IsAny<CBlockLogic>(b) ? 0 : SlotCount(*b);
  const bool boolean = IsAny<CBlockBoolean>(b);
  for (int slot = inputs; slot < slots; ++slot) {
    const int v = b->m_nSource[slot];
    if (v == kCode55 && boolean) {
      w.Byte(X(*b, 11) & 0xFF);
      w.Byte((X(*b, 11) >> 8) & 0xFF);
    } else if (v == kCode53) {
      w.Zeros(2);
    }
  }
}

void CZaradCoreRule::EncodeDataFunction(CBlockObj* b, CAreaWriter& w) {
  const bool realParam = IsAny<CBlockSQRT, CBlockPOW2, CBlockEXP, CBlockSIN, CBlockCOS, CBlockTAN, CBlockCOT,
                               CBlockSEC, CBlockCSC>(b);
  const bool mem = IsAny<CBlockMEM>(b);
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        if (IsAny<CBlockSMC, CBlockSMCE>(b))
          w.Word(P(*b, 9));
        else if (IsAny<CBlockPTO, CBlockPTOE>(b))
          w.Word(P(*b, 8));
        else if (mem)
          w.Byte(7);
        else if (realParam)
          w.Dword(Times100(b->m_dParam));
        else
          w.Word(static_cast<int>(
              RefOr(*b, 1, IsAny<CBlockLOG, CBlockFIX, CBlockROUND>(b) ? P(*b, 10) : P(*b, 9))));
        break;
      case 72:
        w.Dword(Times100(b->m_dParam));
        break;
      case 77:
        w.Dword(RefOr(*b, 1, X(*b, 7)));
        break;
      case 78:
        w.Dword(RefOr(*b, 2, X(*b, 2)));
        break;
      case 83:
        if (mem) {
          const CBlockObj* ref = RefBlock(*b, 1);
          w.Word(ref != nullptr ? P(*b, 8) * 4096 + Number(*ref) : 0);
        } else {
          w.Word(static_cast<int>(RefOr(*b, 2, X(*b, 2) & 0xFFFF)));
        }
        break;
      case 84: {
        const CBlockObj* ref = RefBlock(*b, 1);
        WORD code = 0;
        if (ref != nullptr) EncodeFunctionCode(*ref, &code);
        w.Byte(code >> 8);
        break;
      }
      case 85:
        w.Word(AnalogOperandWord(P(*b, 8), X(*b, 1)));
        break;
      case 95:
        w.Word(P(*b, 8));
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

// ---- Time functions ------------------------------------------------------------------

void CZaradCoreRule::EncodeSpecialTimer(CBlockObj* b, CAreaWriter& w) {
  const int slots = std::clamp(b->m_wMemSize / 2 - 1, 0, kPinCount);
  int next = b->m_nType == kTypeSLS ? 2 : 1;
  bool numberWritten = false;
  for (int slot = 0; slot < slots; ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        if (next <= 4)
          w.Word(TimeParameter(*b, next++));
        else
          w.Zeros(2);
        break;
      case 58:
        w.Byte(X(*b, 4) + 1);
        w.Byte(0);
        break;
      case kCode53:
        if (numberWritten) {
          w.Zeros(2);
        } else {
          w.Word(Number(*b));
          numberWritten = true;
        }
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeWeeklyTimer(CBlockObj* b, CAreaWriter& w) {
  const auto* t = dynamic_cast<const CBlockTime*>(b);
  const int units = std::min<int>(b->m_wMemSize / 2, kPinCount);
  int timeCam = 0;
  int dayCam = 0;
  for (int slot = 0; slot < units;) {
    const int v = b->m_nSource[slot];
    if (v == kCode55) {
      if (timeCam < CBlockTime::kCams) {
        const int c = timeCam++;
        w.Word(t->m_bCamOnUnset[c] ? 0xFFFF : t->m_nCamOn[c][0] * 60 + t->m_nCamOn[c][1]);
        w.Word(t->m_bCamOffUnset[c] ? 0xFFFF : t->m_nCamOff[c][0] * 60 + t->m_nCamOff[c][1]);
      }
      slot += 2;  // a 4-byte field takes two slots
      continue;
    }
    if (v == 54 && dayCam < CBlockTime::kCams) {
      int bits = 0;
      for (int d = 0; d < CBlockTime::kWeekDays; ++d) {
        if (t->m_nCamDays[dayCam][d] != 0) bits |= 1 << d;
      }
      w.Byte(bits);
      ++dayCam;
    } else if (v == 56) {
      w.Byte(m_bNewer ? P(*b, 3) : 0);
      w.Word(Number(*b));
    }
    ++slot;
  }
}

void CZaradCoreRule::EncodeYearlyTimer(CBlockObj* b, CAreaWriter& w) {
  const bool monthly = P(*b, 2) != 0;
  w.Byte(P(*b, 8));
  w.Byte(monthly ? 0xFF : P(*b, 9));
  if (m_bNewer) w.Word(P(*b, 6));
  w.Byte(X(*b, 1));
  w.Byte(monthly ? 0xFF : X(*b, 2));
  if (m_bNewer) {
    w.Word(P(*b, 5));
    w.Byte((monthly ? 0x80 : 0) | (P(*b, 4) != 0 ? 0x40 : 0) | (P(*b, 3) != 0 ? 0x01 : 0));
    w.Byte(0);
  }
  w.Word(Number(*b));
}

void CZaradCoreRule::EncodeAstroClock(CBlockObj* b, CAreaWriter& w) {
  for (int v : {X(*b, 9), X(*b, 7), X(*b, 2), P(*b, 9), X(*b, 8), X(*b, 6), X(*b, 1), P(*b, 8)}) w.Byte(v);
  const int zone = X(*b, 3);
  w.Byte(zone <= 12 ? zone : zone - 12);
  w.Byte(zone > 12 ? 1 : 0);
  w.Zeros(4);
}

void CZaradCoreRule::EncodeStopwatch(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    const int v = b->m_nSource[slot];
    if (v == kCode55)
      w.Word(3 - P(*b, 10));
    else if (v == kCode53)
      w.Zeros(6);
    else
      EncodeCommonSlot(*b, slot, w);
  }
}

// ---- Counters and relays ----------------------------------------------------------------

void CZaradCoreRule::EncodeCounter(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Dword(RefOr(*b, 1, P(*b, 9)));
        break;
      case 59:
        w.Dword(RefOr(*b, 2, X(*b, 2)));
        break;
      case kCode53:
        if (m_bNewer) {
          w.Dword(P(*b, 7));
          w.Zeros(4);
        } else {
          w.Word(Number(*b) | 0x8000);
          w.Zeros(6);
        }
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeHoursCounter(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Dword(m_bNewer ? X(*b, 1) + X(*b, 2) * 60LL : X(*b, 2) * 60LL);
        break;
      case 59:
        if (m_bNewer)
          w.Dword(RefOr(*b, 1, P(*b, 8) + P(*b, 9) * 60LL));
        else
          w.Word(P(*b, 9) & 0xFFFF);
        break;
      case 58:
        w.Word(X(*b, 5) == 1 ? 1 : 0);
        break;
      case kCode53:
        w.Word(Number(*b));
        w.Zeros(m_bNewer ? 4 : 6);
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeThresholdTrigger(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Word(P(*b, 9));
        break;
      case 59:
        w.Word(P(*b, 8));
        break;
      case 58: {
        const long long gate = X(*b, 1) + X(*b, 2) * 100LL;
        const long long d = m_bNewer ? RefOr(*b, 1, gate) : gate;
        w.Word(static_cast<int>((d & 0xFFFF) | 0x4000));
        break;
      }
      case kCode53:
        w.Word(Number(*b));
        w.Zeros(4);
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeRelay(CBlockObj* b, CAreaWriter& w) {
  const bool shift = IsAny<CBlockSREG>(b);
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        if (shift) {
          const int bit = X(*b, 10);
          w.Word(bit >= 0 && bit < 16 ? 1 << bit : 0);
        } else if (IsAny<CBlockPR>(b)) {
          w.Word(X(*b, 12) != 0 ? 1 : 0);
        } else {
          w.Word(Number(*b));
        }
        break;
      case kCode53:
        if (shift && m_bNewer) {
          w.Word(X(*b, 11));
          w.Zeros(4);
        } else {
          w.Word(Number(*b));
        }
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeMessageText(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    const int v = b->m_nSource[slot];
    if (v == kCode55) {
      if (slot == 1)
        w.Byte(X(*b, 5) != 0 ? X(*b, 4) + 128 : X(*b, 4));
      else if (slot == 2)
        w.Byte(X(*b, 13));
      else
        w.Byte(0);
    } else if (v == kCode53) {
      w.Word(Number(*b));
    } else {
      EncodeCommonSlot(*b, slot, w);
    }
  }
}

// ---- Analog functions -----------------------------------------------------------------------

void CZaradCoreRule::EncodeAnalog(CBlockObj* b, CAreaWriter& w) {
  const auto& a = static_cast<const CBlockAnalog&>(*b);
  long long lastSum = 0;
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Word(static_cast<int>(m_bNewer ? RefOr(*b, 1, a.m_nThreshold1) : a.m_nThreshold1));
        break;
      case 70:
        w.Word(a.m_nThreshold1);
        break;
      case 71:
        w.Word(static_cast<int>(m_bNewer ? RefOr(*b, 2, a.m_nThreshold2) : a.m_nThreshold2));
        break;
      case 72:
        w.Word(Times100(a.m_dGain));
        break;
      case 73:
        w.Word(a.m_nOffset);
        break;
      case 74:
        w.Word(a.m_nPoint);
        break;
      case 75:
        lastSum = static_cast<long long>(a.m_nThreshold2) + a.m_nThreshold1;
        w.Word(static_cast<int>(lastSum & 0xFFFF));
        break;
      case kCode53:
        if (b->m_nType == kTypeADTRG) {
          w.Word(static_cast<int>((lastSum >> 16) & 0xFFFF));
        } else {
          w.Word(Number(*b) | 0x8000);
          if (b->m_nType == kTypeACOMP) w.Zeros(6);
        }
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeAnalogWatchdog(CBlockObj* b, CAreaWriter& w) {
  const auto& a = static_cast<const CBlockAnalog&>(*b);
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Word(static_cast<int>(m_bNewer ? RefOr(*b, 1, a.m_nThreshold1) : a.m_nThreshold2));
        break;
      case 72:
        w.Word(static_cast<int>(m_bNewer ? RefOr(*b, 2, a.m_nThreshold2) : Times100(a.m_dGain)));
        break;
      case 73:
        w.Word(m_bNewer ? Times100(a.m_dGain) : a.m_nOffset);
        break;
      case 74:
        w.Word(m_bNewer ? a.m_nOffset : a.m_nPoint);
        break;
      case kCode53:
        if (m_bNewer) {
          w.Word(a.m_nPoint);
          w.Word(Number(*b));
          w.Zeros(2);
        } else {
          w.Word(Number(*b));
          w.Zeros(4);
        }
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeAnalogMath(CBlockObj* b, CAreaWriter& w) {
  const auto& a = static_cast<const CBlockAnalog&>(*b);
  const bool formula = IsAny<CBlockAMATH>(b);
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    const int v = b->m_nSource[slot];
    switch (v) {
      case kCode55:
        w.Word(static_cast<int>(RefOr(*b, 1, P(*b, 9))));
        continue;
      case 70:
        w.Word(static_cast<int>(RefOr(*b, 2, X(*b, 2))));
        continue;
      case 71:
        w.Word(static_cast<int>(RefOr(*b, 3, X(*b, 7))));
        continue;
      case 73:
        w.Word(static_cast<int>(RefOr(*b, 4, X(*b, 9))));
        continue;
      case 61:
        w.Byte(P(*b, 8));
        continue;
      case 62:
        w.Byte(X(*b, 1));
        continue;
      case 63:
        w.Byte(X(*b, 6));
        continue;
      case 64:
        w.Byte((X(*b, 8) | X(*b, 12) * 4) * 16 + X(*b, 3) * 4 + P(*b, 10));
        continue;
      case 74:
        w.Word(a.m_nPoint);
        continue;
      default:
        break;
    }
    if ((formula && NextSlot(*b, slot) == kCode53) || (!formula && v == kCode53))
      w.Zeros(2);
    else
      EncodeCommonSlot(*b, slot, w);
  }
}

void CZaradCoreRule::EncodeAnalogFilter(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    const int v = b->m_nSource[slot];
    if (v == kCode55)
      w.Byte(P(*b, 10) + 3);
    else if (v == 94)
      w.Byte(m_nFilterCount++);
    else
      EncodeCommonSlot(*b, slot, w);
  }
}

void CZaradCoreRule::EncodeAverage(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    const int v = b->m_nSource[slot];
    if (v == kCode55)
      w.Word((4 - P(*b, 10)) | (P(*b, 9) * 8));
    else if (v == 72)
      w.Word(P(*b, 8));
    else if (v == kCode53)
      w.Zeros(4);
    else
      EncodeCommonSlot(*b, slot, w);
  }
}

void CZaradCoreRule::EncodeMaxMin(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    const int v = b->m_nSource[slot];
    const CBlockObj* ref = RefBlock(*b, 1);
    if (v == kCode55)
      w.Word(ref != nullptr ? Number(*ref) : P(*b, 9));
    else if (v == 72)
      w.Word(X(*b, 5));
    else if (v == kCode53)
      w.Zeros(4);
    else
      EncodeCommonSlot(*b, slot, w);
  }
}

void CZaradCoreRule::EncodeMathError(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    const int v = b->m_nSource[slot];
    const CBlockObj* ref = RefBlock(*b, 1);
    if (v == kCode55) {
      w.Word(ref != nullptr ? Number(*ref) : 0xFFFF);
    } else if (v == 58) {
      w.Byte(X(*b, 5));
      w.Byte(0xFF);
    } else if (v == 59) {
      w.Word(P(*b, 8) == 0 ? 2 : P(*b, 8) == 2 ? 3 : 1);
    } else if (v == kCode53) {
      w.Zeros(4);
    } else {
      EncodeCommonSlot(*b, slot, w);
    }
  }
}

// Ramp, PI, PWM and UDC: a slot that holds none of the encoder's own codes
// first looks at the next slot; when that holds one of the look-ahead codes,
// the slot writes that code's field.
void CZaradCoreRule::EncodeAnalogRamp(CBlockObj* b, CAreaWriter& w) {
  const auto& a = static_cast<const CBlockAnalog&>(*b);
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Word(static_cast<int>(RefOr(*b, 1, a.m_nThreshold1)));
        continue;
      case 71:
        w.Word(static_cast<int>(RefOr(*b, 2, a.m_nThreshold2)));
        continue;
      case 73:
        w.Word(a.m_nOffset);
        continue;
      case 72:
        w.Word(Times100(a.m_dGain));
        continue;
      case 76:
        w.Word(X(*b, 2));
        continue;
      case 77:
        w.Word(X(*b, 7));
        continue;
      case 78:
        w.Word(P(*b, 9));
        continue;
      default:
        break;
    }
    const int next = NextSlot(*b, slot);
    if (next == 74)
      w.Word(a.m_nPoint);
    else if (next == kCode53)
      w.Zeros(4);
    else
      EncodeCommonSlot(*b, slot, w);
  }
}

void CZaradCoreRule::EncodePI(CBlockObj* b, CAreaWriter& w) {
  const auto& a = static_cast<const CBlockAnalog&>(*b);
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Word(static_cast<int>(RefOr(*b, 1, a.m_nThreshold1)));
        continue;
      case 71:
        w.Word(static_cast<int>(RefOr(*b, 2, a.m_nThreshold2)));
        continue;
      case 72:
        w.Word(Times100(a.m_dGain));
        continue;
      case 76:
        w.Word(Times100(a.m_dKc));
        continue;
      case 77:
        w.Word(a.m_nTiMinutes * 60 + a.m_nTiSeconds + 0x8000);
        continue;
      case 79:
        w.Word(a.m_nRangeMax);
        continue;
      case 89:
        w.Word(a.m_nRangeMin);
        continue;
      default:
        break;
    }
    switch (NextSlot(*b, slot)) {
      case 73:
        w.Word(a.m_nOffset);
        break;
      case 78:
        w.Byte(a.m_nSelect != 0 ? '-' : '+');
        break;
      case 74:
        w.Byte(a.m_nPoint);
        break;
      case kCode53:
        w.Byte(a.m_nOption3);
        w.Byte(0);
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodePWM(CBlockObj* b, CAreaWriter& w) {
  const auto& a = static_cast<const CBlockAnalog&>(*b);
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Word(TimeParameter(*b, 1));
        continue;
      case 72:
        w.Word(Times100(a.m_dGain));
        continue;
      case 73:
        w.Word(a.m_nOffset);
        continue;
      case 74:
        w.Word(a.m_nPoint);
        continue;
      case 79:
        w.Word(a.m_nThreshold2);
        continue;
      case 89:
        w.Word(a.m_nThreshold1);
        continue;
      case 95:
        w.Byte(a.m_nSelect);
        continue;
      case 96:
        w.Byte(((a.m_nSensor + 1) % 5 + 5) % 5);
        continue;
      default:
        break;
    }
    if (NextSlot(*b, slot) == kCode53)
      w.Zeros(4);
    else
      EncodeCommonSlot(*b, slot, w);
  }
}

// ---- Communication and special ---------------------------------------------------------------

void CZaradCoreRule::EncodeModbus(CBlockObj* b, CAreaWriter& w) {
  const auto& m = static_cast<const CBlockMR&>(*b);
  const bool write = IsAny<CBlockMW>(b);
  const int slots = std::min(SlotCount(*b) + (write && m_bNewer ? 2 : 0), kPinCount);
  const auto cycle = [&] { return P(*b, 10) == 0 ? 0xFFFF : P(*b, 10); };
  for (int slot = 0; slot < slots; ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Byte(m.m_bySlaveAddress);
        w.Byte(m.m_byFunction);
        break;
      case 57:
        w.Word(cycle());
        break;
      case 82:
        w.Word(m.m_wRegister);
        break;
      case 83:
        w.Word(m.m_wCount);
        break;
      case 84:
        if (m.m_byFunction == 5 && m.m_byDataMode != 0 && m.m_wDataAddress != 0) {
          w.Byte(0x00);
          w.Byte(0xFF);
        } else {
          w.Word(m.m_wDataAddress);
        }
        break;
      case 85:
        w.Word(m_bNewer && !write ? cycle() : m.m_wDataHigh);
        break;
      case 86:
        w.Byte(m.m_nPort);
        w.Byte(m.m_byDataMode);
        break;
      case kCode53:
        w.Fill(0xFF, 2);
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeWifi(CBlockObj* b, CAreaWriter& w) {
  const auto& f = static_cast<const CBlockWIFI&>(*b);
  // Decided by slot index: the wired inputs are always sources, even when their
  // block number (I0 = 100, I1 = 101) equals one of the family's codes.
  const int firstCodeSlot = std::max(b->InputPinCount() - 1, 0);
  for (int slot = 0; slot < firstCodeSlot; ++slot) EncodeCommonSlot(*b, slot, w);
  for (int slot = firstCodeSlot; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Byte(f.m_nWifiSource);
        break;
      case 98:
        w.Byte(f.m_nWifiSource == 0 ? f.m_nWifiId + 1 : f.m_nWifiSource == 1 ? f.m_nWifiId : 1);
        break;
      case 99:
        w.Byte(f.m_nWifiBlockType);
        break;
      case 100:
        w.Byte(f.m_nWifiBlockNumber);
        break;
      case 101:
        w.Byte(f.m_nWifiSource == 2 ? f.m_nWifiBlockType + 1 : 0);
        break;
      case 58:
        w.Byte(0);
        break;
      case kCode53:
        w.Zeros(2);
        break;
      default:
        break;
    }
  }
}

void CZaradCoreRule::EncodeUdc(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Word(X(*b, 3));
        continue;
      case 57:
        w.Word(P(*b, 10) == 0 ? 0xFFFF : P(*b, 10));
        continue;
      case 82:
        w.Word(AnalogOperandWord(X(*b, 7), P(*b, 5)));
        continue;
      case 83:
        w.Word(X(*b, 9));
        continue;
      case 84:
        w.Word(AnalogOperandWord(0, P(*b, 6)));
        continue;
      case 85:
        w.Word(X(*b, 8));
        continue;
      case 58:
        w.Byte(P(*b, 4));
        continue;
      case 86:
        w.Byte(P(*b, 2));
        continue;
      case 59:
        w.Byte(X(*b, 5));
        continue;
      default:
        break;
    }
    switch (NextSlot(*b, slot)) {
      case 64:
        w.Byte(P(*b, 3));
        break;
      case 60:
        w.Byte(P(*b, 9));
        break;
      case 61:
        w.Byte(X(*b, 2));
        break;
      case 62:
        w.Byte(P(*b, 8));
        break;
      case 63:
        w.Byte(X(*b, 1));
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeQuad(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Word(P(*b, 9));
        break;
      case 61:
        w.Word(X(*b, 2));
        break;
      case 62:
        w.Word(X(*b, 7));
        break;
      case 63:
        w.Word(P(*b, 10));
        break;
      case 72:
        w.Dword(Times100(b->m_dParam));
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}

void CZaradCoreRule::EncodeEncoder(CBlockObj* b, CAreaWriter& w) {
  for (int slot = 0; slot < SlotCount(*b); ++slot) {
    switch (b->m_nSource[slot]) {
      case kCode55:
        w.Dword(P(*b, 7));
        break;
      case 70:
        w.Dword(RefOr(*b, 1, P(*b, 9)));
        break;
      case 71:
        w.Dword(RefOr(*b, 2, X(*b, 2)));
        break;
      case 58:
        w.Word(X(*b, 7));
        break;
      default:
        EncodeCommonSlot(*b, slot, w);
        break;
    }
  }
}
