// The values that the parameter pages edit, grouped by page family. A page
// class derives from the struct of its family (and CBlockParamPage from
// PatternValues), so these members are the page's public members. The Block
// Properties command copies a block into a BlockPageValues before the sheet
// runs and copies it back after OK (properties/param_copy.h); the sheet moves
// the values into and out of its pages, and a modeless sheet's Apply sends
// them to the view in a BlockParamRecord.
//
// Time values are a high part, a low part and a unit (TimeBase); a time taken
// from a block keeps the block and a reference unit (RefTimeUnit).
#pragma once

#include "platform/cstring.h"

class CBlockObj;

// TimeBase: the unit of a time value.
constexpr int TIMEBASE_HOURS = 0;    // "Hours(h:m)"
constexpr int TIMEBASE_MINUTES = 1;  // "Minutes(m:s)"
constexpr int TIMEBASE_SECONDS = 2;  // "Seconds(s:1/100s)"
// RefTimeUnit: the unit in which a time taken from a block counts.
constexpr int REFUNIT_MINUTES = 0;
constexpr int REFUNIT_SECONDS = 1;
constexpr int REFUNIT_MILLISECONDS = 2;

constexpr int kRefSlots = 4;

// The members of the page pattern. Slot k is the block's reference k (Ref0..Ref3).
struct PatternValues {
  CString m_strName;
  int m_bProtection = 0;
  int m_bRetentive = 0;
  int m_nType = 0;          // the block's type code, for pages that serve several
  int m_nBlockNumber = -1;  // the edited block, left out of the block lists
  int m_bRefAllowed = 0;    // some block may be referenced
  int m_bRef[kRefSlots] = {};
  CBlockObj* m_pRef[kRefSlots] = {};
  int m_nRefNumber[kRefSlots] = {-1, -1, -1, -1};
  friend bool operator==(const PatternValues&, const PatternValues&) = default;
};

// Timers 400-409: the first (T, TH) and second (TL, off-delay) time values,
// the pulse cycles and the pre-warning values of the light switches.
struct TimeValues {
  int m_nHigh1 = 0, m_nLow1 = 0, m_nUnit1 = TIMEBASE_SECONDS, m_nRefUnit1 = 0;
  int m_nHigh2 = 0, m_nLow2 = 0, m_nUnit2 = TIMEBASE_SECONDS, m_nRefUnit2 = 0;
  int m_nPulseCycles = 0;
  int m_bStandardWarning = 0;
  int m_nWarnTimeHigh = 0, m_nWarnTimeLow = 0;
  int m_nWarnPeriodHigh = 0, m_nWarnPeriodLow = 0;
  friend bool operator==(const TimeValues&, const TimeValues&) = default;
};

// Weekly timer 410: the general page and three cams (days Monday first).
struct WeeklyValues {
  int m_bPulseOutput = 0;
  struct Cam {
    int m_bDay[7] = {};  // Monday .. Sunday
    int m_nOnHour = 0, m_nOnMinute = 0, m_bOnDisabled = 1;
    int m_nOffHour = 0, m_nOffMinute = 0, m_bOffDisabled = 1;
    friend bool operator==(const Cam&, const Cam&) = default;
  } m_cams[3];
  friend bool operator==(const WeeklyValues&, const WeeklyValues&) = default;
};

struct YearlyValues {
  int m_nOnMonth = 1, m_nOnDay = 1, m_nOffMonth = 1, m_nOffDay = 1;
  int m_bMonthly = 0, m_bPulse = 0, m_bYearly = 0;
  int m_nOnYear = 2000, m_nOffYear = 2099;
  friend bool operator==(const YearlyValues&, const YearlyValues&) = default;
};

struct AstroValues {
  int m_nCity = 0;
  int m_nLonHemisphere = 0, m_nLonDegrees = 0, m_nLonMinutes = 0, m_nLonSeconds = 0;
  int m_nLatHemisphere = 0, m_nLatDegrees = 0, m_nLatMinutes = 0, m_nLatSeconds = 0;
  int m_nTimeZone = 0;
  CString m_strLocation;
  friend bool operator==(const AstroValues&, const AstroValues&) = default;
};

// Stopwatch, analog filter, the one-input math functions and the quadratic function.
struct ChoiceValues {
  int m_nChoice = 0;  // "Time Base" / "Dir"
  double m_dAmplification = 1.0;
  int m_nCoefA = 0, m_nCoefB = 0, m_nCoefC = 0;
  friend bool operator==(const ChoiceValues&, const ChoiceValues&) = default;
};

struct CounterValues {
  int m_nOnThreshold = 0, m_nOffThreshold = 0, m_nStartValue = 0, m_nSource = 0;
  friend bool operator==(const CounterValues&, const CounterValues&) = default;
};

struct HoursCounterValues {
  int m_nMiHours = 0, m_nMiMinutes = 0, m_nOtHours = 0, m_nOtMinutes = 0, m_bOutputNotZero = 0;
  friend bool operator==(const HoursCounterValues&, const HoursCounterValues&) = default;
};

struct ThresholdValues {
  int m_nOn = 0, m_nOff = 0, m_nSeconds = 0, m_nHundredths = 0;
  friend bool operator==(const ThresholdValues&, const ThresholdValues&) = default;
};

// The analog pages: the sensor section and the per-page values.
struct AnalogValues {
  int m_nSensor = 0, m_nRangeMin = 0, m_nRangeMax = 1000;
  double m_dGain = 1.0;
  int m_nOffset = 0, m_nUnit = 0, m_nResolution = 0, m_nDecimals = 0;
  int m_nLevel1 = 0, m_nLevel2 = 0;
  int m_nLiveValue1 = 0, m_nLiveValue2 = 0;
  int m_nParamSet = 0;
  double m_dKc = 0.5;
  int m_bIntegral = 0, m_nTiMinutes = 0, m_nTiSeconds = 0;
  int m_nSelect = 0;
  int m_nPeriodHigh = 0, m_nPeriodLow = 0, m_nPeriodUnit = TIMEBASE_SECONDS, m_nPeriodRefUnit = 0;
  int m_nSpeed = 0, m_nLargest = 0, m_nStartStop = 0;  // ramp
  int m_nValue[4] = {};                                // V1..V4 of the MUX and the math block
  int m_nOperator[3] = {}, m_nPriority[3] = {};
  int m_nWhenDisabled = 0;
  friend bool operator==(const AnalogValues&, const AnalogValues&) = default;
};

struct AverageValues {
  int m_nSamplingTime = 0, m_nSamplingBase = 0, m_nSamples = 0;
  friend bool operator==(const AverageValues&, const AverageValues&) = default;
};

struct MaxMinValues {
  int m_nValue = 0;
  int m_bResetWhenDisabled = 0;
  friend bool operator==(const MaxMinValues&, const MaxMinValues&) = default;
};

struct MaskValues {
  CString m_strMask;  // "%04X" of the mask
  int m_nMask = 0;
  friend bool operator==(const MaskValues&, const MaskValues&) = default;
};

struct RelayValues {
  int m_nPriority = 0, m_nShiftBit = 0, m_nShiftIndex = 0;
  CBlockObj* m_pBlock = nullptr;  // the block shown
  friend bool operator==(const RelayValues&, const RelayValues&) = default;
};

struct MathErrValues {
  int m_bAutoReset = 0, m_nBlockIndex = 0, m_nError = 0;
  friend bool operator==(const MathErrValues&, const MathErrValues&) = default;
};

struct MemValues {
  int m_nBlock = 0, m_nIndex = 0;
  friend bool operator==(const MemValues&, const MemValues&) = default;
};

struct ModbusValues {
  int m_nCycle = 0, m_nSlaveAddress = 1, m_nPort = 0, m_nCommand = 0, m_nFunction = 0;
  int m_nRegister = 0, m_nCount = 1, m_nDataLow = 0, m_nDataHigh = 0, m_nDataType = 0, m_nDataIndex = 0;
  CString m_strManualLow, m_strManualHigh;
  int m_nAddressMode = 0;
  friend bool operator==(const ModbusValues&, const ModbusValues&) = default;
};

struct WifiValues {
  int m_nSource = 0, m_nWifiId = 0, m_nBlockKind = 0, m_nBlockIndex = 0;
  friend bool operator==(const WifiValues&, const WifiValues&) = default;
};

struct BooleanValues {
  int m_nTruthTable = 0;  // bit r is the output of row r
  friend bool operator==(const BooleanValues&, const BooleanValues&) = default;
};

struct ArrayValues {
  int m_nMode = 0, m_nArea = 0, m_nAddress = 0, m_nCount = 0, m_nSteps = 0;
  friend bool operator==(const ArrayValues&, const ArrayValues&) = default;
};

struct UdcValues {
  int m_nPort = 0, m_nCycle = 0;
  int m_bFrameOption[4] = {};  // transmit start, transmit end, receive start, receive end
  int m_nTxType = 0, m_nRxType = 0, m_nTxCount = 1, m_nRxCount = 1, m_nTxAddress = 0, m_nRxAddress = 0;
  int m_byChars[4] = {};  // the four characters, same order as the options
  CString m_strChars[4];
  friend bool operator==(const UdcValues&, const UdcValues&) = default;
};

// The message-text editors: cell (r, c) of a character set at r x 25 + c; the
// 14 settings in the block's order (shown set, both enables, ticker modes and
// line flags set 1 then set 2, show details). The older editor edits only
// columns 0..12 of set 1 and writes all of them back (m_bOlder).
struct MsgTextValues {
  static constexpr int kCells = 125;
  static constexpr int kSettings = 14;
  int m_nPriority = 0, m_bAcknowledge = 0;
  CString m_strTextSet1[kCells];
  CString m_strTextSet2[kCells];
  int m_nSettings[kSettings] = {};
  int m_bOlder = 0;
  friend bool operator==(const MsgTextValues&, const MsgTextValues&) = default;
};

// Operand blocks 600-611: the I/O page and the number page.
struct OperandValues {
  CString m_strModule = u"Main";
  CString m_strChannel;  // I/O page: "I5", "AQ2"
  CString m_strNumber;   // number page: "M12", "S1.3"
  int m_bHighSpeed = 0;
  int m_nOperandIndex = 0;
  friend bool operator==(const OperandValues&, const OperandValues&) = default;
};

// The simulation page of inputs, function keys and analog inputs.
struct SimValues {
  int m_bAutoRange = 1, m_nValue = 0, m_nMin = 0, m_nMax = 9999, m_nBehaviour = 0;
  friend bool operator==(const SimValues&, const SimValues&) = default;
};

// Ladder elements 700-705: the operand page.
struct LadderValues {
  int m_nOperand = 0;      // in: the element's operand; out: the chosen one
  int m_nCoilNumber = 0;   // coils: the element's own number
  int m_nElementType = 0;  // 700-705
  friend bool operator==(const LadderValues&, const LadderValues&) = default;
};

// Everything a block sheet edits.
struct BlockPageValues {
  int m_nType = 0;
  CString m_strComment;
  PatternValues pattern;
  TimeValues time;
  WeeklyValues weekly;
  YearlyValues yearly;
  AstroValues astro;
  ChoiceValues choice;
  CounterValues counter;
  HoursCounterValues hours;
  ThresholdValues threshold;
  AnalogValues analog;
  AverageValues average;
  MaxMinValues maxmin;
  MaskValues mask;
  RelayValues relay;
  MathErrValues matherr;
  MemValues mem;
  ModbusValues modbus;
  WifiValues wifi;
  BooleanValues boolean;
  ArrayValues array;
  UdcValues udc;
  MsgTextValues msgtext;
  OperandValues operand;
  SimValues sim;
  LadderValues ladder;
  friend bool operator==(const BlockPageValues&, const BlockPageValues&) = default;
};
