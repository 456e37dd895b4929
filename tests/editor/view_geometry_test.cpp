// Zoom steps and clamps, the zoom mapping, scroll sizes and the centre-keeping
// scroll of the diagram view.
#include "editor/view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/recording_dc.h"

namespace {

TEST(ViewGeometry, RoundHalfAwayFromZero) {
  struct Case {
    double in;
    int out;
  } const cases[] = {{0.0, 0},
                     {0.49, 0},
                     {0.5, 1},
                     {1.5, 2},
                     {-0.5, -1},
                     {-1.49, -1},
                     {-1.5, -2},
                     {37.5, 38},
                     {1e12, INT_MAX},
                     {-1e12, INT_MIN},
                     {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const Case& c : cases) EXPECT_EQ(RoundHalfAwayFromZero(c.in), c.out) << c.in;
}

TEST(ViewGeometry, ZoomIsClampedToItsBounds) {
  struct Case {
    float in;
    float out;
  } const cases[] = {{0.1f, 0.25f},
                     {0.25f, 0.25f},
                     {0.3f, 0.3f},
                     {1.0f, 1.0f},
                     {3.99f, 3.99f},
                     {4.0f, 4.0f},
                     {8.0f, 4.0f},
                     {-2.0f, 0.25f},
                     {1e30f, 4.0f},
                     {-INFINITY, 0.25f},
                     {std::numeric_limits<float>::quiet_NaN(), 0.25f}};
  for (const Case& c : cases) EXPECT_EQ(ClampZoom(c.in), c.out) << c.in;
}

TEST(ViewGeometry, ZoomStepsWalkTheReachableValues) {
  // Zoom In from 0.25 walks every reachable value up to 4.0; Zoom Out walks it back.
  const float ladder[] = {0.25f, 0.5f, 0.75f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 3.5f, 4.0f};
  const int n = sizeof(ladder) / sizeof(ladder[0]);
  for (int i = 0; i + 1 < n; ++i) {
    EXPECT_TRUE(CanZoomIn(ladder[i]));
    EXPECT_EQ(ClampZoom(ZoomInStep(ladder[i])), ladder[i + 1]) << "in from " << ladder[i];
  }
  for (int i = n - 1; i > 0; --i) {
    EXPECT_TRUE(CanZoomOut(ladder[i]));
    EXPECT_EQ(ClampZoom(ZoomOutStep(ladder[i])), ladder[i - 1]) << "out from " << ladder[i];
  }
  EXPECT_FALSE(CanZoomIn(4.0f));
  EXPECT_FALSE(CanZoomOut(0.25f));
  // A zoom between the steps (from a file) steps by the rule and is clamped at the ends.
  EXPECT_FLOAT_EQ(ZoomInStep(0.3f), 0.55f);
  EXPECT_EQ(ClampZoom(ZoomInStep(3.8f)), 4.0f);
  EXPECT_EQ(ClampZoom(ZoomOutStep(0.4f)), 0.25f);
}

TEST(ViewGeometry, ZoomMappingOnAContext) {
  struct Case {
    float zoom;
    int extent;
    CPoint diagram;
    CPoint device;
  } const cases[] = {
      {1.0f, 100, {37, 41}, {37, 41}},  {0.25f, 25, {10, 6}, {3, 2}},  {0.75f, 75, {3, 5}, {2, 4}},
      {4.0f, 400, {100, 7}, {400, 28}}, {1.5f, 150, {-3, 3}, {-5, 5}}, {0.1f, 25, {100, 100}, {25, 25}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZoomViewportExtent(ClampZoom(c.zoom)), c.extent);
    // The view's mapping on a context: scroll (10, 20).
    CRecordingDC dc;
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(kZoomWindowExtent, kZoomWindowExtent);
    dc.SetViewportExt(c.extent, c.extent);
    dc.SetViewportOrg(-10, -20);
    CPoint p = c.diagram;
    dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(c.device.x - 10, c.device.y - 20)) << c.zoom;
    // The arithmetic of the view agrees with the context's.
    EXPECT_EQ(DiagramToClient(c.diagram, CPoint(10, 20), c.zoom), p);
  }
}

TEST(ViewGeometry, ScrollSizesFollowThePageAndTheZoom) {
  // 2 x 3 pages of 1000 x 700 at zoom 0.5.
  ScrollSizes s = ComputeScrollSizes(CRect(0, 0, 2000, 2100), 0.5f);
  EXPECT_EQ(s.total, CSize(1000, 1050));
  EXPECT_EQ(s.page, CSize(100, 105));
  EXPECT_EQ(s.line, CSize(10, 10));
  s = ComputeScrollSizes(CRect(0, 0, 1024, 768), 1.0f);
  EXPECT_EQ(s.total, CSize(1024, 768));
  s = ComputeScrollSizes(CRect(0, 0, 1025, 767), 0.75f);  // 768.75 and 575.25
  EXPECT_EQ(s.total, CSize(769, 575));
  s = ComputeScrollSizes(CRect(0, 0, 1024, 768), 4.0f);
  EXPECT_EQ(s.total, CSize(4096, 3072));

  EXPECT_EQ(MaxScrollPosition(CSize(1000, 500), CSize(400, 600)), CPoint(600, 0));
  EXPECT_EQ(ZoomSize(CSize(3, -3), 0.5f), CSize(2, -2));
}

TEST(ViewGeometry, ClientPointsInDiagramUnits) {
  struct Case {
    CPoint client;
    CPoint scroll;
    float zoom;
    CPoint diagram;
  } const cases[] = {
      {{10, 20}, {0, 0}, 1.0f, {10, 20}}, {{10, 20}, {100, 50}, 1.0f, {110, 70}},
      {{10, 21}, {0, 0}, 2.0f, {5, 10}},  {{10, 20}, {5, 0}, 0.25f, {60, 80}},
      {{-3, 2}, {0, 0}, 2.0f, {-1, 1}},   {{100, 100}, {0, 0}, 0.75f, {133, 133}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClientToDiagram(c.client, c.scroll, c.zoom), c.diagram) << c.client.x << "," << c.client.y;
  }
}

TEST(ViewGeometry, ZoomKeepsTheCentre) {
  // From below 1.0 the view goes to the top-left corner.
  EXPECT_EQ(ZoomScrollPosition(0.5f, 1.0f, CPoint(300, 200), CSize(800, 600)), CPoint(0, 0));
  EXPECT_EQ(ZoomScrollPosition(0.75f, 0.5f, CPoint(30, 20), CSize(800, 600)), CPoint(0, 0));
  // From 1.0 to 2.0 the diagram point at the centre stays at the centre.
  const CPoint scroll(100, 50);
  const CSize client(800, 600);
  const CPoint pos = ZoomScrollPosition(1.0f, 2.0f, scroll, client);
  EXPECT_EQ(pos, CPoint(600, 400));
  const CPoint centreBefore = ClientToDiagram(CPoint(400, 300), scroll, 1.0f);
  EXPECT_EQ(ClientToDiagram(CPoint(400, 300), pos, 2.0f), centreBefore);
  // Odd client sizes use the truncated halves; products round half away from zero.
  EXPECT_EQ(ZoomScrollPosition(1.5f, 1.0f, CPoint(0, 0), CSize(301, 3)), CPoint(-50, 0));
  EXPECT_EQ(ZoomScrollPosition(2.0f, 1.5f, CPoint(1, 0), CSize(2, 2)), CPoint(1, 0));
}

}  // namespace
