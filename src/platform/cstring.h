// CString: a string of UTF-16 code units with the members the system uses.
//
// Literals: u"..." (UTF-16) or "..." (UTF-8) both construct a CString.
// Format follows printf in the C locale whatever the process locale is; %s and
// %ls take a const char16_t*, %hs a const char* (UTF-8), %c a char16_t (as int).
#pragma once

#include <compare>
#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/types.h"

class CString {
 public:
  CString() = default;
  CString(const char16_t* s) : m_str(s ? s : u"") {}  // NOLINT(google-explicit-constructor)
  CString(const char16_t* s, int len)
      : m_str(s ? std::u16string(s, static_cast<size_t>(len < 0 ? 0 : len)) : u"") {}
  CString(std::u16string s) : m_str(std::move(s)) {}           // NOLINT(google-explicit-constructor)
  CString(std::u16string_view s) : m_str(s) {}                 // NOLINT(google-explicit-constructor)
  CString(const char* utf8);                                   // NOLINT(google-explicit-constructor)
  CString(const std::string& utf8) : CString(utf8.c_str()) {}  // NOLINT(google-explicit-constructor)
  explicit CString(char16_t ch, int repeat = 1) : m_str(static_cast<size_t>(repeat < 0 ? 0 : repeat), ch) {}

  static CString FromUtf8(std::string_view utf8);
  std::string ToUtf8() const;

  // Length in UTF-16 code units.
  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  const char16_t* GetString() const { return m_str.c_str(); }
  const std::u16string& str() const { return m_str; }
  std::u16string& str() { return m_str; }
  operator std::u16string_view() const { return m_str; }  // NOLINT(google-explicit-constructor)

  // Out-of-range indices read as 0 and are ignored on write.
  char16_t GetAt(int i) const { return i >= 0 && i < GetLength() ? m_str[static_cast<size_t>(i)] : u'\0'; }
  char16_t operator[](int i) const { return GetAt(i); }
  void SetAt(int i, char16_t ch) {
    if (i >= 0 && i < GetLength()) m_str[static_cast<size_t>(i)] = ch;
  }

  CString& operator+=(const CString& s) { return m_str += s.m_str, *this; }
  CString& operator+=(const char16_t* s) { return m_str += (s ? s : u""), *this; }
  CString& operator+=(char16_t ch) { return m_str += ch, *this; }
  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
  friend CString operator+(const CString& a, const char16_t* b) { return a + CString(b); }
  friend CString operator+(const char16_t* a, const CString& b) { return CString(a) + b; }
  friend CString operator+(const CString& a, char16_t ch) { return CString(a.m_str + ch); }
  friend CString operator+(char16_t ch, const CString& b) { return CString(ch) + b; }

  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, const char16_t* b) { return a.m_str == (b ? b : u""); }
  friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.m_str <=> b.m_str; }

  // <0, 0, >0 by code unit; CompareNoCase folds ASCII letters only.
  int Compare(const CString& s) const;
  int CompareNoCase(const CString& s) const;

  // Positions are code-unit indices; -1 when not found.
  int Find(char16_t ch, int start = 0) const;
  int Find(const CString& sub, int start = 0) const;
  int ReverseFind(char16_t ch) const;
  int FindOneOf(const CString& chars) const;

  // Counts are clamped to the string like MFC does (never throw).
  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString SpanIncluding(const CString& chars) const;
  CString SpanExcluding(const CString& chars) const;

  // Without an argument these trim whitespace (space, tab, CR, LF, VT, FF).
  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();
  CString& Trim(char16_t ch);
  CString& TrimLeft(char16_t ch);
  CString& TrimRight(char16_t ch);
  CString& TrimLeft(const CString& chars);
  CString& TrimRight(const CString& chars);

  int Replace(char16_t from, char16_t to);
  int Replace(const CString& from, const CString& to);
  int Remove(char16_t ch);
  int Insert(int index, char16_t ch);
  int Insert(int index, const CString& s);
  int Delete(int index, int count = 1);
  CString& MakeUpper();  // ASCII letters
  CString& MakeLower();  // ASCII letters
  CString& MakeReverse();

  // Next token after *pos delimited by any of delims; *pos becomes -1 at the end.
  CString Tokenize(const CString& delims, int& pos) const;

  // Loads the string-table text of id for the current interface language (see
  // string_table.h); FALSE, with the string unchanged, when the table has no such text.
  BOOL LoadString(UINT id);

  void Format(const char16_t* fmt, ...);
  void Format(const char* fmt, ...);
  void AppendFormat(const char16_t* fmt, ...);
  void FormatV(const char16_t* fmt, va_list args);
  void FormatV(const char* fmt, va_list args);

 private:
  std::u16string m_str;
};

// printf-style formatting into a new CString (same rules as CString::Format).
CString FormatString(const char16_t* fmt, ...);
