#include "blocks/block_slots.h"

#include "model/block_obj.h"

void PresetSlotCodes(CBlockObj& block, std::initializer_list<int> codes) {
  int slot = 0;
  for (int code : codes) {
    if (slot == kFirstOutputPin) ++slot;
    if (slot >= kPinCount) break;
    if (code != kKeepLink) block.m_nSource[slot] = code;
    ++slot;
  }
}

void PresetImage(CBlockObj& block, WORD memSize, int linkSlots, std::initializer_list<int> codes) {
  block.m_wMemSize = memSize;
  block.m_nLinkSlots = linkSlots;
  PresetSlotCodes(block, codes);
}
