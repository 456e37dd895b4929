#include "editor/gui/sim_bars.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "blocks/analog_range_tracer.h"
#include "controls/gui/flat_icon_button.h"
#include "controls/gui/valid_edit.h"
#include "editor/command_table.h"
#include "editor/diagram_editor.h"
#include "editor/gui/zarad_view.h"
#include "editor/scan_driver.h"
#include "model/block_eval.h"
#include "model/block_obj.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_keys.h"
#include "platform/gui/qt_string.h"
#include "platform/ms_clock.h"
#include "platform/resource_ids.h"
#include "platform/virtual_keys.h"

namespace {

// The bars' icons, drawn in code, by the ids the buttons remember.
enum IconId : int {
  kIconStart = 176,
  kIconStop = 177,
  kIconResume = 184,
  kIconPause = 186,
  kIconPower = 187,
  kIconPowerDown = 188,
  kIconClock = 191,
  kIconClockDown = 192,
  kIconStepAnim0 = 196,  // 196 to 199: the turning step while a step runs
  kIconStep = 200,
  kIconLampOn = 204,
  kIconLampOff = 209,
};

QPixmap DrawIcon(int id) {
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (id) {
    case kIconPower:
    case kIconPowerDown: {
      const QColor c = id == kIconPowerDown ? QColor(230, 0, 0) : QColor(120, 0, 0);
      if (id == kIconPowerDown) p.fillRect(QRectF(1, 1, 18, 18), QColor(255, 220, 220));
      p.setPen(QPen(c, 2.2));
      p.drawArc(QRectF(4, 4, 12, 12), 120 * 16, 300 * 16);
      p.drawLine(QPointF(10, 2.5), QPointF(10, 10));
      break;
    }
    case kIconStart:
    case kIconResume: {
      QPainterPath path;
      path.moveTo(6, 4);
      path.lineTo(16, 10);
      path.lineTo(6, 16);
      path.closeSubpath();
      p.fillPath(path, QColor(0, 150, 0));
      break;
    }
    case kIconStop:
      p.fillRect(QRectF(5, 5, 10, 10), QColor(180, 0, 0));
      break;
    case kIconPause:
      p.fillRect(QRectF(5, 4, 3.5, 12), QColor(0, 0, 160));
      p.fillRect(QRectF(11.5, 4, 3.5, 12), QColor(0, 0, 160));
      break;
    case kIconClock:
    case kIconClockDown:
      if (id == kIconClockDown) p.fillRect(QRectF(1, 1, 18, 18), QColor(220, 230, 255));
      p.setPen(QPen(Qt::black, 1.6));
      p.drawEllipse(QRectF(3, 3, 14, 14));
      p.drawLine(QPointF(10, 10), QPointF(10, 5));
      p.drawLine(QPointF(10, 10), QPointF(14, 10));
      break;
    case kIconLampOn:
    case kIconLampOff: {
      const bool on = id == kIconLampOn;
      QRadialGradient g(QPointF(8, 8), 9);
      g.setColorAt(0, on ? QColor(255, 255, 180) : QColor(235, 235, 235));
      g.setColorAt(1, on ? QColor(230, 30, 0) : QColor(120, 120, 120));
      p.setBrush(g);
      p.setPen(QPen(Qt::black, 1));
      p.drawEllipse(QRectF(3, 3, 14, 14));
      break;
    }
    default: {
      // The step: a bar and a triangle; while stepping one corner in turn lights.
      QPainterPath path;
      path.moveTo(4, 4);
      path.lineTo(12, 10);
      path.lineTo(4, 16);
      path.closeSubpath();
      p.fillPath(path, QColor(0, 120, 160));
      p.fillRect(QRectF(13, 4, 3, 12), QColor(0, 120, 160));
      if (id >= kIconStepAnim0 && id < kIconStepAnim0 + 4) {
        static const QPointF kCorners[4] = {{3, 3}, {17, 3}, {17, 17}, {3, 17}};
        p.setBrush(QColor(255, 140, 0));
        p.setPen(Qt::NoPen);
        p.drawEllipse(kCorners[id - kIconStepAnim0], 2.5, 2.5);
      }
      break;
    }
  }
  return pixmap;
}

void SetIcon(CFlatIconButton* b, int id) {
  if (b->GetIconId() == id) return;
  b->SetIcon(DrawIcon(id));
  b->SetIconId(id);
}

// A button of the Simulation Control bar: flat, lighter under the mouse.
CFlatIconButton* MakeButton(QWidget* parent, int icon, const QString& tip, const QString& name,
                            UINT style = BS_PUSHBUTTON) {
  auto* b = new CFlatIconButton(CString(), style, parent);
  b->SetIconId(-1);
  SetIcon(b, icon);
  b->ShiftStateColor(BTNST_COLOR_BK_IN, 30);
  b->SetTipText(ToCString(QtCaption(tip)));
  b->setObjectName(name);
  b->setFixedSize(26, 24);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

SYSTEMTIME FromQt(const QDate& date, const QTime& time) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date.year());
  st.wMonth = static_cast<WORD>(date.month());
  st.wDay = static_cast<WORD>(date.day());
  st.wDayOfWeek = static_cast<WORD>(date.dayOfWeek() % 7);
  st.wHour = static_cast<WORD>(time.hour());
  st.wMinute = static_cast<WORD>(time.minute());
  st.wSecond = static_cast<WORD>(time.second());
  return st;
}

bool IsLadderContact(const CBlockObj* b) {
  return b->m_nType >= kTypeMakeContact && b->m_nType <= kTypeAnalogContact;
}

}  // namespace

// ---- Keys ------------------------------------------------------------------------------------

std::vector<UINT> SimBarKeyCommands(const QKeyEvent& key, bool popup, bool simulating, bool* closePopup) {
  if (closePopup) *closePopup = false;
  const bool ctrl = key.modifiers().testFlag(Qt::ControlModifier);
  const int k = key.key();
  if (popup && (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Alt || k == Qt::Key_Escape)) {
    if (closePopup) *closePopup = true;
    return {};
  }
  // The keys the diagram view takes first (the command table's): Escape ends the
  // simulation, F3 toggles it, the others leave it and run their command (Ctrl+F4
  // through the main window).
  const UINT vk = VirtualKeyOf(k);
  const CommandInfo* viewKey = FindViewKeyCommand(vk, ctrl);
  if (viewKey && (!ctrl || viewKey->key.ctrl)) {
    if (vk == VK_ESCAPE) return simulating ? std::vector<UINT>{ID_SIMULATION} : std::vector<UINT>{};
    if (viewKey->id == ID_SIMULATION) return {ID_SIMULATION};
    return {ID_SIMULATION, viewKey->id + (viewKey->key.ctrl ? kToMainWindow : 0)};
  }
  if (!ctrl) return {};
  // The main window's New and Open (the pop-up leaves the simulation first), and the
  // transfers in the bars only.
  const CommandInfo* accelerator = FindAcceleratorCommand(CommandKey{vk, true, false});
  const UINT id = accelerator ? accelerator->id : 0;
  if (id == ID_FILE_NEW || id == ID_FILE_OPEN)
    return popup ? std::vector<UINT>{ID_SIMULATION, id + kToMainWindow}
                 : std::vector<UINT>{id + kToMainWindow};
  if (id == ID_DEVICE_TO_PC || id == ID_PC_TO_DEVICE)
    return popup ? std::vector<UINT>{} : std::vector<UINT>{id};
  switch (k) {
    case Qt::Key_R:
      return popup ? std::vector<UINT>{ID_SIMULATION, ID_DEVICE_TO_PC} : std::vector<UINT>{};
    case Qt::Key_W:
      return popup ? std::vector<UINT>{ID_SIMULATION, ID_PC_TO_DEVICE} : std::vector<UINT>{};
    default:
      return {};
  }
}

// ---- CSimControlBar -------------------------------------------------------------------------

CSimControlBar::CSimControlBar(CDiagramEditor& core, QWidget* parent) : QWidget(parent), m_core(core) {
  setObjectName(QStringLiteral("simControlBar"));
  setWindowTitle(QtCaption("Simulation Control"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  m_pPower =
      MakeButton(this, kIconPower, QStringLiteral("Power"), QStringLiteral("simPower"), BS_AUTOCHECKBOX);
  m_pStart = MakeButton(this, kIconStart, QStringLiteral("Start Simulation"), QStringLiteral("simStart"));
  m_pStop = MakeButton(this, kIconStop, QStringLiteral("Stop Simulation"), QStringLiteral("simStop"));
  m_pSuspend =
      MakeButton(this, kIconPause, QStringLiteral("Suspend/Resume simulation"), QStringLiteral("simSuspend"));
  m_pStep = MakeButton(this, kIconStep, QStringLiteral("Perform Simulation in stepping mode"),
                       QStringLiteral("simStep"));
  // Every control keeps one width, so that the bar never changes its width:
  // the remaining step has a place of its own before the step edits (blank
  // until a step starts, kept after it ends until Start or Resume), and the
  // cycles and time edits share one place, the unit choosing which shows.
  const QFontMetrics fm(font());
  m_pRemaining = new QLabel(this);
  m_pRemaining->setObjectName(QStringLiteral("simRemaining"));
  m_pRemaining->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_pRemaining->setFixedWidth(fm.horizontalAdvance(QStringLiteral("00:00s")) + 8);
  m_pStepEdits = new QStackedWidget(this);
  m_pCycles = new QSpinBox(m_pStepEdits);
  m_pCycles->setObjectName(QStringLiteral("simCycles"));
  m_pCycles->setRange(0, 9999);
  m_pCycles->setValue(1);
  m_pTime = new CMaskedEdit(CString(u"##:##"), m_pStepEdits);
  m_pTime->setObjectName(QStringLiteral("simTime"));
  m_pTime->SetText(CString(u"01:00"));
  m_pTime->setAlignment(Qt::AlignRight);
  m_pStepEdits->addWidget(m_pCycles);
  m_pStepEdits->addWidget(m_pTime);
  m_pStepEdits->setFixedWidth(
      std::max(m_pCycles->sizeHint().width(), fm.horizontalAdvance(QStringLiteral("00:00")) + 16));
  m_pUnit = new QComboBox(this);
  m_pUnit->setObjectName(QStringLiteral("simUnit"));
  for (const QString& unit :
       {QStringLiteral("Cycles"), QStringLiteral("s"), QStringLiteral("m"), QStringLiteral("h")})
    m_pUnit->addItem(QtCaption(unit));
  m_pClock = new QLabel(this);
  m_pClock->setObjectName(QStringLiteral("simClock"));
  m_pClock->setFixedWidth(fm.horizontalAdvance(QStringLiteral("12:59:59 PM")) + 12);
  m_pSetClock = MakeButton(this, kIconClock, QStringLiteral("Set date/time-of-day for the simulation"),
                           QStringLiteral("simSetClock"), BS_AUTOCHECKBOX);
  for (QWidget* w :
       std::initializer_list<QWidget*>{m_pPower, m_pStart, m_pStop, m_pSuspend, m_pStep, m_pRemaining,
                                       m_pStepEdits, m_pUnit, m_pClock, m_pSetClock})
    row->addWidget(w);
  row->addStretch(1);
  CScanDriver& driver = m_core.GetScanDriver();
  // The power is cut while the button is held; a release anywhere (Qt hands
  // the release to the pressed button) brings it back.
  connect(m_pPower, &QAbstractButton::pressed, this, [this, &driver] {
    driver.PowerDown();
    m_pPower->setChecked(true);
    emit changed();
  });
  connect(m_pPower, &QAbstractButton::released, this, [this] { ReleasePowerButton(); });
  connect(m_pStart, &QAbstractButton::clicked, this, [this, &driver] {
    driver.Start();
    m_bRemainingShown = false;
    emit changed();
  });
  connect(m_pStop, &QAbstractButton::clicked, this, [this, &driver] {
    driver.Stop();
    emit changed();
  });
  connect(m_pSuspend, &QAbstractButton::clicked, this, [this, &driver] {
    driver.SuspendResume();
    if (driver.GetSimRunState() == SIM_RUNNING) m_bRemainingShown = false;  // resumed
    emit changed();
  });
  connect(m_pStep, &QAbstractButton::clicked, this, [this] { OnStep(); });
  connect(m_pUnit, &QComboBox::currentIndexChanged, this, [this] { OnUnitChange(); });
  connect(m_pSetClock, &QAbstractButton::toggled, this, [this](bool checked) { OnSetClock(checked); });
  Refresh();
}

CSimControlBar::~CSimControlBar() {
  delete m_pClockDlg.data();
}

void CSimControlBar::ReleasePowerButton() {
  m_pPower->setDown(false);
  m_core.GetScanDriver().PowerUp();
  m_pPower->setChecked(false);
  emit changed();
}

void CSimControlBar::OnStep() {
  const int unit = m_pUnit->currentIndex();
  const int amount =
      unit == SIM_UNIT_CYCLES ? m_pCycles->value() : CScanDriver::ReadStepAmount(m_pTime->GetText(), unit);
  CScanDriver& driver = m_core.GetScanDriver();
  driver.Step(unit, amount);
  if (driver.GetSimStepState() == SIM_STEP_STEPPING) m_bRemainingShown = true;
  m_stAnimMark = driver.GetSimulatedTime();
  m_nAnimFrame = 0;
  emit changed();
}

void CSimControlBar::OnUnitChange() {
  m_pStepEdits->setCurrentIndex(m_pUnit->currentIndex() == SIM_UNIT_CYCLES ? 0 : 1);
}

void CSimControlBar::OnSetClock(bool checked) {
  SetIcon(m_pSetClock, checked ? kIconClockDown : kIconClock);
  if (checked) {
    if (!m_pClockDlg) m_pClockDlg = new CSimClockDlg(m_core, m_pSetClock, &m_bApplyImmediately, this);
    m_pClockDlg->show();
    m_pClockDlg->raise();
  } else if (m_pClockDlg) {
    m_pClockDlg->deleteLater();
    m_pClockDlg = nullptr;
  }
}

void CSimControlBar::Refresh() {
  const CScanDriver& driver = m_core.GetScanDriver();
  const int run = driver.GetSimRunState();
  const int step = driver.GetSimStepState();
  const SimBarEnables e = driver.GetBarEnables();
  m_pStart->setEnabled(e.start);
  m_pStop->setEnabled(e.stop);
  m_pSuspend->setEnabled(e.suspend);
  SetIcon(m_pSuspend, run == SIM_SUSPENDED ? kIconResume : kIconPause);
  m_pStep->setEnabled(e.step);
  m_pCycles->setEnabled(e.edits);
  m_pTime->setEnabled(e.edits);
  m_pUnit->setEnabled(e.edits);
  SetIcon(m_pPower, m_pPower->isDown() || m_pPower->isChecked() ? kIconPowerDown : kIconPower);

  // The remaining step shows from the start of a step until Start or Resume,
  // in its own place before the step edits.
  const bool stepping = step == SIM_STEP_STEPPING;
  m_pStepEdits->setCurrentIndex(m_pUnit->currentIndex() == SIM_UNIT_CYCLES ? 0 : 1);
  const QString remaining =
      m_bRemainingShown
          ? ToQString(CScanDriver::FormatStepRemaining(driver.GetSimStepUnit(), driver.GetStepRemaining()))
          : QString();
  if (m_pRemaining->text() != remaining) m_pRemaining->setText(remaining);
  const SYSTEMTIME now = driver.GetSimulatedTime();
  if (stepping) {
    // The step button turns every 300 ms of simulated time.
    if (MsBetween(m_stAnimMark, now) >= 300 || m_nStepIcon < kIconStepAnim0) {
      if (m_nAnimFrame >= 4) m_nAnimFrame = 0;
      m_nStepIcon = kIconStepAnim0 + m_nAnimFrame % 4;
      ++m_nAnimFrame;
      m_stAnimMark = now;
    }
  } else {
    m_nStepIcon = kIconStep;
    m_nAnimFrame = 0;
  }
  SetIcon(m_pStep, m_nStepIcon);
  // The time of day stands still while the power is cut.
  if (!m_pPower->isChecked()) m_pClock->setText(ToQString(driver.FormatSimulatedTime(FALSE, 2)));
  if (m_pClockDlg) m_pClockDlg->ClockText()->setText(ToQString(driver.FormatSimulatedTime(FALSE, 0)));
}

// ---- CSimClockDlg ---------------------------------------------------------------------------

CSimClockDlg::CSimClockDlg(CDiagramEditor& core, CFlatIconButton* button, int* applyFlag, QWidget* parent)
    : QDialog(parent, Qt::Window), m_core(core), m_pButton(button), m_pApplyFlag(applyFlag) {
  setObjectName(QStringLiteral("simClockDlg"));
  setWindowTitle(QtCaption("Set Clock"));
  setModal(false);
  auto* grid = new QGridLayout(this);
  const SYSTEMTIME now = core.GetScanDriver().GetSimulatedTime();
  m_pNow = new QLabel(ToQString(core.FormatSimulatedTime(FALSE, 0)), this);
  m_pNow->setObjectName(QStringLiteral("simClockNow"));
  grid->addWidget(m_pNow, 0, 0, 1, 3);
  grid->addWidget(new QLabel(QtCaption("Date"), this), 1, 0);
  m_pDate = new QDateEdit(QDate(now.wYear, now.wMonth, now.wDay), this);
  m_pDate->setCalendarPopup(true);
  m_pDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  m_pDate->setDateRange(QDate(2000, 1, 1), QDate(2099, 12, 31));
  m_pDate->setAlignment(Qt::AlignRight);
  grid->addWidget(m_pDate, 1, 1, 1, 2);
  grid->addWidget(new QLabel(QtCaption("Time"), this), 2, 0);
  m_pTime = new QTimeEdit(QTime(now.wHour, now.wMinute, now.wSecond), this);
  m_pTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  m_pTime->setAlignment(Qt::AlignRight);
  grid->addWidget(m_pTime, 2, 1, 1, 2);
  m_pApplyNow = new QCheckBox(QtCaption("Apply values immediately"), this);
  m_pApplyNow->setChecked(applyFlag && *applyFlag);
  grid->addWidget(m_pApplyNow, 3, 0, 1, 3);
  m_pApply = new QPushButton(QtCaption("Apply"), this);
  auto* ok = new QPushButton(QtCaption("OK"), this);
  auto* cancel = new QPushButton(QtCaption("Cancel"), this);
  ok->setDefault(true);
  grid->addWidget(m_pApply, 4, 0);
  grid->addWidget(ok, 4, 1);
  grid->addWidget(cancel, 4, 2);
  auto pickerChanged = [this] {
    if (m_pApplyNow->isChecked()) TakePickers();
  };
  connect(m_pDate, &QDateEdit::dateChanged, this, pickerChanged);
  connect(m_pTime, &QTimeEdit::timeChanged, this, pickerChanged);
  connect(m_pApplyNow, &QCheckBox::toggled, this, [this](bool on) {
    if (m_pApplyFlag) *m_pApplyFlag = on ? 1 : 0;
  });
  connect(m_pApply, &QPushButton::clicked, this, [this] {
    TakePickers();
    if (m_pApplyFlag) *m_pApplyFlag = m_pApplyNow->isChecked() ? 1 : 0;
  });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CSimClockDlg::TakePickers() {
  m_core.GetScanDriver().SetSimulatedTime(FromQt(m_pDate->date(), m_pTime->time()));
  m_pNow->setText(ToQString(m_core.FormatSimulatedTime(FALSE, 0)));
}

void CSimClockDlg::Close() {
  hide();
  // Unchecking the button deletes the dialog.
  if (m_pButton) m_pButton->setChecked(false);
}

void CSimClockDlg::accept() {
  TakePickers();
  Close();
}

void CSimClockDlg::reject() {
  Close();
}

// ---- CSimIoBar ------------------------------------------------------------------------------

CSimIoBar::CSimIoBar(CDiagramEditor& core, bool inputs, QWidget* parent)
    : QWidget(parent), m_core(core), m_bInputs(inputs) {
  setObjectName(inputs ? QStringLiteral("simInputsBar") : QStringLiteral("simOutputsBar"));
  // The row of items scrolls sideways when the bar is narrower than the row,
  // so that a long row never reaches over the bars beside it.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  m_pScroll = new QScrollArea(this);
  m_pScroll->setObjectName(QStringLiteral("simBarScroll"));
  m_pScroll->setFrameShape(QFrame::NoFrame);
  m_pScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_pScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_pScroll->setWidgetResizable(true);
  m_pContent = new QWidget(m_pScroll);
  // The row keeps its place at the bottom of a taller bar and its width.
  auto* column = new QVBoxLayout(m_pContent);
  column->setContentsMargins(2, 2, 2, 2);
  column->addStretch(1);
  m_pRow = new QHBoxLayout;
  m_pRow->setSpacing(0);
  m_pRow->setContentsMargins(0, 0, 0, 0);
  column->addLayout(m_pRow);
  m_pScroll->setWidget(m_pContent);
  outer->addWidget(m_pScroll);
  m_pCollapse = new QPushButton(QStringLiteral("<<"), m_pContent);
  m_pCollapse->setObjectName(QStringLiteral("simCollapse"));
  m_pCollapse->setFixedSize(24, 40);
  m_pCollapse->setFocusPolicy(Qt::NoFocus);
  Rebuild();
}

void CSimIoBar::Rebuild() {
  // A wide item's box holds its value field. A rebuild may run inside a
  // control's own signal, so the old controls go once it has returned.
  for (Item& item : m_items) {
    QWidget* w = item.label ? item.label : item.control;
    w->hide();
    w->deleteLater();
  }
  m_items.clear();
  while (QLayoutItem* item = m_pRow->takeAt(0)) delete item;
  m_pRow->addWidget(m_pCollapse, 0, Qt::AlignTop);
  CZaradDoc* doc = m_core.GetDocument();
  const int height = m_pCollapse->height();
  for (const SimBarItem& si : m_bInputs ? CollectSimInputs(doc) : CollectSimOutputs(doc)) {
    Item item{si, nullptr, nullptr};
    const QString caption = ToQString(si.strCaption);
    if (!si.bWide) {
      // A raised button, its lamp over its caption.
      auto* button = new CFlatIconButton(si.strCaption, BS_PUSHBUTTON, m_pContent);
      button->setObjectName(caption);
      button->SetFlat(false);
      button->SetIconAlignment(BTNST_ALIGN_VERT);
      button->SetIconId(-1);
      button->setFixedSize(kButtonWidth, height);
      button->setFocusPolicy(m_bInputs ? Qt::StrongFocus : Qt::NoFocus);
      SetIcon(button, kIconLampOff);
      if (m_bInputs) {
        connect(button, &QAbstractButton::clicked, this, [this, block = si.block] {
          // Switch: each click toggles (momentary buttons act on press and release).
          const int mode = SimModeOfInput(m_core.GetDocument(), block);
          if (mode == 1 || mode == 2) return;
          const bool on =
              IsLadderContact(block) ? block->m_nContactState != 0 : block->m_nValue[kFirstOutputPin] != 0;
          m_core.SetSimInput(block, on ? 0 : 1);
          Refresh();
          emit changed();
        });
        button->installEventFilter(this);
      } else {
        button->setAttribute(Qt::WA_TransparentForMouseEvents);
      }
      item.control = button;
      m_pRow->addWidget(button, 0, Qt::AlignTop);
    } else {
      auto* box = new QWidget(m_pContent);
      box->setFixedSize(WideWidth(), height);
      auto* value = new QLineEdit(box);
      value->setObjectName(caption);
      value->setAlignment(Qt::AlignRight);
      value->setGeometry(0, 0, WideWidth(), height / 2);
      if (m_bInputs) {
        value->setValidator(new QIntValidator(-99999, 99999, value));
        value->setText(QString::number(si.block->m_nSimValue));
        connect(value, &QLineEdit::textEdited, this, [this, si](const QString& text) {
          OnValueEdited(Item{si, nullptr, nullptr}, text);
        });
      } else {
        value->setReadOnly(true);
        value->setFocusPolicy(Qt::NoFocus);
      }
      auto* label = new QLabel(caption, box);
      label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      label->setGeometry(0, height / 2 + 1, WideWidth(), height - height / 2 - 1);
      item.control = value;
      item.label = box;
      m_pRow->addWidget(box, 0, Qt::AlignTop);
    }
    m_items.push_back(item);
  }
  m_pRow->addStretch(1);
  // As tall as the row and a scroll bar under it; as narrow as the dock allows.
  const int rowHeight = m_pContent->minimumSizeHint().height();
  setMinimumHeight(rowHeight + m_pScroll->horizontalScrollBar()->sizeHint().height());
  updateGeometry();
  Refresh();
}

QSize CSimIoBar::sizeHint() const {
  // The whole row, with a little room so that no scroll bar shows when it fits.
  const int row = m_pContent->minimumSizeHint().width() + 2 * m_pScroll->frameWidth() + 4;
  return QSize(std::max(row, kMinimumWidth), minimumHeight());
}

QSize CSimIoBar::minimumSizeHint() const {
  return QSize(kMinimumWidth, minimumHeight());
}

bool CSimIoBar::IsOn(const Item& item) const {
  const CBlockObj* b = item.item.block;
  return IsLadderContact(b) ? b->m_nContactState != 0 : b->m_nValue[kFirstOutputPin] != 0;
}

void CSimIoBar::OnValueEdited(const Item& item, const QString& text) {
  CBlockObj* b = item.item.block;
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v == b->m_nSimValue) return;
  b->m_nSimValue = v;
  CZaradDoc* doc = m_core.GetDocument();
  if (IsLadderContact(b)) {
    if (AnalogSimSetting* s = FindOperandSimSetting(doc, b->m_nOperand)) s->nValues[kSimSettingValue] = v;
  }
  CAnalogRangeTracer(doc).UpdateAnalogInputRange(b, true);
  emit changed();
}

bool CSimIoBar::eventFilter(QObject* watched, QEvent* event) {
  // Momentary buttons: make is on only while held, break off only while held.
  const auto type = event->type();
  if (m_bInputs && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                    type == QEvent::MouseButtonDblClick)) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      for (const Item& item : m_items) {
        if (item.control != watched) continue;
        const int mode = SimModeOfInput(m_core.GetDocument(), item.item.block);
        if (mode != 1 && mode != 2) break;
        const bool down = type != QEvent::MouseButtonRelease;
        m_core.SetSimInput(item.item.block, down == (mode == 1) ? 1 : 0);
        Refresh();
        emit changed();
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CSimIoBar::Refresh() {
  // Parameters applied during the simulation (a number, a mode) rebuild the items.
  const std::vector<SimBarItem> now =
      m_bInputs ? CollectSimInputs(m_core.GetDocument()) : CollectSimOutputs(m_core.GetDocument());
  bool same = now.size() == m_items.size();
  for (size_t i = 0; same && i < now.size(); ++i)
    same = now[i].block == m_items[i].item.block && now[i].bWide == m_items[i].item.bWide &&
           now[i].strCaption == m_items[i].item.strCaption;
  if (!same) {
    Rebuild();
    return;
  }
  for (const Item& item : m_items) {
    const CBlockObj* b = item.item.block;
    if (auto* button = qobject_cast<CFlatIconButton*>(item.control)) {
      const bool on = IsOn(item);
      SetIcon(button, on ? kIconLampOn : kIconLampOff);
      button->setProperty("lit", on);
    } else if (auto* value = qobject_cast<QLineEdit*>(item.control)) {
      const int shown = m_bInputs ? b->m_nSimValue : b->m_nWordValue;
      if (!value->hasFocus() && value->text() != QString::number(shown))
        value->setText(QString::number(shown));
    }
  }
}

QWidget* CSimIoBar::Control(const QString& caption) const {
  for (const auto& item : m_items)
    if (item.control->objectName() == caption) return item.control;
  return nullptr;
}

// ---- CAnalogSliderDlg -----------------------------------------------------------------------

CAnalogSliderDlg::CAnalogSliderDlg(CZaradView* view, CBlockObj* block)
    : QDialog(view, Qt::Tool | Qt::FramelessWindowHint), m_pView(view), m_pBlock(block) {
  setObjectName(QStringLiteral("analogSlider"));
  setModal(false);
  // The pop-up draws its own raised frame: it has no window frame of its own.
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("analogSliderFrame"));
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setLineWidth(2);
  frame->setAutoFillBackground(true);
  outer->addWidget(frame);
  auto* row = new QHBoxLayout(frame);
  row->setContentsMargins(6, 6, 6, 6);
  CZaradDoc* doc = view->GetDocument();
  int lo = block->m_nMinValue, hi = block->m_nMaxValue, pos = block->m_nSimValue;
  if (block->m_nType == kTypeAnalogContact || block->m_nType == kTypeMakeContact ||
      block->m_nType == kTypeBreakContact) {
    // A ladder contact keeps its range and value per operand.
    lo = 0;
    hi = 1000;
    if (const AnalogSimSetting* s = FindOperandSimSetting(doc, block->m_nOperand)) {
      lo = s->nValues[kSimSettingMin];
      hi = s->nValues[kSimSettingMax];
      pos = s->nValues[kSimSettingValue];
    }
  }
  if (hi < lo) std::swap(lo, hi);
  m_pMin = new QLabel(QString::number(lo).left(6), frame);
  m_pMax = new QLabel(QString::number(hi).left(6), frame);
  m_pSlider = new QSlider(Qt::Horizontal, frame);
  m_pSlider->setObjectName(QStringLiteral("analogSliderBar"));
  m_pSlider->setMinimumWidth(160);
  m_pSlider->setRange(lo, hi);
  m_pSlider->setSingleStep(1);
  m_pSlider->setPageStep(std::max((hi - lo) / 10, 1));
  m_pSlider->setValue(pos);
  row->addWidget(m_pMin);
  row->addWidget(m_pSlider, 1);
  row->addWidget(m_pMax);
  connect(m_pSlider, &QSlider::valueChanged, this, [this](int v) { OnMoved(v); });
  // Left of the block at its top (right of it when there is no room on the
  // left), inside the diagram's window: it never covers the bars below it.
  adjustSize();
  const CDiagramEditor& core = view->Core();
  const CPoint tl = core.DiagramToClient(block->m_ptPos);
  const CPoint br = core.DiagramToClient(CPoint(block->m_ptPos.x + block->m_nWidth, block->m_ptPos.y));
  const QRect client = view->viewport()->rect();
  int x = tl.x - width() - 8;
  if (x < client.left()) x = br.x + 8;
  x = std::clamp(x, client.left(), std::max(client.left(), client.right() - width()));
  const int y = std::clamp(tl.y, client.top(), std::max(client.top(), client.bottom() - height()));
  move(view->viewport()->mapToGlobal(QPoint(x, y)));
}

void CAnalogSliderDlg::OnMoved(int pos) {
  CZaradDoc* doc = m_pView->GetDocument();
  CBlockObj* b = m_pBlock;
  const bool frequencyContact =
      (b->m_nType == kTypeMakeContact || b->m_nType == kTypeBreakContact) && SimModeOfInput(doc, b) == 3;
  if (b->m_nType == kTypeAnalogContact || frequencyContact) {
    auto it = doc->m_analogSimSettings.find(static_cast<UINT>(b->m_nOperand));
    if (it == doc->m_analogSimSettings.end()) {
      AnalogSimSetting fresh;
      fresh.nValues[kSimSettingAuto] = 1;
      fresh.nValues[kSimSettingMin] = 0;
      fresh.nValues[kSimSettingMax] = 1000;
      fresh.nValues[kSimSettingMode] = 3;
      it = doc->m_analogSimSettings.emplace(static_cast<UINT>(b->m_nOperand), fresh).first;
    }
    it->second.nValues[kSimSettingValue] = pos;
  }
  b->m_nSimValue = pos;
  CAnalogRangeTracer(doc).UpdateAnalogInputRange(b, true);
  m_pView->InvalidateDiagram();
}

void CAnalogSliderDlg::keyPressEvent(QKeyEvent* event) {
  bool close = false;
  const std::vector<UINT> commands = SimBarKeyCommands(*event, true, true, &close);
  if (close) {
    m_pView->CloseValuePopup();
    return;
  }
  if (commands.empty()) {
    QDialog::keyPressEvent(event);
    return;
  }
  CZaradView* view = m_pView;
  for (UINT id : commands) view->PostCommand(id & ~kToMainWindow);
}
