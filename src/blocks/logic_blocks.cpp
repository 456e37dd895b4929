#include "blocks/logic_blocks.h"

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

CBlockLogic::CBlockLogic(int typeCode) : CBlockObj(typeCode, InputCountOf(typeCode)) {
  m_wMemSize = typeCode == kNot ? 4 : typeCode == kXor ? 8 : 12;
  m_nLinkSlots = 0;
  if (typeCode != kNot) m_nSource[m_nInputs] = LINK_EMPTY;
  m_bInvert[kFirstOutputPin] = IsNegatedGate(typeCode) ? 1 : 0;
  m_nLogicFlag = 1;
  m_byCaps = kCaps;
}
