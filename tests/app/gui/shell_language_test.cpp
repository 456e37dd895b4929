// The Chinese interface through the real main window (the Language dialog, then a
// new start), help, the Close All dialog on closing, and the keys, clicks and
// tooltips the frame handles for the active diagram view.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <functional>

#include "app/close_all_dlg.h"
#include "app/help_launcher.h"
#include "app/information_bar.h"
#include "app/language_dlg.h"
#include "app/shell_commands.h"
#include "blocks/block_factory.h"
#include "controls/gui/flat_icon_button.h"
#include "controls/gui/xlist_ctrl.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/sim_bars.h"
#include "editor/gui/zarad_view.h"
#include "editor/scan_driver.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"

namespace {

QStringList MenuTitles(CMainFrame* frame) {
  QStringList titles;
  for (QAction* action : frame->menuBar()->actions()) titles << action->text();
  return titles;
}

QByteArray Utf16(const QString& text) {
  QByteArray bytes;
  for (QChar c : text) {
    bytes.append(static_cast<char>(c.unicode() & 0xFF));
    bytes.append(static_cast<char>(c.unicode() >> 8));
  }
  return bytes;
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ChooseLanguage(int index) {
  OnNextDialog<CLanguageDlg>([index](CLanguageDlg* dialog) {
    dialog->Combo()->setCurrentIndex(index);
    dialog->accept();
  });
}

class ShellLanguageTest : public ShellTest {
 protected:
  void Restart() {
    m_app.reset();
    Flush();
    g_LanguageIsChinese = 0;
    m_app = MakeApp();
    ASSERT_TRUE(m_app->InitInstance({}));
    m_frame = m_app->GetMainFrame();
    m_frame->resize(1000, 700);
    m_frame->show();
  }
};

}  // namespace

TEST_F(ShellLanguageTest, ChineseChosenInTheDialogShowsAtTheNextStart) {
  g_ShowPropertiesOnNew = 0;
  ChooseLanguage(1);
  ASSERT_TRUE(m_frame->SendCommand(ID_LANGUAGE));
  ASSERT_EQ(m_sink.texts().size(), 1u);
  EXPECT_EQ(m_sink.texts()[0], CString(u"Chages are not applied until restart of the progam."));
  EXPECT_EQ(ReadFile(Path("language.ini")), Utf16("language=zh_CN\n"));
  // This run stays English.
  EXPECT_EQ(g_LanguageIsChinese, 0);
  EXPECT_EQ(MenuTitles(m_frame), QStringList({"&File", "&View", "&Tools", "&Options", "&Help"}));
  EXPECT_EQ(m_frame->m_nLanguageIndex, 1);

  Restart();
  EXPECT_EQ(g_LanguageIsChinese, 1);
  EXPECT_EQ(MenuTitles(m_frame), QStringList({"文件(&F)", "视图(&V)", "工具(&T)", "选项(&O)", "帮助(&H)"}));
  EXPECT_EQ(m_frame->GetAction(ID_FILE_OPEN)->text(), "打开(&O)...\tCtrl+O");
  EXPECT_EQ(m_frame->GetAction(ID_LANGUAGE)->text(), "语言");
  EXPECT_EQ(m_frame->GetAction(ID_FILE_NEW)->text(), "功能块图(FBD)");
  QMenu* file = m_frame->NoDocumentMenus()[0];
  EXPECT_EQ(file->actions()[0]->menu()->title(), "新建");
  // Toolbar tips and status-bar prompts.
  EXPECT_EQ(m_frame->GetNewButton()->toolTip(), "新建   Ctrl+N");
  EXPECT_EQ(m_frame->GetAction(ID_FILE_OPEN)->statusTip(), "打开已有文档");
  // Chinese text has a face with CJK glyphs.
  if (QFontDatabase::families().contains("WenQuanYi Micro Hei")) {
    EXPECT_TRUE(QApplication::font().families().contains("WenQuanYi Micro Hei"));
  }

  // The document menu takes its Chinese texts with the first document.
  m_app->OnFileNewFbd();
  EXPECT_EQ(MenuTitles(m_frame), QStringList({"文件(&F)", "编辑(&E)", "视图(&V)", "工具(&T)", "选项(&O)",
                                              "窗口(&W)", "帮助(&H)"}));
  EXPECT_EQ(m_frame->GetAction(ID_EDIT_UNDO)->text(), "撤销(&U)\tCtrl+Z");
  EXPECT_EQ(m_frame->GetAction(ID_CLOCK_SETTING)->text(), "时钟设置/校准");
  EXPECT_EQ(m_frame->GetAction(ID_CONVERT_TO_FBD)->text(), "转换为FBD");
  // The Align popup and the two bars keep their English texts.
  EXPECT_EQ(m_frame->GetAction(ID_ALIGN_VERTICALLY)->text(), "Align Vertically");

  // Back to English: the dialog starts at Chinese, the message shows again.
  m_sink.Clear();
  OnNextDialog<CLanguageDlg>([](CLanguageDlg* dialog) {
    EXPECT_EQ(dialog->Combo()->currentIndex(), 1);
    EXPECT_EQ(dialog->Combo()->itemText(1), "简体中文");
    EXPECT_EQ(dialog->windowTitle(), "语言");
    dialog->Combo()->setCurrentIndex(0);
    dialog->accept();
  });
  m_frame->SendCommand(ID_LANGUAGE);
  EXPECT_EQ(m_sink.texts().size(), 1u);
  EXPECT_EQ(ReadFile(Path("language.ini")), Utf16("language=en_US\n"));
  Restart();
  EXPECT_EQ(g_LanguageIsChinese, 0);
  EXPECT_EQ(MenuTitles(m_frame)[0], "&File");
}

TEST_F(ShellLanguageTest, SameLanguageOrCancelWritesNothing) {
  ChooseLanguage(0);
  m_frame->SendCommand(ID_LANGUAGE);
  OnNextDialog<CLanguageDlg>([](CLanguageDlg* dialog) {
    dialog->Combo()->setCurrentIndex(1);
    dialog->reject();
  });
  m_frame->SendCommand(ID_LANGUAGE);
  EXPECT_TRUE(m_sink.texts().empty());
  EXPECT_FALSE(QFile::exists(Path("language.ini")));
  EXPECT_EQ(m_frame->m_nLanguageIndex, 0);
}

TEST_F(ShellLanguageTest, AFileThatCannotBeWrittenKeepsTheChoice) {
  // A settings file without the language line is left alone.
  QFile file(Path("language.ini"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Utf16("colour=red\n"));
  file.close();
  ChooseLanguage(1);
  m_frame->SendCommand(ID_LANGUAGE);
  EXPECT_EQ(ReadFile(Path("language.ini")), Utf16("colour=red\n"));
  EXPECT_EQ(m_frame->m_nLanguageIndex, 0);
}

// ---- Help ---------------------------------------------------------------------------

class HelpTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    SetHelpProgramPath(Path("zovuzi-editor"));
    m_previous = SetHelpOpener([this](const QString& file, const QString& page) {
      m_opened << file + "#" + page;
      return true;
    });
  }
  void TearDown() override {
    SetHelpOpener(m_previous);
    SetHelpProgramPath({});
    ShellTest::TearDown();
  }
  QStringList m_opened;
  HelpOpener m_previous;
};

TEST_F(HelpTest, ContentsOpensTheInputsPageOrReportsTheMissingFile) {
  ASSERT_TRUE(m_frame->SendCommand(ID_HELP_CONTENTS));
  ASSERT_EQ(m_sink.texts().size(), 1u);
  EXPECT_EQ(m_sink.texts()[0], ToCString("Can't Find " + Path("ZOVUZI-EDITOR.CHM") + ", Please Check!"));
  EXPECT_TRUE(m_opened.isEmpty());

  QFile help(Path("ZOVUZI-EDITOR.CHM"));
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  m_frame->SendCommand(ID_HELP_CONTENTS);
  EXPECT_EQ(m_opened, QStringList({Path("ZOVUZI-EDITOR.CHM") + "#Inputs.htm"}));
  EXPECT_EQ(m_sink.texts().size(), 1u);
}

// ---- Close All ------------------------------------------------------------------------

namespace {

void ClickBox(CXListCtrl* list, int row) {
  const QRect cell = list->visualRect(list->model()->index(row, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace

TEST_F(ShellTest, CloseAllSavesATickedNewDocumentThroughSaveAs) {
  m_app->OnFileNewFbd();  // Diagram1, never saved
  Active()->SetModifiedFlag(true);
  ASSERT_NE(m_app->OpenDocumentFile(ToCString(WriteDiagram("old.bfb"))), nullptr);
  Active()->SetModifiedFlag(true);
  m_app->OnFileNewFbd();  // unchanged: not listed

  QStringList rows;
  OnNextDialog<CCloseAllDlg>([&rows](CCloseAllDlg* dialog) {
    CXListCtrl* list = dialog->List();
    for (int r = 0; r < list->GetItemCount(); ++r) rows << ToQString(list->GetItemText(r, 1));
    ClickBox(list, 0);  // tick the new document only
    EXPECT_EQ(list->GetCheckbox(0, 0), 1);
    dialog->accept();
  });
  m_sink.QueueAnswer(IDYES);
  m_dialogs->answers.push_back({Path("new.bfb")});
  EXPECT_TRUE(m_frame->close());
  Flush();

  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0], "Diagram1");
  EXPECT_EQ(rows[1], Path("old.bfb"));
  // The ticked new document was asked about and saved through Save As.
  ASSERT_EQ(m_sink.texts().size(), 1u);
  EXPECT_EQ(m_sink.texts()[0], CString(u"Save changes to Diagram1?"));
  ASSERT_EQ(m_dialogs->requests.size(), 1u);
  EXPECT_FALSE(m_dialogs->requests[0].open);
  EXPECT_TRUE(QFile::exists(Path("new.bfb")));
  // The unticked one closed without a question.
  EXPECT_EQ(DocCount(), 0);
}

TEST_F(ShellTest, CloseAllCancelKeepsEveryDocumentOpenAndModified) {
  m_app->OnFileNewFbd();
  Active()->SetModifiedFlag(true);
  m_app->OnFileNewFbd();
  Active()->SetModifiedFlag(true);
  OnNextDialog<CCloseAllDlg>([](CCloseAllDlg* dialog) {
    dialog->SelectAllBox()->click();
    EXPECT_EQ(dialog->List()->GetCheckbox(1, 0), 1);
    dialog->reject();
  });
  EXPECT_FALSE(m_frame->close());
  EXPECT_EQ(DocCount(), 2);
  for (DocumentWindow* doc : m_app->GetDocManager()->GetDocuments()) EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(m_sink.texts().empty());

  // Select all, then a cancelled question: the program stays open.
  OnNextDialog<CCloseAllDlg>([](CCloseAllDlg* dialog) {
    dialog->SelectAllBox()->click();
    dialog->accept();
  });
  m_sink.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(m_frame->close());
  EXPECT_EQ(DocCount(), 2);
}

TEST_F(ShellTest, ClosingWithoutUnsavedDocumentsShowsNoDialog) {
  m_app->OnFileNewFbd();
  bool shown = false;
  QPointer<QTimer> watch = OnNextDialog<CCloseAllDlg>([&shown](CCloseAllDlg* dialog) {
    shown = true;
    dialog->reject();
  });
  EXPECT_TRUE(m_frame->close());
  QTest::qWait(50);
  EXPECT_FALSE(shown);
  delete watch.data();
}

// ---- Input routing ---------------------------------------------------------------------

class FrameInputTest : public HelpTest {
 protected:
  void SetUp() override {
    HelpTest::SetUp();
    g_ShowPropertiesOnNew = 0;
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    QApplication::setActiveWindow(m_frame);
  }
  CChildFrame* Child() const { return dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow()); }
  // A new diagram with one block: connecting and simulating need something to work on.
  void NewDiagramWithABlock() {
    m_app->OnFileNewFbd();
    ASSERT_NE(Child(), nullptr);
    Child()->GetDocument()->AddBlock(MakeBlockOfType(300))->m_ptPos = CPoint(100, 100);
    m_frame->UpdateCommandUI();
  }
};

TEST_F(FrameInputTest, F1OpensHelpOnlyWithoutADiagram) {
  QFile help(Path("ZOVUZI-EDITOR.CHM"));
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  QTest::keyClick(m_frame, Qt::Key_F1);
  EXPECT_EQ(m_opened.size(), 1);

  m_app->OnFileNewFbd();
  ASSERT_NE(Child(), nullptr);
  QTest::keyClick(Child()->GetActiveView(), Qt::Key_F1);
  QTest::keyClick(m_frame->GetInfoBar()->Edit(), Qt::Key_F1);
  EXPECT_EQ(m_opened.size(), 1);
}

TEST_F(FrameInputTest, EscapeGoesToTheViewWhereverTheFocusIs) {
  NewDiagramWithABlock();
  CZaradView* view = Child()->GetActiveView();
  ASSERT_TRUE(m_frame->SendCommand(ID_CONNECT));
  ASSERT_EQ(view->Core().GetEditMode(), MODE_CONNECT);
  // The key is typed into the information bar's log, yet the view takes it.
  QTest::keyClick(m_frame->GetInfoBar()->Edit(), Qt::Key_Escape);
  EXPECT_NE(view->Core().GetEditMode(), MODE_CONNECT);
  // F5 there likewise reaches the view (which posts Connect).
  QTest::keyClick(m_frame->GetInfoBar()->Edit(), Qt::Key_F5);
  QTest::qWait(20);
  EXPECT_EQ(view->Core().GetEditMode(), MODE_CONNECT);
}

TEST_F(FrameInputTest, MouseReleaseAnywhereEndsAPowerCut) {
  NewDiagramWithABlock();
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CSimControlBar* bar = Child()->ControlBar();
  ASSERT_NE(bar, nullptr);
  emit bar->PowerButton()->pressed();  // the button is held in
  ASSERT_TRUE(m_frame->findChild<CShellCommands*>()->IsSimPowerCut());
  ASSERT_TRUE(Child()->GetActiveView()->Core().GetScanDriver().IsPowerCut());

  QWidget* elsewhere = m_frame->GetInfoBar();
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), elsewhere->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(elsewhere, &release);
  EXPECT_FALSE(m_frame->findChild<CShellCommands*>()->IsSimPowerCut());
  EXPECT_FALSE(bar->PowerButton()->isChecked());
  EXPECT_FALSE(Child()->GetActiveView()->Core().GetScanDriver().IsPowerCut());
  m_frame->SendCommand(ID_SIMULATION);
}

TEST_F(FrameInputTest, SimulationTipSaysWhyWhileAnotherDiagramSimulates) {
  NewDiagramWithABlock();
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  m_app->OnFileNewFbd();
  m_frame->UpdateCommandUI();
  QAction* simulation = m_frame->GetAction(ID_SIMULATION);
  // The window refuses a second simulation when asked (string 935 in a message); while
  // its button is greyed, the tip says the same.
  simulation->setEnabled(false);
  QWidget* button = m_frame->GetToolBar()->widgetForAction(simulation);
  ASSERT_NE(button, nullptr);
  QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(button, &tip);
  EXPECT_EQ(QToolTip::text(), ToQString(LoadString(935)));
  QToolTip::hideText();
}

TEST_F(ShellTest, ClipboardFormatsAndCursorsOfTheApplication) {
  EXPECT_EQ(CEditorApp::ClipboardFormatName(m_app->m_nSpareClipFormat), "ZazovORE");
  EXPECT_EQ(CEditorApp::ClipboardFormatName(m_app->m_nDiagramClipFormat), "RavavIDIVizir");
  EXPECT_EQ(CEditorApp::ClipboardFormatName(m_app->GetWidgetClipFormat()), "Widget");
  EXPECT_GE(m_app->m_nSpareClipFormat, 0xC000);
  EXPECT_NE(m_app->m_nSpareClipFormat, m_app->m_nDiagramClipFormat);
  EXPECT_EQ(m_app->m_hArrowCursor.shape(), Qt::ArrowCursor);
  EXPECT_EQ(m_app->m_hBlockCursor.shape(), Qt::BitmapCursor);
}
