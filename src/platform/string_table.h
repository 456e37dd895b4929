// The program's string table: texts by id, with an English and a Chinese column.
// The entries live in string_table_data.cpp.
#pragma once

#include <span>

#include "platform/cstring.h"
#include "platform/types.h"

// 1 while the Chinese user interface is on, else 0. Set once at start-up.
extern int g_LanguageIsChinese;

struct StringTableEntry {
  UINT id;
  const char16_t* english;  // may be empty: the string exists in the Chinese table only
  const char16_t* chinese;  // empty: the English text serves both interfaces
};

// Every entry of the table, in the order of the data file.
std::span<const StringTableEntry> StringTableEntries();

// Whether the table has the id in the column of the current interface (the Chinese
// interface also accepts an English text).
bool HasString(UINT id);

// The text of the id for the current interface: the Chinese column when
// g_LanguageIsChinese is set and that text is not empty, else the English column.
// An unknown id gives an empty string.
CString LoadString(UINT id);

// The Chinese user-interface texts by command, control or text id (menu items, the
// standard buttons, dialog captions and controls) and the Chinese captions of the
// menu bar's popups by their English captions. They are kept with the string table.
struct UiTextEntry {
  UINT id;
  const char16_t* chinese;
};
struct MenuCaptionEntry {
  const char16_t* english;
  const char16_t* chinese;
};
std::span<const UiTextEntry> UiTextEntries();
std::span<const MenuCaptionEntry> MenuCaptionEntries();
// The Chinese text of the id; empty when the table has none (whatever the language).
CString LookupUiText(UINT id);
// The text of a user-interface id in the Chinese interface (when the table has
// one), else the English text.
CString UiText(int id, const CString& english);

// The Chinese texts of the interface's own English captions that have no id of their
// own: labels, buttons, group boxes and entries of the pages and dialogs, window and
// tab titles, literal messages. Keyed by the English text as the program shows it; the
// texts live in caption_table_data.cpp.
struct CaptionEntry {
  const char16_t* english;
  const char16_t* chinese;
};
std::span<const CaptionEntry> CaptionEntries();
// The Chinese text of an English caption; empty when the table has none (whatever the
// language).
CString LookupCaption(const CString& english);
// The caption in the interface's language: in the Chinese interface the table's Chinese
// text when it has one (a text the program formatted from one of the table's texts
// with "%d", "%s" and the like takes the Chinese text with the same values; a text of
// several lines that the table does not know as a whole goes line by line); otherwise
// the text as it stands.
CString CaptionText(const CString& text);
