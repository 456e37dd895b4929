#include "platform/string_table.h"

#include <algorithm>
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

CString TranslatedCaption(const CString& text);

// One piece of a printf-style text of the table: a literal run or a conversion.
struct FormatPiece {
  std::u16string literal;
  char16_t conversion = 0;  // 0: literal; 'd' number, 'f' decimal, 'x' hex, 'c' one character, 's' any text
  int position = 0;         // "%1".."%9": the argument's number; 0 for the printf conversions
};

// Splits a text with printf conversions ("%d", "%ls", "%.2f", "%1") into pieces;
// empty when it has none. "%%" and a "%" that starts no conversion stand for themselves.
std::vector<FormatPiece> SplitFormat(std::u16string_view f) {
  std::vector<FormatPiece> pieces;
  bool any = false;
  auto literal = [&pieces](char16_t c) {
    if (pieces.empty() || pieces.back().conversion) pieces.emplace_back();
    pieces.back().literal += c;
  };
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] != u'%' || i + 1 >= f.size()) {
      literal(f[i]);
      continue;
    }
    if (f[i + 1] == u'%') {
      literal(u'%');
      ++i;
      continue;
    }
    size_t j = i + 1;
    while (j < f.size() && (f[j] == u'-' || f[j] == u'+' || f[j] == u'0' || f[j] == u'#')) ++j;
    while (j < f.size() && ((f[j] >= u'0' && f[j] <= u'9') || f[j] == u'.')) ++j;
    while (j < f.size() && (f[j] == u'l' || f[j] == u'h')) ++j;
    char16_t kind = 0;
    if (j < f.size()) {
      switch (f[j]) {
        case u'd':
        case u'i':
        case u'u':
          kind = u'd';
          break;
        case u'f':
        case u'g':
          kind = u'f';
          break;
        case u'x':
        case u'X':
          kind = u'x';
          break;
        case u'c':
          kind = u'c';
          break;
        case u's':
        case u'S':
          kind = u's';
          break;
        default:
          break;
      }
    }
    if (!kind && f[i + 1] >= u'1' && f[i + 1] <= u'9') {
      // "%1".."%9": the argument of that number, any text.
      pieces.push_back({{}, u's', f[i + 1] - u'0'});
      any = true;
      ++i;
      continue;
    }
    if (!kind) {
      literal(f[i]);
      continue;
    }
    pieces.push_back({{}, kind, 0});
    any = true;
    i = j;
  }
  if (!any) pieces.clear();
  return pieces;
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Matches the text from pos against the pieces from index i; the arguments found
// are appended to args (backtracking over the lengths of text arguments).
bool MatchFormat(const std::vector<FormatPiece>& pieces, size_t i, std::u16string_view text, size_t pos,
                 std::vector<std::u16string>& args) {
  if (i == pieces.size()) return pos == text.size();
  const FormatPiece& p = pieces[i];
  if (!p.conversion) {
    if (text.substr(pos, p.literal.size()) != p.literal) return false;
    return MatchFormat(pieces, i + 1, text, pos + p.literal.size(), args);
  }
  // The lengths the argument may take, longest first; a number may stand padded with
  // spaces and needs one digit at least.
  size_t first = pos;  // where the argument's own characters start
  size_t most = pos;
  auto hex = [](char16_t c) { return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); };
  if (p.conversion == u'd' || p.conversion == u'f' || p.conversion == u'x') {
    while (first < text.size() && text[first] == u' ') ++first;
    most = first;
    if (p.conversion != u'x' && most < text.size() && (text[most] == u'-' || text[most] == u'+')) ++most;
    first = most;
    while (most < text.size() &&
           (p.conversion == u'x' ? hex(text[most])
                                 : IsDigit(text[most]) || (p.conversion == u'f' && text[most] == u'.')))
      ++most;
    if (most == first) return false;
    first += 1;
  } else if (p.conversion == u'c') {
    if (pos >= text.size()) return false;
    most = first = pos + 1;
  } else {
    // A text argument stays within its line: a message of several lines goes line by line.
    most = std::min(text.size(), text.find(u'\n', pos));
  }
  for (size_t end = most;; --end) {
    args.emplace_back(text.substr(pos, end - pos));
    if (MatchFormat(pieces, i + 1, text, end, args)) return true;
    args.pop_back();
    if (end == first) break;
  }
  return false;
}

// A text the program formatted from a printf-style text of the table ("Can't Find
// %s, Please Check!"): the Chinese text with the same arguments, a text argument
// translated too where the table knows it. Empty when no such text matches.
CString TranslatedMessage(std::u16string_view text) {
  struct Format {
    std::vector<FormatPiece> english, chinese;
  };
  static const std::vector<Format> formats = [] {
    std::vector<Format> v;
    for (const auto& e : CaptionEntries()) {
      Format f{SplitFormat(e.english), SplitFormat(e.chinese)};
      auto count = [](const std::vector<FormatPiece>& pieces) {
        return std::count_if(pieces.begin(), pieces.end(), [](const FormatPiece& p) { return p.conversion; });
      };
      // Only texts with words of their own around the arguments, and the same arguments in both.
      size_t letters = 0;
      for (const FormatPiece& p : f.english) letters += p.literal.size();
      if (!f.english.empty() && letters >= 4 && count(f.english) == count(f.chinese))
        v.push_back(std::move(f));
    }
    return v;
  }();
  for (const Format& f : formats) {
    std::vector<std::u16string> args;
    if (!MatchFormat(f.english, 0, text, 0, args)) continue;
    std::vector<char16_t> kinds;  // the English conversion of each argument
    for (const FormatPiece& p : f.english)
      if (p.conversion) kinds.push_back(p.conversion);
    std::u16string out;
    size_t next = 0;
    for (size_t i = 0; i < f.chinese.size(); ++i) {
      const FormatPiece& p = f.chinese[i];
      if (!p.conversion) {
        out += p.literal;
        continue;
      }
      const size_t index = p.position > 0 ? static_cast<size_t>(p.position - 1) : next++;
      if (index >= args.size()) return CString();
      std::u16string arg = args[index];
      if (kinds[index] == u's' && !arg.empty()) {
        const CString word = TranslatedCaption(CString(arg.c_str()));
        if (!word.IsEmpty()) arg = std::u16string(word.GetString(), static_cast<size_t>(word.GetLength()));
      }
      out += arg;
    }
    return CString(out.c_str());
  }
  return CString();
}

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
  const CString format = numbers.empty() ? CString() : LookupCaption(CString(pattern.c_str()));
  if (format.IsEmpty()) return TranslatedMessage(view);
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
  return next == numbers.size() ? CString(out.c_str()) : TranslatedMessage(view);
}

}  // namespace

CString CaptionText(const CString& text) {
  if (!g_LanguageIsChinese || text.IsEmpty()) return text;
  const CString chinese = TranslatedCaption(text);
  if (!chinese.IsEmpty()) return chinese;
  if (text.Find(u'\n') < 0) return text;
  // A message put together from several texts: line by line.
  CString out;
  int start = 0;
  while (start <= text.GetLength()) {
    int end = text.Find(u'\n', start);
    if (end < 0) end = text.GetLength();
    int stop = end;
    if (stop > start && text[stop - 1] == u'\r') --stop;
    const CString line = text.Mid(start, stop - start);
    CString shown = line.IsEmpty() ? CString() : TranslatedCaption(line);
    if (shown.IsEmpty() && !line.IsEmpty() && end < text.GetLength()) {
      // A report line that the table keeps with its line end.
      shown = TranslatedCaption(line + u"\n");
      if (shown.GetLength() > 0 && shown[shown.GetLength() - 1] == u'\n')
        shown = shown.Left(shown.GetLength() - 1);
      else
        shown.Empty();
    }
    out += shown.IsEmpty() ? line : shown;
    out += text.Mid(stop, end - stop);  // the line's own "\r"
    if (end < text.GetLength()) out += u"\n";
    start = end + 1;
  }
  return out;
}

CString UiText(int id, const CString& english) {
  if (g_LanguageIsChinese && id >= 0 && id <= 0xFFFF) {
    const CString chinese = LookupUiText(static_cast<UINT>(id));
    if (!chinese.IsEmpty()) return chinese;
  }
  return english;
}
