#include "app/editor_app.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QSettings>
#include <QTranslator>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>
#include <vector>

#include "app/app_icon.h"
#include "app/caption_translator.h"
#include "app/close_all_dlg.h"
#include "app/file_dialogs.h"
#include "app/main_frame.h"
#include "app/page_setup_dlg.h"
#include "app/qt_message_sink.h"
#include "app/shell_commands.h"
#include "app/workspace_view.h"
#include "controls/gui/pane_status_bar.h"
#include "model/astro_city_table.h"
#include "model/catalogues.h"
#include "model/language_setting.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/file_util.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/paths.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"

namespace {

constexpr char kRegistryKey[] = "Local AppWizard-Generated Applications";
constexpr char kProfileName[] = "Zovuzi Editor";
const char16_t kAllFilter[] = u"All Files (*.*)";
const char16_t kSaveAsTitle[] = u"Save As";

// Clipboard formats registered by name get numbers from 0xC000 on, as the system gives them.
QStringList& ClipboardFormatNames() {
  static QStringList names;
  return names;
}

UINT RegisterClipboardFormatName(const QString& name) {
  QStringList& names = ClipboardFormatNames();
  qsizetype index = names.indexOf(name);
  if (index < 0) {
    names.append(name);
    index = names.size() - 1;
  }
  return 0xC000u + static_cast<UINT>(index);
}

// The Chinese interface shows its texts in a CJK face; the usual face stays first
// for Latin text where it has the glyphs.
void UseChineseFont() {
  static const QStringList kCjkFamilies = {"WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "Noto Sans CJK SC",
                                           "Droid Sans Fallback"};
  const QStringList installed = QFontDatabase::families();
  QFont font = QApplication::font();
  QStringList families = font.families();
  if (families.isEmpty()) families << font.family();
  for (const QString& family : kCjkFamilies) {
    if (installed.contains(family) && !families.contains(family)) families << family;
  }
  font.setFamilies(families);
  QApplication::setFont(font);
}

QString RegisteredClipboardFormatName(UINT format) {
  const QStringList& names = ClipboardFormatNames();
  const qsizetype index = static_cast<qsizetype>(format) - 0xC000;
  return index >= 0 && index < names.size() ? names[index] : QString();
}

QString ProgramFolder() {
  QString folder = QCoreApplication::applicationDirPath();
  if (!folder.endsWith('/')) folder += '/';
  return folder;
}

}  // namespace

QString CEditorApp::ClipboardFormatName(UINT format) {
  return RegisteredClipboardFormatName(format);
}

CEditorApp::CEditorApp() : CEditorApp(Options()) {}

CEditorApp::CEditorApp(Options options) : m_options(std::move(options)) {
  // The program's clipboard formats: a spare one nothing reads, and the one of
  // diagram selections (Copy, Cut and Paste of the diagram view).
  m_nSpareClipFormat = static_cast<WORD>(RegisterClipboardFormatName("ZazovORE"));
  m_nDiagramClipFormat = static_cast<WORD>(RegisterClipboardFormatName("RavavIDIVizir"));
  m_pFbdTemplate = &m_fbdTemplate;
  m_pLadTemplate = &m_ladTemplate;
  if (ReadLanguageSetting(GetLanguageFile())) g_LanguageIsChinese = 1;
  if (g_LanguageIsChinese == 1) m_bDocMenuTranslated = 0;
  m_pFileDialogs = std::make_unique<QtFileDialogs>();
}

CEditorApp::~CEditorApp() {
  if (m_pMessageSink) m_pMessageSink->SetInformationWindow({});  // the frame goes first
  m_pMainWnd.reset();
  if (m_pMessageSink) SetMessageSink(m_pPreviousSink);
}

QString CEditorApp::LanguageSettingsPath() {
  // Each user's own: a file in the shared temporary folder could be planted by anyone.
  // Without a folder of the user's own the choice is not kept.
  const CString folder = GetSettingsFolder();
  return folder.IsEmpty() ? QString() : ToQString(folder) + "RazadUdezazir/DizevOdaved.ini";
}

QString CEditorApp::GetLanguageFile() const {
  return m_options.languageFile.isEmpty() ? LanguageSettingsPath() : m_options.languageFile;
}

bool CEditorApp::ReadLanguageSetting(const QString& path) {
  // Only a regular file of the user's own counts: no link, no pipe that would hold the start.
  return ::ReadLanguageSetting(std::filesystem::path(path.toStdString()));
}

bool CEditorApp::HasDiagramExtension(const CString& path) {
  const CString ending = path.Right(4);
  return ending.CompareNoCase(CString(u".bfb")) == 0 || ending.CompareNoCase(CString(u".bld")) == 0;
}

DocumentManager* CEditorApp::GetDocManager() const {
  return m_pMainWnd ? m_pMainWnd->GetDocManager() : nullptr;
}

void CEditorApp::SetDocumentFactory(DocumentManager::Factory factory) {
  m_factory = std::move(factory);
  if (DocumentManager* manager = GetDocManager()) manager->SetFactory(m_factory);
}

void CEditorApp::SetFileDialogs(std::unique_ptr<FileDialogs> dialogs) {
  if (dialogs) m_pFileDialogs = std::move(dialogs);
}

BOOL CEditorApp::InitInstance(const QStringList& arguments) {
  m_strProgramFolder = ToCString(ProgramFolder());

  // Printer defaults: the program starts in landscape (the printer itself is
  // looked for when something first needs it).
  SetLandscape(TRUE);

  m_nWidgetClipFormat = RegisterClipboardFormatName("Widget");

  if (m_options.settingsFile.isEmpty()) {
    m_pSettings = std::make_unique<QSettings>(kRegistryKey, kProfileName);
  } else {
    m_pSettings = std::make_unique<QSettings>(m_options.settingsFile, QSettings::IniFormat);
  }
  m_recentFiles.ReadList(*m_pSettings);

  if (g_LanguageIsChinese == 1) {
    UseChineseFont();
    m_translators = InstallChineseQtTranslators();
  }
  m_pMainWnd = std::make_unique<CMainFrame>(this);
  m_pMainWnd->setWindowIcon(AppIcon());
  if (m_factory) m_pMainWnd->GetDocManager()->SetFactory(m_factory);
  // The Chinese interface: the text tables, then the menu bar without a document.
  if (g_LanguageIsChinese == 1) {
    BuildChineseTextTables();
    m_pMainWnd->TranslateMenu(false, 0);
  } else {
    ClearChineseTextTables();
  }
  if (m_options.installMessageSink) {
    m_pMessageSink = std::make_unique<QtMessageSink>(m_pMainWnd.get());
    CMainFrame* frame = m_pMainWnd.get();
    m_pMessageSink->SetInformationWindow([frame](const CString& text) { frame->AppendInformation(text); });
    m_pPreviousSink = SetMessageSink(m_pMessageSink.get());
  }

  // The catalogues are built once a process; a later application object (tests)
  // reads the city file of its own user folder.
  const CString cityProblem =
      CataloguesBuilt() ? BuildCityTable(GetUserFolderPath()) : BuildCatalogues(GetUserFolderPath());
  // A city file that could not be read is left as it is at the end.
  m_bCityFileRead = cityProblem.IsEmpty();
  if (!m_bCityFileRead) AfxMessageBox(cityProblem, MB_OK | MB_ICONEXCLAMATION);

  // Idle work runs each time the event loop is about to wait.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { OnIdle(0); });
  }

  // Files named on the command line open; the program starts without a document otherwise.
  for (const QString& argument : arguments) {
    const QString lower = argument.toLower();
    if (lower == "/embedding" || lower == "-embedding" || lower == "/automation" || lower == "-automation") {
      return TRUE;
    }
  }
  // The application's cursors: the arrow, and the block cursor of placing a block.
  m_hArrowCursor = QCursor(Qt::ArrowCursor);
  m_hBlockCursor = CWorkspaceView::BlockCursor();
  if (std::any_of(arguments.begin(), arguments.end(), IsPrintSwitch)) {
    QStringList files;
    for (const QString& argument : arguments)
      if (!IsPrintSwitch(argument) && !argument.startsWith("-")) files << argument;
    return PrintFiles(files);
  }
  // Each file opens on its own: one that cannot be opened is reported (by the opening)
  // and the others still open.
  for (const QString& argument : arguments) {
    if (argument.startsWith("-")) continue;
    OpenDocumentFile(ToCString(argument));
  }

  if (m_options.showWindow) {
    // Without a window manager a maximise request does nothing: the window takes the
    // screen's free area first, so it fills the screen either way.
    if (QScreen* screen = m_pMainWnd->screen()) m_pMainWnd->setGeometry(screen->availableGeometry());
    m_pMainWnd->showMaximized();
  }
  return TRUE;
}

bool CEditorApp::IsPrintSwitch(const QString& argument) {
  const QString lower = argument.toLower();
  return lower == "/p" || lower == "-p" || lower == "--print";
}

BOOL CEditorApp::PrintFiles(const QStringList& paths) {
  QPrinter* printer = GetPrinter();
  const bool toPdf = printer->outputFormat() == QPrinter::PdfFormat;
  const QString previousFile = printer->outputFileName();
  BOOL ok = TRUE;
  for (const QString& path : paths) {
    DocumentWindow* doc = OpenDocumentFile(ToCString(path));
    if (!doc) {
      ok = FALSE;  // the opening told why
      continue;
    }
    QString pdf;
    if (toPdf) {
      const QFileInfo info(path);
      pdf = info.dir().filePath(info.completeBaseName() + ".pdf");
      QFile::remove(pdf);
      printer->setOutputFileName(pdf);
    }
    const bool sent = m_pMainWnd->SendCommand(ID_FILE_PRINT_DIRECT);
    if (!sent || (toPdf && !QFileInfo::exists(pdf))) ok = FALSE;
    const std::vector<DocumentWindow*> open = GetDocManager()->GetDocuments();
    if (std::find(open.begin(), open.end(), doc) != open.end()) GetDocManager()->CloseDocument(doc);
  }
  printer->setOutputFileName(previousFile);
  return ok;
}

int CEditorApp::ExitInstance() {
  if (m_pSettings) {
    m_recentFiles.WriteList(*m_pSettings);
    m_pSettings->sync();
  }
  if (m_bCityFileRead) {
    const CString problem = SaveCityTable(GetUserFolderPath());
    if (!problem.IsEmpty()) AfxMessageBox(problem, MB_OK | MB_ICONEXCLAMATION);
  }
  return 0;
}

std::filesystem::path CEditorApp::GetUserFolderPath() const {
  // Each user's own, as the language setting: not the shared temporary folder.
  const CString folder =
      m_options.userFolder.isEmpty() ? GetSettingsFolder() : ToCString(m_options.userFolder);
  return std::filesystem::path(folder.ToUtf8());
}

CString CEditorApp::GetZoomText() const {
  int percent = 100;
  float zoom = 1.0f;
  DocumentWindow* doc = m_pMainWnd ? m_pMainWnd->GetActiveDocumentWindow() : nullptr;
  if (doc && doc->GetZoom(&zoom)) percent = static_cast<int>(static_cast<double>(zoom) * 100.0);
  CString text;
  text.Format(LoadString(IDS_ZOOM_FORMAT).GetString(), percent);
  return text + u"%";
}

BOOL CEditorApp::OnIdle(long count) {
  if (!m_pMainWnd || m_bInIdle) return FALSE;
  m_bInIdle = true;
  CPaneStatusBar* bar = m_pMainWnd->GetStatusBar();
  const int index = bar->CommandToIndex(ID_INDICATOR_ZOOM);
  if (index >= 0) {
    const CString text = GetZoomText();
    StatusPaneInfo info;
    bar->GetPaneInfo(index, &info);
    const int width = QFontMetrics(bar->font()).horizontalAdvance(ToQString(text));
    if (info.text != text || info.width != width) {
      info.text = text;
      info.width = width;
      bar->SetPaneInfo(index, &info);
    }
  }
  m_pMainWnd->UpdateCommandUI();
  m_bInIdle = false;
  return FALSE;
}

DocumentWindow* CEditorApp::OpenDocumentFile(const CString& path) {
  DocumentManager* manager = GetDocManager();
  return manager ? manager->OpenDocument(path) : nullptr;
}

BOOL CEditorApp::SaveAllModified() {
  DocumentManager* manager = GetDocManager();
  if (!manager) return TRUE;
  // One dialog lists every document with unsaved changes; the user ticks the ones to save.
  CCloseAllDlg dialog(m_pMainWnd.get());
  std::vector<DocumentWindow*> modified;
  for (DocumentWindow* doc : manager->GetDocuments()) {
    if (!doc->IsModified()) continue;
    if (!dialog.AddDocument(doc->GetPathName(), doc->GetTitle())) {
      AfxMessageBox(CString(u"There are too much Documents to be Saved!"), MB_OK | MB_ICONSTOP);
      return FALSE;
    }
    modified.push_back(doc);
  }
  if (modified.empty()) return TRUE;
  if (dialog.exec() != QDialog::Accepted) return FALSE;

  // The unticked documents lose their changes; each ticked one is asked about and
  // saved (through Save As when it was never saved).
  const std::vector<CCloseAllList::Action> actions = dialog.Documents().Decisions();
  for (size_t i = 0; i < modified.size(); ++i) {
    if (actions[i] == CCloseAllList::Action::kDiscard) modified[i]->SetModifiedFlag(false);
  }
  for (DocumentWindow* doc : manager->GetDocuments()) {
    if (!manager->SaveModified(doc)) return FALSE;
  }
  return TRUE;
}

// ---- Commands ----------------------------------------------------------------------

bool CEditorApp::OnUpdateCmdUI(CCmdUI* ui) {
  switch (ui->m_nID) {
    case ID_FILE_NEW:
    case ID_FILE_NEW_LAD:
    case ID_FILE_OPEN:
    case ID_FILE_PAGE_SETUP:
    case ID_APP_ABOUT:
      return true;
    default:
      break;
  }
  if (ui->m_nID >= ID_FILE_MRU_FILE1 && ui->m_nID < ID_FILE_MRU_FILE1 + 4) {
    ui->Enable(static_cast<int>(ui->m_nID - ID_FILE_MRU_FILE1) < m_recentFiles.GetCount());
    return true;
  }
  return false;
}

bool CEditorApp::OnCmdMsg(UINT id) {
  switch (id) {
    case ID_FILE_NEW:
      OnFileNewFbd();
      return true;
    case ID_FILE_NEW_LAD:
      OnFileNewLad();
      return true;
    case ID_FILE_OPEN:
      OnFileOpen();
      return true;
    case ID_FILE_PAGE_SETUP:
      OnFilePageSetup();
      return true;
    case ID_APP_ABOUT:
      OnAppAbout();
      return true;
    default:
      break;
  }
  if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + 4) {
    OpenRecentFile(static_cast<int>(id - ID_FILE_MRU_FILE1));
    return true;
  }
  return false;
}

void CEditorApp::OnFileNewFbd() {
  NewDocument(kDocFbd);
}

void CEditorApp::NewDocument(int kind) {
  if (!m_pMainWnd) return;
  DocumentWindow* doc = GetDocManager()->NewDocument(kind);
  if (!doc) return;
  m_pMainWnd->SetTransferMenuTexts();
  TranslateDocumentMenu();
  if (m_pMainWnd->ShowsPropertiesOnNew()) m_pMainWnd->SendCommand(ID_PROPERTIES);
}

void CEditorApp::TranslateDocumentMenu() {
  // Once a run, with the first document: the document menu bar is shared by all.
  if (g_LanguageIsChinese != 1 || m_pMainWnd->m_bDocMenuTranslated) return;
  m_pMainWnd->TranslateMenu(true, 1);
  m_pMainWnd->m_bDocMenuTranslated = true;
  m_bDocMenuTranslated = 1;
}

void CEditorApp::OnFileNewLad() {
  NewDocument(kDocLadder);
}

void CEditorApp::OnFileOpen() {
  if (!m_pMainWnd) return;
  CString filter;
  filter.Format(LoadString(IDS_OPEN_FILTER).GetString(), LoadString(IDS_APP_TITLE).GetString(),
                m_pFbdTemplate->GetDocString(kDocFileNewName).GetString(),
                m_pLadTemplate->GetDocString(kDocFileNewName).GetString());
  FileDialogRequest request;
  request.open = true;
  request.multiSelect = true;
  request.filters = ParseFileFilter(ToQString(filter));
  QStringList paths;
  if (!m_pFileDialogs->Run(m_pMainWnd.get(), request, &paths)) return;
  try {
    int opened = 0;
    for (const QString& qpath : paths) {
      const CString path = ToCString(qpath);
      if (!HasDiagramExtension(path)) {
        CString text;
        text.Format(LoadString(IDS_BAD_FILE_TYPE).GetString(), LoadString(IDS_APP_TITLE).GetString(),
                    path.Right(4).GetString());
        AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
        continue;
      }
      if (OpenDocumentFile(path)) ++opened;
    }
    if (opened > 0) m_pMainWnd->SetTransferMenuTexts();
    if (opened > 0) TranslateDocumentMenu();
  } catch (const std::exception&) {
    AfxMessageBox(CString(u"Open file error!"), MB_OK | MB_ICONSTOP);
  }
}

void CEditorApp::OpenRecentFile(int index) {
  const QString path = m_recentFiles[index];
  if (path.isEmpty()) return;
  if (!OpenDocumentFile(ToCString(path))) {
    // A file that no longer opens leaves the list.
    m_recentFiles.Remove(index);
    if (m_pSettings) m_recentFiles.WriteList(*m_pSettings);
    if (m_pMainWnd) m_pMainWnd->UpdateRecentFileMenu();
  }
  // Like files from the command line or dropped files, a recent file leaves the
  // Transfer texts alone: only New and Open set them.
}

void CEditorApp::OnAppAbout() {
  QDialog dialog(m_pMainWnd.get());
  dialog.setObjectName("aboutDlg");
  const QString title = ToQString(LoadString(IDS_APP_TITLE));
  dialog.setWindowTitle(QtCaption("About %1").arg(title));
  auto* layout = new QVBoxLayout(&dialog);
  auto* row = new QHBoxLayout;
  auto* picture = new QLabel(&dialog);
  picture->setPixmap(AppIcon().pixmap(64, 64));
  row->addWidget(picture, 0, Qt::AlignTop);
  // The name and version stand out in a larger, bold face.
  auto* version = new QLabel(QString("%1   %2").arg(title, "V3.6.0"), &dialog);
  version->setObjectName("aboutVersion");
  QFont font = version->font();
  font.setPointSizeF(font.pointSizeF() * 1.6);
  font.setBold(true);
  version->setFont(font);
  row->addWidget(version, 1, Qt::AlignVCenter);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.exec();
}

// ---- File dialogs --------------------------------------------------------------------

BOOL CEditorApp::DoPromptFileName(CString& fileName, const CString& title, bool open,
                                  const CDocTemplate* tmpl, const CSavableDocument* doc) {
  if (!tmpl) return FALSE;
  FileDialogRequest request;
  request.open = open;
  request.title = ToQString(title);
  const QString projects = ToQString(m_strProgramFolder) + "Projects";
  if (QFileInfo(projects).isDir()) request.initialFolder = projects;
  request.fileName = ToQString(fileName);

  const CString filterExt = tmpl->GetDocString(kDocFilterExt);
  const CString filterName = tmpl->GetDocString(kDocFilterName);
  QString name = ToQString(filterName);
  QString pattern;
  if (!filterExt.IsEmpty() && !filterName.IsEmpty()) {
    request.defaultExtension = ToQString(filterExt.Mid(1));
    request.filterIndex = 1;
    pattern = "*" + ToQString(filterExt);
  }
  if (!doc && m_pMainWnd) doc = m_pMainWnd->GetActiveDocumentWindow();
  if (doc && doc->GetKind() == 2) {
    const QString ladderExt = ToQString(LoadString(IDS_LADDER_EXT));
    name.replace(".bfb", ladderExt);
    pattern.replace(".bfb", ladderExt);
    name.replace(ToQString(GetDocString(IDS_FBD_TEMPLATE, kDocFileNewName)),
                 ToQString(GetDocString(IDS_LAD_TEMPLATE, kDocFileNewName)));
    request.defaultExtension = "bld";
  }
  if (!pattern.isEmpty()) request.filters.push_back({name, pattern});
  request.filters.push_back({ToQString(CaptionText(CString(kAllFilter))), "*.*"});

  QStringList paths;
  if (!m_pFileDialogs->Run(m_pMainWnd.get(), request, &paths) || paths.isEmpty()) return FALSE;
  fileName = ToCString(WithDefaultExtension(paths.front(), request.defaultExtension));
  return TRUE;
}

bool CEditorApp::PromptSaveFileName(CSavableDocument& doc, CString* path) {
  CString name = *path;
  if (!DoPromptFileName(name, CString(kSaveAsTitle), false, m_pFbdTemplate, &doc)) return false;
  *path = name;
  return true;
}

void CEditorApp::AddToRecentFileList(const CString& path) {
  m_recentFiles.Add(ToQString(path));
  if (m_pSettings) m_recentFiles.WriteList(*m_pSettings);
  if (m_pMainWnd) m_pMainWnd->UpdateRecentFileMenu();
}

// ---- Printer defaults ------------------------------------------------------------------

BOOL CEditorApp::HasDefaultPrinter() {
  return !QPrinterInfo::defaultPrinterName().trimmed().isEmpty();
}

void CEditorApp::LoadPrinterDefaults() {
  if (m_bPrinterLoaded) return;
  m_bPrinterLoaded = true;
  if (HasDefaultPrinter()) {
    m_pPrinter = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter());
  } else {
    // Without a printer the program prints into PDF files.
    m_pPrinter = std::make_unique<QPrinter>();
    m_pPrinter->setOutputFormat(QPrinter::PdfFormat);
  }
  m_pPrinter->setPageOrientation(m_bLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QPrinter* CEditorApp::GetPrinter() {
  LoadPrinterDefaults();
  return m_pPrinter.get();
}

CString CEditorApp::GetPaperName() {
  QPrinter* printer = GetPrinter();
  return printer ? ToCString(printer->pageLayout().pageSize().name()) : CString();
}

CString CEditorApp::GetPrinterName() {
  QPrinter* printer = GetPrinter();
  if (!printer) return CString();
  if (printer->outputFormat() == QPrinter::PdfFormat && printer->printerName().isEmpty()) {
    return CaptionText(CString(u"Print to File (PDF)"));
  }
  return ToCString(printer->printerName());
}

BOOL CEditorApp::IsLandscape() {
  if (!m_pPrinter) return m_bLandscape;
  return m_pPrinter->pageLayout().orientation() == QPageLayout::Landscape;
}

void CEditorApp::SetLandscape(BOOL landscape) {
  // Asking the system for its default printer takes long: the orientation
  // waits for the printer until something needs it.
  m_bLandscape = landscape ? 1 : 0;
  if (m_pPrinter) m_pPrinter->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

std::function<bool(QPrinter*)> CEditorApp::s_pageSetupRunner;

void CEditorApp::PageSetup() {
  QPrinter* printer = GetPrinter();
  if (!printer) return;
  // The dialog shows the margins of the active diagram (0 in a new one).
  DocumentWindow* active = m_pMainWnd ? m_pMainWnd->GetActiveDocumentWindow() : nullptr;
  const CRect current = active ? active->GetPageMargins() : CRect();
  printer->setPageMargins(
      QMarginsF(current.left / 1000.0, current.top / 1000.0, current.right / 1000.0, current.bottom / 1000.0),
      QPageLayout::Millimeter);
  bool accepted = false;
  if (s_pageSetupRunner) {
    accepted = s_pageSetupRunner(printer);
  } else if (printer->outputFormat() == QPrinter::NativeFormat) {
    QPageSetupDialog dialog(printer, m_pMainWnd.get());
    accepted = dialog.exec() == QDialog::Accepted;
  } else {
    // The system's dialog serves real printers only; PDF output has its own.
    CPageSetupDlg dialog(printer, m_pMainWnd.get());
    accepted = dialog.exec() == QDialog::Accepted;
  }
  if (!accepted) return;
  // Margins go to every open document in thousandths of a millimetre.
  const QMarginsF m = printer->pageLayout().margins(QPageLayout::Millimeter);
  auto units = [](double mm) { return static_cast<int>(std::lround(mm * 1000)); };
  const CRect margins(units(m.left()), units(m.top()), units(m.right()), units(m.bottom()));
  if (DocumentManager* manager = GetDocManager()) {
    for (DocumentWindow* doc : manager->GetDocuments()) doc->SetPageMargins(margins);
  }
}
