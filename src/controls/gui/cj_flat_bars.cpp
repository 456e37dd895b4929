#include "controls/gui/cj_flat_bars.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "controls/gui/control_paint.h"

// ---- CCJToolBar -------------------------------------------------------------------------

CCJToolBar::CCJToolBar(QWidget* parent) : QToolBar(parent) {
  // Flat buttons and a gripper (the toolbar's handle) while docked.
  setMovable(true);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  QFont font("MS Sans Serif");
  font.setPointSize(8);
  setFont(font);
}

// ---- CCJComboBox ---------------------------------------------------------------------------

bool CCJComboBox::s_bHoverDrawn = false;

CCJComboBox::CCJComboBox(QWidget* parent) : QComboBox(parent) {
  setFrame(false);
  setMouseTracking(true);
  m_pTimer = new QTimer(this);
  m_pTimer->setInterval(10);
  connect(m_pTimer, &QTimer::timeout, this, &CCJComboBox::OnTimer);
}

CCJComboBox::Frame CCJComboBox::CurrentFrame() const {
  if (m_bPressed) return Frame::kPressed;
  if (underMouse() || rect().contains(mapFromGlobal(QCursor::pos())) || hasFocus()) return Frame::kHover;
  return Frame::kFlat;
}

void CCJComboBox::paintEvent(QPaintEvent* event) {
  QComboBox::paintEvent(event);
  QPainter p(this);
  const QPalette& pal = palette();
  const QColor face = pal.color(QPalette::Button);
  const QColor shadow = pal.color(QPalette::Dark);
  const QColor light = pal.color(isEnabled() ? QPalette::Light : QPalette::Light);
  const QRect outer = rect();
  const Frame frame = CurrentFrame();
  if (frame == Frame::kFlat) {
    Draw3dRect(p, outer, face, face);
  } else {
    Draw3dRect(p, outer, shadow, light);
  }
  Draw3dRect(p, outer.adjusted(1, 1, -1, -1), isEnabled() ? face : light, isEnabled() ? face : light);
  // The drop-down button's edge.
  const int thumb = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const QRect button(outer.right() - thumb - 1, outer.top() + 2, thumb, outer.height() - 4);
  if (!isEnabled()) return;
  switch (frame) {
    case Frame::kFlat:
      Draw3dRect(p, button, light, light);
      break;
    case Frame::kHover:
      Draw3dRect(p, button, light, shadow);
      break;
    case Frame::kPressed:
      Draw3dRect(p, button.translated(1, 1), shadow, light);
      break;
  }
}

void CCJComboBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_bPressed = true;
  QComboBox::mousePressEvent(event);
}

void CCJComboBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    m_bPressed = false;
    update();
  }
  QComboBox::mouseReleaseEvent(event);
}

void CCJComboBox::mouseMoveEvent(QMouseEvent* event) {
  m_pTimer->start();
  QComboBox::mouseMoveEvent(event);
}

void CCJComboBox::OnTimer() {
  const bool inside = rect().contains(mapFromGlobal(QCursor::pos()));
  if (m_bPressed || !inside) {
    m_pTimer->stop();
    if (s_bHoverDrawn) {
      s_bHoverDrawn = false;
      update();
    }
    return;
  }
  if (!s_bHoverDrawn) {
    s_bHoverDrawn = true;
    update();
  }
}

void CCJComboBox::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  update();
}

void CCJComboBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  update();
}

// ---- CCaptionSizingBar ------------------------------------------------------------------------

CCaptionSizingBar::CCaptionSizingBar(const QString& title, QWidget* parent) : QDockWidget(title, parent) {
  m_pCaption = new QWidget(this);
  auto* layout = new QHBoxLayout(m_pCaption);
  layout->setContentsMargins(4, 1, 2, 1);
  layout->setSpacing(1);
  layout->addWidget(new QLabel(title, m_pCaption), 1);
  m_pMinimize = new QToolButton(m_pCaption);
  m_pMinimize->setObjectName("minimize");
  m_pMinimize->setAutoRaise(true);
  m_pMinimize->setIcon(style()->standardIcon(QStyle::SP_TitleBarNormalButton));
  m_pHide = new QToolButton(m_pCaption);
  m_pHide->setObjectName("hide");
  m_pHide->setAutoRaise(true);
  m_pHide->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  layout->addWidget(m_pMinimize);
  layout->addWidget(m_pHide);
  setTitleBarWidget(m_pCaption);
  m_pCaption->installEventFilter(this);
  connect(m_pHide, &QToolButton::clicked, this, [this] { hide(); });
  connect(m_pMinimize, &QToolButton::clicked, this, [this] { ToggleDocking(); });
}

bool CCaptionSizingBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pCaption && event->type() == QEvent::MouseButtonDblClick) {
    ToggleDocking();
    return true;
  }
  return QDockWidget::eventFilter(watched, event);
}
