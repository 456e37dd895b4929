// The flat toolbar, the flat combo box and the caption bar.
#include "controls/gui/cj_flat_bars.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMainWindow>
#include <QTest>
#include <QToolButton>

namespace {

TEST(CJFlatBarsTest, ToolBarIsMovableWithItsFont) {
  CCJToolBar bar;
  EXPECT_TRUE(bar.isMovable());
  EXPECT_EQ(bar.font().pointSize(), 8);
}

TEST(CJFlatBarsTest, ComboBoxFrameFollowsPressAndFocus) {
  QWidget host;
  auto* combo = new CCJComboBox(&host);
  combo->addItems({"one", "two"});
  combo->setGeometry(200, 200, 120, 24);
  auto* other = new QToolButton(&host);
  other->setGeometry(0, 0, 20, 20);
  host.resize(400, 300);
  host.show();
  QCoreApplication::processEvents();
  QCursor::setPos(host.mapToGlobal(QPoint(5, 280)));
  other->setFocus();
  EXPECT_EQ(combo->CurrentFrame(), CCJComboBox::Frame::kFlat);
  combo->setFocus();
  EXPECT_EQ(combo->CurrentFrame(), CCJComboBox::Frame::kHover);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), combo->mapToGlobal(QPointF(10, 10)),
                    Qt::LeftButton, Qt::LeftButton, {});
  QCoreApplication::sendEvent(combo, &press);
  EXPECT_TRUE(combo->IsPressed());
  EXPECT_EQ(combo->CurrentFrame(), CCJComboBox::Frame::kPressed);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), combo->mapToGlobal(QPointF(10, 10)),
                      Qt::LeftButton, Qt::NoButton, {});
  QCoreApplication::sendEvent(combo, &release);
  EXPECT_FALSE(combo->IsPressed());
  combo->hidePopup();
}

TEST(CJFlatBarsTest, CaptionBarButtonsHideAndToggleDocking) {
  QMainWindow frame;
  frame.setCentralWidget(new QWidget);
  auto* bar = new CCaptionSizingBar("Bar", &frame);
  auto* child = new QWidget;
  bar->SetChild(child);
  frame.addDockWidget(Qt::LeftDockWidgetArea, bar);
  frame.resize(600, 400);
  frame.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(bar->GetChild(), child);
  EXPECT_FALSE(bar->isFloating());
  bar->MinimizeButton()->click();
  EXPECT_TRUE(bar->isFloating());
  QTest::mouseDClick(bar->titleBarWidget(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(bar->isFloating());
  bar->HideButton()->click();
  EXPECT_FALSE(bar->isVisible());
}

}  // namespace
