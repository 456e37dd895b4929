#include "properties/param_copy.h"

#include <algorithm>

#include "blocks/analog_blocks.h"
#include "blocks/analog_range_tracer.h"
#include "blocks/comm_blocks.h"
#include "blocks/data_log_block.h"
#include "blocks/operand_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_codes.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "pages/operand_pages.h"

namespace {

int& Dummy() {
  static int dummy = 0;
  dummy = 0;
  return dummy;
}

// One row of a table: page value and block field, copied in the direction of
// the exchange. Rows marked open only use Open.
struct Exchange {
  bool toBlock;
  template <typename T>
  void operator()(T& page, T& block) const {
    if (toBlock)
      block = page;
    else
      page = block;
  }
  template <typename P, typename B>
  void Narrow(P& page, B& block) const {
    if (toBlock)
      block = static_cast<B>(page);
    else
      page = static_cast<P>(block);
  }
  template <typename T>
  void Open(T& page, const T& block) const {
    if (!toBlock) page = block;
  }
};

// Reference k: opening takes the block and derives the flag from it (or, with
// flagFromWord, takes the flag from the active word P13+k); back, the block
// and the active word from the page.
void Reference(const Exchange& x, PatternValues& p, CBlockObj& b, int k, bool flagFromWord = false) {
  if (x.toBlock) {
    b.m_pRef[k] = p.m_pRef[k];
    b.m_nRefNumber[k] = p.m_pRef[k] ? p.m_pRef[k]->m_nNumber : -1;
    b.m_bUseRef[k] = p.m_bRef[k];
  } else {
    p.m_pRef[k] = b.m_pRef[k];
    p.m_bRef[k] = flagFromWord ? b.m_bUseRef[k] : (b.m_pRef[k] != nullptr ? 1 : 0);
    p.m_nRefNumber[k] = b.m_pRef[k] ? b.m_pRef[k]->m_nNumber : -1;
  }
}

#define P(k) ParamP(b, k)
#define X(k) ParamX(b, k)

void SingleTime(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  PatternValues& p = v.pattern;
  TimeValues& t = v.time;
  x(p.m_bRetentive, P(0));
  x(p.m_bProtection, P(1));
  x(t.m_nHigh1, P(9));
  x(t.m_nLow1, P(8));
  x(t.m_nUnit1, P(10));
  x(t.m_nRefUnit1, P(11));
  Reference(x, p, b, 0);
}

void TwoTime(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  PatternValues& p = v.pattern;
  TimeValues& t = v.time;
  if (b.m_nType != kTypeRG) x(p.m_bRetentive, P(0));
  x(p.m_bProtection, P(1));
  x(t.m_nHigh1, P(9));
  x(t.m_nLow1, P(8));
  x(t.m_nUnit1, P(10));
  x(t.m_nHigh2, X(2));
  x(t.m_nLow2, X(1));
  x(t.m_nUnit2, X(3));
  if (b.m_nType == kTypeRPR) x(t.m_nPulseCycles, X(4));
  x(t.m_nRefUnit1, P(11));
  x(t.m_nRefUnit2, P(12));
  Reference(x, p, b, 0);
  Reference(x, p, b, 1);
}

void Stairway(const Exchange& x, BlockPageValues& v, CBlockObj& b, bool flagFromWord) {
  PatternValues& p = v.pattern;
  TimeValues& t = v.time;
  x(t.m_bStandardWarning, X(5));
  x(p.m_bRetentive, P(0));
  x(p.m_bProtection, P(1));
  x(t.m_nHigh2, X(2));
  x(t.m_nLow2, X(1));
  x(t.m_nUnit2, X(3));
  x(t.m_nWarnTimeHigh, X(7));
  x(t.m_nWarnTimeLow, X(6));
  x(t.m_nWarnPeriodHigh, X(9));
  x(t.m_nWarnPeriodLow, X(8));
  x(t.m_nRefUnit2, P(12));
  for (int k = 1; k <= 3; ++k) Reference(x, p, b, k, flagFromWord);
}

void MultiSwitch(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  Stairway(x, v, b, true);
  x(v.time.m_nHigh1, P(9));
  x(v.time.m_nLow1, P(8));
  x(v.time.m_nUnit1, P(10));
  x(v.time.m_nRefUnit1, P(11));
  Reference(x, v.pattern, b, 0, true);
}

void Weekly(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.pattern.m_bProtection, P(1));
  x(v.weekly.m_bPulseOutput, P(3));
  auto* t = dynamic_cast<CBlockTime*>(&b);
  if (!t) return;
  for (int i = 0; i < 3; ++i) {
    WeeklyValues::Cam& c = v.weekly.m_cams[i];
    for (int d = 0; d < 6; ++d) x(c.m_bDay[d], t->m_nCamDays[i][d + 1]);
    x(c.m_bDay[6], t->m_nCamDays[i][0]);
    x(c.m_nOnHour, t->m_nCamOn[i][0]);
    x(c.m_nOnMinute, t->m_nCamOn[i][1]);
    x(c.m_bOnDisabled, t->m_bCamOnUnset[i]);
    x(c.m_nOffHour, t->m_nCamOff[i][0]);
    x(c.m_nOffMinute, t->m_nCamOff[i][1]);
    x(c.m_bOffDisabled, t->m_bCamOffUnset[i]);
  }
}

void Yearly(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  YearlyValues& y = v.yearly;
  x(y.m_nOnMonth, P(9));
  x(y.m_nOnDay, P(8));
  x(y.m_nOffMonth, X(2));
  x(y.m_nOffDay, X(1));
  x(y.m_bMonthly, P(2));
  x(y.m_bPulse, P(3));
  x(y.m_bYearly, P(4));
  x(v.pattern.m_bProtection, P(1));
  x(y.m_nOnYear, P(6));
  x(y.m_nOffYear, P(5));
}

void Astro(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  AstroValues& a = v.astro;
  x(a.m_nCity, P(10));
  x(a.m_nLonHemisphere, P(9));
  x(a.m_nLonDegrees, X(2));
  x(a.m_nLonMinutes, X(7));
  x(a.m_nLonSeconds, X(9));
  x(a.m_nLatHemisphere, P(8));
  x(a.m_nLatDegrees, X(1));
  x(a.m_nLatMinutes, X(6));
  x(a.m_nLatSeconds, X(8));
  x(a.m_nTimeZone, X(3));
  x(a.m_strLocation, b.m_strReserved);
  x(v.pattern.m_bProtection, P(1));
}

void Stopwatch(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.pattern.m_bRetentive, P(0));
  x(v.pattern.m_bProtection, P(1));
  x(v.choice.m_nChoice, P(10));
  x(v.choice.m_dAmplification, b.m_dParam);
  Reference(x, v.pattern, b, 0);
}

void Quad(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.pattern.m_bProtection, P(1));
  x(v.choice.m_nChoice, P(10));
  x(v.choice.m_nCoefA, P(9));
  x(v.choice.m_nCoefB, X(2));
  x(v.choice.m_nCoefC, X(7));
  x(v.choice.m_dAmplification, b.m_dParam);
}

void Counter(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.counter.m_nOnThreshold, P(9));
  x(v.counter.m_nOffThreshold, X(2));
  x(v.counter.m_nStartValue, P(7));
  x(v.counter.m_nSource, X(7));
  x(v.pattern.m_bRetentive, P(0));
  x(v.pattern.m_bProtection, P(1));
  Reference(x, v.pattern, b, 0, true);
  Reference(x, v.pattern, b, 1, true);
}

void HoursCounter(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.hours.m_nMiHours, P(9));
  x(v.hours.m_nMiMinutes, P(8));
  x(v.hours.m_nOtHours, X(2));
  x(v.hours.m_nOtMinutes, X(1));
  x(v.hours.m_bOutputNotZero, X(5));
  x(v.pattern.m_bProtection, P(1));
  Reference(x, v.pattern, b, 0);
}

void Threshold(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.threshold.m_nOn, P(9));
  x(v.threshold.m_nOff, P(8));
  x(v.threshold.m_nSeconds, X(2));
  x(v.threshold.m_nHundredths, X(1));
  x(v.pattern.m_bProtection, P(1));
  Reference(x, v.pattern, b, 0);
}

void AnalogMux(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  AnalogValues& a = v.analog;
  if (auto* an = dynamic_cast<CBlockAnalog*>(&b)) x(a.m_nDecimals, an->m_nPoint);
  x(v.pattern.m_bProtection, P(1));
  x(a.m_nValue[0], P(9));
  x(a.m_nValue[1], X(2));
  x(a.m_nValue[2], X(7));
  x(a.m_nValue[3], X(9));
  for (int k = 0; k < 4; ++k) Reference(x, v.pattern, b, k);
  if (b.m_nType != kTypeAMATH) return;
  x(a.m_nOperator[0], P(8));
  x(a.m_nOperator[1], X(1));
  x(a.m_nOperator[2], X(6));
  x(a.m_nPriority[0], P(10));
  x(a.m_nPriority[1], X(3));
  x(a.m_nPriority[2], X(8));
  x(a.m_nWhenDisabled, X(12));
}

void Average(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.average.m_nSamplingTime, P(9));
  x(v.average.m_nSamplingBase, P(10));
  x(v.average.m_nSamples, P(8));
  x(v.pattern.m_bRetentive, P(0));
  x(v.pattern.m_bProtection, P(1));
}

void MaxMin(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.maxmin.m_nValue, P(9));
  x(v.pattern.m_bProtection, P(1));
  if (b.m_nType != kTypeRAND) {
    x(v.maxmin.m_bResetWhenDisabled, X(5));
    x(v.pattern.m_bRetentive, P(0));
  }
  Reference(x, v.pattern, b, 0);
}

void Mask(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  if (!x.toBlock) v.mask.m_strMask = FormatString(u"%04X", P(9) & 0xFFFF);
  x(v.mask.m_nMask, P(9));
  x(v.pattern.m_bProtection, P(1));
  Reference(x, v.pattern, b, 0);
}

// The sensor section of the comparators, ramp, PI and PWM, then their own values.
void AnalogSensor(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  auto* an = dynamic_cast<CBlockAnalog*>(&b);
  if (!an) return;
  AnalogValues& a = v.analog;
  x(a.m_nSensor, an->m_nSensor);
  x(a.m_nRangeMin, an->m_nRangeMin);
  x(a.m_nRangeMax, an->m_nRangeMax);
  x(a.m_dGain, an->m_dGain);
  x(a.m_nOffset, an->m_nOffset);
  x(a.m_nUnit, an->m_nOption1);
  x(a.m_nResolution, an->m_nOption2);
  x(a.m_nDecimals, an->m_nPoint);
  x(a.m_nLiveValue1, an->m_nResult);
  x.Open(a.m_nLiveValue2, an->m_nEnableValue);
  x(v.pattern.m_bProtection, P(1));
  x(a.m_nLevel1, an->m_nThreshold1);
  x(a.m_nLevel2, an->m_nThreshold2);
  switch (FamilyOfType(b.m_nType)) {
    case PageFamily::kComparator:
      x(v.pattern.m_bRetentive, P(0));
      Reference(x, v.pattern, b, 0);
      Reference(x, v.pattern, b, 1);
      break;
    case PageFamily::kRamp:
      x(a.m_nSpeed, P(9));
      x(a.m_nLargest, X(2));
      x(a.m_nStartStop, X(7));
      Reference(x, v.pattern, b, 0);
      Reference(x, v.pattern, b, 1);
      break;
    case PageFamily::kPI:
      x(a.m_nParamSet, an->m_nOption3);
      x(a.m_dKc, an->m_dKc);
      x(a.m_bIntegral, an->m_nOption4);
      x(a.m_nTiMinutes, an->m_nTiMinutes);
      x(a.m_nTiSeconds, an->m_nTiSeconds);
      x(a.m_nSelect, an->m_nSelect);
      x(v.pattern.m_bRetentive, P(0));
      Reference(x, v.pattern, b, 0);
      Reference(x, v.pattern, b, 1);
      break;
    case PageFamily::kPWM:
      x(a.m_nSelect, an->m_nSelect);
      x(a.m_nPeriodHigh, P(9));
      x(a.m_nPeriodLow, P(8));
      x(a.m_nPeriodUnit, P(10));
      x(a.m_nPeriodRefUnit, P(11));
      Reference(x, v.pattern, b, 0);
      break;
    default:
      break;
  }
}

void Relay(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.pattern.m_bRetentive, P(0));
  x(v.relay.m_nPriority, X(12));
  x(v.relay.m_nShiftBit, X(10));
  x(v.relay.m_nShiftIndex, X(11));
  if (!x.toBlock) v.relay.m_pBlock = &b;
}

void MsgText(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.msgtext.m_nPriority, X(4));
  x(v.msgtext.m_bAcknowledge, X(5));
  x(v.pattern.m_bProtection, P(1));
  auto* m = dynamic_cast<CBlockMSGTEXT*>(&b);
  if (!m) return;
  MsgTextValues& t = v.msgtext;
  constexpr int kCols = CBlockMSGTEXT::kCols;
  if (!x.toBlock) {
    for (int r = 0; r < CBlockMSGTEXT::kRows; ++r)
      for (int c = 0; c < kCols; ++c) {
        t.m_strTextSet1[r * kCols + c] = m->m_strTextSet1[r][c];
        t.m_strTextSet2[r * kCols + c] = m->m_strTextSet2[r][c];
      }
    for (int k = 0; k < MsgTextValues::kSettings; ++k) t.m_nSettings[k] = *m->Setting(k);
    return;
  }
  if (t.m_bOlder) {
    // The older series: every cell of columns 0..12 of set 1.
    for (int r = 0; r < CBlockMSGTEXT::kRows; ++r)
      for (int c = 0; c < CBlockMSGTEXT::kOldCols; ++c)
        m->m_strTextSet1[r][c] = t.m_strTextSet1[r * kCols + c];
    return;
  }
  // The newer series: the display cells of both sets; the header row and column stay.
  for (int r = 1; r < CBlockMSGTEXT::kRows; ++r)
    for (int c = 1; c < kCols; ++c) {
      m->m_strTextSet1[r][c] = t.m_strTextSet1[r * kCols + c];
      m->m_strTextSet2[r][c] = t.m_strTextSet2[r * kCols + c];
    }
  for (int k = 0; k < MsgTextValues::kSettings; ++k) *m->Setting(k) = t.m_nSettings[k];
}

void MathErr(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.matherr.m_bAutoReset, X(5));
  x(v.pattern.m_bRetentive, P(0));
  x(v.pattern.m_bProtection, P(1));
  x(v.matherr.m_nBlockIndex, P(9));
  x(v.matherr.m_nError, P(8));
  Reference(x, v.pattern, b, 0);
}

void Mem(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.pattern.m_bRetentive, P(0));
  x(v.mem.m_nBlock, P(9));
  x(v.mem.m_nIndex, P(8));
  Reference(x, v.pattern, b, 0);
}

void Modbus(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.modbus.m_nCycle, P(10));
  auto* m = dynamic_cast<CBlockMR*>(&b);
  if (!m) return;
  ModbusValues& mv = v.modbus;
  x.Narrow(mv.m_nSlaveAddress, m->m_bySlaveAddress);
  x(mv.m_nPort, m->m_nPort);
  x.Narrow(mv.m_nCommand, m->m_byCommand);
  x.Narrow(mv.m_nFunction, m->m_byFunction);
  x.Narrow(mv.m_nRegister, m->m_wRegister);
  x.Narrow(mv.m_nCount, m->m_wCount);
  x.Narrow(mv.m_nDataLow, m->m_wDataAddress);
  x.Narrow(mv.m_nDataHigh, m->m_wDataHigh);
  x(mv.m_nDataType, m->m_nDataType);
  x.Narrow(mv.m_nDataIndex, m->m_wDataIndex);
  x(mv.m_strManualLow, m->m_strDataLow);
  x(mv.m_strManualHigh, m->m_strDataHigh);
  x.Narrow(mv.m_nAddressMode, m->m_byDataMode);
}

void Wifi(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  auto* w = dynamic_cast<CBlockWIFI*>(&b);
  if (!w) return;
  x(v.wifi.m_nSource, w->m_nWifiSource);
  x(v.wifi.m_nWifiId, w->m_nWifiId);
  x(v.wifi.m_nBlockKind, w->m_nWifiBlockType);
  x(v.wifi.m_nBlockIndex, w->m_nWifiBlockNumber);
}

void Boolean(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.boolean.m_nTruthTable, X(11));
  x(v.pattern.m_bProtection, P(1));
}

void Array(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.array.m_nMode, P(9));
  x(v.array.m_nArea, P(8));
  x(v.array.m_nAddress, X(1));
  x(v.array.m_nCount, X(2));
  x(v.array.m_nSteps, X(7));
  x(v.pattern.m_bProtection, P(1));
  Reference(x, v.pattern, b, 0);
  Reference(x, v.pattern, b, 1);
}

void Udc(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  UdcValues& u = v.udc;
  x(v.pattern.m_bProtection, P(1));
  x(u.m_nPort, X(3));
  x(u.m_nCycle, P(10));
  x(u.m_bFrameOption[0], P(4));
  x(u.m_bFrameOption[1], P(2));
  x(u.m_bFrameOption[2], X(5));
  x(u.m_bFrameOption[3], P(3));
  x(u.m_nTxType, X(6));
  x(u.m_nRxType, X(7));
  x(u.m_nTxCount, X(9));
  x(u.m_nRxCount, X(8));
  x(u.m_nTxAddress, P(5));
  x(u.m_nRxAddress, P(6));
  int* words[4] = {&P(9), &X(2), &P(8), &X(1)};
  for (int i = 0; i < 4; ++i) {
    if (x.toBlock) {
      *words[i] = (*words[i] & ~0xFF) | (u.m_byChars[i] & 0xFF);
    } else {
      u.m_byChars[i] = *words[i] & 0xFF;
      u.m_strChars[i] = FormatString(u"%X", u.m_byChars[i]);
    }
  }
}

void DataLog(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  x(v.pattern.m_bProtection, P(1));
  if (x.toBlock)
    if (auto* log = dynamic_cast<CBlockDataLog*>(&b)) P(9) = static_cast<int>(log->m_items.size());
}

void BlockOperand(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  // Opening only: the write-back parses the page's text (Block Properties command).
  if (x.toBlock) return;
  static const char16_t* const kModules[] = {u"Main",  u"Ext.1", u"Ext.2", u"Ext.3",
                                             u"Ext.4", u"Ext.5", u"Ext.6", u"Ext.7"};
  OperandValues& o = v.operand;
  o.m_nOperandIndex = b.m_nOperand;
  if (const OperandTypeInfo* info = GetOperandTypeInfo(b.m_nType); info && info->perModule > 0)
    o.m_strModule = kModules[std::clamp(b.m_nOperand / info->perModule, 0, 7)];
  o.m_strChannel = FormatString(u"%d", b.m_nOperand);
  o.m_strNumber = o.m_strChannel;
  if (auto* in = dynamic_cast<CBlockIn*>(&b)) o.m_bHighSpeed = in->m_bHighSpeed;
  SimValues& s = v.sim;
  s.m_bAutoRange = b.m_bAutoRange;
  s.m_nValue = b.m_nSimValue;
  s.m_nMin = b.m_nMinValue;
  s.m_nMax = b.m_nMaxValue;
  s.m_nBehaviour = b.m_nParam26;
}

void Ladder(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  if (x.toBlock) return;  // the command writes the operand and the name (old operand first)
  v.ladder.m_nOperand = b.m_nOperand;
  v.ladder.m_nElementType = b.m_nType;
  if (b.m_nType >= kTypeRelayCoil) v.ladder.m_nCoilNumber = b.m_nNumber;
}

#undef P
#undef X

void ExchangeFamily(const Exchange& x, BlockPageValues& v, CBlockObj& b) {
  switch (FamilyOfType(b.m_nType)) {
    case PageFamily::kSingleTime:
      return SingleTime(x, v, b);
    case PageFamily::kTwoTime:
      return TwoTime(x, v, b);
    case PageFamily::kStairway:
      return Stairway(x, v, b, false);
    case PageFamily::kMultiSwitch:
      return MultiSwitch(x, v, b);
    case PageFamily::kWeekly:
      return Weekly(x, v, b);
    case PageFamily::kYearly:
      return Yearly(x, v, b);
    case PageFamily::kAstro:
      return Astro(x, v, b);
    case PageFamily::kStopwatch:
      return Stopwatch(x, v, b);
    case PageFamily::kQuad:
      return Quad(x, v, b);
    case PageFamily::kCounter:
      return Counter(x, v, b);
    case PageFamily::kHoursCounter:
      return HoursCounter(x, v, b);
    case PageFamily::kThreshold:
      return Threshold(x, v, b);
    case PageFamily::kAnalogMux:
      return AnalogMux(x, v, b);
    case PageFamily::kAverage:
      return Average(x, v, b);
    case PageFamily::kMaxMin:
      return MaxMin(x, v, b);
    case PageFamily::kMask:
      return Mask(x, v, b);
    case PageFamily::kRamp:
    case PageFamily::kPI:
    case PageFamily::kPWM:
    case PageFamily::kComparator:
      return AnalogSensor(x, v, b);
    case PageFamily::kRelay:
      return Relay(x, v, b);
    case PageFamily::kMsgText:
      return MsgText(x, v, b);
    case PageFamily::kMathErr:
      return MathErr(x, v, b);
    case PageFamily::kMem:
      return Mem(x, v, b);
    case PageFamily::kModbus:
      return Modbus(x, v, b);
    case PageFamily::kWifi:
      return Wifi(x, v, b);
    case PageFamily::kBoolean:
      return Boolean(x, v, b);
    case PageFamily::kArray:
      return Array(x, v, b);
    case PageFamily::kUdc:
      return Udc(x, v, b);
    case PageFamily::kDataLog:
      return DataLog(x, v, b);
    case PageFamily::kOperandIo:
    case PageFamily::kOperand:
      return BlockOperand(x, v, b);
    case PageFamily::kLadder:
      return Ladder(x, v, b);
    default:
      return;
  }
}

bool HasName(PageFamily f) {
  return f != PageFamily::kDataLog && f != PageFamily::kCommentOnly && f != PageFamily::kOperand &&
         f != PageFamily::kOperandIo && f != PageFamily::kLadder && f != PageFamily::kNone;
}

}  // namespace

PageFamily FamilyOfType(int type) {
  return BlockKindOf(type).page;
}

int& ParamP(CBlockObj& b, int k) {
  int* const words[] = {&b.m_nParam1,    &b.m_nParam2,   &b.m_nParam3,  &b.m_nParam4,    &b.m_nParam5,
                        &b.m_nParam6,    &b.m_nParam7,   &b.m_nParam8,  &b.m_nParam9,    &b.m_nParam10,
                        &b.m_nParam11,   &b.m_nParam12,  &b.m_nParam13, &b.m_bUseRef[0], &b.m_bUseRef[1],
                        &b.m_bUseRef[2], &b.m_bUseRef[3]};
  return k >= 0 && k < 17 ? *words[k] : Dummy();
}

int& ParamX(CBlockObj& b, int k) {
  int* const words[] = {&b.m_nLinkSlots, &b.m_nParam14, &b.m_nParam15, &b.m_nParam16,
                        &b.m_nParam17,   &b.m_nParam18, &b.m_nParam19, &b.m_nParam20,
                        &b.m_nParam21,   &b.m_nParam22, &b.m_nParam23, &b.m_nParam24,
                        &b.m_nParam25,   &b.m_nParam26, &b.m_nParam27, &b.m_nParam28};
  return k >= 0 && k < 16 ? *words[k] : Dummy();
}

void CopyBlockToPage(const CZaradDoc* doc, CBlockObj& block, BlockPageValues& v) {
  const PageFamily family = FamilyOfType(block.m_nType);
  v.m_nType = block.m_nType;
  v.m_strComment = block.m_strLabel;
  if (family == PageFamily::kLadder) {
    // A ladder element's comment page shows its operand's name.
    v.m_strComment = CString();
    const int key = LadderNameKey(doc, block);
    if (doc && key >= 0)
      if (auto it = doc->m_operandNames.find(static_cast<UINT>(key)); it != doc->m_operandNames.end())
        v.m_strComment = it->second;
  }
  v.pattern.m_nType = block.m_nType;
  if (HasName(family)) v.pattern.m_strName = block.m_strName;
  v.pattern.m_nBlockNumber = block.m_nNumber;
  v.pattern.m_bRefAllowed = doc && doc->CountReferenceableBlocks(block.m_nNumber) > 0 ? 1 : 0;
  ExchangeFamily(Exchange{false}, v, block);
  if (family == PageFamily::kLadder && doc) {
    // A ladder contact's simulation settings belong to its operand.
    auto it = doc->m_analogSimSettings.find(static_cast<UINT>(block.m_nOperand));
    if (it != doc->m_analogSimSettings.end()) {
      const int* n = it->second.nValues;
      v.sim = SimValues{n[kSimSettingAuto], n[kSimSettingValue], n[kSimSettingMin], n[kSimSettingMax],
                        n[kSimSettingMode]};
    }
  }
}

void CopyPageToBlock(const BlockPageValues& values, CBlockObj& block) {
  const PageFamily family = FamilyOfType(block.m_nType);
  BlockPageValues v = values;  // the exchange runs on a copy: the page values stay as they are
  if (family != PageFamily::kLadder) block.m_strLabel = v.m_strComment;
  if (HasName(family)) block.m_strName = v.pattern.m_strName;
  ExchangeFamily(Exchange{true}, v, block);
}

int LadderNameKey(const CZaradDoc* doc, const CBlockObj& element) {
  const int op = element.m_nOperand;
  if (element.m_nType >= kTypeRelayCoil) return op;
  auto in = [op](int lo, int hi) { return op >= lo && op <= hi; };
  if (in(100, 355) || in(1300, 1304) || in(4000, 4127) || in(1000, 1063) || in(1870, 2869) || in(2900, 3899))
    return op;
  if (in(21000, 21767) || in(22000, 22543)) {
    const CBlockObj* target = doc ? doc->FindBlockByNumber(op) : nullptr;
    return target ? target->m_nOperand : -1;
  }
  return -1;
}
