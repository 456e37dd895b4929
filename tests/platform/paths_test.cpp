#include "platform/paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

// Sets an environment variable for the scope and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = getenv(name)) m_old = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (m_old) {
      setenv(m_name, m_old->c_str(), 1);
    } else {
      unsetenv(m_name);
    }
  }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

TEST(Paths, TempFolder) {
  struct Case {
    const char* tmpdir;
    const char16_t* want;
  };
  const Case cases[] = {
      {nullptr, u"/tmp/"},         {"", u"/tmp/"}, {"relative/dir", u"/tmp/"}, {"/var/tmp", u"/var/tmp/"},
      {"/var/tmp/", u"/var/tmp/"},
  };
  for (const auto& c : cases) {
    ScopedEnv env("TMPDIR", c.tmpdir);
    EXPECT_EQ(GetTempFolder(), c.want) << (c.tmpdir ? c.tmpdir : "(unset)");
  }
}

TEST(Paths, SettingsFolder) {
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg/x");
    EXPECT_EQ(GetSettingsFolder(), u"/cfg/x/");
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "not/absolute");
    ScopedEnv home("HOME", "/home/someone/");
    EXPECT_EQ(GetSettingsFolder(), u"/home/someone/.config/");
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    CString s = GetSettingsFolder();  // from the user database, or the temporary folder
    EXPECT_EQ(s.Left(1), u"/");
    EXPECT_EQ(s.Right(1), u"/");
  }
}

TEST(Paths, MakeUniqueFolder) {
  std::string error;
  CString base = MakeUniqueFolder(GetTempFolder(), u"zpaths-test-", &error);
  ASSERT_FALSE(base.IsEmpty()) << error;
  EXPECT_EQ(base.Right(1), u"/");
  CString a = MakeUniqueFolder(base, u"Undo中", &error);
  CString b = MakeUniqueFolder(base, u"Undo中", &error);
  ASSERT_FALSE(a.IsEmpty()) << error;
  ASSERT_FALSE(b.IsEmpty()) << error;
  EXPECT_NE(a, b);
  struct stat st {};
  ASSERT_EQ(stat(a.ToUtf8().c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  EXPECT_TRUE(MakeUniqueFolder(base + u"missing/", u"x", &error).IsEmpty());
  EXPECT_NE(error.find("missing"), std::string::npos);
  EXPECT_TRUE(MakeUniqueFolder(base, u"a/b", &error).IsEmpty());
  std::filesystem::remove_all(base.ToUtf8());
}

TEST(Paths, NativePath) {
  EXPECT_EQ(ToNativePath(u"/tmp/RazadUdezazir\\DizevOdaved.ini"), u"/tmp/RazadUdezazir/DizevOdaved.ini");
}

}  // namespace
