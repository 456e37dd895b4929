// The parameter summary text: the column of short lines to the left of a
// block that shows its stored settings (presets and their time bases, values
// taken from other blocks, retentivity, protection, thresholds, gains, modes,
// Modbus and WiFi addressing). CBlockObj::DrawParameterText draws it at the
// block's parameter pin; the layout is computed here without a device context.
#pragma once

#include <vector>

#include "platform/cstring.h"

class CBlockObj;

class CDC;

// Line numbers run from 0 to this (the weekly timer's three cams take three
// lines each after its first).
constexpr int kParameterTextLastLine = 9;

struct ParameterTextLine {
  int line = 0;  // line number k: its top edge is 12 x k - 3 below the pin
  CString text;
};

struct ParameterTextLayout {
  // The indent (how far left of the body every line starts): indentChars
  // character widths, or, when indentLine is 0 or more, the measured width of
  // that line's text plus indentExtra.
  int indentChars = 0;
  int indentLine = -1;
  int indentExtra = 0;
  std::vector<ParameterTextLine> lines;

  // The text of a line number, empty when the layout has no such line.
  CString TextOf(int line) const;
};

// The lines of a block's parameter text for the device series (newer: family
// byte 0x51 and above). Types without text give no lines.
ParameterTextLayout BuildParameterTextLayout(const CBlockObj& block, bool newerSeries);

// Whether any line of a parameter text drawn at the pin at height y (logical)
// with the line height could show on dc (wherever along the row it starts).
bool ParameterTextMayShow(const CDC* dc, int y, int lineHeight);
