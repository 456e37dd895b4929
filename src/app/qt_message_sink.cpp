#include "app/qt_message_sink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <algorithm>

#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"

namespace {

QMessageBox::StandardButton ButtonOf(int answer) {
  switch (answer) {
    case IDCANCEL:
      return QMessageBox::Cancel;
    case IDYES:
      return QMessageBox::Yes;
    case IDNO:
      return QMessageBox::No;
    default:
      return QMessageBox::Ok;
  }
}

}  // namespace

int QtMessageSink::Show(const Message& m) {
  QWidget* parent = QApplication::activeWindow();
  if (!parent) parent = m_pParent;
  QMessageBox box(parent);
  box.setWindowTitle(ToQString(m.caption.IsEmpty() ? LoadString(IDS_APP_TITLE) : CaptionText(m.caption)));
  // A literal message of the program's own shows in the interface's language.
  box.setText(ToQString(CaptionText(m.text)));
  switch (m.icon) {
    case MessageIcon::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::kWarning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::kError:
      box.setIcon(QMessageBox::Critical);
      break;
    case MessageIcon::kQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case MessageIcon::kNone:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  const std::vector<int> answers = AnswersOf(m.buttons);
  QMessageBox::StandardButtons buttons;
  for (int answer : answers) buttons |= ButtonOf(answer);
  box.setStandardButtons(buttons);
  box.setDefaultButton(ButtonOf(DefaultAnswer(m)));
  if (g_LanguageIsChinese) {
    // The buttons in the interface's language (the answers are the buttons' ids).
    for (int answer : answers) {
      const CString text = LookupUiText(static_cast<UINT>(answer));
      if (QAbstractButton* button = box.button(ButtonOf(answer)); button && !text.IsEmpty()) {
        button->setText(ToQString(text));
      }
    }
  }
  // Escape and the close box give Cancel where there is one, else the only or the last button.
  const bool hasCancel = std::find(answers.begin(), answers.end(), IDCANCEL) != answers.end();
  box.setEscapeButton(ButtonOf(hasCancel ? IDCANCEL : answers.back()));
  const int result = box.exec();
  for (int answer : answers) {
    if (result == ButtonOf(answer)) return answer;
  }
  return hasCancel ? IDCANCEL : answers.back();
}

void QtMessageSink::SetInformationWindow(std::function<void(const CString&)> append) {
  m_append = std::move(append);
}

void QtMessageSink::AppendInformation(const CString& text) {
  if (m_append) m_append(text);
}
