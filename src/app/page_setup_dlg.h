// CPageSetupDlg: "Page Setup" for PDF output, where the system's page setup
// dialog does not serve: paper size, orientation and the four margins in
// millimetres. On OK it writes them into the printer.
#pragma once

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QPrinter;
class QRadioButton;

class CPageSetupDlg : public QDialog {
  Q_OBJECT

 public:
  // Shows the printer's paper, orientation and margins.
  explicit CPageSetupDlg(QPrinter* printer, QWidget* parent = nullptr);

  // Writes the choices into the printer (OK does it too).
  void Apply();
  QComboBox* PaperBox() const { return m_pPaper; }
  QDoubleSpinBox* MarginBox(int side) const { return m_pMargins[side]; }  // 0 left, 1 top, 2 right, 3 bottom

 private:
  QPrinter* m_pPrinter;
  QComboBox* m_pPaper;
  QRadioButton* m_pPortrait;
  QRadioButton* m_pLandscape;
  QDoubleSpinBox* m_pMargins[4] = {};
};
