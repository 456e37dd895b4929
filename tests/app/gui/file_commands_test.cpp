// File commands: New, Open, Save, Save As, Close, the recent-file list, the command
// line and dropped files.
#include <sys/stat.h>

#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "app/close_all_dlg.h"
#include "app/document_manager.h"
#include "controls/gui/pane_status_bar.h"
#include "controls/gui/xlist_ctrl.h"
#include "model/shell_context.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"

namespace {

CString ZoomPaneText(CMainFrame* frame) {
  CPaneStatusBar* bar = frame->GetStatusBar();
  return bar->GetPaneText(bar->CommandToIndex(ID_INDICATOR_ZOOM));
}

}  // namespace

TEST_F(ShellTest, NewLadderThenNewFbd) {
  int properties = 0;
  m_frame->SetCommandHandler(ID_PROPERTIES, [&properties] { ++properties; });
  m_frame->SendCommand(ID_FILE_NEW_LAD);
  ASSERT_NE(Active(), nullptr);
  EXPECT_EQ(Active()->GetKind(), 2);
  EXPECT_EQ(Active()->GetTitle(), CString(u"Diagram1"));
  m_frame->SendCommand(ID_FILE_NEW);
  EXPECT_EQ(Active()->GetKind(), 1);
  EXPECT_EQ(Active()->GetTitle(), CString(u"Diagram2"));
  // "Show at new file" opens the properties of each new document.
  EXPECT_EQ(properties, 2);
  g_ShowPropertiesOnNew = 0;
  m_frame->NewFbdDocument();
  EXPECT_EQ(properties, 2);
  EXPECT_EQ(DocCount(), 3);
  // Every diagram window fills the MDI area.
  EXPECT_TRUE(m_app->GetDocManager()->GetSubWindow(Active())->isMaximized());
  EXPECT_EQ(m_frame->windowTitle(), "Zovuzi Editor - [Diagram3]");
}

TEST_F(ShellTest, OpenSeveralFilesChecksTheirEndings) {
  const QString fbd = WriteDiagram("a.bfb", 1);
  const QString caps = WriteDiagram("B.BFB", 1);
  const QString lad = WriteDiagram("c.bld", 2);
  const QString text = WriteDiagram("notes.txt");
  m_dialogs->answers.push_back({fbd, text, caps, lad});
  m_frame->SendCommand(ID_FILE_OPEN);

  ASSERT_EQ(m_dialogs->requests.size(), 1u);
  const FileDialogRequest& request = m_dialogs->requests[0];
  EXPECT_TRUE(request.open);
  EXPECT_TRUE(request.multiSelect);
  const std::vector<FileFilter> filters = {
      {"Zovuzi Editor Files(*.bfb, *.bld)", "*.bfb; *.bld"},
      {"Function Block File(*.bfb)", "*.bfb"},
      {"Ladder File(*.bld)", "*.bld"},
      {"All Files(*.*)", "*.*"},
  };
  EXPECT_EQ(request.filters, filters);

  EXPECT_EQ(DocCount(), 3);
  EXPECT_EQ(Active()->GetKind(), 2);
  EXPECT_EQ(Active()->GetTitle(), CString(u"c.bld"));
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].text, CString(u"Zovuzi Editor Can't load this type of file .txt"));
  EXPECT_EQ(m_sink.messages()[0].icon, MessageIcon::kInformation);
  // The Transfer texts are set after a successful Open.
  EXPECT_EQ(m_frame->GetAction(ID_PC_TO_DEVICE)->text(), "PC->Device   Ctrl+D");
}

TEST_F(ShellTest, OpenFailuresAndFilesAlreadyOpen) {
  const QString good = WriteDiagram("good.bfb");
  QFile bad(Path("bad.bfb"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("garbage");
  bad.close();

  EXPECT_EQ(m_app->OpenDocumentFile(ToCString(Path("bad.bfb"))), nullptr);
  EXPECT_EQ(m_app->OpenDocumentFile(ToCString(Path("missing.bfb"))), nullptr);
  EXPECT_EQ(DocCount(), 0);
  ASSERT_EQ(m_sink.messages().size(), 2u);
  EXPECT_EQ(m_sink.messages()[0].text, CString(u"Not a diagram"));
  EXPECT_EQ(TestChild::s_live, 0);

  DocumentWindow* first = m_app->OpenDocumentFile(ToCString(good));
  ASSERT_NE(first, nullptr);
  m_app->OnFileNewFbd();
  // Opening the same file again brings its window forward.
  EXPECT_EQ(m_app->OpenDocumentFile(ToCString(good)), first);
  EXPECT_EQ(DocCount(), 2);
  EXPECT_EQ(m_frame->GetActiveDocumentWindow(), first);
}

TEST_F(ShellTest, SaveAsFilterFollowsTheDocumentKind) {
  struct Case {
    UINT command;
    const char* filterName;
    const char* pattern;
    const char* extension;
  };
  const Case cases[] = {
      {ID_FILE_NEW, "Function Block Files (*.bfb)", "*.bfb", "bfb"},
      {ID_FILE_NEW_LAD, "Ladder Files (*.bld)", "*.bld", "bld"},
  };
  int n = 0;
  for (const Case& c : cases) {
    m_frame->SendCommand(c.command);
    const QString target = Path(QString("saved%1").arg(++n));
    m_dialogs->answers.push_back({target});
    m_frame->SendCommand(ID_FILE_SAVE_AS);
    const FileDialogRequest& request = m_dialogs->requests.back();
    EXPECT_FALSE(request.open);
    const std::vector<FileFilter> filters = {{c.filterName, c.pattern}, {"All Files (*.*)", "*.*"}};
    EXPECT_EQ(request.filters, filters);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.defaultExtension, c.extension);
    // The default extension joins a name typed without one.
    const QString saved = target + "." + c.extension;
    EXPECT_TRUE(QFile::exists(saved)) << saved.toStdString();
    EXPECT_EQ(ToQString(Active()->GetPathName()), saved);
    EXPECT_EQ(m_app->GetRecentFileList()[0], saved);
  }
}

TEST_F(ShellTest, NewSaveCloseReopenRoundTrip) {
  m_app->OnFileNewFbd();
  TestChild* doc = Active();
  doc->m_fZoom = 0.755f;
  doc->SetModifiedFlag(true);
  m_app->OnIdle(0);
  EXPECT_EQ(ZoomPaneText(m_frame), CString(u"Zoom:75%"));

  const QString path = Path("round.bfb");
  m_dialogs->answers.push_back({path});
  EXPECT_TRUE(m_frame->SendCommand(ID_FILE_SAVE));  // no path yet: Save As
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(doc->GetTitle(), CString(u"round.bfb"));
  EXPECT_EQ(m_frame->windowTitle(), "Zovuzi Editor - [round.bfb]");
  // A second Save writes to the same path without a dialog.
  m_frame->SendCommand(ID_FILE_SAVE);
  EXPECT_EQ(doc->m_nSaves, 2);
  EXPECT_EQ(m_dialogs->requests.size(), 1u);

  EXPECT_TRUE(m_frame->SendCommand(ID_FILE_CLOSE));
  Flush();
  EXPECT_EQ(DocCount(), 0);
  EXPECT_TRUE(m_sink.messages().empty());  // saved: nothing to ask
  m_app->OnIdle(0);
  EXPECT_EQ(ZoomPaneText(m_frame), CString(u"Zoom:100%"));

  m_frame->SendCommand(ID_FILE_MRU_FILE1);
  ASSERT_NE(Active(), nullptr);
  EXPECT_EQ(ToQString(Active()->GetPathName()), path);
  m_app->OnIdle(0);
  EXPECT_EQ(ZoomPaneText(m_frame), CString(u"Zoom:75%"));
}

TEST_F(ShellTest, ClosingWithUnsavedChangesAsks) {
  m_app->OnFileNewFbd();
  TestChild* doc = Active();
  doc->SetModifiedFlag(true);

  m_sink.QueueAnswer(IDCANCEL);
  m_frame->SendCommand(ID_FILE_CLOSE);
  Flush();
  EXPECT_EQ(DocCount(), 1);
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].text, CString(u"Save changes to Diagram1?"));
  EXPECT_EQ(m_sink.messages()[0].buttons, MessageButtons::kYesNoCancel);

  // Yes with a cancelled Save As keeps the window too.
  m_sink.QueueAnswer(IDYES);
  m_frame->SendCommand(ID_FILE_CLOSE);
  Flush();
  EXPECT_EQ(DocCount(), 1);

  // Yes with a file name saves, then closes.
  m_sink.QueueAnswer(IDYES);
  m_dialogs->answers.push_back({Path("kept.bfb")});
  m_frame->SendCommand(ID_FILE_CLOSE);
  Flush();
  EXPECT_EQ(DocCount(), 0);
  EXPECT_TRUE(QFile::exists(Path("kept.bfb")));

  // No drops the changes.
  m_app->OnFileNewFbd();
  Active()->SetModifiedFlag(true);
  m_sink.QueueAnswer(IDNO);
  m_frame->SendCommand(ID_FILE_CLOSE);
  Flush();
  EXPECT_EQ(DocCount(), 0);
  EXPECT_EQ(m_sink.pending_answers(), 0u);
}

TEST_F(ShellTest, ClosingTheMainWindowAsksForEachTickedDocument) {
  m_app->OnFileNewFbd();
  Active()->SetModifiedFlag(true);
  m_app->OnFileNewFbd();
  // The modified documents are listed in the Close All dialog; the ticked one is asked about.
  auto tickAll = [](CCloseAllDlg* dialog) {
    EXPECT_EQ(dialog->List()->GetItemCount(), 1);
    dialog->SelectAllBox()->click();
    dialog->accept();
  };
  OnNextDialog<CCloseAllDlg>(tickAll);
  m_sink.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(m_frame->close());
  EXPECT_EQ(DocCount(), 2);
  OnNextDialog<CCloseAllDlg>(tickAll);
  m_sink.QueueAnswer(IDNO);
  EXPECT_TRUE(m_frame->close());
  Flush();
  EXPECT_EQ(DocCount(), 0);
  EXPECT_EQ(m_sink.messages().size(), 2u);
}

TEST_F(ShellTest, RecentFileListKeepsFour) {
  QStringList paths;
  for (int i = 1; i <= 5; ++i) paths << WriteDiagram(QString("f%1.bfb").arg(i));
  for (const QString& p : paths) ASSERT_NE(m_app->OpenDocumentFile(ToCString(p)), nullptr);
  const QStringList expected = {paths[4], paths[3], paths[2], paths[1]};
  EXPECT_EQ(m_app->GetRecentFileList().Files(), expected);
  EXPECT_TRUE(m_frame->GetAction(ID_FILE_MRU_FILE1)->text().startsWith("&1 "));
  EXPECT_TRUE(m_frame->GetAction(ID_FILE_MRU_FILE1)->text().endsWith("f5.bfb"));

  // Reopening an entry moves it to the top.
  m_app->GetDocManager()->CloseAllDocuments();
  Flush();
  m_app->OpenDocumentFile(ToCString(paths[2]));
  EXPECT_EQ(m_app->GetRecentFileList()[0], paths[2]);

  // The list lives in the settings and comes back at the next start.
  m_app->ExitInstance();
  QSettings settings(Path("settings.ini"), QSettings::IniFormat);
  EXPECT_EQ(settings.value("Recent File List/File1").toString(), paths[2]);
  EXPECT_FALSE(settings.contains("Recent File List/File5"));
  auto second = MakeApp();
  ASSERT_TRUE(second->InitInstance({}));
  EXPECT_EQ(second->GetRecentFileList().Files(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));
  second.reset();

  // An entry whose file is gone leaves the list when chosen.
  m_app->GetDocManager()->CloseAllDocuments();
  Flush();
  QFile::remove(paths[2]);
  m_frame->SendCommand(ID_FILE_MRU_FILE1);
  EXPECT_EQ(m_app->GetRecentFileList().GetCount(), 3);
  EXPECT_EQ(m_app->GetRecentFileList()[0], paths[4]);
}

TEST_F(ShellTest, CommandLineFilesOpenAtStartUp) {
  const QString fbd = WriteDiagram("cmd.bfb", 1);
  const QString lad = WriteDiagram("cmd.bld", 2);
  m_app.reset();
  m_app = MakeApp();
  ASSERT_TRUE(m_app->InitInstance({fbd, lad}));
  m_frame = m_app->GetMainFrame();
  EXPECT_EQ(DocCount(), 2);
  EXPECT_EQ(Active()->GetKind(), 2);  // a ladder file shows as a ladder diagram
  EXPECT_TRUE(m_frame->IsDocumentMenuShown());

  // Files that cannot be opened are reported one by one; the others open. A named pipe
  // is refused without waiting for a writer.
  const QString pipe = Path("pipe.bfb");
  ASSERT_EQ(::mkfifo(pipe.toUtf8().constData(), 0600), 0);
  m_app.reset();
  m_app = MakeApp();
  m_sink.Clear();
  EXPECT_TRUE(m_app->InitInstance({Path("missing.bfb"), fbd, pipe, lad}));
  m_frame = m_app->GetMainFrame();
  EXPECT_EQ(DocCount(), 2);
  ASSERT_EQ(m_sink.messages().size(), 2u);
  EXPECT_NE(m_sink.messages()[0].text.Find(u"missing.bfb"), -1);
  EXPECT_NE(m_sink.messages()[1].text.Find(u"pipe.bfb"), -1);

  // Started as an embedded server: no file opens, no window shows.
  m_app.reset();
  m_app = MakeApp();
  EXPECT_TRUE(m_app->InitInstance({"-Embedding", fbd}));
  m_frame = m_app->GetMainFrame();
  EXPECT_EQ(DocCount(), 0);
}

TEST_F(ShellTest, DroppedFilesOpen) {
  const QString a = WriteDiagram("drop1.bfb");
  const QString b = WriteDiagram("drop2.bld", 2);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(m_frame, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(m_frame, &drop);
  EXPECT_EQ(DocCount(), 2);
  EXPECT_EQ(Active()->GetKind(), 2);
}

TEST_F(ShellTest, CascadeAndTileArrangeTheWindows) {
  m_app->OnFileNewFbd();
  m_app->OnFileNewFbd();
  EXPECT_TRUE(m_frame->SendCommand(ID_WINDOW_TILE_HORZ));
  EXPECT_FALSE(m_app->GetDocManager()->GetSubWindow(Active())->isMaximized());
  EXPECT_TRUE(m_frame->SendCommand(ID_WINDOW_CASCADE));
  EXPECT_EQ(DocCount(), 2);
}
