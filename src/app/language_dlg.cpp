#include "app/language_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/block_param_page.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"

namespace {

// The text of a control in the interface's language.
QString Text(int id, const char16_t* english) {
  return ToQString(UiText(id, CString(english)));
}

}  // namespace

CLanguageDlg::CLanguageDlg(int current, QWidget* parent)
    : QDialog(parent), m_nCurrent(current), m_nSelection(current) {
  setObjectName("languageDlg");
  setWindowTitle(Text(ID_LANGUAGE, u"Language"));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  m_pLabel = new QLabel(Text(ID_LANGUAGE, u"Language"), this);
  m_pCombo = new QComboBox(this);
  m_pCombo->setObjectName("languageCombo");
  m_pCombo->addItem("English");  // each language by its own name
  m_pCombo->setProperty("ownLanguageNames", true);
  m_pCombo->addItem(Text(183, u"Simple Chinese"));
  m_pCombo->setCurrentIndex(current == 1 ? 1 : 0);
  row->addWidget(m_pLabel);
  row->addWidget(m_pCombo, 1);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(Text(1, u"OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(Text(2, u"Cancel"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CLanguageDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  setMinimumWidth(280);
}

void CLanguageDlg::accept() {
  m_nSelection = m_pCombo->currentIndex();
  if (m_nSelection != m_nCurrent) {
    AfxMessageBox(CString(u"Chages are not applied until restart of the progam."),
                  MB_OK | MB_ICONINFORMATION);
  }
  QDialog::accept();
}
