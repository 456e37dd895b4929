#include "controls/flat_button_model.h"

#include <algorithm>

COLORREF ShiftColor(COLORREF c, int shade) {
  const int r = GetRValue(c);
  const int g = GetGValue(c);
  const int b = GetBValue(c);
  int d = shade;
  if (shade > 0) {
    d = std::min({shade, 255 - r, 255 - g, 255 - b});
  } else if (shade < 0) {
    d = std::max({shade, -r, -g, -b});
  }
  return RGB(r + d, g + d, b + d);
}

CFlatButtonModel::CFlatButtonModel(UINT style, COLORREF face, COLORREF text) {
  const UINT type = style & 0x1F;
  m_checkBox = (style & 0x2) != 0;
  m_default = type == BS_DEFPUSHBUTTON;
  SetDefaultColors(face, text);
}

int CFlatButtonModel::SetFlat(bool flat) {
  m_flat = flat;
  return BTNST_OK;
}

int CFlatButtonModel::SetIconAlignment(BYTE alignment) {
  if (alignment > BTNST_ALIGN_NONE) return BTNST_INVALIDALIGN;
  m_alignment = alignment;
  return BTNST_OK;
}

int CFlatButtonModel::SetCheck(bool checked) {
  if (m_checkBox) m_checked = checked;
  return BTNST_OK;
}

void CFlatButtonModel::OnClicked() {
  if (m_checkBox) m_checked = !m_checked;
}

int CFlatButtonModel::SetPressedStyle(int style) {
  if (style == 0) {
    m_pressedOffset = {1, 1};
  } else if (style == 1) {
    m_pressedOffset = {0, 2};
  } else {
    return BTNST_INVALIDPRESSEDSTYLE;
  }
  return BTNST_OK;
}

int CFlatButtonModel::ShiftStateColor(BYTE index, int shade) {
  if (index >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
  if (shade < -255 || shade > 255) return BTNST_BADPARAM;
  m_colors[index] = ShiftColor(m_colors[index], shade);
  return BTNST_OK;
}

int CFlatButtonModel::SetColor(BYTE index, COLORREF color) {
  if (index >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
  m_colors[index] = color;
  return BTNST_OK;
}

void CFlatButtonModel::SetDefaultColors(COLORREF face, COLORREF text) {
  for (int i = 0; i < BTNST_MAX_COLORS; i += 2) {
    m_colors[i] = face;
    m_colors[i + 1] = text;
  }
}

CFlatButtonModel::Look CFlatButtonModel::Describe(bool down, bool focused, bool hovering) const {
  const bool pressed = Pressed(down);
  Look look;
  look.black_frame = !m_flat && (focused || m_default);
  if (hovering || pressed) {
    look.background = m_colors[BTNST_COLOR_BK_IN];
    look.text = m_colors[BTNST_COLOR_FG_IN];
  } else if (focused) {
    look.background = m_colors[BTNST_COLOR_BK_FOCUS];
    look.text = m_colors[BTNST_COLOR_FG_FOCUS];
  } else {
    look.background = m_colors[BTNST_COLOR_BK_OUT];
    look.text = m_colors[BTNST_COLOR_FG_OUT];
  }
  if (pressed) {
    look.border = m_flat ? ButtonBorder::kSunkenThin : ButtonBorder::kShadowFrame;
  } else if (m_flat) {
    look.border = hovering ? ButtonBorder::kRaisedThin : ButtonBorder::kNone;
  } else {
    look.border = ButtonBorder::kRaised3d;
  }
  look.focus_rect = !m_flat && focused;
  look.image_moves = pressed && !m_checkBox;
  look.active_icon = pressed || (hovering && !m_checkBox);
  return look;
}

CRect CFlatButtonModel::PlaceImage(const CRect& item, CSize image, bool has_caption, CRect& caption) const {
  CRect r = item;
  const int w = image.cx;
  const int h = image.cy;
  auto centreX = [&] { r.left = item.left + (item.Width() - w) / 2; };
  auto centreY = [&] { r.top = item.top + (item.Height() - h) / 2; };
  switch (m_alignment) {
    case BTNST_ALIGN_HORIZ:
      if (!has_caption) {
        centreX();
      } else {
        r.left = item.left + kImageMargin.cx;
        caption.left += w + kImageMargin.cx;
      }
      centreY();
      break;
    case BTNST_ALIGN_VERT:
      centreX();
      if (has_caption) {
        r.top = kImageMargin.cy;
        caption.top += h;
      } else {
        centreY();
      }
      break;
    case BTNST_ALIGN_HORIZ_RIGHT:
      if (!has_caption) {
        centreX();
      } else {
        caption = CRect(kImageMargin.cx, caption.top, caption.right - (caption.left + kImageMargin.cx + w),
                        caption.bottom);
        r.left = item.Width() - kImageMargin.cx - w;
        centreY();
      }
      break;
    default:
      break;
  }
  r.right = r.left + w;
  r.bottom = r.top + h;
  return r;
}
