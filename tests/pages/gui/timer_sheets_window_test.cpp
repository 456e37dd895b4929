// The timer, counter and communication pages through the real main window: a
// double click on a block shows its sheet with the type's pages, OK writes the
// pages back into the block.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "blocks/block_factory.h"
#include "blocks/comm_blocks.h"
#include "blocks/time_blocks.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "pages/date_select_dlg.h"
#include "pages/gui/coil_state_dialog.h"
#include "pages/gui/qt_page_host.h"
#include "pages/modbus_page.h"
#include "pages/two_time_page.h"
#include "pages/weekly_pages.h"
#include "pages/yearly_page.h"
#include "platform/gui/qt_string.h"
#include "properties/block_sheet.h"
#include "properties/gui/qt_block_sheet.h"
#include "properties/gui/sheet_window_fixture.h"
#include "properties/param_copy.h"

namespace {

class TimerSheetsWindowTest : public SheetWindowTest {
 protected:
  // A saved diagram with a weekly timer and a pulse generator.
  CZaradView* OpenDiagram() {
    return OpenSavedDiagram("timers.bfb", [](CZaradDoc& doc) {
      doc.AddBlock(MakeBlockOfType(410))->m_ptPos = CPoint(100, 100);
      doc.AddBlock(MakeBlockOfType(406))->m_ptPos = CPoint(300, 100);
      doc.AddBlock(MakeBlockOfType(814))->m_ptPos = CPoint(500, 100);
    });
  }
};

TEST_F(TimerSheetsWindowTest, WeeklyTimerSheetHasGeneralAndThreeCamPages) {
  CZaradView* view = OpenDiagram();
  ASSERT_NE(view, nullptr);
  auto* weekly = dynamic_cast<CBlockTime*>(view->GetDocument()->m_blocks.GetHead());
  ASSERT_NE(weekly, nullptr);
  bool shown = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    shown = true;
    auto* tabs = sheet->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(0), QString("General"));
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(tabs->tabText(k), QString("Cams"));
    tabs->setCurrentIndex(2);  // cam 2: Sunday, the last box, and an on time
    CQtPageHost* cam = sheet->PageHost(2);
    ASSERT_NE(cam, nullptr);
    qobject_cast<QCheckBox*>(cam->Control(CWeeklyCams1::kIdFirstDay + 6))->click();
    qobject_cast<QCheckBox*>(cam->Control(CWeeklyCams1::kIdOnDisable))->click();
    auto* hour = qobject_cast<QLineEdit*>(cam->Control(CWeeklyCams1::kIdOnHour));
    ASSERT_NE(hour, nullptr);
    hour->selectAll();
    QTest::keyClicks(hour, "30");  // held to 23
    EXPECT_EQ(hour->text(), QString("23"));
    tabs->setCurrentIndex(0);  // Pulse Output disables the shown cam's off time at once
    qobject_cast<QCheckBox*>(sheet->PageHost(0)->Control(CWeeklyGeneral::kIdPulseOutput))->click();
    EXPECT_FALSE(cam->Control(CWeeklyCams1::kIdOffHour)->isEnabled());
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, weekly);
  EXPECT_TRUE(shown);
  EXPECT_EQ(weekly->m_nCamDays[1][0], 1);  // Sunday first in the block
  EXPECT_EQ(weekly->m_nCamOn[1][0], 23);
  EXPECT_EQ(weekly->m_bCamOnUnset[1], 0);
  EXPECT_EQ(weekly->m_nParam4, 1);  // pulse output
}

TEST_F(TimerSheetsWindowTest, PulseGeneratorSheetShowsItsCaptions) {
  CZaradView* view = OpenDiagram();
  ASSERT_NE(view, nullptr);
  CBlockObj* pulse = nullptr;
  for (const auto& b : view->GetDocument()->m_blocks)
    if (b->m_nType == 406) pulse = b;
  ASSERT_NE(pulse, nullptr);
  bool shown = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    shown = true;
    CQtPageHost* host = sheet->PageHost(0);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->GetText(CSpecialFunPar2::kIdGroupTH), CString(u"Pulse Width(TH)"));
    EXPECT_EQ(host->GetText(CSpecialFunPar2::kIdGroupTL), CString(u"Interpulse Width(TL)"));
    auto* high = qobject_cast<QLineEdit*>(host->Control(CSpecialFunPar2::kIdHigh2));
    ASSERT_NE(high, nullptr);
    high->selectAll();
    QTest::keyClicks(high, "7");
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, pulse);
  EXPECT_TRUE(shown);
  EXPECT_EQ(pulse->m_nParam15, 7);  // TL's high part
}

TEST_F(TimerSheetsWindowTest, ModbusConfigSetsTheCoilWords) {
  CZaradView* view = OpenDiagram();
  ASSERT_NE(view, nullptr);
  CBlockObj* modbus = view->GetDocument()->m_blocks.GetTail();
  ASSERT_EQ(modbus->m_nType, 814);
  bool coils = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    CQtPageHost* host = sheet->PageHost(0);
    ASSERT_NE(host, nullptr);
    host->SetCurSel(CModbusPropPage::kIdCommand, 2);  // 15 Write Multiple Coils
    sheet->Sheet().Pages()[0]->OnNotify(CModbusPropPage::kIdCommand, Notify::kSelChange);
    qobject_cast<QAbstractButton*>(host->Control(CModbusPropPage::kIdManual))->click();
    host->SetText(CModbusPropPage::kIdCount, u"20");
    QTimer::singleShot(0, [&coils] {
      auto* dialog = qobject_cast<CQtCoilStateDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      coils = true;
      EXPECT_TRUE(dialog->Coil(19)->isEnabled());
      EXPECT_FALSE(dialog->Coil(20)->isEnabled());
      dialog->Coil(0)->click();
      dialog->Coil(17)->click();
      dialog->accept();
    });
    qobject_cast<QAbstractButton*>(host->Control(CModbusPropPage::kIdConfig))->click();
    EXPECT_EQ(host->GetText(CModbusPropPage::kIdWord1), CString(u"1"));
    EXPECT_EQ(host->GetText(CModbusPropPage::kIdWord2), CString(u"2"));
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, modbus);
  EXPECT_TRUE(coils);
  auto* mb = dynamic_cast<CBlockMR*>(modbus);
  ASSERT_NE(mb, nullptr);
  EXPECT_EQ(mb->m_byFunction, 15);
  EXPECT_EQ(mb->m_wDataAddress, 1);
  EXPECT_EQ(mb->m_wDataHigh, 2);
}

// The yearly page's on-date "..." opens the date selection dialog with its own
// OK button; the picked date reaches the block through the sheet's OK.
TEST_F(TimerSheetsWindowTest, YearlyDateButtonPicksADate) {
  CZaradView* view = OpenSavedDiagram(
      "yearly.bfb", [](CZaradDoc& doc) { doc.AddBlock(MakeBlockOfType(411))->m_ptPos = CPoint(100, 100); });
  ASSERT_NE(view, nullptr);
  CBlockObj* yearly = view->GetDocument()->m_blocks.GetHead();
  bool dialogShown = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    CQtPageHost* host = sheet->PageHost(0);
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialogShown = true;
      EXPECT_EQ(dialog->windowTitle(), QString("Date Selection"));
      auto* dateHost = dialog->findChild<CQtPageHost*>();
      ASSERT_NE(dateHost, nullptr);
      qobject_cast<QPushButton*>(dateHost->Control(CDateSelectDlg::kIdDayBase + 31))->click();
      qobject_cast<QPushButton*>(dateHost->Control(CDateSelectDlg::kIdMonthBase + 11))->click();
      auto* ok = qobject_cast<QPushButton*>(dateHost->Control(IDOK));
      ASSERT_NE(ok, nullptr);
      EXPECT_FALSE(ok->isEnabled());  // November has no 31st
      qobject_cast<QPushButton*>(dateHost->Control(CDateSelectDlg::kIdDayBase + 30))->click();
      EXPECT_TRUE(ok->isEnabled());
      ok->click();
    });
    qobject_cast<QPushButton*>(host->Control(CYearlyTimer::kIdOnDate))->click();
    EXPECT_EQ(host->GetText(CYearlyTimer::kIdOnMonth), CString(u"11"));
    EXPECT_EQ(host->GetText(CYearlyTimer::kIdOnDay), CString(u"30"));
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, yearly);
  EXPECT_TRUE(dialogShown);
  EXPECT_EQ(ParamP(*yearly, 9), 11);  // the on month and day words
  EXPECT_EQ(ParamP(*yearly, 8), 30);
}

}  // namespace
