#include "controls/gui/pane_status_bar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QString>
#include <algorithm>

#include "platform/gui/qt_string.h"

CPaneStatusBar::CPaneStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName("statusBar");
}

CPaneStatusBar::~CPaneStatusBar() {
  for (auto& control : m_controls) ReleaseControl(*control);
  m_controls.clear();
}

void CPaneStatusBar::ReleaseControl(PaneControl& control) {
  if (!control.window) return;
  control.window->hide();
  if (control.destroyWithBar) delete control.window.data();
}

int CPaneStatusBar::DefaultWidth(const CString& text) const {
  return QFontMetrics(font()).horizontalAdvance(ToQString(text));
}

CPaneStatusBar::Pane CPaneStatusBar::MakePane(UINT id) const {
  Pane pane;
  pane.id = id;
  if (m_defaultText) pane.text = m_defaultText(id);
  pane.width = DefaultWidth(pane.text);
  return pane;
}

BOOL CPaneStatusBar::SetIndicators(const std::vector<UINT>& ids) {
  DeleteLabels();
  m_panes.clear();
  for (UINT id : ids) {
    if (id == ID_SEPARATOR) {
      Pane pane;
      pane.style = SBPS_NOBORDERS | SBPS_STRETCH;
      m_panes.push_back(std::move(pane));
    } else {
      m_panes.push_back(MakePane(id));
    }
  }
  Rebuild();
  return TRUE;
}

void CPaneStatusBar::DeleteLabels() {
  for (Pane& pane : m_panes) {
    if (!pane.label) continue;
    removeWidget(pane.label);
    delete pane.label;
    pane.label = nullptr;
  }
}

void CPaneStatusBar::Rebuild() {
  DeleteLabels();
  for (Pane& pane : m_panes) {
    pane.label = new QLabel(this);
    pane.label->setObjectName(QString("pane%1").arg(pane.id));
    pane.label->setMinimumHeight(m_nMinPaneHeight);
    addWidget(pane.label, (pane.style & SBPS_STRETCH) ? 1 : 0);
    ApplyPane(pane);
  }
}

void CPaneStatusBar::ApplyPane(Pane& pane) {
  QLabel* label = pane.label;
  if (!label) return;
  label->setFrameStyle((pane.style & SBPS_NOBORDERS) ? QFrame::NoFrame : (QFrame::Panel | QFrame::Sunken));
  label->setAlignment((pane.style & SBPS_STRETCH) ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
  const int outer = pane.width + 3 * kEdge;
  if (pane.style & SBPS_STRETCH) {
    label->setMinimumWidth(std::max(0, outer));
    label->setMaximumWidth(QWIDGETSIZE_MAX);
  } else {
    label->setFixedWidth(std::max(0, outer));
  }
  // A disabled pane shows no text, as the indicators of toggled keys do.
  label->setText((pane.style & SBPS_DISABLED) ? QString() : ToQString(pane.text));
}

int CPaneStatusBar::CommandToIndex(UINT id) const {
  for (size_t i = 0; i < m_panes.size(); ++i) {
    if (m_panes[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

UINT CPaneStatusBar::GetItemID(int index) const {
  return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : 0;
}

QRect CPaneStatusBar::GetItemRect(int index) const {
  if (index < 0 || index >= GetCount()) return {};
  const QLabel* label = m_panes[static_cast<size_t>(index)].label;
  return label ? label->geometry() : QRect();
}

CString CPaneStatusBar::GetPaneText(int index) const {
  return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].text : CString();
}

BOOL CPaneStatusBar::SetPaneText(int index, const CString& text) {
  if (index < 0 || index >= GetCount()) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  if (pane.text == text) return TRUE;
  pane.text = text;
  if (pane.label && !(pane.style & SBPS_DISABLED)) pane.label->setText(ToQString(text));
  return TRUE;
}

BOOL CPaneStatusBar::AddIndicator(UINT id, int index) {
  if (index < 0 || index > GetCount() || CommandToIndex(id) >= 0) return FALSE;
  m_panes.insert(m_panes.begin() + index, MakePane(id));
  Rebuild();
  RepositionControls();
  return TRUE;
}

BOOL CPaneStatusBar::RemoveIndicator(UINT id) {
  const int index = CommandToIndex(id);
  if (index < 0 || GetCount() <= 1) return FALSE;
  DeleteLabels();
  m_panes.erase(m_panes.begin() + index);
  Rebuild();
  auto it = std::find_if(m_controls.begin(), m_controls.end(),
                         [id](const std::unique_ptr<PaneControl>& c) { return c->paneId == id; });
  if (it != m_controls.end()) {
    ReleaseControl(**it);
    m_controls.erase(it);
  }
  RepositionControls();
  return TRUE;
}

BOOL CPaneStatusBar::AddPaneControl(QWidget* window, UINT paneId, BOOL destroyWithBar) {
  if (CommandToIndex(paneId) < 0) return FALSE;
  auto control = std::make_unique<PaneControl>();
  control->window = window;
  control->paneId = paneId;
  control->destroyWithBar = destroyWithBar;
  m_controls.push_back(std::move(control));
  RepositionControls();
  return TRUE;
}

BOOL CPaneStatusBar::GetPaneInfo(int index, StatusPaneInfo* info) const {
  if (!info || index < 0 || index >= GetCount()) return FALSE;
  const Pane& pane = m_panes[static_cast<size_t>(index)];
  info->id = pane.id;
  info->style = pane.style;
  info->width = pane.width;
  info->flags = pane.flags;
  info->text = pane.text;
  return TRUE;
}

BOOL CPaneStatusBar::SetPaneInfo(int index, const StatusPaneInfo* info) {
  if (!info || index < 0 || index >= GetCount()) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  const bool stretchChanged = ((pane.style ^ info->style) & SBPS_STRETCH) != 0;
  pane.id = info->id;
  pane.style = info->style;
  pane.width = info->width;
  pane.flags = info->flags;
  pane.text = info->text;
  if (stretchChanged) {
    Rebuild();
  } else {
    ApplyPane(pane);
  }
  const bool enable = (info->style & SBPS_DISABLED) == 0;
  for (auto& control : m_controls) {
    if (control->paneId == pane.id && control->window) control->window->setEnabled(enable);
  }
  RepositionControls();
  return TRUE;
}

void CPaneStatusBar::SetMinimumPaneHeight(int height) {
  m_nMinPaneHeight = height;
  for (Pane& pane : m_panes)
    if (pane.label) pane.label->setMinimumHeight(height);
  // The bar sizes itself by its panes' preferred heights: it is told of the room too.
  setMinimumHeight(std::max(minimumHeight(), height + 4));
  RepositionControls();
}

void CPaneStatusBar::RepositionControls() {
  if (m_controls.empty()) return;
  if (layout()) layout()->activate();
  const int last = GetCount() - 1;
  for (auto& control : m_controls) {
    const int index = CommandToIndex(control->paneId);
    if (index < 0 || !control->window) continue;
    const Pane& pane = m_panes[static_cast<size_t>(index)];
    QRect r = GetItemRect(index);
    int left = r.left();
    int top = r.top();
    int right = r.left() + r.width();  // exclusive edges, as the pane rectangle is kept
    int bottom = r.top() + r.height();
    if (index == last) {
      if (pane.style & SBPS_STRETCH) {
        right = width();
        if (HasSizeGrip()) right -= kSmallIcon + kEdge;
      } else {
        right = left + pane.width + 3 * kEdge;
      }
    }
    if (pane.style & SBPS_NOBORDERS) {
      left += kEdge, right -= kEdge, top += 1, bottom -= 1;
    } else {
      left += kEdge, right -= kEdge, top += kEdge, bottom -= kEdge;
    }
    QWidget* w = control->window;
    w->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
    w->raise();
    w->show();
    w->update();
  }
}

void CPaneStatusBar::resizeEvent(QResizeEvent* event) {
  QStatusBar::resizeEvent(event);
  RepositionControls();
}

bool CPaneStatusBar::event(QEvent* event) {
  const bool result = QStatusBar::event(event);
  if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show) RepositionControls();
  return result;
}
