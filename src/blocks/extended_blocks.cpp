#include "blocks/extended_blocks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "blocks/block_slots.h"
#include "blocks/block_values.h"
#include "blocks/value_box.h"
#include "model/block_eval.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"

IMPLEMENT_SERIAL(CBlockMEM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMEM::CBlockMEM() {
  m_byCaps = kCaps;
}

CBlockMEM::CBlockMEM(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 12, 6, {kKeepLink, LINK_PARAM, 84, 83, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockENCODER, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockENCODER::CBlockENCODER() {
  m_byCaps = kCaps;
}

CBlockENCODER::CBlockENCODER(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 24, 8, {kKeepLink, LINK_PARAM, 70, 71, 58, LINK_EMPTY, LINK_EMPTY, LINK_EMPTY});
  m_nMinValue = -999999;
  m_nMaxValue = 999999;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSMC, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSMC::CBlockSMC() {
  m_byCaps = kCaps;
}

CBlockSMC::CBlockSMC(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 3, ctx) {
  PresetImage(*this, 16, 6, {kKeepLink, kKeepLink, LINK_PARAM, 95, 78, LINK_EMPTY});
  m_nMaxValue = 99999999;
  m_nParam15 = 250;  // speed
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSMCE, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSMCE::CBlockSMCE() {
  m_byCaps = kCaps;
}

CBlockSMCE::CBlockSMCE(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 4, ctx) {
  PresetImage(*this, 22, 8, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 95, 78, 77, LINK_EMPTY});
  m_nMaxValue = 99999999;
  m_nParam15 = 250;  // speed
  m_nParam20 = 0;    // steps
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPTO, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockPTO::CBlockPTO() {
  m_byCaps = kCaps;
}

CBlockPTO::CBlockPTO(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 12, 4, {kKeepLink, LINK_PARAM, 78, LINK_EMPTY});
  m_nMaxValue = 99999999;
  m_nParam15 = 0;  // pulse width
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPTOE, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockPTOE::CBlockPTOE() {
  m_byCaps = kCaps;
}

CBlockPTOE::CBlockPTOE(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 3, ctx) {
  PresetImage(*this, 18, 6, {kKeepLink, kKeepLink, LINK_PARAM, 78, 77, LINK_EMPTY});
  m_nMaxValue = 99999999;
  m_nParam15 = 0;  // pulse width
  m_nParam20 = 0;  // pulses
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSEG, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSEG::CBlockSEG() {
  m_byCaps = kCaps;
}

CBlockSEG::CBlockSEG(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 10, 4, {kKeepLink, kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWORD2BIT, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockWORD2BIT::CBlockWORD2BIT() {
  m_byCaps = kCaps;
}

CBlockWORD2BIT::CBlockWORD2BIT(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 10, 4, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_nMaxValue = 15;
  m_byCaps = kCaps;
}

// ---- Scan and value boxes ------------------------------------------------------

const BYTE g_SegmentPatterns[16] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07,
                                    0x7F, 0x67, 0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71};

namespace {

constexpr double kPulseLimit = 99999999.0;  // speed, width and counts of the motor and pulse blocks

// Sets the output and, in a ladder document, hands a change to the contacts.
void SetOutput(CBlockObj& b, CViewContext* view, int value) {
  if (b.m_nValue[kFirstOutputPin] == value) return;
  b.m_nValue[kFirstOutputPin] = value;
  if (IsLadderView(view)) b.PropagateToContacts(view->GetDocument());
}

// A motor or pulse parameter: the reference held to 0..99999999, else the constant.
double PulseParam(CBlockObj& b, int k, int constant) {
  double value = constant;
  ReadRefValue(b, k, 0.0, kPulseLimit, &value);
  return value;
}

// The level-enabled kinds (849, 851): the output follows "En" when it changes.
BOOL SimulateLevel(CBlockObj& b, CViewContext* view) {
  b.ReadInputs(view);
  if (b.m_bChanged[0]) {
    SetOutput(b, view, b.m_nValue[0]);
    b.m_bChanged[0] = 0;
  }
  return TRUE;
}

// The edge-triggered kinds (850, 852): "Trg" pin 0 starts a period, "R" pin 1 ends it.
template <typename Block>
BOOL SimulateEdge(Block& b, CViewContext* view) {
  b.ReadInputs(view);
  if (b.m_bChanged[1]) {
    if (b.m_nValue[1] == 1 && b.m_nValue[kFirstOutputPin] == 1) SetOutput(b, view, 0);
    b.m_bChanged[1] = 0;
    return TRUE;
  }
  if (b.m_nValue[1] == 1) return TRUE;
  if (b.m_bChanged[0]) {
    if (b.m_nValue[0] == 1 && b.m_nValue[kFirstOutputPin] == 0) {
      if (view) b.m_stStart = view->GetSimulatedTime();
      SetOutput(b, view, 1);
    }
    b.m_bChanged[0] = 0;
    return TRUE;
  }
  if (b.m_nValue[kFirstOutputPin] == 1 && b.IsPeriodElapsed(view)) SetOutput(b, view, 0);
  return TRUE;
}

// The period test against a period in milliseconds.
BOOL PeriodElapsed(CBlockObj& b, CViewContext* view, double periodMs) {
  if (IsStampSet(b.m_stPause)) return FALSE;
  if (view && view->IsTimeAdvancing(true)) {
    b.m_dValue = static_cast<double>(MsBetween(b.m_stStart, view->GetScanTime()));
  }
  if (periodMs > b.m_dValue) return FALSE;
  b.m_dValue = std::trunc(periodMs);
  return TRUE;
}

}  // namespace

BOOL CBlockENCODER::Simulate(CViewContext* view) {
  ReadInputs(view);
  int on = m_nParam10, off = m_nParam15;
  ReadRefInt(*this, 0, -999999, 999999, &on);
  ReadRefInt(*this, 1, -999999, 999999, &off);
  const int old = m_nValue[kFirstOutputPin];
  int& out = m_nValue[kFirstOutputPin];
  if (m_nValue[0] == 1) {
    m_dValue = m_nParam8;
    out = 0;
  } else {
    // The source pair: inputs 100 and 101, or 102 and 103; pins 2 and 3 (not
    // inputs of the encoder) remember whether the pair was already counted.
    const int first = m_nParam20 == 0 ? 100 : 102;
    int& edge = m_nValue[m_nParam20 == 0 ? 2 : 3];
    const CBlockObj* a = view ? view->FindBlock(first) : nullptr;
    const CBlockObj* b = view ? view->FindBlock(first + 1) : nullptr;
    if (a && b && a->m_nValue[kFirstOutputPin] != 0 && b->m_nValue[kFirstOutputPin] != 0) {
      if (edge == 0) {
        if (m_dValue < m_nMaxValue) m_dValue += 1;
        edge = 1;
      }
    } else {
      edge = 0;
    }
    if (on >= off) {
      if (m_dValue >= on) {
        out = 1;
      } else if (m_dValue < off) {
        out = 0;
      }
    } else {
      out = on <= m_dValue && m_dValue < off ? 1 : 0;
    }
  }
  if (out != old && IsLadderView(view)) PropagateToContacts(view->GetDocument());
  return TRUE;
}

void CBlockENCODER::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 1)) return;
  CString text;
  text.Format("%-7ld", static_cast<long>(TruncToInt(m_dValue)));
  PaintValueBox(dc, *this, 2 * m_nWidth, text);
}

BOOL CBlockSMC::Simulate(CViewContext* view) {
  return SimulateLevel(*this, view);
}

BOOL CBlockPTO::Simulate(CViewContext* view) {
  return SimulateLevel(*this, view);
}

BOOL CBlockSMCE::Simulate(CViewContext* view) {
  return SimulateEdge(*this, view);
}

BOOL CBlockSMCE::IsPeriodElapsed(CViewContext* view) {
  const double factor = m_nParam10 == 0 ? 0.005 : 0.01;
  return PeriodElapsed(*this, view,
                       factor * PulseParam(*this, 0, m_nParam20) * PulseParam(*this, 1, m_nParam15));
}

BOOL CBlockPTOE::Simulate(CViewContext* view) {
  return SimulateEdge(*this, view);
}

BOOL CBlockPTOE::IsPeriodElapsed(CViewContext* view) {
  return PeriodElapsed(*this, view,
                       PulseParam(*this, 0, m_nParam20) * PulseParam(*this, 1, m_nParam15) * 0.02);
}

BOOL CBlockSEG::Simulate(CViewContext* view) {
  ReadInputs(view);
  m_bChanged[0] = 0;
  int pattern = 0;
  if (m_nValue[0] == 1) {
    short word = 0;
    GetInputWord(&word, 1, view);
    pattern = g_SegmentPatterns[word & 0xF];
  }
  AssignValue(*this, pattern);
  return TRUE;
}

void CBlockSEG::DrawSimulated(CViewContext* view, CDC* dc) {
  DrawValueLook(*this, view, dc);
}

void CBlockSEG::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 1)) return;
  CString text;
  text.Format("0x%02X", static_cast<unsigned>(TruncToInt(m_dValue) & 0xFF));
  PaintValueBox(dc, *this, 5 * m_nWidth / 2, text);
}

BOOL CBlockWORD2BIT::Simulate(CViewContext* view) {
  m_nChangeState = -1;
  short word = 0;
  GetInputWord(&word, 0, view);
  int bit = m_nParam10;
  ReadRefInt(*this, 0, 0, 15, &bit);
  bit = std::clamp(bit, 0, 15);  // a damaged file may hold any constant
  TrackChange(*this, kScanInput | kScanParam, {word, bit});
  m_nValue[kFirstOutputPin] = (static_cast<uint16_t>(word) >> bit) & 1;
  return ReportedChangeState(*this);
}

// ---- Simulation start and end --------------------------------------------------

void CBlockENCODER::ResetCount() {
  m_dValue = m_nParam8;
  m_nValue[2] = m_nValue[3] = 0;
}

void CBlockENCODER::StartSimulation(const SimEvent& ev) {
  ResetCount();
}

void CBlockENCODER::LeaveSimulation(const SimEvent& ev) {
  ResetCount();  // starts afresh next time
}

void CBlockPTOE::StartSimulation(const SimEvent& ev) {
  m_dValue = 0;
  m_stStart = ev.now;
}

void CBlockPTOE::LeaveSimulation(const SimEvent& ev) {
  m_dValue = 0;
  m_stStart = ev.now;  // the edge-triggered pulse train starts afresh next time
}
