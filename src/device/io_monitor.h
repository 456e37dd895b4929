// The I/O status monitor's side of the link: the device areas it reads, one poll
// (the clock, then the areas of the chosen view) and where each value goes in the
// monitor's grid.
#pragma once

#include <array>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

class CDeviceLink;

// What the monitor shows: inputs, outputs and analog values, the flags, or the analog flags.
enum IoView : int { kIoViewIo = 0, kIoViewFlags = 1, kIoViewAnalogFlags = 2 };

struct IoArea {
  BYTE function;
  WORD first;        // first register
  int bytes;         // bytes of the whole area
  WORD requestSize;  // bits or registers per request
  int frames;
  int expected;  // reply length of one frame
};
// 0 inputs I, 1 outputs Q, 2 analog inputs AI, 3 analog outputs AQ, 4 flags M, 5 analog flags AM.
extern const std::array<IoArea, 6> kIoAreas;

// The grid of a view: its size (one fixed row and column) and header texts; first
// is the layout made when the dialog opens ("Ext%d" rather than "Ext %d").
int IoGridRows(int view);
int IoGridColumns(int view);
CString IoHeaderText(int view, int row, int column, bool first);
// The background of a data cell (0x00BBGGRR).
COLORREF IoDataColour(int view, int column);

struct IoCell {
  int row;
  int column;
  CString text;
  bool on;  // a 1 or a nonzero word: shown in red
};
// The cells an area's bytes fill.
std::vector<IoCell> DecodeIoArea(int area, const std::vector<BYTE>& data);

struct IoPollResult {
  bool clockRead = false;
  bool areasRead = false;
  CString time;               // "%d:%d:%d"
  std::vector<IoCell> cells;  // after a successful read
};
// One poll of the view against an open link: the station address, the pause
// between requests, up to three tries per read. Failures write their lines into
// the information window through the link.
IoPollResult PollIoStatus(CDeviceLink& link, int view, int address, int delayMs);
