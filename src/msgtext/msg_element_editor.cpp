#include "msgtext/msg_element_editor.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include "blocks/analog_blocks.h"
#include "blocks/counter_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_eval.h"
#include "model/view_context.h"
#include "msgtext/msg_param_table.h"
#include "platform/string_table.h"

namespace {

using Control = ElementEditorControl;

bool InRange(int type, int lo, int hi) {
  return type >= lo && type <= hi;
}

CString Digits(int v, const char16_t* fmt = u"%d") {
  return FormatString(fmt, v);
}

// The time preset (1 or 2) an element of a time function edits; 0 none (the
// light switches' pre-warning times are not edited here).
int TimeSlot(int type, int param) {
  const int slot = MsgPresetSlot(type, param);
  return slot == 1 || slot == 2 ? slot : 0;
}

int& High(CBlockObj& b, int slot) {
  return slot == 1 ? b.m_nParam10 : b.m_nParam15;
}
int& Low(CBlockObj& b, int slot) {
  return slot == 1 ? b.m_nParam9 : b.m_nParam14;
}
int& Base(CBlockObj& b, int slot) {
  return slot == 1 ? b.m_nParam11 : b.m_nParam16;
}

int Cam(int kind) {
  return kind >= 3 && kind <= 5 ? 1 : kind >= 6 && kind <= 8 ? 2 : 0;
}
bool IsWeeklyDays(int param) {
  return param == 15 || param == 44 || param == 47;
}
bool IsWeeklyOn(int param) {
  return param == 42 || param == 45 || param == 48;
}

// Number controls: an edit over cells 0 .. w-2 and its spin on the last cell.
void NumberControls(std::vector<Control>* out, Control::Kind edit, int value, int limit, int low, int high,
                    int cells) {
  Control e;
  e.kind = edit, e.id = kEditorEdit1, e.firstCell = 0, e.cells = std::max(1, cells - 1);
  e.text = Digits(value), e.textLimit = limit;
  out->push_back(e);
  Control s;
  s.kind = Control::kSpin, s.id = kEditorSpin1, s.firstCell = std::max(0, cells - 1), s.buddy = kEditorEdit1;
  s.low = low, s.high = high;
  out->push_back(s);
}

Control Combo(std::vector<CString> items, int selection, int first, int cells) {
  Control c;
  c.kind = Control::kCombo, c.id = kEditorCombo, c.firstCell = first, c.cells = cells;
  c.items = std::move(items), c.value = selection;
  return c;
}

// Reads a signed integer; false for an empty or malformed text.
bool ReadInt(const ElementEditorValues& v, int id, long long* out) {
  const auto it = v.texts.find(id);
  if (it == v.texts.end()) return false;
  const std::string s = CString(it->second).Trim().ToUtf8();
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long long n = std::strtoll(s.c_str(), &end, 10);
  if (errno != 0 || end == s.c_str() || *end != '\0') return false;
  *out = n;
  return true;
}

int Choice(const ElementEditorValues& v, int id, int fallback = 0) {
  const auto it = v.choices.find(id);
  return it == v.choices.end() ? fallback : it->second;
}

bool Range(const ElementEditorValues& v, int id, long long lo, long long hi, const CString& msg, int* out,
           CString* message) {
  long long n = 0;
  if (!ReadInt(v, id, &n) || n < lo || n > hi) {
    *message = msg;
    return false;
  }
  *out = static_cast<int>(n);
  return true;
}

CString Between(long long lo, long long hi) {
  return FormatString(u"Please enter an integer between %lld and %lld", lo, hi);
}

}  // namespace

bool IsElementValueEditable(const CBlockObj& b, int param) {
  const int type = b.m_nType;
  const bool ref1 = b.m_pRef[0] != nullptr, ref2 = b.m_pRef[1] != nullptr;
  switch (type) {
    case kTypeDPR:
    case kTypePLR:
      return param == 4 && !ref1;
    case kTypeDDR:
      return param == 5 && !ref1;
    case kTypeMPLR:
      return (param == 6 && !ref1) || (param == 7 && !ref2);
    case kTypeCPG:
      return param == 7 && !ref1;
    case kTypeRPR:
    case kTypeAPG:
      return (param == 40 && !ref1) || (param == 39 && !ref2);
    case kTypeRG:
      return (param == 10 && !ref1) || (param == 11 && !ref2);
    case kTypeSLS:
      return param == 5 && !ref2;
    case kTypeMFS:
      return (param == 41 && !ref2) || (param == 14 && !ref1);
    case kTypeWT:
    case kTypeYT:
      return true;
    case kTypeCOUNTER:
      return !(param == 17 && ref1) && !(param == 18 && ref2);
    case kTypeHCOUNTER:
      return param == 19 && !ref1;
    case kTypeTHTRG:
      return param == 37 || param == 38;
    case kTypeSoftKey:
      return param == 33;
    case kTypeACOMP:
    case kTypeATHTRG:
    case kTypeAWDOG:
      return param == 24 || param == 25 || param == 31;
    case kTypeADTRG:
      return param == 24 || param == 31;
    case kTypeAMATH:
      return param >= 71 && param <= 74 && b.m_pRef[param - 71] == nullptr;
    case kTypeARRMXIV:
    case kTypeACMXIV:
      return (param == 95 && !ref1) || (param == 121 && !ref2);
    case kTypeENCODER:
      return !(param == 141 && ref1) && !(param == 142 && ref2);
    case kTypeSMC:
    case kTypeSMCE:
      return (param == 127 && !ref1) || (param == 126 && !ref2);
    case kTypePTO:
    case kTypePTOE:
      return (param == 143 && !ref1) || (param == 138 && !ref2);
    case kTypeLOG:
      return param == 123 || (param == 122 && !ref1);
    default:
      break;
  }
  const bool listed = InRange(type, kTypeROL, kTypeORM) || InRange(type, kTypeNANDM, kTypeXORM) ||
                      type == kTypeRAND || type == kTypeWORD2BIT || type == kTypeMOD || type == kTypeREM ||
                      type == kTypeSQRT || InRange(type, kTypePOW2, kTypeQUAD);
  return listed && param >= 118 && param <= 124 && !ref1;
}

std::vector<Control> DescribeElementEditor(const CBlockObj& cb, int param, int kind, int cells) {
  CBlockObj& b = const_cast<CBlockObj&>(cb);
  const int type = b.m_nType;
  std::vector<Control> out;
  const int limit = Digits(b.m_nMaxValue).GetLength();
  const int limitLong = Digits(b.m_nMaxValue, u"%ld").GetLength();
  const int limitMin = Digits(b.m_nMinValue, u"%ld").GetLength();

  if (const int slot = TimeSlot(type, param); slot != 0 && InRange(type, kTypeDPR, kTypeMFS)) {
    Control e1{Control::kEdit, kEditorEdit1, 0, 1, Digits(High(b, slot)), 0, 0, 0, 0, limit, {}, false};
    Control s1{Control::kSpin, kEditorSpin1, 1, 1, {}, 0, 0, 99, kEditorEdit1, 0, {}, false};
    Control e2{Control::kEdit, kEditorEdit2, 2, 1, Digits(Low(b, slot)), 0, 0, 0, 0, limit, {}, false};
    Control s2{Control::kSpin, kEditorSpin2, 3, 1, {}, 0, 0, 99, kEditorEdit2, 0, {}, false};
    out = {e1, s1, e2, s2, Combo({u"h", u"m", u"s"}, Base(b, slot), 4, 2)};
    return out;
  }
  if (type == kTypeWT) {
    auto* t = DYNAMIC_DOWNCAST(CBlockTime, &b);
    if (t == nullptr) return out;
    const int cam = Cam(kind);
    if (IsWeeklyDays(param)) {
      static const char16_t* const kDays[7] = {u"M", u"T", u"W", u"T", u"F", u"S", u"S"};
      for (int i = 0; i < 7; ++i) {
        Control label{Control::kLabel, kEditorLabel, i, 1, kDays[i], 0, 0, 0, 0, 0, {}, false};
        Control check{Control::kCheck,
                      kEditorFirstCheck + i,
                      i,
                      1,
                      {},
                      t->m_nCamDays[cam][(i + 1) % 7] ? 1 : 0,
                      0,
                      0,
                      0,
                      0,
                      {},
                      false};
        out.push_back(label);
        out.push_back(check);
      }
      return out;
    }
    const bool on = IsWeeklyOn(param);
    const int* time = on ? t->m_nCamOn[cam] : t->m_nCamOff[cam];
    const bool disabled = (on ? t->m_bCamOnUnset[cam] : t->m_bCamOffUnset[cam]) != 0;
    out.push_back({Control::kCheck, kEditorFirstCheck, 0, 1, {}, disabled ? 1 : 0, 0, 0, 0, 0, {}, false});
    out.push_back({Control::kEdit, kEditorEdit1, 1, 1, Digits(time[0]), 0, 0, 0, 0, 2, {}, disabled});
    out.push_back({Control::kSpin, kEditorSpin1, 2, 1, {}, 0, 0, 99, kEditorEdit1, 0, {}, disabled});
    out.push_back({Control::kEdit, kEditorEdit2, 3, 1, Digits(time[1]), 0, 0, 0, 0, 2, {}, disabled});
    out.push_back({Control::kSpin, kEditorSpin2, 4, 1, {}, 0, 0, 99, kEditorEdit2, 0, {}, disabled});
    return out;
  }
  if (type == kTypeYT && (param == 35 || param == 36)) {
    const bool on = param == 35;
    out.push_back({Control::kEdit,
                   kEditorMonth,
                   0,
                   1,
                   Digits(on ? b.m_nParam10 : b.m_nParam15),
                   0,
                   0,
                   0,
                   0,
                   limit,
                   {},
                   false});
    out.push_back({Control::kSpin, kEditorMonthSpin, 1, 1, {}, 0, 1, 12, kEditorMonth, 0, {}, false});
    out.push_back({Control::kEdit,
                   kEditorDay,
                   2,
                   1,
                   Digits(on ? b.m_nParam9 : b.m_nParam14),
                   0,
                   0,
                   0,
                   0,
                   limit,
                   {},
                   false});
    out.push_back({Control::kSpin, kEditorDaySpin, 3, 1, {}, 0, 1, 31, kEditorDay, 0, {}, false});
    return out;
  }
  auto* analog = DYNAMIC_DOWNCAST(CBlockAnalog, &b);
  switch (type) {
    case kTypeCOUNTER: {
      const int value = param == 16   ? static_cast<int>(b.m_dValue)
                        : param == 17 ? b.m_nParam10
                                      : b.m_nParam15;
      NumberControls(&out, Control::kEdit, value, limitLong, 0, 99, cells);
      return out;
    }
    case kTypeHCOUNTER:
      if (param == 19) NumberControls(&out, Control::kEdit, b.m_nParam10, limit, 0, 99, cells);
      return out;
    case kTypeTHTRG:
      if (param == 37 || param == 38)
        NumberControls(&out, Control::kEdit, param == 37 ? b.m_nParam10 : b.m_nParam9, limit, 0, 99, cells);
      return out;
    case kTypeACOMP:
    case kTypeATHTRG:
    case kTypeAWDOG:
    case kTypeADTRG:
      if (analog && (param == 24 || param == 25 || param == 31)) {
        NumberControls(&out, Control::kIntegerEdit,
                       param == 24 ? analog->m_nThreshold1 : analog->m_nThreshold2, limit, b.m_nMinValue,
                       b.m_nMaxValue, cells);
        if (type == kTypeADTRG && param == 25) out[0].text.Empty();
      }
      return out;
    case kTypeAMATH:
      if (param >= 71 && param <= 74) {
        const int values[4] = {b.m_nParam10, b.m_nParam15, b.m_nParam20, b.m_nParam22};
        NumberControls(&out, Control::kEdit, values[param - 71], limit, 0, 99, cells);
      }
      return out;
    case kTypeACMXIV:
    case kTypeARRMXIV:
      if (type == kTypeACMXIV || param == 95) {
        out.push_back(Combo({u"Maximum", u"Minimum", u"Average"}, b.m_nParam10, 0, cells));
      } else if (param == 121) {
        out.push_back({Control::kEdit,
                       kEditorEdit1,
                       0,
                       std::max(1, cells - 1),
                       FormatString(u"%u", static_cast<unsigned>(b.m_nParam15)),
                       0,
                       0,
                       0,
                       0,
                       limit,
                       {},
                       false});
      }
      return out;
    case kTypeENCODER:
      if (param == 130) {
        out.push_back(Combo({u"I0&I1", u"I2&I3"}, b.m_nParam20, 0, cells));
      } else if (param == 144 || param == 140 || param == 141 || param == 142) {
        const int value = param == 144   ? static_cast<int>(b.m_dValue)
                          : param == 140 ? b.m_nParam8
                          : param == 141 ? b.m_nParam10
                                         : b.m_nParam15;
        NumberControls(&out, Control::kIntegerEdit, value, limitMin, b.m_nMinValue, b.m_nMaxValue, cells);
      }
      return out;
    case kTypeSMC:
    case kTypeSMCE:
    case kTypePTO:
    case kTypePTOE: {
      const bool second = param == 126 || param == 138;
      out.push_back({Control::kEdit,
                     kEditorEdit1,
                     0,
                     std::max(1, cells - 1),
                     Digits(second ? b.m_nParam15 : b.m_nParam20),
                     0,
                     0,
                     0,
                     0,
                     limit,
                     {},
                     false});
      return out;
    }
    case kTypeFIX:
    case kTypeROUND:
      out.push_back(Combo({u"0", u"1", u"2", u"3", u"4", u"5"}, b.m_nParam11, 0, cells));
      return out;
    default:
      break;
  }
  if (type == kTypeLOG && param == 122) {
    out.push_back(Combo({u"e", u"2", u"10"}, b.m_nParam11, 0, cells));
    return out;
  }
  if ((type == kTypeLOG || type == kTypeSQRT || type == kTypePOW2 || type == kTypeEXP ||
       InRange(type, kTypeSIN, kTypeQUAD)) &&
      param == 123) {
    Control e{Control::kRealEdit,
              kEditorEdit1,
              0,
              std::max(1, cells - 1),
              FormatString(u"%.2f", b.m_dParam),
              0,
              0,
              0,
              0,
              0,
              {},
              false};
    Control s{Control::kSpin, kEditorRealSpin, std::max(0, cells - 1), 1, {}, 0,
              b.m_nMinValue,  b.m_nMaxValue,   kEditorEdit1,           0, {}, false};
    out = {e, s};
    return out;
  }
  if (InRange(type, kTypeROL, kTypeSHR) || type == kTypeRAND || type == kTypeWORD2BIT) {
    NumberControls(&out, Control::kEdit, b.m_nParam10, limitLong, b.m_nMinValue, b.m_nMaxValue, cells);
  } else if (type == kTypeMOD || type == kTypeREM) {
    NumberControls(&out, Control::kIntegerEdit, b.m_nParam10, limitMin, b.m_nMinValue, b.m_nMaxValue, cells);
  } else if (type == kTypeANDM || type == kTypeORM || InRange(type, kTypeNANDM, kTypeXORM)) {
    out.push_back({Control::kHexEdit,
                   kEditorEdit1,
                   0,
                   std::max(1, cells - 1),
                   FormatString(u"%X", static_cast<unsigned>(b.m_nParam10)),
                   0,
                   0,
                   0,
                   0,
                   FormatString(u"%X", static_cast<unsigned>(b.m_nMaxValue & 0xFFFF)).GetLength(),
                   {},
                   false});
  }
  return out;
}

bool CommitElementEditor(CBlockObj& b, int param, int kind, const ElementEditorValues& v, CViewContext* view,
                         CString* message) {
  CString dummy;
  if (message == nullptr) message = &dummy;
  message->Empty();
  const int type = b.m_nType;

  if (const int slot = TimeSlot(type, param); slot != 0 && InRange(type, kTypeDPR, kTypeMFS)) {
    int high = 0, low = 0;
    const int base = Choice(v, kEditorCombo, Base(b, slot));
    const int lowMax = base == 2 ? 99 : 59;
    if (!Range(v, kEditorEdit1, 0, 99, Between(0, 99), &high, message)) return false;
    if (!Range(v, kEditorEdit2, 0, lowMax, Between(0, lowMax), &low, message)) return false;
    if (High(b, slot) != high) High(b, slot) = high;
    if (Low(b, slot) != low) Low(b, slot) = low;
    if (Base(b, slot) != base) Base(b, slot) = base;
    auto* t = DYNAMIC_DOWNCAST(CBlockTime, &b);
    if (!InRange(type, kTypeDPR, kTypeDDR) && type != kTypePLR && type != kTypeRG && t && !t->m_bTiming) {
      b.m_dValue = base >= 0 && base <= 2 ? TimePresetMs(high, low, base) : 0;
    }
    return true;
  }
  if (type == kTypeWT) {
    auto* t = DYNAMIC_DOWNCAST(CBlockTime, &b);
    if (t == nullptr) return false;
    const int cam = Cam(kind);
    if (IsWeeklyDays(param)) {
      for (int i = 0; i < 7; ++i) t->m_nCamDays[cam][(i + 1) % 7] = Choice(v, kEditorFirstCheck + i) ? 1 : 0;
      return true;
    }
    const bool on = IsWeeklyOn(param);
    const int disabled = Choice(v, kEditorFirstCheck) ? 1 : 0;
    int hour = on ? t->m_nCamOn[cam][0] : t->m_nCamOff[cam][0];
    int minute = on ? t->m_nCamOn[cam][1] : t->m_nCamOff[cam][1];
    if (!disabled) {
      if (!Range(v, kEditorEdit1, 0, 23, Between(0, 23), &hour, message)) return false;
      if (!Range(v, kEditorEdit2, 0, 59, Between(0, 59), &minute, message)) return false;
    }
    int* time = on ? t->m_nCamOn[cam] : t->m_nCamOff[cam];
    (on ? t->m_bCamOnUnset[cam] : t->m_bCamOffUnset[cam]) = disabled;
    time[0] = hour, time[1] = minute;
    return true;
  }
  if (type == kTypeYT && (param == 35 || param == 36)) {
    long long month = 0, day = 0;
    const CString format = LoadString(632);
    if (!ReadInt(v, kEditorMonth, &month) || month < 1 || month > 12) {
      message->Format(format.GetString(), 1, 12);
      return false;
    }
    int last = 31;
    if (month == 4 || month == 6 || month == 9 || month == 11) last = 30;
    if (month == 2) last = 29;
    if (!ReadInt(v, kEditorDay, &day) || day < 1 || day > last) {
      message->Format(format.GetString(), 1, last);
      return false;
    }
    (param == 35 ? b.m_nParam10 : b.m_nParam15) = static_cast<int>(month);
    (param == 35 ? b.m_nParam9 : b.m_nParam14) = static_cast<int>(day);
    return true;
  }

  int n = 0;
  auto* analog = DYNAMIC_DOWNCAST(CBlockAnalog, &b);
  switch (type) {
    case kTypeCOUNTER:
      if (!Range(v, kEditorEdit1, 0, 999999, Between(0, 999999), &n, message)) return false;
      if (param == 16) {
        b.m_dValue = n;
        if (view) view->ShowCurrentParameterValue(&b);
      } else if (param == 17) {
        b.m_nParam10 = n;
      } else if (param == 18) {
        b.m_nParam15 = n;
      }
      return true;
    case kTypeHCOUNTER: {
      if (param != 19) return true;
      if (!Range(v, kEditorEdit1, 0, 1023, Between(0, 1023), &n, message)) return false;
      b.m_nParam10 = n;
      const int mi = b.m_nParam10, ot = b.m_nParam15;
      int hours = 0;  // an interval of 0 leaves no time to go
      if (mi == ot) {
        hours = mi;
      } else if (mi > ot) {
        hours = mi - ot;
      } else if (mi != 0) {
        hours = mi - ot % mi;
      }
      if (auto* h = DYNAMIC_DOWNCAST(CBlockHCOUNTER, &b)) h->m_nRemaining = 60 * hours;
      return true;
    }
    case kTypeTHTRG:
      if (!Range(v, kEditorEdit1, 0, 9999, Between(0, 9999), &n, message)) return false;
      (param == 37 ? b.m_nParam10 : b.m_nParam9) = n;
      return true;
    case kTypeACOMP:
    case kTypeATHTRG:
    case kTypeAWDOG:
    case kTypeADTRG:
      if (analog == nullptr) return false;
      if (!Range(v, kEditorEdit1, -20000, 20000, u"Please enter an integer between -20000 and 20000", &n,
                 message))
        return false;
      (param == 24 ? analog->m_nThreshold1 : analog->m_nThreshold2) = n;
      if (type == kTypeADTRG && view) view->ShowCurrentParameterValue(&b);
      return true;
    case kTypeAMATH: {
      if (param < 71 || param > 74) return true;
      if (!Range(v, kEditorEdit1, -32768, 32767, Between(-32768, 32767), &n, message)) return false;
      int* slots[4] = {&b.m_nParam10, &b.m_nParam15, &b.m_nParam20, &b.m_nParam22};
      *slots[param - 71] = n;
      return true;
    }
    case kTypeRAND:
      if (!Range(v, kEditorEdit1, 1, 32767, u"Please enter an integer between 1 and 32767", &n, message))
        return false;
      b.m_nParam10 = n;
      return true;
    case kTypeMOD:
    case kTypeREM:
      if (!Range(v, kEditorEdit1, -32767, 32767, u"Please enter an integer between -32767 and 32767 and <> 0",
                 &n, message) ||
          n == 0) {
        *message = u"Please enter an integer between -32767 and 32767 and <> 0";
        return false;
      }
      b.m_nParam10 = n;
      return true;
    case kTypeARRMXIV:
    case kTypeACMXIV:
      if (type == kTypeACMXIV || param == 95) {
        const int mode = Choice(v, kEditorCombo, b.m_nParam10);
        if (mode != b.m_nParam10) b.m_nParam10 = mode;
        return true;
      }
      if (!Range(v, kEditorEdit1, 1, 32, u"Please enter an integer between 1 and 32", &n, message))
        return false;
      if (n != b.m_nParam15) b.m_nParam15 = n;
      return true;
    case kTypeENCODER:
      if (param == 130) {
        const int source = Choice(v, kEditorCombo, b.m_nParam20);
        if (source != b.m_nParam20) b.m_nParam20 = source;
        return true;
      }
      if (!Range(v, kEditorEdit1, -999999, 999999, u"Please enter an integer between -999999 and 999999", &n,
                 message))
        return false;
      if (param == 144) {
        b.m_dValue = n;
        if (view) view->ShowCurrentParameterValue(&b);
      } else if (param == 141) {
        b.m_nParam10 = n;
      } else if (param == 142) {
        b.m_nParam15 = n;
      } else if (param == 140) {
        b.m_nParam8 = n;
      }
      return true;
    case kTypeSMC:
    case kTypeSMCE:
    case kTypePTO:
    case kTypePTOE: {
      if (!Range(v, kEditorEdit1, 0, 99999999, u"Please enter an integer between 0 and 99999999", &n,
                 message))
        return false;
      int& slot = (param == 126 || param == 138) ? b.m_nParam15 : b.m_nParam20;
      if (slot != n) slot = n;
      return true;
    }
    case kTypeFIX:
    case kTypeROUND: {
      const int sel = Choice(v, kEditorCombo, b.m_nParam11);
      if (sel != b.m_nParam11) b.m_nParam11 = sel;
      return true;
    }
    default:
      break;
  }
  if (type == kTypeLOG && param == 122) {
    const int sel = Choice(v, kEditorCombo, b.m_nParam11);
    if (sel != b.m_nParam11) b.m_nParam11 = sel;
    return true;
  }
  if (param == 123) {
    const auto it = v.texts.find(kEditorEdit1);
    const std::string s = it == v.texts.end() ? std::string() : CString(it->second).Trim().ToUtf8();
    char* end = nullptr;
    const double d = s.empty() ? NAN : std::strtod(s.c_str(), &end);
    if (s.empty() || end == s.c_str() || *end != '\0' || !(d >= -10000 && d <= 10000)) {
      *message = u"Please enter an number between -10000 and 10000";
      return false;
    }
    b.m_dParam = d;
    return true;
  }
  if (InRange(type, kTypeROL, kTypeSHR) || type == kTypeWORD2BIT) {
    const int lo = type == kTypeWORD2BIT ? 0 : 1;
    if (!Range(v, kEditorEdit1, lo, 15, FormatString(u"Please enter an integer between %d and 15", lo), &n,
               message))
      return false;
    b.m_nParam10 = n;
    return true;
  }
  if (type == kTypeANDM || type == kTypeORM || InRange(type, kTypeNANDM, kTypeXORM)) {
    const auto it = v.texts.find(kEditorEdit1);
    CString hex = it == v.texts.end() ? CString() : it->second;
    hex.MakeUpper();
    unsigned value = 0;
    bool ok = !hex.IsEmpty();
    for (int i = 0; ok && i < hex.GetLength(); ++i) {
      const char16_t c = hex[i];
      if (c >= u'0' && c <= u'9') {
        value = value * 16 + (c - u'0');
      } else if (c >= u'A' && c <= u'F') {
        value = value * 16 + (c - u'A' + 10);
      } else {
        ok = false;
      }
      value &= 0xFFFFF;
    }
    if (!ok) {
      *message = u"Please enter an Hexadecimal number  between 0x0000 and 0xFFFF";
      return false;
    }
    b.m_nParam10 = static_cast<int>(value & 0xFFFF);
    return true;
  }
  return true;
}
