#include "controls/gui/hcolor_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

CHColorDialog::CHColorDialog(const CString& caption, COLORREF initial, DWORD flags, QWidget* parent)
    : QColorDialog(ToQColor(initial), parent), m_caption(caption), m_flags(flags | CC_SHOWHELP) {
  setOption(QColorDialog::DontUseNativeDialog);
  if (!m_caption.IsEmpty()) setWindowTitle(ToQString(m_caption));
  // The help button is shown but has nothing to open.
  if (auto* box = findChild<QDialogButtonBox*>()) m_help = box->addButton(QDialogButtonBox::Help);
}

int CHColorDialog::DoModal() {
  return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

COLORREF CHColorDialog::GetColor() const {
  const QColor c = currentColor();
  return RGB(c.red(), c.green(), c.blue());
}
