#include "pages/gui/qt_page_host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <cmath>
#include <vector>

#include "controls/gui/flat_icon_button.h"
#include "controls/gui/picture_view.h"
#include "controls/gui/valid_edit.h"
#include "pages/block_param_page.h"
#include "pages/param_page.h"
#include "platform/gui/qt_dc.h"
#include "platform/gui/qt_string.h"

namespace {

constexpr int kMaxNumberDigits = 9;

// The "Current Parameter Value" group box, which draws the page's live value
// through the page's own drawing code.
class CValueBox : public QGroupBox {
 public:
  CValueBox(const QString& title, CBlockParamPage* page, QWidget* parent)
      : QGroupBox(title, parent), m_pPage(page) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QGroupBox::paintEvent(event);
    if (!m_pPage) return;
    QPainter painter(this);
    CQtDC dc(&painter);
    CFont font;
    const QFontMetrics fm(this->font());
    LOGFONT lf;
    lf.lfHeight = -fm.ascent();
    lf.lfFaceName = ToCString(this->font().family());
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    const QColor bk = palette().color(QPalette::Window);
    const COLORREF colour = RGB(bk.red(), bk.green(), bk.blue());
    // Inside the frame: below its top line, clear of its sides.
    const int top = fm.height() + 4;
    m_pPage->DrawCurrentValue(&dc, CRect(fm.averageCharWidth() * 2, top, width() - 60, height() - 6), colour);
  }

 private:
  CBlockParamPage* m_pPage;
};

// An up-down control that steps the number of its buddy edit.
class CSpinButtons : public QWidget {
 public:
  CSpinButtons(QWidget* parent, std::function<void(int)> step) : QWidget(parent) {
    auto* up = new QToolButton(this);
    auto* down = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up, down}) {
      b->setAutoRepeat(true);
      b->setFocusPolicy(Qt::NoFocus);
    }
    connect(up, &QToolButton::clicked, this, [step] { step(1); });
    connect(down, &QToolButton::clicked, this, [step] { step(-1); });
    m_up = up;
    m_down = down;
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    const int h = height() / 2;
    m_up->setGeometry(0, 0, width(), h);
    m_down->setGeometry(0, h, width(), height() - h);
  }

 private:
  QToolButton* m_up;
  QToolButton* m_down;
};

}  // namespace

CQtPageHost::CQtPageHost(CParamPage* page, QWidget* parent) : QWidget(parent), m_pPage(page) {
  const QFontMetrics fm(font());
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  m_baseX = fm.horizontalAdvance(letters) / 52.0;
  m_baseY = fm.height();
  const PageDesc& desc = page->Describe();
  setMinimumSize(ToPixels(desc.size));
  // The page's own background, which the value box's text is drawn on.
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  // The tips: shown half a second after the mouse rests on a control; a text a
  // page gives on demand is asked for then.
  setMouseTracking(true);
  m_tip.Create(this);
  m_tip.SetNeedText([this](UINT id, QWidget*) {
    const Entry* e = Find(static_cast<int>(id));
    return e && e->tipProvider ? e->tipProvider() : CString();
  });
  for (const ControlDesc& c : desc.controls) AddControl(c);
}

CQtPageHost::~CQtPageHost() = default;

QRect CQtPageHost::ToPixels(const CRect& r) const {
  const int left = static_cast<int>(std::lround(r.left * m_baseX / 4));
  const int top = static_cast<int>(std::lround(r.top * m_baseY / 8));
  const int right = static_cast<int>(std::lround(r.right * m_baseX / 4));
  const int bottom = static_cast<int>(std::lround(r.bottom * m_baseY / 8));
  return QRect(left, top, right - left, bottom - top);
}

QSize CQtPageHost::ToPixels(const CSize& s) const {
  return QSize(static_cast<int>(std::lround(s.cx * m_baseX / 4)),
               static_cast<int>(std::lround(s.cy * m_baseY / 8)));
}

const CQtPageHost::Entry* CQtPageHost::Find(int id) const {
  auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : &it->second;
}

QWidget* CQtPageHost::Control(int id) const {
  const Entry* e = Find(id);
  return e ? e->widget : nullptr;
}

void CQtPageHost::Notify(int id, ::Notify code) {
  if (m_pPage) m_pPage->OnNotify(id, code);
}

void CQtPageHost::AddControl(const ControlDesc& c) {
  if (m_controls.count(c.id)) {
    Entry& e = m_controls[c.id];
    e.desc = c;
    SetText(c.id, c.caption);
    Show(c.id, true);
    return;
  }
  const int id = c.id;
  const QString caption = ToQString(c.caption);
  QWidget* w = nullptr;
  QRect rect = ToPixels(c.rect);
  switch (c.kind) {
    case ControlKind::kStatic: {
      if (c.picture != 0) {
        // A picture drawn in code; the caption names it for screen readers.
        auto* picture = new CPictureView(c.picture, this);
        picture->setAccessibleName(caption);
        w = picture;
        break;
      }
      auto* label = new QLabel(caption, this);
      label->setAlignment((c.style & kStyleRight)    ? Qt::AlignRight | Qt::AlignVCenter
                          : (c.style & kStyleCentre) ? Qt::AlignHCenter | Qt::AlignVCenter
                                                     : Qt::AlignLeft | Qt::AlignVCenter);
      label->setWordWrap(rect.height() > 2 * QFontMetrics(font()).height());
      w = label;
      break;
    }
    case ControlKind::kEdit: {
      if (c.style & kStyleMultiLine) {
        auto* edit = new QPlainTextEdit(caption, this);
        connect(edit, &QPlainTextEdit::textChanged, this, [this, id] {
          Notify(id, ::Notify::kUpdate);
          Notify(id, ::Notify::kChange);
        });
        w = edit;
      } else {
        // Number edits take digits only, from the keyboard, a paste or the program.
        QLineEdit* edit =
            (c.style & kStyleNumber) ? new CIntegerEdit(-kMaxNumberDigits, this) : new QLineEdit(this);
        edit->setText(caption);
        if (c.style & kStyleRight) edit->setAlignment(Qt::AlignRight);
        if (c.style & kStyleReadOnly) edit->setReadOnly(true);
        connect(edit, &QLineEdit::textChanged, this, [this, id] {
          Notify(id, ::Notify::kUpdate);
          Notify(id, ::Notify::kChange);
        });
        w = edit;
      }
      break;
    }
    case ControlKind::kCheck: {
      auto* box = new QCheckBox(caption, this);
      connect(box, &QCheckBox::clicked, this, [this, id] { Notify(id, ::Notify::kClicked); });
      w = box;
      break;
    }
    case ControlKind::kRadio: {
      auto* radio = new QRadioButton(caption, this);
      radio->setAutoExclusive(false);
      connect(radio, &QRadioButton::clicked, this, [this, id] {
        // Check this one and clear the others of its group (template order).
        bool inGroup = false;
        std::vector<int> group;
        for (const ControlDesc& d : m_pPage->Describe().controls) {
          if (d.kind != ControlKind::kRadio) {
            if (inGroup) break;
            continue;
          }
          if (d.style & kStyleGroup) {
            if (inGroup) break;
            group.clear();
          }
          group.push_back(d.id);
          if (d.id == id) inGroup = true;
        }
        for (int other : group) SetCheck(other, other == id ? 1 : 0);
        Notify(id, ::Notify::kClicked);
      });
      w = radio;
      break;
    }
    case ControlKind::kButton: {
      if (c.picture != 0) {
        // An icon button: the picture drawn at the button's size, no caption.
        auto* button = new CFlatIconButton(CString(), BS_PUSHBUTTON, this);
        button->SetFlat(false, false);
        button->setAccessibleName(caption);
        const int side = std::max(8, std::min(rect.width(), rect.height()) - 4);
        button->SetIcon(RenderPicture(c.picture, QSize(side, side), devicePixelRatioF()));
        button->SetIconId(c.picture);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id] { Notify(id, ::Notify::kClicked); });
        w = button;
        break;
      }
      QPushButton* button = nullptr;
      if (c.style & kStyleIconButton) {
        auto* icon = new CFlatIconButton(c.caption, BS_PUSHBUTTON, this);
        icon->SetFlat(false);
        button = icon;
      } else {
        button = new QPushButton(caption, this);
      }
      button->setAutoDefault(false);
      connect(button, &QPushButton::clicked, this, [this, id] { Notify(id, ::Notify::kClicked); });
      w = button;
      break;
    }
    case ControlKind::kGroup: {
      if (id == kIdValueBox)
        w = new CValueBox(caption, dynamic_cast<CBlockParamPage*>(m_pPage), this);
      else
        w = new QGroupBox(caption, this);
      w->setAttribute(Qt::WA_TransparentForMouseEvents);
      break;
    }
    case ControlKind::kCombo: {
      auto* combo = new QComboBox(this);
      for (const CString& item : c.items) combo->addItem(ToQString(item));
      combo->setCurrentIndex(-1);
      connect(combo, &QComboBox::activated, this, [this, id] { Notify(id, ::Notify::kSelChange); });
      rect.setHeight(std::min(rect.height(), combo->sizeHint().height()));
      w = combo;
      break;
    }
    case ControlKind::kSpin:
      w = new CSpinButtons(this, [this, id](int delta) { StepSpin(id, delta); });
      break;
    case ControlKind::kList: {
      auto* list = new QListWidget(this);
      for (const CString& item : c.items) list->addItem(ToQString(item));
      connect(list, &QListWidget::itemClicked, this, [this, id] { Notify(id, ::Notify::kSelChange); });
      connect(list, &QListWidget::itemDoubleClicked, this, [this, id] { Notify(id, ::Notify::kDblClick); });
      w = list;
      break;
    }
    case ControlKind::kTree: {
      auto* tree = new QTreeWidget(this);
      tree->setHeaderHidden(c.items.empty());
      tree->setColumnCount(std::max(1, static_cast<int>(c.items.size())));
      if (!c.items.empty()) {
        // Rows in columns: no branches, the columns shared out by the width.
        QStringList headers;
        for (const CString& h : c.items) headers << ToQString(h);
        tree->setHeaderLabels(headers);
        tree->setRootIsDecorated(false);
        tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
        const int columns = static_cast<int>(c.items.size());
        for (int i = 0; i + 1 < columns; ++i) tree->setColumnWidth(i, (rect.width() - 4) * 28 / 64);
      }
      connect(tree, &QTreeWidget::currentItemChanged, this, [this, id] { Notify(id, ::Notify::kSelChange); });
      connect(tree, &QTreeWidget::itemDoubleClicked, this, [this, id] { Notify(id, ::Notify::kDblClick); });
      w = tree;
      break;
    }
    case ControlKind::kLine: {
      auto* line = new QFrame(this);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      w = line;
      break;
    }
  }
  w->setObjectName(QStringLiteral("ctl%1").arg(id));
  w->setGeometry(rect);
  w->setEnabled((c.style & kStyleDisabled) == 0);
  if (c.style & kStyleNoTabStop) w->setFocusPolicy(Qt::NoFocus);
  // Resting the mouse on a control shows its tip: the control and its parts see the moves.
  w->setMouseTracking(true);
  for (QWidget* part : w->findChildren<QWidget*>()) part->setMouseTracking(true);
  if (c.kind == ControlKind::kGroup) w->lower();
  Entry e;
  e.desc = c;
  e.widget = w;
  e.shown = (c.style & kStyleHidden) == 0;
  w->setVisible(e.shown);
  m_controls[id] = std::move(e);
  // A control beyond the page (the value box) makes the page larger.
  const QSize need(std::max(minimumWidth(), rect.right() + 1), std::max(minimumHeight(), rect.bottom() + 1));
  if (need != minimumSize()) setMinimumSize(need);
}

void CQtPageHost::StepSpin(int id, int delta) {
  const Entry* e = Find(id);
  if (!e || !e->desc.buddy) return;
  const CString text = SpinStepText(e->desc, GetText(e->desc.buddy), e->lower, e->upper, delta);
  if (QWidget* buddy = Control(e->desc.buddy)) buddy->setFocus();
  SetText(e->desc.buddy, text);
}

CString CQtPageHost::GetText(int id) const {
  QWidget* w = Control(id);
  if (const Entry* e = Find(id); e && e->desc.picture != 0) return ToCString(w->accessibleName());
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return ToCString(edit->text());
  if (auto* text = qobject_cast<QPlainTextEdit*>(w)) return ToCString(text->toPlainText());
  if (auto* label = qobject_cast<QLabel*>(w)) return ToCString(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return ToCString(button->text());
  if (auto* group = qobject_cast<QGroupBox*>(w)) return ToCString(group->title());
  if (auto* combo = qobject_cast<QComboBox*>(w))
    return combo->currentIndex() < 0 ? CString() : ToCString(combo->currentText());
  if (auto* list = qobject_cast<QListWidget*>(w))
    return list->currentItem() ? ToCString(list->currentItem()->text()) : CString();
  if (auto* tree = qobject_cast<QTreeWidget*>(w))
    return tree->currentItem() ? ToCString(tree->currentItem()->text(0)) : CString();
  return CString();
}

void CQtPageHost::SetText(int id, const CString& text) {
  QWidget* w = Control(id);
  const QString q = ToQString(text);
  if (const Entry* e = Find(id); e && e->desc.picture != 0) {
    // A picture keeps its caption as its name only.
    w->setAccessibleName(q);
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    // The program's text notifies like typing, even when it is the same.
    if (edit->text() == q) {
      Notify(id, ::Notify::kUpdate);
      Notify(id, ::Notify::kChange);
    } else {
      edit->setText(q);
    }
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    plain->setPlainText(q);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(q);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(q);
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    group->setTitle(q);
  }
}

void CQtPageHost::LimitText(int id, int n) {
  if (auto* edit = qobject_cast<QLineEdit*>(Control(id))) edit->setMaxLength(n > 0 ? n : 32767);
}

int CQtPageHost::GetCheck(int id) const {
  auto* button = qobject_cast<QAbstractButton*>(Control(id));
  return button && button->isChecked() ? 1 : 0;
}

void CQtPageHost::SetCheck(int id, int check) {
  if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) {
    const QSignalBlocker block(button);
    button->setChecked(check != 0);
  }
}

void CQtPageHost::ResetContent(int id) {
  QWidget* w = Control(id);
  if (auto* combo = qobject_cast<QComboBox*>(w)) combo->clear();
  if (auto* list = qobject_cast<QListWidget*>(w)) list->clear();
  if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
    const QSignalBlocker block(tree);
    tree->clear();
  }
}

int CQtPageHost::AddString(int id, const CString& text) {
  QWidget* w = Control(id);
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    const QSignalBlocker block(combo);
    const int keep = combo->currentIndex();
    combo->addItem(ToQString(text));
    combo->setCurrentIndex(keep);
    return combo->count() - 1;
  }
  if (auto* list = qobject_cast<QListWidget*>(w)) {
    list->addItem(ToQString(text));
    return list->count() - 1;
  }
  return -1;
}

namespace {

// The tree items in the order they were added (their index is their data).
std::vector<QTreeWidgetItem*> TreeItems(QTreeWidget* tree) {
  std::vector<QTreeWidgetItem*> items;
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    const int index = (*it)->data(0, Qt::UserRole).toInt();
    if (index >= static_cast<int>(items.size())) items.resize(static_cast<size_t>(index) + 1, nullptr);
    items[static_cast<size_t>(index)] = *it;
  }
  return items;
}

QTreeWidgetItem* TreeItem(QTreeWidget* tree, int index) {
  const std::vector<QTreeWidgetItem*> items = TreeItems(tree);
  return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<size_t>(index)] : nullptr;
}

}  // namespace

int CQtPageHost::AddTreeItem(int id, const CString& text, int parent) {
  auto* tree = qobject_cast<QTreeWidget*>(Control(id));
  if (!tree) return -1;
  const QSignalBlocker block(tree);
  const int index = static_cast<int>(TreeItems(tree).size());
  QTreeWidgetItem* above = TreeItem(tree, parent);
  auto* item = above ? new QTreeWidgetItem(above) : new QTreeWidgetItem(tree);
  const QStringList columns = ToQString(text).split(QLatin1Char('\t'));
  for (int i = 0; i < columns.size() && i < tree->columnCount(); ++i) item->setText(i, columns[i]);
  item->setData(0, Qt::UserRole, index);
  if (above) above->setExpanded(true);
  return index;
}

int CQtPageHost::GetCount(int id) const {
  QWidget* w = Control(id);
  if (auto* tree = qobject_cast<QTreeWidget*>(w)) return static_cast<int>(TreeItems(tree).size());
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->count();
  if (auto* list = qobject_cast<QListWidget*>(w)) return list->count();
  return 0;
}

int CQtPageHost::GetCurSel(int id) const {
  QWidget* w = Control(id);
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentIndex();
  if (auto* list = qobject_cast<QListWidget*>(w)) return list->currentRow();
  if (auto* tree = qobject_cast<QTreeWidget*>(w))
    return tree->currentItem() ? tree->currentItem()->data(0, Qt::UserRole).toInt() : -1;
  return -1;
}

void CQtPageHost::SetPictureState(int id, int state) {
  if (auto* picture = dynamic_cast<CPictureView*>(Control(id))) picture->SetState(state);
}

int CQtPageHost::GetPictureState(int id) const {
  const auto* picture = dynamic_cast<const CPictureView*>(Control(id));
  return picture ? picture->State() : -1;
}

void CQtPageHost::SetCurSel(int id, int index) {
  QWidget* w = Control(id);
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  }
  if (auto* list = qobject_cast<QListWidget*>(w)) {
    const QSignalBlocker block(list);
    list->setCurrentRow(index);
  }
  if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
    const QSignalBlocker block(tree);
    tree->setCurrentItem(TreeItem(tree, index));
  }
}

std::vector<int> CQtPageHost::GetSelectedItems(int id) const {
  auto* tree = qobject_cast<QTreeWidget*>(Control(id));
  if (!tree || tree->selectionMode() != QAbstractItemView::ExtendedSelection)
    return CControlHost::GetSelectedItems(id);
  std::vector<int> rows;
  for (const QTreeWidgetItem* item : tree->selectedItems())
    rows.push_back(item->data(0, Qt::UserRole).toInt());
  std::sort(rows.begin(), rows.end());
  return rows;
}

CString CQtPageHost::GetItemText(int id, int index) const {
  QWidget* w = Control(id);
  if (auto* combo = qobject_cast<QComboBox*>(w))
    return index >= 0 && index < combo->count() ? ToCString(combo->itemText(index)) : CString();
  if (auto* list = qobject_cast<QListWidget*>(w))
    return index >= 0 && index < list->count() ? ToCString(list->item(index)->text()) : CString();
  if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
    const QTreeWidgetItem* item = TreeItem(tree, index);
    if (!item) return CString();
    QStringList columns;
    for (int i = 0; i < tree->columnCount(); ++i) columns << item->text(i);
    while (columns.size() > 1 && columns.back().isEmpty() && tree->columnCount() == 1) columns.removeLast();
    return ToCString(columns.join(QLatin1Char('\t')));
  }
  return CString();
}

void CQtPageHost::SetRange(int id, int lower, int upper) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  it->second.lower = lower;
  it->second.upper = upper;
}

void CQtPageHost::Enable(int id, bool enable) {
  if (QWidget* w = Control(id)) w->setEnabled(enable);
}

bool CQtPageHost::IsEnabled(int id) const {
  QWidget* w = Control(id);
  return w && w->isEnabled();
}

void CQtPageHost::Show(int id, bool show) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  it->second.shown = show;
  it->second.widget->setVisible(show);
}

bool CQtPageHost::IsVisible(int id) const {
  const Entry* e = Find(id);
  return e && e->shown;
}

void CQtPageHost::MoveControl(int id, const CRect& rect) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  it->second.desc.rect = rect;
  QRect pixels = ToPixels(rect);
  if (qobject_cast<QComboBox*>(it->second.widget))
    pixels.setHeight(std::min(pixels.height(), it->second.widget->sizeHint().height()));
  it->second.widget->setGeometry(pixels);
}

void CQtPageHost::SetFocus(int id) {
  if (QWidget* w = Control(id)) w->setFocus(Qt::OtherFocusReason);
}

int CQtPageHost::GetFocus() const {
  const QWidget* focus = focusWidget();
  for (const auto& [id, e] : m_controls)
    if (e.widget == focus || (focus && e.widget->isAncestorOf(focus))) return id;
  return 0;
}

void CQtPageHost::SetTip(int id, const CString& text) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  Entry& e = it->second;
  e.tipProvider = nullptr;
  e.tip = text;
  // The control's tool goes and comes back with the new text.
  m_tip.RemoveTool(e.widget, static_cast<UINT>(id));
  if (!text.IsEmpty()) m_tip.AddTool(e.widget, text, nullptr, static_cast<UINT>(id));
}

void CQtPageHost::SetTipProvider(int id, std::function<CString()> provider) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  Entry& e = it->second;
  e.tip.Empty();
  e.tipProvider = std::move(provider);
  m_tip.RemoveTool(e.widget, static_cast<UINT>(id));
  if (e.tipProvider) m_tip.AddCallbackTool(e.widget, nullptr, static_cast<UINT>(id));
}

CString CQtPageHost::GetTip(int id) const {
  const Entry* e = Find(id);
  if (!e) return CString();
  return e->tipProvider ? e->tipProvider() : e->tip;
}

void CQtPageHost::SetTabOrder(const std::vector<int>& ids) {
  QWidget* previous = nullptr;
  for (int id : ids) {
    QWidget* w = Control(id);
    if (!w) continue;
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void CQtPageHost::Repaint() {
  if (QWidget* box = Control(kIdValueBox)) box->update();
}
