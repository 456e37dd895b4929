// The command table: every command of the menus, the toolbar, the accelerators
// and the diagram view's keys in one place, with its id, its menu text, its key,
// how the key reaches it and who handles it. The main frame builds its actions,
// menu texts and accelerators from it; the main window's key routing asks it
// which keys the active diagram view takes first, and the editor core turns
// those keys into their commands with it.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

// A key with its modifiers, in virtual-key codes (platform/virtual_keys.h).
struct CommandKey {
  UINT vk = 0;  // 0: none
  bool ctrl = false;
  bool shift = false;
  friend bool operator==(const CommandKey&, const CommandKey&) = default;
};

// Who runs a command. The main window routes every command to the active diagram
// window (its view, then the view's editor core), then to the frame with the handlers
// plugged into it, then to the application object; the handler named here is the
// one that answers.
enum class CommandHandler {
  kNone,               // shown, never enabled
  kEditorCore,         // CDiagramEditor (editing, wiring, zoom, colours, device requests)
  kDiagramView,        // CZaradView (block properties, go to block, printing, palette pick)
  kDiagramWindow,      // CChildFrame (simulation)
  kMainFrame,          // CMainFrame (bars, windows, save, close, convert, exit)
  kApplication,        // CEditorApp (new, open, recent files, page setup, about)
  kDeviceLink,         // CDeviceController (transfers, device settings, COM configuration)
  kProgramProperties,  // CProgramPropertiesCommand
  kMessageTexts,       // CMsgTextSettingsCommand
  kShellCommands,      // CShellCommands (language, help)
};

// How a command's key reaches it.
enum CommandKeyFlags : UINT {
  kKeyAccelerator = 0x1,  // a key of the main window's accelerator table
  kKeyToView = 0x2,       // the active diagram view takes the key first (before the accelerators)
  kKeyShown = 0x4,        // the menu item shows the key after its text
};

struct CommandInfo {
  UINT id = 0;
  const char16_t* text = u"";  // menu text, with its mnemonic
  CommandKey key;              // none: the command has no key
  UINT keyFlags = 0;           // CommandKeyFlags
  CommandHandler handler = CommandHandler::kNone;
  const char16_t* popupText = nullptr;  // the diagram's context menu text when it differs
};

// Every command of the main window (its actions), in the order of its menus. The
// commands only the diagram's context menu offers (Selection, Seperate, Join, Go To
// Partner) are found by id.
const std::vector<CommandInfo>& CommandTable();
// The command with the id; null when the table has none.
const CommandInfo* FindCommand(UINT id);
// The command of an accelerator key; null when none.
const CommandInfo* FindAcceleratorCommand(const CommandKey& key);
// The command the diagram view runs for a key it takes first; null when the key is
// not one of those. A view key without Ctrl matches whatever the modifiers; one with
// Ctrl needs Ctrl.
const CommandInfo* FindViewKeyCommand(UINT vk, bool ctrl);
// Whether the diagram view takes the key before the accelerators.
bool IsViewKey(UINT vk, bool ctrl);

// The key as menus show it: "Ctrl+O", "Delete", "F3", "Shift+F6", "Escape".
CString KeyText(const CommandKey& key);
// The menu text of the command: its text, then a tab and its key when the menu shows it.
CString MenuText(const CommandInfo& info);
// The context menu's text (its own when it has one), with the key as the menu shows it.
CString PopupMenuText(const CommandInfo& info);
