#include "app/close_all_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/gui/xlist_ctrl.h"
#include "pages/block_param_page.h"
#include "platform/gui/qt_string.h"
#include "platform/string_table.h"

namespace {

// The text of a control in the interface's language.
QString Text(int id, const char16_t* english) {
  return ToQString(UiText(id, CString(english)));
}

}  // namespace

CCloseAllDlg::CCloseAllDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("closeAllDlg");
  setWindowTitle(QtCaption("Close All"));
  auto* layout = new QVBoxLayout(this);
  m_list = new CXListCtrl(this);
  m_list->setObjectName(QString("ctl%1").arg(kIdList));
  layout->addWidget(m_list, 1);
  m_selectAll = new QCheckBox(QtCaption("Select all documents to save"), this);
  m_selectAll->setObjectName(QString("ctl%1").arg(kIdSelectAll));
  layout->addWidget(m_selectAll);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(Text(1, u"OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("ctl1");
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(Text(2, u"Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName("ctl2");
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_list, &CXListCtrl::checkBoxClicked, this, &CCloseAllDlg::OnCheckBoxClicked);
  connect(m_selectAll, &QCheckBox::clicked, this, &CCloseAllDlg::OnSelectAll);
  resize(460, 280);
}

BOOL CCloseAllDlg::AddDocument(const CString& path, const CString& title) {
  if (!m_docs.AddDocument(path)) return FALSE;
  m_titles.push_back(title);
  return TRUE;
}

int CCloseAllDlg::exec() {
  OnInitDialog();
  return QDialog::exec();
}

void CCloseAllDlg::OnInitDialog() {
  if (m_bInitialised) return;
  m_bInitialised = true;
  m_list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
  // "Save" takes 14/64 of the width, "File Name" the rest.
  const int w = std::max(m_list->viewport()->width(), 420) - 2;
  const int first = 14 * w / 64;
  m_list->InsertColumn(0, CaptionText(u"Save"), LVCFMT_LEFT, first);
  m_list->InsertColumn(1, CaptionText(u"File Name"), LVCFMT_LEFT, w - first - 2);
  m_list->setUpdatesEnabled(false);
  for (int i = 0; i < m_docs.GetCount(); ++i) {
    const int row = m_list->InsertItem(m_list->GetItemCount(), CString());
    m_list->SetCheckbox(row, 0, 0);
    // A new document has no path yet: its title stands there.
    const CString& path = m_docs.GetRecord(i).path;
    m_list->SetItemText(row, 1, path.IsEmpty() ? m_titles[static_cast<size_t>(i)] : path);
  }
  m_list->setUpdatesEnabled(true);
}

void CCloseAllDlg::OnCheckBoxClicked(int row, int column) {
  if (column != 0) return;
  // Every row's choice follows its box, a new document's too: it is then saved
  // through Save As rather than losing its changes behind a ticked box.
  m_docs.ToggleRow(row);
}

void CCloseAllDlg::OnSelectAll() {
  m_bSelectAll = m_bSelectAll ? 0 : 1;
  m_selectAll->setChecked(m_bSelectAll != 0);
  for (int row = 0; row < m_list->GetItemCount(); ++row) m_list->SetCheckbox(row, 0, m_bSelectAll);
  m_docs.SelectAll(m_bSelectAll);
}
