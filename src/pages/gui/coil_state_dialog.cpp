#include "pages/gui/coil_state_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "platform/gui/qt_string.h"

CQtCoilStateDialog::CQtCoilStateDialog(CCoilStateDlg& coils, QWidget* parent)
    : QDialog(parent), m_coils(coils) {
  setWindowTitle(QtCaption("Set Coil State"));
  setObjectName(QStringLiteral("coilStateDialog"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  m_coils.UnpackCoils();
  for (int n = 0; n < CCoilStateDlg::kCoils; ++n) {
    auto* box = new QCheckBox(QtCaption("Coil %1").arg(n), this);
    box->setObjectName(QStringLiteral("coil%1").arg(n));
    box->setChecked(m_coils.m_bCoil[n]);
    box->setEnabled(m_coils.CoilEnabled(n));
    grid->addWidget(box, n % 8, n / 8);
    m_boxes[static_cast<size_t>(n)] = box;
  }
  layout->addLayout(grid);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void CQtCoilStateDialog::accept() {
  for (int n = 0; n < CCoilStateDlg::kCoils; ++n)
    m_coils.m_bCoil[n] = m_boxes[static_cast<size_t>(n)]->isChecked();
  m_coils.PackCoils();
  QDialog::accept();
}

bool RunCoilStateDialog(CCoilStateDlg& coils, QWidget* parent) {
  CQtCoilStateDialog dialog(coils, parent);
  return dialog.exec() == QDialog::Accepted;
}
