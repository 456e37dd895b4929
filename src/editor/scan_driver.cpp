#include "editor/scan_driver.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <utility>

#include "model/block_eval.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "platform/ms_clock.h"
#include "platform/string_table.h"

namespace {

constexpr COLORREF kPowerOffColour = 0xFF0000;  // blue: power cut before the first start

int TypeClass(const CBlockObj* b) {
  return CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType));
}

// Asks the memory early for the fields of a block that a pass over the blocks
// reads: the blocks lie apart in memory and do not stay in the nearer caches
// from one scan to the next.
void PrefetchIndexFields(const CBlockObj* b) {
  __builtin_prefetch(&b->m_nType);
  __builtin_prefetch(&b->m_nSource[kMaxInputPins - 1]);
  __builtin_prefetch(&b->m_nFirstLinkedPin);
  __builtin_prefetch(&b->m_nInputs);
}
void PrefetchScanFields(const CBlockObj* b) {
  __builtin_prefetch(&b->m_nType);
  __builtin_prefetch(&b->m_nPinType[0]);
  __builtin_prefetch(&b->m_nValue[0]);
  __builtin_prefetch(&b->m_nValue[kFirstOutputPin]);
  __builtin_prefetch(&b->m_bChanged[0]);
  __builtin_prefetch(&b->m_bChanged[kMaxInputPins - 1]);
  __builtin_prefetch(&b->m_bInvert[0]);
  __builtin_prefetch(&b->m_bInvert[kFirstOutputPin]);
  __builtin_prefetch(&b->m_stStart);
  __builtin_prefetch(&b->m_stPause);
}

bool IsLinkCodeOnInput(int source) {
  return source >= kFirstLinkCode && source <= kLastWalkedLinkCode;
}

// Moves both start stamps forward by ms, and an hours counter's run start with them:
// time that did not run (a pause, a jump of the clock) is no operating time.
void ShiftStamps(CBlockObj* b, LONGLONG ms) {
  b->m_stStart = AddMs(b->m_stStart, ms);
  b->m_stIntervalStart = AddMs(b->m_stIntervalStart, ms);
  b->PassOverPause(ms);
}

// The first input pin fed by a block; -1 when none is.
int FirstLinkedPin(const CBlockObj* b) {
  const int inputs = b->InputPinCount();
  for (int i = 0; i < inputs; ++i) {
    if (!IsLinkCodeOnInput(b->m_nSource[i])) return i;
  }
  return -1;
}

// The pins that a power cut saves and clears: inputs from 0 up to the first
// parameter slot (55) or m_nInputs, then the outputs.
template <typename Visit>
void ForEachPowerPin(CBlockObj* b, Visit visit) {
  const int inputs = b->InputPinCount();
  for (int i = 0; i < inputs && b->m_nSource[i] != LINK_PARAM; ++i) visit(i);
  const int outEnd = kFirstOutputPin + b->OutputPinCount();
  for (int i = kFirstOutputPin; i < outEnd; ++i) visit(i);
}

// Lends a document an index of its blocks' output wires while it lives (the
// wires stay as they are meanwhile); one already lent stays.
class OutputWireLoan {
 public:
  explicit OutputWireLoan(CZaradDoc* doc) : m_pDoc(doc->m_pOutputWires == nullptr ? doc : nullptr) {
    if (m_pDoc != nullptr) m_pDoc->m_pOutputWires = &m_index;
  }
  ~OutputWireLoan() {
    if (m_pDoc != nullptr) m_pDoc->m_pOutputWires = nullptr;
  }
  OutputWireLoan(const OutputWireLoan&) = delete;
  OutputWireLoan& operator=(const OutputWireLoan&) = delete;

 private:
  CZaradDoc* m_pDoc;
  COutputWireIndex m_index;
};

}  // namespace

CScanDriver::CScanDriver(CZaradDoc* doc) : m_pDoc(doc) {
  GetLocalTime(&m_stClock);
  m_stPrevClock = m_stClock;
}

CScanDriver::~CScanDriver() = default;

// ---- Entering and leaving ------------------------------------------------------

void CScanDriver::SortBlocksForSimulation(CZaradDoc* doc) {
  if (doc == nullptr) return;
  // Each block with its number: the sort compares numbers without going to the blocks.
  std::array<std::vector<std::pair<int, CBlockObj*>>, 11> groups;
  for (CBlockObj* b : doc->m_blocks) {
    const int group = std::clamp(b->GetEvalGroup(), 0, static_cast<int>(EVAL_GROUP_DATA_LOG));
    groups[static_cast<size_t>(group)].emplace_back(b->m_nNumber, b);
  }
  // By number; blocks of one number keep their order.
  for (auto& g : groups) {
    std::stable_sort(g.begin(), g.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  doc->m_sortList.clear();
  doc->m_sortList.reserve(static_cast<size_t>(doc->m_blocks.GetCount()));
  // Operands, function blocks, outputs, flags, analog outputs, analog flags,
  // open connectors, male and female halves, the data log; a kind that no
  // group names goes last rather than being lost.
  for (int group : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}) {
    for (const auto& entry : groups[static_cast<size_t>(group)]) doc->m_sortList.push_back(entry.second);
  }
  doc->m_blocks.Reorder(doc->m_sortList);
  doc->m_sortList.clear();
}

void CScanDriver::EnterSimulation(const SYSTEMTIME& clockStart) {
  if (m_pDoc == nullptr) return;
  m_bSimulating = true;
  m_pDoc->m_bSimulating = 1;
  if (m_pDoc->IsLadder()) {
    if (CBlockObj* bus = m_pDoc->m_powerBus.GetHead()) bus->m_nValue[kFirstOutputPin] = 1;
  }
  // The clock restarts first, so that the start stamps are taken on the new
  // clock: time between two runs never counts as elapsed or operating time.
  m_stClock = m_stPrevClock = clockStart;
  const SYSTEMTIME now = m_stClock;
  m_bIndexValid = m_bLinksValid = false;  // every kept result is worked out again
  SortBlocksForSimulation(m_pDoc);
  // The blocks look each other up by number while they start.
  RefreshIndex();
  m_bIndexed = true;
  {
    // The analog inputs walk down the wires to the functions they feed.
    OutputWireLoan wires(m_pDoc);
    for (CBlockObj* b : m_pDoc->m_blocks) {
      b->m_nLatch1 = b->m_nLatch2 = 0;
      b->m_nFirstLinkedPin = FirstLinkedPin(b);
      b->ForgetScanMemory();
      b->StartSimulation(SimEvent{this, now});
    }
  }
  m_bIndexed = false;
  m_nRunState = SIM_RUNNING;
  m_nStepState = SIM_STEP_OFF;
  m_nStepUnit = SIM_UNIT_CYCLES;
  m_nStepRemaining = 0;
  m_bStarted = m_bStopEnabled = true;
  m_bPowerCut = false;
  m_bClockSet = false;
  m_nPendingTicks.store(0, std::memory_order_relaxed);
  m_nOwedMs = 0;
  m_stStepMark = {};
  m_stLastStep = {};
}

void CScanDriver::LeaveSimulation() {
  if (m_pDoc == nullptr) return;
  m_bSimulating = false;
  m_pDoc->m_bSimulating = 0;
  if (m_pDoc->IsLadder()) {
    if (CBlockObj* bus = m_pDoc->m_powerBus.GetHead()) bus->m_nValue[kFirstOutputPin] = 0;
  }
  for (CBlockObj* b : m_pDoc->m_blocks) {
    b->m_nFirstLinkedPin = -1;
    b->m_nLatch1 = b->m_nLatch2 = 0;
    b->LeaveSimulation(SimEvent{this, m_stClock});
    const int inputs = b->InputPinCount();
    for (int i = 0; i < inputs && b->m_nSource[i] != LINK_PARAM && b->m_nSource[i] != kLinkParamSlot; ++i) {
      b->m_bChanged[i] = 0;
      b->m_nValue[i] = 0;
    }
    b->m_bChanged[kFirstOutputPin] = 0;
    b->m_nValue[kFirstOutputPin] = 0;
    if (m_pDoc->IsLadder()) b->m_nContactState = 0;
  }
}

// ---- The clock ------------------------------------------------------------------

void CScanDriver::Tick() {
  if (!m_bSimulating) return;
  if (m_stClock.wMilliseconds + kTickMs >= 1000) {
    // A second boundary drops the excess: 10:00:00.990 ticks to 10:00:01.000.
    m_stClock.wMilliseconds = 0;
    m_stClock = AddMs(m_stClock, 1000);
  } else {
    m_stClock.wMilliseconds = static_cast<WORD>(m_stClock.wMilliseconds + kTickMs);
  }
  if (m_nStepState == SIM_STEP_STEPPING && m_nStepUnit == SIM_UNIT_CYCLES) {
    const LONGLONG d = MsBetween(m_stStepMark, m_stClock);
    if (d >= kTickMs) {
      m_stStepMark = m_stClock;
      StepTick();
    }
  }
}

void CScanDriver::ApplyPendingTicks() {
  for (int n = m_nPendingTicks.exchange(0, std::memory_order_relaxed); n > 0; --n) Tick();
}

void CScanDriver::SetSimulatedTime(const SYSTEMTIME& st) {
  m_stPrevClock = m_stClock;
  m_stClock = st;
  m_bClockSet = true;
}

// ---- The Simulation bar -----------------------------------------------------------

void CScanDriver::RestartFunctionBlocks() {
  if (m_pDoc == nullptr) return;
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (TypeClass(b) == 0) continue;
    b->m_stStart = b->m_stIntervalStart = m_stClock;
    if (b->m_nParam1) {
      b->m_dValue = b->m_dElapsedBase;  // a retentive block resumes its value
    } else {
      b->m_dValue = b->m_dElapsedBase = 0;
      b->ForgetScanMemory();
    }
  }
}

void CScanDriver::Start() {
  m_bStopEnabled = m_bStarted = true;
  m_nRunState = SIM_RUNNING;
  m_nStepState = SIM_STEP_OFF;
  m_stLastStep = m_stClock;
  RestartFunctionBlocks();
  if (m_pDoc == nullptr) return;
  for (CBlockObj* b : m_pDoc->m_blocks) b->StartRun(SimEvent{this, m_stClock});
}

void CScanDriver::Stop() {
  m_bStopEnabled = m_bStarted = false;
  m_nRunState = SIM_STOPPED;
  m_nStepState = SIM_STEP_READY;
  if (m_pDoc == nullptr) return;
  for (CBlockObj* b : m_pDoc->m_blocks) b->ResetAtStop(SimEvent{this, m_stClock});
}

void CScanDriver::SuspendResume() {
  if (m_nRunState == SIM_RUNNING) {
    m_nRunState = SIM_SUSPENDED;
    m_nStepState = SIM_STEP_READY;
    return;
  }
  m_nRunState = SIM_RUNNING;
  m_nStepState = SIM_STEP_OFF;
  if (m_pDoc == nullptr) return;
  const SYSTEMTIME now = m_stClock;
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (TypeClass(b) == 0) continue;
    // The elapsed time goes on from where it stood at the pause.
    b->m_stStart = b->m_stIntervalStart = AddMs(now, -static_cast<LONGLONG>(TruncToInt(b->m_dValue)));
    b->m_dElapsedBase = 0;
    // An hours counter measures from its run start, which passes over the pause.
    if (IsStampSet(b->m_stPause)) b->PassOverPause(MsBetween(b->m_stPause, now));
    b->m_stPause = {};
  }
}

void CScanDriver::Step(int unit, int amount) {
  if (m_nStepState == SIM_STEP_STEPPING) {
    m_nStepState = SIM_STEP_READY;
    m_nRunState = SIM_SUSPENDED;
    return;
  }
  if (m_nStepState != SIM_STEP_READY) return;
  m_nStepState = SIM_STEP_STEPPING;
  m_nRunState = SIM_RUNNING;
  m_nStepUnit = std::clamp(unit, static_cast<int>(SIM_UNIT_CYCLES), static_cast<int>(SIM_UNIT_HOURS));
  m_nStepRemaining = std::max(amount, 0);
  m_stLastStep = m_stStepMark = m_stClock;
  if (!m_bStopEnabled) {
    m_bStarted = m_bStopEnabled = true;
    RestartFunctionBlocks();
  }
  TimeStepTick(true);
}

void CScanDriver::EndStep() {
  m_nStepState = SIM_STEP_READY;
  m_nRunState = SIM_SUSPENDED;
}

void CScanDriver::StepTick() {
  if (m_nStepState != SIM_STEP_STEPPING || m_nStepUnit != SIM_UNIT_CYCLES) return;
  if (MsBetween(m_stLastStep, m_stClock) >= kTickMs && m_nStepRemaining > 0) {
    --m_nStepRemaining;
    m_stLastStep = m_stClock;
    // Each cycle advances the running time functions by 10 ms of their own time.
    if (m_pDoc != nullptr) {
      for (CBlockObj* b : m_pDoc->m_blocks) b->AdvanceStepCycle();
    }
  }
  if (m_nStepRemaining == 0) EndStep();
}

void CScanDriver::TimeStepTick(bool initial) {
  if (m_nStepState != SIM_STEP_STEPPING || m_nStepUnit == SIM_UNIT_CYCLES) return;
  const LONGLONG d = MsBetween(m_stLastStep, m_stClock);
  bool counted = false;
  if (m_nStepUnit == SIM_UNIT_SECONDS) {
    if (d >= 50 && m_nStepRemaining > 0) {
      m_nStepRemaining = std::max(m_nStepRemaining - 5, 0);
      counted = true;
    }
  } else if (!initial && m_nStepRemaining > 0 && d >= (m_nStepUnit == SIM_UNIT_MINUTES ? 1000 : 60000)) {
    --m_nStepRemaining;
    counted = true;
  }
  if (counted) m_stLastStep = m_stClock;
  if (m_nStepRemaining == 0) EndStep();
}

void CScanDriver::SaveAndClearPins() {
  if (m_pDoc == nullptr) return;
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (b->KeepsOverPowerCut()) continue;
    ForEachPowerPin(b, [b](int pin) {
      if (b->m_nPinType[pin] == PIN_NONE) return;
      b->m_dSavedValue[pin] = b->m_nValue[pin];
      if (pin >= kFirstOutputPin) {
        b->m_nValue[pin] = 0;
      } else {
        b->SetInput(pin, b->m_nSource[pin] == LINK_OPEN ? LINK_OPEN : 0);
      }
    });
  }
}

void CScanDriver::RestorePins() {
  if (m_pDoc == nullptr) return;
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (b->KeepsOverPowerCut()) continue;
    ForEachPowerPin(b, [b](int pin) {
      if (b->m_nPinType[pin] == PIN_NONE) return;
      b->m_nValue[pin] = TruncToInt(b->m_dSavedValue[pin]);
      b->m_dSavedValue[pin] = 0;
    });
  }
}

void CScanDriver::PowerDown() {
  if (m_bPowerCut) return;
  m_bPowerCut = true;
  if (m_bStarted) {
    m_nSavedRunState = m_nRunState;
    m_nSavedStepState = m_nStepState;
    m_nRunState = SIM_STOPPED;
    m_nStepState = SIM_STEP_OFF;
    return;
  }
  m_bStarted = m_bStopEnabled;
  m_bStopEnabled = !m_bStopEnabled;
  m_nSavedStepState = m_nStepState;
  m_nStepState = m_nStepState == SIM_STEP_OFF ? SIM_STEP_READY : SIM_STEP_OFF;
  SaveAndClearPins();
}

void CScanDriver::PowerUp() {
  if (!m_bPowerCut) return;
  m_bPowerCut = false;
  if (!m_bStarted) {
    m_bStopEnabled = false;
    m_nStepState = m_nSavedStepState;
    RestorePins();
    return;
  }
  m_stLastStep = m_stClock;
  m_nRunState = m_nSavedRunState;
  m_nStepState = m_nSavedStepState;
  if (m_pDoc == nullptr) return;
  for (CBlockObj* b : m_pDoc->m_blocks) b->ResetAtPowerReturn(SimEvent{this, m_stClock});
}

SimBarEnables CScanDriver::GetBarEnables() const {
  SimBarEnables e;
  e.start = !m_bStopEnabled;
  e.stop = m_bStopEnabled;
  e.suspend = m_nRunState > SIM_STOPPED;
  e.step = m_nStepState > SIM_STEP_OFF;
  e.edits = m_nStepState == SIM_STEP_READY;
  return e;
}

int CScanDriver::ReadStepAmount(const CString& text, int unit) {
  int v = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t c = text.GetAt(i);
    if (c >= u'0' && c <= u'9') v = v * 10 + (c - u'0');
  }
  return unit == SIM_UNIT_SECONDS ? v : v - (v / 100) * 40;
}

CString CScanDriver::FormatStepRemaining(int unit, int remaining) {
  CString out;
  switch (unit) {
    case SIM_UNIT_SECONDS:
      out.Format(u"%02d:%02ds", remaining / 100, remaining % 100);
      break;
    case SIM_UNIT_MINUTES:
      out.Format(u"%02d:%02dm", remaining / 60, remaining % 60);
      break;
    case SIM_UNIT_HOURS:
      out.Format(u"%02d:%02dh", remaining / 60, remaining % 60);
      break;
    default:
      out.Format(u"%d", remaining > 0 ? remaining : 1);
      break;
  }
  return out;
}

// ---- The repaint -----------------------------------------------------------------

void CScanDriver::BuildIndex() {
  if (m_direct.empty()) m_direct.assign(kDirectNumbers, nullptr);
  auto put = [this](CBlockObj* b) {
    const int n = b->m_nNumber;
    if (n >= 0 && n < kDirectNumbers) {
      if (m_direct[static_cast<size_t>(n)] == nullptr) {
        m_direct[static_cast<size_t>(n)] = b;
        m_used.push_back(n);
      }
    } else {
      m_other.emplace(n, b);  // keeps the first block with the number
    }
  };
  // The power bus of a ladder document answers for its number before any block.
  if (m_pDoc->IsLadder()) {
    if (CBlockObj* bus = m_pDoc->m_powerBus.GetHead()) put(bus);
  }
  for (CBlockObj* b : m_pDoc->m_blocks) put(b);
}

void CScanDriver::ClearIndex() {
  for (int n : m_used) m_direct[static_cast<size_t>(n)] = nullptr;
  m_used.clear();
  m_other.clear();
  m_bIndexed = false;
  m_bIndexValid = false;
}

void CScanDriver::RefreshIndex() {
  // The links are compared in the same pass when the last scan asked for them,
  // each block's words where they are kept.
  const bool links = m_bLinksAsked;
  m_bLinksAsked = m_bLinksChecked = false;
  const size_t count = static_cast<size_t>(m_pDoc->m_blocks.GetCount()) + 1;  // the power bus first
  bool same = m_bIndexValid && m_numbered.size() == count;
  bool linksSame = links && m_links.size() == count * kLinkWords;
  m_numbered.resize(count);
  if (links) m_links.resize(count * kLinkWords);
  // Every scan passes here once per block: local pointers, and no branch
  // for what nearly always stays the same.
  std::pair<CBlockObj*, int>* entry = m_numbered.data();
  int* at = links ? m_links.data() : nullptr;
  auto note = [&](CBlockObj* b) {
    const int number = b ? b->m_nNumber : 0;
    if (entry->first != b || entry->second != number) {
      *entry = {b, number};
      same = false;
    }
    ++entry;
    if (at != nullptr) {
      if (NoteLinks(b, at)) linksSame = false;
      at += kLinkWords;
    }
  };
  note(m_pDoc->IsLadder() ? m_pDoc->m_powerBus.GetHead() : nullptr);
  const COwningList<CBlockObj>& blocks = m_pDoc->m_blocks;
  if (same && blocks.GetChangeCount() == m_nBlockListChanges) {
    // The list still holds the blocks of m_numbered in their order: only
    // their numbers and links are compared, without a walk along the list,
    // and the blocks ahead are asked for early.
    for (size_t k = 1; k < count; ++k) {
      if (k + kPrefetchAhead < count) PrefetchIndexFields(m_numbered[k + kPrefetchAhead].first);
      note(entry->first);
    }
  } else {
    for (CBlockObj* b : blocks) note(b);
  }
  m_nBlockListChanges = blocks.GetChangeCount();
  if (!same) {
    ClearIndex();
    BuildIndex();
    m_bIndexValid = true;
    m_bLinksValid = false;
  }
  if (links) TakeLinks(linksSame);
}

inline bool CScanDriver::NoteLinks(const CBlockObj* b, int* at) {
  static_assert(kLinkSources == kMaxInputPins);
  if (b == nullptr) {
    if (std::all_of(at, at + kLinkWords, [](int w) { return w == 0; })) return false;
    std::fill_n(at, kLinkWords, 0);
    return true;
  }
  // Compared without a branch, the links two at a time: nearly always nothing differs.
  static_assert(kLinkSources % 2 == 0);
  auto pair = [](const int* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof(w));
    return w;
  };
  std::uint64_t differ = static_cast<std::uint32_t>((at[0] ^ b->m_nType) | (at[1] ^ b->m_nInputs) |
                                                    (at[2] ^ b->m_nFirstLinkedPin));
  for (int k = 0; k < kLinkSources; k += 2) differ |= pair(at + 3 + k) ^ pair(b->m_nSource + k);
  if (differ == 0) return false;
  at[0] = b->m_nType;
  at[1] = b->m_nInputs;
  at[2] = b->m_nFirstLinkedPin;
  std::memcpy(at + 3, b->m_nSource, sizeof(int) * kLinkSources);
  return true;
}

void CScanDriver::CheckLinks() const {
  bool same = m_links.size() == m_numbered.size() * kLinkWords;
  m_links.resize(m_numbered.size() * kLinkWords);
  int* at = m_links.data();
  // m_numbered holds the blocks of this scan in list order.
  for (const auto& [b, number] : m_numbered) {
    if (NoteLinks(b, at)) same = false;
    at += kLinkWords;
  }
  TakeLinks(same);
}

void CScanDriver::TakeLinks(bool same) const {
  m_bLinksChecked = true;
  if (m_bLinksValid && same) return;
  // Generations are counted for the whole program, so that a block scanned
  // by another driver never takes a kept result for one of its own.
  static std::atomic<unsigned long long> s_generations{0};
  m_nLinkGeneration = ++s_generations;
  m_bLinksValid = true;
}

unsigned long long CScanDriver::GetLinkGeneration() const {
  if (!m_bScanning) return 0;
  m_bLinksAsked = true;
  if (!m_bLinksChecked) CheckLinks();
  return m_nLinkGeneration;
}

CBlockObj* CScanDriver::FindBlock(int number) const {
  if (!m_bIndexed) return CViewContext::FindBlock(number);
  if (number >= 0 && number < kDirectNumbers) return m_direct[static_cast<size_t>(number)];
  auto it = m_other.find(number);
  return it == m_other.end() ? nullptr : it->second;
}

void CScanDriver::Scan(CDC* dc) {
  if (m_pDoc == nullptr || !m_bSimulating) return;
  ApplyPendingTicks();
  TimeStepTick(false);
  m_stScanTime = m_stClock;
  const SYSTEMTIME now = m_stScanTime;
  const int run = m_nRunState;
  const COLORREF stoppedColour = (!m_bStarted && m_bPowerCut) ? kPowerOffColour : 0;

  RefreshIndex();
  m_bIndexed = m_bScanning = true;
  m_latched.clear();
  // m_numbered holds the blocks of the list in its order, the power bus first.
  // Should the list change during the scan (it never does: no block adds or
  // removes blocks), the scan ends there; the next one starts from the list.
  const COwningList<CBlockObj>& blocks = m_pDoc->m_blocks;
  const unsigned long long listChanges = blocks.GetChangeCount();
  for (size_t k = 1; k < m_numbered.size() && blocks.GetChangeCount() == listChanges; ++k) {
    if (k + kPrefetchAhead < m_numbered.size()) PrefetchScanFields(m_numbered[k + kPrefetchAhead].first);
    CBlockObj* b = m_numbered[k].first;
    if (run == SIM_STOPPED) {
      b->m_stStart = b->m_stIntervalStart = now;
      b->m_stPause = {};
      if (dc) b->Draw(m_pBlockContext, dc, 1, stoppedColour);
      continue;
    }
    if (run == SIM_SUSPENDED) {
      if (!IsStampSet(b->m_stPause)) b->m_stPause = now;
    } else if (TypeClass(b) == 2) {
      if (IsStampSet(b->m_stPause)) {
        ShiftStamps(b, MsBetween(b->m_stPause, now));
        b->m_stPause = {};
      } else if (m_bClockSet) {
        ShiftStamps(b, MsBetween(m_stPrevClock, now));
      }
    }
    b->SimulateAndDraw(m_pBlockContext, dc);
    // A block raises and clears its own restart requests.
    if (b->m_nLatch1 || b->m_nLatch2) m_latched.push_back(b);
  }
  m_bClockSet = false;

  // Restart requests raised in this scan take the time at which it ends.
  if (run == SIM_SUSPENDED || run == SIM_RUNNING) {
    const SYSTEMTIME end = m_stClock;
    for (CBlockObj* b : m_latched) {
      if (b->m_nLatch1) {
        b->m_stStart = end;
        b->m_nLatch1 = 0;
      }
      if (b->m_nLatch2) {
        b->m_stIntervalStart = end;
        b->m_nLatch2 = 0;
      }
    }
  }
  m_bIndexed = m_bScanning = false;
}

void CScanDriver::Run(int count) {
  for (int i = 0; i < count; ++i) {
    Tick();
    Scan();
  }
}

int CScanDriver::TakeOwedTicks(LONGLONG elapsedMs) {
  if (!m_bSimulating) return 0;
  m_nOwedMs += std::max<LONGLONG>(elapsedMs, 0);
  LONGLONG ticks = (m_nOwedMs + kPaceToleranceMs) / kTickMs;
  if (ticks > kMaxCatchUpTicks) {
    ticks = kMaxCatchUpTicks;
    m_nOwedMs = ticks * kTickMs;  // a longer stall is not made up
  }
  m_nOwedMs -= ticks * kTickMs;
  return static_cast<int>(ticks);
}

// ---- Bars and clock texts ------------------------------------------------------------

void CScanDriver::UpdateInputControl(CBlockObj* block) {
  if (m_pSink) m_pSink->UpdateInputControl(block);
}

void CScanDriver::UpdateOutputControl(CBlockObj* block) {
  if (m_pSink) m_pSink->UpdateOutputControl(block);
}

int CScanDriver::ShowCurrentParameterValue(CBlockObj* block) {
  return m_pSink ? m_pSink->ShowCurrentParameterValue(block) : 0;
}

CString CScanDriver::FormatSimulatedTime(BOOL abbreviateMonth, int format) const {
  return FormatTime(m_stClock, abbreviateMonth, format);
}

CString CScanDriver::FormatTime(const SYSTEMTIME& st, BOOL abbreviateMonth, int format) {
  static const char16_t* const kWeekdays[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                               u"Thursday", u"Friday", u"Saturday"};
  static const char16_t* const kMonths[13] = {u"",        u"January",  u"February", u"March",  u"April",
                                              u"May",     u"June",     u"July",     u"August", u"September",
                                              u"October", u"November", u"December"};
  const bool pm = st.wHour >= 12 && st.wHour <= 23;
  const char16_t* ampm = pm ? u"PM" : u"AM";
  const int hour12 = (pm && st.wHour >= 13) ? st.wHour - 12 : st.wHour;
  const char16_t* weekday = st.wDayOfWeek < 7 ? kWeekdays[st.wDayOfWeek] : u"";
  const char16_t* month = st.wMonth < 13 ? kMonths[st.wMonth] : u"";
  CString out;
  if (g_LanguageIsChinese && format >= 0 && format <= 2) {
    // The Chinese interface writes dates and times in Chinese order and words.
    static const char16_t* const kChineseWeekdays[7] = {u"星期日", u"星期一", u"星期二", u"星期三",
                                                        u"星期四", u"星期五", u"星期六"};
    const char16_t* noon = pm ? u"下午" : u"上午";
    const char16_t* day = st.wDayOfWeek < 7 ? kChineseWeekdays[st.wDayOfWeek] : u"";
    if (format == 0)
      out.Format(u"%d年%d月%d日 %s %s%d:%02d:%02d", st.wYear, st.wMonth, st.wDay, day, noon, hour12,
                 st.wMinute, st.wSecond);
    else if (format == 1)
      out.Format(u"%d年%d月%d日", st.wYear, st.wMonth, st.wDay);
    else
      out.Format(u"%s%d:%02d:%02d", noon, hour12, st.wMinute, st.wSecond);
    return out;
  }
  switch (format) {
    case 0:
      out.Format(u"%s, %s %d, %d %d:%d:%d %s", weekday, month, st.wDay, st.wYear, hour12, st.wMinute,
                 st.wSecond, ampm);
      break;
    case 1: {
      CString name(month);
      if (abbreviateMonth) name = name.Left(3);
      out.Format(u"%s %d, %d", name.GetString(), st.wDay, st.wYear);
      break;
    }
    case 2:
      out.Format(u"%d:%02d:%02d %s", hour12, st.wMinute, st.wSecond, ampm);
      break;
    case 3:
      out.Format(u"%02d%02d%02d%02d%02d%02d", st.wYear % 100, st.wMonth, st.wDay, st.wHour, st.wMinute,
                 st.wSecond);
      break;
    default:
      break;
  }
  return out;
}
