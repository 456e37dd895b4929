#include "device/gui/clock_dlg.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>

#include "device/device_dialog_rules.h"
#include "platform/gui/qt_string.h"
#include "platform/ms_clock.h"

namespace {

QPushButton* Button(QWidget* parent, const char* text, const char* name) {
  auto* b = new QPushButton(QtCaption(text), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

CSetClockDlg::CSetClockDlg(DeviceSettings& settings, Poster post, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_post(std::move(post)) {
  setObjectName("clockDlg");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QtCaption("Clock Setting/Calibration"));
  m_pDate = new QDateEdit(this);
  m_pDate->setObjectName("clockDate");
  m_pDate->setCalendarPopup(true);
  m_pDate->setDisplayFormat("yyyy-MM-dd");
  m_pDate->setDateRange(QDate(2010, 1, 1), QDate(2036, 12, 31));
  auto edit = [this](const char* name, int max) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setMaxLength(2);
    e->setFixedWidth(40);
    connect(e, &QLineEdit::textChanged, this, [this, e, max] { ClampEdit(e, max); });
    return e;
  };
  m_pHour = edit("clockHour", 23);
  m_pMinute = edit("clockMinute", 59);
  m_pSecond = edit("clockSecond", 59);
  m_pCalibration = new QSpinBox(this);
  m_pCalibration->setObjectName("clockCalibration");
  m_pCalibration->setRange(-30, 30);

  auto* clock = new QGroupBox(QtCaption("Clock"), this);
  auto* grid = new QGridLayout(clock);
  grid->addWidget(new QLabel(QtCaption("Date"), clock), 0, 0);
  grid->addWidget(m_pDate, 0, 1, 1, 5);
  grid->addWidget(new QLabel(QtCaption("Hour"), clock), 1, 0);
  grid->addWidget(m_pHour, 1, 1);
  grid->addWidget(new QLabel(QtCaption("Minute"), clock), 1, 2);
  grid->addWidget(m_pMinute, 1, 3);
  grid->addWidget(new QLabel(QtCaption("Second"), clock), 1, 4);
  grid->addWidget(m_pSecond, 1, 5);
  auto* clockButtons = new QHBoxLayout;
  QPushButton* read = Button(clock, "Read", "clockRead");
  QPushButton* write = Button(clock, "Write", "clockWrite");
  QPushButton* now = Button(clock, "Current Time", "clockNow");
  clockButtons->addWidget(read);
  clockButtons->addWidget(write);
  clockButtons->addWidget(now);
  grid->addLayout(clockButtons, 2, 0, 1, 6);

  auto* calibration = new QGroupBox(QtCaption("Calibration"), this);
  auto* row = new QHBoxLayout(calibration);
  row->addWidget(m_pCalibration);
  row->addWidget(new QLabel(QtCaption("Sec/Week"), calibration));
  QPushButton* get = Button(calibration, "Get", "calibrationGet");
  QPushButton* set = Button(calibration, "Set", "calibrationSet");
  row->addWidget(get);
  row->addWidget(set);

  auto* bottom = new QHBoxLayout;
  QPushButton* cancel = Button(this, "Cancel", "clockCancel");
  QPushButton* help = Button(this, "Help", "clockHelp");
  bottom->addStretch();
  bottom->addWidget(cancel);
  bottom->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(clock);
  layout->addWidget(calibration);
  layout->addLayout(bottom);

  connect(read, &QPushButton::clicked, this, [this] { m_post(kClockRead); });
  connect(write, &QPushButton::clicked, this, [this] {
    if (TakeValues()) m_post(kClockWrite);
  });
  connect(now, &QPushButton::clicked, this, [this] { OnCurrentTime(); });
  connect(get, &QPushButton::clicked, this, [this] { m_post(kCalibrationRead); });
  connect(set, &QPushButton::clicked, this, [this] {
    if (TakeValues()) m_post(kCalibrationWrite);
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect r = screen->geometry();
    move(r.width() / 2 - 100, r.height() / 2 - 100);
  }
  // Every opening starts from the PC's clock.
  OnCurrentTime();
}

void CSetClockDlg::ClampEdit(QLineEdit* edit, int max) {
  const QString text = edit->text();
  const int value = ClampClockField(ToCString(text).GetString(), max);
  const QString fixed = QString::number(value);
  if (fixed != text) {
    const QSignalBlocker block(edit);
    edit->setText(fixed);
  }
}

void CSetClockDlg::OnCurrentTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  m_settings.clock.time = now;
  UpdateControls();
}

void CSetClockDlg::UpdateControls() {
  const SYSTEMTIME& t = m_settings.clock.time;
  const QDate date(t.wYear, t.wMonth, t.wDay);
  if (date.isValid()) m_pDate->setDate(date);
  m_pHour->setText(QString::number(t.wHour));
  m_pMinute->setText(QString::number(t.wMinute));
  m_pSecond->setText(QString::number(t.wSecond));
  m_pCalibration->setValue(m_settings.clock.calibration);
}

bool CSetClockDlg::TakeValues() {
  SYSTEMTIME& t = m_settings.clock.time;
  const QDate date = m_pDate->date();
  t.wYear = static_cast<WORD>(date.year());
  t.wMonth = static_cast<WORD>(date.month());
  t.wDay = static_cast<WORD>(date.day());
  t.wDayOfWeek = static_cast<WORD>(date.dayOfWeek() % 7);  // Sunday 0
  t.wHour = static_cast<WORD>(ClampClockField(ToCString(m_pHour->text()).GetString(), 23));
  t.wMinute = static_cast<WORD>(ClampClockField(ToCString(m_pMinute->text()).GetString(), 59));
  t.wSecond = static_cast<WORD>(ClampClockField(ToCString(m_pSecond->text()).GetString(), 59));
  t.wMilliseconds = 0;
  m_settings.clock.calibration = m_pCalibration->value();
  return true;
}
