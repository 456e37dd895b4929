// Document queries: hit tests over the lists, wire and comment list upkeep,
// the duplicate-wire and connector-wire lookups, operand labels and the block
// lists of the parameter pages.
#include "model/doc_queries.h"

#include <algorithm>
#include <climits>
#include <initializer_list>

#include "model/block_captions.h"
#include "model/block_codes.h"
#include "model/block_comment.h"
#include "model/block_obj.h"
#include "model/block_registry.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"

namespace {

CRect WidenedBody(const CBlockObj* block, int reach) {
  CRect r;
  block->GetBodyRect(&r);
  const long long left = static_cast<long long>(r.left) - reach;
  const long long right = static_cast<long long>(r.right) + reach;
  r.left = static_cast<int>(std::max<long long>(left, INT_MIN));
  r.right = static_cast<int>(std::min<long long>(right, INT_MAX));
  return r;
}

CBlockObj* FindBlockWidened(const CZaradDoc& doc, CPoint pt, int reach) {
  for (CBlockObj* block : doc.m_blocks) {
    if (WidenedBody(block, reach).PtInRect(pt)) return block;
  }
  return nullptr;
}

// ---- Operand labels ---------------------------------------------------------

const char16_t* PrefixOfType(int type) {
  switch (type) {
    case kTypeInput:
    case kTypeMakeContact:
    case kTypeBreakContact:
      return u"I";
    case kTypeCursorKey:
      return u"C";
    case kTypeShiftBit:
      return u"S";
    case kTypeLowSignal:
      return u"Low";
    case kTypeHighSignal:
      return u"High";
    case kTypeOutput:
    case kTypeRelayCoil:
    case kTypeInvertedCoil:
      return u"Q";
    case kTypeOpenConnector:
      return u"X";
    case kTypeFlag:
      return u"M";
    case kTypeAnalogInput:
    case kTypeAnalogContact:
      return u"AI";
    case kTypeAnalogOutput:
      return u"AQ";
    case kTypeAnalogFlag:
      return u"AM";
    case kTypeFunctionKey:
      return u"F";
    case kTypeDataLog:
      return u"L";
    default:
      return u"B";
  }
}

CString Plain(const char16_t* prefix, long long v) {
  return FormatString(u"%ls%lld", prefix, v);
}

CString Channel(const char16_t* prefix, long long v, int divisor) {
  return FormatString(u"%ls%lld%02lld", prefix, v / divisor, v % divisor);
}

CString Unknown(const char16_t* prefix) {
  return CString(prefix) + u"?";
}

bool InRange(long long v, long long first, long long last) {
  return v >= first && v <= last;
}

// One row of the ladder label table: the operand range, the element types it
// names, the prefix, the base and the divisor (0 for none).
struct LadderLabelRow {
  int nFirst;
  int nLast;
  std::initializer_list<int> types;
  const char16_t* pszPrefix;
  int nBase;
  int nDivisor;
};

// The rows below the two that address another element, tried from the top.
const LadderLabelRow kLadderRows[] = {
    {kFirstFunctionBlockNumber,
     20999,
     {kTypeMakeContact, kTypeBreakContact, kTypeAnalogContact},
     u"B",
     kFirstFunctionBlockNumber,
     0},
    {4800, 8999, {kTypeRelayCoil, kTypeInvertedCoil}, u"X", 4800, 0},
    {4288, 4799, {kTypeAnalogContact, kTypeLadderAnalogOutput}, u"AM", 4288, 0},
    {4230, 4287, {kTypeAnalogContact, kTypeLadderAnalogOutput}, u"AQ", 4230, 4},
    {4000, 4229, {kTypeAnalogContact}, u"AI", 4000, 8},
    {2900, 3899, {kTypeMakeContact, kTypeBreakContact}, u"High", 2900, 0},
    {1870, 2899, {kTypeMakeContact, kTypeBreakContact}, u"Low", 1870, 0},
    {1316, 1869, {kTypeMakeContact, kTypeBreakContact, kTypeRelayCoil, kTypeInvertedCoil}, u"M", 1316, 0},
    {1300, 1315, {kTypeMakeContact, kTypeBreakContact}, u"F", 1300, 0},
    {1000, 1299, {kTypeMakeContact, kTypeBreakContact}, u"S", 1000, 0},
    {600, 999, {kTypeMakeContact, kTypeBreakContact, kTypeRelayCoil, kTypeInvertedCoil}, u"Q", 600, 16},
    {100, 599, {kTypeMakeContact, kTypeBreakContact}, u"I", 100, 32},
};

// Label of a contact that addresses another element (a coil, or a ladder
// analog output) by its number: the operand of that element decides.
CString LabelThroughElement(const CZaradDoc& doc, int number, const char16_t* fallbackPrefix,
                            bool analogOutput) {
  const CBlockObj* element = doc.FindBlockByNumber(number);
  if (!element) return Unknown(fallbackPrefix);
  const long long o2 = element->m_nOperand;
  if (analogOutput) {
    if (InRange(o2, 4288, 4799)) return Plain(u"AM", o2 - 4288);
    if (InRange(o2, 4230, 4261)) return Channel(u"AQ", o2 - 4230, 4);
  } else {
    if (InRange(o2, 1316, 1827)) return Plain(u"M", o2 - 1316);
    if (InRange(o2, 600, 727)) return Channel(u"Q", o2 - 600, 16);
    if (InRange(o2, 4800, 4927)) return Plain(u"X", o2 - 4800);
  }
  return Unknown(fallbackPrefix);
}

CString LadderElementLabel(const CZaradDoc& doc, int type, int operand) {
  const char16_t* prefix = u"I";
  if (type == kTypeAnalogContact) prefix = u"AI";
  if (type == kTypeRelayCoil || type == kTypeInvertedCoil) prefix = u"Q";
  if (type == kTypeLadderAnalogOutput) prefix = u"AQ";
  const long long o = operand;
  if (o >= 22000) {
    if (type == kTypeAnalogContact) return LabelThroughElement(doc, operand, prefix, true);
  } else if (o >= 21000) {
    if (type == kTypeMakeContact || type == kTypeBreakContact)
      return LabelThroughElement(doc, operand, prefix, false);
  } else {
    for (const LadderLabelRow& row : kLadderRows) {
      if (!InRange(o, row.nFirst, row.nLast)) continue;
      if (std::find(row.types.begin(), row.types.end(), type) == row.types.end()) break;
      if (InRange(o, 1870, 3899)) return CString(row.pszPrefix);
      if (row.nDivisor) return Channel(row.pszPrefix, o - row.nBase, row.nDivisor);
      return Plain(row.pszPrefix, o - row.nBase);
    }
  }
  // An operand the element's type cannot address (the element sheet never makes one).
  return Unknown(prefix);
}

bool IsPlainFunctionBlock(const CBlockObj* block) {
  return CZaradDoc::GetTypeClass(static_cast<UINT>(block->m_nType)) == 2 && !block->IsLogicGate();
}

std::vector<CString> ListBlocksWithCaps(const CZaradDoc& doc, int numberToLeaveOut, BYTE caps) {
  std::vector<CString> out;
  for (const CBlockObj* block : doc.m_blocks) {
    if (block->m_nNumber == numberToLeaveOut || !IsPlainFunctionBlock(block)) continue;
    if (block->m_byCaps & caps) out.push_back(ChoiceText(block));
  }
  return out;
}

}  // namespace

CString ChoiceText(const CBlockObj* block) {
  CString text = FormatString(u"B%d", block->m_nNumber - kFirstFunctionBlockNumber);
  return text + LookupBlockName(g_BlockCaptionMap, static_cast<UINT>(block->m_nType));
}

CBlockObj* FindBlockAt(const CZaradDoc& doc, CPoint pt) {
  return FindBlockWidened(doc, pt, 0);
}

CBlockObj* FindBlockWithPinsAt(const CZaradDoc& doc, CPoint pt) {
  return FindBlockWidened(doc, pt, kPinStubReach);
}

CBlockComment* FindCommentAt(const CZaradDoc& doc, CPoint pt) {
  for (CBlockComment* comment : doc.m_comments) {
    const long long x = pt.x, y = pt.y;
    const long long left = comment->m_ptPos.x, top = comment->m_ptPos.y;
    if (x >= left && x < left + comment->m_size.cx && y >= top && y < top + comment->m_size.cy)
      return comment;
  }
  return nullptr;
}

CConnectLineObj* FindConnectionAt(const CZaradDoc& doc, CPoint pt) {
  return CConnectLineObj::FindAt(&doc, pt);
}

BOOL GetPinRect(CRect* out, const CBlockObj* block, int pin) {
  out->SetRectEmpty();
  if (!block || pin < 0 || pin >= kPinCount || block->m_nPinType[pin] == PIN_NONE) return FALSE;
  return block->GetPinRect(out, pin, kPinMarkSize);
}

CConnectLineObj* AddConnection(CZaradDoc& doc, std::unique_ptr<CConnectLineObj> wire) {
  if (!wire) return nullptr;
  CConnectLineObj* added = doc.m_connections.AddTail(std::move(wire));
  doc.SetModifiedFlag(TRUE);
  return added;
}

std::unique_ptr<CConnectLineObj> RemoveConnection(CZaradDoc& doc, const CConnectLineObj* wire) {
  std::unique_ptr<CConnectLineObj> out = doc.m_connections.Detach(wire);
  if (out) doc.SetModifiedFlag(TRUE);
  return out;
}

CBlockComment* AddComment(CZaradDoc& doc, std::unique_ptr<CBlockComment> comment) {
  if (!comment) return nullptr;
  CBlockComment* added = doc.m_comments.AddTail(std::move(comment));
  doc.SetModifiedFlag(TRUE);
  return added;
}

BOOL IsDuplicateConnection(const CZaradDoc& doc, const CConnectLineObj* wire, const CBlockObj* block,
                           int pin) {
  if (!wire || doc.m_connections.IsEmpty()) return FALSE;
  const bool startFixed = wire->m_nDragEnd == 1;
  const CBlockObj* fixedBlock = startFixed ? wire->m_pStartBlock : wire->m_pEndBlock;
  const int fixedPin = startFixed ? wire->m_nStartPin : wire->m_nEndPin;
  for (const CConnectLineObj* q : doc.m_connections) {
    if (q == wire) continue;
    const bool forward = q->m_pStartBlock == fixedBlock && q->m_nStartPin == fixedPin &&
                         q->m_pEndBlock == block && q->m_nEndPin == pin;
    const bool backward = q->m_pStartBlock == block && q->m_nStartPin == pin &&
                          q->m_pEndBlock == fixedBlock && q->m_nEndPin == fixedPin;
    if (forward || backward) return TRUE;
  }
  return FALSE;
}

CConnectLineObj* FindConnectorConnection(const CZaradDoc& doc, const CBlockObj* half) {
  if (half == nullptr || !half->IsConnectorHalf()) return nullptr;
  for (CConnectLineObj* wire : doc.m_connections) {
    if (wire->m_pEndBlock == half) return wire;
  }
  return nullptr;
}

CString GetOperandLabel(const CZaradDoc& doc, const CBlockObj* block) {
  if (!block) return CString();
  const int type = block->m_nType;
  const char16_t* prefix = PrefixOfType(type);
  const long long o = block->m_nOperand;
  if (InRange(block->m_nNumber, kFirstFunctionBlockNumber, kLastFunctionBlockNumber)) {
    return Plain(u"B", block->m_nNumber - kFirstFunctionBlockNumber);
  }
  switch (type) {
    case kTypeLowSignal:
    case kTypeHighSignal:
      return CString(prefix);
    case kTypeMakeContact:
    case kTypeBreakContact:
    case kTypeAnalogContact:
    case kTypeRelayCoil:
    case kTypeInvertedCoil:
    case kTypeLadderAnalogOutput:
      return LadderElementLabel(doc, type, block->m_nOperand);
    case kTypeInput:
      return Channel(prefix, o, 32);
    case kTypeOutput:
      return Channel(prefix, o, 16);
    case kTypeAnalogInput:
      return Channel(prefix, o, 8);
    case kTypeAnalogOutput:
      return Channel(prefix, o, 4);
    case kTypeShiftBit:
      if (doc.IsNewerFamily()) return FormatString(u"%ls%lld.%lld", prefix, o / 16, o % 16);
      return Plain(prefix, o);
    default:
      return Plain(prefix, o);
  }
}

std::vector<CString> FillBlockCombo(const CZaradDoc& doc, int numberToLeaveOut) {
  if (doc.IsNewerFamily()) return ListBlocksWithCaps(doc, numberToLeaveOut, 0x01);
  std::vector<CString> out;
  for (const CBlockObj* block : doc.m_blocks) {
    const int t = block->m_nType;
    if (block->m_nNumber == numberToLeaveOut) continue;
    if (t == kTypeCOUNTER || t == kTypeACOMP || t == kTypeATHTRG || t == kTypeAAMP)
      out.push_back(ChoiceText(block));
  }
  return out;
}

std::vector<CString> FillDataBlockCombo(const CZaradDoc& doc, int numberToLeaveOut) {
  return ListBlocksWithCaps(doc, numberToLeaveOut, 0x08);
}

std::vector<CString> FillDataLogBlockList(const CZaradDoc& doc, int numberToLeaveOut) {
  return ListBlocksWithCaps(doc, numberToLeaveOut, 0x08);
}

void SetMousePoint(CZaradDoc& doc, int x, int y) {
  doc.m_ptMouse = CPoint(x, y);
}
