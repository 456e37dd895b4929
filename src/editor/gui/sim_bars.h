// The three bars of a simulating diagram window, docked at its bottom:
// "Inputs" (a button per digital input I and function key F, a value field per
// analog input AI), "Outputs" (a lamp per output Q, a value per analog output
// AQ) and "Simulation" (Power, Start, Stop, Suspend/Resume, Step by cycles or
// by s/m/h, the simulated time of day and Set Clock). They act on the view's
// scan driver and show the blocks' states after every tick.
#pragma once

#include <QDialog>
#include <QWidget>
#include <vector>

class CBlockObj;
class CDiagramEditor;
class QComboBox;
class QDateTimeEdit;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

class CSimControlBar : public QWidget {
  Q_OBJECT

 public:
  CSimControlBar(CDiagramEditor& core, QWidget* parent);
  // Button states, step controls, the clock text and the remaining step.
  void Refresh();
  // Ends a power cut whose button is still held in: powers up and releases the button.
  void ReleasePowerButton();

  QToolButton* PowerButton() const { return m_pPower; }
  QToolButton* StartButton() const { return m_pStart; }
  QToolButton* StopButton() const { return m_pStop; }
  QToolButton* SuspendButton() const { return m_pSuspend; }
  QToolButton* StepButton() const { return m_pStep; }
  QToolButton* SetClockButton() const { return m_pSetClock; }
  QComboBox* UnitCombo() const { return m_pUnit; }
  QSpinBox* CyclesEdit() const { return m_pCycles; }
  QLineEdit* TimeEdit() const { return m_pTime; }
  QLabel* ClockLabel() const { return m_pClock; }

 signals:
  void changed();

 private:
  void OnStep();
  void OnUnitChange();
  void OnSetClock();

  CDiagramEditor& m_core;
  QToolButton* m_pPower = nullptr;
  QToolButton* m_pStart = nullptr;
  QToolButton* m_pStop = nullptr;
  QToolButton* m_pSuspend = nullptr;
  QToolButton* m_pStep = nullptr;
  QToolButton* m_pSetClock = nullptr;
  QSpinBox* m_pCycles = nullptr;
  QLineEdit* m_pTime = nullptr;
  QComboBox* m_pUnit = nullptr;
  QLabel* m_pClock = nullptr;
  QLabel* m_pRemaining = nullptr;
};

// The Set Clock dialog: the simulated date and time, 2000 to 2099, applied to
// the running simulation at once.
class CSimClockDlg : public QDialog {
  Q_OBJECT

 public:
  CSimClockDlg(CDiagramEditor& core, QWidget* parent);
  QDateTimeEdit* Editor() const { return m_pEdit; }

 private:
  CDiagramEditor& m_core;
  QDateTimeEdit* m_pEdit = nullptr;
};

class CSimIoBar : public QWidget {
  Q_OBJECT

 public:
  // inputs: the Inputs bar; else the Outputs bar.
  CSimIoBar(CDiagramEditor& core, bool inputs, QWidget* parent);
  // The controls of the document's inputs (or outputs), in number order.
  void Rebuild();
  // Every control shows its block's state.
  void Refresh();
  // The control of a block's item (by its caption, "I1", "Q1"), or null.
  QWidget* Control(const QString& caption) const;

 signals:
  void changed();

 private:
  struct Item {
    CBlockObj* block;
    QWidget* control;
  };
  CDiagramEditor& m_core;
  bool m_bInputs;
  QHBoxLayout* m_pLayout = nullptr;
  std::vector<Item> m_items;
};
