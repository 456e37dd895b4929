// One set of cases against both control hosts: the memory host of the tests
// and the Qt host of the program must give a page the same notifications.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <memory>

#include "pages/gui/qt_page_host.h"
#include "pages/logic_pages.h"
#include "pages/memory_host.h"
#include "pages/operand_pages.h"
#include "pages/stopwatch_page.h"
#include "pages/timer_page.h"
#include "platform/gui/qt_string.h"
#include "support/diagram_builder.h"

namespace {

// The user's side of a host.
class Driver {
 public:
  virtual ~Driver() = default;
  virtual CControlHost& Host() = 0;
  virtual void Type(int id, const CString& text) = 0;
  virtual void Click(int id) = 0;
  virtual void Choose(int id, int index) = 0;
  virtual void Spin(int id, int delta) = 0;
};

class MemoryDriver : public Driver {
 public:
  explicit MemoryDriver(CParamPage& page) : m_host(page.Describe(), &page) {}
  CControlHost& Host() override { return m_host; }
  void Type(int id, const CString& text) override { m_host.Type(id, text); }
  void Click(int id) override { m_host.Click(id); }
  void Choose(int id, int index) override { m_host.Choose(id, index); }
  void Spin(int id, int delta) override { m_host.Spin(id, delta); }

 private:
  CMemoryHost m_host;
};

class QtDriver : public Driver {
 public:
  explicit QtDriver(CParamPage& page) : m_host(&page) {
    m_host.resize(m_host.minimumSize());
    m_host.show();
  }
  CControlHost& Host() override { return m_host; }
  void Type(int id, const CString& text) override {
    auto* edit = qobject_cast<QLineEdit*>(m_host.Control(id));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    if (text.IsEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
    // One character at a time, as the keyboard gives them (insert also takes
    // the characters a key sequence of the test cannot name).
    for (QChar ch : ToQString(text)) edit->insert(QString(ch));
  }
  void Click(int id) override {
    QWidget* w = m_host.Control(id);
    ASSERT_NE(w, nullptr);
    w->setFocus();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, w->height() / 2));
  }
  void Choose(int id, int index) override {
    auto* combo = qobject_cast<QComboBox*>(m_host.Control(id));
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    combo->setCurrentIndex(index);
    emit combo->activated(index);  // what a user's choice in the list emits
  }
  void Spin(int id, int delta) override {
    QWidget* spin = m_host.Control(id);
    ASSERT_NE(spin, nullptr);
    QToolButton* arrow = nullptr;
    for (QToolButton* b : spin->findChildren<QToolButton*>())
      if (b->arrowType() == (delta > 0 ? Qt::UpArrow : Qt::DownArrow)) arrow = b;
    ASSERT_NE(arrow, nullptr);
    for (int n = 0; n < std::abs(delta); ++n) QTest::mouseClick(arrow, Qt::LeftButton);
  }

 private:
  CQtPageHost m_host;
};

enum class HostKind { kMemory, kQt };

class HostContract : public ::testing::TestWithParam<HostKind> {
 protected:
  template <typename Page>
  std::unique_ptr<Driver> Open(Page& page, CZaradDoc* doc, bool simulating = false) {
    std::unique_ptr<Driver> driver;
    if (GetParam() == HostKind::kMemory)
      driver = std::make_unique<MemoryDriver>(page);
    else
      driver = std::make_unique<QtDriver>(page);
    page.Attach(&driver->Host(), CPageContext{doc, simulating});
    page.Initialise();
    return driver;
  }
};

TEST_P(HostContract, TypingStripsTheNameAndMarksThePage) {
  CDiagramBuilder d;
  CBasicFunPar page;
  page.m_strName = u"Ä1";
  auto driver = Open(page, &d.Doc());
  EXPECT_EQ(driver->Host().GetText(kIdBlockName), CString(u"Ä1"));  // the program's text stays
  EXPECT_FALSE(page.IsModified());
  driver->Type(kIdBlockName, u"Tür");
  EXPECT_EQ(driver->Host().GetText(kIdBlockName), CString(u"Tr"));
  EXPECT_TRUE(page.IsModified());
  driver->Type(kIdBlockName, u"ABCDEFGHIJ");
  EXPECT_EQ(driver->Host().GetText(kIdBlockName), CString(u"ABCDEFGH"));
}

TEST_P(HostContract, TimeFieldsClampNotifyAndSwapOnReference) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(400);
  d.Add(800);
  CSpecialFunPar page;
  page.m_nBlockNumber = own->m_nNumber;
  page.m_bRefAllowed = 1;
  page.m_nUnit1 = TIMEBASE_HOURS;
  auto driver = Open(page, &d.Doc(), true);
  CControlHost& host = driver->Host();
  EXPECT_EQ(host.GetCurSel(CSpecialFunPar::kIdUnit), TIMEBASE_HOURS);
  driver->Type(CSpecialFunPar::kIdLow, u"75");
  EXPECT_EQ(host.GetText(CSpecialFunPar::kIdLow), CString(u"59"));
  driver->Type(CSpecialFunPar::kIdHigh, u"1x2");  // digits only
  EXPECT_EQ(host.GetText(CSpecialFunPar::kIdHigh), CString(u"12"));
  EXPECT_EQ(host.GetTip(CSpecialFunPar::kIdLow), CString(u"Number between 0 and 59"));
  driver->Choose(CSpecialFunPar::kIdUnit, TIMEBASE_SECONDS);
  EXPECT_EQ(page.m_nUnit1, TIMEBASE_SECONDS);
  EXPECT_EQ(host.GetTip(CSpecialFunPar::kIdLow), CString(u"Number between 0 and 99"));
  host.SetCurSel(CSpecialFunPar::kIdUnit, TIMEBASE_MINUTES);  // the program's selection does not notify
  EXPECT_EQ(page.m_nUnit1, TIMEBASE_SECONDS);

  driver->Click(CSpecialFunPar::kIdReference);
  EXPECT_TRUE(host.IsVisible(CSpecialFunPar::kIdRefList));
  EXPECT_FALSE(host.IsVisible(CSpecialFunPar::kIdHigh));
  EXPECT_NE(page.m_pRef[0], nullptr);
  driver->Click(CSpecialFunPar::kIdReference);
  EXPECT_FALSE(host.IsVisible(CSpecialFunPar::kIdRefList));
  EXPECT_EQ(host.GetText(CSpecialFunPar::kIdHigh), CString(u"12"));
  EXPECT_TRUE(host.IsVisible(kIdValueBox));
  EXPECT_EQ(host.GetText(kIdValueBox), CString(u"Current Parameter Value"));
}

TEST_P(HostContract, ChecksAndTruthTableRows) {
  CDiagramBuilder d;
  CBoolean page;
  page.m_nTruthTable = 0x8001;
  auto driver = Open(page, &d.Doc());
  EXPECT_EQ(driver->Host().GetCurSel(CBoolean::kIdFirstRow + 15), 1);
  driver->Choose(CBoolean::kIdFirstRow + 1, 1);
  EXPECT_EQ(page.m_nTruthTable, 0x8003);
  driver->Click(kIdProtection);
  EXPECT_EQ(driver->Host().GetCheck(kIdProtection), 1);
  ASSERT_TRUE(page.UpdateData(true));
  EXPECT_EQ(page.m_bProtection, 1);
}

TEST_P(HostContract, ModulePictureFollowsTheModuleAndKeepsItsCaptionAsName) {
  CDiagramBuilder d;
  d.Add(600)->m_nOperand = 0;
  CConstantsIOPar page;
  page.m_nType = 600;
  page.m_nOperandIndex = 1;
  auto driver = Open(page, &d.Doc());
  CControlHost& host = driver->Host();
  EXPECT_EQ(host.GetPictureState(CConstantsIOPar::kIdPicture), 0);
  driver->Choose(CConstantsIOPar::kIdModule, 5);
  EXPECT_EQ(host.GetPictureState(CConstantsIOPar::kIdPicture), 5);
  host.SetText(CConstantsIOPar::kIdPicture, u"Modules");
  EXPECT_EQ(host.GetText(CConstantsIOPar::kIdPicture), CString(u"Modules"));
}

TEST_P(HostContract, DecimalSpinStepsItsBuddyByHundredths) {
  CDiagramBuilder d;
  CStopWatch page;
  page.m_nType = 873;
  page.m_dAmplification = 0.0;
  auto driver = Open(page, &d.Doc());
  CControlHost& host = driver->Host();
  driver->Spin(CStopWatch::kIdSpin, -1);
  EXPECT_EQ(host.GetText(CStopWatch::kIdValue), CString(u"-0.01"));
  EXPECT_EQ(host.GetFocus(), CStopWatch::kIdValue);
  EXPECT_TRUE(page.IsModified());
  driver->Spin(CStopWatch::kIdSpin, 2);
  EXPECT_EQ(host.GetText(CStopWatch::kIdValue), CString(u"0.01"));
  driver->Type(CStopWatch::kIdValue, u"9999.99");
  driver->Spin(CStopWatch::kIdSpin, 2);
  EXPECT_EQ(host.GetText(CStopWatch::kIdValue), CString(u"10000"));
  ASSERT_TRUE(page.UpdateData(true));
  EXPECT_DOUBLE_EQ(page.m_dAmplification, 10000.0);
}

INSTANTIATE_TEST_SUITE_P(BothHosts, HostContract, ::testing::Values(HostKind::kMemory, HostKind::kQt),
                         [](const auto& info) { return info.param == HostKind::kMemory ? "Memory" : "Qt"; });

}  // namespace
