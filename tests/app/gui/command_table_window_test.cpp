// The command table in the running editor: the main window's actions carry the
// table's texts, its accelerators are the table's keys, and each command is
// answered by the handler the table names.
#include <QAction>
#include <QKeySequence>

#include "editor/command_table.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/shell_context.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"

namespace {

// The commands only the diagram's context menu offers.
const std::vector<CommandInfo> kContextMenu = {*FindCommand(ID_ESCAPE), *FindCommand(ID_SEPARATE),
                                               *FindCommand(ID_JOIN), *FindCommand(ID_GO_TO_PARTNER)};

class CommandTableWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    g_ShowPropertiesOnNew = 0;
  }
};

TEST_F(CommandTableWindowTest, ActionsAndAcceleratorsFollowTheTable) {
  for (const CommandInfo& command : CommandTable()) {
    QAction* action = m_frame->GetAction(command.id);
    ASSERT_NE(action, nullptr) << command.id;
    if (command.id != ID_DEVICE_TO_PC && command.id != ID_CLOCK_SETTING) {  // texts of the string table
      EXPECT_EQ(action->text(), ToQString(MenuText(command))) << command.id;
    }
    auto* key = m_frame->findChild<QAction*>(QString("acc%1").arg(command.id));
    if (!(command.keyFlags & kKeyAccelerator)) {
      EXPECT_EQ(key, nullptr) << command.id;
      continue;
    }
    ASSERT_NE(key, nullptr) << command.id;
    // The shortcut reads as the key the table names.
    EXPECT_EQ(key->shortcut().toString(),
              ToQString(KeyText(command.key)).replace("Delete", "Del").replace("Escape", "Esc"))
        << command.id;
  }
}

TEST_F(CommandTableWindowTest, EachCommandIsAnsweredByItsHandler) {
  m_frame->SendCommand(ID_FILE_NEW);
  auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  for (const std::vector<CommandInfo>* table : {&CommandTable(), &kContextMenu}) {
    for (const CommandInfo& command : *table) {
      auto claims = [&command](CCommandTarget& target) {
        CCmdUI ui(command.id);
        return target.OnUpdateCmdUI(&ui);
      };
      SCOPED_TRACE(command.id);
      switch (command.handler) {
        case CommandHandler::kEditorCore: {
          CCmdUI ui(command.id);
          EXPECT_TRUE(view->Core().OnUpdateCmdUI(&ui));
          break;
        }
        case CommandHandler::kDiagramView:
          EXPECT_TRUE(claims(*view));
          break;
        case CommandHandler::kDiagramWindow:
          EXPECT_TRUE(claims(*child));
          EXPECT_FALSE(claims(*view));
          break;
        case CommandHandler::kMainFrame:
        case CommandHandler::kDeviceLink:
        case CommandHandler::kProgramProperties:
        case CommandHandler::kMessageTexts:
        case CommandHandler::kShellCommands:
          EXPECT_TRUE(claims(*m_frame));
          break;
        case CommandHandler::kApplication:
          EXPECT_TRUE(claims(*m_app));
          break;
        case CommandHandler::kNone:
          EXPECT_FALSE(claims(*child) || claims(*m_frame) || claims(*m_app));
          break;
      }
    }
  }
}

}  // namespace
