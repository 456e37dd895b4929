// The main frame: menus of both states, accelerators, toolbar, status bar panes,
// information bar and the command routing.
#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>

#include "app/information_bar.h"
#include "app/toolbar_icons.h"
#include "controls/gui/embossed_static.h"
#include "controls/gui/pane_status_bar.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"

namespace {

// "title(item|item|-|sub(...))" with invisible items left out.
QString Dump(QMenu* menu) {
  QStringList items;
  for (QAction* a : menu->actions()) {
    if (!a->isVisible()) continue;
    if (a->isSeparator()) {
      items << "-";
    } else if (a->menu()) {
      items << Dump(a->menu());
    } else {
      items << a->text();
    }
  }
  return QString("%1(%2)").arg(menu->title(), items.join('|'));
}

QStringList DumpBar(QMenuBar* bar) {
  QStringList menus;
  for (QAction* a : bar->actions()) menus << Dump(a->menu());
  return menus;
}

std::vector<UINT> PaneIds(CPaneStatusBar* bar) {
  std::vector<UINT> ids;
  for (int i = 0; i < bar->GetCount(); ++i) ids.push_back(bar->GetItemID(i));
  return ids;
}

const char kTransfer[] =
    "Device->PC   Ctrl+U|Clock Setting/Calibration|SummerTime/WinterTime|Clear User Program and "
    "Password|-|I/O Status...|-|WiFi Setup(VelkaXX only)|Remote Control WiFi Setup(Nolva only)";
const char kNew[] = "New(Function block diagram(FBD)|Ladder diagram(LAD))";

}  // namespace

TEST_F(ShellTest, StartsWithTheNoDocumentMenuAndBars) {
  EXPECT_FALSE(m_frame->IsDocumentMenuShown());
  const QStringList expected = {
      QString("&File(%1|&Open...\tCtrl+O|-|Recent File|-|E&xit)").arg(kNew),
      "&View(&Tool Bar|&Status Bar)",
      QString("&Tools(Transfer(%1))").arg(kTransfer),
      "&Options(COM &Configuration|Language|Set Frame Window BGColor)",
      "&Help(&Contents|&About)",
  };
  EXPECT_EQ(DumpBar(m_frame->menuBar()), expected);
  EXPECT_EQ(m_frame->windowTitle(), "Zovuzi Editor");
  EXPECT_TRUE(m_frame->GetInfoBar()->isHidden());
  EXPECT_EQ(m_frame->m_nOpenDocs, 0);
  EXPECT_EQ(PaneIds(m_frame->GetStatusBar()),
            (std::vector<UINT>{ID_SEPARATOR, ID_INDICATOR_ZOOM, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                               ID_INDICATOR_SCRL}));
  // The palette dock exists at the left.
  ASSERT_NE(m_frame->GetWorkBox(), nullptr);
  EXPECT_EQ(m_frame->GetWorkBox()->windowTitle(), "WorkBox");
  EXPECT_NE(m_frame->GetWorkBox()->widget(), nullptr);  // the block palette
  EXPECT_EQ(m_frame->dockWidgetArea(m_frame->GetWorkBox()), Qt::LeftDockWidgetArea);
  EXPECT_EQ(m_frame->dockWidgetArea(m_frame->GetInfoBar()), Qt::BottomDockWidgetArea);
  // Commands without a handler are disabled; those of the application are enabled.
  m_frame->UpdateCommandUI();
  EXPECT_TRUE(m_frame->GetAction(ID_FILE_OPEN)->isEnabled());
  EXPECT_FALSE(m_frame->GetAction(ID_FILE_MRU_FILE1)->isEnabled());
  EXPECT_FALSE(m_frame->GetAction(ID_FILE_SAVE)->isEnabled());
  // Device->PC is the frame's own: it reads a program into a new diagram.
  EXPECT_TRUE(m_frame->GetAction(ID_DEVICE_TO_PC)->isEnabled());
}

TEST_F(ShellTest, DocumentMenuWhileADocumentIsOpen) {
  m_app->OnFileNewFbd();
  ASSERT_EQ(DocCount(), 1);
  EXPECT_TRUE(m_frame->IsDocumentMenuShown());
  const QStringList expected = {
      QString(
          "&File(%1|&Open...\tCtrl+O|&Close\tCtrl+F4|&Save\tCtrl+S|Save &As...|-|&Print...\tCtrl+P|Print "
          "Pre&view|Page  Set&up...|-|Message Text Settings...|Properties|-|Convert to FBD|-|Recent File|-|"
          "E&xit)")
          .arg(kNew),
      "&Edit(&Undo\tCtrl+Z|&Redo\tCtrl+Y|Cu&t\tCtrl+X|&Copy\tCtrl+C|&Paste\tCtrl+V|&Delete\tDelete|Select "
      "&All\tCtrl+A|-|Align(Align Vertically|Align Horizontally)|-|Block Pr&operties...|-|&Go To "
      "Block...\tCtrl+G)",
      "&View(&Tool Bar|&Status Bar|Inputs Bar|Outputs Bar|Simulation Bar|Infomation Window)",
      QString("&Tools(Transfer(PC->Device   Ctrl+D|%1)|-|&Simulation\tF3)").arg(kTransfer),
      // "Select hardware" leaves the menu with the first New or Open.
      "&Options(COM &Configuration|-|Language|Set Wire Color...|Set BackGround Color...|Set Frame Window "
      "BGColor)",
      "&Window(&Cascade|&Tile)",
      "&Help(&Contents|&About)",
  };
  EXPECT_EQ(DumpBar(m_frame->menuBar()), expected);
  m_frame->UpdateCommandUI();
  for (UINT id : {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ,
                  ID_VIEW_INFO_BAR}) {
    EXPECT_TRUE(m_frame->GetAction(id)->isEnabled()) << id;
  }
  // The view's commands wait for the diagram view.
  EXPECT_FALSE(m_frame->GetAction(ID_EDIT_COPY)->isEnabled());
}

TEST_F(ShellTest, AcceleratorTable) {
  std::map<QString, UINT> table;
  for (QAction* a : m_frame->actions()) {
    if (!a->shortcut().isEmpty()) table[a->shortcut().toString()] = a->data().toUInt();
  }
  const std::map<QString, UINT> expected = {
      {"Ctrl+A", 57642}, {"Ctrl+C", 57634},  {"Ctrl+D", 32807}, {"Ctrl+G", 32709}, {"Ctrl+N", 57600},
      {"Ctrl+O", 57601}, {"Ctrl+P", 57607},  {"Ctrl+S", 57603}, {"Ctrl+U", 32806}, {"Ctrl+V", 57637},
      {"Ctrl+X", 57635}, {"Ctrl+Y", 57644},  {"Ctrl+Z", 57643}, {"Del", 57632},    {"F1", 57667},
      {"F3", 32802},     {"Ctrl+F4", 57602}, {"F5", 32801},     {"F6", 57680},     {"Shift+F6", 57681},
      {"F9", 32822},     {"F11", 32780},
  };
  EXPECT_EQ(table, expected);
  // Ctrl+N runs New FBD; Ctrl+F4 closes the document.
  for (QAction* a : m_frame->actions()) {
    if (a->shortcut() == QKeySequence("Ctrl+N")) a->trigger();
  }
  EXPECT_EQ(DocCount(), 1);
  for (QAction* a : m_frame->actions()) {
    if (a->shortcut() == QKeySequence("Ctrl+F4")) a->trigger();
  }
  EXPECT_EQ(DocCount(), 0);
}

TEST_F(ShellTest, ToolbarButtonsAndNewDropDown) {
  std::vector<UINT> ids;
  for (QAction* a : m_frame->GetToolBar()->actions()) {
    if (a->isSeparator()) {
      ids.push_back(0);
    } else if (auto* w = qobject_cast<QToolButton*>(m_frame->GetToolBar()->widgetForAction(a));
               w && w == m_frame->GetNewButton()) {
      ids.push_back(ID_FILE_NEW);
    } else {
      ids.push_back(a->data().toUInt());
    }
  }
  const std::vector<UINT> expected = {57600, 57601, 0,    57603, 0,     57635, 0,     57634,
                                      57637, 57632, 0,    57643, 57644, 0,     32801, 32780,
                                      32816, 32822, 0,    32802, 32807, 32806, 32830, 0,
                                      6020,  6021,  6022, 0,     3015,  32779, 32854, 32855};
  EXPECT_EQ(ids, expected);
  // Every button shows a drawn picture of its own.
  for (UINT id : expected) {
    if (id == 0) continue;
    EXPECT_TRUE(HasToolbarIcon(id)) << id;
    EXPECT_FALSE(m_frame->GetAction(id)->icon().isNull()) << id;
  }
  QToolButton* newButton = m_frame->GetNewButton();
  EXPECT_EQ(newButton->popupMode(), QToolButton::MenuButtonPopup);
  ASSERT_NE(newButton->menu(), nullptr);
  EXPECT_EQ(Dump(newButton->menu()), kNew);
  // Tooltips: the part after "\n"; none without one, except the two transfers.
  EXPECT_EQ(ToolTipOf(57600), "New   Ctrl+N");
  EXPECT_EQ(ToolTipOf(6022), "Page Layout");
  EXPECT_EQ(ToolTipOf(6020), "Zoom In");
  EXPECT_EQ(ToolTipOf(6021), "Zoom Out");
  EXPECT_EQ(ToolTipOf(3015), "");
  EXPECT_EQ(ToolTipOf(32854), "");
  EXPECT_EQ(ToolTipOf(32807), "PC->Device   Ctrl+D");
  EXPECT_EQ(ToolTipOf(32806), "Device->PC   Ctrl+U");
  // Clicking the button makes an FBD document.
  newButton->click();
  EXPECT_EQ(DocCount(), 1);
  EXPECT_EQ(Active()->GetKind(), 1);
}

TEST_F(ShellTest, InformationBarAndModelPanesFollowTheDocuments) {
  CPaneStatusBar* bar = m_frame->GetStatusBar();
  m_app->OnFileNewFbd();
  m_app->OnFileNewLad();
  EXPECT_EQ(m_frame->m_nOpenDocs, 2);
  EXPECT_FALSE(m_frame->GetInfoBar()->isHidden());
  EXPECT_EQ(PaneIds(bar),
            (std::vector<UINT>{ID_SEPARATOR, ID_INDICATOR_MODEL_BUTTON, ID_INDICATOR_MODEL_NAME,
                               ID_INDICATOR_ZOOM, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}));
  ASSERT_NE(m_frame->GetModelCaption(), nullptr);
  EXPECT_FALSE(m_frame->GetModelCaption()->GetWindowText().IsEmpty());
  StatusPaneInfo info;
  bar->GetPaneInfo(bar->CommandToIndex(ID_INDICATOR_MODEL_NAME), &info);
  // At least the classic 120 pixels, and wide enough for the caption's text.
  EXPECT_GE(info.width, 120);
  EXPECT_GE(info.width, m_frame->GetModelCaption()->fontMetrics().horizontalAdvance(
                            ToQString(m_frame->GetModelCaption()->GetWindowText())));
  bar->GetPaneInfo(bar->CommandToIndex(ID_INDICATOR_MODEL_BUTTON), &info);
  EXPECT_EQ(info.width, 12);

  // The View command hides and shows the bar.
  EXPECT_TRUE(m_frame->SendCommand(ID_VIEW_INFO_BAR));
  EXPECT_TRUE(m_frame->GetInfoBar()->isHidden());
  EXPECT_TRUE(m_frame->SendCommand(ID_VIEW_INFO_BAR));
  EXPECT_FALSE(m_frame->GetInfoBar()->isHidden());

  m_app->GetDocManager()->CloseAllDocuments();
  Flush();
  EXPECT_EQ(m_frame->m_nOpenDocs, 0);
  EXPECT_TRUE(m_frame->GetInfoBar()->isHidden());
  EXPECT_EQ(m_frame->GetModelCaption(), nullptr);
  EXPECT_EQ(bar->GetCount(), 5);
  EXPECT_FALSE(m_frame->IsDocumentMenuShown());
  EXPECT_EQ(m_frame->windowTitle(), "Zovuzi Editor");
  EXPECT_TRUE(m_sink.messages().empty());
}

TEST_F(ShellTest, ModelPanesStayWhenTheUserHidTheBar) {
  m_app->OnFileNewFbd();
  m_frame->SendCommand(ID_VIEW_INFO_BAR);
  m_app->GetDocManager()->CloseAllDocuments();
  Flush();
  EXPECT_NE(m_frame->GetModelCaption(), nullptr);
  EXPECT_EQ(m_frame->GetStatusBar()->GetCount(), 7);
}

TEST_F(ShellTest, AppendInformation) {
  m_frame->AppendInformation(CString(u"COM1 opened"));
  m_frame->AppendInformation(CString(u", 115200 baud\n"));
  EXPECT_EQ(m_frame->GetInfoBar()->GetText(), CString(u"COM1 opened, 115200 baud\r\n"));
  for (int i = 2; i <= 9; ++i) m_frame->AppendInformation(FormatString(u"line %d\n", i));
  // Ten lines (the last one empty): the fourth from the end comes first.
  EXPECT_EQ(m_frame->GetInfoBar()->Edit()->document()->blockCount(), 10);
}

TEST_F(ShellTest, ModelPaneErrorsAreReported) {
  m_frame->m_nNewPaneIndex = 9;  // past the end
  m_frame->m_nNewPaneKind = kStatusModelName;
  m_frame->AddStatusPaneControl();
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].text,
            CString(u"Pane index out of range\nor pane with same ID already exists in the status bar"));
  EXPECT_EQ(m_sink.messages()[0].icon, MessageIcon::kError);
  EXPECT_EQ(m_frame->GetModelCaption(), nullptr);
  m_frame->RemoveStatusPane(2);
  ASSERT_EQ(m_sink.messages().size(), 2u);
  EXPECT_EQ(m_sink.messages()[1].text,
            CString(u"Pane 2 was not found in the status bar \nor must be at least one of them."));
  EXPECT_EQ(m_frame->GetStatusBar()->GetCount(), 5);
}

TEST_F(ShellTest, CommandHandlersPlugIn) {
  int runs = 0;
  bool enabled = false;
  m_frame->SetCommandHandler(
      ID_COM_CONFIGURATION, [&runs] { ++runs; }, [&enabled](CCmdUI* ui) { ui->Enable(enabled); });
  EXPECT_FALSE(m_frame->SendCommand(ID_COM_CONFIGURATION));
  enabled = true;
  EXPECT_TRUE(m_frame->SendCommand(ID_COM_CONFIGURATION));
  EXPECT_EQ(runs, 1);
  m_frame->UpdateCommandUI();
  EXPECT_TRUE(m_frame->GetAction(ID_COM_CONFIGURATION)->isEnabled());
}
