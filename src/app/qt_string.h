// Conversions between CString and QString (both UTF-16).
#pragma once

#include <QString>

#include "platform/cstring.h"

inline QString ToQString(const CString& s) {
  return QString::fromUtf16(s.GetString(), s.GetLength());
}

inline CString ToCString(const QString& s) {
  return CString(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<int>(s.size()));
}
