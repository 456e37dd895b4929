// The shell's rules without a window: the language settings file, the help
// file's path and topics, the Close All choices and the Chinese text tables.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/close_all_list.h"
#include "model/help_topics.h"
#include "model/language_setting.h"
#include "platform/string_table.h"

namespace fs = std::filesystem;

namespace {

std::vector<BYTE> Utf16(std::u16string_view text) {
  std::vector<BYTE> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  return bytes;
}

std::vector<BYTE> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::vector<BYTE>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class LanguageFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zovuzi-language-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_dir = pattern;
    m_file = m_dir / "RazadUdezazir" / "DizevOdaved.ini";
  }
  void TearDown() override { fs::remove_all(m_dir); }
  fs::path m_dir;
  fs::path m_file;
};

}  // namespace

// ---- Settings file ------------------------------------------------------------------

TEST(LanguageText, ChineseWhereverZhCnStands) {
  struct Case {
    std::u16string text;
    bool chinese;
  };
  const Case cases[] = {
      {u"language=zh_CN\n", true},
      {u"language=en_US\n", false},
      {u"; first line\nother=zh_CN\nlanguage=en_US\n", true},  // anywhere, even another line
      {u"", false},
      {u"language=zh_C", false},
      {std::u16string(u"language=en_US\n") + u'\0' + u"zh_CN", false},  // the text ends at its zero
  };
  for (const Case& c : cases) EXPECT_EQ(LanguageTextIsChinese(Utf16(c.text)), c.chinese);
  // ASCII bytes are not UTF-16 text.
  const std::string ascii = "language=zh_CN\n";
  EXPECT_FALSE(LanguageTextIsChinese(std::vector<BYTE>(ascii.begin(), ascii.end())));
}

TEST_F(LanguageFileTest, WritesANewFileAndReadsItBack) {
  EXPECT_FALSE(ReadLanguageSetting(m_file));  // missing: English
  ASSERT_TRUE(WriteLanguageSetting(m_file, 1));
  EXPECT_EQ(ReadAll(m_file), Utf16(u"language=zh_CN\n"));
  EXPECT_TRUE(ReadLanguageSetting(m_file));
  // Chinese, then English again: the line ends with the English value.
  ASSERT_TRUE(WriteLanguageSetting(m_file, 0));
  EXPECT_EQ(ReadAll(m_file), Utf16(u"language=en_US\n"));
  EXPECT_FALSE(ReadLanguageSetting(m_file));
}

TEST_F(LanguageFileTest, ReplacesTheValueWhereItStandsAndKeepsTheRest) {
  fs::create_directories(m_file.parent_path());
  WriteAll(m_file, Utf16(u"; settings\r\nlanguage=en_US\r\nfont=9\r\n"));
  ASSERT_TRUE(WriteLanguageSetting(m_file, 1));
  EXPECT_EQ(ReadAll(m_file), Utf16(u"; settings\r\nlanguage=zh_CN\r\nfont=9\r\n"));
}

TEST_F(LanguageFileTest, EmptyFileGetsTheLine) {
  fs::create_directories(m_file.parent_path());
  WriteAll(m_file, {});
  ASSERT_TRUE(WriteLanguageSetting(m_file, 1));
  EXPECT_TRUE(ReadLanguageSetting(m_file));
}

TEST_F(LanguageFileTest, RefusesFilesItCannotUseAndLeavesThemAlone) {
  fs::create_directories(m_file.parent_path());
  // Text without "language=": nothing is written.
  const std::vector<BYTE> other = Utf16(u"colour=red\n");
  WriteAll(m_file, other);
  EXPECT_FALSE(WriteLanguageSetting(m_file, 1));
  EXPECT_EQ(ReadAll(m_file), other);

  // A link planted in the settings place is neither read nor written through.
  fs::remove(m_file);
  const fs::path target = m_dir / "elsewhere.ini";
  WriteAll(target, Utf16(u"language=zh_CN\n"));
  fs::create_symlink(target, m_file);
  EXPECT_FALSE(ReadLanguageSetting(m_file));
  EXPECT_FALSE(WriteLanguageSetting(m_file, 0));
  EXPECT_EQ(ReadAll(target), Utf16(u"language=zh_CN\n"));

  // A folder in the file's place.
  fs::remove(m_file);
  fs::create_directory(m_file);
  EXPECT_FALSE(ReadLanguageSetting(m_file));
  EXPECT_FALSE(WriteLanguageSetting(m_file, 1));
}

// ---- Help --------------------------------------------------------------------------------

TEST(HelpTopics, TableHoldsEveryTopic) {
  EXPECT_EQ(HelpTopicCount(), 106);
  EXPECT_EQ(CString(HelpTopicPage(kHelpTopicContents)), CString(u"Inputs.htm"));
  EXPECT_EQ(CString(HelpTopicPage(1000)), CString(u"TAN.htm"));
  EXPECT_EQ(CString(HelpTopicPage(1116)), CString(u"Wifi Analog Write.htm"));
  EXPECT_EQ(CString(HelpTopicPage(1004)), CString(u"Stepping Motor Control _ Edge.htm"));
  for (WORD unused : {999, 1011, 1016, 1090, 1102, 1109, 1111, 1112, 1117}) {
    EXPECT_EQ(HelpTopicPage(unused), nullptr) << unused;
  }
}

struct HelpPathCase {
  const char16_t* program;
  bool chinese;
  const char16_t* help;
};

class HelpPathTest : public ::testing::TestWithParam<HelpPathCase> {};

TEST_P(HelpPathTest, FileForTheLanguage) {
  const HelpPathCase& c = GetParam();
  EXPECT_EQ(HelpFilePath(CString(c.program), c.chinese), CString(c.help));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HelpPathTest,
    ::testing::Values(HelpPathCase{u"/opt/zovuzi/bin/zovuzi-editor", false,
                                   u"/opt/zovuzi/bin/ZOVUZI-EDITOR.CHM"},
                      HelpPathCase{u"/opt/app/Zevevezarezi.exe", false, u"/opt/app/ZEVEVEZAREZI.CHM"},
                      HelpPathCase{u"/opt/app/Zevevezarezi.exe", true, u"/opt/app/ZEVEVEZAREZI_GBK.CHM"},
                      HelpPathCase{u"/opt/app/zovuzi-editor", true, u"/opt/app/ZOVUZI-EDITOR_GBK.CHM"},
                      // The folder keeps its letters, "hlp" in it included; the name's own HLP goes too.
                      HelpPathCase{u"/home/u/hlp.d/my.hlp.tool", false, u"/home/u/hlp.d/MY.CHM.CHM"},
                      HelpPathCase{u"zovuzi-editor", false, u"ZOVUZI-EDITOR.CHM"}));

// ---- Close All ----------------------------------------------------------------------------

TEST(CloseAllList, HoldsAtMostTwoHundredDocuments) {
  CCloseAllList list;
  for (int i = 0; i < CCloseAllList::kMaxDocuments; ++i) ASSERT_TRUE(list.AddDocument(CString(u"a.bfb")));
  EXPECT_FALSE(list.AddDocument(CString(u"b.bfb")));
  EXPECT_EQ(list.GetCount(), CCloseAllList::kMaxDocuments);
}

struct CloseAllCase {
  const char* name;
  std::vector<int> clicks;  // row clicks; -1 select all on, -2 select all off
  std::vector<CCloseAllList::Action> expected;
};

class CloseAllDecisionTest : public ::testing::TestWithParam<CloseAllCase> {};

TEST_P(CloseAllDecisionTest, ChoicesFollowTheBoxes) {
  CCloseAllList list;
  list.AddDocument(CString(u"/d/first.bfb"));
  list.AddDocument(CString());  // never saved
  list.AddDocument(CString(u"/d/third.bld"));
  for (int click : GetParam().clicks) {
    if (click == -1)
      list.SelectAll(1);
    else if (click == -2)
      list.SelectAll(0);
    else
      list.ToggleRow(click);
  }
  EXPECT_EQ(list.Decisions(), GetParam().expected);
}

using A = CCloseAllList::Action;
INSTANTIATE_TEST_SUITE_P(
    Cases, CloseAllDecisionTest,
    ::testing::Values(CloseAllCase{"nothing_ticked", {}, {A::kDiscard, A::kDiscard, A::kDiscard}},
                      CloseAllCase{"first_ticked", {0}, {A::kSave, A::kDiscard, A::kDiscard}},
                      // A ticked new document is saved (through Save As), never dropped unasked.
                      CloseAllCase{"new_document_ticked", {1}, {A::kDiscard, A::kSave, A::kDiscard}},
                      CloseAllCase{"ticked_twice", {2, 2}, {A::kDiscard, A::kDiscard, A::kDiscard}},
                      CloseAllCase{"select_all", {-1}, {A::kSave, A::kSave, A::kSave}},
                      CloseAllCase{"select_all_then_untick", {-1, 0}, {A::kDiscard, A::kSave, A::kSave}},
                      CloseAllCase{"select_all_off", {0, 1, -2}, {A::kDiscard, A::kDiscard, A::kDiscard}},
                      CloseAllCase{
                          "rows_out_of_range", {-5, 3, 99}, {A::kDiscard, A::kDiscard, A::kDiscard}}),
    [](const ::testing::TestParamInfo<CloseAllCase>& info) { return std::string(info.param.name); });

// ---- Chinese text tables ------------------------------------------------------------------

TEST(ChineseTables, EveryMenuCommandAndCaptionHasAShortText) {
  int count = 0;
  for (const UiTextEntry& e : UiTextEntries()) {
    ++count;
    const CString text(e.chinese);
    EXPECT_FALSE(text.IsEmpty()) << e.id;
    EXPECT_LE(text.GetLength(), 31) << e.id;
  }
  EXPECT_GE(count, 207);
  const UINT menuCommands[] = {32709, 32773, 32779, 32795, 32798, 32802, 32806, 32807, 32815, 32817, 32818,
                               32819, 32820, 32824, 32829, 32830, 32834, 32835, 32852, 57600, 57601, 57602,
                               57603, 57604, 57605, 57606, 57607, 57609, 57632, 57634, 57635, 57637, 57642,
                               57643, 57644, 57650, 57651, 57664, 57665, 57667, 59392, 59393, 59580};
  for (UINT id : menuCommands) EXPECT_FALSE(LookupUiText(id).IsEmpty()) << id;
  for (UINT id : {1u, 2u, 9u, 12321u, 183u, 1423u}) EXPECT_FALSE(LookupUiText(id).IsEmpty()) << id;
  EXPECT_EQ(LookupUiText(183), CString(u"简体中文"));
  // Ids that share one text.
  EXPECT_EQ(LookupUiText(1014), LookupUiText(1080));
  EXPECT_EQ(LookupUiText(1546), LookupUiText(1554));
  EXPECT_EQ(LookupUiText(1245), LookupUiText(1348));
  EXPECT_TRUE(LookupUiText(4242).IsEmpty());

  int captions = 0;
  for (const MenuCaptionEntry& e : MenuCaptionEntries()) {
    ++captions;
    EXPECT_FALSE(CString(e.chinese).IsEmpty());
  }
  EXPECT_EQ(captions, 11);
}

TEST(ChineseTables, BlockKindNamesExistInTheChineseColumn) {
  const int saved = g_LanguageIsChinese;
  g_LanguageIsChinese = 1;
  for (UINT id = 1571; id <= 1632; ++id) EXPECT_TRUE(HasString(id)) << id;
  g_LanguageIsChinese = 0;
  for (UINT id = 1571; id <= 1632; ++id) EXPECT_FALSE(HasString(id)) << id;
  g_LanguageIsChinese = saved;
}
