// Free helpers of the block evaluation protocol: the time-base tables, preset
// conversion, simulated-time stamps and number helpers that the block families
// share inside their one-scan logic. The CBlockObj members of the protocol
// (ReadInputs, SetInput, CombineInputs, the timing operations, GetInputWord,
// the BCD and time-splitting helpers) are defined in block_eval.cpp too.
#pragma once

#include "platform/types.h"

class CBlockObj;
class CViewContext;

// One row of g_TimeUnitTable, indexed by a time base: 0 hours:minutes,
// 1 minutes:seconds, 2 seconds:hundredths. A time high:low in base b is
// (low + radix * high) units of b.
struct TimeUnitRow {
  int nMsPerUnit;  // milliseconds per low-part step
  int nRadix;      // radix of the low part
  int nDivisor;    // display divisor of the message-text value display
};
extern const TimeUnitRow g_TimeUnitTable[3];

// One row of g_TimeCapTable: a preset taken from another block is read in
// minutes, seconds or milliseconds and capped at the largest value.
struct TimeCapRow {
  int nLargest;    // 5999 minutes, 5999 seconds or 99990 milliseconds
  int nMsPerStep;  // milliseconds per value step
};
extern const TimeCapRow g_TimeCapTable[3];

// Suffix of a time base in the "%02d:%02d%s" time text: "h", "m" or "s".
const char16_t* TimeBaseSuffix(int timeBase);
// The rows for a time base. A base outside 0..2 (a damaged file) reads as the
// nearest valid base, so no table is ever indexed out of range.
const TimeUnitRow& GetTimeUnit(int timeBase);
const TimeCapRow& GetTimeCap(int timeBase);
// Milliseconds of a constant time (low + radix * high) * ms-per-step.
double TimePresetMs(int high, int low, int timeBase);
// Milliseconds of a referenced value read in a time base: 0 when negative,
// else min(value, largest) * ms-per-step.
double ReferencedPresetMs(double value, int timeBase);

// Simulated-time stamps: a stamp counts as set when its year, month or day is
// nonzero (m_stPause all zero means "not paused").
inline bool IsStampSet(const SYSTEMTIME& st) {
  return st.wYear != 0 || st.wMonth != 0 || st.wDay != 0;
}
// Milliseconds from `from` to `to` (SystemTimeToMs of each).
LONGLONG MsBetween(const SYSTEMTIME& from, const SYSTEMTIME& to);
// st moved by ms milliseconds (negative moves it back), all carries applied.
SYSTEMTIME AddMs(const SYSTEMTIME& st, LONGLONG ms);

// Greatest common divisor by Euclid's remainder loop. The math blocks call it
// with positive operands; a zero divisor gives a, and no operand can trap.
int Gcd(int a, int b);

// A value truncated toward zero, cut to its low 16 bits (NaN gives 0; values
// beyond the 64-bit range saturate before the cut).
short LowWord(double value);
// A double truncated toward zero into an int, saturating at the int range (NaN gives 0).
int TruncToInt(double value);

// The element an input link names, looked up through the view; null for the
// link codes 52..75, for a null view and when no element has the number.
CBlockObj* FindLinkedBlock(const CViewContext* view, int source);
// Output state (m_nValue[10]) of the element an input link names, unnegated;
// 0 when the link is open or names no element.
int LinkedOutputState(const CViewContext* view, int source);
