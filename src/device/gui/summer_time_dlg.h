// CSummerTimeDlg: "SummerTime/WinterTime", the modeless dialog of the device's
// summer/winter time rule, shown after the rule was read; OK posts the write.
// Its "..." buttons pick a date in the date selection dialog of the pages.
#pragma once

#include <QDialog>
#include <functional>

#include "device/device_settings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class CSummerTimeDlg : public QDialog {
  Q_OBJECT

 public:
  using Poster = std::function<void(UINT flags)>;
  // Runs the month and day picker (tests replace it): true with the pair on OK.
  using Picker = std::function<bool(int* month, int* day)>;
  CSummerTimeDlg(DeviceSettings& settings, Poster post, QWidget* parent = nullptr);
  void SetPicker(Picker picker) { m_picker = std::move(picker); }

  void OnOK();

 private:
  struct Group {
    QLineEdit* month;
    QLineEdit* day;
  };
  void ApplyEnabling();
  void OnMonthChanged(const Group& g);
  void OnDayChanged(const Group& g);
  void OnPick(const Group& g);
  // Reads an edit as an integer in [min, max]; shows the range and focuses it when not.
  bool TakeInt(QLineEdit* edit, int min, int max, int* out);

  DeviceSettings& m_settings;
  Poster m_post;
  Picker m_picker;
  QCheckBox* m_pActive = nullptr;
  QComboBox* m_pRule = nullptr;
  Group m_start{};
  Group m_end{};
  QLineEdit* m_pDifference = nullptr;
  QWidget* m_pStartPick = nullptr;
  QWidget* m_pEndPick = nullptr;
};
