// CFlatButtonModel: the state and drawing decisions of a flat icon button, without any
// window. The Qt button (controls/gui/flat_icon_button.h) keeps one and paints what
// Describe and PlaceImage say.
//
// The six state colours: 0 background while hovered or pressed, 1 text while hovered
// or pressed, 2 background at rest, 3 text at rest, 4 background when focused, 5 text
// when focused. The setters answer 0 for success or an error code, and change nothing
// on an error.
#pragma once

#include <array>

#include "platform/types.h"

enum : int {
  BTNST_OK = 0,
  BTNST_INVALIDRESOURCE = 1,
  BTNST_INVALIDINDEX = 3,
  BTNST_INVALIDALIGN = 4,
  BTNST_BADPARAM = 5,
  BTNST_INVALIDPRESSEDSTYLE = 6,
};

enum : BYTE {
  BTNST_ALIGN_HORIZ = 0,        // icon left of the caption
  BTNST_ALIGN_VERT = 1,         // icon above the caption
  BTNST_ALIGN_HORIZ_RIGHT = 2,  // icon right of the caption
  BTNST_ALIGN_NONE = 3,         // icon at the top-left corner
};

enum : int {
  BTNST_COLOR_BK_IN = 0,
  BTNST_COLOR_FG_IN = 1,
  BTNST_COLOR_BK_OUT = 2,
  BTNST_COLOR_FG_OUT = 3,
  BTNST_COLOR_BK_FOCUS = 4,
  BTNST_COLOR_FG_FOCUS = 5,
  BTNST_MAX_COLORS = 6,
};

// Button styles read when the button is made (the low byte of a push button's style).
enum : UINT {
  BS_PUSHBUTTON = 0x0,
  BS_DEFPUSHBUTTON = 0x1,
  BS_CHECKBOX = 0x2,
  BS_AUTOCHECKBOX = 0x3,
};

// How the border of the button is drawn.
enum class ButtonBorder {
  kNone,
  kRaisedThin,   // highlight top-left, shadow bottom-right (a flat button under the mouse)
  kSunkenThin,   // shadow top-left, highlight bottom-right (a flat button pressed)
  kShadowFrame,  // one shadow frame (a raised button pressed)
  kRaised3d,     // the four-line 3-D border of a raised button at rest
};

// Moves every channel of c by shade, held so that no channel leaves 0..255.
COLORREF ShiftColor(COLORREF c, int shade);

class CFlatButtonModel {
 public:
  // style: the button style it is made with (bit 0x2: check-box mode; BS_DEFPUSHBUTTON:
  // the default button). face and text: the system button face and text colours.
  CFlatButtonModel(UINT style, COLORREF face, COLORREF text);

  int SetFlat(bool flat);
  bool IsFlat() const { return m_flat; }
  int SetIconAlignment(BYTE alignment);
  BYTE GetIconAlignment() const { return m_alignment; }
  // Only in check-box mode.
  int SetCheck(bool checked);
  bool GetCheck() const { return m_checked; }
  // A click: check-box buttons toggle.
  void OnClicked();
  bool IsCheckBox() const { return m_checkBox; }
  bool IsDefault() const { return m_default; }
  void SetDefault(bool is_default) { m_default = is_default; }
  // 0: image and caption move by (1, 1) while pressed; 1: by (0, 2).
  int SetPressedStyle(int style);
  CSize GetPressedOffset() const { return m_pressedOffset; }
  int ShiftStateColor(BYTE index, int shade);
  int SetColor(BYTE index, COLORREF color);
  COLORREF GetColor(BYTE index) const { return index < BTNST_MAX_COLORS ? m_colors[index] : 0; }
  // The six colours back at the system face (backgrounds) and text (texts) colours.
  void SetDefaultColors(COLORREF face, COLORREF text);

  // Whether the button draws pressed: the mouse holds it down, or it is checked.
  bool Pressed(bool down) const { return m_checkBox ? (down || m_checked) : down; }

  struct Look {
    COLORREF background = 0;
    COLORREF text = 0;
    ButtonBorder border = ButtonBorder::kNone;
    bool black_frame = false;  // a raised button with the focus or the default: 1-pixel black frame
    bool focus_rect = false;   // a raised button with the focus: focus rectangle 3 pixels inside
    bool image_moves = false;  // image and caption move by the pressed offset
    bool active_icon = true;   // the active icon (else the rest icon when there is one)
  };
  Look Describe(bool down, bool focused, bool hovering) const;

  // Where the image goes in the item rectangle; narrows caption (which starts as the
  // item rectangle) to leave room for it.
  CRect PlaceImage(const CRect& item, CSize image, bool has_caption, CRect& caption) const;

  static constexpr CSize kImageMargin{3, 3};

 private:
  bool m_flat = true;
  bool m_checkBox = false;
  bool m_default = false;
  bool m_checked = false;
  BYTE m_alignment = BTNST_ALIGN_HORIZ;
  CSize m_pressedOffset{1, 1};
  std::array<COLORREF, BTNST_MAX_COLORS> m_colors{};
};
