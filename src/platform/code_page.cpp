// Code page conversion through iconv.
#include "platform/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace {

// An iconv descriptor that closes itself.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (ok()) iconv_close(m_cd);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of [*in, *in + *in_left) as possible, appending to out.
  // Returns 0 when all input was consumed, otherwise the errno that stopped it
  // (EILSEQ: an unconvertible sequence at *in; EINVAL: an incomplete one at the end).
  int Run(const char** in, size_t* in_left, std::string& out) {
    while (*in_left > 0) {
      char buf[256];
      char* out_ptr = buf;
      size_t out_left = sizeof buf;
      size_t r = iconv(m_cd, const_cast<char**>(in), in_left, &out_ptr, &out_left);
      int err = r == static_cast<size_t>(-1) ? errno : 0;
      out.append(buf, static_cast<size_t>(out_ptr - buf));
      if (err == E2BIG) continue;
      if (err != 0) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        return err;
      }
    }
    return 0;
  }

 private:
  iconv_t m_cd;
};

std::string IconvName(UINT code_page) {
  return "CP" + std::to_string(code_page);
}

bool IsHigh(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLow(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

CodePageBytes WideToCodePage(UINT code_page, const CString& text) {
  CodePageBytes result;
  Converter conv(IconvName(code_page), "UTF-16LE");
  if (!conv.ok()) {
    result.ok = false;
    result.error_index = 0;
    return result;
  }
  const std::u16string& units = text.str();
  std::string le;
  le.reserve(units.size() * 2);
  for (char16_t c : units) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
  }
  const char* in = le.data();
  size_t in_left = le.size();
  while (in_left > 0) {
    if (conv.Run(&in, &in_left, result.bytes) == 0) break;
    // The character at `in` has no place in this code page: mark it and go on.
    size_t index = static_cast<size_t>(in - le.data()) / 2;
    if (result.ok) {
      result.ok = false;
      result.error_index = static_cast<int>(index);
    }
    result.bytes += '?';
    size_t skip = index + 1 < units.size() && IsHigh(units[index]) && IsLow(units[index + 1]) ? 4 : 2;
    skip = std::min(skip, in_left);
    in += skip;
    in_left -= skip;
  }
  return result;
}

CodePageText CodePageToWide(UINT code_page, std::string_view bytes) {
  CodePageText result;
  Converter conv("UTF-16LE", IconvName(code_page));
  if (!conv.ok()) {
    result.ok = false;
    result.error_offset = 0;
    return result;
  }
  std::string le;
  std::u16string& text = result.text.str();
  const char* in = bytes.data();
  size_t in_left = bytes.size();
  auto flush = [&] {
    for (size_t i = 0; i + 1 < le.size(); i += 2) {
      text += static_cast<char16_t>(static_cast<unsigned char>(le[i]) |
                                    (static_cast<unsigned char>(le[i + 1]) << 8));
    }
    le.clear();
  };
  while (in_left > 0) {
    int err = conv.Run(&in, &in_left, le);
    flush();
    if (err == 0) break;
    if (result.ok) {
      result.ok = false;
      result.error_offset = static_cast<int>(in - bytes.data());
    }
    text += u'\uFFFD';
    if (err == EINVAL) break;  // a lead byte without its trail byte ends the input
    // Skip only the bad byte, so that an ASCII byte after a bad lead byte is kept.
    ++in;
    --in_left;
  }
  return result;
}
