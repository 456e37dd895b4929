// Printing without a printer: which tile of the diagram each page shows, where
// the margins put it on the sheet, what one page draws, and the rules of the
// Page Layout dialog.
#include "editor/print_layout.h"

#include <gtest/gtest.h>

#include <memory>

#include "editor/diagram_editor.h"
#include "model/block_comment.h"
#include "model/connect_line_obj.h"
#include "platform/recording_dc.h"
#include "support/diagram_builder.h"

namespace {

// ---- Tiles ------------------------------------------------------------------------------

struct TileCase {
  CRect extent;
  int across, down, page;
  CRect tile;
};

class PageTileTest : public ::testing::TestWithParam<TileCase> {};

TEST_P(PageTileTest, PageShowsItsTile) {
  const TileCase& c = GetParam();
  EXPECT_EQ(GetPageTile(c.extent, c.across, c.down, c.page), c.tile);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, PageTileTest,
    ::testing::Values(
        // One page shows the whole diagram.
        TileCase{CRect(0, 0, 1200, 900), 1, 1, 1, CRect(0, 0, 1200, 900)},
        // 2 across x 3 down: page 1 top-left, 2 top-right, 3 middle-left, 6 bottom-right.
        TileCase{CRect(0, 0, 2000, 2400), 2, 3, 1, CRect(0, 0, 1000, 800)},
        TileCase{CRect(0, 0, 2000, 2400), 2, 3, 2, CRect(1000, 0, 2000, 800)},
        TileCase{CRect(0, 0, 2000, 2400), 2, 3, 3, CRect(0, 800, 1000, 1600)},
        TileCase{CRect(0, 0, 2000, 2400), 2, 3, 6, CRect(1000, 1600, 2000, 2400)},
        // A remainder at the right and bottom is never printed.
        TileCase{CRect(0, 0, 1003, 902), 2, 3, 6, CRect(501, 600, 1002, 900)},
        // Pages outside the grid, and grids without pages, show nothing.
        TileCase{CRect(0, 0, 2000, 2400), 2, 3, 7, CRect()},
        TileCase{CRect(0, 0, 2000, 2400), 2, 3, 0, CRect()},
        TileCase{CRect(0, 0, 2000, 2400), 0, 3, 1, CRect()}));

// ---- Margins ----------------------------------------------------------------------------

struct AreaCase {
  const char* name;
  CSize sheet;
  int dpi;
  CRect margins;  // thousandths of a millimetre
  CRect area;
};

class PrintableAreaTest : public ::testing::TestWithParam<AreaCase> {};

TEST_P(PrintableAreaTest, MarginsApplyAsSet) {
  const AreaCase& c = GetParam();
  EXPECT_EQ(GetPrintableArea(c.sheet.cx, c.sheet.cy, c.dpi, c.dpi, c.margins), c.area) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, PrintableAreaTest,
    ::testing::Values(
        AreaCase{"none", CSize(4960, 7016), 600, CRect(), CRect(0, 0, 4960, 7016)},
        // Each margin on its own side: 10, 20, 30 and 40 mm at 600 dpi.
        AreaCase{"four sides", CSize(4960, 7016), 600, CRect(10000, 20000, 30000, 40000),
                 CRect(236, 472, 4960 - 708, 7016 - 944)},
        // One inch left only: the right edge stays at the sheet's.
        AreaCase{"left inch", CSize(1000, 800), 100, CRect(25400, 0, 0, 0), CRect(100, 0, 1000, 800)},
        AreaCase{"negative", CSize(1000, 800), 100, CRect(-25400, -1, -5, -7), CRect(0, 0, 1000, 800)},
        // Margins wider than the sheet keep a pixel inside it.
        AreaCase{"too wide", CSize(1000, 800), 100, CRect(254000, 254000, 254000, 254000),
                 CRect(999, 799, 1000, 800)}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n) {
        if (ch == ' ') ch = '_';
      }
      return n;
    });

// ---- One page ------------------------------------------------------------------------------

// Records the device rectangle of every fill as well.
class DeviceFillDC : public CRecordingDC {
 public:
  using CRecordingDC::CRecordingDC;
  std::vector<CRect> deviceFills;

 protected:
  void DoFillRect(const CRect& rect, COLORREF color) override {
    CRecordingDC::DoFillRect(rect, color);
    CRect device = rect;
    LPtoDP(&device);
    deviceFills.push_back(device);
  }
};

struct PrintRig {
  CDiagramBuilder d;
  PrintRig() {
    d.Doc().m_sizePage = CSize(1000, 800);
    d.Doc().m_nPagesAcross = 2;
    d.Doc().m_nPagesDown = 3;
  }
  CBlockObj* Block(int type, CPoint pos) {
    CBlockObj* b = d.Add(type);
    b->m_ptPos = pos;
    return b;
  }
};

TEST(PrintPageTest, PageMapsItsTileOntoTheAreaInsideTheMargins) {
  PrintRig r;
  const CRect margins(25400, 12700, 0, 25400);  // 1 inch left, half an inch top, 1 inch bottom
  const PrintJobLayout job = MakePrintJobLayout(r.d.Doc(), margins);
  EXPECT_EQ(job.PageCount(), 6);
  EXPECT_EQ(job.extent, CRect(0, 0, 2000, 2400));

  DeviceFillDC dc(CSize(1100, 850), 100);
  DrawPrintPage(&dc, r.d.Doc(), &r.d.View(), DiagramDrawOptions(), job, 4);
  ASSERT_FALSE(dc.deviceFills.empty());
  // The white ground of page 4 (middle row, right) fills the printable area.
  EXPECT_EQ(dc.Calls().front().rect, CRect(1000, 800, 2000, 1600));
  EXPECT_EQ(dc.Calls().front().fillColor, RGB(255, 255, 255));
  EXPECT_EQ(dc.deviceFills.front(), CRect(100, 50, 1100, 750));
  // The context is as it was.
  EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
  CRect clip;
  dc.GetClipBox(&clip);
  EXPECT_EQ(clip, CRect(0, 0, 1100, 850));
}

TEST(PrintPageTest, BlocksPrintOnTheirOwnPageUnselected) {
  PrintRig r;
  CBlockObj* first = r.Block(300, CPoint(300, 300));   // top-left page
  CBlockObj* last = r.Block(300, CPoint(1500, 2000));  // bottom-right page
  first->m_bSelected = 1;
  const PrintJobLayout job = MakePrintJobLayout(r.d.Doc(), CRect());

  auto drawn = [&](int page) {
    CRecordingDC dc(CSize(1000, 800), 100);
    DrawPrintPage(&dc, r.d.Doc(), &r.d.View(), DiagramDrawOptions(), job, page);
    bool firstDrawn = false, lastDrawn = false;
    for (const DCCall& c : dc.Calls()) {
      for (const CPoint& p : c.points) {
        firstDrawn |= first->m_ptPos.x <= p.x && p.x <= first->m_ptPos.x + first->m_nWidth &&
                      first->m_ptPos.y <= p.y && p.y <= first->m_ptPos.y + first->m_nHeight;
        lastDrawn |= last->m_ptPos.x <= p.x && p.x <= last->m_ptPos.x + last->m_nWidth &&
                     last->m_ptPos.y <= p.y && p.y <= last->m_ptPos.y + last->m_nHeight;
      }
    }
    return std::make_pair(firstDrawn, lastDrawn);
  };
  EXPECT_EQ(drawn(1), std::make_pair(true, false));
  EXPECT_EQ(drawn(6), std::make_pair(false, true));
  EXPECT_EQ(drawn(3), std::make_pair(false, false));

  // The selected block prints exactly as an unselected one does.
  CRecordingDC selected(CSize(1000, 800), 100);
  DrawPrintPage(&selected, r.d.Doc(), &r.d.View(), DiagramDrawOptions(), job, 1);
  first->m_bSelected = 0;
  CRecordingDC plain(CSize(1000, 800), 100);
  DrawPrintPage(&plain, r.d.Doc(), &r.d.View(), DiagramDrawOptions(), job, 1);
  EXPECT_EQ(selected.Calls().size(), plain.Calls().size());
}

TEST(PrintPageTest, LadderPrintsItsPowerBusDownEveryRow) {
  CDiagramBuilder d(kDocLadder);
  d.Doc().m_sizePage = CSize(1000, 800);
  d.Doc().MakePowerBus();
  CDiagramEditor core(&d.Doc());
  core.SetPageLayout(1, 3);
  const PrintJobLayout job = MakePrintJobLayout(d.Doc(), CRect());
  for (int page = 1; page <= 3; ++page) {
    CRecordingDC dc(CSize(1000, 800), 100);
    DrawPrintPage(&dc, d.Doc(), &d.View(), DiagramDrawOptions(), job, page);
    const CRect tile = GetPageTile(job.extent, 1, 3, page);
    bool bus = false;
    for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine)) {
      bus |= c->pen.GetWidth() == kPowerBusWidth && c->points[0].y < tile.top + tile.Height() / 2 &&
             c->points[1].y >= tile.bottom - 4;
    }
    EXPECT_TRUE(bus) << "page " << page;
  }
}

TEST(PrintPageTest, PagesOutsideTheJobDrawNothing) {
  PrintRig r;
  const PrintJobLayout job = MakePrintJobLayout(r.d.Doc(), CRect());
  CRecordingDC dc;
  DrawPrintPage(&dc, r.d.Doc(), &r.d.View(), DiagramDrawOptions(), job, 7);
  DrawPrintPage(&dc, r.d.Doc(), &r.d.View(), DiagramDrawOptions(), job, 0);
  EXPECT_TRUE(dc.Calls().empty());
}

// ---- Page Layout rules ---------------------------------------------------------------------

struct FieldCase {
  const char16_t* text;
  bool changes;
  const char16_t* replacement;
};

class PageCountFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(PageCountFieldTest, FieldIsHeldTo1To100) {
  const FieldCase& c = GetParam();
  CString out(u"untouched");
  EXPECT_EQ(ClampPageCountText(CString(c.text), &out), c.changes) << CString(c.text).str().size();
  EXPECT_EQ(out, CString(c.changes ? c.replacement : u"untouched"));
}

INSTANTIATE_TEST_SUITE_P(Texts, PageCountFieldTest,
                         ::testing::Values(FieldCase{u"", true, u"1"}, FieldCase{u"0", true, u"1"},
                                           FieldCase{u"-3", true, u"1"}, FieldCase{u"abc", true, u"1"},
                                           FieldCase{u"12x", true, u"1"}, FieldCase{u"1", false, nullptr},
                                           FieldCase{u"100", false, nullptr}, FieldCase{u"250", true, u"100"},
                                           FieldCase{u"99999999999999", true, u"100"},
                                           FieldCase{u"+7", false, nullptr}));

struct LayoutCase {
  const char* name;
  int across, down;
  // The content placed before OK (page 1000 x 800, grid 3 x 3).
  enum Content { kNothing, kBlockInLastRow, kBlockOnRightBorder, kWireDown, kWireAcross, kComment } content;
  PageLayoutOutcome outcome;
  const char16_t* text;  // nullptr: no message
};

const char16_t kTooMany[] =
    u"For the total number of pages(horizontal x vertical) only values between 1 and 100  are valid.";
const char16_t kNoRoom3[] = u"There are not enough pages to contain all Block(s),so size update fail!!!";
const char16_t kNoRoom1[] = u"There are not enough pages to contain all Block(s),so size update fail!";

class PageLayoutCheckTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PageLayoutCheckTest, OkDecides) {
  const LayoutCase& c = GetParam();
  PrintRig r;
  CZaradDoc& doc = r.d.Doc();
  doc.m_nPagesAcross = 3;
  doc.m_nPagesDown = 3;
  switch (c.content) {
    case LayoutCase::kNothing:
      break;
    case LayoutCase::kBlockInLastRow: {
      CBlockObj* b = r.Block(300, CPoint(100, 1700));
      b->m_nHeight = 40;
      break;
    }
    case LayoutCase::kBlockOnRightBorder: {
      // Its right edge lies exactly on the border of 2 pages across.
      CBlockObj* b = r.Block(300, CPoint(1960, 100));
      b->m_nWidth = 40;
      b->m_nHeight = 40;
      break;
    }
    case LayoutCase::kWireDown:
    case LayoutCase::kWireAcross: {
      auto wire = std::make_unique<CConnectLineObj>();
      wire->m_points = c.content == LayoutCase::kWireDown
                           ? std::vector<CPoint>{CPoint(2500, 100), CPoint(100, 100), CPoint(100, 1700)}
                           : std::vector<CPoint>{CPoint(2500, 100), CPoint(100, 100), CPoint(100, 700)};
      doc.m_connections.AddTail(std::move(wire));
      break;
    }
    case LayoutCase::kComment: {
      auto comment = std::make_unique<CBlockComment>();
      comment->m_ptPos = CPoint(2100, 1700);
      comment->m_size = CSize(200, 30);
      doc.m_comments.AddTail(std::move(comment));
      break;
    }
  }
  const PageLayoutVerdict v = CheckPageLayout(&doc, c.across, c.down);
  EXPECT_EQ(v.outcome, c.outcome) << c.name;
  EXPECT_EQ(v.hasMessage, c.text != nullptr) << c.name;
  if (c.text != nullptr) {
    EXPECT_EQ(v.message.text, CString(c.text)) << c.name;
  }
  if (c.outcome == PageLayoutOutcome::kCancel) {
    EXPECT_EQ(v.message.caption, CString(u"Page Size"));
    EXPECT_EQ(v.message.icon, MessageIcon::kError);
  }
  if (c.outcome == PageLayoutOutcome::kKeepOpen) {
    EXPECT_EQ(v.message.icon, MessageIcon::kWarning);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageLayoutCheckTest,
    ::testing::Values(
        LayoutCase{"ten by ten", 10, 10, LayoutCase::kNothing, PageLayoutOutcome::kAccept, nullptr},
        LayoutCase{"eleven by ten", 11, 10, LayoutCase::kNothing, PageLayoutOutcome::kKeepOpen, kTooMany},
        LayoutCase{"hundred by two", 100, 2, LayoutCase::kNothing, PageLayoutOutcome::kKeepOpen, kTooMany},
        LayoutCase{"zero", 0, 5, LayoutCase::kNothing, PageLayoutOutcome::kKeepOpen, kTooMany},
        // Fewer rows while a block reaches into the last one.
        LayoutCase{"block last row", 3, 2, LayoutCase::kBlockInLastRow, PageLayoutOutcome::kCancel, kNoRoom3},
        // Growing needs no check, even with content that would not fit.
        LayoutCase{"growing", 4, 3, LayoutCase::kBlockInLastRow, PageLayoutOutcome::kAccept, nullptr},
        LayoutCase{"right border", 2, 3, LayoutCase::kBlockOnRightBorder, PageLayoutOutcome::kCancel,
                   kNoRoom3},
        LayoutCase{"wire down", 2, 2, LayoutCase::kWireDown, PageLayoutOutcome::kCancel, kNoRoom1},
        LayoutCase{"wire across", 2, 2, LayoutCase::kWireAcross, PageLayoutOutcome::kCancel, kNoRoom3},
        LayoutCase{"wire fits", 3, 1, LayoutCase::kWireAcross, PageLayoutOutcome::kAccept, nullptr},
        // A comment outside the smaller area refuses it too.
        LayoutCase{"comment", 2, 3, LayoutCase::kComment, PageLayoutOutcome::kCancel, kNoRoom3},
        LayoutCase{"comment fits", 3, 2, LayoutCase::kNothing, PageLayoutOutcome::kAccept, nullptr}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n) {
        if (ch == ' ') ch = '_';
      }
      return n;
    });

TEST(PageLayoutCheck, WithoutADiagramOnlyTheTotalCounts) {
  EXPECT_EQ(CheckPageLayout(nullptr, 1, 1).outcome, PageLayoutOutcome::kAccept);
  EXPECT_EQ(CheckPageLayout(nullptr, 1, 101).outcome, PageLayoutOutcome::kKeepOpen);
}

}  // namespace
