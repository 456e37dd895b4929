// The block kind names in both interface languages and the parameter names.
#include "model/name_tables.h"

#include <gtest/gtest.h>

#include "platform/string_table.h"

namespace {

// Sets the interface language for one test and restores it afterwards.
class ScopedLanguage {
 public:
  explicit ScopedLanguage(int chinese) : m_previous(g_LanguageIsChinese) { g_LanguageIsChinese = chinese; }
  ~ScopedLanguage() { g_LanguageIsChinese = m_previous; }

 private:
  int m_previous;
};

TEST(BlockTypeNames, EnglishNamesAllKindsButConnectors) {
  ScopedLanguage english(0);
  g_BlockTypeNames.clear();
  BuildBlockTypeNames();
  BuildBlockTypeNames();  // building again keeps one entry per code
  EXPECT_EQ(g_BlockTypeNames.size(), 116u);
  const std::pair<UINT, const char*> rows[] = {
      {605, "[Output]"},
      {601, "[Cursor Key]"},
      {611, "[TD Function key]"},
      {400, "[On-Delay]"},
      {824, "[WiFi Digital Read]"},
      {911, "[Data Log]"},
      {705, "[Analog output]"},
      {869, "[2's n power]"},
      {900, ""},
      {901, ""},
      {951, ""},
  };
  for (const auto& [code, name] : rows)
    EXPECT_EQ(LookupBlockName(g_BlockTypeNames, code).ToUtf8(), name) << code;
}

TEST(BlockTypeNames, ChineseNamesFromTheStringTable) {
  ScopedLanguage chinese(1);
  g_BlockTypeNames.clear();
  BuildBlockTypeNames();
  // 116 kinds less the cursor key and the soft key.
  EXPECT_EQ(g_BlockTypeNames.size(), 114u);
  EXPECT_EQ(g_BlockTypeNames.count(601), 0u);
  EXPECT_EQ(g_BlockTypeNames.count(811), 0u);
  const std::pair<UINT, UINT> fromTable[] = {{600, 1593}, {300, 1571}, {413, 1592}, {611, 1594},
                                             {610, 1603}, {803, 1614}, {812, 1629}, {814, 1632}};
  for (const auto& [code, id] : fromTable) {
    EXPECT_EQ(g_BlockTypeNames[code], u" [" + LoadString(id) + u"]") << code;
  }
  EXPECT_EQ(g_BlockTypeNames[824], u"[WIFI Input]");
  EXPECT_EQ(g_BlockTypeNames[827], u"[WIFI Analog Output]");
  EXPECT_EQ(g_BlockTypeNames[815], u"[Mathematic instruction]");
  EXPECT_EQ(g_BlockTypeNames[700], u"[Make contact]");
}

TEST(ParameterNames, HundredFortyFiveEntriesByIndex) {
  g_ParameterNames.assign(3, u"stale");
  BuildParameterNames();
  ASSERT_EQ(g_ParameterNames.size(), 145u);
  const std::pair<int, const char*> rows[] = {
      {0, "Current Time"},
      {4, "On-Delay"},
      {34, "Current Time"},
      {99, "Referenced mathematic instruction block"},
      {130, "Source"},
      {131, ""},
      {137, ""},
      {138, "Pulse Width"},
      {144, "Counter"},
  };
  for (const auto& [index, name] : rows) EXPECT_EQ(g_ParameterNames[index].ToUtf8(), name) << index;
  for (int i = 131; i <= 137; ++i) EXPECT_TRUE(g_ParameterNames[i].IsEmpty()) << i;
}

}  // namespace
