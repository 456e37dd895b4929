#include "blocks/math_blocks.h"

#include "blocks/block_slots.h"

IMPLEMENT_SERIAL(CBlockODD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockODD::CBlockODD() {
  m_byCaps = kCaps;
}

CBlockODD::CBlockODD(int typeCode) : CBlockObj(typeCode, 1) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockEVEN, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockEVEN::CBlockEVEN() {
  m_byCaps = kCaps;
}

CBlockEVEN::CBlockEVEN(int typeCode) : CBlockObj(typeCode, 1) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMOD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMOD::CBlockMOD() {
  m_byCaps = kCaps;
}

CBlockMOD::CBlockMOD(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = -32767;
  m_nMaxValue = 32767;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 10;  // divisor
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockREM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockREM::CBlockREM() {
  m_byCaps = kCaps;
}

CBlockREM::CBlockREM(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = -32767;
  m_nMaxValue = 32767;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 10;  // divisor
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockLOG, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockLOG::CBlockLOG() {
  m_byCaps = kCaps;
}

CBlockLOG::CBlockLOG(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 72, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSQRT, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSQRT::CBlockSQRT() {
  m_byCaps = kCaps;
}

CBlockSQRT::CBlockSQRT(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockABS, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockABS::CBlockABS() {
  m_byCaps = kCaps;
}

CBlockABS::CBlockABS(int typeCode) : CBlockObj(typeCode, 1) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockGCD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockGCD::CBlockGCD() {
  m_byCaps = kCaps;
}

CBlockGCD::CBlockGCD(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockLCM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockLCM::CBlockLCM() {
  m_byCaps = kCaps;
}

CBlockLCM::CBlockLCM(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPOW2, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockPOW2::CBlockPOW2() {
  m_byCaps = kCaps;
}

CBlockPOW2::CBlockPOW2(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockEXP, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockEXP::CBlockEXP() {
  m_byCaps = kCaps;
}

CBlockEXP::CBlockEXP(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockFIX, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockFIX::CBlockFIX() {
  m_byCaps = kCaps;
}

CBlockFIX::CBlockFIX(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam11 = 0;  // decimal places
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockROUND, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockROUND::CBlockROUND() {
  m_byCaps = kCaps;
}

CBlockROUND::CBlockROUND(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam11 = 0;  // decimal places
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSIN, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSIN::CBlockSIN() {
  m_byCaps = kCaps;
}

CBlockSIN::CBlockSIN(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockCOS, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockCOS::CBlockCOS() {
  m_byCaps = kCaps;
}

CBlockCOS::CBlockCOS(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockTAN, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockTAN::CBlockTAN() {
  m_byCaps = kCaps;
}

CBlockTAN::CBlockTAN(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockCOT, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockCOT::CBlockCOT() {
  m_byCaps = kCaps;
}

CBlockCOT::CBlockCOT(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSEC, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSEC::CBlockSEC() {
  m_byCaps = kCaps;
}

CBlockSEC::CBlockSEC(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockCSC, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockCSC::CBlockCSC() {
  m_byCaps = kCaps;
}

CBlockCSC::CBlockCSC(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 12;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockQUAD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockQUAD::CBlockQUAD() {
  m_byCaps = kCaps;
}

CBlockQUAD::CBlockQUAD(int typeCode) : CBlockObj(typeCode, 3) {
  m_wMemSize = 20;
  m_nMinValue = -10000;
  m_nMaxValue = 10000;
  m_nLinkSlots = 8;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 61, 62, 63, 72, LINK_EMPTY});
  m_dParam = 1.0;  // amplification
  m_nParam10 = 1;  // a
  m_nParam15 = 0;  // b
  m_nParam20 = 0;  // c
  m_nParam11 = 0;  // root with +sqrt
  m_byCaps = kCaps;
}
