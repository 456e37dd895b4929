// Small painting helpers shared by the controls: rectangle and colour conversions
// between the platform types and Qt's, and the 1-pixel 3-D outline.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

#include "platform/types.h"

inline QRect ToQRect(const CRect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}

inline CRect ToCRect(const QRect& r) {
  return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

inline COLORREF ToColorRef(const QColor& c) {
  return RGB(c.red(), c.green(), c.blue());
}

// A 1-pixel outline of r: top and left in top_left, bottom and right in bottom_right
// (raised with a light top_left, sunken with a dark one).
inline void Draw3dRect(QPainter& p, const QRect& r, const QColor& top_left, const QColor& bottom_right) {
  const int x0 = r.left(), y0 = r.top(), x1 = r.right(), y1 = r.bottom();
  p.setPen(top_left);
  p.drawLine(x0, y0, x1 - 1, y0);
  p.drawLine(x0, y0, x0, y1 - 1);
  p.setPen(bottom_right);
  p.drawLine(x1, y0, x1, y1);
  p.drawLine(x0, y1, x1, y1);
}
