#include "msgtext/msg_param_format.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "blocks/analog_blocks.h"
#include "blocks/block_values.h"
#include "blocks/counter_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_eval.h"
#include "model/view_context.h"
#include "msgtext/msg_param_table.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "platform/ms_clock.h"

namespace {

// ---- The block's parameter words under their roles -----------------------------
// First parameter: value or high part, low part, time base or choice; the
// second; the third and fourth (high and low parts, the second's time base);
// the reference units of the first and of the others.
int Par1(const CBlockObj& b) {
  return b.m_nParam10;
}
int Par1Low(const CBlockObj& b) {
  return b.m_nParam9;
}
int Par1Unit(const CBlockObj& b) {
  return b.m_nParam11;
}
int Ref1Unit(const CBlockObj& b) {
  return b.m_nParam12;
}
int Ref2Unit(const CBlockObj& b) {
  return b.m_nParam13;
}
int Par2(const CBlockObj& b) {
  return b.m_nParam15;
}
int Par2Low(const CBlockObj& b) {
  return b.m_nParam14;
}
int Par2Unit(const CBlockObj& b) {
  return b.m_nParam16;
}
int Par3(const CBlockObj& b) {
  return b.m_nParam20;
}
int Par3Low(const CBlockObj& b) {
  return b.m_nParam19;
}
int Par4(const CBlockObj& b) {
  return b.m_nParam22;
}
int Par4Low(const CBlockObj& b) {
  return b.m_nParam21;
}
int StartValue(const CBlockObj& b) {
  return b.m_nParam8;
}
int ParOption(const CBlockObj& b) {
  return b.m_nParam3;
}
// Reference k (1..4).
CBlockObj* Ref(const CBlockObj& b, int k) {
  return b.m_pRef[k - 1];
}

const char16_t* const kLongUnits[3] = {u"Hours(h:m)", u"Minutes(..", u"Seconds.."};
CString LongUnit(int base) {
  return base >= 0 && base < 3 ? CString(kLongUnits[base]) : CString();
}

// The display unit letters; a key outside 0..3 gives the empty text.
CString UnitLetter(int key) {
  static const std::map<int, const char16_t*> kLetters = {{0, u"h"}, {1, u"m"}, {2, u"s"}, {3, u"ms"}};
  const auto it = kLetters.find(key);
  return it == kLetters.end() ? CString() : CString(it->second);
}

int Trunc(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(std::trunc(v), -2147483648.0, 2147483647.0));
}

double RefValue(const CBlockObj* ref) {
  double v = 0.0;
  ReadReferencedValue(ref, &v);
  return std::isnan(v) ? 0.0 : v;
}

// The referenced value held to lo..hi, truncated toward zero.
int Clamp(double v, int lo, int hi) {
  if (v > hi) return hi;
  if (v < lo) return lo;
  return Trunc(v);
}

CString BlockRef(const CBlockObj* ref) {
  return FormatString(u"B%d", ref->m_nNumber - kFirstFunctionBlockNumber);
}
CString Int(int v) {
  return FormatString(u"%d", v);
}
CString Hex16(long long v) {
  return FormatString(u"0x%04X", static_cast<unsigned>(v & 0xFFFF));
}
CString HighLow(int high, int low) {
  return FormatString(u"%02d:%02d", high, low);
}

// ---- Time values -----------------------------------------------------------------
struct TimeSlot {
  int high, low, base;
  CBlockObj* ref;
  int refBase;
};

TimeSlot Slot(const CBlockObj& b, int k) {
  switch (k) {
    case 1:
      return {Par1(b), Par1Low(b), Par1Unit(b), Ref(b, 1), Ref1Unit(b)};
    case 2:
      return {Par2(b), Par2Low(b), Par2Unit(b), Ref(b, 2), Ref2Unit(b)};
    case 3:
      return {Par3(b), Par3Low(b), Par2Unit(b), Ref(b, 3), Ref2Unit(b)};
    default:
      return {Par4(b), Par4Low(b), Par2Unit(b), Ref(b, 4), Ref2Unit(b)};
  }
}

// The time base a slot is counted in: the reference's while one is set.
int SlotBase(const CBlockObj& b, int k) {
  const TimeSlot s = Slot(b, k);
  return s.ref ? s.refBase : s.base;
}

// A referenced value in a time base: capped at the base's largest value,
// divided by its display divisor and split by its radix; 0 or less is 00:00.
void SplitReferenced(double v, int base, int* high, int* low) {
  *high = *low = 0;
  if (base < 0 || base > 2 || !(v > 0)) return;
  const double x = std::min(v, static_cast<double>(g_TimeCapTable[base].nLargest));
  const int n = Trunc(x / g_TimeUnitTable[base].nDivisor);
  *high = n / g_TimeUnitTable[base].nRadix;
  *low = n % g_TimeUnitTable[base].nRadix;
}

CString SlotLong(const CBlockObj& b, int k) {
  const TimeSlot s = Slot(b, k);
  int high = s.high, low = s.low, base = s.base;
  if (s.ref) {
    base = s.refBase;
    SplitReferenced(RefValue(s.ref), base, &high, &low);
  }
  return HighLow(high, low) + u" " + LongUnit(base);
}

CString SlotDisplay(const CBlockObj& b, int k) {
  const TimeSlot s = Slot(b, k);
  if (s.ref) return BlockRef(s.ref) + UnitLetter(s.refBase + 1);
  return HighLow(s.high, s.low) + UnitLetter(s.base);
}

void ElapsedSplit(double ms, int base, int* high, int* low) {
  if (base < 0 || base > 2) return;
  CBlockObj::SplitTimeValue(ms, base, high, low);
}

// The current time of the stairway switches, split straight from milliseconds.
void DirectSplit(double ms, int base, int* high, int* low) {
  int n = 0;
  switch (base) {
    case 0:
      n = Trunc(ms * (1.0 / 60000.0));
      *high = n / 60, *low = n % 60;
      break;
    case 1:
      n = Trunc(ms * 0.001);
      *high = n / 60, *low = n % 60;
      break;
    case 2:
      n = Trunc(ms * 0.1);
      *high = n / 100, *low = n % 100;
      break;
    default:
      break;
  }
}

// The time text with its unit letter ("s", "m" or "h") removed.
CString WithoutUnitLetter(const CString& text) {
  CString out = text;
  const int at = out.FindOneOf(CString(u"smh"));
  if (at >= 0) out.Delete(at);
  return out;
}

int PhaseBase(const CBlockObj& b) {
  const auto* t = DYNAMIC_DOWNCAST(CBlockTime, &b);
  return t && t->m_bSecondPhase ? SlotBase(b, 2) : SlotBase(b, 1);
}

// The multiple function switch's mode: its state (held and permanent light are odd).
int SwitchMode(const CBlockObj& b) {
  const auto* mfs = DYNAMIC_DOWNCAST(CBlockMFS, &b);
  return mfs ? mfs->m_nState : 0;
}

// Types 400-409. Long texts of 402 and 404-409 end in a blank and the long
// unit name, display texts of 400-409 in the unit letter, whatever the
// parameter: an unhandled one gives 00:00 in hours, or "h" alone.
void FormatTimeBlock(CBlockObj& b, CViewContext* view, CString* text, int param, bool longText) {
  const int type = b.m_nType;
  int base = 0, high = 0, low = 0;
  bool numbers = true;  // the display text shows high:low before its letter
  CString body;         // a text that replaces high:low
  bool haveBody = false;
  const auto body_ = [&](const CString& s) { body = s, haveBody = true; };

  if (type == kTypeDPR || type == kTypeDDR || type == kTypePLR) {
    base = SlotBase(b, 1);
    switch (param) {
      case 0:
        if (longText && (view == nullptr || view->GetEditMode() != MODE_SIMULATION))
          b.FormatTimeText(view, &b.m_strValueText);
        body_(WithoutUnitLetter(b.m_strValueText));
        break;
      case 4:
      case 5:
        if (!longText) {
          *text = SlotDisplay(b, 1);
          return;
        }
        if (b.m_nChangeState == 0) {
          body_(WithoutUnitLetter(b.m_strValueText));
        } else {
          *text = SlotLong(b, 1);
          return;
        }
        break;
      case 50:
        if (b.m_dValue != 0 && b.m_nChangeState < 0) ElapsedSplit(b.m_dRemaining, base, &high, &low);
        break;
      default:
        if (longText) return;
        base = 0;
        numbers = false;
        break;
    }
  } else {
    switch (param) {
      case 0:
        if (type == kTypeSLS) {
          base = longText ? SlotBase(b, 2) : Par2Unit(b);
          DirectSplit(b.m_dValue, base, &high, &low);
        } else if (type == kTypeMFS) {
          base = SwitchMode(b) % 2 != 0 ? Par1Unit(b) : Par2Unit(b);
          DirectSplit(b.m_dValue, base, &high, &low);
        } else if (type == kTypeCPG) {
          base = SlotBase(b, 1);
          if (b.m_dValue != 0) ElapsedSplit(b.m_dValue, base, &high, &low);
        } else if (type == kTypeMPLR || type == kTypeRPR || type == kTypeAPG) {
          base = PhaseBase(b);
          if (b.m_dValue != 0) ElapsedSplit(b.m_dValue, base, &high, &low);
        } else {
          numbers = false;
        }
        break;
      case 50:
        if (type == kTypeCPG) {
          base = SlotBase(b, 1);
          if (b.m_dValue != 0) ElapsedSplit(b.m_dRemaining, base, &high, &low);
        } else if (type == kTypeSLS) {
          base = SlotBase(b, 2);
          if (longText || b.m_dValue != 0) {
            ElapsedSplit(b.m_dRemaining, base, &high, &low);
          } else {
            base = 0;
            numbers = false;
          }
        } else if (type == kTypeMFS) {
          if (b.m_dValue != 0) {
            const int mode = SwitchMode(b);
            base = !longText || (mode != 0 && mode != 1 && mode != 3) ? SlotBase(b, 2) : SlotBase(b, 1);
            ElapsedSplit(b.m_dRemaining, base, &high, &low);
          } else if (!longText) {
            numbers = false;
          }
        } else if (b.m_dValue != 0) {  // on-/off-delay, wiping and pulse relays, random generator
          base = PhaseBase(b);
          ElapsedSplit(b.m_dRemaining, base, &high, &low);
        }
        break;
      default: {
        // Time parameters taken from a slot.
        if (const int slot = MsgPresetSlot(type, param); slot != 0) {
          *text = longText ? SlotLong(b, slot) : SlotDisplay(b, slot);
          return;
        }
        if (!longText) numbers = false;
        break;
      }
    }
  }

  if (longText) {
    *text = (haveBody ? body : HighLow(high, low)) + u" " + LongUnit(base);
  } else {
    *text = (haveBody ? body : numbers ? HighLow(high, low) : CString()) + UnitLetter(base);
  }
}

// Weekly timer: the cam comes from the element's kind (its place in the list).
void FormatWeekly(CBlockObj& b, CString* text, int param, int kind, bool longText) {
  text->Empty();
  const auto* t = DYNAMIC_DOWNCAST(CBlockTime, &b);
  if (t == nullptr) return;
  const int cam = (kind >= 3 && kind <= 5) ? 1 : (kind >= 6 && kind <= 8) ? 2 : 0;
  switch (param) {
    case 15:
    case 44:
    case 47: {
      static const char16_t kLetters[] = u"SMTWTFS";
      for (int i = 0; i < 7; ++i) {
        const int day = (i + 1) % 7;  // Monday .. Saturday, then Sunday
        *text += t->m_nCamDays[cam][day] ? kLetters[day] : u'-';
      }
      break;
    }
    case 42:
    case 45:
    case 48:
      *text = HighLow(t->m_nCamOn[cam][0], t->m_nCamOn[cam][1]);
      if (longText) *text += u" Hours";
      break;
    case 43:
    case 46:
    case 49:
      *text = HighLow(t->m_nCamOff[cam][0], t->m_nCamOff[cam][1]);
      if (longText) *text += u" Hours";
      break;
    default:
      break;
  }
}

void FormatYearly(const CBlockObj& b, CString* text, int param, bool longText) {
  if (param == 35 || param == 36) {
    const bool on = param == 35;
    if (ParOption(b) == 0) {
      text->Format(u"%02d.%02d ", on ? Par1(b) : Par2(b), on ? Par1Low(b) : Par2Low(b));
    } else {
      text->Format(u"**.%02d ", on ? Par1Low(b) : Par2Low(b));
    }
  }
  if (longText) *text += u"Day.Month";
}

void FormatAstro(const CBlockObj& b, CString* text, int param, bool longText) {
  const int zone = Par2Unit(b) <= 12 ? Par2Unit(b) : 12 - Par2Unit(b);
  switch (param) {
    case 75:
      if (!longText) text->Format(u"%ls%d.%d'%d\"", Par1(b) ? u"W" : u"E", Par2(b), Par3(b), Par4(b));
      break;
    case 76:
      if (!longText)
        text->Format(u"%ls%d.%d'%d\"", Par1Low(b) ? u"S" : u"N", Par2Low(b), Par3Low(b), Par4Low(b));
      break;
    case 77:
      text->Format(longText ? u"%d" : u"%2d", zone);
      break;
    case 78:
    case 79:
      if (longText) {
        text->Format(u"00:00 %ls", u"Hours(h:m)");
      } else {
        text->Format(u"%02d:%02dh", 0, 0);
      }
      break;
    default:
      break;
  }
}

// ---- Analog blocks -----------------------------------------------------------------
// The value in units of 10^-decimals as the display shows it; decimals
// outside 0..3 leave the text unchanged.
void Decimals(CString* text, int value, int decimals, bool narrow = false) {
  static const char16_t* const kWide[4] = {u"%6.0f ", u"%7.1f", u"%7.2f", u"%7.3f"};
  static const char16_t* const kNarrow[4] = {u"%5.0f ", u"%6.1f", u"%6.2f", u"%6.3f"};
  if (decimals < 0 || decimals > 3) return;
  text->Format((narrow ? kNarrow : kWide)[decimals], value / std::pow(10.0, decimals));
}

void FormatAnalog(CBlockObj& b, CString* text, int param, bool longText) {
  auto* a = DYNAMIC_DOWNCAST(CBlockAnalog, &b);
  if (a == nullptr) return;
  const int type = b.m_nType;
  const int d = a->m_nPoint;
  const bool comparator = type >= kFirstAnalogType && type <= kLastAnalogType;
  const bool gainOffset = comparator || (type >= kTypeARAMP && type <= kTypePWM);
  if (gainOffset && param == 26) return text->Format(u"%5.2f", a->m_dGain);
  if (gainOffset && param == 27) return text->Format(u"%6d", a->m_nOffset);
  if (comparator) {
    switch (param) {
      case 24:
        return Decimals(text, a->m_nThreshold1, d);
      case 25:
        return Decimals(text, type == kTypeADTRG ? a->m_nThreshold2 + a->m_nThreshold1 : a->m_nThreshold2, d);
      case 31:
        return Decimals(text, a->m_nThreshold2, d);
      case 28:
        return Decimals(text, a->m_nScaledX, d);
      case 29:
        return Decimals(text, a->m_nScaledY, d);
      case 30:
        return Decimals(text, a->m_nResult, d);
      case 32:
        return Decimals(text, a->m_nEnableValue, d);
      default:
        return;
    }
  }
  switch (type) {
    case kTypeAMATH:
    case kTypeAMUX: {
      if (param == 70) return text->Format(u"%d", a->m_nResult);
      const int first = type == kTypeAMATH ? 71 : 84;
      if (param < first || param > first + 3) return;
      const int k = param - first + 1;
      const int values[4] = {Par1(b), Par2(b), Par3(b), Par4(b)};
      if (!longText && Ref(b, k)) {
        *text = BlockRef(Ref(b, k));
      } else {
        *text = Int(values[k - 1]);
      }
      return;
    }
    case kTypeARAMP:
      switch (param) {
        case 102:
          *text = u"0";
          return;
        case 103:
          return Decimals(text, a->m_nThreshold1, d);
        case 104:
          return Decimals(text, a->m_nThreshold2, d);
        case 105:
          return Decimals(text, Par2(b), d);
        case 106:
          return Decimals(text, Par3(b), d, true);
        case 107:
          return Decimals(text, Par1(b), d, true);
        default:
          return;
      }
    case kTypePI:
      switch (param) {
        case 108:
          return Decimals(text, a->m_nRangeMin, d);
        case 109:
          return Decimals(text, a->m_nRangeMax, d);
        case 110:
          return Decimals(text, a->m_nThreshold1, d);
        case 112:
          return text->Format(u"%02d:%02dm", a->m_nTiMinutes, a->m_nTiSeconds);
        case 113:
          return text->Format(u"%d", a->m_nThreshold2);
        case 114:
          if (longText) return text->Format(u"%6.3f", 0.0);
          *text = u"0";
          return;
        case 115:
          return text->Format(u"%6.3f", 0.0);
        default:
          return;
      }
    case kTypePWM:
      if (param == 116) {
        *text = longText ? CString(u"00:00 ") + LongUnit(SlotBase(b, 1)) : SlotDisplay(b, 1);
      } else if (param == 117 && d >= 0 && d <= 3) {
        const double scale = std::pow(10.0, d);
        const double v = std::min(a->m_nRangeMin / scale, a->m_nRangeMax / scale);
        Decimals(text, static_cast<int>(std::lround(v * scale)), d);
      }
      return;
    case kTypeAnalogFilter:
      if (param == 88) *text = Int(Par1Unit(b) >= 0 && Par1Unit(b) < 28 ? 8 << Par1Unit(b) : 0);
      if (param == 89 || param == 98) *text = u"0";
      return;
    case kTypeMAXMIN:
      if (param == 95) *text = !longText && Ref(b, 1) ? BlockRef(Ref(b, 1)) : Int(Par1(b));
      if (param == 89 || param == 96 || param == 97 || param == 98) *text = u"0";
      return;
    case kTypeAVGVAL: {
      static const char16_t* const kUnits[3] = {u"d", u"h", u"m"};
      const int unit = Par1Unit(b);
      if (param == 91) text->Format(u"%d%ls", Par1(b), unit >= 0 && unit < 3 ? kUnits[unit] : u"s");
      if (param == 92) *text = Int(Par1Low(b));
      if (param == 93 || param == 94) *text = u"0";
      return;
    }
    default:
      return;
  }
}

void FormatCounters(CBlockObj& b, CString* text, int param, bool longText) {
  switch (b.m_nType) {
    case kTypeCOUNTER:
      if (param == 16) *text = Int(Trunc(b.m_dValue));
      if (param == 17 || param == 18) {
        const int k = param == 17 ? 1 : 2;
        CBlockObj* ref = Ref(b, k);
        if (ref) {
          *text = longText ? Int(Trunc(RefValue(ref))) : BlockRef(ref);
        } else {
          *text = Int(k == 1 ? Par1(b) : Par2(b));
        }
      }
      if (param == 64) *text = Int(StartValue(b));
      return;
    case kTypeHCOUNTER: {
      const auto* h = DYNAMIC_DOWNCAST(CBlockHCOUNTER, &b);
      const int toGo = h ? h->m_nRemaining : 0;
      const int total = h ? h->m_nOperating : 0;
      const char16_t* const hm = longText ? u"%d:%d Hours(h:m)" : u"%dh:%dm";
      switch (param) {
        case 19:
          *text = Int(Par1(b));
          break;
        case 20:
          text->Format(u"%ld", static_cast<long>(toGo / 60 + (toGo % 60 != 0 ? 1 : 0)));
          break;
        case 21:
          text->Format(u"%ld", static_cast<long>(total / 60));
          break;
        case 65:
          text->Format(hm, Par1(b), Par1Low(b));
          break;
        case 66:
          text->Format(hm, toGo / 60, toGo % 60);
          break;
        case 67:
          text->Format(hm, total / 60, total % 60);
          break;
        default:
          break;
      }
      return;
    }
    case kTypeTHTRG: {
      const auto* t = DYNAMIC_DOWNCAST(CBlockTHTRG, &b);
      if (param == 22) *text = Int(t ? t->m_nMeasured : 0);
      if (param == 37) *text = Int(Par1(b));
      if (param == 38) *text = Int(Par1Low(b));
      if (param == 23) *text = HighLow(Par2(b), Par2Low(b)) + (longText ? u" Seconds.." : u"ms");
      return;
    }
    default:
      return;
  }
}

// ---- The message-text block's clock texts --------------------------------------------
int DayOfWeek(int y, int m, int d) {
  // Sakamoto's rule: 0 = Sunday.
  static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (m < 1 || m > 12) return 0;
  if (m < 3) y -= 1;
  return ((y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7 + 7) % 7;
}

CString ClockLong(const SYSTEMTIME& st) {
  const int h12 = st.wHour % 12 == 0 ? 12 : st.wHour % 12;
  return FormatString(u"%ls %02d:%02d:%02d", st.wHour < 12 ? u"AM" : u"PM", h12, st.wMinute, st.wSecond);
}

CString ClockShort(const SYSTEMTIME& st) {
  static const char16_t* const kDays[7] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  CString day = kDays[DayOfWeek(st.wYear, st.wMonth, st.wDay)];
  day.SetAt(2, u' ');
  return day + FormatString(u"%02d:%02d", st.wHour, st.wMinute);
}

CString ClockDate(const SYSTEMTIME& st) {
  return FormatString(u"%04d-%02d-%02d", st.wYear, st.wMonth, st.wDay);
}

void FormatMessageBlock(CBlockObj& b, CViewContext* view, CString* text, int param, bool longText) {
  auto* msg = DYNAMIC_DOWNCAST(CBlockMSGTEXT, &b);
  if (msg == nullptr) return;
  switch (param) {
    case 34:
      *text = longText ? ClockLong(MessageTextClock(view)) : ClockShort(MessageTextClock(view));
      break;
    case 1:
      *text = ClockDate(MessageTextClock(view));
      break;
    case 2:
      if (msg->m_bCaptureTime) {
        const SYSTEMTIME now = MessageTextClock(view);
        msg->m_bCaptureTime = 0;
        msg->m_strEnableTimeShort = ClockShort(now);
        msg->m_strEnableTime = ClockLong(now);
      }
      *text = longText ? msg->m_strEnableTime : msg->m_strEnableTimeShort;
      break;
    case 3:
      if (msg->m_bCaptureDate) {
        msg->m_strEnableDate = ClockDate(MessageTextClock(view));
        msg->m_bCaptureDate = 0;
      }
      *text = msg->m_strEnableDate;
      break;
    default:
      break;
  }
}

// ---- Data, bit and math blocks ---------------------------------------------------------
int Group(int type) {
  if ((type >= kTypeBCD && type <= kTypeXORM) || type == kTypeRAND || type == kTypeWORD2BIT ||
      (type >= kTypeODD && type <= kTypeREM) || (type >= kTypeABS && type <= kTypeLCM))
    return 1;
  if (type == kTypeLOG || type == kTypeSQRT || (type >= kTypePOW2 && type <= kTypeQUAD)) return 2;
  if (type == kTypeARRMXIV || type == kTypeACMXIV || type == kTypeSEG) return 3;
  if (type >= kTypeENCODER && type <= kTypePTOE) return 4;
  return 0;
}

CString BaseName(int type, int value) {
  if (type == kTypeLOG) return value == 0 ? CString(u"e") : value == 1 ? CString(u"2") : CString(u"10");
  return Int(value);
}

CString ModeName(int value) {
  return value == 0 ? CString(u"Maximum") : value == 1 ? CString(u"Minimum") : CString(u"Average");
}

void FormatData(CBlockObj& b, CViewContext* view, CString* text, int param, bool longText) {
  const int type = b.m_nType;
  const int group = Group(type);
  const bool unchanged = b.m_nChangeState == 0;
  CBlockObj* ref1 = Ref(b, 1);
  CBlockObj* ref2 = Ref(b, 2);

  if (type == kTypeUDC) {
    if (param == 128) *text = Int(Par1Unit(b));
    return;
  }
  if (type == kTypeCRC16) {
    if (param == 129) *text = Hex16(Trunc(b.m_dValue));
    return;
  }
  if (group == 0) return;

  if (group <= 3 && (param == 89 || param == 90)) {
    const int pin = param == 89 ? 0 : 1;
    int value = 0;
    if (unchanged) {
      value = pin == 0 ? b.m_nLastInput : group == 3 ? b.m_nLastSelect : b.m_nLastParam;
    } else {
      value = InputWord(b, pin, view);
    }
    *text = type == kTypeBIN ? Hex16(value) : Int(value);
    return;
  }
  if (group <= 3 && param == 114) {
    const int v = Trunc(b.m_dValue);
    if (type == kTypeBCD) {
      *text = Hex16(v);
    } else if (type == kTypeSEG) {
      text->Format(u"0x%02X", static_cast<unsigned>(v & 0xFF));
    } else {
      *text = Int(v);
    }
    return;
  }

  if (group == 1 && (param == 118 || param == 119 || param == 124 || param == 122 || param == 120)) {
    if (!longText) {
      if (ref1) {
        *text = BlockRef(ref1);
      } else {
        *text = param == 120 ? Hex16(Par1(b)) : Int(Par1(b));
      }
      return;
    }
    int value = 0;
    if (unchanged) {
      value = b.m_nLastParam;
    } else if (ref1) {
      const double v = RefValue(ref1);
      switch (param) {
        case 118:
        case 119:
          value = Clamp(v, 1, 15);
          break;
        case 124:
          value = Clamp(v, 0, 15);
          break;
        case 122:
          value = Clamp(v, -32767, 32767);
          break;
        default:
          value = Trunc(v);
          break;
      }
    } else {
      value = Par1(b);
    }
    *text = param == 120 ? Hex16(value) : Int(value);
    return;
  }

  if (group == 2 && param == 122) {
    if (!longText && ref1) {
      *text = BlockRef(ref1);
      return;
    }
    int value = Par1Unit(b);
    if (longText && unchanged) {
      value = b.m_nLastSelect;
    } else if (longText && ref1) {
      value = Clamp(RefValue(ref1), -32767, 32767);
    }
    *text = BaseName(type, value);
    return;
  }
  if (group == 2 && param == 123) {
    text->Format(u"%.2f", b.m_dParam);
    return;
  }

  if (group == 3 && param == 95) {
    if (!longText && ref1) {
      *text = BlockRef(ref1);
      return;
    }
    int value = Par1(b);
    if (longText && unchanged) {
      value = b.m_nLastParam;
    } else if (longText && ref1) {
      value = Clamp(RefValue(ref1), 0, 2);
    }
    *text = ModeName(value);
    return;
  }
  if (group == 3 && param == 121) {
    if (ref2) {
      *text = longText ? Int(Clamp(RefValue(ref2), 1, 32)) : BlockRef(ref2);
    } else {
      *text = Int(Par2(b));
    }
    return;
  }

  if (group == 4) {
    // A parameter taken from reference k, else from the stored value.
    const auto refOr = [&](CBlockObj* ref, int stored, int lo, int hi) {
      if (!longText) return ref ? BlockRef(ref) : Int(stored);
      return Int(ref ? Clamp(RefValue(ref), lo, hi) : stored);
    };
    switch (param) {
      case 144:
        *text = Int(Trunc(b.m_dValue));
        break;
      case 140:
        *text = Int(StartValue(b));
        break;
      case 130:
        *text = Par3(b) ? CString(u"I2&I3") : CString(u"I0&I1");
        break;
      case 121:
        *text = longText || !ref1 ? Int(Par3(b)) : BlockRef(ref1);
        break;
      case 116:
        *text = longText || !ref2 ? Int(Par2(b)) : BlockRef(ref2);
        break;
      case 127:
      case 143:
        *text = refOr(ref1, Par3(b), 0, 99999999);
        break;
      case 126:
      case 138:
        *text = refOr(ref2, Par2(b), 0, 99999999);
        break;
      case 141:
        *text = longText ? Int(Clamp(ref1 ? RefValue(ref1) : Par1(b), -999999, 999999))
                         : (ref1 ? BlockRef(ref1) : Int(Par1(b)));
        break;
      case 142:
        *text = longText ? Int(Clamp(ref2 ? RefValue(ref2) : Par2(b), -999999, 999999))
                         : (ref2 ? BlockRef(ref2) : Int(Par2(b)));
        break;
      default:
        break;
    }
  }
}

void Format(CBlockObj* block, CViewContext* view, CString* text, int param, int kind, bool longText) {
  if (block == nullptr || text == nullptr) return;
  CBlockObj& b = *block;
  const int type = b.m_nType;
  if (type >= kTypeDPR && type <= kTypeMFS) return FormatTimeBlock(b, view, text, param, longText);
  switch (type) {
    case kTypeWT:
      return FormatWeekly(b, text, param, kind, longText);
    case kTypeYT:
      return FormatYearly(b, text, param, longText);
    case kTypeAC:
      return FormatAstro(b, text, param, longText);
    case kTypeSW:
      if (param == 80) {
        static const char16_t* const kBases[3] = {u"h", u"m", u"s"};
        const int unit = Par1Unit(b);
        *text = unit >= 0 && unit < 3 ? kBases[unit] : u"ms";
      }
      return;
    case kTypeCOUNTER:
    case kTypeHCOUNTER:
    case kTypeTHTRG:
      return FormatCounters(b, text, param, longText);
    case kTypeMessageText:
      return FormatMessageBlock(b, view, text, param, longText);
    case kTypeMATHERR:
      if (param == 99) *text = longText ? CString() : Ref(b, 1) ? BlockRef(Ref(b, 1)) : CString(u"----");
      if (param == 100 || param == 101) *text = u"0";
      return;
    case kTypeAnalogInput:
    case kTypeAnalogFlag:
      if (longText) text->Format(u"%6.1f", static_cast<double>(b.m_nSimValue));
      return;
    default:
      break;
  }
  if ((type >= kFirstAnalogType && type <= kLastAnalogType) || (type >= kTypeAMATH && type <= kTypeAVGVAL))
    return FormatAnalog(b, text, param, longText);
  FormatData(b, view, text, param, longText);
}

}  // namespace

SYSTEMTIME MessageTextClock(const CViewContext* view) {
  if (view && view->GetEditMode() == MODE_SIMULATION) return view->GetSimulatedTime();
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return now;
}

void FormatMessageParamText(CBlockObj* block, CViewContext* view, CString* text, int paramIndex, int kind) {
  if (text == nullptr) return;
  switch (kind) {
    case MSGELEM_BARGRAPH:
      *text = u"Bar";
      return;
    case MSGELEM_SCOPE:
      *text = u"Scope 12 X 3";
      return;
    case MSGELEM_POINTER:
      *text = u"Pointer 12 X 3";
      return;
    case MSGELEM_GRAPH:
      *text = u"Graph 12 X 4";
      return;
    case MSGELEM_SCALETIME:
    case MSGELEM_IOSTATUS:
      return;
    default:
      break;
  }
  Format(block, view, text, paramIndex, kind, true);
}

void FormatMessageParamDisplay(CBlockObj* block, CViewContext* view, CString* text, int paramIndex,
                               int kind) {
  Format(block, view, text, paramIndex, kind, false);
}
