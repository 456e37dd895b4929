// CIOStatus: "I/O Status Overview", the modal monitor that polls the running
// device on a timer and shows its inputs, outputs, analog values, flags or analog
// flags in a grid. The grid runs in virtual mode: the monitor keeps the cells
// (text and colours) and the grid asks for each one it draws or copies, so the
// user may reorder its columns and drag its rows without moving the data.
#pragma once

#include <QDialog>
#include <vector>

#include "controls/grid_types.h"
#include "controls/gui/info_tip_wnd.h"
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

  // The cell the monitor holds for physical row and column; null outside the grid.
  struct Cell {
    CString text;
    COLORREF back = 0;
    COLORREF fore = 0;
  };
  const Cell* CellAt(int row, int column) const;

 private:
  Cell* CellAt(int row, int column);
  // The grid's virtual-mode callback: lParam is the monitor.
  static BOOL FillCell(GridDispInfo* info, LPARAM lParam);
  void BuildGrid(int view, bool first);
  // A control's tip in the monitor's tip window.
  void AddTip(QWidget* control, const CString& text);
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
  CInfoTipWnd m_tip;
  std::vector<Cell> m_cells;  // rows x columns of the view shown
  int m_nColumns = 0;
};
