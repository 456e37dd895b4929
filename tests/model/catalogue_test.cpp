// The model table, the caption catalogue, the palette lists and the city table
// of the astronomical clock with its city file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/astro_city_table.h"
#include "model/block_captions.h"
#include "model/catalogues.h"
#include "model/model_table.h"
#include "model/toolbox_lists.h"

namespace fs = std::filesystem;

void PrintTo(const AstroCity& c, std::ostream* os) {
  *os << '"' << c.m_strName.ToUtf8() << "\" " << c.m_nLonHemisphere << ' ' << c.m_nLonDegrees << ' '
      << c.m_nLonMinutes << ' ' << c.m_nLonSeconds << ' ' << c.m_nLatHemisphere << ' ' << c.m_nLatDegrees
      << ' ' << c.m_nLatMinutes << ' ' << c.m_nLatSeconds << ' ' << c.m_nTimeZone;
}

namespace {

// A fresh folder standing in for the temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "catalog-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    m_path = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
  }
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

std::vector<BYTE> Utf16Bytes(std::u16string_view text) {
  std::vector<BYTE> bytes;
  for (char16_t ch : text) {
    bytes.push_back(static_cast<BYTE>(ch & 0xFF));
    bytes.push_back(static_cast<BYTE>(ch >> 8));
  }
  return bytes;
}

void WriteFile(const fs::path& path, const std::vector<BYTE>& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<BYTE> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The example location: W 120 30 15, N 10 5 0, zone 16.
const std::u16string kExampleLine = u"Home                     01781E0F000A050010\n";
const AstroCity kExampleCity{u"Home", 1, 120, 30, 15, 0, 10, 5, 0, 16};

// ---- model table ----

struct ModelCase {
  int code;
  int position;
  const char* name;
  WORD firmware;
};

TEST(ModelTable, KnownSeriesGiveNameFirmwareAndTreePosition) {
  const ModelCase cases[] = {
      {0x1188, 1, "Rilo Series FW B1.00", 0xB100},  {0x2188, 3, "Semka Series FW B1.00", 0xB100},
      {0x5188, 5, "Dunri Series FW C1.00", 0xC100}, {0x5288, 7, "Velka Series FW C1.00", 0xC100},
      {0x6188, 9, "Pomra Series FW C1.00", 0xC100}, {0x1100, 1, "Rilo Series FW B1.00", 0xB100},
      {0x61FF, 9, "Pomra Series FW C1.00", 0xC100},
  };
  for (const ModelCase& c : cases) {
    CString name;
    WORD firmware = 0;
    EXPECT_EQ(GetModelName(c.code, &name, &firmware), c.position) << std::hex << c.code;
    EXPECT_EQ(name.ToUtf8(), c.name);
    EXPECT_EQ(firmware, c.firmware);
  }
}

TEST(ModelTable, UnknownCodesGiveMinusOneAndLeaveOutputsAlone) {
  for (int code : {0x3188, 0x7188, 0x6200, 0x10FF, 0x0088, 0, -1, 0x5388, 0x11188}) {
    CString name = u"keep";
    WORD firmware = 0x1234;
    EXPECT_EQ(GetModelName(code, &name, &firmware), -1) << std::hex << code;
    EXPECT_EQ(name, u"keep");
    EXPECT_EQ(firmware, 0x1234);
  }
  EXPECT_EQ(GetModelName(0x5288, nullptr, nullptr), 7);
}

// ---- captions ----

TEST(BlockCaptions, CaptionsOfFunctionBlocksOnly) {
  g_BlockCaptionMap[12345] = u"stale";
  BuildBlockCaptionMap();
  EXPECT_EQ(g_BlockCaptionMap.size(), 77u);
  const std::pair<UINT, const char*> rows[] = {
      {845, "[Data Max/Min/Avg]"},
      {400, "[On Delay]"},
      {810, "[Message texts]"},
      {801, "[Hour Counter]"},
      {847, "[MEM]"},
      {879, "[Quadratic equation]"},
      {300, ""},
      {600, ""},
      {808, ""},
      {824, ""},
      {900, ""},
      {911, ""},
      {12345, ""},
  };
  for (const auto& [code, caption] : rows) {
    EXPECT_EQ(LookupBlockName(g_BlockCaptionMap, code).ToUtf8(), caption) << code;
    EXPECT_EQ(g_BlockCaptionMap.count(code), *caption ? 1u : 0u) << code;
  }
}

// ---- palette lists ----

TEST(ToolboxLists, ElevenListsInPaletteOrder) {
  BuildToolboxLists();
  BuildToolboxLists();  // rebuilding does not append
  const ToolboxLists& t = g_ToolboxLists;
  const std::pair<const CUIntArray*, size_t> sizes[] = {
      {&t.basic, 8}, {&t.time, 14},       {&t.ladder, 6},   {&t.ioOld, 10},
      {&t.io, 11},   {&t.specialOld, 14}, {&t.special, 23}, {&t.specialWifi, 27},
      {&t.data, 27}, {&t.math, 20},       {&t.dataLog, 1},
  };
  for (const auto& [list, size] : sizes) EXPECT_EQ(list->size(), size);
  EXPECT_EQ(&g_ToolboxSpecialWifi, &t.specialWifi);
  EXPECT_EQ(t.io, (CUIntArray{600, 611, 602, 603, 604, 605, 606, 607, 608, 609, 610}));
  EXPECT_EQ(t.specialOld, (CUIntArray{800, 801, 802, 803, 804, 805, 806, 807, 808, 809, 810, 812, 813, 814}));
  EXPECT_EQ(t.special, (CUIntArray{800, 801, 802, 815, 803, 804, 805, 806, 807, 816, 817, 818,
                                   819, 820, 821, 822, 808, 809, 810, 812, 823, 813, 814}));
  EXPECT_EQ(CUIntArray(t.specialWifi.end() - 4, t.specialWifi.end()), (CUIntArray{824, 825, 826, 827}));
  EXPECT_EQ(t.dataLog, CUIntArray{911});
}

TEST(ToolboxLists, PaletteEntriesFollowSeriesAndDocumentKind) {
  BuildToolboxLists();
  struct Case {
    int category;
    int series;
    bool ladder;
    size_t count;
    UINT first;
    UINT last;
  };
  const Case cases[] = {
      {PALETTE_BASIC, 0x51, false, 8, 300, 307},
      {PALETTE_BASIC, 0x11, true, 2, 301, 303},
      {PALETTE_TIME, 0x21, false, 12, 400, 411},
      {PALETTE_TIME, 0x51, false, 14, 400, 413},
      {PALETTE_IO, 0x11, false, 10, 600, 610},
      {PALETTE_IO, 0x61, false, 11, 600, 610},
      {PALETTE_IO, 0x51, true, 6, 700, 705},
      {PALETTE_IO, 0x05, false, 0, 0, 0},
      {PALETTE_SPECIAL, 0x21, false, 14, 800, 814},
      {PALETTE_SPECIAL, 0x51, false, 23, 800, 814},
      {PALETTE_SPECIAL, 0x52, false, 27, 800, 827},
      {PALETTE_SPECIAL, 0x61, false, 23, 800, 814},
      {PALETTE_SPECIAL, 0x10, false, 0, 0, 0},
      {PALETTE_DATA, 0x51, false, 27, 830, 856},
      {PALETTE_DATA, 0x21, false, 0, 0, 0},
      {PALETTE_MATH, 0x52, false, 20, 860, 879},
      {PALETTE_DATALOG, 0x61, false, 1, 911, 911},
      {PALETTE_DATALOG, 0x11, false, 0, 0, 0},
      {7, 0x51, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    CUIntArray entries = PaletteEntries(c.category, c.series, c.ladder);
    SCOPED_TRACE(testing::Message() << "category " << c.category << " series " << std::hex << c.series);
    ASSERT_EQ(entries.size(), c.count);
    if (c.count) {
      EXPECT_EQ(entries.front(), c.first);
      EXPECT_EQ(entries.back(), c.last);
    }
  }
}

// ---- city table ----

TEST(AstroCityTable, HexDigitValue) {
  const std::pair<char16_t, int> digits[] = {{u'0', 0},  {u'9', 9}, {u'A', 10}, {u'f', 15},
                                             {u'F', 15}, {u'g', 0}, {u' ', 0},  {u'\x0661', 0}};
  for (const auto& [ch, value] : digits) {
    EXPECT_EQ(HexDigitValue(&ch, FALSE), value);
    EXPECT_EQ(HexDigitValue(&ch, TRUE), value * 16);
  }
  EXPECT_EQ(HexDigitValue(nullptr, TRUE), 0);
}

TEST(AstroCityTable, MissingOrEmptyFileLeavesTheBuiltInRows) {
  TempFolder temp;
  EXPECT_TRUE(BuildCityTable(temp.path()).IsEmpty());
  ASSERT_EQ(g_AstroCityTable.size(), 12u);
  EXPECT_EQ(g_AstroCityTable[0], (AstroCity{u"User-defined", 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(g_AstroCityTable[2], (AstroCity{u"US - Washington", 1, 77, 2, 10, 0, 38, 53, 42, 17}));
  EXPECT_EQ(g_AstroCityTable[11], (AstroCity{u"Spain - Madrid", 1, 3, 42, 1, 0, 40, 25, 0, 1}));

  WriteFile(CityFilePath(temp.path()), {});
  EXPECT_TRUE(BuildCityTable(temp.path()).IsEmpty());
  EXPECT_EQ(g_AstroCityTable.size(), 12u);
  // Saving with no user rows deletes the existing file.
  EXPECT_TRUE(SaveCityTable(temp.path()).IsEmpty());
  EXPECT_FALSE(fs::exists(CityFilePath(temp.path())));
}

TEST(AstroCityTable, FileRoundTripKeepsTheExactLine) {
  TempFolder temp;
  const std::vector<BYTE> bytes = Utf16Bytes(kExampleLine);
  ASSERT_EQ(bytes.size(), 88u);
  WriteFile(CityFilePath(temp.path()), bytes);
  EXPECT_TRUE(BuildCityTable(temp.path()).IsEmpty());
  ASSERT_EQ(g_AstroCityTable.size(), 13u);
  EXPECT_EQ(g_AstroCityTable[12], kExampleCity);

  fs::remove_all(CityFolder(temp.path()));  // the folder is created again when missing
  EXPECT_TRUE(SaveCityTable(temp.path()).IsEmpty());
  EXPECT_EQ(ReadFile(CityFilePath(temp.path())), bytes);
}

TEST(AstroCityTable, LongNamesAreCutSoLaterRowsStayAligned) {
  TempFolder temp;
  g_AstroCityTable = BuiltInCities();
  AstroCity longName{u"A location with a name far longer than allowed", 0, 180, 59, 59, 1, 90, 0, 1, 23};
  g_AstroCityTable.push_back(longName);
  g_AstroCityTable.push_back(kExampleCity);
  // Fields that do not fit two digits are clamped rather than widening the line.
  g_AstroCityTable.push_back(AstroCity{u"Line\nbreak", -3, 300, 0, 0, 0, 0, 0, 0, 0});
  // An embedded null character is kept and does not shorten the line.
  const AstroCity withNull{CString(u"Nul\0Inside", 10), 0, 1, 2, 3, 0, 4, 5, 6, 7};
  g_AstroCityTable.push_back(withNull);
  ASSERT_TRUE(SaveCityTable(temp.path()).IsEmpty());

  const std::vector<BYTE> bytes = ReadFile(CityFilePath(temp.path()));
  ASSERT_EQ(bytes.size(), 4u * 44 * 2);
  const std::vector<AstroCity> rows = ParseCityFile(bytes);
  ASSERT_EQ(rows.size(), 4u);
  longName.m_strName = u"A location with a name fa";
  EXPECT_EQ(rows[0], longName);
  EXPECT_EQ(rows[1], kExampleCity);
  EXPECT_EQ(rows[2], (AstroCity{u"Line break", 0, 255, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(rows[3], withNull);
  EXPECT_EQ(FormatCityLine(kExampleCity).str(), kExampleLine);
}

TEST(AstroCityTable, HostileFilesAreReadWithinTheirBounds) {
  const std::u16string valid = kExampleLine;
  struct Case {
    const char* what;
    std::vector<BYTE> bytes;
    std::vector<AstroCity> rows;
  };
  std::vector<BYTE> oddLength = Utf16Bytes(valid);
  oddLength.push_back(0x41);
  const AstroCity noDigits{u"Home", 1, 8, 30, 15, 0, 10, 5, 0, 16};
  const Case cases[] = {
      {"truncated last line", Utf16Bytes(valid + u"Second                   000102"), {kExampleCity}},
      {"odd byte count", oddLength, {kExampleCity}},
      {"only line feeds", Utf16Bytes(u"\n\n\n\n"), {}},
      {"short line between", Utf16Bytes(u"too short\n" + valid), {kExampleCity}},
      {"carriage return", Utf16Bytes(valid.substr(0, 43) + u"\r\n"), {kExampleCity}},
      {"non-hex digits read as 0", Utf16Bytes(u"Home                     01X81E0F000A050010\n"), {noDigits}},
      {"overlong name from an old file",
       Utf16Bytes(u"A name well over twenty-five chars01781E0F000A050010\n" + valid),
       {AstroCity{u"A name well over twenty-f", 1, 120, 30, 15, 0, 10, 5, 0, 16}, kExampleCity}},
      {"index fields out of range",
       Utf16Bytes(u"X                        FF00000009000000FF\n"),
       {AstroCity{u"X", 1, 0, 0, 0, 1, 0, 0, 0, 23}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseCityFile(c.bytes), c.rows) << c.what;
  }
}

TEST(AstroCityTable, OversizedFileIsRefusedWithAReason) {
  TempFolder temp;
  WriteFile(CityFilePath(temp.path()), std::vector<BYTE>(kMaxCityFileBytes + 2, 0x20));
  EXPECT_FALSE(BuildCityTable(temp.path()).IsEmpty());
  EXPECT_EQ(g_AstroCityTable.size(), 12u);
}

TEST(AstroCityTable, NamedPipeIsRefusedWithoutWaiting) {
  TempFolder temp;
  WriteFile(CityFilePath(temp.path()), Utf16Bytes(kExampleLine));
  std::filesystem::remove(CityFilePath(temp.path()));
  ASSERT_EQ(::mkfifo(CityFilePath(temp.path()).c_str(), 0600), 0);
  EXPECT_NE(BuildCityTable(temp.path()).Find(u"not a regular file"), -1);
  EXPECT_EQ(g_AstroCityTable.size(), 12u);
}

// A city file is the user's own: a planted link or another user's file is neither read
// nor written through, and a user without a folder keeps the table in memory.
TEST(AstroCityTable, PlantedLinksAndOthersFilesAreNeverFollowed) {
  TempFolder temp;
  const fs::path victim = temp.path() / "private.txt";
  WriteFile(victim, Utf16Bytes(kExampleLine));
  fs::create_directories(CityFolder(temp.path()));
  fs::create_symlink(victim, CityFilePath(temp.path()));
  EXPECT_FALSE(BuildCityTable(temp.path()).IsEmpty());
  EXPECT_EQ(g_AstroCityTable.size(), 12u);
  g_AstroCityTable.push_back(kExampleCity);
  g_AstroCityTable.push_back(kExampleCity);
  ASSERT_TRUE(SaveCityTable(temp.path()).IsEmpty());
  EXPECT_EQ(ReadFile(victim), Utf16Bytes(kExampleLine));  // untouched
  EXPECT_FALSE(fs::is_symlink(CityFilePath(temp.path())));
  EXPECT_EQ(ReadFile(CityFilePath(temp.path())).size(), 2u * 44 * 2);

  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(CityFilePath(temp.path()).c_str(), 65534, 65534), 0);
    EXPECT_NE(BuildCityTable(temp.path()).Find(u"another user"), -1);
    EXPECT_EQ(g_AstroCityTable.size(), 12u);
  }
  EXPECT_TRUE(BuildCityTable(fs::path()).IsEmpty());
  EXPECT_TRUE(SaveCityTable(fs::path()).IsEmpty());
}

// ---- building once ----

TEST(Catalogues, BuiltOnceInOrder) {
  TempFolder temp;
  WriteFile(CityFilePath(temp.path()), Utf16Bytes(kExampleLine));
  EXPECT_TRUE(BuildCatalogues(temp.path()).IsEmpty());
  EXPECT_TRUE(CataloguesBuilt());
  EXPECT_EQ(g_BlockCaptionMap.size(), 77u);
  EXPECT_EQ(g_ToolboxLists.math.size(), 20u);
  ASSERT_EQ(g_AstroCityTable.size(), 13u);

  // A second call keeps the user's edits of the table.
  g_AstroCityTable.push_back(kExampleCity);
  EXPECT_TRUE(BuildCatalogues(temp.path()).IsEmpty());
  EXPECT_EQ(g_AstroCityTable.size(), 14u);
}

}  // namespace
