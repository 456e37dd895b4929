#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Drawn on a 64 x 64 grid, scaled to the pixmap.
QPixmap Paint(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  // The controller's case.
  p.setPen(QPen(QColor(60, 64, 72), 2));
  p.setBrush(QColor(214, 218, 222));
  p.drawRoundedRect(QRectF(4, 10, 44, 44), 5, 5);
  // Its display.
  p.setPen(QPen(QColor(30, 60, 40), 1.5));
  p.setBrush(QColor(70, 150, 95));
  p.drawRect(QRectF(10, 18, 32, 14));
  p.setPen(QPen(QColor(210, 240, 215), 2));
  p.drawLine(QPointF(14, 25), QPointF(30, 25));
  // The terminals along the bottom.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 64, 72));
  for (int i = 0; i < 5; ++i) p.drawRect(QRectF(9 + i * 7.5, 40, 4, 8));
  // A function block with an input and an output wire.
  p.setPen(QPen(QColor(40, 90, 185), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(44, 22), QPointF(50, 22));
  p.drawLine(QPointF(60, 34), QPointF(62, 34));
  p.setPen(QPen(QColor(25, 55, 125), 2));
  p.setBrush(QColor(255, 214, 110));
  p.drawRect(QRectF(46, 14, 14, 26));
  p.setPen(QPen(QColor(25, 55, 125), 2.5));
  p.drawLine(QPointF(50, 24), QPointF(56, 24));
  p.drawLine(QPointF(50, 30), QPointF(56, 30));
  return pixmap;
}

}  // namespace

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(Paint(size));
  return icon;
}
