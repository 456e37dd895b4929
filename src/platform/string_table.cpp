#include "platform/string_table.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

namespace {

// The caption in Chinese when the table knows it: as it stands, as a name in
// brackets after an operand or block number ("B12[On Delay]", "I000 [Input]"),
// or with its numbers standing for %d ("Coil 12", "GMT(+8)"). Empty otherwise.
CString TranslatedCaption(const CString& text) {
  CString chinese = LookupCaption(text);
  if (!chinese.IsEmpty()) return chinese;
  const int open = text.ReverseFind(u'[');
  if (open > 0 && text[text.GetLength() - 1] == u']') {
    // The part before the name keeps its spaces and translates where it can ("High  [...]").
    const CString tail = text.Mid(open);
    CString name = LookupCaption(tail);
    CString head = text.Left(open);
    CString trimmed = head;
    trimmed.TrimRight();
    const CString word = TranslatedCaption(trimmed);
    if (!name.IsEmpty() || !word.IsEmpty())
      return (word.IsEmpty() ? head : word + head.Mid(trimmed.GetLength())) + (name.IsEmpty() ? tail : name);
  }
  // A label and its value: "Character set1:Simplified Chinese".
  const int colon = text.Find(u':');
  if (colon > 0 && colon + 1 < text.GetLength()) {
    const CString label = LookupCaption(text.Left(colon + 1));
    const CString value = TranslatedCaption(text.Mid(colon + 1));
    if (!label.IsEmpty() && !value.IsEmpty()) return label + value;
  }
  std::u16string pattern;
  std::vector<std::u16string> numbers;
  const std::u16string_view view(text.GetString(), static_cast<size_t>(text.GetLength()));
  for (size_t i = 0; i < view.size();) {
    if (view[i] >= u'0' && view[i] <= u'9') {
      size_t j = i;
      while (j < view.size() && view[j] >= u'0' && view[j] <= u'9') ++j;
      numbers.emplace_back(view.substr(i, j - i));
      pattern += u"%d";
      i = j;
    } else {
      pattern += view[i++];
    }
  }
  if (numbers.empty()) return CString();
  const CString format = LookupCaption(CString(pattern.c_str()));
  if (format.IsEmpty()) return CString();
  std::u16string out;
  const std::u16string_view f(format.GetString(), static_cast<size_t>(format.GetLength()));
  size_t next = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] == u'%' && i + 1 < f.size() && f[i + 1] == u'd' && next < numbers.size()) {
      out += numbers[next++];
      ++i;
    } else {
      out += f[i];
    }
  }
  return next == numbers.size() ? CString(out.c_str()) : CString();
}

}  // namespace

CString CaptionText(const CString& text) {
  if (!g_LanguageIsChinese || text.IsEmpty()) return text;
  const CString chinese = TranslatedCaption(text);
  return chinese.IsEmpty() ? text : chinese;
}

CString UiText(int id, const CString& english) {
  if (g_LanguageIsChinese && id >= 0 && id <= 0xFFFF) {
    const CString chinese = LookupUiText(static_cast<UINT>(id));
    if (!chinese.IsEmpty()) return chinese;
  }
  return english;
}
