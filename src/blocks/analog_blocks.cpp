#include "blocks/analog_blocks.h"

#include "blocks/block_slots.h"

IMPLEMENT_SERIAL(CBlockAnalog, CBlockObj, 0)

CBlockAnalog::CBlockAnalog() = default;

CBlockAnalog::CBlockAnalog(int typeCode, int inputCount) : CBlockObj(typeCode, inputCount) {
  m_nMinValue = -20000;
  m_nMaxValue = 20000;
}

IMPLEMENT_SERIAL(CBlockACOMP, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockACOMP::CBlockACOMP() {
  m_byCaps = kCaps;
}

CBlockACOMP::CBlockACOMP(int typeCode) : CBlockAnalog(typeCode, 3) {
  m_wMemSize = 24;
  m_nLinkSlots = 8;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 71, 72, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockATHTRG, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockATHTRG::CBlockATHTRG() {
  m_byCaps = kCaps;
}

CBlockATHTRG::CBlockATHTRG(int typeCode) : CBlockAnalog(typeCode, 2) {
  m_wMemSize = 16;
  m_nLinkSlots = 7;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 71, 72, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAAMP, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAAMP::CBlockAAMP() {
  m_byCaps = kCaps;
}

CBlockAAMP::CBlockAAMP(int typeCode) : CBlockAnalog(typeCode, 2) {
  m_wMemSize = 12;
  m_nLinkSlots = 5;
  PresetSlotCodes(*this, {kKeepLink, 72, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAWDOG, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAWDOG::CBlockAWDOG() {
  m_byCaps = kCaps;
}

CBlockAWDOG::CBlockAWDOG(int typeCode) : CBlockAnalog(typeCode, 3) {
  m_wMemSize = 20;
  m_nLinkSlots = 7;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 72, 73, 74, LINK_EMPTY});
  m_nParam1 = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockADTRG, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockADTRG::CBlockADTRG() {
  m_byCaps = kCaps;
}

CBlockADTRG::CBlockADTRG(int typeCode) : CBlockAnalog(typeCode, 2) {
  m_wMemSize = 16;
  m_nLinkSlots = 7;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 75, 72, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAMATH, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAMATH::CBlockAMATH() {
  m_byCaps = kCaps;
}

CBlockAMATH::CBlockAMATH(int typeCode) : CBlockAnalog(typeCode, 2) {
  m_wMemSize = 20;
  m_nLinkSlots = 11;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 70, 71, 73, 61, 62, 63, 64, 74, LINK_EMPTY});
  m_nParam16 = 1;  // priority of the second operator
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAMUX, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAMUX::CBlockAMUX() {
  m_byCaps = kCaps;
}

CBlockAMUX::CBlockAMUX(int typeCode) : CBlockAnalog(typeCode, 4) {
  m_wMemSize = 20;
  m_nLinkSlots = 9;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 70, 71, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockARAMP, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockARAMP::CBlockARAMP() {
  m_byCaps = kCaps;
}

CBlockARAMP::CBlockARAMP(int typeCode) : CBlockAnalog(typeCode, 4) {
  m_wMemSize = 28;
  m_nLinkSlots = 12;
  PresetSlotCodes(*this,
                  {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 71, 76, 77, 78, 72, 73, 74, LINK_EMPTY});
  m_nParam10 = 10;    // rate
  m_nParam15 = 1000;  // maximum level
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPI, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockPI::CBlockPI() {
  m_byCaps = kCaps;
}

CBlockPI::CBlockPI(int typeCode) : CBlockAnalog(typeCode, 4) {
  m_wMemSize = 28;
  m_nLinkSlots = 14;
  PresetSlotCodes(
      *this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 71, 76, 77, 89, 79, 72, 73, 78, 74, LINK_EMPTY});
  m_nParam1 = 1;  // retentive
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPWM, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockPWM::CBlockPWM() {
  m_byCaps = kCaps;
}

CBlockPWM::CBlockPWM(int typeCode) : CBlockAnalog(typeCode, 3) {
  m_wMemSize = 24;
  m_nLinkSlots = 11;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, LINK_PARAM, 72, 73, 89, 79, 95, 96, 74, LINK_EMPTY});
  m_nSelect = 4;  // no output channel
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAFILTER, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAFILTER::CBlockAFILTER() {
  m_byCaps = kCaps;
}

CBlockAFILTER::CBlockAFILTER(int typeCode) : CBlockAnalog(typeCode, 2) {
  m_wMemSize = 8;
  m_nLinkSlots = 4;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, 94, LINK_EMPTY});
  m_nParam11 = 3;  // number of samples setting
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMAXMIN, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockMAXMIN::CBlockMAXMIN() {
  m_byCaps = kCaps;
}

CBlockMAXMIN::CBlockMAXMIN(int typeCode) : CBlockAnalog(typeCode, 4) {
  m_wMemSize = 16;
  m_nLinkSlots = 6;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 72, LINK_EMPTY});
  m_nParam18 = 0;  // no reset of max/min
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAVGVAL, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAVGVAL::CBlockAVGVAL() {
  m_byCaps = kCaps;
}

CBlockAVGVAL::CBlockAVGVAL(int typeCode) : CBlockAnalog(typeCode, 4) {
  m_wMemSize = 16;
  m_nLinkSlots = 6;
  PresetSlotCodes(*this, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 72, LINK_EMPTY});
  m_nParam10 = 1;  // sample time
  m_nParam11 = 0;  // its unit
  m_nParam9 = 1;   // sample count
  m_byCaps = kCaps;
}
