#include "editor/gui/goto_block_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/gui/qt_string.h"

CGoToBlockDlg::CGoToBlockDlg(std::vector<GoToBlockEntry> entries, std::function<void(int)> centre,
                             QWidget* parent)
    : QDialog(parent), m_entries(std::move(entries)), m_centre(std::move(centre)) {
  setObjectName(QStringLiteral("goToBlockDlg"));
  setWindowTitle(QtCaption("Select Block"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QtCaption("Block Number"), this));
  m_pEdit = new QLineEdit(this);
  m_pEdit->setObjectName(QStringLiteral("ctl1040"));
  layout->addWidget(m_pEdit);
  layout->addWidget(new QLabel(QtCaption("Available Blocks"), this));
  m_pList = new QListWidget(this);
  m_pList->setObjectName(QStringLiteral("ctl1230"));
  m_pList->setMinimumHeight(360);
  for (const GoToBlockEntry& e : m_entries) m_pList->addItem(ToQString(CaptionText(e.text)));
  // As wide as the longest entry, beside the scroll bar.
  m_pList->setMinimumWidth(m_pList->sizeHintForColumn(0) + 2 * m_pList->frameWidth() +
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
  layout->addWidget(m_pList);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QtUiText(1, "OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QtUiText(2, "Cancel"), QDialogButtonBox::RejectRole);
  buttons->addButton(QtUiText(9, "Help"), QDialogButtonBox::HelpRole);  // no help topic
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
