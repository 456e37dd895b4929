#include "model/language_setting.h"

#include <system_error>
#include <vector>

#include "platform/file_util.h"

namespace {

std::u16string DecodeUtf16(std::span<const BYTE> bytes) {
  std::u16string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

void AppendUtf16(std::vector<BYTE>& out, std::u16string_view text) {
  for (char16_t c : text) {
    out.push_back(static_cast<BYTE>(c & 0xFF));
    out.push_back(static_cast<BYTE>(c >> 8));
  }
}

}  // namespace

bool LanguageTextIsChinese(std::span<const BYTE> bytes) {
  return DecodeUtf16(bytes).find(u"zh_CN") != std::u16string::npos;
}

bool UpdateLanguageText(std::span<const BYTE> bytes, int languageIndex, std::vector<BYTE>* out) {
  const std::u16string_view value = languageIndex == 1 ? u"zh_CN" : u"en_US";
  const std::u16string_view line = languageIndex == 1 ? u"language=zh_CN\n" : u"language=en_US\n";
  out->clear();
  const std::u16string text = DecodeUtf16(bytes);
  if (text.empty()) {
    // A new file, or an empty one: the one line. (An empty file would otherwise keep
    // the choice from ever being stored.)
    AppendUtf16(*out, line);
    return true;
  }
  const size_t key = text.find(u"language=");
  if (key == std::u16string::npos) return false;
  // The value stands right after the key, over the old one of the same length.
  std::u16string updated = text;
  const size_t at = key + 9;
  updated.replace(at, std::min(value.size(), updated.size() - at), value);
  if (updated.size() == at + value.size()) updated += u"\n";
  AppendUtf16(*out, updated);
  // Whatever followed the text (its terminating zero and beyond) is kept as it was.
  if (bytes.size() > text.size() * 2) out->insert(out->end(), bytes.begin() + text.size() * 2, bytes.end());
  // A text that would still read as the other language (its "zh_CN" stands elsewhere
  // too), or that grew past what is read, becomes the one line: the choice must hold
  // at the next start.
  if (LanguageTextIsChinese(*out) != (languageIndex == 1) || out->size() > kMaxLanguageFileBytes) {
    out->clear();
    AppendUtf16(*out, line);
  }
  return true;
}

bool ReadLanguageSetting(const std::filesystem::path& file) {
  if (file.empty()) return false;
  std::vector<BYTE> bytes;
  if (!ReadOwnFileBytes(file, bytes, kMaxLanguageFileBytes).empty()) return false;
  return LanguageTextIsChinese(bytes);
}

bool WriteLanguageSetting(const std::filesystem::path& file, int languageIndex) {
  if (file.empty()) return false;
  std::error_code ec;
  const std::filesystem::path folder = file.parent_path();
  if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
    std::filesystem::create_directories(folder, ec);
    if (ec) return false;
  }

  std::vector<BYTE> bytes;
  const auto status = std::filesystem::symlink_status(file, ec);
  const bool exists = !ec && std::filesystem::exists(status);
  if (exists && !ReadOwnFileBytes(file, bytes, kMaxLanguageFileBytes).empty()) return false;

  std::vector<BYTE> out;
  if (!UpdateLanguageText(bytes, languageIndex, &out)) return false;
  return SaveBytesAtomically(file, out, SaveLinks::kReplace).empty();
}
