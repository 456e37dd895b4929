// The state colours, setters and drawing decisions of the flat icon button.
#include "controls/flat_button_model.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kFace = RGB(240, 240, 240);
constexpr COLORREF kText = RGB(0, 0, 0);

TEST(FlatButtonModel, ShiftStateColorKeepsChannelsInRange) {
  struct Case {
    COLORREF colour;
    int shade;
    COLORREF shifted;
  } cases[] = {
      {RGB(240, 200, 100), 30, RGB(255, 215, 115)},  // brightest channel 240: every channel by 15
      {RGB(10, 50, 100), -30, RGB(0, 40, 90)},
      {RGB(10, 50, 100), 0, RGB(10, 50, 100)},
      {RGB(0, 0, 0), 255, RGB(255, 255, 255)},
  };
  for (const Case& c : cases) EXPECT_EQ(ShiftColor(c.colour, c.shade), c.shifted) << c.shade;

  CFlatButtonModel b(BS_PUSHBUTTON, kFace, kText);
  EXPECT_EQ(b.ShiftStateColor(6, 10), BTNST_INVALIDINDEX);
  EXPECT_EQ(b.ShiftStateColor(0, 256), BTNST_BADPARAM);
  EXPECT_EQ(b.ShiftStateColor(0, 30), BTNST_OK);
  EXPECT_EQ(b.GetColor(BTNST_COLOR_BK_IN), RGB(255, 255, 255));
  EXPECT_EQ(b.GetColor(BTNST_COLOR_BK_OUT), kFace);
  b.SetDefaultColors(kFace, kText);  // a system colour change loses the shift
  EXPECT_EQ(b.GetColor(BTNST_COLOR_BK_IN), kFace);
  EXPECT_EQ(b.GetColor(BTNST_COLOR_FG_FOCUS), kText);
}

TEST(FlatButtonModel, SettersAnswerWithCodes) {
  CFlatButtonModel b(BS_PUSHBUTTON, kFace, kText);
  EXPECT_EQ(b.SetIconAlignment(BTNST_ALIGN_VERT), BTNST_OK);
  EXPECT_EQ(b.SetIconAlignment(4), BTNST_INVALIDALIGN);
  EXPECT_EQ(b.GetIconAlignment(), BTNST_ALIGN_VERT);
  EXPECT_EQ(b.SetPressedStyle(1), BTNST_OK);
  EXPECT_EQ(b.GetPressedOffset(), CSize(0, 2));
  EXPECT_EQ(b.SetPressedStyle(2), BTNST_INVALIDPRESSEDSTYLE);
  EXPECT_EQ(b.GetPressedOffset(), CSize(0, 2));
  // A push button has no check state.
  b.SetCheck(true);
  b.OnClicked();
  EXPECT_FALSE(b.GetCheck());
  CFlatButtonModel check(BS_AUTOCHECKBOX, kFace, kText);
  EXPECT_TRUE(check.IsCheckBox());
  check.OnClicked();
  EXPECT_TRUE(check.GetCheck());
  EXPECT_TRUE(check.Pressed(false));  // draws pressed while checked
  check.OnClicked();
  EXPECT_FALSE(check.GetCheck());
  EXPECT_TRUE(CFlatButtonModel(BS_DEFPUSHBUTTON, kFace, kText).IsDefault());
}

TEST(FlatButtonModel, LookByState) {
  CFlatButtonModel flat(BS_PUSHBUTTON, kFace, kText);
  flat.SetColor(BTNST_COLOR_BK_IN, RGB(1, 1, 1));
  flat.SetColor(BTNST_COLOR_BK_FOCUS, RGB(2, 2, 2));
  EXPECT_EQ(flat.Describe(false, false, false).border, ButtonBorder::kNone);
  EXPECT_EQ(flat.Describe(false, false, true).border, ButtonBorder::kRaisedThin);
  EXPECT_EQ(flat.Describe(false, false, true).background, RGB(1, 1, 1));
  EXPECT_EQ(flat.Describe(true, false, true).border, ButtonBorder::kSunkenThin);
  EXPECT_TRUE(flat.Describe(true, false, true).image_moves);
  EXPECT_EQ(flat.Describe(false, true, false).background, RGB(2, 2, 2));
  EXPECT_FALSE(flat.Describe(false, true, false).focus_rect);
  EXPECT_FALSE(flat.Describe(false, false, false).active_icon);
  EXPECT_TRUE(flat.Describe(false, false, true).active_icon);

  CFlatButtonModel raised(BS_DEFPUSHBUTTON, kFace, kText);
  raised.SetFlat(false);
  const auto rest = raised.Describe(false, false, false);
  EXPECT_EQ(rest.border, ButtonBorder::kRaised3d);
  EXPECT_TRUE(rest.black_frame);  // the default button
  EXPECT_EQ(raised.Describe(true, true, false).border, ButtonBorder::kShadowFrame);
  EXPECT_TRUE(raised.Describe(false, true, false).focus_rect);

  CFlatButtonModel check(BS_CHECKBOX, kFace, kText);
  check.SetCheck(true);
  const auto checked = check.Describe(false, false, false);
  EXPECT_EQ(checked.border, ButtonBorder::kSunkenThin);
  EXPECT_FALSE(checked.image_moves);  // check-box buttons do not move their image
  EXPECT_FALSE(check.Describe(false, false, true).image_moves);
}

TEST(FlatButtonModel, ImagePlacement) {
  const CRect item(0, 0, 100, 40);
  struct Case {
    BYTE alignment;
    bool caption;
    CRect image;
    CRect caption_rect;
  } cases[] = {
      {BTNST_ALIGN_HORIZ, false, {42, 12, 58, 28}, {0, 0, 100, 40}},
      {BTNST_ALIGN_HORIZ, true, {3, 12, 19, 28}, {19, 0, 100, 40}},
      {BTNST_ALIGN_VERT, true, {42, 3, 58, 19}, {0, 16, 100, 40}},
      {BTNST_ALIGN_VERT, false, {42, 12, 58, 28}, {0, 0, 100, 40}},
      {BTNST_ALIGN_HORIZ_RIGHT, true, {81, 12, 97, 28}, {3, 0, 81, 40}},
      {BTNST_ALIGN_HORIZ_RIGHT, false, {42, 0, 58, 16}, {0, 0, 100, 40}},
      {BTNST_ALIGN_NONE, true, {0, 0, 16, 16}, {0, 0, 100, 40}},
  };
  for (const Case& c : cases) {
    CFlatButtonModel b(BS_PUSHBUTTON, kFace, kText);
    b.SetIconAlignment(c.alignment);
    CRect caption = item;
    EXPECT_EQ(b.PlaceImage(item, CSize(16, 16), c.caption, caption), c.image)
        << int(c.alignment) << c.caption;
    EXPECT_EQ(caption, c.caption_rect) << int(c.alignment) << c.caption;
  }
}

}  // namespace
