#include "platform/string_table.h"

#include <string_view>
#include <unordered_map>

int g_LanguageIsChinese = 0;

namespace {

const StringTableEntry* FindEntry(UINT id) {
  static const std::unordered_map<UINT, const StringTableEntry*> index = [] {
    std::unordered_map<UINT, const StringTableEntry*> m;
    for (const auto& e : StringTableEntries()) m.emplace(e.id, &e);  // the first of a duplicate id wins
    return m;
  }();
  auto it = index.find(id);
  return it == index.end() ? nullptr : it->second;
}

const char16_t* TextOf(const StringTableEntry& e) {
  if (g_LanguageIsChinese && e.chinese && *e.chinese) return e.chinese;
  return e.english ? e.english : u"";
}

}  // namespace

bool HasString(UINT id) {
  const StringTableEntry* e = FindEntry(id);
  return e && *TextOf(*e);
}

CString LoadString(UINT id) {
  const StringTableEntry* e = FindEntry(id);
  return e ? CString(TextOf(*e)) : CString();
}

CString LookupUiText(UINT id) {
  static const std::unordered_map<UINT, const char16_t*> index = [] {
    std::unordered_map<UINT, const char16_t*> m;
    for (const auto& e : UiTextEntries()) m.emplace(e.id, e.chinese);
    return m;
  }();
  auto it = index.find(id);
  return it == index.end() ? CString() : CString(it->second);
}

CString LookupCaption(const CString& english) {
  static const std::unordered_map<std::u16string_view, const char16_t*> index = [] {
    std::unordered_map<std::u16string_view, const char16_t*> m;
    for (const auto& e : CaptionEntries()) m.emplace(e.english, e.chinese);
    return m;
  }();
  auto it = index.find(std::u16string_view(english.GetString(), static_cast<size_t>(english.GetLength())));
  return it == index.end() ? CString() : CString(it->second);
}

CString CaptionText(const CString& text) {
  if (!g_LanguageIsChinese || text.IsEmpty()) return text;
  const CString chinese = LookupCaption(text);
  return chinese.IsEmpty() ? text : chinese;
}

CString UiText(int id, const CString& english) {
  if (g_LanguageIsChinese && id >= 0 && id <= 0xFFFF) {
    const CString chinese = LookupUiText(static_cast<UINT>(id));
    if (!chinese.IsEmpty()) return chinese;
  }
  return english;
}
