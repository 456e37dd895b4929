// The pictograms of the block palette: one painter per block kind, named in
// the kind's descriptor (model/block_kind.h), and the drawing helpers they
// share. A painter draws into the item's box with the palette's item font and
// black pen already selected, and returns the height of its label (the
// palette centres the item's name on it), 0 when it has none.
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/cdc.h"

// Arial with the fields every palette font shares.
CFont PaletteFont(int height, int width, int weight = FW_NORMAL);
// Polylines relative to the box's top-left corner, MoveTo then LineTo.
void PaletteStrokes(CDC* dc, const CRect& box, std::initializer_list<std::vector<CPoint>> strokes);
// Text relative to the box in a font of its own (selected only for this text).
void PaletteText(CDC* dc, const CRect& box, int dx, int dy, const CString& text, const CFont* font);

// Time functions.
int PaintIconDPR(CDC* dc, const CRect& box);
int PaintIconDDR(CDC* dc, const CRect& box);
int PaintIconMPLR(CDC* dc, const CRect& box);
int PaintIconPLR(CDC* dc, const CRect& box);
int PaintIconCPG(CDC* dc, const CRect& box);
int PaintIconRPR(CDC* dc, const CRect& box);
int PaintIconAPG(CDC* dc, const CRect& box);
int PaintIconRG(CDC* dc, const CRect& box);
int PaintIconSLS(CDC* dc, const CRect& box);
int PaintIconMFS(CDC* dc, const CRect& box);
int PaintIconWT(CDC* dc, const CRect& box);
int PaintIconYT(CDC* dc, const CRect& box);
int PaintIconAC(CDC* dc, const CRect& box);
int PaintIconSW(CDC* dc, const CRect& box);
