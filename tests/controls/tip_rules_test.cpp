// The balloon shape, the tooltip placement and the show and hide rules of the tips.
#include "controls/tip_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(PopupTipBalloon, TailTouchesTheAnchor) {
  const BalloonLayout b = MeasureBalloon(CSize(100, 14), CSize());
  EXPECT_EQ(b.w, 124);
  EXPECT_EQ(b.h, 34);
  EXPECT_EQ(b.WindowSize(), CSize(124, 59));
  const CPoint anchor(500, 400);
  const CPoint pos = b.WindowPosFor(anchor);
  EXPECT_EQ(pos + CSize(b.TailTip().x, b.TailTip().y), anchor);
  EXPECT_EQ(b.TextOrigin(), CPoint(12, 10));
  const auto tail = b.Tail();
  EXPECT_EQ(tail[0], CPoint(112, 24));
  EXPECT_EQ(tail[2], CPoint(87, 24));
}

TEST(PopupTipBalloon, IconWidensAndHeightensTheBody) {
  // An icon drawn 32 x 32: the text starts 12 + 32 + 5 from the left edge.
  const BalloonLayout b = MeasureBalloon(CSize(100, 14), CSize(32, 32));
  EXPECT_EQ(b.w, 100 + 24 + 37);
  EXPECT_EQ(b.h, 34);
  EXPECT_EQ(b.TextOrigin(), CPoint(49, 10));
  // An icon taller than the padded text makes the balloon as tall as the icon.
  EXPECT_EQ(MeasureBalloon(CSize(40, 5), CSize(16, 48)).h, 48);
  // Several lines: the measured extent carries them.
  EXPECT_EQ(MeasureBalloon(CSize(40, 3 * 14), CSize()).h, 62);
}

TEST(InfoTipPlacement, StaysOnTheScreen) {
  const CRect screen(0, 0, 1600, 1000);
  const CRect control(100, 900, 200, 980);
  struct Case {
    CPoint pos;
    CRect expected;
  } cases[] = {
      {{300, 200}, {300, 200, 400, 220}},
      {{1550, 200}, {1500, 200, 1600, 220}},  // shifted left to end at the right edge
      {{-30, 200}, {0, 200, 100, 220}},
      {{300, 990}, {300, 880, 400, 900}},  // above the control
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CalcInfoTipRect(CRect(0, 0, 100, 20), c.pos, screen, control), c.expected)
        << c.pos.x << "," << c.pos.y;
  }
}

TEST(InfoTipText, PointerSplitsAtTheCarriageReturn) {
  EXPECT_EQ(SplitPointerText(u"plain", false).text, CString(u"plain"));
  EXPECT_FALSE(SplitPointerText(u"plain", false).has_pointer);
  const InfoTipText right = SplitPointerText(u"first\rsecond", false);
  EXPECT_TRUE(right.has_pointer);
  EXPECT_EQ(right.text, CString(u"first  "));
  EXPECT_EQ(SplitPointerText(u"first\rsecond", true).text, CString(u"  second"));
  // The automatic width: the widest line with two spaces.
  auto measure = [](const CString& s) { return s.GetLength() * 7; };
  EXPECT_EQ(InfoTipAutoWidth(u"ab\nabcd\nx", measure), 6 * 7);
  const auto pointer = InfoTipPointer(CRect(2, 2, 100, 30), true, 2, 6, CSize(8, 15));
  EXPECT_EQ(pointer[0], CPoint(7, 4));
  EXPECT_EQ(pointer[1], CPoint(7, 14));
  EXPECT_EQ(pointer[2], CPoint(2, 9));
  EXPECT_EQ(pointer[3], pointer[0]);
}

using Step = CInfoTipLogic::Step;

Step Rearm() {
  Step s;
  s.hide = s.start_show_timer = s.stop_show_timer = s.stop_track_timer = true;
  return s;
}

Step Shown() {
  Step s;
  s.stop_show_timer = s.show = s.start_track_timer = true;
  return s;
}

Step Hidden() {
  Step s;
  s.hide = s.stop_track_timer = true;
  return s;
}

TEST(InfoTipLogic, ShowsAfterRestAndHidesAfterFiveSeconds) {
  CInfoTipLogic tip;
  EXPECT_EQ(tip.OnMouseMove(1, false), Rearm());
  EXPECT_EQ(tip.OnMouseMove(1, false), Step{});  // moving within the tool keeps it
  EXPECT_EQ(tip.OnShowTimer(true), Shown());
  for (int t = 500; t < 5000; t += 500) EXPECT_EQ(tip.OnTrackTimer(1, true, false), Step{}) << t;
  EXPECT_EQ(tip.OnTrackTimer(1, true, false), Hidden());
  EXPECT_TRUE(tip.IsHidden());
  // It does not return while the cursor stays on the control ...
  EXPECT_EQ(tip.OnMouseMove(1, false), Step{});
  // ... but after the cursor has been over no tool.
  EXPECT_EQ(tip.OnMouseMove(-1, false), Step{});
  EXPECT_EQ(tip.CurrentTool(), -1);
  EXPECT_EQ(tip.OnMouseMove(1, false), Rearm());
}

TEST(InfoTipLogic, HideRules) {
  CInfoTipLogic tip;
  tip.OnMouseMove(1, false);
  tip.OnShowTimer(true);
  // Another tool: hidden at once, the other one armed.
  EXPECT_EQ(tip.OnMouseMove(2, false), Rearm());
  EXPECT_EQ(tip.CurrentTool(), 2);
  // Leaving before the tip appeared: the return is no change.
  EXPECT_EQ(tip.OnMouseMove(-1, false), Step{});
  Step noShow;
  noShow.stop_show_timer = true;
  EXPECT_EQ(tip.OnShowTimer(false), noShow);
  EXPECT_EQ(tip.OnMouseMove(2, false), Step{});
  // Keys and clicks hide, a click on the tip does not.
  tip.OnMouseMove(1, false);
  tip.OnShowTimer(true);
  EXPECT_EQ(tip.OnLeftButtonDown(true), Step{});
  EXPECT_TRUE(tip.OnLeftButtonDown(false).hide);
  EXPECT_TRUE(tip.IsHidden());
  // The cursor in the tip keeps it past the hide time; over another tool hides it.
  CInfoTipLogic kept;
  kept.OnMouseMove(1, false);
  kept.OnShowTimer(true);
  for (int t = 0; t < 12; ++t) EXPECT_EQ(kept.OnTrackTimer(-1, false, true), Step{});
  EXPECT_EQ(kept.OnTrackTimer(2, false, true), Hidden());
  // Removing the current tool hides its tip.
  CInfoTipLogic removed;
  removed.OnMouseMove(3, false);
  EXPECT_EQ(removed.OnToolRemoved(4), Step{});
  EXPECT_TRUE(removed.OnToolRemoved(3).hide);
  EXPECT_EQ(removed.CurrentTool(), -1);
}

}  // namespace
