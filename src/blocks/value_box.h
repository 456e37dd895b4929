// Value boxes: the light-yellow box under a block's body in which a value
// block shows its current value during simulation, one 12-unit line of text
// per value in the 12 x 6 fixed-pitch font.
#pragma once

#include <vector>

#include "platform/cstring.h"

class CBlockObj;
class CBlockTime;
class CDC;

constexpr int kValueBoxGap = 2;  // the box starts this far under the body
constexpr int kValueBoxLineHeight = 12;

// Fills (left, bottom + 2) to (left + width, bottom + 2 + height) with the
// value-box colour and writes line k at (left, bottom + 2 + 12 k). The
// context's objects and colours are restored afterwards. Nothing is done
// when the box and its texts could not show.
void PaintValueBoxLines(CDC* dc, const CBlockObj& block, int width, int height,
                        const std::vector<CString>& lines);

// Whether a value box of up to that many lines under the block could show
// on dc, its texts included (they run right from the box's left edge, as far
// as they are long): the painters form the texts only then.
bool ValueBoxMayShow(const CDC* dc, const CBlockObj& block, int lines);

// Width of a value box of factor x the body width, truncated toward zero.
int ValueBoxWidth(const CBlockObj& block, double factor);

// The value box of a time block: 1.5 body widths (3 for the yearly timer),
// one line with m_strValueText (the caller formats it first).
void PaintTimeValueBox(CDC* dc, const CBlockTime& block);
