#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>

#include "app/document_manager.h"
#include "app/editor_app.h"
#include "app/help_launcher.h"
#include "app/information_bar.h"
#include "app/shell_commands.h"
#include "app/toolbar_icons.h"
#include "app/workspace_view.h"
#include "controls/gui/cj_tab_ctrl_bar.h"
#include "controls/gui/embossed_static.h"
#include "controls/gui/grid_widget.h"
#include "controls/gui/hcolor_dialog.h"
#include "controls/gui/pane_status_bar.h"
#include "device/gui/device_controller.h"
#include "editor/command_table.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/model_table.h"
#include "model/shell_context.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "msgtext/gui/msg_text_windows.h"
#include "platform/gui/qt_keys.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "properties/gui/qt_program_sheet.h"

namespace {

// Toolbar 128; 0 is a separator.
const UINT kToolbarButtons[] = {
    ID_FILE_NEW,
    ID_FILE_OPEN,
    0,
    ID_FILE_SAVE,
    0,
    ID_EDIT_CUT,
    0,
    ID_EDIT_COPY,
    ID_EDIT_PASTE,
    ID_EDIT_CLEAR,
    0,
    ID_EDIT_UNDO,
    ID_EDIT_REDO,
    0,
    ID_CONNECT,
    ID_CUT_JOIN_CONNECTION,
    ID_SELECTION,
    ID_INSERT_COMMENTS,
    0,
    ID_SIMULATION,
    ID_PC_TO_DEVICE,
    ID_DEVICE_TO_PC,
    ID_IO_STATUS,
    0,
    ID_ZOOM_IN,
    ID_ZOOM_OUT,
    ID_PAGE_LAYOUT,
    0,
    ID_CONVERT_TO_FBD,
    ID_PROPERTIES,
    ID_ALIGN_VERTICALLY,
    ID_ALIGN_HORIZONTALLY,
};

// The status-bar prompt of a command: its string up to "\n".
QString PromptOf(UINT id) {
  const CString s = LoadString(id);
  const int nl = s.Find(u'\n');
  return ToQString(nl < 0 ? s : s.Left(nl));
}

}  // namespace

// The tooltip of a toolbar button: the part of its string after "\n"; strings without one
// give none, except the two transfer commands, which show the whole string.
QString ToolTipOf(UINT id) {
  const CString s = LoadString(id);
  const int nl = s.Find(u'\n');
  if (nl >= 0) return ToQString(s.Mid(nl + 1));
  if (id == ID_PC_TO_DEVICE || id == ID_DEVICE_TO_PC) return ToQString(s);
  return {};
}

CMainFrame::CMainFrame(CEditorApp* app, QWidget* parent) : QMainWindow(parent), m_pApp(app) {
  m_nLanguageIndex = g_LanguageIsChinese;
  setObjectName("mainFrame");
  setWindowTitle(ToQString(LoadString(IDS_APP_TITLE)));
  setAcceptDrops(true);

  m_pMdiArea = new QMdiArea(this);
  m_pMdiArea->setObjectName("mdiArea");
  m_pMdiArea->setViewMode(QMdiArea::SubWindowView);
  setCentralWidget(m_pMdiArea);
  m_pDocManager = new DocumentManager(m_pMdiArea, app, *this, this);
  connect(m_pDocManager, &DocumentManager::documentCountChanged, this, [this] { OnDocumentsChanged(); });
  connect(m_pDocManager, &DocumentManager::activeDocumentChanged, this,
          [this] { OnActiveDocumentChanged(); });

  BuildActions();
  BuildMenus();
  BuildStatusBar();
  BuildToolBar();
  BuildDocks();
  m_pDevice = new CDeviceController(*this);
  new CProgramPropertiesCommand(*this);
  new CShellCommands(this);
  new CMsgTextSettingsCommand(*this);
  SetCommandHandler(ID_SET_FRAME_BGCOLOR, [this] { OnFrameBackgroundColour(); });
  SetCommandHandler(
      ID_CONVERT_TO_FBD, [this] { OnConvertToFbd(); },
      [this](CCmdUI* ui) {
        const CZaradDoc* doc = GetActiveDocument();
        ui->Enable(doc && doc->IsLadder() && !doc->m_bSimulating && !doc->m_bLocked);
      });
  UpdateMenuBar();
  UpdateRecentFileMenu();
  UpdateCommandUI();
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget* old, QWidget* now) { OnFocusChanged(old, now); });
  qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
  // What the application tells the frame stops before the frame goes.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  qApp->removeEventFilter(this);
  // The diagram windows go while the frame, their shell, still stands.
  m_pDocManager->Detach();
  delete m_pMdiArea;
  m_pMdiArea = nullptr;
}

// ---- Actions and menus ---------------------------------------------------------

QAction* CMainFrame::MakeAction(UINT id, const QString& text) {
  auto it = m_actions.find(id);
  if (it != m_actions.end()) return it->second;
  auto* action = new QAction(text, this);
  action->setObjectName(QString("cmd%1").arg(id));
  action->setData(id);
  action->setStatusTip(PromptOf(id));
  connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
  m_actions[id] = action;
  return action;
}

QAction* CMainFrame::GetAction(UINT id) const {
  auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

QMenu* CMainFrame::MakeMenu(const QString& title) {
  auto* menu = new QMenu(title, this);
  connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandUI(); });
  return menu;
}

void CMainFrame::BuildActions() {
  // One action per command of the command table, with its menu text.
  for (const CommandInfo& command : CommandTable()) MakeAction(command.id, ToQString(MenuText(command)));
  for (UINT i = 0; i < 4; ++i) MakeAction(ID_FILE_MRU_FILE1 + i, "Recent File");

  // The accelerators: the table's keys, which run their command when its state allows it.
  for (const CommandInfo& command : CommandTable()) {
    if (!(command.keyFlags & kKeyAccelerator)) continue;
    auto* key = new QAction(this);
    key->setObjectName(QString("acc%1").arg(command.id));
    key->setData(command.id);
    key->setShortcut(QKeySequence(QtKeyOf(command.key.vk, command.key.ctrl, command.key.shift)));
    key->setShortcutContext(Qt::WindowShortcut);
    const UINT id = command.id;
    connect(key, &QAction::triggered, this, [this, id] { SendCommand(id); });
    addAction(key);
  }
}

void CMainFrame::BuildMenus() {
  m_pNewMenu = MakeMenu("New");
  m_pNewMenu->addAction(GetAction(ID_FILE_NEW));
  m_pNewMenu->addAction(GetAction(ID_FILE_NEW_LAD));

  auto addMru = [this](QMenu* menu) {
    for (UINT i = 0; i < 4; ++i) menu->addAction(GetAction(ID_FILE_MRU_FILE1 + i));
  };
  auto addTransferItems = [this](QMenu* transfer) {
    transfer->addAction(GetAction(ID_DEVICE_TO_PC));
    transfer->addAction(GetAction(ID_CLOCK_SETTING));
    transfer->addAction(GetAction(ID_SUMMER_TIME));
    transfer->addAction(GetAction(ID_CLEAR_PROGRAM));
    transfer->addSeparator();
    transfer->addAction(GetAction(ID_IO_STATUS));
    transfer->addSeparator();
    transfer->addAction(GetAction(ID_WIFI_SETUP));
    transfer->addAction(GetAction(ID_REMOTE_WIFI_SETUP));
  };
  auto helpMenu = [this] {
    QMenu* help = MakeMenu("&Help");
    help->addAction(GetAction(ID_HELP_CONTENTS));
    help->addAction(GetAction(ID_APP_ABOUT));
    return help;
  };

  // Menu 128: no document open.
  {
    QMenu* file = MakeMenu("&File");
    file->addMenu(m_pNewMenu);
    file->addAction(GetAction(ID_FILE_OPEN));
    file->addSeparator();
    addMru(file);
    file->addSeparator();
    file->addAction(GetAction(ID_APP_EXIT));
    QMenu* view = MakeMenu("&View");
    view->addAction(GetAction(ID_VIEW_TOOLBAR));
    view->addAction(GetAction(ID_VIEW_STATUS_BAR));
    QMenu* tools = MakeMenu("&Tools");
    QMenu* transfer = MakeMenu("Transfer");
    addTransferItems(transfer);
    tools->addMenu(transfer);
    QMenu* options = MakeMenu("&Options");
    options->addAction(GetAction(ID_COM_CONFIGURATION));
    options->addAction(GetAction(ID_LANGUAGE));
    options->addAction(GetAction(ID_SET_FRAME_BGCOLOR));
    m_menusNoDoc = {file, view, tools, options, helpMenu()};
  }

  // Menu 129: a document open.
  {
    QMenu* file = MakeMenu("&File");
    file->addMenu(m_pNewMenu);
    for (UINT id : {ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS})
      file->addAction(GetAction(id));
    file->addSeparator();
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PAGE_SETUP}) file->addAction(GetAction(id));
    file->addSeparator();
    file->addAction(GetAction(ID_MSGTEXT_SETTINGS));
    file->addAction(GetAction(ID_PROPERTIES));
    file->addSeparator();
    file->addAction(GetAction(ID_CONVERT_TO_FBD));
    file->addSeparator();
    addMru(file);
    file->addSeparator();
    file->addAction(GetAction(ID_APP_EXIT));

    QMenu* edit = MakeMenu("&Edit");
    for (UINT id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR,
                    ID_EDIT_SELECT_ALL}) {
      edit->addAction(GetAction(id));
    }
    edit->addSeparator();
    QMenu* align = MakeMenu("Align");
    align->addAction(GetAction(ID_ALIGN_VERTICALLY));
    align->addAction(GetAction(ID_ALIGN_HORIZONTALLY));
    edit->addMenu(align);
    edit->addSeparator();
    edit->addAction(GetAction(ID_BLOCK_PROPERTIES));
    edit->addSeparator();
    edit->addAction(GetAction(ID_GOTO_BLOCK));

    QMenu* view = MakeMenu("&View");
    for (UINT id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_INPUTS_BAR, ID_VIEW_OUTPUTS_BAR,
                    ID_VIEW_SIMULATION_BAR, ID_VIEW_INFO_BAR}) {
      view->addAction(GetAction(id));
    }

    QMenu* tools = MakeMenu("&Tools");
    QMenu* transfer = MakeMenu("Transfer");
    transfer->addAction(GetAction(ID_PC_TO_DEVICE));
    addTransferItems(transfer);
    tools->addMenu(transfer);
    tools->addSeparator();
    tools->addAction(GetAction(ID_SIMULATION));

    QMenu* options = MakeMenu("&Options");
    options->addAction(GetAction(ID_COM_CONFIGURATION));
    options->addSeparator();
    for (UINT id : {ID_LANGUAGE, ID_SET_WIRE_COLOR, ID_SET_BACKGROUND_COLOR, ID_SET_FRAME_BGCOLOR,
                    ID_SELECT_HARDWARE}) {
      options->addAction(GetAction(id));
    }
    m_pDocOptionsMenu = options;

    QMenu* window = MakeMenu("&Window");
    window->addAction(GetAction(ID_WINDOW_CASCADE));
    window->addAction(GetAction(ID_WINDOW_TILE_HORZ));
    connect(window, &QMenu::aboutToShow, this, [this, window] { BuildWindowList(window); });

    m_menusDoc = {file, edit, view, tools, options, window, helpMenu()};
  }
  // The command texts of the Transfer popup as the application sets them at start-up.
  GetAction(ID_DEVICE_TO_PC)->setText(ToQString(LoadString(ID_DEVICE_TO_PC)));
  GetAction(ID_CLOCK_SETTING)->setText(ToQString(LoadString(ID_CLOCK_SETTING)));
}

std::vector<QMenu*> CMainFrame::CurrentMenus() const {
  return m_bDocMenu ? m_menusDoc : m_menusNoDoc;
}

void CMainFrame::UpdateMenuBar() {
  const bool doc = m_pDocManager->GetCount() > 0;
  if (doc == m_bDocMenu && !menuBar()->actions().isEmpty()) return;
  m_bDocMenu = doc;
  menuBar()->clear();
  for (QMenu* menu : CurrentMenus()) menuBar()->addMenu(menu);
}

void CMainFrame::UpdateRecentFileMenu() {
  const int count = m_pApp ? m_pApp->GetRecentFileList().GetCount() : 0;
  for (int i = 0; i < 4; ++i) {
    QAction* action = GetAction(ID_FILE_MRU_FILE1 + static_cast<UINT>(i));
    if (count == 0) {
      action->setText("Recent File");
      action->setVisible(i == 0);
    } else {
      action->setVisible(i < count);
      if (i < count) action->setText(m_pApp->GetRecentFileList().GetMenuText(i));
    }
  }
}

void CMainFrame::SetTransferMenuTexts() {
  GetAction(ID_PC_TO_DEVICE)->setText(ToQString(LoadString(ID_PC_TO_DEVICE)));
  GetAction(ID_DEVICE_TO_PC)->setText(ToQString(LoadString(ID_DEVICE_TO_PC)));
  GetAction(ID_CLOCK_SETTING)->setText(ToQString(LoadString(ID_CLOCK_SETTING)));
  if (m_pDocOptionsMenu) m_pDocOptionsMenu->removeAction(GetAction(ID_SELECT_HARDWARE));
}

void CMainFrame::BuildWindowList(QMenu* menu) {
  for (QAction* old : m_windowListActions) {
    menu->removeAction(old);
    delete old;
  }
  m_windowListActions.clear();
  const auto docs = m_pDocManager->GetDocuments();
  if (docs.empty()) return;
  QAction* separator = menu->addSeparator();
  m_windowListActions.push_back(separator);
  DocumentWindow* active = m_pDocManager->GetActiveDocument();
  int n = 0;
  for (DocumentWindow* doc : docs) {
    QString title = ToQString(doc->GetTitle());
    title.replace("&", "&&");
    QAction* item = menu->addAction(QString("&%1 %2").arg(++n).arg(title));
    item->setCheckable(true);
    item->setChecked(doc == active);
    connect(item, &QAction::triggered, this, [this, doc] { m_pDocManager->ActivateDocument(doc); });
    m_windowListActions.push_back(item);
  }
}

// ---- Bars ------------------------------------------------------------------------

void CMainFrame::BuildStatusBar() {
  m_wndStatusBar = new CPaneStatusBar(this);
  m_wndStatusBar->SetDefaultTextProvider([](UINT id) { return LoadString(id); });
  m_wndStatusBar->SetIndicators(
      {ID_SEPARATOR, ID_INDICATOR_ZOOM, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL});
  // The keyboard's lock states are not known to the program: those panes stay blank.
  for (UINT id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
    StatusPaneInfo info;
    const int index = m_wndStatusBar->CommandToIndex(id);
    m_wndStatusBar->GetPaneInfo(index, &info);
    info.style |= SBPS_DISABLED;
    m_wndStatusBar->SetPaneInfo(index, &info);
  }
  setStatusBar(m_wndStatusBar);
}

void CMainFrame::BuildToolBar() {
  m_wndToolBar = new QToolBar("Tool Bar", this);
  m_wndToolBar->setObjectName("toolBar");
  m_wndToolBar->setIconSize(QSize(16, 16));
  for (UINT id : kToolbarButtons) {
    if (id == 0) {
      m_wndToolBar->addSeparator();
      continue;
    }
    QAction* action = GetAction(id);
    action->setIcon(ToolbarIcon(id));
    if (id == ID_FILE_NEW) {
      // The New button: a click makes an FBD document, its arrow opens the New menu.
      m_pNewButton = new QToolButton(m_wndToolBar);
      m_pNewButton->setObjectName("newButton");
      m_pNewButton->setDefaultAction(action);
      m_pNewButton->setMenu(m_pNewMenu);
      m_pNewButton->setPopupMode(QToolButton::MenuButtonPopup);
      m_pNewButton->setToolTip(ToolTipOf(id));
      m_pNewButton->installEventFilter(this);
      m_wndToolBar->addWidget(m_pNewButton);
      continue;
    }
    m_wndToolBar->addAction(action);
    if (QWidget* button = m_wndToolBar->widgetForAction(action)) {
      button->setToolTip(ToolTipOf(id));
      button->installEventFilter(this);
    }
  }
  addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

void CMainFrame::BuildDocks() {
  m_wndInfoBar = new CInformationBar(this);
  addDockWidget(Qt::BottomDockWidgetArea, m_wndInfoBar);
  m_wndInfoBar->hide();
  m_nOpenDocs = 0;

  // The block palette: a tab bar docked at the left, one palette view per category.
  m_pWorkBoxBar = new CCJTabCtrlBar(this);
  m_wndWorkBox = m_pWorkBoxBar;
  m_wndWorkBox->setObjectName("workBox");
  m_pWorkBoxBar->Create(this, 101, QtCaption("WorkBox"), CSize(160, 200));
  m_wndWorkBox->setAllowedAreas(Qt::AllDockWidgetAreas);
  addDockWidget(Qt::LeftDockWidgetArea, m_wndWorkBox);
  std::vector<QString> labels = {"BSC", "TMR", "I/O", "Misc"};
  if ((g_CurrentModelCode >> 8) > 0x50) labels.insert(labels.end(), {"Aux", "Math", "Profile"});
  for (const QString& label : labels) {
    m_pWorkBoxBar->AddTabView(QtCaption(label),
                              [this](QWidget* parent) { return new CWorkspaceView(parent, this); });
  }
  // Wide enough for the longest name of the palette and for all its tabs.
  const int width =
      std::max(m_pWorkBoxBar->PreferredWidth(CWorkspaceView::PreferredWidth(g_CurrentModelCode >> 8)), 160);
  resizeDocks({m_wndWorkBox}, {width}, Qt::Horizontal);
  m_pWorkBoxBar->SetSelectionHandler([this](int index, QWidget* view) {
    auto* palette = qobject_cast<CWorkspaceView*>(view);
    if (!palette) return;
    palette->m_nCategory = index;
    palette->m_nSelectedType = 0;
    OnPalettePick(MODE_SELECT, 0);
  });
}

void CMainFrame::OnPalettePick(int mode, int typeCode) {
  m_nPickMode = mode;
  m_nPickedType = typeCode;
  SendCommand(ID_PALETTE_PICK);
}

void CMainFrame::GetPalettePick(int* mode, int* typeCode) const {
  if (mode) *mode = m_nPickMode;
  if (typeCode) *typeCode = m_nPickedType;
}

const QCursor* CMainFrame::GetBlockCursor() const {
  return m_pApp ? &m_pApp->m_hBlockCursor : nullptr;
}

int CMainFrame::TakePropertiesStartPage() {
  const int page = m_nPropertiesStartPage;
  m_nPropertiesStartPage = 0;
  return page;
}

void CMainFrame::InvalidatePaletteViews() {
  if (!m_pWorkBoxBar) return;
  for (int i = 0; i < m_pWorkBoxBar->GetTabCount(); ++i) {
    if (auto* view = qobject_cast<CWorkspaceView*>(m_pWorkBoxBar->GetView(i))) view->viewport()->update();
  }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  // A toolbar button whose string has no tooltip part shows none.
  if (event->type() == QEvent::ToolTip) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->parentWidget() == m_wndToolBar && widget->toolTip().isEmpty()) return true;
  }
  // A click in the main window outside its menus: the Edit menu is the diagram's again.
  if (event->type() == QEvent::MouseButtonPress && m_pEditGrid) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this && !qobject_cast<QMenuBar*>(widget)) m_pEditGrid = nullptr;
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- The edit grid -----------------------------------------------------------------

namespace {

CGridWidget* GridOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (auto* grid = qobject_cast<CGridWidget*>(w)) return grid;
    if (w->isWindow()) break;
  }
  return nullptr;
}

bool IsGridEditCommand(UINT id) {
  return id == ID_EDIT_CUT || id == ID_EDIT_COPY || id == ID_EDIT_PASTE || id == ID_EDIT_SELECT_ALL;
}

}  // namespace

void CMainFrame::OnFocusChanged(QWidget* old, QWidget* now) {
  if (CGridWidget* grid = GridOf(now)) {
    m_pEditGrid = grid;
    return;
  }
  if (!now || !m_pEditGrid) return;  // the focus left the program: nothing changes
  // Coming over from the grid's window keeps it; moving on within the main
  // window, or to another window's control, lets it go.
  const bool cameOver = now->window() == this && old && old->window() != this;
  if (!cameOver) m_pEditGrid = nullptr;
}

CGridWidget* CMainFrame::GetEditGrid() const {
  CGridWidget* grid = m_pEditGrid.data();
  return grid && grid->isVisible() ? grid : nullptr;
}

// ---- Command routing ---------------------------------------------------------------

DocumentWindow* CMainFrame::GetActiveDocumentWindow() const {
  return m_pDocManager->GetActiveDocument();
}

std::vector<DocumentWindow*> CMainFrame::GetDocumentWindows() const {
  return m_pDocManager->GetDocuments();
}

bool CMainFrame::CloseDocumentWindow(DocumentWindow* window) {
  return m_pDocManager->CloseDocument(window);
}

void CMainFrame::ActivateDocumentWindow(DocumentWindow* window) {
  m_pDocManager->ActivateDocument(window);
}

void CMainFrame::SetCommandTip(UINT id, const CString& tip) {
  QAction* action = GetAction(id);
  if (!action) return;
  // The command's own tip and prompt come back when the text is empty.
  if (!action->property("plainTip").isValid()) {
    action->setProperty("plainTip", action->toolTip());
    action->setProperty("plainPrompt", action->statusTip());
  }
  const QString text = tip.IsEmpty() ? action->property("plainTip").toString() : ToQString(tip);
  if (action->toolTip() == text) return;
  action->setToolTip(text);
  action->setStatusTip(tip.IsEmpty() ? action->property("plainPrompt").toString() : text);
}

QIcon CMainFrame::CommandIcon(UINT id) const {
  return ToolbarIcon(id);
}

void CMainFrame::PostDeviceOperation(int code) {
  if (CDeviceController* device = GetDeviceController()) device->PostDeviceOperation(code);
}

bool CMainFrame::IsDevicePortOpen() const {
  CDeviceController* device = GetDeviceController();
  return device != nullptr && device->Link().IsPortOpen();
}

CPrinterHost* CMainFrame::GetPrinterHost() {
  return m_pApp;
}

void CMainFrame::SetCommandHandler(UINT id, std::function<void()> run, std::function<void(CCmdUI*)> update) {
  m_handlers[id] = Handler{std::move(run), std::move(update)};
}

bool CMainFrame::UpdateCommand(CCmdUI* ui, DocumentWindow* doc) {
  if (CGridWidget* grid = GetEditGrid(); grid && IsGridEditCommand(ui->m_nID)) {
    const CGridCtrl& g = grid->Grid();
    switch (ui->m_nID) {
      case ID_EDIT_CUT:
        ui->Enable(g.CanEditCut());
        break;
      case ID_EDIT_COPY:
        ui->Enable(g.CanEditCopy());
        break;
      case ID_EDIT_PASTE:
        ui->Enable(g.CanEditPaste());
        break;
      default:
        ui->Enable(g.CanEditSelectAll());
        break;
    }
    return true;
  }
  if (doc && doc->OnUpdateCmdUI(ui)) return true;
  if (OnUpdateCmdUI(ui)) return true;
  return m_pApp && m_pApp->OnUpdateCmdUI(ui);
}

bool CMainFrame::SendCommand(UINT id) {
  CCmdUI ui(id);
  if (!UpdateCommand(&ui, GetActiveDocumentWindow()) || !ui.m_bEnabled) return false;
  if (CGridWidget* grid = GetEditGrid(); grid && IsGridEditCommand(id)) return grid->OnCommand(id);
  if (DocumentWindow* doc = GetActiveDocumentWindow()) {
    if (doc->OnCmdMsg(id)) return true;
  }
  if (OnCmdMsg(id)) return true;
  return m_pApp && m_pApp->OnCmdMsg(id);
}

void CMainFrame::UpdateCommandUI() {
  DocumentWindow* doc = GetActiveDocumentWindow();
  for (auto& [id, action] : m_actions) {
    CCmdUI ui(id);
    const bool claimed = UpdateCommand(&ui, doc);
    action->setEnabled(claimed && ui.m_bEnabled);
    if (ui.m_bCheckable != action->isCheckable()) action->setCheckable(ui.m_bCheckable);
    if (ui.m_bCheckable && action->isChecked() != ui.m_bChecked) action->setChecked(ui.m_bChecked);
  }
}

bool CMainFrame::OnUpdateCmdUI(CCmdUI* ui) {
  DocumentWindow* doc = GetActiveDocumentWindow();
  switch (ui->m_nID) {
    case ID_VIEW_TOOLBAR:
      ui->SetCheck(!m_wndToolBar->isHidden());
      return true;
    case ID_VIEW_STATUS_BAR:
      ui->SetCheck(!m_wndStatusBar->isHidden());
      return true;
    case ID_VIEW_INFO_BAR:
      ui->Enable(doc != nullptr);
      ui->SetCheck(doc != nullptr && !m_wndInfoBar->isHidden());
      return true;
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ:
      ui->Enable(doc != nullptr);
      return true;
    case ID_APP_EXIT:
    case ID_MODEL_BUTTON:
    case ID_MODEL_CAPTION:
      return true;
    default:
      break;
  }
  auto it = m_handlers.find(ui->m_nID);
  if (it == m_handlers.end()) return false;
  if (it->second.update) it->second.update(ui);
  return true;
}

bool CMainFrame::OnCmdMsg(UINT id) {
  DocumentWindow* doc = GetActiveDocumentWindow();
  switch (id) {
    case ID_VIEW_TOOLBAR:
      m_wndToolBar->setVisible(m_wndToolBar->isHidden());
      return true;
    case ID_VIEW_STATUS_BAR:
      m_wndStatusBar->setVisible(m_wndStatusBar->isHidden());
      return true;
    case ID_VIEW_INFO_BAR:
      ToggleInfoBar();
      return true;
    case ID_FILE_CLOSE:
      if (doc) m_pDocManager->CloseDocument(doc);
      return true;
    case ID_FILE_SAVE:
      if (doc) m_pDocManager->DoFileSave(doc);
      return true;
    case ID_FILE_SAVE_AS:
      if (doc) m_pDocManager->DoSave(doc, CString());
      return true;
    case ID_WINDOW_CASCADE:
      CascadeWindows();
      return true;
    case ID_WINDOW_TILE_HORZ:
      m_pMdiArea->tileSubWindows();
      return true;
    case ID_APP_EXIT:
      close();
      return true;
    case ID_MODEL_BUTTON:
    case ID_MODEL_CAPTION:
      OnModelPaneClicked();
      return true;
    default:
      break;
  }
  auto it = m_handlers.find(id);
  if (it == m_handlers.end() || !it->second.run) return false;
  it->second.run();
  return true;
}

void CMainFrame::OnModelPaneClicked() {
  DocumentWindow* doc = GetActiveDocumentWindow();
  if (!doc || doc->IsSimulating()) return;
  m_nPropertiesStartPage = 1;
  SendCommand(ID_PROPERTIES);
}

void CMainFrame::NewFbdDocument() {
  SendCommand(ID_FILE_NEW);
}

bool CMainFrame::ShowsPropertiesOnNew() const {
  return !m_bNewForModel && g_ShowPropertiesOnNew;
}

DocumentWindow* CMainFrame::NewDocumentWindowFor(WORD modelCode) {
  DocumentWindow* before = GetActiveDocumentWindow();
  m_bNewForModel = true;
  m_wNewModel = modelCode;
  NewFbdDocument();
  m_bNewForModel = false;
  DocumentWindow* window = GetActiveDocumentWindow();
  return window != before ? window : nullptr;
}

NewDocumentSettings CMainFrame::GetNewDocumentSettings() {
  NewDocumentSettings settings;
  settings.nKind = kDocFbd;  // New takes the kind the command asks for
  settings.wModelCode = m_bNewForModel ? m_wNewModel : g_CurrentModelCode;
  settings.sizePage = GetScreenSize();
  settings.bShowProperties = ShowsPropertiesOnNew() ? 1 : 0;
  return settings;
}

void CMainFrame::OnConvertToFbd() {
  CZaradDoc* ladder = GetActiveDocument();
  if (!ladder || !ladder->IsLadder()) return;
  // A new FBD window made for the ladder's model, which becomes the model selected
  // last; "Show at new file" then follows the ladder diagram's own setting.
  g_CurrentModelCode = ladder->m_wModelCode;
  auto* child = dynamic_cast<CChildFrame*>(NewDocumentWindowFor(ladder->m_wModelCode));
  g_ShowPropertiesOnNew = ladder->m_bShowPropertiesOnNew;
  if (!child || child->GetDocument() == ladder) return;
  CZaradDoc* fbd = child->GetDocument();
  child->GetActiveView()->Core().ConvertLadderToFbd(*ladder);
  // The new diagram's history starts at the finished conversion.
  fbd->m_undo.RestartWith(fbd);
  OnActiveDocumentChanged();
  child->GetActiveView()->InvalidateDiagram();
}

// ---- Documents and title ---------------------------------------------------------------

void CMainFrame::OnDocumentsChanged() {
  const int count = m_pDocManager->GetCount();
  if (count > 0 && m_nDocsShown == 0) {
    // The first document: the information bar and the model panes appear.
    if (!IsInfoBarVisible()) ToggleInfoBar();
    if (!HasModelNameControl()) {
      AddStatusPaneControl(1, kStatusBitmapButton);
      AddStatusPaneControl(2, kStatusModelName);
    }
  } else if (count == 0 && m_nDocsShown > 0 && IsInfoBarVisible()) {
    // The last one went: the bar and the panes go, unless the user hid the bar.
    ToggleInfoBar();
    if (m_pModelCaption) RemoveStatusPane(2);
    if (m_pModelButton) RemoveStatusPane(1);
  }
  m_nDocsShown = count;
  m_nOpenDocs = count;
  InvalidatePaletteViews();
  UpdateMenuBar();
  UpdateFrameTitle();
  UpdateCommandUI();
}

void CMainFrame::OnActiveDocumentChanged() {
  UpdateFrameTitle();
  InvalidatePaletteViews();
  CZaradDoc* doc = GetActiveDocument();
  if (!doc) return;
  SetModelNameText(doc->GetModelPaneText());
  // The document menu takes its Chinese captions when the first document shows.
  if (g_LanguageIsChinese == 1 && !m_bDocMenuTranslated) {
    TranslateMenu(true, 0);
    m_bDocMenuTranslated = true;
  }
}

void CMainFrame::UpdateFrameTitle() {
  QString title = ToQString(LoadString(IDS_APP_TITLE));
  if (DocumentWindow* doc = GetActiveDocumentWindow()) {
    QMdiSubWindow* window = m_pDocManager->GetSubWindow(doc);
    const QString name = ToQString(doc->GetTitle());
    title += (window && window->isMaximized()) ? QString(" - [%1]").arg(name) : QString(" - %1").arg(name);
  }
  if (windowTitle() != title) setWindowTitle(title);
}

void CMainFrame::CascadeWindows() {
  // Bottom of the stack first, so that the active window ends in front.
  const QList<QMdiSubWindow*> windows = m_pMdiArea->subWindowList(QMdiArea::StackingOrder);
  if (windows.isEmpty()) return;
  const QRect area = m_pMdiArea->viewport()->rect();
  const int step =
      std::max(16, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.front()) + 2);
  // The windows share the area less one step per window behind the front one;
  // never smaller than two thirds of it (more windows start over at the top-left).
  const int n = static_cast<int>(windows.size());
  const int width = std::max(area.width() * 2 / 3, area.width() - step * (n - 1));
  const int height = std::max(area.height() * 2 / 3, area.height() - step * (n - 1));
  const int fit = std::max(1, std::min((area.width() - width) / step, (area.height() - height) / step) + 1);
  int i = 0;
  for (QMdiSubWindow* window : windows) {
    if (window->isMaximized() || window->isMinimized()) window->showNormal();
    const int offset = step * (i++ % fit);
    window->setGeometry(area.left() + offset, area.top() + offset, width, height);
  }
  m_pMdiArea->setActiveSubWindow(windows.back());
  UpdateFrameTitle();
}

// ---- Information bar and status-bar panes ----------------------------------------------

void CMainFrame::AppendInfoLines(CString text) {
  text = CaptionText(text);  // the program's own reports in the interface's language
  text.Replace(CString(u"\n"), CString(u"\r\n"));
  m_wndInfoBar->AppendText(text);
}

bool CMainFrame::IsInfoBarVisible() {
  return !m_wndInfoBar->isHidden();
}

void CMainFrame::ToggleInfoBar() {
  m_wndInfoBar->setVisible(m_wndInfoBar->isHidden());
}

void CMainFrame::AddStatusPaneControl(int pane, int kind) {
  m_nNewPaneIndex = pane;
  m_nNewPaneKind = kind;
  AddStatusPaneControl();
}

namespace {

// A model's name as the status bar shows it, in the interface's language
// ("Dunri Series FW C1.00").
CString ModelPaneText(CString name) {
  if (!g_LanguageIsChinese) return name;
  name = CaptionText(name);  // "Unknown model (0x1234)"
  name.Replace(u" Series ", u" " + CaptionText(u"Series") + u" ");
  return name;
}

}  // namespace

void CMainFrame::AddStatusPaneControl() {
  if (m_nNewPaneIndex < 0 || m_nNewPaneIndex > 20) return;
  QWidget* control = nullptr;
  UINT paneId = 0;
  int width = 0;
  if (m_nNewPaneKind == kStatusModelName && !m_pModelCaption) {
    CString name;
    GetModelName(g_CurrentModelCode, &name, nullptr);
    // One line: the pane is as wide as the longest name and never wraps it.
    auto* caption = new CEmbossedStatic(ModelPaneText(name), SS_NOTIFY | SS_LEFTNOWORDWRAP, m_wndStatusBar);
    caption->setObjectName(QString("ctl%1").arg(ID_MODEL_CAPTION));
    connect(caption, &CEmbossedStatic::clicked, this, [this] { SendCommand(ID_MODEL_CAPTION); });
    control = caption;
    paneId = ID_INDICATOR_MODEL_NAME;
    // 120 pixels held the names in the original status-bar font; the pane
    // grows to the longest model name in ours so the caption never wraps.
    width = 120;
    int height = caption->fontMetrics().height();
    for (int code : {0x1188, 0x2188, 0x5188, 0x5288, 0x6188}) {
      CString model;
      GetModelName(code, &model, nullptr);
      // Measured as drawn: a Chinese word may come from a taller fallback face.
      const QSize size = caption->fontMetrics().size(0, ToQString(ModelPaneText(model)));
      width = std::max(width, size.width() + 8);
      height = std::max(height, size.height());
    }
    // The bar is high enough for the caption's font.
    m_wndStatusBar->SetMinimumPaneHeight(height + 2 * CPaneStatusBar::kEdge);
  } else if (m_nNewPaneKind == kStatusBitmapButton && !m_pModelButton) {
    auto* button = new QToolButton(m_wndStatusBar);
    button->setObjectName(QString("ctl%1").arg(ID_MODEL_BUTTON));
    button->setText("Button");
    button->setIcon(ModelButtonIcon());
    button->setIconSize(QSize(10, 10));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, [this] { SendCommand(ID_MODEL_BUTTON); });
    control = button;
    paneId = ID_INDICATOR_MODEL_BUTTON;
    width = 12;
  } else {
    return;
  }
  if (!m_wndStatusBar->AddIndicator(paneId, m_nNewPaneIndex)) {
    delete control;
    AfxMessageBox(CString(u"Pane index out of range\nor pane with same ID already exists in the status bar"),
                  MB_OK | MB_ICONSTOP);
    return;
  }
  const int index = m_wndStatusBar->CommandToIndex(paneId);
  StatusPaneInfo info;
  m_wndStatusBar->GetPaneInfo(index, &info);
  info.width = width;
  m_wndStatusBar->SetPaneInfo(index, &info);
  m_wndStatusBar->AddPaneControl(control, paneId, TRUE);
  if (paneId == ID_INDICATOR_MODEL_NAME) {
    m_pModelCaption = static_cast<CEmbossedStatic*>(control);
  } else {
    m_pModelButton = static_cast<QToolButton*>(control);
  }
}

void CMainFrame::RemoveStatusPane(int pane) {
  UINT paneId = 0;
  if (pane == 1) {
    paneId = ID_INDICATOR_MODEL_BUTTON;
    delete m_pModelButton;
    m_pModelButton = nullptr;
  } else if (pane == 2) {
    paneId = ID_INDICATOR_MODEL_NAME;
    delete m_pModelCaption;
    m_pModelCaption = nullptr;
  }
  // The pane goes by the id of its control, so a missing pane never takes another with it.
  if (paneId == 0 || !m_wndStatusBar->RemoveIndicator(paneId)) {
    CString text;
    text.Format(u"Pane %d was not found in the status bar \nor must be at least one of them.", pane);
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
  }
}

void CMainFrame::SetModelNameText(const CString& name) {
  if (m_pModelCaption) m_pModelCaption->SetWindowText(ModelPaneText(name));
}

void CMainFrame::ShowHelp(int topic) {
  ShowHelpTopic(static_cast<WORD>(topic));
}

void CMainFrame::OpenProgramProperties(int startPage) {
  m_nPropertiesStartPage = startPage;
  SendCommand(ID_PROPERTIES);
}

void CMainFrame::OnFrameBackgroundColour() {
  CHColorDialog dlg(LoadString(IDS_FRAME_BACKGROUND_COLOUR), m_crBackground, 0, this);
  if (dlg.DoModal() != IDOK) return;
  m_crBackground = dlg.GetColor();
  InvalidatePaletteViews();
}

CSize CMainFrame::GetScreenSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return NewDocumentSettings{}.sizePage;
  return {screen->size().width(), screen->size().height()};
}

// ---- Events ------------------------------------------------------------------------------

bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // Command prompts go to the message pane.
    m_wndStatusBar->SetPaneText(0, ToCString(static_cast<QStatusTipEvent*>(event)->tip()));
    return true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // A maximised MDI window writes its own "title - [name]" over the frame's title
  // when its state changes; the frame's title always names the active diagram once.
  if (event->type() == QEvent::WindowTitleChange && m_pDocManager) UpdateFrameTitle();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (m_pApp && !m_pApp->SaveAllModified()) {
    event->ignore();
    return;
  }
  m_pDocManager->CloseAllDocuments();
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  if (!m_pApp) return;
  activateWindow();
  const QList<QUrl> urls = event->mimeData()->urls();
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) m_pApp->OpenDocumentFile(ToCString(url.toLocalFile()));
  }
  event->acceptProposedAction();
}
