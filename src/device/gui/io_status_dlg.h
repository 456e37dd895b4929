// CIOStatus: "I/O Status Overview", the modal monitor that polls the running
// device on a timer and shows its inputs, outputs, analog values, flags or analog
// flags in a grid.
#pragma once

#include <QDialog>

#include "device/io_monitor.h"

class CDeviceLink;
class CGridWidget;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

class CIOStatus : public QDialog {
  Q_OBJECT

 public:
  CIOStatus(CDeviceLink& link, int series, QWidget* parent = nullptr);
  ~CIOStatus() override;

  CGridWidget* GridWidget() const { return m_pGrid; }
  QPushButton* ConnectButton() const { return m_pConnect; }
  QTimer* Timer() const { return m_pTimer; }
  int View() const;
  // Connect or Disconnect.
  void OnConnect();
  // One poll (the timer's tick).
  void OnTimer();
  // Close: stops polling and closes the port.
  void OnClose();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildGrid(int view, bool first);
  void EnableSettings(bool enable);
  void Disconnect();

  CDeviceLink& m_link;
  CGridWidget* m_pGrid = nullptr;
  QLineEdit* m_pAddress = nullptr;
  QComboBox* m_pPort = nullptr;
  QComboBox* m_pBaud = nullptr;
  QComboBox* m_pParity = nullptr;
  QLineEdit* m_pDelay = nullptr;
  QRadioButton* m_pViews[3] = {};
  QLineEdit* m_pTime = nullptr;
  QSpinBox* m_pRefresh = nullptr;
  QPushButton* m_pConnect = nullptr;
  QTimer* m_pTimer = nullptr;
};
