#include "controls/gui/picture_view.h"

#include <QPainter>
#include <algorithm>

#include "blocks/pictograms.h"
#include "platform/gui/qt_dc.h"

QPixmap RenderPicture(int id, const QSize& size, qreal devicePixelRatio, int state) {
  const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  QPixmap pixmap(std::max(1, qRound(size.width() * ratio)), std::max(1, qRound(size.height() * ratio)));
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    CQtDC dc(&painter);
    DrawPicture(&dc, CRect(0, 0, size.width(), size.height()), id, state);
  }
  return pixmap;
}

CPictureView::CPictureView(int picture, QWidget* parent) : QWidget(parent), m_picture(picture) {}

void CPictureView::SetState(int state) {
  if (state == m_state) return;
  m_state = state;
  update();
}

QRect CPictureView::PictureRect() const {
  const CSize design = PictureDesignSize(m_picture);
  if (design.cx <= 0 || design.cy <= 0) return QRect();
  // The largest rectangle of the design's proportions, centred.
  const double scale =
      std::min(static_cast<double>(width()) / design.cx, static_cast<double>(height()) / design.cy);
  const int w = static_cast<int>(design.cx * scale);
  const int h = static_cast<int>(design.cy * scale);
  return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

void CPictureView::paintEvent(QPaintEvent*) {
  const QRect r = PictureRect();
  if (r.isEmpty()) return;
  QPainter painter(this);
  CQtDC dc(&painter);
  DrawPicture(&dc, CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()), m_picture, m_state);
}
