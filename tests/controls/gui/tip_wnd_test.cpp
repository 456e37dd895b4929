// The two tip windows driven by the cursor, keys and timers.
#include <gtest/gtest.h>

#include <QCursor>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "controls/gui/info_tip_wnd.h"
#include "controls/gui/popup_tip_wnd.h"

namespace {

struct Owner {
  QWidget window;
  QLineEdit* first = new QLineEdit;
  QLineEdit* second = new QLineEdit;
  Owner() {
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.setGeometry(100, 100, 400, 60);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
};

TEST(InfoTipGui, HoverShowsTheToolTextBelowTheCursor) {
  Owner owner;
  CInfoTipWnd tip;
  ASSERT_TRUE(tip.Create(&owner.window));
  EXPECT_FALSE(tip.AddTool(nullptr, u"none"));
  ASSERT_TRUE(tip.AddTool(owner.first, u"Number between 0 and 100"));
  ASSERT_TRUE(tip.AddCallbackTool(owner.second, nullptr, 7));
  tip.SetNeedText([](UINT id, QWidget*) { return id == 7 ? CString(u"asked 7") : CString(); });

  QTest::mouseMove(owner.first, QPoint(10, 5));
  EXPECT_FALSE(tip.isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(tip.isVisible(), 2000);
  EXPECT_EQ(tip.ShownText(), CString(u"Number between 0 and 100"));
  EXPECT_EQ(tip.geometry().topLeft(), QCursor::pos() + QPoint(0, 20));

  QTest::keyClick(owner.first, Qt::Key_A);  // a key hides it
  EXPECT_FALSE(tip.isVisible());

  QTest::mouseMove(owner.second, QPoint(10, 5));  // another tool: shown after the delay
  QTRY_VERIFY_WITH_TIMEOUT(tip.isVisible(), 2000);
  EXPECT_EQ(tip.ShownText(), CString(u"asked 7"));

  tip.RemoveTool(owner.second, 7);
  EXPECT_FALSE(tip.isVisible());
}

TEST(InfoTipGui, SilentCallbackAndNoToolShowNothing) {
  Owner owner;
  CInfoTipWnd tip;
  tip.Create(&owner.window);
  tip.AddCallbackTool(owner.first);  // the owner answers nothing
  QTest::mouseMove(owner.first, QPoint(10, 5));
  QTest::qWait(800);
  EXPECT_FALSE(tip.isVisible());
  EXPECT_EQ(tip.FindToolAt(owner.second->geometry().center()), -1);
}

TEST(PopupTipGui, OpensAtTheAnchorAfterRestAndHidesOnMove) {
  QWidget host;
  host.setGeometry(200, 200, 300, 200);
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  CPopupTipWnd tip;
  ASSERT_TRUE(tip.Create(&host));

  tip.ShowTip(CString());  // nothing scheduled: nothing happens
  EXPECT_FALSE(tip.IsPending());

  QCursor::setPos(350, 300);
  tip.ShowTip(u"B001\nOn Delay");  // anchored at the cursor
  EXPECT_EQ(tip.GetAnchor(), CPoint(350, 300));
  EXPECT_TRUE(tip.IsPending());
  QTRY_VERIFY_WITH_TIMEOUT(tip.isVisible(), 2000);
  const BalloonLayout layout = tip.Measure();
  EXPECT_GT(layout.h, 2 * tip.fontMetrics().height());  // two lines
  EXPECT_EQ(tip.geometry().topLeft() + QPoint(layout.TailTip().x, layout.TailTip().y), QPoint(350, 300));
  EXPECT_FALSE(tip.mask().isEmpty());

  // A relayed move that stays on the anchor keeps it; a press hides it.
  QMouseEvent still(QEvent::MouseMove, QPointF(150, 100), QPointF(350, 300), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  tip.RelayEvent(&still);
  EXPECT_TRUE(tip.isVisible());
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(150, 100), QPointF(350, 300), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  tip.RelayEvent(&press);
  EXPECT_FALSE(tip.isVisible());

  // A one-pixel move while it is shown hides it within the poll.
  tip.ShowTip(u"again");
  QTRY_VERIFY_WITH_TIMEOUT(tip.isVisible(), 2000);
  QCursor::setPos(351, 300);
  QTRY_VERIFY_WITH_TIMEOUT(!tip.isVisible(), 2000);
}

}  // namespace
