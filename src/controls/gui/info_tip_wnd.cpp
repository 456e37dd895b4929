#include "controls/gui/info_tip_wnd.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>
#include <QToolTip>

#include "controls/gui/control_paint.h"
#include "platform/gui/qt_string.h"

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;

}  // namespace

CInfoTipWnd::CInfoTipWnd() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(QToolTip::font());
}

CInfoTipWnd::~CInfoTipWnd() {
  if (qApp) qApp->removeEventFilter(this);
}

BOOL CInfoTipWnd::Create(QWidget* owner) {
  if (!owner) return FALSE;
  m_owner = owner;
  setParent(owner, Qt::ToolTip | Qt::FramelessWindowHint);
  hide();
  qApp->installEventFilter(this);
  return TRUE;
}

BOOL CInfoTipWnd::AddTool(QWidget* control, const CString& text, const QRect* rect, UINT tool_id) {
  return Add(control, text, false, rect, tool_id);
}

BOOL CInfoTipWnd::AddCallbackTool(QWidget* control, const QRect* rect, UINT tool_id) {
  return Add(control, CString(), true, rect, tool_id);
}

BOOL CInfoTipWnd::Add(QWidget* control, const CString& text, bool callback, const QRect* rect, UINT tool_id) {
  if (!control || !m_owner) return FALSE;
  const QRect local = rect ? *rect : control->rect();
  const QRect owned(control->mapTo(m_owner, local.topLeft()), local.size());
  m_tools.push_back({m_nextHandle++, control, tool_id, owned, rect == nullptr, callback, text});
  return TRUE;
}

QRect CInfoTipWnd::ToolRect(const Tool& tool) const {
  if (!tool.whole || !tool.control || !m_owner) return tool.rect;
  return QRect(tool.control->mapTo(m_owner, QPoint()), tool.control->size());
}

void CInfoTipWnd::RemoveTool(QWidget* control, UINT tool_id) {
  for (auto it = m_tools.begin(); it != m_tools.end(); ++it) {
    if (it->control == control && it->id == tool_id) {
      const int handle = it->handle;
      m_tools.erase(it);
      Apply(m_logic.OnToolRemoved(handle));
      return;
    }
  }
}

void CInfoTipWnd::SetTipFont(const QFont& font, bool repaint) {
  setFont(font);
  if (repaint) update();
}

void CInfoTipWnd::Hide() {
  hide();
  m_logic.MarkHidden();
}

const CInfoTipWnd::Tool* CInfoTipWnd::FindTool(int handle) const {
  for (const Tool& t : m_tools) {
    if (t.handle == handle) return &t;
  }
  return nullptr;
}

int CInfoTipWnd::FindToolAt(const QPoint& owner_point) const {
  if (!m_owner) return -1;
  QWidget* under = m_owner->childAt(owner_point);
  if (!under) return -1;
  for (const Tool& t : m_tools) {
    if (!t.control || (t.control != under && !t.control->isAncestorOf(under))) continue;
    return ToolRect(t).contains(owner_point) ? t.handle : -1;
  }
  return -1;
}

bool CInfoTipWnd::IsCursorInTool(int handle) const {
  return m_owner && handle >= 0 && FindToolAt(m_owner->mapFromGlobal(QCursor::pos())) == handle;
}

bool CInfoTipWnd::IsCursorInTip() const {
  return !m_logic.IsHidden() && isVisible() && geometry().contains(QCursor::pos());
}

bool CInfoTipWnd::eventFilter(QObject* watched, QEvent* event) {
  if (m_owner && watched->isWidgetType()) {
    auto* w = static_cast<QWidget*>(watched);
    if (w == m_owner || m_owner->isAncestorOf(w)) RelayEvent(watched, event);
  }
  return false;
}

void CInfoTipWnd::RelayEvent(QObject*, QEvent* event) {
  if (!m_owner) return;
  switch (event->type()) {
    case QEvent::MouseMove: {
      const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
      Apply(m_logic.OnMouseMove(FindToolAt(m_owner->mapFromGlobal(global)), IsCursorInTip()));
      break;
    }
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Apply(m_logic.OnLeftButtonDown(IsCursorInTip()));
      } else {
        Apply(m_logic.OnHidingInput());
      }
      break;
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
      Apply(m_logic.OnHidingInput());
      break;
    default:
      break;
  }
}

void CInfoTipWnd::Apply(const CInfoTipLogic::Step& step) {
  if (step.stop_show_timer) m_showTimer.stop();
  if (step.stop_track_timer) m_trackTimer.stop();
  if (step.hide) hide();
  if (step.start_show_timer) m_showTimer.start(CInfoTipLogic::kShowDelay, this);
  if (step.show) ShowTip(QCursor::pos() + QPoint(kInfoTipOffset.cx, kInfoTipOffset.cy), false);
  if (step.start_track_timer) m_trackTimer.start(CInfoTipLogic::kTrackInterval, this);
}

void CInfoTipWnd::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_showTimer.timerId()) {
    Apply(m_logic.OnShowTimer(IsCursorInTool(m_logic.CurrentTool())));
  } else if (event->timerId() == m_trackTimer.timerId()) {
    const int under = m_owner ? FindToolAt(m_owner->mapFromGlobal(QCursor::pos())) : -1;
    Apply(m_logic.OnTrackTimer(under, IsCursorInTool(m_logic.CurrentTool()), IsCursorInTip()));
  } else {
    QWidget::timerEvent(event);
  }
}

CString CInfoTipWnd::GetToolText(const Tool& tool) const {
  if (!tool.callback) return tool.text;
  return m_needText ? m_needText(tool.id, tool.control) : CString();
}

void CInfoTipWnd::ShowTip(const QPoint& position, bool pointer_on_left) {
  const Tool* tool = FindTool(m_logic.CurrentTool());
  if (!tool) return;
  m_pointerOnLeft = pointer_on_left;
  const InfoTipText shown = SplitPointerText(GetToolText(*tool), pointer_on_left);
  if (shown.text.IsEmpty()) return;
  m_text = shown.text;
  m_hasPointer = shown.has_pointer;

  const QFontMetrics fm = fontMetrics();
  const int width =
      InfoTipAutoWidth(m_text, [&fm](const CString& line) { return fm.horizontalAdvance(ToQString(line)); });
  const QRect text = fm.boundingRect(QRect(0, 0, std::max(width, 0), 0), kTextFlags, ToQString(m_text));
  CRect rect(0, 0, text.width(), text.height());
  rect.right += InfoTipMargins::kLeft + InfoTipMargins::kRight;
  rect.bottom += InfoTipMargins::kTop + InfoTipMargins::kBottom;

  QScreen* screen = QGuiApplication::screenAt(position);
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect control =
      tool->control ? QRect(tool->control->mapToGlobal(QPoint()), tool->control->size()) : QRect();
  const CRect placed = CalcInfoTipRect(rect, CPoint(position.x(), position.y()), ToCRect(screen->geometry()),
                                       ToCRect(control));
  hide();
  setGeometry(placed.left, placed.top, placed.Width(), placed.Height());
  show();
  update();
}

void CInfoTipWnd::paintEvent(QPaintEvent*) {
  if (!FindTool(m_logic.CurrentTool()) || m_text.IsEmpty()) return;
  QPainter p(this);
  const QPalette pal = QToolTip::palette();
  p.fillRect(rect(), pal.color(QPalette::ToolTipBase));
  p.setPen(Qt::black);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  const QRect inner = rect().adjusted(InfoTipMargins::kLeft, InfoTipMargins::kTop, -InfoTipMargins::kRight,
                                      -InfoTipMargins::kBottom);
  p.setPen(pal.color(QPalette::ToolTipText));
  p.drawText(inner, kTextFlags, ToQString(m_text));
  if (m_hasPointer) {
    const QFontMetrics fm = fontMetrics();
    const int lead = std::max(fm.leading() + (fm.height() - fm.ascent() - fm.descent()), fm.descent());
    const CSize spaces(fm.horizontalAdvance(QStringLiteral("  ")), fm.height());
    const auto pts = InfoTipPointer(ToCRect(inner), m_pointerOnLeft, lead, fm.averageCharWidth(), spaces);
    QPolygon poly;
    for (const CPoint& pt : pts) poly << QPoint(pt.x, pt.y);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawPolygon(poly);
  }
}

void CInfoTipWnd::mousePressEvent(QMouseEvent*) {
  if (m_logic.CurrentTool() < 0 || m_logic.IsHidden()) return;
  if (m_hasPointer) ShowTip(geometry().topLeft(), !m_pointerOnLeft);
}
