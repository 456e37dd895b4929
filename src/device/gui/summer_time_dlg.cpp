#include "device/gui/summer_time_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "device/device_dialog_rules.h"
#include "pages/date_select_dlg.h"
#include "pages/gui/qt_page_dialog.h"
#include "pages/page_dialog.h"
#include "platform/cstring.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

namespace {

// The integer an edit reads, when it reads one.
bool EditInt(const QLineEdit* edit, int* value) {
  bool ok = false;
  const int v = edit->text().trimmed().toInt(&ok);
  if (ok) *value = v;
  return ok;
}

void SetEditInt(QLineEdit* edit, int value) {
  const QSignalBlocker block(edit);
  edit->setText(QString::number(value));
}

}  // namespace

// ---- CSummerTimeDlg ----------------------------------------------------------------------

CSummerTimeDlg::CSummerTimeDlg(DeviceSettings& settings, Poster post, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_post(std::move(post)) {
  setObjectName("summerTimeDlg");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QtCaption("SummerTime/WinterTime"));
  const SummerTimeSettings& s = m_settings.summer;

  m_pActive = new QCheckBox(QtCaption("Active summertime/wintertime conversion"), this);
  m_pActive->setObjectName("summerActive");
  m_pActive->setChecked(s.enabled);
  m_pRule = new QComboBox(this);
  m_pRule->setObjectName("summerRule");
  for (const char* rule : {"EU", "UK", "US", "Australia", "Tasmania", "New Zealand", "Freely adjustable"})
    m_pRule->addItem(QtCaption(rule));
  m_pRule->setCurrentIndex(s.ruleIndex >= 0 && s.ruleIndex <= kSummerRuleFree ? s.ruleIndex : 0);

  auto edit = [this](const char* name, int length, int value) {
    auto* e = new QLineEdit(QString::number(value), this);
    e->setObjectName(name);
    e->setMaxLength(length);
    e->setFixedWidth(48);
    return e;
  };
  auto group = [&](const char* title, Group& g, const char* monthName, const char* dayName, int month,
                   int day, const char* pickName, QWidget** pick) {
    g.month = edit(monthName, 2, month);
    g.day = edit(dayName, 2, day);
    auto* box = new QGroupBox(QtCaption(title), this);
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel(QtCaption("Month"), box));
    row->addWidget(g.month);
    row->addWidget(new QLabel(QtCaption("Day"), box));
    row->addWidget(g.day);
    auto* button = new QPushButton("...", box);
    button->setObjectName(pickName);
    button->setAutoDefault(false);
    row->addWidget(button);
    *pick = button;
    const Group copy = g;
    connect(g.month, &QLineEdit::textChanged, this, [this, copy] { OnMonthChanged(copy); });
    connect(g.day, &QLineEdit::textChanged, this, [this, copy] { OnDayChanged(copy); });
    connect(button, &QPushButton::clicked, this, [this, copy] { OnPick(copy); });
    return box;
  };
  QGroupBox* start =
      group("Start", m_start, "startMonth", "startDay", s.startMonth, s.startDay, "startPick", &m_pStartPick);
  QGroupBox* end = group("End", m_end, "endMonth", "endDay", s.endMonth, s.endDay, "endPick", &m_pEndPick);
  m_pDifference = edit("summerDifference", 3, s.difference);
  connect(m_pDifference, &QLineEdit::textChanged, this, [this] {
    int v = 0;
    if (EditInt(m_pDifference, &v) && ClampTimeDifference(v) != v)
      SetEditInt(m_pDifference, ClampTimeDifference(v));
  });
  auto* difference = new QGroupBox(QtCaption("Time difference"), this);
  auto* diffRow = new QHBoxLayout(difference);
  diffRow->addWidget(m_pDifference);
  diffRow->addWidget(new QLabel(QtCaption("Minutes"), difference));
  diffRow->addStretch();

  auto* ruleBox = new QGroupBox(QtCaption("Daylight Saving Time"), this);
  auto* ruleRow = new QVBoxLayout(ruleBox);
  ruleRow->addWidget(m_pRule);

  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOK(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pActive);
  layout->addWidget(ruleBox);
  layout->addWidget(start);
  layout->addWidget(end);
  layout->addWidget(difference);
  layout->addWidget(buttons);

  connect(m_pActive, &QCheckBox::toggled, this, [this] { ApplyEnabling(); });
  connect(m_pRule, &QComboBox::currentIndexChanged, this, [this] { ApplyEnabling(); });
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect r = screen->geometry();
    move(r.width() / 2 - 100, r.height() / 2 - 100);
  }
  ApplyEnabling();
}

void CSummerTimeDlg::ApplyEnabling() {
  const bool on = SummerDateEditsEnabled(m_pActive->isChecked(), m_pRule->currentIndex());
  for (QLineEdit* e : {m_start.month, m_start.day, m_end.month, m_end.day, m_pDifference}) e->setEnabled(on);
}

void CSummerTimeDlg::OnMonthChanged(const Group& g) {
  int month = 0;
  if (!EditInt(g.month, &month)) return;
  const int fixed = ClampMonth(month);
  if (fixed != month) SetEditInt(g.month, fixed);
  int day = 0;
  if (EditInt(g.day, &day) && day > MonthLastDay(fixed)) SetEditInt(g.day, MonthLastDay(fixed));
}

void CSummerTimeDlg::OnDayChanged(const Group& g) {
  int day = 0;
  if (!EditInt(g.day, &day)) return;
  int month = 1;
  EditInt(g.month, &month);
  const int fixed = ClampDay(day, ClampMonth(month));
  if (fixed != day) SetEditInt(g.day, fixed);
}

void CSummerTimeDlg::OnPick(const Group& g) {
  int month = 1, day = 1;
  EditInt(g.month, &month);
  EditInt(g.day, &day);
  bool picked = false;
  if (m_picker) {
    picked = m_picker(&month, &day);
  } else {
    // The start date is the dialog's first pair, the end date its second;
    // February 29 is not offered for a rule that recurs every year.
    InstallQtPageDialogRunner();
    CDateSelectDlg dlg;
    const bool start = g.month == m_start.month;
    dlg.m_bEditFirst = start ? 1 : 0;
    dlg.m_bAllowFeb29 = 0;
    int& pickedMonth = start ? dlg.m_nFirstMonth : dlg.m_nSecondMonth;
    int& pickedDay = start ? dlg.m_nFirstDay : dlg.m_nSecondDay;
    pickedMonth = month;
    pickedDay = day;
    picked = RunPageDialog(dlg) == IDOK;
    month = pickedMonth;
    day = pickedDay;
  }
  if (!picked) return;
  SetEditInt(g.month, ClampMonth(month));
  SetEditInt(g.day, ClampDay(day, ClampMonth(month)));
}

bool CSummerTimeDlg::TakeInt(QLineEdit* edit, int min, int max, int* out) {
  int v = 0;
  if (!EditInt(edit, &v) || v < min || v > max) {
    CString text;
    text.Format(u"Please enter an integer between %d and %d.", min, max);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    edit->setFocus();
    edit->selectAll();
    return false;
  }
  *out = v;
  return true;
}

void CSummerTimeDlg::OnOK() {
  SummerTimeSettings s = m_settings.summer;
  s.enabled = m_pActive->isChecked();
  if (!TakeInt(m_end.day, 1, 31, &s.endDay) || !TakeInt(m_end.month, 1, 12, &s.endMonth) ||
      !TakeInt(m_start.day, 1, 31, &s.startDay) || !TakeInt(m_start.month, 1, 12, &s.startMonth) ||
      !TakeInt(m_pDifference, 0, 180, &s.difference))
    return;
  s.ruleIndex = m_pRule->currentIndex();
  m_settings.summer = s;
  m_post(kSummerTimeWrite);
  accept();
}
