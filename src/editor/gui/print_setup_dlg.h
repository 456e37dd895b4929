// CPrintSetupDlg: "Print Setup", shown before a print or a print preview. It
// names the application's printer and paper, switches the printer's
// orientation at once, offers the system's page setup ("Setup...") and takes
// the scale and paper choices of the printout: scale to the printer's paper,
// to a page of A4, A3 or A2, or by a factor of 0 to 2. Enter on a radio button
// or in the scale field does nothing; on OK or "Setup..." it presses the button.
#pragma once

#include <QDialog>

#include "platform/cstring.h"

class CPrinterHost;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class CPrintSetupDlg : public QDialog {
  Q_OBJECT

 public:
  // The dialog over the application's printer (none: no printer names, no "Setup...").
  explicit CPrintSetupDlg(CPrinterHost* printer, QWidget* parent = nullptr);

  // Fields, as last accepted.
  int m_nOrientation = 1;    // 1 landscape ("Horizontal"), 0 portrait ("Vertical ")
  int m_nPaper = 4;          // 2 A2, 3 A3, 4 A4
  int m_nScaleMode = 2;      // 1 scale to paper size, 2 scale to page size, 3 scaling by a factor
  int m_bPrintParams = 0;    // check box 1058 "Print Blocks parameters after Program" (hidden)
  double m_dScale = 1.0;     // edit 1061, 0 to 2
  CString m_strPrinterName;  // static 1056
  CString m_strPaperName;    // static 1057

  // Opens with these choices (the ones last accepted for the diagram) instead
  // of A4 and "Scale to page size".
  void SetChoices(int paper, int scaleMode, double scale);
  // The control of a template id (1061, 1264, ...), or null.
  QWidget* Control(int id) const;
  // "Setup...": the system's page setup, then the printer's names and orientation again.
  void OnSetup();
  // OK: the scale factor must be a number from 0 to 2.
  void OnOK();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnInitDialog();
  void RefreshTexts();
  void SetOrientationButtons();
  // A scale choice: its button checked, the factor's field open only for
  // "Scaling", the paper buttons only for "Scale to page size".
  void ApplyScaleMode(int mode);

  QRadioButton* m_pPaper[3] = {};        // A2, A3, A4
  QRadioButton* m_pScale[3] = {};        // paper size, page size, scaling
  QRadioButton* m_pOrientation[2] = {};  // Horizontal, Vertical
  QLineEdit* m_pScaleEdit = nullptr;
  QCheckBox* m_pParams = nullptr;
  QLabel* m_pPrinter = nullptr;
  QLabel* m_pPaperName = nullptr;
  CPrinterHost* m_pPrinterHost;
};
