// The command table: one row per command with its text, key and handler; the
// menus' texts and the keys the diagram view takes first come from it.
#include "editor/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/resource_ids.h"
#include "platform/virtual_keys.h"

namespace {

// The commands only the diagram's context menu offers.
const std::vector<CommandInfo> kContextMenu = {*FindCommand(ID_ESCAPE), *FindCommand(ID_SEPARATE),
                                               *FindCommand(ID_JOIN), *FindCommand(ID_GO_TO_PARTNER)};

TEST(CommandTableTest, IdsAndAcceleratorKeysAreUnique) {
  std::set<UINT> ids;
  std::set<std::pair<UINT, int>> keys;
  for (const std::vector<CommandInfo>* table : {&CommandTable(), &kContextMenu}) {
    for (const CommandInfo& c : *table) {
      EXPECT_TRUE(ids.insert(c.id).second) << c.id;
      ASSERT_NE(FindCommand(c.id), nullptr);
      EXPECT_EQ(FindCommand(c.id)->text, c.text);
      if (c.keyFlags & kKeyAccelerator) {
        ASSERT_NE(c.key.vk, 0u) << c.id;
        EXPECT_TRUE(keys.insert({c.key.vk, c.key.ctrl * 2 + c.key.shift}).second) << c.id;
        EXPECT_EQ(FindAcceleratorCommand(c.key), FindCommand(c.id));
      }
    }
  }
  EXPECT_EQ(FindCommand(ID_PALETTE_PICK), nullptr);
  EXPECT_EQ(FindAcceleratorCommand(CommandKey{'Q', true, false}), nullptr);
}

TEST(CommandTableTest, MenuTextsShowTheKeysTheMenusShow) {
  struct Case {
    UINT id;
    const char16_t* menu;
  } cases[] = {
      {ID_SIMULATION, u"&Simulation\tF3"},
      {ID_FILE_OPEN, u"&Open...\tCtrl+O"},
      {ID_FILE_CLOSE, u"&Close\tCtrl+F4"},
      {ID_EDIT_CLEAR, u"&Delete\tDelete"},
      {ID_FILE_NEW, u"Function block diagram(FBD)"},  // Ctrl+N is not shown
      {ID_HELP_CONTENTS, u"&Contents"},               // nor is F1
      {ID_CONNECT, u"Connect"},
      {ID_APP_EXIT, u"E&xit"},
  };
  for (const Case& c : cases) {
    ASSERT_NE(FindCommand(c.id), nullptr) << c.id;
    EXPECT_EQ(MenuText(*FindCommand(c.id)), CString(c.menu)) << c.id;
  }
  // The context menu's own texts.
  EXPECT_EQ(PopupMenuText(*FindCommand(ID_BLOCK_PROPERTIES)), CString(u"Pr&operties..."));
  EXPECT_EQ(PopupMenuText(*FindCommand(ID_ESCAPE)), CString(u"Selection\tEscape"));
  EXPECT_EQ(PopupMenuText(*FindCommand(ID_EDIT_CUT)), CString(u"Cu&t\tCtrl+X"));
  EXPECT_EQ(KeyText(CommandKey{VK_F6, false, true}), CString(u"Shift+F6"));
  EXPECT_EQ(KeyText(CommandKey{}), CString());
}

TEST(CommandTableTest, TheViewTakesItsKeysFirst) {
  struct Case {
    UINT vk;
    bool ctrl;
    UINT id;  // 0: not a key of the view
  } cases[] = {
      {VK_F3, false, ID_SIMULATION},
      {VK_F3, true, ID_SIMULATION},  // a view key without Ctrl takes any modifiers
      {VK_F5, false, ID_CONNECT},
      {VK_F9, false, ID_INSERT_COMMENTS},
      {VK_F11, false, ID_CUT_JOIN_CONNECTION},
      {VK_F4, true, ID_FILE_CLOSE},
      {VK_F4, false, 0},  // F4 needs Ctrl
      {VK_ESCAPE, false, ID_ESCAPE},
      {VK_F1, false, 0},
      {VK_F6, false, 0},
      {VK_DELETE, false, 0},
      {'O', true, 0},
      {0, false, 0},
  };
  for (const Case& c : cases) {
    const CommandInfo* command = FindViewKeyCommand(c.vk, c.ctrl);
    EXPECT_EQ(command ? command->id : 0u, c.id) << c.vk << " " << c.ctrl;
    EXPECT_EQ(IsViewKey(c.vk, c.ctrl), c.id != 0);
  }
}

}  // namespace
