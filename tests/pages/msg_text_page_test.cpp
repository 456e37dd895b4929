// The message-text editors on the memory host with a grid on a fake window:
// character sets, their enables, insertions with their limits and
// prerequisites, and what OK writes into the block.
#include "pages/msg_text_page.h"

#include <gtest/gtest.h>

#include "controls/grid_ctrl.h"
#include "controls/grid_fake_window.h"
#include "msgtext/msg_grid_element.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "pages/memory_host.h"
#include "pages/msg_element_dlgs.h"
#include "pages/page_harness.h"
#include "properties/block_properties.h"
#include "properties/block_sheet.h"

namespace {

using Page = CMessageTexts_New;

class MsgTextPageTest : public ::testing::Test {
 protected:
  explicit MsgTextPageTest(WORD model = 0x5188) : m_builder(kDocFbd, model) {}

  void SetUp() override {
    m_counter = m_builder.Add(800);
    m_text = m_builder.Add<CBlockMSGTEXT>(810);
    m_text->SetPriority(0);
  }

  // The block's sheet with its editor on a memory host and a grid.
  Page& Open() {
    m_props = std::make_unique<CBlockProperties>(&m_builder.Doc());
    m_sheet = m_props->BuildSheet(*m_text, false);
    auto* page = dynamic_cast<Page*>(m_sheet->TypePage());
    EXPECT_NE(page, nullptr);
    m_host = std::make_unique<CMemoryHost>(page->Describe(), page);
    m_grid.AttachWindow(&m_window);
    page->AttachGrid(&m_grid);
    page->m_confirm = [this](const CString&) {
      ++m_questions;
      return m_answerYes;
    };
    page->Attach(m_host.get(), m_sheet->Context());
    page->Initialise();
    return *page;
  }

  // OK of the sheet and the write-back of the Block Properties command.
  void PressOK() {
    ASSERT_TRUE(m_sheet->OnOK(0));
    m_props->WriteBack(*m_text, m_sheet->Values());
  }

  bool InsertValueAt(Page& page, int row, int col) {
    m_grid.SetFocusCell(row, col);
    m_host->Choose(Page::kIdBlocks, 0);
    m_host->Choose(Page::kIdParams, 0);
    return page.OnInsertParameter();
  }

  void Type(int row, int col, const char16_t* text) { m_grid.SetItemText(row, col, text); }

  CDiagramBuilder m_builder;
  CBlockObj* m_counter = nullptr;
  CBlockMSGTEXT* m_text = nullptr;
  std::unique_ptr<CBlockProperties> m_props;
  std::unique_ptr<CBlockSheet> m_sheet;
  std::unique_ptr<CMemoryHost> m_host;
  FakeGridWindow m_window{CSize(480, 100)};
  CGridCtrl m_grid;
  RecordingMessageSink m_sink;
  ScopedMessageSink m_scope{&m_sink};
  int m_questions = 0;
  bool m_answerYes = true;
};

TEST_F(MsgTextPageTest, SwitchingSetsKeepsTextsElementsAndTickers) {
  m_text->m_bSet2Enabled = 1;
  Page& page = Open();
  Type(1, 1, u"A");
  ASSERT_TRUE(InsertValueAt(page, 2, 3));
  m_host->Click(Page::kIdLine2);
  m_host->Click(Page::kIdTickerLine);

  m_host->Click(Page::kIdSet2);
  EXPECT_TRUE(m_grid.GetItemText(1, 1).IsEmpty());
  EXPECT_EQ(page.CountShown(0), 0);
  EXPECT_EQ(m_host->GetCheck(Page::kIdLine2), 0);
  EXPECT_EQ(m_host->GetCheck(Page::kIdTickerChar), 1);
  Type(1, 1, u"\u4e2d");
  m_host->Click(Page::kIdLine4);

  m_host->Click(Page::kIdSet1);
  EXPECT_EQ(m_grid.GetItemText(1, 1), CString(u"A"));
  EXPECT_EQ(page.CountShown(0), 1);
  EXPECT_EQ(m_host->GetCheck(Page::kIdLine2), 1);
  EXPECT_EQ(m_host->GetCheck(Page::kIdTickerLine), 1);
  EXPECT_EQ(page.ElementsOfGroup(1).size(), 0u);

  PressOK();
  EXPECT_EQ(m_text->m_strTextSet1[1][1], CString(u"A"));
  EXPECT_EQ(m_text->m_strTextSet2[1][1], CString(u"\u4e2d"));
  EXPECT_EQ(m_text->m_bTickerLine2[0], 1);
  EXPECT_EQ(m_text->m_nTickerMode[0], 1);
  EXPECT_EQ(m_text->m_bTickerLine4[1], 1);
  EXPECT_EQ(m_text->m_nCurrentSet, 0);
  ASSERT_EQ(m_text->Elements(0, 1)->size(), 1u);
  EXPECT_EQ(m_text->Elements(0, 1)->front()->m_pBlock, m_counter);
  EXPECT_TRUE(m_text->Elements(1, 1)->empty());
}

TEST_F(MsgTextPageTest, DisablingSets) {
  m_text->m_bSet2Enabled = 1;
  m_text->m_strTextSet2[1][5] = u"Z";
  Open();
  // The only other set enabled: clearing the hidden set asks, clears it and
  // keeps what the grid shows of the shown set.
  Type(1, 1, u"K");
  m_host->Click(Page::kIdEnable2);
  EXPECT_EQ(m_questions, 1);
  EXPECT_EQ(m_grid.GetItemText(1, 1), CString(u"K"));
  EXPECT_FALSE(m_host->IsEnabled(Page::kIdSet2));
  // The last enabled set cannot be switched off; no question.
  m_host->Click(Page::kIdEnable1);
  EXPECT_EQ(m_host->GetCheck(Page::kIdEnable1), 1);
  EXPECT_EQ(m_questions, 1);
  PressOK();
  EXPECT_EQ(m_text->m_strTextSet1[1][1], CString(u"K"));
  EXPECT_TRUE(m_text->m_strTextSet2[1][5].IsEmpty());
  EXPECT_EQ(m_text->m_bSet2Enabled, 0);
  EXPECT_EQ(m_text->m_bSet1Enabled, 1);
}

TEST_F(MsgTextPageTest, DisablingTheShownSetShowsTheOtherAndNoKeepsIt) {
  m_text->m_bSet2Enabled = 1;
  m_text->m_strTextSet2[2][2] = u"Q";
  Open();
  m_answerYes = false;
  m_host->Click(Page::kIdEnable1);
  EXPECT_EQ(m_host->GetCheck(Page::kIdEnable1), 1);  // No: checked again
  m_answerYes = true;
  m_host->Click(Page::kIdEnable1);
  EXPECT_EQ(m_host->GetCheck(Page::kIdSet2), 1);
  EXPECT_EQ(m_grid.GetItemText(2, 2), CString(u"Q"));
  PressOK();
  EXPECT_EQ(m_text->m_nCurrentSet, 1);
  EXPECT_EQ(m_text->m_bSet1Enabled, 0);
}

TEST_F(MsgTextPageTest, InsertionsFollowThePlacementRuleAndTheLimits) {
  Page& page = Open();
  ASSERT_TRUE(InsertValueAt(page, 1, 17));   // counter value: 6 cells, ends in 22
  EXPECT_FALSE(InsertValueAt(page, 1, 20));  // shares cells
  ASSERT_EQ(m_sink.texts().size(), 1u);
  EXPECT_EQ(m_sink.texts()[0],
            CString(u"Can't insert the selected Object at this position B1 [Message Texts]"));
  // A double-width character in cells 5 and 6 of line 2: its halves are respected,
  // and an element over the whole character takes its cells.
  m_grid.SetItemText(2, 5, u"\u4e2d");
  m_grid.SetItemState(2, 5, m_grid.GetItemState(2, 5) | 0x100);
  m_grid.SetItemState(2, 6, m_grid.GetItemState(2, 6) | 0x200);
  EXPECT_FALSE(InsertValueAt(page, 2, 6));
  ASSERT_TRUE(InsertValueAt(page, 2, 5));
  EXPECT_TRUE(m_grid.GetItemText(2, 5).IsEmpty());
  EXPECT_EQ(m_grid.GetItemState(2, 6) & 0x300u, 0u);
}

TEST_F(MsgTextPageTest, GraphicElementsNeedTheirBlocksAndKeepTheirLimits) {
  m_text->m_bSet2Enabled = 1;
  Page& page = Open();
  ScopedDialogScript script([](CMemoryHost& host) {
    host.Choose(CBarGraphDlg::kIdBlock, 0);
    return IDOK;
  });
  // Eight bar graphs fill set 1 (three per line fit, the lines below take the rest).
  int placed = 0;
  for (int row = 1; row <= 4 && placed < 8; ++row)
    for (int col = 1; col + 2 <= 25 && placed < 8; col += 8) {
      m_grid.SetFocusCell(row, col);
      ASSERT_TRUE(page.OnInsertBarGraph(Page::kIdBarGraph)) << row << "," << col;
      ++placed;
    }
  EXPECT_EQ(page.CountShown(MSGELEM_BARGRAPH), 8);
  m_sink.Clear();
  m_grid.SetFocusCell(4, 20);
  EXPECT_FALSE(page.OnInsertBarGraph(Page::kIdBarGraph));
  ASSERT_EQ(m_sink.texts().size(), 1u);
  EXPECT_EQ(m_sink.texts()[0], CString(u"Maximun 8 bar graphs can be used in one message text."));
  // Set 2 has its own eight.
  m_host->Click(Page::kIdSet2);
  m_grid.SetFocusCell(1, 1);
  EXPECT_TRUE(page.OnInsertBarGraph(Page::kIdBarGraph));
  // A scope may not start in line 3.
  m_grid.SetFocusCell(3, 13);
  m_sink.Clear();
  EXPECT_FALSE(page.OnInsertBarGraph(Page::kIdScope));
  EXPECT_EQ(m_sink.texts().size(), 1u);
  m_grid.SetFocusCell(2, 13);
  EXPECT_TRUE(page.OnInsertBarGraph(Page::kIdScope));
  PressOK();
  ASSERT_EQ(m_text->Elements(1, 1)->size(), 1u);
  EXPECT_EQ(m_text->Elements(1, 1)->front()->m_nKind, MSGELEM_SCOPE);
  EXPECT_EQ(m_text->Elements(1, 1)->front()->m_nOption, m_builder.Doc().m_nScopeTime);
  int bars = 0;
  for (int line = 0; line < 4; ++line) bars += static_cast<int>(m_text->Elements(0, line)->size());
  EXPECT_EQ(bars, 8);
}

TEST_F(MsgTextPageTest, WithoutActualValuesOnlyGraphsAreOffered) {
  m_builder.Doc().DetachBlock(m_counter);
  m_counter = nullptr;
  Page& page = Open();
  int dialogs = 0;
  ScopedDialogScript script([&dialogs](CMemoryHost&) {
    ++dialogs;
    return IDOK;
  });
  m_grid.SetFocusCell(1, 1);
  for (int id : {Page::kIdBarGraph, Page::kIdScope, Page::kIdPointer})
    EXPECT_FALSE(page.OnInsertBarGraph(id));
  EXPECT_FALSE(page.OnInsertScaleTime());
  EXPECT_EQ(dialogs, 0);
  ASSERT_EQ(m_sink.texts().size(), 4u);
  EXPECT_EQ(m_sink.texts()[0], CString(u"No block contains actual value in the circuit program"));
  EXPECT_TRUE(page.OnInsertGraph());
  m_grid.SetFocusCell(1, 13);
  EXPECT_TRUE(page.OnInsertGraph());
  m_grid.SetFocusCell(1, 1);
  EXPECT_FALSE(page.OnInsertGraph());
  EXPECT_EQ(m_sink.texts().back(), CString(u"Maximun 2 graphs can be used in one message text."));
  EXPECT_EQ(dialogs, 2);
}

TEST_F(MsgTextPageTest, OkDropsElementsOnTheHeaderAndKeepsTheOtherSet) {
  auto stored = std::make_unique<CWidget>(0, 0, 0, 0, 0x808080);
  stored->m_nRow = 1;
  stored->m_nCol = 2;
  stored->m_nWidth = 3;
  stored->m_nKind = 0;
  m_text->Elements(1, 0)->push_back(std::move(stored));  // a set-2 element
  Page& page = Open();
  ASSERT_TRUE(InsertValueAt(page, 1, 1));
  ASSERT_TRUE(InsertValueAt(page, 3, 1));
  m_grid.GetShownElements(2).front()->m_nCol = 0;  // dragged onto the header column
  PressOK();
  EXPECT_EQ(m_text->Elements(0, 0)->size(), 1u);
  EXPECT_TRUE(m_text->Elements(0, 2)->empty());
  ASSERT_EQ(m_text->Elements(1, 0)->size(), 1u);  // set 2 kept
  EXPECT_EQ(m_text->Elements(1, 0)->front()->m_nCol, 2);
}

TEST_F(MsgTextPageTest, PriorityComboOffersFreeSlots) {
  CBlockMSGTEXT* other = m_builder.Add<CBlockMSGTEXT>(810);
  other->SetPriority(1);
  m_text->SetPriority(2);
  Open();
  EXPECT_EQ(m_host->GetCount(Page::kIdPriority), 15);
  EXPECT_EQ(m_host->GetText(Page::kIdPriority), CString(u"2"));
  m_host->Choose(Page::kIdPriority, 0);  // "0"
  PressOK();
  EXPECT_EQ(m_text->GetPriority(), 0);
}

class OlderMsgTextPageTest : public MsgTextPageTest {
 protected:
  OlderMsgTextPageTest() : MsgTextPageTest(0x1188) {}
};

TEST_F(OlderMsgTextPageTest, TwelveColumnsAndOneElementPerLine) {
  // Parameter 34 (current time) of the message text itself is 8 cells wide.
  Page& page = Open();
  EXPECT_TRUE(page.IsOlder());
  EXPECT_EQ(m_grid.GetColumnCount(), 13);
  EXPECT_FALSE(m_host->Has(Page::kIdSet1));
  m_grid.SetFocusCell(1, 6);
  m_host->Choose(Page::kIdGeneral, 0);
  EXPECT_FALSE(page.OnInsertParameter());  // 6 + 8 > 13
  m_grid.SetFocusCell(1, 5);
  EXPECT_TRUE(page.OnInsertParameter());
  m_grid.SetFocusCell(1, 1);
  m_host->Choose(Page::kIdGeneral, 0);
  EXPECT_FALSE(page.OnInsertParameter());  // the line holds one already
  Type(2, 12, u"x");
  PressOK();
  EXPECT_EQ(m_text->m_strTextSet1[2][12], CString(u"x"));
  EXPECT_EQ(m_text->m_strTextSet1[0][0], CString(u"W"));
  ASSERT_EQ(m_text->Elements(0, 0)->size(), 1u);
  EXPECT_EQ(m_text->Elements(0, 0)->front()->m_nParam, 34);
}

}  // namespace

namespace {

TEST_F(MsgTextPageTest, SpecialCharactersGoOnlyIntoFreeCells) {
  Page& page = Open();
  ASSERT_TRUE(InsertValueAt(page, 1, 1));
  m_grid.SetFocusCell(2, 4);
  EXPECT_FALSE(page.InsertSpecialChar(u'\u2103'));  // no popup open: nothing
  EXPECT_TRUE(m_grid.GetItemText(2, 4).IsEmpty());
  m_host->Click(Page::kIdSpecial);
  EXPECT_TRUE(page.SpecialCharsOpen());
  page.OnSpecialChars();  // open already: nothing
  EXPECT_TRUE(page.InsertSpecialChar(u'\u2103'));
  EXPECT_FALSE(page.SpecialCharsOpen());
  EXPECT_EQ(m_grid.GetItemText(2, 4), CString(u"\u2103"));
  // Under an element the popup closes and nothing is written.
  m_grid.SetFocusCell(1, 3);
  page.OnSpecialChars();
  EXPECT_FALSE(page.InsertSpecialChar(u'\u20AC'));
  EXPECT_FALSE(page.SpecialCharsOpen());
  EXPECT_TRUE(m_grid.GetItemText(1, 3).IsEmpty());
  // On the second half of a double-width character neither.
  m_grid.SetItemState(3, 6, m_grid.GetItemState(3, 6) | 0x200);
  m_grid.SetFocusCell(3, 6);
  page.OnSpecialChars();
  EXPECT_FALSE(page.InsertSpecialChar(u'\u20AC'));
}

TEST_F(MsgTextPageTest, StatusNamesAndFilters) {
  CBlockObj* input = m_builder.Add(600);
  Page& page = Open();
  m_grid.SetFocusCell(1, 1);
  EXPECT_FALSE(page.OnInsertAiFilter(false));
  EXPECT_EQ(m_sink.texts().back(), CString(u"No AI in the circuit program"));
  EXPECT_FALSE(page.OnInsertAiFilter(true));
  EXPECT_EQ(m_sink.texts().back(), CString(u"No AM in the circuit program"));
  {
    ScopedDialogScript script([](CMemoryHost&) { return IDOK; });  // the first input, OFF / ON
    ASSERT_TRUE(page.OnInsertIoStatusName());
  }
  PressOK();
  ASSERT_EQ(m_text->Elements(0, 0)->size(), 1u);
  const CWidget& names = *m_text->Elements(0, 0)->front();
  EXPECT_EQ(names.m_nKind, MSGELEM_IOSTATUS);
  EXPECT_EQ(names.m_nNumber, input->m_nNumber);
  EXPECT_EQ(names.m_pBlock, input);
  EXPECT_EQ(names.m_strCell[1][1] + names.m_strCell[1][2] + names.m_strCell[1][3], CString(u"OFF"));
  EXPECT_EQ(names.m_strCell[2][1] + names.m_strCell[2][2], CString(u"ON"));
  EXPECT_EQ(names.m_strCell[2][5], CString(u" "));
  EXPECT_EQ(names.m_color, 0xC0C0C0u);
}

}  // namespace

namespace {

TEST_F(MsgTextPageTest, DoubleClickChangesABarGraphWhereItFits) {
  Page& page = Open();
  {
    ScopedDialogScript script([](CMemoryHost& host) {
      host.Choose(CBarGraphDlg::kIdBlock, 0);
      return IDOK;
    });
    m_grid.SetFocusCell(1, 1);
    ASSERT_TRUE(page.OnInsertBarGraph(Page::kIdBarGraph));
    m_grid.SetFocusCell(1, 9);
    ASSERT_TRUE(page.OnInsertBarGraph(Page::kIdBarGraph));
  }
  // The second bar is selected; six cells from column 9 fit.
  CGridElement* second = m_grid.GetSelectedElement();
  ASSERT_NE(second, nullptr);
  const CPoint inside(second->m_rect.left + 2, second->m_rect.top + 2);
  {
    ScopedDialogScript script([](CMemoryHost& host) {
      host.Type(CBarGraphDlg::kIdSize, u"6");
      return IDOK;
    });
    m_grid.OnLButtonDblClk(0, inside);
  }
  EXPECT_EQ(second->m_nWidth, 6);
  // The first one may not grow into the second.
  m_grid.SetSelectedElement(m_grid.GetShownElements(0).front().get());
  {
    ScopedDialogScript script([](CMemoryHost& host) {
      host.Type(CBarGraphDlg::kIdSize, u"12");
      return IDOK;
    });
    m_grid.OnLButtonDblClk(0, inside);
  }
  EXPECT_EQ(m_grid.GetShownElements(0).front()->m_nWidth, 2);
  EXPECT_EQ(m_sink.texts().back(),
            CString(u"Can't insert the selected Object at this position B1 [Message Texts]"));
  PressOK();
  ASSERT_EQ(m_text->Elements(0, 0)->size(), 2u);
  EXPECT_EQ(m_text->Elements(0, 0)->back()->m_nWidth, 6);
}

TEST_F(MsgTextPageTest, ApplyInSimulationKeepsElementsWithoutABlock) {
  m_builder.Doc().m_bSimulating = 1;
  m_props = std::make_unique<CBlockProperties>(&m_builder.Doc());
  struct : CSheetRunner {
    int RunModal(CBlockSheet&) override { return IDCANCEL; }
    bool OpenModeless(CBlockSheet&) override { return true; }
  } runner;
  m_props->Run(m_text, true, runner);
  CBlockSheet* sheet = m_props->FindOpenSheet(m_text->m_nNumber);
  ASSERT_NE(sheet, nullptr);
  auto* page = dynamic_cast<Page*>(sheet->TypePage());
  ASSERT_NE(page, nullptr);
  CMemoryHost host(page->Describe(), page);
  m_grid.AttachWindow(&m_window);
  page->AttachGrid(&m_grid);
  page->Attach(&host, sheet->Context());
  page->Initialise();
  ScopedDialogScript script([](CMemoryHost&) { return IDOK; });
  m_grid.SetFocusCell(1, 1);
  ASSERT_TRUE(page->OnInsertGraph());
  m_grid.SetItemText(1, 20, u"G");
  ASSERT_TRUE(m_props->ApplySheet(*sheet, 0));
  ASSERT_EQ(m_text->Elements(0, 0)->size(), 1u);
  EXPECT_EQ(m_text->Elements(0, 0)->front()->m_nKind, MSGELEM_GRAPH);
  EXPECT_EQ(m_text->m_strTextSet1[1][20], CString(u"G"));
}

}  // namespace
