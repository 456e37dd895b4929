#include "properties/hardware_rules.h"

#include "model/block_codes.h"
#include "model/block_obj.h"
#include "model/model_table.h"
#include "model/name_tables.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "properties/param_copy.h"

namespace {

CString TypeName(int type) {
  auto it = g_BlockTypeNames.find(type);
  return it == g_BlockTypeNames.end() ? CString() : it->second;
}

constexpr int kModbusWriteDataLink = 57;

bool IsWifi(int type) {
  return type >= kFirstWifiType && type <= kLastWifiType;
}

int Bn(const CBlockObj& b) {
  return b.m_nNumber - kFirstFunctionBlockNumber;
}

// The message for one block, empty when the older model can run it.
CString CheckBlock(const CZaradDoc& doc, CBlockObj& b, const CString& selectedText) {
  const int t = b.m_nType;
  const CString name = TypeName(t);
  const int op = b.m_nOperand;
  if (t == kTypeFunctionKey) return FormatString(u"F%d %s : Not supported!", op, name.GetString());
  if (t == kTypeShiftBit && b.m_nNumber >= 1016)
    return FormatString(u"S%d.%d %s : Block number too high!", op / 16, op % 16, name.GetString());
  if (t == kTypeInput && (b.m_nNumber - 100) % 32 >= 16)
    return FormatString(u"%s%d%d %s : Block number too high!", u"I", op / 32, op % 32, name.GetString());
  if (t == kTypeOutput && (b.m_nNumber - 600) % 16 >= 8)
    return FormatString(u"%s%d%d %s : Block number too high!", u"Q", op / 16, op % 16, name.GetString());
  if (t == kTypeAC || t == kTypeSW || (t >= kTypeAMATH && t <= kLastMathType) || IsWifi(t))
    return FormatString(u"B%d%s : Not supported!", Bn(b), name.GetString());
  if (t == kTypeDataLog) return FormatString(u"L%d%s : Not supported!", b.m_nNumber - 8950, name.GetString());
  const bool refKind = t == kTypeMPLR || (t >= kTypeCPG && t <= kTypeMFS) || t == kTypeHCOUNTER ||
                       t == kTypeTHTRG || (t >= kFirstAnalogType && t <= kLastAnalogType);
  BlockPageValues v;
  CopyBlockToPage(&doc, b, v);
  if (refKind) {
    for (int r : v.pattern.m_bRef)
      if (r)
        return FormatString(u"B%d%s : The reference is not supported by this device %s", Bn(b),
                            name.GetString(), selectedText.GetString());
  }
  switch (t) {
    case kTypeWT:
      if (v.weekly.m_bPulseOutput) return FormatString(u"B%d : The pulse function is not available", Bn(b));
      break;
    case kTypeYT:
      if (v.yearly.m_nOnYear != 2000 || v.yearly.m_nOffYear != 2099)
        return FormatString(
            u"B%d:Year range function is not available. On year must be  %d and Off year must be %d.", Bn(b),
            2000, 2099);
      if (!v.yearly.m_bYearly) return FormatString(u"B%d : Yearly mode must be selected.", Bn(b));
      if (v.yearly.m_bPulse) return FormatString(u"B%d : The pulse function is not available", Bn(b));
      break;
    case kTypeCOUNTER:
      if (v.counter.m_nStartValue != 0)
        return FormatString(u"B%d%s : The start value cannot be used", Bn(b), name.GetString());
      break;
    case kTypeHCOUNTER:
      if (v.hours.m_nMiMinutes > 0 || v.hours.m_nOtMinutes > 0)
        return FormatString(u"B%d%s : Cannot convert time to hours", Bn(b), name.GetString());
      break;
    case kTypeAWDOG:
      if (v.analog.m_nLevel1 != v.analog.m_nLevel2)
        return FormatString(u"B%d%s : The two threshold settings must be equal", Bn(b), name.GetString());
      break;
    case kTypeShiftRegister:
      if (v.relay.m_nShiftIndex != 0)
        return FormatString(u"B%d%s : Only the first shift register can be used.", Bn(b), name.GetString());
      break;
    case kTypeMessageText:
      return FormatString(u"B%d%s : Rich Text Format not supported.", Bn(b), name.GetString());
    case kTypeMakeContact:
    case kTypeBreakContact:
      if (op >= 1016 && op <= 1063)
        return FormatString(u"S%d.%d %s : Block number too high!", (op - 1000) / 16, (op - 1000) % 16,
                            TypeName(602).GetString());
      break;
    default:
      break;
  }
  return {};
}

}  // namespace

int ModelCodeOfPosition(int position) {
  switch (position) {
    case 1:
      return 0x1188;
    case 3:
      return 0x2188;
    case 5:
      return 0x5188;
    case 7:
      return 0x5288;
    case 9:
      return 0x6188;
    default:
      return 0;
  }
}

CString CheckDowngrade(const CZaradDoc& doc, const CString& selectedText) {
  for (const auto& block : doc.m_blocks) {
    CString message = CheckBlock(doc, *block, selectedText);
    if (!message.IsEmpty()) return message;
  }
  return {};
}

CString CheckWifiRule(const CZaradDoc& doc) {
  for (const auto& block : doc.m_blocks)
    if (IsWifi(block->m_nType))
      return FormatString(u"B%d%s : Not supported!", Bn(*block), TypeName(block->m_nType).GetString());
  return {};
}

bool ApplyModel(CZaradDoc& doc, WORD newCode) {
  CString name;
  WORD firmware = 0;
  if (newCode == doc.m_wModelCode || GetModelName(newCode, &name, &firmware) < 0) return false;
  doc.m_strModelName = name;
  doc.m_wModelCode = newCode;
  doc.m_wFirmware = firmware;
  g_CurrentModelCode = newCode;
  const bool newer = IsNewerSeries(ModelSeries(newCode));
  for (const auto& block : doc.m_blocks) {
    CBlockObj& b = *block;
    const int t = b.m_nType;
    if (t != kTypeAWDOG && t != kTypeMR && t != kTypeMW && t != kTypeYT && t != kTypeShiftRegister) continue;
    BlockPageValues v;
    CopyBlockToPage(&doc, b, v);
    if (t == kTypeMR || t == kTypeMW) v.modbus.m_nCycle = 0;
    if (newer) {
      if (t == kTypeAWDOG) v.analog.m_nLevel1 = v.analog.m_nLevel2;
      if (t == kTypeYT) {
        v.yearly.m_nOnYear = 2000;
        v.yearly.m_nOffYear = 2099;
        v.yearly.m_bYearly = 1;
        v.yearly.m_bPulse = 0;
      }
      if (t == kTypeShiftRegister) v.relay.m_nShiftIndex = 0;
    }
    CopyPageToBlock(v, b);
    // The newer Modbus Write reads its data words through the link slot 8.
    if (newer && t == kTypeMW && b.m_nSource[8] != kModbusWriteDataLink) {
      b.m_nSource[8] = kModbusWriteDataLink;
      b.m_nSource[9] = LINK_EMPTY;
    }
  }
  if (!newer) {
    for (ComPortSettings& port : doc.m_ports)
      if (port.nBaudRate >= 10) port.nBaudRate = 3;
  }
  doc.AdjustBlocksForModel();
  return true;
}
