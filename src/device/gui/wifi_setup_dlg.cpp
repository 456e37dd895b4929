#include "device/gui/wifi_setup_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>

#include "device/device_link.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

namespace {

QComboBox* Combo(QWidget* parent, const char* name, const QStringList& items, int index, int max) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  for (const QString& item : items) c->addItem(QtCaption(item));
  c->setCurrentIndex(index >= 0 && index <= max && index < items.size() ? index : 0);
  return c;
}

QStringList Numbers(int first, int last) {
  QStringList list;
  for (int i = first; i <= last; ++i) list << QString::number(i);
  return list;
}

// "Number between %d and %d" (string 376).
CString RangeText(int low, int high) {
  CString text;
  text.Format(LoadString(376).GetString(), low, high);
  return text;
}

}  // namespace

// ---- CWifiDialogBase ---------------------------------------------------------------------

CWifiDialogBase::CWifiDialogBase(DeviceSettings& settings, Poster post, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_post(std::move(post)) {
  setAttribute(Qt::WA_DeleteOnClose);
  m_tip.Create(this);
}

void CWifiDialogBase::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      event->modifiers() == Qt::NoModifier) {
    focusNextChild();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CWifiDialogBase::Center(int heightDivisor) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect r = screen->geometry();
    move(r.width() / 2 - 100, r.height() / heightDivisor);
  }
}

void CWifiDialogBase::FilterEdit(QLineEdit* edit, CharFilter filter) {
  const std::u16string text = edit->text().toStdU16String();
  const auto bad = FirstRefusedChar(text, filter);
  if (!bad) return;
  {
    const QSignalBlocker block(edit);
    edit->setText(QString::fromStdU16String(text.substr(0, *bad)));
  }
  AfxMessageBox(CString(RefusedCharMessage(filter)), MB_OK | MB_ICONINFORMATION);
  edit->setFocus();
}

QLineEdit* CWifiDialogBase::AddEdit(const char* name, int maxLength, const QString& tip) {
  auto* e = new QLineEdit(this);
  e->setObjectName(name);
  if (maxLength > 0) e->setMaxLength(maxLength);
  e->setMouseTracking(true);
  m_tip.AddTool(e, ToCString(QtCaption(tip)));
  return e;
}

bool CWifiDialogBase::TakeInt(QLineEdit* edit, int min, int max, int* out) {
  bool ok = false;
  const int v = edit->text().trimmed().toInt(&ok);
  if (!ok || v < min || v > max) {
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

// ---- CWifiSetupDlg -----------------------------------------------------------------------

CWifiSetupDlg::CWifiSetupDlg(DeviceSettings& settings, Poster post, QWidget* parent)
    : CWifiDialogBase(settings, std::move(post), parent) {
  setObjectName("wifiSetupDlg");
  setWindowTitle(QtCaption("WiFi Setup"));
  const WifiSettings& w = m_settings.wifi;
  m_nAddressMode = w.addressMode == 1 ? 1 : 0;

  m_pSsid = AddEdit("wifiSsid", 32, "64 numerics or characters at most");
  m_pSsid->setText(ToQString(w.ssid));
  m_pPassword = AddEdit("wifiPassword", 64, "8 numerics or characters at least");
  m_pPassword->setText(ToQString(w.password));
  m_pEncryption = new QCheckBox(QtCaption("Encryption(WPA2) Enable"), this);
  m_pEncryption->setObjectName("wifiEncryption");
  m_pEncryption->setChecked(w.encryption);
  m_pMode = Combo(this, "wifiMode", {"Server", "Station", "Groups", "Remote", "Slave"}, w.mode, 4);
  m_pDeviceId = AddEdit("wifiDeviceId", 3, "Server:0, Station/Groups:1~7, Remote/Slave:1~255");
  m_pDeviceId->setText(QString::number(w.deviceId));
  m_pChannel = Combo(this, "wifiChannel", Numbers(0, 13), w.channel, 13);
  m_pTxPower = Combo(this, "wifiTxPower", Numbers(0, 12), w.txPower, 12);
  auto* mac = new QLabel(ToQString(w.mac), this);
  mac->setObjectName("wifiMac");
  mac->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // Address: DHCP or a fixed IP with its mask.
  m_pAddress = new QWidget(this);
  auto* address = new QGridLayout(m_pAddress);
  address->setContentsMargins(0, 0, 0, 0);
  m_pDhcp = new QRadioButton(QtCaption("DHCP"), m_pAddress);
  m_pDhcp->setObjectName("wifiDhcp");
  m_pFixed = new QRadioButton(QtCaption("IP Address"), m_pAddress);
  m_pFixed->setObjectName("wifiFixedIp");
  address->addWidget(m_pDhcp, 0, 0);
  address->addWidget(m_pFixed, 0, 1);
  auto quad = [&](std::array<QSpinBox*, 4>& fields, const std::array<BYTE, 4>& bytes, const char* name) {
    auto* row = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
      fields[i] = new QSpinBox(m_pAddress);
      fields[i]->setObjectName(QString("%1%2").arg(name).arg(i));
      fields[i]->setRange(0, 255);
      fields[i]->setValue(bytes[i]);
      fields[i]->setButtonSymbols(QAbstractSpinBox::NoButtons);
      row->addWidget(fields[i]);
      if (i < 3) row->addWidget(new QLabel(".", m_pAddress));
    }
    return row;
  };
  address->addWidget(new QLabel(QtCaption("IP"), m_pAddress), 1, 0);
  address->addLayout(quad(m_ip, w.ip, "wifiIp"), 1, 1);
  address->addWidget(new QLabel(QtCaption("Mask"), m_pAddress), 2, 0);
  address->addLayout(quad(m_mask, w.mask, "wifiMask"), 2, 1);

  m_pPorts = new QGroupBox(QtCaption("Port"), this);
  const QString portTip = ToQString(RangeText(1, 65535));
  m_pLocalPort = AddEdit("wifiLocalPort", 5, portTip);
  m_pLocalPort->setText(QString::number(w.localPort));
  m_pRemotePort = AddEdit("wifiRemotePort", 5, portTip);
  m_pRemotePort->setText(QString::number(w.remotePort));
  auto* ports = new QFormLayout(m_pPorts);
  ports->addRow(QtCaption("Local"), m_pLocalPort);
  ports->addRow(QtCaption("Remote"), m_pRemotePort);

  auto* form = new QFormLayout;
  form->addRow(QtCaption("MAC Address"), mac);
  form->addRow(QtCaption("SSID"), m_pSsid);
  form->addRow(QtCaption("Password"), m_pPassword);
  form->addRow("", m_pEncryption);
  form->addRow(QtCaption("Device Mode"), m_pMode);
  form->addRow(QtCaption("Device ID"), m_pDeviceId);
  form->addRow(QtCaption("Channel (auto:0)"), m_pChannel);
  form->addRow(QtCaption("TX Power (auto:0, step:1~12)"), m_pTxPower);
  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  for (QAbstractButton* b : buttons->buttons()) {
    if (auto* p = qobject_cast<QPushButton*>(b)) p->setAutoDefault(false);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_pAddress);
  layout->addWidget(m_pPorts);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOK(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_pMode, &QComboBox::currentIndexChanged, this, [this] { ApplyDeviceMode(); });
  connect(m_pDhcp, &QRadioButton::clicked, this, [this] { SetAddressMode(0); });
  connect(m_pFixed, &QRadioButton::clicked, this, [this] { SetAddressMode(1); });
  connect(m_pSsid, &QLineEdit::textEdited, this, [this] { FilterEdit(m_pSsid, CharFilter::kLettersDigits); });
  connect(m_pPassword, &QLineEdit::textEdited, this,
          [this] { FilterEdit(m_pPassword, CharFilter::kLettersDigits); });

  Center(6);
  ApplyDeviceMode();
  (m_nAddressMode == 1 ? m_pFixed : m_pDhcp)->setChecked(true);
  SetAddressMode(m_nAddressMode);
}

void CWifiSetupDlg::SetAddressMode(int mode) {
  m_nAddressMode = mode;
  for (QSpinBox* f : m_ip) f->setEnabled(mode == 1);
  for (QSpinBox* f : m_mask) f->setEnabled(mode == 1);
}

void CWifiSetupDlg::ApplyDeviceMode() {
  bool ok = false;
  const int id = m_pDeviceId->text().toInt(&ok);
  const WifiModeState state = ApplyWifiDeviceMode(m_pMode->currentIndex(), ok ? id : -1);
  m_pDeviceId->setEnabled(state.deviceIdEnabled);
  m_pDeviceId->setText(QString::number(state.deviceId));
  m_pAddress->setVisible(state.addressShown);
  m_pPorts->setVisible(state.addressShown);
}

void CWifiSetupDlg::OnOK() {
  WifiSettings w = m_settings.wifi;
  if (!TakeInt(m_pLocalPort, 1, 65535, &w.localPort) || !TakeInt(m_pRemotePort, 1, 65535, &w.remotePort))
    return;
  const int mode = m_pMode->currentIndex();
  bool idOk = false;
  const int deviceId = m_pDeviceId->text().trimmed().toInt(&idOk);
  const std::u16string ssid = m_pSsid->text().toStdU16String();
  const std::u16string password = m_pPassword->text().toStdU16String();
  switch (CheckWifiOk(mode, idOk ? deviceId : 0, ssid, password, m_pEncryption->isChecked())) {
    case WifiOkFault::kSsidEmpty:
      AfxMessageBox(CString(u"Enter 1 numerics or characters at least!"), MB_OK | MB_ICONEXCLAMATION);
      m_pSsid->setFocus();
      return;
    case WifiOkFault::kPasswordShort:
      AfxMessageBox(CString(u"Enter 8 numerics or characters at least!"), MB_OK | MB_ICONEXCLAMATION);
      m_pPassword->setFocus();
      return;
    case WifiOkFault::kDeviceId:
      AfxMessageBox(CString(u"Please enter a ") + RangeText(1, WifiDeviceIdLimit(mode)),
                    MB_OK | MB_ICONEXCLAMATION);
      m_pDeviceId->setFocus();
      return;
    case WifiOkFault::kNone:
      break;
  }
  w.mode = mode;
  w.deviceId = mode == kWifiServer ? 0 : deviceId;
  w.ssid = CString(ssid);
  w.password = CString(password);
  w.encryption = m_pEncryption->isChecked();
  w.channel = m_pChannel->currentIndex();
  w.txPower = m_pTxPower->currentIndex();
  w.addressMode = m_nAddressMode;
  for (int i = 0; i < 4; ++i) {
    w.ip[i] = static_cast<BYTE>(m_ip[i]->value());
    w.mask[i] = static_cast<BYTE>(m_mask[i]->value());
  }
  m_settings.wifi = w;
  m_post(kWifiWrite);
  accept();
}

// ---- CRemoteWifiSetup --------------------------------------------------------------------

CRemoteWifiSetup::CRemoteWifiSetup(DeviceSettings& settings, Poster post, Sender send, QWidget* parent)
    : CWifiDialogBase(settings, std::move(post), parent), m_send(std::move(send)) {
  setObjectName("remoteWifiDlg");
  setWindowTitle(QtCaption("Remote Control WIFI(0xNolva) Setup"));
  const RemoteWifiSettings& r = m_settings.remote;
  auto* mac = new QLabel(ToQString(r.mac), this);
  mac->setObjectName("remoteMac");
  m_pTxPower = Combo(this, "remoteTxPower", Numbers(1, 12), r.txPowerIndex, 12);
  m_pDeviceId = AddEdit("remoteDeviceId", 1, "1 - 7");
  m_pDeviceId->setText(QString::number(r.deviceId));
  m_pPassword = AddEdit("remotePassword", 64, "8 numerics or characters at least");
  m_pPassword->setText(ToQString(r.password));
  m_pSsid = AddEdit("remoteSsid", 32, "32 numerics or characters at most");
  m_pSsid->setText(ToQString(r.ssid));
  m_pMode = Combo(this, "remoteMode", {"Standard", "Simple"}, r.mode, 1);
  m_pMode->hide();
  m_pSleep = Combo(this, "remoteSleep", {"Disable", "30s", "1min", "2min", "5min", "10min"}, r.sleepIndex, 5);
  m_pLedOff = AddEdit("remoteLedOff", 4, "10 - 9999");
  m_pLedOff->setText(QString::number(r.ledOff));
  m_pLedOn = AddEdit("remoteLedOn", 4, "10 - 9999");
  m_pLedOn->setText(QString::number(r.ledOn));
  m_pKey = AddEdit("remoteKey", 6, "6 numerics(1 - 6) at most");
  m_pKey->setText(ToQString(r.keyPassword));

  auto* led = new QGroupBox(QtCaption("LED"), this);
  auto* ledForm = new QFormLayout(led);
  ledForm->addRow(QtCaption("Off Time(ms)"), m_pLedOff);
  ledForm->addRow(QtCaption("On Time(ms)"), m_pLedOn);
  auto* form = new QFormLayout;
  form->addRow(QtCaption("MAC Address"), mac);
  form->addRow(QtCaption("SSID"), m_pSsid);
  form->addRow(QtCaption("Password"), m_pPassword);
  form->addRow(QtCaption("Device ID"), m_pDeviceId);
  form->addRow(QtCaption("TX Power"), m_pTxPower);
  form->addRow(QtCaption("Sleep Mode"), m_pSleep);
  form->addRow(QtCaption("WIFI Key Password"), m_pKey);
  auto* reset = new QPushButton(QtCaption("Factory Reset"), this);
  reset->setObjectName("remoteFactoryReset");
  reset->setAutoDefault(false);
  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  buttons->addButton(reset, QDialogButtonBox::ActionRole);
  for (QAbstractButton* b : buttons->buttons()) {
    if (auto* p = qobject_cast<QPushButton*>(b)) p->setAutoDefault(false);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(led);
  layout->addWidget(m_pMode);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOK(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(reset, &QPushButton::clicked, this, [this] { OnFactoryReset(); });
  connect(m_pSsid, &QLineEdit::textEdited, this, [this] { FilterEdit(m_pSsid, CharFilter::kLettersDigits); });
  connect(m_pPassword, &QLineEdit::textEdited, this,
          [this] { FilterEdit(m_pPassword, CharFilter::kLettersDigits); });
  connect(m_pKey, &QLineEdit::textEdited, this, [this] { FilterEdit(m_pKey, CharFilter::kDigits1To6); });
  Center(6);
}

void CRemoteWifiSetup::OnOK() {
  RemoteWifiSettings r = m_settings.remote;
  if (!TakeInt(m_pDeviceId, 1, 7, &r.deviceId) || !TakeInt(m_pLedOff, 10, 9999, &r.ledOff) ||
      !TakeInt(m_pLedOn, 10, 9999, &r.ledOn))
    return;
  if (m_pSsid->text().isEmpty()) {
    AfxMessageBox(CString(u"Enter 1 numerics or characters at least!"), MB_OK | MB_ICONEXCLAMATION);
    m_pSsid->setFocus();
    return;
  }
  r.ssid = ToCString(m_pSsid->text());
  r.password = ToCString(m_pPassword->text());
  r.keyPassword = ToCString(m_pKey->text());
  r.txPowerIndex = m_pTxPower->currentIndex();
  r.mode = m_pMode->currentIndex();
  r.sleepIndex = m_pSleep->currentIndex();
  m_settings.remote = r;
  m_post(kRemoteWifiWrite);  // the dialog stays open
}

void CRemoteWifiSetup::OnFactoryReset() {
  if (AfxMessageBox(CString(u"Make sure to factory reset?"), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  m_send(kOpRemoteWifiFactoryReset);
  close();
}
