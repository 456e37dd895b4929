#include "blocks/relay_blocks.h"

#include "blocks/block_slots.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"

IMPLEMENT_SERIAL(CBlockLR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockLR::CBlockLR() {
  m_byCaps = kCaps;
}

CBlockLR::CBlockLR(int typeCode) : CBlockObj(typeCode, 3) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM});
  m_nParam2 = 1;  // parameter protection on
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockPR::CBlockPR() {
  m_byCaps = kCaps;
}

CBlockPR::CBlockPR(int typeCode) : CBlockObj(typeCode, 4) {
  m_wMemSize = 12;
  m_nLinkSlots = 5;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam2 = 1;  // parameter protection on
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSREG, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSREG::CBlockSREG() {
  m_byCaps = kCaps;
}

CBlockSREG::CBlockSREG(int typeCode) : CBlockObj(typeCode, 4) {
  m_wMemSize = 12;
  m_nLinkSlots = 5;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam2 = 1;  // parameter protection on
  m_nParam24 = FreeRegisterIndex(GetShellContext()->GetActiveDocument());
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMATHERR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMATHERR::CBlockMATHERR() {
  m_byCaps = kCaps;
}

CBlockMATHERR::CBlockMATHERR(int typeCode) : CBlockObj(typeCode, 3) {
  m_wMemSize = 16;
  m_nLinkSlots = 6;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 58, 59, LINK_EMPTY});
  m_nParam18 = 0;
  m_byCaps = kCaps;
}

int CBlockSREG::FreeRegisterIndex(const CZaradDoc* doc) {
  if (doc == nullptr || !doc->IsNewerFamily()) return 0;
  bool used[kRegisterCount] = {};
  for (const CBlockObj* block : doc->m_blocks) {
    // Indices outside 0..3 (a damaged file) mark nothing.
    if (block->IsKindOf(RUNTIME_CLASS(CBlockSREG)) && block->m_nParam24 >= 0 &&
        block->m_nParam24 < kRegisterCount)
      used[block->m_nParam24] = true;
  }
  for (int i = 0; i < kRegisterCount; ++i) {
    if (!used[i]) return i;
  }
  return 0;
}
