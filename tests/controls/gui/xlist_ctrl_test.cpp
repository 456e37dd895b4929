// The extended list control and its header driven with the mouse.
#include "controls/gui/xlist_ctrl.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace {

// Dark pixels in the rows [top, bottom) of an image.
int InkRows(const QImage& image, int top, int bottom) {
  int ink = 0;
  for (int y = top; y < bottom && y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
  }
  return ink;
}

struct CloseAll {
  CXListCtrl list;
  CloseAll(int rows) {
    list.resize(360, 200);
    list.InsertColumn(0, u"Save", LVCFMT_LEFT, 50);
    list.InsertColumn(1, u"File Name", LVCFMT_LEFT, 280);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT);
    list.GetHeaderCtrl()->SetImageList(CXHeaderCtrl::StandardCheckImages());
    list.SetHeaderCheckState(0, 1);
    for (int row = 0; row < rows; ++row) {
      list.InsertItem(row, CString());
      list.SetCheckbox(row, 0, 0);
      list.SetItemText(row, 1, FormatString(u"Diagram%d.bfb", row + 1));
    }
    list.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
  }
  QPoint CellCentre(int row, int column) {
    return list.visualRect(list.model()->index(row, column)).center();
  }
};

TEST(XListCtrlGui, EmptyListSaysSoUntilARowComes) {
  CloseAll c(0);
  const QImage empty = c.list.viewport()->grab().toImage();
  EXPECT_GT(InkRows(empty, 10, 40), 0);
  EXPECT_EQ(InkRows(empty, 0, 10), 0);
  c.list.InsertItem(0, u"");
  const QImage filled = c.list.viewport()->grab().toImage();
  EXPECT_EQ(InkRows(filled, 25, 60), 0);
}

TEST(XListCtrlGui, ClickingACheckBoxCellTogglesAndNotifies) {
  CloseAll c(5);
  QSignalSpy spy(&c.list, &CXListCtrl::checkBoxClicked);
  EXPECT_EQ(c.list.GetCurSel(), -1);
  // Anywhere in the cell, not only on the box.
  QPoint p = c.CellCentre(3, 0);
  p.rx() -= 20;
  QTest::mouseClick(c.list.viewport(), Qt::LeftButton, {}, p);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy[0][0].toInt(), 3);
  EXPECT_EQ(spy[0][1].toInt(), 0);
  EXPECT_EQ(c.list.GetCheckbox(3, 0), 1);
  EXPECT_EQ(c.list.GetCurSel(), 3);  // the click then selects the row
  // A text cell selects without toggling anything.
  QTest::mouseClick(c.list.viewport(), Qt::LeftButton, {}, c.CellCentre(1, 1));
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(c.list.GetCurSel(), 1);
  // The program's changes send nothing.
  c.list.SetCheckbox(0, 0, 1);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_FALSE(c.list.SetItemText(0, 2, u"beyond"));
  EXPECT_TRUE(c.list.SetCurSel(4));
  EXPECT_EQ(c.list.GetCurSel(), 4);
}

TEST(XListCtrlGui, TrackSelectPicksTheRowTheMouseRestsOn) {
  CloseAll c(4);
  QTest::mouseMove(c.list.viewport(), c.CellCentre(2, 1));
  EXPECT_EQ(c.list.GetCurSel(), -1);
  QTRY_COMPARE_WITH_TIMEOUT(c.list.GetCurSel(), 2, 2000);
  c.list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  QTest::mouseMove(c.list.viewport(), c.CellCentre(0, 1));
  QTest::qWait(2 * CXListCtrl::kTrackSelectDelay);
  EXPECT_EQ(c.list.GetCurSel(), 2);
}

TEST(XListCtrlGui, HeaderCheckBoxChecksTheColumn) {
  CloseAll c(3);
  QSignalSpy spy(&c.list, &CXListCtrl::checkBoxClicked);
  QHeaderView* header = c.list.header();
  const QPoint save(header->sectionViewportPosition(0) + 25, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, save);
  EXPECT_EQ(c.list.GetHeaderCheckState(0), 2);
  EXPECT_EQ(c.list.CountCheckedRows(0), 3);
  EXPECT_EQ(spy.count(), 0);
  // Unchecking one row by a click turns the header back to unchecked.
  QTest::mouseClick(c.list.viewport(), Qt::LeftButton, {}, c.CellCentre(2, 0));
  EXPECT_EQ(c.list.GetHeaderCheckState(0), 1);
  // The name column has no header check box: its clicks change nothing.
  const QPoint name(header->sectionViewportPosition(1) + 40, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
  EXPECT_EQ(c.list.GetHeaderCheckState(1), 0);
  EXPECT_EQ(c.list.CountCheckedRows(0), 2);
}

TEST(XListCtrlGui, ProgressCellFillsItsShare) {
  CloseAll c(1);
  XListCellInfo* cell = c.list.Cells().Cell(0, 1);
  cell->bShowProgress = true;
  cell->nProgressPercent = 50;
  cell->bShowProgressText = false;
  c.list.RedrawCell(0, 1);
  const QRect r = c.list.visualRect(c.list.model()->index(0, 1));
  const QImage image = c.list.viewport()->grab().toImage();
  const QColor highlight = c.list.palette().color(QPalette::Active, QPalette::Highlight);
  auto isBar = [&](int x) {  // the grab may round a channel by a step or two
    const QColor px = image.pixelColor(x, r.center().y());
    return std::abs(px.red() - highlight.red()) + std::abs(px.green() - highlight.green()) +
               std::abs(px.blue() - highlight.blue()) <
           8;
  };
  EXPECT_TRUE(isBar(r.left() + r.width() / 4));
  EXPECT_FALSE(isBar(r.left() + 3 * r.width() / 4));
}

TEST(XListCtrlGui, HeaderTitlesAreBlueAndCentred) {
  CloseAll c(1);
  QHeaderView* header = c.list.header();
  const QImage image = header->viewport()->grab().toImage();
  // Blue title pixels lie in the name column, around its middle.
  const int x0 = header->sectionViewportPosition(1);
  const int w = header->sectionSize(1);
  int left = w, right = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      const QColor px = image.pixelColor(x, y);
      if (px.blue() > 180 && px.red() < 120 && px.green() < 120) {
        left = std::min(left, x - x0);
        right = std::max(right, x - x0);
      }
    }
  }
  ASSERT_GE(right, 0);
  EXPECT_NEAR((left + right) / 2.0, w / 2.0, 4);
}

}  // namespace
