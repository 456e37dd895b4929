#include "model/wire_routing.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <utility>
#include <vector>

#include "model/connect_line_obj.h"

namespace {

using Path = std::vector<CPoint>;

std::unique_ptr<CConnectLineObj> MakeWire(const Path& pts, int startPin = 10, int endPin = 0) {
  auto w = std::make_unique<CConnectLineObj>();
  w->m_points = pts;
  w->m_ptStart = pts.front();
  w->m_ptEnd = pts.back();
  w->m_nStartPin = startPin;
  w->m_nEndPin = endPin;
  return w;
}

struct RouteCase {
  const char* name;
  Path before;
  CPoint to;
  bool atStart;
  int legMode;
  Path after;
};

TEST(WireRouting, RouteConnectionMovesAnEndAndItsNeighbour) {
  const RouteCase cases[] = {
      {"straight wire, start moved",
       {{0, 0}, {100, 0}},
       {0, 20},
       true,
       kLegNone,
       {{0, 20}, {50, 20}, {50, 0}, {100, 0}}},
      {"straight wire, end moved",
       {{0, 0}, {100, 0}},
       {100, 20},
       false,
       kLegNone,
       {{0, 0}, {50, 0}, {50, 20}, {100, 20}}},
      {"vertical wire, start moved",
       {{0, 0}, {0, 100}},
       {30, 0},
       true,
       kLegNone,
       {{30, 0}, {30, 50}, {0, 50}, {0, 100}}},
      {"odd midpoint truncates toward zero",
       {{-5, 0}, {0, 0}},
       {-5, 7},
       true,
       kLegNone,
       {{-5, 7}, {-2, 7}, {-2, 0}, {0, 0}}},
      {"horizontal first leg follows in y",
       {{0, 0}, {40, 0}, {40, 50}, {100, 50}},
       {0, 10},
       true,
       kLegNone,
       {{0, 10}, {40, 10}, {40, 50}, {100, 50}}},
      {"vertical last leg follows in x",
       {{0, 0}, {40, 0}, {40, 50}},
       {45, 60},
       false,
       kLegNone,
       {{0, 0}, {45, 0}, {45, 60}}},
      {"output leg already leaves to the right",
       {{0, 0}, {50, 0}, {50, 40}, {100, 40}},
       {10, 0},
       true,
       kLegOutput,
       {{10, 0}, {50, 0}, {50, 40}, {100, 40}}},
      // The detour of a close wire turns back up over the neighbour: that fold
      // makes the wire take a fresh route (output at the start, input pin 0).
      {"output detour folds and is rebuilt",
       {{100, 0}, {50, 0}, {50, 40}, {0, 40}},
       {100, 0},
       true,
       kLegOutput,
       {{100, 0}, {110, 0}, {110, -30}, {-10, -30}, {-10, 40}, {0, 40}}},
      {"input detour folds and is rebuilt",
       {{0, 0}, {60, 0}, {60, 200}, {20, 200}},
       {20, 200},
       false,
       kLegInput,
       {{0, 0}, {10, 0}, {10, 100}, {8, 100}, {8, 200}, {20, 200}}},
  };
  for (const RouteCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto w = MakeWire(c.before);
    RouteConnection(w.get(), c.to.x, c.to.y, c.atStart, c.legMode);
    EXPECT_EQ(w->m_points, c.after);
    EXPECT_EQ(c.atStart ? w->m_ptStart : w->m_ptEnd, c.to);
  }
}

TEST(WireRouting, RouteConnectionToleratesDegenerateInput) {
  RouteConnection(nullptr, 1, 2, TRUE, kLegOutput);
  auto w = MakeWire({{0, 0}, {100, 0}});
  w->m_points.clear();  // no points at all: takes its end points first
  RouteConnection(w.get(), 0, 20, TRUE, kLegNone);
  EXPECT_EQ(w->m_points, (Path{{0, 20}, {50, 20}, {50, 0}, {100, 0}}));

  auto far = MakeWire({{INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}});
  RouteConnection(far.get(), INT_MAX, INT_MIN, TRUE, kLegOutput);  // no overflow (UBSan)
  EXPECT_GE(far->m_points.size(), 2u);
}

struct AdjustCase {
  const char* name;
  Path before;
  bool atStart;
  int legMode;
  Path after;
};

TEST(WireRouting, AdjustConnectionEndDetours) {
  const AdjustCase cases[] = {
      // Ends closer than 80 in y: the detour runs 50 below the lower of the two.
      {"output leaving left",
       {{100, 0}, {50, 0}, {50, 40}, {0, 40}},
       true,
       kLegOutput,
       {{100, 0}, {110, 0}, {110, 90}, {50, 90}, {50, 40}, {0, 40}}},
      // Ends 80 or more apart in y: the detour turns half way.
      {"input entered from the right",
       {{0, 0}, {60, 0}, {60, 200}, {20, 200}},
       false,
       kLegInput,
       {{0, 0}, {60, 0}, {60, 100}, {10, 100}, {10, 200}, {20, 200}}},
      {"output within 5 units of its neighbour",
       {{46, 0}, {50, 0}, {50, 40}},
       true,
       kLegOutput,
       {{46, 0}, {56, 0}, {56, 90}, {50, 90}, {50, 40}}},
      {"output already leaving right",
       {{44, 0}, {50, 0}, {50, 40}},
       true,
       kLegOutput,
       {{44, 0}, {50, 0}, {50, 40}}},
      {"input already entered from the left",
       {{0, 0}, {60, 0}, {60, 40}, {80, 40}},
       false,
       kLegInput,
       {{0, 0}, {60, 0}, {60, 40}, {80, 40}}},
      {"no leg mode", {{100, 0}, {50, 0}, {50, 40}}, true, kLegNone, {{100, 0}, {50, 0}, {50, 40}}},
      {"two points: the neighbour is the other end",
       {{100, 0}, {0, 0}},
       true,
       kLegOutput,
       {{100, 0}, {0, 0}}},
  };
  for (const AdjustCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto w = MakeWire(c.before);
    AdjustConnectionEnd(w.get(), c.atStart, c.legMode);
    EXPECT_EQ(w->m_points, c.after);
  }
}

struct SimplifyCase {
  const char* name;
  Path before;
  Path after;
};

TEST(WireRouting, SimplifyMergesRunsAndCutsLongPaths) {
  const SimplifyCase cases[] = {
      {"straight run", {{0, 0}, {10, 0}, {20, 0}, {20, 5}}, {{0, 0}, {20, 0}, {20, 5}}},
      {"repeated run re-examined", {{0, 0}, {5, 0}, {10, 0}, {20, 0}, {20, 5}}, {{0, 0}, {20, 0}, {20, 5}}},
      {"vertical run", {{0, 0}, {0, 5}, {0, 9}, {7, 9}}, {{0, 0}, {0, 9}, {7, 9}}},
      {"duplicate point", {{0, 0}, {30, 0}, {30, 0}, {30, 40}}, {{0, 0}, {30, 0}, {30, 40}}},
      // Eight points, no straight run: the first three, (x of the third-last, y
      // of the third), the last two; the cut path does not fold.
      {"long path",
       {{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}, {30, 20}, {30, 30}, {40, 30}},
       {{0, 0}, {10, 0}, {10, 10}, {30, 10}, {30, 30}, {40, 30}}},
  };
  for (const SimplifyCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto w = MakeWire(c.before);
    SimplifyConnectionPath(w.get());
    EXPECT_EQ(w->m_points, c.after);
  }
  SimplifyConnectionPath(nullptr);
}

TEST(WireRouting, SimplifyRebuildsAFoldedPath) {
  // Output at (0, 0) to input pin 0 at (100, 50); the path makes a U-turn.
  auto w = MakeWire({{0, 0}, {40, 0}, {40, 80}, {70, 80}, {70, 0}, {80, 0}, {100, 50}});
  SimplifyConnectionPath(w.get());
  EXPECT_EQ(w->m_points, (Path{{0, 0}, {50, 0}, {50, 50}, {100, 50}}));
}

struct FoldCase {
  const char* name;
  Path window;
  CPoint last, first;
  BOOL folded;
};

TEST(WireRouting, IsPathFolded) {
  const CPoint far(999, 999);
  const FoldCase cases[] = {
      {"U-turn, bottoms level", {{0, 0}, {0, 10}, {20, 10}, {20, 0}}, far, far, TRUE},
      {"U-turn, tops level", {{0, 10}, {0, 0}, {20, 0}, {20, 10}}, far, far, TRUE},
      {"staircase", {{0, 0}, {10, 0}, {10, 10}, {20, 10}}, far, far, FALSE},
      {"two verticals at different heights", {{0, 0}, {0, 10}, {20, 20}, {20, 30}}, far, far, FALSE},
      // Left pair vertical, right pair not; tops and bottoms level: the narrower
      // side is a fold unless it holds one of the path's end points.
      {"narrow step", {{0, 0}, {0, 10}, {30, 10}, {5, 0}}, far, far, TRUE},
      {"narrow step ending the path", {{0, 0}, {0, 10}, {30, 10}, {5, 0}}, {5, 0}, far, FALSE},
      {"narrow step starting the path", {{0, 0}, {0, 10}, {30, 10}, {5, 0}}, far, {0, 0}, FALSE},
      {"one vertical pair, levels differ", {{0, 0}, {0, 10}, {30, 12}, {5, 0}}, far, far, FALSE},
  };
  for (const FoldCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsPathFolded(c.window.data(), c.last, c.first), c.folded);
  }
}

struct RebuildCase {
  const char* name;
  CPoint start, end;
  int startPin, endPin;
  Path route;
};

TEST(WireRouting, RebuildConnectionPathCases) {
  const RebuildCase cases[] = {
      {"forward, output first", {0, 0}, {100, 40}, 10, 2, {{0, 0}, {50, 0}, {50, 40}, {100, 40}}},
      {"forward, input first", {100, 40}, {0, 0}, 2, 10, {{100, 40}, {50, 40}, {50, 0}, {0, 0}}},
      // dx < 30: out 10, half way down, to 5 units per pin index before the input.
      {"close, output first, below",
       {0, 0},
       {20, 40},
       10,
       1,
       {{0, 0}, {10, 0}, {10, 20}, {3, 20}, {3, 40}, {20, 40}}},
      {"close, output first, above",
       {0, 40},
       {20, 0},
       10,
       1,
       {{0, 40}, {10, 40}, {10, 15}, {3, 15}, {3, 0}, {20, 0}}},
      {"close, input first, below",
       {20, 40},
       {0, 0},
       1,
       10,
       {{20, 40}, {3, 40}, {3, 20}, {12, 20}, {12, 0}, {0, 0}}},
      {"close, input first, above",
       {20, 0},
       {0, 40},
       1,
       10,
       {{20, 0}, {3, 0}, {3, 25}, {12, 25}, {12, 40}, {0, 40}}},
      {"backward, far apart",
       {100, 0},
       {0, 100},
       10,
       0,
       {{100, 0}, {110, 0}, {110, 50}, {-10, 50}, {-10, 100}, {0, 100}}},
      {"backward, far apart, input first",
       {0, 100},
       {100, 0},
       0,
       10,
       {{0, 100}, {-10, 100}, {-10, 50}, {110, 50}, {110, 0}, {100, 0}}},
      {"backward, close, below",
       {100, 0},
       {0, 20},
       10,
       2,
       {{100, 0}, {110, 0}, {110, -30}, {-20, -30}, {-20, 20}, {0, 20}}},
      {"backward, close, above",
       {100, 20},
       {0, 0},
       10,
       2,
       {{100, 20}, {110, 20}, {110, -40}, {-20, -40}, {-20, 0}, {0, 0}}},
      {"backward, close, input first",
       {0, 0},
       {100, 20},
       2,
       10,
       {{0, 0}, {-20, 0}, {-20, -40}, {110, -40}, {110, 20}, {100, 20}}},
  };
  for (const RebuildCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto w = MakeWire({c.start, c.end}, c.startPin, c.endPin);
    RebuildConnectionPath(w.get());
    EXPECT_EQ(w->m_points, c.route);
  }
}

TEST(WireRouting, RebuildLeavesWiresBetweenLikePins) {
  for (auto [s, e] : {std::pair{10, 11}, std::pair{0, 3}, std::pair{20, 0}, std::pair{-1, 10}}) {
    auto w = MakeWire({{0, 0}, {7, 7}}, s, e);
    RebuildConnectionPath(w.get());
    EXPECT_EQ(w->m_points, (Path{{0, 0}, {7, 7}}));
  }
}

}  // namespace
