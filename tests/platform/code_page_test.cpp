#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RoundTrip {
  UINT code_page;
  const char16_t* text;
  std::string bytes;
};

TEST(CodePage, ConvertsBothWays) {
  const RoundTrip cases[] = {
      {936, u"中文", "\xD6\xD0\xCE\xC4"},
      {936, u"A啊1",
       "A\xB0\xA1"
       "1"},
      {936, u"€", "\x80"},  // a single byte outside ASCII
      {950, u"中文", "\xA4\xA4\xA4\xE5"},
      {950, u"繁體", "\xC1\x63\xC5\xE9"},  // trail byte in the ASCII range
      {950, u"x€", "x\xA3\xE1"},
      {936, u"", ""},
  };
  for (const auto& c : cases) {
    CodePageBytes enc = WideToCodePage(c.code_page, c.text);
    EXPECT_TRUE(enc.ok) << c.code_page;
    EXPECT_EQ(enc.error_index, -1);
    EXPECT_EQ(enc.bytes, c.bytes) << c.code_page;
    CodePageText dec = CodePageToWide(c.code_page, c.bytes);
    EXPECT_TRUE(dec.ok) << c.code_page;
    EXPECT_EQ(dec.error_offset, -1);
    EXPECT_EQ(dec.text, c.text) << c.code_page;
  }
}

TEST(CodePage, ReportsUnmappableCharacters) {
  struct Case {
    UINT code_page;
    const char16_t* text;
    std::string bytes;
    int error_index;
  };
  const char16_t lone[] = {u'a', 0xD800, u'b', 0};
  const Case cases[] = {
      {936, u"a한b", "a?b", 1},                                       // Hangul is not in GBK
      {950, u"中한", "\xA4\xA4?", 1}, {936, u"😀中", "?\xD6\xD0", 0},  // a surrogate pair is one character
      {950, lone, "a?b", 1},                                          // a lone surrogate
      {936, u"한한", "??", 0},                                        // the first place is reported
  };
  for (const auto& c : cases) {
    CodePageBytes enc = WideToCodePage(c.code_page, c.text);
    EXPECT_FALSE(enc.ok);
    EXPECT_EQ(enc.error_index, c.error_index);
    EXPECT_EQ(enc.bytes, c.bytes);
  }
}

TEST(CodePage, ReportsInvalidBytes) {
  struct Case {
    UINT code_page;
    std::string bytes;
    const char16_t* text;
    int error_offset;
  };
  const Case cases[] = {
      {936, "a\xD6", u"a\uFFFD", 1},  // lead byte without its trail byte
      {936,
       "\xFF"
       "A\xD6\xD0",
       u"\uFFFDA中", 0},                   // 0xFF is no lead byte
      {950, "\xA1\x30z", u"\uFFFD0z", 0},  // a bad trail byte keeps the ASCII byte
  };
  for (const auto& c : cases) {
    CodePageText dec = CodePageToWide(c.code_page, c.bytes);
    EXPECT_FALSE(dec.ok);
    EXPECT_EQ(dec.error_offset, c.error_offset);
    EXPECT_EQ(dec.text, c.text);
  }
}

TEST(CodePage, UnknownCodePageIsAnError) {
  EXPECT_FALSE(WideToCodePage(99999, u"a").ok);
  EXPECT_TRUE(WideToCodePage(99999, u"a").bytes.empty());
  EXPECT_FALSE(CodePageToWide(99999, "a").ok);
}

}  // namespace
