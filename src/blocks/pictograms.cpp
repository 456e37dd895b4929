#include "blocks/pictograms.h"

#include <cmath>
#include <initializer_list>

void SymbolStrokes(CDC* dc, const CRect& box, std::initializer_list<std::vector<CPoint>> strokes) {
  for (const std::vector<CPoint>& s : strokes) {
    if (s.empty()) continue;
    dc->MoveTo(box.left + s[0].x, box.top + s[0].y);
    for (size_t i = 1; i < s.size(); ++i) dc->LineTo(box.left + s[i].x, box.top + s[i].y);
  }
}

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kClockFace = RGB(255, 223, 140);

using Stroke = std::vector<CPoint>;

void Strokes(CDC* dc, const CRect& box, std::initializer_list<Stroke> strokes) {
  SymbolStrokes(dc, box, strokes);
}

void DrawClock(CDC* dc, const CRect& box, CRect face, CPoint centre, CPoint twelve, CPoint three) {
  const CBrush brush(kClockFace);
  const CBrush old = dc->SelectObject(&brush);
  dc->Ellipse(box.left + face.left, box.top + face.top, box.left + face.right, box.top + face.bottom);
  dc->SelectObject(&old);
  Strokes(dc, box, {{centre, twelve}, {centre, three}});
}

// Time functions: pulse diagrams with arrows, clock faces.
bool DrawTimePicture(CDC* dc, const CRect& box, int type) {
  switch (type) {
    case 400:
      Strokes(dc, box,
              {{{6, 14}, {6, 3}, {3, 7}}, {{6, 3}, {9, 7}}, {{4, 21}, {14, 21}, {14, 13}, {24, 13}}});
      return true;
    case 401:
      Strokes(dc, box,
              {{{7, 3}, {7, 9}, {4, 5}}, {{7, 9}, {10, 5}}, {{5, 13}, {15, 13}, {15, 21}, {25, 21}}});
      return true;
    case 402:
      Strokes(dc, box,
              {{{9, 14}, {9, 3}, {6, 7}},
               {{9, 3}, {12, 7}},
               {{9, 14}, {6, 10}},
               {{9, 14}, {12, 10}},
               {{9, 21}, {21, 21}, {21, 13}},
               {{15, 21}, {15, 13}, {25, 13}}});
      return true;
    case 403:
      Strokes(dc, box,
              {{{9, 14}, {9, 5}},
               {{9, 5}, {6, 11}},
               {{9, 5}, {12, 11}},
               {{9, 21}, {12, 21}, {12, 13}, {21, 13}, {15, 10}},
               {{21, 13}, {15, 16}}});
      return true;
    case 404:
      Strokes(dc, box,
              {{{2, 13}, {6, 13}, {6, 6}, {17, 6}, {17, 13}, {23, 13}},
               {{2, 21}, {6, 21}, {6, 15}, {10, 15}, {10, 21}, {17, 21}}});
      return true;
    case 405:
      Strokes(dc, box,
              {{{2, 12}, {6, 12}, {6, 5}, {17, 5}, {17, 12}, {23, 12}},
               {{6, 5}, {2, 10}},
               {{6, 5}, {10, 10}},
               {{2, 22}, {6, 22}, {6, 16}, {19, 16}, {19, 22}, {23, 22}}});
      return true;
    case 406:
      Strokes(dc, box,
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
      return true;
    case 407:
      Strokes(dc, box,
              {{{2, 6}, {17, 6}, {9, 3}},
               {{14, 6}, {9, 9}},
               {{2, 21}, {10, 21}, {10, 12}, {18, 12}, {18, 21}, {26, 21}}});
      return true;
    case 410:
    case 411:
      DrawClock(dc, box, CRect(3, 4, 17, 18), {10, 11}, {10, 4}, {17, 11});
      return true;
    case 412:
    case 413:
      if (type == 412) {
        CFont star;
        star.CreateFont(20, 12, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, u"Arial");
        const CFont old = dc->SelectObject(&star);
        dc->TextOut(box.left + 1, box.top + 4, u"*");
        dc->SelectObject(&old);
      } else {
        Strokes(dc, box, {{{2, 14}, {5, 14}, {5, 5}, {8, 5}, {8, 14}, {11, 14}}});
      }
      DrawClock(dc, box, CRect(11, 4, 24, 17), {17, 10}, {17, 4}, {23, 10});
      return true;
    default:
      return false;
  }
}

// Special functions: counter arrows, threshold and comparator shapes, pulse
// trains, the analog arrow and the WiFi antennas.
bool DrawSpecialPicture(CDC* dc, const CRect& box, int type) {
  const Stroke arrowShaft{{13, 18}, {23, 18}, {19, 14}};
  const Stroke arrowHead{{23, 18}, {19, 22}};
  const Stroke pulses{{3, 29},  {6, 29},  {6, 22},  {9, 22},  {9, 29},
                      {16, 29}, {16, 22}, {19, 22}, {19, 29}, {22, 29}};
  const Stroke step{{2, 27}, {7, 27}, {7, 18}, {18, 18}, {18, 27}, {23, 27}};
  const Stroke stepWide{{0, 27}, {4, 27}, {4, 18}, {18, 18}, {18, 27}, {21, 27}};
  switch (type) {
    case 800:
      Strokes(dc, box, {{{4, 12}, {4, 0}}, {{4, 0}, {1, 6}}, {{4, 0}, {7, 6}}});
      return true;
    case 802:
      Strokes(dc, box, {{{3, 14}, {10, 7}, {13, 10}, {16, 7}, {23, 14}}, step});
      return true;
    case 803:
      Strokes(dc, box, {{{3, 14}, {12, 14}}, {{3, 14}, {8, 5}, {13, 14}}, stepWide});
      return true;
    case 804:
      Strokes(dc, box, {{{7, 14}, {14, 7}}, step});
      return true;
    case 805:
    case 815:
    case 823:
      Strokes(dc, box, {arrowShaft, arrowHead});
      return true;
    case 806: {
      dc->MoveTo(box.left + 3, box.top + 12);
      const int oldDir = dc->SetArcDirection(AD_CLOCKWISE);
      dc->ArcTo(box.left + 3, box.top + 6, box.left + 12, box.top + 18, box.left + 3, box.top + 14,
                box.left + 12, box.top + 12);
      dc->SetArcDirection(AD_COUNTERCLOCKWISE);
      dc->ArcTo(box.left + 12, box.top + 6, box.left + 22, box.top + 18, box.left + 12, box.top + 12,
                box.left + 22, box.top + 9);
      dc->SetArcDirection(oldDir == AD_CLOCKWISE ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
      Strokes(dc, box, {pulses});
      return true;
    }
    case 807:
      Strokes(dc, box, {{{6, 14}, {15, 14}}, {{6, 14}, {11, 5}, {16, 14}}, stepWide});
      return true;
    case 816:
      Strokes(dc, box,
              {{{4, 6}, {9, 6}},
               {{4, 8}, {9, 8}},
               {{4, 10}, {9, 10}},
               {{4, 12}, {9, 12}},
               {{11, 7}, {15, 7}},
               {{11, 11}, {15, 11}},
               {{16, 9}, {21, 9}}});
      Strokes(dc, box, {arrowShaft, arrowHead});
      return true;
    case 817:
      Strokes(dc, box, {{{3, 11}, {7, 6}, {10, 6}, {10, 11}, {20, 11}}});
      Strokes(dc, box, {arrowShaft, arrowHead});
      return true;
    case 818:
      Strokes(dc, box, {{{3, 11}, {7, 6}, {10, 9}, {18, 9}}});
      Strokes(dc, box, {arrowShaft, arrowHead});
      return true;
    case 819:
      Strokes(dc, box, {{{17, 14}, {24, 14}, {20, 10}}, {{24, 14}, {20, 18}}, pulses});
      return true;
    case 820:
      Strokes(dc, box, {{{6, 11}, {6, 8}, {9, 5}}, {{10, 5}, {16, 5}}});
      return true;
    case 822:
      Strokes(dc, box, {{{8, 10}, {21, 10}}});
      return true;
    case 824:
    case 825:
    case 826:
    case 827: {
      const CPen dotted(PS_DOT, 1, kBlack);
      const CPen old = dc->SelectObject(&dotted);
      Strokes(dc, box, {{{10, 6}, {10, 10}}, {{3, 10}, {23, 10}}});
      const CPen dot(PS_SOLID, 4, kBlack);
      dc->SelectObject(&dot);
      Strokes(dc, box, {{{10, 10}, {10, 10}}});
      dc->SelectObject(&old);
      return true;
    }
    default:
      return false;
  }
}

// ---- Icons and the module picture, in design units -----------------------------

// Maps design units onto rect for the lifetime of the object.
class DesignMapping {
 public:
  DesignMapping(CDC* dc, const CRect& rect, CSize design) : m_dc(dc), m_saved(dc->SaveDC()) {
    // The rectangle in device units under the caller's mapping, then the
    // design units spread over it.
    CRect device = rect;
    m_dc->LPtoDP(&device);
    m_dc->SetMapMode(MM_ANISOTROPIC);
    m_dc->SetWindowOrg(0, 0);
    m_dc->SetWindowExt(design);
    m_dc->SetViewportOrg(device.TopLeft());
    m_dc->SetViewportExt(device.Width() == 0 ? 1 : device.Width(),
                         device.Height() == 0 ? 1 : device.Height());
  }
  ~DesignMapping() { m_dc->RestoreDC(m_saved); }
  DesignMapping(const DesignMapping&) = delete;
  DesignMapping& operator=(const DesignMapping&) = delete;

 private:
  CDC* m_dc;
  int m_saved;
};

constexpr CSize kIconDesign(32, 32);

// A scope: a dark screen with its grid and a green trace, two knobs below.
void DrawScopeIcon(CDC* dc) {
  const CPen frame(PS_SOLID, 1, RGB(40, 40, 40));
  const CBrush body(RGB(200, 200, 196));
  dc->SelectObject(&frame);
  dc->SelectObject(&body);
  dc->Rectangle(1, 3, 31, 30);
  const CBrush screen(RGB(16, 48, 24));
  dc->SelectObject(&screen);
  dc->Rectangle(4, 6, 28, 23);
  const CPen grid(PS_SOLID, 1, RGB(60, 110, 70));
  dc->SelectObject(&grid);
  for (int x : {10, 16, 22}) {
    dc->MoveTo(x, 7);
    dc->LineTo(x, 22);
  }
  for (int y : {11, 17}) {
    dc->MoveTo(5, y);
    dc->LineTo(27, y);
  }
  const CPen trace(PS_SOLID, 2, RGB(80, 255, 110));
  dc->SelectObject(&trace);
  std::vector<CPoint> wave;
  for (int i = 0; i <= 11; ++i) {
    const double x = 5.0 + 2.0 * i;
    const double y = 14.5 - 5.5 * std::sin(i * 3.14159265358979 / 5.5);
    wave.emplace_back(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
  }
  dc->Polyline(wave.data(), static_cast<int>(wave.size()));
  const CBrush knob(RGB(60, 60, 60));
  dc->SelectObject(&frame);
  dc->SelectObject(&knob);
  dc->Ellipse(6, 24, 11, 29);
  dc->Ellipse(21, 24, 26, 29);
}

// A pointer instrument: a half dial with its scale, a red needle on its hub.
void DrawPointerIcon(CDC* dc) {
  const CPen frame(PS_SOLID, 1, RGB(40, 40, 40));
  const CBrush face(RGB(250, 250, 240));
  dc->SelectObject(&frame);
  dc->SelectObject(&face);
  dc->Rectangle(1, 5, 31, 28);
  const CPen scale(PS_SOLID, 2, kBlack);
  dc->SelectObject(&scale);
  const CPoint hub(16, 24);
  constexpr double kPi = 3.14159265358979;
  dc->Arc(4, 12, 29, 37, 29, 24, 4, 24);
  for (int i = 0; i <= 6; ++i) {
    const double a = kPi * i / 6.0;
    const CPoint outer(hub.x + static_cast<int>(std::lround(12.5 * std::cos(a))),
                       hub.y - static_cast<int>(std::lround(12.5 * std::sin(a))));
    const CPoint inner(hub.x + static_cast<int>(std::lround(9.5 * std::cos(a))),
                       hub.y - static_cast<int>(std::lround(9.5 * std::sin(a))));
    dc->MoveTo(inner);
    dc->LineTo(outer);
  }
  const CPen needle(PS_SOLID, 2, RGB(210, 0, 0));
  dc->SelectObject(&needle);
  const double a = kPi / 3.0;
  dc->MoveTo(hub);
  dc->LineTo(hub.x + static_cast<int>(std::lround(11 * std::cos(a))),
             hub.y - static_cast<int>(std::lround(11 * std::sin(a))));
  const CBrush black(kBlack);
  dc->SelectObject(&frame);
  dc->SelectObject(&black);
  dc->Ellipse(hub.x - 2, hub.y - 2, hub.x + 3, hub.y + 3);
}

// The module picture: the main unit (terminals, display, keys), then the
// extension modules Ext.1 to Ext.7; the marked one framed in red on a light fill.
constexpr CSize kModulesDesign(400, 50);
constexpr int kMainWidth = 92;
constexpr int kExtWidth = 40;
constexpr int kExtGap = 4;

CRect ModuleRect(int module) {
  if (module == 0) return CRect(2, 2, kMainWidth - 2, 48);
  const int left = kMainWidth + (module - 1) * (kExtWidth + kExtGap);
  return CRect(left, 2, left + kExtWidth, 48);
}

// The terminal rows along the top and bottom edges of a module.
void DrawTerminals(CDC* dc, const CRect& body) {
  const CBrush terminal(RGB(90, 90, 90));
  dc->SelectObject(&terminal);
  for (int x = body.left + 4; x + 4 <= body.right - 3; x += 7) {
    dc->Rectangle(x, body.top + 2, x + 5, body.top + 6);
    dc->Rectangle(x, body.bottom - 6, x + 5, body.bottom - 2);
  }
}

void DrawModulesPicture(CDC* dc, int marked) {
  const CPen outline(PS_SOLID, 1, RGB(60, 60, 60));
  const CBrush housing(RGB(222, 222, 214));
  const CBrush highlight(RGB(255, 236, 150));
  CFont font;
  font.CreateFont(12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, FF_SWISS, u"Arial");
  dc->SelectObject(&font);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(kBlack);
  for (int m = 0; m < kPictureModuleCount; ++m) {
    const CRect body = ModuleRect(m);
    dc->SelectObject(&outline);
    dc->SelectObject(m == marked ? &highlight : &housing);
    dc->Rectangle(body);
    DrawTerminals(dc, body);
    if (m == 0) {
      // The display and the four keys beside it.
      const CBrush lcd(RGB(0x55, 0x9D, 0x55));
      dc->SelectObject(&lcd);
      dc->Rectangle(body.left + 8, body.top + 10, body.left + 56, body.bottom - 10);
      const CBrush key(RGB(120, 120, 120));
      dc->SelectObject(&key);
      for (int k = 0; k < 4; ++k) {
        const int x = body.left + 62 + (k % 2) * 11;
        const int y = body.top + 12 + (k / 2) * 12;
        dc->Rectangle(x, y, x + 8, y + 8);
      }
    } else {
      const CString label = FormatString(u"Ext.%d", m);
      const CSize size = dc->GetTextExtent(label);
      dc->TextOut(body.left + (body.Width() - size.cx) / 2, body.top + (body.Height() - size.cy) / 2, label);
    }
  }
  if (marked >= 0 && marked < kPictureModuleCount) {
    const CPen red(PS_SOLID, 3, RGB(220, 0, 0));
    const CBrush none = CBrush::Null();
    dc->SelectObject(&red);
    dc->SelectObject(&none);
    const CRect body = ModuleRect(marked);
    dc->Rectangle(body.left - 1, body.top - 1, body.right + 1, body.bottom + 1);
  }
}

}  // namespace

bool DrawBlockLinePicture(CDC* dc, const CRect& box, int type) {
  if (dc == nullptr) return false;
  if (type >= 400 && type <= 413) return DrawTimePicture(dc, box, type);
  if (type >= 800 && type <= 827) return DrawSpecialPicture(dc, box, type);
  return false;
}

bool HasBlockLinePicture(int type) {
  switch (type) {
    case 400:
    case 401:
    case 402:
    case 403:
    case 404:
    case 405:
    case 406:
    case 407:
    case 410:
    case 411:
    case 412:
    case 413:
    case 800:
    case 802:
    case 803:
    case 804:
    case 805:
    case 806:
    case 807:
    case 815:
    case 816:
    case 817:
    case 818:
    case 819:
    case 820:
    case 822:
    case 823:
    case 824:
    case 825:
    case 826:
    case 827:
      return true;
    default:
      return false;
  }
}

std::vector<SymbolText> BlockSymbolTexts(int type) {
  switch (type) {
    case 800:
      return {{2, 18, u"U/D", true}};
    case 801:
      return {{0, 11, u"H-C"}};
    case 803:
    case 804:
      return {{14, 5, u"A"}};
    case 805:
    case 816:
    case 817:
    case 818:
      return {{3, 11, u"A"}};
    case 808:
      return {{1, 11, u"L-R"}};
    case 809:
      return {{0, 11, u"P-R"}};
    case 810:
      return {{0, 12, u"Text", true}};
    case 812:
      return {{4, 8, u">>"}};
    case 813:
      return {{2, 8, u"MR"}};
    case 814:
      return {{2, 8, u"MW", true}};
    case 815:
      return {{3, 0, u"+="}, {3, 11, u"A"}};
    case 819:
      return {{6, 5, u"~"}};
    case 820:
    case 822:
      return {{6, 11, u"Ax"}};
    case 821:
      return {{8, -4, u"_"}, {15, 1, u"_"}, {6, 11, u"Ax"}};
    case 823:
      return {{3, 0, u"+="}, {3, 11, u"E"}};
    case 824:
      return {{9, 14, u"I"}};
    case 825:
      return {{7, 14, u"Q"}};
    case 826:
      return {{3, 14, u"AI"}};
    case 827:
      return {{3, 14, u"AQ"}};
    default:
      return {};
  }
}

int TimeSymbolLabelTop(int type) {
  switch (type) {
    case 404:
      return 23;
    case 407:
      return 24;
    case 408:
    case 409:
      return 13;
    case 410:
    case 411:
    case 412:
    case 413:
      return 20;
    default:
      return 25;
  }
}

CSize PictureDesignSize(int id) {
  switch (id) {
    case kIconPointer:
    case kIconScope:
      return kIconDesign;
    case kPictureModules:
      return kModulesDesign;
    default:
      return CSize(0, 0);
  }
}

void DrawPicture(CDC* dc, const CRect& rect, int id, int state) {
  const CSize design = PictureDesignSize(id);
  if (dc == nullptr || design.cx == 0 || rect.IsRectEmpty()) return;
  const DesignMapping mapping(dc, rect, design);
  switch (id) {
    case kIconScope:
      DrawScopeIcon(dc);
      break;
    case kIconPointer:
      DrawPointerIcon(dc);
      break;
    case kPictureModules:
      DrawModulesPicture(dc, state);
      break;
    default:
      break;
  }
}
