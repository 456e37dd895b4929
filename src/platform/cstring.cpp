// CString members, UTF-8 <-> UTF-16 conversion and printf-style formatting.
//
// Formatting never consults the process locale: integers are written with our own
// digit code and floating-point values with std::to_chars, which always uses '.'.
#include "platform/cstring.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/string_table.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// Decodes UTF-8; every maximal ill-formed subsequence becomes one U+FFFD.
std::u16string DecodeUtf8(std::string_view in) {
  std::u16string out;
  out.reserve(in.size());
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const size_t n = in.size();
  size_t i = 0;
  while (i < n) {
    unsigned char b = p[i];
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++i;
      continue;
    }
    int need = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2, cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;  // no encoded surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3, cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < need; ++k, ++j) {
      unsigned char c = j < n ? p[j] : 0;
      unsigned char min = k == 0 ? lo : 0x80, max = k == 0 ? hi : 0xBF;
      if (j >= n || c < min || c > max) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (ok) {
      AppendCodePoint(out, cp);
    } else {
      out += kReplacement;
    }
    i = j;
  }
  return out;
}

std::string EncodeUtf8(std::u16string_view in) {
  std::string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t cp = in[i];
    if (IsHighSurrogate(cp) && i + 1 < in.size() && IsLowSurrogate(in[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(cp) || IsLowSurrogate(cp)) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}
char16_t AsciiUpper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}
char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool InSet(char16_t c, const std::u16string& set) {
  return set.find(c) != std::u16string::npos;
}

// ---------------------------------------------------------------------------
// Formatting

struct Spec {
  bool left = false;   // '-'
  bool plus = false;   // '+'
  bool space = false;  // ' '
  bool zero = false;   // '0'
  bool alt = false;    // '#'
  int width = 0;
  int precision = -1;  // -1: not given
};

// Appends text, ASCII or UTF-16, widened to UTF-16.
template <typename Char>
void AppendText(std::u16string& out, std::basic_string_view<Char> text) {
  if constexpr (std::is_same_v<Char, char16_t>) {
    out.append(text);
  } else {
    const size_t at = out.size();
    out.resize(at + text.size());
    std::copy(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
  }
}

// Appends body padded to the width; zero padding goes after the sign and prefix.
template <typename Char>
void Emit(std::u16string& out, const Spec& s, std::basic_string_view<Char> prefix,
          std::basic_string_view<Char> body, bool zero_pad) {
  size_t len = prefix.size() + body.size();
  size_t pad = s.width > 0 && static_cast<size_t>(s.width) > len ? static_cast<size_t>(s.width) - len : 0;
  if (s.left) {
    AppendText(out, prefix);
    AppendText(out, body);
    out.append(pad, u' ');
  } else if (zero_pad) {
    AppendText(out, prefix);
    out.append(pad, u'0');
    AppendText(out, body);
  } else {
    out.append(pad, u' ');
    AppendText(out, prefix);
    AppendText(out, body);
  }
}

void Emit(std::u16string& out, const Spec& s, std::string_view prefix, std::string_view body, bool zero_pad) {
  Emit<char>(out, s, prefix, body, zero_pad);
}

void Emit(std::u16string& out, const Spec& s, std::u16string_view prefix, std::u16string_view body,
          bool zero_pad) {
  Emit<char16_t>(out, s, prefix, body, zero_pad);
}

void FormatInteger(std::u16string& out, const Spec& s, char conv, std::uint64_t magnitude, bool negative) {
  int base = 10;
  if (conv == 'o') base = 8;
  if (conv == 'x' || conv == 'X' || conv == 'p') base = 16;
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, base);
  if (conv == 'X' || conv == 'p') {
    std::transform(buf, res.ptr, buf,
                   [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c; });
  }
  const bool is_signed = conv == 'd' || conv == 'i';
  const char* sign = "";
  if (is_signed) {
    if (negative) {
      sign = "-";
    } else if (s.plus) {
      sign = "+";
    } else if (s.space) {
      sign = " ";
    }
  }
  // Without a precision or the '#' flag the digits stand as they are (nearly
  // every value a drawing writes).
  if (s.precision < 0 && !s.alt) {
    Emit(out, s, std::string_view(sign), std::string_view(buf, static_cast<size_t>(res.ptr - buf)),
         s.zero && !s.left);
    return;
  }
  std::string digits(buf, res.ptr);
  if (s.precision == 0 && magnitude == 0) digits.clear();
  if (s.precision > 0 && digits.size() < static_cast<size_t>(s.precision)) {
    digits.insert(0, static_cast<size_t>(s.precision) - digits.size(), '0');
  }
  std::string prefix = sign;
  if (s.alt) {
    if (conv == 'o' && (digits.empty() || digits[0] != '0')) digits.insert(0, "0");
    if ((conv == 'x' || conv == 'X') && magnitude != 0) prefix = conv == 'x' ? "0x" : "0X";
  }
  Emit(out, s, std::string_view(prefix), std::string_view(digits), s.zero && !s.left && s.precision < 0);
}

// to_chars with a precision (-1: the shortest form); retries with room for any value.
template <typename F>
std::string ToChars(F value, std::chars_format fmt, int precision) {
  char small[128];
  auto res = precision < 0 ? std::to_chars(small, small + sizeof small, value, fmt)
                           : std::to_chars(small, small + sizeof small, value, fmt, precision);
  if (res.ec == std::errc()) return std::string(small, res.ptr);
  std::string buf(5000 + static_cast<size_t>(std::max(precision, 0)), '\0');
  res = precision < 0 ? std::to_chars(buf.data(), buf.data() + buf.size(), value, fmt)
                      : std::to_chars(buf.data(), buf.data() + buf.size(), value, fmt, precision);
  buf.resize(res.ec == std::errc() ? static_cast<size_t>(res.ptr - buf.data()) : 0);
  return buf;
}

template <typename F>
void FormatFloat(std::u16string& out, const Spec& s, char conv, F value) {
  bool upper = conv == 'E' || conv == 'G' || conv == 'F' || conv == 'A';
  char lower_conv = static_cast<char>(conv | 0x20);
  bool negative = std::signbit(value);
  F mag = negative ? -value : value;
  std::string prefix = negative ? "-" : s.plus ? "+" : s.space ? " " : "";
  std::string body;
  if (std::isnan(value) || std::isinf(value)) {
    body = std::isnan(value) ? "nan" : "inf";
    if (upper) std::transform(body.begin(), body.end(), body.begin(), [](char c) { return c - 32; });
    Emit(out, s, std::string_view(prefix), std::string_view(body), false);
    return;
  }
  // A bounded precision keeps the buffer small; printf's extra digits would be zeros anyway.
  int precision = std::min(s.precision < 0 ? 6 : s.precision, 400);
  if (lower_conv == 'f') {
    body = ToChars(mag, std::chars_format::fixed, precision);
    if (s.alt && precision == 0) body += '.';
  } else if (lower_conv == 'e') {
    body = ToChars(mag, std::chars_format::scientific, precision);
    if (s.alt && precision == 0) body.insert(1, ".");
  } else if (lower_conv == 'g') {
    int p = precision == 0 ? 1 : precision;
    std::string sci = ToChars(mag, std::chars_format::scientific, p - 1);
    int exponent = std::atoi(sci.c_str() + sci.find('e') + 1);
    if (exponent < p && exponent >= -4) {
      body = ToChars(mag, std::chars_format::fixed, p - 1 - exponent);
    } else {
      body = sci;
    }
    size_t e = body.find('e');
    std::string mantissa = body.substr(0, e);
    std::string tail = e == std::string::npos ? "" : body.substr(e);
    if (!s.alt) {
      if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
      }
    } else if (mantissa.find('.') == std::string::npos) {
      mantissa += '.';
    }
    body = mantissa + tail;
  } else {  // 'a'
    body = ToChars(mag, std::chars_format::hex, s.precision < 0 ? -1 : precision);
    prefix += "0x";
  }
  if (upper) {
    std::transform(body.begin(), body.end(), body.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    if (lower_conv == 'a') prefix.back() = 'X';
  }
  Emit(out, s, std::string_view(prefix), std::string_view(body), s.zero && !s.left);
}

void FormatText(std::u16string& out, const Spec& s, std::u16string_view text) {
  if (s.precision >= 0 && text.size() > static_cast<size_t>(s.precision)) {
    text = text.substr(0, static_cast<size_t>(s.precision));
  }
  // As the Windows run-time does, the '0' flag pads strings and characters with zeros.
  Emit(out, s, u"", text, s.zero && !s.left);
}

// The text at p; with a precision, read no further than it allows (the text need
// not be terminated then).
template <typename Char>
std::basic_string_view<Char> BoundedText(const Char* p, int precision) {
  if (precision < 0) return p;
  size_t n = 0;
  while (n < static_cast<size_t>(precision) && p[n]) ++n;
  return {p, n};
}

int ReadNumber(std::u16string_view fmt, size_t& i) {
  long long v = 0;
  while (i < fmt.size() && fmt[i] >= u'0' && fmt[i] <= u'9') {
    v = std::min<long long>(v * 10 + (fmt[i] - u'0'), 1 << 20);  // bounded: no huge paddings
    ++i;
  }
  return static_cast<int>(v);
}

void FormatImpl(std::u16string& out, std::u16string_view fmt, va_list* ap) {
  size_t i = 0;
  while (i < fmt.size()) {
    if (fmt[i] != u'%') {
      // The text up to the next conversion, in one piece.
      const size_t next = std::min(fmt.find(u'%', i), fmt.size());
      out.append(fmt.substr(i, next - i));
      i = next;
      continue;
    }
    size_t start = i++;
    if (i >= fmt.size()) {  // a lone '%' at the end prints as itself
      out += u'%';
      break;
    }
    if (fmt[i] == u'%') {
      out += u'%';
      ++i;
      continue;
    }
    Spec s;
    for (bool more = true; more && i < fmt.size();) {
      switch (fmt[i]) {
        case u'-':
          s.left = true;
          break;
        case u'+':
          s.plus = true;
          break;
        case u' ':
          s.space = true;
          break;
        case u'0':
          s.zero = true;
          break;
        case u'#':
          s.alt = true;
          break;
        default:
          more = false;
          continue;
      }
      ++i;
    }
    if (i < fmt.size() && fmt[i] == u'*') {
      int w = va_arg(*ap, int);
      if (w < 0) {
        s.left = true;
        w = w == INT32_MIN ? 0 : -w;
      }
      s.width = std::min(w, 1 << 20);
      ++i;
    } else {
      s.width = ReadNumber(fmt, i);
    }
    if (i < fmt.size() && fmt[i] == u'.') {
      ++i;
      if (i < fmt.size() && fmt[i] == u'*') {
        int p = va_arg(*ap, int);
        s.precision = p < 0 ? -1 : std::min(p, 1 << 20);
        ++i;
      } else {
        s.precision = ReadNumber(fmt, i);
      }
    }
    // Length modifiers: hh h l ll L j z t and the Windows I, I32, I64.
    enum class Len { kNone, kChar, kShort, kLong, kLongLong, kLongDouble, kSize, kMax, kPtrDiff };
    Len len = Len::kNone;
    if (i < fmt.size()) {
      char16_t m = fmt[i];
      std::u16string_view rest = fmt.substr(i);
      if (rest.starts_with(u"hh")) {
        len = Len::kChar, i += 2;
      } else if (m == u'h') {
        len = Len::kShort, ++i;
      } else if (rest.starts_with(u"ll")) {
        len = Len::kLongLong, i += 2;
      } else if (m == u'l') {
        len = Len::kLong, ++i;
      } else if (m == u'L') {
        len = Len::kLongDouble, ++i;
      } else if (m == u'j') {
        len = Len::kMax, ++i;
      } else if (m == u'z') {
        len = Len::kSize, ++i;
      } else if (m == u't') {
        len = Len::kPtrDiff, ++i;
      } else if (rest.starts_with(u"I64")) {
        len = Len::kLongLong, i += 3;
      } else if (rest.starts_with(u"I32")) {
        len = Len::kNone, i += 3;
      } else if (m == u'I') {
        len = Len::kSize, ++i;
      }
    }
    if (i >= fmt.size()) {  // an unfinished conversion prints as it stands
      out.append(fmt.substr(start));
      break;
    }
    char16_t conv16 = fmt[i++];
    char conv = conv16 < 0x80 ? static_cast<char>(conv16) : '?';
    switch (conv) {
      case 'd':
      case 'i': {
        long long v;
        switch (len) {
          case Len::kChar:
            v = static_cast<signed char>(va_arg(*ap, int));
            break;
          case Len::kShort:
            v = static_cast<short>(va_arg(*ap, int));
            break;
          case Len::kLong:
            v = va_arg(*ap, long);
            break;
          case Len::kLongLong:
            v = va_arg(*ap, long long);
            break;
          case Len::kMax:
            v = va_arg(*ap, intmax_t);
            break;
          case Len::kSize:
          case Len::kPtrDiff:
            v = va_arg(*ap, std::ptrdiff_t);
            break;
          default:
            v = va_arg(*ap, int);
            break;
        }
        std::uint64_t mag = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        FormatInteger(out, s, conv, mag, v < 0);
        break;
      }
      case 'u':
      case 'o':
      case 'x':
      case 'X': {
        std::uint64_t v;
        switch (len) {
          case Len::kChar:
            v = static_cast<unsigned char>(va_arg(*ap, unsigned));
            break;
          case Len::kShort:
            v = static_cast<unsigned short>(va_arg(*ap, unsigned));
            break;
          case Len::kLong:
            v = va_arg(*ap, unsigned long);
            break;
          case Len::kLongLong:
            v = va_arg(*ap, unsigned long long);
            break;
          case Len::kMax:
            v = va_arg(*ap, uintmax_t);
            break;
          case Len::kSize:
          case Len::kPtrDiff:
            v = va_arg(*ap, std::size_t);
            break;
          default:
            v = va_arg(*ap, unsigned);
            break;
        }
        FormatInteger(out, s, conv, v, false);
        break;
      }
      case 'p': {
        Spec ps = s;
        ps.precision = 2 * static_cast<int>(sizeof(void*));
        ps.alt = false;
        FormatInteger(out, ps, 'p', reinterpret_cast<std::uintptr_t>(va_arg(*ap, void*)), false);
        break;
      }
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        if (len == Len::kLongDouble) {
          FormatFloat(out, s, conv, va_arg(*ap, long double));
        } else {
          FormatFloat(out, s, conv, va_arg(*ap, double));
        }
        break;
      case 'c':
      case 'C': {
        int v = va_arg(*ap, int);
        char16_t ch = len == Len::kShort ? static_cast<char16_t>(v & 0xFF) : static_cast<char16_t>(v);
        FormatText(out, s, std::u16string_view(&ch, 1));
        break;
      }
      case 's':
      case 'S': {
        // %s and %ls are UTF-16; %hs (and %S, as in a Windows Unicode build) are UTF-8.
        if (len == Len::kShort || (conv == 'S' && len != Len::kLong)) {
          const char* p = va_arg(*ap, const char*);
          FormatText(out, s, p ? DecodeUtf8(BoundedText(p, s.precision)) : u"(null)");
        } else {
          const char16_t* p = va_arg(*ap, const char16_t*);
          FormatText(out, s, p ? BoundedText(p, s.precision) : u"(null)");
        }
        break;
      }
      case 'n':
        // Writing through a pointer from a format is never wanted; the argument is skipped.
        (void)va_arg(*ap, void*);
        break;
      default:
        // An unknown conversion prints as it stands and takes no argument.
        out.append(fmt.substr(start, i - start));
        break;
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------

CString::CString(const char* utf8) : m_str(utf8 ? DecodeUtf8(utf8) : std::u16string()) {}

CString CString::FromUtf8(std::string_view utf8) {
  return CString(DecodeUtf8(utf8));
}

std::string CString::ToUtf8() const {
  return EncodeUtf8(m_str);
}

int CString::Compare(const CString& s) const {
  int r = m_str.compare(s.m_str);
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(const CString& s) const {
  size_t n = std::min(m_str.size(), s.m_str.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t a = AsciiLower(m_str[i]), b = AsciiLower(s.m_str[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return m_str.size() < s.m_str.size() ? -1 : m_str.size() > s.m_str.size() ? 1 : 0;
}

int CString::Find(char16_t ch, int start) const {
  if (start < 0) start = 0;
  if (start >= GetLength()) return -1;
  size_t p = m_str.find(ch, static_cast<size_t>(start));
  return p == std::u16string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const CString& sub, int start) const {
  if (start < 0) start = 0;
  if (start > GetLength()) return -1;
  size_t p = m_str.find(sub.m_str, static_cast<size_t>(start));
  return p == std::u16string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char16_t ch) const {
  size_t p = m_str.rfind(ch);
  return p == std::u16string::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const CString& chars) const {
  size_t p = m_str.find_first_of(chars.m_str);
  return p == std::u16string::npos ? -1 : static_cast<int>(p);
}

CString CString::Left(int count) const {
  count = std::clamp(count, 0, GetLength());
  return CString(m_str.substr(0, static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
  count = std::clamp(count, 0, GetLength());
  return CString(m_str.substr(static_cast<size_t>(GetLength() - count)));
}

CString CString::Mid(int first) const {
  return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
  first = std::clamp(first, 0, GetLength());
  count = std::clamp(count, 0, GetLength() - first);
  return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::SpanIncluding(const CString& chars) const {
  size_t n = 0;
  while (n < m_str.size() && InSet(m_str[n], chars.m_str)) ++n;
  return CString(m_str.substr(0, n));
}

CString CString::SpanExcluding(const CString& chars) const {
  size_t n = 0;
  while (n < m_str.size() && !InSet(m_str[n], chars.m_str)) ++n;
  return CString(m_str.substr(0, n));
}

CString& CString::Trim() {
  return TrimRight().TrimLeft();
}

CString& CString::TrimLeft() {
  size_t n = 0;
  while (n < m_str.size() && IsSpace(m_str[n])) ++n;
  m_str.erase(0, n);
  return *this;
}

CString& CString::TrimRight() {
  size_t n = m_str.size();
  while (n > 0 && IsSpace(m_str[n - 1])) --n;
  m_str.resize(n);
  return *this;
}

CString& CString::Trim(char16_t ch) {
  return TrimRight(ch).TrimLeft(ch);
}

CString& CString::TrimLeft(char16_t ch) {
  return TrimLeft(CString(ch));
}

CString& CString::TrimRight(char16_t ch) {
  return TrimRight(CString(ch));
}

CString& CString::TrimLeft(const CString& chars) {
  size_t n = 0;
  while (n < m_str.size() && InSet(m_str[n], chars.m_str)) ++n;
  m_str.erase(0, n);
  return *this;
}

CString& CString::TrimRight(const CString& chars) {
  size_t n = m_str.size();
  while (n > 0 && InSet(m_str[n - 1], chars.m_str)) --n;
  m_str.resize(n);
  return *this;
}

int CString::Replace(char16_t from, char16_t to) {
  int count = 0;
  for (auto& c : m_str) {
    if (c == from) {
      c = to;
      ++count;
    }
  }
  return count;
}

int CString::Replace(const CString& from, const CString& to) {
  if (from.IsEmpty()) return 0;
  int count = 0;
  std::u16string result;
  size_t pos = 0;
  for (size_t hit; (hit = m_str.find(from.m_str, pos)) != std::u16string::npos;
       pos = hit + from.m_str.size()) {
    result.append(m_str, pos, hit - pos);
    result += to.m_str;
    ++count;
  }
  if (count > 0) {
    result.append(m_str, pos);
    m_str = std::move(result);
  }
  return count;
}

int CString::Remove(char16_t ch) {
  size_t before = m_str.size();
  std::erase(m_str, ch);
  return static_cast<int>(before - m_str.size());
}

int CString::Insert(int index, char16_t ch) {
  return Insert(index, CString(ch));
}

int CString::Insert(int index, const CString& s) {
  index = std::clamp(index, 0, GetLength());
  m_str.insert(static_cast<size_t>(index), s.m_str);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index < 0) index = 0;
  if (count > 0 && index < GetLength()) {
    count = std::min(count, GetLength() - index);
    m_str.erase(static_cast<size_t>(index), static_cast<size_t>(count));
  }
  return GetLength();
}

CString& CString::MakeUpper() {
  for (auto& c : m_str) c = AsciiUpper(c);
  return *this;
}

CString& CString::MakeLower() {
  for (auto& c : m_str) c = AsciiLower(c);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_str.begin(), m_str.end());
  // Keep surrogate pairs in their order so the reversed text stays well formed.
  for (size_t i = 0; i + 1 < m_str.size(); ++i) {
    if (IsLowSurrogate(m_str[i]) && IsHighSurrogate(m_str[i + 1])) {
      std::swap(m_str[i], m_str[i + 1]);
      ++i;
    }
  }
  return *this;
}

CString CString::Tokenize(const CString& delims, int& pos) const {
  if (pos < 0 || pos >= GetLength()) {
    pos = -1;
    return CString();
  }
  if (delims.IsEmpty()) {
    // No delimiters: the rest is one token, and the next call ends the walk.
    CString rest = Mid(pos);
    pos = GetLength();
    return rest;
  }
  size_t from = static_cast<size_t>(pos);
  while (from < m_str.size() && InSet(m_str[from], delims.m_str)) ++from;
  if (from >= m_str.size()) {
    pos = -1;
    return CString();
  }
  size_t until = from;
  while (until < m_str.size() && !InSet(m_str[until], delims.m_str)) ++until;
  pos = static_cast<int>(until + 1);
  return CString(m_str.substr(from, until - from));
}

BOOL CString::LoadString(UINT id) {
  if (!HasString(id)) return FALSE;
  *this = ::LoadString(id);
  return TRUE;
}

void CString::FormatV(const char16_t* fmt, va_list args) {
  std::u16string out;
  if (fmt) {
    va_list ap;
    va_copy(ap, args);
    FormatImpl(out, fmt, &ap);
    va_end(ap);
  }
  m_str = std::move(out);
}

void CString::FormatV(const char* fmt, va_list args) {
  std::u16string f = fmt ? DecodeUtf8(fmt) : std::u16string();
  FormatV(f.c_str(), args);
}

void CString::Format(const char16_t* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  FormatV(fmt, ap);
  va_end(ap);
}

void CString::Format(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  FormatV(fmt, ap);
  va_end(ap);
}

void CString::AppendFormat(const char16_t* fmt, ...) {
  CString tail;
  va_list ap;
  va_start(ap, fmt);
  tail.FormatV(fmt, ap);
  va_end(ap);
  m_str += tail.m_str;
}

CString FormatString(const char16_t* fmt, ...) {
  CString s;
  va_list ap;
  va_start(ap, fmt);
  s.FormatV(fmt, ap);
  va_end(ap);
  return s;
}
