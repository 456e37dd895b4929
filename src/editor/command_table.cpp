#include "editor/command_table.h"

#include "platform/resource_ids.h"
#include "platform/virtual_keys.h"

namespace {

using H = CommandHandler;

constexpr UINT kAccel = kKeyAccelerator;
constexpr UINT kShown = kKeyAccelerator | kKeyShown;
constexpr UINT kView = kKeyAccelerator | kKeyToView;
constexpr UINT kViewShown = kKeyAccelerator | kKeyToView | kKeyShown;

constexpr CommandKey Ctrl(UINT vk) {
  return CommandKey{vk, true, false};
}
constexpr CommandKey Key(UINT vk) {
  return CommandKey{vk, false, false};
}
constexpr CommandKey Shift(UINT vk) {
  return CommandKey{vk, false, true};
}

// Function-local so that the tables are built before their first use, also from
// another file's static initialisation.
const std::vector<CommandInfo>& Commands() {
  static const std::vector<CommandInfo> table = {
      // File
      {ID_FILE_NEW, u"Function block diagram(FBD)", Ctrl('N'), kAccel, H::kApplication},
      {ID_FILE_NEW_LAD, u"Ladder diagram(LAD)", {}, 0, H::kApplication},
      {ID_FILE_OPEN, u"&Open...", Ctrl('O'), kShown, H::kApplication},
      {ID_FILE_CLOSE, u"&Close", Ctrl(VK_F4), kViewShown, H::kMainFrame},
      {ID_FILE_SAVE, u"&Save", Ctrl('S'), kShown, H::kMainFrame},
      {ID_FILE_SAVE_AS, u"Save &As...", {}, 0, H::kMainFrame},
      {ID_FILE_PRINT, u"&Print...", Ctrl('P'), kShown, H::kDiagramView},
      {ID_FILE_PRINT_PREVIEW, u"Print Pre&view", {}, 0, H::kDiagramView},
      {ID_FILE_PAGE_SETUP, u"Page  Set&up...", {}, 0, H::kApplication},
      {ID_MSGTEXT_SETTINGS, u"Message Text Settings...", {}, 0, H::kMessageTexts},
      {ID_PROPERTIES, u"Properties", {}, 0, H::kProgramProperties},
      {ID_CONVERT_TO_FBD, u"Convert to FBD", {}, 0, H::kMainFrame},
      {ID_APP_EXIT, u"E&xit", {}, 0, H::kMainFrame},
      // Edit
      {ID_EDIT_UNDO, u"&Undo", Ctrl('Z'), kShown, H::kEditorCore},
      {ID_EDIT_REDO, u"&Redo", Ctrl('Y'), kShown, H::kEditorCore},
      {ID_EDIT_CUT, u"Cu&t", Ctrl('X'), kShown, H::kEditorCore},
      {ID_EDIT_COPY, u"&Copy", Ctrl('C'), kShown, H::kEditorCore},
      {ID_EDIT_PASTE, u"&Paste", Ctrl('V'), kShown, H::kEditorCore},
      {ID_EDIT_CLEAR, u"&Delete", Key(VK_DELETE), kShown, H::kEditorCore},
      {ID_EDIT_SELECT_ALL, u"Select &All", Ctrl('A'), kShown, H::kEditorCore},
      {ID_ALIGN_VERTICALLY, u"Align Vertically", {}, 0, H::kEditorCore},
      {ID_ALIGN_HORIZONTALLY, u"Align Horizontally", {}, 0, H::kEditorCore},
      {ID_BLOCK_PROPERTIES, u"Block Pr&operties...", {}, 0, H::kDiagramView, u"Pr&operties..."},
      {ID_GOTO_BLOCK, u"&Go To Block...", Ctrl('G'), kShown, H::kDiagramView},
      // View
      {ID_VIEW_TOOLBAR, u"&Tool Bar", {}, 0, H::kMainFrame},
      {ID_VIEW_STATUS_BAR, u"&Status Bar", {}, 0, H::kMainFrame},
      {ID_VIEW_INPUTS_BAR, u"Inputs Bar", {}, 0, H::kDiagramWindow},
      {ID_VIEW_OUTPUTS_BAR, u"Outputs Bar", {}, 0, H::kDiagramWindow},
      {ID_VIEW_SIMULATION_BAR, u"Simulation Bar", {}, 0, H::kDiagramWindow},
      {ID_VIEW_INFO_BAR, u"Infomation Window", {}, 0, H::kMainFrame},
      // Tools
      {ID_PC_TO_DEVICE, u"PC->Device", Ctrl('D'), kShown, H::kDeviceLink},
      {ID_DEVICE_TO_PC, u"Device->PC", Ctrl('U'), kShown, H::kDeviceLink},
      {ID_CLOCK_SETTING, u"Clock Setting/Calibration", {}, 0, H::kDeviceLink},
      {ID_SUMMER_TIME, u"SummerTime/WinterTime", {}, 0, H::kDeviceLink},
      {ID_CLEAR_PROGRAM, u"Clear User Program and Password", {}, 0, H::kDeviceLink},
      {ID_IO_STATUS, u"I/O Status...", {}, 0, H::kDeviceLink},
      {ID_WIFI_SETUP, u"WiFi Setup(VelkaXX only)", {}, 0, H::kDeviceLink},
      {ID_REMOTE_WIFI_SETUP, u"Remote Control WiFi Setup(Nolva only)", {}, 0, H::kDeviceLink},
      {ID_SIMULATION, u"&Simulation", Key(VK_F3), kViewShown, H::kDiagramWindow},
      // Options
      {ID_COM_CONFIGURATION, u"COM &Configuration", {}, 0, H::kDeviceLink},
      {ID_LANGUAGE, u"Language", {}, 0, H::kShellCommands},
      {ID_SET_WIRE_COLOR, u"Set Wire Color...", {}, 0, H::kEditorCore},
      {ID_SET_BACKGROUND_COLOR, u"Set BackGround Color...", {}, 0, H::kEditorCore},
      {ID_SET_FRAME_BGCOLOR, u"Set Frame Window BGColor", {}, 0, H::kMainFrame},
      {ID_SELECT_HARDWARE, u"Select hardware", {}, 0, H::kNone},
      // Window and Help
      {ID_WINDOW_CASCADE, u"&Cascade", {}, 0, H::kMainFrame},
      {ID_WINDOW_TILE_HORZ, u"&Tile", {}, 0, H::kMainFrame},
      {ID_HELP_CONTENTS, u"&Contents", Key(VK_F1), kAccel, H::kShellCommands},
      {ID_APP_ABOUT, u"&About", {}, 0, H::kApplication},
      // Reached by the toolbar or the keys only.
      {ID_CONNECT, u"Connect", Key(VK_F5), kView, H::kEditorCore},
      {ID_CUT_JOIN_CONNECTION, u"Cut/Join Connection", Key(VK_F11), kView, H::kEditorCore},
      {ID_SELECTION, u"Selection", {}, 0, H::kEditorCore},
      {ID_INSERT_COMMENTS, u"Insert Comments", Key(VK_F9), kView, H::kEditorCore},
      {ID_ZOOM_IN, u"Zoom In", {}, 0, H::kEditorCore},
      {ID_ZOOM_OUT, u"Zoom Out", {}, 0, H::kEditorCore},
      {ID_PAGE_LAYOUT, u"set view size", {}, 0, H::kEditorCore},
      {ID_NEXT_PANE, u"Next Pane", Key(VK_F6), kAccel, H::kNone},
      {ID_PREV_PANE, u"Previous Pane", Shift(VK_F6), kAccel, H::kNone},
  };
  return table;
}

// The diagram's context menu only: Escape is the view's own key (it ends what the
// view is doing without a command).
const std::vector<CommandInfo>& ContextCommands() {
  static const std::vector<CommandInfo> table = {
      {ID_ESCAPE, u"Selection", Key(VK_ESCAPE), kKeyToView | kKeyShown, H::kEditorCore},
      {ID_SEPARATE, u"Seperate", {}, 0, H::kEditorCore},
      {ID_JOIN, u"Join", {}, 0, H::kEditorCore},
      {ID_GO_TO_PARTNER, u"Go To Partner", {}, 0, H::kEditorCore},
  };
  return table;
}

const CommandInfo* FindIn(const std::vector<CommandInfo>& table, UINT id) {
  for (const CommandInfo& c : table) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

}  // namespace

const std::vector<CommandInfo>& CommandTable() {
  return Commands();
}

const CommandInfo* FindCommand(UINT id) {
  if (const CommandInfo* c = FindIn(Commands(), id)) return c;
  return FindIn(ContextCommands(), id);
}

const CommandInfo* FindAcceleratorCommand(const CommandKey& key) {
  for (const CommandInfo& c : Commands()) {
    if ((c.keyFlags & kKeyAccelerator) && c.key == key) return &c;
  }
  return nullptr;
}

const CommandInfo* FindViewKeyCommand(UINT vk, bool ctrl) {
  if (vk == 0) return nullptr;
  for (const std::vector<CommandInfo>* table : {&Commands(), &ContextCommands()}) {
    for (const CommandInfo& c : *table) {
      if ((c.keyFlags & kKeyToView) && c.key.vk == vk && (!c.key.ctrl || ctrl)) return &c;
    }
  }
  return nullptr;
}

bool IsViewKey(UINT vk, bool ctrl) {
  return FindViewKeyCommand(vk, ctrl) != nullptr;
}

CString KeyText(const CommandKey& key) {
  CString name;
  if (key.vk >= VK_F1 && key.vk <= VK_F12) {
    name.Format(u"F%u", key.vk - VK_F1 + 1);
  } else if (key.vk == VK_DELETE) {
    name = u"Delete";
  } else if (key.vk == VK_ESCAPE) {
    name = u"Escape";
  } else if ((key.vk >= 'A' && key.vk <= 'Z') || (key.vk >= '0' && key.vk <= '9')) {
    name = CString(static_cast<char16_t>(key.vk));
  } else {
    return CString();
  }
  CString text;
  if (key.ctrl) text += u"Ctrl+";
  if (key.shift) text += u"Shift+";
  return text + name;
}

CString MenuText(const CommandInfo& info) {
  CString text(info.text);
  if ((info.keyFlags & kKeyShown) && info.key.vk != 0) text += u"\t" + KeyText(info.key);
  return text;
}

CString PopupMenuText(const CommandInfo& info) {
  CString text(info.popupText ? info.popupText : info.text);
  if ((info.keyFlags & kKeyShown) && info.key.vk != 0) text += u"\t" + KeyText(info.key);
  return text;
}
