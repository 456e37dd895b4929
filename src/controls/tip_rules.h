// The rules of the two tip windows, without any window:
// - the balloon of the popup tip (CPopupTipWnd, controls/gui/popup_tip_wnd.h): its
//   shape, its tail and where it stands so that the tail touches the anchor point;
// - the delayed tooltip (CInfoTipWnd, controls/gui/info_tip_wnd.h): where it stands on
//   the screen, how a text with a pointer is split, and when it shows and hides.
#pragma once

#include <array>
#include <functional>

#include "platform/cstring.h"
#include "platform/types.h"

// ---- Popup tip balloon ----

// The balloon for a text of the given extent (as measured with line feeds starting new
// lines) and an icon (0 x 0 for none). Window coordinates: the body is the rounded
// rectangle (0, 0, w, h) with corner ellipse 12 x 10; the tail is a triangle below it
// whose tip (w - 12, h + 15) is the anchor point.
struct BalloonLayout {
  static constexpr int kPadX = 12;
  static constexpr int kPadY = 10;
  static constexpr int kIconGap = 5;
  static constexpr CSize kCorner{12, 10};

  int w = 0;
  int h = 0;
  int icon_width = 0;

  CRect Body() const { return {0, 0, w, h}; }
  std::array<CPoint, 3> Tail() const {
    return {CPoint(w - 12, h - 10), CPoint(w - 12, h + 15), CPoint(w - 37, h - 10)};
  }
  CSize WindowSize() const { return {w, h + 25}; }
  CPoint TailTip() const { return {w - 12, h + 15}; }
  // The window's top-left corner on the screen for an anchor point.
  CPoint WindowPosFor(CPoint anchor) const { return {anchor.x - w + 12, anchor.y - (h + 25) + 10}; }
  // Where the text starts, right of the icon when there is one.
  CPoint TextOrigin() const { return {kPadX + (icon_width ? icon_width + kIconGap : 0), kPadY}; }
  CPoint IconOrigin() const { return {kPadX, kPadY}; }
};

BalloonLayout MeasureBalloon(CSize text_extent, CSize icon_size);

// ---- Delayed tooltip ----

struct InfoTipMargins {
  static constexpr int kLeft = 2;
  static constexpr int kTop = 2;
  static constexpr int kRight = 3;
  static constexpr int kBottom = 3;
};

// Offset from the cursor to the tip's top-left corner.
constexpr CSize kInfoTipOffset{0, 20};

// The width of a text laid out automatically: its widest line (lines split at '\n'),
// each measured with two spaces appended.
int InfoTipAutoWidth(const CString& text, const std::function<int(const CString&)>& measure);

// The window rectangle of a tip: text_rect (the window size needed for the text) moved
// to position, then kept on the screen: shifted left to end at the screen's right edge,
// right to start at its left edge, and placed above the control (its bottom on the
// control's top) when it would reach below the screen.
CRect CalcInfoTipRect(const CRect& text_rect, CPoint position, const CRect& screen, const CRect& control);

// A tool text with a carriage return carries a pointer: the part after the first '\r'
// is shown with the pointer on the left ("  " + part), the part before it with the
// pointer on the right (part + "  ").
struct InfoTipText {
  CString text;
  bool has_pointer = false;
};
InfoTipText SplitPointerText(const CString& text, bool pointer_on_left);

// The pointer triangle drawn in the two-space gap of the first line: four points (the
// last repeats the first). rect is the client rectangle shrunk by the margins; lead is
// the larger of (internal + external leading) and the descent; avg_width the average
// character width; spaces the extent of two spaces.
std::array<CPoint, 4> InfoTipPointer(const CRect& rect, bool on_left, int lead, int avg_width, CSize spaces);

// When the tip shows and hides. Tools are named by a caller's handle (>= 0; -1 is no
// tool). The window calls the On... functions and carries out the returned step.
class CInfoTipLogic {
 public:
  static constexpr int kShowDelay = 500;      // ms from rest to showing
  static constexpr int kTrackInterval = 500;  // ms between tracking checks
  static constexpr int kHideTime = 5000;      // ms a tip stays while the cursor rests

  struct Step {
    bool hide = false;              // hide the window
    bool start_show_timer = false;  // (re)start the show delay; stops the tracking
    bool show = false;              // show the current tool's tip at the cursor
    bool stop_show_timer = false;
    bool stop_track_timer = false;
    bool start_track_timer = false;
    friend bool operator==(const Step&, const Step&) = default;
  };

  int CurrentTool() const { return m_current; }
  bool IsHidden() const { return m_hidden; }

  // A mouse move over the owner: tool under the cursor (-1 none), cursor in the tip.
  Step OnMouseMove(int tool, bool cursor_in_tip);
  // A left button press in the owner.
  Step OnLeftButtonDown(bool cursor_in_tip);
  // Keys, characters, other buttons and double clicks in the owner.
  Step OnHidingInput();
  // The show delay ran out.
  Step OnShowTimer(bool cursor_in_current_tool);
  // A tracking tick: the tool under the cursor, whether the cursor is in the current
  // tool and whether it is in the tip.
  Step OnTrackTimer(int tool_under_cursor, bool cursor_in_current_tool, bool cursor_in_tip);
  // A tool was removed.
  Step OnToolRemoved(int tool);
  // The window was hidden by Hide.
  void MarkHidden() { m_hidden = true; }

 private:
  Step Hide();

  int m_current = -1;
  bool m_hidden = false;
  int m_shown_time = 0;
};
