#include "platform/paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

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
    ScopedEnv home("HOME", "/tmp/");  // a home folder that exists
    EXPECT_EQ(GetSettingsFolder(), u"/tmp/.config/");
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    CString s = GetSettingsFolder();  // from the user database, or the temporary folder
    EXPECT_EQ(s.Left(1), u"/");
    EXPECT_EQ(s.Right(1), u"/");
  }
}

// A user without a home folder gets a private folder of their own in the shared
// temporary folder; one someone else planted there is refused.
TEST(Paths, WithoutAHomeTheSettingsLiveInAPrivateFolder) {
  std::string base = (std::filesystem::temp_directory_path() / "zpaths-private-XXXXXX").string();
  ASSERT_NE(mkdtemp(base.data()), nullptr);
  ScopedEnv tmp("TMPDIR", base.c_str());
  ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  ScopedEnv home("HOME", "/no-such-home-folder");
  const std::string own = base + "/zovuzi-" + std::to_string(geteuid());
  EXPECT_EQ(GetSettingsFolder(), CString::FromUtf8(own + "/"));
  struct stat st = {};
  ASSERT_EQ(lstat(own.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, geteuid());

  // Planted: open to others, a link to another folder, another user's.
  ASSERT_EQ(chmod(own.c_str(), 0777), 0);
  EXPECT_TRUE(GetSettingsFolder().IsEmpty());
  std::filesystem::remove(own);
  std::filesystem::create_directory(base + "/elsewhere");
  std::filesystem::create_directory_symlink(base + "/elsewhere", own);
  EXPECT_TRUE(GetPrivateTempFolder().IsEmpty());
  std::filesystem::remove(own);
  if (geteuid() == 0) {
    ASSERT_EQ(mkdir(own.c_str(), 0700), 0);
    ASSERT_EQ(chown(own.c_str(), 65534, 65534), 0);
    EXPECT_TRUE(GetPrivateTempFolder().IsEmpty());
  }
  std::filesystem::remove_all(base);
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
