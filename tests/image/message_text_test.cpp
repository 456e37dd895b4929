// Block names and message texts: the older series' records in area C and the
// newer series' pages with their element records.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "blocks/time_blocks.h"
#include "image/core_rule.h"
#include "msgtext/msgtext_block.h"
#include "support/diagram_builder.h"

namespace {

std::vector<int> Bytes(std::span<const BYTE> a, size_t from, size_t n) {
  return std::vector<int>(a.begin() + static_cast<long>(from), a.begin() + static_cast<long>(from + n));
}

CWidget* AddElement(CBlockMSGTEXT* msg, int set, int row, int col, int width, int kind, CBlockObj* block) {
  auto e = std::make_unique<CWidget>();
  e->m_nRow = row;
  e->m_nCol = col;
  e->m_nWidth = width;
  e->m_nKind = kind;
  e->m_pBlock = block;
  e->m_nNumber = block ? block->m_nNumber : -1;
  CWidget* raw = e.get();
  msg->Elements(set, row - 1)->push_back(std::move(e));
  return raw;
}

void SetRow(CString (&grid)[CBlockMSGTEXT::kRows][CBlockMSGTEXT::kCols], int row,
            const std::u16string& text) {
  for (size_t k = 0; k < text.size(); ++k) grid[row][k + 1] = CString(text.substr(k, 1));
}

TEST(MessageTextTest, BlockNamesInAreasAAndB) {
  for (WORD model : {WORD{0x1188}, WORD{0x5188}}) {
    CDiagramBuilder d(kDocFbd, model);
    std::vector<CBlockObj*> blocks;
    for (int i = 0; i < 5; ++i) blocks.push_back(d.Add(300));
    blocks[1]->m_strName = u"ON";
    blocks[2]->m_strName = u"a b";
    blocks[4]->m_strName = u"LONGNAME9";
    CZaradCoreRule codec(&d.Doc());
    codec.AllocateBuffers(kImageModeDownload, 0);
    for (CBlockObj* b : blocks) ASSERT_EQ(codec.CompileBlock(b), 1);
    const int pad = model == 0x1188 ? 0x5B : 0x20;
    EXPECT_EQ(Bytes(codec.FindImageArea(u"A"), 0, 8), (std::vector<int>{1, 0, 2, 0, 4, 0, 0xFF, 0xFF}));
    std::span<BYTE> b = codec.FindImageArea(u"B");
    EXPECT_EQ(Bytes(b, 0, 8), (std::vector<int>{0x4F, 0x4E, pad, pad, pad, pad, pad, pad}));
    const int blank = model == 0x1188 ? 91 : ' ';
    EXPECT_EQ(Bytes(b, 8, 8), (std::vector<int>{'a', blank, 'b', pad, pad, pad, pad, pad}));
    // The third named block: its name at B[16..23], cut to 8 characters.
    EXPECT_EQ(Bytes(b, 16, 9), (std::vector<int>{'L', 'O', 'N', 'G', 'N', 'A', 'M', 'E', 0xFF}));
  }
}

TEST(MessageTextTest, MoreNamedBlocksThanAreaAHoldsAreRefused) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  std::vector<CBlockObj*> blocks;
  for (int i = 0; i < 257; ++i) {
    blocks.push_back(d.Add(307));
    blocks.back()->m_strName = u"N";
  }
  CZaradCoreRule codec(&d.Doc());
  codec.AllocateBuffers(kImageModeDownload, 0);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(codec.CompileBlock(blocks[static_cast<size_t>(i)]), 1);
  EXPECT_EQ(codec.CompileBlock(blocks[256]), 0);
  EXPECT_EQ(Bytes(codec.FindImageArea(u"A"), 510, 2), (std::vector<int>{0xFF, 0x00}));  // B255
  EXPECT_EQ(codec.FindImageArea(u"C")[0], 0xFF);  // B ends where C begins, untouched
}

TEST(MessageTextTest, OlderSeriesRecordsInAreaC) {
  CDiagramBuilder d(kDocFbd, 0x1188);
  auto* first = d.Add<CBlockMSGTEXT>(810);
  auto* second = d.Add<CBlockMSGTEXT>(810);
  CBlockObj* counter = d.Add(800);  // B2
  SetRow(second->m_strTextSet1, 1, u"ON");
  SetRow(second->m_strTextSet1, 2, u"ABCDEFGHIJKL");
  AddElement(second, 0, 2, 4, 5, 0, counter)->m_nParam = 7;  // a value of B2 on cells 4..8
  SetRow(second->m_strTextSet1, 3, u"xy");
  AddElement(second, 0, 3, 1, 3, MSGELEM_UNSET, second)->m_nParam = 2;  // kind 5 on cells 1..3
  CZaradCoreRule codec(&d.Doc());
  codec.AllocateBuffers(kImageModeDownload, 0);
  ASSERT_EQ(codec.CompileBlock(first), 1);
  ASSERT_EQ(codec.CompileBlock(second), 1);
  EXPECT_EQ(second->m_nParam26, 1);  // its message slot
  std::span<BYTE> c = codec.FindImageArea(u"C");
  const std::vector<int> blankRow = {1, 0, 91, 91, 91, 91, 91, 91, 91, 91, 91, 91, 91, 91, 0, 0};
  EXPECT_EQ(Bytes(c, 0, 16), blankRow);
  EXPECT_EQ(Bytes(c, 64, 16), (std::vector<int>{1, 0, 79, 78, 91, 91, 91, 91, 91, 91, 91, 91, 91, 91, 0, 0}));
  EXPECT_EQ(Bytes(c, 80, 16),
            (std::vector<int>{2, 3, 2, 0, 0x2B, 0, 0, 'A', 'B', 'C', 'I', 'J', 'K', 'L', 0, 0}));
  // Kind 5: the text after the element's width; cells 4..12 are blanks.
  EXPECT_EQ(Bytes(c, 96, 16), (std::vector<int>{5, 0, 0, 0, 0, 91, 91, 91, 91, 91, 91, 91, 91, 91, 0, 0}));
  EXPECT_EQ(Bytes(c, 112, 16), blankRow);
  EXPECT_EQ(c[128], 0xFF);  // the next record is still free

  // An element wider than the row does not fit its record: the block is refused.
  AddElement(first, 0, 4, 10, 5, 0, counter);
  CZaradCoreRule refused(&d.Doc());
  refused.AllocateBuffers(kImageModeDownload, 0);
  EXPECT_EQ(refused.CompileBlock(first), 0);
}

class NewerPageTest : public ::testing::Test {
 protected:
  NewerPageTest() : d(kDocFbd, 0x5188) {
    msg = d.Add<CBlockMSGTEXT>(810);
    counter = d.Add(800);  // B1
    ai = d.Add(608);       // AI0
    in = d.Add(600);       // I0
    am = d.Add(610);
    am->m_nNumber = 4288 + 300;  // AM300
    d.Doc().m_nCharSet1 = 0;     // simplified Chinese
    d.Doc().m_nCharSet2 = 2;     // single-byte
    d.Doc().m_nScopeTime = 0x1234;
  }
  // Compiles the block into its page; the result of CompileBlock.
  int Compile() {
    codec = std::make_unique<CZaradCoreRule>(&d.Doc());
    codec->AllocateBuffers(kImageModeDownload, 1);
    return codec->CompileBlock(msg);
  }
  std::span<BYTE> Page() { return codec->TextPages(); }

  CDiagramBuilder d;
  CBlockMSGTEXT* msg;
  CBlockObj* counter;
  CBlockObj* ai;
  CBlockObj* in;
  CBlockObj* am;
  std::unique_ptr<CZaradCoreRule> codec;
};

TEST_F(NewerPageTest, CellsByCharacterSet) {
  // Row 1 of set 1: a double-byte character, an ASCII letter, a special
  // character, one that GBK cannot hold, and a double-byte one in the last column.
  SetRow(msg->m_strTextSet1, 1, u"\u554A A\u2103\u0E01");  // the blank is the character's second column
  msg->m_strTextSet1[1][24] = u"\u554A";
  SetRow(msg->m_strTextSet2, 1, u"\u00E9\u25B2");
  ASSERT_EQ(Compile(), 1);
  std::span<BYTE> p = Page();
  EXPECT_EQ(Bytes(p, 0, 6), (std::vector<int>{0x61, 0xFF, 1, 1, 1, 1}));
  EXPECT_EQ(Bytes(p, 256, 12), (std::vector<int>{0xA1, 0xB0, 0x20, 0x00, 'A', 0, 21, 0, '?', 0, ' ', 0}));
  EXPECT_EQ(p[23], 1);  // the last column cannot hold two
  EXPECT_EQ(Bytes(p, 256 + 46, 2), (std::vector<int>{'?', 0}));
  // Set 2 is single-byte: every character as its UTF-16 word, specials as glyphs.
  EXPECT_EQ(Bytes(p, 128, 3), (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(Bytes(p, 448, 6), (std::vector<int>{0xE9, 0x00, 19, 0, ' ', 0}));
  // Rows 2-4 hold blanks.
  EXPECT_EQ(Bytes(p, 256 + 48, 4), (std::vector<int>{' ', 0, ' ', 0}));
}

TEST_F(NewerPageTest, SettingsInTheSpareAttributeColumns) {
  for (int i = 0; i < CBlockMSGTEXT::kSettings; ++i) *msg->Setting(i) = i + 100;
  ASSERT_EQ(Compile(), 1);
  std::span<BYTE> p = Page();
  EXPECT_EQ(Bytes(p, 24, 8), (std::vector<int>{0xFF, 0xFF, 0xFF, 103, 105, 101, 102, 0xFF}));
  EXPECT_EQ(p[32 + 28], 107);
  EXPECT_EQ(p[96 + 28], 111);
  EXPECT_EQ(p[128 + 27], 104);
  EXPECT_EQ(p[128 + 28], 106);
  EXPECT_EQ(p[128 + 96 + 28], 112);
  EXPECT_EQ(p[128 + 29], 0xFF);
}

TEST_F(NewerPageTest, ElementRecordsOfEveryKind) {
  AddElement(msg, 0, 1, 1, 5, 1, counter);                          // a parameter value of B1
  AddElement(msg, 0, 1, 7, 4, MSGELEM_UNSET, ai);                   // AI value
  AddElement(msg, 0, 1, 12, 4, MSGELEM_UNSET, am);                  // AM value
  AddElement(msg, 0, 1, 17, 3, MSGELEM_UNSET, msg)->m_nParam = 34;  // this block's own value
  CWidget* io = AddElement(msg, 0, 2, 1, 8, MSGELEM_IOSTATUS, in);
  io->m_strCell[1][1] = u"A";
  io->m_strCell[2][8] = u"Z";
  CWidget* scale = AddElement(msg, 0, 2, 10, 11, MSGELEM_SCALETIME, counter);
  scale->m_nOption = 0x0105;
  CWidget* bar = AddElement(msg, 0, 3, 1, 6, MSGELEM_BARGRAPH, counter);
  bar->m_nMin = -5, bar->m_nMax = 300;
  CWidget* pointer = AddElement(msg, 1, 1, 1, 12, MSGELEM_POINTER, counter);
  pointer->m_nMin = 1, pointer->m_nMax = 2;
  CWidget* scope = AddElement(msg, 1, 2, 13, 12, MSGELEM_SCOPE, counter);
  scope->m_nMin = 3, scope->m_nMax = 4;
  AddElement(msg, 1, 1, 25, 3, MSGELEM_GRAPH, nullptr)->m_nOption = 9;
  ASSERT_EQ(Compile(), 1);
  std::span<BYTE> p = Page();
  // Set 1, row 1: value of B1 (parameter 1), AI0, AM300, the block's own value.
  EXPECT_EQ(Bytes(p, 0, 4), (std::vector<int>{2, 0x2B, 0x01, 0x10}));
  EXPECT_EQ(Bytes(p, 6, 4), (std::vector<int>{7, 1, 0x00, 0x80}));  // the skipped byte keeps the cell's 1
  EXPECT_EQ(Bytes(p, 11, 3), (std::vector<int>{14, 0x2C, 0xA1}));
  EXPECT_EQ(p[16], 3);
  // Row 2: the I/O name and its 16 letters; the scale time with the counter's value code.
  EXPECT_EQ(Bytes(p, 32, 4), (std::vector<int>{8, 0, 0x00, 0x00}));
  EXPECT_EQ(p[640], 'A');
  EXPECT_EQ(p[655], 'Z');
  EXPECT_EQ(p[641], ' ');  // a text the editor left blank
  EXPECT_EQ(Bytes(p, 32 + 9, 7), (std::vector<int>{10, 1, 1, 0, 10, 1, 0x05}));
  // Row 3: the bar graph's marker and its record.
  EXPECT_EQ(Bytes(p, 64, 2), (std::vector<int>{0xA9, 0}));
  EXPECT_EQ(Bytes(p, 1024, 16), (std::vector<int>{1, 0, 10, 1, 0x2C, 0x01, 0xFB, 0xFF, 0, 5, 0xFF, 0xFF, 0xFF,
                                                  0xFF, 0xFF, 0xFF}));
  // Set 2: the pointer over rows 1-3, the scope over rows 2-4, the graph over rows 1-4.
  EXPECT_EQ(Bytes(p, 128, 10), (std::vector<int>{12, 0, 1, 0, 10, 1, 2, 0, 1, 0}));
  EXPECT_EQ(p[128 + 32], 28);
  EXPECT_EQ(p[128 + 64], 44);
  EXPECT_EQ(Bytes(p, 128 + 32 + 12, 12), (std::vector<int>{11, 0, 1, 0, 10, 1, 4, 0, 3, 0, 0x34, 0x12}));
  EXPECT_EQ(p[128 + 96 + 12], 43);
  EXPECT_EQ(Bytes(p, 128 + 24, 3), (std::vector<int>{0xDD, 0, 9}));
  EXPECT_EQ(Bytes(p, 128 + 96 + 24, 3), (std::vector<int>{0xDD, 3, 9}));
}

TEST_F(NewerPageTest, ElementsThatDoNotFitAreRefused) {
  // A scope needs three rows: on row 3 it would run into set 2.
  AddElement(msg, 0, 3, 1, 12, MSGELEM_SCOPE, counter);
  EXPECT_EQ(Compile(), 0);
  msg->Elements(0, 2)->clear();
  ASSERT_EQ(Compile(), 1);
  // Eight bar graphs per set fit, the ninth does not.
  for (int i = 0; i < 8; ++i) AddElement(msg, 1, 1 + i % 4, 1 + i, 1, MSGELEM_BARGRAPH, counter);
  ASSERT_EQ(Compile(), 1);
  AddElement(msg, 1, 4, 20, 1, MSGELEM_BARGRAPH, counter);
  EXPECT_EQ(Compile(), 0);
  msg->DeleteElements();
  // A value element whose record would pass the end of its attribute row.
  AddElement(msg, 0, 1, 31, 2, 1, counter);
  EXPECT_EQ(Compile(), 0);
}

}  // namespace
