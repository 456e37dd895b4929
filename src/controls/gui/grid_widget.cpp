#include "controls/gui/grid_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDateTimeEdit>
#include <QDesktopServices>
#include <QDrag>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QUrl>
#include <algorithm>

#include "platform/gui/qt_dc.h"
#include "platform/gui/qt_string.h"

namespace {

CGridWidget::DragRunner& Runner() {
  static CGridWidget::DragRunner runner;
  return runner;
}

// The virtual-key code of a Qt key; 0 for keys the grid does not know.
UINT VirtualKey(int key) {
  switch (key) {
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Plus:
      return VK_ADD;
    default:
      if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<UINT>('A' + (key - Qt::Key_A));
      if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<UINT>('0' + (key - Qt::Key_0));
      return 0;
  }
}

UINT Modifiers(Qt::KeyboardModifiers mods) {
  UINT mk = 0;
  if (mods & Qt::ShiftModifier) mk |= MK_SHIFT;
  if (mods & Qt::ControlModifier) mk |= MK_CONTROL;
  return mk;
}

UINT MouseFlags(const QMouseEvent* e) {
  UINT mk = Modifiers(e->modifiers());
  if (e->buttons() & Qt::LeftButton) mk |= MK_LBUTTON;
  if (e->buttons() & Qt::RightButton) mk |= MK_RBUTTON;
  return mk;
}

CPoint ToCPoint(const QPointF& p) {
  return CPoint(static_cast<int>(p.x()), static_cast<int>(p.y()));
}

Qt::DropAction ToDropAction(int effect) {
  if (effect & DROPEFFECT_MOVE) return Qt::MoveAction;
  if (effect & DROPEFFECT_COPY) return Qt::CopyAction;
  return Qt::IgnoreAction;
}

// Ends an in-place editor on the keys that finish it.
class EditorKeys : public QObject {
 public:
  EditorKeys(CGridWidget* grid, std::function<void(bool, UINT)> end, bool exitOnArrows)
      : QObject(grid), m_end(std::move(end)), m_exitOnArrows(exitOnArrows) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      const UINT vk = VirtualKey(k->key());
      if (vk == VK_RETURN || vk == VK_TAB) {
        m_end(true, vk);
        return true;
      }
      if (vk == VK_ESCAPE) {
        m_end(false, vk);
        return true;
      }
      const bool arrow =
          vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT;
      if (arrow && (m_exitOnArrows || (k->modifiers() & Qt::ControlModifier))) {
        m_end(true, vk);
        return true;
      }
    } else if (e->type() == QEvent::FocusOut) {
      m_end(true, 0);
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  std::function<void(bool, UINT)> m_end;
  bool m_exitOnArrows;
};

}  // namespace

CGridWidget::CGridWidget(QWidget* parent, int rows, int cols, int fixedRows, int fixedCols)
    : QAbstractScrollArea(parent), m_grid(std::make_unique<CGridCtrl>(rows, cols, fixedRows, fixedCols)) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFrameShape(QFrame::StyledPanel);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_timer.setSingleShot(false);
  connect(&m_timer, &QTimer::timeout, this, [this] { m_grid->OnTimer(); });
  // A wheel notch scrolls as many lines as the desktop says.
  m_grid->m_nRowsPerWheelNotch = std::max(1, QApplication::wheelScrollLines());
  m_grid->AttachWindow(this);
}

CGridWidget::~CGridWidget() {
  m_DropTarget.Revoke();
  m_grid->AttachWindow(nullptr);
}

void CGridWidget::SetDragRunner(DragRunner runner) {
  Runner() = std::move(runner);
}

// ---- CGridWindow -------------------------------------------------------------------

CRect CGridWidget::GetClientRect() const {
  const QRect r = viewport()->rect();
  return CRect(0, 0, r.width(), r.height());
}

void CGridWidget::Invalidate(const CRect* rect) {
  if (rect == nullptr) {
    viewport()->update();
  } else {
    viewport()->update(QRect(rect->left, rect->top, rect->Width(), rect->Height()));
  }
}

CDC* CGridWidget::GetMeasureDC() {
  if (!m_measureDC) {
    m_measureImage = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    m_measureImage->setDevicePixelRatio(1.0);
    m_measureDC = std::make_unique<CQtDC>(m_measureImage.get());
  }
  return m_measureDC.get();
}

void CGridWidget::ShowScrollBar(int bar, bool show) {
  const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (bar == SB_HORZ) {
    setHorizontalScrollBarPolicy(policy);
  } else {
    setVerticalScrollBarPolicy(policy);
  }
}

void CGridWidget::SetScrollRange(int bar, int max, int page) {
  QScrollBar* sb = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
  m_inScrollUpdate = true;
  // A range 0 .. max with a page of page positions: the thumb stops at max - page + 1.
  sb->setRange(0, std::max(0, max - std::max(page, 1) + 1));
  sb->setPageStep(std::max(page, 1));
  sb->setSingleStep(std::max(1, m_grid->GetDefaultCell(FALSE, FALSE)->GetHeight()));
  m_inScrollUpdate = false;
}

int CGridWidget::GetScrollPos(int bar) const {
  return (bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar())->value();
}

void CGridWidget::SetScrollPos(int bar, int pos) {
  m_inScrollUpdate = true;
  (bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar())->setValue(pos);
  m_inScrollUpdate = false;
}

int CGridWidget::GetScrollBarSize() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void CGridWidget::SetCursor(GridCursor cursor) {
  switch (cursor) {
    case GridCursor::kSizeWE:
      viewport()->setCursor(Qt::SizeHorCursor);
      break;
    case GridCursor::kSizeNS:
      viewport()->setCursor(Qt::SizeVerCursor);
      break;
    case GridCursor::kHand:
      viewport()->setCursor(Qt::PointingHandCursor);
      break;
    case GridCursor::kWait:
      break;  // selections are quick; no busy cursor flashes
    default:
      viewport()->setCursor(Qt::ArrowCursor);
      break;
  }
}

void CGridWidget::SetFocus() {
  setFocus(Qt::MouseFocusReason);
}

void CGridWidget::SetCapture(bool capture) {
  // Qt grabs the mouse for the widget under a press by itself.
  (void)capture;
}

void CGridWidget::SetTimer(bool run, int intervalMs) {
  if (run) {
    m_timer.start(intervalMs);
  } else {
    m_timer.stop();
  }
}

bool CGridWidget::GetCursorPos(CPoint* pt) const {
  const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
  *pt = CPoint(p.x(), p.y());
  return true;
}

void CGridWidget::InvertTrackLine(bool vertical, int pos) {
  // The line is drawn by paintEvent; a second call at the same place removes it.
  if (m_trackLine && m_trackLine->first == vertical && m_trackLine->second == pos) {
    m_trackLine.reset();
  } else {
    m_trackLine = std::make_pair(vertical, pos);
  }
  viewport()->update();
}

void CGridWidget::DrawDragOutline(const CRect& rect) {
  if (m_dragOutline && *m_dragOutline == rect) {
    m_dragOutline.reset();
  } else {
    m_dragOutline = rect;
  }
  viewport()->update();
}

QMimeData* CGridWidget::ToMimeData(const CGridDataObject& data) {
  auto* mime = new QMimeData;
  if (data.text) {
    std::u16string text = *data.text;
    if (const size_t nul = text.find(u'\0'); nul != std::u16string::npos) text.resize(nul);
    mime->setText(QString::fromStdU16String(text));
  }
  if (data.widget) {
    mime->setData(kGridWidgetMimeType, QByteArray(reinterpret_cast<const char*>(data.widget->data()),
                                                  static_cast<int>(data.widget->size())));
  }
  return mime;
}

CGridDataObject CGridWidget::FromMimeData(const QMimeData* mime) {
  CGridDataObject data;
  if (mime == nullptr) return data;
  if (mime->hasText()) data.text = mime->text().toStdU16String();
  if (mime->hasFormat(kGridWidgetMimeType)) {
    const QByteArray bytes = mime->data(kGridWidgetMimeType);
    data.widget = std::vector<BYTE>(bytes.begin(), bytes.end());
  }
  return data;
}

void CGridWidget::SetClipboard(const CGridDataObject& data) {
  QApplication::clipboard()->setMimeData(ToMimeData(data));
}

CGridDataObject CGridWidget::GetClipboard() const {
  return FromMimeData(QApplication::clipboard()->mimeData());
}

int CGridWidget::DoDragDrop(const CGridDataObject& data, int allowedEffects) {
  QMimeData* mime = ToMimeData(data);
  if (Runner()) {
    const int effect = Runner()(this, mime);
    delete mime;
    return effect;
  }
  auto* drag = new QDrag(this);
  drag->setMimeData(mime);
  Qt::DropActions actions;
  if (allowedEffects & DROPEFFECT_COPY) actions |= Qt::CopyAction;
  if (allowedEffects & DROPEFFECT_MOVE) actions |= Qt::MoveAction;
  const Qt::DropAction result = drag->exec(actions, Qt::MoveAction);
  if (result == Qt::MoveAction) return DROPEFFECT_MOVE;
  if (result == Qt::CopyAction) return DROPEFFECT_COPY;
  return DROPEFFECT_NONE;
}

void CGridWidget::NextDialogControl() {
  QAbstractScrollArea::focusNextPrevChild(true);
}

void CGridWidget::OpenUrl(const CString& url) {
  QString text = ToQString(url);
  if (text.startsWith("www.")) text.prepend("http://");
  QDesktopServices::openUrl(QUrl(text));
}

// ---- In-place editors ----------------------------------------------------------------

bool CGridWidget::OpenInPlaceEditor(const GridEditorRequest& request) {
  if (m_editor) return false;
  const QRect rect(request.rect.left, request.rect.top, request.rect.Width() + 1, request.rect.Height() + 1);
  const bool exitOnArrows = request.startKey != VK_LBUTTON;
  m_editRow = request.row;
  m_editCol = request.col;
  m_editKind = request.kind;
  QWidget* editor = nullptr;
  switch (request.kind) {
    case GridEditorRequest::Kind::kNumeric: {
      auto* edit = new QLineEdit(viewport());
      edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
      edit->setMaxLength(1);
      edit->setText(ToQString(request.text));
      if (request.startKey >= 0x20 && request.startKey != VK_LBUTTON) {
        edit->selectAll();
        edit->insert(QString(QChar(static_cast<char16_t>(request.startKey))));
      }
      editor = edit;
      break;
    }
    case GridEditorRequest::Kind::kCombo: {
      auto* combo = new QComboBox(viewport());
      combo->setEditable(request.style != 3);  // CBS_DROPDOWNLIST offers only its items
      for (const CString& item : request.items) combo->addItem(ToQString(item));
      const int at = combo->findText(ToQString(request.text));
      if (at >= 0) {
        combo->setCurrentIndex(at);
      } else if (combo->isEditable()) {
        combo->setEditText(ToQString(request.text));
      }
      editor = combo;
      break;
    }
    case GridEditorRequest::Kind::kDateTime: {
      auto* picker = new QDateTimeEdit(QDateTime::fromSecsSinceEpoch(request.time), viewport());
      editor = picker;
      break;
    }
  }
  m_editor = editor;
  editor->setGeometry(rect);
  editor->setFont(viewport()->font());
  editor->installEventFilter(new EditorKeys(
      this, [this](bool store, UINT key) { EndEditor(store, key); }, exitOnArrows));
  editor->show();
  editor->setFocus();
  return true;
}

void CGridWidget::EndInPlaceEditor() {
  EndEditor(true, 0);
}

void CGridWidget::EndEditor(bool store, UINT lastKey) {
  if (m_editor == nullptr) return;
  QWidget* editor = m_editor;
  m_editor = nullptr;
  CString text = m_grid->GetItemText(m_editRow, m_editCol);
  if (store) {
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) text = ToCString(edit->text());
    if (auto* combo = qobject_cast<QComboBox*>(editor)) text = ToCString(combo->currentText());
    if (auto* picker = qobject_cast<QDateTimeEdit*>(editor)) text = ToCString(picker->text());
  }
  editor->hide();
  editor->deleteLater();
  setFocus();
  m_grid->OnEndInPlaceEdit(m_editRow, m_editCol, text, lastKey);
  if (CGridCellBase* cell = m_grid->GetCell(m_editRow, m_editCol)) cell->OnEndEdit();
}

// ---- Events --------------------------------------------------------------------------

void CGridWidget::UpdateModifiers(Qt::KeyboardModifiers mods) {
  m_grid->SetKeyModifiers(Modifiers(mods));
}

bool CGridWidget::event(QEvent* e) {
  // Tab and Shift+Tab move inside the grid while it keeps them.
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && m_grid->WantsTab()) {
      keyPressEvent(k);
      return true;
    }
  }
  return QAbstractScrollArea::event(e);
}

bool CGridWidget::focusNextPrevChild(bool next) {
  if (m_grid->WantsTab()) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

void CGridWidget::paintEvent(QPaintEvent* e) {
  QPainter painter(viewport());
  {
    CQtDC dc(&painter);
    const QRect r = e->rect();
    dc.IntersectClipRect(CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
    m_grid->OnDraw(&dc);
  }
  if (m_trackLine) {
    painter.setPen(QPen(Qt::black, 2));
    if (m_trackLine->first) {
      painter.drawLine(m_trackLine->second, 0, m_trackLine->second, viewport()->height());
    } else {
      painter.drawLine(0, m_trackLine->second, viewport()->width(), m_trackLine->second);
    }
  }
  if (m_dragOutline) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRect(m_dragOutline->left, m_dragOutline->top, m_dragOutline->Width(), m_dragOutline->Height()));
  }
}

void CGridWidget::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  m_DropTarget.Register(this);
  m_grid->OnSize();
}

void CGridWidget::scrollContentsBy(int, int) {
  if (m_inScrollUpdate) return;
  // The user moved a scroll bar: the grid takes the new position.
  m_grid->OnHScroll(SB_THUMBTRACK);
  m_grid->OnVScroll(SB_THUMBTRACK);
  viewport()->update();
}

void CGridWidget::keyPressEvent(QKeyEvent* e) {
  UpdateModifiers(e->modifiers());
  const UINT vk = VirtualKey(e->key());
  if (e->key() == Qt::Key_Backtab) m_grid->SetKeyModifiers(m_grid->GetKeyModifiers() | MK_SHIFT);
  if (vk != 0) m_grid->OnKeyDown(vk);
  // Escape is not the grid's: it goes on to the dialog or sheet, which closes.
  if (vk == VK_ESCAPE) {
    e->ignore();
    return;
  }
  // The characters the key produced, as WM_CHAR after WM_KEYDOWN.
  if (e->modifiers() & Qt::ControlModifier) return;
  if (vk == VK_BACK) {
    m_grid->OnChar(VK_BACK);
    return;
  }
  const QString text = e->text();
  for (QChar ch : text) {
    const char16_t c = ch.unicode();
    if (c < 0x20 || c == 0x7F) continue;
    if (c >= 0x80) {
      m_grid->OnImeChar(c);
    } else {
      m_grid->OnChar(c);
    }
  }
}

void CGridWidget::keyReleaseEvent(QKeyEvent* e) {
  UpdateModifiers(e->modifiers());
}

void CGridWidget::inputMethodEvent(QInputMethodEvent* e) {
  for (QChar ch : e->commitString()) m_grid->OnImeChar(ch.unicode());
  e->accept();
}

void CGridWidget::mousePressEvent(QMouseEvent* e) {
  UpdateModifiers(e->modifiers());
  if (e->button() == Qt::LeftButton) m_grid->OnLButtonDown(MouseFlags(e), ToCPoint(e->position()));
}

void CGridWidget::mouseMoveEvent(QMouseEvent* e) {
  UpdateModifiers(e->modifiers());
  m_grid->OnMouseMove(MouseFlags(e), ToCPoint(e->position()));
  if (m_grid->GetMouseMode() == MOUSE_NOTHING) SetCursor(m_grid->GetCursorAt(ToCPoint(e->position())));
}

void CGridWidget::mouseReleaseEvent(QMouseEvent* e) {
  UpdateModifiers(e->modifiers());
  if (e->button() == Qt::LeftButton) m_grid->OnLButtonUp(MouseFlags(e), ToCPoint(e->position()));
}

void CGridWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  UpdateModifiers(e->modifiers());
  if (e->button() == Qt::LeftButton) m_grid->OnLButtonDblClk(MouseFlags(e), ToCPoint(e->position()));
}

void CGridWidget::wheelEvent(QWheelEvent* e) {
  UpdateModifiers(e->modifiers());
  m_grid->OnMouseWheel(Modifiers(e->modifiers()), e->angleDelta().y(), ToCPoint(e->position()));
  e->accept();
}

void CGridWidget::dragEnterEvent(QDragEnterEvent* e) {
  const UINT keys = Modifiers(e->modifiers());
  const int effect =
      m_DropTarget.OnDragEnter(this, FromMimeData(e->mimeData()), keys, ToCPoint(e->position()));
  // The grid may accept later moves over other cells: the enter is always taken.
  e->setDropAction(ToDropAction(effect));
  e->accept();
}

void CGridWidget::dragMoveEvent(QDragMoveEvent* e) {
  const UINT keys = Modifiers(e->modifiers());
  m_DropTarget.OnDragScroll(this, keys, ToCPoint(e->position()));
  const int effect =
      m_DropTarget.OnDragOver(this, FromMimeData(e->mimeData()), keys, ToCPoint(e->position()));
  if (effect == DROPEFFECT_NONE) {
    e->ignore();
  } else {
    e->setDropAction(ToDropAction(effect));
    e->accept();
  }
}

void CGridWidget::dragLeaveEvent(QDragLeaveEvent* e) {
  m_DropTarget.OnDragLeave(this);
  e->accept();
}

void CGridWidget::dropEvent(QDropEvent* e) {
  const int effect = (Modifiers(e->modifiers()) & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  if (m_DropTarget.OnDrop(this, FromMimeData(e->mimeData()), effect, ToCPoint(e->position()))) {
    e->setDropAction(ToDropAction(effect));
    e->accept();
  } else {
    e->ignore();
  }
}

// ---- Printing ------------------------------------------------------------------------

void CGridWidget::Print(QPrinter* printer, const CString& title) {
  CQtDC dc(printer);
  CPrintInfo info;
  info.m_strTitle = title;
  if (info.m_strTitle.IsEmpty()) {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
      if (!w->windowTitle().isEmpty()) {
        info.m_strTitle = ToCString(w->windowTitle());
        break;
      }
    }
  }
  m_grid->PrintAll(&dc, &info, [printer] { printer->newPage(); });
}
