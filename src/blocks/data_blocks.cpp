#include "blocks/data_blocks.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "blocks/block_slots.h"
#include "blocks/block_values.h"
#include "blocks/operand_blocks.h"
#include "blocks/value_box.h"
#include "model/block_eval.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/random.h"

namespace {

// Rotations and shifts (834-837): a word and a shift count 1..15, 1 by default.
void PresetShift(CBlockObj& b) {
  PresetImage(b, 8, 3, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  b.m_nMinValue = 1;
  b.m_nMaxValue = 15;
  b.m_nParam10 = 1;  // shift count
}

// Masks with a mask word (838, 839, 841-843), 0 by default.
void PresetMask(CBlockObj& b) {
  PresetImage(b, 8, 3, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  b.m_nMinValue = -32768;
  b.m_nMaxValue = 32767;
  b.m_nParam10 = 0;  // mask
}

}  // namespace

IMPLEMENT_SERIAL(CBlockBoolean, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockBoolean::CBlockBoolean() {
  m_byCaps = kCaps;
}

CBlockBoolean::CBlockBoolean(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 4, ctx) {
  PresetImage(*this, 16, 7, {kKeepLink, kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_nParam24 = 0;  // truth table
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockTDT, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockTDT::CBlockTDT() {
  m_byCaps = kCaps;
}

CBlockTDT::CBlockTDT(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, kKeepLink, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockBCD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockBCD::CBlockBCD() {
  m_byCaps = kCaps;
}

CBlockBCD::CBlockBCD(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockBIN, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockBIN::CBlockBIN() {
  m_byCaps = kCaps;
}

CBlockBIN::CBlockBIN(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_nMaxValue = 39321;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockROL, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockROL::CBlockROL() {
  m_byCaps = kCaps;
}

CBlockROL::CBlockROL(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetShift(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockROR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockROR::CBlockROR() {
  m_byCaps = kCaps;
}

CBlockROR::CBlockROR(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetShift(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSHL, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSHL::CBlockSHL() {
  m_byCaps = kCaps;
}

CBlockSHL::CBlockSHL(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetShift(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSHR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSHR::CBlockSHR() {
  m_byCaps = kCaps;
}

CBlockSHR::CBlockSHR(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetShift(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockANDM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockANDM::CBlockANDM() {
  m_strMask = u"0000";  // records older than schema 1 do not carry the mask text
  m_byCaps = kCaps;
}

CBlockANDM::CBlockANDM(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetMask(*this);
  m_strMask = u"0000";
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockORM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockORM::CBlockORM() {
  m_byCaps = kCaps;
}

CBlockORM::CBlockORM(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetMask(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockNOTM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockNOTM::CBlockNOTM() {
  m_byCaps = kCaps;
}

CBlockNOTM::CBlockNOTM(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockNANDM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockNANDM::CBlockNANDM() {
  m_byCaps = kCaps;
}

CBlockNANDM::CBlockNANDM(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetMask(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockNORM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockNORM::CBlockNORM() {
  m_byCaps = kCaps;
}

CBlockNORM::CBlockNORM(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetMask(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockXORM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockXORM::CBlockXORM() {
  m_byCaps = kCaps;
}

CBlockXORM::CBlockXORM(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetMask(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockARRMXIV, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockARRMXIV::CBlockARRMXIV() {
  m_byCaps = kCaps;
}

CBlockARRMXIV::CBlockARRMXIV(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  PresetImage(*this, 12, 5, {LINK_PARAM, 85, 83, LINK_EMPTY, LINK_EMPTY});
  m_nMinValue = 1;
  m_nMaxValue = 32;
  m_nParam9 = 0;   // operand kind
  m_nParam10 = 0;  // mode
  m_nParam14 = 0;  // first index
  m_nParam15 = 1;  // count
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockACMXIV, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockACMXIV::CBlockACMXIV() {
  m_byCaps = kCaps;
}

CBlockACMXIV::CBlockACMXIV(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 3, ctx) {
  PresetImage(*this, 12, 5, {kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_nMaxValue = 2;
  m_nParam10 = 0;  // mode
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockRAND, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockRAND::CBlockRAND() {
  m_byCaps = kCaps;
}

CBlockRAND::CBlockRAND(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  PresetImage(*this, 8, 3, {LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_nMinValue = 1;
  m_nMaxValue = 32767;
  m_nParam10 = 1;  // upper bound
  m_byCaps = kCaps;
}

// ---- Scan and value boxes ------------------------------------------------------

namespace {

constexpr double kIntMin = std::numeric_limits<int>::min();
constexpr double kIntMax = std::numeric_limits<int>::max();

// Box widths: 3W/2 and 5W/2 in integer division.
int WideBox(const CBlockObj& b, int factor) {
  return factor * b.m_nWidth / 2;
}

CString FormatValue(const char* format, const CBlockObj& b) {
  CString text;
  text.Format(format, TruncToInt(b.m_dValue));
  return text;
}

// The shift count of the rotations and shifts: a referenced value above 15
// counts as 15 and one below 1 as 0; a constant is held to 0..15.
int ShiftCount(CBlockObj& b) {
  double ref = 0.0;
  if (ReadRefValue(b, 0, kIntMin, kIntMax, &ref)) return ref > 15.0 ? 15 : ref < 1.0 ? 0 : TruncToInt(ref);
  return std::clamp(b.m_nParam10, 0, 15);
}

// Rotations and shifts (834-837) on the word v by n (0..15).
int Rotate(int type, int v, int n) {
  const uint32_t u = static_cast<uint16_t>(v);
  switch (type) {
    case 834:
      return Word16((u << n) | (u >> (16 - n)));
    case 835:
      return Word16((u >> n) | (u << (16 - n)));
    case 836:
      return Word16(u << n);
    default:
      return static_cast<short>(v) >> n;
  }
}

// The six masks (838-843) on the word v with mask m.
int ApplyMask(int type, int v, int m) {
  switch (type) {
    case 838:
      return Word16(v & m);
    case 839:
      return Word16(v | m);
    case 840:
      return Word16(~v);
    case 841:
      return Word16(~(v & m));
    case 842:
      return Word16(~(v | m));
    default:
      return Word16(v ^ m);
  }
}

BOOL SimulateShift(CBlockObj& b, CViewContext* view) {
  b.m_nChangeState = -1;
  const int v = InputWord(b, 0, view);
  const int n = ShiftCount(b);
  TrackChange(b, kScanInput | kScanParam, {v, n});
  AssignValue(b, Rotate(b.m_nType, v, n));
  return ReportedChangeState(b);
}

BOOL SimulateMask(CBlockObj& b, CViewContext* view) {
  b.m_nChangeState = -1;
  const int v = InputWord(b, 0, view);
  if (b.m_nType == 840) {
    TrackChange(b, kScanInput, {v});
    AssignValue(b, ApplyMask(840, v, 0));
    return ReportedChangeState(b);
  }
  int m = b.m_nParam10;
  ReadRefInt(b, 0, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), &m);
  TrackChange(b, kScanInput | kScanParam, {v, m});
  AssignValue(b, ApplyMask(b.m_nType, v, m));
  return ReportedChangeState(b);
}

}  // namespace

BOOL CBlockBoolean::Simulate(CViewContext* view) {
  const int old = m_nValue[kFirstOutputPin];
  ReadInputs(view);
  const int index =
      (m_nValue[0] != 0) * 8 + (m_nValue[1] != 0) * 4 + (m_nValue[2] != 0) * 2 + (m_nValue[3] != 0);
  m_nValue[kFirstOutputPin] = TestBit16(static_cast<WORD>(m_nParam24 & 0xFFFF), index);
  if (m_nValue[kFirstOutputPin] != old) m_bChanged[kFirstOutputPin] = 1;
  if (m_bChanged[kFirstOutputPin]) {
    PropagateToContacts(view ? view->GetDocument() : nullptr);
    m_bChanged[kFirstOutputPin] = 0;
  }
  return TRUE;
}

BOOL CBlockTDT::Simulate(CViewContext* view) {
  ReadInputs(view);
  if (m_bChanged[1]) {
    if (m_nValue[1] == 1) {
      m_strValueText.Empty();
      m_nValue[kFirstOutputPin] = 0;
    }
    m_bChanged[1] = 0;
  }
  if (m_bChanged[0]) {
    if (m_nValue[1] == 0 && m_nValue[0] == 1) {
      if (view) m_strValueText = view->FormatSimulatedTime(FALSE, 3);
      m_nValue[kFirstOutputPin] = 1;
    }
    m_bChanged[0] = 0;
  }
  return TRUE;
}

void CBlockTDT::DrawValueBox(CDC* dc, CViewContext* view) {
  PaintValueBox(dc, *this, 3 * m_nWidth, m_strValueText);
}

BOOL CBlockBCD::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int v = InputWord(*this, 0, view);
  if (v == m_nLastInput) {
    m_nChangeState = 0;
    return FALSE;
  }
  m_nLastInput = v;
  m_nChangeState = 1;
  AssignValue(*this, ToBcd(v > 9999 ? v % 10000 : v < 0 ? 0 : v));
  return TRUE;
}

void CBlockBCD::DrawSimulated(CViewContext* view, CDC* dc) {
  DrawValueLook(*this, view, dc);
}

void CBlockBCD::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 1)) return;
  CString text;
  text.Format("0x%04X", static_cast<unsigned>(static_cast<uint16_t>(LowWord(m_dValue))));
  PaintValueBox(dc, *this, WideBox(*this, 3), text);
}

BOOL CBlockBIN::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int u = static_cast<uint16_t>(InputWord(*this, 0, view));
  if (u == m_nLastInput) {
    m_nChangeState = 0;
    return FALSE;
  }
  m_nLastInput = u;
  m_nChangeState = 1;
  AssignValue(*this, FromBcd(u));
  return TRUE;
}

void CBlockBIN::DrawSimulated(CViewContext* view, CDC* dc) {
  DrawValueLook(*this, view, dc);
}

void CBlockBIN::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 1)) return;
  PaintValueBox(dc, *this, WideBox(*this, 3), FormatValue("%-4d", *this));
}

#define ZV_SHIFT_BLOCK(cls, sim)                                             \
  BOOL cls::Simulate(CViewContext* view) {                                   \
    return sim(*this, view);                                                 \
  }                                                                          \
  void cls::DrawSimulated(CViewContext* view, CDC* dc) {                     \
    DrawValueLook(*this, view, dc);                                          \
  }                                                                          \
  void cls::DrawValueBox(CDC* dc, CViewContext* view) {                      \
    if (!ValueBoxMayShow(dc, *this, 1)) return;                              \
    PaintValueBox(dc, *this, WideBox(*this, 3), FormatValue("%-6d", *this)); \
  }

ZV_SHIFT_BLOCK(CBlockROL, SimulateShift)
ZV_SHIFT_BLOCK(CBlockROR, SimulateShift)
ZV_SHIFT_BLOCK(CBlockSHL, SimulateShift)
ZV_SHIFT_BLOCK(CBlockSHR, SimulateShift)
ZV_SHIFT_BLOCK(CBlockANDM, SimulateMask)
ZV_SHIFT_BLOCK(CBlockORM, SimulateMask)
ZV_SHIFT_BLOCK(CBlockNOTM, SimulateMask)
ZV_SHIFT_BLOCK(CBlockNANDM, SimulateMask)
ZV_SHIFT_BLOCK(CBlockNORM, SimulateMask)
ZV_SHIFT_BLOCK(CBlockXORM, SimulateMask)
#undef ZV_SHIFT_BLOCK

BOOL CBlockARRMXIV::Simulate(CViewContext* view) {
  int mode = m_nParam10;
  ReadRefInt(*this, 0, 0, 2, &mode);
  int count = m_nParam15;
  ReadRefInt(*this, 1, 1, 32, &count);

  const CRuntimeClass* kind = nullptr;
  int first = 0, capacity = 0;
  switch (m_nParam9) {
    case 0:
      kind = RUNTIME_CLASS(CBlockAnalogFlag), first = 4288, capacity = 512;
      break;
    case 1:
      kind = RUNTIME_CLASS(CBlockAnalogOut), first = 4230, capacity = 32;
      break;
    case 2:
      kind = RUNTIME_CLASS(CBlockAnalogIn), first = 4000, capacity = 64;
      break;
    default:
      break;
  }
  // A range that starts outside the operands or holds no place (only a
  // damaged file gives one) yields 0.
  if (kind == nullptr || m_nParam14 < 0 || m_nParam14 >= capacity || count < 1) {
    AssignValue(*this, 0);
    return TRUE;
  }
  first += m_nParam14;
  const int last = first + count - 1;
  count = std::min(count, capacity - m_nParam14);

  // The places are the first `count` operands of the kind within the range,
  // in list order; a place without an operand holds 0.
  const CZaradDoc* doc = view ? view->GetDocument() : nullptr;
  if (doc == nullptr) {
    m_rangeBlocks.clear();
    m_nRangeGeneration = 0;
  } else {
    const unsigned long long generation = view->GetLinkGeneration();
    if (generation == 0 || generation != m_nRangeGeneration || kind != m_pRangeKind ||
        first != m_nRangeFirst || last != m_nRangeLast) {
      m_rangeBlocks.clear();
      for (const CBlockObj* b : doc->m_blocks) {
        if (b->IsKindOf(kind) && b->m_nNumber >= first && b->m_nNumber <= last) m_rangeBlocks.push_back(b);
      }
      m_nRangeGeneration = generation;
      m_pRangeKind = kind;
      m_nRangeFirst = first;
      m_nRangeLast = last;
    }
  }
  const size_t used = std::min(m_rangeBlocks.size(), static_cast<size_t>(count));
  const bool empty = used < static_cast<size_t>(count);  // places holding 0
  int result = 0;
  switch (mode) {
    case 0:
    case 1: {
      bool any = empty;
      for (size_t i = 0; i < used; ++i) {
        const int v = static_cast<short>(m_rangeBlocks[i]->m_nWordValue);
        result = !any ? v : mode == 0 ? std::max(result, v) : std::min(result, v);
        any = true;
      }
      break;
    }
    case 2: {
      int sum = 0;
      for (size_t i = 0; i < used; ++i)
        sum = Word16(sum + static_cast<short>(m_rangeBlocks[i]->m_nWordValue));
      result = sum / count;
      break;
    }
    default:
      result = used > 0 ? static_cast<short>(m_rangeBlocks[0]->m_nWordValue) : 0;
      break;
  }
  AssignValue(*this, Word16(result));
  return TRUE;
}

void CBlockARRMXIV::ForgetBlock(const CBlockObj* block) {
  if (std::find(m_rangeBlocks.begin(), m_rangeBlocks.end(), block) == m_rangeBlocks.end()) return;
  m_rangeBlocks.clear();
  m_nRangeGeneration = 0;
}

void CBlockARRMXIV::ListKeptBlocks(std::vector<const CBlockObj*>& out) const {
  out.insert(out.end(), m_rangeBlocks.begin(), m_rangeBlocks.end());
}

void CBlockARRMXIV::DrawSimulated(CViewContext* view, CDC* dc) {
  DrawValueLook(*this, view, dc);
}

void CBlockARRMXIV::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 1)) return;
  PaintValueBox(dc, *this, WideBox(*this, 3), FormatValue("%d", *this));
}

BOOL CBlockACMXIV::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  const int x = InputWord(*this, 0, view);
  const int y = InputWord(*this, 1, view);
  int mode = m_nParam10;
  ReadRefInt(*this, 0, 0, 2, &mode);
  TrackChange(*this, kScanParam | kScanInput | kScanSelect, {x, mode, y});
  const int result = mode == 0 ? std::max(x, y) : mode == 1 ? std::min(x, y) : mode == 2 ? (x + y) / 2 : 0;
  AssignValue(*this, result);
  return ReportedChangeState(*this);
}

void CBlockACMXIV::DrawSimulated(CViewContext* view, CDC* dc) {
  DrawValueLook(*this, view, dc);
}

void CBlockACMXIV::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 1)) return;
  PaintValueBox(dc, *this, WideBox(*this, 3), FormatValue("%d", *this));
}

BOOL CBlockRAND::Simulate(CViewContext* view) {
  SeedRandom(static_cast<uint32_t>(Random()));
  int bound = m_nParam10;
  ReadRefInt(*this, 0, 1, kRandMax, &bound);
  // A bound below 1 (only a damaged file holds one) counts as 1.
  bound = std::max(bound, 1);
  m_dValue = Random() % bound;
  return TRUE;
}

void CBlockRAND::DrawSimulated(CViewContext* view, CDC* dc) {
  DrawValueLook(*this, view, dc);
}

void CBlockRAND::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 1)) return;
  PaintValueBox(dc, *this, WideBox(*this, 5), FormatValue("%d", *this));
}
