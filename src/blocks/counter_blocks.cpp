#include "blocks/counter_blocks.h"

#include "blocks/block_slots.h"

IMPLEMENT_SERIAL(CBlockCOUNTER, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockCOUNTER::CBlockCOUNTER() {
  m_byCaps = kCaps;
}

CBlockCOUNTER::CBlockCOUNTER(int typeCode) : CBlockObj(typeCode, 4) {
  m_wMemSize = 24;
  m_nMaxValue = 999999;
  m_nLinkSlots = 6;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 59, LINK_EMPTY});
  m_dValue = m_nParam8;  // the count starts at the start value
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockHCOUNTER, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockHCOUNTER::CBlockHCOUNTER() {
  m_byCaps = kCaps;
}

CBlockHCOUNTER::CBlockHCOUNTER(int typeCode) : CBlockObj(typeCode, 4) {
  m_wMemSize = 24;
  m_nMaxValue = 1023;
  m_nLinkSlots = 7;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 59, 58, LINK_EMPTY});
  m_nParam1 = 1;  // retentive
  m_nParam18 = 0;
  m_nParam11 = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockTHTRG, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockTHTRG::CBlockTHTRG() {
  m_byCaps = kCaps;
}

CBlockTHTRG::CBlockTHTRG(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 16;
  m_nLinkSlots = 5;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 59, 58, LINK_EMPTY});
  m_nParam15 = 1;  // gate time 1 s
  m_byCaps = kCaps;
}
