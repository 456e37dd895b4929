// Block Properties through the real main window: a double click on a block of
// an opened diagram shows its sheet, OK writes the page back into the block
// with one undo snapshot, Cancel changes nothing.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "blocks/block_factory.h"
#include "blocks/param_text.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/block_comment.h"
#include "model/doc_queries.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "pages/block_param_page.h"
#include "pages/gui/qt_page_host.h"
#include "pages/timer_page.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "properties/block_properties.h"
#include "properties/block_sheet.h"
#include "properties/gui/qt_block_sheet.h"
#include "properties/gui/sheet_window_fixture.h"

namespace {

class BlockPropertiesWindowTest : public SheetWindowTest {
 protected:
  // A saved diagram with an on-delay at (200, 150).
  CZaradView* OpenDiagramWithOnDelay() {
    return OpenSavedDiagram("delay.bfb", [](CZaradDoc& doc) {
      doc.AddBlock(MakeBlockOfType(400))->m_ptPos = CPoint(200, 150);
      auto comment = std::make_unique<CBlockComment>();
      comment->m_ptPos = CPoint(400, 300);
      comment->m_size = CSize(80, 20);
      comment->m_strText = u"Note";
      AddComment(doc, std::move(comment));
    });
  }
};

TEST_F(BlockPropertiesWindowTest, DoubleClickOnDelayChangeTimeOk) {
  CZaradView* view = OpenDiagramWithOnDelay();
  ASSERT_NE(view, nullptr);
  CZaradDoc* doc = view->GetDocument();
  CBlockObj* delay = doc->m_blocks.GetHead();
  const int undoBefore = doc->m_undo.m_nIndex;
  bool shown = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    shown = true;
    EXPECT_EQ(sheet->Sheet().Type(), 400);
    EXPECT_FALSE(sheet->windowTitle().isEmpty());
    EXPECT_EQ(sheet->findChild<QPushButton*>("sheetApply"), nullptr);  // modal: no Apply
    CQtPageHost* host = sheet->PageHost(0);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->GetText(CSpecialFunPar::kIdTimeGroup), CString(u"On-Delay"));
    auto* high = qobject_cast<QLineEdit*>(host->Control(CSpecialFunPar::kIdHigh));
    auto* low = qobject_cast<QLineEdit*>(host->Control(CSpecialFunPar::kIdLow));
    ASSERT_TRUE(high && low);
    high->selectAll();
    QTest::keyClicks(high, "12");
    low->selectAll();
    QTest::keyClicks(low, "34");
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, delay);
  EXPECT_TRUE(shown);
  EXPECT_EQ(delay->m_nParam10, 12);
  EXPECT_EQ(delay->m_nParam9, 34);
  EXPECT_EQ(doc->m_undo.m_nIndex, undoBefore + 1);
  const ParameterTextLayout text = BuildParameterTextLayout(*delay, doc->IsNewerFamily());
  bool found = false;
  for (const ParameterTextLine& line : text.lines) found = found || line.text.Find(CString(u"12:34")) >= 0;
  EXPECT_TRUE(found);

  // Cancel from the menu command leaves block and history alone.
  WhenSheetShows([](CQtBlockSheet* sheet) {
    auto* high = qobject_cast<QLineEdit*>(sheet->PageHost(0)->Control(CSpecialFunPar::kIdHigh));
    high->selectAll();
    QTest::keyClicks(high, "99");
    sheet->findChild<QPushButton*>("sheetCancel")->click();
  });
  view->OnCmdMsg(ID_BLOCK_PROPERTIES);
  EXPECT_EQ(delay->m_nParam10, 12);
  EXPECT_EQ(doc->m_undo.m_nIndex, undoBefore + 1);
}

TEST_F(BlockPropertiesWindowTest, RefusedValueKeepsTheSheetOpen) {
  CZaradView* view = OpenDiagramWithOnDelay();
  ASSERT_NE(view, nullptr);
  CBlockObj* delay = view->GetDocument()->m_blocks.GetHead();
  int messages = 0;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    auto* low = qobject_cast<QLineEdit*>(sheet->PageHost(0)->Control(CSpecialFunPar::kIdLow));
    low->clear();
    sheet->OnOK();  // the empty part is refused: the sheet stays
    EXPECT_TRUE(sheet->isVisible());
    messages = static_cast<int>(m_sink.messages().size());
    sheet->reject();
  });
  DoubleClickBlock(view, delay);
  EXPECT_EQ(messages, 1);
}

TEST_F(BlockPropertiesWindowTest, SimulationOpensOneModelessSheetWhoseApplyWritesTheBlock) {
  CZaradView* view = OpenDiagramWithOnDelay();
  ASSERT_NE(view, nullptr);
  CZaradDoc* doc = view->GetDocument();
  CBlockObj* delay = doc->m_blocks.GetHead();
  view->Core().EnterSimulation(SYSTEMTIME{});
  DoubleClickBlock(view, delay);
  DoubleClickBlock(view, delay);  // a second request leaves the open sheet alone
  QCoreApplication::processEvents();
  const QList<CQtBlockSheet*> sheets = view->findChildren<CQtBlockSheet*>();
  ASSERT_EQ(sheets.size(), 1);
  CQtBlockSheet* sheet = sheets.front();
  EXPECT_FALSE(sheet->isModal());
  EXPECT_EQ(view->BlockProperties().OpenSheets().size(), 1u);
  QPushButton* apply = sheet->ApplyButton();
  ASSERT_NE(apply, nullptr);
  EXPECT_FALSE(apply->isEnabled());
  CQtPageHost* host = sheet->PageHost(0);
  EXPECT_TRUE(host->IsVisible(kIdValueBox));
  auto* high = qobject_cast<QLineEdit*>(host->Control(CSpecialFunPar::kIdHigh));
  high->setFocus();
  high->selectAll();
  QTest::keyClicks(high, "7");
  EXPECT_TRUE(apply->isEnabled());
  const int undoBefore = doc->m_undo.m_nIndex;
  apply->click();
  EXPECT_EQ(delay->m_nParam10, 7);
  EXPECT_EQ(doc->m_undo.m_nIndex, undoBefore + 1);
  EXPECT_FALSE(apply->isEnabled());
  sheet->close();
  QCoreApplication::processEvents();
  EXPECT_TRUE(view->BlockProperties().OpenSheets().empty());
}

TEST_F(BlockPropertiesWindowTest, EmptyingACommentRemovesIt) {
  CZaradView* view = OpenDiagramWithOnDelay();
  ASSERT_NE(view, nullptr);
  CZaradDoc* doc = view->GetDocument();
  ASSERT_EQ(doc->m_comments.GetCount(), 1);
  WhenSheetShows([](CQtBlockSheet* sheet) {
    EXPECT_EQ(sheet->windowTitle(), QString("Property"));
    auto* text = sheet->PageHost(0)->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), QString("Note"));
    text->clear();
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  const CPoint client = view->Core().DiagramToClient(CPoint(420, 310));
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(client.x, client.y));
  EXPECT_EQ(doc->m_comments.GetCount(), 0);
  EXPECT_EQ(view->Core().GetCurrentComment(), nullptr);
}

}  // namespace
