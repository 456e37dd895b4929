#include "blocks/palette_icons.h"

#include "model/block_codes.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kClockFace = RGB(255, 223, 140);

using Stroke = std::vector<CPoint>;

// Width of a text in a font (the item font when null).
CSize Extent(CDC* dc, const CString& text, const CFont* font) {
  if (!font) return dc->GetTextExtent(text);
  CFont old = dc->SelectObject(font);
  CSize size = dc->GetTextExtent(text);
  dc->SelectObject(&old);
  return size;
}

}  // namespace

CFont PaletteFont(int height, int width, int weight) {
  CFont font;
  font.CreateFont(height, width, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, FF_SWISS, u"Arial");
  return font;
}

void PaletteStrokes(CDC* dc, const CRect& box, std::initializer_list<Stroke> strokes) {
  for (const Stroke& s : strokes) {
    if (s.empty()) continue;
    dc->MoveTo(box.left + s[0].x, box.top + s[0].y);
    for (size_t i = 1; i < s.size(); ++i) dc->LineTo(box.left + s[i].x, box.top + s[i].y);
  }
}

void PaletteText(CDC* dc, const CRect& box, int dx, int dy, const CString& text, const CFont* font) {
  CFont old;
  if (font) old = dc->SelectObject(font);
  dc->TextOut(box.left + dx, box.top + dy, text);
  if (font) dc->SelectObject(&old);
}

// ---- Time functions --------------------------------------------------------------------

namespace {

// The label under a time function's picture: in a font of its own (height 0:
// the item font), at x = (25 - w) / 2 + dx.
int TimeLabel(CDC* dc, const CRect& box, const char16_t* text, int height, int width, int dx, int y) {
  CFont font;
  const CFont* fontPtr = nullptr;
  if (height) {
    font = PaletteFont(height, width);
    fontPtr = &font;
  }
  const CSize size = Extent(dc, text, fontPtr);
  PaletteText(dc, box, (25 - size.cx) / 2 + dx, y, text, fontPtr);
  return size.cy;
}

void DrawClock(CDC* dc, const CRect& box, CRect face, CPoint centre, CPoint twelve, CPoint three) {
  const CBrush brush(kClockFace);
  const CBrush old = dc->SelectObject(&brush);
  dc->Ellipse(box.left + face.left, box.top + face.top, box.left + face.right, box.top + face.bottom);
  dc->SelectObject(&old);
  PaletteStrokes(dc, box, {{centre, twelve}, {centre, three}});
}

}  // namespace

int PaintIconDPR(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box,
                 {{{6, 14}, {6, 3}, {3, 7}}, {{6, 3}, {9, 7}}, {{4, 21}, {14, 21}, {14, 13}, {24, 13}}});
  return TimeLabel(dc, box, u"ON-D", 10, 5, 0, 25);
}

int PaintIconDDR(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box,
                 {{{7, 3}, {7, 9}, {4, 5}}, {{7, 9}, {10, 5}}, {{5, 13}, {15, 13}, {15, 21}, {25, 21}}});
  return TimeLabel(dc, box, u"OFF-D", 9, 4, 1, 25);
}

int PaintIconMPLR(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box,
                 {{{9, 14}, {9, 3}, {6, 7}},
                  {{9, 3}, {12, 7}},
                  {{9, 14}, {6, 10}},
                  {{9, 14}, {12, 10}},
                  {{9, 21}, {21, 21}, {21, 13}},
                  {{15, 21}, {15, 13}, {25, 13}}});
  return TimeLabel(dc, box, u"ON/OFF", 9, 3, 1, 25);
}

int PaintIconPLR(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box,
                 {{{9, 14}, {9, 5}},
                  {{9, 5}, {6, 11}},
                  {{9, 5}, {12, 11}},
                  {{9, 21}, {12, 21}, {12, 13}, {21, 13}, {15, 10}},
                  {{21, 13}, {15, 16}}});
  return TimeLabel(dc, box, u"R-ON-D", 9, 3, 1, 25);
}

int PaintIconCPG(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box,
                 {{{2, 13}, {6, 13}, {6, 6}, {17, 6}, {17, 13}, {23, 13}},
                  {{2, 21}, {6, 21}, {6, 15}, {10, 15}, {10, 21}, {17, 21}}});
  return TimeLabel(dc, box, u"W-R", 10, 5, 1, 23);
}

int PaintIconRPR(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box,
                 {{{2, 12}, {6, 12}, {6, 5}, {17, 5}, {17, 12}, {23, 12}},
                  {{6, 5}, {2, 10}},
                  {{6, 5}, {10, 10}},
                  {{2, 22}, {6, 22}, {6, 16}, {19, 16}, {19, 22}, {23, 22}}});
  return TimeLabel(dc, box, u"ETWR", 10, 4, 0, 25);
}

int PaintIconAPG(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box,
                 {{{7, 6}, {22, 6}, {14, 3}},
                  {{19, 6}, {14, 9}},
                  {{2, 21},
                   {4, 21},
                   {4, 12},
                   {7, 12},
                   {7, 21},
                   {10, 21},
                   {10, 12},
                   {12, 12},
                   {12, 21},
                   {15, 21},
                   {15, 12},
                   {18, 12},
                   {18, 21},
                   {21, 21},
                   {21, 12},
                   {23, 12},
                   {23, 21},
                   {25, 21}}});
  return TimeLabel(dc, box, u"A-P-G", 10, 4, 1, 25);
}

int PaintIconRG(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box,
                 {{{2, 6}, {17, 6}, {9, 3}},
                  {{14, 6}, {9, 9}},
                  {{2, 21}, {10, 21}, {10, 12}, {18, 12}, {18, 21}, {26, 21}}});
  return TimeLabel(dc, box, u"R-G", 0, 0, 1, 24);
}

int PaintIconSLS(CDC* dc, const CRect& box) {
  return TimeLabel(dc, box, u"S-L-S", 10, 5, 0, 13);
}

int PaintIconMFS(CDC* dc, const CRect& box) {
  return TimeLabel(dc, box, u"M-F-S", 10, 5, 1, 13);
}

int PaintIconWT(CDC* dc, const CRect& box) {
  DrawClock(dc, box, CRect(3, 4, 17, 18), {10, 11}, {10, 4}, {17, 11});
  return TimeLabel(dc, box, u"W-T", 0, 0, 0, 20);
}

int PaintIconYT(CDC* dc, const CRect& box) {
  DrawClock(dc, box, CRect(3, 4, 17, 18), {10, 11}, {10, 4}, {17, 11});
  return TimeLabel(dc, box, u"Y-T", 0, 0, 1, 20);
}

int PaintIconAC(CDC* dc, const CRect& box) {
  const CFont star = PaletteFont(20, 12);
  PaletteText(dc, box, 1, 4, u"*", &star);
  DrawClock(dc, box, CRect(11, 4, 24, 17), {17, 10}, {17, 4}, {23, 10});
  return TimeLabel(dc, box, u"AC", 0, 0, 1, 20);
}

int PaintIconSW(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{2, 14}, {5, 14}, {5, 5}, {8, 5}, {8, 14}, {11, 14}}});
  DrawClock(dc, box, CRect(11, 4, 24, 17), {17, 10}, {17, 4}, {23, 10});
  return TimeLabel(dc, box, u"SW", 0, 0, 1, 20);
}

// ---- Basic logic -------------------------------------------------------------------

namespace {

// One gate symbol; returns the label's height.
int Gate(CDC* dc, const CRect& box, int type) {
  const CString label = type == kTypeOr || type == kTypeNor ? CString(u">1")
                        : type == kTypeXor                  ? CString(u"=1")
                        : type == kTypeNot                  ? CString(u"1")
                                                            : CString(u"&");
  const CSize size = dc->GetTextExtent(label);
  const int w = size.cx;
  const int h = size.cy;
  if (type == kTypeAndEdge || type == kTypeNandEdge) {
    const int ox = (25 - 2 * w) / 2;
    const int oy = (36 - h) / 2;
    dc->TextOut(box.left + ox + w, box.top + oy, label);
    const int ax = box.left + ox + (2 * w) / 3;
    const int top = box.top + oy;
    const int bottom = box.top + oy + (2 * h) / 3;
    dc->MoveTo(ax, top);
    dc->LineTo(ax, bottom);
    const int tip = type == kTypeAndEdge ? top : bottom;
    dc->MoveTo(ax, tip);
    dc->LineTo(box.left + ox + w / 3, box.top + oy + h / 3);
    dc->MoveTo(ax, tip);
    dc->LineTo(box.left + ox + w, box.top + oy + h / 3);
    if (type == kTypeNandEdge) {
      dc->MoveTo(box.left + ox + 3, box.top + oy - 1);
      dc->LineTo(box.left + ox + 2 * w, box.top + oy - 1);
    }
    return h;
  }
  const int x = box.left + (25 - w) / 2;
  const int y = box.top + (36 - h) / 2;
  dc->TextOut(x, y, label);
  if (type == kTypeNand || type == kTypeNor || type == kTypeNot) {
    dc->MoveTo(x, y - 1);
    dc->LineTo(x + w, y - 1);
  }
  if (type == kTypeOr || type == kTypeNor) {
    dc->MoveTo(x, box.top + 36 - h);
    dc->LineTo(x + w / 2, box.top + 36 - h);
  }
  return h;
}

}  // namespace

int PaintIconAnd(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeAnd);
}
int PaintIconAndEdge(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeAndEdge);
}
int PaintIconNand(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeNand);
}
int PaintIconNandEdge(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeNandEdge);
}
int PaintIconOr(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeOr);
}
int PaintIconNor(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeNor);
}
int PaintIconXor(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeXor);
}
int PaintIconNot(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeNot);
}

// ---- Operands ------------------------------------------------------------------------

namespace {

// The operand's letters centred in the box in the item font.
int OperandLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CSize size = dc->GetTextExtent(label);
  dc->TextOut(box.left + (25 - size.cx) / 2, box.top + (36 - size.cy) / 2, label);
  return size.cy;
}

}  // namespace

int PaintIconInput(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"I");
}
int PaintIconShiftBit(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"S");
}
int PaintIconLow(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"lo");
}
int PaintIconHigh(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"hi");
}
int PaintIconOutput(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"Q");
}
int PaintIconOpenConnector(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"X");
}
int PaintIconFlag(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"M");
}
int PaintIconAnalogInput(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"AI");
}
int PaintIconAnalogOutput(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"AQ");
}
int PaintIconAnalogFlag(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"AM");
}
int PaintIconFunctionKey(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"F");
}

// ---- Ladder elements -----------------------------------------------------------------

namespace {

// A contact's two bars or a coil's parentheses on the rung.
void LadderElement(CDC* dc, const CRect& box, int type) {
  const CFont paren = PaletteFont(24, 8);
  const int l = box.left, t = box.top, r = box.right, b = box.bottom;
  dc->MoveTo(l, t + 18);
  dc->LineTo(l + 8, t + 18);
  if (type <= kTypeAnalogContact) {
    dc->MoveTo(l + 16, t + 18);
    dc->LineTo(l + 25, t + 18);
    dc->MoveTo(l + 8, t);
    dc->LineTo(l + 8, b);
    dc->MoveTo(l + 16, t);
    dc->LineTo(l + 16, b);
  } else {
    const CFont old = dc->SelectObject(&paren);
    dc->TextOut(l + 6, t + (b - t) / 6, u"(");
    dc->TextOut(r - 6, t + (b - t) / 6, u")");
    dc->SelectObject(&old);
  }
  if (type == kTypeBreakContact) {
    dc->MoveTo(l + 14, t);
    dc->LineTo(l + 10, b);
  }
  if (type == kTypeInvertedCoil) {
    dc->MoveTo(r - 8, t + (b - t) / 4 + 2);
    dc->LineTo(l + 12, b - (b - t) / 4);
  }
  if (type == kTypeAnalogContact || type == kTypeLadderAnalogOutput) dc->Ellipse(l + 18, t + 2, r, t + 8);
}

}  // namespace

int PaintIconMakeContact(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeMakeContact);
  return 0;
}
int PaintIconBreakContact(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeBreakContact);
  return 0;
}
int PaintIconAnalogContact(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeAnalogContact);
  return 0;
}
int PaintIconRelayCoil(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeRelayCoil);
  return 0;
}
int PaintIconInvertedCoil(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeInvertedCoil);
  return 0;
}
int PaintIconLadderAnalogOutput(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeLadderAnalogOutput);
  return 0;
}

// ---- Special functions -----------------------------------------------------------------

namespace {

CFont SmallFont() {
  return PaletteFont(12, 7);
}

void Text(CDC* dc, const CRect& box, int dx, int dy, const char16_t* s, const CFont* font = nullptr) {
  PaletteText(dc, box, dx, dy, s, font);
}

// The arrow of the analog functions.
void AnalogArrow(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{13, 18}, {23, 18}, {19, 14}}, {{23, 18}, {19, 22}}});
}

const Stroke kPulses{{3, 29},  {6, 29},  {6, 22},  {9, 22},  {9, 29},
                     {16, 29}, {16, 22}, {19, 22}, {19, 29}, {22, 29}};
const Stroke kStep{{2, 27}, {7, 27}, {7, 18}, {18, 18}, {18, 27}, {23, 27}};
const Stroke kStepWide{{0, 27}, {4, 27}, {4, 18}, {18, 18}, {18, 27}, {21, 27}};

// The WiFi blocks: an antenna over the operand's letters.
int Wifi(CDC* dc, const CRect& box, int x, const char16_t* letters) {
  const CPen dotted(PS_DOT, 1, kBlack);
  CPen old = dc->SelectObject(&dotted);
  PaletteStrokes(dc, box, {{{10, 6}, {10, 10}}, {{3, 10}, {23, 10}}});
  const CPen dot(PS_SOLID, 4, kBlack);
  dc->SelectObject(&dot);
  PaletteStrokes(dc, box, {{{10, 10}, {10, 10}}});
  dc->SelectObject(&old);
  Text(dc, box, x, 14, letters);
  return 0;
}

}  // namespace

int PaintIconCOUNTER(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{4, 12}, {4, 0}}, {{4, 0}, {1, 6}}, {{4, 0}, {7, 6}}});
  const CFont small = SmallFont();
  Text(dc, box, 2, 18, u"U/D", &small);
  return 0;
}

int PaintIconHCOUNTER(CDC* dc, const CRect& box) {
  Text(dc, box, 0, 11, u"H-C");
  return 0;
}

int PaintIconTHTRG(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{3, 14}, {10, 7}, {13, 10}, {16, 7}, {23, 14}}, kStep});
  return 0;
}

int PaintIconACOMP(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{3, 14}, {12, 14}}, {{3, 14}, {8, 5}, {13, 14}}, kStepWide});
  Text(dc, box, 14, 5, u"A");
  return 0;
}

int PaintIconATHTRG(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{7, 14}, {14, 7}}, kStep});
  Text(dc, box, 14, 5, u"A");
  return 0;
}

int PaintIconAAMP(CDC* dc, const CRect& box) {
  AnalogArrow(dc, box);
  Text(dc, box, 3, 11, u"A");
  return 0;
}

int PaintIconAWDOG(CDC* dc, const CRect& box) {
  dc->MoveTo(box.left + 3, box.top + 12);
  const int oldDir = dc->SetArcDirection(AD_CLOCKWISE);
  dc->ArcTo(box.left + 3, box.top + 6, box.left + 12, box.top + 18, box.left + 3, box.top + 14, box.left + 12,
            box.top + 12);
  dc->SetArcDirection(AD_COUNTERCLOCKWISE);
  dc->ArcTo(box.left + 12, box.top + 6, box.left + 22, box.top + 18, box.left + 12, box.top + 12,
            box.left + 22, box.top + 9);
  dc->SetArcDirection(oldDir == AD_CLOCKWISE ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
  PaletteStrokes(dc, box, {kPulses});
  return 0;
}

int PaintIconADTRG(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{6, 14}, {15, 14}}, {{6, 14}, {11, 5}, {16, 14}}, kStepWide});
  return 0;
}

int PaintIconLR(CDC* dc, const CRect& box) {
  Text(dc, box, 1, 11, u"L-R");
  return 0;
}

int PaintIconPR(CDC* dc, const CRect& box) {
  Text(dc, box, 0, 11, u"P-R");
  return 0;
}

int PaintIconShiftRegister(CDC* dc, const CRect& box) {
  Text(dc, box, 4, 8, u">>");
  return 0;
}

int PaintIconMR(CDC* dc, const CRect& box) {
  Text(dc, box, 2, 8, u"MR");
  return 0;
}

int PaintIconMW(CDC* dc, const CRect& box) {
  const CFont small = SmallFont();
  Text(dc, box, 2, 8, u"MW", &small);
  return 0;
}

int PaintIconAMATH(CDC* dc, const CRect& box) {
  AnalogArrow(dc, box);
  Text(dc, box, 3, 0, u"+=");
  Text(dc, box, 3, 11, u"A");
  return 0;
}

int PaintIconAMUX(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box,
                 {{{4, 6}, {9, 6}},
                  {{4, 8}, {9, 8}},
                  {{4, 10}, {9, 10}},
                  {{4, 12}, {9, 12}},
                  {{11, 7}, {15, 7}},
                  {{11, 11}, {15, 11}},
                  {{16, 9}, {21, 9}}});
  AnalogArrow(dc, box);
  Text(dc, box, 3, 11, u"A");
  return 0;
}

int PaintIconARAMP(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{3, 11}, {7, 6}, {10, 6}, {10, 11}, {20, 11}}});
  AnalogArrow(dc, box);
  Text(dc, box, 3, 11, u"A");
  return 0;
}

int PaintIconPI(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{3, 11}, {7, 6}, {10, 9}, {18, 9}}});
  AnalogArrow(dc, box);
  Text(dc, box, 3, 11, u"A");
  return 0;
}

int PaintIconPWM(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{17, 14}, {24, 14}, {20, 10}}, {{24, 14}, {20, 18}}, kPulses});
  Text(dc, box, 6, 5, u"~");
  return 0;
}

int PaintIconAnalogFilter(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{6, 11}, {6, 8}, {9, 5}}, {{10, 5}, {16, 5}}});
  Text(dc, box, 6, 11, u"Ax");
  return 0;
}

int PaintIconMAXMIN(CDC* dc, const CRect& box) {
  Text(dc, box, 8, -4, u"_");
  Text(dc, box, 15, 1, u"_");
  Text(dc, box, 6, 11, u"Ax");
  return 0;
}

int PaintIconAVGVAL(CDC* dc, const CRect& box) {
  PaletteStrokes(dc, box, {{{8, 10}, {21, 10}}});
  Text(dc, box, 6, 11, u"Ax");
  return 0;
}

int PaintIconMATHERR(CDC* dc, const CRect& box) {
  AnalogArrow(dc, box);
  Text(dc, box, 3, 0, u"+=");
  Text(dc, box, 3, 11, u"E");
  return 0;
}

int PaintIconWifiIn(CDC* dc, const CRect& box) {
  return Wifi(dc, box, 9, u"I");
}
int PaintIconWifiOut(CDC* dc, const CRect& box) {
  return Wifi(dc, box, 7, u"Q");
}
int PaintIconWifiAI(CDC* dc, const CRect& box) {
  return Wifi(dc, box, 3, u"AI");
}
int PaintIconWifiAQ(CDC* dc, const CRect& box) {
  return Wifi(dc, box, 3, u"AQ");
}

// ---- Data functions ----------------------------------------------------------------------

namespace {

// A label on a row of the box: x = left + (25 - w) / 2 + 1.
CSize Row(CDC* dc, const CRect& box, const CString& s, int y, const CFont* font) {
  const CSize size = Extent(dc, s, font);
  PaletteText(dc, box, (25 - size.cx) / 2 + 1, y, s, font);
  return size;
}

// The label of most data functions.
int DataLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CFont font = PaletteFont(12, 6);
  return Row(dc, box, label, 12, &font).cy;
}

// The narrower labels.
int NarrowDataLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CFont font = PaletteFont(12, 5);
  return Row(dc, box, label, 12, &font).cy;
}

int HeavyDataLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CFont font = PaletteFont(11, 4, FW_HEAVY);
  return Row(dc, box, label, 12, &font).cy;
}

// The masks: the gate's label with its bars, "MASK" under it.
int Mask(CDC* dc, const CRect& box, int type, const char16_t* label) {
  const CFont maskFont = PaletteFont(10, 4, FW_HEAVY);
  const CSize size = dc->GetTextExtent(label);
  const int m = (25 - size.cx) / 2;
  if (type == kTypeNOTM || type == kTypeNANDM) {
    PaletteStrokes(dc, box, {{{m, 8}, {m + size.cx + 1, 8}}});
  } else if (type == kTypeNORM) {
    PaletteStrokes(dc, box, {{{m, 8}, {m + size.cx, 8}}});
  }
  Row(dc, box, label, 9, nullptr);
  if (type == kTypeORM || type == kTypeNORM)
    PaletteStrokes(dc, box, {{{m, size.cy + 7}, {m + size.cx / 2, size.cy + 7}}});
  return Row(dc, box, u"MASK", 24, &maskFont).cy;
}

}  // namespace

int PaintIconBoolean(CDC* dc, const CRect& box) {
  const CFont boolFont = PaletteFont(9, 3);
  const CString label = u"BOOL";
  const CSize size = Extent(dc, label, &boolFont);
  const int x0 = (25 - size.cx) / 2;
  for (int y : {7, 10, 13, 16}) PaletteStrokes(dc, box, {{{x0, y}, {x0 + 5, y}}});
  PaletteStrokes(dc, box,
                 {{{x0 + 5, 5}, {x0 + 5, 19}, {x0 + 15, 13}, {x0 + 5, 5}}, {{x0 + 15, 13}, {x0 + 20, 13}}});
  PaletteText(dc, box, x0, 24, label, &boolFont);
  return size.cy;
}

int PaintIconTDT(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"TDT");
}
int PaintIconBCD(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"BCD");
}
int PaintIconBIN(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"BIN");
}
int PaintIconROL(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"ROL");
}
int PaintIconROR(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"ROR");
}
int PaintIconSHL(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"SHL");
}
int PaintIconSHR(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"SHR");
}
int PaintIconANDM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeANDM, u"&");
}
int PaintIconORM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeORM, u">1");
}
int PaintIconNOTM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeNOTM, u"1");
}
int PaintIconNANDM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeNANDM, u"&");
}
int PaintIconNORM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeNORM, u">1");
}
int PaintIconXORM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeXORM, u"=1");
}
int PaintIconARRMXIV(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"AXIV");
}
int PaintIconACMXIV(CDC* dc, const CRect& box) {
  return NarrowDataLabel(dc, box, u"DXIV");
}
int PaintIconRAND(CDC* dc, const CRect& box) {
  return NarrowDataLabel(dc, box, u"Rand");
}
int PaintIconMEM(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"MEM");
}
int PaintIconENCODER(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"ENC");
}
int PaintIconSMC(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"SMC");
}
int PaintIconSMCE(CDC* dc, const CRect& box) {
  return HeavyDataLabel(dc, box, u"SMCE");
}
int PaintIconPTO(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"PTO");
}
int PaintIconPTOE(CDC* dc, const CRect& box) {
  return HeavyDataLabel(dc, box, u"PTOE");
}
int PaintIconSEG(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"SEG");
}
int PaintIconWORD2BIT(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"WTB");
}
int PaintIconUDC(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"UDC");
}
int PaintIconCRC16(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"CRC");
}

// ---- Math functions ----------------------------------------------------------------------

namespace {

int MathLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CFont font = PaletteFont(12, 5);
  return Row(dc, box, label, 12, &font).cy;
}

}  // namespace

int PaintIconODD(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"ODD");
}
int PaintIconEVEN(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"EVEN");
}
int PaintIconMOD(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"MOD");
}
int PaintIconREM(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"REM");
}
int PaintIconLOG(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"LOG");
}
int PaintIconSQRT(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"SQRT");
}
int PaintIconABS(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"ABS");
}
int PaintIconGCD(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"GCD");
}
int PaintIconLCM(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"LCM");
}
int PaintIconPOW2(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"POW2");
}
int PaintIconEXP(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"EXP");
}
int PaintIconFIX(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"FIX");
}
int PaintIconROUND(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"round");
}
int PaintIconSIN(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"SIN");
}
int PaintIconCOS(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"COS");
}
int PaintIconTAN(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"TAN");
}
int PaintIconCOT(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"COT");
}
int PaintIconSEC(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"SEC");
}
int PaintIconCSC(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"CSC");
}
int PaintIconQUAD(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"QUAD");
}

// ---- The data log ---------------------------------------------------------------------------

int PaintIconDataLog(CDC* dc, const CRect& box) {
  const CSize size = dc->GetTextExtent(u"L");
  dc->TextOut(box.left + (25 - size.cx) / 2 + 1, box.top + 12, u"L");
  return size.cy;
}
