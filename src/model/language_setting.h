// The settings file of the user-interface language: UTF-16 little-endian text
// without byte-order mark, one line "language=en_US\n" or "language=zh_CN\n". It lies
// in the user's own settings folder ("RazadUdezazir/DizevOdaved.ini"); the choice
// applies from the next start of the program.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <vector>

#include "platform/types.h"

// A settings file is one short line; a larger file is not read.
constexpr size_t kMaxLanguageFileBytes = 64 * 1024;

// Whether the text (UTF-16LE bytes, up to the first NUL) contains "zh_CN" anywhere.
bool LanguageTextIsChinese(std::span<const BYTE> bytes);

// The settings text (UTF-16LE bytes) with the choice (0 English, 1 Chinese) stored in
// it: the value of its "language=" line replaced where it stands, the rest kept; an empty
// text gets the one line, and so does a text that would otherwise still read as the other
// language or be too large to read. False when a text holds no "language=".
bool UpdateLanguageText(std::span<const BYTE> bytes, int languageIndex, std::vector<BYTE>* out);

// Whether the file names the Chinese interface. A missing, empty or unreadable file,
// a link, a file that is not regular or another user's file all give false.
bool ReadLanguageSetting(const std::filesystem::path& file);

// Stores the choice (0 English, 1 Chinese). The folder is made when missing. An
// existing file gets the value of its "language=" line replaced where it stands (the
// rest of the file is kept); a missing or empty file gets the one line. The file is
// replaced as a whole, so a failed write leaves the old file. False, with nothing
// changed, when the file cannot be read or written, is not the user's own regular
// file, or holds text without "language=".
bool WriteLanguageSetting(const std::filesystem::path& file, int languageIndex);
