#include "device/gui/com_config_dlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "device/device_link.h"
#include "device/port_list.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

CComConfigDlg::CComConfigDlg(const std::string& preset, Probe probe, QWidget* parent)
    : QDialog(parent), m_port(preset), m_probe(std::move(probe)) {
  setObjectName("comConfigDlg");
  setWindowTitle(QtCaption("Communication Configuration"));
  auto* group = new QGroupBox(QtUiText(32773, "Select Communication Port"), this);
  m_pList = new QComboBox(group);
  m_pList->setObjectName("portList");
  m_pList->setEditable(true);
  m_pList->setInsertPolicy(QComboBox::NoInsert);
  m_pList->setMinimumWidth(360);
  m_pList->lineEdit()->setPlaceholderText("/dev/ttyUSB0");
  for (const SerialPortEntry& entry : ListSerialPorts()) {
    m_pList->addItem(QString::fromStdString(PortEntryText(entry)), QString::fromStdString(entry.path));
  }
  // The preset port, or else the first one listed; a preset that is gone stays typed.
  const int presetIndex = m_pList->findData(QString::fromStdString(preset));
  if (presetIndex >= 0) {
    m_pList->setCurrentIndex(presetIndex);
  } else if (m_pList->count() > 0) {
    m_pList->setCurrentIndex(0);
  } else {
    m_pList->setEditText(QString::fromStdString(preset));
  }
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(m_pList);

  m_pDetect = new QPushButton(QtUiText(1225, "Automatic Detection"), this);
  m_pDetect->setObjectName("ctl1225");
  m_pConnect = new QPushButton(QtUiText(1224, "Connect to Devices"), this);
  m_pConnect->setObjectName("ctl1224");
  m_pConnect->setDefault(true);
  auto* cancel = new QPushButton(QtUiText(IDCANCEL, "Cancel"), this);
  cancel->setObjectName("cancelButton");
  auto* help = new QPushButton(QtUiText(9, "Help"), this);
  help->setEnabled(false);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {m_pDetect, m_pConnect, cancel, help}) buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addLayout(buttons);

  connect(m_pConnect, &QPushButton::clicked, this, [this] { OnConnect(); });
  connect(m_pDetect, &QPushButton::clicked, this, [this] { OnDetect(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string CComConfigDlg::CurrentPath() const {
  const QString text = m_pList->currentText().trimmed();
  const int index = m_pList->currentIndex();
  if (index >= 0 && m_pList->itemText(index) == text)
    return m_pList->itemData(index).toString().toStdString();
  return text.toStdString();
}

void CComConfigDlg::OnConnect() {
  m_port = CurrentPath();
  if (m_port.empty()) AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
  accept();
}

void CComConfigDlg::OnDetect() {
  const std::string path = CurrentPath();
  if (path.empty()) {
    AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
    return;
  }
  m_pDetect->setText(QString::fromStdString(path));
  m_pDetect->setEnabled(false);
  if (m_probe && m_probe(path) == 0) AfxMessageBox(IDS_CHECK_CABLE, MB_OK | MB_ICONQUESTION);
  m_pDetect->setEnabled(true);
  m_pDetect->setText(QtUiText(1225, "Automatic Detection"));
}
