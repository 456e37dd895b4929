// The WiFi set-up dialogs, shown after their settings were read from the device:
// CWifiSetupDlg ("WiFi Setup") for devices with built-in WiFi and CRemoteWifiSetup
// for the remote-control WiFi module. OK posts the write; the remote module's
// "Factory Reset" runs at once.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "controls/gui/info_tip_wnd.h"
#include "device/device_dialog_rules.h"
#include "device/device_settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// Enter moves to the next control as Tab does, in both dialogs.
class CWifiDialogBase : public QDialog {
  Q_OBJECT

 public:
  using Poster = std::function<void(UINT flags)>;
  CWifiDialogBase(DeviceSettings& settings, Poster post, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // Cuts the text at the first character the filter refuses and says so.
  void FilterEdit(QLineEdit* edit, CharFilter filter);
  QLineEdit* AddEdit(const char* name, int maxLength, const QString& tip);
  // Reads an edit as an integer in [min, max]; shows the range and focuses it when not.
  bool TakeInt(QLineEdit* edit, int min, int max, int* out);
  void Center(int heightDivisor);

  DeviceSettings& m_settings;
  Poster m_post;
  CInfoTipWnd m_tip;  // the edits' tips
};

class CWifiSetupDlg : public CWifiDialogBase {
  Q_OBJECT

 public:
  CWifiSetupDlg(DeviceSettings& settings, Poster post, QWidget* parent = nullptr);
  void OnOK();

 private:
  void ApplyDeviceMode();
  void SetAddressMode(int mode);

  QComboBox* m_pMode = nullptr;
  QComboBox* m_pChannel = nullptr;
  QComboBox* m_pTxPower = nullptr;
  QLineEdit* m_pDeviceId = nullptr;
  QLineEdit* m_pSsid = nullptr;
  QLineEdit* m_pPassword = nullptr;
  QCheckBox* m_pEncryption = nullptr;
  QRadioButton* m_pDhcp = nullptr;
  QRadioButton* m_pFixed = nullptr;
  std::array<QSpinBox*, 4> m_ip{};
  std::array<QSpinBox*, 4> m_mask{};
  QWidget* m_pAddress = nullptr;  // the radios, IP and mask with their labels
  QGroupBox* m_pPorts = nullptr;
  QLineEdit* m_pLocalPort = nullptr;
  QLineEdit* m_pRemotePort = nullptr;
  int m_nAddressMode = 0;
};

class CRemoteWifiSetup : public CWifiDialogBase {
  Q_OBJECT

 public:
  // Runs a device operation at once (the factory reset).
  using Sender = std::function<void(int operation)>;
  CRemoteWifiSetup(DeviceSettings& settings, Poster post, Sender send, QWidget* parent = nullptr);
  void OnOK();
  void OnFactoryReset();

 private:
  Sender m_send;
  QComboBox* m_pTxPower = nullptr;
  QComboBox* m_pMode = nullptr;
  QComboBox* m_pSleep = nullptr;
  QLineEdit* m_pDeviceId = nullptr;
  QLineEdit* m_pSsid = nullptr;
  QLineEdit* m_pPassword = nullptr;
  QLineEdit* m_pLedOff = nullptr;
  QLineEdit* m_pLedOn = nullptr;
  QLineEdit* m_pKey = nullptr;
};
