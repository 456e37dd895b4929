#include "blocks/math_blocks.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "blocks/block_slots.h"
#include "blocks/block_values.h"
#include "blocks/value_box.h"
#include "model/block_eval.h"
#include "model/view_context.h"

namespace {

// The amplification of a new block. Records older than schema 1 do not carry
// m_dParam, so the loading constructors set it as well.
constexpr double kDefaultAmplification = 1.0;

// Remainders (MOD, REM): a dividend and a divisor, 10 by default.
void PresetDivision(CBlockObj& b) {
  PresetImage(b, 8, 3, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  b.m_nMinValue = -32767;
  b.m_nMaxValue = 32767;
  b.m_nParam10 = 10;  // divisor
}

// Fixed-point and round-off: a value and a count of decimal places, 0 by default.
void PresetRounding(CBlockObj& b) {
  PresetImage(b, 8, 3, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  b.m_nParam11 = 0;  // decimal places
}

// Functions with an amplification (logarithm, roots, powers, angle
// functions): a value and a factor, 1.0 by default.
void PresetScaled(CBlockObj& b,
                  std::initializer_list<int> codes = {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY}) {
  PresetImage(b, 12, 4, codes);
  b.m_nMinValue = -10000;
  b.m_nMaxValue = 10000;
  b.m_dParam = kDefaultAmplification;
}

}  // namespace

IMPLEMENT_SERIAL(CBlockODD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockODD::CBlockODD() {
  m_byCaps = kCaps;
}

CBlockODD::CBlockODD(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockEVEN, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockEVEN::CBlockEVEN() {
  m_byCaps = kCaps;
}

CBlockEVEN::CBlockEVEN(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMOD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMOD::CBlockMOD() {
  m_byCaps = kCaps;
}

CBlockMOD::CBlockMOD(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetDivision(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockREM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockREM::CBlockREM() {
  m_byCaps = kCaps;
}

CBlockREM::CBlockREM(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetDivision(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockLOG, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockLOG::CBlockLOG() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockLOG::CBlockLOG(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this, {kKeepLink, LINK_PARAM, 72, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSQRT, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSQRT::CBlockSQRT() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockSQRT::CBlockSQRT(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockABS, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockABS::CBlockABS() {
  m_byCaps = kCaps;
}

CBlockABS::CBlockABS(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockGCD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockGCD::CBlockGCD() {
  m_byCaps = kCaps;
}

CBlockGCD::CBlockGCD(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, kKeepLink, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockLCM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockLCM::CBlockLCM() {
  m_byCaps = kCaps;
}

CBlockLCM::CBlockLCM(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, kKeepLink, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPOW2, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockPOW2::CBlockPOW2() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockPOW2::CBlockPOW2(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockEXP, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockEXP::CBlockEXP() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockEXP::CBlockEXP(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockFIX, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockFIX::CBlockFIX() {
  m_byCaps = kCaps;
}

CBlockFIX::CBlockFIX(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetRounding(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockROUND, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockROUND::CBlockROUND() {
  m_byCaps = kCaps;
}

CBlockROUND::CBlockROUND(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetRounding(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSIN, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSIN::CBlockSIN() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockSIN::CBlockSIN(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockCOS, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockCOS::CBlockCOS() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockCOS::CBlockCOS(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockTAN, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockTAN::CBlockTAN() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockTAN::CBlockTAN(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockCOT, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockCOT::CBlockCOT() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockCOT::CBlockCOT(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSEC, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSEC::CBlockSEC() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockSEC::CBlockSEC(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockCSC, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockCSC::CBlockCSC() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockCSC::CBlockCSC(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetScaled(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockQUAD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockQUAD::CBlockQUAD() {
  m_dParam = kDefaultAmplification;
  m_byCaps = kCaps;
}

CBlockQUAD::CBlockQUAD(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 3, ctx) {
  PresetImage(*this, 20, 8, {kKeepLink, kKeepLink, LINK_PARAM, 61, 62, 63, 72, LINK_EMPTY});
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_dParam = kDefaultAmplification;
  m_nParam10 = 1;  // a
  m_nParam15 = 0;  // b
  m_nParam20 = 0;  // c
  m_nParam11 = 0;  // root with +sqrt
  m_byCaps = kCaps;
}

// ---- Scan and value boxes ------------------------------------------------------

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kLog2Of10 = 3.321928094931296;

bool IsOddMultipleOf90(int v) {
  return v % 90 == 0 && v % 180 != 0;
}

// 10 to the power k, for k 0..5.
int PowerOf10(int k) {
  int p = 1;
  while (k-- > 0) p *= 10;
  return p;
}

// Place count of FIX and ROUND: a reference held to 0..5, else the constant,
// which a damaged file could hold outside 0..5.
int PlaceCount(CBlockObj& b) {
  int k = b.m_nParam11;
  ReadRefInt(b, 0, 0, 5, &k);
  return std::clamp(k, 0, 5);
}

// The input word and the amplification compared with the scan memory.
int TrackInputAmp(CBlockObj& b, int v) {
  ScanOperands now;
  now.input = v;
  now.amp = b.m_dParam;
  return TrackChange(b, kScanInput | kScanAmp, now);
}

// ±32767 by the sign of the amplification, 0 for none (POW2 and EXP overflow).
double SignedLimit(double a) {
  return a > 0 ? kResultLimit : a < 0 ? -kResultLimit : 0.0;
}

// Trigonometric results (873-878) of the angle v in degrees with amplification a.
double Trigonometric(int type, int v, double a) {
  const double rad = v * kDegToRad;
  switch (type) {
    case 873:
      return v % 180 == 0 ? 0 : LowWord(std::sin(rad) * a);
    case 874:
      return IsOddMultipleOf90(v) ? 0 : LowWord(std::cos(rad) * a);
    case 875:
      return IsOddMultipleOf90(v) ? kResultLimit : ClampedWord(std::tan(rad) * a);
    case 876:
      return v % 180 == 0 ? kResultLimit : ClampedWord(a / std::tan(rad));
    case 877:
      return IsOddMultipleOf90(v) ? kResultLimit : ClampedWord(a / std::cos(rad));
    default:
      return v % 180 == 0 ? kResultLimit : ClampedWord(a / std::sin(rad));
  }
}

BOOL SimulateTrig(CBlockObj& b, CViewContext* view) {
  b.m_nChangeState = -1;
  const int v = InputWord(b, 0, view);
  TrackInputAmp(b, v);
  AssignValue(b, Trigonometric(b.m_nType, v, b.m_dParam));
  return ReportedChangeState(b);
}

// MOD (862) and REM (863).
BOOL SimulateModRem(CBlockObj& b, CViewContext* view) {
  b.m_nChangeState = -1;
  const int v = InputWord(b, 0, view);
  LONGLONG d = b.m_nParam10;
  double ref = 0.0;
  if (ReadRefValue(b, 0, -kResultLimit, kResultLimit, &ref)) {
    if (ref == 0.0) {
      b.m_dValue = 0;
      return FALSE;
    }
    d = TruncToInt(ref);
  }
  TrackChange(b, kScanInput | kScanParam, {v, static_cast<int>(d)});
  const LONGLONG product = v * d;
  LONGLONG result = v;
  if (product != 0) {
    result = v % d;
    if (b.m_nType == 862 && product < 0) result += d;
  }
  AssignValue(b, Word16(result));
  return ReportedChangeState(b);
}

CString FormatTruncated(const char* format, double value) {
  CString text;
  text.Format(format, TruncToInt(value));
  return text;
}

// The value box of the math blocks: width 3W/2 or 5W/2, the value truncated.
void MathValueBox(CDC* dc, const CBlockObj& b, int factor, const char* format) {
  if (!ValueBoxMayShow(dc, b, 1)) return;
  PaintValueBox(dc, b, factor * b.m_nWidth / 2, FormatTruncated(format, b.m_dValue));
}

}  // namespace

BOOL CBlockODD::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  TrackChange(*this, kScanInput, {v});
  m_nValue[kFirstOutputPin] = v & 1;
  return ReportedChangeState(*this);
}

BOOL CBlockEVEN::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  TrackChange(*this, kScanInput, {v});
  m_nValue[kFirstOutputPin] = 1 - (v & 1);
  return ReportedChangeState(*this);
}

BOOL CBlockMOD::Simulate(CViewContext* view) {
  return SimulateModRem(*this, view);
}

BOOL CBlockREM::Simulate(CViewContext* view) {
  return SimulateModRem(*this, view);
}

BOOL CBlockLOG::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  int base = m_nParam11;
  ReadRefInt(*this, 0, 0, 2, &base);
  TrackChange(*this, kScanInput | kScanSelect | kScanAmp, {v, 0, base, m_dParam});
  double result = 0;
  // A base outside 0..2 (only a damaged file holds one) gives 0.
  if (v > 0) {
    if (base == 0) result = ClampedWord(std::log(v) * m_dParam);
    if (base == 1) result = ClampedWord(std::log10(v) * m_dParam * kLog2Of10);
    if (base == 2) result = ClampedWord(std::log10(v) * m_dParam);
  }
  AssignValue(*this, result);
  return ReportedChangeState(*this);
}

BOOL CBlockSQRT::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  TrackInputAmp(*this, v);
  AssignValue(*this, v < 0 ? -1 : v == 0 ? 0 : ClampedWord(std::sqrt(v) * m_dParam));
  return ReportedChangeState(*this);
}

BOOL CBlockABS::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  TrackChange(*this, kScanInput, {v});
  AssignValue(*this, Word16(std::abs(v)));
  return ReportedChangeState(*this);
}

BOOL CBlockGCD::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  const int w = InputWord(*this, 1, view);
  TrackChange(*this, kScanInput | kScanParam, {v, w});
  AssignValue(*this, v > 0 && w > 0 ? Gcd(v, w) : 0);
  return ReportedChangeState(*this);
}

BOOL CBlockLCM::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  const int w = InputWord(*this, 1, view);
  TrackChange(*this, kScanInput | kScanParam, {v, w});
  AssignValue(*this, v > 0 && w > 0 ? std::min(Lcm(v, w), 32767) : 0);
  return ReportedChangeState(*this);
}

BOOL CBlockPOW2::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  TrackInputAmp(*this, v);
  AssignValue(*this, v >= 15 ? SignedLimit(m_dParam) : v <= -15 ? 0 : ClampResult(std::exp2(v) * m_dParam));
  return ReportedChangeState(*this);
}

BOOL CBlockEXP::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  TrackInputAmp(*this, v);
  AssignValue(*this, v >= 11 ? SignedLimit(m_dParam) : v <= -11 ? 0 : ClampResult(std::exp(v) * m_dParam));
  return ReportedChangeState(*this);
}

BOOL CBlockFIX::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  const int k = PlaceCount(*this);
  TrackChange(*this, kScanInput | kScanSelect, {v, 0, k});
  const int p = PowerOf10(k);
  const int a = std::abs(v);
  int result = v;
  if (k != 0) result = a < p ? 0 : (v < 0 ? -1 : 1) * (a - a % p);
  AssignValue(*this, Word16(result));
  return ReportedChangeState(*this);
}

BOOL CBlockROUND::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  const int k = PlaceCount(*this);
  TrackChange(*this, kScanInput | kScanSelect, {v, 0, k});
  const int p = PowerOf10(k);
  const int a = std::abs(v);
  const int r = a % p;
  const int sign = v < 0 ? -1 : 1;
  int result = v;
  if (k != 0) {
    if (a >= p) {
      result = sign * (a - r + (r >= p / 2 ? p : 0));
    } else {
      result = a >= p / 2 ? sign * p : 0;
    }
  }
  AssignValue(*this, Word16(result));
  return ReportedChangeState(*this);
}

BOOL CBlockSIN::Simulate(CViewContext* view) {
  return SimulateTrig(*this, view);
}
BOOL CBlockCOS::Simulate(CViewContext* view) {
  return SimulateTrig(*this, view);
}
BOOL CBlockTAN::Simulate(CViewContext* view) {
  return SimulateTrig(*this, view);
}
BOOL CBlockCOT::Simulate(CViewContext* view) {
  return SimulateTrig(*this, view);
}
BOOL CBlockSEC::Simulate(CViewContext* view) {
  return SimulateTrig(*this, view);
}
BOOL CBlockCSC::Simulate(CViewContext* view) {
  return SimulateTrig(*this, view);
}

BOOL CBlockQUAD::Simulate(CViewContext* view) {
  ReadInputs(view);
  if (m_bChanged[0]) m_bChanged[0] = 0;
  double result = 0;
  if (m_nValue[0] == 0) {
    const LONGLONG a = m_nParam10, b = m_nParam15, c = m_nParam20;
    const LONGLONG y = InputWord(*this, 1, view);
    double x = 0;
    if (a == 0) {
      // Not a quadratic: solve the linear b*x + c = y instead of dividing by 0.
      if (b != 0) x = static_cast<double>(y - c) / static_cast<double>(b);
    } else {
      const double disc = static_cast<double>(b * b) - 4.0 * static_cast<double>((c - y) * a);
      if (disc == 0) {
        x = static_cast<double>(b / (-2 * a));
      } else if (disc > 0) {
        const double root = std::sqrt(disc);
        if (m_nParam11 == 0) x = (root - b) / (2.0 * a);
        if (m_nParam11 == 1) x = (-b - root) / (2.0 * a);
      }
    }
    result = ClampedWord(x * m_dParam);
  }
  AssignValue(*this, result);
  return TRUE;
}

#define ZV_MATH_VALUE_BLOCK(cls, factor, format)         \
  void cls::DrawSimulated(CViewContext* view, CDC* dc) { \
    DrawValueLook(*this, view, dc);                      \
  }                                                      \
  void cls::DrawValueBox(CDC* dc, CViewContext* view) {  \
    MathValueBox(dc, *this, factor, format);             \
  }

ZV_MATH_VALUE_BLOCK(CBlockMOD, 3, "%-6d")
ZV_MATH_VALUE_BLOCK(CBlockREM, 3, "%-6d")
ZV_MATH_VALUE_BLOCK(CBlockABS, 3, "%-6d")
ZV_MATH_VALUE_BLOCK(CBlockGCD, 3, "%-6d")
ZV_MATH_VALUE_BLOCK(CBlockLCM, 3, "%-6d")
ZV_MATH_VALUE_BLOCK(CBlockFIX, 3, "%-d")
ZV_MATH_VALUE_BLOCK(CBlockROUND, 3, "%-d")
ZV_MATH_VALUE_BLOCK(CBlockLOG, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockSQRT, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockPOW2, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockEXP, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockSIN, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockCOS, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockTAN, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockCOT, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockSEC, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockCSC, 5, "%d")
ZV_MATH_VALUE_BLOCK(CBlockQUAD, 5, "%d")
#undef ZV_MATH_VALUE_BLOCK
