#include "blocks/ladder_blocks.h"

#include "blocks/analog_range_tracer.h"
#include "blocks/block_scan_steps.h"
#include "model/block_registry.h"
#include "model/doc_queries.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"

IMPLEMENT_SERIAL(CBlockMake, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMake::CBlockMake() {
  m_byCaps = kCaps;
}

CBlockMake::CBlockMake(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockBreak, CBlockMake, VERSIONABLE_SCHEMA | 1)

CBlockBreak::CBlockBreak() = default;

CBlockBreak::CBlockBreak(int typeCode, const BlockContext& ctx) : CBlockMake(typeCode, ctx) {}

IMPLEMENT_SERIAL(CBlockAContact, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAContact::CBlockAContact() {
  m_byCaps = kCaps;
}

CBlockAContact::CBlockAContact(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockRelayCoil, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockRelayCoil::CBlockRelayCoil() {
  m_byCaps = kCaps;
}

CBlockRelayCoil::CBlockRelayCoil(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_nOutputs = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockInvOut, CBlockRelayCoil, VERSIONABLE_SCHEMA | 1)

CBlockInvOut::CBlockInvOut() = default;

CBlockInvOut::CBlockInvOut(int typeCode, const BlockContext& ctx) : CBlockRelayCoil(typeCode, ctx) {}

IMPLEMENT_SERIAL(CBlockAOutLAD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAOutLAD::CBlockAOutLAD() {
  m_byCaps = kCaps;
}

CBlockAOutLAD::CBlockAOutLAD(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CPowerBusObj, CBlockHigh, VERSIONABLE_SCHEMA | 1)

CPowerBusObj::CPowerBusObj() {
  m_nInputs = 0;
  m_nOutputs = 0;
  m_ptPos = kPosition;
  m_nNumber = kNumber;
}

CPowerBusObj::CPowerBusObj(int typeCode, const BlockContext& ctx) : CBlockHigh(typeCode, ctx) {
  m_nOutputs = 0;
  m_ptPos = kPosition;
  m_nNumber = kNumber;
}

// ---- Scan -----------------------------------------------------------------------

void CBlockMake::Serialize(CArchive& ar) {
  CBlockObj::Serialize(ar);
}

BOOL CBlockMake::Simulate(CViewContext* view) {
  ReadInputs(view);
  if (!m_bChanged[0]) return TRUE;
  m_nValue[kFirstOutputPin] = m_nContactState == 1 ? m_nValue[0] : 0;
  m_bChanged[0] = 0;
  return TRUE;
}

BOOL CBlockAContact::Simulate(CViewContext* view) {
  if (m_nSource[0] != LINK_OPEN) ReadInputs(view);
  return TRUE;
}

BOOL CBlockRelayCoil::Simulate(CViewContext* view) {
  ReadInputs(view);
  if (m_nOperand >= kFirstOpenConnectorOperand &&
      m_nOperand < kFirstOpenConnectorOperand + kOpenConnectorOperandCount) {
    return TRUE;
  }
  if (!m_bChanged[0]) return TRUE;
  const int rung = m_nValue[0];
  m_nValue[kFirstOutputPin] = IsKindOf(RUNTIME_CLASS(CBlockInvOut)) ? (rung ^ 1) & 1 : rung;
  PropagateToContacts(view ? view->GetDocument() : nullptr);
  m_bChanged[0] = 0;
  return TRUE;
}

BOOL CBlockAOutLAD::Simulate(CViewContext* view) {
  scan_steps::TakeInputWord(*this, view);
  return TRUE;
}

bool IsNameCleanupOperand(const CBlockObj& element) {
  return element.OwnsOperandName();
}

namespace {

bool InOperandRange(int operand, int first, int count) {
  return operand >= first && operand < first + count;
}

}  // namespace

bool CBlockMake::OwnsOperandName() const {
  const int h = m_nOperand;
  return InOperandRange(h, kFirstInputOperand, kInputOperandCount) ||
         InOperandRange(h, kFirstShiftBitOperand, kShiftBitOperandCountNewer) ||
         InOperandRange(h, kFirstLowOperand, kLowOperandCount) ||
         InOperandRange(h, kFirstHighOperand, kHighOperandCount);
}

bool CBlockAContact::OwnsOperandName() const {
  return m_nOperand >= kFirstAnalogInputOperand && m_nOperand <= kLastAnalogContactInput;
}

bool CBlockRelayCoil::OwnsOperandName() const {
  const int h = m_nOperand;
  return InOperandRange(h, kFirstOutputOperand, kOutputOperandCount) ||
         InOperandRange(h, kFirstFlagOperand, kFlagOperandCount) ||
         InOperandRange(h, kFirstOpenConnectorOperand, kOpenConnectorOperandCount);
}

bool CBlockAOutLAD::OwnsOperandName() const {
  // AQ 4230..4261 and everything from AM up to the open connectors (4288..4799).
  const int h = m_nOperand;
  return InOperandRange(h, kFirstAnalogOutputOperand, kAnalogOutputOperandCount) ||
         (h >= kFirstAnalogFlagOperand && h < kFirstOpenConnectorOperand);
}

short CBlockAContact::GetOutputWord(const BlockLookup& find) const {
  if (m_nOperand >= kFirstAnalogInputOperand && m_nOperand <= kLastAnalogContactInput)
    return static_cast<short>(m_nWordValue);
  const CBlockObj* addressed = find.Find(m_nOperand);
  return addressed ? addressed->GetAddressedWord() : 0;
}

void CBlockMake::TakeAddressedState(int state) {
  m_nContactState = state != 0 ? 1 : 0;
  if (m_nValue[0] != 0) m_nValue[kFirstOutputPin] = state;
}

void CBlockBreak::TakeAddressedState(int state) {
  m_nContactState = state == 0 ? 1 : 0;
  if (m_nValue[0] != 0) m_nValue[kFirstOutputPin] = m_nContactState;
}

// ---- Labels: the names of the addressed operands --------------------------------

namespace {

bool Within(int v, int first, int count) {
  return v >= first && v < first + count;
}

}  // namespace

CString CBlockMake::GetLabelText(const CZaradDoc* doc) const {
  const int op = m_nOperand;
  if (Within(op, kFirstInputOperand, kInputOperandCount) ||
      Within(op, kFirstFunctionKeyOperand, kFunctionKeyOperandCount) ||
      Within(op, kFirstShiftBitOperand, kShiftBitOperandCountNewer) ||
      Within(op, kFirstLowOperand, kLowOperandCount) || Within(op, kFirstHighOperand, kHighOperandCount))
    return OperandUserName(doc, op);
  if (Within(op, kFirstCoilNumber, kCoilNumberCount)) return OperandNameThrough(doc, op);
  if (IsFunctionBlockNumber(op)) return FunctionBlockLabel(doc, op);
  return CString();
}

CString CBlockAContact::GetLabelText(const CZaradDoc* doc) const {
  const int op = m_nOperand;
  if (op >= kFirstAnalogInputOperand && op <= kLastAnalogContactInput) return OperandUserName(doc, op);
  if (Within(op, kFirstLadderAnalogOutputNumber, kLadderAnalogOutputNumberCount))
    return OperandNameThrough(doc, op);
  if (IsFunctionBlockNumber(op)) return FunctionBlockLabel(doc, op);
  return CString();
}

CString CBlockRelayCoil::GetLabelText(const CZaradDoc* doc) const {
  return OperandUserName(doc, m_nOperand);
}

CString CBlockAOutLAD::GetLabelText(const CZaradDoc* doc) const {
  return OperandUserName(doc, m_nOperand);
}

// ---- Simulation start and end --------------------------------------------------

namespace {

// The input behaviour (kSimSettingMode) of a frequency input.
constexpr int kSimModeFrequency = 3;

CZaradDoc* DocumentOf(const SimEvent& ev) {
  return ev.view ? ev.view->GetDocument() : nullptr;
}

}  // namespace

void CBlockMake::StartSimulation(const SimEvent& ev) {
  const bool high = InOperandRange(m_nOperand, kFirstHighOperand, kHighOperandCount);
  if (IsKindOf(RUNTIME_CLASS(CBlockBreak)) ? !high : high) m_nContactState = 1;
  AnalogSimSetting* setting = FindOperandSimSetting(DocumentOf(ev), m_nOperand);
  if (setting != nullptr && setting->nValues[kSimSettingMode] == kSimModeFrequency) {
    setting->nValues[kSimSettingValue] = setting->nValues[kSimSettingMin];
  }
}

void CBlockInvOut::StartSimulation(const SimEvent& ev) {
  if (!InOperandRange(m_nOperand, kFirstOpenConnectorOperand, kOpenConnectorOperandCount)) {
    m_nContactState = 1;
    m_nValue[kFirstOutputPin] = 1;
  }
}

void CBlockAContact::StartSimulation(const SimEvent& ev) {
  if (m_nSource[0] == LINK_OPEN) m_nValue[0] = 1;
  if (AnalogSimSetting* setting = FindOperandSimSetting(DocumentOf(ev), m_nOperand)) {
    setting->nValues[kSimSettingValue] = setting->nValues[kSimSettingMin];
  }
  m_nWordValue = 0;
}

void CBlockAContact::LeaveSimulation(const SimEvent& ev) {
  if (m_nOperand >= kFirstAnalogInputOperand && m_nOperand <= kLastAnalogContactInput) {
    m_nWordValue = 0;
    m_nSimValue = m_nMinValue;
  }
}

void CBlockAOutLAD::StartSimulation(const SimEvent& ev) {
  m_nWordValue = 0;
}
