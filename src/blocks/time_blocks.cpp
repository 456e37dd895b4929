#include "blocks/time_blocks.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <ctime>
#include <iterator>
#include <string>

#include "blocks/block_scan_steps.h"
#include "blocks/block_slots.h"
#include "blocks/block_values.h"
#include "blocks/value_box.h"
#include "model/diagram_draw.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"
#include "platform/ms_clock.h"
#include "platform/random.h"

namespace {

SYSTEMTIME Now(CViewContext* view) {
  return view->GetSimulatedTime();
}

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kMinutesPerWeek = 7 * kMinutesPerDay;

}  // namespace

IMPLEMENT_SERIAL(CBlockTime, CBlockObj, 0)

CBlockTime::CBlockTime() = default;

CBlockTime::CBlockTime(int typeCode, int inputCount, const BlockContext& ctx)
    : CBlockObj(typeCode, inputCount, ctx) {
  m_nMaxValue = 99;
  m_dValue = 0;
  m_dRemaining = 0;
  m_nChangeState = -1;
}

IMPLEMENT_SERIAL(CBlockDPR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockDPR::CBlockDPR() {
  m_byCaps = kCaps;
}

CBlockDPR::CBlockDPR(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 2, ctx) {
  PresetImage(*this, 8, 0, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockDDR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockDDR::CBlockDDR() {
  m_byCaps = kCaps;
}

CBlockDDR::CBlockDDR(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 3, ctx) {
  PresetImage(*this, 12, 0, {kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMPLR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockMPLR::CBlockMPLR() {
  m_byCaps = kCaps;
}

CBlockMPLR::CBlockMPLR(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 2, ctx) {
  PresetImage(*this, 12, 0, {kKeepLink, LINK_PARAM, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPLR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockPLR::CBlockPLR() {
  m_byCaps = kCaps;
}

CBlockPLR::CBlockPLR(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 3, ctx) {
  PresetImage(*this, 12, 0, {kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockCPG, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockCPG::CBlockCPG() {
  m_byCaps = kCaps;
}

CBlockCPG::CBlockCPG(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 2, ctx) {
  PresetImage(*this, 8, 0, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockRPR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockRPR::CBlockRPR() {
  m_byCaps = kCaps;
}

CBlockRPR::CBlockRPR(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 3, ctx) {
  PresetImage(*this, 16, 0, {kKeepLink, kKeepLink, LINK_PARAM, LINK_PARAM, 58, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAPG, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockAPG::CBlockAPG() {
  m_byCaps = kCaps;
}

CBlockAPG::CBlockAPG(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 3, ctx) {
  PresetImage(*this, 12, 0, {kKeepLink, kKeepLink, LINK_PARAM, LINK_PARAM, LINK_EMPTY});
  m_bLastPhaseOn = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockRG, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockRG::CBlockRG() {
  m_byCaps = kCaps;
}

CBlockRG::CBlockRG(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 2, ctx) {
  PresetImage(*this, 12, 0, {kKeepLink, LINK_PARAM, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSLS, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockSLS::CBlockSLS() {
  m_byCaps = kCaps;
}

CBlockSLS::CBlockSLS(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 2, ctx) {
  PresetImage(*this, 12, 0, {kKeepLink, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_EMPTY});
  m_nParam11 = 1;
  m_nParam19 = 15;  // pre-warning time Tw
  m_nParam21 = 1;   // pre-warning duration Tl
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMFS, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockMFS::CBlockMFS() {
  m_byCaps = kCaps;
}

CBlockMFS::CBlockMFS(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 3, ctx) {
  PresetImage(*this, 16, 0,
              {kKeepLink, kKeepLink, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWT, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockWT::CBlockWT() {
  m_byCaps = kCaps;
}

CBlockWT::CBlockWT(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 3, ctx) {
  PresetImage(*this, 20, 0,
              {LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, 54, 54, 54, 56});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockYT, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockYT::CBlockYT() {
  m_byCaps = kCaps;
}

CBlockYT::CBlockYT(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 1, ctx) {
  PresetImage(*this, 8, 0, {LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_nParam10 = 1;  // on date: month, day
  m_nParam9 = 1;
  m_nParam15 = 1;  // off date: month, day
  m_nParam14 = 1;
  m_nParam3 = 0;  // monthly
  m_nParam4 = 0;  // pulse
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAC, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockAC::CBlockAC() {
  m_byCaps = kCaps;
}

CBlockAC::CBlockAC(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 1, ctx) {
  PresetImage(*this, 16, 0, {LINK_PARAM, 89, 90, 91, 88, 89, 90, 91, 92, 93, LINK_EMPTY});
  m_nParam11 = 0;
  m_nParam16 = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSW, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockSW::CBlockSW() {
  m_byCaps = kCaps;
}

CBlockSW::CBlockSW(int typeCode, const BlockContext& ctx) : CBlockTime(typeCode, 4, ctx) {
  PresetImage(*this, 16, 5, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam11 = 1;  // minutes:seconds
  m_byCaps = kCaps;
}

// ---- CBlockTime: presets, elapsed time, value box -----------------------------

double CBlockTime::CappedReferenceMs(double value, int unit, bool floorAtZero) {
  if (floorAtZero || std::isnan(value)) return ReferencedPresetMs(value, unit);
  const TimeCapRow& cap = GetTimeCap(unit);
  return std::min(value, static_cast<double>(cap.nLargest)) * cap.nMsPerStep;
}

void CBlockTime::Serialize(CArchive& ar) {
  CBlockObj::Serialize(ar);
  if (ar.IsStoring()) {
    for (const auto& cam : m_nCamDays)
      for (int day : cam) ar << day;
    for (const auto& t : m_nCamOn) ar << t[0] << t[1];
    for (int v : m_bCamOnUnset) ar << v;
    for (const auto& t : m_nCamOff) ar << t[0] << t[1];
    for (int v : m_bCamOffUnset) ar << v;
  } else {
    for (auto& cam : m_nCamDays)
      for (int& day : cam) ar >> day;
    for (auto& t : m_nCamOn) ar >> t[0] >> t[1];
    for (int& v : m_bCamOnUnset) ar >> v;
    for (auto& t : m_nCamOff) ar >> t[0] >> t[1];
    for (int& v : m_bCamOffUnset) ar >> v;
  }
}

int CBlockTime::GetPhaseUnit(int onPhase) const {
  if (onPhase) return m_pRef[0] ? m_nParam12 : m_nParam11;
  return m_pRef[1] ? m_nParam13 : m_nParam16;
}

double CBlockTime::GetPresetMs(int onPhase, bool floorAtZero) {
  if (onPhase ? m_pRef[0] : m_pRef[1])
    return CappedReferenceMs(scan_steps::ReferencedValue(*this, onPhase ? 0 : 1),
                             onPhase ? m_nParam12 : m_nParam13, floorAtZero);
  if (onPhase) return TimePresetMs(m_nParam10, m_nParam9, m_nParam11);
  return TimePresetMs(m_nParam15, m_nParam14, m_nParam16);
}

double CBlockTime::RawPreset(int onPhase) {
  if (onPhase ? m_pRef[0] : m_pRef[1]) return scan_steps::ReferencedValue(*this, onPhase ? 0 : 1);
  return static_cast<double>(RawConstant(onPhase));
}

long long CBlockTime::RawConstant(int onPhase) const {
  return onPhase ? static_cast<long long>(m_nParam10) + m_nParam9
                 : static_cast<long long>(m_nParam15) + m_nParam14;
}

void CBlockTime::GetWarningTimes(double* t, double* tw, double* tl) {
  const int unit = GetPhaseUnit(0);
  *t = GetPresetMs(0, false);
  *tw = m_pRef[2] ? CappedReferenceMs(scan_steps::ReferencedValue(*this, 2), unit, false)
                  : TimePresetMs(m_nParam20, m_nParam19, unit);
  *tl = m_pRef[3] ? CappedReferenceMs(scan_steps::ReferencedValue(*this, 3), unit, false)
                  : TimePresetMs(m_nParam22, m_nParam21, unit);
}

double CBlockTime::ScanMsSinceStart(CViewContext* view) const {
  return static_cast<double>(MsBetween(m_stStart, view->GetScanTime()));
}

void CBlockTime::StampStart(CViewContext* view) {
  m_stStart = Now(view);
  m_nLatch1 = 1;
}

void CBlockTime::RestartPeriod(CViewContext* view) {
  StampStart(view);
  m_dValue = 0;
  m_dElapsedBase = 0;
}

void CBlockTime::SetOutput(CViewContext* view, int value, bool forceMark) {
  value = value ? 1 : 0;
  if ((forceMark || value != m_nValue[kFirstOutputPin]) && IsLadderView(view))
    m_bChanged[kFirstOutputPin] = 1;
  m_nValue[kFirstOutputPin] = value;
}

void CBlockTime::UpdateContacts(CViewContext* view) {
  if (!m_bChanged[kFirstOutputPin] || !IsLadderView(view)) return;
  PropagateToContacts(view->GetDocument());
  m_bChanged[kFirstOutputPin] = 0;
}

int CBlockTime::UpdateElapsed(CViewContext* view, int onPhase) {
  if (IsPaused()) return 0;
  if (view->IsTimeAdvancing(true)) m_dValue = ScanMsSinceStart(view) + m_dElapsedBase;
  const double preset = GetPresetMs(onPhase);
  int passed = 0;
  if (preset < m_dValue) {
    m_dValue = preset;
    passed = 1;
  }
  m_dRemaining = preset - m_dValue;
  return passed;
}

int CBlockTime::RefreshPreset(int onPhase) {
  const double preset = GetPresetMs(onPhase);
  if (onPhase ? m_pRef[0] : m_pRef[1]) {
    const int unit = onPhase ? m_nParam12 : m_nParam13;
    if (preset == m_dLastParam && unit == m_nLastSelect) return 0;
    m_dLastParam = preset;
    m_nLastSelect = unit;
    SplitTimeValue(preset, unit, &m_nLastParam, &m_nLastInput);
  } else {
    const int high = onPhase ? m_nParam10 : m_nParam15;
    const int low = onPhase ? m_nParam9 : m_nParam14;
    const int unit = onPhase ? m_nParam11 : m_nParam16;
    if (unit == m_nLastSelect && high == m_nLastParam && low == m_nLastInput) return 0;
    m_nLastSelect = unit;
    m_nLastParam = high;
    m_nLastInput = low;
    m_dLastParam = preset;
  }
  m_dValue = preset;
  m_dRemaining = 0;
  return 1;
}

void CBlockTime::DrawSimulated(CViewContext* view, CDC* dc) {
  Draw(view, dc, 1, OutputStateColour(m_nValue[kFirstOutputPin]));
  if (m_nType != kTypeWT) DrawValueBox(dc, view);
}

void CBlockTime::DrawValueBox(CDC* dc, CViewContext* view) {
  if (dc) PaintTimeValueBox(dc, *this);
}

// ---- Delay timers and wiping relays (400-405) ---------------------------------

BOOL CBlockDPR::Simulate(CViewContext* view) {
  ReadInputs(view);
  m_nChangeState = -1;
  int changed = 0;
  const int trigger = m_nValue[0];
  if (m_bChanged[0]) {
    changed = 1;
    if (trigger == 1) {
      m_bTiming = 1;
      StampStart(view);
    } else {
      m_dElapsedBase = 0;
      m_dValue = 0;
      m_bTiming = 0;
      SetOutput(view, 0);
    }
  }
  if (trigger == 1 && m_nValue[kFirstOutputPin] == 0) {
    if (UpdateElapsed(view, 1)) {
      m_dElapsedBase = 0;
      m_bTiming = 0;
      SetOutput(view, 1);
    }
    changed = 1;
  }
  if (trigger == 1 && m_nValue[kFirstOutputPin] == 1) m_nChangeState = RefreshPreset(1);
  UpdateContacts(view);
  if (m_nChangeState == -1) return changed;
  return changed == 0 && m_nChangeState == 0 ? 0 : 1;
}

BOOL CBlockDDR::Simulate(CViewContext* view) {
  ReadInputs(view);
  const int trigger = m_nValue[0];
  const int reset = m_nValue[1];
  if (reset == 0 && m_bChanged[1]) {
    SetOutput(view, trigger);
  } else if (reset == 0) {
    if (InputFell(0)) {
      m_bTiming = 1;
      StampStart(view);
    } else if (InputRose(0)) {
      m_dElapsedBase = 0;
      m_dValue = 0;
      m_bTiming = 0;
      SetOutput(view, 1);
    }
    if (trigger == 0 && m_nValue[kFirstOutputPin] == 1 && UpdateElapsed(view, 1)) {
      m_dElapsedBase = 0;
      m_dValue = 0;
      m_bTiming = 0;
      SetOutput(view, 0);
    }
  } else if (m_bChanged[1]) {
    m_dValue = 0;
    m_bTiming = 0;
    SetOutput(view, 0);
  }
  UpdateContacts(view);
  return 1;
}

BOOL CBlockMPLR::Simulate(CViewContext* view) {
  ReadInputs(view);
  if (InputRose(0)) {
    m_bPresetShown = 0;
    m_bTiming = 1;
    m_bSecondPhase = 0;
    RestartPeriod(view);
    SetOutput(view, 0);
  } else if (InputFell(0)) {
    if (!m_bTiming) {
      RestartPeriod(view);
      m_bSecondPhase = 1;
    } else {
      m_dValue = 0;
      m_dElapsedBase = 0;
      m_bSecondPhase = 0;
      m_bTiming = 0;
    }
  }
  if (m_nValue[0] == 0) {
    if (m_nValue[kFirstOutputPin] == 1 && UpdateElapsed(view, 0)) {
      SetOutput(view, 0);
      m_dElapsedBase = 0;
      m_bSecondPhase = 0;
      m_bPresetShown = 1;
    }
    if (m_nValue[kFirstOutputPin] == 0 && m_bPresetShown) RefreshPreset(0);
  } else {
    if (m_nValue[kFirstOutputPin] == 0 && UpdateElapsed(view, 1)) {
      m_bTiming = 0;
      SetOutput(view, 1);
    }
    if (m_nValue[kFirstOutputPin] == 1) RefreshPreset(1);
  }
  UpdateContacts(view);
  return 1;
}

BOOL CBlockPLR::Simulate(CViewContext* view) {
  ReadInputs(view);
  m_nChangeState = -1;
  int changed = 0;
  if (m_nValue[1] == 0) {
    if (m_nValue[0] == 1 && !m_bTiming && m_nValue[kFirstOutputPin] == 0) {
      m_bTiming = 1;
      StampStart(view);
    }
    if (m_bTiming) {
      if (UpdateElapsed(view, 1)) {
        SetOutput(view, 1);
        m_bTiming = 0;
      }
      changed = 1;
    } else if (m_nValue[kFirstOutputPin] == 1) {
      m_nChangeState = RefreshPreset(1);
    }
  } else {
    changed = 1;
    m_bTiming = 0;
    RestartPeriod(view);
    SetOutput(view, 0);
  }
  UpdateContacts(view);
  if (m_nChangeState == -1) return changed;
  return changed == 0 && m_nChangeState == 0 ? 0 : 1;
}

BOOL CBlockCPG::Simulate(CViewContext* view) {
  ReadInputs(view);
  if (InputRose(0)) {
    m_bTiming = 1;
    StampStart(view);
    SetOutput(view, 1);
  } else if (InputFell(0)) {
    m_dElapsedBase = 0;
    m_dValue = 0;
    m_bTiming = 0;
    SetOutput(view, 0);
  }
  if (m_nValue[0] == 1) {
    if (m_nValue[kFirstOutputPin] == 1 && UpdateElapsed(view, 1)) {
      m_bTiming = 0;
      m_dElapsedBase = 0;
      SetOutput(view, 0);
    }
    if (m_nValue[kFirstOutputPin] == 0) RefreshPreset(1);
  }
  UpdateContacts(view);
  return 1;
}

BOOL CBlockRPR::Simulate(CViewContext* view) {
  ReadInputs(view);
  if (m_nValue[1] == 1) {
    m_dElapsedBase = 0;
    m_dValue = 0;
    m_bSecondPhase = 0;
    m_bTiming = 0;
    m_bPresetShown = 0;
    SetOutput(view, 0);
  } else if (RawPreset(1) == 0 && RawPreset(0) == 0) {
    RestartPeriod(view);
    m_bSecondPhase = 0;
    m_bTiming = 0;
    m_nPulseCount = -1;
    SetOutput(view, 0);
    m_bChanged[0] = 0;
  } else if (m_bChanged[0]) {
    if (m_nValue[0] == 1) {
      m_bTiming = 1;
      m_bSecondPhase = 1;  // the train begins with a pause
      RestartPeriod(view);
      SetOutput(view, 0);
      m_nPulseCount = -1;
      m_nPulseLimit = m_nParam17;
      m_bPresetShown = 1;
    }
    m_bChanged[0] = 0;
  } else if (!m_bTiming) {
    m_bSecondPhase = 0;
    m_nPulseCount = -1;
    SetOutput(view, 0);
    if (m_bPresetShown)
      RefreshPreset(1);
    else
      StampStart(view);
  } else if (m_bSecondPhase) {
    if (UpdateElapsed(view, 0)) {
      if (RawPreset(1) > 0) SetOutput(view, 1);
      RestartPeriod(view);
      m_bSecondPhase = 0;
    }
  } else if (UpdateElapsed(view, 1)) {
    if (RawPreset(0) > 0) SetOutput(view, 0);
    StampStart(view);
    m_bSecondPhase = 1;
    m_dElapsedBase = 0;
    if (++m_nPulseCount < m_nPulseLimit)
      m_dValue = 0;
    else
      m_bTiming = 0;
  }
  UpdateContacts(view);
  return 1;
}

// ---- Pulse generators and light switches (406-409) ----------------------------

BOOL CBlockAPG::Simulate(CViewContext* view) {
  ReadInputs(view);
  const int inv = m_nValue[1];
  if (InputRose(0)) {
    m_bTiming = 1;
    RestartPeriod(view);
    if (RawConstant(1) != 0)
      m_bSecondPhase = 0;
    else
      m_bSecondPhase = RawConstant(0) > 0 ? 1 : 0;
  } else if (InputFell(0)) {
    m_bLastPhaseOn = m_bSecondPhase == 0 ? 1 : 0;
    m_dElapsedBase = 0;
    m_dValue = 0;
    m_bTiming = 0;
    m_bSecondPhase = 0;
    SetOutput(view, 0);
  } else if (m_bTiming && m_nValue[0] == 1) {
    const double r0 = scan_steps::ReferencedValue(*this, 0);
    const double r1 = scan_steps::ReferencedValue(*this, 1);
    if (m_nParam9 == 0 && m_nParam10 == 0 && m_nParam14 == 0 && m_nParam15 == 0 && r0 == 0 && r1 == 0) {
      RestartPeriod(view);
      SetOutput(view, !inv);
    } else if (!m_bSecondPhase) {
      if (UpdateElapsed(view, 1)) {
        if (m_pRef[1] ? r1 > 0 : RawConstant(0) > 0) {
          m_bSecondPhase = 1;
          SetOutput(view, !m_nValue[kFirstOutputPin]);
        }
        RestartPeriod(view);
      } else {
        SetOutput(view, !inv);
      }
    } else if (UpdateElapsed(view, 0)) {
      SetOutput(view, !m_nValue[kFirstOutputPin]);
      RestartPeriod(view);
      m_bSecondPhase = 0;
    } else {
      SetOutput(view, inv);
    }
  }
  m_bChanged[0] = 0;
  m_bChanged[1] = 0;
  UpdateContacts(view);
  return 1;
}

void CBlockRG::PickDelay(int onPhase) {
  SeedRandom(static_cast<std::uint32_t>(Random()));
  const double preset = GetPresetMs(onPhase, false);
  // Whole milliseconds; presets beyond the 64-bit range are clamped first.
  const double clamped = std::clamp(std::trunc(preset), -9.0e18, 9.0e18);
  const long long n = std::llabs(static_cast<long long>(std::isnan(clamped) ? 0 : clamped));
  const long long r = n == 0 ? 0 : Random() % n;
  const int seconds = static_cast<int>(r / 1000);
  const int hundredths = static_cast<int>(r / 10 % 100);
  if (onPhase) {
    m_nOnDelaySec = seconds;
    m_nOnDelayHund = hundredths;
  } else {
    m_nOffDelaySec = seconds;
    m_nOffDelayHund = hundredths;
  }
}

int CBlockRG::UpdateElapsed(CViewContext* view, int onPhase) {
  if (IsPaused()) return 0;
  if (view->IsTimeAdvancing(true)) m_dValue = ScanMsSinceStart(view);
  const double delay = onPhase ? (m_nOnDelaySec * 100.0 + m_nOnDelayHund) * 10
                               : (m_nOffDelaySec * 100.0 + m_nOffDelayHund) * 10;
  int passed = 0;
  if (delay <= m_dValue) {
    m_dValue = delay;
    passed = 1;
  }
  m_dRemaining = delay - m_dValue;
  return passed;
}

BOOL CBlockRG::Simulate(CViewContext* view) {
  ReadInputs(view);
  if (InputRose(0)) {
    PickDelay(1);
    m_bTiming = 1;
    m_dValue = 0;
    StampStart(view);
    m_bSecondPhase = 0;
    SetOutput(view, 0);
  } else if (InputFell(0)) {
    PickDelay(0);
    m_dValue = 0;
    if (m_nValue[kFirstOutputPin] == 1) {
      m_bTiming = 1;
      StampStart(view);
      m_bSecondPhase = 1;
    } else {
      m_bTiming = 0;
    }
  }
  if (m_bTiming) {
    if (!m_bSecondPhase) {
      if (UpdateElapsed(view, 1)) {
        SetOutput(view, 1);
        m_bTiming = 0;
      }
    } else if (UpdateElapsed(view, 0)) {
      m_dValue = 0;
      SetOutput(view, 0);
      m_bTiming = 0;
    }
  }
  UpdateContacts(view);
  return 1;
}

int CBlockSLS::PreWarningStep(CViewContext* view, int trigger) {
  if (trigger == 1 || !m_bTiming) return 0;
  double t = 0, tw = 0, tl = 0;
  GetWarningTimes(&t, &tw, &tl);
  const double d = t - tw;
  if (d >= 0) {
    if (m_dValue < d) return 0;
    if (m_byWarnState == 0) {
      m_byWarnState = 1;
      return 1;
    }
    if (m_byWarnState == 1 && (d + tl <= m_dValue || d + tl <= ScanMsSinceStart(view))) {
      m_byWarnState = 2;
      return 1;
    }
    return 0;
  }
  if (m_byWarnState == 0) {
    m_byWarnState = 1;
    return 1;
  }
  if (m_byWarnState == 1 && ScanMsSinceStart(view) >= tl) {
    m_byWarnState = 2;
    return 1;
  }
  return 0;
}

BOOL CBlockSLS::Simulate(CViewContext* view) {
  ReadInputs(view);
  const int trigger = m_nValue[0];
  if (InputFell(0)) {
    m_bTiming = 1;
    RestartPeriod(view);
    m_byWarnState = 0;
  } else if (InputRose(0)) {
    SetOutput(view, 1);
  }
  if (!m_bTiming) {
    RefreshPreset(0);
  } else if (PreWarningStep(view, trigger)) {
    SetOutput(view, !m_nValue[kFirstOutputPin]);
  } else if (UpdateElapsed(view, 0)) {
    double t = 0, tw = 0, tl = 0;
    GetWarningTimes(&t, &tw, &tl);
    const double sinceStart = ScanMsSinceStart(view);
    // A warning pulse still under way ends first.
    if (m_byWarnState != 1 || (sinceStart >= t - tw + tl && sinceStart >= tl)) {
      SetOutput(view, trigger);
      m_bTiming = 0;
      m_byWarnState = 0;
    }
  }
  UpdateContacts(view);
  return 1;
}

int CBlockMFS::PreWarningStep(int trigger) {
  if (trigger == 1) return 0;
  double t = 0, tw = 0, tl = 0;
  GetWarningTimes(&t, &tw, &tl);
  const double d = t - tw;
  if (d >= 0) {
    if (m_dValue < d) return 0;
    if (m_byWarnState == 0) {
      m_byWarnState = 1;
      return 1;
    }
    if (m_byWarnState == 1 && d + tl < m_dValue) {
      m_byWarnState = 2;
      return 1;
    }
    return 0;
  }
  if (m_byWarnState == 0) {
    m_byWarnState = 1;
    return 1;
  }
  if (m_byWarnState == 1 && m_dValue >= tl) {
    m_byWarnState = 2;
    return 1;
  }
  return 0;
}

BOOL CBlockMFS::Simulate(CViewContext* view) {
  ReadInputs(view);
  const int trigger = m_nValue[0];
  const int out = m_nValue[kFirstOutputPin];
  const bool idle = m_nState == 0 || m_nState == 3 || m_nState == 4;
  if (m_nValue[1] == 1) {
    RestartPeriod(view);
    m_nState = 0;
    SetOutput(view, 0);
    m_byWarnState = 0;
  } else if (InputFell(1) && trigger == 1) {
    m_nState = 1;
    StampStart(view);
    SetOutput(view, 1);
  } else if (InputRose(0)) {
    SetOutput(view, !out, true);
    if (idle) {
      if (!out) {
        m_nState = 1;
        RestartPeriod(view);
      }
    } else if (m_nState == 2 && m_byWarnState == 1) {
      // A press during the warning pulse: the light time begins again.
      m_stIntervalStart = Now(view);
      m_nLatch2 = 1;
      RestartPeriod(view);
    } else if (m_nState == 2) {
      m_nState = 0;
      m_byWarnState = 0;
      SetOutput(view, 0);
      RestartPeriod(view);
    }
  } else if (InputFell(0)) {
    if (idle && out == 0) {
      RestartPeriod(view);
    } else if (m_nState == 1) {
      m_nState = 2;  // a short press starts the light time
      RestartPeriod(view);
    } else if (m_nState == 2 && out == 1) {
      m_byWarnState = 0;
      RestartPeriod(view);
    }
  } else if (m_nState == 1) {
    if (UpdateElapsed(view, 1)) {
      m_byWarnState = 0;
      m_nState = 3;  // permanent light
    }
  } else if (m_nState == 2) {
    if (UpdateElapsed(view, 0)) {
      SetOutput(view, 0);
      m_byWarnState = 0;
      m_nState = 4;
    } else if (PreWarningStep(trigger)) {
      SetOutput(view, !out);
    } else if (m_byWarnState == 1 && trigger == 1 && out == 1 && !IsWithinInterval(view, 50)) {
      // Held longer than a tap during the warning: switch off.
      m_bTiming = 0;
      m_nState = 0;
      m_byWarnState = 0;
      SetOutput(view, !out);
      m_dValue = 0;
      StampStart(view);
    }
  }
  if (m_nState == 3) RefreshPreset(1);
  if (m_nState == 4) RefreshPreset(0);
  m_bChanged[0] = 0;
  m_bChanged[1] = 0;
  m_bTiming = m_nState == 1 || m_nState == 2 ? 1 : 0;
  UpdateContacts(view);
  return 1;
}

// ---- Weekly and yearly timers (410, 411) ---------------------------------------

int CBlockWT::EvaluateCams(int weekDay, int minuteOfDay) const {
  const int now = weekDay * kMinutesPerDay + minuteOfDay;
  bool found = false;
  int bestAge = 0;
  int bestCam = -1;
  int bestOn = 0;
  for (int cam = 0; cam < kCams; ++cam) {
    const bool hasOn = !m_bCamOnUnset[cam];
    const bool hasOff = !m_bCamOffUnset[cam];
    if (!hasOn && !hasOff) continue;
    for (int day = 0; day < kWeekDays; ++day) {
      if (!m_nCamDays[cam][day]) continue;
      // Off after on, so that equal on and off times of one cam count as off.
      for (int on = 1; on >= 0; --on) {
        if (on ? !hasOn : !hasOff) continue;
        const int(&time)[2] = on ? m_nCamOn[cam] : m_nCamOff[cam];
        const long long point = static_cast<long long>(day) * kMinutesPerDay + time[0] * 60LL + time[1];
        // How long ago the point last passed, looking back over one week.
        long long age = (now - point) % kMinutesPerWeek;
        if (age < 0) age += kMinutesPerWeek;
        // Same age: the higher cam, and within a cam the off point, wins.
        if (!found || age < bestAge || (age == bestAge && cam >= bestCam)) {
          found = true;
          bestAge = static_cast<int>(age);
          bestCam = cam;
          bestOn = on;
        }
      }
    }
  }
  return found ? bestOn : 0;
}

BOOL CBlockWT::Simulate(CViewContext* view) {
  const SYSTEMTIME st = view->GetSimulatedTime();
  // The weekday from the date itself, so a clock set without one still counts right.
  struct tm tm = {};
  SystemTimeToTm(&st, &tm);
  tm.tm_hour = tm.tm_min = tm.tm_sec = 0;
  const int weekDay = MakeUtcTime(&tm) >= 0 ? tm.tm_wday : st.wDayOfWeek % kWeekDays;
  SetOutput(view, EvaluateCams(weekDay, st.wHour * 60 + st.wMinute));
  UpdateContacts(view);
  return 1;
}

void CBlockWT::CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc) {
  CBlockObj::CopyTo(target, withGeometry, doc);
  auto* to = dynamic_cast<CBlockTime*>(target);
  if (!to) return;
  std::copy(&m_nCamDays[0][0], &m_nCamDays[0][0] + kCams * kWeekDays, &to->m_nCamDays[0][0]);
  std::copy(&m_nCamOn[0][0], &m_nCamOn[0][0] + kCams * 2, &to->m_nCamOn[0][0]);
  std::copy(std::begin(m_bCamOnUnset), std::end(m_bCamOnUnset), to->m_bCamOnUnset);
  std::copy(&m_nCamOff[0][0], &m_nCamOff[0][0] + kCams * 2, &to->m_nCamOff[0][0]);
  std::copy(std::begin(m_bCamOffUnset), std::end(m_bCamOffUnset), to->m_bCamOffUnset);
}

namespace {

// Whether a point lies in the window from on (inclusive) to off (exclusive);
// a window with on after off spans the wrap, equal ends make no window.
bool InWindow(long long on, long long off, long long now) {
  if (on == off) return false;
  if (on < off) return on <= now && now < off;
  return now >= on || now < off;
}

// Seconds of 00:00:00 of a month and day of the year; out-of-range values carry.
long long DateSeconds(int year, int month, int day) {
  struct tm tm = {};
  tm.tm_year = year - 1900;
  tm.tm_mon = month == INT_MIN ? INT_MIN : month - 1;
  tm.tm_mday = day;
  return MakeUtcTime(&tm);
}

}  // namespace

BOOL CBlockYT::Simulate(CViewContext* view) {
  const SYSTEMTIME st = view->GetSimulatedTime();
  bool on = false;
  if (m_nParam3 == 0) {
    const long long now = SystemTimeToMs(&st) / 1000;
    on = InWindow(DateSeconds(st.wYear, m_nParam10, m_nParam9), DateSeconds(st.wYear, m_nParam15, m_nParam14),
                  now);
  } else {
    on = InWindow(m_nParam9, m_nParam14, st.wDay);
  }
  SetOutput(view, on ? 1 : 0);
  UpdateContacts(view);
  return 1;
}

namespace {

// First time base of a time block: m_nParam12 with a reference, else m_nParam11.
int FirstBase(const CBlockObj* b) {
  return b->m_pRef[0] ? b->m_nParam12 : b->m_nParam11;
}
int SecondBase(const CBlockObj* b) {
  return b->m_pRef[1] ? b->m_nParam13 : b->m_nParam16;
}

}  // namespace

void FormatElapsedTime(double ms, int timeBase, CString* out) {
  int high = 0, low = 0;
  if (ms != 0.0) CBlockObj::SplitTimeValue(ms, timeBase, &high, &low);
  if (high < 0 || high > 99 || low < 0 || low > 99) {
    out->Format(u"%02d:%02d%s", high, low, TimeBaseSuffix(timeBase));
    return;
  }
  // "%02d:%02d%s" written directly: every scan writes the text of every time block.
  auto digit = [](int v) { return static_cast<char16_t>(u'0' + v); };
  const char16_t text[] = {digit(high / 10), digit(high % 10), u':',
                           digit(low / 10),  digit(low % 10),  TimeBaseSuffix(timeBase)[0]};  // one letter
  out->str().assign(text, std::size(text));
}

int CurrentTimeBase(const CBlockTime& t, bool second) {
  return second ? SecondBase(&t) : FirstBase(&t);
}

void CBlockTime::FindTextRule(const CRuntimeClass* cls) {
  auto is = [cls](const CRuntimeClass* kind) { return cls->IsDerivedFrom(kind); };
  if (is(RUNTIME_CLASS(CBlockMPLR))) {
    m_textBase = TextBase::kOnOffDelay;
  } else if (is(RUNTIME_CLASS(CBlockRPR))) {
    m_textBase = TextBase::kPulseTrain;
  } else if (is(RUNTIME_CLASS(CBlockAPG))) {
    m_textBase = TextBase::kPulseGenerator;
  } else if (is(RUNTIME_CLASS(CBlockSLS))) {
    m_textBase = TextBase::kSecond;
  } else if (is(RUNTIME_CLASS(CBlockMFS))) {
    m_textBase = TextBase::kSwitch;
  } else if (is(RUNTIME_CLASS(CBlockDPR)) || is(RUNTIME_CLASS(CBlockDDR)) || is(RUNTIME_CLASS(CBlockPLR)) ||
             is(RUNTIME_CLASS(CBlockCPG))) {
    m_textBase = TextBase::kFirst;
  } else {
    m_textBase = TextBase::kFirstParam;
  }
  if (is(RUNTIME_CLASS(CBlockYT))) {
    m_textForm = TextForm::kDate;
  } else if (is(RUNTIME_CLASS(CBlockWT))) {
    m_textForm = TextForm::kDateAndTime;
  } else if (is(RUNTIME_CLASS(CBlockAC)) || is(RUNTIME_CLASS(CBlockSW)) || cls == RUNTIME_CLASS(CBlockTime)) {
    m_textForm = TextForm::kNone;
  } else {
    m_textForm = TextForm::kElapsed;
  }
  m_pTextRuleClass = cls;
}

void CBlockTime::FormatTimeText(CViewContext* view, CString* out) {
  if (out == nullptr) return;
  // Every scan writes the text of every time block: the class is asked once.
  if (const CRuntimeClass* cls = GetRuntimeClass(); cls != m_pTextRuleClass) FindTextRule(cls);
  switch (m_textForm) {
    case TextForm::kDate:
      if (view) *out = view->FormatSimulatedTime(TRUE, 1);
      return;
    case TextForm::kDateAndTime:
      if (view) *out = view->FormatSimulatedTime(FALSE, 0);
      return;
    case TextForm::kNone:
      return;
    case TextForm::kElapsed:
      break;
  }
  const int first = FirstBase(this);
  int base = m_nParam11;
  switch (m_textBase) {
    case TextBase::kOnOffDelay:
      base = (!m_bTiming && m_bPresetShown) ? SecondBase(this) : first;
      break;
    case TextBase::kPulseTrain:
      base = m_bSecondPhase ? SecondBase(this) : first;
      break;
    case TextBase::kPulseGenerator:
      if (m_bTiming) {
        base = m_bSecondPhase ? SecondBase(this) : first;
      } else {
        base = static_cast<const CBlockAPG*>(this)->m_bLastPhaseOn ? first : SecondBase(this);
      }
      break;
    case TextBase::kSecond:
      base = SecondBase(this);
      break;
    case TextBase::kSwitch: {
      const int state = static_cast<const CBlockMFS*>(this)->m_nState;
      base = (state == 1 || state == 3) ? first : SecondBase(this);
      break;
    }
    case TextBase::kFirst:
      base = first;
      break;
    case TextBase::kFirstParam:
      break;
  }
  FormatElapsedTime(m_dValue, base, out);
}

// ---- Simulation start, reset and stepping -------------------------------------------

void CBlockTime::UpdateValueText(CViewContext* view) {
  FormatTimeText(view, &m_strValueText);
}

void CBlockTime::AdvanceStepCycle() {
  // The pulse relay and the random generator count their second phase themselves.
  const bool secondCounts = !IsKindOf(RUNTIME_CLASS(CBlockRPR)) && !IsKindOf(RUNTIME_CLASS(CBlockRG));
  if (m_bTiming || (secondCounts && m_bSecondPhase)) m_dValue += 10.0;
}

void CBlockTime::StartSimulation(const SimEvent& ev) {
  m_dValue = 0;
  m_dElapsedBase = 0;
  m_stStart = ev.now;
  m_bTiming = 0;
  m_bSecondPhase = 0;
}

void CBlockSLS::StartSimulation(const SimEvent& ev) {
  CBlockTime::StartSimulation(ev);
  m_byWarnState = 0;
}

void CBlockMPLR::StartSimulation(const SimEvent& ev) {
  CBlockTime::StartSimulation(ev);
  m_bPresetShown = 0;
}

void CBlockRPR::StartSimulation(const SimEvent& ev) {
  CBlockTime::StartSimulation(ev);
  m_bPresetShown = 0;
  m_nPulseCount = -1;
  m_nPulseLimit = 0;
}

void CBlockAPG::StartSimulation(const SimEvent& ev) {
  CBlockTime::StartSimulation(ev);
  m_bPresetShown = 0;
}

void CBlockMFS::StartSimulation(const SimEvent& ev) {
  CBlockTime::StartSimulation(ev);
  m_nState = 0;
  m_byWarnState = 0;
  m_nValue[kFirstOutputPin] = 0;
}

void CBlockDDR::ClearKindState(const SimEvent& ev) {
  m_bTiming = 0;
}

void CBlockPLR::ClearKindState(const SimEvent& ev) {
  m_bTiming = 0;
}

void CBlockCPG::ClearKindState(const SimEvent& ev) {
  m_bTiming = 0;
}

void CBlockSLS::ClearKindState(const SimEvent& ev) {
  m_bTiming = 0;
}

void CBlockMPLR::ClearKindState(const SimEvent& ev) {
  m_bSecondPhase = 0;
}

void CBlockRPR::ClearKindState(const SimEvent& ev) {
  m_bSecondPhase = 0;
}

void CBlockAPG::ClearKindState(const SimEvent& ev) {
  m_bTiming = m_bSecondPhase = 0;
}

void CBlockRG::ClearKindState(const SimEvent& ev) {
  if ((m_nValue[0] & 1) == 0) m_bTiming = 0;
}

void CBlockMFS::ClearKindState(const SimEvent& ev) {
  if (m_nState == 2) m_nState = 0;
  m_bTiming = 0;
}
