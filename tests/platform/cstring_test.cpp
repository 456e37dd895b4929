#include "platform/cstring.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <string>
#include <vector>

namespace {

struct FormatCase {
  CString got;
  const char16_t* want;
};

TEST(CStringFormat, PrintfConversions) {
  const char16_t* null16 = nullptr;
  const std::vector<FormatCase> cases = {
      // integers, widths, flags, precision
      {FormatString(u"%d|%i|%u", -42, 7, 4000000000u), u"-42|7|4000000000"},
      {FormatString(u"%5d|%-5d|%05d|%+d|% d", 42, 42, -42, 42, 42), u"   42|42   |-0042|+42| 42"},
      {FormatString(u"%.3d|%8.3d|%-08d|%.0d|", 7, -7, 7, 0), u"007|    -007|7       ||"},
      {FormatString(u"%ld|%lu|%lld|%6ld|%-6ld", -123456789012L, 5UL, -9000000000000LL, 12L, 12L),
       u"-123456789012|5|-9000000000000|    12|12    "},
      {FormatString(u"%d|%d", std::numeric_limits<int>::min(), std::numeric_limits<int>::max()),
       u"-2147483648|2147483647"},
      {FormatString(u"%lld", std::numeric_limits<long long>::min()), u"-9223372036854775808"},
      {FormatString(u"%x|%X|%02X|%04X|%#x|%#X|%#o|%o", 255, 255, 10, 0xBEEF, 255, 255, 8, 8),
       u"ff|FF|0A|BEEF|0xff|0XFF|010|10"},
      {FormatString(u"%#x|%hd|%hu|%hhd", 0, 70000, 70000, 300), u"0|4464|4464|44"},
      {FormatString(u"%*d|%-*d|%*d|%.*d", 4, 1, 4, 1, -4, 1, 3, 1), u"   1|1   |1   |001"},
      // floating point
      {FormatString(u"%f|%.2f|%5.2f|%6.3f|%7.1f|%6.0f", 1.5, 2.345, 3.14159, -1.0, 0.05, 2.5),
       u"1.500000|2.35| 3.14|-1.000|    0.1|     2"},
      {FormatString(u"%lf|%.6f|%+.1f|%08.2f|%-8.2f|", 2.5, 1.0 / 3, 1.0, -3.5, 3.5),
       u"2.500000|0.333333|+1.0|-0003.50|3.50    |"},
      {FormatString(u"%e|%E|%.2e|%#.0e|%#.0f", 12345.678, 0.00012, 1.0, 5.0, 5.0),
       u"1.234568e+04|1.200000E-04|1.00e+00|5.e+00|5."},
      {FormatString(u"%g|%g|%g|%G|%g|%#g|%.3g", 100000.0, 1000000.0, 0.0001, 1e-5, 1.5, 1.5, 3.14159),
       u"100000|1e+06|0.0001|1E-05|1.5|1.50000|3.14"},
      {FormatString(u"%g|%.0g|%g", 0.0, 123.0, 123456789.0), u"0|1e+02|1.23457e+08"},
      {FormatString(u"%f|%F|%5.1f|%f", INFINITY, -INFINITY, NAN, -0.0), u"inf|-INF|  nan|-0.000000"},
      // characters and strings: %s and %ls are UTF-16, %hs is UTF-8
      {FormatString(u"%c%c|%3c|%-3c|", 'A', 0x4E2D, 'x', 'y'), u"A中|  x|y  |"},
      {FormatString(u"%s|%ls|%hs|%S", u"ab", u"cd", "\xE4\xB8\xAD", "ef"), u"ab|cd|中|ef"},
      {FormatString(u"%5s|%-5s|%.2s|%s", u"ab", u"ab", u"abcdef", null16), u"   ab|ab   |ab|(null)"},
      {FormatString(u"%-25ls|", u"Berlin"), u"Berlin                   |"},
      // the '0' flag pads strings with zeros, as in "%s%d%02s" -> I103
      {FormatString(u"%s%d%02s", u"I", 1, u"3"), u"I103"},
      {FormatString(u"%s%d%02d|%s%d.%d", u"I", 1, 1, u"M", 2, 15), u"I101|M2.15"},
      // the system's own formats
      {FormatString(u"B%d", 12), u"B12"},
      {FormatString(u"%03d.tmp", 7), u"007.tmp"},
      {FormatString(u"Zoom:%d", 150) + u"%", u"Zoom:150%"},
      {FormatString(u"DownLoading Program - %d%%", 45), u"DownLoading Program - 45%"},
      {FormatString(u"%6ld/%6ld", 1234L, -5L), u"  1234/    -5"},
      {FormatString(u"language=%ls\n", u"zh_CN"), u"language=zh_CN\n"},
      // value-box and label texts: padded integers, hexadecimal words, text runs around them
      {FormatString(u"%-6ld|%6ld|%-6d|%-4d|%-7ld", -42L, 1234567L, 0, -1, 65535L),
       u"-42   |1234567|0     |-1  |65535  "},
      {FormatString(u"0x%04X|0x%02X|%04x|%X|%5X|%-5X|", 0xBEEFu, 0xAu, 0xABu, 0u, 0xFFu, 0x1Fu),
       u"0xBEEF|0x0A|00ab|0|   FF|1F   |"},
      {FormatString(u"%+05d|% 05d|%-+5d|%- 5d|%+d|%05d", 42, 42, 42, 42, 0, -7),
       u"+0042| 0042|+42  | 42  |+0|-0007"},
      {FormatString(u"MI=%5ldh%2ldm OT=%5ldh%2ldm", 12L, 5L, -3L, 59L), u"MI=   12h 5m OT=   -3h59m"},
      {FormatString(u"%s%%%d%%%s", u"a", 5, u"b"), u"a%5%b"},
      {FormatString(u"Start Address=AM%d", 123456), u"Start Address=AM123456"},
      {FormatString(u"%d%d%d", 1, 22, 333), u"122333"},
      // odd formats: a lone trailing '%', an unknown conversion, an unfinished one
      {FormatString(u"100%"), u"100%"},
      {FormatString(u"%y|%d", 5), u"%y|5"},
      {FormatString(u"%5"), u"%5"},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(cases[i].got.ToUtf8(), CString(cases[i].want).ToUtf8()) << "case " << i;
  }
}

TEST(CStringFormat, Utf8FormatAndAppend) {
  CString s;
  s.Format("%s=%d \xE2\x82\xAC", u"x", 3);
  EXPECT_EQ(s, u"x=3 €");
  s.AppendFormat(u" %.1f", 0.25);
  EXPECT_EQ(s, u"x=3 € 0.2");  // round half to even on the exact binary value 0.25
  s.Format(u"%d", 1);
  EXPECT_EQ(s, u"1");
}

TEST(CStringFormat, HugeWidthIsBounded) {
  CString s = FormatString(u"%999999999d", 1);
  EXPECT_LE(s.GetLength(), (1 << 20) + 1);
  EXPECT_EQ(s.Right(1), u"1");
}

// Switches the process to a locale whose decimal separator is a comma and checks that
// Format still writes a point.
TEST(CStringFormat, IgnoresProcessLocale) {
  const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8",  "fr_FR.UTF-8", "fr_FR.utf8",  "de_DE",
                              "fr_FR",       "nl_NL.UTF-8", "ru_RU.UTF-8", "it_IT.UTF-8", "es_ES.UTF-8"};
  std::string old = std::setlocale(LC_ALL, nullptr);
  const char* found = nullptr;
  for (const char* name : candidates) {
    if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
      found = name;
      break;
    }
  }
  if (!found) {
    std::setlocale(LC_ALL, old.c_str());
    GTEST_SKIP() << "no locale with a decimal comma is installed (tried de_DE, fr_FR, nl_NL, ru_RU, it_IT, "
                    "es_ES); the C-locale formatting case was not exercised";
  }
  std::locale previous = std::locale::global(std::locale(found));
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.2f", 1.5);
  EXPECT_STREQ(probe, "1,50") << "the switched locale should really use a comma";
  CString got = FormatString(u"%.2f|%g|%e|%d", 1.5, 2.25, 1.0, 1234567);
  std::locale::global(previous);
  std::setlocale(LC_ALL, old.c_str());
  EXPECT_EQ(got, u"1.50|2.25|1.000000e+00|1234567");
}

TEST(CStringUtf, RoundTripAndInvalidInput) {
  EXPECT_EQ(CString("a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80"), CString(u"aé中😀"));
  EXPECT_EQ(CString(u"aé中😀").ToUtf8(), "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
  struct Bad {
    std::string in;
    const char16_t* want;
  };
  const Bad bad[] = {
      {"a\x80z", u"a\uFFFDz"},                            // stray continuation byte
      {"a\xC3", u"a\uFFFD"},                              // truncated at the end
      {"\xE4\xB8z", u"\uFFFDz"},                          // truncated in the middle: one replacement
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xFF", u"\uFFFD"},
      {std::string("a\0b", 3), u"a"},  // a C string ends at the NUL
  };
  for (const auto& b : bad) EXPECT_EQ(CString(b.in.c_str()), CString(b.want)) << b.in;
  EXPECT_EQ(CString::FromUtf8(std::string_view("a\0b", 3)).GetLength(), 3);
  // Lone surrogates cannot be written as UTF-8.
  const char16_t lone[] = {u'x', 0xD800, u'y', 0xDC00, 0};
  EXPECT_EQ(CString(lone).ToUtf8(), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
  EXPECT_EQ(CString(static_cast<const char*>(nullptr)), u"");
}

TEST(CStringMembers, ExtractionClampsToTheString) {
  CString s(u"abcdef");
  EXPECT_EQ(s.Left(2), u"ab");
  EXPECT_EQ(s.Left(-1), u"");
  EXPECT_EQ(s.Left(99), u"abcdef");
  EXPECT_EQ(s.Right(2), u"ef");
  EXPECT_EQ(s.Right(-3), u"");
  EXPECT_EQ(s.Right(99), u"abcdef");
  EXPECT_EQ(s.Mid(2), u"cdef");
  EXPECT_EQ(s.Mid(2, 2), u"cd");
  EXPECT_EQ(s.Mid(-5, 2), u"ab");
  EXPECT_EQ(s.Mid(4, 99), u"ef");
  EXPECT_EQ(s.Mid(6), u"");
  EXPECT_EQ(s.Mid(99, 1), u"");
  EXPECT_EQ(s.Mid(1, -1), u"");
  EXPECT_EQ(s.SpanIncluding(u"abx"), u"ab");
  EXPECT_EQ(s.SpanExcluding(u"dq"), u"abc");
  EXPECT_EQ(s.GetAt(6), u'\0');
}

TEST(CStringMembers, FindAndCompare) {
  CString s(u"a.b.c");
  EXPECT_EQ(s.Find(u'.'), 1);
  EXPECT_EQ(s.Find(u'.', 2), 3);
  EXPECT_EQ(s.Find(u'.', 4), -1);
  EXPECT_EQ(s.Find(u'.', 99), -1);
  EXPECT_EQ(s.Find(u'a', -3), 0);
  EXPECT_EQ(s.Find(CString(u"b.c")), 2);
  EXPECT_EQ(s.Find(CString(u"zz")), -1);
  EXPECT_EQ(s.Find(CString(u"")), 0);
  EXPECT_EQ(s.ReverseFind(u'.'), 3);
  EXPECT_EQ(s.ReverseFind(u'z'), -1);
  EXPECT_EQ(s.FindOneOf(u"cb"), 2);
  EXPECT_EQ(CString(u"abc").Compare(u"abd"), -1);
  EXPECT_EQ(CString(u"abc").Compare(u"abc"), 0);
  EXPECT_EQ(CString(u"abc").CompareNoCase(u"ABC"), 0);
  EXPECT_GT(CString(u"abcd").CompareNoCase(u"ABC"), 0);
  EXPECT_NE(CString(u"é").CompareNoCase(u"É"), 0);  // only ASCII letters fold
}

TEST(CStringMembers, Modification) {
  CString t(u" \t\r\n x y \v\f");
  EXPECT_EQ(t.Trim(), u"x y");
  EXPECT_EQ(CString(u"  x  ").TrimLeft(), u"x  ");
  EXPECT_EQ(CString(u"  x  ").TrimRight(), u"  x");
  EXPECT_EQ(CString(u"--x--").Trim(u'-'), u"x");
  EXPECT_EQ(CString(u"0x12ab").TrimLeft(u"0x"), u"12ab");

  CString r(u"aaa-aaa");
  EXPECT_EQ(r.Replace(u"aa", u"b"), 2);
  EXPECT_EQ(r, u"ba-ba");
  EXPECT_EQ(r.Replace(u'a', u'c'), 2);
  EXPECT_EQ(r, u"bc-bc");
  EXPECT_EQ(r.Replace(u"", u"x"), 0);
  EXPECT_EQ(r.Replace(u"bc", u"bcbc"), 2);  // the replacement is not searched again
  EXPECT_EQ(r, u"bcbc-bcbc");
  EXPECT_EQ(r.Remove(u'c'), 4);
  EXPECT_EQ(r, u"bb-bb");
  EXPECT_EQ(r.Insert(2, u'+'), 6);
  EXPECT_EQ(r.Insert(99, CString(u"!")), 7);
  EXPECT_EQ(r, u"bb+-bb!");
  EXPECT_EQ(r.Delete(2, 2), 5);
  EXPECT_EQ(r.Delete(4, 99), 4);
  EXPECT_EQ(r.Delete(99), 4);
  EXPECT_EQ(r, u"bbbb");

  EXPECT_EQ(CString(u"aBc1中z").MakeUpper(), u"ABC1中Z");
  EXPECT_EQ(CString(u"aBc1中Z").MakeLower(), u"abc1中z");
  EXPECT_EQ(CString(u"ab😀").MakeReverse(), u"😀ba");
}

TEST(CStringMembers, Tokenize) {
  CString s(u",,a,bc;;d,");
  std::vector<std::u16string> tokens;
  int pos = 0;
  for (CString tok = s.Tokenize(u",;", pos); pos != -1; tok = s.Tokenize(u",;", pos))
    tokens.push_back(tok.str());
  EXPECT_EQ(tokens, (std::vector<std::u16string>{u"a", u"bc", u"d"}));

  pos = 0;
  EXPECT_EQ(CString(u"ab").Tokenize(u"", pos), u"ab");  // no delimiters: the rest, then the end
  EXPECT_EQ(CString(u"ab").Tokenize(u"", pos), u"");
  EXPECT_EQ(pos, -1);
  pos = -5;
  EXPECT_EQ(s.Tokenize(u",", pos), u"");
  EXPECT_EQ(pos, -1);
}

}  // namespace
