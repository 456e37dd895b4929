// The three bars of a simulating diagram window, docked at its bottom, and the
// small windows they open:
// - "Inputs": a button per digital input I and function key F, a value field
//   per analog input AI and per input in Frequency mode;
// - "Outputs": an indicator per output Q, a read-only value per analog output AQ;
// - "Simulation": Power (held), Start, Stop, Suspend/Resume, Step by cycles or
//   by s/m/h, the simulated time of day and Set Clock;
// - the Set Clock dialog (modeless, 2000 to 2099) and the analog value pop-up
//   (a slider next to an analog input clicked in the diagram).
// They act on the view's scan driver and show the blocks' states after every
// tick. Keys pressed in them reach the view and the main window (SimBarKey).
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "editor/sim_bar_items.h"
#include "platform/types.h"

class CBlockObj;
class CDiagramEditor;
class CZaradView;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QScrollArea;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class CMaskedEdit;
class QTimeEdit;
class CFlatIconButton;

// The commands a key pressed in a simulation bar (popup false) or in the
// value pop-up (popup true) sends, in order; empty when the key has none.
// Commands that go to the main window rather than the view are marked by
// kToMainWindow added to their id. closePopup is set for the pop-up's Enter,
// Alt and Escape.
constexpr UINT kToMainWindow = 0x10000;
std::vector<UINT> SimBarKeyCommands(const QKeyEvent& key, bool popup, bool simulating,
                                    bool* closePopup = nullptr);

class CSimClockDlg;

class CSimControlBar : public QWidget {
  Q_OBJECT

 public:
  CSimControlBar(CDiagramEditor& core, QWidget* parent);
  ~CSimControlBar() override;
  // Button states and icons, the step controls, the clock text (frozen while
  // the power is cut) and the remaining step.
  void Refresh();
  // Ends a power cut whose button is still held in: powers up and releases the button.
  void ReleasePowerButton();

  CFlatIconButton* PowerButton() const { return m_pPower; }
  CFlatIconButton* StartButton() const { return m_pStart; }
  CFlatIconButton* StopButton() const { return m_pStop; }
  CFlatIconButton* SuspendButton() const { return m_pSuspend; }
  CFlatIconButton* StepButton() const { return m_pStep; }
  CFlatIconButton* SetClockButton() const { return m_pSetClock; }
  QComboBox* UnitCombo() const { return m_pUnit; }
  QSpinBox* CyclesEdit() const { return m_pCycles; }
  CMaskedEdit* TimeEdit() const { return m_pTime; }
  QLabel* ClockLabel() const { return m_pClock; }
  QLabel* RemainingLabel() const { return m_pRemaining; }
  // The Set Clock dialog while its button is checked, else null.
  CSimClockDlg* ClockDialog() const { return m_pClockDlg; }

 signals:
  void changed();

 private:
  void OnStep();
  void OnUnitChange();
  void OnSetClock(bool checked);

  CDiagramEditor& m_core;
  CFlatIconButton* m_pPower = nullptr;
  CFlatIconButton* m_pStart = nullptr;
  CFlatIconButton* m_pStop = nullptr;
  CFlatIconButton* m_pSuspend = nullptr;
  CFlatIconButton* m_pStep = nullptr;
  CFlatIconButton* m_pSetClock = nullptr;
  QStackedWidget* m_pStepEdits = nullptr;  // the cycles and the time edit in one place
  QSpinBox* m_pCycles = nullptr;
  CMaskedEdit* m_pTime = nullptr;
  bool m_bRemainingShown = false;  // from a step's start until Start or Resume
  QComboBox* m_pUnit = nullptr;
  QLabel* m_pClock = nullptr;
  QLabel* m_pRemaining = nullptr;
  QPointer<CSimClockDlg> m_pClockDlg;
  int m_bApplyImmediately = 0;  // the dialog's choice, kept while the bar lives
  SYSTEMTIME m_stAnimMark{};
  int m_nAnimFrame = 0;
  int m_nStepIcon = -1;
};

// The Set Clock dialog: the simulated date (2000 to 2099) and time of the
// window's clock, set on Apply or OK, or at every change with "Apply values
// immediately". Closing it unchecks the bar's Set Clock button.
class CSimClockDlg : public QDialog {
  Q_OBJECT

 public:
  CSimClockDlg(CDiagramEditor& core, CFlatIconButton* button, int* applyFlag, QWidget* parent);
  QDateEdit* DateEdit() const { return m_pDate; }
  QTimeEdit* TimeEdit() const { return m_pTime; }
  QCheckBox* ApplyNowCheck() const { return m_pApplyNow; }
  QLabel* ClockText() const { return m_pNow; }
  QPushButton* ApplyButton() const { return m_pApply; }
  // The pickers' date and time become the simulated clock.
  void TakePickers();
  void accept() override;
  void reject() override;

 private:
  void Close();

  CDiagramEditor& m_core;
  QPointer<CFlatIconButton> m_pButton;
  int* m_pApplyFlag;
  QDateEdit* m_pDate = nullptr;
  QTimeEdit* m_pTime = nullptr;
  QCheckBox* m_pApplyNow = nullptr;
  QLabel* m_pNow = nullptr;
  QPushButton* m_pApply = nullptr;
};

class CSimIoBar : public QWidget {
  Q_OBJECT

 public:
  // inputs: the Inputs bar; else the Outputs bar.
  CSimIoBar(CDiagramEditor& core, bool inputs, QWidget* parent);
  // The controls of the document's inputs (or outputs).
  void Rebuild();
  // Every control shows its block's state.
  void Refresh();
  // The control of an item by its caption ("I1", "Q1"; a wide item's value
  // field), or null.
  QWidget* Control(const QString& caption) const;

  // Width of a button and of a wide item (value above its label).
  static constexpr int kButtonWidth = 27;
  int WideWidth() const { return m_bInputs ? 57 : 86; }
  // The bar asks for its whole row; squeezed beside the other bars it keeps
  // at least this width (its title stays readable) and scrolls its row.
  static constexpr int kMinimumWidth = 120;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  QScrollArea* Scroller() const { return m_pScroll; }

 signals:
  void changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Item {
    SimBarItem item;
    QWidget* control;  // the button, indicator or value field
    QWidget* label;    // a wide item's label, else null
  };
  void OnValueEdited(const Item& item, const QString& text);
  bool IsOn(const Item& item) const;

  CDiagramEditor& m_core;
  bool m_bInputs;
  QScrollArea* m_pScroll = nullptr;    // scrolls the row sideways when the bar is narrow
  QWidget* m_pContent = nullptr;       // the row's widget inside the scroll area
  QPushButton* m_pCollapse = nullptr;  // "<<": its height is the row's
  QHBoxLayout* m_pRow = nullptr;
  std::vector<Item> m_items;
};

// The analog value pop-up: a slider from the block's minimum to its maximum
// that sets its simulated value while it moves.
class CAnalogSliderDlg : public QDialog {
  Q_OBJECT

 public:
  CAnalogSliderDlg(CZaradView* view, CBlockObj* block);
  CBlockObj* Block() const { return m_pBlock; }
  QSlider* Slider() const { return m_pSlider; }
  QLabel* MinText() const { return m_pMin; }
  QLabel* MaxText() const { return m_pMax; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnMoved(int pos);

  CZaradView* m_pView;
  CBlockObj* m_pBlock;
  QSlider* m_pSlider = nullptr;
  QLabel* m_pMin = nullptr;
  QLabel* m_pMax = nullptr;
};
