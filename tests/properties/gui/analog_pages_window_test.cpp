// The analog, pulse/stepper/CRC and data log pages through the real main
// window: every block of these families opens its own page, OK writes what the
// page shows, the "No sensor" layout moves the widgets, the data log lists its
// rows in two columns, and in simulation Apply settles the sensor scaling.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "blocks/analog_blocks.h"
#include "blocks/block_factory.h"
#include "blocks/data_log_block.h"
#include "pages/analog_pages.h"
#include "pages/arrmxiv_page.h"
#include "pages/data_log_page.h"
#include "pages/gui/qt_page_host.h"
#include "pages/operand_pages.h"
#include "properties/block_sheet.h"
#include "properties/gui/qt_program_sheet.h"
#include "properties/gui/sheet_window_fixture.h"

namespace {

class AnalogPagesWindowTest : public SheetWindowTest {
 protected:
  CZaradView* OpenDiagram(const std::vector<int>& types) {
    return OpenSavedDiagram("analog.bfb", [&types](CZaradDoc& doc) {
      int x = 100, y = 120;
      for (int type : types) {
        doc.AddBlock(MakeBlockOfType(type, BlockContext::For(&doc)))->m_ptPos = CPoint(x, y);
        x += 150;
        if (x > 700) x = 100, y += 150;
      }
    });
  }

  static void TypeInto(QLineEdit* edit, const char* text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
};

TEST_F(AnalogPagesWindowTest, EachBlockOpensItsOwnPage) {
  CZaradView* view =
      OpenDiagram({803, 804, 805, 806, 807, 817, 818, 819, 844, 845, 849, 850, 851, 852, 856, 911});
  ASSERT_NE(view, nullptr);
  for (CBlockObj* block : view->GetDocument()->m_blocks) {
    bool shown = false;
    WhenSheetShows([&](CQtBlockSheet* sheet) {
      shown = true;
      EXPECT_EQ(sheet->Sheet().Type(), block->m_nType);
      EXPECT_NE(sheet->Sheet().ParamPage(), nullptr) << block->m_nType;
      EXPECT_TRUE(sheet->isModal());
      sheet->reject();
    });
    DoubleClickBlock(view, block);
    EXPECT_TRUE(shown) << block->m_nType;
  }
}

TEST_F(AnalogPagesWindowTest, ComparatorOkWritesWhatThePageShows) {
  CZaradView* view = OpenDiagram({803});
  ASSERT_NE(view, nullptr);
  auto* block = dynamic_cast<CBlockAnalog*>(view->GetDocument()->m_blocks.GetHead());
  ASSERT_NE(block, nullptr);
  using C = CAnalogComparator;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    CQtPageHost* host = sheet->PageHost(0);
    TypeInto(qobject_cast<QLineEdit*>(host->Control(C::kIdOffset)), "100");
    TypeInto(qobject_cast<QLineEdit*>(host->Control(C::kIdGain)), "2");
    EXPECT_EQ(qobject_cast<QLineEdit*>(host->Control(C::kIdMax))->text(), QString("2100"));
    TypeInto(qobject_cast<QLineEdit*>(host->Control(C::kEdit1)), "25000");
    EXPECT_EQ(qobject_cast<QLineEdit*>(host->Control(C::kEdit1))->text(), QString("20000"));
    // "No sensor": the parameter group takes the place of the hidden range.
    auto* sensor = qobject_cast<QComboBox*>(host->Control(C::kIdSensor));
    const QRect rangePlace = host->Control(C::kIdMin)->geometry();
    sensor->setFocus();
    sensor->setCurrentIndex(SENSOR_NONE);
    emit sensor->activated(SENSOR_NONE);  // as the user's choice
    QCoreApplication::processEvents();
    EXPECT_FALSE(host->Control(C::kIdMin)->isVisibleTo(host));
    EXPECT_EQ(host->Control(C::kIdGain)->geometry().topLeft(), rangePlace.topLeft());
    sensor->setCurrentIndex(SENSOR_0_10V);
    emit sensor->activated(SENSOR_0_10V);
    EXPECT_TRUE(host->Control(C::kIdMin)->isVisibleTo(host));
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, block);
  EXPECT_EQ(block->m_nOffset, 100);
  EXPECT_DOUBLE_EQ(block->m_dGain, 2.0);
  EXPECT_EQ(block->m_nRangeMax, 2100);
  EXPECT_EQ(block->m_nThreshold1, 20000);
}

TEST_F(AnalogPagesWindowTest, DataLogListsItsRowsInColumns) {
  CZaradView* view = OpenDiagram({911});
  ASSERT_NE(view, nullptr);
  auto* log = dynamic_cast<CBlockDataLog*>(view->GetDocument()->m_blocks.GetHead());
  ASSERT_NE(log, nullptr);
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    CQtPageHost* host = sheet->PageHost(0);
    auto* entries = qobject_cast<QListWidget*>(host->Control(CDataLog::kIdEntries));
    ASSERT_NE(entries, nullptr);
    for (const char* text : {"I100-I107", "M8-M15", "Q000-Q007"}) {
      const QList<QListWidgetItem*> found = entries->findItems(text, Qt::MatchExactly);
      ASSERT_EQ(found.size(), 1);
      entries->setCurrentItem(found.front());
      emit entries->itemClicked(found.front());
      qobject_cast<QPushButton*>(host->Control(CDataLog::kIdAdd))->click();
    }
    auto* items = qobject_cast<QTreeWidget*>(host->Control(CDataLog::kIdItems));
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->columnCount(), 2);
    EXPECT_EQ(items->headerItem()->text(0), QString("Block"));
    EXPECT_EQ(items->headerItem()->text(1), QString("Parameter"));
    ASSERT_EQ(items->topLevelItemCount(), 3);
    EXPECT_EQ(items->topLevelItem(0)->text(0), QString("I100-I107"));
    // The first and the last row removed together.
    items->topLevelItem(0)->setSelected(true);
    items->topLevelItem(2)->setSelected(true);
    qobject_cast<QPushButton*>(host->Control(CDataLog::kIdRemove))->click();
    ASSERT_EQ(items->topLevelItemCount(), 1);
    EXPECT_EQ(items->topLevelItem(0)->text(0), QString("M8-M15"));
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, log);
  ASSERT_EQ(log->m_items.size(), 1u);
  EXPECT_EQ(log->m_items[0].m_nOperand, 1324);
}

TEST_F(AnalogPagesWindowTest, SimulationApplySettlesTheSensorScaling) {
  CZaradView* view = OpenDiagram({803});
  ASSERT_NE(view, nullptr);
  auto* block = dynamic_cast<CBlockAnalog*>(view->GetDocument()->m_blocks.GetHead());
  ASSERT_NE(block, nullptr);
  view->Core().EnterSimulation(SYSTEMTIME{});
  DoubleClickBlock(view, block);
  QCoreApplication::processEvents();
  const QList<CQtBlockSheet*> sheets = view->findChildren<CQtBlockSheet*>();
  ASSERT_EQ(sheets.size(), 1u);
  CQtBlockSheet* sheet = sheets.front();
  EXPECT_FALSE(sheet->isModal());
  using C = CAnalogComparator;
  CQtPageHost* host = sheet->PageHost(0);
  EXPECT_TRUE(host->IsVisible(kIdValueBox));
  // 0 ... 20 mA, gain -10 with offset -5000: the maximum is held at -10000,
  // and Apply makes the gain follow the held range.
  TypeInto(qobject_cast<QLineEdit*>(host->Control(C::kIdOffset)), "-5000");
  TypeInto(qobject_cast<QLineEdit*>(host->Control(C::kIdGain)), "-10");
  EXPECT_EQ(qobject_cast<QLineEdit*>(host->Control(C::kIdMax))->text(), QString("-10000"));
  sheet->ApplyButton()->click();
  EXPECT_DOUBLE_EQ(block->m_dGain, -5.0);
  EXPECT_EQ(block->m_nRangeMax, -10000);
  sheet->close();
  QCoreApplication::processEvents();
}

// On a newer model the analog output page's two buttons open the program
// properties on the page that holds the outputs' STOP behaviour and range
// types; the block's sheet stays open beneath.
TEST_F(AnalogPagesWindowTest, AnalogOutputButtonsOpenTheProgramPropertiesOnTheirPage) {
  CZaradView* view = OpenSavedDiagram("aq.bfb", [](CZaradDoc& doc) {
    doc.m_wModelCode = 0x5188;
    doc.AddBlock(MakeBlockOfType(609, BlockContext::For(&doc)))->m_ptPos = CPoint(200, 150);
  });
  ASSERT_NE(view, nullptr);
  QStringList pages;
  bool sheetBeneath = false;
  CProgramPropertiesCommand::s_runner = [&](CQtProgramSheet& sheet) {
    pages << sheet.Tabs()->tabText(sheet.ActivePage());
    const QList<CQtBlockSheet*> open = view->findChildren<CQtBlockSheet*>();
    sheetBeneath = open.size() == 1 && open.front()->isVisible();
    return static_cast<int>(QDialog::Rejected);
  };
  WhenSheetShows([](CQtBlockSheet* sheet) {
    CQtPageHost* host = sheet->PageHost(0);
    for (int id : {CConstantsIOPar::kIdAnalogStop, CConstantsIOPar::kIdAnalogRange}) {
      auto* button = qobject_cast<QPushButton*>(host->Control(id));
      ASSERT_NE(button, nullptr);
      EXPECT_TRUE(host->IsVisible(id));
      button->click();
    }
    EXPECT_TRUE(sheet->isVisible());
    sheet->reject();
  });
  DoubleClickBlock(view, view->GetDocument()->m_blocks.GetHead());
  CProgramPropertiesCommand::s_runner = [](CQtProgramSheet&) { return static_cast<int>(QDialog::Rejected); };
  EXPECT_EQ(pages, QStringList({"Parameter", "Parameter"}));
  EXPECT_TRUE(sheetBeneath);
  EXPECT_EQ(m_frame->TakePropertiesStartPage(), 0);  // the start page was taken
}

}  // namespace
