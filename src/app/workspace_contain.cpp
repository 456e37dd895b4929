#include "app/workspace_contain.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "app/workspace_view.h"

namespace {

const char* const kLabels[CWorkSpaceContain::kTabCount] = {"LOG", "FUN", "I/O", "DAT", "LIB"};

int TabTop(int i) {
  return 5 + 49 * i;
}

}  // namespace

CWorkSpaceContain::CWorkSpaceContain(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  m_pView = new CWorkspaceView(this);
  m_pView->setObjectName("toolview");
  m_pView->setGeometry(30, 0, 70, 500);
}

CWorkSpaceContain::~CWorkSpaceContain() = default;

void CWorkSpaceContain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!m_pView) return;
  const int w = std::max(0, width() - 30);
  const int h = std::max(0, height() - 19);
  m_pView->setGeometry(30, 35, w, h);
}

int CWorkSpaceContain::TabAt(QPoint point) const {
  if (point.x() < 2 || point.x() > 21) return -1;
  for (int i = 0; i < kTabCount; ++i) {
    if (point.y() >= TabTop(i) && point.y() <= TabTop(i) + 44) return i;
  }
  return -1;
}

QImage CWorkSpaceContain::Render() const {
  QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  const QPalette& pal = palette();
  const QColor face = pal.color(QPalette::Button);
  const QColor shadow = pal.color(QPalette::Dark);
  const QColor light = pal.color(QPalette::Midlight);
  const int w = width(), h = height();
  // The tab column, the divider, the header band and the footer band.
  p.fillRect(0, 0, 21, h, face);
  const QRect bands[3] = {QRect(21, 0, 8, h), QRect(29, 0, w - 29, 35), QRect(29, h - 8, w - 29, 8)};
  for (const QRect& band : bands) {
    p.fillRect(band, face);
    p.setPen(QPen(shadow, 2));
    p.drawRect(band.adjusted(1, 1, -1, -1));
  }
  p.setPen(Qt::black);
  p.drawLine(21, 0, 21, h - 1);
  p.drawLine(29, 0, w - 1, 0);
  p.drawLine(29, h - 1, w - 1, h - 1);
  // The tabs, the selected one joined to the content.
  QFont font("Arial");
  font.setPixelSize(12);
  font.setStretch(88);
  for (int i = 0; i < kTabCount; ++i) {
    const int t = TabTop(i);
    QPolygon shape;
    if (i == m_nSelectedTab || i == 0) {
      shape << QPoint(2, t + 15) << QPoint(22, t - 5) << QPoint(22, t + 44) << QPoint(2, t + 44);
    } else {
      shape << QPoint(2, t + 13) << QPoint(15, t) << QPoint(22, t) << QPoint(22, t + 44) << QPoint(2, t + 44);
    }
    p.setPen(Qt::black);
    p.setBrush(light);
    p.drawPolygon(shape);
    if (i == m_nSelectedTab) p.fillRect(22, t - 5, 3, 50, light);
    p.fillRect(4, t + 43, 16, 2, QColor(12, 46, 52));
    p.save();
    p.translate(7, t + 42);
    p.rotate(-90);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(0, 12, kLabels[i]);
    p.restore();
  }
  return image;
}

void CWorkSpaceContain::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Render());
}

void CWorkSpaceContain::PostToggle() {
  if (m_pNotify) QApplication::postEvent(m_pNotify, new QEvent(kContainToggleEvent));
}

void CWorkSpaceContain::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  const int tab = TabAt(event->position().toPoint());
  if (tab < 0) return;
  m_nSelectedTab = tab;
  if (m_pView) {
    if (width() <= 25) PostToggle();
    m_pView->m_nCategory = m_nSelectedTab;
    m_pView->viewport()->update();
  }
  update();
}

void CWorkSpaceContain::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (p.x() >= 2 && p.x() <= 21 && p.y() >= 5 && p.y() <= height() + 5) PostToggle();
  QWidget::mouseDoubleClickEvent(event);
}

void CWorkSpaceContain::mouseMoveEvent(QMouseEvent* event) {
  if (cursor().shape() != Qt::ArrowCursor) setCursor(Qt::ArrowCursor);
  QWidget::mouseMoveEvent(event);
}
