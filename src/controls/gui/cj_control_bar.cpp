#include "controls/gui/cj_control_bar.h"

#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "controls/gui/control_paint.h"

// The bar's client area: paints the gripper and lays out the bar's children.
class CCJControlBar::ClientArea : public QWidget {
 public:
  explicit ClientArea(CCJControlBar* bar) : QWidget(bar), m_bar(bar) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Button));
    if (!m_bar->m_bShowGripper) return;
    for (const QRect& ridge : m_bar->GripperRidges(size())) {
      Draw3dRect(p, ridge, pal.color(QPalette::Light), pal.color(QPalette::Dark));
    }
  }
  void resizeEvent(QResizeEvent* e) override { m_bar->LayoutClient(e->size().width(), e->size().height()); }

 private:
  CCJControlBar* m_bar;
};

CCJControlBar::CCJControlBar(QWidget* parent) : QDockWidget(parent) {
  m_pClient = new ClientArea(this);
  setWidget(m_pClient);
  // No title bar: the gripper is painted in the client area.
  setTitleBarWidget(new QWidget(this));
  // A press anywhere in the bar neither moves nor floats it.
  setFeatures(QDockWidget::NoDockWidgetFeatures);
  connect(this, &QDockWidget::dockLocationChanged, this, &CCJControlBar::OnLocationChanged);
}

CCJControlBar::~CCJControlBar() = default;

bool CCJControlBar::Create(QMainWindow* parent, UINT id, const QString& title, CSize sizeDefault) {
  m_pFrame = parent;
  m_nID = id;
  setWindowTitle(title);
  m_sizeDockedHorz = m_sizeDockedVert = m_sizeFloating = sizeDefault;
  setMinimumSize(m_sizeMinimum.cx, m_sizeMinimum.cy);
  return true;
}

Qt::DockWidgetArea CCJControlBar::DockArea() const {
  if (isFloating() || !m_pFrame) return Qt::NoDockWidgetArea;
  return m_pFrame->dockWidgetArea(const_cast<CCJControlBar*>(this));
}

bool CCJControlBar::IsFloating() const {
  return DockArea() == Qt::NoDockWidgetArea;
}

bool CCJControlBar::IsDockedHorizontally() const {
  const Qt::DockWidgetArea area = DockArea();
  return area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
}

bool CCJControlBar::IsDockedVertically() const {
  const Qt::DockWidgetArea area = DockArea();
  return area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
}

int CCJControlBar::ClampDepth(int oldDepth, int frameExtent, int minimum, int newDepth) {
  const int maximum = oldDepth + frameExtent;
  return std::max(minimum, std::min(maximum, newDepth));
}

void CCJControlBar::EndEdgeDrag(int newDepth) {
  if (IsFloating() || !m_pFrame) return;
  const bool horz = IsDockedHorizontally();
  const QSize client = m_pFrame->centralWidget() ? m_pFrame->centralWidget()->size() : m_pFrame->size();
  if (horz) {
    m_sizeDockedHorz.cy = ClampDepth(m_sizeDockedHorz.cy, client.height(), m_sizeMinimum.cy, newDepth);
    m_pFrame->resizeDocks({this}, {m_sizeDockedHorz.cy}, Qt::Vertical);
  } else {
    m_sizeDockedVert.cx = ClampDepth(m_sizeDockedVert.cx, client.width(), m_sizeMinimum.cx, newDepth);
    m_pFrame->resizeDocks({this}, {m_sizeDockedVert.cx}, Qt::Horizontal);
  }
}

std::vector<QRect> CCJControlBar::GripperRidges(QSize client) const {
  if (IsFloating()) return {};
  const int w = client.width(), h = client.height();
  if (IsDockedHorizontally()) {
    return {QRect(QPoint(4, 4), QPoint(7, h - 4)), QRect(QPoint(8, 4), QPoint(11, h - 4))};
  }
  return {QRect(QPoint(8, 6), QPoint(w - 6, 9)), QRect(QPoint(8, 10), QPoint(w - 6, 13))};
}

void CCJControlBar::OnLocationChanged(Qt::DockWidgetArea) {
  if (m_pClient) {
    LayoutClient(m_pClient->width(), m_pClient->height());
    m_pClient->update();
  }
}
