// Pictures drawn in code through CDC, each with one home here:
// - the line pictures of the block kinds in their 25 x 36 symbol box, which the
//   block palette and the message-text editor's block icons both draw;
// - the icons of the message-text editor's scope and pointer buttons;
// - the module picture of the operand pages (the main unit with its display,
//   then the extension modules Ext.1 to Ext.7, one of them marked).
// Icons and the module picture are designed in units of their own and drawn
// scaled into any rectangle, so they stay sharp at every size.
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/cdc.h"

// Resource ids of the pictures windows show.
enum PictureId : int {
  kPictureNone = 0,
  kPictureModules = 329,  // the main unit and the extension modules
  kIconPointer = 420,
  kIconScope = 422,
};

// A block symbol box: 25 x 36 units from its top-left corner.
constexpr int kSymbolBoxWidth = 25;
constexpr int kSymbolBoxHeight = 36;

// A text that belongs to a kind's symbol: its offset from the box's top-left
// corner, and whether the symbol shows it in the small font.
struct SymbolText {
  int dx = 0;
  int dy = 0;
  const char16_t* text = u"";
  bool small = false;
};

// Polylines relative to the box's top-left corner, each a MoveTo then LineTos,
// in the selected pen: the strokes of every symbol picture.
void SymbolStrokes(CDC* dc, const CRect& box, std::initializer_list<std::vector<CPoint>> strokes);

// Draws the line picture of a block kind into the symbol box whose top-left
// corner is box's: strokes in the selected pen, clock faces filled. Returns
// false, drawing nothing, for a kind without a line picture.
bool DrawBlockLinePicture(CDC* dc, const CRect& box, int type);
bool HasBlockLinePicture(int type);
// The texts that stand beside a special function's line picture ("U/D" over
// the counter's arrow, "+=" and "A" of the mathematical instruction, ...), in
// drawing order; empty for the other kinds.
std::vector<SymbolText> BlockSymbolTexts(int type);
// The top of a time function's name under its line picture (offset in the box).
int TimeSymbolLabelTop(int type);

// Draws a picture (PictureId) scaled into rect; a picture of another id
// draws nothing. state: for kPictureModules the module to mark (0 the main
// unit, 1..7 Ext.1..Ext.7, -1 none); ignored by the icons.
void DrawPicture(CDC* dc, const CRect& rect, int id, int state = -1);
// The design size of a picture (its proportions); 0 x 0 for an unknown id.
CSize PictureDesignSize(int id);
// The number of modules the module picture shows (the main unit and seven).
constexpr int kPictureModuleCount = 8;
