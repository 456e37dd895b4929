// Spacing of a diagram laid out in grid cells (a converted ladder, a program
// read back from the device): columns and rows keep their order and at least
// their pitches, and stand far enough apart that no block's drawing (its name,
// operand and parameter texts) reaches into a neighbouring column or row.
#pragma once

#include <map>
#include <vector>

#include "platform/types.h"

class CBlockObj;
class CViewContext;

// The boxes of the texts a block draws at its position (name, operand,
// parameter texts, a connector's label), in diagram units, a little wider
// than measured.
std::vector<CRect> DrawnTexts(CBlockObj& block, CViewContext* view);

// The rectangle that a block's drawing covers at its position, in diagram units:
// body, pins and every text around it.
CRect DrawnExtent(CBlockObj& block, CViewContext* view);

struct GridSpacing {
  int columnPitch = 75;  // the least distance between the left edges of two columns
  int rowPitch = 55;     // the least distance between the tops of two rows
  int columnGap = 30;    // room between one column's drawing and the next (wires, connectors)
  int rowGap = 8;        // room between one row's drawing and the next
};

// Places every block of cells at its cell (column 1 rightmost, maxColumn at
// x = columnPitch; row 1 at y = rowPitch): position and saved position. Returns
// the right and bottom edges of the blocks' bodies.
CSize PlaceGridCells(const std::map<CBlockObj*, CPoint>& cells, int maxColumn, CViewContext* view,
                     const GridSpacing& spacing = {});
