#include "image/image_layout.h"

#include <gtest/gtest.h>

#include <climits>

#include "image/core_rule.h"
#include "support/diagram_builder.h"

namespace {

TEST(ImageLayoutTest, AreaTableTilesTheTableImageAndFindsAreasByName) {
  int next = 0;
  int rows = 0;
  for (const ImageAreaRow& row : ImageAreaTable()) {
    ++rows;
    if (row.nBuffer != kImageBufferTable) continue;
    EXPECT_EQ(row.nOffset, next) << CString(row.pName).ToUtf8();
    next = row.nOffset + row.nSize;
  }
  EXPECT_EQ(rows, 29);
  EXPECT_EQ(next, kTableImageSize);
  ASSERT_NE(FindImageAreaRow(u"G2"), nullptr);
  EXPECT_EQ(FindImageAreaRow(u"G2")->nOffset, 0x1B40);
  EXPECT_EQ(FindImageAreaRow(u"J")->nBuffer, kImageBufferProgram);
  EXPECT_EQ(FindImageAreaRow(u"G"), nullptr);
  EXPECT_EQ(FindImageAreaRow(u"DL2"), nullptr);
}

TEST(ImageLayoutTest, ProgramAreaIsTheNextStepAboveTheCostUpTo0x6000) {
  const std::pair<int, int> cases[] = {{0, 128},   {1, 128},         {127, 128},       {128, 256},
                                       {300, 384}, {0x5F7F, 0x5F80}, {0x5F80, 0x6000}, {0x7000, 0x6000}};
  for (const auto& [cost, size] : cases) EXPECT_EQ(ProgramAreaSize(cost), size) << cost;
}

TEST(ImageLayoutTest, OperandWordsAndOperandCodes) {
  EXPECT_EQ(OperandWordOf(600, 105), 0x0005);                     // I5
  EXPECT_EQ(OperandWordOf(605, 603) | kOperandInverted, 0x5403);  // inverted Q3
  EXPECT_EQ(OperandWordOf(607, 1316 + 300), 0x612C);              // M300
  EXPECT_EQ(OperandWordOf(400, 9012), 0x700C);                    // B12
  EXPECT_EQ(OperandWordOf(610, 4288 + 257), 0xA101);              // AM257
  EXPECT_EQ(OperandWordOf(603, 1870), 0x3000);                    // Low
  EXPECT_EQ(OperandWordOf(606, 4801), 4801);                      // no kind: the raw number
  EXPECT_EQ(OperandCode(607, 300), 0x2C61);
  EXPECT_EQ(OperandCode(600, 5), 0x0500);
  EXPECT_EQ(OperandCode(610, 2), 0x02A0);
  EXPECT_EQ(OperandCode(606, 3), 0xFFFF);
  EXPECT_EQ(OperandCode(604, 77), 0x40);
  EXPECT_EQ(OperandCode(609, 32), -1);
  EXPECT_EQ(OperandCode(611, 5), -1);
}

TEST(ImageLayoutTest, FunctionCodesCarryTheFlagByteByGroup) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  struct Case {
    int type;
    int retentive, protect;
    int refs[4];
    WORD code;
  };
  const Case cases[] = {
      {400, 1, 0, {0, 0, 0, 0}, 0x21C0}, {400, 1, 1, {1, 0, 0, 0}, 0x21A0}, {300, 1, 1, {1, 1, 1, 1}, 0x0100},
      {847, 0, 0, {1, 0, 0, 0}, 0x5A60}, {851, 0, 0, {1, 0, 0, 0}, 0x5F50}, {851, 0, 1, {0, 1, 0, 0}, 0x5F20},
      {815, 0, 1, {0, 0, 1, 1}, 0x440C}, {813, 1, 0, {0, 0, 0, 0}, 0x3B00}, {835, 0, 1, {0, 0, 0, 0}, 0x1000},
      {868, 0, 1, {0, 0, 0, 0}, 0x4D00},
  };
  for (const Case& c : cases) {
    CBlockObj* b = d.Add(c.type);
    b->m_nParam1 = c.retentive;
    b->m_nParam2 = c.protect;
    for (int k = 0; k < 4; ++k) b->m_bUseRef[k] = c.refs[k];
    WORD code = 0;
    ASSERT_TRUE(EncodeFunctionCode(*b, &code)) << c.type;
    EXPECT_EQ(code, c.code) << c.type;
  }
  CBlockObj* m = d.Add(607);
  WORD code = 0x1234;
  ASSERT_TRUE(EncodeFunctionCode(*m, &code));
  EXPECT_EQ(code, 0x0060);  // M0: element 0, kind 0x60
  CBlockObj softkeyless(828, 4);
  code = 0x1234;
  EXPECT_FALSE(EncodeFunctionCode(softkeyless, &code));
  EXPECT_EQ(code, 0x1234);
  EXPECT_EQ(TypeOfFunctionCode(0x2B40), 800);
  EXPECT_EQ(TypeOfFunctionCode(0x3B00), 813);
}

TEST(ImageLayoutTest, OlderDisplayCharacters) {
  EXPECT_EQ(LcdCharOf('a'), 97);
  EXPECT_EQ(LcdCharOf(' '), 91);
  EXPECT_EQ(LcdCharOf('b'), 98);
  EXPECT_EQ(LcdCharOf('='), 61);
  EXPECT_EQ(LcdCharOf('['), 153);
  EXPECT_EQ(LcdCharOf(9), 0);
  EXPECT_EQ(LcdCharOf(233), 0);
  EXPECT_EQ(LcdCharOf(0x4E00), 0);
  EXPECT_EQ(LcdCharReverse(91), ' ');
  EXPECT_EQ(LcdCharReverse(153), '[');
  EXPECT_EQ(LcdCharReverse(0), 0u);
}

TEST(ImageLayoutTest, TimeWords) {
  EXPECT_EQ(TimeWordOf(1, 30, 0), 0xC05A);  // 1 h 30 min
  EXPECT_EQ(TimeWordOf(2, 50, 2), 0x40FA);  // 2.50 s
  EXPECT_EQ(TimeWordOf(3, 5, 1), 0x80B9);   // 3 min 5 s
  EXPECT_EQ(TimeBaseBits(1) | 7, 0x8007);   // a reference to B7 in base 1
  EXPECT_EQ(TimeBaseBits(3), 0);
  // Values from a damaged file far past any time: a word (its low 14 bits), no overflow.
  EXPECT_EQ(TimeWordOf(INT_MAX, INT_MAX, 2), 0x4000 | ((0x7FFFFFFFu + 0x7FFFFFFFu * 100u) & 0x3FFF));
  EXPECT_EQ(TimeWordOf(INT_MIN, -1, 0), 0xC000 | ((0xFFFFFFFFu + 0x80000000u * 60u) & 0x3FFF));
}

TEST(ImageLayoutTest, TimesOneHundredTruncatesTowardZero) {
  EXPECT_EQ(Times100(1.25), 125);
  EXPECT_EQ(Times100(-0.019), -1);
  EXPECT_EQ(Times100(12.345), 1234);
  EXPECT_EQ(Times100(-0.5), -50);
  EXPECT_EQ(Times100(1e300), 2147483647);
}

// A value of whole hundredths keeps them although 0.29 x 100 is 28.999... in
// doubles; a field read back from an image is written back unchanged.
TEST(ImageLayoutTest, WholeHundredthsSurviveTheMultiplication) {
  EXPECT_EQ(Times100(0.29), 29);
  EXPECT_EQ(Times100(-0.29), -29);
  EXPECT_EQ(Times100(1.15), 115);
  for (long long v : {0LL, 1LL, 29LL, -29LL, 115LL, 32767LL, -32768LL, 2147483647LL, -2147483647LL})
    EXPECT_EQ(Times100(FromHundredths(v)), v) << v;
}

TEST(ImageLayoutTest, AreaWriterRefusesWhatDoesNotFit) {
  BYTE buf[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  CAreaWriter w(buf, 4, 1);
  w.Word(0x1234);
  EXPECT_TRUE(w.Ok());
  w.Word(0x5678);  // would pass the end
  EXPECT_FALSE(w.Ok());
  EXPECT_EQ(buf[0], 0xFF);
  EXPECT_EQ(buf[1], 0x34);
  EXPECT_EQ(buf[2], 0x12);
  EXPECT_EQ(buf[3], 0xFF);
}

TEST(ImageLayoutTest, FreshDownloadBuffersFollowTheFillRules) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  CZaradCoreRule codec(&d.Doc());
  ASSERT_TRUE(codec.AllocateBuffers(kImageModeDownload, 2));
  const std::vector<BYTE>& t = codec.TableImage();
  ASSERT_EQ(t.size(), size_t(kTableImageSize));
  for (int i = 0; i < kTableImageSize; ++i) {
    BYTE expected = 0xFF;
    if (i < 0x400 || (i >= 0x2040 && i < 0x2140)) expected = 0;
    if (i >= 0x0E00 && i < 0x1600) expected = (i - 0x0E00) % 16 == 0 ? 0xFF : 0;
    ASSERT_EQ(t[i], expected) << i;
  }
  EXPECT_EQ(codec.ProgramArea(), std::vector<BYTE>(128, 0xFF));
  EXPECT_EQ(codec.TableVerify(), std::vector<BYTE>(kTableImageSize, 0xFF));
  ASSERT_EQ(codec.TextPages().size(), size_t(2 * kTextPageSize));
  const BYTE* page = codec.TextPages().data() + kTextPageSize;
  EXPECT_EQ(page[28], 0);
  EXPECT_EQ(page[7 * 32 + 28], 0);
  EXPECT_EQ(page[27], 0xFF);
  EXPECT_EQ(page[256], 0x20);
  EXPECT_EQ(page[257], 0x00);
  EXPECT_EQ(page[639], 0x00);
  EXPECT_EQ(page[640], 0xFF);
  EXPECT_EQ(codec.TextVerify(), std::vector<BYTE>(2 * kTextPageSize, 0xFF));
  EXPECT_EQ(codec.FindImageArea(u"RV").size(), size_t(0x268));
  EXPECT_EQ(codec.FindImageArea(u"J").size(), size_t(128));  // held to the program area
  EXPECT_TRUE(codec.FindImageArea(u"Z").empty());

  CZaradCoreRule clear(&d.Doc());
  ASSERT_TRUE(clear.AllocateBuffers(kImageModeClear, 0));
  EXPECT_EQ(clear.TableVerify(), std::vector<BYTE>(kClearBufferSize, 0xFF));
}

}  // namespace
