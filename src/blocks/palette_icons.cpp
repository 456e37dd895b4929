#include "blocks/palette_icons.h"

namespace {

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
