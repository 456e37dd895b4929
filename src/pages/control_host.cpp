#include "pages/control_host.h"

#include <algorithm>
#include <climits>

const ControlDesc* PageDesc::Find(int id) const {
  for (const ControlDesc& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

bool ParseInt(const CString& text, int* out) {
  const std::u16string& s = text.str();
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
  size_t digits = 0;
  long long value = 0;
  while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
    value = value * 10 + (s[i++] - u'0');
    if (value > static_cast<long long>(INT_MAX) + 1) return false;
    ++digits;
  }
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  if (digits == 0 || i != s.size()) return false;
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return false;
  *out = static_cast<int>(value);
  return true;
}

int ReadDecimal(const CString& text, int first, int maxCount) {
  maxCount = std::min(maxCount, 9);  // stays within an int
  int n = 0;
  bool digits = false;
  for (int i = first; i >= 0 && i < text.GetLength() && i < first + maxCount && text[i] >= u'0' && text[i] <= u'9';
       ++i) {
    n = n * 10 + (text[i] - u'0');
    digits = true;
  }
  return digits ? n : -1;
}

bool ParseHex(const CString& text, int maxDigits, int* out) {
  if (text.GetLength() > maxDigits) return false;
  int sum = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t c = text[i];
    int digit = 0;
    if (c >= u'0' && c <= u'9')
      digit = c - u'0';
    else if (c >= u'A' && c <= u'F')
      digit = c - u'A' + 10;
    else if (c >= u'a' && c <= u'f')
      digit = c - u'a' + 10;
    else
      return false;
    sum = sum * 16 + digit;
  }
  *out = sum;
  return true;
}

CString KeepHexDigits(const CString& text) {
  std::u16string kept;
  for (int i = 0; i < text.GetLength(); ++i) {
    char16_t c = text[i];
    if (c >= u'a' && c <= u'f') c = static_cast<char16_t>(c - u'a' + u'A');
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')) kept.push_back(c);
  }
  return CString(kept.c_str());
}

int CControlHost::GetInt(int id, bool* ok) const {
  int value = 0;
  const bool parsed = ParseInt(GetText(id), &value);
  if (ok) *ok = parsed;
  return parsed ? value : 0;
}

void CControlHost::SetInt(int id, int value) {
  CString text;
  text.Format(u"%d", value);
  SetText(id, text);
}
