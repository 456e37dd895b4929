// Conversion between UTF-16 text and the double-byte Chinese code pages 936 (GBK,
// simplified) and 950 (Big5, traditional), the work of MultiByteToWideChar and
// WideCharToMultiByte. A character becomes one byte (ASCII and a few others) or two
// (lead byte, then trail byte).
//
// Nothing is dropped silently: a character the code page cannot hold becomes '?' in
// the bytes, a byte sequence that is not valid becomes U+FFFD in the text, and the
// result says where the first such place is.
#pragma once

#include <string>
#include <string_view>

#include "platform/cstring.h"
#include "platform/types.h"

constexpr UINT kCodePageSimplifiedChinese = 936;
constexpr UINT kCodePageTraditionalChinese = 950;

struct CodePageBytes {
  std::string bytes;
  bool ok = true;        // every character was converted
  int error_index = -1;  // code-unit index of the first character that was not, or -1
};

struct CodePageText {
  CString text;
  bool ok = true;         // every byte sequence was valid
  int error_offset = -1;  // byte offset of the first invalid sequence, or -1
};

// UTF-16 -> code page bytes. An unknown code page gives no bytes, ok false and error_index 0.
CodePageBytes WideToCodePage(UINT code_page, const CString& text);

// Code page bytes -> UTF-16. A lead byte without its trail byte at the end is invalid too.
// An unknown code page gives no text, ok false and error_offset 0.
CodePageText CodePageToWide(UINT code_page, std::string_view bytes);
