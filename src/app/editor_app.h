// CEditorApp: the application object of the editor. It reads the interface
// language, keeps the recent-file list and the printer defaults, creates the main
// frame, opens the files given on the command line, carries the file commands
// (New FBD, New LAD, Open, Page Setup) and the Save As file dialog, and writes the
// active diagram's zoom into the status bar while the program is idle.
#pragma once

#include <QCursor>
#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/document_manager.h"
#include "app/recent_file_list.h"
#include "platform/command_target.h"
#include "platform/cstring.h"
#include "platform/types.h"
#include "shell/shell.h"

class CMainFrame;
class FileDialogs;
class QPrinter;
class QTranslator;
class QSettings;
class QtMessageSink;
class MessageSink;

class CEditorApp : public QObject, public DocumentManagerHost, public CPrinterHost, public CCommandTarget {
  Q_OBJECT

 public:
  struct Options {
    QString languageFile;            // empty: "RazadUdezazir/DizevOdaved.ini" in the settings folder
    QString userFolder;              // empty: the user's settings folder (holds the city file)
    QString settingsFile;            // empty: the user's settings of the program; else an ini file
    bool installMessageSink = true;  // show messages in message boxes
    bool showWindow = true;          // show the main window maximised at the end of start-up
  };

  // Reads the language setting (g_LanguageIsChinese).
  CEditorApp();
  explicit CEditorApp(Options options);
  ~CEditorApp() override;

  // Start-up: the landscape default (the printer itself is looked for when first
  // needed), recent files, templates, the catalogues (block captions, palette
  // lists, the city table with the user's cities), the main frame, the files of
  // the command line (arguments without the program name; a file that cannot be
  // opened is reported and the others open). FALSE ends the program. With the
  // print switch ("/p", "-p" or "--print") the files are printed instead (see
  // PrintFiles) and the window is not shown.
  BOOL InitInstance(const QStringList& arguments);
  // The print switch: each file opens, prints whole to the default printer (or,
  // without one, into a PDF file beside it, its extension replaced by ".pdf")
  // and closes again. FALSE when a file could not be opened or printed.
  BOOL PrintFiles(const QStringList& paths);
  // Whether the arguments hold the print switch.
  static bool IsPrintSwitch(const QString& argument);
  // Writes the zoom pane and brings the commands up to date; FALSE: no more idle work.
  BOOL OnIdle(long count);
  // The end: the recent-file list and the user's cities are written back.
  int ExitInstance();
  // The folder under which the user's own files lie ("RazadUdezazir/Astro.Property").
  std::filesystem::path GetUserFolderPath() const;

  // Opens a file whatever its extension; null when it fails.
  DocumentWindow* OpenDocumentFile(const CString& path);
  // Asks about every document with unsaved changes; FALSE keeps the program open.
  BOOL SaveAllModified();

  // Commands.
  void OnFileNewFbd();
  void OnFileNewLad();
  void OnFileOpen();
  void OnFilePageSetup() { PageSetup(); }
  void OnAppAbout();
  bool OnCmdMsg(UINT id) override;
  bool OnUpdateCmdUI(CCmdUI* ui) override;

  // The file dialog of Save As. The filter follows the template, switched to the ladder
  // extension when the document is a ladder diagram (null: the active document).
  BOOL DoPromptFileName(CString& fileName, const CString& title, bool open, const CDocTemplate* tmpl,
                        const CSavableDocument* doc = nullptr);

  // Printer defaults (CPrinterHost).
  void PageSetup() override;
  CString GetPaperName() override;
  CString GetPrinterName() override;
  BOOL IsLandscape() override;
  void SetLandscape(BOOL landscape) override;
  BOOL HasDefaultPrinter();
  // The application's printer: the default printer, or PDF output without one.
  QPrinter* GetPrinter() override;
  // Tests answer the page setup dialog through this (given the printer to
  // change; true for OK) instead of the dialog.
  static std::function<bool(QPrinter*)> s_pageSetupRunner;

  // DocumentManagerHost.
  bool PromptSaveFileName(CSavableDocument& doc, CString* path) override;
  void AddToRecentFileList(const CString& path) override;

  CMainFrame* GetMainFrame() const { return m_pMainWnd.get(); }
  DocumentManager* GetDocManager() const;
  const CRecentFileList& GetRecentFileList() const { return m_recentFiles; }
  QSettings& GetSettings() { return *m_pSettings; }
  // The factory of diagram windows; set it before InitInstance so that the files of the
  // command line can open.
  void SetDocumentFactory(DocumentManager::Factory factory);
  // Replaces the file dialogs (tests answer them); the application keeps ownership.
  void SetFileDialogs(std::unique_ptr<FileDialogs> dialogs);
  UINT GetWidgetClipFormat() const { return m_nWidgetClipFormat; }
  // Text of the zoom pane for the active window: "Zoom:75%".
  CString GetZoomText() const;

  // The settings file of the interface language, in the user's settings folder.
  static QString LanguageSettingsPath();
  // The settings file this application reads and the Language command writes.
  QString GetLanguageFile() const;
  // Whether the settings file (UTF-16LE text) names the Chinese interface ("zh_CN").
  // A link, a file that is not regular or another user's file counts as no file.
  static bool ReadLanguageSetting(const QString& path);
  // Whether the path ends in ".bfb" or ".bld", in any letter case.
  static bool HasDiagramExtension(const CString& path);

  // Members.
  CDocTemplate* m_pFbdTemplate = nullptr;
  CDocTemplate* m_pLadTemplate = nullptr;
  CString m_strProgramFolder;  // folder of the program, ending in "/"
  int m_bDocMenuTranslated = 1;
  UINT m_nWidgetClipFormat = 0;
  // Clipboard formats registered at start-up: "ZazovORE" (read by nothing) and
  // "RavavIDIVizir" (diagram selections; Qt carries them under the view's MIME type).
  WORD m_nSpareClipFormat = 0;
  WORD m_nDiagramClipFormat = 0;
  int m_bLandscape = 0;
  QCursor m_hArrowCursor;  // the arrow
  QCursor m_hBlockCursor;  // placing a block (the palette's block cursor)
  // The name a clipboard format number was registered under; empty when none.
  static QString ClipboardFormatName(UINT format);

 private:
  void OpenRecentFile(int index);
  // New: an empty document of the kind (1 FBD, 2 ladder) in a window of its own.
  void NewDocument(int kind);
  // The Chinese texts of the document menu bar, the first time a document shows.
  void TranslateDocumentMenu();
  void LoadPrinterDefaults();

  Options m_options;
  CDocTemplate m_fbdTemplate{129};
  CDocTemplate m_ladTemplate{130};
  CRecentFileList m_recentFiles{4};
  std::unique_ptr<QSettings> m_pSettings;
  std::unique_ptr<FileDialogs> m_pFileDialogs;
  std::unique_ptr<QtMessageSink> m_pMessageSink;
  std::vector<std::unique_ptr<QTranslator>> m_translators;  // Qt's own texts in Chinese
  MessageSink* m_pPreviousSink = nullptr;
  std::unique_ptr<QPrinter> m_pPrinter;
  bool m_bPrinterLoaded = false;
  DocumentManager::Factory m_factory;
  std::unique_ptr<CMainFrame> m_pMainWnd;
  bool m_bInIdle = false;
  bool m_bCityFileRead = false;  // the start read the city file (or found none)
};
