#include "editor/gui/sim_bars.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/diagram_editor.h"
#include "editor/scan_driver.h"
#include "model/block_obj.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"

namespace {

enum class IconKind { kPower, kStart, kStop, kPause, kResume, kStep, kClock };

// The bar's icons, drawn in code.
QIcon DrawIcon(IconKind kind) {
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case IconKind::kPower:
      p.setPen(QPen(QColor(200, 0, 0), 2.2));
      p.drawArc(QRectF(4, 4, 12, 12), 120 * 16, 300 * 16);
      p.drawLine(QPointF(10, 2.5), QPointF(10, 10));
      break;
    case IconKind::kStart:
    case IconKind::kResume: {
      QPainterPath path;
      path.moveTo(6, 4);
      path.lineTo(16, 10);
      path.lineTo(6, 16);
      path.closeSubpath();
      p.fillPath(path, QColor(0, 150, 0));
      break;
    }
    case IconKind::kStop:
      p.fillRect(QRectF(5, 5, 10, 10), QColor(180, 0, 0));
      break;
    case IconKind::kPause:
      p.fillRect(QRectF(5, 4, 3.5, 12), QColor(0, 0, 160));
      p.fillRect(QRectF(11.5, 4, 3.5, 12), QColor(0, 0, 160));
      break;
    case IconKind::kStep: {
      QPainterPath path;
      path.moveTo(4, 4);
      path.lineTo(12, 10);
      path.lineTo(4, 16);
      path.closeSubpath();
      p.fillPath(path, QColor(0, 120, 160));
      p.fillRect(QRectF(13, 4, 3, 12), QColor(0, 120, 160));
      break;
    }
    case IconKind::kClock:
      p.setPen(QPen(Qt::black, 1.6));
      p.drawEllipse(QRectF(3, 3, 14, 14));
      p.drawLine(QPointF(10, 10), QPointF(10, 5));
      p.drawLine(QPointF(10, 10), QPointF(14, 10));
      break;
  }
  return QIcon(pixmap);
}

QToolButton* MakeButton(QWidget* parent, IconKind icon, const QString& tip, const QString& name) {
  auto* b = new QToolButton(parent);
  b->setIcon(DrawIcon(icon));
  b->setToolTip(tip);
  b->setObjectName(name);
  b->setAutoRaise(true);
  return b;
}

// The step amount of a "##:##" text in the unit's steps (hundredths of a
// second for s, seconds for m, minutes for h).
int StepAmount(const QString& text, int unit) {
  const QStringList parts = text.split(u':');
  const int high = parts.value(0).trimmed().toInt();
  const int low = parts.value(1).trimmed().toInt();
  return high * (unit == SIM_UNIT_SECONDS ? 100 : 60) + low;
}

bool IsDigitalInput(const CBlockObj* b) { return b->m_nType == 600 || b->m_nType == 611; }

}  // namespace

// ---- CSimControlBar -------------------------------------------------------------------------

CSimControlBar::CSimControlBar(CDiagramEditor& core, QWidget* parent) : QWidget(parent), m_core(core) {
  setObjectName(QStringLiteral("simControlBar"));
  setWindowTitle(QStringLiteral("Simulation Control"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  m_pPower = MakeButton(this, IconKind::kPower, QStringLiteral("Power"), QStringLiteral("simPower"));
  m_pPower->setCheckable(true);
  m_pStart = MakeButton(this, IconKind::kStart, QStringLiteral("Start Simulation"), QStringLiteral("simStart"));
  m_pStop = MakeButton(this, IconKind::kStop, QStringLiteral("Stop Simulation"), QStringLiteral("simStop"));
  m_pSuspend = MakeButton(this, IconKind::kPause, QStringLiteral("Suspend/Resume simulation"),
                          QStringLiteral("simSuspend"));
  m_pStep = MakeButton(this, IconKind::kStep, QStringLiteral("Perform Simulation in stepping mode"),
                       QStringLiteral("simStep"));
  m_pCycles = new QSpinBox(this);
  m_pCycles->setObjectName(QStringLiteral("simCycles"));
  m_pCycles->setRange(1, 9999);
  m_pCycles->setValue(1);
  m_pTime = new QLineEdit(QStringLiteral("01:00"), this);
  m_pTime->setObjectName(QStringLiteral("simTime"));
  m_pTime->setInputMask(QStringLiteral("99:99"));
  m_pTime->setMaximumWidth(60);
  m_pTime->hide();
  m_pUnit = new QComboBox(this);
  m_pUnit->setObjectName(QStringLiteral("simUnit"));
  m_pUnit->addItems({QStringLiteral("Cycles"), QStringLiteral("s"), QStringLiteral("m"), QStringLiteral("h")});
  m_pRemaining = new QLabel(this);
  m_pRemaining->hide();
  m_pClock = new QLabel(this);
  m_pClock->setObjectName(QStringLiteral("simClock"));
  m_pClock->setMinimumWidth(90);
  m_pSetClock = MakeButton(this, IconKind::kClock, QStringLiteral("Set date/time-of-day for the simulation"),
                           QStringLiteral("simSetClock"));
  for (QWidget* w : std::initializer_list<QWidget*>{m_pPower, m_pStart, m_pStop, m_pSuspend, m_pStep, m_pCycles,
                                                     m_pTime, m_pUnit, m_pRemaining, m_pClock, m_pSetClock})
    row->addWidget(w);
  row->addStretch(1);
  CScanDriver& driver = m_core.GetScanDriver();
  connect(m_pPower, &QToolButton::pressed, this, [this, &driver] {
    driver.PowerDown();
    m_pPower->setChecked(true);
    emit changed();
  });
  connect(m_pPower, &QToolButton::released, this, [this, &driver] {
    driver.PowerUp();
    m_pPower->setChecked(false);
    emit changed();
  });
  connect(m_pStart, &QToolButton::clicked, this, [this, &driver] {
    driver.Start();
    emit changed();
  });
  connect(m_pStop, &QToolButton::clicked, this, [this, &driver] {
    driver.Stop();
    emit changed();
  });
  connect(m_pSuspend, &QToolButton::clicked, this, [this, &driver] {
    driver.SuspendResume();
    emit changed();
  });
  connect(m_pStep, &QToolButton::clicked, this, [this] { OnStep(); });
  connect(m_pUnit, &QComboBox::currentIndexChanged, this, [this] { OnUnitChange(); });
  connect(m_pSetClock, &QToolButton::clicked, this, [this] { OnSetClock(); });
  Refresh();
}

void CSimControlBar::ReleasePowerButton() {
  if (!m_pPower->isChecked() && !m_pPower->isDown()) return;
  m_pPower->setDown(false);
  m_core.GetScanDriver().PowerUp();
  m_pPower->setChecked(false);
  emit changed();
}

void CSimControlBar::OnStep() {
  const int unit = m_pUnit->currentIndex();
  const int amount = unit == SIM_UNIT_CYCLES ? m_pCycles->value() : StepAmount(m_pTime->text(), unit);
  m_core.GetScanDriver().Step(unit, amount);
  emit changed();
}

void CSimControlBar::OnUnitChange() {
  const bool cycles = m_pUnit->currentIndex() == SIM_UNIT_CYCLES;
  m_pCycles->setVisible(cycles);
  m_pTime->setVisible(!cycles);
}

void CSimControlBar::OnSetClock() {
  CSimClockDlg dlg(m_core, this);
  dlg.exec();
  emit changed();
}

void CSimControlBar::Refresh() {
  const CScanDriver& driver = m_core.GetScanDriver();
  const int run = driver.GetSimRunState();
  const int step = driver.GetSimStepState();
  m_pStart->setEnabled(!driver.IsStopEnabled());
  m_pStop->setEnabled(driver.IsStopEnabled());
  m_pSuspend->setEnabled(run > SIM_STOPPED);
  m_pSuspend->setIcon(DrawIcon(run == SIM_RUNNING ? IconKind::kPause : IconKind::kResume));
  m_pStep->setEnabled(step > SIM_STEP_OFF);
  const bool editable = step == SIM_STEP_READY;
  m_pCycles->setEnabled(editable);
  m_pTime->setEnabled(editable);
  m_pUnit->setEnabled(editable);
  const bool stepping = step == SIM_STEP_STEPPING;
  m_pRemaining->setVisible(stepping);
  if (stepping) {
    const int rest = driver.GetStepRemaining();
    const int unit = m_pUnit->currentIndex();
    m_pRemaining->setText(unit == SIM_UNIT_CYCLES ? QString::number(rest)
                                                   : QStringLiteral("%1:%2 %3")
                                                         .arg(rest / (unit == SIM_UNIT_SECONDS ? 100 : 60), 2, 10, QChar(u'0'))
                                                         .arg(rest % (unit == SIM_UNIT_SECONDS ? 100 : 60), 2, 10, QChar(u'0'))
                                                         .arg(m_pUnit->currentText()));
  }
  m_pClock->setText(ToQString(driver.FormatSimulatedTime(FALSE, 2)));
}

// ---- CSimClockDlg ---------------------------------------------------------------------------

CSimClockDlg::CSimClockDlg(CDiagramEditor& core, QWidget* parent) : QDialog(parent), m_core(core) {
  setObjectName(QStringLiteral("simClockDlg"));
  setWindowTitle(QStringLiteral("Set Clock"));
  auto* layout = new QVBoxLayout(this);
  m_pEdit = new QDateTimeEdit(this);
  m_pEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  m_pEdit->setMinimumDateTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
  m_pEdit->setMaximumDateTime(QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59)));
  const SYSTEMTIME now = core.GetScanDriver().GetSimulatedTime();
  m_pEdit->setDateTime(QDateTime(QDate(now.wYear, now.wMonth, now.wDay), QTime(now.wHour, now.wMinute, now.wSecond)));
  layout->addWidget(m_pEdit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  // The clock is set at once on every change, as the running simulation shows it.
  connect(m_pEdit, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.date().year());
    st.wMonth = static_cast<WORD>(t.date().month());
    st.wDay = static_cast<WORD>(t.date().day());
    st.wDayOfWeek = static_cast<WORD>(t.date().dayOfWeek() % 7);
    st.wHour = static_cast<WORD>(t.time().hour());
    st.wMinute = static_cast<WORD>(t.time().minute());
    st.wSecond = static_cast<WORD>(t.time().second());
    m_core.GetScanDriver().SetSimulatedTime(st);
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// ---- CSimIoBar ------------------------------------------------------------------------------

CSimIoBar::CSimIoBar(CDiagramEditor& core, bool inputs, QWidget* parent)
    : QWidget(parent), m_core(core), m_bInputs(inputs) {
  setObjectName(inputs ? QStringLiteral("simInputsBar") : QStringLiteral("simOutputsBar"));
  m_pLayout = new QHBoxLayout(this);
  m_pLayout->setContentsMargins(4, 2, 4, 2);
  m_pLayout->setSpacing(2);
  Rebuild();
}

void CSimIoBar::Rebuild() {
  for (Item& item : m_items) delete item.control;
  m_items.clear();
  while (QLayoutItem* item = m_pLayout->takeAt(0)) delete item;
  CZaradDoc* doc = m_core.GetDocument();
  std::vector<CBlockObj*> blocks;
  for (CBlockObj* b : doc->m_blocks) {
    const int t = b->m_nType;
    if (m_bInputs ? (t == 600 || t == 611 || t == 608) : (t == 605 || t == 609)) blocks.push_back(b);
  }
  std::sort(blocks.begin(), blocks.end(), [](const CBlockObj* a, const CBlockObj* b) {
    return a->m_nType != b->m_nType ? a->m_nType > b->m_nType : a->m_nNumber < b->m_nNumber;
  });
  for (CBlockObj* b : blocks) {
    const int t = b->m_nType;
    QString caption;
    switch (t) {
      case 600: caption = QStringLiteral("I%1").arg(b->m_nNumber - 100); break;
      case 611: caption = QStringLiteral("F%1").arg(b->m_nNumber - 1300); break;
      case 608: caption = QStringLiteral("AI%1").arg(b->m_nNumber - 4000); break;
      case 605: caption = QStringLiteral("Q%1").arg(b->m_nNumber - 600); break;
      default: caption = QStringLiteral("AQ%1").arg(b->m_nNumber - 4230); break;
    }
    QWidget* control = nullptr;
    if (IsDigitalInput(b)) {
      auto* button = new QToolButton(this);
      button->setText(caption);
      button->setCheckable(true);
      button->setObjectName(caption);
      connect(button, &QToolButton::toggled, this, [this, b](bool on) {
        if ((b->m_nValue[kFirstOutputPin] != 0) == on) return;
        b->m_nValue[kFirstOutputPin] = on ? 1 : 0;
        b->m_bChanged[kFirstOutputPin] = 1;
        emit changed();
      });
      control = button;
    } else if (t == 605) {
      auto* lamp = new QLabel(caption, this);
      lamp->setObjectName(caption);
      lamp->setAlignment(Qt::AlignCenter);
      lamp->setMinimumSize(30, 24);
      lamp->setFrameShape(QFrame::Panel);
      lamp->setAutoFillBackground(true);
      control = lamp;
    } else {
      auto* box = new QWidget(this);
      box->setObjectName(caption);
      auto* column = new QVBoxLayout(box);
      column->setContentsMargins(0, 0, 0, 0);
      column->setSpacing(0);
      if (m_bInputs) {
        auto* value = new QSpinBox(box);
        value->setRange(-99999, 99999);
        value->setValue(b->m_nSimValue);
        connect(value, &QSpinBox::valueChanged, this, [this, b](int v) {
          b->m_nSimValue = v;
          emit changed();
        });
        column->addWidget(value);
      } else {
        auto* value = new QLineEdit(box);
        value->setReadOnly(true);
        value->setMaximumWidth(80);
        column->addWidget(value);
      }
      column->addWidget(new QLabel(caption, box), 0, Qt::AlignHCenter);
      control = box;
    }
    m_pLayout->addWidget(control);
    m_items.push_back({b, control});
  }
  m_pLayout->addStretch(1);
  Refresh();
}

void CSimIoBar::Refresh() {
  for (const Item& item : m_items) {
    CBlockObj* b = item.block;
    const bool on = b->m_nValue[kFirstOutputPin] != 0;
    if (auto* button = qobject_cast<QToolButton*>(item.control)) {
      if (button->isChecked() != on) {
        const QSignalBlocker block(button);
        button->setChecked(on);
      }
    } else if (auto* lamp = qobject_cast<QLabel*>(item.control)) {
      QPalette palette = lamp->palette();
      palette.setColor(QPalette::Window, on ? QColor(255, 210, 0) : QColor(200, 200, 200));
      lamp->setPalette(palette);
      lamp->setProperty("lit", on);
    } else if (auto* value = item.control->findChild<QLineEdit*>()) {
      value->setText(QString::number(b->m_nWordValue));
    }
  }
}

QWidget* CSimIoBar::Control(const QString& caption) const {
  for (const auto& item : m_items)
    if (item.control->objectName() == caption) return item.control;
  return nullptr;
}
