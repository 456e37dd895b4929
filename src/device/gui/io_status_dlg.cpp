#include "device/gui/io_status_dlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>

#include "controls/gui/grid_widget.h"
#include "device/device_link.h"
#include "device/port_list.h"
#include "device/serial_port.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/random.h"
#include "platform/string_table.h"
#include "properties/com_setting_page.h"

namespace {

CString RangeTip(int low, int high) {
  CString text;
  text.Format(LoadString(376).GetString(), low, high);
  return text;
}

// Keeps an edit's number within [low, high] while typing.
void Clamp(QLineEdit* edit, int low, int high) {
  bool ok = false;
  const long long v = edit->text().toLongLong(&ok);
  if (!ok) return;
  const long long fixed = std::clamp<long long>(v, low, high);
  if (fixed != v) {
    const QSignalBlocker block(edit);
    edit->setText(QString::number(fixed));
  }
}

}  // namespace

CIOStatus::CIOStatus(CDeviceLink& link, int series, QWidget* parent) : QDialog(parent), m_link(link) {
  setObjectName("ioStatusDlg");
  setWindowTitle(QtCaption("I/O Status Overview"));
  m_tip.Create(this);
  m_pTimer = new QTimer(this);
  connect(m_pTimer, &QTimer::timeout, this, [this] { OnTimer(); });

  m_pAddress = new QLineEdit("0", this);
  m_pAddress->setObjectName("ioAddress");
  AddTip(m_pAddress, RangeTip(0, 255));
  connect(m_pAddress, &QLineEdit::textChanged, this, [this] { Clamp(m_pAddress, 0, 255); });
  m_pPort = new QComboBox(this);
  m_pPort->setObjectName("ioPort");
  m_pPort->setEditable(true);
  for (const SerialPortEntry& e : ListSerialPorts()) m_pPort->addItem(QString::fromStdString(e.path));
  const QString current = QString::fromStdString(m_link.PortPath());
  if (!current.isEmpty()) {
    if (m_pPort->findText(current) < 0) m_pPort->insertItem(0, current);
    m_pPort->setCurrentIndex(m_pPort->findText(current));
  }
  m_pBaud = new QComboBox(this);
  m_pBaud->setObjectName("ioBaud");
  m_pBaud->addItems({"1200", "2400", "4800", "9600", "14400", "19200", "28800", "38400", "57600", "115200"});
  if (series > 0x50) m_pBaud->addItems({"230400", "460800", "921600"});
  m_pBaud->setCurrentText("115200");
  m_pParity = new QComboBox(this);
  m_pParity->setObjectName("ioParity");
  // Shown in the interface's language; the entry itself is read back.
  for (const CString& entry : ComParityEntries(0))
    m_pParity->addItem(ToQString(CaptionText(entry)), ToQString(entry));
  m_pDelay = new QLineEdit("10", this);
  m_pDelay->setObjectName("ioDelay");
  AddTip(m_pDelay, RangeTip(10, 65535));
  connect(m_pDelay, &QLineEdit::textChanged, this, [this] { Clamp(m_pDelay, 10, 65535); });

  auto* comm = new QGroupBox(QtCaption("Communication Parameter Setting"), this);
  auto* form = new QGridLayout(comm);
  form->addWidget(new QLabel(QtCaption("Device Address"), comm), 0, 0);
  form->addWidget(m_pAddress, 0, 1);
  form->addWidget(new QLabel(QtCaption("(for slave func 0~255)"), comm), 0, 2);
  form->addWidget(new QLabel(QtCaption("ComPort"), comm), 1, 0);
  form->addWidget(m_pPort, 1, 1, 1, 2);
  form->addWidget(new QLabel(QtCaption("Baudrate"), comm), 2, 0);
  form->addWidget(m_pBaud, 2, 1);
  form->addWidget(new QLabel(QtCaption("bps"), comm), 2, 2);
  form->addWidget(new QLabel(QtCaption("Parity/Databit/Stopbit"), comm), 3, 0);
  form->addWidget(m_pParity, 3, 1);
  form->addWidget(new QLabel(QtCaption("Delay Between Polls"), comm), 4, 0);
  form->addWidget(m_pDelay, 4, 1);
  form->addWidget(new QLabel(QtCaption("ms"), comm), 4, 2);

  auto* show = new QGroupBox(QtCaption("Show"), this);
  auto* showRow = new QVBoxLayout(show);
  const char* views[] = {"I/Q/AI/AQ", "Flags", "Analog flags"};
  for (int i = 0; i < 3; ++i) {
    m_pViews[i] = new QRadioButton(QtCaption(views[i]), show);
    m_pViews[i]->setObjectName(QString("ioView%1").arg(i));
    showRow->addWidget(m_pViews[i]);
    connect(m_pViews[i], &QRadioButton::clicked, this, [this, i] { BuildGrid(i, false); });
  }
  m_pViews[0]->setChecked(true);

  m_pTime = new QLineEdit(this);
  m_pTime->setObjectName("ioTime");
  m_pTime->setReadOnly(true);
  m_pRefresh = new QSpinBox(this);
  m_pRefresh->setObjectName("ioRefresh");
  m_pRefresh->setRange(1, 30);
  m_pRefresh->setValue(3);
  AddTip(m_pRefresh, RangeTip(1, 30));
  m_pConnect = new QPushButton(QtCaption("Connect"), this);
  m_pConnect->setObjectName("ioConnect");
  auto* close = new QPushButton(QtCaption("Close"), this);
  close->setObjectName("ioClose");
  auto* help = new QPushButton(QtCaption("Help"), this);
  for (QPushButton* b : {m_pConnect, close, help}) b->setAutoDefault(false);
  connect(m_pConnect, &QPushButton::clicked, this, [this] { OnConnect(); });
  connect(close, &QPushButton::clicked, this, [this] { OnClose(); });

  auto* side = new QVBoxLayout;
  side->addWidget(show);
  auto* timeRow = new QHBoxLayout;
  timeRow->addWidget(new QLabel(QtCaption("Device Time:"), this));
  timeRow->addWidget(m_pTime);
  side->addLayout(timeRow);
  auto* refreshRow = new QHBoxLayout;
  refreshRow->addWidget(new QLabel(QtCaption("Refresh Time:"), this));
  refreshRow->addWidget(m_pRefresh);
  refreshRow->addWidget(new QLabel(QtCaption("sec"), this));
  side->addLayout(refreshRow);
  side->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(comm);
  top->addLayout(side);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_pConnect);
  buttons->addWidget(close);
  buttons->addWidget(help);

  m_pGrid = new CGridWidget(this);
  m_pGrid->setObjectName("ioGrid");
  m_pGrid->setMinimumSize(900, 260);
  CGridCtrl& grid = m_pGrid->Grid();
  grid.SetVirtualMode(TRUE);
  grid.m_pfnCallback = &CIOStatus::FillCell;
  grid.m_lParam = reinterpret_cast<LPARAM>(this);
  // The monitor's columns and rows may be rearranged; the data stays in place.
  grid.m_bColumnReorder = true;
  grid.m_bDragRowMode = true;
  grid.m_bAllowDragAndDrop = TRUE;
  grid.m_bEditable = FALSE;
  grid.SetGridLines(GVL_BOTH);
  BuildGrid(kIoViewIo, true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_pGrid, 1);
  layout->addLayout(buttons);
}

CIOStatus::~CIOStatus() {
  m_pTimer->stop();
  m_link.CloseComPort();
}

void CIOStatus::AddTip(QWidget* control, const CString& text) {
  control->setMouseTracking(true);
  for (QWidget* part : control->findChildren<QWidget*>()) part->setMouseTracking(true);
  m_tip.AddTool(control, text);
}

int CIOStatus::View() const {
  for (int i = 0; i < 3; ++i) {
    if (m_pViews[i]->isChecked()) return i;
  }
  return kIoViewIo;
}

void CIOStatus::keyPressEvent(QKeyEvent* event) {
  // Enter and Escape stay with the focused control; neither closes the monitor.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

const CIOStatus::Cell* CIOStatus::CellAt(int row, int column) const {
  return const_cast<CIOStatus*>(this)->CellAt(row, column);
}

CIOStatus::Cell* CIOStatus::CellAt(int row, int column) {
  if (row < 0 || column < 0 || column >= m_nColumns) return nullptr;
  const size_t index =
      static_cast<size_t>(row) * static_cast<size_t>(m_nColumns) + static_cast<size_t>(column);
  return index < m_cells.size() ? &m_cells[index] : nullptr;
}

BOOL CIOStatus::FillCell(GridDispInfo* info, LPARAM lParam) {
  const auto* self = reinterpret_cast<const CIOStatus*>(lParam);
  const Cell* cell = self ? self->CellAt(info->item.row, info->item.col) : nullptr;
  if (!cell) return FALSE;
  info->item.strText = cell->text;
  info->item.crBkClr = cell->back;
  info->item.crFgClr = cell->fore;
  return TRUE;
}

void CIOStatus::BuildGrid(int view, bool first) {
  const int rows = IoGridRows(view);
  const int columns = IoGridColumns(view);
  m_nColumns = columns;
  m_cells.assign(static_cast<size_t>(rows) * static_cast<size_t>(columns), Cell{});
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      Cell& cell = m_cells[static_cast<size_t>(r * columns + c)];
      const bool fixed = r == 0 || c == 0;
      if (fixed) {
        auto light = [] { return 128 + Random() % 128; };
        cell.text = IoHeaderText(view, r, c, first);
        cell.back = RGB(light(), light(), light());
      } else {
        cell.back = IoDataColour(view, c);
      }
      cell.fore = 0x000000FF;
    }
  }
  CGridCtrl& grid = m_pGrid->Grid();
  grid.SetRowCount(rows);
  grid.SetColumnCount(columns);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  grid.AutoSize();
  grid.Refresh();
}

void CIOStatus::EnableSettings(bool enable) {
  for (QWidget* w :
       std::initializer_list<QWidget*>{m_pAddress, m_pPort, m_pBaud, m_pParity, m_pRefresh, m_pDelay})
    w->setEnabled(enable);
}

void CIOStatus::Disconnect() {
  m_pTimer->stop();
  m_link.CloseComPort();
  EnableSettings(true);
  m_pConnect->setText(QtCaption("Connect"));
}

void CIOStatus::OnConnect() {
  if (!m_pConnect->isEnabled()) return;
  m_pConnect->setEnabled(false);
  if (m_pConnect->text() != QtCaption("Disconnect")) {
    const std::string path = m_pPort->currentText().toStdString();
    if (!path.empty()) {
      m_link.SetPortPath(path);
      ComPortSettings parsed;
      ApplyParityEntry(ToCString(m_pParity->currentData().toString()), &parsed);
      LineSettings line;
      line.baudRate = m_pBaud->currentText().toInt();
      line.dataBits = parsed.nDataBits ? 8 : 7;
      line.parity = parsed.nParity;
      line.stopBits = parsed.nStopBits ? 2 : 0;
      CString why;
      if (!m_link.OpenComPort(line, &why)) {
        // One message, and no poll that would fail and say it again.
        AfxMessageBox(m_link.OpenFailureText(why), MB_OK | MB_ICONSTOP);
        m_pConnect->setEnabled(true);
        return;
      }
    }
    m_pTimer->start(m_pRefresh->value() * 1000);
    return;
  }
  BuildGrid(View(), false);
  Disconnect();
  m_pConnect->setEnabled(true);
}

void CIOStatus::OnTimer() {
  bool ok = false;
  const int address = std::clamp(m_pAddress->text().toInt(&ok), 0, 255);
  const int delay = std::clamp(m_pDelay->text().toInt(), 10, 65535);
  IoPollResult result;
  if (m_link.IsPortOpen()) result = PollIoStatus(m_link, View(), address, delay);
  if (result.clockRead) m_pTime->setText(ToQString(result.time));
  if (result.areasRead) {
    for (const IoCell& value : result.cells) {
      if (Cell* cell = CellAt(value.row, value.column)) {
        cell->text = value.text;
        cell->fore = value.on ? 0x000000FF : 0;
      }
    }
    m_pGrid->Grid().Refresh();
    EnableSettings(false);
    m_pConnect->setText(QtCaption("Disconnect"));
  } else {
    Disconnect();
    AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
  }
  m_pConnect->setEnabled(true);
}

void CIOStatus::OnClose() {
  m_pTimer->stop();
  m_link.CloseComPort();
  accept();
}
