// CSetClockDlg: "Clock Setting/Calibration", the modeless dialog that edits the
// device clock and its weekly calibration. Its buttons post settings transfers; the
// values travel through the link's DeviceSettings.
#pragma once

#include <QDialog>
#include <functional>

#include "device/device_settings.h"

class QDateEdit;
class QLineEdit;
class QSpinBox;

class CSetClockDlg : public QDialog {
  Q_OBJECT

 public:
  using Poster = std::function<void(UINT flags)>;
  CSetClockDlg(DeviceSettings& settings, Poster post, QWidget* parent = nullptr);

  // Puts the members (as a read left them) into the controls.
  void UpdateControls();
  // "Current Time": the PC's local date and time.
  void OnCurrentTime();

 private:
  // Takes the values from the controls into the members.
  bool TakeValues();
  void ClampEdit(QLineEdit* edit, int max);

  DeviceSettings& m_settings;
  Poster m_post;
  QDateEdit* m_pDate = nullptr;
  QLineEdit* m_pHour = nullptr;
  QLineEdit* m_pMinute = nullptr;
  QLineEdit* m_pSecond = nullptr;
  QSpinBox* m_pCalibration = nullptr;
};
