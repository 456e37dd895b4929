#include "blocks/data_log_block.h"

#include "blocks/block_slots.h"

IMPLEMENT_SERIAL(CBlockDataLog, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockDataLog::CBlockDataLog() {
  m_byCaps = kCaps;
}

CBlockDataLog::CBlockDataLog(int typeCode) : CBlockObj(typeCode, 2) {
  m_nOutputs = 0;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM});
  m_byCaps = kCaps;
}
