#include "blocks/data_blocks.h"

#include "blocks/block_slots.h"

IMPLEMENT_SERIAL(CBlockBoolean, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockBoolean::CBlockBoolean() {
  m_byCaps = kCaps;
}

CBlockBoolean::CBlockBoolean(int typeCode) : CBlockObj(typeCode, 4) {
  m_wMemSize = 16;
  m_nLinkSlots = 7;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_nParam24 = 0;  // truth table
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockTDT, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockTDT::CBlockTDT() {
  m_byCaps = kCaps;
}

CBlockTDT::CBlockTDT(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockBCD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockBCD::CBlockBCD() {
  m_byCaps = kCaps;
}

CBlockBCD::CBlockBCD(int typeCode) : CBlockObj(typeCode, 1) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockBIN, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockBIN::CBlockBIN() {
  m_byCaps = kCaps;
}

CBlockBIN::CBlockBIN(int typeCode) : CBlockObj(typeCode, 1) {
  m_wMemSize = 8;
  m_nMaxValue = 39321;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockROL, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockROL::CBlockROL() {
  m_byCaps = kCaps;
}

CBlockROL::CBlockROL(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = 1;
  m_nMaxValue = 15;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 1;  // shift count
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockROR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockROR::CBlockROR() {
  m_byCaps = kCaps;
}

CBlockROR::CBlockROR(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = 1;
  m_nMaxValue = 15;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 1;  // shift count
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSHL, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSHL::CBlockSHL() {
  m_byCaps = kCaps;
}

CBlockSHL::CBlockSHL(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = 1;
  m_nMaxValue = 15;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 1;  // shift count
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockSHR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockSHR::CBlockSHR() {
  m_byCaps = kCaps;
}

CBlockSHR::CBlockSHR(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = 1;
  m_nMaxValue = 15;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 1;  // shift count
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockANDM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockANDM::CBlockANDM() {
  m_byCaps = kCaps;
}

CBlockANDM::CBlockANDM(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = -32768;
  m_nMaxValue = 32767;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 0;  // mask
  m_strMask = u"0000";
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockORM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockORM::CBlockORM() {
  m_byCaps = kCaps;
}

CBlockORM::CBlockORM(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = -32768;
  m_nMaxValue = 32767;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 0;  // mask
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockNOTM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockNOTM::CBlockNOTM() {
  m_byCaps = kCaps;
}

CBlockNOTM::CBlockNOTM(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockNANDM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockNANDM::CBlockNANDM() {
  m_byCaps = kCaps;
}

CBlockNANDM::CBlockNANDM(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = -32768;
  m_nMaxValue = 32767;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 0;  // mask
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockNORM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockNORM::CBlockNORM() {
  m_byCaps = kCaps;
}

CBlockNORM::CBlockNORM(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = -32768;
  m_nMaxValue = 32767;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 0;  // mask
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockXORM, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockXORM::CBlockXORM() {
  m_byCaps = kCaps;
}

CBlockXORM::CBlockXORM(int typeCode) : CBlockObj(typeCode, 2) {
  m_wMemSize = 8;
  m_nMinValue = -32768;
  m_nMaxValue = 32767;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_EMPTY});
  m_nParam10 = 0;  // mask
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockARRMXIV, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockARRMXIV::CBlockARRMXIV() {
  m_byCaps = kCaps;
}

CBlockARRMXIV::CBlockARRMXIV(int typeCode) : CBlockObj(typeCode, 1) {
  m_wMemSize = 12;
  m_nMinValue = 1;
  m_nMaxValue = 32;
  m_nLinkSlots = 5;
  PresetSlotCodes(*this, {LINK_PARAM, 85, 83, LINK_EMPTY, LINK_EMPTY});
  m_nParam9 = 0;   // operand kind
  m_nParam10 = 0;  // mode
  m_nParam14 = 0;  // first index
  m_nParam15 = 1;  // count
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockACMXIV, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockACMXIV::CBlockACMXIV() {
  m_byCaps = kCaps;
}

CBlockACMXIV::CBlockACMXIV(int typeCode) : CBlockObj(typeCode, 3) {
  m_wMemSize = 12;
  m_nMaxValue = 2;
  m_nLinkSlots = 5;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_nParam10 = 0;  // mode
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockRAND, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockRAND::CBlockRAND() {
  m_byCaps = kCaps;
}

CBlockRAND::CBlockRAND(int typeCode) : CBlockObj(typeCode, 1) {
  m_wMemSize = 8;
  m_nMinValue = 1;
  m_nMaxValue = 32767;
  m_nLinkSlots = 3;
  PresetSlotCodes(*this, {LINK_PARAM, LINK_EMPTY, LINK_EMPTY});
  m_nParam10 = 1;  // upper bound
  m_byCaps = kCaps;
}
