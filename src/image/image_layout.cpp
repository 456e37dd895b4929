#include "image/image_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/block_codes.h"
#include "model/block_obj.h"

namespace {

constexpr ImageAreaRow kAreas[] = {
    {0, u"LC", 0x0000, 0x400}, {0, u"A", 0x0400, 0x200},  {0, u"B", 0x0600, 0x800},
    {0, u"C", 0x0E00, 0x800},  {0, u"E", 0x1600, 0x100},  {0, u"F", 0x1700, 0x400},
    {0, u"G1", 0x1B00, 0x040}, {0, u"G2", 0x1B40, 0x400}, {0, u"H", 0x1F40, 0x100},
    {0, u"PW", 0x2040, 0x100}, {0, u"PS", 0x2140, 2},     {0, u"K", 0x2142, 0x10},
    {0, u"M1", 0x2152, 2},     {0, u"M2", 0x2154, 2},     {0, u"V1", 0x2156, 2},
    {0, u"V2", 0x2158, 2},     {0, u"PR", 0x215A, 2},     {0, u"L", 0x215C, 0x10},
    {0, u"RD", 0x216C, 6},     {0, u"CM", 0x2172, 0xB0},  {0, u"ID", 0x2222, 0x10},
    {0, u"HT", 0x2232, 2},     {0, u"LT", 0x2234, 2},     {0, u"KV", 0x2236, 2},
    {0, u"QT", 0x2238, 0x20},  {0, u"FV", 0x2258, 0x40},  {0, u"RV", 0x2298, 0x268},
    {0, u"DL", 0x2500, 0x300}, {1, u"J", 0x0000, 0x6000},
};

// Kind and base of the OperandWord by source type.
struct OperandKind {
  int nType;
  WORD wKind;
  int nBase;
};
constexpr OperandKind kOperandKinds[] = {
    {kTypeInput, 0x0000, kFirstInputOperand},
    {kTypeCursorKey, 0x1000, kFirstCursorKeyOperand},
    {kTypeShiftBit, 0x2000, kFirstShiftBitOperand},
    {kTypeLowSignal, 0x3000, kFirstLowOperand},
    {kTypeHighSignal, 0x4000, kFirstHighOperand},
    {kTypeOutput, 0x5000, kFirstOutputOperand},
    {kTypeFlag, 0x6000, kFirstFlagOperand},
    {kTypeAnalogInput, 0x8000, kFirstAnalogInputOperand},
    {kTypeAnalogOutput, 0x9000, kFirstAnalogOutputOperand},
    {kTypeAnalogFlag, 0xA000, kFirstAnalogFlagOperand},
    {kTypeFunctionKey, 0xB000, kFirstFunctionKeyOperand},
};
constexpr WORD kFunctionBlockKind = 0x7000;

bool IsFunctionBlockType(int t) {
  return IsLogicType(t) || IsTimeType(t) || (t >= kFirstExtendedType && t <= kLastSpecialType) ||
         (t >= kFirstDataType && t <= kLastDataType) || (t >= kFirstMathType && t <= kLastMathType);
}

struct CodeRow {
  int nType;
  WORD wCode;
};
constexpr CodeRow kCodes[] = {
    {300, 0x0100},       {301, 0x0700},      {302, 0x0400},      {303, 0x0800},      {304, 0x0200},
    {305, 0x0500},       {306, 0x0600},      {307, 0x0300},      {kTypeDPR, 0x2140}, {kTypeDDR, 0x2240},
    {kTypeMPLR, 0x2F40}, {kTypePLR, 0x2740}, {kTypeCPG, 0x2A40}, {kTypeRPR, 0x3340}, {kTypeAPG, 0x2D40},
    {kTypeRG, 0x3040},   {kTypeSLS, 0x3140}, {kTypeMFS, 0x3240}, {kTypeWT, 0x2440},  {kTypeYT, 0x2E40},
    {kTypeAC, 0x2840},   {kTypeSW, 0x4840},  {800, 0x2B40},      {801, 0x29C0},      {802, 0x2C40},
    {803, 0x3640},       {804, 0x3540},      {805, 0x4240},      {806, 0x3940},      {807, 0x3A40},
    {808, 0x2500},       {809, 0x2300},      {810, 0x3440},      {811, 0x3740},      {812, 0x3800},
    {813, 0x3B00},       {814, 0x3C00},      {815, 0x4440},      {816, 0x4040},      {817, 0x4140},
    {818, 0x43C0},       {819, 0x3E40},      {820, 0x4700},      {821, 0x4640},      {822, 0x4540},
    {823, 0x3D40},       {824, 0x6440},      {825, 0x6540},      {826, 0x6640},      {827, 0x6740},
    {847, 0x5A40},       {848, 0x5C40},      {849, 0x5D40},      {850, 0x5E40},      {851, 0x5F40},
    {852, 0x6040},       {853, 0x5240},      {854, 0x5340},      {855, 0x6140},      {856, 0x6240},
    {860, 0x1D40},       {861, 0x1E40},      {862, 0x1F40},      {863, 0x2040},      {873, 0x5440},
    {874, 0x5540},       {875, 0x5640},      {876, 0x5740},      {877, 0x5840},      {878, 0x5940},
    {879, 0x5B40},
};

// LcdCharMap entries other than the characters that keep their code.
constexpr std::pair<unsigned, BYTE> kLcdChars[] = {
    {32, 91},   {46, 92},   {40, 95},  {41, 96},  {43, 123}, {45, 124}, {47, 126}, {42, 127},  {33, 130},
    {95, 131},  {126, 143}, {35, 144}, {36, 145}, {37, 146}, {94, 147}, {38, 148}, {124, 149}, {92, 150},
    {123, 151}, {125, 152}, {91, 153}, {93, 154}, {34, 155}, {39, 156}, {44, 157}, {96, 158},
};

struct LcdMaps {
  std::array<BYTE, 256> toGlyph{};
  std::array<unsigned, 256> toChar{};
  LcdMaps() {
    for (unsigned c = 48; c <= 90; ++c) toGlyph[c] = static_cast<BYTE>(c);
    for (unsigned c = 97; c <= 122; ++c) toGlyph[c] = static_cast<BYTE>(c);
    for (const auto& [c, g] : kLcdChars) toGlyph[c] = g;
    for (unsigned c = 0; c < 256; ++c) {
      if (toGlyph[c] != 0 && toChar[toGlyph[c]] == 0) toChar[toGlyph[c]] = c;
    }
  }
};
const LcdMaps& Lcd() {
  static const LcdMaps maps;
  return maps;
}

// MsgValueCodeTable: up to three (value code, second byte) entries per type.
struct ValueCodeRow {
  int nType;
  int nCount;
  BYTE entries[3][2];
};
constexpr ValueCodeRow kValueCodes[] = {
    {kTypeSW, 3, {{8, 0}, {14, 0}, {10, 0}}},
    {800, 1, {{10, 1}}},
    {801, 2, {{8, 0}, {2, 1}}},
    {802, 1, {{10, 1}}},
    {803, 3, {{14, 0}, {16, 0}, {10, 0}}},
    {804, 1, {{10, 0}}},
    {805, 1, {{10, 0}}},
    {806, 2, {{8, 0}, {10, 0}}},
    {807, 2, {{10, 0}, {16, 0}}},
    {815, 1, {{6, 0}}},
    {816, 1, {{6, 0}}},
    {817, 1, {{8, 0}}},
    {818, 2, {{6, 0}, {8, 0}}},
    {819, 1, {{4, 1}}},
    {820, 2, {{8, 0}, {6, 0}}},
    {821, 3, {{8, 0}, {16, 0}, {18, 0}}},
    {822, 2, {{14, 0}, {6, 0}}},
    {823, 2, {{16, 0}, {14, 0}}},
};

}  // namespace

std::span<const ImageAreaRow> ImageAreaTable() {
  return kAreas;
}

const ImageAreaRow* FindImageAreaRow(std::u16string_view name) {
  for (const ImageAreaRow& row : kAreas) {
    if (name == row.pName) return &row;
  }
  return nullptr;
}

int ProgramAreaSize(int memoryCost) {
  if (memoryCost < 0) memoryCost = 0;
  const long long size = (static_cast<long long>(memoryCost) / kProgramAreaStep + 1) * kProgramAreaStep;
  return size > kProgramAreaMax ? kProgramAreaMax : static_cast<int>(size);
}

WORD OperandWordOf(int typeCode, int number) {
  for (const OperandKind& k : kOperandKinds) {
    if (k.nType == typeCode) return static_cast<WORD>(((number - k.nBase) & 0x3FF) | k.wKind);
  }
  if (IsFunctionBlockType(typeCode))
    return static_cast<WORD>(((number - kFirstFunctionBlockNumber) & 0x3FF) | kFunctionBlockKind);
  return static_cast<WORD>(number);
}

WORD OperandWordOf(const CBlockObj& source, bool inverted) {
  WORD w = OperandWordOf(source.m_nType, source.m_nNumber);
  if (inverted) w |= kOperandInverted;
  return w;
}

WORD AnalogOperandWord(int selector, int index) {
  const WORD kind = selector == 1 ? 0x9000 : selector == 2 ? 0x8000 : 0xA000;
  return static_cast<WORD>(kind | (index & 0x3FF));
}

WORD TypeCodeOf(int typeCode) {
  if (typeCode >= kFirstDataType && typeCode <= kTypeRAND)
    return static_cast<WORD>(0x0B40 + (typeCode - kFirstDataType) * 0x100);
  if (typeCode >= kTypeLOG && typeCode <= kTypeROUND)
    return static_cast<WORD>(0x4940 + (typeCode - kTypeLOG) * 0x100);
  for (const CodeRow& r : kCodes) {
    if (r.nType == typeCode) return r.wCode;
  }
  return 0;
}

CodeGroup CodeGroupOf(int t) {
  if (!IsFunctionBlockType(t)) return CodeGroup::kNone;
  if (IsLogicType(t) || t == kTypeMR || t == kTypeMW || (t >= kFirstWifiType && t <= kLastWifiType))
    return CodeGroup::kA;
  if (t == kTypeMEM) return CodeGroup::kMem;
  if (t >= kTypeSMC && t <= kTypePTOE) return CodeGroup::kStepper;
  return CodeGroup::kB;
}

BYTE FunctionFlagByte(const CBlockObj& block, CodeGroup group) {
  BYTE b = 0;
  if (block.m_nParam1 != 0) b |= 0x80;
  if (block.m_nParam2 == 0) b |= 0x40;
  const auto ref = [&](int k) { return block.m_bUseRef[k] != 0; };
  switch (group) {
    case CodeGroup::kMem:
      if (ref(0)) b |= 0x20;
      break;
    case CodeGroup::kStepper:
      if (ref(1)) b |= 0x20;
      if (ref(0)) b |= 0x10;
      break;
    default:
      if (ref(0)) b |= 0x20;
      if (ref(1)) b |= 0x10;
      if (ref(2)) b |= 0x08;
      if (ref(3)) b |= 0x04;
      break;
  }
  return b;
}

bool EncodeFunctionCode(const CBlockObj& block, WORD* out) {
  const int t = block.m_nType;
  const CodeGroup group = CodeGroupOf(t);
  if (group == CodeGroup::kA) {
    *out = TypeCodeOf(t);
    return true;
  }
  if (group != CodeGroup::kNone) {
    *out = static_cast<WORD>((TypeCodeOf(t) & 0xFF00) | FunctionFlagByte(block, group));
    return true;
  }
  for (const OperandKind& k : kOperandKinds) {
    if (k.nType != t) continue;
    const int code = OperandCode(t, block.m_nNumber - k.nBase);
    if (code < 0) return false;
    *out = static_cast<WORD>(code);
    return true;
  }
  if (t == kTypeOpenConnector) {
    *out = 0xFFFF;
    return true;
  }
  return false;
}

int TypeOfFunctionCode(WORD code) {
  for (int t = kFirstLogicType; t <= kLastMathType; ++t) {
    if (CodeGroupOf(t) != CodeGroup::kNone && TypeCodeOf(t) == code) return t;
  }
  return 0;
}

int OperandKindByte(int typeCode) {
  if (typeCode == kTypeOpenConnector) return 0xFFFF;
  for (const OperandKind& k : kOperandKinds) {
    if (k.nType == typeCode) return k.wKind >> 8;
  }
  return -1;
}

int OperandCode(int typeCode, int n) {
  const int kind = OperandKindByte(typeCode);
  if (kind < 0) return -1;
  if (typeCode == kTypeLowSignal || typeCode == kTypeHighSignal) return kind;
  int limit = 0;
  switch (typeCode) {
    case kTypeInput:
      limit = kInputOperandCount;
      break;
    case kTypeCursorKey:
      limit = kCursorKeyOperandCount;
      break;
    case kTypeShiftBit:
      limit = kShiftBitOperandCountNewer;
      break;
    case kTypeOutput:
      limit = kOutputOperandCount;
      break;
    case kTypeOpenConnector:
      limit = kOpenConnectorOperandCount;
      break;
    case kTypeFlag:
      limit = kFlagOperandCount;
      break;
    case kTypeAnalogInput:
      limit = kAnalogInputOperandCount;
      break;
    case kTypeAnalogOutput:
      limit = kAnalogOutputOperandCount;
      break;
    case kTypeAnalogFlag:
      limit = kAnalogFlagOperandCount;
      break;
    case kTypeFunctionKey:
      limit = kFunctionKeyOperandCount;
      break;
    default:
      return -1;
  }
  if (n < 0 || n >= limit) return -1;
  if (typeCode == kTypeOpenConnector) return 0xFFFF;
  if (n >= 256) return ((n & 0xFF) << 8) | (kind + 1);
  return (n << 8) | kind;
}

BYTE LcdCharOf(unsigned ch) {
  return ch < 256 ? Lcd().toGlyph[ch] : 0;
}

unsigned LcdCharReverse(BYTE glyph) {
  return Lcd().toChar[glyph];
}

bool MsgValueCodeBytes(int typeCode, int row, BYTE out[2]) {
  const ValueCodeRow* found = nullptr;
  for (const ValueCodeRow& r : kValueCodes) {
    if (r.nType == typeCode) found = &r;
  }
  static constexpr ValueCodeRow kSixOnly = {0, 1, {{6, 0}}};
  if (found == nullptr && ((typeCode >= kTypeBCD && typeCode <= kTypeRAND) || typeCode == kTypeSEG ||
                           (typeCode >= kTypeMOD && typeCode <= kLastMathType)))
    found = &kSixOnly;
  if (found == nullptr) return false;
  if (row >= 0 && row < found->nCount) {
    out[0] = found->entries[row][0];
    out[1] = found->entries[row][1];
  } else {
    out[0] = 0xFF;
    out[1] = 0xFF;
  }
  return true;
}

WORD TimeBaseBits(int base) {
  switch (base) {
    case 0:
      return 0xC000;
    case 1:
      return 0x8000;
    case 2:
      return 0x4000;
    default:
      return 0;
  }
}

WORD TimeWordOf(int high, int low, int base) {
  const unsigned radix = base == 2 ? 100 : 60;
  // Worked modulo 2^32 (the low 14 bits are what is kept): values from a damaged file
  // give a word, not an overflow.
  const unsigned sum = static_cast<unsigned>(low) + static_cast<unsigned>(high) * radix;
  return static_cast<WORD>(TimeBaseBits(base) | (sum & 0x3FFF));
}

int Times100(double v) {
  // A value of whole hundredths (0.29) may come out of the multiplication a
  // hair below them (28.999...); it keeps its hundredths. Anything else is
  // truncated toward zero.
  double x = v * 100.0;
  const double nearest = std::round(x);
  x = std::fabs(x - nearest) <= 1e-9 * std::max(1.0, std::fabs(x)) ? nearest : std::trunc(x);
  if (std::isnan(x)) return 0;
  if (x >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (x <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(x);
}

double FromHundredths(long long v) {
  double d = static_cast<double>(v) / 100.0;
  // Division may land just below the exact value, which Times100 would truncate.
  for (int i = 0; i < 4 && Times100(d) != v; ++i) d = std::nextafter(d, v > 0 ? HUGE_VAL : -HUGE_VAL);
  return d;
}

// ---- CAreaWriter ---------------------------------------------------------------

bool CAreaWriter::Fits(size_t n) {
  if (m_pos > m_size || n > m_size - m_pos) {
    m_ok = false;
    m_pos += n;
    return false;
  }
  return true;
}

void CAreaWriter::Byte(int v) {
  if (!Fits(1)) return;
  m_base[m_pos++] = static_cast<BYTE>(v & 0xFF);
}

void CAreaWriter::Word(int v) {
  if (!Fits(2)) return;
  m_base[m_pos++] = static_cast<BYTE>(v & 0xFF);
  m_base[m_pos++] = static_cast<BYTE>((v >> 8) & 0xFF);
}

void CAreaWriter::Dword(long long v) {
  if (!Fits(4)) return;
  for (int i = 0; i < 4; ++i) m_base[m_pos++] = static_cast<BYTE>((v >> (8 * i)) & 0xFF);
}

void CAreaWriter::WordHighFirst(int v) {
  if (!Fits(2)) return;
  m_base[m_pos++] = static_cast<BYTE>((v >> 8) & 0xFF);
  m_base[m_pos++] = static_cast<BYTE>(v & 0xFF);
}

void CAreaWriter::Zeros(size_t n) {
  Fill(0, n);
}

void CAreaWriter::Fill(int v, size_t n) {
  if (!Fits(n)) return;
  std::memset(m_base + m_pos, v & 0xFF, n);
  m_pos += n;
}

void CAreaWriter::Skip(size_t n) {
  if (!Fits(n)) return;
  m_pos += n;
}
