#include "blocks/param_text.h"

#include <algorithm>
#include <optional>

#include "blocks/analog_blocks.h"
#include "blocks/block_draw.h"
#include "blocks/comm_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_obj.h"
#include "platform/cdc.h"

CString ParameterTextLayout::TextOf(int line) const {
  for (const ParameterTextLine& l : lines) {
    if (l.line == line) return l.text;
  }
  return CString();
}

namespace {

const char16_t* TimeSuffix(int base) {
  return base == 0 ? u"h" : base == 1 ? u"m" : u"s";
}

const char16_t* RefSuffix(int base) {
  return base == 0 ? u"m" : base == 1 ? u"s" : u"ms";
}

// Forms the lines of one block.
class CParamTextBuilder {
 public:
  CParamTextBuilder(const CBlockObj& b, bool newer) : b(b), newer(newer) {}

  ParameterTextLayout Build();

 private:
  const CBlockObj& b;
  const bool newer;
  ParameterTextLayout out;

  bool HasRef(int k) const { return b.m_pRef[k] != nullptr; }
  int RefNo(int k) const { return b.m_pRef[k] ? b.m_pRef[k]->m_nNumber - 9000 : 0; }

  void Add(int line, const CString& text) { out.lines.push_back({line, text}); }
  void Indent(int chars) { out.indentChars = chars; }
  void IndentByLine(int line, int extra) {
    out.indentLine = line;
    out.indentExtra = extra;
  }

  CString R() const {
    if (b.m_nParam1 != 0) {
      if (b.m_nType == 801) return CString(b.m_nParam18 != 0 ? u"Q->0=R" : u"Q->0=R+En");
      return CString(u"Rem=on\n");
    }
    if (b.m_nType == 411) return CString(newer ? u"YY:MM.DD\n" : u"MM.DD\n");
    return CString(u"Rem=off\n");
  }
  CString P() const { return CString(b.m_nParam2 == 0 ? u"+" : u"-"); }

  CString T1() const {
    return FormatString(u"%02d:%02d%s", b.m_nParam10, b.m_nParam9, TimeSuffix(b.m_nParam11));
  }
  CString T1Ref() const { return FormatString(u"B%d%s", RefNo(0), RefSuffix(b.m_nParam12)); }
  CString T2() const {
    return FormatString(u"%02d:%02d%s", b.m_nParam15, b.m_nParam14, TimeSuffix(b.m_nParam16));
  }
  CString T2Ref() const { return FormatString(u"B%d%s", RefNo(1), RefSuffix(b.m_nParam13)); }

  // A value line of the newer series: the reference form while parameter k
  // is taken from a block (empty when none is referenced), else the constant.
  CString Value(int k, const CString& constant, const CString& reference) const {
    if (b.m_bUseRef[k]) return HasRef(k) ? reference : CString();
    return constant;
  }
  CString ValueRef(int k, const char16_t* fmt) const { return FormatString(fmt, RefNo(k)); }

  CString V1() const;
  CString V2() const;
  CString V34(int k) const;
  // The analog lines: a reference form whenever the referenced block exists.
  CString AnalogRefLine(int k, const char16_t* constFmt, int value, const char16_t* refFmt) const {
    return HasRef(k) ? FormatString(refFmt, RefNo(k)) : FormatString(constFmt, value);
  }
  // "<name> = %d" with a parameter, or "<name> = B%d" with the first referenced block.
  CString ParamOrRef(const char16_t* constFmt, int value, const char16_t* refFmt) const {
    return AnalogRefLine(0, constFmt, value, refFmt);
  }

  void TimeBlock();
  void WeeklyTimer();
  void YearlyTimer();
  void AstroClock();
  void AnalogBlock(const CBlockAnalog& a);
  void ModbusBlock(const CBlockMR& mr);
  void WifiBlock(const CBlockWIFI& wifi);
};

CString CParamTextBuilder::V1() const {
  const int t = b.m_nType;
  if (t == 800 || t == 848) return Value(0, FormatString(u"On=%d", b.m_nParam10), ValueRef(0, u"On=B%d"));
  if (t == 801) {
    const CString constant = FormatString(u"MI=%dh%2dm", b.m_nParam10, b.m_nParam9);
    return newer ? Value(0, constant, ValueRef(0, u"MI=B%dh")) : constant;
  }
  if (t == 802) {
    const CString constant = FormatString(u"G_T=%02d:%02ds", b.m_nParam15, b.m_nParam14);
    return newer ? Value(0, constant, ValueRef(0, u"G_T=B%dms")) : constant;
  }
  if (!newer) return b.m_bUseRef[0] && HasRef(0) ? T1Ref() : T1();
  static const char16_t* const kModes[] = {u"MAX", u"MIN", u"AVG"};
  const char16_t* mode = kModes[std::clamp(b.m_nParam10, 0, 2) == b.m_nParam10 ? b.m_nParam10 : 2];
  switch (t) {
    case 815:
    case 816:
      return Value(0, FormatString(u"V1=%d", b.m_nParam10), ValueRef(0, u"V1=B%d"));
    case 844:
      return Value(0, FormatString(u"Mode=%s", mode), ValueRef(0, u"Mode=B%d"));
    case 845:
      return Value(0, FormatString(u"Mode=%s(Ax,Ay)", mode), ValueRef(0, u"Mode=B%d"));
    case 846:
      return Value(0, FormatString(u"Base=%d", b.m_nParam10), ValueRef(0, u"Base=B%d"));
    case 850:
      return Value(0, FormatString(u"Steps=%d", b.m_nParam20), ValueRef(0, u"Steps=B%d"));
    case 852:
      return Value(0, FormatString(u"Number=%d", b.m_nParam20), ValueRef(0, u"Number=B%d"));
    case 864: {
      const char16_t* base = b.m_nParam11 == 0 ? u"e" : b.m_nParam11 == 1 ? u"2" : u"10";
      return Value(0, FormatString(u"Base=%s", base), ValueRef(0, u"Base=B%d"));
    }
    case 849:
    case 851:
      return CString();
    default:
      return Value(0, T1(), T1Ref());
  }
}

CString CParamTextBuilder::V2() const {
  const int t = b.m_nType;
  if (t == 800 || t == 848) return Value(1, FormatString(u"Off=%d", b.m_nParam15), ValueRef(1, u"Off=B%d"));
  if (t == 801) {
    const CString constant = FormatString(u"OT=%dh%2dm", b.m_nParam15, b.m_nParam14);
    return newer ? Value(1, constant, T2Ref()) : constant;
  }
  if (!newer) return b.m_bUseRef[1] && HasRef(1) ? T2Ref() : T2();
  switch (t) {
    case 815:
    case 816:
      return Value(1, FormatString(u"V2=%d", b.m_nParam15), ValueRef(1, u"V2=B%d"));
    case 844:
      return Value(1, FormatString(u"Count=%d", b.m_nParam15), ValueRef(1, u"Count=B%d"));
    case 849:
    case 850:
      return Value(1, FormatString(u"Speed=%d", b.m_nParam15), ValueRef(1, u"Speed=B%d"));
    case 851:
    case 852:
      return Value(1, FormatString(u"Pulse Width=%d", b.m_nParam15), ValueRef(1, u"Pulse Width=B%d"));
    case 802:
    case 845:
    case 846:
    case 864:
      return CString();
    default:
      return Value(1, T2(), T2Ref());
  }
}

// The third (k = 2) and fourth (k = 3) values.
CString CParamTextBuilder::V34(int k) const {
  const int t = b.m_nType;
  if (t == 815 || t == 816) {
    const int value = k == 2 ? b.m_nParam20 : b.m_nParam22;
    return Value(k, FormatString(k == 2 ? u"V3=%d" : u"V4=%d", value),
                 ValueRef(k, k == 2 ? u"V3=B%d" : u"V4=B%d"));
  }
  int base = 0;
  if (newer) {
    base = t == 409 ? (HasRef(1) ? b.m_nParam13 : b.m_nParam16) : (HasRef(0) ? b.m_nParam12 : b.m_nParam11);
  } else {
    base = t == 408 ? b.m_nParam11 : b.m_nParam16;
  }
  const int high = k == 2 ? b.m_nParam20 : b.m_nParam22;
  const int low = k == 2 ? b.m_nParam19 : b.m_nParam21;
  return Value(k, FormatString(u"%02d:%02d%s", high, low, TimeSuffix(base)),
               FormatString(u"B%d%s", RefNo(k), RefSuffix(base)));
}

void CParamTextBuilder::TimeBlock() {
  const int t = b.m_nType;
  Indent(8);
  switch (t) {
    case 400:
    case 401:
    case 403:
    case 404:
      Add(1, R());
      Add(2, V1() + P());
      break;
    case 402:
    case 406:
      Add(1, R());
      Add(2, V1() + P());
      Add(3, V2());
      break;
    case 405:
      Add(1, R());
      Add(2, V1() + P());
      Add(3, V2());
      Add(4, FormatString(u"%d", b.m_nParam17 + 1));
      break;
    case 407:
      Add(1, V1() + P());
      Add(2, V2());
      break;
    case 408:
      Add(1, R());
      Add(2, V1() + P());
      Add(3, V34(2));
      Add(4, V34(3));
      break;
    case 409:
      Add(1, R());
      Add(2, V1() + P());
      Add(3, V2());
      Add(4, V34(2));
      Add(5, V34(3));
      break;
    case 410:
      WeeklyTimer();
      break;
    case 411:
      YearlyTimer();
      break;
    case 412:
      AstroClock();
      break;
    case 413: {
      static const char16_t* const kBases[] = {u"h", u"m", u"s", u"ms"};
      const int i = b.m_nParam11 >= 0 && b.m_nParam11 <= 2 ? b.m_nParam11 : 3;
      Add(1, R());
      Add(2, FormatString(u"TB = %s", kBases[i]) + P());
      break;
    }
    default:
      break;
  }
}

static_assert(3 * CBlockTime::kCams <= kParameterTextLastLine);

void CParamTextBuilder::WeeklyTimer() {
  Add(0, P());
  const auto* wt = dynamic_cast<const CBlockTime*>(&b);
  if (wt == nullptr) return;
  static const char16_t kDays[] = u"SMTWTFS";
  for (int k = 0; k < CBlockTime::kCams; ++k) {
    CString days;
    bool none = true;
    for (int j = 0; j < CBlockTime::kWeekDays; ++j) {
      const bool on = wt->m_nCamDays[k][j] == 1;
      none = none && !on;
      days += on ? kDays[j] : u'-';
    }
    auto timeLine = [&](int unset, const int(&hm)[2]) {
      if (none || unset) return CString(u"--:--");
      return FormatString(u"%02d:%02dh", hm[0], hm[1]);
    };
    Add(1 + 3 * k, days);
    Add(2 + 3 * k, timeLine(wt->m_bCamOnUnset[k], wt->m_nCamOn[k]));
    Add(3 + 3 * k, timeLine(wt->m_bCamOffUnset[k], wt->m_nCamOff[k]));
  }
}

void CParamTextBuilder::YearlyTimer() {
  Indent(9);
  CString start;
  CString end;
  if (newer) {
    if (b.m_nParam3 != 0) {
      start = FormatString(u"%02d:**.%02d", b.m_nParam7 - 2000, b.m_nParam9);
      end = FormatString(u"%02d:**.%02d", b.m_nParam6 - 2000, b.m_nParam14);
    } else {
      start = FormatString(u"%02d:%02d.%02d", b.m_nParam7 - 2000, b.m_nParam10, b.m_nParam9);
      end = FormatString(u"%02d:%02d.%02d", b.m_nParam6 - 2000, b.m_nParam15, b.m_nParam14);
    }
  } else if (b.m_nParam3 != 0) {
    start = FormatString(u"**.%02d", b.m_nParam9);
    end = FormatString(u"**.%02d", b.m_nParam14);
  } else {
    start = FormatString(u"%02d.%02d", b.m_nParam10, b.m_nParam9);
    end = FormatString(u"%02d.%02d", b.m_nParam15, b.m_nParam14);
  }
  Add(1, R());
  Add(2, start + P());
  Add(3, end);
  if (newer) {
    Add(4, FormatString(u"Yearly=%s\n", b.m_nParam5 == 1 ? u"Y" : u"N"));
    Add(5, FormatString(u"Pulse=%s\n", b.m_nParam4 == 1 ? u"Y" : u"N"));
  }
}

void CParamTextBuilder::AstroClock() {
  Indent(11);
  Add(1, FormatString(u"Lot:%s%d.%d'%d\"%s", b.m_nParam10 != 0 ? u"W" : u"E", b.m_nParam15, b.m_nParam20,
                      b.m_nParam22, b.m_nParam2 == 0 ? u"+" : u""));
  Add(2, FormatString(u"Lat:%s%d.%d'%d\"", b.m_nParam9 != 0 ? u"S" : u"N", b.m_nParam14, b.m_nParam19,
                      b.m_nParam21));
  Add(3, FormatString(u"TZ:%d", b.m_nParam16 <= 12 ? b.m_nParam16 : 12 - b.m_nParam16));
}

void CParamTextBuilder::AnalogBlock(const CBlockAnalog& a) {
  const CString gain = FormatString(u"Gain=%5.2f", a.m_dGain);
  const CString offset = FormatString(u"Offset=%d", a.m_nOffset);
  const CString point = FormatString(u"Point=%d", a.m_nPoint);
  const CString on = AnalogRefLine(0, u"On=%d", a.m_nThreshold1, u"On=B%d");
  const CString off = AnalogRefLine(1, u"Off=%d", a.m_nThreshold2, u"Off=B%d");
  switch (b.m_nType) {
    case 803:
      IndentByLine(2, 20);
      Add(0, on);
      Add(1, off);
      Add(2, gain + P());
      Add(3, offset);
      Add(4, point);
      break;
    case 804:
      IndentByLine(1, 20);
      Add(1, gain + P());
      Add(2, offset);
      Add(3, on);
      Add(4, off);
      Add(5, point);
      break;
    case 805:
      IndentByLine(1, 20);
      Add(1, gain + P());
      Add(2, offset);
      Add(3, point);
      break;
    case 806:
      IndentByLine(2, 20);
      if (newer) {
        Add(1, AnalogRefLine(0, u"Threshold 1=%d+", a.m_nThreshold1, u"Threshold 1=B%d+"));
        Add(2, AnalogRefLine(1, u"Threshold 2=%d", a.m_nThreshold2, u"Threshold 2=B%d"));
      } else {
        Add(1, FormatString(u"Threshold 1=%d+", a.m_nThreshold2));
        Add(2, FormatString(u"Threshold 2=%d", a.m_nThreshold2));
      }
      Add(3, gain);
      Add(4, offset);
      Add(5, point);
      break;
    case 807:
      IndentByLine(1, 20);
      Add(1, gain);
      Add(2, offset);
      Add(3, FormatString(u"On=%d", a.m_nThreshold1));
      Add(4, FormatString(u"Delta=%d", a.m_nThreshold2));
      break;
    case 815:
    case 816:
      IndentByLine(1, 20);
      Add(1, V1() + P());
      Add(2, V2());
      Add(3, V34(2));
      Add(4, V34(3));
      Add(5, point);
      if (b.m_nType == 815) {
        CString formula;
        std::vector<CString> parts;
        if (const auto* math = DYNAMIC_DOWNCAST(CBlockAMATH, &b)) math->BuildFormulaText(&formula, &parts);
        Add(6, formula);
      }
      break;
    case 817:
      IndentByLine(0, 20);
      Add(0, gain + P());
      Add(1, offset);
      Add(2, point);
      Add(3, FormatString(u"Rate=%d", b.m_nParam10) + P());
      Add(4, FormatString(u"maxL=%d", b.m_nParam15));
      Add(5, FormatString(u"StSp=%d", b.m_nParam20));
      Add(6, AnalogRefLine(0, u"L1=%d", a.m_nThreshold1, u"L1=B%d"));
      Add(7, AnalogRefLine(1, u"L2=%d", a.m_nThreshold2, u"L2=B%d"));
      break;
    case 818:
      IndentByLine(1, 20);
      Add(0, R());
      Add(1, gain + P());
      Add(2, offset);
      Add(3, AnalogRefLine(0, u"SP=%d", a.m_nThreshold1, u"SP=B%d"));
      Add(4, AnalogRefLine(1, u"Mq=%d", a.m_nThreshold2, u"Mq=B%d"));
      Add(5, FormatString(u"KC=%5.2f", a.m_dKc));
      Add(6, FormatString(u"TI=%d:%dm", a.m_nTiMinutes, a.m_nTiSeconds));
      Add(7, FormatString(u"Dir=%s", a.m_nSelect != 0 ? u"-" : u"+"));
      Add(8, point);
      break;
    case 819:
      Indent(15);
      Add(0, FormatString(u"RangeMax=%d", a.m_nThreshold2));
      Add(1, FormatString(u"RangeMin=%d", a.m_nThreshold1));
      Add(2, (a.m_nSelect == 4 ? CString(u"Out=Disable") : FormatString(u"Out=Q%d", a.m_nSelect)) + P());
      Add(3, V1() + P());
      break;
    case 820: {
      Indent(8);
      const int exponent = std::clamp(b.m_nParam11, 0, 27);
      Add(1, FormatString(u"SN = %d", 8 << exponent));
      break;
    }
    case 821:
      Indent(8);
      Add(1, R());
      Add(2, ParamOrRef(u"Mode = %d", b.m_nParam10, u"Mode = B%d"));
      Add(3, FormatString(u"ResetMaxMin = %s", b.m_nParam18 != 0 ? u"true" : u"false"));
      break;
    case 822: {
      Indent(8);
      const char16_t* unit = b.m_nParam11 == 0   ? u"d"
                             : b.m_nParam11 == 1 ? u"h"
                             : b.m_nParam11 == 2 ? u"m"
                                                 : u"s";
      Add(1, R());
      Add(2, FormatString(u"ST = %d%s", b.m_nParam10, unit));
      Add(3, FormatString(u"SN = %d", b.m_nParam9));
      break;
    }
    default:
      break;
  }
}

void CParamTextBuilder::ModbusBlock(const CBlockMR& mr) {
  Indent(14);
  Add(0, FormatString(u"Slave Addr=%3d", static_cast<unsigned>(mr.m_bySlaveAddress)));
  if (mr.m_nPort == -1) {
    Add(1, CString(u"No Setting"));
    Add(2, CString(u"No Setting"));
    return;
  }
  Add(1, CString(mr.m_nPort == 0 ? u"COM0(RS232)" : mr.m_nPort == 1 ? u"COM1(RS485)" : u"COM2(RS485)"));
  static const char16_t* const kRead[] = {u"01 Read Coils(0x)", u"02 Read Discrete Input(1x)",
                                          u"03 Read Holding Registers(4x)", u"04 Read Input Registers(3x)"};
  static const char16_t* const kWrite[] = {u"05 Write Single Coil", u"06 Write Single Register",
                                           u"15 Write Multiple Coils", u"16 Write Multiple Registers"};
  const bool write = b.m_nType == 814;
  Add(2, mr.m_byCommand <= 3 ? CString((write ? kWrite : kRead)[mr.m_byCommand]) : CString());
}

void CParamTextBuilder::WifiBlock(const CBlockWIFI& wifi) {
  Indent(16);
  const int t = b.m_nType;
  const int id = wifi.m_nWifiId;
  const int kind = wifi.m_nWifiBlockType;
  const int number = wifi.m_nWifiBlockNumber;
  const bool analog = t == 826 || t == 827;
  const bool read = t == 824 || t == 826;
  switch (wifi.m_nWifiSource) {
    case 0:
      Add(1, FormatString(u"Station : WiFi ID%d", id + 1));
      if (read) {
        const char16_t* prefix = analog ? (kind != 0 ? u"AQ" : u"AI") : (kind != 0 ? u"Q" : u"I");
        Add(2, FormatString(u"Block : %s%d", prefix, number));
      } else {
        Add(2, FormatString(analog ? u"Block : AQ%d" : u"Block : Q%d", number));
      }
      break;
    case 1:
      Add(1, read ? FormatString(u"WiFi ID%d", id) : CString());
      Add(2, FormatString(analog ? u"Block : VAM%d" : u"Block : VM%d", number));
      break;
    case 2:
      if (t == 824) {
        Add(1, CString(u"Diagnostic"));
        Add(2, FormatString(u"WiFi ID%d communication status", kind + 1));
      }
      break;
    default:
      break;
  }
}

ParameterTextLayout CParamTextBuilder::Build() {
  const int t = b.m_nType;
  if (t >= 400 && t <= 413) {
    TimeBlock();
    return out;
  }
  if (const auto* a = dynamic_cast<const CBlockAnalog*>(&b);
      a && ((t >= 803 && t <= 807) || (t >= 815 && t <= 822))) {
    AnalogBlock(*a);
    return out;
  }
  if (const auto* mr = dynamic_cast<const CBlockMR*>(&b); mr && (t == 813 || t == 814)) {
    ModbusBlock(*mr);
    return out;
  }
  if (const auto* wifi = dynamic_cast<const CBlockWIFI*>(&b); wifi && t >= 824 && t <= 827) {
    WifiBlock(*wifi);
    return out;
  }
  switch (t) {
    case 800:
    case 848:
      Indent(10);
      Add(1, R());
      Add(2, V1() + P());
      Add(3, V2());
      if (newer) {
        Add(4, FormatString(u"Start=%d\n", b.m_nParam8));
        if (t == 848) Add(5, FormatString(u"Source=%s\n", b.m_nParam20 != 0 ? u"I2 & I3" : u"I0 & I1"));
      }
      break;
    case 801:
      Indent(12);
      Add(1, V1() + P());
      Add(2, V2());
      Add(3, R());
      break;
    case 802:
      IndentByLine(3, 5);
      Add(1, FormatString(u"ON=%d", b.m_nParam10) + P());
      Add(2, FormatString(u"OFF=%d", b.m_nParam9));
      Add(3, V1());
      break;
    case 808:
      Indent(8);
      Add(1, R());
      break;
    case 809:
      Indent(8);
      Add(1, CString(b.m_nParam25 != 0 ? u"SR" : u"RS"));
      Add(2, R());
      break;
    case 810:
      Indent(8);
      Add(1, FormatString(u"Prio=%d", b.m_nParam17));
      Add(2, FormatString(u"Quit=%s", b.m_nParam18 == 1 ? u"On" : u"Off"));
      break;
    case 812:
      Indent(8);
      Add(1, FormatString(u"Q=S%d.%d", b.m_nParam24, b.m_nParam23));
      Add(2, R());
      break;
    case 823:
      Indent(8);
      Add(1, R());
      Add(2, HasRef(0) ? FormatString(u"Source = B%d%s", RefNo(0), P().GetString())
                       : FormatString(u"Source = null%s", P().GetString()));
      Add(3, FormatString(u"Zero div = %s", b.m_nParam9 == 1 ? u"N" : u"Y"));
      Add(4, FormatString(u"Overflow = %s", b.m_nParam9 != 0 ? u"Y" : u"N"));
      Add(5, FormatString(u"Auto Rst = %s", b.m_nParam18 != 0 ? u"Y" : u"N"));
      break;
    case 834:
    case 835:
    case 836:
    case 837:
      Indent(8);
      Add(2, ParamOrRef(u"NbR = %d", b.m_nParam10, u"NbR = B%d"));
      break;
    case 838:
    case 839:
    case 840:
    case 841:
    case 842:
    case 843:
      Indent(8);
      Add(3, ParamOrRef(u"Mask = 0x%04X", b.m_nParam10, u"Mask = B%d"));
      break;
    case 844: {
      Indent(10);
      const char16_t* area = b.m_nParam9 == 0 ? u"AM" : b.m_nParam9 == 1 ? u"AQ" : u"AI";
      Add(1, V1());
      Add(2, FormatString(u"Data=%s%d", area, b.m_nParam14));
      Add(3, V2());
      break;
    }
    case 845:
      Indent(10);
      Add(3, V1());
      break;
    case 846:
      Indent(10);
      Add(1, V1());
      break;
    case 849:
    case 850: {
      Indent(10);
      const char16_t* mode = b.m_nParam10 == 0 ? u"0.5 step" : b.m_nParam10 == 1 ? u"1 step" : u"2 steps";
      Add(1, FormatString(u"Mode=%s", mode));
      Add(2, FormatString(u"Pin=%s", b.m_nParam9 != 0 ? u"Q4~Q7" : u"Q0~Q3"));
      Add(3, V2());
      if (t == 850) Add(4, V1());
      break;
    }
    case 851:
    case 852:
      Indent(10);
      Add(2, FormatString(u"Pin=Q%d", b.m_nParam9));
      Add(3, V2());
      if (t == 852) Add(4, V1());
      break;
    case 854:
      Indent(8);
      Add(2, ParamOrRef(u"BitNo = %d", b.m_nParam10, u"BitNo = B%d"));
      break;
    case 856:
      Indent(10);
      Add(3, FormatString(u"Start Address=AM%d", b.m_nParam14));
      Add(4, FormatString(u"Count=%d", b.m_nParam15));
      break;
    case 862:
    case 863:
      Indent(8);
      Add(3, ParamOrRef(u"Base = %d", b.m_nParam10, u"Base = B%d"));
      break;
    case 864:
      Indent(10);
      Add(2, V1());
      Add(3, FormatString(u"Amp=%5.2f", b.m_dParam));
      break;
    case 865:
    case 869:
    case 870:
    case 873:
    case 874:
    case 875:
    case 876:
    case 877:
    case 878:
      Indent(10);
      Add(3, FormatString(u"Amp=%5.2f", b.m_dParam));
      break;
    case 871:
    case 872:
      Indent(8);
      Add(2, ParamOrRef(u"Base = %d", b.m_nParam11, u"Base = B%d"));
      break;
    case 879:
      Indent(9);
      Add(1, FormatString(u"A=%d", b.m_nParam10));
      Add(2, FormatString(u"B=%d", b.m_nParam15));
      Add(3, FormatString(u"C=%d", b.m_nParam20));
      Add(4, FormatString(u"Dir= %d", b.m_nParam11));
      Add(5, FormatString(u"Amp= %5.2f", b.m_dParam));
      break;
    default:
      break;
  }
  return out;
}

}  // namespace

ParameterTextLayout BuildParameterTextLayout(const CBlockObj& block, bool newerSeries) {
  return CParamTextBuilder(block, newerSeries).Build();
}

bool ParameterTextMayShow(const CDC* dc, int y, int lineHeight) {
  // The lines' top edges run from 3 above y to kParameterTextLastLine lines
  // lower; a line more above and below allows for glyphs out of their cells.
  const int first = y - 3;
  const int last = first + lineHeight * kParameterTextLastLine;
  return dc->MayShow(CRect(-kFarAway, first - lineHeight, kFarAway, last + 2 * lineHeight));
}

void CBlockObj::DrawParameterText(CDC* dc, int pin, int pitch, int charWidth, int lineHeight,
                                  const CZaradDoc* doc, const ParameterTextLayout* given) const {
  if (dc == nullptr) return;
  const int left = m_ptPos.x;
  const int y = m_ptPos.y + pitch * (pin + 1);
  CPen stubPen(PS_SOLID, 1, kParamColour);
  const CPen oldPen = dc->SelectObject(&stubPen);
  dc->MoveTo(left - kStubLength, y);
  dc->LineTo(left, y);
  dc->SelectObject(&oldPen);
  // The weekly timer and the message text draw their text at their last parameter pin.
  if ((m_nType == 410 && (pin == 0 || pin == 1)) || (m_nType == 810 && pin == 1)) return;
  if (!ParameterTextMayShow(dc, y, lineHeight)) return;

  std::optional<ParameterTextLayout> own;
  if (given == nullptr) own = BuildParameterTextLayout(*this, IsNewerSeriesFor(doc));
  const ParameterTextLayout& layout = given ? *given : *own;
  if (layout.lines.empty()) return;
  int indent = layout.indentChars * charWidth;
  if (layout.indentLine >= 0)
    indent = dc->GetTextExtent(layout.TextOf(layout.indentLine)).cx + layout.indentExtra;
  const COLORREF oldColour = dc->SetTextColor(kParamColour);
  for (const ParameterTextLine& line : layout.lines) {
    if (line.text.IsEmpty()) continue;
    dc->TextOut(left - indent, y + lineHeight * line.line - 3, line.text);
  }
  dc->SetTextColor(oldColour);
}
