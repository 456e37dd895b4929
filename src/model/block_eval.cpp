// The block evaluation protocol: the default virtual operations of CBlockObj
// that every family inherits for its one-scan logic, and the shared helpers
// (input words, BCD, GCD/LCM, time splitting, the analog formula text).
#include "model/block_eval.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/block_library.h"
#include "model/block_obj.h"
#include "model/block_registry.h"
#include "model/model_table.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/ms_clock.h"

// ---- Tables and free helpers --------------------------------------------------

const TimeUnitRow g_TimeUnitTable[3] = {{60000, 60, 1}, {1000, 60, 1}, {10, 100, 10}};
const TimeCapRow g_TimeCapTable[3] = {{5999, 60000}, {5999, 1000}, {99990, 1}};

namespace {

int ClampBase(int timeBase) {
  return std::clamp(timeBase, 0, 2);
}

constexpr COLORREF kStateOn = 0x0000FF;   // red: value 1
constexpr COLORREF kStateOff = 0xFF0000;  // blue: value 0

// The element an input link names, through the document's lookup (as
// FindLinkedBlock does through the view's).
CBlockObj* LinkedBlock(const CZaradDoc* doc, int source) {
  if (doc == nullptr || IsWalkedLinkCode(source)) return nullptr;
  return doc->FindBlockByNumber(source);
}

short InputWordOf(const CBlockObj* self, int pin, const BlockLookup& find) {
  if (pin < 0 || pin >= kPinCount) return 0;
  const CBlockObj* src = find.Find(self->m_nSource[pin]);
  return src ? src->GetOutputWord(find) : 0;
}

}  // namespace

const char16_t* TimeBaseSuffix(int timeBase) {
  static const char16_t* const kSuffix[3] = {u"h", u"m", u"s"};
  return kSuffix[ClampBase(timeBase)];
}

const TimeUnitRow& GetTimeUnit(int timeBase) {
  return g_TimeUnitTable[ClampBase(timeBase)];
}

const TimeCapRow& GetTimeCap(int timeBase) {
  return g_TimeCapTable[ClampBase(timeBase)];
}

double TimePresetMs(int high, int low, int timeBase) {
  const TimeUnitRow& u = GetTimeUnit(timeBase);
  return (static_cast<double>(low) + static_cast<double>(u.nRadix) * high) * u.nMsPerUnit;
}

double ReferencedPresetMs(double value, int timeBase) {
  const TimeCapRow& cap = GetTimeCap(timeBase);
  if (!(value >= 0.0)) return 0.0;  // negative (or NaN) counts as 0
  return std::min(value, static_cast<double>(cap.nLargest)) * cap.nMsPerStep;
}

const CBlockObj* BlockLookup::Find(int number) const {
  return view ? FindLinkedBlock(view, number) : LinkedBlock(doc, number);
}

LONGLONG MsBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
  return SystemTimeToMs(&to) - SystemTimeToMs(&from);
}

SYSTEMTIME AddMs(const SYSTEMTIME& st, LONGLONG ms) {
  SYSTEMTIME out = st;
  // AddMsToSystemTime takes an int: larger moves go in int-sized steps.
  SYSTEMTIME cur = st;
  while (ms != 0) {
    const LONGLONG step =
        std::clamp<LONGLONG>(ms, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    AddMsToSystemTime(&cur, static_cast<int>(step), &out);
    cur = out;
    ms -= step;
  }
  return out;
}

int Gcd(int a, int b) {
  if (b == 0) return a;
  // 64-bit remainders: INT_MIN % -1 cannot trap.
  LONGLONG x = a, y = b;
  LONGLONG r = x % y;
  while (r != 0) {
    x = y;
    y = r;
    r = x % y;
  }
  return static_cast<int>(static_cast<uint32_t>(y));
}

short LowWord(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 9.2e18;  // inside the 64-bit range
  const LONGLONG n = static_cast<LONGLONG>(std::clamp(value, -kLimit, kLimit));
  return static_cast<short>(static_cast<uint16_t>(static_cast<uint64_t>(n) & 0xFFFF));
}

int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::clamp(std::trunc(value), static_cast<double>(std::numeric_limits<int>::min()),
                                     static_cast<double>(std::numeric_limits<int>::max())));
}

// The codes above 75 stand only on link slots after the inputs: 100 and 101
// on an input pin are the inputs I1 and I2, looked up like any number.
CBlockObj* FindLinkedBlock(const CViewContext* view, int source) {
  if (view == nullptr || IsWalkedLinkCode(source)) return nullptr;
  return view->FindBlock(source);
}

int LinkedOutputState(const CViewContext* view, int source) {
  const CBlockObj* src = FindLinkedBlock(view, source);
  return src ? src->m_nValue[kFirstOutputPin] : 0;
}

// ---- The view's block lookup -----------------------------------------------

CBlockObj* CViewContext::FindBlock(int number) const {
  const CZaradDoc* doc = GetDocument();
  return doc ? doc->FindBlockByNumber(number) : nullptr;
}

// ---- Virtual operations -----------------------------------------------------

BOOL CBlockObj::Simulate(CViewContext* view) {
  return TRUE;
}

void CBlockObj::SimulateAndDraw(CViewContext* view, CDC* dc) {
  Simulate(view);
  UpdateValueText(view);
  if (view) view->ShowCurrentParameterValue(this);
  if (dc) DrawSimulated(view, dc);
}

void CBlockObj::DrawSimulated(CViewContext* view, CDC* dc) {
  Draw(view, dc, 1, m_nValue[kFirstOutputPin] == 1 ? kStateOn : kStateOff);
  DrawValueBox(dc, view);
}

void CBlockObj::ReadInputs(CViewContext* view) {
  const int inputs = InputPinCount();
  for (int i = 0; i < inputs && m_nPinType[i] == PIN_DIGITAL; ++i) {
    const int old = m_nValue[i];
    const CBlockObj* src = FindLinkedBlock(view, m_nSource[i]);
    SetInput(i, src ? src->m_nValue[kFirstOutputPin] : LINK_OPEN);
    m_bChanged[i] = m_nValue[i] != old ? 1 : 0;
  }
}

void CBlockObj::SetInput(int pin, int value) {
  if (pin < 0 || pin >= kPinCount) return;
  if (value == LINK_OPEN) {
    // An open input never decides an AND/NAND (reads 1) nor an OR/NOR/XOR (reads 0).
    const bool readsOne = OpenInputReadsOne();
    m_nValue[pin] = readsOne ? (m_bInvert[pin] ^ 1) : m_bInvert[pin];
  } else {
    m_nValue[pin] = value ^ m_bInvert[pin];
  }
}

int CBlockObj::CombineInputs(int* acc, int flags) {
  if (acc == nullptr) return 0;
  const int inputs = InputPinCount();
  for (int i = 0; i < inputs && m_nSource[i] != LINK_PARAM; ++i) {
    if (flags & 1) {
      *acc &= m_nValue[i];
    } else if (flags & 2) {
      *acc |= m_nValue[i];
    } else if (flags & 4) {
      *acc ^= m_nValue[i];
    }
  }
  if (m_bInvert[kFirstOutputPin]) return *acc == 0 ? 1 : 0;
  return *acc;
}

BOOL CBlockObj::IsTimeElapsed(CViewContext* view, double limitMs) {
  if (!IsStampSet(m_stPause) && view != nullptr) {
    if (view->IsTimeAdvancing(true)) m_nLatch1 = 0;
    m_dValue = static_cast<double>(MsBetween(m_stStart, view->GetScanTime()));
  }
  return m_dValue >= limitMs;
}

BOOL CBlockObj::IsWithinInterval(CViewContext* view, int limitMs) {
  int elapsed = 0;
  if (!IsStampSet(m_stPause) && view != nullptr) {
    m_nLatch2 = 0;
    elapsed = static_cast<int>(static_cast<uint32_t>(MsBetween(m_stIntervalStart, view->GetScanTime())));
  }
  return elapsed <= limitMs;
}

void CBlockObj::WalkConnections(CViewContext* view, CBlockObj* block, int pin, int* count) {
  if (m_bLoop || block == nullptr || count == nullptr || view == nullptr) return;
  if (block->m_nFirstLinkedPin == -1) return;
  const CZaradDoc* doc = view->GetDocument();
  if (doc == nullptr || pin < 0 || pin >= kMaxInputPins) return;
  // A link that names no block (or a female without its male) ends the branch.
  CBlockObj* src = FindLinkedBlock(view, block->m_nSource[pin]);
  if (src == nullptr) return;
  if (src->m_nType == kTypeFemaleConnector) {
    ++*count;
    src = view->FindBlock(src->m_nNumber - kFemaleNumberOffset);
    if (src == nullptr) return;
  }
  if (src == m_pWalkStart) {
    m_bLoop = 1;
    return;
  }
  ++*count;
  if (*count >= doc->m_blocks.GetCount()) {
    m_bLoop = 0;
    return;
  }
  WalkConnections(view, src, src->m_nFirstLinkedPin, count);
  const int inputs = src->InputPinCount();
  for (int i = src->m_nFirstLinkedPin + 1; i < inputs; ++i) {
    if (i < 0 || IsWalkedLinkCode(src->m_nSource[i])) continue;
    WalkConnections(view, src, i, count);
  }
}

void CBlockObj::CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc) {
  if (target == nullptr) return;
  CBlockObj& t = *target;
  t.m_nNumber = m_nNumber;
  t.m_bShowLabel = m_bShowLabel;
  t.m_strLabel = m_strLabel;
  t.m_strReserved = m_strReserved;
  t.m_nOperand = m_nOperand;
  t.m_strName = m_strName;
  t.m_nParam1 = m_nParam1;
  t.m_nParam2 = m_nParam2;
  t.m_nParam3 = m_nParam3;
  t.m_nParam9 = m_nParam9;
  t.m_nParam10 = m_nParam10;
  t.m_nParam11 = m_nParam11;
  t.m_nParam12 = m_nParam12;
  for (int k = 0; k < 2; ++k) {
    t.m_bUseRef[k] = m_bUseRef[k];
    t.m_nRefNumber[k] = m_nRefNumber[k];
    t.m_pRef[k] = m_pRef[k];
  }
  t.m_nParam14 = m_nParam14;
  t.m_nParam15 = m_nParam15;
  t.m_nParam16 = m_nParam16;
  t.m_nParam17 = m_nParam17;
  t.m_nParam18 = m_nParam18;
  t.m_nParam19 = m_nParam19;
  t.m_nParam20 = m_nParam20;
  t.m_nParam21 = m_nParam21;
  t.m_nParam22 = m_nParam22;
  t.m_nParam23 = m_nParam23;
  t.m_nParam25 = m_nParam25;
  t.m_nParam26 = m_nParam26;
  t.m_nParam27 = m_nParam27;
  t.m_nParam28 = m_nParam28;

  const int family = doc ? doc->GetModelFamily() : ModelSeries(kDefaultModelCode);
  if (IsNewerSeries(family)) CopyKindFieldsTo(t);

  if (withGeometry) {
    t.m_ptPos = m_ptPos;
    const int inputs = InputPinCount();
    for (int i = 0; i < inputs; ++i) t.m_nSource[i] = m_nSource[i];
    const int outEnd = kFirstOutputPin + OutputPinCount();
    for (int i = kFirstOutputPin; i < outEnd; ++i) t.m_nSource[i] = m_nSource[i];
    t.m_ptDragStart = m_ptDragStart;
    t.m_nWidth = m_nWidth;
    t.m_nHeight = m_nHeight;
  }
}

void CBlockObj::FormatTimeText(CViewContext* view, CString* out) {}

void CBlockObj::PropagateToContacts(CZaradDoc* doc) {
  if (doc == nullptr) return;
  const int state = m_nValue[kFirstOutputPin];
  for (CBlockObj* b : doc->m_blocks) {
    if (b->m_nOperand == m_nNumber) b->TakeAddressedState(state);
  }
}

short CBlockObj::GetOutputWord(const BlockLookup& find) const {
  return LowWord(m_dValue);
}

short CBlockObj::GetAddressedWord() const {
  return LowWord(m_dValue);
}

int CBlockObj::GetEvalGroup() const {
  return CZaradDoc::GetTypeClass(static_cast<UINT>(m_nType)) == 2 ? EVAL_GROUP_FUNCTION : EVAL_GROUP_NONE;
}

void CBlockObj::ForgetScanMemory() {
  // Values no operand takes: an input word, parameter or unit never reaches INT_MIN,
  // and NaN equals nothing.
  m_nLastInput = m_nLastParam = m_nLastSelect = std::numeric_limits<int>::min();
  m_dLastParam = std::numeric_limits<double>::quiet_NaN();
}

void CBlockObj::StartSimulation(const SimEvent& ev) {
  m_dValue = 0;
}

void CBlockObj::ResetAtStop(const SimEvent& ev) {
  if (m_nParam1) {
    m_dElapsedBase = m_dValue;  // retentive: keeps its value and pins
    return;
  }
  m_dValue = m_dElapsedBase = 0;
  ForgetScanMemory();
  ClearKindState(ev);
  const int inputs = InputPinCount();
  for (int i = 0; i < inputs; ++i) {
    const int s = m_nSource[i];
    if (s < LINK_EMPTY || s > kLastWalkedLinkCode) m_nValue[i] = 0;
  }
  m_nValue[kFirstOutputPin] = 0;
}

void CBlockObj::ResetAtPowerReturn(const SimEvent& ev) {
  ResetAtStop(ev);
}

void CBlockObj::CopyUpperReferencesTo(CBlockObj& t) const {
  for (int k = 2; k < kRefCount; ++k) {
    t.m_bUseRef[k] = m_bUseRef[k];
    t.m_pRef[k] = m_pRef[k];
  }
}

void CBlockObj::CopyDateFieldsTo(CBlockObj& t) const {
  t.m_nParam4 = m_nParam4;
  t.m_nParam5 = m_nParam5;
  t.m_nParam6 = m_nParam6;
  t.m_nParam7 = m_nParam7;
}

void CBlockObj::ResolveReference(const CZaradDoc& doc, int k) {
  const int number = m_nRefNumber[k];
  if (number >= kFirstFunctionBlockNumber) {
    m_pRef[k] = doc.FindBlockByNumber(number);
  } else {
    m_pRef[k] = nullptr;
    m_bUseRef[k] = 0;
  }
}

void CBlockObj::ResolveOnLoad(CZaradDoc& doc, bool newerSeries) {
  const int count = std::clamp(ReferencesResolvedOnLoad(newerSeries), 0, kRefCount);
  for (int k = 0; k < count; ++k) ResolveReference(doc, k);
}

// ---- The base drawing operations: the block library's shared look -----------

void CBlockObj::Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) {
  if (const CBlockLibrary* lib = GetBlockLibrary()) lib->Draw(*this, view, dc, flag, state);
}

void CBlockObj::DrawSelected(CViewContext* view, CDC* dc) {
  if (const CBlockLibrary* lib = GetBlockLibrary()) lib->DrawSelected(*this, view, dc);
}

void CBlockObj::DrawStateText(CViewContext* view, CDC* dc) {
  if (const CBlockLibrary* lib = GetBlockLibrary()) lib->DrawStateText(*this, view, dc);
}

void CBlockObj::DrawHighlight(CDC* dc, COLORREF colour, BOOL outline) {
  if (const CBlockLibrary* lib = GetBlockLibrary()) lib->DrawHighlight(*this, dc, colour, outline);
}

void CBlockObj::DrawValueBox(CDC* dc, CViewContext* view) {}

// ---- Shared helpers -----------------------------------------------------------

void CBlockObj::GetInputWord(short* out, int pin, const CZaradDoc* doc) const {
  if (out == nullptr) return;
  *out = InputWordOf(this, pin, BlockLookup{doc, nullptr});
}

void CBlockObj::GetInputWord(short* out, int pin, const CViewContext* view) const {
  if (out == nullptr) return;
  *out = InputWordOf(this, pin, BlockLookup{nullptr, view});
}

int CBlockObj::ToBcd(int value) {
  // Values outside 0..9999 are held to the range (the data blocks limit them first).
  value = std::clamp(value, 0, 9999);
  return (value / 1000) << 12 | (value / 100 % 10) << 8 | (value / 10 % 10) << 4 | (value % 10);
}

int CBlockObj::FromBcd(int bcd) {
  // A nibble above 9 in the four low nibbles gives 0 (0xA000 and -5 among
  // them); a value above 0x9999 otherwise reads as 9999.
  const auto bits = static_cast<uint32_t>(bcd);
  for (int shift = 0; shift < 16; shift += 4) {
    if (((bits >> shift) & 0xF) > 9) return 0;
  }
  bcd = std::clamp(bcd, 0, 0x9999);
  int result = 0;
  for (int shift = 12; shift >= 0; shift -= 4) result = result * 10 + ((bcd >> shift) & 0xF);
  return result;
}

int CBlockObj::Lcm(int a, int b) {
  const int g = Gcd(a, b);
  if (g == 0) return 0;
  // 64-bit quotient (INT_MIN / -1 cannot trap), product wrapped to 32 bits.
  const LONGLONG q = static_cast<LONGLONG>(a) / g;
  return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<LONGLONG>(b) * q)));
}

void CBlockObj::SplitTimeValue(double ms, int timeBase, int* high, int* low) {
  const TimeUnitRow& u = GetTimeUnit(timeBase);
  const int n = TruncToInt(ms / u.nMsPerUnit);
  if (high) *high = n / u.nRadix;
  if (low) *low = n % u.nRadix;
}
