#include "properties/gui/qt_program_sheet.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "pages/block_param_page.h"
#include "pages/gui/qt_page_host.h"
#include "platform/command_target.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "properties/gui/analog_output_dlg.h"
#include "properties/program_sheet.h"
#include "shell/shell.h"

CQtProgramSheet::CQtProgramSheet(CPropertiesPropSh& sheet, QWidget* parent)
    : QDialog(parent), m_sheet(sheet) {
  setWindowTitle(ToQString(CaptionText(sheet.Caption())));
  setObjectName(QStringLiteral("programSheet"));
  auto* layout = new QVBoxLayout(this);
  m_pTabs = new QTabWidget(this);
  m_pTabs->setUsesScrollButtons(false);  // the sheet is as wide as its tabs
  layout->addWidget(m_pTabs);
  m_hosts.assign(sheet.Pages().size(), nullptr);
  for (CParamPage* page : sheet.Pages()) m_pTabs->addTab(new QWidget(m_pTabs), ToQString(page->m_strTitle));
  auto* buttons = new QDialogButtonBox(this);
  auto* ok = buttons->addButton(ToQString(UiText(1, u"OK")), QDialogButtonBox::AcceptRole);
  auto* cancel = buttons->addButton(ToQString(UiText(2, u"Cancel")), QDialogButtonBox::RejectRole);
  auto* help =
      buttons->addButton(ToQString(UiText(9, u"Help")), QDialogButtonBox::HelpRole);  // no help topic
  ok->setObjectName(QStringLiteral("sheetOK"));
  cancel->setObjectName(QStringLiteral("sheetCancel"));
  help->setObjectName(QStringLiteral("sheetHelp"));
  connect(ok, &QPushButton::clicked, this, &CQtProgramSheet::OnOK);
  m_pOK = ok;
  // The Hardware page keeps OK off while the chosen model cannot run the
  // document, and a double click on a model ends the sheet as OK does.
  sheet.m_hardware.m_enableSheetOK = [ok](bool enable) { ok->setEnabled(enable); };
  sheet.m_hardware.m_isSheetOKEnabled = [ok] { return ok->isEnabled(); };
  sheet.m_hardware.m_endSheetWithOK = [this] { OnOK(); };
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(buttons);
  const int start = sheet.StartPage();
  {
    const QSignalBlocker block(m_pTabs);
    m_pTabs->setCurrentIndex(start);
  }
  ShowPage(start);
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
}

int CQtProgramSheet::ActivePage() const {
  return m_pTabs->currentIndex();
}

CQtPageHost* CQtProgramSheet::PageHost(int index) const {
  return index >= 0 && index < static_cast<int>(m_hosts.size()) ? m_hosts[static_cast<size_t>(index)]
                                                                : nullptr;
}

void CQtProgramSheet::ShowPage(int index) {
  if (index < 0 || index >= static_cast<int>(m_hosts.size())) return;
  if (m_pTabs->currentIndex() != index) {
    m_pTabs->setCurrentIndex(index);  // validates the page it leaves, then comes back here
    return;
  }
  m_nShown = index;
  if (m_hosts[static_cast<size_t>(index)]) return;
  CParamPage* page = m_sheet.Pages()[static_cast<size_t>(index)];
  QWidget* holder = m_pTabs->widget(index);
  auto* host = new CQtPageHost(page, holder);
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(host);
  m_hosts[static_cast<size_t>(index)] = host;
  if (page == &m_sheet.m_lcd) {
    // The logo preview sits in the "Preview" frame, at its own size.
    const ControlDesc* frame = page->Describe().Find(CStartUpBmp::kIdPreview);
    auto* preview = new QLabel(host);
    preview->setObjectName(QStringLiteral("logoPreview"));
    host->Follow(preview, frame->id, QMargins(8, preview->fontMetrics().height() + 2, 8, 6));
    preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_sheet.m_lcd.m_onPreview = [preview](const CString& path) {
      preview->setPixmap(path.IsEmpty() ? QPixmap() : QPixmap(ToQString(path)));
    };
  }
  page->Attach(host, m_sheet.Context());
  page->Initialise();
}

void CQtProgramSheet::OnOK() {
  if (m_sheet.OnOK(ActivePage())) accept();
}

// ---- CProgramPropertiesCommand --------------------------------------------------------

std::function<int(CQtProgramSheet& sheet)> CProgramPropertiesCommand::s_runner;

CProgramPropertiesCommand::CProgramPropertiesCommand(CShell& shell)
    : QObject(shell.MainWindow()), m_shell(shell) {
  setObjectName("programProperties");
  m_shell.SetCommandHandler(
      ID_PROPERTIES, [this] { OnProperties(); },
      [this](CCmdUI* ui) { ui->Enable(m_shell.GetActiveDocument() != nullptr); });
}

void CProgramPropertiesCommand::OnProperties() {
  CZaradDoc* doc = m_shell.GetActiveDocument();
  if (!doc) return;
  CPropertiesPropSh sheet(doc);
  sheet.SetStartPage(m_shell.TakePropertiesStartPage());
  QWidget* owner = m_shell.MainWindow();
  sheet.m_lcd.m_chooseFile = [owner] {
    QFileDialog dialog(owner, QString(), QString(), "Graphic files(*.bmp)");
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? ToCString(dialog.selectedFiles().first())
               : CString();
  };
  sheet.m_parameter.m_onFixedValues = [doc, owner] {
    CFixedValueDlg dlg(*doc, owner);
    RunAnalogOutputDialog(dlg);
  };
  sheet.m_parameter.m_onRangeTypes = [doc, owner] {
    CValueRangeTypeDlg dlg(*doc, owner);
    RunAnalogOutputDialog(dlg);
  };
  CQtProgramSheet dialog(sheet, owner);
  const int result = s_runner ? s_runner(dialog) : dialog.exec();
  if (result != QDialog::Accepted) return;
  if (sheet.StoreToDocument()) doc->SetModifiedFlag(true);
  if (sheet.ModelChanged()) {
    // The status bar names the new model, the palette shows its blocks and
    // the diagram goes back to selecting.
    m_shell.OnActiveDocumentChanged();
    m_shell.OnPalettePick(MODE_SELECT, 0);
  }
}
