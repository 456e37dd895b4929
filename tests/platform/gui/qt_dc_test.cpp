#include "platform/gui/qt_dc.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QImage WhiteImage(int w = 64, int h = 64) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// Bounding box (inclusive) of the pixels that are not white; null when none.
QRect InkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != kWhite) box = box.united(QRect(x, y, 1, 1));
    }
  }
  return box;
}

int InkCount(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != kWhite;
  }
  return n;
}

void SetZoom(CDC& dc, double zoom, CPoint scroll) {
  const int r = static_cast<int>(std::lround(zoom * 100));
  dc.SetMapMode(MM_ISOTROPIC);
  dc.SetWindowExt(100, 100);
  dc.SetViewportExt(r, r);
  dc.SetViewportOrg(-scroll.x, -scroll.y);
}

CFont MakeFont(int height, int width) {
  CFont font;
  font.CreateFont(height, width, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, u"Arial");
  return font;
}

TEST(QtDcTest, ShapesCoverThePixelsGdiCovers) {
  const CPen thin(PS_SOLID, 0, 0);
  const CPen dot(PS_SOLID, 5, 0);
  struct Case {
    const char* name;
    std::function<void(CDC&)> draw;
    QRect box;  // inclusive pixel bounds
  } cases[] = {
      {"outline rectangle",
       [&](CDC& dc) {
         dc.SelectObject(&thin);
         dc.SelectObject(CBrush::Null());
         dc.Rectangle(2, 2, 10, 8);
       },
       QRect(QPoint(2, 2), QPoint(9, 7))},
      {"filled rectangle without pen",
       [&](CDC& dc) {
         dc.SelectObject(CPen::Null());
         dc.SelectObject(CBrush(0));
         dc.Rectangle(2, 2, 10, 8);
       },
       QRect(QPoint(2, 2), QPoint(8, 6))},
      {"solid fill", [&](CDC& dc) { dc.FillSolidRect(CRect(2, 2, 10, 8), RGB(255, 0, 0)); },
       QRect(QPoint(2, 2), QPoint(9, 7))},
      {"line leaves out its last pixel",
       [&](CDC& dc) {
         dc.SelectObject(&thin);
         dc.MoveTo(2, 5);
         dc.LineTo(10, 5);
       },
       QRect(QPoint(2, 5), QPoint(9, 5))},
      {"ellipse outline",
       [&](CDC& dc) {
         dc.SelectObject(&thin);
         dc.SelectObject(CBrush::Null());
         dc.Ellipse(2, 2, 11, 11);
       },
       QRect(QPoint(2, 2), QPoint(10, 10))},
      {"polygon outline",
       [&](CDC& dc) {
         dc.SelectObject(&thin);
         dc.SelectObject(CBrush::Null());
         dc.Polygon({{2, 2}, {2, 10}, {10, 10}, {10, 2}});
       },
       QRect(QPoint(2, 2), QPoint(10, 10))},
      {"zero-length wide line",
       [&](CDC& dc) {
         dc.SelectObject(&dot);
         dc.MoveTo(10, 10);
         dc.LineTo(10, 10);
       },
       QRect(QPoint(8, 8), QPoint(12, 12))},
  };
  for (const Case& c : cases) {
    QImage image = WhiteImage(32, 32);
    {
      CQtDC dc(&image);
      c.draw(dc);
    }
    EXPECT_EQ(InkBox(image), c.box) << c.name;
  }
}

TEST(QtDcTest, ZeroLengthWideLineIsARoundDot) {
  QImage image = WhiteImage(32, 32);
  {
    CQtDC dc(&image);
    const CPen pen(PS_SOLID, 5, RGB(0, 0, 255));
    dc.SelectObject(&pen);
    dc.MoveTo(15, 15);
    dc.LineTo(15, 15);
  }
  // Rows of 3, 5, 5, 5 and 3 pixels: the corners of the 5 x 5 square stay empty.
  EXPECT_EQ(InkCount(image), 21);
  EXPECT_EQ(image.pixel(15, 15), qRgb(0, 0, 255));
  for (QPoint p : {QPoint(13, 15), QPoint(17, 15), QPoint(15, 13), QPoint(15, 17), QPoint(14, 13)}) {
    EXPECT_NE(image.pixel(p), kWhite) << p.x() << "," << p.y();
  }
  for (QPoint p : {QPoint(13, 13), QPoint(17, 13), QPoint(13, 17), QPoint(17, 17), QPoint(12, 15)}) {
    EXPECT_EQ(image.pixel(p), kWhite) << p.x() << "," << p.y();
  }
}

TEST(QtDcTest, FontWidthCondensesGlyphs) {
  QImage narrow = WhiteImage(200, 40);
  QImage wide = WhiteImage(200, 40);
  CSize narrowExtent, wideExtent;
  TEXTMETRIC tm;
  {
    CQtDC dc(&narrow);
    dc.SelectObject(MakeFont(12, 6));
    dc.SetBkMode(TRANSPARENT);
    narrowExtent = dc.GetTextExtent(u"ABCDEFGH");
    dc.GetTextMetrics(&tm);
    dc.TextOut(4, 4, u"ABCDEFGH");
  }
  {
    CQtDC dc(&wide);
    dc.SelectObject(MakeFont(12, 12));
    dc.SetBkMode(TRANSPARENT);
    wideExtent = dc.GetTextExtent(u"ABCDEFGH");
    dc.TextOut(4, 4, u"ABCDEFGH");
  }
  // The label font: 12 high, 6 per character.
  EXPECT_EQ(narrowExtent.cy, 12);
  EXPECT_EQ(tm.tmHeight, 12);
  EXPECT_EQ(tm.tmAveCharWidth, 6);
  EXPECT_NEAR(narrowExtent.cx, 48, 2);
  EXPECT_NEAR(wideExtent.cx, 96, 4);
  const QRect n = InkBox(narrow);
  const QRect w = InkBox(wide);
  ASSERT_FALSE(n.isNull());
  EXPECT_LT(n.width() * 3, w.width() * 2);  // clearly narrower
  EXPECT_NEAR(n.height(), w.height(), 1);   // same height
  // The ink lies within the text's box below the reference point.
  EXPECT_GE(n.left(), 4);
  EXPECT_GE(n.top(), 4);
  EXPECT_LE(n.right(), 4 + narrowExtent.cx);
  EXPECT_LE(n.bottom(), 4 + narrowExtent.cy);
}

TEST(QtDcTest, NotRasterOperationTwiceRestoresTheImage) {
  const struct {
    const char* name;
    std::function<void(CDC&)> draw;
  } cases[] = {
      {"thin polygon",
       [](CDC& dc) {
         dc.Polygon({{5, 5}, {40, 5}, {40, 30}, {5, 30}});
       }},
      {"wide rectangle",
       [](CDC& dc) {
         dc.SelectObject(CPen(PS_SOLID, 3, 0));
         dc.Rectangle(8, 8, 50, 40);
       }},
      {"line chain",
       [](CDC& dc) {
         dc.MoveTo(3, 3);
         dc.LineTo(30, 3);
         dc.LineTo(30, 50);
         dc.LineTo(3, 3);
       }},
      {"ellipse", [](CDC& dc) { dc.Ellipse(10, 10, 50, 35); }},
  };
  QImage original = WhiteImage();
  {
    QPainter p(&original);
    p.fillRect(QRect(0, 0, 32, 64), QColor(200, 30, 60));
    p.fillRect(QRect(20, 20, 30, 10), QColor(10, 200, 90));
  }
  for (const auto& c : cases) {
    QImage image = original;
    const auto pass = [&] {
      CQtDC dc(&image);
      SetZoom(dc, 1.0, CPoint(0, 0));
      dc.SetROP2(R2_NOT);
      dc.SelectObject(CBrush::Null());
      c.draw(dc);
    };
    pass();
    EXPECT_NE(image, original) << c.name << ": the outline shows";
    pass();
    EXPECT_EQ(image, original) << c.name << ": the outline is gone";
  }
  // Inverting really inverts (white becomes black).
  QImage image = WhiteImage();
  {
    CQtDC dc(&image);
    dc.SetROP2(R2_NOT);
    dc.MoveTo(0, 60);
    dc.LineTo(10, 60);
  }
  EXPECT_EQ(image.pixel(5, 60), qRgb(0, 0, 0));
}

TEST(QtDcTest, ZoomMappingDrawsAtTheMappedPixels) {
  QImage image = WhiteImage();
  CRect logical(10, 10, 20, 20);
  CRect device = logical;
  {
    CQtDC dc(&image);
    SetZoom(dc, 1.5, CPoint(10, 5));
    dc.LPtoDP(&device);
    dc.FillSolidRect(logical, RGB(255, 0, 0));
    dc.SelectObject(CPen(PS_SOLID, 0, 0));
    dc.MoveTo(0, 30);
    dc.LineTo(20, 30);
    // A device pixel of the fill maps back into the logical rectangle.
    CPoint hit(device.right - 1, device.bottom - 1);
    dc.DPtoLP(&hit);
    EXPECT_TRUE(logical.PtInRect(hit));
  }
  EXPECT_EQ(device, CRect(5, 10, 20, 25));  // 15 - 10, 15 - 5, 30 - 10, 30 - 5
  EXPECT_EQ(image.pixel(5, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(19, 24), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(20, 24), kWhite);
  EXPECT_EQ(image.pixel(4, 10), kWhite);
  // The thin line from (0, 30) to (20, 30): device (-10, 40) to (20, 40).
  EXPECT_EQ(image.pixel(0, 40), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(19, 40), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(20, 40), kWhite);

  // Pens and fonts scale with the zoom.
  QImage big = WhiteImage();
  CSize extent;
  {
    CQtDC dc(&big);
    SetZoom(dc, 2.0, CPoint(0, 0));
    dc.SelectObject(CPen(PS_SOLID, 2, 0));
    dc.MoveTo(5, 5);
    dc.LineTo(5, 5);
    dc.SelectObject(MakeFont(12, 6));
    extent = dc.GetTextExtent(u"B3");
  }
  EXPECT_EQ(InkBox(big), QRect(QPoint(8, 8), QPoint(11, 11)));  // a 4-pixel dot at (10, 10)
  EXPECT_EQ(extent.cy, 12);                                     // still logical units
  EXPECT_NEAR(extent.cx, 12, 1);
}

TEST(QtDcTest, OpaqueTextFillsItsBoxAndDrawText) {
  QImage image = WhiteImage(120, 40);
  CRect calc(0, 0, 0, 0);
  {
    CQtDC dc(&image);
    dc.SelectObject(MakeFont(12, 6));
    dc.SetBkColor(RGB(0xFF, 0xFF, 0xCC));  // the value-box colour 0xCCFFFF
    dc.SetTextColor(RGB(255, 0, 0));
    dc.TextOut(2, 2, u"42");
    CRect rect(40, 0, 120, 40);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(u"X", &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.DrawText(u"one\ntwo", &calc, DT_CALCRECT);
  }
  // The background box is exactly the text's extent (12 x 12 at 6 per character).
  EXPECT_EQ(image.pixel(2, 2), qRgb(0xFF, 0xFF, 0xCC));
  EXPECT_EQ(image.pixel(13, 13), qRgb(0xFF, 0xFF, 0xCC));
  EXPECT_EQ(image.pixel(14, 2), kWhite);
  EXPECT_EQ(image.pixel(2, 14), kWhite);
  // "X" centred in (40, 0, 120, 40).
  QImage right = image.copy(40, 0, 80, 40);
  const QRect x = InkBox(right);
  EXPECT_NEAR(x.center().x(), 40, 3);
  EXPECT_NEAR(x.center().y(), 20, 3);
  EXPECT_EQ(calc, CRect(0, 0, 18, 24));
}

}  // namespace

namespace {

// A thin black polyline drawn by Qt's cosmetic stroker, as the context drew
// every line before horizontal and vertical ones became fills.
QImage QtCosmeticPolyline(const std::vector<CPoint>& points, const QRect& clip = QRect()) {
  QImage image = WhiteImage(64, 64);
  QPainter p(&image);
  if (!clip.isNull()) p.setClipRect(clip);
  QPen pen(Qt::black);
  pen.setWidth(0);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
  QPolygonF poly;
  for (const CPoint& q : points) poly << QPointF(q.x, q.y);
  p.drawPolyline(poly);
  return image;
}

}  // namespace

// Right-angled polylines of every shape (turns both ways, zero-length and
// one-pixel steps, doubling back, closing on the start, running off the
// image) cover exactly the pixels of Qt's cosmetic line.
TEST(QtDcTest, OrthogonalPolylinesCoverTheCosmeticLinePixels) {
  uint32_t seed = 12345;
  const auto next = [&seed](uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  const CPen thin(PS_SOLID, 1, 0);
  for (int t = 0; t < 3000; ++t) {
    std::vector<CPoint> points;
    // Mostly inside the 64 x 64 image, one time in three reaching out of it.
    const int span = next(3) == 0 ? 84 : 56;
    const int from = span == 84 ? -10 : 4;
    CPoint cur(from + static_cast<int>(next(span)), from + static_cast<int>(next(span)));
    points.push_back(cur);
    const int steps = 1 + static_cast<int>(next(7));
    for (int k = 0; k < steps; ++k) {
      if (next(5) == 0) {
        points.push_back(cur);
        continue;
      }
      if (next(2) != 0) {
        cur.x = from + static_cast<int>(next(span));
      } else {
        cur.y = from + static_cast<int>(next(span));
      }
      points.push_back(cur);
    }
    if (next(10) == 0) points.push_back(points.front());
    QImage image = WhiteImage(64, 64);
    {
      CQtDC dc(&image);
      dc.SelectObject(&thin);
      dc.Polyline(points.data(), static_cast<int>(points.size()));
    }
    std::string text;
    for (const CPoint& q : points) text += "(" + std::to_string(q.x) + "," + std::to_string(q.y) + ") ";
    ASSERT_EQ(image, QtCosmeticPolyline(points)) << "polyline " << t << ": " << text;
  }
}

// Upright rectangles given as polygons, corners in either turning order,
// with and without the closing corner, filled and outlined or only filled,
// cover the pixels of Qt's aliased fill and cosmetic outline.
TEST(QtDcTest, RectanglePolygonsCoverTheAliasedShapePixels) {
  uint32_t seed = 777;
  const auto next = [&seed](uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % n);
  };
  for (int t = 0; t < 2000; ++t) {
    const int x0 = next(30) - 3;
    const int y0 = next(30) - 3;
    const int x1 = next(8) == 0 ? x0 + 1 : next(30) - 3;
    const int y1 = next(8) == 0 ? y0 + 1 : next(30) - 3;
    std::vector<CPoint> points = {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
    if (next(2) != 0) std::swap(points[1], points[3]);
    if (next(3) == 0) points.push_back(points.front());
    const bool outline = next(2) != 0;
    const bool winding = next(2) != 0;
    QImage image = WhiteImage(24, 24);
    {
      CQtDC dc(&image);
      const CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
      dc.SelectObject(outline ? pen : CPen::Null());
      dc.SelectObject(CBrush(RGB(255, 0, 0)));
      dc.SetPolyFillMode(winding ? WINDING : ALTERNATE);
      dc.Polygon(points.data(), static_cast<int>(points.size()));
    }
    QImage expected = WhiteImage(24, 24);
    {
      QPainter p(&expected);
      QPolygonF poly;
      for (const CPoint& q : points) poly << QPointF(q.x, q.y);
      const Qt::FillRule rule = winding ? Qt::WindingFill : Qt::OddEvenFill;
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 0, 0));
      p.drawPolygon(poly, rule);
      if (outline) {
        QPen pen(Qt::black);
        pen.setWidth(0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(poly, rule);
      }
    }
    ASSERT_EQ(image, expected) << "rectangle " << t;
  }
}

// Right-angled polylines that run out of the image, near its edges and far
// beyond them, turning just inside, on and just outside the edges, with and
// without a clip rectangle, cover exactly the pixels of Qt's cosmetic line.
TEST(QtDcTest, OrthogonalPolylinesLeavingTheImageCoverTheCosmeticLinePixels) {
  uint32_t seed = 4242;
  const auto next = [&seed](uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % n);
  };
  // Coordinates around both edges of the 64-pixel image, far out and inside.
  const auto coordinate = [&next]() {
    switch (next(6)) {
      case 0:
        return next(9) - 4;
      case 1:
        return 60 + next(9);
      case 2:
        return next(2) == 0 ? -300 - next(50) : 300 + next(50);
      default:
        return next(74) - 5;
    }
  };
  const CPen thin(PS_SOLID, 1, 0);
  for (int t = 0; t < 6000; ++t) {
    std::vector<CPoint> points;
    CPoint cur(coordinate(), coordinate());
    points.push_back(cur);
    const int steps = 1 + next(7);
    for (int k = 0; k < steps; ++k) {
      if (next(8) == 0) {
        points.push_back(cur);
        continue;
      }
      if (next(4) == 0) {
        // a short step
        const int d = next(2) == 0 ? 1 : 1 + next(3);
        if (next(2) != 0) {
          cur.x += next(2) == 0 ? d : -d;
        } else {
          cur.y += next(2) == 0 ? d : -d;
        }
      } else if (next(2) != 0) {
        cur.x = coordinate();
      } else {
        cur.y = coordinate();
      }
      points.push_back(cur);
    }
    QRect clip;
    if (next(3) == 0) clip = QRect(next(20), next(20), 20 + next(40), 20 + next(40));
    QImage image = WhiteImage(64, 64);
    {
      CQtDC dc(&image);
      if (!clip.isNull()) dc.IntersectClipRect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
      dc.SelectObject(&thin);
      dc.Polyline(points.data(), static_cast<int>(points.size()));
    }
    std::string text;
    for (const CPoint& q : points) text += "(" + std::to_string(q.x) + "," + std::to_string(q.y) + ") ";
    ASSERT_EQ(image, QtCosmeticPolyline(points, clip)) << "polyline " << t << ": " << text;
  }
}

namespace {

// A drawing that changes every piece of state a context hands to its
// painter: fills in a row, raster operations, clips (the context's, a saved and restored one,
// a text's own), fonts (more of them than the font cache keeps, then the
// first again) and the zoom (the same font at another size), with shapes
// reaching out of the image and lying wholly outside it.
void DrawStateChangingScene(CDC& dc) {
  const CPen thin(PS_SOLID, 0, RGB(0, 0, 200));
  const CPen dash(PS_DASH, 1, RGB(200, 0, 0));
  const CPen wide(PS_SOLID, 2, RGB(0, 120, 0));
  const CPen dot(PS_SOLID, 5, RGB(90, 0, 90));
  const CBrush fill(RGB(255, 222, 140));
  dc.FillSolidRect(CRect(-20, -20, 400, 300), RGB(180, 180, 180));
  // Fills one after another: over part of the last, inside it, apart from it.
  dc.FillSolidRect(CRect(30, 100, 90, 140), RGB(200, 0, 0));
  dc.FillSolidRect(CRect(60, 120, 120, 160), RGB(0, 200, 0));
  dc.FillSolidRect(CRect(70, 125, 80, 130), RGB(0, 0, 200));
  dc.FillSolidRect(CRect(200, 100, 210, 110), RGB(200, 200, 0));
  dc.Draw3dRect(CRect(240, 100, 260, 120), RGB(255, 255, 255), RGB(0, 0, 0));
  for (int pass = 0; pass < 2; ++pass) {
    SetZoom(dc, pass == 0 ? 1.0 : 2.0, CPoint(pass * 7, pass * 3));
    const int dy = pass * 70;
    dc.SelectObject(&fill);
    dc.SelectObject(&thin);
    dc.Polygon({CPoint(10, 10 + dy), CPoint(10, 40 + dy), CPoint(50, 40 + dy), CPoint(50, 10 + dy)});
    dc.Polygon({CPoint(60, 10 + dy), CPoint(90, 25 + dy), CPoint(60, 40 + dy)});
    dc.Rectangle(100, 10 + dy, 140, 40 + dy);
    dc.Ellipse(150, 10 + dy, 180, 40 + dy);
    dc.Arc(CRect(185, 10 + dy, 215, 40 + dy), CPoint(215, 25 + dy), CPoint(185, 25 + dy));
    dc.Polyline({CPoint(-30, 45 + dy), CPoint(70, 45 + dy), CPoint(70, 60 + dy), CPoint(400, 60 + dy)});
    dc.SelectObject(&dash);
    dc.Polyline({CPoint(5, 50 + dy), CPoint(95, 58 + dy)});
    dc.SelectObject(&wide);
    dc.Polyline({CPoint(100, 50 + dy), CPoint(130, 50 + dy), CPoint(130, 62 + dy), CPoint(160, 62 + dy)});
    dc.Polyline({CPoint(5000, 50), CPoint(5100, 50)});  // wholly outside
    dc.SelectObject(&dot);
    dc.MoveTo(170, 55 + dy);
    dc.LineTo(170, 55 + dy);
    // Texts: the label font, opaque, clipped by DrawText and by ExtTextOut.
    dc.SelectObject(MakeFont(12, 6));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(12, 14 + dy, u"B12");
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(0xFF, 0xFF, 0xCC));
    dc.SetTextColor(RGB(255, 0, 0));
    dc.TextOut(100, 25 + dy, u"42");
    CRect box(150, 12 + dy, 172, 24 + dy);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(u"clipped text", &box, DT_LEFT | DT_SINGLELINE);
    const CRect etoBox(60, 30 + dy, 75, 38 + dy);
    dc.ExtTextOut(58, 28 + dy, ETO_CLIPPED, &etoBox, u"WWW");
    dc.SelectObject(MakeFont(16, 0));
    dc.TextOut(185, 44 + dy, u"Ag");
  }
  SetZoom(dc, 1.0, CPoint(0, 0));
  // The context's clip, then the same drawing outside it after a restore.
  const int saved = dc.SaveDC();
  dc.IntersectClipRect(20, 150, 120, 190);
  const CPen thinBlack(PS_SOLID, 1, RGB(0, 0, 0));
  dc.SelectObject(&thinBlack);
  for (int x = 10; x < 140; x += 9) {
    dc.MoveTo(x, 140);
    dc.LineTo(x, 200);
  }
  dc.TextOut(15, 170, u"under the clip");
  dc.IntersectClipRect(200, 150, 220, 160);  // nothing left of the clip
  dc.FillSolidRect(CRect(0, 0, 300, 300), RGB(255, 0, 0));
  dc.RestoreDC(saved);
  dc.MoveTo(130, 145);
  dc.LineTo(220, 145);
  // Raster operations: a pen that inverts, one that does nothing, XOR fills.
  dc.SetROP2(R2_NOT);
  dc.Rectangle(30, 200, 90, 230);
  dc.SetROP2(R2_NOP);
  dc.Rectangle(0, 0, 300, 300);
  dc.SetROP2(R2_XORPEN);
  const CBrush xorBrush(RGB(0, 255, 0));
  dc.SelectObject(&xorBrush);
  dc.Polygon({CPoint(60, 210), CPoint(60, 240), CPoint(120, 240), CPoint(120, 210)});
  dc.SetROP2(R2_COPYPEN);
  // More fonts than the cache keeps, then the first one again.
  dc.SetTextColor(RGB(0, 0, 120));
  for (int h = 6; h < 46; ++h) {
    dc.SelectObject(MakeFont(h, 0));
    dc.TextOut(130 + (h % 10) * 16, 200 + (h / 10) * 10, u"a");
  }
  dc.SelectObject(MakeFont(12, 6));
  dc.TextOut(130, 250, u"B12 again");
}

}  // namespace

// A context on a painter of its own (or on a caller's painter without a clip
// or transform) sets the painter's state directly and writes opaque fills
// into the image; on a painter with a clip of its own it saves and restores
// the painter around each primitive and leaves every fill to the painter.
// Both draw the same pixels, through any sequence of state changes.
TEST(QtDcTest, DirectPainterStateDrawsAsSavedState) {
  QImage direct = WhiteImage(300, 280);
  {
    CQtDC dc(&direct);
    DrawStateChangingScene(dc);
  }
  QImage callersPainter = WhiteImage(300, 280);
  {
    QPainter painter(&callersPainter);
    CQtDC dc(&painter);
    DrawStateChangingScene(dc);
  }
  QImage saved = WhiteImage(300, 280);
  {
    QPainter painter(&saved);
    painter.setClipRect(saved.rect());
    CQtDC dc(&painter);
    DrawStateChangingScene(dc);
  }
  EXPECT_EQ(direct, saved);
  EXPECT_EQ(callersPainter, saved);
  // The nothing-through clip left no red fill; the inverting pen left its ink.
  EXPECT_NE(direct.pixel(150, 120), qRgb(255, 0, 0));
  EXPECT_NE(InkCount(direct), 0);
}

// A context that draws a text at one zoom and then the same text in the same
// font at another draws the second as a context that only knew that zoom.
TEST(QtDcTest, TextAfterAZoomChangeUsesTheNewSize) {
  const auto draw = [](CDC& dc, double zoom) {
    SetZoom(dc, zoom, CPoint(0, 0));
    dc.SelectObject(MakeFont(12, 6));
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(2, zoom == 1.0 ? 2 : 12, u"T1 12:30");
  };
  QImage both = WhiteImage(160, 60);
  {
    CQtDC dc(&both);
    draw(dc, 1.0);
    EXPECT_EQ(dc.GetTextExtent(u"T1 12:30").cx, 48);
    draw(dc, 2.0);
    EXPECT_EQ(dc.GetTextExtent(u"T1 12:30").cx, 48);  // logical units at every zoom
  }
  QImage secondOnly = WhiteImage(160, 60);
  {
    CQtDC dc(&secondOnly);
    draw(dc, 2.0);
  }
  const QRect second(0, 20, 160, 40);
  EXPECT_EQ(both.copy(second), secondOnly.copy(second));
  // About twice the glyphs' height (hinting rounds each size its own way).
  const int first = InkBox(both.copy(0, 0, 160, 16)).height();
  EXPECT_GT(first, 4);
  EXPECT_GE(InkBox(secondOnly).height(), first * 3 / 2);
}

// A context on an image tells the rectangles that could show from those that
// cannot: a rectangle may show when it comes within two pixels of the image
// (and of the context's clip), after the mapping. A context that saves and
// restores a painter with a clip of its own leaves nothing out.
TEST(QtDcTest, MayShowLeavesOutRectanglesOffTheImageAndTheClip) {
  constexpr int kFar = 1 << 24;
  struct Case {
    CRect rect;
    bool want;
  };
  const auto check = [](const CDC& dc, const std::vector<Case>& cases, const char* what) {
    for (const Case& c : cases) {
      EXPECT_EQ(dc.MayShow(c.rect), c.want)
          << what << " " << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
    }
  };
  QImage image = WhiteImage(100, 80);
  {
    CQtDC dc(&image);
    check(dc,
          {{CRect(10, 10, 20, 20), true},
           {CRect(-50, -50, -2, -2), true},  // two pixels short of the corner
           {CRect(-50, -50, -3, -3), false},
           {CRect(101, 0, 200, 10), true},
           {CRect(102, 0, 200, 10), false},
           {CRect(0, 81, 10, 90), true},
           {CRect(0, 82, 10, 90), false},
           {CRect(-kFar, 30, kFar, 40), true},  // a row open on both sides
           {CRect(-kFar, 90, kFar, 100), false},
           {CRect(-kFar, -kFar, kFar, kFar), true}},
          "plain");
    SetZoom(dc, 2.0, CPoint(0, 0));
    check(dc, {{CRect(45, 0, 60, 10), true}, {CRect(52, 0, 60, 10), false}, {CRect(0, 41, 10, 50), false}},
          "zoom 2");
    SetZoom(dc, 2.0, CPoint(100, 0));
    check(dc, {{CRect(52, 0, 60, 10), true}, {CRect(10, 0, 48, 10), false}}, "zoom 2 scrolled");
    SetZoom(dc, 1.0, CPoint(0, 0));
    dc.IntersectClipRect(CRect(20, 20, 50, 40));
    check(dc,
          {{CRect(30, 30, 35, 35), true},
           {CRect(51, 20, 60, 30), true},
           {CRect(53, 20, 60, 30), false},
           {CRect(0, 0, 17, 17), false},
           {CRect(-kFar, 42, kFar, 60), false}},
          "clipped");
  }
  QImage saved = WhiteImage(100, 80);
  {
    QPainter painter(&saved);
    painter.setClipRect(saved.rect());
    CQtDC dc(&painter);
    check(dc, {{CRect(10, 10, 20, 20), true}, {CRect(500, 500, 600, 600), true}}, "saved state");
  }
}
