// CLanguageDlg: the Language command's dialog, a list of the two interface
// languages ("English", "Simple Chinese"). OK with another language than the one of
// this run tells the user that it applies from the next start.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;

class CLanguageDlg : public QDialog {
  Q_OBJECT

 public:
  // current: 0 English, 1 Chinese (the language chosen in this run).
  CLanguageDlg(int current, QWidget* parent = nullptr);

  // The chosen language after OK.
  int GetSelection() const { return m_nSelection; }
  QComboBox* Combo() const { return m_pCombo; }

  void accept() override;

 private:
  int m_nCurrent;
  int m_nSelection;
  QComboBox* m_pCombo;
  QLabel* m_pLabel;
};
