#include "blocks/operand_blocks.h"

#include "blocks/analog_range_tracer.h"
#include "blocks/block_scan_steps.h"
#include "model/block_eval.h"
#include "model/view_context.h"
#include "platform/archive.h"

namespace {

constexpr int kFrequency = 3;  // m_nParam26: simulated as a frequency

void ReportInput(CViewContext* view, CBlockObj* block) {
  if (view) view->UpdateInputControl(block);
}
void ReportOutput(CViewContext* view, CBlockObj* block) {
  if (view) view->UpdateOutputControl(block);
}

// The scan of the digital input and the function key.
void SimulateDigitalInput(CViewContext* view, CBlockObj* block, int* shownValue) {
  if (block->m_nParam26 == kFrequency) {
    if (block->m_nSimValue != *shownValue) {
      *shownValue = block->m_nSimValue;
      ReportInput(view, block);
    }
  } else if (block->m_bChanged[kFirstOutputPin]) {
    ReportInput(view, block);
    block->m_bChanged[kFirstOutputPin] = 0;
  }
}

}  // namespace

IMPLEMENT_SERIAL(CBlockIn, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockIn::CBlockIn() {
  m_byCaps = kCaps;
}

CBlockIn::CBlockIn(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 0, ctx) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

void CBlockIn::Serialize(CArchive& ar) {
  CBlockObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_bHighSpeed;
  } else {
    ar >> m_bHighSpeed;
  }
}

BOOL CBlockIn::Simulate(CViewContext* view) {
  SimulateDigitalInput(view, this, &m_nShownValue);
  return TRUE;
}

IMPLEMENT_SERIAL(CBlockShift, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockShift::CBlockShift() {
  m_byCaps = kCaps;
}

CBlockShift::CBlockShift(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 0, ctx) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockOut, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockOut::CBlockOut() {
  m_byCaps = kCaps;
}

CBlockOut::CBlockOut(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_nLinkSlots = 0;
  m_nOperand = 0;
  m_byCaps = kCaps;
}

BOOL CBlockOut::Simulate(CViewContext* view) {
  const int state = LinkedOutputState(view, m_nSource[0]);
  m_nValue[0] = state;
  if (state != m_nValue[kFirstOutputPin]) {
    m_nValue[kFirstOutputPin] = state;
    m_bChanged[0] = 1;
    ReportOutput(view, this);
    m_bChanged[0] = 0;
  }
  return TRUE;
}

IMPLEMENT_SERIAL(CBlockOpenX, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockOpenX::CBlockOpenX() {
  m_byCaps = kCaps;
}

CBlockOpenX::CBlockOpenX(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_nOutputs = 0;
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

BOOL CBlockOpenX::Simulate(CViewContext* view) {
  const int inputs = m_nInputs < kMaxInputPins ? m_nInputs : kMaxInputPins;
  for (int i = 0; i < inputs; ++i) m_nValue[i] = LinkedOutputState(view, m_nSource[i]);
  return TRUE;
}

IMPLEMENT_SERIAL(CBlockFlag, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockFlag::CBlockFlag() {
  m_byCaps = kCaps;
}

CBlockFlag::CBlockFlag(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

BOOL CBlockFlag::Simulate(CViewContext* view) {
  const int inputs = m_nInputs < kMaxInputPins ? m_nInputs : kMaxInputPins;
  int any = 0;
  for (int i = 0; i < inputs; ++i) {
    m_nValue[i] = LinkedOutputState(view, m_nSource[i]);
    any |= m_nValue[i];
  }
  m_nValue[kFirstOutputPin] = any;
  return TRUE;
}

IMPLEMENT_SERIAL(CBlockAnalogIn, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAnalogIn::CBlockAnalogIn() {
  m_byCaps = kCaps;
}

CBlockAnalogIn::CBlockAnalogIn(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 0, ctx) {
  m_nMaxValue = 1000;
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

BOOL CBlockAnalogIn::Simulate(CViewContext* view) {
  if (m_nSimValue != m_nShownValue) {
    m_nShownValue = m_nSimValue;
    m_bChanged[kFirstOutputPin] = 1;
    ReportInput(view, this);
    m_bChanged[kFirstOutputPin] = 0;
  }
  return TRUE;
}

std::vector<CString> CBlockAnalogIn::GetValueBoxLines() const {
  std::vector<CString> lines(1);
  lines[0].Format("%-6d", m_nSimValue);
  if (m_nWordValue >= 0) {
    lines.emplace_back();
    lines[1].Format("%-6d", m_nWordValue);
  }
  return lines;
}

IMPLEMENT_SERIAL(CBlockAnalogOut, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAnalogOut::CBlockAnalogOut() {
  m_byCaps = kCaps;
}

CBlockAnalogOut::CBlockAnalogOut(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

BOOL CBlockAnalogOut::Simulate(CViewContext* view) {
  if (scan_steps::TakeInputWord(*this, view)) {
    ReportOutput(view, this);
    m_bChanged[0] = 0;
  }
  return TRUE;
}

IMPLEMENT_SERIAL(CBlockAnalogFlag, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAnalogFlag::CBlockAnalogFlag() {
  m_byCaps = kCaps;
}

CBlockAnalogFlag::CBlockAnalogFlag(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

BOOL CBlockAnalogFlag::Simulate(CViewContext* view) {
  scan_steps::TakeInputWord(*this, view);
  return TRUE;
}

IMPLEMENT_SERIAL(CBlockFKey, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockFKey::CBlockFKey() {
  m_byCaps = kCaps;
}

CBlockFKey::CBlockFKey(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 0, ctx) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

BOOL CBlockFKey::Simulate(CViewContext* view) {
  SimulateDigitalInput(view, this, &m_nShownValue);
  return TRUE;
}

IMPLEMENT_SERIAL(CBlockLow, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockLow::CBlockLow() {
  m_byCaps = kCaps;
}

CBlockLow::CBlockLow(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 0, ctx) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockHigh, CBlockLow, VERSIONABLE_SCHEMA | 1)

CBlockHigh::CBlockHigh() = default;

CBlockHigh::CBlockHigh(int typeCode, const BlockContext& ctx) : CBlockLow(typeCode, ctx) {
  m_nValue[kFirstOutputPin] = 1;
}

// ---- Simulation start and end --------------------------------------------------

namespace {

// A key or input starts at its minimum; a momentary break is closed until pressed.
void StartKey(CBlockObj& b, int* shown) {
  b.m_nSimValue = b.m_nMinValue;
  *shown = b.m_nMinValue;
  if (b.m_nParam26 == 2) {
    b.m_nValue[kFirstOutputPin] = 1;
    b.m_bChanged[kFirstOutputPin] = 1;
  }
}

}  // namespace

void CBlockIn::StartSimulation(const SimEvent& ev) {
  StartKey(*this, &m_nShownValue);
}

void CBlockFKey::StartSimulation(const SimEvent& ev) {
  StartKey(*this, &m_nShownValue);
}

void CBlockHigh::StartSimulation(const SimEvent& ev) {
  m_nValue[kFirstOutputPin] = 1;
  m_bChanged[kFirstOutputPin] = 1;
}

void CBlockAnalogIn::StartSimulation(const SimEvent& ev) {
  // The range follows the analog functions the input feeds; the input starts at its minimum.
  CAnalogRangeTracer(ev.view ? ev.view->GetDocument() : nullptr).UpdateAnalogInputRange(this, true);
  m_nSimValue = m_nMinValue;
  m_nShownValue = m_nMinValue;
  m_nWordValue = 0;
}

void CBlockAnalogIn::LeaveSimulation(const SimEvent& ev) {
  m_nWordValue = 0;
  m_nSimValue = m_nMinValue;
}

void CBlockAnalogOut::StartSimulation(const SimEvent& ev) {
  m_nWordValue = 0;
}

void CBlockAnalogFlag::StartSimulation(const SimEvent& ev) {
  m_nWordValue = 0;
}
