#include "device/gui/password_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "device/device_link.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

CPasswordDlg::CPasswordDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("passwordDlg");
  setWindowTitle(QtCaption("Type your password, and then press ENTER"));
  m_pEdit = new QLineEdit(this);
  m_pEdit->setObjectName("passwordEdit");
  m_pEdit->setEchoMode(QLineEdit::Password);
  m_pEdit->setMaxLength(8);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* form = new QFormLayout(this);
  form->addRow(QtCaption("Passowrd"), m_pEdit);
  form->addRow(buttons);
  connect(m_pEdit, &QLineEdit::textEdited, this, [this](const QString& t) { OnTextChanged(t); });
  connect(m_pEdit, &QLineEdit::returnPressed, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(this, &QDialog::accepted, this, [this] { m_strPassword = ToCString(m_pEdit->text()); });
}

void CPasswordDlg::OnTextChanged(const QString& text) {
  const QString upper = text.toUpper();
  for (QChar c : upper) {
    if (c < QChar('A') || c > QChar('Z')) {
      const QSignalBlocker block(m_pEdit);
      m_pEdit->clear();
      AfxMessageBox(IDS_PASSWORD_LETTERS, MB_OK | MB_ICONINFORMATION);
      return;
    }
  }
  if (upper != text) {
    const int cursor = m_pEdit->cursorPosition();
    const QSignalBlocker block(m_pEdit);
    m_pEdit->setText(upper);
    m_pEdit->setCursorPosition(cursor);
  }
}

void CPasswordDlg::CopyPassword(unsigned char out[8]) const {
  for (int i = 0; i < 8; ++i) out[i] = 0xFF;
  for (int i = 0; i < m_strPassword.GetLength() && i < 8; ++i)
    out[i] = static_cast<unsigned char>(m_strPassword[i] & 0xFF);
}
