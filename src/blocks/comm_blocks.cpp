#include "blocks/comm_blocks.h"

#include "blocks/block_slots.h"

IMPLEMENT_SERIAL(CBlockMR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMR::CBlockMR() {
  m_byCaps = kCaps;
}

CBlockMR::CBlockMR(int typeCode) : CBlockObj(typeCode, 3) {
  m_wMemSize = 18;
  m_nLinkSlots = 8;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 82, 83, 84, 85, 86, 57, LINK_EMPTY});
  m_nParam11 = 0;  // polling cycle: successive
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMW, CBlockMR, VERSIONABLE_SCHEMA | 1)

CBlockMW::CBlockMW() = default;

CBlockMW::CBlockMW(int typeCode) : CBlockMR(typeCode) {}

IMPLEMENT_SERIAL(CBlockWIFI, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockWIFI::CBlockWIFI() = default;

CBlockWIFI::CBlockWIFI(int typeCode, int inputCount) : CBlockObj(typeCode, inputCount) {}

IMPLEMENT_SERIAL(CBlockUDC, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockUDC::CBlockUDC() {
  m_byCaps = kCaps;
}

CBlockUDC::CBlockUDC(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 24;
  m_nLinkSlots = 15;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 57, 82, 83, 84, 85, 58, 86, 59, 64, 60, 61, 62, 63});
  m_nParam16 = 0;  // COM0
  m_nParam18 = 0;
  m_nParam5 = 0;
  m_nParam6 = 0;
  m_nParam7 = 0;
  m_nParam11 = 1;  // cycle
  m_nParam21 = 1;  // received words
  m_nParam22 = 1;  // transmitted words
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockCRC16, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockCRC16::CBlockCRC16() {
  m_byCaps = kCaps;
}

CBlockCRC16::CBlockCRC16(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nLinkSlots = 5;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 85, 83, LINK_EMPTY});
  m_nParam15 = 1;  // number of words
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWIFIIn, CBlockWIFI, VERSIONABLE_SCHEMA | 1)

CBlockWIFIIn::CBlockWIFIIn() {
  m_byCaps = kCaps;
}

CBlockWIFIIn::CBlockWIFIIn(int typeCode) : CBlockWIFI(typeCode, 2) {
  m_wMemSize = 12;
  m_nLinkSlots = 8;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 98, 99, 100, 101, 58, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWIFIOut, CBlockWIFI, VERSIONABLE_SCHEMA | 1)

CBlockWIFIOut::CBlockWIFIOut() {
  m_byCaps = kCaps;
}

CBlockWIFIOut::CBlockWIFIOut(int typeCode) : CBlockWIFI(typeCode, 3) {
  m_wMemSize = 12;
  m_nOutputs = 0;
  m_nLinkSlots = 7;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 98, 99, 100, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWIFIAI, CBlockWIFI, VERSIONABLE_SCHEMA | 1)

CBlockWIFIAI::CBlockWIFIAI() {
  m_byCaps = kCaps;
}

CBlockWIFIAI::CBlockWIFIAI(int typeCode) : CBlockWIFI(typeCode, 2) {
  m_wMemSize = 12;
  m_nLinkSlots = 7;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 98, 99, 100, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWIFIAOut, CBlockWIFI, VERSIONABLE_SCHEMA | 1)

CBlockWIFIAOut::CBlockWIFIAOut() {
  m_byCaps = kCaps;
}

CBlockWIFIAOut::CBlockWIFIAOut(int typeCode) : CBlockWIFI(typeCode, 3) {
  m_wMemSize = 12;
  m_nOutputs = 0;
  m_nLinkSlots = 7;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 98, 99, 100, LINK_EMPTY});
  m_byCaps = kCaps;
}
