// The palette lists: the block type codes of each palette group, in palette
// order, and the rules that pick a group's entries for a device series.
#pragma once

#include <vector>

#include "platform/types.h"

using CUIntArray = std::vector<UINT>;

// The eleven lists, in the order BuildToolboxLists fills them.
struct ToolboxLists {
  CUIntArray basic;        // 300-307
  CUIntArray time;         // 400-413
  CUIntArray ladder;       // 700-705
  CUIntArray ioOld;        // operands without function keys
  CUIntArray io;           // operands with function keys (611)
  CUIntArray specialOld;   // 14 special functions of the older series
  CUIntArray special;      // 23 special functions of the newer series
  CUIntArray specialWifi;  // the 23, then the four WiFi blocks (series 0x52)
  CUIntArray data;         // 830-856
  CUIntArray math;         // 860-879
  CUIntArray dataLog;      // 911
};

extern ToolboxLists g_ToolboxLists;

// The lists under their own names.
extern CUIntArray& g_ToolboxBasic;
extern CUIntArray& g_ToolboxTime;
extern CUIntArray& g_ToolboxLadder;
extern CUIntArray& g_ToolboxIoOld;
extern CUIntArray& g_ToolboxIo;
extern CUIntArray& g_ToolboxSpecialOld;
extern CUIntArray& g_ToolboxSpecial;
extern CUIntArray& g_ToolboxSpecialWifi;
extern CUIntArray& g_ToolboxData;
extern CUIntArray& g_ToolboxMath;
extern CUIntArray& g_ToolboxDataLog;

// Fills the eleven lists anew.
void BuildToolboxLists();

// Palette categories (the palette's tabs).
enum PaletteCategory {
  PALETTE_BASIC = 0,
  PALETTE_TIME = 1,
  PALETTE_IO = 2,
  PALETTE_SPECIAL = 3,
  PALETTE_DATA = 4,
  PALETTE_MATH = 5,
  PALETTE_DATALOG = 6,
};

// The entries that the palette offers in a category, in palette order, for a
// device series byte and a document kind (ladder or not). The time functions
// 412 and 413, the function key 611, the newer special functions and the data,
// math and data-log groups need series 0x51 or above; series 0x52 adds the WiFi
// blocks; series below 0x11 offer no operands and no special functions. A
// ladder document offers 301 and 303 as its basic functions and the ladder
// elements in place of the operands.
CUIntArray PaletteEntries(int category, int series, bool ladderDocument);
