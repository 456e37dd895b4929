#include "blocks/time_blocks.h"

#include "blocks/block_slots.h"

IMPLEMENT_SERIAL(CBlockTime, CBlockObj, 0)

CBlockTime::CBlockTime() = default;

CBlockTime::CBlockTime(int typeCode, int inputCount) : CBlockObj(typeCode, inputCount) {
  m_nMaxValue = 99;
  m_dValue = 0;
  m_dRemaining = 0;
  m_nChangeState = -1;
}

IMPLEMENT_SERIAL(CBlockDPR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockDPR::CBlockDPR() {
  m_byCaps = kCaps;
}

CBlockDPR::CBlockDPR(int typeCode) : CBlockTime(typeCode, 2) {
  m_wMemSize = 8;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockDDR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockDDR::CBlockDDR() {
  m_byCaps = kCaps;
}

CBlockDDR::CBlockDDR(int typeCode) : CBlockTime(typeCode, 3) {
  m_wMemSize = 12;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMPLR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockMPLR::CBlockMPLR() {
  m_byCaps = kCaps;
}

CBlockMPLR::CBlockMPLR(int typeCode) : CBlockTime(typeCode, 2) {
  m_wMemSize = 12;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPLR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockPLR::CBlockPLR() {
  m_byCaps = kCaps;
}

CBlockPLR::CBlockPLR(int typeCode) : CBlockTime(typeCode, 3) {
  m_wMemSize = 12;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockCPG, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockCPG::CBlockCPG() {
  m_byCaps = kCaps;
}

CBlockCPG::CBlockCPG(int typeCode) : CBlockTime(typeCode, 2) {
  m_wMemSize = 8;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockRPR, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockRPR::CBlockRPR() {
  m_byCaps = kCaps;
}

CBlockRPR::CBlockRPR(int typeCode) : CBlockTime(typeCode, 3) {
  m_wMemSize = 16;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, LINK_PARAM, 58, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAPG, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockAPG::CBlockAPG() {
  m_byCaps = kCaps;
}

CBlockAPG::CBlockAPG(int typeCode) : CBlockTime(typeCode, 3) {
  m_wMemSize = 12;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, LINK_PARAM, LINK_EMPTY});
  m_bLastPhaseOn = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockRG, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockRG::CBlockRG() {
  m_byCaps = kCaps;
}

CBlockRG::CBlockRG(int typeCode) : CBlockTime(typeCode, 2) {
  m_wMemSize = 12;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSLS, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockSLS::CBlockSLS() {
  m_byCaps = kCaps;
}

CBlockSLS::CBlockSLS(int typeCode) : CBlockTime(typeCode, 2) {
  m_wMemSize = 12;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_EMPTY});
  m_nParam11 = 1;
  m_nParam19 = 15;  // pre-warning time Tw
  m_nParam21 = 1;   // pre-warning duration Tl
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMFS, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockMFS::CBlockMFS() {
  m_byCaps = kCaps;
}

CBlockMFS::CBlockMFS(int typeCode) : CBlockTime(typeCode, 3) {
  m_wMemSize = 16;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWT, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockWT::CBlockWT() {
  m_byCaps = kCaps;
}

CBlockWT::CBlockWT(int typeCode) : CBlockTime(typeCode, 3) {
  m_wMemSize = 20;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this,
                  {LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, 54, 54, 54, 56});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockYT, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockYT::CBlockYT() {
  m_byCaps = kCaps;
}

CBlockYT::CBlockYT(int typeCode) : CBlockTime(typeCode, 1) {
  m_wMemSize = 8;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_nParam10 = 1;  // on date: month, day
  m_nParam9 = 1;
  m_nParam15 = 1;  // off date: month, day
  m_nParam14 = 1;
  m_nParam3 = 0;  // monthly
  m_nParam4 = 0;  // pulse
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAC, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockAC::CBlockAC() {
  m_byCaps = kCaps;
}

CBlockAC::CBlockAC(int typeCode) : CBlockTime(typeCode, 1) {
  m_wMemSize = 16;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {LINK_PARAM, 89, 90, 91, 88, 89, 90, 91, 92, 93, LINK_EMPTY});
  m_nParam11 = 0;
  m_nParam16 = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSW, CBlockTime, VERSIONABLE_SCHEMA | 1)

CBlockSW::CBlockSW() {
  m_byCaps = kCaps;
}

CBlockSW::CBlockSW(int typeCode) : CBlockTime(typeCode, 4) {
  m_wMemSize = 16;
  m_nLinkSlots = 5;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam11 = 1;  // minutes:seconds
  m_byCaps = kCaps;
}
