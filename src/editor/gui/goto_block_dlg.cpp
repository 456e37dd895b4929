#include "editor/gui/goto_block_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/gui/qt_string.h"

CGoToBlockDlg::CGoToBlockDlg(std::vector<GoToBlockEntry> entries, std::function<void(int)> centre,
                             QWidget* parent)
    : QDialog(parent), m_entries(std::move(entries)), m_centre(std::move(centre)) {
  setObjectName(QStringLiteral("goToBlockDlg"));
  setWindowTitle(QStringLiteral("Select Block"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Block Number"), this));
  m_pEdit = new QLineEdit(this);
  m_pEdit->setObjectName(QStringLiteral("ctl1040"));
  layout->addWidget(m_pEdit);
  layout->addWidget(new QLabel(QStringLiteral("Available Blocks"), this));
  m_pList = new QListWidget(this);
  m_pList->setObjectName(QStringLiteral("ctl1230"));
  m_pList->setMinimumHeight(360);
  for (const GoToBlockEntry& e : m_entries) m_pList->addItem(ToQString(e.text));
  layout->addWidget(m_pList);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);  // no help topic
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(m_pEdit, &QLineEdit::textChanged, this, [this] { OnChangeBlockNumber(); });
  connect(m_pList, &QListWidget::currentRowChanged, this, [this] { OnSelChange(); });
  connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] {
    OnSelChange();
    accept();
  });
}

void CGoToBlockDlg::OnChangeBlockNumber() {
  const int index = FindGoToBlockEntry(m_entries, ToCString(m_pEdit->text()));
  if (index < 0) return;
  {
    const QSignalBlocker block(m_pList);
    m_pList->setCurrentRow(index);
  }
  if (m_centre) m_centre(m_entries[static_cast<size_t>(index)].number);
}

void CGoToBlockDlg::OnSelChange() {
  const int index = m_pList->currentRow();
  if (index < 0 || index >= static_cast<int>(m_entries.size())) return;
  if (m_centre) m_centre(m_entries[static_cast<size_t>(index)].number);
}
