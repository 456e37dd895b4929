// CPasswordDlg: asks for the device program's password (up to 8 capitals A to Z).
#pragma once

#include <QDialog>

#include "platform/cstring.h"

class QLineEdit;

class CPasswordDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CPasswordDlg(QWidget* parent = nullptr);

  const CString& Password() const { return m_strPassword; }
  QLineEdit* Edit() const { return m_pEdit; }
  // The password as the device takes it: the low byte of each character, 0xFF after.
  void CopyPassword(unsigned char out[8]) const;

 private:
  void OnTextChanged(const QString& text);

  CString m_strPassword;
  QLineEdit* m_pEdit = nullptr;
};
