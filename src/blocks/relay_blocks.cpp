#include "blocks/relay_blocks.h"

#include <algorithm>
#include <vector>

#include "blocks/block_scan_steps.h"
#include "blocks/block_slots.h"
#include "blocks/operand_blocks.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"

IMPLEMENT_SERIAL(CBlockLR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockLR::CBlockLR() {
  m_byCaps = kCaps;
}

CBlockLR::CBlockLR(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 3, ctx) {
  PresetImage(*this, 8, 3, {kKeepLink, kKeepLink, LINK_PARAM});
  m_nParam2 = 1;  // parameter protection on
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockPR::CBlockPR() {
  m_byCaps = kCaps;
}

CBlockPR::CBlockPR(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 4, ctx) {
  PresetImage(*this, 12, 5, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam2 = 1;  // parameter protection on
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSREG, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSREG::CBlockSREG() {
  m_byCaps = kCaps;
}

CBlockSREG::CBlockSREG(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 4, ctx) {
  PresetImage(*this, 12, 5, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam2 = 1;  // parameter protection on
  m_nParam24 = FreeRegisterIndex(ctx.doc);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMATHERR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMATHERR::CBlockMATHERR() {
  m_byCaps = kCaps;
}

CBlockMATHERR::CBlockMATHERR(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 3, ctx) {
  PresetImage(*this, 16, 6, {kKeepLink, kKeepLink, LINK_PARAM, 58, 59, LINK_EMPTY});
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

BOOL CBlockLR::Simulate(CViewContext* view) {
  enum { kS = 0, kR = 1 };
  ReadInputs(view);
  if (m_nValue[kR] == 1) {
    scan_steps::SetOutput(*this, view, 0);
  } else if (m_nValue[kS] == 1) {
    scan_steps::SetOutput(*this, view, 1);
  }
  scan_steps::UpdateContacts(*this, view);
  return 1;
}

BOOL CBlockPR::Simulate(CViewContext* view) {
  enum { kTrg = 0, kS = 1, kR = 2 };
  ReadInputs(view);
  const bool set = m_nValue[kS] == 1;
  const bool reset = m_nValue[kR] == 1;
  if (set && reset) {
    scan_steps::SetOutput(*this, view, m_nParam25 == 0 ? 0 : 1);
  } else if (set) {
    scan_steps::SetOutput(*this, view, 1);
  } else if (reset) {
    scan_steps::SetOutput(*this, view, 0);
  } else if (scan_steps::Rose(*this, kTrg)) {
    m_nValue[kFirstOutputPin] = m_nValue[kFirstOutputPin] == 0 ? 1 : 0;
    scan_steps::MarkOutputChanged(*this, view);
    m_bChanged[kTrg] = 0;
  }
  scan_steps::UpdateContacts(*this, view);
  return 1;
}

namespace {

// The shift-register bit operands of the blocks that a link generation names,
// in list order. All shift registers of a document show their bits on the same
// operands, so the blocks are found once per generation for all of them (a
// generation belongs to one view's blocks and never comes back). Each thread
// scans its own views.
struct ShiftBitOperands {
  unsigned long long generation = 0;
  std::vector<CBlockObj*> blocks;
};
thread_local ShiftBitOperands t_bitOperands;

const std::vector<CBlockObj*>& FindShiftBitOperands(const CZaradDoc& doc, unsigned long long generation) {
  ShiftBitOperands& found = t_bitOperands;
  if (generation != 0 && generation == found.generation) return found.blocks;
  found.blocks.clear();
  for (CBlockObj* block : doc.m_blocks) {
    const int index = block->m_nNumber - CBlockSREG::kFirstBitOperand;
    if (block->m_nType == CBlockSREG::kBitOperandType && index >= 0 && index < 16)
      found.blocks.push_back(block);
  }
  found.generation = generation;
  return found.blocks;
}

}  // namespace

BOOL CBlockSREG::Simulate(CViewContext* view) {
  enum { kIn = 0, kTrg = 1, kDir = 2 };
  ReadInputs(view);
  if (scan_steps::Rose(*this, kTrg)) {
    const int in = m_nValue[kIn] != 0 ? 1 : 0;
    if (m_nValue[kDir] == 0) {
      m_wBits = static_cast<WORD>((m_wBits << 1) | in);
    } else {
      m_wBits = static_cast<WORD>((m_wBits >> 1) | (in << 15));
    }
    const int bit = m_nParam23;
    scan_steps::SetOutput(*this, view, bit >= 0 && bit < 16 ? (m_wBits >> bit) & 1 : 0);
    if (CZaradDoc* doc = view->GetDocument()) {
      for (CBlockObj* block : FindShiftBitOperands(*doc, view->GetLinkGeneration()))
        block->m_nValue[kFirstOutputPin] = (m_wBits >> (block->m_nNumber - kFirstBitOperand)) & 1;
    }
  }
  scan_steps::UpdateContacts(*this, view);
  return 1;
}

void CBlockSREG::StartSimulation(const SimEvent& ev) {
  m_wBits = 0;
}

void CBlockSREG::ForgetBlock(const CBlockObj* block) {
  std::vector<CBlockObj*>& kept = t_bitOperands.blocks;
  if (std::find(kept.begin(), kept.end(), block) == kept.end()) return;
  kept.clear();
  t_bitOperands.generation = 0;
}

void CBlockSREG::ListKeptBlocks(std::vector<const CBlockObj*>& out) const {
  out.insert(out.end(), t_bitOperands.blocks.begin(), t_bitOperands.blocks.end());
}

void CBlockSREG::ClearKindState(const SimEvent& ev) {
  // A non-retentive shift register starts empty: no old bit comes back at the
  // next shift; the shift bits go with it.
  m_wBits = 0;
  CZaradDoc* doc = ev.view ? ev.view->GetDocument() : nullptr;
  if (doc == nullptr) return;
  for (CBlockObj* o : doc->m_blocks) {
    if (o->IsKindOf(RUNTIME_CLASS(CBlockShift))) o->m_nValue[kFirstOutputPin] = 0;
  }
}
