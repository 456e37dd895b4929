#include "editor/workspace_palette.h"

#include <gtest/gtest.h>

#include "model/toolbox_lists.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/recording_dc.h"
#include "platform/string_table.h"

namespace {

class WorkspacePaletteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildToolboxLists();
    palette.LoadNames();
  }
  void TearDown() override { g_LanguageIsChinese = 0; }
  void Activate(int kind, WORD model) {
    doc.m_nKind = kind;
    doc.m_wModelCode = model;
    active = &doc;
  }
  // The palette's target for the active diagram the test chose.
  PaletteTarget Target() const { return ActivePaletteTarget(active, lastModel); }
  // The item count a category draws and hit-tests for the active diagram.
  int Count(int category) {
    palette.m_nCategory = category;
    int n = 0;
    while (palette.HitTestPalette(CWorkspacePalette::GetItemRect(n).TopLeft(), Target()).found) ++n;
    return n;
  }
  // Box fills the painter drew.
  int Boxes(int category) {
    palette.m_nCategory = category;
    CRecordingDC dc;
    palette.DrawPaletteCategory(&dc, Target());
    int n = 0;
    for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kFillRect)) n += c->fillColor == RGB(245, 217, 129);
    return n;
  }

  CZaradDoc* active = nullptr;         // the active diagram
  WORD lastModel = kDefaultModelCode;  // the model selected last
  CZaradDoc doc;
  CWorkspacePalette palette;
};

TEST_F(WorkspacePaletteTest, ItemCountsPerKindAndSeries) {
  struct Case {
    int kind;
    WORD model;
    int counts[7];
  } cases[] = {
      {kDocFbd, 0x5188, {8, 14, 11, 23, 27, 20, 1}}, {kDocFbd, 0x5288, {8, 14, 11, 27, 27, 20, 1}},
      {kDocFbd, 0x6101, {8, 14, 11, 23, 27, 20, 1}}, {kDocFbd, 0x2101, {8, 12, 10, 14, 0, 0, 0}},
      {kDocFbd, 0x1101, {8, 12, 10, 14, 0, 0, 0}},   {kDocLadder, 0x5188, {2, 14, 6, 23, 27, 20, 1}},
      {kDocLadder, 0x2101, {2, 12, 6, 14, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Activate(c.kind, c.model);
    for (int category = 0; category < 7; ++category) {
      EXPECT_EQ(Count(category), c.counts[category])
          << "kind " << c.kind << " model " << c.model << " tab " << category;
      EXPECT_EQ(Boxes(category), c.counts[category])
          << "kind " << c.kind << " model " << c.model << " tab " << category;
    }
  }
  // Without a diagram the palette follows the model selected last as an FBD document.
  active = nullptr;
  lastModel = 0x2101;
  EXPECT_EQ(Count(3), 14);
  EXPECT_EQ(Count(0), 8);
}

TEST_F(WorkspacePaletteTest, HitTestTable) {
  Activate(kDocFbd, 0x5188);
  struct Case {
    int category;
    CPoint point;
    bool found;
    int type;
  } cases[] = {
      {0, {10, 15}, true, 300},  // top-left corner is inside
      {0, {34, 50}, true, 300},  // last pixel of row 0
      {0, {35, 30}, false, 0},   // right edge is outside
      {0, {20, 51}, false, 0},   // bottom edge is outside
      {0, {20, 55}, false, 0},   // between rows 0 and 1
      {0, {20, 61}, true, 301},  // row 1
      {0, {60, 30}, false, 0},   // on the name text
      {0, {9, 30}, false, 0},    // left of the box
      {1, {10, 15 + 46 * 13}, true, 413},
      {2, {12, 15 + 46 * 1}, true, 611},
      {3, {12, 15 + 46 * 3}, true, 815},
      {4, {12, 15 + 46 * 26}, true, 856},
      {5, {12, 15 + 46 * 19}, true, 879},
      {6, {12, 15}, true, 911},
      {6, {12, 61}, false, 0},
  };
  for (const Case& c : cases) {
    palette.m_nCategory = c.category;
    const PaletteHit hit = palette.HitTestPalette(c.point, Target());
    EXPECT_EQ(hit.found, c.found) << c.category << " " << c.point.x << "," << c.point.y;
    EXPECT_EQ(hit.typeCode, c.type) << c.category << " " << c.point.x << "," << c.point.y;
    if (hit.found) {
      EXPECT_EQ(hit.mode, MODE_PLACE_BLOCK);
    }
  }
  // Older series: rows 12 and 13 of the time functions do not exist, 611 is absent.
  Activate(kDocFbd, 0x2101);
  palette.m_nCategory = 1;
  EXPECT_FALSE(palette.HitTestPalette({12, 15 + 46 * 12}, Target()).found);
  palette.m_nCategory = 2;
  EXPECT_EQ(palette.HitTestPalette({12, 61}, Target()).typeCode, 602);
  // Ladder: 301 and 303 on the first tab, the contacts on the third.
  Activate(kDocLadder, 0x5188);
  palette.m_nCategory = 0;
  EXPECT_EQ(palette.HitTestPalette({12, 61}, Target()).typeCode, 303);
  palette.m_nCategory = 2;
  EXPECT_EQ(palette.HitTestPalette({12, 15 + 46 * 5}, Target()).typeCode, 705);
}

TEST_F(WorkspacePaletteTest, NamesAndSelectionFrame) {
  Activate(kDocLadder, 0x5188);
  palette.m_nCategory = 0;
  palette.m_nSelectedType = 303;
  CRecordingDC dc;
  palette.DrawPaletteCategory(&dc, Target());
  const DCCall* name = dc.FindText(u"NAND(Edge)");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->rect.left, 40);
  ASSERT_NE(dc.FindText(u"AND(Edge)"), nullptr);
  // The red frame lies 4 units outside row 1's box and only there.
  int red = 0;
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine)) {
    if (c->pen.GetColor() != RGB(200, 0, 0)) continue;
    ++red;
    for (const CPoint& p : c->points) {
      EXPECT_TRUE(p.x == 6 || p.x == 39) << p.x;
      EXPECT_TRUE(p.y == 57 || p.y == 101) << p.y;
    }
  }
  EXPECT_EQ(red, 4);
  // A type code that is not on the tab frames nothing.
  palette.m_nSelectedType = 300;
  dc.Clear();
  palette.DrawPaletteCategory(&dc, Target());
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine)) EXPECT_NE(c->pen.GetColor(), RGB(200, 0, 0));
  // Ladder boxes have no outline: only the fills, the symbol strokes in black.
  palette.m_nCategory = 2;
  dc.Clear();
  palette.DrawPaletteCategory(&dc, Target());
  ASSERT_NE(dc.FindText(u"Analog output"), nullptr);
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine)) {
    EXPECT_FALSE(c->points[0] == CPoint(10, 15) && c->points[1] == CPoint(10, 51)) << "outline drawn";
  }
}

TEST_F(WorkspacePaletteTest, MiscNamesFollowSeriesAndLanguage) {
  Activate(kDocFbd, 0x5288);
  palette.m_nCategory = 3;
  g_LanguageIsChinese = 1;
  palette.LoadNames();
  CRecordingDC dc;
  palette.DrawPaletteCategory(&dc, Target());
  // The WiFi items keep their English names in the Chinese interface.
  const DCCall* wifi = dc.FindText(u"WiFi Analog Write");
  ASSERT_NE(wifi, nullptr);
  EXPECT_EQ(wifi->rect.top, 15 + 46 * 26 + 16);
  const DCCall* math = dc.FindText(LoadString(1613));
  ASSERT_NE(math, nullptr);
  EXPECT_EQ(math->rect.top, 15 + 46 * 3 + 16);
  EXPECT_FALSE(LoadString(1613).IsEmpty());
  // Older series: the 14 names of row 3, without 815.
  g_LanguageIsChinese = 0;
  palette.LoadNames();
  Activate(kDocFbd, 0x2101);
  dc.Clear();
  palette.DrawPaletteCategory(&dc, Target());
  EXPECT_EQ(dc.FindText(u"Mathematical instruction"), nullptr);
  const DCCall* counter = dc.FindText(u"Modbus Write");
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(counter->rect.top, 15 + 46 * 13 + 16);
}

TEST_F(WorkspacePaletteTest, PictogramsFollowTheirFormulas) {
  Activate(kDocFbd, 0x5188);
  CRecordingDC dc;
  // "M-F-S" (409) sits inside its box: x = left + (25 - w) / 2 + 1 in Arial 10 x 5.
  palette.m_nCategory = 1;
  palette.DrawPaletteCategory(&dc, Target());
  const DCCall* mfs = dc.FindText(u"M-F-S");
  ASSERT_NE(mfs, nullptr);
  EXPECT_EQ(mfs->font.lfHeight, 10);
  EXPECT_EQ(mfs->rect.left, 10 + (25 - mfs->rect.Width()) / 2 + 1);
  EXPECT_EQ(mfs->rect.top, 15 + 46 * 9 + 13);
  // The weekly timer's clock face is an ellipse in the clock brush.
  bool clock = false;
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kEllipse)) {
    if (c->rect == CRect(13, 15 + 46 * 10 + 4, 27, 15 + 46 * 10 + 18))
      clock = c->brush.GetColor() == RGB(255, 223, 140);
  }
  EXPECT_TRUE(clock);
  // Misc: the first "_" of 821 lies 4 units above its box; the WiFi dot is a
  // zero-length stroke with a 4-unit pen.
  palette.m_nCategory = 3;
  Activate(kDocFbd, 0x5288);
  dc.Clear();
  palette.DrawPaletteCategory(&dc, Target());
  const DCCall* bar = dc.FindText(u"_");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->rect.TopLeft(), CPoint(18, 15 + 46 * 14 - 4));
  int dots = 0;
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine)) {
    if (c->pen.GetWidth() == 4 && c->points[0] == c->points[1]) ++dots;
  }
  EXPECT_EQ(dots, 4);
  // BSC: "&" with the rising edge arrow of 301 centred as a pair of width 2w.
  palette.m_nCategory = 0;
  dc.Clear();
  palette.DrawPaletteCategory(&dc, Target());
  std::vector<const DCCall*> ands;
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kText)) {
    if (c->text == u"&") ands.push_back(c);
  }
  ASSERT_EQ(ands.size(), 4u);
  const int w = ands[1]->rect.Width();
  EXPECT_EQ(ands[1]->rect.left, 10 + (25 - 2 * w) / 2 + w);
  EXPECT_EQ(ands[0]->rect.left, 10 + (25 - w) / 2);
  // Aux, Math and Profile draw nothing for an older series.
  Activate(kDocFbd, 0x2101);
  for (int category : {4, 5, 6}) {
    palette.m_nCategory = category;
    dc.Clear();
    palette.DrawPaletteCategory(&dc, Target());
    EXPECT_TRUE(dc.Calls().empty()) << category;
  }
}

}  // namespace
