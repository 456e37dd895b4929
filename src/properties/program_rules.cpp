#include "properties/program_rules.h"

#include <algorithm>

std::optional<int> FirstNonCapital(const CString& text, bool digits) {
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t c = text[i];
    if ((c >= u'A' && c <= u'Z') || (digits && c >= u'0' && c <= u'9')) continue;
    return i;
  }
  return std::nullopt;
}

PasswordChange CheckPasswordChange(const CString& docPassword, const CString& typed, const CString& fresh,
                                   const CString& repeat) {
  const bool changing = !typed.IsEmpty() || !fresh.IsEmpty();
  if (changing && typed != docPassword) return {609, docPassword};
  if (fresh != repeat) return {608, docPassword};
  return {0, changing ? fresh : docPassword};
}

int ClampProtectTemperature(long long value) {
  return static_cast<int>(std::clamp<long long>(value, -32768, 32767));
}
