// The flat icon button driven with the mouse.
#include "controls/gui/flat_icon_button.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

QPixmap Square(Qt::GlobalColor c) {
  QPixmap p(16, 16);
  p.fill(c);
  return p;
}

TEST(FlatIconButtonGui, CheckBoxButtonTogglesOnEveryClick) {
  CFlatIconButton power(u"Power", BS_AUTOCHECKBOX);
  power.resize(80, 30);
  QSignalSpy clicks(&power, &QAbstractButton::clicked);
  QTest::mouseClick(&power, Qt::LeftButton);
  EXPECT_TRUE(power.GetCheck());
  EXPECT_TRUE(power.hasFocus() || !power.isVisible());
  QTest::mouseClick(&power, Qt::LeftButton);
  EXPECT_FALSE(power.GetCheck());
  EXPECT_EQ(clicks.count(), 2);
  power.SetCheck(true);
  EXPECT_TRUE(power.GetCheck());
  EXPECT_TRUE(power.isChecked());
}

TEST(FlatIconButtonGui, DoubleClickCountsAsTwoClicks) {
  CFlatIconButton step(u"Step");
  step.resize(80, 30);
  QSignalSpy clicks(&step, &QAbstractButton::clicked);
  QTest::mouseClick(&step, Qt::LeftButton);
  QTest::mouseDClick(&step, Qt::LeftButton);
  QTest::mouseRelease(&step, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_FALSE(step.GetCheck());
}

TEST(FlatIconButtonGui, FlatButtonHighlightsUnderTheMouse) {
  QWidget bar;
  auto* layout = new QVBoxLayout(&bar);
  auto* flat = new CFlatIconButton(u"Start");
  auto* raised = new CFlatIconButton(u"I1");
  raised->SetFlat(false);
  raised->SetIconAlignment(BTNST_ALIGN_VERT);
  EXPECT_EQ(flat->SetIcon(Square(Qt::green), Square(Qt::gray)), BTNST_OK);
  EXPECT_EQ(flat->SetIcon(QPixmap()), BTNST_INVALIDRESOURCE);
  flat->ShiftStateColor(BTNST_COLOR_BK_IN, 30);
  flat->SetTipText(u"Start simulation");
  layout->addWidget(flat);
  layout->addWidget(raised);
  bar.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  EXPECT_EQ(flat->toolTip(), QString("Start simulation"));

  QTest::mouseMove(flat);
  EXPECT_TRUE(flat->IsHovering());
  QTest::mouseMove(raised);
  EXPECT_FALSE(flat->IsHovering());
  EXPECT_FALSE(raised->IsHovering());  // a raised button shows no hover change

  QTest::mouseMove(flat);
  EXPECT_TRUE(flat->IsHovering());
  flat->setEnabled(false);  // disabling ends the highlight
  EXPECT_FALSE(flat->IsHovering());

  // A palette (system colour) change restores the state colours.
  EXPECT_NE(flat->GetColor(BTNST_COLOR_BK_IN), flat->GetColor(BTNST_COLOR_BK_OUT));
  QPalette pal = flat->palette();
  pal.setColor(QPalette::Button, QColor(200, 100, 50));
  flat->setPalette(pal);
  EXPECT_EQ(flat->GetColor(BTNST_COLOR_BK_IN), RGB(200, 100, 50));
  EXPECT_EQ(flat->GetColor(BTNST_COLOR_BK_OUT), RGB(200, 100, 50));
  flat->SetTipText(u"off", false);
  EXPECT_TRUE(flat->toolTip().isEmpty());
}

}  // namespace
