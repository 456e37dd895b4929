#include "blocks/logic_blocks.h"

#include <algorithm>

#include "blocks/block_scan_steps.h"
#include "model/view_context.h"
#include "platform/archive.h"

namespace {

constexpr int kXor = 306;
constexpr int kNot = 307;

// NAND, NAND(Edge), NOR and NOT are gates with their output negated.
bool IsNegatedGate(int typeCode) {
  return typeCode == 302 || typeCode == 303 || typeCode == 305 || typeCode == kNot;
}

}  // namespace

IMPLEMENT_SERIAL(CBlockLogic, CBlockObj, VERSIONABLE_SCHEMA | 1)

int CBlockLogic::InputCountOf(int typeCode) {
  if (typeCode == kNot) return 1;
  if (typeCode == kXor) return 2;
  return 4;
}

CBlockLogic::CBlockLogic() {
  m_byCaps = kCaps;
}

CBlockLogic::CBlockLogic(int typeCode, const BlockContext& ctx)
    : CBlockObj(typeCode, InputCountOf(typeCode), ctx) {
  m_wMemSize = typeCode == kNot ? 4 : typeCode == kXor ? 8 : 12;
  m_nLinkSlots = 0;
  if (typeCode != kNot) m_nSource[m_nInputs] = LINK_EMPTY;
  m_bInvert[kFirstOutputPin] = IsNegatedGate(typeCode) ? 1 : 0;
  m_nLogicFlag = 1;
  m_byCaps = kCaps;
}

void CBlockLogic::Serialize(CArchive& ar) {
  CBlockObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_nLogicFlag;
  } else {
    ar >> m_nLogicFlag;
  }
}

BOOL CBlockLogic::Simulate(CViewContext* view) {
  ReadInputs(view);
  Evaluate(view);
  if (m_bChanged[kFirstOutputPin]) {
    PropagateToContacts(view ? view->GetDocument() : nullptr);
    m_bChanged[kFirstOutputPin] = 0;
  }
  return TRUE;
}

void CBlockLogic::Evaluate(CViewContext* view) {
  const int inputs = InputPinCount();
  int& out = m_nValue[kFirstOutputPin];
  int acc = 0;
  int next = out;
  switch (m_nType) {
    case 300:
    case 302:
    case kNot:
      acc = 1;
      out = CombineInputs(&acc, 1);
      return;
    case 304:
    case 305:
      acc = 0;
      out = CombineInputs(&acc, 2);
      return;
    case kXor:
      acc = 0;
      out = CombineInputs(&acc, 4);
      return;
    case 301: {
      int changed = 0;
      for (int i = 0; i < inputs; ++i) {
        changed |= m_bChanged[i] ? 1 : 0;
        m_bChanged[i] = 0;
      }
      acc = 1;
      next = CombineInputs(&acc, 1) & changed;
      break;
    }
    case 303: {
      acc = 1;
      const int combined = CombineInputs(&acc, 1);
      const int now = acc;  // the AND itself, before the output negation
      int before = 1;
      for (int i = 0; i < inputs; ++i) {
        before &= m_bChanged[i] ? (m_nValue[i] == 0 ? 1 : 0) : m_nValue[i];
        m_bChanged[i] = 0;
      }
      const int fell = ((before & 1) == 1 && (now & 1) == 0) ? 1 : 0;
      next = combined & fell;
      break;
    }
    default:
      return;
  }
  // The edge gates mark a changed output in a ladder document.
  scan_steps::SetOutput(*this, view, next);
}

bool CBlockLogic::OpenInputReadsOne() const {
  // An open input never decides an AND/NAND (reads 1) nor an OR/NOR/XOR (reads 0).
  return (m_nType >= kTypeAnd && m_nType <= kTypeNandEdge) || m_nType == kTypeNot;
}

void CBlockLogic::StartSimulation(const SimEvent& ev) {
  m_dValue = 0;
  m_stStart = ev.now;
}
