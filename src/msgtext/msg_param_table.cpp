#include "msgtext/msg_param_table.h"

#include <algorithm>

#include "model/block_codes.h"
#include "model/name_tables.h"

namespace {

const std::vector<MsgParamRow>& Rows() {
  static const std::vector<MsgParamRow> rows = {
      {kTypeDPR, 2, 3, {0, 4, 50}, {0}, {}},
      {kTypeDDR, 2, 3, {0, 5, 50}, {0}, {}},
      {kTypeMPLR, 3, 4, {0, 6, 7, 50}, {0}, {}},
      {kTypePLR, 2, 3, {0, 4, 50}, {0}, {}},
      {kTypeCPG, 2, 3, {0, 7, 50}, {0}, {}},
      {kTypeRPR, 3, 4, {0, 40, 39, 50}, {0}, {}},
      {kTypeAPG, 3, 4, {0, 40, 39, 50}, {0}, {}},
      {kTypeRG, 2, 3, {10, 11, 50}, {}, {}},
      {kTypeSLS, 4, 5, {0, 5, 12, 13, 50}, {0}, {}},
      {kTypeMFS, 5, 6, {0, 41, 14, 12, 13, 50}, {0}, {}},
      {kTypeWT, 9, 9, {15, 42, 43, 44, 45, 46, 47, 48, 49}, {}, {}},
      {kTypeYT, 2, 2, {35, 36}, {}, {}},
      {kTypeAC, 5, 5, {75, 76, 77, 78, 79}, {78, 79}, {}},
      {kTypeSW, 4, 4, {80, 81, 82, 83}, {81, 82, 83}, {81, 82, 83}},
      {kTypeCOUNTER, 3, 4, {16, 17, 18, 64}, {16}, {16}},
      {kTypeHCOUNTER, 3, 6, {19, 20, 21, 65, 66, 67}, {20, 21, 66, 67}, {20, 21}},
      {kTypeTHTRG, 4, 4, {22, 37, 38, 23}, {22}, {22}},
      {kTypeACOMP, 7, 7, {24, 25, 26, 27, 28, 29, 30}, {28, 29, 30}, {28, 29, 30}},
      {kTypeATHTRG, 5, 5, {24, 25, 26, 27, 28}, {28}, {28}},
      {kTypeAAMP, 3, 3, {26, 27, 28}, {28}, {28}},
      {kTypeAWDOG, 5, 6, {31, 26, 27, 32, 28, 68, 69}, {32, 28}, {32, 28}},
      {kTypeADTRG, 6, 6, {24, 31, 26, 27, 28, 25}, {28, 25}, {28, 25}},
      {kTypeMessageText, 4, 4, {34, 1, 2, 3}, {}, {}},
      {kTypeAMATH, 5, 5, {70, 71, 72, 73, 74}, {70}, {70}},
      {kTypeAMUX, 5, 5, {70, 84, 85, 86, 87}, {70}, {70}},
      {kTypeAnalogFilter, 3, 3, {88, 89, 98}, {89, 98}, {89, 98}},
      {kTypeAVGVAL, 4, 4, {91, 92, 93, 94}, {93, 94}, {93, 94}},
      {kTypeMAXMIN, 5, 5, {95, 89, 96, 97, 98}, {89, 96, 97, 98}, {89, 96, 97}},
      {kTypeMATHERR, 3, 3, {99, 100, 101}, {100, 101}, {100, 101}},
      {kTypeARAMP, 8, 8, {26, 27, 102, 103, 104, 105, 106, 107}, {102}, {102}},
      {kTypePI, 10, 10, {26, 27, 108, 109, 110, 111, 112, 113, 114, 115}, {114, 115}, {114, 115}},
      {kTypePWM, 4, 4, {116, 26, 27, 117}, {117}, {117}},
      {kTypeBCD, 0, 2, {89, 114}, {114}, {114}},
      {kTypeBIN, 0, 2, {89, 114}, {114}, {114}},
      {kTypeROL, 0, 3, {89, 118, 114}, {118, 114}, {114}},
      {kTypeROR, 0, 3, {89, 118, 114}, {118, 114}, {114}},
      {kTypeSHL, 0, 3, {89, 119, 114}, {119, 114}, {114}},
      {kTypeSHR, 0, 3, {89, 119, 114}, {119, 114}, {114}},
      {kTypeANDM, 0, 3, {89, 120, 114}, {120, 114}, {114}},
      {kTypeORM, 0, 3, {89, 120, 114}, {120, 114}, {114}},
      {kTypeNOTM, 0, 2, {89, 114}, {114}, {114}},
      {kTypeNANDM, 0, 3, {89, 120, 114}, {120, 114}, {114}},
      {kTypeNORM, 0, 3, {89, 120, 114}, {120, 114}, {114}},
      {kTypeXORM, 0, 3, {89, 120, 114}, {120, 114}, {114}},
      {kTypeARRMXIV, 0, 3, {95, 121, 114}, {95, 121, 114}, {114}},
      {kTypeACMXIV, 0, 4, {89, 90, 95, 114}, {95, 114}, {114}},
      {kTypeRAND, 0, 2, {122, 114}, {122, 114}, {114}},
      {kTypeENCODER, 0, 5, {144, 140, 130, 141, 142}, {144, 140, 141, 142, 125}, {}},
      {kTypeSMC, 0, 1, {126}, {126}, {}},
      {kTypeSMCE, 0, 2, {126, 127}, {126, 127}, {}},
      {kTypePTO, 0, 1, {138}, {138}, {}},
      {kTypePTOE, 0, 2, {138, 143}, {138, 143}, {}},
      {kTypeSEG, 0, 1, {114}, {114}, {114}},
      {kTypeWORD2BIT, 0, 1, {124}, {124}, {}},
      {kTypeUDC, 0, 1, {128}, {128}, {}},
      {kTypeCRC16, 0, 1, {129}, {129}, {}},
      {kTypeODD, 0, 1, {89}, {}, {}},
      {kTypeEVEN, 0, 1, {89}, {}, {}},
      {kTypeMOD, 0, 3, {89, 122, 114}, {122, 114}, {114}},
      {kTypeREM, 0, 3, {89, 122, 114}, {122, 114}, {114}},
      {kTypeLOG, 0, 4, {89, 122, 123, 114}, {122, 123, 114}, {114}},
      {kTypeSQRT, 0, 3, {89, 123, 114}, {123, 114}, {114}},
      {kTypeABS, 0, 2, {89, 114}, {114}, {114}},
      {kTypeGCD, 0, 3, {89, 90, 114}, {114}, {114}},
      {kTypeLCM, 0, 3, {89, 90, 114}, {114}, {114}},
      {kTypePOW2, 0, 3, {89, 123, 114}, {123, 114}, {114}},
      {kTypeEXP, 0, 3, {89, 123, 114}, {123, 114}, {114}},
      {kTypeFIX, 0, 3, {89, 122, 114}, {122, 114}, {114}},
      {kTypeROUND, 0, 3, {89, 122, 114}, {122, 114}, {114}},
      {kTypeSIN, 0, 3, {89, 123, 114}, {123, 114}, {114}},
      {kTypeCOS, 0, 3, {89, 123, 114}, {123, 114}, {114}},
      {kTypeTAN, 0, 3, {89, 123, 114}, {123, 114}, {114}},
      {kTypeCOT, 0, 3, {89, 123, 114}, {123, 114}, {114}},
      {kTypeSEC, 0, 3, {89, 123, 114}, {123, 114}, {114}},
      {kTypeCSC, 0, 3, {89, 123, 114}, {123, 114}, {114}},
      {kTypeQUAD, 0, 2, {123, 114}, {123, 114}, {114}},
      {kTypeAnalogInput, 0, 1, {131}, {}, {}},
      {kTypeInput, 0, 1, {132}, {}, {}},
      {kTypeOutput, 0, 1, {133}, {}, {}},
      {kTypeFlag, 0, 1, {134}, {}, {}},
      {kTypeFunctionKey, 0, 1, {135}, {}, {}},
      {kTypeShiftBit, 0, 1, {136}, {}, {}},
      {kTypeAnalogFlag, 0, 1, {137}, {}, {}},
  };
  return rows;
}

}  // namespace

const MsgParamRow* FindMsgParamRow(int typeCode) {
  if (typeCode == 0) return nullptr;
  for (const MsgParamRow& row : Rows())
    if (row.nType == typeCode) return &row;
  return nullptr;
}

const MsgParamRow* GetMsgParamRow(int row) {
  const auto& rows = Rows();
  return row >= 0 && static_cast<size_t>(row) < rows.size() ? &rows[static_cast<size_t>(row)] : nullptr;
}

std::vector<int> GetMsgDisplayParams(int typeCode, bool newerSeries) {
  const MsgParamRow* row = FindMsgParamRow(typeCode);
  if (row == nullptr) return {};
  const int count = newerSeries ? row->nCount : row->nCountOld;
  const size_t first = newerSeries && typeCode == kTypeAWDOG ? 1 : 0;
  std::vector<int> out;
  for (size_t i = first; i < row->display.size() && out.size() < static_cast<size_t>(std::max(count, 0)); ++i)
    out.push_back(row->display[i]);
  return out;
}

std::vector<int> GetMsgRecordableParams(int typeCode) {
  const MsgParamRow* row = FindMsgParamRow(typeCode);
  return row ? row->recordable : std::vector<int>();
}

std::vector<int> GetMsgActualParams(int typeCode) {
  const MsgParamRow* row = FindMsgParamRow(typeCode);
  return row ? row->actual : std::vector<int>();
}

int GetMsgFirstParam(int typeCode) {
  const MsgParamRow* row = FindMsgParamRow(typeCode);
  return row && !row->display.empty() ? row->display[0] : -1;
}

int MsgPresetSlot(int typeCode, int param) {
  switch (typeCode) {
    case kTypeDPR:
    case kTypeDDR:
    case kTypePLR:
      return param == 4 || param == 5 ? 1 : 0;
    case kTypeMPLR:
      return param == 6 ? 1 : param == 7 ? 2 : 0;
    case kTypeCPG:
      return param == 7 ? 1 : 0;
    case kTypeRPR:
    case kTypeAPG:
      return param == 40 ? 1 : param == 39 ? 2 : 0;
    case kTypeRG:
      return param == 10 ? 1 : param == 11 ? 2 : 0;
    case kTypeSLS:
      return param == 5 ? 2 : param == 12 ? 3 : param == 13 ? 4 : 0;
    case kTypeMFS:
      return param == 41 ? 2 : param == 14 ? 1 : param == 12 ? 3 : param == 13 ? 4 : 0;
    default:
      return 0;
  }
}

CString GetMsgParamName(int paramIndex) {
  if (g_ParameterNames.size() != 145) BuildParameterNames();
  if (paramIndex < 0 || static_cast<size_t>(paramIndex) >= g_ParameterNames.size()) return CString();
  return g_ParameterNames[static_cast<size_t>(paramIndex)];
}
