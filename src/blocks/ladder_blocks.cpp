#include "blocks/ladder_blocks.h"

#include "blocks/block_scan_steps.h"
#include "model/block_registry.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"

IMPLEMENT_SERIAL(CBlockMake, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMake::CBlockMake() {
  m_byCaps = kCaps;
}

CBlockMake::CBlockMake(int typeCode) : CBlockObj(typeCode, 1) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockBreak, CBlockMake, VERSIONABLE_SCHEMA | 1)

CBlockBreak::CBlockBreak() = default;

CBlockBreak::CBlockBreak(int typeCode) : CBlockMake(typeCode) {}

IMPLEMENT_SERIAL(CBlockAContact, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAContact::CBlockAContact() {
  m_byCaps = kCaps;
}

CBlockAContact::CBlockAContact(int typeCode) : CBlockObj(typeCode, 1) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockRelayCoil, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockRelayCoil::CBlockRelayCoil() {
  m_byCaps = kCaps;
}

CBlockRelayCoil::CBlockRelayCoil(int typeCode) : CBlockObj(typeCode, 1) {
  m_nOutputs = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockInvOut, CBlockRelayCoil, VERSIONABLE_SCHEMA | 1)

CBlockInvOut::CBlockInvOut() = default;

CBlockInvOut::CBlockInvOut(int typeCode) : CBlockRelayCoil(typeCode) {}

IMPLEMENT_SERIAL(CBlockAOutLAD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAOutLAD::CBlockAOutLAD() {
  m_byCaps = kCaps;
}

CBlockAOutLAD::CBlockAOutLAD(int typeCode) : CBlockObj(typeCode, 1) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CPowerBusObj, CBlockHigh, VERSIONABLE_SCHEMA | 1)

CPowerBusObj::CPowerBusObj() {
  m_nInputs = 0;
  m_nOutputs = 0;
  m_ptPos = kPosition;
  m_nNumber = kNumber;
}

CPowerBusObj::CPowerBusObj(int typeCode) : CBlockHigh(typeCode) {
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
  const int h = element.m_nOperand;
  auto in = [h](int first, int last) { return h >= first && h <= last; };
  if (element.IsKindOf(RUNTIME_CLASS(CBlockMake))) {
    return in(100, 355) || in(1000, 1063) || in(1870, 2869) || in(2900, 3899);
  }
  if (element.IsKindOf(RUNTIME_CLASS(CBlockAContact))) return in(4000, 4127);
  if (element.IsKindOf(RUNTIME_CLASS(CBlockRelayCoil)))
    return in(600, 727) || in(1316, 1827) || in(4800, 4927);
  if (element.IsKindOf(RUNTIME_CLASS(CBlockAOutLAD))) return in(4230, 4261) || in(4288, 4799);
  return false;
}
