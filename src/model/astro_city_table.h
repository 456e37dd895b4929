// The location table of the astronomical clock: row 0 "User-defined", rows 1-11
// built-in cities, rows from 12 on the user's own locations, which persist in
// the city file "Astro.Property" in the folder "RazadUdezazir" under a base
// folder (the program passes the user's own settings folder).
//
// City file: UTF-16 little-endian text without byte-order mark, one location a
// line: the name left-aligned and padded with blanks to 25 characters, the nine
// fields of the record as two upper-case hexadecimal digits each, and a line
// feed (44 characters a line).
#pragma once

#include <filesystem>
#include <span>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

struct AstroCity {
  CString m_strName;         // at most 25 characters
  int m_nLonHemisphere = 0;  // 0 "E", 1 "W"
  int m_nLonDegrees = 0;
  int m_nLonMinutes = 0;
  int m_nLonSeconds = 0;
  int m_nLatHemisphere = 0;  // 0 "N", 1 "S"
  int m_nLatDegrees = 0;
  int m_nLatMinutes = 0;
  int m_nLatSeconds = 0;
  int m_nTimeZone = 0;  // 0-12 GMT+0..+12, 13-23 GMT-1..-11

  friend bool operator==(const AstroCity&, const AstroCity&) = default;
};

extern std::vector<AstroCity> g_AstroCityTable;

constexpr int kBuiltInCityCount = 12;
constexpr int kCityNameLength = 25;
constexpr int kCityLineLength = 44;
// A city file larger than this is refused rather than read.
constexpr size_t kMaxCityFileBytes = size_t{1} << 20;

// 0-15 for a hexadecimal digit character (either case), 0 for any other
// character or a null pointer; multiplied by 16 when high is set.
int HexDigitValue(const char16_t* p, BOOL high);

// "<baseFolder>/RazadUdezazir" and the city file in it.
std::filesystem::path CityFolder(const std::filesystem::path& baseFolder);
std::filesystem::path CityFilePath(const std::filesystem::path& baseFolder);

// The 12 built-in rows.
std::vector<AstroCity> BuiltInCities();

// The locations of a city file's bytes. Each complete line (ended by a line
// feed; a carriage return before it is dropped) holds its nine fields in its
// last 18 characters and the name before them; the name loses its trailing
// blanks and is cut to 25 characters. Lines shorter than 18 characters and
// text after the last line feed are ignored; a non-hexadecimal digit reads as
// 0; hemispheres above 1 read as 1 and time zones above 23 as 23.
std::vector<AstroCity> ParseCityFile(std::span<const BYTE> bytes);

// One city-file line for a row: the name cut to 25 characters (line breaks in
// it become blanks) and padded to 25, each field clamped to 0..255 so that it
// keeps its two digits, and the line feed.
CString FormatCityLine(const AstroCity& city);

// The city-file bytes for the given rows (UTF-16 little-endian, no byte-order mark).
std::vector<BYTE> FormatCityFile(std::span<const AstroCity> rows);

// Sets g_AstroCityTable to the built-in rows and appends the rows of the city
// file under baseFolder. A missing file adds nothing, and so does an empty
// baseFolder (the user has no folder of their own). Only a regular file of the
// user's own is read. Returns an empty text, or the reason the file could not be
// read (the built-in rows stay).
CString BuildCityTable(const std::filesystem::path& baseFolder);

// Writes the user rows (12 on) of g_AstroCityTable to the city file under
// baseFolder, creating the folder when needed; with no user rows an existing
// file is deleted. The old file survives a failed write; a symbolic link in the
// file's place is replaced, never followed. An empty baseFolder writes nothing.
// Returns an empty text or the reason of the failure.
CString SaveCityTable(const std::filesystem::path& baseFolder);
