// Shared pieces of the block drawing: the drawing colours, the fonts the
// painters create, the device series a drawing follows, and the operand and
// ladder label texts. CBlockObj's drawing operations (block_obj.h) use them,
// and so do the family overrides and the diagram painter.
#pragma once

#include "model/diagram_draw.h"
#include "platform/cdc.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CBlockObj;
class CZaradDoc;

// Drawing colours (0x00BBGGRR).
// (kDrawBlack, kDrawStateOn and kDrawStateOff are in model/diagram_draw.h.)
constexpr COLORREF kBodyFill = 0x8CDEFF;       // block bodies
constexpr COLORREF kClockFaceFill = 0x8CDFFF;  // the clock faces of the timers
constexpr COLORREF kParamColour = 0x408040;    // parameter stubs and parameter text
constexpr COLORREF kValueBoxFill = 0xCCFFFF;   // value boxes
constexpr COLORREF kConnectorFill = 0x40C040;  // connector-half flags

// Geometry of the block drawing, in diagram units.
constexpr int kStubLength = 5;        // pin stubs outside the body edge
constexpr int kDotOffset = 2;         // negation dots are centred this far outside the edge
constexpr int kDotPenWidth = 5;       // a negation dot is a zero-length line this wide
constexpr int kLabelCharWidth = 6;    // the label font's character width
constexpr int kLabelLineHeight = 12;  // the label font's height, one line of text
constexpr int kLabelRise = 16;        // the number label's top edge above the body (4 x 12 / 3)

// A coordinate beyond any drawing: the edge of a band that is open on that side.
constexpr int kFarAway = 1 << 24;

// Whether lines of text in the label or value font whose top edges run from
// top to bottom (logical), anywhere along the row, could show on dc; a line
// height more above and below allows for glyphs that reach out of their
// cells. Drawing code forms such texts only when they could show.
bool TextRowsMayShow(const CDC* dc, int top, int bottom);

// The state colour of a value in the simulation look: black when the block
// colour is black (the editing look), else red for nonzero and blue for zero.
COLORREF PinStateColour(COLORREF blockColour, int value);

// The block label font: "Arial" 12 x 6, weight 400, fixed pitch.
CFont MakeLabelFont();
// The 12 x 6 fixed-pitch font without a face name of value boxes and state texts.
CFont MakeValueFont();
// A painter font (height, width): ANSI/Swiss (ANSI character set, default
// precision, Swiss family) or default/fixed (default character set, TrueType
// precision, fixed pitch); face "Arial" unless arial is false (empty face).
CFont MakeSymbolFont(int height, int width, bool ansiSwiss, bool arial = true, int weight = FW_NORMAL);

// Whether a drawing follows the newer device series (family byte 0x51 and
// above): the document's model; without a document, the default model's.
bool IsNewerSeriesFor(const CZaradDoc* doc);

// The operand label of an operand number in one of the operand ranges 600-611
// ("I101", "S1.1", "AQ101", "M4"); empty for other types.
CString OperandBlockLabel(int typeCode, int number);
// The label of a ladder element 700-705 from its operand (a contact on input
// 100 "I000", a contact on a coil of flag 1320 "M4", "High", "Low"). Elements
// named by operands from 21000 are looked up in doc; without it, or without
// the element, the label is empty.
CString LadderElementLabel(int typeCode, int operand, const CZaradDoc* doc);
// The operand label of a make or break contact (its own rules for coils on
// open connectors and analog output elements).
CString ContactOperandLabel(int operand, const CZaradDoc* doc);

// Selects objects into a context and puts the previous ones back when it goes.
class CDCObjectScope {
 public:
  explicit CDCObjectScope(CDC* dc)
      : m_dc(dc), m_pen(dc->GetCurrentPen()), m_brush(dc->GetCurrentBrush()), m_font(dc->GetCurrentFont()) {}
  ~CDCObjectScope() {
    m_dc->SelectObject(&m_font);
    m_dc->SelectObject(&m_brush);
    m_dc->SelectObject(&m_pen);
  }
  CDCObjectScope(const CDCObjectScope&) = delete;
  CDCObjectScope& operator=(const CDCObjectScope&) = delete;

 private:
  CDC* m_dc;
  CPen m_pen;
  CBrush m_brush;
  CFont m_font;
};
