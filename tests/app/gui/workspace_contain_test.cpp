// The palette tab container: its tabs switch the view's category, its toggle
// request reaches a notification window only when one is set.
#include "app/workspace_contain.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "app/workspace_view.h"
#include "model/toolbox_lists.h"

namespace {

class ToggleCounter : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == kContainToggleEvent) {
      ++count;
      return true;
    }
    return QObject::event(e);
  }
  int count = 0;
};

TEST(WorkSpaceContainTest, TabsSwitchTheCategory) {
  BuildToolboxLists();
  CWorkSpaceContain contain;
  contain.resize(200, 400);
  contain.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(contain.GetView()->geometry(), QRect(30, 35, 170, 381));
  // Tab hit areas: x 2..21, y 5 + 49 i .. + 44.
  EXPECT_EQ(contain.TabAt({2, 5}), 0);
  EXPECT_EQ(contain.TabAt({21, 49 + 5 + 44}), 1);
  EXPECT_EQ(contain.TabAt({22, 60}), -1);
  EXPECT_EQ(contain.TabAt({10, 5 + 49 * 5}), -1);

  ToggleCounter notify;
  QTest::mouseClick(&contain, Qt::LeftButton, {}, QPoint(10, 5 + 49 * 2 + 20));
  EXPECT_EQ(contain.GetSelectedTab(), 2);
  EXPECT_EQ(contain.GetView()->m_nCategory, 2);
  // A click outside the tabs changes nothing.
  QTest::mouseClick(&contain, Qt::LeftButton, {}, QPoint(10, 380));
  EXPECT_EQ(contain.GetSelectedTab(), 2);
  // Toggle requests go to a set notification window, on a click only while the container is narrow.
  QTest::mouseDClick(&contain, Qt::LeftButton, {}, QPoint(10, 20));
  QCoreApplication::processEvents();
  EXPECT_EQ(notify.count, 0);
  contain.SetNotifyWindow(&notify);
  QTest::mouseClick(&contain, Qt::LeftButton, {}, QPoint(10, 30));
  QCoreApplication::processEvents();
  EXPECT_EQ(notify.count, 0);
  QTest::mouseDClick(&contain, Qt::LeftButton, {}, QPoint(10, 30));
  QCoreApplication::processEvents();
  EXPECT_GE(notify.count, 1);
  const int before = notify.count;
  contain.resize(25, 400);
  QTest::mouseClick(&contain, Qt::LeftButton, {}, QPoint(10, 5 + 49 * 3 + 20));
  QCoreApplication::processEvents();
  EXPECT_EQ(notify.count, before + 1);
  EXPECT_EQ(contain.GetView()->m_nCategory, 3);

  // The picture: the marker of tab 0 and the dark outline of the header band.
  contain.resize(200, 400);
  const QImage image = contain.Render();
  EXPECT_EQ(QColor(image.pixel(10, 5 + 43)), QColor(12, 46, 52));
  EXPECT_EQ(QColor(image.pixel(100, 0)), QColor(Qt::black));
}

}  // namespace
