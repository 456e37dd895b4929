#include "blocks/comm_blocks.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "blocks/block_slots.h"
#include "blocks/block_values.h"
#include "blocks/operand_blocks.h"
#include "blocks/value_box.h"
#include "model/block_eval.h"
#include "model/block_registry.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"

namespace {

// The sending WiFi blocks (digital and analog): three inputs, no output.
void PresetWifiSend(CBlockObj& b) {
  b.m_nOutputs = 0;
  PresetImage(b, 12, 7, {kKeepLink, kKeepLink, LINK_PARAM, 98, 99, 100, LINK_EMPTY});
}

}  // namespace

IMPLEMENT_SERIAL(CBlockMR, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMR::CBlockMR() {
  m_byCaps = kCaps;
}

CBlockMR::CBlockMR(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 3, ctx) {
  PresetImage(*this, 18, 8, {kKeepLink, kKeepLink, LINK_PARAM, 82, 83, 84, 85, 86, 57, LINK_EMPTY});
  m_nParam11 = 0;  // polling cycle: successive
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMW, CBlockMR, VERSIONABLE_SCHEMA | 1)

CBlockMW::CBlockMW() = default;

CBlockMW::CBlockMW(int typeCode, const BlockContext& ctx) : CBlockMR(typeCode, ctx) {}

IMPLEMENT_SERIAL(CBlockWIFI, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockWIFI::CBlockWIFI() = default;

CBlockWIFI::CBlockWIFI(int typeCode, int inputCount, const BlockContext& ctx)
    : CBlockObj(typeCode, inputCount, ctx) {}

IMPLEMENT_SERIAL(CBlockUDC, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockUDC::CBlockUDC() {
  // Records older than schema 1 do not carry these: they keep the new block's values.
  m_nParam5 = 0;  // no start character sent
  m_nParam6 = 0;
  m_nParam7 = 0;
  m_byCaps = kCaps;
}

CBlockUDC::CBlockUDC(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 24, 15, {kKeepLink, LINK_PARAM, 57, 82, 83, 84, 85, 58, 86, 59, 64, 60, 61, 62, 63});
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

CBlockCRC16::CBlockCRC16(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  PresetImage(*this, 12, 5, {kKeepLink, LINK_PARAM, 85, 83, LINK_EMPTY});
  m_nParam15 = 1;  // number of words
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWIFIIn, CBlockWIFI, VERSIONABLE_SCHEMA | 1)

CBlockWIFIIn::CBlockWIFIIn() {
  m_byCaps = kCaps;
}

CBlockWIFIIn::CBlockWIFIIn(int typeCode, const BlockContext& ctx) : CBlockWIFI(typeCode, 2, ctx) {
  PresetImage(*this, 12, 8, {kKeepLink, LINK_PARAM, 98, 99, 100, 101, 58, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWIFIOut, CBlockWIFI, VERSIONABLE_SCHEMA | 1)

CBlockWIFIOut::CBlockWIFIOut() {
  m_byCaps = kCaps;
}

CBlockWIFIOut::CBlockWIFIOut(int typeCode, const BlockContext& ctx) : CBlockWIFI(typeCode, 3, ctx) {
  PresetWifiSend(*this);
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWIFIAI, CBlockWIFI, VERSIONABLE_SCHEMA | 1)

CBlockWIFIAI::CBlockWIFIAI() {
  m_byCaps = kCaps;
}

CBlockWIFIAI::CBlockWIFIAI(int typeCode, const BlockContext& ctx) : CBlockWIFI(typeCode, 2, ctx) {
  PresetImage(*this, 12, 7, {kKeepLink, LINK_PARAM, 98, 99, 100, LINK_EMPTY, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockWIFIAOut, CBlockWIFI, VERSIONABLE_SCHEMA | 1)

CBlockWIFIAOut::CBlockWIFIAOut() {
  m_byCaps = kCaps;
}

CBlockWIFIAOut::CBlockWIFIAOut(int typeCode, const BlockContext& ctx) : CBlockWIFI(typeCode, 3, ctx) {
  PresetWifiSend(*this);
  m_byCaps = kCaps;
}

// ---- CRC, records and scan -------------------------------------------------------

namespace {

struct CrcTable {
  WORD entries[256];
  constexpr CrcTable() : entries() {
    for (int i = 0; i < 256; ++i) {
      WORD crc = static_cast<WORD>(i);
      for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<WORD>((crc >> 1) ^ 0xA001) : crc >> 1;
      entries[i] = crc;
    }
  }
};
constexpr CrcTable kCrcTable;

}  // namespace

WORD CalcModbusCrc(const BYTE* data, size_t length) {
  WORD crc = 0xFFFF;
  for (size_t i = 0; i < length; ++i)
    crc = static_cast<WORD>((crc >> 8) ^ kCrcTable.entries[(crc ^ data[i]) & 0xFF]);
  return static_cast<WORD>((crc << 8) | (crc >> 8));
}

void CBlockMR::Serialize(CArchive& ar) {
  CBlockObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_bySlaveAddress << m_byCommand << m_byFunction << m_wRegister << m_wCount << m_wDataAddress
       << m_wDataHigh << m_nPort << m_byDataMode << m_nDataType << m_wDataIndex << m_strDataLow
       << m_strDataHigh;
  } else {
    ar >> m_bySlaveAddress >> m_byCommand >> m_byFunction >> m_wRegister >> m_wCount >> m_wDataAddress >>
        m_wDataHigh >> m_nPort >> m_byDataMode >> m_nDataType >> m_wDataIndex >> m_strDataLow >>
        m_strDataHigh;
  }
}

BOOL CBlockMR::Simulate(CViewContext* view) {
  ReadInputs(view);
  const int old = m_nValue[kFirstOutputPin];
  m_nValue[kFirstOutputPin] = m_nValue[1] == 1 ? 0 : m_nValue[0];
  if (m_nValue[kFirstOutputPin] != old && IsLadderView(view)) PropagateToContacts(view->GetDocument());
  return TRUE;
}

void CBlockMR::CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc) {
  if (target == nullptr) return;
  CBlockObj::CopyTo(target, withGeometry, doc);
  CBlockMR* mr = DYNAMIC_DOWNCAST(CBlockMR, target);
  if (mr == nullptr) return;
  mr->m_bySlaveAddress = m_bySlaveAddress;
  mr->m_byCommand = m_byCommand;
  mr->m_byFunction = m_byFunction;
  mr->m_byDataMode = m_byDataMode;
  mr->m_nPort = m_nPort;
  mr->m_wRegister = m_wRegister;
  mr->m_wCount = m_wCount;
  mr->m_wDataAddress = m_wDataAddress;
  mr->m_wDataHigh = m_wDataHigh;
  mr->m_wDataIndex = m_wDataIndex;
  mr->m_nDataType = m_nDataType;
  mr->m_strDataLow = m_strDataLow;
  mr->m_strDataHigh = m_strDataHigh;
}

void CBlockWIFI::Serialize(CArchive& ar) {
  CBlockObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_nWifiSource << m_nWifiId << m_nWifiBlockType << m_nWifiBlockNumber;
  } else {
    ar >> m_nWifiSource >> m_nWifiId >> m_nWifiBlockType >> m_nWifiBlockNumber;
  }
}

BOOL CBlockCRC16::Simulate(CViewContext* view) {
  ReadInputs(view);
  WORD value = 0;
  if (m_nValue[0] != 0) {
    // The range is cut to the analog flags that exist; a negative address or
    // count (only a damaged file holds one) leaves it empty.
    int address = m_nParam14;
    int count = m_nParam15;
    if (address < 0 || address >= kAnalogFlagOperandCount || count < 0) {
      address = count = 0;
    } else {
      count = std::min(count, kAnalogFlagOperandCount - address);
    }
    std::vector<BYTE> bytes(2 * static_cast<size_t>(count), 0);
    const int first = kFirstAnalogFlagOperand + address;
    const int last = first + count - 1;
    size_t used = 0;
    const CZaradDoc* doc = view ? view->GetDocument() : nullptr;
    if (doc != nullptr) {
      for (const CBlockObj* b : doc->m_blocks) {
        if (used == bytes.size()) break;
        if (b->IsKindOf(RUNTIME_CLASS(CBlockAnalogFlag)) && b->m_nNumber >= first && b->m_nNumber <= last) {
          bytes[used++] = static_cast<BYTE>(b->m_nWordValue & 0xFF);
          bytes[used++] = static_cast<BYTE>((b->m_nWordValue >> 8) & 0xFF);
        }
      }
    }
    value = CalcModbusCrc(bytes.data(), bytes.size());
  }
  AssignValue(*this, value);
  return TRUE;
}

void CBlockCRC16::DrawSimulated(CViewContext* view, CDC* dc) {
  DrawValueLook(*this, view, dc);
}

void CBlockCRC16::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 1)) return;
  CString text;
  text.Format("0x%04X", static_cast<unsigned>(TruncToInt(m_dValue) & 0xFFFF));
  PaintValueBox(dc, *this, 3 * m_nWidth / 2, text);
}
