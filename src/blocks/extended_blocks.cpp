#include "blocks/extended_blocks.h"

#include "blocks/block_slots.h"

IMPLEMENT_SERIAL(CBlockMEM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMEM::CBlockMEM() {
  m_byCaps = kCaps;
}

CBlockMEM::CBlockMEM(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nLinkSlots = 6;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 84, 83, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockENCODER, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockENCODER::CBlockENCODER() {
  m_byCaps = kCaps;
}

CBlockENCODER::CBlockENCODER(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 24;
  m_nMinValue = -999999;
  m_nMaxValue = 999999;
  m_nLinkSlots = 8;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 70, 71, 58, LINK_EMPTY, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSMC, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSMC::CBlockSMC() {
  m_byCaps = kCaps;
}

CBlockSMC::CBlockSMC(int typeCode) : CBlockObj(typeCode, 3) {
  m_wMemSize = 16;
  m_nMaxValue = 99999999;
  m_nLinkSlots = 6;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 95, 78, LINK_EMPTY});
  m_nParam15 = 250;  // speed
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSMCE, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSMCE::CBlockSMCE() {
  m_byCaps = kCaps;
}

CBlockSMCE::CBlockSMCE(int typeCode) : CBlockObj(typeCode, 4) {
  m_wMemSize = 22;
  m_nMaxValue = 99999999;
  m_nLinkSlots = 8;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 95, 78, 77, LINK_EMPTY});
  m_nParam15 = 250;  // speed
  m_nParam20 = 0;    // steps
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPTO, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockPTO::CBlockPTO() {
  m_byCaps = kCaps;
}

CBlockPTO::CBlockPTO(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMaxValue = 99999999;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 78, LINK_EMPTY});
  m_nParam15 = 0;  // pulse width
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPTOE, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockPTOE::CBlockPTOE() {
  m_byCaps = kCaps;
}

CBlockPTOE::CBlockPTOE(int typeCode) : CBlockObj(typeCode, 3) {
  m_wMemSize = 18;
  m_nMaxValue = 99999999;
  m_nLinkSlots = 6;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 78, 77, LINK_EMPTY});
  m_nParam15 = 0;  // pulse width
  m_nParam20 = 0;  // pulses
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSEG, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSEG::CBlockSEG() {
  m_byCaps = kCaps;
}

CBlockSEG::CBlockSEG(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 10;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWORD2BIT, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockWORD2BIT::CBlockWORD2BIT() {
  m_byCaps = kCaps;
}

CBlockWORD2BIT::CBlockWORD2BIT(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 10;
  m_nMaxValue = 15;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}
