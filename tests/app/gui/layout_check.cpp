#include "app/gui/layout_check.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QStyleOptionSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdlib>

#include "controls/gui/embossed_static.h"
#include "platform/gui/qt_string.h"
#include "platform/string_table.h"

namespace {

QString Describe(QWidget* w) {
  QString text;
  if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
  if (auto* group = qobject_cast<QGroupBox*>(w)) text = group->title();
  QString name = QString::fromLatin1(w->metaObject()->className());
  if (!w->objectName().isEmpty()) name += QLatin1Char('#') + w->objectName();
  if (!text.isEmpty()) name += QStringLiteral(" \"%1\"").arg(text.left(40));
  return name;
}

// The text as shown: mnemonics taken out, a menu item's keys after the tab left off.
QString Shown(QString text) {
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  if (tab >= 0) text.truncate(tab);
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QRegularExpression(QStringLiteral("\\(&[A-Za-z0-9]\\)")));  // "文件(&F)"
  text.remove(QLatin1Char('&'));
  text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return text;
}

int TextWidth(const QFontMetrics& fm, const QString& text) {
  return fm.size(0, Shown(text)).width();
}

// The English words that a Chinese interface keeps: names of devices, protocols,
// operands, units and the like.
const QSet<QString>& KeptWords() {
  static const QSet<QString> words = [] {
    QSet<QString> s;
    for (const char* w :
         {"AI",    "AQ",   "AM",     "AND",    "OR",   "NOT",  "NAND",  "NOR",    "XOR",    "PC",    "PLC",
          "FBD",   "LAD",  "COM",    "PI",     "PWM",  "MUX",  "LCD",   "WiFi",   "Modbus", "RTU",   "ASC",
          "UDC",   "CRC",  "BCD",    "BIN",    "ROL",  "ROR",  "SHL",   "SHR",    "MEM",    "RAND",  "GCD",
          "LCM",   "TH",   "TL",     "ms",     "bps",  "IP",   "SSID",  "DHCP",   "TCP",    "ID",    "MI",
          "OT",    "Ax",   "Ay",     "En",     "Trg",  "Par",  "Cnt",   "Dir",    "Inv",    "No",    "Ral",
          "Fre",   "Sel",  "St",     "PV",     "Lap",  "TD",   "BMP",   "bmp",    "CHM",    "mA",    "mV",
          "kHz",   "Hz",   "h",      "m",      "s",    "min",  "Pt",    "Ni",     "PT",     "NI",    "MAC",
          "USB",   "OK",   "Zovuzi", "Editor", "bfb",  "bld",  "PDF",   "pdf",    "ln",     "log",   "sin",
          "cos",   "tan",  "cot",    "sec",    "csc",  "sqrt", "abs",   "exp",    "mod",    "rem",   "e",
          "x",     "y",    "a",      "b",      "c",    "A",    "B",     "M",      "Q",      "I",     "F",
          "P",     "T",    "R",      "S",      "K",    "V",    "L",     "H",      "C",      "N",     "X",
          "Y",     "Z",    "D",      "E",      "G",    "J",    "O",     "U",      "W",      "CH",    "EN",
          "DE",    "FR",   "IT",     "ES",     "NL",   "TR",   "RU",    "GBK",    "UTF",    "ASCII", "HEX",
          "Hex",   "DEC",  "Ctrl",   "Shift",  "Alt",  "Del",  "Esc",   "Enter",  "Tab",    "PgUp",  "PgDn",
          "F1",    "AS",   "SW",     "FW",     "HW",   "CPU",  "RAM",   "EEPROM", "RTC",    "Tx",    "Rx",
          "TX",    "RX",   "GND",    "VDC",    "VAC",  "DC",   "AC",    "RS",     "DI",     "DO",    "NC",
          "NO",    "STOP", "RUN",    "CW",     "CCW",  "TRUE", "FALSE", "KC",     "TI",     "SP",    "Mq",
          "sqrt",  "dir",  "Amp",    "GMT",    "WIFI", "IM",   "VM",    "VAM",    "SC",     "TC",    "CS",
          "MN",    "rpm",  "ATP",    "HTML",   "Bx",   "LED",  "FW",    "Dunri",  "Pomri",  "Rilo",  "Semka",
          "Velka", "WPA"}) {
      s.insert(QString::fromLatin1(w));
    }
    return s;
  }();
  return words;
}

bool IsChinese() {
  return g_LanguageIsChinese != 0;
}

}  // namespace

void LayoutChecker::Problem(const QString& where, QWidget* widget, const QString& what) {
  m_problems << QStringLiteral("%1: %2: %3").arg(where, widget ? Describe(widget) : QString(), what);
}

void LayoutChecker::CheckText(const QString& raw, QWidget* widget, const QString& where) {
  if (!IsChinese()) return;
  const QString text = Shown(raw).trimmed();
  // Paths (serial devices, files) and lists of languages by their own names stay as they are.
  if (text.isEmpty() || text.startsWith(QLatin1Char('/')) ||
      (widget && widget->property("ownLanguageNames").toBool()))
    return;
  const CString chinese = LookupCaption(ToCString(text));
  if (!chinese.IsEmpty() && chinese != ToCString(text)) {
    Problem(where, widget, QStringLiteral("still English: \"%1\"").arg(text));
    return;
  }
  // A text the program formats from one of the table's texts, or puts together from them.
  if (CaptionText(ToCString(text)) != ToCString(text)) {
    Problem(where, widget, QStringLiteral("still English: \"%1\"").arg(text));
    return;
  }
  // Words made of letters only, standing between other characters than letters and
  // digits, or before a number ("Diagram1"); a path within the text (a file a message
  // names) keeps its own spelling.
  static const QRegularExpression path(QStringLiteral("(?<![A-Za-z0-9_.])/[^\\s,\\x{3000}-\\x{ffff}]*"));
  static const QRegularExpression word(QStringLiteral("(?<![A-Za-z0-9_])[A-Za-z]{2,}(?![A-Za-z_])"));
  QString words = text;
  words.replace(path, QStringLiteral(" "));
  QStringList english;
  for (auto it = word.globalMatch(words); it.hasNext();) {
    const QString w = it.next().captured();
    if (!KeptWords().contains(w)) english << w;
  }
  if (!english.isEmpty())
    Problem(where, widget,
            QStringLiteral("English words in \"%1\": %2").arg(text, english.join(QLatin1Char(' '))));
}

void LayoutChecker::Check(QWidget* window, const QString& name) {
  if (!window) {
    m_problems << name + QStringLiteral(": no window");
    return;
  }
  window->ensurePolished();
  QCoreApplication::processEvents();
  CheckText(window->windowTitle(), window, name);
  CheckWidget(window, window, name);
  Shot(window, name);
}

void LayoutChecker::CheckAllTabs(QWidget* window, const QString& name) {
  const QList<QTabWidget*> tabs = window->findChildren<QTabWidget*>();
  if (tabs.isEmpty()) {
    Check(window, name);
    return;
  }
  for (QTabWidget* tab : tabs) {
    if (!tab->isVisibleTo(window)) continue;
    const int keep = tab->currentIndex();
    for (int i = 0; i < tab->count(); ++i) {
      tab->setCurrentIndex(i);
      QCoreApplication::processEvents();
      if (tab->currentIndex() != i) {
        m_problems << QStringLiteral("%1: tab %2 could not be shown").arg(name).arg(i);
        continue;
      }
      Check(window, QStringLiteral("%1 [%2 %3]").arg(name).arg(i + 1).arg(Shown(tab->tabText(i))));
    }
    tab->setCurrentIndex(keep);
  }
}

void LayoutChecker::Shot(QWidget* window, const QString& name) {
  const char* folder = std::getenv("ZOVUZI_LAYOUT_SHOTS");
  if (!folder || !*folder) return;
  QString file = name;
  file.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9\\x{4e00}-\\x{9fa5}]+")), QStringLiteral("_"));
  QDir().mkpath(QString::fromLocal8Bit(folder));
  window->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(file + QStringLiteral(".png")));
}

void LayoutChecker::CheckWidget(QWidget* w, QWidget* window, const QString& where) {
  const QFontMetrics fm(w->font());
  QStyle* style = w->style();

  if (auto* label = qobject_cast<QLabel*>(w)) {
    const QString text = label->text();
    if (text.isEmpty() || !label->pixmap().isNull()) return;
    CheckText(text, w, where);
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
      return;
    const QRect room =
        label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    if (label->wordWrap()) {
      if (label->heightForWidth(label->width()) > label->height())
        Problem(where, w,
                QStringLiteral("wrapped text needs %1 px, has %2")
                    .arg(label->heightForWidth(label->width()))
                    .arg(label->height()));
      return;
    }
    const QSize need = fm.size(label->buddy() ? Qt::TextShowMnemonic : 0, text);
    if (need.width() > room.width() || fm.height() > room.height() + 1)
      Problem(where, w,
              QStringLiteral("text needs %1x%2, has %3x%4")
                  .arg(need.width())
                  .arg(need.height())
                  .arg(room.width())
                  .arg(room.height()));
    return;
  }
  if (auto* emboss = dynamic_cast<CEmbossedStatic*>(w)) {
    const QString text = ToQString(emboss->GetWindowText());
    CheckText(text, w, where);
    const QSize need = fm.size(0, text);
    if (need.width() + 4 > w->width() || need.height() > w->height())
      Problem(where, w,
              QStringLiteral("text needs %1x%2, has %3x%4")
                  .arg(need.width())
                  .arg(need.height())
                  .arg(w->width())
                  .arg(w->height()));
    return;
  }
  if (auto* group = qobject_cast<QGroupBox*>(w)) {
    if (!group->title().isEmpty()) {
      CheckText(group->title(), w, where);
      QStyleOptionGroupBox option;
      option.initFrom(group);
      option.text = group->title();
      option.lineWidth = 1;
      option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
      option.textAlignment = group->alignment();
      const QRect label =
          style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
      if (label.left() + TextWidth(fm, group->title()) > group->width() - 4)
        Problem(where, w,
                QStringLiteral("title needs %1 px, has %2")
                    .arg(label.left() + TextWidth(fm, group->title()))
                    .arg(group->width() - 4));
    }
    CheckChildren(w, window, where);
    return;
  }
  if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    const QString text = button->text();
    if (text.isEmpty()) return;
    if (auto* tool = qobject_cast<QToolButton*>(w); tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
      return;
    CheckText(text, w, where);
    QRect room = button->rect();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    if (qobject_cast<QCheckBox*>(w))
      room = style->subElementRect(QStyle::SE_CheckBoxContents, &option, button);
    else if (qobject_cast<QRadioButton*>(w))
      room = style->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
    else if (qobject_cast<QPushButton*>(w))
      room = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    else
      room = button->rect().adjusted(3, 2, -3, -2);
    const QSize need(TextWidth(fm, text), fm.height());
    if (need.width() > room.width() || need.height() > room.height() + 2)
      Problem(where, w,
              QStringLiteral("text needs %1x%2, has %3x%4")
                  .arg(need.width())
                  .arg(need.height())
                  .arg(room.width())
                  .arg(room.height()));
    return;
  }
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    const QRect field =
        style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    for (int i = 0; i < combo->count(); ++i) {
      const QString text = combo->itemText(i);
      CheckText(text, w, where);
      const int need =
          fm.horizontalAdvance(text) + (combo->itemIcon(i).isNull() ? 0 : combo->iconSize().width() + 4);
      if (need > field.width() - 2)
        Problem(
            where, w,
            QStringLiteral("entry \"%1\" needs %2 px, has %3").arg(text).arg(need).arg(field.width() - 2));
    }
    if (combo->height() < fm.height() + 2)
      Problem(where, w, QStringLiteral("%1 px high for text of %2").arg(combo->height()).arg(fm.height()));
    return;
  }
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.buttonSymbols = spin->buttonSymbols();
    option.subControls =
        QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.frame = spin->hasFrame();
    const QRect field = style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, spin);
    const QString text = spin->text();
    if (fm.horizontalAdvance(text) > field.width() - 4)
      Problem(where, w,
              QStringLiteral("value \"%1\" needs %2 px, has %3")
                  .arg(text)
                  .arg(fm.horizontalAdvance(text))
                  .arg(field.width() - 4));
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    if (edit->echoMode() != QLineEdit::Normal || edit->text().isEmpty()) return;
    const int room = edit->width() - 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit) - 4 -
                     edit->textMargins().left() - edit->textMargins().right();
    if (fm.horizontalAdvance(edit->text()) > room)
      Problem(where, w,
              QStringLiteral("text \"%1\" needs %2 px, has %3")
                  .arg(edit->text())
                  .arg(fm.horizontalAdvance(edit->text()))
                  .arg(room));
    return;
  }
  if (auto* dock = qobject_cast<QDockWidget*>(w)) CheckText(dock->windowTitle(), w, where);
  if (auto* tabs = qobject_cast<QTabBar*>(w)) {
    for (int i = 0; i < tabs->count(); ++i) {
      if (!tabs->isTabVisible(i)) continue;
      const QString text = tabs->tabText(i);
      CheckText(text, w, where);
      const QRect r = tabs->tabRect(i);
      const int need =
          TextWidth(fm, text) + style->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, tabs) / 2;
      if (r.left() < 0 || r.right() >= tabs->width() + 1 || r.bottom() >= tabs->height() + 1)
        Problem(where, w, QStringLiteral("tab \"%1\" lies outside the bar").arg(text));
      else if (need > r.width())
        Problem(where, w,
                QStringLiteral("tab \"%1\" needs %2 px, has %3").arg(text).arg(need).arg(r.width()));
    }
    return;
  }
  if (auto* tabWidget = qobject_cast<QTabWidget*>(w)) {
    CheckWidget(tabWidget->tabBar(), window, where);
    if (QWidget* page = tabWidget->currentWidget()) CheckChildren(page, window, where);
    return;
  }
  if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
    view->doItemsLayout();
    if (view->horizontalScrollBar()->maximum() > 0 &&
        view->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
      Problem(where, w, QStringLiteral("needs a horizontal scroll bar for its items"));
    if (auto* list = qobject_cast<QListWidget*>(w)) {
      const int room = list->viewport()->width() - 4;
      for (int i = 0; i < list->count() && i < 500; ++i) {
        const QString text = list->item(i)->text();
        CheckText(text, w, where);
        if (fm.horizontalAdvance(text) > room)
          Problem(where, w,
                  QStringLiteral("item \"%1\" needs %2 px, has %3")
                      .arg(text)
                      .arg(fm.horizontalAdvance(text))
                      .arg(room));
      }
    }
    if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
      if (!tree->isHeaderHidden()) {
        for (int c = 0; c < tree->columnCount(); ++c) {
          const QString text = tree->headerItem()->text(c);
          CheckText(text, w, where);
          const int need =
              fm.horizontalAdvance(text) + 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, tree);
          if (need > tree->header()->sectionSize(c))
            Problem(where, w,
                    QStringLiteral("heading \"%1\" needs %2 px, has %3")
                        .arg(text)
                        .arg(need)
                        .arg(tree->header()->sectionSize(c)));
        }
      }
      int checked = 0;
      for (QTreeWidgetItemIterator it(tree); *it && checked < 500; ++it, ++checked) {
        QTreeWidgetItem* item = *it;
        for (int c = 0; c < tree->columnCount(); ++c) {
          const QString text = item->text(c);
          if (text.isEmpty()) continue;
          CheckText(text, w, where);
          const QRect cell = tree->visualItemRect(item);
          int room = tree->header()->sectionSize(c);
          if (c == 0) {
            int depth = 0;
            for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) ++depth;
            room -= (depth + (tree->rootIsDecorated() ? 1 : 0)) * tree->indentation();
          }
          room -= 6;
          if (cell.isValid() && fm.horizontalAdvance(text) > room)
            Problem(where, w,
                    QStringLiteral("item \"%1\" needs %2 px, has %3")
                        .arg(text)
                        .arg(fm.horizontalAdvance(text))
                        .arg(room));
        }
      }
    }
    return;
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(w); plain && plain->isReadOnly()) {
    // A text the program writes (a list, a report): each line in the interface's language.
    for (const QString& line : plain->toPlainText().split(QLatin1Char('\n'))) CheckText(line, w, where);
    return;
  }
  if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QProgressBar*>(w) ||
      qobject_cast<QSlider*>(w) || qobject_cast<QScrollBar*>(w) || qobject_cast<QHeaderView*>(w))
    return;
  if (auto* bar = qobject_cast<QMenuBar*>(w)) {
    for (QAction* action : bar->actions()) CheckText(action->text(), w, where);
    return;
  }
  if (auto* tool = qobject_cast<QToolBar*>(w)) {
    (void)tool;
    return;
  }
  CheckChildren(w, window, where);
}

void LayoutChecker::CheckChildren(QWidget* parent, QWidget* window, const QString& where) {
  QList<QWidget*> children;
  for (QObject* o : parent->children()) {
    auto* child = qobject_cast<QWidget*>(o);
    if (!child || child->isWindow() || !child->isVisibleTo(window)) continue;
    // Qt's own parts, but for a message box's text and buttons.
    if (child->objectName().startsWith(QLatin1String("qt_")) &&
        !child->objectName().startsWith(QLatin1String("qt_msgbox")))
      continue;
    children << child;
  }
  const QRect inside = parent->rect();
  for (QWidget* child : children) {
    const QRect r = child->geometry();
    if (!qobject_cast<QDockWidget*>(parent) && !inside.contains(r) && r.intersects(inside))
      Problem(where, child,
              QStringLiteral("reaches out of its parent (%1,%2 %3x%4 in %5x%6)")
                  .arg(r.x())
                  .arg(r.y())
                  .arg(r.width())
                  .arg(r.height())
                  .arg(inside.width())
                  .arg(inside.height()));
  }
  // The frame and title of a group box that holds its controls as children.
  if (auto* group = qobject_cast<QGroupBox*>(parent); group && !group->title().isEmpty()) {
    const QFontMetrics fm(group->font());
    for (QWidget* child : children)
      if (child->geometry().top() < fm.height() / 2 + 2)
        Problem(where, child, QStringLiteral("lies over the title of its group box"));
  }
  for (int i = 0; i < children.size(); ++i) {
    QWidget* a = children[i];
    const QRect ra = a->geometry();
    for (int j = i + 1; j < children.size(); ++j) {
      QWidget* b = children[j];
      const QRect rb = b->geometry();
      if (!ra.intersects(rb)) continue;
      auto* ga = qobject_cast<QGroupBox*>(a);
      auto* gb = qobject_cast<QGroupBox*>(b);
      if (ga || gb) {
        // A control beside a group box frame: wholly inside, clear of the title, or wholly outside.
        QGroupBox* g = ga ? ga : gb;
        QWidget* c = ga ? b : a;
        const QRect frame = g->geometry();
        const QRect rc = c->geometry();
        if (qobject_cast<QGroupBox*>(c) && (frame.contains(rc) || rc.contains(frame))) continue;
        const QFontMetrics fm(g->font());
        const int top = g->title().isEmpty() ? 2 : fm.height();
        const QRect inner = frame.adjusted(2, top, -2, -2);
        if (!inner.contains(rc))
          Problem(where, c, QStringLiteral("crosses the frame of group box \"%1\"").arg(Shown(g->title())));
        continue;
      }
      // A window laid over the page area of a tab control whose pages are empty (the palette's views).
      auto overPages = [](QWidget* tabs, QWidget* x) {
        auto* t = qobject_cast<QTabWidget*>(tabs);
        return t && t->currentWidget() && t->currentWidget()->children().isEmpty() &&
               QRect(t->currentWidget()->mapTo(t->parentWidget(), QPoint()), t->currentWidget()->size())
                   .adjusted(-4, -4, 4, 4)
                   .contains(x->geometry());
      };
      if (overPages(a, b) || overPages(b, a)) continue;
      auto empty = [](QWidget* x) {
        auto* label = qobject_cast<QLabel*>(x);
        return label && label->text().isEmpty() && label->pixmap().isNull();
      };
      if (empty(a) || empty(b)) continue;
      Problem(where, a, QStringLiteral("overlaps %1").arg(Describe(b)));
    }
  }
  for (QWidget* child : children) CheckWidget(child, window, where);
}
