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

// A message the program formats from one of the caption table's texts, or puts
// together from several, shows in Chinese with its own values; text arguments that
// the table knows are translated too.
TEST_F(StringTableTest, CaptionTextTranslatesFormattedMessages) {
  struct Case {
    const char16_t* english;
    const char16_t* chinese;
  };
  const Case cases[] = {
      {u"Can't Find /opt/a b/ZOVUZI-EDITOR_GBK.CHM, Please Check!",
       u"找不到 /opt/a b/ZOVUZI-EDITOR_GBK.CHM,请检查!"},
      {u"B12 : The pulse function is not available", u"B12 : 脉冲功能不可用"},
      {u"B3[On-Delay] : The start value cannot be used", u"B3[接通延时定时器] : 不能使用初始值"},
      // The Chinese text takes the arguments in its own order.
      {u"B7[On-Delay] : The reference is not supported by this device Rilo Series",
       u"B7[接通延时定时器] : 设备 Rilo 系列 不支持引用"},
      {u"The program read from the device is damaged: an unknown instruction (code 0A1F) at byte 17.",
       u"从设备读取的程序已损坏:第 17 字节处有未知指令(代码 0A1F)。"},
      // A width before a conversion is no argument number.
      {u"Data mismatch! The Block data's [5]th byte not match,PC=>[0x0A 1],Controller=>[0x0A 2]\n",
       u"数据不一致!块数据的第[5]个字节不符,PC=>[0x0A 1],控制器=>[0x0A 2]\n"},
      {u"Please enter an integer between -5 and 15", u"请输入-5到15之间的整数"},
      {u"Please enter a 1到99之间的数", u"请输入1到99之间的数"},  // the range from the string table
      {u"Cannot save \"/tmp/x.bfb\": The diagram needs 40 MB, more than the 32 MB a diagram file may hold.",
       u"无法保存 \"/tmp/x.bfb\": 图形需要 40 MB,超过了图形文件最多可容纳的 32 MB。"},
      // Several texts, one a line; a line the table does not know stays.
      {u"Failed to open document.\r\nOpen file error!\nB2\n", u"打开文档失败。\r\n打开文件出错!\nB2\n"},
      // A text within a text, the inner one with its values in the Chinese order.
      {u"The file ends unexpectedly; it may be damaged or cut short. (needed 100 bytes at offset 0, 6 left) "
       u"File: /tmp/x.bfb",
       u"文件意外结束;文件可能已损坏或被截断。 (偏移 0 处需要 100 字节,剩余 6 字节) 文件: /tmp/x.bfb"},
      // A message and its details, one a line.
      {u"\"/tmp/x.bfb\" is not a diagram file.\nThe file could not be read or written. (kind 7) File: "
       u"/tmp/x.bfb\n",
       u"\"/tmp/x.bfb\" 不是图形文件。\n无法读写该文件。 (kind 7) 文件: /tmp/x.bfb\n"},
      // Report lines the table keeps with their line ends.
      {u"DownLoad Starts...\nDownLoad Suspend!\n", u"开始下载...\n下载中止!\n"},
      {u"DownLoading Program - 45%", u"正在下载程序 - 45%"},
      {u"Nothing the table knows", u"Nothing the table knows"},
      {u"Can't Find", u"Can't Find"},
  };
  for (const Case& c : cases) EXPECT_EQ(CaptionText(c.english), CString(c.english)) << "English interface";
  g_LanguageIsChinese = 1;
  for (const Case& c : cases)
    EXPECT_EQ(CaptionText(c.english).ToUtf8(), CString(c.chinese).ToUtf8()) << CString(c.english).ToUtf8();
}

TEST_F(StringTableTest, CStringLoadString) {
  CString s(u"old");
  EXPECT_TRUE(s.LoadString(376));
  EXPECT_EQ(s, u"Number between %d and %d");
  EXPECT_FALSE(s.LoadString(4));  // a failed load leaves the string as it was
  EXPECT_EQ(s, u"Number between %d and %d");
}

}  // namespace
