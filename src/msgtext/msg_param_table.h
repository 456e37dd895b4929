// The catalogue of the block parameters that message texts show and that the
// data log and the memory block record: one row per block type, listing
// indexes into g_ParameterNames.
//
// Positions in these lists are saved in files (element kinds, value
// positions, data log items): the rows, their order and their values never
// change.
#pragma once

#include <vector>

#include "platform/cstring.h"

struct MsgParamRow {
  int nType = 0;
  int nCountOld = 0;            // display parameters on the older series
  int nCount = 0;               // display parameters on the newer series
  std::vector<int> display;     // display parameters, in the editors' order
  std::vector<int> recordable;  // values the data log and the memory block record
  std::vector<int> actual;      // actual values of bar graphs, pointers, scopes
};

// Rows with a block type; the catalogue closes with two rows of zeros that no
// lookup ever matches.
constexpr int kMsgParamTypedRows = 83;
constexpr int kMsgParamRows = 85;

// The row of a block type, searched in table order, or null when the type has
// none (type 0 included: the closing rows match nothing).
const MsgParamRow* FindMsgParamRow(int typeCode);
// Row i of the catalogue (0..82), null outside.
const MsgParamRow* GetMsgParamRow(int row);

// The display parameters the message-text editors offer for a block type: on
// the older series nCountOld entries from slot 0; on the newer series nCount
// entries from slot 0, except the analog watchdog (806), whose newer list
// starts at slot 1. Position p of an entry is the element's kind. Empty for a
// type without a row.
std::vector<int> GetMsgDisplayParams(int typeCode, bool newerSeries);
// The values the data log and the memory block can record.
std::vector<int> GetMsgRecordableParams(int typeCode);
// The actual values offered to bar graphs, pointers, scopes and scale times.
std::vector<int> GetMsgActualParams(int typeCode);
// The first display parameter of a type (slot 0): the parameter of I/O status
// names and of analog input and analog flag filter elements; -1 without a row.
int GetMsgFirstParam(int typeCode);

// The time preset a display parameter of a time function (on-delay to the
// multiple function switch) shows: 1 the first (high P9, low P8, base P10),
// 2 the second (X2, X1, X3), 3 and 4 the light switches' pre-warning time and
// its duration; 0 for a parameter that shows no preset.
int MsgPresetSlot(int typeCode, int paramIndex);

// The name of a parameter index (g_ParameterNames, built on first use); empty
// outside 0..144.
CString GetMsgParamName(int paramIndex);
