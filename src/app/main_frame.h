// CMainFrame: the application's MDI main window. It carries the menu bars of both
// states (no document, a document open), the accelerators, the toolbar with its
// drop-down New button, the pane-hosting status bar with the zoom pane and (while
// documents exist) the model panes, the information bar and the "WorkBox" dock for
// the block palette. Commands go to the active diagram window first, then to the
// frame, then to the application object.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

#include "platform/command_target.h"
#include "platform/cstring.h"
#include "platform/types.h"
#include "shell/shell.h"

class CCJTabCtrlBar;
class CGridWidget;
class CEditorApp;
class CEmbossedStatic;
class CDeviceController;
class CInformationBar;
class CPaneStatusBar;
class DocumentManager;
class DocumentWindow;
class QAction;
class QDockWidget;
class QMdiArea;
class QMenu;
class QToolBar;
class QToolButton;

// Status-bar control kinds of AddStatusPaneControl.
constexpr int kStatusBitmapButton = 4;  // pane 1
constexpr int kStatusModelName = 6;     // pane 2

class CMainFrame : public QMainWindow, public CShell, public CCommandTarget {
  Q_OBJECT

 public:
  // Builds the frame with all its bars (hidden until shown) and installs it as the shell
  // context of the model. The application may be null (tests of the frame alone).
  explicit CMainFrame(CEditorApp* app = nullptr, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // ---- Commands --------------------------------------------------------------
  // Routes a command: active diagram window, frame, application. False when no one handles it.
  bool SendCommand(UINT id) override;
  // Brings every menu item and toolbar button up to date.
  void UpdateCommandUI() override;
  // The action of a command id (shared by both menu bars, the toolbar and the accelerators).
  QAction* GetAction(UINT id) const;
  // Plugs a command handler into the frame (later subsystems: device link, dialogs).
  void SetCommandHandler(UINT id, std::function<void()> run,
                         std::function<void(CCmdUI*)> update = {}) override;
  bool OnCmdMsg(UINT id) override;
  bool OnUpdateCmdUI(CCmdUI* ui) override;

  // ---- Menus -----------------------------------------------------------------
  // True while the document menu bar (resource 129) is shown.
  bool IsDocumentMenuShown() const { return m_bDocMenu; }
  // Top-level menus of the bar now shown.
  std::vector<QMenu*> CurrentMenus() const;
  // Top-level menus of the no-document bar (128) and the document bar (129).
  const std::vector<QMenu*>& NoDocumentMenus() const { return m_menusNoDoc; }
  const std::vector<QMenu*>& DocumentMenus() const { return m_menusDoc; }
  // Shows the document menu bar when documents are open, else the no-document bar.
  void UpdateMenuBar();
  // Re-texts the recent-file entries of both File menus.
  void UpdateRecentFileMenu();
  // Texts of the Transfer items after New and Open; "Select hardware" leaves the menu.
  void SetTransferMenuTexts();

  // ---- Bars ------------------------------------------------------------------
  QMdiArea* MdiArea() const { return m_pMdiArea; }
  DocumentManager* GetDocManager() const { return m_pDocManager; }
  CPaneStatusBar* GetStatusBar() const { return m_wndStatusBar; }
  QToolBar* GetToolBar() const { return m_wndToolBar; }
  QToolButton* GetNewButton() const { return m_pNewButton; }
  CInformationBar* GetInfoBar() const { return m_wndInfoBar; }
  QDockWidget* GetWorkBox() const { return m_wndWorkBox; }
  // The block palette: one CWorkspaceView per tab.
  CCJTabCtrlBar* GetWorkBoxBar() const { return m_pWorkBoxBar; }
  // A palette pick: stores the mode and block type and sends the palette-pick command
  // to the active diagram window.
  void OnPalettePick(int mode, int typeCode) override;
  // Another document window became active, or the active document took
  // another model: the frame's title, the model name and the palette.
  void OnActiveDocumentChanged() override;
  // Repaints the palette views (their items follow the active diagram).
  void InvalidatePaletteViews();
  CEmbossedStatic* GetModelCaption() const { return m_pModelCaption; }
  QToolButton* GetModelButton() const { return m_pModelButton; }
  // The device link's commands, transfers and dialogs.
  CDeviceController* GetDeviceController() const { return m_pDevice; }

  // Adds the pane control that m_nNewPaneKind and m_nNewPaneIndex describe.
  void AddStatusPaneControl();
  // Removes the model button (1) or the model name (2) with its pane.
  void RemoveStatusPane(int pane);
  // Sends "New FBD" to the frame: a new, empty FBD document becomes active.
  void NewFbdDocument();
  // Whether the document New just made shows the program properties ("Show at new
  // file", never for a window made for a model).
  bool ShowsPropertiesOnNew() const;
  // Convert to FBD: a new FBD diagram built from the active ladder diagram.
  void OnConvertToFbd();
  // Shows the active document's title after the application's name: "Zovuzi
  // Editor - [a.bfb]" while its window is maximised, "Zovuzi Editor - a.bfb" when not.
  void UpdateFrameTitle();
  // Window > Cascade: every diagram window restored to a size that leaves the
  // title bars of those behind it showing, each one title bar down and right of
  // the one before, the active one in front.
  void CascadeWindows();
  DocumentWindow* GetActiveDocumentWindow() const override;
  // The grid the Edit menu's Cut, Copy, Paste and Select All go to: the grid of
  // a message-text editor or preview that had the keyboard focus when the user
  // came over to the main window; null once the user works in the main window
  // (a click outside its menus, or the focus moving within it).
  CGridWidget* GetEditGrid() const;

  // ---- CShell ---------------------------------------------------------------------
  QWidget* MainWindow() override { return this; }
  std::vector<DocumentWindow*> GetDocumentWindows() const override;
  bool CloseDocumentWindow(DocumentWindow* window) override;
  void ActivateDocumentWindow(DocumentWindow* window) override;
  DocumentWindow* NewDocumentWindowFor(WORD modelCode) override;
  NewDocumentSettings GetNewDocumentSettings() override;
  bool UpdateFrameCommand(CCmdUI* ui) override { return OnUpdateCmdUI(ui); }
  void SetCommandTip(UINT id, const CString& tip) override;
  QIcon CommandIcon(UINT id) const override;
  // The Model button and the model name open the program properties on the Hardware page.
  int TakePropertiesStartPage() override;
  void GetPalettePick(int* mode, int* typeCode) const override;
  const QCursor* GetBlockCursor() const override;
  void PostDeviceOperation(int code) override;
  bool IsDevicePortOpen() const override;
  CPrinterHost* GetPrinterHost() override;
  CEditorApp* GetApp() const { return m_pApp; }

  // ---- Information bar, model panes, menus ---------------------------------------
  bool IsInfoBarVisible();
  void ToggleInfoBar();
  void AppendInformation(const CString& text) override { AppendInfoLines(text); }
  bool HasModelNameControl() { return m_pModelCaption != nullptr; }
  void AddStatusPaneControl(int pane, int kind);
  void SetModelNameText(const CString& name) override;
  // The Chinese captions and command texts of the no-document or the document menu bar.
  void TranslateMenu(bool documentMenu, int firstPosition);
  // Whether the document menu bar has its Chinese texts (it takes them once a run).
  bool m_bDocMenuTranslated = false;
  // The size of the screen: the page of a new document.
  CSize GetScreenSize();
  void ShowHelp(int topic) override;
  void OpenProgramProperties(int startPage) override;
  // Options > "Set Frame Window BGColor": the palette views' background colour.
  void OnFrameBackgroundColour();

  // ---- Members -----------------------------------------------------------------
  int m_nOpenDocs = 0;  // open document windows
  int m_nNewPaneIndex = 0;
  int m_nNewPaneKind = 0;
  int m_nLanguageIndex = 0;  // language chosen in this run
  COLORREF m_crBackground = 0xFFFFFF;

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* MakeAction(UINT id, const QString& text);
  QMenu* MakeMenu(const QString& title);
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void BuildDocks();
  void BuildWindowList(QMenu* menu);
  // Asks the edit grid (its edit commands), the active diagram window, the frame
  // and the application in turn for the command's state; false when none of them
  // handles it.
  bool UpdateCommand(CCmdUI* ui, DocumentWindow* doc);
  // Follows the keyboard focus for the edit grid.
  void OnFocusChanged(QWidget* old, QWidget* now);
  // Appends a text whose line ends are "\n" to the information bar.
  void AppendInfoLines(CString text);
  void OnModelPaneClicked();
  // A document window opened or closed: the information bar and the model panes
  // follow the first and the last one, then the menus and the title.
  void OnDocumentsChanged();

  CEditorApp* m_pApp;
  QMdiArea* m_pMdiArea = nullptr;
  DocumentManager* m_pDocManager = nullptr;
  CPaneStatusBar* m_wndStatusBar = nullptr;
  QToolBar* m_wndToolBar = nullptr;
  QToolButton* m_pNewButton = nullptr;
  CInformationBar* m_wndInfoBar = nullptr;
  QDockWidget* m_wndWorkBox = nullptr;
  CCJTabCtrlBar* m_pWorkBoxBar = nullptr;
  QToolButton* m_pModelButton = nullptr;
  CEmbossedStatic* m_pModelCaption = nullptr;
  CDeviceController* m_pDevice = nullptr;

  std::map<UINT, QAction*> m_actions;
  struct Handler {
    std::function<void()> run;
    std::function<void(CCmdUI*)> update;
  };
  std::map<UINT, Handler> m_handlers;
  std::vector<QMenu*> m_menusNoDoc;
  std::vector<QMenu*> m_menusDoc;
  QMenu* m_pNewMenu = nullptr;         // the New popup (also the toolbar's drop-down)
  QMenu* m_pDocOptionsMenu = nullptr;  // holds "Select hardware" until the first New or Open
  std::vector<QAction*> m_windowListActions;
  QPointer<CGridWidget> m_pEditGrid;
  bool m_bDocMenu = false;
  int m_nDocsShown = 0;            // document windows at the last OnDocumentsChanged
  int m_nPropertiesStartPage = 0;  // 0 default, 1 Hardware page, 2 Parameter page
  int m_nPickedType = 0;           // the palette's last pick
  int m_nPickMode = 0;
  bool m_bNewForModel = false;  // New makes a window for m_wNewModel
  WORD m_wNewModel = 0;
};

// Tooltip of a toolbar button: the part of its string-table string after "\n".
QString ToolTipOf(UINT id);
