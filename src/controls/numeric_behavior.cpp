#include "controls/numeric_behavior.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool IsDigit(char16_t ch) {
  return ch >= u'0' && ch <= u'9';
}

// The first character of a UTF-8 text when it is one BMP character; 0 otherwise.
char16_t SingleChar(const char* utf8) {
  if (!utf8 || !*utf8) return 0;
  const CString s = CString::FromUtf8(utf8);
  return s.GetLength() == 1 ? s[0] : 0;
}

NumericSymbols ReadUserSymbols() {
  char16_t decimal = u'.';
  char16_t group = u',';
  if (locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr))) {
    if (char16_t c = SingleChar(nl_langinfo_l(RADIXCHAR, loc))) decimal = c;
    if (char16_t c = SingleChar(nl_langinfo_l(THOUSEP, loc))) group = c;
    freelocale(loc);
  }
  return MakeNumericSymbols(u'-', decimal, group);
}

}  // namespace

NumericSymbols MakeNumericSymbols(char16_t negative, char16_t decimal, char16_t group) {
  if (group == decimal) group = decimal == u',' ? u'.' : u',';
  return {negative, decimal, group};
}

const NumericSymbols& UserNumericSymbols() {
  static const NumericSymbols symbols = ReadUserSymbols();
  return symbols;
}

void PadWithZeros(CString& text, int position, int count) {
  if (count <= 0) return;
  if (position < 0 || position > text.GetLength()) position = text.GetLength();
  text.Insert(position, CString(u'0', count));
}

CNumericBehavior::CNumericBehavior(int maxWholeDigits, int maxDecimalPlaces, const NumericSymbols& symbols)
    : m_maxWhole(maxWholeDigits < 0 ? -maxWholeDigits : maxWholeDigits),
      m_maxDecimal(maxDecimalPlaces < 0 ? 0 : maxDecimalPlaces),
      m_symbols(MakeNumericSymbols(symbols.negative, symbols.decimal, symbols.group)) {
  if (maxWholeDigits < 0) ModifyFlags(EDIT_NO_NEGATIVE, 0);
}

bool CNumericBehavior::SetMaxWholeDigits(int n) {
  const bool allow = n >= 0;
  const int count = allow ? n : -n;
  if (count == m_maxWhole && allow == NegativesAllowed()) return false;
  m_maxWhole = count;
  AllowNegative(allow);
  return true;
}

bool CNumericBehavior::SetMaxDecimalPlaces(int n) {
  if (n < 0) n = 0;
  if (n == m_maxDecimal) return false;
  m_maxDecimal = n;
  return true;
}

void CNumericBehavior::SetRange(double minimum, double maximum) {
  m_minimum = minimum;
  m_maximum = maximum;
}

CString CNumericBehavior::CorrectedText(const CString& text, bool revalidating) const {
  CString result;
  bool negative = false;
  int decimalPos = -1;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t ch = text[i];
    const int count = result.GetLength();
    if (ch == m_symbols.negative && NegativesAllowed()) {
      negative = true;
    } else if (IsDigit(ch) && decimalPos < 0) {
      if (count != m_maxWhole) result += ch;
    } else if (IsDigit(ch)) {
      if (count > decimalPos + m_maxDecimal) break;
      result += ch;
    } else if (ch == m_symbols.decimal && decimalPos < 0) {
      if (m_maxDecimal == 0) break;
      decimalPos = count;
      result += ch;
    }
  }
  const UINT flags = GetFlags();
  if (m_maxDecimal > 0 && !result.IsEmpty() &&
      ((flags & EDIT_ALWAYS_PAD_DECIMALS) || ((flags & EDIT_PAD_DECIMALS_EXCEPT_TYPING) && !revalidating))) {
    if (decimalPos < 0) {
      decimalPos = result.GetLength();
      result += m_symbols.decimal;
    }
    PadWithZeros(result, -1, m_maxDecimal - (result.GetLength() - decimalPos - 1));
  }
  if (negative) result.Insert(0, m_symbols.negative);
  return result;
}

void CNumericBehavior::Revalidate(EditState& state) const {
  const CString corrected = CorrectedText(state.text, true);
  if (corrected == state.text) return;
  const int s = state.start;
  const int e = state.end;
  state.text = corrected;
  state.SetSel(s, e);
}

CharOutcome CNumericBehavior::OnChar(EditState& state, char16_t ch) const {
  state.SetSel(state.start, state.end);
  const int start = state.start;
  const int end = state.end;
  const CString number = ExtractNumber(state.text, false);
  const int decimalInText = state.text.Find(m_symbols.decimal);
  const int decimalInNumber = number.Find(m_symbols.decimal);
  const bool negative = !number.IsEmpty() && number[0] == m_symbols.negative;

  if (ch == m_symbols.negative && NegativesAllowed()) {
    if (start == 0) {
      if (negative) {
        Overwrite(state, CString(ch));
      } else {
        state.ReplaceSel(CString(ch));
      }
    } else if (negative) {
      state.text.Delete(0);
      state.SetSel(start - 1, end - 1);
    } else {
      state.text.Insert(0, ch);
      state.SetSel(start + 1, end + 1);
    }
    return CharOutcome::kDone;
  }

  if (ch == m_symbols.decimal && m_maxDecimal > 0) {
    if (decimalInText < 0 || (start <= decimalInText && decimalInText < end)) {
      state.ReplaceSel(CString(ch));
      Revalidate(state);
    } else {
      state.SetCaret(decimalInText + 1);
    }
    return CharOutcome::kDone;
  }

  if (IsDigit(ch)) {
    if (decimalInText >= 0 && start > decimalInText) {
      const int decimals = number.GetLength() - decimalInNumber - 1;
      if (decimals < m_maxDecimal) {
        state.ReplaceSel(CString(ch));
      } else if (start <= decimalInText + m_maxDecimal) {
        Overwrite(state, CString(ch));
      }
      return CharOutcome::kDone;
    }
    const int limit = m_maxWhole + (negative ? 1 : 0);
    const int wholeLength = decimalInNumber >= 0 ? decimalInNumber : number.GetLength();
    if (start == limit) {
      if ((GetFlags() & EDIT_DIGIT_ENTERS_POINT) && m_maxDecimal > 0) {
        Overwrite(state, CString(m_symbols.decimal) + ch);
      }
    } else if (wholeLength >= limit) {
      Overwrite(state, CString(ch));
    } else {
      state.ReplaceSel(CString(ch));
      Revalidate(state);
    }
    return CharOutcome::kDone;
  }

  if (IsPrintableChar(ch)) return CharOutcome::kDone;
  if (ch == u'\b') {
    state.Backspace();
    Revalidate(state);
    return CharOutcome::kDone;
  }
  return CharOutcome::kDefaultRevalidate;
}

void CNumericBehavior::OnDelete(EditState& state) const {
  state.SetSel(state.start, state.end);
  const bool atEnd = state.end == state.text.GetLength();
  const int start = state.start;
  state.Delete();
  Revalidate(state);
  if (atEnd) state.SetCaret(start);
}

KillFocusOutcome CNumericBehavior::OnKillFocus(EditState& state) const {
  KillFocusOutcome outcome;
  const UINT flags = GetFlags();
  const CString number = ExtractNumber(state.text, false);
  CString s = number;
  const char16_t sign = m_symbols.negative;
  if ((flags & EDIT_TRIM_LEADING_ZEROS) && !s.IsEmpty()) {
    const bool negative = s[0] == sign;
    if (negative) s.Delete(0);
    s.TrimLeft(u'0');
    if (s.IsEmpty() || s[0] == m_symbols.decimal) s.Insert(0, u'0');
    if (negative) s.Insert(0, sign);
  } else if (!(flags & 0x0FFF) || (s.IsEmpty() && (flags & EDIT_EMPTY_STAYS))) {
    return outcome;
  }
  if ((flags & EDIT_PAD_DECIMAL_ZEROS) && m_maxDecimal > 0) {
    int point = s.Find(m_symbols.decimal);
    if (point < 0) {
      if (s.IsEmpty() || s == CString(sign)) s = u"0";
      point = s.GetLength();
      s += m_symbols.decimal;
    }
    PadWithZeros(s, -1, m_maxDecimal - (s.GetLength() - point - 1));
  }
  if ((flags & EDIT_PAD_WHOLE_ZEROS) && m_maxWhole > 0) {
    const int signLength = !s.IsEmpty() && s[0] == sign ? 1 : 0;
    const int point = s.Find(m_symbols.decimal);
    const int whole = (point < 0 ? s.GetLength() : point) - signLength;
    PadWithZeros(s, s.IsEmpty() ? -1 : signLength, m_maxWhole - whole);
  }
  if (s != number) {
    const int start = state.start;
    const int end = state.end;
    state.text = GetCorrectedText(s);
    state.SetSel(start, end);
  }
  if (s.IsEmpty()) {
    outcome.beep = (flags & EDIT_BEEP_EMPTY) != 0;
    if (flags & EDIT_CLAMP_EMPTY) ClampToRange(state);
    outcome.show_error = (flags & EDIT_REFOCUS_EMPTY) && (flags & EDIT_MESSAGE_EMPTY);
    outcome.refocus = (flags & EDIT_REFOCUS_EMPTY) != 0;
  } else if (!IsValueInRange(state.text)) {
    outcome.beep = (flags & EDIT_BEEP_OUT_OF_RANGE) != 0;
    if (flags & EDIT_CLAMP_OUT_OF_RANGE) ClampToRange(state);
    outcome.show_error = (flags & EDIT_REFOCUS_OUT_OF_RANGE) && (flags & EDIT_MESSAGE_OUT_OF_RANGE);
    outcome.refocus = (flags & EDIT_REFOCUS_OUT_OF_RANGE) != 0;
  }
  return outcome;
}

void CNumericBehavior::ClampToRange(EditState& state) const {
  if (IsValueInRange(state.text)) return;
  state.text = GetCorrectedText(state.text.IsEmpty() ? CString(u" ") : state.text);
  state.SetSel(state.start, state.end);
  const double value = ParseDouble(state.text);
  if (value < m_minimum) {
    state.SetText(ValueText(m_minimum, true));
  } else if (value > m_maximum) {
    state.SetText(ValueText(m_maximum, true));
  }
}

CString CNumericBehavior::ExtractNumber(const CString& text, bool standard) const {
  CString digits;
  bool negative = false;
  bool point = false;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t ch = text[i];
    if (IsDigit(ch)) {
      digits += ch;
    } else if (ch == m_symbols.decimal && !point) {
      point = true;
      digits += standard ? u'.' : ch;
    } else if (ch == m_symbols.negative) {
      negative = true;
    }
  }
  if (negative) digits.Insert(0, standard ? u'-' : m_symbols.negative);
  return digits;
}

CString CNumericBehavior::FormatNumber(double value, bool trim) const {
  char buffer[400];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  CString text = ec == std::errc() ? CString(std::string(buffer, ptr)) : CString(u"0");
  if (m_symbols.decimal != u'.') text.Replace(u'.', m_symbols.decimal);
  if (trim) {
    text.TrimRight(u'0');
    text.TrimRight(m_symbols.decimal);
  }
  return text;
}

double CNumericBehavior::ParseDouble(const CString& text) const {
  const std::string s = ExtractNumber(text, true).ToUtf8();
  double value = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range) {
    return s.starts_with('-') ? -std::numeric_limits<double>::infinity()
                              : std::numeric_limits<double>::infinity();
  }
  return ec == std::errc() ? value : 0.0;
}

int CNumericBehavior::ParseInt(const CString& text) const {
  const std::string s = ExtractNumber(text, true).ToUtf8();
  size_t i = 0;
  const bool negative = i < s.size() && s[i] == '-';
  if (negative) ++i;
  long long value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = std::min<long long>(value * 10 + (s[i] - '0'), 1LL << 32);
  }
  if (negative) value = -value;
  return static_cast<int>(
      std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool CNumericBehavior::IsValueInRange(const CString& text) const {
  const double value = ParseDouble(text);
  return m_minimum <= value && value <= m_maximum;
}

CString CNumericBehavior::ErrorMessageText() const {
  const bool hasMin = m_minimum > kNoMinimum && m_minimum < kNoMaximum;
  const bool hasMax = m_maximum > kNoMinimum && m_maximum < kNoMaximum;
  if (hasMin && hasMax) {
    return u"Please specify a numeric value between " + FormatNumber(m_minimum, true) + u" and " +
           FormatNumber(m_maximum, true) + u".";
  }
  if (hasMin)
    return u"Please specify a numeric value greater than or equal to " + FormatNumber(m_minimum, true) + u".";
  if (hasMax)
    return u"Please specify a numeric value less than or equal to " + FormatNumber(m_maximum, true) + u".";
  return u"Please specify a valid numeric value.";
}
