#include "blocks/counter_blocks.h"

#include <algorithm>
#include <cmath>

#include "blocks/block_scan_steps.h"
#include "blocks/block_slots.h"
#include "blocks/block_values.h"
#include "blocks/operand_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_eval.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/ms_clock.h"

using scan_steps::Fell;
using scan_steps::Rose;
using scan_steps::ThresholdOutput;

namespace {

constexpr int kMsPerMinute = 60000;
constexpr int kFrequencyMode = 3;  // simulation mode of an input that gives its frequency in Hz

// The counter threshold taken from a reference: clamped to 0..999999, truncated.
int CounterThreshold(CBlockObj& block, int k, int constant) {
  if (block.m_pRef[k] == nullptr) return constant;
  const double v = scan_steps::ReferencedValue(block, k);
  if (!(v > 0.0)) return 0;  // negative values and NaN
  if (v > CBlockCOUNTER::kCountLimit) return CBlockCOUNTER::kCountLimit;
  return static_cast<int>(v);
}

}  // namespace

// ---- Up/down counter ------------------------------------------------------------

IMPLEMENT_SERIAL(CBlockCOUNTER, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockCOUNTER::CBlockCOUNTER() {
  m_byCaps = kCaps;
}

CBlockCOUNTER::CBlockCOUNTER(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 4, ctx) {
  PresetImage(*this, 24, 6, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 59, LINK_EMPTY});
  m_nMaxValue = kCountLimit;
  m_dValue = m_nParam8;  // the count starts at the start value
  m_byCaps = kCaps;
}

BOOL CBlockCOUNTER::Simulate(CViewContext* view) {
  enum { kR = 0, kCnt = 1, kDir = 2 };
  ReadInputs(view);
  const int on = CounterThreshold(*this, 0, m_nParam10);
  const int off = CounterThreshold(*this, 1, m_nParam15);
  if (m_nValue[kR] == 1) {
    scan_steps::SetOutput(*this, view, 0);
    m_dValue = m_nParam8;
  } else {
    if (Rose(*this, kCnt)) {
      if (m_nValue[kDir] == 0) {
        if (m_dValue < m_nMaxValue) m_dValue += 1;
      } else if (m_dValue > 0) {
        m_dValue -= 1;
      }
    }
    const auto count = static_cast<long long>(m_dValue);
    scan_steps::SetOutput(*this, view, ThresholdOutput(count, on, off, true, m_nValue[kFirstOutputPin]));
  }
  m_bChanged[kCnt] = 0;
  scan_steps::UpdateContacts(*this, view);
  return 1;
}

std::vector<CString> CBlockCOUNTER::GetValueBoxLines() const {
  return {FormatString(u"%6ld", static_cast<long>(m_dValue))};
}

// ---- Hours counter --------------------------------------------------------------

IMPLEMENT_SERIAL(CBlockHCOUNTER, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockHCOUNTER::CBlockHCOUNTER() {
  m_byCaps = kCaps;
}

CBlockHCOUNTER::CBlockHCOUNTER(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 4, ctx) {
  PresetImage(*this, 24, 7, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 59, 58, LINK_EMPTY});
  m_nMaxValue = 1023;
  m_nParam1 = 1;  // retentive
  m_nParam18 = 0;
  m_nParam11 = 0;
  m_byCaps = kCaps;
}

int CBlockHCOUNTER::ComputeStartValue() {
  if (m_pRef[0] != nullptr) {
    // A referenced interval is in hours; above 9999 hours it is taken as 9999.
    const double hours = scan_steps::ReferencedValue(*this, 0);
    if (!(hours > 0.0)) return 0;
    return static_cast<int>(std::min(hours, static_cast<double>(kMaxReferencedHours)) * 60.0);
  }
  const long long interval = 60LL * m_nParam10 + m_nParam9;
  if (interval <= 0) return 0;
  const long long preset = std::max(0LL, 60LL * m_nParam15 + m_nParam14);
  const long long start = interval - preset % interval;
  return static_cast<int>(std::min<long long>(start, kOperatingLimit));
}

BOOL CBlockHCOUNTER::Simulate(CViewContext* view) {
  enum { kR = 0, kEn = 1, kRal = 2 };
  ReadInputs(view);
  const int start = ComputeStartValue();
  if (start != m_nLastStart) {
    m_nRemaining = start;
    m_nLastStart = start;
  }
  const bool enabled = m_nValue[kEn] == 1;
  if (m_nValue[kRal] == 1) {
    if (Rose(*this, kRal)) {
      scan_steps::SetOutput(*this, view, 0);
      m_nOperatingAtStart = 0;
      m_nOperating = 0;
      m_nParam14 = 0;
      m_nParam15 = 0;
    }
  } else if (Fell(*this, kRal)) {
    if (enabled && m_nValue[kR] == 0) m_stRunStart = view->GetSimulatedTime();
    m_nLatch1 = 1;
  } else if (m_nValue[kR] == 1) {
    if (Rose(*this, kR)) {
      scan_steps::SetOutput(*this, view, 0);
      m_nOperatingAtStart = m_nOperating;
    }
  } else if (Fell(*this, kR)) {
    if (enabled) m_stRunStart = view->GetSimulatedTime();
    m_nLatch1 = 1;
  } else if (!enabled) {
    if (m_nParam18 == 0) scan_steps::SetOutput(*this, view, 0);
  } else {
    if (Rose(*this, kEn)) {
      m_stRunStart = view->GetSimulatedTime();
      m_nOperatingAtStart = m_nOperating;
    }
    if (!IsStampSet(m_stPause) && view->IsTimeAdvancing(false)) {
      const double running = static_cast<double>(scan_steps::NowMs(view) - SystemTimeToMs(&m_stRunStart));
      m_dValue = running - static_cast<double>(m_nOperating - m_nOperatingAtStart) * kMsPerMinute;
    }
    if (m_dValue >= kMsPerMinute) {
      const double minutes = std::trunc(m_dValue / kMsPerMinute);
      const int n = minutes > kOperatingLimit ? kOperatingLimit : static_cast<int>(minutes);
      m_nOperating =
          static_cast<int>(std::min<long long>(static_cast<long long>(m_nOperating) + n, kOperatingLimit));
      m_nRemaining = std::max(0, m_nRemaining - n);
      // The counted minutes leave the running remainder, so that a scan that
      // does not recompute it (paused, or time standing) counts them only once.
      m_dValue -= static_cast<double>(n) * kMsPerMinute;
      if (m_nOperating >= kOperatingLimit) {
        m_nOperating = kOperatingCap;
        m_nOperatingAtStart = kOperatingCap;
      }
    }
    scan_steps::SetOutput(*this, view, m_nRemaining == 0 ? 1 : 0);
  }
  scan_steps::ClearChanged(*this, 3);
  scan_steps::UpdateContacts(*this, view);
  return 1;
}

std::vector<CString> CBlockHCOUNTER::GetValueBoxLines() const {
  CString interval;
  if (m_pRef[0] != nullptr) {
    const CString ref = FormatString(u"B%d", m_pRef[0]->m_nNumber - 9000);
    interval = FormatString(u"MI=%8sh", ref.GetString());
  } else {
    interval = FormatString(u"MI=%5ldh%2ldm", static_cast<long>(m_nParam10), static_cast<long>(m_nParam9));
  }
  return {interval,
          FormatString(u"MN=%5ldh%2ldm", static_cast<long>(m_nRemaining / 60),
                       static_cast<long>(m_nRemaining % 60)),
          FormatString(u"OT=%5ldh%2ldm", static_cast<long>(m_nOperating / 60),
                       static_cast<long>(m_nOperating % 60))};
}

// ---- Frequency trigger ----------------------------------------------------------

IMPLEMENT_SERIAL(CBlockTHTRG, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockTHTRG::CBlockTHTRG() {
  m_byCaps = kCaps;
}

CBlockTHTRG::CBlockTHTRG(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 16, 5, {kKeepLink, LINK_PARAM, 59, 58, LINK_EMPTY});
  m_nParam15 = 1;  // gate time 1 s
  m_byCaps = kCaps;
}

double CBlockTHTRG::GetGateTimeMs() {
  if (m_pRef[0] != nullptr) return std::max(0.0, scan_steps::ReferencedValue(*this, 0));
  return (static_cast<double>(m_nParam14) + 100.0 * m_nParam15) * 10.0;
}

int CBlockTHTRG::IsGateTimeElapsed(CViewContext* view, int flag) {
  if (IsStampSet(m_stPause)) return 0;
  if (view->IsTimeAdvancing(false)) {
    const SYSTEMTIME scan = view->GetScanTime();
    m_dValue = static_cast<double>(SystemTimeToMs(&scan) - SystemTimeToMs(&m_stStart));
  }
  const double gate = GetGateTimeMs();
  if (gate <= m_dValue) {
    m_dValue = std::trunc(gate);
    return 1;
  }
  return 0;
}

BOOL CBlockTHTRG::Simulate(CViewContext* view) {
  enum { kFre = 0 };
  ReadInputs(view);
  if (Rose(*this, kFre)) ++m_nPulses;
  if (!m_bGateRunning || IsGateTimeElapsed(view, 1)) {
    if (m_bGateRunning) {
      // An input simulated by frequency gives its rate in hertz: the pulses of
      // the gate time follow from it rather than from the scans' edges.
      const CBlockObj* src = FindLinkedBlock(view, m_nSource[kFre]);
      if (src != nullptr && src->IsKindOf(RUNTIME_CLASS(CBlockIn)) && src->m_nParam26 == kFrequencyMode)
        m_nPulses = TruncToInt(src->m_nSimValue * GetGateTimeMs() * 0.001);
    }
    m_nMeasured = m_nPulses;
    scan_steps::SetOutput(
        *this, view, ThresholdOutput(m_nMeasured, m_nParam10, m_nParam9, false, m_nValue[kFirstOutputPin]));
    m_nPulses = 0;
    m_stStart = view->GetSimulatedTime();
    m_nLatch1 = 1;
    m_bGateRunning = 1;
  }
  scan_steps::ClearChanged(*this, 1);
  scan_steps::UpdateContacts(*this, view);
  return 1;
}

std::vector<CString> CBlockTHTRG::GetValueBoxLines() const {
  const int t = TruncToInt(m_dValue * 0.1);
  return {FormatString(u"%6ld", static_cast<long>(m_nMeasured)),
          FormatString(u"%02d:%02d%s", t / 100, t % 100, u"s")};
}

void CBlockHCOUNTER::FormatTimeText(CViewContext* view, CString* out) {
  if (out != nullptr) FormatElapsedTime(m_dValue, m_nParam11, out);
}

// ---- Simulation start, Start button and power return --------------------------------

void CBlockCOUNTER::StartSimulation(const SimEvent& ev) {
  m_dValue = m_nParam8;  // the start value
}

void CBlockHCOUNTER::StartSimulation(const SimEvent& ev) {
  m_nParam11 = 0;
  const long long total = 60LL * m_nParam15 + m_nParam14;
  m_nOperating = m_nOperatingAtStart = static_cast<int>(std::clamp<long long>(total, 0, kOperatingLimit - 1));
  // The remaining time is loaded with its start value: the maintenance
  // interval, less what the operating-time preset has used of it.
  m_nRemaining = m_nLastStart = ComputeStartValue();
  m_stRunStart = ev.now;
}

void CBlockHCOUNTER::StartHoursRun(const SYSTEMTIME& now) {
  enum { kR = 0, kEn = 1, kRal = 2 };
  if (m_nValue[kEn] == 1 && m_nValue[kR] == 0 && m_nValue[kRal] == 0) {
    m_stRunStart = now;
    m_nOperatingAtStart = m_nOperating;
  }
}

void CBlockHCOUNTER::StartRun(const SimEvent& ev) {
  StartHoursRun(ev.now);
}

void CBlockHCOUNTER::ResetAtPowerReturn(const SimEvent& ev) {
  StartHoursRun(ev.now);
  ResetAtStop(ev);
}

void CBlockTHTRG::StartSimulation(const SimEvent& ev) {
  m_nMeasured = m_nPulses = m_bGateRunning = 0;
  m_stStart = ev.now;
}

void CBlockTHTRG::ResetAtPowerReturn(const SimEvent& ev) {
  m_nMeasured = 0;
  ResetAtStop(ev);
}
