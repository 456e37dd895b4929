// The "Message texts" preview in the real main window: a diagram whose
// message text shows a block value is simulated, the preview opens when the
// message comes on, its live value changes, Details switches the drawing,
// the value editor writes into the running block, and leaving the
// simulation closes it.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <functional>

#include "app/gui/shell_fixture.h"
#include "app/main_frame.h"
#include "blocks/block_factory.h"
#include "controls/gui/grid_widget.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/zarad_doc.h"
#include "msgtext/gui/msgtext_preview.h"
#include "msgtext/gui/popup_value_editor.h"
#include "msgtext/msg_element_editor.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/msgtext_display.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"

namespace {

class MsgTextPreviewWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    g_MsgTextDetailsFlag = 1;
  }
  void TearDown() override {
    g_MsgTextDetailsFlag = 1;
    ShellTest::TearDown();
  }

  // I1 switches a message text and an on-delay; the message shows the
  // delay's current time on line 1 and its preset on line 3.
  QString WriteMessageDiagram(int secondPriority = -1,
                              const std::function<void(CBlockMSGTEXT*, CBlockObj*)>& extra = nullptr) {
    CZaradDoc doc(NewDocumentSettings{kDocFbd, 0x5188});
    const BlockContext ctx = BlockContext::For(&doc);
    CBlockObj* in = doc.AddBlock(MakeBlockOfType(600, ctx));
    in->m_ptPos = CPoint(40, 100);
    CBlockObj* delay = doc.AddBlock(MakeBlockOfType(400, ctx));
    delay->m_ptPos = CPoint(200, 60);
    delay->m_nParam11 = 2;  // seconds
    delay->m_nParam10 = 99, delay->m_nParam9 = 0;
    auto* msg = static_cast<CBlockMSGTEXT*>(doc.AddBlock(MakeBlockOfType(810, ctx)));
    msg->m_ptPos = CPoint(200, 180);
    msg->SetPriority(0);
    delay->m_nSource[0] = in->m_nNumber;
    msg->m_nSource[0] = in->m_nNumber;
    if (secondPriority >= 0) {
      // A second message on the same input, with another priority.
      auto* second = static_cast<CBlockMSGTEXT*>(doc.AddBlock(MakeBlockOfType(810, ctx)));
      second->m_ptPos = CPoint(200, 260);
      second->SetPriority(secondPriority);
      second->m_nSource[0] = in->m_nNumber;
      second->m_strTextSet1[1][1] = u"Z";
    }
    const char16_t* text = u"TANK";
    for (int c = 0; c < 4; ++c) msg->m_strTextSet1[2][c + 1] = CString(text[c]);
    const struct {
      int row, param, kind, width;
      const char16_t* label;
    } kElements[] = {{1, 0, 0, 6, u"Current Time"}, {3, 4, 1, 7, u"On-Delay"}};
    for (const auto& e : kElements) {
      auto w = std::make_unique<CWidget>(0, 0, 10, 10, 0x00FFFF);
      w->m_nRow = e.row, w->m_nCol = 1, w->m_nWidth = e.width, w->m_nKind = e.kind, w->m_nParam = e.param;
      w->m_nNumber = delay->m_nNumber, w->m_pBlock = delay, w->m_strLabel = e.label;
      msg->m_ElementsSet1[e.row - 1].push_back(std::move(w));
    }
    if (extra) extra(msg, delay);
    CString error;
    EXPECT_TRUE(doc.OnSaveDocument(ToCString(Path("message.bfb")), &error)) << error.ToUtf8();
    return Path("message.bfb");
  }

  // Runs the event loop until the condition holds (false after two seconds).
  template <typename F>
  static bool WaitFor(F condition) {
    for (int i = 0; i < 100 && !condition(); ++i) QTest::qWait(20);
    return condition();
  }
  static CBlockObj* BlockOfType(CZaradDoc* doc, int type) {
    for (CBlockObj* b : doc->m_blocks)
      if (b->m_nType == type) return b;
    return nullptr;
  }
  static QImage GridImage(CMsgTxtDisplay* page) { return page->Grid()->viewport()->grab().toImage(); }
};

TEST_F(MsgTextPreviewWindowTest, SimulationShowsTheLiveMessage) {
  ASSERT_NE(m_app->OpenDocumentFile(ToCString(WriteMessageDiagram())), nullptr);
  auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  ASSERT_NE(view, nullptr);
  CZaradDoc* doc = view->Core().GetDocument();

  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  QTest::qWait(100);
  EXPECT_EQ(view->GetMessageTextSheet(), nullptr) << "no message is on yet";

  // The user switches I1 on: the message comes on and the preview opens.
  CBlockObj* in = BlockOfType(doc, 600);
  ASSERT_NE(in, nullptr);
  in->m_nValue[kFirstOutputPin] = in->m_nValue[0] = 1;
  in->m_bChanged[kFirstOutputPin] = 1;
  view->viewport()->update();
  ASSERT_TRUE(
      WaitFor([&] { return view->GetMessageTextSheet() && view->GetMessageTextSheet()->isVisible(); }));
  CAllDisplayMsgTxts* sheet = view->GetMessageTextSheet();
  EXPECT_EQ(sheet->windowTitle(), QString("Message texts"));
  ASSERT_EQ(sheet->PageCount(), 1);
  CMsgTxtDisplay* page = sheet->Page(0);
  EXPECT_EQ(page->CellText(2, 1), CString(u"T"));
  EXPECT_EQ(page->Grid()->Grid().GetItemText(2, 4), CString(u"K"));

  // The device display's form: the delay's running time changes on screen.
  QPushButton* details = page->DetailsButton();
  QTest::mouseClick(details, Qt::LeftButton);
  EXPECT_EQ(g_MsgTextDetailsFlag, 0);
  const QImage first = GridImage(page);
  QTest::qWait(300);
  const QImage later = GridImage(page);
  EXPECT_NE(first, later) << "the live value is redrawn";
  if (qEnvironmentVariableIsSet("ZOVUZI_SHOT")) {
    EXPECT_TRUE(sheet->grab().save(qEnvironmentVariable("ZOVUZI_SHOT") + ".display.png"));
    QFile::copy(Path("message.bfb"), qEnvironmentVariable("ZOVUZI_SHOT") + ".bfb");
  }
  QTest::mouseClick(details, Qt::LeftButton);
  EXPECT_EQ(g_MsgTextDetailsFlag, 1);
  if (qEnvironmentVariableIsSet("ZOVUZI_SHOT")) {
    EXPECT_TRUE(sheet->grab().save(qEnvironmentVariable("ZOVUZI_SHOT")));
  }

  // A double click on the preset opens the value editor; Enter writes the block.
  CGridCtrl& grid = page->Grid()->Grid();
  ASSERT_EQ(grid.GetShownElements(2).size(), 1u);
  const CRect r = grid.GetShownElements(2)[0]->m_rect;
  const QPoint centre((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  QTest::mouseClick(page->Grid()->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(page->Grid()->viewport(), Qt::LeftButton, {}, centre);
  CMsgElementEditDlg* editor = page->GetElementEditor();
  ASSERT_NE(editor, nullptr);
  auto* high = qobject_cast<QSpinBox*>(editor->Control(kEditorEdit1));
  auto* low = qobject_cast<QSpinBox*>(editor->Control(kEditorEdit2));
  auto* base = qobject_cast<QComboBox*>(editor->Control(kEditorCombo));
  ASSERT_TRUE(high && low && base);
  EXPECT_EQ(high->value(), 99);
  high->setValue(12);
  low->setValue(34);
  base->setCurrentIndex(1);
  QTest::keyClick(low, Qt::Key_Return);
  CBlockObj* delay = BlockOfType(doc, 400);
  ASSERT_NE(delay, nullptr);
  EXPECT_EQ(delay->m_nParam10, 12);
  EXPECT_EQ(delay->m_nParam9, 34);
  EXPECT_EQ(delay->m_nParam11, 1);
  EXPECT_TRUE(WaitFor([&] { return page->GetElementEditor() == nullptr; }));

  // Leaving the simulation closes the preview.
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  Flush();
  EXPECT_EQ(view->GetMessageTextSheet(), nullptr);
}

TEST_F(MsgTextPreviewWindowTest, ValueEditorClosesWithoutWriting) {
  ASSERT_NE(m_app->OpenDocumentFile(ToCString(WriteMessageDiagram(5))), nullptr);
  auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  CZaradDoc* doc = view->Core().GetDocument();
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CBlockObj* in = BlockOfType(doc, 600);
  in->m_nValue[kFirstOutputPin] = in->m_nValue[0] = 1;
  ASSERT_TRUE(
      WaitFor([&] { return view->GetMessageTextSheet() && view->GetMessageTextSheet()->isVisible(); }));
  CAllDisplayMsgTxts* sheet = view->GetMessageTextSheet();
  ASSERT_EQ(sheet->PageCount(), 2);
  // Pages by priority; both messages are on, the higher priority is in front.
  EXPECT_EQ(sheet->Page(1)->CellText(1, 1), CString(u"Z"));
  EXPECT_EQ(sheet->ActivePage(), 1);
  sheet->SetActivePage(0);
  CMsgTxtDisplay* page = sheet->Page(0);
  CBlockObj* delay = BlockOfType(doc, 400);
  CGridCtrl& grid = page->Grid()->Grid();
  const CRect r = grid.GetShownElements(2)[0]->m_rect;
  const QPoint centre((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  const auto open = [&] {
    QTest::mouseClick(page->Grid()->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(page->Grid()->viewport(), Qt::LeftButton, {}, centre);
    return page->GetElementEditor();
  };

  // Esc after typing leaves the block unchanged.
  CMsgElementEditDlg* editor = open();
  ASSERT_NE(editor, nullptr);
  auto* high = qobject_cast<QSpinBox*>(editor->Control(kEditorEdit1));
  ASSERT_NE(high, nullptr);
  high->setValue(7);
  QTest::keyClick(high, Qt::Key_Escape);
  EXPECT_TRUE(WaitFor([&] { return page->GetElementEditor() == nullptr; }));
  EXPECT_EQ(delay->m_nParam10, 99);

  // "Details" with an open editor only closes it; the second press switches the form.
  ASSERT_NE(open(), nullptr);
  QTest::mouseClick(page->DetailsButton(), Qt::LeftButton);
  EXPECT_EQ(page->GetElementEditor(), nullptr);
  EXPECT_EQ(g_MsgTextDetailsFlag, 1);
  QTest::mouseClick(page->DetailsButton(), Qt::LeftButton);
  EXPECT_EQ(g_MsgTextDetailsFlag, 0);

  // Switching the page discards the typed value.
  editor = open();
  ASSERT_NE(editor, nullptr);
  qobject_cast<QSpinBox*>(editor->Control(kEditorEdit1))->setValue(3);
  sheet->SetActivePage(1);
  EXPECT_EQ(page->GetElementEditor(), nullptr);
  EXPECT_EQ(delay->m_nParam10, 99);

  // A rejected value is reported and dropped: 75 is no number of seconds in the minutes base.
  sheet->SetActivePage(0);
  editor = open();
  ASSERT_NE(editor, nullptr);
  qobject_cast<QComboBox*>(editor->Control(kEditorCombo))->setCurrentIndex(1);
  auto* low = qobject_cast<QSpinBox*>(editor->Control(kEditorEdit2));
  low->setValue(75);
  QTest::keyClick(low, Qt::Key_Return);
  EXPECT_EQ(delay->m_nParam9, 0);
  ASSERT_FALSE(m_sink.texts().empty());
  EXPECT_EQ(m_sink.texts().back(), CString(u"Please enter an integer between 0 and 59"));

  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  Flush();
}

// The Edit menu of the main window reaches the preview's grid that had the
// focus (Select All, Copy), until the user clicks in the diagram; the grid
// scrolls as many lines a wheel notch as the desktop says; Escape in the grid
// closes the preview.
TEST_F(MsgTextPreviewWindowTest, EditMenuWheelAndEscapeInThePreviewsGrid) {
  const int wheelLines = QApplication::wheelScrollLines();
  QApplication::setWheelScrollLines(5);
  ASSERT_NE(m_app->OpenDocumentFile(ToCString(WriteMessageDiagram())), nullptr);
  auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  CZaradDoc* doc = view->Core().GetDocument();
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CBlockObj* in = BlockOfType(doc, 600);
  in->m_nValue[kFirstOutputPin] = in->m_nValue[0] = 1;
  ASSERT_TRUE(
      WaitFor([&] { return view->GetMessageTextSheet() && view->GetMessageTextSheet()->isVisible(); }));
  CGridWidget* grid = view->GetMessageTextSheet()->Page(0)->Grid();
  QApplication::setWheelScrollLines(wheelLines);
  EXPECT_EQ(grid->Grid().m_nRowsPerWheelNotch, 5);

  // The grid takes the focus; then the user comes over to the main window's menu.
  QApplication::setActiveWindow(grid->window());
  grid->setFocus();
  ASSERT_TRUE(WaitFor([&] { return grid->hasFocus(); }));
  QApplication::setActiveWindow(m_frame);
  ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == m_frame; }));
  ASSERT_EQ(m_frame->GetEditGrid(), grid);
  m_frame->UpdateCommandUI();
  EXPECT_TRUE(m_frame->GetAction(ID_EDIT_SELECT_ALL)->isEnabled());
  EXPECT_FALSE(m_frame->GetAction(ID_EDIT_CUT)->isEnabled());  // the preview is read-only
  m_frame->GetAction(ID_EDIT_SELECT_ALL)->trigger();
  EXPECT_GT(grid->Grid().GetSelectedCount(), 40u);
  m_frame->UpdateCommandUI();
  ASSERT_TRUE(m_frame->GetAction(ID_EDIT_COPY)->isEnabled());
  QGuiApplication::clipboard()->clear();
  m_frame->GetAction(ID_EDIT_COPY)->trigger();
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("T\tA\tN\tK"))
      << QGuiApplication::clipboard()->text().toStdString();

  // A click in the diagram gives the Edit menu back to the diagram.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(m_frame->GetEditGrid(), nullptr);

  // Escape in the grid closes the preview.
  QApplication::setActiveWindow(grid->window());
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Escape);
  EXPECT_TRUE(WaitFor([&] { return view->GetMessageTextSheet() == nullptr; }));
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
}

// The display shows 12 characters a line: an element that reaches past them
// keeps its cells' width from its own column on (cut at the edge), one that
// starts past them is not shown.
TEST_F(MsgTextPreviewWindowTest, ElementsPastTheTwelfthColumn) {
  const QString path = WriteMessageDiagram(-1, [](CBlockMSGTEXT* msg, CBlockObj* delay) {
    const struct { int row, col, width; } kExtra[] = {{2, 10, 6}, {4, 14, 3}};
    for (const auto& e : kExtra) {
      auto w = std::make_unique<CWidget>(0, 0, 10, 10, 0x00FFFF);
      w->m_nRow = e.row, w->m_nCol = e.col, w->m_nWidth = e.width, w->m_nKind = 0, w->m_nParam = 0;
      w->m_nNumber = delay->m_nNumber, w->m_pBlock = delay, w->m_strLabel = u"On-Delay";
      msg->m_ElementsSet1[e.row - 1].push_back(std::move(w));
    }
  });
  ASSERT_NE(m_app->OpenDocumentFile(ToCString(path)), nullptr);
  auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CBlockObj* in = BlockOfType(view->Core().GetDocument(), 600);
  in->m_nValue[kFirstOutputPin] = in->m_nValue[0] = 1;
  in->m_bChanged[kFirstOutputPin] = 1;
  ASSERT_TRUE(
      WaitFor([&] { return view->GetMessageTextSheet() && view->GetMessageTextSheet()->isVisible(); }));
  CMsgTxtDisplay* page = view->GetMessageTextSheet()->Page(0);
  CGridCtrl& grid = page->Grid()->Grid();
  ASSERT_EQ(grid.GetShownElements(1).size(), 1u);
  CRect cell;
  ASSERT_TRUE(grid.GetCellRect(2, 10, &cell));
  const CRect r = grid.GetShownElements(1)[0]->m_rect;
  EXPECT_EQ(r.left, cell.left);
  EXPECT_EQ(r.top, cell.top);
  EXPECT_EQ(r.Width() + 1, 6 * (cell.Width() + 1));
  EXPECT_TRUE(grid.GetShownElements(3).empty());
  if (qEnvironmentVariableIsSet("ZOVUZI_SHOT"))
    view->GetMessageTextSheet()->grab().save(qEnvironmentVariable("ZOVUZI_SHOT") + ".edge.png");
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  Flush();
}

}  // namespace
