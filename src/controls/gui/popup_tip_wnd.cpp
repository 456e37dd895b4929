#include "controls/gui/popup_tip_wnd.h"

#include <QCursor>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>

#include "platform/gui/qt_string.h"

namespace {

CPoint CursorPoint() {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

}  // namespace

CPopupTipWnd::CPopupTipWnd() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
}

CPopupTipWnd::~CPopupTipWnd() = default;

BOOL CPopupTipWnd::Create(QWidget* parent) {
  setParent(parent, Qt::ToolTip | Qt::FramelessWindowHint);
  setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
  hide();
  return TRUE;
}

void CPopupTipWnd::ShowTip(const CString& text, const CPoint* point) {
  m_anchor = point ? *point : CursorPoint();
  m_text = text;
  if (!text.IsEmpty()) {
    m_pollTimer.stop();
    m_showTimer.start(kShowDelay, this);
  } else {
    m_showTimer.stop();
  }
}

void CPopupTipWnd::SetIcon(const QPixmap& icon) {
  m_icon = icon;
  if (!icon.isNull()) repaint();
}

void CPopupTipWnd::RelayEvent(const QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      if (CursorPoint() != m_anchor) hide();
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      hide();
      break;
    default:
      break;
  }
}

BalloonLayout CPopupTipWnd::Measure() const {
  const QRect text = fontMetrics().boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, ToQString(m_text));
  const QSize icon = m_icon.isNull() ? QSize() : m_icon.deviceIndependentSize().toSize();
  return MeasureBalloon(CSize(text.width(), text.height()), CSize(icon.width() & 0xFF, icon.height() & 0xFF));
}

QPainterPath CPopupTipWnd::Shape(const BalloonLayout& layout) const {
  QPainterPath body;
  body.addRoundedRect(QRectF(0, 0, layout.w, layout.h), BalloonLayout::kCorner.cx / 2.0,
                      BalloonLayout::kCorner.cy / 2.0);
  QPolygonF tail;
  for (const CPoint& p : layout.Tail()) tail << QPointF(p.x, p.y);
  QPainterPath tailPath;
  tailPath.addPolygon(tail);
  tailPath.closeSubpath();
  return body.united(tailPath);
}

void CPopupTipWnd::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_showTimer.timerId()) {
    m_showTimer.stop();
    const BalloonLayout layout = Measure();
    const CSize size = layout.WindowSize();
    const CPoint pos = layout.WindowPosFor(m_anchor);
    setGeometry(pos.x, pos.y, size.cx, size.cy);
    setMask(QRegion(Shape(layout).toFillPolygon().toPolygon()));
    show();
    raise();
    update();
    m_pollTimer.start(kPollInterval, this);
  } else if (event->timerId() == m_pollTimer.timerId()) {
    if (CursorPoint() != m_anchor) {
      m_pollTimer.stop();
      hide();
    }
  } else {
    QWidget::timerEvent(event);
  }
}

void CPopupTipWnd::paintEvent(QPaintEvent*) {
  const BalloonLayout layout = Measure();
  const QPainterPath shape = Shape(layout);
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setClipPath(shape);
  p.fillPath(shape, palette().color(QPalette::Base));
  // Frames inside the outline: 3 pixels of the scroll-bar grey, then 1 of text colour
  // (each stroke is twice as wide, half of it falls outside the clip).
  p.strokePath(shape, QPen(palette().color(QPalette::Button), 6));
  p.strokePath(shape, QPen(palette().color(QPalette::WindowText), 2));
  p.setClipping(false);
  const CPoint origin = layout.TextOrigin();
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(QRect(origin.x, origin.y, width() - origin.x, height() - origin.y), Qt::AlignLeft | Qt::AlignTop,
             ToQString(m_text));
  if (!m_icon.isNull()) {
    const CPoint icon = layout.IconOrigin();
    p.drawPixmap(icon.x, icon.y, m_icon);
  }
}
