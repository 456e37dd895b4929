// The "Set Coil State" dialog of the Modbus page: 32 check boxes "Coil 0" to
// "Coil 31" in four columns of eight, over a CCoilStateDlg.
#pragma once

#include <QDialog>
#include <array>

#include "pages/modbus_page.h"

class QCheckBox;

class CQtCoilStateDialog : public QDialog {
  Q_OBJECT

 public:
  CQtCoilStateDialog(CCoilStateDlg& coils, QWidget* parent);
  QCheckBox* Coil(int n) const { return m_boxes[static_cast<size_t>(n)]; }

 public slots:
  void accept() override;

 private:
  CCoilStateDlg& m_coils;
  std::array<QCheckBox*, CCoilStateDlg::kCoils> m_boxes{};
};

// Runs the dialog modally; true (and the words written) on OK.
bool RunCoilStateDialog(CCoilStateDlg& coils, QWidget* parent);
