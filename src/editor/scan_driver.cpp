#include "editor/scan_driver.h"

#include <algorithm>
#include <array>

#include "blocks/analog_blocks.h"
#include "blocks/block_values.h"
#include "blocks/counter_blocks.h"
#include "blocks/extended_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/logic_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "editor/analog_range_tracer.h"
#include "model/block_eval.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "platform/ms_clock.h"

namespace {

constexpr COLORREF kPowerOffColour = 0xFF0000;  // blue: power cut before the first start

bool Is(const CBlockObj* b, const CRuntimeClass* cls) {
  return b->IsKindOf(cls);
}

int TypeClass(const CBlockObj* b) {
  return CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType));
}

bool IsLinkCodeOnInput(int source) {
  return source >= kFirstLinkCode && source <= kLastWalkedLinkCode;
}

// Moves both start stamps forward by ms, and an hours counter's run start with them:
// time that did not run (a pause, a jump of the clock) is no operating time.
void ShiftStamps(CBlockObj* b, LONGLONG ms) {
  b->m_stStart = AddMs(b->m_stStart, ms);
  b->m_stIntervalStart = AddMs(b->m_stIntervalStart, ms);
  if (auto* hc = DYNAMIC_DOWNCAST(CBlockHCOUNTER, b)) hc->m_stRunStart = AddMs(hc->m_stRunStart, ms);
}

// Evaluation group of a block (1 operands ... 10 data log), in the order the
// rows are tested; 0 for a kind no group names.
int SortGroup(const CBlockObj* b) {
  if (Is(b, RUNTIME_CLASS(CBlockIn)) || Is(b, RUNTIME_CLASS(CBlockShift)) ||
      Is(b, RUNTIME_CLASS(CBlockLow)) || Is(b, RUNTIME_CLASS(CBlockAnalogIn)) ||
      Is(b, RUNTIME_CLASS(CBlockFKey)) || Is(b, RUNTIME_CLASS(CBlockMake)) ||
      Is(b, RUNTIME_CLASS(CBlockAContact))) {
    return 1;  // CBlockHigh and CBlockBreak derive from CBlockLow and CBlockMake
  }
  if (b->m_nType == 900) return 8;  // male connector half
  if (b->m_nType == 901) return 9;  // female connector half
  if (TypeClass(b) == 2) return 2;
  if (Is(b, RUNTIME_CLASS(CBlockOut)) || Is(b, RUNTIME_CLASS(CBlockRelayCoil))) return 3;
  if (Is(b, RUNTIME_CLASS(CBlockFlag))) return 4;
  if (Is(b, RUNTIME_CLASS(CBlockOpenX))) return 7;
  if (Is(b, RUNTIME_CLASS(CBlockAnalogOut)) || Is(b, RUNTIME_CLASS(CBlockAOutLAD))) return 5;
  if (Is(b, RUNTIME_CLASS(CBlockAnalogFlag))) return 6;
  if (b->m_nType == 911) return 10;  // data log
  return 0;
}

// The first input pin fed by a block; -1 when none is.
int FirstLinkedPin(const CBlockObj* b) {
  const int inputs = b->InputPinCount();
  for (int i = 0; i < inputs; ++i) {
    if (!IsLinkCodeOnInput(b->m_nSource[i])) return i;
  }
  return -1;
}

// The input behaviour (kSimSettingMode) of a frequency input.
constexpr int kSimModeFrequency = 3;

// Hours and minutes as minutes, held to the counter's range (0 .. 99999:59).
int HoursMinutes(int hours, int minutes) {
  const long long total = 60LL * hours + minutes;
  return static_cast<int>(std::clamp<long long>(total, 0, CBlockHCOUNTER::kOperatingLimit - 1));
}

// The encoder's count back at its start value, and its two pair edge
// memories (the value slots of pins 2 and 3) clear.
void ResetEncoder(CBlockObj* b) {
  b->m_dValue = b->m_nParam8;
  b->m_nValue[2] = b->m_nValue[3] = 0;
}

bool IsMessageText(const CBlockObj* b) {
  return Is(b, RUNTIME_CLASS(CBlockMSGTEXT));
}

bool LinksBlock(CScanDriver* view, const CBlockObj* b, int pin) {
  return FindLinkedBlock(view, b->m_nSource[pin]) != nullptr;
}

// The start state of a block's kind when the simulation is entered.
void ApplyStartState(CScanDriver* view, CBlockObj* b, const SYSTEMTIME& now) {
  ForgetScanMemory(*b);
  if (Is(b, RUNTIME_CLASS(CBlockIn)) || Is(b, RUNTIME_CLASS(CBlockFKey))) {
    int* shown = Is(b, RUNTIME_CLASS(CBlockIn)) ? &static_cast<CBlockIn*>(b)->m_nShownValue
                                                : &static_cast<CBlockFKey*>(b)->m_nShownValue;
    b->m_nSimValue = b->m_nMinValue;
    *shown = b->m_nMinValue;
    if (b->m_nParam26 == 2) {  // momentary break: closed until pressed
      b->m_nValue[kFirstOutputPin] = 1;
      b->m_bChanged[kFirstOutputPin] = 1;
    }
  } else if (Is(b, RUNTIME_CLASS(CBlockHigh))) {
    b->m_nValue[kFirstOutputPin] = 1;
    b->m_bChanged[kFirstOutputPin] = 1;
  } else if (auto* ai = DYNAMIC_DOWNCAST(CBlockAnalogIn, b)) {
    // The range follows the analog functions the input feeds; the input starts at its minimum.
    CAnalogRangeTracer(view->GetDocument()).UpdateAnalogInputRange(ai, true);
    ai->m_nSimValue = ai->m_nMinValue;
    ai->m_nShownValue = ai->m_nMinValue;
    ai->m_nWordValue = 0;
  } else if (Is(b, RUNTIME_CLASS(CBlockAnalogOut)) || Is(b, RUNTIME_CLASS(CBlockAnalogFlag)) ||
             Is(b, RUNTIME_CLASS(CBlockAOutLAD))) {
    b->m_nWordValue = 0;
  } else if (Is(b, RUNTIME_CLASS(CBlockAMUX)) || Is(b, RUNTIME_CLASS(CBlockAMATH))) {
    static_cast<CBlockAnalog*>(b)->m_nResult = 0;
  } else if (auto* an = DYNAMIC_DOWNCAST(CBlockAnalog, b)) {
    const int t = b->m_nType;
    bool shown = false;
    if (((t == 804 || t == 805 || t == 807) && !LinksBlock(view, b, 0)) ||
        (t == 806 && !LinksBlock(view, b, 1))) {
      an->m_nResult = an->m_nScaledX = an->m_nOffset;
      shown = true;
    } else if (t == 803 && (!LinksBlock(view, b, 0) || !LinksBlock(view, b, 1))) {
      an->m_nScaledX = an->m_nScaledY = an->m_nOffset;
      an->m_nResult = 0;
      shown = true;
    }
    if (shown) view->ShowCurrentParameterValue(b);
  } else if (Is(b, RUNTIME_CLASS(CBlockLogic)) || Is(b, RUNTIME_CLASS(CBlockPTOE))) {
    b->m_dValue = 0;
    b->m_stStart = now;
  } else if (auto* t = DYNAMIC_DOWNCAST(CBlockTime, b)) {
    t->m_dValue = 0;
    t->m_dElapsedBase = 0;
    t->m_stStart = now;
    t->m_bTiming = 0;
    t->m_bSecondPhase = 0;
    if (auto* sls = DYNAMIC_DOWNCAST(CBlockSLS, b)) sls->m_byWarnState = 0;
    if (Is(b, RUNTIME_CLASS(CBlockMPLR)) || Is(b, RUNTIME_CLASS(CBlockRPR)) ||
        Is(b, RUNTIME_CLASS(CBlockAPG))) {
      t->m_bPresetShown = 0;
    }
    if (auto* rpr = DYNAMIC_DOWNCAST(CBlockRPR, b)) {
      rpr->m_nPulseCount = -1;
      rpr->m_nPulseLimit = 0;
    }
    if (auto* mfs = DYNAMIC_DOWNCAST(CBlockMFS, b)) {
      mfs->m_nState = 0;
      mfs->m_byWarnState = 0;
      mfs->m_nValue[kFirstOutputPin] = 0;
    }
  } else if (auto* sreg = DYNAMIC_DOWNCAST(CBlockSREG, b)) {
    sreg->m_wBits = 0;
  } else if (Is(b, RUNTIME_CLASS(CBlockCOUNTER))) {
    b->m_dValue = b->m_nParam8;  // the start value
  } else if (Is(b, RUNTIME_CLASS(CBlockENCODER))) {
    ResetEncoder(b);
  } else if (auto* hc = DYNAMIC_DOWNCAST(CBlockHCOUNTER, b)) {
    hc->m_nParam11 = 0;
    hc->m_nOperating = hc->m_nOperatingAtStart = HoursMinutes(hc->m_nParam15, hc->m_nParam14);
    // The remaining time is loaded with its start value: the maintenance
    // interval, less what the operating-time preset has used of it.
    hc->m_nRemaining = hc->m_nLastStart = hc->ComputeStartValue();
    hc->m_stRunStart = now;
  } else if (auto* trg = DYNAMIC_DOWNCAST(CBlockTHTRG, b)) {
    trg->m_nMeasured = trg->m_nPulses = trg->m_bGateRunning = 0;
    trg->m_stStart = now;
  } else if (Is(b, RUNTIME_CLASS(CBlockMake))) {
    const bool high = b->m_nOperand >= 2900 && b->m_nOperand <= 3899;
    if (Is(b, RUNTIME_CLASS(CBlockBreak)) ? !high : high) b->m_nContactState = 1;
    AnalogSimSetting* setting = FindOperandSimSetting(view->GetDocument(), b->m_nOperand);
    if (setting != nullptr && setting->nValues[kSimSettingMode] == kSimModeFrequency) {
      setting->nValues[kSimSettingValue] = setting->nValues[kSimSettingMin];
    }
  } else if (Is(b, RUNTIME_CLASS(CBlockInvOut))) {
    if (b->m_nOperand < 4800 || b->m_nOperand > 4927) {
      b->m_nContactState = 1;
      b->m_nValue[kFirstOutputPin] = 1;
    }
  } else if (Is(b, RUNTIME_CLASS(CBlockAContact))) {
    if (b->m_nSource[0] == LINK_OPEN) b->m_nValue[0] = 1;
    if (AnalogSimSetting* setting = FindOperandSimSetting(view->GetDocument(), b->m_nOperand)) {
      setting->nValues[kSimSettingValue] = setting->nValues[kSimSettingMin];
    }
    b->m_nWordValue = 0;
  } else {
    b->m_dValue = 0;
  }
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

bool KeepsPinsAtPowerCut(const CBlockObj* b) {
  return Is(b, RUNTIME_CLASS(CBlockAnalogIn)) || Is(b, RUNTIME_CLASS(CBlockAnalogOut)) ||
         Is(b, RUNTIME_CLASS(CBlockFlag));
}

}  // namespace

CScanDriver::CScanDriver(CZaradDoc* doc) : m_pDoc(doc) {
  GetLocalTime(&m_stClock);
  m_stPrevClock = m_stClock;
}

CScanDriver::~CScanDriver() = default;

// ---- Entering and leaving ------------------------------------------------------

void CScanDriver::SortBlocksForSimulation(CZaradDoc* doc) {
  if (doc == nullptr) return;
  std::array<std::vector<CBlockObj*>, 11> groups;
  for (CBlockObj* b : doc->m_blocks) {
    std::vector<CBlockObj*>& g = groups[static_cast<size_t>(SortGroup(b))];
    // Before the first block with a larger number, else at the end.
    auto pos = std::find_if(g.begin(), g.end(), [b](CBlockObj* o) { return o->m_nNumber > b->m_nNumber; });
    g.insert(pos, b);
  }
  doc->m_sortList.clear();
  // Operands, function blocks, outputs, flags, analog outputs, analog flags,
  // open connectors, male and female halves, the data log; a kind that no
  // group names goes last rather than being lost.
  for (int group : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}) {
    const auto& g = groups[static_cast<size_t>(group)];
    doc->m_sortList.insert(doc->m_sortList.end(), g.begin(), g.end());
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
  const SYSTEMTIME now = m_stClock;
  SortBlocksForSimulation(m_pDoc);
  for (CBlockObj* b : m_pDoc->m_blocks) {
    b->m_nLatch1 = b->m_nLatch2 = 0;
    b->m_nFirstLinkedPin = FirstLinkedPin(b);
    ApplyStartState(this, b, now);
  }
  m_nRunState = SIM_RUNNING;
  m_nStepState = SIM_STEP_OFF;
  m_nStepUnit = SIM_UNIT_CYCLES;
  m_nStepRemaining = 0;
  m_bStarted = m_bStopEnabled = true;
  m_bPowerCut = false;
  m_bClockSet = false;
  m_nPendingTicks.store(0, std::memory_order_relaxed);
  m_stClock = m_stPrevClock = clockStart;
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
    if (Is(b, RUNTIME_CLASS(CBlockAnalogIn)) ||
        (Is(b, RUNTIME_CLASS(CBlockAContact)) && b->m_nOperand >= 4000 && b->m_nOperand <= 4127)) {
      b->m_nWordValue = 0;
      b->m_nSimValue = b->m_nMinValue;
    } else if (IsMessageText(b)) {
      b->m_nParam1 = 0;  // the acknowledge latch
    }
    const int inputs = b->InputPinCount();
    for (int i = 0; i < inputs && b->m_nSource[i] != LINK_PARAM && b->m_nSource[i] != 72; ++i) {
      b->m_bChanged[i] = 0;
      b->m_nValue[i] = 0;
    }
    b->m_bChanged[kFirstOutputPin] = 0;
    b->m_nValue[kFirstOutputPin] = 0;
    if (m_pDoc->IsLadder()) b->m_nContactState = 0;
    // The encoder and the edge-triggered pulse train start afresh next time.
    if (Is(b, RUNTIME_CLASS(CBlockENCODER))) {
      ResetEncoder(b);
    } else if (Is(b, RUNTIME_CLASS(CBlockPTOE))) {
      b->m_dValue = 0;
      b->m_stStart = m_stClock;
    }
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
      ForgetScanMemory(*b);
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
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (auto* hc = DYNAMIC_DOWNCAST(CBlockHCOUNTER, b)) {
      StartHoursRun(hc);
    } else if (auto* trg = DYNAMIC_DOWNCAST(CBlockTHTRG, b)) {
      trg->m_nMeasured = 0;
    }
  }
}

void CScanDriver::Stop() {
  m_bStopEnabled = m_bStarted = false;
  m_nRunState = SIM_STOPPED;
  m_nStepState = SIM_STEP_READY;
  if (m_pDoc == nullptr) return;
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (Is(b, RUNTIME_CLASS(CBlockIn)) || Is(b, RUNTIME_CLASS(CBlockAnalogIn)) ||
        Is(b, RUNTIME_CLASS(CBlockLow)) || Is(b, RUNTIME_CLASS(CBlockShift)) ||
        Is(b, RUNTIME_CLASS(CBlockAnalogOut)) || Is(b, RUNTIME_CLASS(CBlockAnalogFlag))) {
      continue;  // CBlockHigh derives from CBlockLow
    }
    ResetBlockState(b);
  }
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
    if (auto* hc = DYNAMIC_DOWNCAST(CBlockHCOUNTER, b); hc && IsStampSet(b->m_stPause))
      hc->m_stRunStart = AddMs(hc->m_stRunStart, MsBetween(b->m_stPause, now));
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
      for (CBlockObj* b : m_pDoc->m_blocks) {
        auto* t = DYNAMIC_DOWNCAST(CBlockTime, b);
        if (t == nullptr) continue;
        const bool secondCounts = t->m_nType != 405 && t->m_nType != 407;
        if (t->m_bTiming || (secondCounts && t->m_bSecondPhase)) t->m_dValue += 10.0;
      }
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

void CScanDriver::StartHoursRun(CBlockHCOUNTER* hc) {
  enum { kR = 0, kEn = 1, kRal = 2 };
  if (hc->m_nValue[kEn] == 1 && hc->m_nValue[kR] == 0 && hc->m_nValue[kRal] == 0) {
    hc->m_stRunStart = m_stClock;
    hc->m_nOperatingAtStart = hc->m_nOperating;
  }
}

void CScanDriver::ResetBlockState(CBlockObj* b) {
  // Analog functions keep their values; a message text's parameter word 0 is
  // its acknowledge latch, not a retentivity flag.
  if (Is(b, RUNTIME_CLASS(CBlockAnalog)) || IsMessageText(b)) return;
  if (b->m_nParam1) {
    b->m_dElapsedBase = b->m_dValue;  // retentive: keeps its value and pins
    return;
  }
  b->m_dValue = b->m_dElapsedBase = 0;
  ForgetScanMemory(*b);
  // A non-retentive shift register starts empty: no old bit comes back at the next shift.
  if (auto* sreg = DYNAMIC_DOWNCAST(CBlockSREG, b)) sreg->m_wBits = 0;
  if (auto* t = DYNAMIC_DOWNCAST(CBlockTime, b)) {
    switch (b->m_nType) {
      case 401:
      case 403:
      case 404:
      case 408:
        t->m_bTiming = 0;
        break;
      case 402:
      case 405:
        t->m_bSecondPhase = 0;
        break;
      case 406:
        t->m_bTiming = t->m_bSecondPhase = 0;
        break;
      case 407:
        if ((b->m_nValue[0] & 1) == 0) t->m_bTiming = 0;
        break;
      case 409:
        if (auto* mfs = DYNAMIC_DOWNCAST(CBlockMFS, b); mfs && mfs->m_nState == 2) mfs->m_nState = 0;
        t->m_bTiming = 0;
        break;
      default:
        break;
    }
  }
  if (b->m_nType == 812 && m_pDoc != nullptr) {
    for (CBlockObj* o : m_pDoc->m_blocks) {
      if (Is(o, RUNTIME_CLASS(CBlockShift))) o->m_nValue[kFirstOutputPin] = 0;
    }
  }
  const int inputs = b->InputPinCount();
  for (int i = 0; i < inputs; ++i) {
    const int s = b->m_nSource[i];
    if (s < LINK_EMPTY || s > kLastWalkedLinkCode) b->m_nValue[i] = 0;
  }
  b->m_nValue[kFirstOutputPin] = 0;
}

void CScanDriver::SaveAndClearPins() {
  if (m_pDoc == nullptr) return;
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (KeepsPinsAtPowerCut(b)) continue;
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
    if (KeepsPinsAtPowerCut(b)) continue;
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
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (Is(b, RUNTIME_CLASS(CBlockIn)) || Is(b, RUNTIME_CLASS(CBlockAnalogIn)) ||
        Is(b, RUNTIME_CLASS(CBlockLow)) || Is(b, RUNTIME_CLASS(CBlockShift)) ||
        Is(b, RUNTIME_CLASS(CBlockOpenX)) || Is(b, RUNTIME_CLASS(CBlockAnalogOut)) ||
        Is(b, RUNTIME_CLASS(CBlockAnalogFlag)) || Is(b, RUNTIME_CLASS(CBlockAnalog)) || IsMessageText(b)) {
      continue;
    }
    if (Is(b, RUNTIME_CLASS(CBlockOut)) || Is(b, RUNTIME_CLASS(CBlockFlag))) {
      b->m_nValue[kFirstOutputPin] = 0;
      continue;
    }
    if (auto* hc = DYNAMIC_DOWNCAST(CBlockHCOUNTER, b)) {
      StartHoursRun(hc);
    } else if (auto* trg = DYNAMIC_DOWNCAST(CBlockTHTRG, b)) {
      trg->m_nMeasured = 0;
    }
    ResetBlockState(b);
  }
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
  m_bIndexed = true;
}

void CScanDriver::ClearIndex() {
  for (int n : m_used) m_direct[static_cast<size_t>(n)] = nullptr;
  m_used.clear();
  m_other.clear();
  m_bIndexed = false;
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

  BuildIndex();
  for (CBlockObj* b : m_pDoc->m_blocks) {
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
    if (dc) {
      b->SimulateAndDraw(m_pBlockContext, dc);
    } else {
      b->Simulate(m_pBlockContext);
    }
  }
  m_bClockSet = false;

  // Restart requests raised in this scan take the time at which it ends.
  if (run == SIM_SUSPENDED || run == SIM_RUNNING) {
    const SYSTEMTIME end = m_stClock;
    for (CBlockObj* b : m_pDoc->m_blocks) {
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
  ClearIndex();
}

void CScanDriver::Run(int count) {
  for (int i = 0; i < count; ++i) {
    Tick();
    Scan();
  }
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
