// The rules of the validating edit fields, as tables over (text, selection, key).
#include <gtest/gtest.h>

#include "controls/masked_behavior.h"
#include "controls/numeric_behavior.h"

namespace {

const NumericSymbols kC{u'-', u'.', u','};

// A state written with '|' for the caret or [..] for a selection: "12|.5", "[12].5".
EditState S(const char* marked) {
  CString t(marked);
  const int caret = t.Find(u'|');
  if (caret >= 0) {
    t.Delete(caret);
    return EditState(t, caret, caret);
  }
  const int open = t.Find(u'[');
  if (open >= 0) {
    t.Delete(open);
    const int close = t.Find(u']');
    t.Delete(close);
    return EditState(t, open, close);
  }
  return EditState(t);
}

std::string Show(const EditState& s) {
  CString t = s.text;
  if (s.start == s.end) {
    t.Insert(s.start, u'|');
  } else {
    t.Insert(s.end, u']');
    t.Insert(s.start, u'[');
  }
  return t.ToUtf8();
}

std::string Type(const CEditBehavior& b, const char* marked, const char* keys) {
  EditState s = S(marked);
  for (const char* k = keys; *k; ++k) b.OnChar(s, static_cast<char16_t>(*k));
  return Show(s);
}

TEST(NumericEditRules, CorrectedTextCutsAtTheLimits) {
  struct Case {
    int whole, decimals;
    UINT flags;
    const char* text;
    const char* corrected;
  } cases[] = {
      {3, 2, 0, "1.239", "1.23"},
      {3, 2, 0, "12345", "123"},
      {3, 2, 0, "-5", "-5"},
      {3, 2, EDIT_NO_NEGATIVE, "-5", "5"},
      {3, 2, 0, "5-", "-5"},  // a sign anywhere makes the number negative
      {3, 2, 0, "a1 2,3x", "123"},
      {3, 2, 0, "1.2.3", "1.23"},
      {3, 0, 0, "12.5", "12"},  // no decimals: the point ends the number
      {3, 2, 0, "-", "-"},
      {3, 2, 0, "", ""},
      {3, 2, EDIT_ALWAYS_PAD_DECIMALS, "3", "3.00"},
      {3, 2, EDIT_ALWAYS_PAD_DECIMALS, "-1.5", "-1.50"},
      {3, 2, EDIT_ALWAYS_PAD_DECIMALS, "", ""},
      {3, 2, EDIT_PAD_DECIMALS_EXCEPT_TYPING, "7", "7.00"},
  };
  for (const Case& c : cases) {
    CNumericBehavior b(c.whole, c.decimals, kC);
    b.ModifyFlags(c.flags, 0);
    EXPECT_EQ(b.GetCorrectedText(c.text).ToUtf8(), c.corrected) << c.text;
  }
  CNumericBehavior typing(3, 2, kC);
  typing.ModifyFlags(EDIT_PAD_DECIMALS_EXCEPT_TYPING, 0);
  EXPECT_EQ(typing.CorrectedText(u"7", true).ToUtf8(), "7");
}

TEST(NumericEditRules, SetValueShowsTheCorrectedNumber) {
  CNumericBehavior two(3, 2, kC);
  EXPECT_EQ(two.ValueText(1.239, true).ToUtf8(), "1.23");
  EXPECT_EQ(two.ValueText(3, true).ToUtf8(), "3");
  EXPECT_EQ(two.ValueText(3, false).ToUtf8(), "3.00");
  EXPECT_EQ(two.ValueText(12345, true).ToUtf8(), "123");
  EXPECT_EQ(two.ValueText(0, true).ToUtf8(), "0");
  CNumericBehavior positive(-3, 2, kC);
  EXPECT_TRUE(positive.GetFlags() & EDIT_NO_NEGATIVE);
  EXPECT_EQ(positive.ValueText(-4, true).ToUtf8(), "4");
  EXPECT_EQ(two.FormatNumber(2.5, true).ToUtf8(), "2.5");
  EXPECT_EQ(two.FormatNumber(10, true).ToUtf8(), "10");
  EXPECT_EQ(two.FormatNumber(2.5, false).ToUtf8(), "2.500000");
}

TEST(NumericEditRules, ReadsWhatItShows) {
  CNumericBehavior b(5, 2, kC);
  EXPECT_EQ(b.ParseInt(u"12.5"), 12);
  EXPECT_EQ(b.ParseInt(u"-12.5"), -12);
  EXPECT_DOUBLE_EQ(b.ParseDouble(u"-12.5"), -12.5);
  EXPECT_DOUBLE_EQ(b.ParseDouble(u"-"), 0);
  EXPECT_DOUBLE_EQ(b.ParseDouble(u""), 0);
  EXPECT_DOUBLE_EQ(b.ParseDouble(u"."), 0);
  EXPECT_DOUBLE_EQ(b.ParseDouble(u".5"), 0.5);
  EXPECT_EQ(b.ParseInt(u"99999999999"), 2147483647);
  EXPECT_EQ(b.ParseInt(u"-99999999999"), -2147483647 - 1);
  EXPECT_EQ(b.ExtractNumber(u"x-1.2.3", true).ToUtf8(), "-1.23");
  // A locale with a decimal comma: the locale's symbols on screen, '.' when reading.
  CNumericBehavior comma(5, 2, MakeNumericSymbols(u'-', u',', u','));
  EXPECT_EQ(comma.Symbols().group, u'.');
  EXPECT_EQ(comma.ValueText(2.75, true).ToUtf8(), "2,75");
  EXPECT_DOUBLE_EQ(comma.ParseDouble(u"2,75"), 2.75);
  EXPECT_EQ(comma.ExtractNumber(u"-2,75", false).ToUtf8(), "-2,75");
}

TEST(NumericEditRules, Typing) {
  struct Case {
    int whole, decimals;
    UINT flags;
    const char* before;
    const char* keys;
    const char* after;
  } cases[] = {
      {2, 2, EDIT_DIGIT_ENTERS_POINT, "|", "123", "12.3|"},
      {2, 2, 0, "|", "123", "12|"},
      {2, 2, EDIT_DIGIT_ENTERS_POINT, "12|", "7", "12.7|"},
      {2, 2, EDIT_DIGIT_ENTERS_POINT, "12|.5", "7", "12.7|"},
      {2, 2, 0, "2|5", "-", "-2|5"},
      {2, 2, 0, "2|5", "--", "2|5"},
      {2, 2, 0, "|25", "-", "-|25"},
      {2, 2, 0, "|-25", "-", "-|25"},  // at position 0 a sign overwrites the sign
      {2, 2, EDIT_NO_NEGATIVE, "2|5", "-", "2|5"},
      {3, 2, 0, "|1.5", ".", "1.|5"},
      {3, 2, 0, "1|", ".", "1.|"},
      {3, 2, 0, "1[.]5", ".", "1.|5"},
      {3, 0, 0, "1|", ".", "1|"},  // an integer edit has no decimal point
      {3, 2, 0, "1.2|", "34", "1.23|"},
      {3, 2, 0, "1.|23", "9", "1.9|3"},  // a full decimal part is overwritten
      {3, 2, 0, "1.23|", "9", "1.23|"},
      {3, 2, 0, "12|3", "4", "124|"},  // a full whole part is overwritten
      {3, 2, 0, "|1", "x ", "|1"},
      {3, 2, 0, "12|", "\b", "1|"},
      {2, 2, 0, "1|2.34", "\b", "|2.34"},
      {3, 2, 0, "-|", "5", "-5|"},
      {2, 2, 0, "-12|", "3", "-12|"},
  };
  for (const Case& c : cases) {
    CNumericBehavior b(c.whole, c.decimals, kC);
    b.ModifyFlags(c.flags, 0);
    EXPECT_EQ(Type(b, c.before, c.keys), c.after) << c.before << " + " << c.keys;
  }
  CNumericBehavior b(3, 2, kC);
  EditState s = S("1|2");
  EXPECT_EQ(b.OnChar(s, 0x16), CharOutcome::kDefaultRevalidate);  // Ctrl+V: the edit pastes
}

TEST(NumericEditRules, DeleteAndPaste) {
  CNumericBehavior b(2, 2, kC);
  EditState s = S("12|.34");
  b.OnDelete(s);  // the point goes, the joined digits are cut at two whole digits
  EXPECT_EQ(Show(s), "12|");
  s = S("1[2.34]");
  b.OnDelete(s);
  EXPECT_EQ(Show(s), "1|");

  CNumericBehavior integer(3, 0, kC);
  s = S("|");
  integer.OnPaste(s, u"12.5");
  EXPECT_EQ(Show(s), "|12");  // corrected: the caret returns where it stood
  s = S("1|");
  integer.OnPaste(s, u"2");
  EXPECT_EQ(Show(s), "12|");  // nothing to correct: the caret after the pasted text
}

TEST(NumericEditRules, KillFocus) {
  struct Case {
    UINT flags;
    const char* text;
    const char* after;
    KillFocusOutcome outcome;
  } cases[] = {
      {EDIT_NO_NEGATIVE | EDIT_DIGIT_ENTERS_POINT, "12", "12", {}},
      {EDIT_NO_NEGATIVE | EDIT_DIGIT_ENTERS_POINT, "", "", {}},
      {EDIT_CLAMP_OUT_OF_RANGE, "12", "10", {}},
      {EDIT_CLAMP_OUT_OF_RANGE, "5", "5", {}},
      {EDIT_CLAMP_EMPTY, "", "1", {}},
      {EDIT_CLAMP_EMPTY | EDIT_EMPTY_STAYS, "", "", {}},
      {EDIT_BEEP_OUT_OF_RANGE | EDIT_REFOCUS_OUT_OF_RANGE | EDIT_MESSAGE_OUT_OF_RANGE,
       "0.5",
       "0.5",
       {true, true, true}},
      {EDIT_REFOCUS_OUT_OF_RANGE, "0.5", "0.5", {false, false, true}},
      {EDIT_BEEP_EMPTY | EDIT_REFOCUS_EMPTY | EDIT_MESSAGE_EMPTY, "", "", {true, true, true}},
      {EDIT_PAD_WHOLE_ZEROS, "5", "05", {}},
      {EDIT_PAD_DECIMAL_ZEROS, "5", "5.00", {}},
      {EDIT_PAD_DECIMAL_ZEROS, "5.1", "5.10", {}},
      {EDIT_PAD_DECIMAL_ZEROS | EDIT_PAD_WHOLE_ZEROS, "-", "00.00", {false, false, false}},
      {EDIT_TRIM_LEADING_ZEROS, "05", "5", {}},
      {EDIT_TRIM_LEADING_ZEROS, "00.5", "0.5", {false, false, false}},
      {EDIT_TRIM_LEADING_ZEROS, "-0", "-0", {}},
  };
  for (const Case& c : cases) {
    CNumericBehavior b(2, 2, kC);
    b.SetRange(1, 10);
    b.ModifyFlags(c.flags, 0);
    EditState s(c.text);
    EXPECT_EQ(b.OnKillFocus(s), c.outcome) << c.flags << " " << c.text;
    EXPECT_EQ(s.text.ToUtf8(), c.after) << c.flags << " " << c.text;
  }
}

TEST(NumericEditRules, ClampAndMessages) {
  CNumericBehavior b(2, 2, kC);
  b.SetRange(2.5, 10);
  EditState s("1");
  b.ClampToRange(s);
  EXPECT_EQ(s.text.ToUtf8(), "2.5");
  EXPECT_EQ(b.ErrorMessageText().ToUtf8(), "Please specify a numeric value between 2.5 and 10.");
  b.SetRange(CNumericBehavior::kNoMinimum, 10);
  EXPECT_EQ(b.ErrorMessageText().ToUtf8(), "Please specify a numeric value less than or equal to 10.");
  b.SetRange(-3, CNumericBehavior::kNoMaximum);
  EXPECT_EQ(b.ErrorMessageText().ToUtf8(), "Please specify a numeric value greater than or equal to -3.");
  b.SetRange(CNumericBehavior::kNoMinimum, CNumericBehavior::kNoMaximum);
  EXPECT_EQ(b.ErrorMessageText().ToUtf8(), "Please specify a valid numeric value.");
}

TEST(NumericEditRules, ConfigurationReportsChanges) {
  CNumericBehavior b(3, 2, kC);
  EXPECT_FALSE(b.ModifyFlags(0, EDIT_NO_NEGATIVE));
  EXPECT_TRUE(b.ModifyFlags(EDIT_DIGIT_ENTERS_POINT, 0));
  EXPECT_FALSE(b.SetMaxWholeDigits(3));
  EXPECT_TRUE(b.SetMaxWholeDigits(-3));  // same count, negatives now forbidden
  EXPECT_FALSE(b.NegativesAllowed());
  EXPECT_FALSE(b.AllowNegative(false));
  EXPECT_TRUE(b.AllowNegative(true));
  EXPECT_FALSE(b.SetMaxDecimalPlaces(2));
  EXPECT_TRUE(b.SetMaxDecimalPlaces(0));
}

TEST(MaskedEditRules, CorrectedText) {
  CMaskedBehavior b(u"##:##");
  struct Case {
    const char* text;
    const char* corrected;
  } cases[] = {{"12:345", "12:34"}, {"1a:00", "1"}, {"01:30", "01:30"}, {"1230", "12"}, {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(b.GetCorrectedText(c.text).ToUtf8(), c.corrected) << c.text;
  EXPECT_EQ(CMaskedBehavior().GetCorrectedText(u"anything").ToUtf8(), "anything");
  EXPECT_EQ(CMaskedBehavior::GetNumericText(u"01:30").ToUtf8(), "0130");
}

TEST(MaskedEditRules, Typing) {
  struct Case {
    const char* before;
    const char* keys;
    const char* after;
  } cases[] = {
      {"|", "1234", "12:34|"},    {"|", "12:34", "12:34|"},   {"12|", "5", "12:5|"},
      {"|", "1x", "1|"},          {"|12:34", "9", "9|2:34"},  {"12:34|", "5", "12:34|"},
      {"01:25|", "\b", "01:2|0"}, {"01:|25", "\b", "01|:25"}, {"01:2|5", "\b", "01:|05"},
      {"|01:25", "\b", "|01:25"},
  };
  CMaskedBehavior b(u"##:##");
  for (const Case& c : cases) EXPECT_EQ(Type(b, c.before, c.keys), c.after) << c.before << " + " << c.keys;
}

TEST(MaskedEditRules, DeleteOnlyAtTheEnd) {
  CMaskedBehavior b(u"##:##");
  struct Case {
    const char* before;
    const char* after;
  } cases[] = {{"01:|25", "01:|25"}, {"01:2|5", "01:2|"}, {"01[:25]", "01|"}, {"[01]:25", "[01]:25"}};
  for (const Case& c : cases) {
    EditState s = S(c.before);
    b.OnDelete(s);
    EXPECT_EQ(Show(s), c.after) << c.before;
  }
}

}  // namespace
