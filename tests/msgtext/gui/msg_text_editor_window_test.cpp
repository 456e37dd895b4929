// The message-text editor through the real main window: a double click on a
// message-text block opens its editor in the block sheet; text with a Chinese
// character, a block value and a bar graph written there reach the block on
// OK and come back from the saved file.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/help_launcher.h"
#include "blocks/block_factory.h"
#include "controls/gui/flat_icon_button.h"
#include "controls/gui/grid_widget.h"
#include "model/zarad_doc.h"
#include "msgtext/msg_text_rules.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "pages/gui/qt_page_host.h"
#include "pages/msg_element_dlgs.h"
#include "pages/msg_text_page.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "properties/gui/sheet_window_fixture.h"

namespace {

using Page = CMessageTexts_New;

class MsgTextEditorWindowTest : public SheetWindowTest {
 protected:
  // A newer-series diagram with an up/down counter and a message text.
  CZaradView* OpenDiagram(WORD model = 0x5188) {
    return OpenSavedDiagram("texts.bfb", [model](CZaradDoc& doc) {
      doc.m_wModelCode = model;
      doc.AddBlock(MakeBlockOfType(800))->m_ptPos = CPoint(100, 100);
      CBlockObj* text = doc.AddBlock(MakeBlockOfType(810, BlockContext::For(&doc)));
      text->m_ptPos = CPoint(300, 150);
      static_cast<CBlockMSGTEXT*>(text)->SetPriority(0);
    });
  }

  static CBlockMSGTEXT* TextBlock(CZaradDoc* doc) {
    for (CBlockObj* b : doc->m_blocks)
      if (auto* t = dynamic_cast<CBlockMSGTEXT*>(b)) return t;
    return nullptr;
  }

  static void ClickCell(CGridWidget* grid, int row, int col) {
    CRect r;
    ASSERT_TRUE(grid->Grid().GetCellRect(row, col, &r)) << row << "," << col;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }

  static void ClickListEntry(CQtPageHost* host, int id, int index) {
    auto* list = qobject_cast<QListWidget*>(host->Control(id));
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->count(), index);
    const QRect r = list->visualItemRect(list->item(index));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
  }

  static void TypeIme(QWidget* w, const QString& text) {
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
  }

  // Answers the next page dialog (the element dialogs): chooses the first
  // block and value, writes the width and presses OK.
  static void WhenBarDialogShows(const QString& width) {
    QTimer::singleShot(0, [width] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      auto* host = dialog->findChild<CQtPageHost*>();
      ASSERT_NE(host, nullptr);
      auto* blocks = qobject_cast<QComboBox*>(host->Control(CBarGraphDlg::kIdBlock));
      ASSERT_NE(blocks, nullptr);
      ASSERT_GT(blocks->count(), 0);
      blocks->setCurrentIndex(0);
      emit blocks->activated(0);
      auto* size = qobject_cast<QLineEdit*>(host->Control(CBarGraphDlg::kIdSize));
      size->selectAll();
      QTest::keyClicks(size, width);
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
  }
};

TEST_F(MsgTextEditorWindowTest, TextValueAndBarGraphReachTheBlockAndTheFile) {
  CZaradView* view = OpenDiagram();
  ASSERT_NE(view, nullptr);
  CZaradDoc* doc = view->GetDocument();
  CBlockMSGTEXT* text = TextBlock(doc);
  ASSERT_NE(text, nullptr);
  CBlockObj* counter = doc->m_blocks.GetHead();
  bool shown = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    shown = true;
    auto* page = dynamic_cast<Page*>(sheet->Sheet().TypePage());
    ASSERT_NE(page, nullptr);
    CQtPageHost* host = sheet->PageHost(0);
    auto* grid = sheet->findChild<CGridWidget*>("messageTextGrid");
    ASSERT_TRUE(host && grid);
    EXPECT_EQ(grid->Grid().GetRowCount(), 5);
    EXPECT_EQ(grid->Grid().GetColumnCount(), 25);
    // The priority combo offers the block's own slot, selected.
    EXPECT_EQ(host->GetText(Page::kIdPriority), CString(u"0"));

    // Text: a Chinese character and two letters in line 1.
    ClickCell(grid, 1, 1);
    TypeIme(grid, QString::fromUtf16(u"\u4e2d"));
    QTest::keyClicks(grid, "AB");
    QCoreApplication::processEvents();

    // A block value in line 2: the counter's first display parameter.
    ClickCell(grid, 2, 1);
    ClickListEntry(host, Page::kIdBlocks, 0);
    ClickListEntry(host, Page::kIdParams, 0);
    EXPECT_TRUE(host->IsEnabled(Page::kIdInsert));
    qobject_cast<QPushButton*>(host->Control(Page::kIdInsert))->click();
    EXPECT_EQ(page->CountShown(0), 1);

    // A bar graph of five cells in line 3.
    ClickCell(grid, 3, 4);
    WhenBarDialogShows("5");
    qobject_cast<QPushButton*>(host->Control(Page::kIdBarGraph))->click();
    EXPECT_EQ(page->CountShown(MSGELEM_BARGRAPH), 1);
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, text);
  ASSERT_TRUE(shown);
  EXPECT_TRUE(m_sink.messages().empty());

  auto check = [](CBlockMSGTEXT* t, const CBlockObj* counterBlock) {
    CString line1;
    for (int c = 1; c <= 24; ++c) line1 += t->m_strTextSet1[1][c];
    EXPECT_EQ(line1, CString(u"\u4e2dAB"));
    EXPECT_EQ(t->m_strTextSet1[0][3], CString(u"W"));  // the header stays
    ASSERT_EQ(t->Elements(0, 1)->size(), 1u);
    const CWidget& value = *t->Elements(0, 1)->front();
    EXPECT_EQ(value.m_nKind, 0);
    EXPECT_EQ(value.m_nRow, 2);
    EXPECT_EQ(value.m_nCol, 1);
    EXPECT_EQ(value.m_nNumber, counterBlock->m_nNumber);
    EXPECT_EQ(value.m_nParam, 16);
    EXPECT_EQ(value.m_bSelected, 0);
    ASSERT_EQ(t->Elements(0, 2)->size(), 1u);
    const CWidget& bar = *t->Elements(0, 2)->front();
    EXPECT_EQ(bar.m_nKind, MSGELEM_BARGRAPH);
    EXPECT_EQ(bar.m_nCol, 4);
    EXPECT_EQ(bar.m_nWidth, 5);
    EXPECT_EQ(bar.m_nOption, 5);
    EXPECT_EQ(bar.m_nMax, 1000);
    EXPECT_EQ(bar.m_nNumber, counterBlock->m_nNumber);
  };
  check(text, counter);
  EXPECT_TRUE(text->Elements(1, 0)->empty());

  // Saved and opened again, everything is still there.
  const QString path = Path("written.bfb");
  CString error;
  ASSERT_TRUE(doc->OnSaveDocument(ToCString(path), &error)) << ToQString(error).toStdString();
  if (const QByteArray keep = qgetenv("ZOVUZI_KEEP_SAMPLE"); !keep.isEmpty()) {
    QFile::remove(QString::fromUtf8(keep));
    QFile::copy(path, QString::fromUtf8(keep));
  }
  CZaradDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(ToCString(path), &error));
  CBlockMSGTEXT* again = TextBlock(&reopened);
  ASSERT_NE(again, nullptr);
  check(again, reopened.m_blocks.GetHead());
  EXPECT_EQ(again->Elements(0, 1)->front()->m_pBlock, reopened.m_blocks.GetHead());
}

TEST_F(MsgTextEditorWindowTest, CancelLeavesTheBlockAlone) {
  CZaradView* view = OpenDiagram();
  ASSERT_NE(view, nullptr);
  CBlockMSGTEXT* text = TextBlock(view->GetDocument());
  WhenSheetShows([](CQtBlockSheet* sheet) {
    auto* grid = sheet->findChild<CGridWidget*>("messageTextGrid");
    ClickCell(grid, 1, 1);
    QTest::keyClicks(grid, "XY");
    sheet->findChild<QPushButton*>("sheetCancel")->click();
  });
  DoubleClickBlock(view, text);
  EXPECT_TRUE(text->m_strTextSet1[1][1].IsEmpty());
}

}  // namespace

namespace {

// The main frame's "Message Text Settings..." on the active diagram: a
// changed character set clears the Chinese texts of that set after Yes.
TEST_F(MsgTextEditorWindowTest, SettingsCommandOfTheMainWindow) {
  CZaradView* view = OpenDiagram();
  ASSERT_NE(view, nullptr);
  CZaradDoc* doc = view->GetDocument();
  CBlockMSGTEXT* text = TextBlock(doc);
  text->m_strTextSet2[1][1] = u"\u4e2d";
  text->m_strTextSet2[1][3] = u"A";
  text->m_strTextSet1[1][1] = u"\u4e2d";
  QAction* action = m_frame->GetAction(ID_MSGTEXT_SETTINGS);
  ASSERT_NE(action, nullptr);
  m_sink.QueueAnswer(IDYES);
  bool shown = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shown = true;
    EXPECT_EQ(dialog->windowTitle(), QString("Message Text Setting"));
    auto* host = dialog->findChild<CQtPageHost*>();
    auto* set2 = qobject_cast<QComboBox*>(host->Control(CMsgTxtSettingDlg::kIdCharSet2));
    set2->setCurrentIndex(2);
    emit set2->activated(2);
    auto* ticker = qobject_cast<QLineEdit*>(host->Control(CMsgTxtSettingDlg::kIdTickerChar));
    ticker->selectAll();
    QTest::keyClicks(ticker, "500");
    EXPECT_EQ(host->GetText(CMsgTxtSettingDlg::kIdTickerLine), CString(u"5000"));
    qobject_cast<QPushButton*>(host->Control(IDOK))->click();
  });
  action->trigger();
  ASSERT_TRUE(shown);
  EXPECT_EQ(doc->m_nCharSet2, 2);
  EXPECT_EQ(doc->m_nTickerCharMs, 500);
  EXPECT_EQ(doc->m_nTickerLineMs, 5000);
  EXPECT_TRUE(text->m_strTextSet2[1][1].IsEmpty());
  EXPECT_EQ(text->m_strTextSet2[1][3], CString(u"A"));
  EXPECT_EQ(text->m_strTextSet1[1][1], CString(u"\u4e2d"));
  EXPECT_TRUE(doc->IsModified());
}

// The special characters and an I/O status name through the editor's windows.
TEST_F(MsgTextEditorWindowTest, SpecialCharacterAndStatusName) {
  CZaradView* view = OpenDiagram();
  ASSERT_NE(view, nullptr);
  CZaradDoc* doc = view->GetDocument();
  CBlockMSGTEXT* text = TextBlock(doc);
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    CQtPageHost* host = sheet->PageHost(0);
    auto* grid = sheet->findChild<CGridWidget*>("messageTextGrid");
    ClickCell(grid, 4, 2);
    qobject_cast<QPushButton*>(host->Control(Page::kIdSpecial))->click();
    auto* popup = host->findChild<QWidget*>("specialChars");
    ASSERT_NE(popup, nullptr);
    auto* degree = popup->findChild<QAbstractButton*>("SC3");
    ASSERT_NE(degree, nullptr);
    degree->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->Grid().GetItemText(4, 2), CString(u"\u2103"));

    ClickCell(grid, 3, 10);
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      auto* names = dialog->findChild<CGridWidget*>("statusNameGrid");
      ASSERT_NE(names, nullptr);
      auto* kinds = qobject_cast<QComboBox*>(dialog->findChild<CQtPageHost*>()->Control(CIOSN::kIdKind));
      kinds->setCurrentIndex(5);  // function block outputs: the counter
      emit kinds->activated(5);
      CRect r;
      names->Grid().GetCellRect(2, 1, &r);
      QTest::mouseClick(names->viewport(), Qt::LeftButton, {},
                        QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
      QTest::keyClicks(names, "Y");
      QCoreApplication::processEvents();
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    qobject_cast<QPushButton*>(host->Control(Page::kIdIoStatus))->click();
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, text);
  EXPECT_EQ(text->m_strTextSet1[4][2], CString(u"\u2103"));
  ASSERT_EQ(text->Elements(0, 2)->size(), 1u);
  const CWidget& names = *text->Elements(0, 2)->front();
  EXPECT_EQ(names.m_nKind, MSGELEM_IOSTATUS);
  EXPECT_EQ(names.m_nNumber, doc->m_blocks.GetHead()->m_nNumber);
  EXPECT_EQ(names.m_nWidth, 8);
  EXPECT_EQ(names.m_strCell[2][1], CString(u"Y"));
  EXPECT_EQ(names.m_strCell[1][1], CString(u"O"));
}

}  // namespace

namespace {

// An older-series diagram gets the 12-column editor with set 1 only.
TEST_F(MsgTextEditorWindowTest, OlderSeriesEditor) {
  CZaradView* view = OpenDiagram(0x1188);
  ASSERT_NE(view, nullptr);
  CZaradDoc* doc = view->GetDocument();
  CBlockMSGTEXT* text = TextBlock(doc);
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    auto* page = dynamic_cast<CMessageTexts*>(sheet->Sheet().TypePage());
    ASSERT_NE(page, nullptr);
    CQtPageHost* host = sheet->PageHost(0);
    auto* grid = sheet->findChild<CGridWidget*>("messageTextGrid");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->Grid().GetColumnCount(), 13);
    EXPECT_EQ(host->Control(Page::kIdSet1), nullptr);
    ClickCell(grid, 1, 1);
    QTest::keyClicks(grid, "Hi");
    ClickCell(grid, 3, 5);
    ClickListEntry(host, Page::kIdGeneral, 0);  // "Current Time"
    qobject_cast<QPushButton*>(host->Control(Page::kIdInsert))->click();
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, text);
  EXPECT_EQ(text->m_strTextSet1[1][1] + text->m_strTextSet1[1][2], CString(u"Hi"));
  ASSERT_EQ(text->Elements(0, 2)->size(), 1u);
  EXPECT_EQ(text->Elements(0, 2)->front()->m_nCol, 5);
  if (const QByteArray keep = qgetenv("ZOVUZI_KEEP_SAMPLE_OLD"); !keep.isEmpty()) {
    CString error;
    doc->OnSaveDocument(ToCString(QString::fromUtf8(keep)), &error);
  }
}

// The settings belong to the newer models: the command is greyed for an older
// model's diagram and while the diagram simulates. The dialog's Help opens the
// message-text page of the help file.
TEST_F(MsgTextEditorWindowTest, SettingsCommandFollowsTheModelAndTheSimulation) {
  CZaradView* older = OpenSavedDiagram("older.bfb", [](CZaradDoc& doc) {
    doc.m_wModelCode = 0x1188;
    doc.AddBlock(MakeBlockOfType(300))->m_ptPos = CPoint(100, 100);
  });
  ASSERT_NE(older, nullptr);
  QAction* action = m_frame->GetAction(ID_MSGTEXT_SETTINGS);
  m_frame->UpdateCommandUI();
  EXPECT_FALSE(action->isEnabled());
  EXPECT_FALSE(m_frame->SendCommand(ID_MSGTEXT_SETTINGS));

  CZaradView* newer = OpenDiagram();
  ASSERT_NE(newer, nullptr);
  m_frame->UpdateCommandUI();
  EXPECT_TRUE(action->isEnabled());

  SetHelpProgramPath(Path("zovuzi-editor"));
  QFile help(Path("ZOVUZI-EDITOR.CHM"));
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  QStringList opened;
  const HelpOpener previous = SetHelpOpener([&](const QString&, const QString& page) {
    opened << page;
    return true;
  });
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* host = dialog->findChild<CQtPageHost*>();
    auto* helpButton = qobject_cast<QPushButton*>(host->Control(CMsgTxtSettingDlg::kIdHelp));
    ASSERT_NE(helpButton, nullptr);
    EXPECT_EQ(helpButton->text(), "Help");
    helpButton->click();
    EXPECT_TRUE(dialog->isVisible());
    qobject_cast<QPushButton*>(host->Control(IDCANCEL))->click();
  });
  EXPECT_TRUE(m_frame->SendCommand(ID_MSGTEXT_SETTINGS));
  SetHelpOpener(previous);
  SetHelpProgramPath({});
  EXPECT_EQ(opened, QStringList({"Message text.htm"}));

  newer->Core().EnterSimulation(SYSTEMTIME{});
  m_frame->UpdateCommandUI();
  EXPECT_FALSE(action->isEnabled());
}

// A double click on an I/O status name or a scale time in the editor runs its
// dialog; on OK the element's label follows its (new) operand, the cells it
// covers are emptied, and both reach the block with the sheet's OK.
TEST_F(MsgTextEditorWindowTest, ElementDialogsRePlaceTheirElement) {
  CZaradView* view = OpenSavedDiagram("elements.bfb", [](CZaradDoc& doc) {
    doc.m_wModelCode = 0x5188;
    CBlockObj* counter = doc.AddBlock(MakeBlockOfType(800));
    counter->m_ptPos = CPoint(100, 100);
    doc.AddBlock(MakeBlockOfType(600))->m_ptPos = CPoint(100, 250);  // I0
    doc.AddBlock(MakeBlockOfType(605))->m_ptPos = CPoint(500, 250);  // Q0
    auto* text = static_cast<CBlockMSGTEXT*>(doc.AddBlock(MakeBlockOfType(810, BlockContext::For(&doc))));
    text->m_ptPos = CPoint(300, 150);
    text->SetPriority(0);
    auto names = std::make_unique<CWidget>(0, 0, 0, 0, MsgElementColor(MSGELEM_IOSTATUS));
    names->m_nKind = MSGELEM_IOSTATUS;
    names->m_nRow = 2;
    names->m_nCol = 3;
    names->m_nWidth = 8;
    names->m_nNumber = 100;
    names->m_strLabel = u"[Input]";
    for (int c = 1; c < 9; ++c) names->m_strCell[1][c] = names->m_strCell[2][c] = u"N";
    text->Elements(0, 1)->push_back(std::move(names));
    auto scale = std::make_unique<CWidget>(0, 0, 0, 0, MsgElementColor(MSGELEM_SCALETIME));
    scale->m_nKind = MSGELEM_SCALETIME;
    scale->m_nRow = 3;
    scale->m_nCol = 2;
    scale->m_nWidth = 11;
    scale->m_nNumber = counter->m_nNumber;
    scale->m_nParam = 16;
    scale->m_nValueIndex = 0;
    text->Elements(0, 2)->push_back(std::move(scale));
    // Text left under both elements.
    for (int c = 3; c <= 10; ++c) text->m_strTextSet1[2][c] = u"x";
    text->m_strTextSet1[3][2] = u"y";
  });
  ASSERT_NE(view, nullptr);
  CBlockMSGTEXT* text = TextBlock(view->GetDocument());
  ASSERT_NE(text, nullptr);
  bool dragFlag = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    auto* grid = sheet->findChild<CGridWidget*>("messageTextGrid");
    ASSERT_NE(grid, nullptr);
    // The I/O status name: choose output Q0 instead of input I0.
    QTimer::singleShot(0, [&dragFlag] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      auto* names = dialog->findChild<CGridWidget*>("statusNameGrid");
      ASSERT_NE(names, nullptr);
      dragFlag = names->Grid().m_bAllowDragAndDrop != 0;
      auto* kinds = qobject_cast<QComboBox*>(dialog->findChild<CQtPageHost*>()->Control(CIOSN::kIdKind));
      kinds->setCurrentIndex(1);
      emit kinds->activated(1);
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    CRect r;
    ASSERT_TRUE(grid->Grid().GetCellRect(2, 5, &r));
    QPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
    for (int c = 3; c <= 10; ++c) EXPECT_TRUE(grid->Grid().GetItemText(2, c).IsEmpty()) << c;
    // The scale time: OK as it stands.
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(grid->Grid().GetCellRect(3, 4, &r));
    at = QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
    EXPECT_TRUE(grid->Grid().GetItemText(3, 2).IsEmpty());
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, text);
  EXPECT_TRUE(m_sink.messages().empty());
  EXPECT_TRUE(dragFlag);
  ASSERT_EQ(text->Elements(0, 1)->size(), 1u);
  const CWidget& names = *text->Elements(0, 1)->front();
  EXPECT_EQ(names.m_nNumber, 600);
  EXPECT_EQ(names.m_strLabel, CString(u"[Output]"));
  for (int c = 3; c <= 10; ++c) EXPECT_TRUE(text->m_strTextSet1[2][c].IsEmpty()) << c;
  EXPECT_TRUE(text->m_strTextSet1[3][2].IsEmpty());
}

// The newer editor's scope and pointer buttons and the graph dialog's picture
// buttons are raised icon buttons.
TEST_F(MsgTextEditorWindowTest, EditorAndGraphDialogUseIconButtons) {
  CZaradView* view = OpenDiagram();
  ASSERT_NE(view, nullptr);
  int pictures = 0;
  WhenSheetShows([&pictures](CQtBlockSheet* sheet) {
    CQtPageHost* host = sheet->PageHost(0);
    for (int id : {Page::kIdScope, Page::kIdPointer}) {
      auto* button = qobject_cast<CFlatIconButton*>(host->Control(id));
      ASSERT_NE(button, nullptr) << id;
      EXPECT_FALSE(button->Model().IsFlat());
    }
    EXPECT_EQ(qobject_cast<CFlatIconButton*>(host->Control(Page::kIdBarGraph)), nullptr);
    QTimer::singleShot(0, [&pictures] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      for (CFlatIconButton* b : dialog->findChildren<CFlatIconButton*>()) pictures += !b->Model().IsFlat();
      dialog->reject();
    });
    qobject_cast<QPushButton*>(host->Control(Page::kIdGraph))->click();
    sheet->reject();
  });
  DoubleClickBlock(view, TextBlock(view->GetDocument()));
  EXPECT_EQ(pictures, CGraphDlg::kPictures + 1);
}

}  // namespace
