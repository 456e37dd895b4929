#include "model/astro_city_table.h"

#include <algorithm>
#include <system_error>

#include "platform/file_util.h"

std::vector<AstroCity> g_AstroCityTable;

namespace {

constexpr int kFieldCount = 9;
constexpr int kFieldChars = 2 * kFieldCount;

// The nine numeric fields in file order.
constexpr int AstroCity::*kFields[kFieldCount] = {
    &AstroCity::m_nLonHemisphere, &AstroCity::m_nLonDegrees,    &AstroCity::m_nLonMinutes,
    &AstroCity::m_nLonSeconds,    &AstroCity::m_nLatHemisphere, &AstroCity::m_nLatDegrees,
    &AstroCity::m_nLatMinutes,    &AstroCity::m_nLatSeconds,    &AstroCity::m_nTimeZone};

AstroCity ParseLine(std::u16string_view line) {
  AstroCity city;
  const size_t nameChars = line.size() - kFieldChars;
  CString name(line.substr(0, std::min<size_t>(nameChars, kCityNameLength)));
  name.TrimRight(u' ');
  city.m_strName = name;
  const char16_t* fields = line.data() + nameChars;
  for (int j = 0; j < kFieldCount; ++j) {
    city.*kFields[j] = HexDigitValue(fields + 2 * j, TRUE) + HexDigitValue(fields + 2 * j + 1, FALSE);
  }
  city.m_nLonHemisphere = std::min(city.m_nLonHemisphere, 1);
  city.m_nLatHemisphere = std::min(city.m_nLatHemisphere, 1);
  city.m_nTimeZone = std::min(city.m_nTimeZone, 23);
  return city;
}

CString FromUtf8(const std::string& text) {
  return CString::FromUtf8(text);
}

}  // namespace

int HexDigitValue(const char16_t* p, BOOL high) {
  if (!p) return 0;
  const char16_t ch = *p;
  int value = 0;
  if (ch >= u'0' && ch <= u'9') {
    value = ch - u'0';
  } else if (ch >= u'A' && ch <= u'F') {
    value = ch - u'A' + 10;
  } else if (ch >= u'a' && ch <= u'f') {
    value = ch - u'a' + 10;
  }
  return high ? value * 16 : value;
}

std::filesystem::path CityFolder(const std::filesystem::path& baseFolder) {
  return baseFolder / "RazadUdezazir";
}

std::filesystem::path CityFilePath(const std::filesystem::path& baseFolder) {
  return CityFolder(baseFolder) / "Astro.Property";
}

std::vector<AstroCity> BuiltInCities() {
  return {
      {u"User-defined", 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {u"Germany - Berlin", 0, 13, 24, 41, 0, 52, 31, 24, 1},
      {u"US - Washington", 1, 77, 2, 10, 0, 38, 53, 42, 17},
      {u"UK - London", 1, 0, 7, 34, 0, 51, 30, 1, 0},
      {u"France - Paris", 0, 2, 21, 4, 0, 48, 51, 24, 1},
      {u"Russia - Moscow", 0, 37, 37, 3, 0, 55, 45, 21, 3},
      {u"Netherland - Amsterdam", 0, 4, 53, 32, 0, 52, 22, 23, 1},
      {u"China - Beijing", 0, 116, 24, 27, 0, 39, 54, 15, 8},
      {u"Japan - Tokyo", 0, 139, 41, 30, 0, 35, 41, 22, 9},
      {u"Turkey - Ankara", 0, 32, 51, 15, 0, 39, 55, 15, 2},
      {u"Italy - Rome", 0, 12, 28, 56, 0, 41, 53, 44, 1},
      {u"Spain - Madrid", 1, 3, 42, 1, 0, 40, 25, 0, 1},
  };
}

std::vector<AstroCity> ParseCityFile(std::span<const BYTE> bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  std::vector<AstroCity> rows;
  std::u16string_view rest(text);
  for (size_t end = rest.find(u'\n'); end != std::u16string_view::npos; end = rest.find(u'\n')) {
    std::u16string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    if (line.size() < static_cast<size_t>(kFieldChars)) continue;
    rows.push_back(ParseLine(line));
  }
  return rows;
}

CString FormatCityLine(const AstroCity& city) {
  // The name is padded by hand rather than with "%-25ls", which would stop at
  // an embedded null character.
  CString line = city.m_strName.Left(kCityNameLength);
  line.Replace(u'\n', u' ');
  line.Replace(u'\r', u' ');
  line += CString(u' ', kCityNameLength - line.GetLength());
  for (int j = 0; j < kFieldCount; ++j) line.AppendFormat(u"%02X", std::clamp(city.*kFields[j], 0, 255));
  line += u'\n';
  return line;
}

std::vector<BYTE> FormatCityFile(std::span<const AstroCity> rows) {
  std::vector<BYTE> bytes;
  bytes.reserve(rows.size() * kCityLineLength * 2);
  for (const AstroCity& city : rows) {
    const CString line = FormatCityLine(city);
    for (char16_t ch : line.str()) {
      bytes.push_back(static_cast<BYTE>(ch & 0xFF));
      bytes.push_back(static_cast<BYTE>(ch >> 8));
    }
  }
  return bytes;
}

CString BuildCityTable(const std::filesystem::path& baseFolder) {
  g_AstroCityTable = BuiltInCities();
  if (baseFolder.empty()) return {};  // no folder of the user's own: the table lives in memory
  const std::filesystem::path file = CityFilePath(baseFolder);
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return {};
  std::vector<BYTE> bytes;
  // Only the user's own file: no link, nothing another user made.
  std::string error = ReadOwnFileBytes(file, bytes, kMaxCityFileBytes);
  if (!error.empty()) return FromUtf8(error);
  std::vector<AstroCity> rows = ParseCityFile(bytes);
  g_AstroCityTable.insert(g_AstroCityTable.end(), rows.begin(), rows.end());
  g_AstroCityTable.shrink_to_fit();
  return {};
}

CString SaveCityTable(const std::filesystem::path& baseFolder) {
  if (baseFolder.empty()) return {};
  const std::filesystem::path folder = CityFolder(baseFolder);
  const std::filesystem::path file = CityFilePath(baseFolder);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return FromUtf8(folder.string() + ": " + ec.message());
  if (g_AstroCityTable.size() <= static_cast<size_t>(kBuiltInCityCount)) {
    std::filesystem::remove(file, ec);
    if (ec) return FromUtf8(file.string() + ": " + ec.message());
    return {};
  }
  std::span<const AstroCity> userRows(g_AstroCityTable);
  return FromUtf8(
      SaveBytesAtomically(file, FormatCityFile(userRows.subspan(kBuiltInCityCount)), SaveLinks::kReplace));
}
