// The pictures drawn in code: the scope and pointer icons, the module picture
// and the block kinds' line pictures, each checked against a small table of
// its strokes through the recording context.
#include "blocks/pictograms.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/recording_dc.h"

namespace {

using Kind = DCCall::Kind;

int Count(const CRecordingDC& dc, Kind kind) {
  return static_cast<int>(dc.CallsOfKind(kind).size());
}

bool Inside(const CRect& outer, CPoint p) {
  return p.x >= outer.left && p.x <= outer.right && p.y >= outer.top && p.y <= outer.bottom;
}

TEST(Pictograms, IconsDrawTheirStrokesInDesignUnitsAndRestoreTheMapping) {
  struct Row {
    int id;
    int rectangles, lines, polylines, ellipses, arcs;
  };
  const Row rows[] = {
      // scope: housing, screen; 3 + 2 grid lines; the trace; two knobs
      {kIconScope, 2, 5, 1, 2, 0},
      // pointer: the face; 7 scale ticks and the needle; the hub; the dial's arc
      {kIconPointer, 1, 8, 0, 1, 1},
  };
  for (const Row& r : rows) {
    CRecordingDC dc;
    DrawPicture(&dc, CRect(10, 20, 74, 84), r.id);
    EXPECT_EQ(Count(dc, Kind::kRectangle), r.rectangles) << r.id;
    EXPECT_EQ(Count(dc, Kind::kLine), r.lines) << r.id;
    EXPECT_EQ(Count(dc, Kind::kPolyline), r.polylines) << r.id;
    EXPECT_EQ(Count(dc, Kind::kEllipse), r.ellipses) << r.id;
    EXPECT_EQ(Count(dc, Kind::kArc), r.arcs) << r.id;
    const CRect design(0, 0, PictureDesignSize(r.id).cx, PictureDesignSize(r.id).cy);
    for (const DCCall& c : dc.Calls())
      for (CPoint p : c.points) EXPECT_TRUE(Inside(design, p)) << r.id;
    // The caller's mapping is back: one logical unit is one pixel again.
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    CPoint probe(5, 5);
    dc.LPtoDP(&probe);
    EXPECT_EQ(probe, CPoint(5, 5));
  }
}

TEST(Pictograms, ScopeTraceRunsAcrossItsScreenAndPointerNeedleLeavesTheHub) {
  CRecordingDC scope;
  DrawPicture(&scope, CRect(0, 0, 32, 32), kIconScope);
  const DCCall* trace = scope.CallsOfKind(Kind::kPolyline).front();
  ASSERT_GE(trace->points.size(), 8u);
  EXPECT_EQ(trace->pen.GetColor(), RGB(80, 255, 110));
  const CRect screen = scope.CallsOfKind(Kind::kRectangle)[1]->rect;
  for (CPoint p : trace->points) EXPECT_TRUE(Inside(screen, p));
  EXPECT_LT(trace->points.front().x, trace->points.back().x);

  CRecordingDC pointer;
  DrawPicture(&pointer, CRect(0, 0, 32, 32), kIconPointer);
  const std::vector<const DCCall*> lines = pointer.CallsOfKind(Kind::kLine);
  const DCCall* needle = lines.back();
  EXPECT_EQ(needle->pen.GetColor(), RGB(210, 0, 0));
  EXPECT_EQ(needle->points[0], CPoint(16, 24));
  for (size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i]->pen.GetColor(), RGB(0, 0, 0));
}

TEST(Pictograms, ModulePictureShowsTheMainUnitAndSevenMarkedExtensions) {
  for (int marked : {-1, 0, 3, 7}) {
    CRecordingDC dc;
    DrawPicture(&dc, CRect(0, 0, 400, 50), kPictureModules, marked);
    // The module bodies: the rectangles drawn with the outline pen, left to right.
    std::vector<CRect> bodies;
    std::vector<COLORREF> fills;
    for (const DCCall* c : dc.CallsOfKind(Kind::kRectangle)) {
      if (c->pen.GetColor() == RGB(60, 60, 60) && c->rect.Height() > 40) {
        bodies.push_back(c->rect);
        fills.push_back(c->brush.GetColor());
      }
    }
    ASSERT_EQ(bodies.size(), 8u) << marked;
    EXPECT_GT(bodies[0].Width(), 2 * bodies[1].Width());  // the main unit is the wide one
    for (size_t i = 1; i < bodies.size(); ++i) EXPECT_GT(bodies[i].left, bodies[i - 1].right);
    for (size_t i = 0; i < fills.size(); ++i)
      EXPECT_EQ(fills[i] == RGB(255, 236, 150), static_cast<int>(i) == marked) << marked << " " << i;
    // The display sits in the main unit.
    bool display = false;
    for (const DCCall* c : dc.CallsOfKind(Kind::kRectangle))
      if (c->brush.GetColor() == RGB(0x55, 0x9D, 0x55))
        display = c->rect.left > bodies[0].left && c->rect.right < bodies[0].right;
    EXPECT_TRUE(display);
    // "Ext.1" .. "Ext.7", each inside its own module.
    for (int m = 1; m <= 7; ++m) {
      const DCCall* label = dc.FindText(FormatString(u"Ext.%d", m));
      ASSERT_NE(label, nullptr) << m;
      EXPECT_GE(label->rect.left, bodies[static_cast<size_t>(m)].left);
      EXPECT_LE(label->rect.right, bodies[static_cast<size_t>(m)].right);
    }
    // The red frame goes round the marked module only.
    int frames = 0;
    for (const DCCall* c : dc.CallsOfKind(Kind::kRectangle)) {
      if (c->pen.GetColor() != RGB(220, 0, 0)) continue;
      ++frames;
      EXPECT_TRUE(c->rect.left < bodies[static_cast<size_t>(marked)].left &&
                  c->rect.right > bodies[static_cast<size_t>(marked)].right);
    }
    EXPECT_EQ(frames, marked >= 0 ? 1 : 0);
  }
}

TEST(Pictograms, BlockLinePicturesByKind) {
  struct Row {
    int type;
    int lines, ellipses, arcs, texts;
  };
  const Row rows[] = {
      {400, 6, 0, 0, 0},   // on-delay: the arrow and the delayed step
      {401, 6, 0, 0, 0},   //
      {404, 10, 0, 0, 0},  // wiping relay: two pulse trains
      {410, 2, 1, 0, 0},   // weekly timer: a clock face with two hands
      {412, 2, 1, 0, 1},   // astronomical clock: the star and the clock
      {413, 7, 1, 0, 0},   // stopwatch: a pulse and the clock
      {800, 3, 0, 0, 0},   // up/down counter: the arrow
      {802, 9, 0, 0, 0},   // threshold trigger
      {804, 6, 0, 0, 0},   // analog threshold trigger
      {806, 11, 0, 2, 0},  // analog watchdog: two arcs over a pulse train
      {807, 8, 0, 0, 0},   // analog differential trigger
      {815, 3, 0, 0, 0},   // mathematical instruction: the analog arrow
      {824, 3, 0, 0, 0},   // WiFi: the antenna with its dot
  };
  for (const Row& r : rows) {
    CRecordingDC dc;
    const CRect box(100, 200, 125, 236);
    ASSERT_TRUE(HasBlockLinePicture(r.type)) << r.type;
    ASSERT_TRUE(DrawBlockLinePicture(&dc, box, r.type)) << r.type;
    EXPECT_EQ(Count(dc, Kind::kLine), r.lines) << r.type;
    EXPECT_EQ(Count(dc, Kind::kEllipse), r.ellipses) << r.type;
    EXPECT_EQ(Count(dc, Kind::kArc), r.arcs) << r.type;
    EXPECT_EQ(Count(dc, Kind::kText), r.texts) << r.type;
    const CRect around(box.left - 1, box.top - 1, box.right + 2, box.bottom);
    for (const DCCall* c : dc.CallsOfKind(Kind::kLine))
      for (CPoint p : c->points) EXPECT_TRUE(Inside(around, p)) << r.type;
  }
  for (int type : {300, 408, 600, 801, 810, 832, 860, 911}) {
    CRecordingDC dc;
    EXPECT_FALSE(HasBlockLinePicture(type)) << type;
    EXPECT_FALSE(DrawBlockLinePicture(&dc, CRect(0, 0, 25, 36), type)) << type;
    EXPECT_TRUE(dc.Calls().empty()) << type;
  }
}

}  // namespace
