// The catalogue of the block parameters that message texts show and that the
// data log and the memory block record: one row per block type, listing
// indexes into g_ParameterNames.
#pragma once

#include <vector>

struct MsgParamRow {
  int nType = 0;
  int nCountOld = 0;            // display parameters on the older series
  int nCount = 0;               // display parameters on the newer series
  std::vector<int> display;     // display parameters, in the editors' order
  std::vector<int> recordable;  // values the data log and the memory block record
  std::vector<int> actual;      // actual values of bar graphs, pointers, scopes
};

// The row of a block type, or null when the type has none.
const MsgParamRow* FindMsgParamRow(int typeCode);
