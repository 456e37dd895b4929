#include "blocks/ladder_blocks.h"

IMPLEMENT_SERIAL(CBlockMake, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMake::CBlockMake() {
  m_byCaps = kCaps;
}

CBlockMake::CBlockMake(int typeCode) : CBlockObj(typeCode, 1) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockBreak, CBlockMake, VERSIONABLE_SCHEMA | 1)

CBlockBreak::CBlockBreak() = default;

CBlockBreak::CBlockBreak(int typeCode) : CBlockMake(typeCode) {}

IMPLEMENT_SERIAL(CBlockAContact, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAContact::CBlockAContact() {
  m_byCaps = kCaps;
}

CBlockAContact::CBlockAContact(int typeCode) : CBlockObj(typeCode, 1) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockRelayCoil, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockRelayCoil::CBlockRelayCoil() {
  m_byCaps = kCaps;
}

CBlockRelayCoil::CBlockRelayCoil(int typeCode) : CBlockObj(typeCode, 1) {
  m_nOutputs = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockInvOut, CBlockRelayCoil, VERSIONABLE_SCHEMA | 1)

CBlockInvOut::CBlockInvOut() = default;

CBlockInvOut::CBlockInvOut(int typeCode) : CBlockRelayCoil(typeCode) {}

IMPLEMENT_SERIAL(CBlockAOutLAD, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockAOutLAD::CBlockAOutLAD() {
  m_byCaps = kCaps;
}

CBlockAOutLAD::CBlockAOutLAD(int typeCode) : CBlockObj(typeCode, 1) {
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CPowerBusObj, CBlockHigh, VERSIONABLE_SCHEMA | 1)

CPowerBusObj::CPowerBusObj() {
  m_nInputs = 0;
  m_nOutputs = 0;
  m_ptPos = kPosition;
  m_nNumber = kNumber;
}

CPowerBusObj::CPowerBusObj(int typeCode) : CBlockHigh(typeCode) {
  m_nOutputs = 0;
  m_ptPos = kPosition;
  m_nNumber = kNumber;
}
