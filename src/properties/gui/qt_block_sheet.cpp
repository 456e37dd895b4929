#include "properties/gui/qt_block_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "pages/block_param_page.h"
#include "pages/gui/coil_state_dialog.h"
#include "pages/gui/grid_page_window.h"
#include "pages/gui/qt_page_dialog.h"
#include "pages/gui/qt_page_host.h"
#include "pages/ladder_operand_page.h"
#include "pages/operand_pages.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "properties/block_sheet.h"
#include "shell/shell.h"

CQtBlockSheet::CQtBlockSheet(CBlockSheet& sheet, CBlockProperties* command, QWidget* parent, CShell* shell)
    : QDialog(parent), m_sheet(sheet), m_pCommand(command), m_pShell(shell) {
  InstallQtPageDialogRunner();  // the pages' own dialogs (the bit mask)
  setWindowTitle(ToQString(CaptionText(sheet.Caption())));
  setObjectName(QStringLiteral("blockSheet"));
  // The Modbus page's "Config" opens the coil states over this sheet.
  CModbusPropPage::s_runCoilDialog = [this](CCoilStateDlg& coils) { return RunCoilStateDialog(coils, this); };
  auto* layout = new QVBoxLayout(this);
  m_pTabs = new QTabWidget(this);
  m_pTabs->setUsesScrollButtons(false);  // the sheet is as wide as its tabs
  layout->addWidget(m_pTabs);
  m_hosts.assign(sheet.Pages().size(), nullptr);
  for (CParamPage* page : sheet.Pages()) {
    // The analog output buttons open the program properties on a page.
    if (auto* operand = dynamic_cast<COperandPageBase*>(page); operand && shell)
      operand->m_runCommand = [shell](UINT id, int startPage) {
        if (id == ID_PROPERTIES) return shell->OpenProgramProperties(startPage);
        shell->SendCommand(id);
      };
    auto* holder = new QWidget(m_pTabs);
    m_pTabs->addTab(holder, ToQString(CaptionText(page->m_strTitle)));
  }
  auto* buttons = new QDialogButtonBox(this);
  auto* ok = buttons->addButton(ToQString(UiText(1, u"OK")), QDialogButtonBox::AcceptRole);
  auto* cancel = buttons->addButton(ToQString(UiText(2, u"Cancel")), QDialogButtonBox::RejectRole);
  ok->setObjectName(QStringLiteral("sheetOK"));
  cancel->setObjectName(QStringLiteral("sheetCancel"));
  if (sheet.IsModeless()) {
    m_pApply = buttons->addButton(ToQString(UiText(12321, u"Apply")), QDialogButtonBox::ApplyRole);
    m_pApply->setObjectName(QStringLiteral("sheetApply"));
    m_pApply->setEnabled(false);
    connect(m_pApply, &QPushButton::clicked, this, &CQtBlockSheet::OnApply);
  }
  auto* help = buttons->addButton(ToQString(UiText(9, u"Help")), QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("sheetHelp"));
  connect(ok, &QPushButton::clicked, this, &CQtBlockSheet::OnOK);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, &CQtBlockSheet::OnHelp);
  layout->addWidget(buttons);
  ShowPage(0);
  connect(m_pTabs, &QTabWidget::currentChanged, this, [this](int index) {
    // Leaving a page validates it; a refused value keeps the page in front.
    CParamPage* leaving = m_sheet.Pages()[static_cast<size_t>(m_nShown)];
    if (index != m_nShown && leaving->IsInitialised() && !leaving->UpdateData(true)) {
      const QSignalBlocker block(m_pTabs);
      m_pTabs->setCurrentIndex(m_nShown);
      return;
    }
    ShowPage(index);
  });
  if (sheet.IsModeless()) {
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
  }
}

CQtBlockSheet::~CQtBlockSheet() {
  CModbusPropPage::s_runCoilDialog = nullptr;
  // A modeless sheet leaves the command's list when its window goes.
  if (m_sheet.IsModeless() && m_pCommand) m_pCommand->CloseSheet(&m_sheet);
}

int CQtBlockSheet::ActivePage() const {
  return m_pTabs->currentIndex();
}

CQtPageHost* CQtBlockSheet::PageHost(int index) const {
  return index >= 0 && index < static_cast<int>(m_hosts.size()) ? m_hosts[static_cast<size_t>(index)]
                                                                : nullptr;
}

void CQtBlockSheet::ShowPage(int index) {
  if (index < 0 || index >= static_cast<int>(m_hosts.size())) return;
  m_nShown = index;
  m_sheet.m_nActivePage = index;
  if (m_hosts[static_cast<size_t>(index)]) return;
  CParamPage* page = m_sheet.Pages()[static_cast<size_t>(index)];
  QWidget* holder = m_pTabs->widget(index);
  auto* host = new CQtPageHost(page, holder);
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(host);
  m_hosts[static_cast<size_t>(index)] = host;
  AttachMessageTextGrid(page, host);  // the message-text editors' screen
  page->Attach(host, m_sheet.Context());
  page->Initialise();
  if (page == m_sheet.TypePage()) {
    m_sheet.RetextTypePage();
    // Room below the template for the "Current Parameter Value" box.
    const int grown = host->ToPixels(page->Describe().size).height() + m_sheet.ValueBoxGrowth();
    host->setMinimumHeight(std::max(host->minimumHeight(), grown));
  }
  // Changes enable Apply; a double click in the ladder operand list is OK.
  page->m_onModified = [this] { UpdateApply(); };
  if (auto* ladder = dynamic_cast<CPropPageLadIO*>(page)) ladder->m_requestOK = [this] { OnOK(); };
  UpdateApply();
}

void CQtBlockSheet::UpdateApply() {
  if (!m_pApply) return;
  bool modified = false;
  for (CParamPage* page : m_sheet.Pages()) modified = modified || page->IsModified();
  m_pApply->setEnabled(modified);
}

void CQtBlockSheet::OnOK() {
  if (m_sheet.IsModeless()) {
    if (m_pCommand && !m_pCommand->ApplySheet(m_sheet, ActivePage())) return;
    close();
    return;
  }
  if (m_sheet.OnOK(ActivePage())) accept();
}

void CQtBlockSheet::OnApply() {
  if (m_pCommand && m_pCommand->ApplySheet(m_sheet, ActivePage()))
    setWindowTitle(ToQString(CaptionText(m_sheet.Caption())));
  UpdateApply();
}

void CQtBlockSheet::OnHelp() {
  // The ladder element sheet's Help does nothing.
  if (m_pShell && m_sheet.HelpTopic() > 0) m_pShell->ShowHelp(m_sheet.HelpTopic());
}

// ---- CQtSheetRunner -----------------------------------------------------------------

int CQtSheetRunner::RunModal(CBlockSheet& sheet) {
  CQtBlockSheet dialog(sheet, m_pCommand, m_pParent, m_pShell);
  return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

bool CQtSheetRunner::OpenModeless(CBlockSheet& sheet) {
  auto* dialog = new CQtBlockSheet(sheet, m_pCommand, m_pParent, m_pShell);
  dialog->show();
  return true;
}
