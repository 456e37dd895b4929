// Conversions between the platform types and Qt's: CString and QString (both
// UTF-16), COLORREF (0x00BBGGRR) and QColor.
#pragma once

#include <QColor>
#include <QString>

#include "platform/cstring.h"
#include "platform/string_table.h"
#include "platform/types.h"

inline QColor ToQColor(COLORREF c) {
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

inline QString ToQString(const CString& s) {
  return QString::fromUtf16(s.GetString(), s.GetLength());
}

inline CString ToCString(const QString& s) {
  return CString(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<int>(s.size()));
}

// An English caption of the interface in the interface's language (CaptionText).
inline QString QtCaption(const QString& english) {
  return ToQString(CaptionText(ToCString(english)));
}

// The text of a user-interface id in the Chinese interface, else the English one (UiText).
inline QString QtUiText(int id, const QString& english) {
  return ToQString(UiText(id, ToCString(english)));
}
