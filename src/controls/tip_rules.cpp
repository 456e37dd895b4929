#include "controls/tip_rules.h"

#include <algorithm>

BalloonLayout MeasureBalloon(CSize text_extent, CSize icon_size) {
  CRect r(0, 0, text_extent.cx, text_extent.cy);
  r.InflateRect(BalloonLayout::kPadX, BalloonLayout::kPadY);
  BalloonLayout layout;
  if (icon_size.cx > 0 || icon_size.cy > 0) {
    r.right += icon_size.cx + BalloonLayout::kIconGap;
    layout.icon_width = icon_size.cx;
  }
  if (r.Height() < icon_size.cy) r.bottom = r.top + icon_size.cy;
  layout.w = r.Width();
  layout.h = r.Height();
  return layout;
}

int InfoTipAutoWidth(const CString& text, const std::function<int(const CString&)>& measure) {
  int widest = 0;
  int pos = 0;
  while (pos <= text.GetLength()) {
    int next = text.Find(u'\n', pos);
    if (next < 0) next = text.GetLength();
    widest = std::max(widest, measure(text.Mid(pos, next - pos) + u"  "));
    pos = next + 1;
  }
  return widest;
}

CRect CalcInfoTipRect(const CRect& text_rect, CPoint position, const CRect& screen, const CRect& control) {
  CRect r = text_rect;
  r.OffsetRect(position.x - r.left, position.y - r.top);
  if (r.right > screen.right) r.OffsetRect(screen.right - r.right, 0);
  if (r.left < screen.left) r.OffsetRect(screen.left - r.left, 0);
  if (r.bottom > screen.bottom) r.OffsetRect(0, control.top - r.bottom);
  return r;
}

InfoTipText SplitPointerText(const CString& text, bool pointer_on_left) {
  const int cr = text.Find(u'\r');
  if (cr < 0) return {text, false};
  return {pointer_on_left ? u"  " + text.Mid(cr + 1) : text.Left(cr) + u"  ", true};
}

std::array<CPoint, 4> InfoTipPointer(const CRect& rect, bool on_left, int lead, int avg_width, CSize spaces) {
  const int sy = spaces.cy & ~1;
  const int x = on_left ? rect.left + spaces.cx - avg_width / 2 : rect.right - spaces.cx + avg_width / 2;
  const CPoint tip(on_left ? rect.left : rect.right, rect.top + sy / 2);
  const CPoint top(x, rect.top + lead);
  return {top, CPoint(x, rect.top + sy - lead), tip, top};
}

CInfoTipLogic::Step CInfoTipLogic::Hide() {
  m_hidden = true;
  Step step;
  step.hide = true;
  return step;
}

CInfoTipLogic::Step CInfoTipLogic::OnMouseMove(int tool, bool cursor_in_tip) {
  if (tool < 0) {
    if (m_hidden) m_current = -1;
    return {};
  }
  if (m_current >= 0 && (tool == m_current || cursor_in_tip)) return {};
  Step step;
  step.stop_show_timer = step.stop_track_timer = true;
  step.hide = true;
  step.start_show_timer = true;
  m_hidden = false;
  m_current = tool;
  return step;
}

CInfoTipLogic::Step CInfoTipLogic::OnLeftButtonDown(bool cursor_in_tip) {
  return cursor_in_tip ? Step{} : Hide();
}

CInfoTipLogic::Step CInfoTipLogic::OnHidingInput() {
  return Hide();
}

CInfoTipLogic::Step CInfoTipLogic::OnShowTimer(bool cursor_in_current_tool) {
  Step step;
  step.stop_show_timer = true;
  if (m_current < 0 || m_hidden) {
    step.hide = true;
    m_hidden = true;
    return step;
  }
  if (!cursor_in_current_tool) return step;
  step.show = true;
  step.start_track_timer = true;
  m_shown_time = 0;
  return step;
}

CInfoTipLogic::Step CInfoTipLogic::OnTrackTimer(int tool_under_cursor, bool cursor_in_current_tool,
                                                bool cursor_in_tip) {
  Step step;
  if (m_current < 0 || m_hidden) {
    step = Hide();
    step.stop_track_timer = true;
    return step;
  }
  m_shown_time += kTrackInterval;
  const bool other_tool = tool_under_cursor >= 0 && tool_under_cursor != m_current;
  if (!other_tool && ((cursor_in_current_tool && m_shown_time < kHideTime) || cursor_in_tip)) return step;
  step = Hide();
  step.stop_track_timer = true;
  return step;
}

CInfoTipLogic::Step CInfoTipLogic::OnToolRemoved(int tool) {
  if (tool < 0 || tool != m_current) return {};
  Step step = Hide();
  step.stop_show_timer = step.stop_track_timer = true;
  m_current = -1;
  return step;
}
