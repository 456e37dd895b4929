// Block Properties through the real main window: a double click on a block of
// an opened diagram shows its sheet, OK writes the page back into the block
// with one undo snapshot, Cancel changes nothing.
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/help_launcher.h"
#include "blocks/block_factory.h"
#include "blocks/param_text.h"
#include "controls/gui/info_tip_wnd.h"
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

TEST_F(BlockPropertiesWindowTest, HelpButtonOpensTheTopicOfTheBlockType) {
  SetHelpProgramPath(Path("zovuzi-editor"));
  QStringList opened;
  const HelpOpener previous = SetHelpOpener([&](const QString& file, const QString& page) {
    opened << QFileInfo(file).fileName() + "#" + page;
    return true;
  });
  CZaradView* view = OpenDiagramWithOnDelay();
  ASSERT_NE(view, nullptr);
  WhenSheetShows([this](CQtBlockSheet* sheet) {
    auto* help = sheet->findChild<QPushButton*>("sheetHelp");
    ASSERT_NE(help, nullptr);
    help->click();  // no help file yet: the message, and the sheet stays
    QFile file(Path("ZOVUZI-EDITOR.CHM"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    help->click();
    EXPECT_TRUE(sheet->isVisible());
    sheet->reject();
  });
  DoubleClickBlock(view, view->GetDocument()->m_blocks.GetHead());
  SetHelpOpener(previous);
  SetHelpProgramPath({});
  ASSERT_EQ(m_sink.texts().size(), 1u);
  EXPECT_EQ(m_sink.texts()[0], ToCString("Can't Find " + Path("ZOVUZI-EDITOR.CHM") + ", Please Check!"));
  EXPECT_EQ(opened, QStringList({"ZOVUZI-EDITOR.CHM#On_Delay.htm"}));
}

// A page's range tips: the delayed tip window shows the control's text half a
// second after the mouse comes to rest on it, below the pointer; a key hides it.
TEST_F(BlockPropertiesWindowTest, RangeTipShowsWhenTheMouseRestsOnAField) {
  CZaradView* view = OpenDiagramWithOnDelay();
  ASSERT_NE(view, nullptr);
  bool checked = false;
  WhenSheetShows([&checked](CQtBlockSheet* sheet) {
    CQtPageHost* host = sheet->PageHost(0);
    QWidget* high = host->Control(CSpecialFunPar::kIdHigh);
    const CString text = host->GetTip(CSpecialFunPar::kIdHigh);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_TRUE(high->toolTip().isEmpty());  // no Qt tooltip of its own
    const QPoint centre = high->rect().center();
    QCursor::setPos(high->mapToGlobal(centre));
    QMouseEvent move(QEvent::MouseMove, QPointF(centre), QPointF(high->mapToGlobal(centre)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(high, &move);
    CInfoTipWnd& tip = host->TipWindow();
    EXPECT_FALSE(tip.isVisible());
    QTest::qWait(700);
    ASSERT_TRUE(tip.isVisible());
    EXPECT_EQ(tip.ShownText(), text);
    EXPECT_EQ(tip.geometry().top(), high->mapToGlobal(centre).y() + 20);
    QTest::keyClick(high, Qt::Key_Shift);
    EXPECT_FALSE(tip.isVisible());
    checked = true;
    sheet->reject();
  });
  DoubleClickBlock(view, view->GetDocument()->m_blocks.GetHead());
  EXPECT_TRUE(checked);
}

TEST_F(BlockPropertiesWindowTest, EscapeClosesAModelessSheet) {
  CZaradView* view = OpenDiagramWithOnDelay();
  ASSERT_NE(view, nullptr);
  view->Core().EnterSimulation(SYSTEMTIME{});
  DoubleClickBlock(view, view->GetDocument()->m_blocks.GetHead());
  QCoreApplication::processEvents();
  ASSERT_EQ(view->findChildren<CQtBlockSheet*>().size(), 1);
  CQtBlockSheet* sheet = view->findChildren<CQtBlockSheet*>().front();
  QWidget* high = sheet->PageHost(0)->Control(CSpecialFunPar::kIdHigh);
  high->setFocus();
  QTest::keyClick(high, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  EXPECT_TRUE(view->findChildren<CQtBlockSheet*>().isEmpty());
  EXPECT_TRUE(view->BlockProperties().OpenSheets().empty());
}

// Apply during simulation: a word that an active reference stands in for goes
// into the running block as the fixed value OK gives it, whatever the page's
// own (hidden) value says.
struct ApplyCase {
  int type;
  int slot;               // the reference that is active
  int CBlockObj::*field;  // the word it stands in for
  int pageValue;          // what the block held before
  int applied;            // what Apply leaves there
};

class ApplyPlaceholderTest : public BlockPropertiesWindowTest,
                             public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyPlaceholderTest, ReferencedWordTakesItsFixedValue) {
  const ApplyCase c = GetParam();
  CZaradView* view = OpenSavedDiagram("ref.bfb", [&c](CZaradDoc& doc) {
    CBlockObj* source = doc.AddBlock(MakeBlockOfType(800));
    source->m_ptPos = CPoint(100, 100);
    CBlockObj* block = doc.AddBlock(MakeBlockOfType(c.type));
    block->m_ptPos = CPoint(300, 150);
    block->*(c.field) = c.pageValue;
    block->m_pRef[c.slot] = source;
    block->m_nRefNumber[c.slot] = source->m_nNumber;
    block->m_bUseRef[c.slot] = 1;
  });
  ASSERT_NE(view, nullptr);
  CBlockObj* block = view->GetDocument()->m_blocks.GetTail();
  ASSERT_EQ(block->m_nType, c.type);
  ASSERT_NE(block->m_pRef[c.slot], nullptr);
  view->Core().EnterSimulation(SYSTEMTIME{});
  DoubleClickBlock(view, block);
  QCoreApplication::processEvents();
  ASSERT_EQ(view->findChildren<CQtBlockSheet*>().size(), 1);
  CQtBlockSheet* sheet = view->findChildren<CQtBlockSheet*>().front();
  QCheckBox* protection = nullptr;
  for (QCheckBox* box : sheet->PageHost(0)->findChildren<QCheckBox*>())
    if (box->text() == "Protection Active") protection = box;
  ASSERT_NE(protection, nullptr);
  protection->click();
  ASSERT_TRUE(sheet->ApplyButton()->isEnabled());
  sheet->ApplyButton()->click();
  EXPECT_EQ(block->*(c.field), c.applied);
  EXPECT_NE(block->m_pRef[c.slot], nullptr);
  EXPECT_EQ(block->m_nParam2, 1);  // the protection the page changed went in as well
  sheet->close();
}

INSTANTIATE_TEST_SUITE_P(
    Apply, ApplyPlaceholderTest,
    ::testing::Values(ApplyCase{834, 0, &CBlockObj::m_nParam10, 5, 1},       // rotation: one bit
                      ApplyCase{862, 0, &CBlockObj::m_nParam10, 7, 10},      // modulo: base 10
                      ApplyCase{838, 0, &CBlockObj::m_nParam10, 0x1234, 0},  // mask: none
                      ApplyCase{864, 0, &CBlockObj::m_nParam11, 1, 2},       // logarithm: base 10
                      ApplyCase{844, 0, &CBlockObj::m_nParam10, 2, 0},       // mode: maximum
                      ApplyCase{844, 1, &CBlockObj::m_nParam15, 7, 1},       // count: one
                      ApplyCase{849, 1, &CBlockObj::m_nParam15, 99, 250}));  // stepper speed

}  // namespace
