// Check-box cells, the header check state, cell colours and cell geometry of the
// extended list control.
#include "controls/xlist_model.h"

#include <gtest/gtest.h>

namespace {

// The "Close All" list: a "Save" check-box column with a header check box and names.
CXListModel CloseAllList(int rows) {
  CXListModel list;
  list.InsertColumn(0, u"Save", LVCFMT_LEFT);
  list.InsertColumn(1, u"File Name", LVCFMT_LEFT);
  list.SetHeaderCheckState(0, 1);
  for (int row = 0; row < rows; ++row) {
    list.InsertItem(row, CString());
    list.SetItemText(row, 1, FormatString(u"doc%d.bfb", row));
    list.SetCheckbox(row, 0, 0);
  }
  return list;
}

TEST(XListModel, RowsAndTexts) {
  CXListModel list = CloseAllList(2);
  EXPECT_EQ(list.InsertItem(-1, u"x"), -1);
  EXPECT_EQ(list.InsertItem(99, u"last"), 2);  // beyond the end: appended
  EXPECT_EQ(list.GetItemText(2, 0), CString(u"last"));
  EXPECT_FALSE(list.SetItemText(0, 2, u"beyond the last column"));
  EXPECT_FALSE(list.SetItemText(5, 0, u"no row"));
  EXPECT_EQ(list.GetItemText(1, 1), CString(u"doc1.bfb"));
  EXPECT_TRUE(list.DeleteItem(0));
  EXPECT_FALSE(list.DeleteItem(5));
  EXPECT_EQ(list.GetItemText(0, 1), CString(u"doc1.bfb"));
  EXPECT_EQ(list.GetHeaderCheckState(7), -1);
  EXPECT_FALSE(list.SetHeaderCheckState(7, 1));
  EXPECT_EQ(list.CountCheckedRows(7), 0);
  // A column added after a row has no cell record in that row.
  list.InsertColumn(2, u"Late");
  EXPECT_EQ(list.Cell(0, 2), nullptr);
  EXPECT_FALSE(list.SetCheckbox(0, 2, 1));
}

TEST(XListModel, ClicksToggleCheckBoxesAndTheHeaderFollows) {
  CXListModel list = CloseAllList(3);
  auto click = list.OnCellClick(2, 0);
  EXPECT_TRUE(click.toggled);
  EXPECT_EQ(list.GetCheckbox(2, 0), 1);
  EXPECT_EQ(list.GetHeaderCheckState(0), 1);
  list.OnCellClick(0, 0);
  list.OnCellClick(1, 0);
  EXPECT_EQ(list.GetHeaderCheckState(0), 2);  // every row checked
  EXPECT_EQ(list.CountCheckedRows(0), 3);
  list.SetCheckbox(1, 0, 0);
  EXPECT_EQ(list.GetHeaderCheckState(0), 1);
  // A text cell does not toggle; a disabled row swallows the click.
  EXPECT_FALSE(list.OnCellClick(0, 1).toggled);
  list.Cell(0, 0)->bEnabled = false;
  click = list.OnCellClick(0, 0);
  EXPECT_TRUE(click.swallowed);
  EXPECT_EQ(list.GetCheckbox(0, 0), 1);
}

TEST(XListModel, ColumnClickChecksTheWholeColumn) {
  CXListModel list = CloseAllList(3);
  EXPECT_TRUE(list.OnColumnClick(0));
  EXPECT_EQ(list.GetHeaderCheckState(0), 2);
  EXPECT_EQ(list.CountCheckedRows(0), 3);
  EXPECT_TRUE(list.OnColumnClick(0));
  EXPECT_EQ(list.GetHeaderCheckState(0), 1);
  EXPECT_EQ(list.CountCheckedRows(0), 0);
  // A column whose header image index is 0 ignores column clicks.
  EXPECT_FALSE(list.OnColumnClick(1));
  EXPECT_EQ(list.GetCheckbox(0, 1), -1);
  // Setting a check box in a column without header check box leaves the header alone.
  list.SetCheckbox(0, 1, 1);
  EXPECT_EQ(list.GetHeaderCheckState(1), 0);
}

TEST(XListModel, CellColoursFollowTheSelectionRules) {
  const XListSystemColors sys;
  const XCellColors cell{RGB(1, 2, 3), RGB(4, 5, 6)};
  const XCellColors high{sys.highlight_text, sys.highlight};
  struct Case {
    bool selected, full_row, focus, show_always;
    int column;
    XCellColors expected;
  } cases[] = {
      {false, true, true, false, 0, cell},
      {true, true, true, false, 1, high},
      {true, true, false, false, 1, cell},  // full row, no focus: the given colours
      {true, false, true, false, 0, high},
      {true, false, true, false, 1, cell},
      {true, false, false, true, 0, {sys.window_text, sys.face}},
      {true, false, false, false, 0, cell},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetCellColors(cell, c.selected, c.full_row, c.focus, c.show_always, c.column, sys), c.expected);
  }
  // A selected text cell is given the highlight first, so it keeps it without focus.
  EXPECT_EQ(GetCellColors(high, true, true, false, false, 1, sys), high);
}

TEST(XListModel, CheckBoxCellGeometry) {
  // Without text the box is centred; with text it starts 9 pixels in, the text 4 after.
  const CRect cell(0, 0, 60, 17);
  const XCheckBoxLayout centred = LayoutCheckBoxCell(cell, false);
  EXPECT_EQ(centred.box, CRect(30 - 8 - 1 + 1, 0, 30 - 8 - 1 + 16, 16));
  const XCheckBoxLayout left = LayoutCheckBoxCell(CRect(100, 20, 200, 37), true);
  EXPECT_EQ(left.box.left, 110);
  EXPECT_EQ(left.text.left, left.box.right + 4);
  EXPECT_EQ(left.strokes[0], CPoint(119, 23));
  EXPECT_EQ(left.strokes[6], CPoint(113, 25));
}

TEST(XListModel, HeaderColumnGeometry) {
  const CRect column(0, 0, 120, 20);
  const XHeaderColumnLayout plain = LayoutHeaderColumn(column, 0, true, CSize(16, 16));
  EXPECT_FALSE(plain.draw_image);
  EXPECT_EQ(plain.text, CRect(6, 0, 114, 20));
  const XHeaderColumnLayout checked = LayoutHeaderColumn(column, 2, true, CSize(16, 16));
  EXPECT_TRUE(checked.draw_image);
  EXPECT_EQ(checked.image, CRect(6, 2, 22, 18));
  EXPECT_EQ(checked.text, CRect(28, 0, 114, 20));  // 16 + 6 right of the narrowed edge
  EXPECT_FALSE(LayoutHeaderColumn(column, 2, false, CSize(16, 16)).draw_image);
}

}  // namespace
