#include "model/block_obj.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "model/block_codes.h"
#include "model/diagram_limits.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"

IMPLEMENT_SERIAL(CBlockObj, CObject, 0)

// ---- Pin-type table ---------------------------------------------------------

int GetPinTypeTableRow(int typeCode) {
  const int n = typeCode;
  int row = 0;
  if (n >= 300 && n <= 399) {
    row = n - 300;
  } else if (n >= 400 && n <= 599) {
    row = n - 392;
  } else if (n >= 600 && n <= 699) {
    row = n - 578;
  } else if (n >= 700 && n <= 799) {
    row = n - 666;
  } else if (n >= 800 && n <= 829) {
    row = n - 760;
  } else if (n >= 830 && n <= 859) {
    row = n - 762;
  } else if (n >= 860 && n <= 899) {
    row = n - 765;
  } else if (n >= 900 && n <= 910) {
    row = n - 785;
  } else if (n >= 911 && n <= 999) {
    row = n - 794;
  }
  return row < kPinTypeRows ? row : -1;
}

namespace {

using PinRow = std::array<int, kPinCount>;

std::array<PinRow, kPinTypeRows> BuildPinTypeTable() {
  // Ranges are spelled out as code lists to keep the table plain data.
  auto range = [](int first, int last) {
    std::vector<int> v;
    for (int c = first; c <= last; ++c) v.push_back(c);
    return v;
  };
  struct Line {
    std::vector<int> codes;
    std::string_view inputs;
    int output;
  };
  std::vector<Line> lines = {
      {range(300, 305), "1111", 1},
      {{306}, "11", 1},
      {{307}, "1", 1},
      {{kTypeDPR, kTypeMPLR, kTypeCPG, kTypeRG, kTypeSLS}, "13", 1},
      {{kTypeDDR, kTypePLR, kTypeRPR, kTypeAPG, kTypeMFS}, "113", 1},
      {{kTypeWT}, "333", 1},
      {{kTypeYT, kTypeAC}, "3", 1},
      {{kTypeSW}, "1113", 2},
      {{600, 601, 602, 603, 604, 611}, "", 1},
      {{605, 607}, "1", 1},
      {{606}, "1", 0},
      {{608}, "", 2},
      {{609, 610}, "2", 2},
      {{700, 701}, "1", 1},
      {{702}, "1", 2},
      {{703, 704}, "1", 0},
      {{705}, "2", 0},
      {{800, 801, 809, 812}, "1113", 1},
      {{802, 824}, "13", 1},
      {{803}, "223", 1},
      {{804, 807}, "23", 1},
      {{805}, "23", 2},
      {{806}, "123", 1},
      {{808, 813, 814, 823}, "113", 1},
      {{810}, "133", 1},
      {{811}, "11", 1},
      {{815, 826}, "13", 2},
      {{816, 817}, "1113", 2},
      {{818, 821, 822}, "1123", 2},
      {{819}, "123", 2},
      {{820}, "23", 2},
      {{825}, "113", 0},
      {{827}, "123", 0},
      {{830}, "1111", 1},
      {{831}, "11", 1},
      {{832, 833, 840, 866}, "2", 2},
      {{834, 835, 836, 837, 838, 839, 841, 842, 843, 862, 863, 864,
        865, 869, 870, 871, 872, 873, 874, 875, 876, 877, 878},
       "23",
       2},
      {{844, 846}, "3", 2},
      {{845}, "223", 2},
      {{847, 856}, "13", 2},
      {{848, 851, 855}, "13", 1},
      {{849, 852}, "113", 1},
      {{850}, "1113", 1},
      {{853}, "12", 2},
      {{854}, "23", 1},
      {{860, 861}, "2", 1},
      {{867, 868}, "22", 2},
      {{879}, "123", 2},
      {{900}, "1", 0},
      {{901}, "", 1},
      {{911}, "13", 0},
  };
  std::array<PinRow, kPinTypeRows> table{};
  for (const Line& line : lines) {
    for (int code : line.codes) {
      const int row = GetPinTypeTableRow(code);
      if (row < 0) continue;
      for (size_t i = 0; i < line.inputs.size() && i < kMaxInputPins; ++i)
        table[row][i] = line.inputs[i] - '0';
      table[row][kFirstOutputPin] = line.output;
    }
  }
  return table;
}

const std::array<PinRow, kPinTypeRows>& PinTypeTable() {
  static const std::array<PinRow, kPinTypeRows> table = BuildPinTypeTable();
  return table;
}

// Ladder documents draw no output pins except on contacts and the female connector.
bool KeepsOutputPinInLadder(int type) {
  return type == kTypeMakeContact || type == kTypeBreakContact || type == kTypeAnalogContact ||
         type == kTypeFemaleConnector;
}

bool IsLadderDocument(const CZaradDoc* doc) {
  return doc != nullptr && doc->m_nKind == kDocLadder;
}

// Valid pin index of an existing pin of a block with these counts.
bool IsExistingPin(int pin, int inputs, int outputs) {
  return (pin >= 0 && pin < inputs) || (pin >= kFirstOutputPin && pin < kFirstOutputPin + outputs);
}

}  // namespace

int GetTablePinType(int typeCode, int pin) {
  const int row = GetPinTypeTableRow(typeCode);
  if (row < 0 || pin < 0 || pin >= kPinCount) return PIN_NONE;
  return PinTypeTable()[static_cast<size_t>(row)][static_cast<size_t>(pin)];
}

// ---- Construction -----------------------------------------------------------

// A block read from a file takes its timer starts from the scan driver, which
// sets them when simulation starts.
CBlockObj::CBlockObj() = default;

CBlockObj::CBlockObj(int typeCode, int inputCount, const BlockContext& ctx) {
  m_stStart = m_stIntervalStart = ctx.simTime;
  m_nType = typeCode;
  m_nInputs = std::clamp(inputCount, 0, kMaxInputPins);
  for (int i = 0; i < m_nInputs; ++i) m_nSource[i] = LINK_OPEN;
  LoadPinTypes(ctx.ladder);
}

BlockContext BlockContext::For(const CZaradDoc* doc, const SYSTEMTIME& simTime) {
  return BlockContext{simTime, doc, IsLadderDocument(doc)};
}

CBlockObj::~CBlockObj() = default;

void CBlockObj::LoadPinTypes(bool ladder) {
  for (int i = 0; i < kPinCount; ++i) {
    if (!IsExistingPin(i, m_nInputs, m_nOutputs)) continue;
    m_nPinType[i] = GetTablePinType(m_nType, i);
    if (i >= kFirstOutputPin && ladder && !KeepsOutputPinInLadder(m_nType)) m_nPinType[i] = PIN_NONE;
  }
}

void CBlockObj::GetPinTypeRow(const CZaradDoc* doc) {
  LoadPinTypes(IsLadderDocument(doc));
}

// ---- The common block record ------------------------------------------------

namespace {

void StorePoint(CArchive& ar, const CPoint& pt) {
  ar << pt.x << pt.y;
}
void LoadPoint(CArchive& ar, CPoint& pt) {
  ar >> pt.x >> pt.y;
  pt = ClampPoint(pt);
}
void StoreWord(CArchive& ar, int v) {
  ar << static_cast<WORD>(v & 0xFFFF);
}
int LoadWord(CArchive& ar) {
  WORD w = 0;
  ar >> w;
  return w;
}

}  // namespace

void CBlockObj::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    for (int k = 0; k < kRefCount; ++k) m_nRefNumber[k] = m_pRef[k] ? m_pRef[k]->m_nNumber : -1;
    ar << m_nType;                                                                                     // 1
    StorePoint(ar, m_ptPos);                                                                           // 2
    StorePoint(ar, m_ptDragStart);                                                                     // 3
    ar << m_nWidth << m_nHeight << m_nNumber;                                                          // 4-6
    StoreWord(ar, m_bShowLabel);                                                                       // 7
    for (int v : m_nSource) ar << v;                                                                   // 8
    ar << m_strReserved << m_nOperand << m_strName;                                                    // 9-11
    ar << m_wMemSize;                                                                                  // 12
    ar << m_strLabel;                                                                                  // 13
    StoreWord(ar, m_nContactState);                                                                    // 14
    ar << m_nInputs << m_nOutputs << m_nReserved1 << m_nReserved2;                                     // 15
    ar << m_nParam3 << m_nParam1 << m_nParam2 << m_nParam9 << m_nParam10 << m_nParam11 << m_nParam12;  // 16
    ar << m_bUseRef[0];                                                                                // 17
    ar << m_nParam14 << m_nParam15 << m_nParam16 << m_nParam17 << m_nParam18 << m_nParam19 << m_nParam20
       << m_nParam21 << m_nParam22 << m_nParam23 << m_nParam25 << m_nParam26 << m_nParam27;  // 18
    ar << m_nRefNumber[0] << m_bUseRef[1] << m_nRefNumber[1];                                // 19
    ar << m_nLinkSlots;                                                                      // 20
    ar << m_bAutoRange << m_nSimValue << m_nMinValue << m_nMaxValue;                         // 21
    for (int v : m_bInvert) ar << v;                                                         // 22
    for (int v : m_nPinType) ar << v;                                                        // 23
    // The plain block (schema 0) writes the short record so that it reads back;
    // every class of schema 1 writes the full one.
    if (GetRuntimeClass()->GetSchemaNumber() == 0) return;
    ar << m_nParam13 << m_nParam4 << m_nParam7 << m_nParam6 << m_nParam5;  // 24
    ar << m_strMask;                                                       // 25
    ar << m_nParam8 << m_bUseRef[2] << m_nRefNumber[2] << m_bUseRef[3] << m_nRefNumber[3]
       << m_nParam24;  // 26
    ar << m_dParam;    // 27
    return;
  }

  ar >> m_nType;
  LoadPoint(ar, m_ptPos);
  LoadPoint(ar, m_ptDragStart);
  ar >> m_nWidth >> m_nHeight >> m_nNumber;
  m_nWidth = ClampCoordinate(m_nWidth);
  m_nHeight = ClampCoordinate(m_nHeight);
  m_bShowLabel = LoadWord(ar);
  for (int& v : m_nSource) ar >> v;
  ar >> m_strReserved >> m_nOperand >> m_strName;
  m_wMemSize = static_cast<WORD>(LoadWord(ar));
  ar >> m_strLabel;
  m_nContactState = LoadWord(ar);
  ar >> m_nInputs >> m_nOutputs >> m_nReserved1 >> m_nReserved2;
  ar >> m_nParam3 >> m_nParam1 >> m_nParam2 >> m_nParam9 >> m_nParam10 >> m_nParam11 >> m_nParam12;
  ar >> m_bUseRef[0];
  ar >> m_nParam14 >> m_nParam15 >> m_nParam16 >> m_nParam17 >> m_nParam18 >> m_nParam19 >> m_nParam20 >>
      m_nParam21 >> m_nParam22 >> m_nParam23 >> m_nParam25 >> m_nParam26 >> m_nParam27;
  ar >> m_nRefNumber[0] >> m_bUseRef[1] >> m_nRefNumber[1];
  ar >> m_nLinkSlots;
  ar >> m_bAutoRange >> m_nSimValue >> m_nMinValue >> m_nMaxValue;
  // Pin counts and link slots index the pin arrays everywhere: a damaged record
  // is refused rather than let through.
  if (m_nInputs < 0 || m_nInputs > kMaxInputPins || m_nOutputs < 0 ||
      m_nOutputs > kPinCount - kFirstOutputPin || m_nLinkSlots < 0 || m_nLinkSlots >= kPinCount) {
    ar.ThrowException(CArchiveException::genericException, "block record with pin counts out of range");
  }

  const UINT schema = ar.GetObjectSchema();
  if (schema > 1) ar.ThrowException(CArchiveException::badSchema, GetRuntimeClass()->m_lpszClassName);
  m_nLoadedSchema = static_cast<int>(schema);
  for (int& v : m_bInvert) ar >> v;
  for (int& v : m_nPinType) ar >> v;
  if (schema == 0) return;
  ar >> m_nParam13 >> m_nParam4 >> m_nParam7 >> m_nParam6 >> m_nParam5;
  ar >> m_strMask;
  ar >> m_nParam8 >> m_bUseRef[2] >> m_nRefNumber[2] >> m_bUseRef[3] >> m_nRefNumber[3] >> m_nParam24;
  ar >> m_dParam;
}

// ---- Virtual operations -----------------------------------------------------
// The evaluation protocol (Simulate, SimulateAndDraw, ReadInputs, SetInput,
// CombineInputs, the timing operations, WalkConnections, CopyTo,
// FormatTimeText, GetValue, PropagateToContacts) is in block_eval.cpp; the
// drawing operations (Draw, DrawSelected, DrawStateText, DrawValueBox,
// DrawHighlight) are in blocks/block_draw.cpp.
