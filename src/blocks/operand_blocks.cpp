#include "blocks/operand_blocks.h"

#include "blocks/block_slots.h"

IMPLEMENT_SERIAL(CBlockIn, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockIn::CBlockIn() {
  m_byCaps = kCaps;
}

CBlockIn::CBlockIn(int typeCode) : CBlockObj(typeCode, 0) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockShift, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockShift::CBlockShift() {
  m_byCaps = kCaps;
}

CBlockShift::CBlockShift(int typeCode) : CBlockObj(typeCode, 0) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockOut, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockOut::CBlockOut() {
  m_byCaps = kCaps;
}

CBlockOut::CBlockOut(int typeCode) : CBlockObj(typeCode, 1) {
  m_nLinkSlots = 0;
  m_nOperand = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockOpenX, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockOpenX::CBlockOpenX() {
  m_byCaps = kCaps;
}

CBlockOpenX::CBlockOpenX(int typeCode) : CBlockObj(typeCode, 1) {
  m_nOutputs = 0;
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockFlag, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockFlag::CBlockFlag() {
  m_byCaps = kCaps;
}

CBlockFlag::CBlockFlag(int typeCode) : CBlockObj(typeCode, 1) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAnalogIn, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAnalogIn::CBlockAnalogIn() {
  m_byCaps = kCaps;
}

CBlockAnalogIn::CBlockAnalogIn(int typeCode) : CBlockObj(typeCode, 0) {
  m_nMaxValue = 1000;
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAnalogOut, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAnalogOut::CBlockAnalogOut() {
  m_byCaps = kCaps;
}

CBlockAnalogOut::CBlockAnalogOut(int typeCode) : CBlockObj(typeCode, 1) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAnalogFlag, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAnalogFlag::CBlockAnalogFlag() {
  m_byCaps = kCaps;
}

CBlockAnalogFlag::CBlockAnalogFlag(int typeCode) : CBlockObj(typeCode, 1) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockFKey, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockFKey::CBlockFKey() {
  m_byCaps = kCaps;
}

CBlockFKey::CBlockFKey(int typeCode) : CBlockObj(typeCode, 0) {
  m_nLinkSlots = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockLow, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockLow::CBlockLow() {
  m_byCaps = kCaps;
}

CBlockLow::CBlockLow(int typeCode) : CBlockObj(typeCode, 0) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockHigh, CBlockLow, VERSIONABLE_SCHEMA | 1)

CBlockHigh::CBlockHigh() = default;

CBlockHigh::CBlockHigh(int typeCode) : CBlockLow(typeCode) {
  m_nValue[kFirstOutputPin] = 1;
}
