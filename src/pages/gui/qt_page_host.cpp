#include "pages/gui/qt_page_host.h"

#include <qdrawutil.h>

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
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "controls/gui/flat_icon_button.h"
#include "controls/gui/picture_view.h"
#include "controls/gui/valid_edit.h"
#include "pages/block_param_page.h"
#include "pages/param_page.h"
#include "platform/gui/qt_dc.h"
#include "platform/gui/qt_string.h"
#include "platform/string_table.h"

namespace {

constexpr int kMaxNumberDigits = 9;
// A tree item's own text as the page added it (its columns show in the interface's language).
constexpr int kOwnText = Qt::UserRole + 1;

// A group box of a page: its frame's top line runs through the middle of its
// title, so that the controls of the page's template, placed for such frames,
// keep clear of both.
class CPageGroupBox : public QGroupBox {
 public:
  CPageGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QFontMetrics fm(font());
    const QString text = title();
    // An etched line (the styles draw their own frames lower, below the title).
    qDrawShadeRect(&painter, rect().adjusted(0, text.isEmpty() ? 0 : fm.height() / 2, 0, 0), palette(), true,
                   1);
    if (text.isEmpty()) return;
    const QRect label(6, 0, fm.horizontalAdvance(text) + 4, fm.height());
    painter.fillRect(label, palette().color(QPalette::Window));
    style()->drawItemText(&painter, label, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                          text, QPalette::WindowText);
  }
};

// The "Current Parameter Value" group box, which draws the page's live value
// through the page's own drawing code.
class CValueBox : public CPageGroupBox {
 public:
  CValueBox(const QString& title, CBlockParamPage* page, QWidget* parent)
      : CPageGroupBox(title, parent), m_pPage(page) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    CPageGroupBox::paintEvent(event);
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
  m_pageSize = RawPixels(CRect(0, 0, desc.size.cx, desc.size.cy)).size();
  setMinimumSize(m_pageSize);
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
  m_bBuilding = false;
  Fit(0);
  Recollapse();
}

CQtPageHost::~CQtPageHost() = default;

QRect CQtPageHost::RawPixels(const CRect& r) const {
  const int left = static_cast<int>(std::lround(r.left * m_baseX / 4));
  const int top = static_cast<int>(std::lround(r.top * m_baseY / 8));
  const int right = static_cast<int>(std::lround(r.right * m_baseX / 4));
  const int bottom = static_cast<int>(std::lround(r.bottom * m_baseY / 8));
  return QRect(left, top, right - left, bottom - top);
}

QRect CQtPageHost::ToPixels(const CRect& r) const {
  return ThroughBands(RawPixels(r), true, true);
}

QSize CQtPageHost::ToPixels(const CSize& s) const {
  return ThroughBands(RawPixels(CRect(0, 0, s.cx, s.cy)), true, true).size();
}

bool CQtPageHost::Stretches(const ControlDesc& c, bool rows) const {
  if (!rows) return c.kind != ControlKind::kSpin;
  switch (c.kind) {
    case ControlKind::kGroup:
    case ControlKind::kList:
    case ControlKind::kTree:
      return true;
    case ControlKind::kEdit:
      return (c.style & kStyleMultiLine) != 0;
    case ControlKind::kStatic:
      return c.rect.Height() > 16;  // a label of several lines
    default:
      return false;
  }
}

QRect CQtPageHost::ThroughBands(QRect r, bool wide, bool tall) const {
  // Edges as [left, right) and [top, bottom): a band moves what lies beyond its
  // line and widens (or heightens) what spans it, if the control grows that way.
  int left = r.left(), right = r.left() + r.width(), top = r.top(), bottom = r.top() + r.height();
  for (const Band& b : m_bands) {
    int& lo = b.rows ? top : left;
    int& hi = b.rows ? bottom : right;
    if (lo >= b.at) {
      lo += b.size;
      hi += b.size;
    } else if (hi >= b.at && (b.rows ? tall : wide)) {
      hi += b.size;
    }
  }
  return QRect(left, top, right - left, bottom - top);
}

QRect CQtPageHost::Place(const ControlDesc& c) const {
  return ThroughBands(RawPixels(c.rect), Stretches(c, false), Stretches(c, true));
}

QRect CQtPageHost::Shown(const Entry& e) const {
  QRect shown = e.rect;
  if (auto* combo = qobject_cast<QComboBox*>(e.widget))
    shown.setHeight(e.comboHeight > 0 ? e.comboHeight
                                      : std::min(e.rect.height(), combo->sizeHint().height()));
  return shown;
}

int CQtPageHost::Collapsed(int y) const {
  int up = 0;
  for (const auto& [at, size] : m_collapsed) {
    if (y >= at + size)
      up += size;
    else if (y > at)
      up += y - at;
  }
  return y - up;
}

QRect CQtPageHost::Collapsed(const QRect& r) const {
  const int top = Collapsed(r.top());
  return QRect(r.left(), top, r.width(), Collapsed(r.top() + r.height()) - top);
}

void CQtPageHost::SetRect(Entry& e, const QRect& r) {
  e.rect = r;
  e.widget->setGeometry(Collapsed(Shown(e)));
  for (const Follower& f : m_followers)
    if (f.id == e.desc.id && f.window) f.window->setGeometry(Collapsed(r.marginsRemoved(f.inset)));
}

void CQtPageHost::Recollapse() {
  // Rows where only hidden controls stand (a section the page shows in other
  // cases) close up, so that the page shows no empty band; they open again
  // when a control there shows.
  std::vector<std::pair<int, int>> hidden, shown;
  for (const auto& [id, e] : m_controls) {
    const QRect r = Shown(e);
    (e.shown ? shown : hidden).push_back({r.top(), r.top() + r.height()});
  }
  std::sort(hidden.begin(), hidden.end());
  std::vector<std::pair<int, int>> strips;  // [from, to) covered by hidden controls only
  for (const auto& [from, to] : hidden) {
    if (!strips.empty() && from <= strips.back().second)
      strips.back().second = std::max(strips.back().second, to);
    else
      strips.push_back({from, to});
  }
  std::vector<std::pair<int, int>> collapsed;
  for (auto [from, to] : strips) {
    // Cut out what shown controls cover; what is left closes.
    std::vector<std::pair<int, int>> pieces{{from, to}};
    for (const auto& [a, b] : shown) {
      std::vector<std::pair<int, int>> next;
      for (const auto& [p, q] : pieces) {
        if (b <= p || a >= q) {
          next.push_back({p, q});
          continue;
        }
        if (a > p) next.push_back({p, a});
        if (b < q) next.push_back({b, q});
      }
      pieces.swap(next);
    }
    for (const auto& [p, q] : pieces)
      if (q - p >= Gap()) collapsed.push_back({p, q - p});
  }
  if (collapsed == m_collapsed) return;
  m_collapsed = collapsed;
  for (auto& [id, e] : m_controls) SetRect(e, e.rect);
  UpdateMinimumSize();
}

void CQtPageHost::Follow(QWidget* window, int id, const QMargins& inset) {
  m_followers.push_back({window, id, inset});
  if (const Entry* e = Find(id)) window->setGeometry(Collapsed(e->rect.marginsRemoved(inset)));
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
    SetRect(e, Place(c));
    SetText(c.id, c.caption);
    Show(c.id, true);
    Fit(c.id);
    return;
  }
  const int id = c.id;
  const QString caption = ToQString(CaptionText(c.caption));
  QWidget* w = nullptr;
  const QRect rect = Place(c);
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
      label->setTextFormat(Qt::PlainText);
      label->setAlignment((c.style & kStyleRight)    ? Qt::AlignRight | Qt::AlignVCenter
                          : (c.style & kStyleCentre) ? Qt::AlignHCenter | Qt::AlignVCenter
                                                     : Qt::AlignLeft | Qt::AlignVCenter);
      label->setWordWrap(rect.height() > 2 * QFontMetrics(font()).height());
      w = label;
      break;
    }
    case ControlKind::kEdit: {
      if (c.style & kStyleMultiLine) {
        auto* edit = new QPlainTextEdit(ToQString(c.caption), this);
        if (c.style & kStyleReadOnly) edit->setReadOnly(true);
        connect(edit, &QPlainTextEdit::textChanged, this, [this, id] {
          Notify(id, ::Notify::kUpdate);
          Notify(id, ::Notify::kChange);
        });
        w = edit;
      } else {
        // Number edits take digits only, from the keyboard, a paste or the program.
        QLineEdit* edit =
            (c.style & kStyleNumber) ? new CIntegerEdit(-kMaxNumberDigits, this) : new QLineEdit(this);
        edit->setText(ToQString(c.caption));
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
        w = new CPageGroupBox(caption, this);
      w->setAttribute(Qt::WA_TransparentForMouseEvents);
      break;
    }
    case ControlKind::kCombo: {
      auto* combo = new QComboBox(this);
      for (const CString& item : c.items) combo->addItem(ToQString(CaptionText(item)), ToQString(item));
      combo->setCurrentIndex(-1);
      connect(combo, &QComboBox::activated, this, [this, id] { Notify(id, ::Notify::kSelChange); });
      w = combo;
      break;
    }
    case ControlKind::kSpin:
      w = new CSpinButtons(this, [this, id](int delta) { StepSpin(id, delta); });
      break;
    case ControlKind::kList: {
      auto* list = new QListWidget(this);
      for (const CString& item : c.items) {
        auto* row = new QListWidgetItem(ToQString(CaptionText(item)), list);
        row->setData(Qt::UserRole, ToQString(item));
      }
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
        for (const CString& h : c.items) headers << ToQString(CaptionText(h));
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
  w->setEnabled((c.style & kStyleDisabled) == 0);
  if (c.style & kStyleNoTabStop) w->setFocusPolicy(Qt::NoFocus);
  // Resting the mouse on a control shows its tip: the control and its parts see the moves.
  w->setMouseTracking(true);
  for (QWidget* part : w->findChildren<QWidget*>()) part->setMouseTracking(true);
  if (c.kind == ControlKind::kGroup) w->lower();
  Entry& e = m_controls[id];
  e.desc = c;
  e.widget = w;
  e.text = c.caption;
  e.shown = (c.style & kStyleHidden) == 0;
  w->setVisible(e.shown);
  QRect placed = rect;
  if (!m_bBuilding && c.kind == ControlKind::kGroup) {
    // A frame added below a page (the value box) goes below the page's controls it would meet.
    int below = placed.top();
    for (const auto& [other, o] : m_controls)
      if (other != id && !qobject_cast<QGroupBox*>(o.widget) && Shown(o).intersects(placed))
        below = std::max(below, Shown(o).top() + Shown(o).height() + Gap());
    placed.moveTop(below);
  }
  SetRect(e, placed);
  // A control beyond the page (the value box) makes the page larger.
  const QRect shown = Shown(e);
  m_pageSize = m_pageSize.expandedTo(QSize(shown.right() + 1, shown.bottom() + 1));
  UpdateMinimumSize();
  if (!m_bBuilding) {
    Fit(id);
    Recollapse();
  }
}

void CQtPageHost::UpdateMinimumSize() {
  const QSize size(m_pageSize.width(), Collapsed(m_pageSize.height()));
  if (size != minimumSize()) setMinimumSize(size);
}

void CQtPageHost::StepSpin(int id, int delta) {
  const Entry* e = Find(id);
  if (!e || !e->desc.buddy) return;
  const CString text = SpinStepText(e->desc, GetText(e->desc.buddy), e->lower, e->upper, delta);
  if (QWidget* buddy = Control(e->desc.buddy)) buddy->setFocus();
  SetText(e->desc.buddy, text);
}

CString CQtPageHost::GetText(int id) const {
  const Entry* e = Find(id);
  QWidget* w = e ? e->widget : nullptr;
  if (e && e->desc.picture != 0) return e->text;  // a picture's caption is its name
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return ToCString(edit->text());
  if (auto* text = qobject_cast<QPlainTextEdit*>(w)) return ToCString(text->toPlainText());
  // Labels, buttons and group boxes: the page's own caption.
  if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w))
    return e->text;
  if (auto* combo = qobject_cast<QComboBox*>(w))
    return combo->currentIndex() < 0 ? CString() : ToCString(combo->currentData().toString());
  if (auto* list = qobject_cast<QListWidget*>(w))
    return list->currentItem() ? ToCString(list->currentItem()->data(Qt::UserRole).toString()) : CString();
  if (auto* tree = qobject_cast<QTreeWidget*>(w))
    return tree->currentItem()
               ? ToCString(tree->currentItem()->data(0, kOwnText).toString().section(QLatin1Char('\t'), 0, 0))
               : CString();
  return CString();
}

void CQtPageHost::SetText(int id, const CString& text) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  QWidget* w = it->second.widget;
  if (it->second.desc.picture != 0) {
    // A picture keeps its caption as its name only.
    it->second.text = text;
    w->setAccessibleName(ToQString(CaptionText(text)));
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    const QString q = ToQString(text);
    // The program's text notifies like typing, even when it is the same.
    if (edit->text() == q) {
      Notify(id, ::Notify::kUpdate);
      Notify(id, ::Notify::kChange);
    } else {
      edit->setText(q);
    }
    return;
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    plain->setPlainText(ToQString(text));
    return;
  }
  it->second.text = text;
  const QString shown = ToQString(CaptionText(text));
  if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(shown);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(shown);
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    group->setTitle(shown);
  } else {
    return;
  }
  Fit(id);
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
  auto it = m_controls.find(id);
  if (it != m_controls.end()) it->second.widestItem = -1;
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
  int index = -1;
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    const QSignalBlocker block(combo);
    const int keep = combo->currentIndex();
    combo->addItem(ToQString(CaptionText(text)), ToQString(text));
    combo->setCurrentIndex(keep);
    index = combo->count() - 1;
  } else if (auto* list = qobject_cast<QListWidget*>(w)) {
    auto* row = new QListWidgetItem(ToQString(CaptionText(text)), list);
    row->setData(Qt::UserRole, ToQString(text));
    index = list->count() - 1;
  } else {
    return -1;
  }
  // Only the new item can ask for more: the widest so far grows by it.
  if (auto it = m_controls.find(id); it != m_controls.end() && it->second.widestItem >= 0)
    it->second.widestItem = std::max(it->second.widestItem,
                                     QFontMetrics(w->font()).horizontalAdvance(ToQString(CaptionText(text))));
  Fit(id);
  return index;
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
  for (int i = 0; i < columns.size() && i < tree->columnCount(); ++i)
    item->setText(i, ToQString(CaptionText(ToCString(columns[i]))));
  item->setData(0, Qt::UserRole, index);
  item->setData(0, kOwnText, ToQString(text));
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
    return index >= 0 && index < combo->count() ? ToCString(combo->itemData(index).toString()) : CString();
  if (auto* list = qobject_cast<QListWidget*>(w))
    return index >= 0 && index < list->count() ? ToCString(list->item(index)->data(Qt::UserRole).toString())
                                               : CString();
  if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
    const QTreeWidgetItem* item = TreeItem(tree, index);
    return item ? ToCString(item->data(0, kOwnText)
                                .toString()
                                .section(QLatin1Char('\t'), 0, tree->columnCount() - 1))
                : CString();
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
  if (it->second.shown == show) return;
  it->second.shown = show;
  it->second.widget->setVisible(show);
  if (!m_bBuilding) Recollapse();
}

bool CQtPageHost::IsVisible(int id) const {
  const Entry* e = Find(id);
  return e && e->shown;
}

void CQtPageHost::MoveControl(int id, const CRect& rect) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) return;
  it->second.desc.rect = rect;
  it->second.comboHeight = 0;
  SetRect(it->second, Place(it->second.desc));
  Fit(id);
  Recollapse();
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

// ---- Fitting the controls to their texts ------------------------------------------------

int CQtPageHost::WidestItem(const Entry& e, const QFontMetrics& fm) const {
  if (e.widestItem >= 0) return e.widestItem;
  int width = 0;
  if (auto* combo = qobject_cast<QComboBox*>(e.widget))
    for (int i = 0; i < combo->count(); ++i)
      width = std::max(width, fm.horizontalAdvance(combo->itemText(i)));
  if (auto* list = qobject_cast<QListWidget*>(e.widget))
    for (int i = 0; i < list->count(); ++i)
      width = std::max(width, fm.horizontalAdvance(list->item(i)->text()));
  e.widestItem = width;
  return width;
}

QSize CQtPageHost::Need(const Entry& e) const {
  QWidget* w = e.widget;
  const QFontMetrics fm(w->font());
  QStyle* style = w->style();
  auto widest = [&fm](const QString& text) {
    int width = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
      width = std::max(width, fm.horizontalAdvance(line));
    return width;
  };
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->text().isEmpty()) return QSize();
    if (label->wordWrap()) return QSize(0, label->heightForWidth(e.rect.width()));
    return QSize(widest(label->text()) + 2, fm.height() * (static_cast<int>(label->text().count('\n')) + 1));
  }
  if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
    auto* button = static_cast<QAbstractButton*>(w);
    if (button->text().isEmpty()) return QSize();
    const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
    const int indicator =
        style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr,
                           w) +
        style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing,
                           nullptr, w);
    return QSize(indicator + widest(button->text()) + 4, fm.height());
  }
  if (auto* button = qobject_cast<QPushButton*>(w)) {
    if (button->text().isEmpty()) return QSize();
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
                       style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    return QSize(widest(button->text()) + 2 * margin + 2, fm.height() + 4);
  }
  if (auto* group = qobject_cast<QGroupBox*>(w)) {
    if (group->title().isEmpty()) return QSize();
    return QSize(fm.horizontalAdvance(group->title()) + 2 * fm.averageCharWidth() + 8, 0);
  }
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    const int width = WidestItem(e, fm);
    if (width == 0) return QSize();
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.rect = QRect(0, 0, e.rect.width(), combo->sizeHint().height());
    const QRect field =
        style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    return QSize(e.rect.width() - field.width() + width + 8, 0);
  }
  if (auto* list = qobject_cast<QListWidget*>(w)) {
    const int width = WidestItem(e, fm);
    if (width == 0) return QSize();
    const int frame = 2 * list->frameWidth();
    const int rows = list->count() * (fm.height() + 2);
    const int bar =
        rows > e.rect.height() - frame ? style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w) : 0;
    return QSize(width + frame + bar + 10, 0);
  }
  return QSize();
}

void CQtPageHost::Fit(int id) {
  if (m_bBuilding) return;
  // A band can give another control a frame to keep clear of: again until nothing moves.
  const size_t before = m_bands.size();
  for (int pass = 0; pass < 8; ++pass) {
    const size_t bands = m_bands.size();
    if (id == 0) {
      for (auto& entry : m_controls) FitEntry(entry.second);
    } else if (auto it = m_controls.find(id); it != m_controls.end()) {
      FitEntry(it->second);
    }
    if (m_bands.size() == bands) break;
  }
  if (m_bands.size() != before) Recollapse();
}

int CQtPageHost::BestCut(const Entry& e, bool rows) const {
  // The band goes through the control where it disturbs the page least: it
  // widens the fewest other controls and parts the fewest labels from the
  // fields beside them; at the control's far edge when several lines do
  // equally well.
  const QRect c = e.rect;
  auto lo = [rows](const QRect& r) { return rows ? r.top() : r.left(); };
  auto hi = [rows](const QRect& r) { return rows ? r.top() + r.height() : r.left() + r.width(); };
  auto across = [rows](const QRect& a, const QRect& b) {
    return rows ? a.left() < b.left() + b.width() && b.left() < a.left() + a.width()
                : a.top() < b.top() + b.height() && b.top() < a.top() + a.height();
  };
  const int from = lo(c), to = hi(c);
  std::vector<int> lines{to};
  for (const auto& [id, o] : m_controls)
    for (int x : {lo(o.rect), hi(o.rect)})
      if (x > from && x < to) lines.push_back(x);
  int best = to, bestCost = std::numeric_limits<int>::max();
  for (int at : lines) {
    int cost = 0;
    for (const auto& [id, o] : m_controls) {
      if (&o == &e || qobject_cast<QGroupBox*>(o.widget)) continue;
      if (Stretches(o.desc, rows) && lo(o.rect) < at && hi(o.rect) >= at) ++cost;  // widened
      if (lo(o.rect) < at) continue;
      for (const auto& [id2, p] : m_controls)  // parted from its neighbour
        if (&p != &o && !qobject_cast<QGroupBox*>(p.widget) && across(o.rect, p.rect) && hi(p.rect) <= at &&
            lo(o.rect) - hi(p.rect) <= 2 * Gap()) {
          cost += 2;
          break;
        }
    }
    if (cost < bestCost || (cost == bestCost && at > best)) {
      best = at;
      bestCost = cost;
    }
  }
  return best;
}

int CQtPageHost::Gap() const {
  return std::max(2, static_cast<int>(std::lround(m_baseX / 2)));  // two dialog units
}

void CQtPageHost::FitEntry(Entry& e) {
  const QSize need = Need(e);
  for (const bool down : {false, true}) {
    int missing = down ? need.height() - e.rect.height() : need.width() - e.rect.width();
    if (missing <= 0) continue;
    // Free room beside the control first, then a band through the page.
    const int take = std::min(missing, RoomBeyond(e, down));
    QRect r = e.rect;
    if (down)
      r.setHeight(r.height() + take);
    else
      r.setWidth(r.width() + take);
    SetRect(e, r);
    missing -= take;
    if (missing > 0) InsertBand(down, BestCut(e, down), missing);
  }
  if (qobject_cast<QComboBox*>(e.widget)) FitComboHeight(e);
  if (!qobject_cast<QGroupBox*>(e.widget)) KeepInsideFrames(e);
}

void CQtPageHost::FitComboHeight(Entry& e) {
  // A drop-down list's rectangle includes its list; the box itself is as high
  // as its style asks, or as the next control below leaves room for.
  auto* combo = static_cast<QComboBox*>(e.widget);
  const int want = std::min(e.rect.height(), combo->sizeHint().height());
  const int least = QFontMetrics(combo->font()).height() + 6;
  int below = std::numeric_limits<int>::max();
  for (const auto& [id, o] : m_controls) {
    if (&o == &e || qobject_cast<QGroupBox*>(o.widget)) continue;
    const QRect q = Shown(o);
    // Controls of the row below; those beside the box or in its place start near its top.
    if (q.left() < e.rect.left() + e.rect.width() && q.left() + q.width() > e.rect.left() &&
        q.top() >= e.rect.top() + least / 2)
      below = std::min(below, q.top());
  }
  const int room = below == std::numeric_limits<int>::max() ? want : below - e.rect.top() - 1;
  int height = std::min(want, room);
  if (height < least) {
    InsertBand(true, below, least - height, e.desc.id);
    height = least;
  }
  if (height != e.comboHeight) {
    e.comboHeight = height;
    SetRect(e, e.rect);
  }
}

void CQtPageHost::KeepInsideFrames(Entry& e) {
  constexpr int kInset = 3;  // the frame's line and a pixel of air
  for (const auto& [id, o] : m_controls) {
    auto* group = qobject_cast<QGroupBox*>(o.widget);
    if (!group || &o == &e) continue;
    const QRect c = Shown(e);
    const QRect g = o.rect;
    if (!c.intersects(g)) continue;
    const int title = group->title().isEmpty() ? kInset : QFontMetrics(group->font()).height();
    const int cBottom = c.top() + c.height(), gBottom = g.top() + g.height();
    const int cRight = c.left() + c.width(), gRight = g.left() + g.width();
    if (c.top() < g.top()) {
      // Reaching above the frame (the value box below a page's last row): the
      // frame moves below the control.
      InsertBand(true, g.top(), cBottom + Gap() - g.top(), e.desc.id);
      return;
    }
    if (!g.contains(c.center())) continue;
    if (c.top() < g.top() + title) {
      InsertBand(true, c.top(), g.top() + title - c.top());
      return;
    }
    if (cBottom > gBottom - kInset) {
      InsertBand(true, gBottom, cBottom - (gBottom - kInset), e.desc.id);
      return;
    }
    if (c.left() >= g.left() && c.left() < g.left() + kInset) {
      InsertBand(false, c.left(), g.left() + kInset - c.left());
      return;
    }
    if (c.left() >= g.left() && cRight > gRight - kInset) {
      InsertBand(false, gRight, cRight - (gRight - kInset), e.desc.id);
      return;
    }
  }
}

int CQtPageHost::RoomBeyond(const Entry& e, bool down) const {
  const QRect r = Shown(e);
  const int inset = std::max(4, static_cast<int>(std::lround(m_baseX)));  // four units inside a frame
  const int far = down ? r.top() + r.height() : r.left() + r.width();
  int limit = (down ? m_pageSize.height() : m_pageSize.width()) - inset;
  for (const auto& [id, o] : m_controls) {
    if (&o == &e) continue;
    const QRect q = Shown(o);
    if (qobject_cast<QGroupBox*>(o.widget) && q.contains(r)) {
      limit = std::min(limit, (down ? q.top() + q.height() : q.left() + q.width()) - inset);
      continue;
    }
    if (q.intersects(r)) continue;  // a control that stands in its place at other times
    const bool across = down ? q.left() < r.left() + r.width() && q.left() + q.width() > r.left()
                             : q.top() < r.top() + r.height() && q.top() + q.height() > r.top();
    const int near = down ? q.top() : q.left();
    if (across && near >= far) limit = std::min(limit, near - Gap());
  }
  return std::max(0, limit - far);
}

void CQtPageHost::InsertBand(bool rows, int at, int size, int keep) {
  if (size <= 0) return;
  m_bands.push_back({rows, at, size});
  for (auto& [id, e] : m_controls) {
    QRect r = e.rect;
    int lo = rows ? r.top() : r.left();
    int hi = lo + (rows ? r.height() : r.width());
    if (lo >= at) {
      lo += size;
      hi += size;
    } else if (hi >= at && id != keep && Stretches(e.desc, rows)) {
      hi += size;
    } else {
      continue;
    }
    if (rows)
      r = QRect(r.left(), lo, r.width(), hi - lo);
    else
      r = QRect(lo, r.top(), hi - lo, r.height());
    SetRect(e, r);
  }
  if (rows)
    m_pageSize.setHeight(std::max(m_pageSize.height() + size, at + size));
  else
    m_pageSize.setWidth(std::max(m_pageSize.width() + size, at + size));
  UpdateMinimumSize();
}
