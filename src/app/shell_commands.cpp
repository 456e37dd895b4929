#include "app/shell_commands.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <filesystem>

#include "app/document_manager.h"
#include "app/editor_app.h"
#include "app/help_launcher.h"
#include "app/language_dlg.h"
#include "app/main_frame.h"
#include "controls/gui/flat_icon_button.h"
#include "controls/gui/pane_status_bar.h"
#include "editor/command_table.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/sim_bars.h"
#include "editor/gui/zarad_view.h"
#include "model/help_topics.h"
#include "model/language_setting.h"
#include "platform/gui/qt_keys.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "platform/virtual_keys.h"

std::unordered_map<UINT, CString> g_UiTextById;
std::map<QString, QString> g_MenuCaptionMap;

namespace {

// "You can't run tow simulations at a time! ..."
constexpr UINT kTwoSimulationsText = 935;

// The commands each menu bar has translated: the no-document bar (layout 0) and the
// document bar (layout 1). Other items keep their English texts.
const UINT kNoDocumentCommands[] = {
    ID_FILE_NEW,      ID_FILE_NEW_LAD,    ID_FILE_OPEN,         ID_FILE_PRINT_SETUP, ID_APP_EXIT,
    ID_VIEW_TOOLBAR,  ID_VIEW_STATUS_BAR, ID_DEVICE_TO_PC,      ID_CLOCK_SETTING,    ID_SUMMER_TIME,
    ID_CLEAR_PROGRAM, ID_IO_STATUS,       ID_COM_CONFIGURATION, ID_LANGUAGE,         ID_SET_FRAME_BGCOLOR,
    ID_HELP_CONTENTS, ID_APP_ABOUT};
const UINT kDocumentCommands[] = {ID_FILE_NEW,          ID_FILE_NEW_LAD,
                                  ID_FILE_OPEN,         ID_FILE_PRINT_SETUP,
                                  ID_APP_EXIT,          ID_FILE_CLOSE,
                                  ID_FILE_SAVE,         ID_FILE_SAVE_AS,
                                  ID_FILE_PRINT,        ID_FILE_PRINT_PREVIEW,
                                  ID_FILE_PAGE_SETUP,   ID_MSGTEXT_SETTINGS,
                                  ID_PROPERTIES,        ID_CONVERT_TO_FBD,
                                  ID_EDIT_UNDO,         ID_EDIT_REDO,
                                  ID_EDIT_CUT,          ID_EDIT_COPY,
                                  ID_EDIT_PASTE,        ID_EDIT_CLEAR,
                                  ID_EDIT_SELECT_ALL,   ID_BLOCK_PROPERTIES,
                                  ID_GOTO_BLOCK,        ID_VIEW_TOOLBAR,
                                  ID_VIEW_STATUS_BAR,   ID_VIEW_SIMULATION_BAR,
                                  ID_VIEW_INFO_BAR,     ID_DEVICE_TO_PC,
                                  ID_CLOCK_SETTING,     ID_SUMMER_TIME,
                                  ID_CLEAR_PROGRAM,     ID_IO_STATUS,
                                  ID_PC_TO_DEVICE,      ID_SIMULATION,
                                  ID_COM_CONFIGURATION, ID_LANGUAGE,
                                  ID_SET_WIRE_COLOR,    ID_SET_BACKGROUND_COLOR,
                                  ID_SET_FRAME_BGCOLOR, ID_SELECT_HARDWARE,
                                  ID_WINDOW_CASCADE,    ID_WINDOW_TILE_HORZ,
                                  ID_HELP_CONTENTS,     ID_APP_ABOUT};

// Renames a popup through the caption table; unknown captions stay.
void TranslateCaption(QMenu* menu) {
  if (!menu) return;
  auto it = g_MenuCaptionMap.find(menu->title());
  if (it != g_MenuCaptionMap.end()) menu->setTitle(it->second);
}

// The Chinese text of a command; the shortcut shown after a tab stays.
void TranslateCommand(QAction* action, UINT id) {
  if (!action) return;
  auto it = g_UiTextById.find(id);
  if (it == g_UiTextById.end()) return;
  QString text = ToQString(it->second);
  const QString old = action->text();
  const qsizetype tab = old.indexOf('\t');
  if (tab >= 0 && !text.contains('\t')) text += old.mid(tab);
  action->setText(text);
}

// The sub-popups ("New", "Transfer") of a top-level menu.
void TranslateSubMenus(QMenu* menu) {
  for (QAction* action : menu->actions()) {
    if (QMenu* sub = action->menu()) TranslateCaption(sub);
  }
}

// Whether the widget belongs to the main window (floating bars included).
bool InFrame(const QWidget* widget, const CMainFrame* frame) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    if (w == frame) return true;
  }
  return false;
}

// Whether a key typed into the widget is the main window's to route: dialogs,
// sheets and pop-ups of their own (any window but the frame and its floating
// bars) keep their keys, so Esc closes them rather than reaching the diagram,
// and a diagram window's simulation bars forward theirs by their own table.
bool KeysRouted(const QWidget* widget, const CMainFrame* frame) {
  bool inBar = false;
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    if (w == frame) return true;
    if (inBar && qobject_cast<const CChildFrame*>(w)) return false;
    const bool dock = qobject_cast<const QDockWidget*>(w) != nullptr;
    inBar |= dock;
    if (w->isWindow() && !dock) return false;
  }
  return false;
}

}  // namespace

void BuildChineseTextTables() {
  g_MenuCaptionMap.clear();
  for (const MenuCaptionEntry& e : MenuCaptionEntries()) {
    g_MenuCaptionMap[ToQString(CString(e.english))] = ToQString(CString(e.chinese));
  }
  g_UiTextById.clear();
  for (const UiTextEntry& e : UiTextEntries()) g_UiTextById[e.id] = CString(e.chinese);
}

void ClearChineseTextTables() {
  g_MenuCaptionMap.clear();
  g_UiTextById.clear();
}

// ---- Menus ---------------------------------------------------------------------------

void CMainFrame::TranslateMenu(bool documentMenu, int /*firstPosition*/) {
  // The menu bars are built apart from the window's system menu, so their popups
  // always start at the first position.
  const std::vector<QMenu*>& menus = documentMenu ? DocumentMenus() : NoDocumentMenus();
  for (QMenu* menu : menus) {
    TranslateSubMenus(menu);
    TranslateCaption(menu);
  }
  if (documentMenu) {
    for (UINT id : kDocumentCommands) TranslateCommand(GetAction(id), id);
  } else {
    for (UINT id : kNoDocumentCommands) TranslateCommand(GetAction(id), id);
  }
  // A toolbar button takes its action's new text as its tip: it keeps its own.
  for (QAction* action : GetToolBar()->actions()) {
    const UINT id = action->data().toUInt();
    if (QWidget* button = GetToolBar()->widgetForAction(action); button && id != 0)
      button->setToolTip(ToolTipOf(id));
  }
  GetNewButton()->setToolTip(ToolTipOf(ID_FILE_NEW));
}

// ---- Commands ------------------------------------------------------------------------

CShellCommands::CShellCommands(CMainFrame* frame) : QObject(frame), m_pFrame(frame) {
  frame->SetCommandHandler(
      ID_LANGUAGE, [this] { OnLanguage(); }, [](CCmdUI* ui) { ui->Enable(TRUE); });
  frame->SetCommandHandler(ID_HELP_CONTENTS, [] { ShowHelpTopic(kHelpTopicContents); });
  qApp->installEventFilter(this);
}

CShellCommands::~CShellCommands() = default;

void CShellCommands::OnLanguage() {
  CLanguageDlg dialog(m_pFrame->m_nLanguageIndex, m_pFrame);
  if (dialog.exec() != QDialog::Accepted) return;
  const int chosen = dialog.GetSelection();
  if (chosen == m_pFrame->m_nLanguageIndex) return;
  QString file = m_languageFile;
  if (file.isEmpty())
    file = m_pFrame->GetApp() ? m_pFrame->GetApp()->GetLanguageFile() : CEditorApp::LanguageSettingsPath();
  // The choice of this run changes only when the file holds it; the interface itself
  // changes at the next start.
  if (WriteLanguageSetting(std::filesystem::path(file.toStdString()), chosen))
    m_pFrame->m_nLanguageIndex = chosen;
}

// ---- Input ---------------------------------------------------------------------------

CChildFrame* CShellCommands::ActiveChild() const {
  return dynamic_cast<CChildFrame*>(m_pFrame->GetActiveDocumentWindow());
}

bool CShellCommands::IsSimPowerCut() const {
  CChildFrame* child = ActiveChild();
  if (!child || !child->IsSimulating() || !child->ControlBar()) return false;
  return child->ControlBar()->PowerButton()->isChecked();
}

bool CShellCommands::RouteKey(QWidget* target, QEvent* event) {
  CChildFrame* child = ActiveChild();
  CZaradView* view = child ? child->GetActiveView() : nullptr;
  if (!view) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers mods =
      key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const UINT vk = VirtualKeyOf(key->key());
  // The command table names the keys the view takes first (Escape, F3, F5, ...).
  const bool toView = IsViewKey(vk, (mods & Qt::ControlModifier) != 0);
  // With a diagram open, a plain F1 opens no help.
  const bool swallow = vk == VK_F1 && mods == Qt::NoModifier;
  if (!toView && !swallow) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    // Taken here, so the accelerators do not see it.
    event->accept();
    return true;
  }
  if (swallow) return true;
  if (target == view) return false;  // it goes there anyway
  QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(), key->count());
  // What the view leaves goes up to its parents, past this filter again: once is enough.
  m_bRouting = true;
  QCoreApplication::sendEvent(view, &copy);
  m_bRouting = false;
  return true;
}

bool CShellCommands::OnToolTip(QWidget* widget) {
  auto* button = qobject_cast<QToolButton*>(widget);
  if (!button || button->parentWidget() != m_pFrame->GetToolBar() || !button->defaultAction()) return false;
  const UINT id = button->defaultAction()->data().toUInt();
  if (id == ID_PC_TO_DEVICE || id == ID_DEVICE_TO_PC) {
    // The transfer buttons show their whole string, in the status bar too.
    m_pFrame->GetStatusBar()->SetPaneText(0, LoadString(id));
    return false;
  }
  if (id != ID_SIMULATION || button->defaultAction()->isEnabled()) return false;
  // Simulation is greyed while another diagram simulates: say why.
  bool otherSimulates = false;
  for (DocumentWindow* doc : m_pFrame->GetDocManager()->GetDocuments()) otherSimulates |= doc->IsSimulating();
  if (!otherSimulates) return false;
  QToolTip::showText(QCursor::pos(), ToQString(LoadString(kTwoSimulationsText)), button);
  return true;
}

bool CShellCommands::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (!m_bRouting && KeysRouted(widget, m_pFrame) && RouteKey(widget, event)) return true;
      break;
    case QEvent::MouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonRelease:
      // A release anywhere in the main window ends a power cut; the Power button's
      // own release does that itself.
      if (InFrame(widget, m_pFrame) && IsSimPowerCut()) {
        CSimControlBar* bar = ActiveChild()->ControlBar();
        if (widget != bar->PowerButton()) bar->ReleasePowerButton();
      }
      break;
    case QEvent::ToolTip:
      if (OnToolTip(widget)) return true;
      break;
    default:
      break;
  }
  return false;
}
