// The grid control without a display: structure, cell access, order, sizes,
// geometry and sorting.
#include <gtest/gtest.h>

#include "controls/grid_fake_window.h"

namespace {

TEST(GridStructure, CountsFixedStatesAndFocus) {
  FakeGridWindow window;
  CGridCtrl grid(1, 3);
  grid.AttachWindow(&window);
  EXPECT_EQ(grid.GetRowCount(), 1);
  // Two fixed rows on a grid of one row grow it first.
  ASSERT_TRUE(grid.SetFixedRowCount(2));
  EXPECT_EQ(grid.GetRowCount(), 2);
  EXPECT_EQ(grid.GetItemState(1, 2) & (GVIS_FIXED | GVIS_FIXEDROW), GVIS_FIXED | GVIS_FIXEDROW);
  ASSERT_TRUE(grid.SetFixedColumnCount(1));
  EXPECT_EQ(grid.GetItemState(1, 0) & 0x70u, 0x70u);
  // Reducing the fixed rows to 1: row 1 keeps 0x50 in the fixed column, nothing elsewhere.
  ASSERT_TRUE(grid.SetFixedRowCount(1));
  EXPECT_EQ(grid.GetItemState(1, 0) & 0x70u, 0x50u);
  EXPECT_EQ(grid.GetItemState(1, 2) & 0x70u, 0u);
  // The focus cell goes when its row becomes fixed.
  grid.SetRowCount(4);
  grid.SetFocusCell(2, 2);
  EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(2, 2));
  grid.SetFixedRowCount(3);
  EXPECT_EQ(grid.GetFocusCell(), CGridCellPos());
  // An empty grid has no cells and draws only its background.
  CGridCtrl empty;
  EXPECT_EQ(empty.GetRowCount(), 0);
  EXPECT_EQ(empty.GetCell(0, 0), nullptr);
  EXPECT_EQ(empty.GetItemText(3, 3), CString());
}

TEST(GridStructure, ItemAccessModifiedAndSortMarker) {
  CGridCtrl grid(3, 3, 1, 0);
  EXPECT_TRUE(grid.SetItemText(1, 1, CString(u"x")));
  EXPECT_EQ(grid.GetItemText(1, 1), CString(u"x"));
  EXPECT_TRUE(grid.GetModified(1, 1));
  EXPECT_FALSE(grid.SetItemText(5, 1, CString(u"x")));
  EXPECT_EQ(grid.GetItemText(-1, 0), CString());
  // A text change in the sort column removes the sort marker.
  grid.SetSortColumn(2);
  grid.SetItemText(1, 2, CString(u"y"));
  EXPECT_EQ(grid.GetSortColumn(), -1);
  // Grid-level "not modified" clears every cell's bit.
  grid.SetModified(FALSE);
  EXPECT_FALSE(grid.GetModified(1, 1));
  // The default cell reports read-only whatever was stored.
  EXPECT_TRUE(grid.GetDefaultCell(FALSE, FALSE)->GetState() & GVIS_READONLY);
  // Replacing a cell's class keeps its attributes.
  grid.SetItemBkColour(1, 1, RGB(1, 2, 3));
  ASSERT_TRUE(grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCell)));
  EXPECT_EQ(grid.GetItemText(1, 1), CString(u"x"));
  EXPECT_EQ(grid.GetCell(1, 1)->GetBackClr(), RGB(1, 2, 3));
}

BOOL FillVirtual(GridDispInfo* info, LPARAM lParam) {
  auto* seen = reinterpret_cast<std::vector<DWORD>*>(lParam);
  seen->push_back(info->item.nState);
  info->item.strText.Format(u"%d:%d", info->item.row, info->item.col);
  return TRUE;
}

TEST(GridStructure, VirtualModeAndRowOrder) {
  FakeGridWindow window;
  CGridCtrl grid;
  grid.AttachWindow(&window);
  grid.SetVirtualMode(TRUE);
  std::vector<DWORD> seen;
  grid.m_pfnCallback = FillVirtual;
  grid.m_lParam = reinterpret_cast<LPARAM>(&seen);
  grid.SetRowCount(5);
  grid.SetColumnCount(3);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  EXPECT_FALSE(grid.m_bEditable);
  EXPECT_EQ(grid.GetItemText(0, 0), CString(u"0:0"));
  EXPECT_EQ(seen.back() & 0x70u, 0x70u);
  // Changers fail, the selection still follows SetItemState.
  EXPECT_FALSE(grid.SetItemText(2, 2, CString(u"q")));
  EXPECT_FALSE(grid.SetItemState(2, 2, GVIS_SELECTED));
  EXPECT_TRUE(grid.IsCellSelected(2, 2));
  // A moved row lands just after the row that was at the target index.
  grid.MoveRowOrder(1, 3);
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 2, 3, 1, 4}));
  EXPECT_EQ(grid.GetItemText(3, 1), CString(u"1:1"));
  grid.MoveRowOrder(3, 1);
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 2, 1, 3, 4}));
}

TEST(GridSizes, ExpandToFitSpreadsTheRemainderFromTheLeft) {
  struct Case {
    int client;
    std::vector<int> widths;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {157, {30, 30, 30, 30, 30}, {32, 32, 31, 31, 31}},
      {83, {30, 30, 30}, {27, 28, 28}},
      // A hidden column stays hidden and still uses up its remainder position.
      {101, {0, 30, 30}, {0, 50, 50}},
      // Narrow columns in a much smaller area keep at least one pixel.
      {5, {2, 40, 40}, {1, 14, 15}},
  };
  for (const Case& c : cases) {
    FakeGridWindow window(CSize(c.client, 100));
    CGridCtrl grid(1, static_cast<int>(c.widths.size()));
    grid.AttachWindow(&window);
    for (size_t i = 0; i < c.widths.size(); ++i) grid.SetColumnWidth(static_cast<int>(i), c.widths[i]);
    grid.SetRowHeight(0, 10);
    grid.ExpandColumnsToFit(TRUE);
    std::vector<int> got;
    for (int i = 0; i < grid.GetColumnCount(); ++i) got.push_back(grid.GetColumnWidth(i));
    EXPECT_EQ(got, c.expected) << "client " << c.client;
  }
}

TEST(GridSizes, SettersRefuseNegativeAndAutoSizeKeepsHidden) {
  FakeGridWindow window;
  CGridCtrl grid(3, 3, 1, 0);
  grid.AttachWindow(&window);
  EXPECT_FALSE(grid.SetRowHeight(1, -1));
  EXPECT_FALSE(grid.SetColumnWidth(1, -1));
  EXPECT_TRUE(grid.SetColumnWidth(2, 0));
  grid.SetItemText(0, 0, CString(u"Heading"));
  grid.SetItemText(2, 0, CString(u"a much longer value"));
  const int dataHeight = grid.GetRowHeight(2);
  grid.AutoSize(GVS_HEADER);
  EXPECT_EQ(grid.GetColumnWidth(2), 0);
  EXPECT_EQ(grid.GetRowHeight(2), dataHeight);  // rows outside the style keep their height
  const int headerOnly = grid.GetColumnWidth(0);
  grid.AutoSizeColumns(GVS_BOTH);
  EXPECT_GT(grid.GetColumnWidth(0), headerOnly);
  EXPECT_EQ(grid.GetColumnWidth(2), 0);
}

TEST(GridGeometry, CellsFromPointsRectanglesAndScrollBars) {
  FakeGridWindow window(CSize(100, 100));
  CGridCtrl grid(20, 20, 1, 1);
  grid.AttachWindow(&window);
  for (int i = 0; i < 20; ++i) {
    grid.SetColumnWidth(i, 10);
    grid.SetRowHeight(i, 10);
  }
  EXPECT_TRUE(window.BarShown(SB_VERT));
  EXPECT_TRUE(window.BarShown(SB_HORZ));
  EXPECT_EQ(grid.GetCellFromPoint(CPoint(15, 25)), CGridCellPos(2, 1));
  EXPECT_EQ(grid.GetCellFromPoint(CPoint(-1, 25)).col, -1);
  EXPECT_EQ(grid.GetCellFromPoint(CPoint(5, 5), FALSE), CGridCellPos(-1, -1));
  CRect rect;
  ASSERT_TRUE(grid.GetCellRect(2, 3, &rect));
  EXPECT_EQ(rect, CRect(30, 20, 39, 29));
  // Scrolled right by one column: column 1 has no origin, a far column still has one.
  grid.OnHScroll(SB_LINERIGHT);
  EXPECT_EQ(grid.GetTopleftNonFixedCell(), CGridCellPos(1, 2));
  CPoint origin;
  EXPECT_FALSE(grid.GetCellOrigin(5, 1, &origin));
  EXPECT_TRUE(grid.GetCellOrigin(5, 19, &origin));
  // Ensuring a far cell visible scrolls it in.
  grid.EnsureVisible(18, 18);
  EXPECT_TRUE(grid.IsCellVisible(18, 18));
  // Content that fits shows no bars and has no scroll range.
  FakeGridWindow big(CSize(1000, 1000));
  CGridCtrl small(3, 3);
  small.AttachWindow(&big);
  EXPECT_FALSE(big.BarShown(SB_VERT));
  EXPECT_EQ(big.ScrollMax(SB_VERT), 0);
}

TEST(GridGeometry, SetFontForcesArial24x8AndWheelScrolls) {
  FakeGridWindow window(CSize(100, 100));
  CGridCtrl grid(30, 2, 1, 0);
  grid.AttachWindow(&window);
  LOGFONT lf;
  lf.lfHeight = -11;
  lf.lfWeight = FW_BOLD;
  lf.lfFaceName = CString(u"Courier");
  grid.SetFont(lf);
  const LOGFONT* got = grid.GetDefaultCell(TRUE, FALSE)->GetFont();
  EXPECT_EQ(got->lfHeight, 24);
  EXPECT_EQ(got->lfWidth, 8);
  EXPECT_EQ(got->lfFaceName, CString(u"Arial"));
  EXPECT_EQ(got->lfWeight, FW_BOLD);
  for (int r = 0; r < 30; ++r) grid.SetRowHeight(r, 10);
  grid.OnMouseWheel(0, -120, CPoint());
  EXPECT_EQ(grid.GetTopleftNonFixedCell().row, 4);
  grid.OnMouseWheel(0, 120, CPoint());
  EXPECT_EQ(grid.GetTopleftNonFixedCell().row, 1);
}

TEST(GridSort, NumericTextAndDescending) {
  CGridCtrl grid(4, 2, 1, 0);
  const char16_t* texts[] = {u"10", u"9", u"x"};
  for (int i = 0; i < 3; ++i) {
    grid.SetItemText(i + 1, 0, CString(texts[i]));
    grid.SetItemText(i + 1, 1, CString(texts[i]));
    grid.SetRowHeight(i + 1, 11 + i);
  }
  auto column = [&] {
    std::vector<CString> v;
    for (int r = 1; r < 4; ++r) v.push_back(grid.GetItemText(r, 0));
    return v;
  };
  grid.SetCompareFunction(CGridCtrl::pfnCellNumericCompare);
  ASSERT_TRUE(grid.SortItems(0, TRUE));
  EXPECT_EQ(column(), (std::vector<CString>{u"x", u"9", u"10"}));
  EXPECT_EQ(grid.GetItemText(3, 1), CString(u"10"));  // the whole row moved
  EXPECT_EQ(grid.GetRowHeight(3), 11);                // with its height
  EXPECT_EQ(grid.GetSortColumn(), 0);
  grid.SetCompareFunction(nullptr);
  ASSERT_TRUE(grid.SortItems(0, TRUE));
  EXPECT_EQ(column(), (std::vector<CString>{u"10", u"9", u"x"}));
  ASSERT_TRUE(grid.SortItems(0, FALSE));
  EXPECT_EQ(column(), (std::vector<CString>{u"x", u"9", u"10"}));
  EXPECT_EQ(grid.GetItemText(0, 0), CString());  // the fixed row never moves
  EXPECT_FALSE(grid.SortItems(CGridCtrl::pfnCellTextCompare, 0, TRUE, 0, 2, 2));
}

bool LessRow(int a, int b) {
  return a < b;
}

TEST(GridSort, VirtualDescendingWithEqualKeysIsAStrictOrder) {
  CGridCtrl grid;
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(6);
  grid.SetColumnCount(1);
  grid.SetFixedRowCount(1);
  grid.m_pfnVirtualCompare = LessRow;
  ASSERT_TRUE(grid.SortItems(0, FALSE));
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 5, 4, 3, 2, 1}));
  ASSERT_TRUE(grid.SortItems(0, TRUE));
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

}  // namespace

namespace {

TEST(GridPaint, AWideCharacterCoversBothCellsWithoutALineBetween) {
  MessageGrid m;
  CGridDataObject data;
  data.text = std::u16string(1, u'\u4E2D');
  m.grid.PasteTextToGrid(CGridCellPos(1, 3), data, FALSE);
  m.grid.SetItemText(1, 6, CString(u"A"));
  CRecordingDC dc;
  m.grid.OnDraw(&dc);
  const DCCall* wide = dc.FindText(CString(u"\u4E2D"));
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->font.lfHeight, 20);
  EXPECT_EQ(wide->font.lfWidth, 16);
  EXPECT_EQ(wide->font.lfFaceName, CString(u"Arial"));
  EXPECT_NE(dc.FindText(CString(u"A")), nullptr);
  // Column 3 ends at x = 40 and column 4 at x = 50: on line 1 (y 20..39) only the latter has a line.
  auto verticalAt = [&](int x) {
    for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine))
      if (c->points[0].x == x && c->points[1].x == x && c->points[0].y == 19) return true;
    for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kPolyline))
      if (c->points[0].x == x && c->points[1].x == x && c->points[0].y == 19) return true;
    return false;
  };
  EXPECT_FALSE(verticalAt(39));
  EXPECT_TRUE(verticalAt(49));
  EXPECT_TRUE(verticalAt(29));
  // With drawing off nothing is painted.
  dc.Clear();
  m.grid.m_bAllowDraw = FALSE;
  m.grid.OnDraw(&dc);
  EXPECT_TRUE(dc.Calls().empty());
}

TEST(GridPrint, OnePageGridPrintsHeaderHeadingsCellsAndFooter) {
  MessageGrid m;
  m.grid.SetItemText(0, 1, CString(u"Col"));
  m.grid.SetItemText(2, 2, CString(u"v"));
  CRecordingDC printer(CSize(2480, 3508), 300);
  CPrintInfo info;
  info.m_strTitle = CString(u"Grid");
  int pages = 0;
  m.grid.PrintAll(&printer, &info, [&] { ++pages; });
  EXPECT_EQ(info.m_nMaxPage, 1);
  EXPECT_EQ(pages, 0);
  EXPECT_NE(printer.FindText(CString(u"Page 1 of 1")), nullptr);
  EXPECT_NE(printer.FindText(CString(u"Grid")), nullptr);
  EXPECT_NE(printer.FindText(CString(u"Col")), nullptr);
  EXPECT_NE(printer.FindText(CString(u"v")), nullptr);
}

}  // namespace

#include "controls/grid_cell_kinds.h"

namespace {

TEST(GridCellKinds, KindsDeriveFromThePlainCellAndEditThroughTheWindow) {
  for (const CRuntimeClass* cls :
       {RUNTIME_CLASS(CGridCellCheck), RUNTIME_CLASS(CGridCellNumeric), RUNTIME_CLASS(CGridCellCombo),
        RUNTIME_CLASS(CGridCellDateTime), RUNTIME_CLASS(CGridURLCell), RUNTIME_CLASS(CGridDefaultCell)})
    EXPECT_EQ(cls->m_pBaseClass, RUNTIME_CLASS(CGridCell)) << cls->m_lpszClassName;

  struct EditorWindow : FakeGridWindow {
    bool OpenInPlaceEditor(const GridEditorRequest& r) override {
      requests.push_back(r);
      return true;
    }
    std::vector<GridEditorRequest> requests;
  } window;
  FakeGridHost host;
  CGridCtrl grid(3, 3, 1, 1);
  grid.SetHost(&host);
  grid.AttachWindow(&window);
  // A plain cell ending an edit without an editor changes nothing and tells nobody.
  grid.SetItemText(1, 1, CString(u"t"));
  grid.GetCell(1, 1)->EndEdit();
  EXPECT_EQ(grid.GetItemText(1, 1), CString(u"t"));
  EXPECT_TRUE(host.notes.empty());

  ASSERT_TRUE(grid.SetCellType(1, 2, RUNTIME_CLASS(CGridCellCombo)));
  auto* combo = static_cast<CGridCellCombo*>(grid.GetCell(1, 2));
  combo->SetOptions({CString(u"Slave"), CString(u"Master")});
  grid.SetFocusCell(1, 2);
  grid.OnChar('M');
  ASSERT_EQ(window.requests.size(), 1u);
  EXPECT_EQ(window.requests[0].kind, GridEditorRequest::Kind::kCombo);
  EXPECT_EQ(window.requests[0].items.size(), 2u);
  EXPECT_TRUE(combo->IsEditing());
  // The editor's end stores its text and moves on with the key that ended it.
  grid.OnEndInPlaceEdit(1, 2, CString(u"Master"), VK_RETURN);
  combo->OnEndEdit();
  EXPECT_EQ(grid.GetItemText(1, 2), CString(u"Master"));
  EXPECT_FALSE(combo->IsEditing());

  // A check box toggles on a click inside its box.
  ASSERT_TRUE(grid.SetCellType(2, 1, RUNTIME_CLASS(CGridCellCheck)));
  auto* check = static_cast<CGridCellCheck*>(grid.GetCell(2, 1));
  CRecordingDC dc;
  CRect rect;
  grid.GetCellRect(2, 1, &rect);
  check->Draw(&dc, 2, 1, rect);
  const CRect box = check->CheckBoxRect(CRect(0, 0, rect.Width(), rect.Height()));
  check->OnClick(box.CenterPoint());
  EXPECT_TRUE(check->GetCheck());
  check->OnClick(CPoint(rect.Width() - 1, box.top - 1 < 0 ? rect.Height() - 1 : 0));
  EXPECT_TRUE(check->GetCheck());
}

}  // namespace
