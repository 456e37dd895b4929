#include "controls/gui/cj_tab_ctrl_bar.h"

#include <QFontDatabase>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

CCJTabCtrlBar::CCJTabCtrlBar(QWidget* parent) : CCJControlBar(parent) {
  m_tabCtrl = new QTabWidget(Client());
  m_tabCtrl->setObjectName("tabCtrl");
  m_tabCtrl->setTabPosition(QTabWidget::South);
  // The small interface font of the bar's tabs.
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(8);
  m_tabCtrl->setFont(font);
  m_tabCtrl->setFocusPolicy(Qt::NoFocus);
  connect(m_tabCtrl, &QTabWidget::currentChanged, this, &CCJTabCtrlBar::OnSelChange);
}

CCJTabCtrlBar::~CCJTabCtrlBar() = default;

bool CCJTabCtrlBar::AddTabView(const QString& label, const std::function<QWidget*(QWidget*)>& makeView) {
  QWidget* view = makeView ? makeView(Client()) : nullptr;
  if (!view) return false;
  const int index = static_cast<int>(m_views.size());
  m_views.push_back({view, label.left(15)});
  if (index == 0) {
    m_pActiveView = view;
    view->setEnabled(true);
    view->show();
  } else {
    view->setEnabled(false);
    view->hide();
  }
  // The tab control's pages stay empty: the views lie over its page area.
  m_bAdding = true;
  m_tabCtrl->addTab(new QWidget, m_views.back().label);
  m_tabCtrl->setTabToolTip(index, m_views.back().label);
  m_bAdding = false;
  view->raise();
  LayoutClient(Client()->width(), Client()->height());
  return true;
}

QWidget* CCJTabCtrlBar::GetView(int index) const {
  if (index < 0 || index >= static_cast<int>(m_views.size())) return nullptr;
  return m_views[index].view;
}

void CCJTabCtrlBar::ActivateTabView(int index) {
  if (index < 0 || index >= static_cast<int>(m_views.size()) || index == m_nActiveTab) return;
  if (QWidget* old = GetView(m_nActiveTab)) {
    old->setEnabled(false);
    old->hide();
  }
  QWidget* view = m_views[index].view;
  view->setEnabled(true);
  view->show();
  view->raise();
  view->setFocus();
  m_nActiveTab = index;
  m_pActiveView = view;
  if (m_tabCtrl->currentIndex() != index) m_tabCtrl->setCurrentIndex(index);
}

void CCJTabCtrlBar::OnSelChange(int index) {
  if (m_bAdding) return;
  ActivateTabView(index);
  if (m_onSelect) m_onSelect(index, GetView(index));
  update();
  Client()->update();
}

int CCJTabCtrlBar::PreferredWidth(int viewWidth) const {
  // The side margins of LayoutClient's docked layout: tabs cx - 17, views cx - 23.
  const int tabs = m_tabCtrl->tabBar()->sizeHint().width();  // every tab at its own width
  return std::max(viewWidth + 23, tabs + 4 + 17);
}

void CCJTabCtrlBar::LayoutClient(int cx, int cy) {
  QRect tabs, views;
  if (IsFloating()) {
    tabs = QRect(5, 5, cx - 10, cy - 7);
    views = QRect(8, 8, cx - 16, cy - 34);
  } else if (IsDockedHorizontally()) {
    tabs = QRect(17, 5, cx - 25, cy - 17);
    views = QRect(20, 8, cx - 31, cy - 44);
  } else {
    tabs = QRect(5, 20, cx - 17, cy - 31);
    views = QRect(8, 23, cx - 23, cy - 58);
  }
  m_tabCtrl->setGeometry(tabs.normalized());
  for (const TabViewEntry& entry : m_views) entry.view->setGeometry(views.normalized());
}
