#include "platform/string_table.h"

#include <gtest/gtest.h>

namespace {

class StringTableTest : public ::testing::Test {
 protected:
  void TearDown() override { g_LanguageIsChinese = 0; }
};

TEST_F(StringTableTest, IdsAreUniqueAndAscending) {
  auto entries = StringTableEntries();
  ASSERT_FALSE(entries.empty());
  for (size_t i = 1; i < entries.size(); ++i) {
    EXPECT_LT(entries[i - 1].id, entries[i].id) << "at entry " << i;
  }
  for (const auto& e : entries) {
    ASSERT_NE(e.english, nullptr);
    ASSERT_NE(e.chinese, nullptr);
    EXPECT_TRUE(*e.english || *e.chinese) << "id " << e.id << " has no text";
  }
}

TEST_F(StringTableTest, ChoosesTheColumnByLanguage) {
  EXPECT_EQ(LoadString(128), u"Zovuzi Editor");
  EXPECT_EQ(LoadString(950),
            u"No printer installed!\n\nSelect the Control Panel printer icon to install a printer.");
  EXPECT_EQ(LoadString(1579), u"");  // only in the Chinese table
  EXPECT_FALSE(HasString(1579));
  EXPECT_EQ(LoadString(4), u"");  // unknown id
  EXPECT_FALSE(HasString(4));

  g_LanguageIsChinese = 1;
  EXPECT_EQ(LoadString(1579), u"接通延时定时器");
  EXPECT_TRUE(HasString(1579));
  EXPECT_EQ(LoadString(128), u"Zovuzi Editor");  // no Chinese text: the English one
  EXPECT_TRUE(HasString(128));
}

TEST_F(StringTableTest, TextsFormatAsTheirUsersExpect) {
  CString s;
  s.Format(LoadString(377).GetString(), LoadString(128).GetString(), u".txt");
  EXPECT_EQ(s, u"Zovuzi Editor Can't load this type of file .txt");
  s.Format(LoadString(565).GetString(), 150);
  EXPECT_EQ(s + u"%", u"Zoom:150%");
  s.Format(LoadString(378).GetString(), -10000.0, 10000.0);
  EXPECT_EQ(s, u"Number between -10000.00 and 10000.00");
}

TEST_F(StringTableTest, CStringLoadString) {
  CString s(u"old");
  EXPECT_TRUE(s.LoadString(376));
  EXPECT_EQ(s, u"Number between %d and %d");
  EXPECT_FALSE(s.LoadString(4));  // a failed load leaves the string as it was
  EXPECT_EQ(s, u"Number between %d and %d");
}

}  // namespace
