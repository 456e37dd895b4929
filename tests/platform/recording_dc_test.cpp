#include "platform/recording_dc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

using Kind = DCCall::Kind;

CFont LabelFont() {
  CFont font;
  font.CreateFont(12, 6, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, FIXED_PITCH, u"Arial");
  return font;
}

// The view's zoom mapping: isotropic, window extent 100, viewport extent
// round(zoom x 100), viewport origin minus the scroll position.
void SetZoom(CDC& dc, double zoom, CPoint scroll) {
  const int r = static_cast<int>(std::lround(zoom * 100));
  dc.SetMapMode(MM_ISOTROPIC);
  dc.SetWindowExt(100, 100);
  dc.SetViewportExt(r, r);
  dc.SetViewportOrg(-scroll.x, -scroll.y);
}

TEST(CdcMappingTest, ZoomMappingAndItsInverseAgree) {
  const double zooms[] = {0.25, 0.33, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.3, 4.0};
  const CPoint scrolls[] = {CPoint(0, 0), CPoint(37, 250)};
  for (double zoom : zooms) {
    for (CPoint scroll : scrolls) {
      CRecordingDC dc;
      SetZoom(dc, zoom, scroll);
      const int r = static_cast<int>(std::lround(zoom * 100));
      ASSERT_EQ(dc.GetViewportExt(), CSize(r, r));
      for (int v = -203; v <= 611; v += 7) {
        CPoint p(v, 2 * v + 1);
        dc.LPtoDP(&p);
        const auto expect = [&](int l, int s) { return static_cast<int>(std::lround(l * r / 100.0)) - s; };
        ASSERT_EQ(p, CPoint(expect(v, scroll.x), expect(2 * v + 1, scroll.y))) << zoom << " " << v;
        // Zooming in, every logical point survives the round trip; zooming out,
        // every device point does.
        if (r >= 100) {
          CPoint back = p;
          dc.DPtoLP(&back);
          ASSERT_EQ(back, CPoint(v, 2 * v + 1)) << zoom << " " << v;
        }
        if (r <= 100) {
          CPoint dev(v, 2 * v + 1);
          dc.DPtoLP(&dev);
          dc.LPtoDP(&dev);
          ASSERT_EQ(dev, CPoint(v, 2 * v + 1)) << zoom << " " << v;
        }
      }
    }
  }
}

TEST(CdcMappingTest, RectsSizesAndModes) {
  CRecordingDC dc;
  SetZoom(dc, 1.5, CPoint(10, 20));
  CRect rc(10, 10, 21, 31);
  dc.LPtoDP(&rc);
  EXPECT_EQ(rc, CRect(5, -5, 22, 27));  // 15 - 10, 15 - 20, round(31.5) - 10, round(46.5) - 20
  dc.DPtoLP(&rc);
  EXPECT_EQ(rc, CRect(10, 10, 21, 31));
  CSize size(10, -3);
  dc.LPtoDP(&size);
  EXPECT_EQ(size, CSize(15, -5));  // distances: no origin; -4.5 rounds away from zero

  struct Case {
    int mode;
    CSize window, viewport, want;
  } cases[] = {
      {MM_ANISOTROPIC, {100, 100}, {200, 50}, {200, 50}}, {MM_ISOTROPIC, {100, 100}, {200, 50}, {50, 50}},
      {MM_ISOTROPIC, {100, 100}, {-200, 50}, {-50, 50}},  {MM_ISOTROPIC, {100, 200}, {300, 300}, {150, 300}},
      {MM_ISOTROPIC, {100, 100}, {0, 50}, {1, 1}},  // a zero extent is refused
      {MM_TEXT, {100, 100}, {200, 50}, {1, 1}},     // MM_TEXT keeps 1:1
  };
  for (const Case& c : cases) {
    CRecordingDC d;
    d.SetMapMode(c.mode);
    d.SetWindowExt(c.window);
    d.SetViewportExt(c.viewport);
    EXPECT_EQ(d.GetViewportExt(), c.want) << c.mode << " " << c.viewport.cx << "x" << c.viewport.cy;
  }

  // Coordinates far outside the int range saturate instead of overflowing.
  CRecordingDC big;
  SetZoom(big, 4.0, CPoint(0, 0));
  CPoint far(INT_MAX, INT_MIN);
  big.LPtoDP(&far);
  EXPECT_EQ(far, CPoint(INT_MAX, INT_MIN));
}

// With equal extents on both axes (a view at zoom 1) a coordinate maps as it
// does on an axis of its own with equal extents beside an axis that scales:
// shifted by the origins, saturated where it leaves the int range.
TEST(CdcMappingTest, EqualExtentsMapAsAnyOtherScaleOfOne) {
  struct Case {
    int ext;  // the equal extent of both axes
    CPoint windowOrg, viewportOrg;
  } cases[] = {{1, {0, 0}, {0, 0}},
               {100, {0, 0}, {-250, -37}},
               {100, {30, -40}, {7, 9}},
               {-100, {5, 5}, {-3, 11}},
               {7, {-1000, 2000}, {0, 0}},
               {100, {INT_MIN, INT_MAX}, {0, 0}},
               {100, {INT_MAX, INT_MIN}, {0, 0}}};
  const int values[] = {0, 1, -1, 99, -12345, 1 << 22, INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1};
  for (const Case& c : cases) {
    CRecordingDC unit;
    unit.SetMapMode(MM_ANISOTROPIC);
    unit.SetWindowExt(c.ext, c.ext);
    unit.SetViewportExt(c.ext, c.ext);
    unit.SetWindowOrg(c.windowOrg);
    unit.SetViewportOrg(c.viewportOrg);
    // The x axis of this one has the same extents, the y axis another scale
    // (and the other way round).
    CRecordingDC xOnly;
    xOnly.SetMapMode(MM_ANISOTROPIC);
    xOnly.SetWindowExt(c.ext, 3);
    xOnly.SetViewportExt(c.ext, 5);
    xOnly.SetWindowOrg(c.windowOrg);
    xOnly.SetViewportOrg(c.viewportOrg);
    CRecordingDC yOnly;
    yOnly.SetMapMode(MM_ANISOTROPIC);
    yOnly.SetWindowExt(3, c.ext);
    yOnly.SetViewportExt(5, c.ext);
    yOnly.SetWindowOrg(c.windowOrg);
    yOnly.SetViewportOrg(c.viewportOrg);
    // The mapping adds the target origin to the saturated difference in int
    // arithmetic; values whose sum would leave the int range are left out.
    const auto inRange = [](long long v) { return v >= INT_MIN && v <= INT_MAX; };
    const auto saturated = [](long long v) { return std::clamp<long long>(v, INT_MIN, INT_MAX); };
    for (int v : values) {
      const long long forward = saturated(static_cast<long long>(v) - c.windowOrg.x) + c.viewportOrg.x;
      const long long backward = saturated(static_cast<long long>(v) - c.viewportOrg.x) + c.windowOrg.x;
      const long long forwardY = saturated(static_cast<long long>(v) - c.windowOrg.y) + c.viewportOrg.y;
      const long long backwardY = saturated(static_cast<long long>(v) - c.viewportOrg.y) + c.windowOrg.y;
      if (!inRange(forward) || !inRange(backward) || !inRange(forwardY) || !inRange(backwardY)) continue;
      CPoint p(v, v);
      unit.LPtoDP(&p);
      CPoint px(v, 0);
      xOnly.LPtoDP(&px);
      CPoint py(0, v);
      yOnly.LPtoDP(&py);
      EXPECT_EQ(p.x, px.x) << c.ext << " " << v;
      EXPECT_EQ(p.y, py.y) << c.ext << " " << v;
      EXPECT_EQ(p.x, forward) << c.ext << " " << v;

      CPoint d(v, v);
      unit.DPtoLP(&d);
      CPoint dx(v, 0);
      xOnly.DPtoLP(&dx);
      CPoint dy(0, v);
      yOnly.DPtoLP(&dy);
      EXPECT_EQ(d.x, dx.x) << c.ext << " " << v;
      EXPECT_EQ(d.y, dy.y) << c.ext << " " << v;
      EXPECT_EQ(d.x, backward) << c.ext << " " << v;
    }
  }
}

TEST(CdcMappingTest, MulDiv) {
  struct Case {
    int a, b, c, want;
  } cases[] = {{12, 96, 72, 16}, {5, 1, 2, 3},        {-5, 1, 2, -3},
               {7, 3, 0, -1},    {INT_MAX, 4, 2, -1}, {INT_MAX, 2, 4, 1073741824}};
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
}

TEST(CdcStateTest, SelectObjectReturnsThePreviousObject) {
  CRecordingDC dc;
  const CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
  const CPen old = dc.SelectObject(&pen);
  EXPECT_EQ(old, CPen());
  EXPECT_EQ(dc.SelectObject(&old), pen);
  EXPECT_EQ(dc.SelectObject(static_cast<const CPen*>(nullptr)), CPen());
  const CBrush oldBrush = dc.SelectObject(CBrush::Null());
  EXPECT_EQ(oldBrush, CBrush());
  EXPECT_TRUE(dc.GetCurrentBrush().IsNull());

  // A pen wider than 1 draws solid; a negative width is 0.
  EXPECT_EQ(CPen(PS_DOT, 3, 0).GetStyle(), PS_SOLID);
  EXPECT_EQ(CPen(PS_DOT, 1, 0).GetStyle(), PS_DOT);
  EXPECT_EQ(CPen(PS_SOLID, -4, 0).GetWidth(), 0);
}

TEST(CdcStateTest, SaveAndRestore) {
  CRecordingDC dc;
  const int first = dc.SaveDC();
  EXPECT_EQ(first, 1);
  dc.SelectObject(CPen(PS_SOLID, 2, RGB(1, 2, 3)));
  dc.SetROP2(R2_NOT);
  SetZoom(dc, 2.0, CPoint(5, 5));
  dc.MoveTo(7, 8);
  EXPECT_EQ(dc.SaveDC(), 2);
  dc.SetTextColor(RGB(9, 9, 9));
  dc.SetMapMode(MM_TEXT);
  EXPECT_TRUE(dc.RestoreDC(-1));
  EXPECT_EQ(dc.GetTextColor(), 0u);
  EXPECT_EQ(dc.GetViewportExt(), CSize(200, 200));
  EXPECT_EQ(dc.GetCurrentPosition(), CPoint(7, 8));
  EXPECT_TRUE(dc.RestoreDC(first));
  EXPECT_EQ(dc.GetCurrentPen(), CPen());
  EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
  EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
  EXPECT_FALSE(dc.RestoreDC(-1));  // nothing left
  EXPECT_FALSE(dc.RestoreDC(3));
}

TEST(CdcRecordingTest, RecordsCallsWithTheirState) {
  CRecordingDC dc;
  const CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
  const CFont font = LabelFont();
  const CPen oldPen = dc.SelectObject(&pen);
  const CFont oldFont = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(40, 30, u"B3");
  const CPen dotPen(PS_SOLID, 5, 0);
  dc.SelectObject(&dotPen);
  dc.MoveTo(18, 50);
  dc.LineTo(18, 50);
  dc.SelectObject(&oldPen);
  dc.SelectObject(&oldFont);
  dc.SelectObject(CBrush(RGB(255, 222, 140)));
  dc.SetPolyFillMode(ALTERNATE);
  dc.Polygon({{0, 0}, {0, 10}, {10, 10}, {10, 0}});

  ASSERT_EQ(dc.Calls().size(), 3u);  // transparent text fills no background
  const DCCall* text = dc.FindText(u"B3");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->rect, CRect(40, 30, 52, 42));
  EXPECT_EQ(text->font.lfHeight, 12);
  EXPECT_EQ(text->font.lfWidth, 6);
  EXPECT_EQ(text->font.lfFaceName, u"Arial");
  EXPECT_EQ(text->pen, pen);
  EXPECT_EQ(text->bkMode, TRANSPARENT);

  const DCCall& dot = dc.Calls()[1];
  EXPECT_EQ(dot.kind, Kind::kLine);
  EXPECT_EQ(dot.points, (std::vector<CPoint>{{18, 50}, {18, 50}}));
  EXPECT_EQ(dot.pen.GetWidth(), 5);

  const DCCall& body = dc.Calls()[2];
  EXPECT_EQ(body.kind, Kind::kPolygon);
  EXPECT_EQ(body.points.size(), 4u);
  EXPECT_EQ(body.brush.GetColor(), RGB(255, 222, 140));
  EXPECT_EQ(body.pen, CPen());
  EXPECT_EQ(body.polyFillMode, ALTERNATE);
}

TEST(CdcRecordingTest, TextExtentRule) {
  struct Case {
    int height, width;
    const char16_t* text;
    CSize want;
  } cases[] = {
      {12, 6, u"B12", {18, 12}}, {12, 0, u"B12", {18, 12}},
      {-10, 4, u"ab", {8, 10}},  {12, 6, u"\u4E2Da", {18, 12}},  // a CJK character counts double
      {0, 0, u"x", {8, 16}},     {12, 6, u"", {0, 12}},
  };
  for (const Case& c : cases) {
    CRecordingDC dc;
    CFont font;
    font.CreateFont(c.height, c.width, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, u"Arial");
    dc.SelectObject(&font);
    EXPECT_EQ(dc.GetTextExtent(c.text), c.want) << c.height << "x" << c.width;
  }
}

TEST(CdcRecordingTest, OpaqueTextAlignmentAndCurrentPosition) {
  CRecordingDC dc;
  dc.SelectObject(LabelFont());
  dc.SetBkColor(RGB(0xFF, 0xFF, 0xCC));
  dc.TextOut(10, 20, u"AB");  // OPAQUE is the default mode
  ASSERT_EQ(dc.Calls().size(), 2u);
  EXPECT_EQ(dc.Calls()[0].kind, Kind::kFillRect);
  EXPECT_EQ(dc.Calls()[0].rect, CRect(10, 20, 22, 32));
  EXPECT_EQ(dc.Calls()[0].fillColor, RGB(0xFF, 0xFF, 0xCC));

  dc.SetBkMode(TRANSPARENT);
  dc.Clear();
  dc.SetTextAlign(TA_CENTER | TA_BASELINE);
  dc.TextOut(100, 100, u"ABCD");
  EXPECT_EQ(dc.Calls().back().rect.TopLeft(), CPoint(100 - 12, 100 - 10));  // ascent 12 - 12 / 5
  dc.SetTextAlign(TA_UPDATECP);
  dc.MoveTo(5, 5);
  dc.TextOut(0, 0, u"AB");
  dc.TextOut(0, 0, u"C");
  EXPECT_EQ(dc.Calls().back().rect.TopLeft(), CPoint(17, 5));
  EXPECT_EQ(dc.GetCurrentPosition(), CPoint(23, 5));
}

TEST(CdcRecordingTest, DrawTextLayout) {
  struct Case {
    const char16_t* text;
    CRect rect;
    UINT format;
    std::vector<std::pair<const char16_t*, CPoint>> lines;
    int result;
  } cases[] = {
      {u"AB", {0, 0, 100, 40}, DT_CENTER | DT_VCENTER | DT_SINGLELINE, {{u"AB", {44, 14}}}, 26},
      {u"AB", {0, 0, 100, 40}, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, {{u"AB", {88, 28}}}, 40},
      {u"one\r\ntwo\nx",
       {0, 0, 100, 40},
       DT_LEFT,
       {{u"one", {0, 0}}, {u"two", {0, 12}}, {u"x", {0, 24}}},
       36},
      {u"aaa bbb ccc", {0, 0, 42, 40}, DT_WORDBREAK, {{u"aaa bbb", {0, 0}}, {u"ccc", {0, 12}}}, 24},
      {u"verylongword x", {0, 0, 30, 40}, DT_WORDBREAK, {{u"verylongword", {0, 0}}, {u"x", {0, 12}}}, 24},
      {u"\u4E2D\u6587\u5B57",
       {0, 0, 24, 40},
       DT_WORDBREAK,
       {{u"\u4E2D\u6587", {0, 0}}, {u"\u5B57", {0, 12}}},
       24},
      {u"&File && more", {0, 0, 200, 20}, DT_SINGLELINE, {{u"File & more", {0, 0}}}, 12},
      {u"&File", {0, 0, 200, 20}, DT_SINGLELINE | DT_NOPREFIX, {{u"&File", {0, 0}}}, 12},
      {u"a\tb", {0, 0, 200, 20}, DT_EXPANDTABS, {{u"a       b", {0, 0}}}, 12},
  };
  for (const Case& c : cases) {
    CRecordingDC dc;
    dc.SelectObject(LabelFont());
    dc.SetBkMode(TRANSPARENT);
    CRect rect = c.rect;
    EXPECT_EQ(dc.DrawText(c.text, &rect, c.format), c.result) << CString(c.text).ToUtf8();
    const auto texts = dc.CallsOfKind(Kind::kText);
    ASSERT_EQ(texts.size(), c.lines.size()) << CString(c.text).ToUtf8();
    for (size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i]->text, CString(c.lines[i].first));
      EXPECT_EQ(texts[i]->rect.TopLeft(), c.lines[i].second) << CString(c.text).ToUtf8() << " line " << i;
      EXPECT_EQ(texts[i]->clip, c.rect);
    }
  }

  // DT_CALCRECT measures without drawing.
  CRecordingDC dc;
  dc.SelectObject(LabelFont());
  CRect rect(5, 5, 5, 5);
  EXPECT_EQ(dc.DrawText(u"ab\nlonger", &rect, DT_CALCRECT), 24);
  EXPECT_EQ(rect, CRect(5, 5, 41, 29));
  EXPECT_TRUE(dc.Calls().empty());
}

TEST(CdcRecordingTest, ArcToMovesAlongTheEllipse) {
  CRecordingDC dc;
  dc.MoveTo(0, 30);
  dc.SetArcDirection(AD_CLOCKWISE);
  dc.ArcTo(CRect(10, 0, 30, 20), CPoint(0, 10), CPoint(20, -50));
  ASSERT_EQ(dc.Calls().size(), 2u);
  EXPECT_EQ(dc.Calls()[0].points, (std::vector<CPoint>{{0, 30}, {10, 10}}));  // to the start radial
  EXPECT_EQ(dc.Calls()[1].kind, Kind::kArc);
  EXPECT_EQ(dc.Calls()[1].arcDirection, AD_CLOCKWISE);
  EXPECT_EQ(dc.GetCurrentPosition(), CPoint(20, 0));  // the end radial meets the top
}

TEST(CdcRecordingTest, ClipBoxFollowsTheMapping) {
  CRecordingDC dc(CSize(800, 600));
  CRect box;
  dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 800, 600));
  SetZoom(dc, 2.0, CPoint(0, 0));
  dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 400, 300));
  EXPECT_EQ(dc.IntersectClipRect(10, 10, 50, 50), 2);
  EXPECT_EQ(dc.IntersectClipRect(40, 0, 100, 20), 2);
  dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(40, 10, 50, 20));
  EXPECT_EQ(dc.IntersectClipRect(0, 0, 5, 5), 1);  // nothing left
  dc.ResetClip();
  dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 400, 300));
}

}  // namespace
