#include "pages/control_host.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

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

bool ParseDecimal(const CString& text, double* out) {
  std::string ascii;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t c = text[i];
    if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+')) return false;
    ascii += static_cast<char>(c);
  }
  if (ascii.empty()) return false;
  char* end = nullptr;
  const double v = std::strtod(ascii.c_str(), &end);
  if (!end || *end != '\0' || !std::isfinite(v)) return false;
  *out = v;
  return true;
}

CString FormatDecimal(double value, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", std::clamp(decimals, 0, 9), value);
  std::string s = buf;
  if (s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return CString(std::u16string(s.begin(), s.end()).c_str());
}

CString SpinStepText(const ControlDesc& spin, const CString& buddyText, int lower, int upper, int delta) {
  if (upper < lower) std::swap(lower, upper);
  if (spin.decimals <= 0) {
    int value = 0;
    const long long from = ParseInt(buddyText, &value) ? value : lower;
    const int step = std::max(spin.step, 1);
    long long next = from + static_cast<long long>(delta) * step;
    if (step > 1) {
      if (delta > 0 && from < step) next = from;
      next -= next % step;
    }
    CString text;
    text.Format(u"%d", static_cast<int>(std::clamp<long long>(next, lower, upper)));
    return text;
  }
  double value = 0;
  if (!ParseDecimal(buddyText, &value)) value = std::clamp(0.0, double(lower), double(upper));
  // Whole units of the last place, so that repeated steps do not drift.
  const double scale = std::pow(10.0, std::min(spin.decimals, 9));
  const double units = std::round(value * scale) + delta;
  return FormatDecimal(std::clamp(units / scale, double(lower), double(upper)), spin.decimals);
}

int ReadDecimal(const CString& text, int first, int maxCount) {
  maxCount = std::min(maxCount, 9);  // stays within an int
  int n = 0;
  bool digits = false;
  for (int i = first;
       i >= 0 && i < text.GetLength() && i < first + maxCount && text[i] >= u'0' && text[i] <= u'9'; ++i) {
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

std::vector<int> CControlHost::GetSelectedItems(int id) const {
  const int sel = GetCurSel(id);
  return sel >= 0 ? std::vector<int>{sel} : std::vector<int>{};
}
