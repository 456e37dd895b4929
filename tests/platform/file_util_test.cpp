#include "platform/file_util.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<BYTE>;

class FileUtilTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/zovuzi_file_util_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    m_dir = tmpl;
  }
  void TearDown() override { fs::remove_all(m_dir); }

  Bytes Read(const fs::path& p) {
    Bytes out;
    EXPECT_EQ(ReadFileBytes(p, out), "");
    return out;
  }
  void WriteRaw(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }
  // Everything in the folder except the given names; a failed save must leave no temporary file.
  std::vector<std::string> Others(std::initializer_list<std::string> known) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(m_dir)) {
      const std::string name = e.path().filename().string();
      if (std::find(known.begin(), known.end(), name) == known.end()) out.push_back(name);
    }
    return out;
  }

  fs::path m_dir;
};

TEST_F(FileUtilTest, SaveCreatesAndReplacesKeepingPermissions) {
  const fs::path p = m_dir / "plan.bfb";
  const Bytes first = {1, 2, 3};
  EXPECT_EQ(SaveBytesAtomically(p, first), "");
  EXPECT_EQ(Read(p), first);

  ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
  const Bytes second(100000, 0xAB);
  EXPECT_EQ(SaveBytesAtomically(p, second), "");
  EXPECT_EQ(Read(p), second);
  struct stat st = {};
  ASSERT_EQ(::stat(p.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  EXPECT_EQ(SaveBytesAtomically(p, Bytes{}), "");
  EXPECT_TRUE(Read(p).empty());
  EXPECT_TRUE(Others({"plan.bfb"}).empty());
}

TEST_F(FileUtilTest, FailedSaveKeepsOldFileAndLeavesNoTemporary) {
  const fs::path p = m_dir / "plan.bfb";
  WriteRaw(p, "old");

  // A write that fails after the temporary file exists: the file size limit.
  struct rlimit saved = {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string error = SaveBytesAtomically(p, Bytes(100000, 1));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_NE(error.find("Cannot save"), std::string::npos) << error;
  EXPECT_NE(error.find(p.string()), std::string::npos) << error;
  EXPECT_EQ(Read(p), Bytes({'o', 'l', 'd'}));
  EXPECT_TRUE(Others({"plan.bfb"}).empty());
}

TEST_F(FileUtilTest, SaveErrors) {
  const fs::path folder = m_dir / "a folder";
  fs::create_directory(folder);
  WriteRaw(folder / "inside", "x");
  const std::vector<fs::path> targets = {folder, m_dir / "missing" / "plan.bfb", fs::path()};
  for (const fs::path& target : targets) {
    SCOPED_TRACE(target.string());
    EXPECT_NE(SaveBytesAtomically(target, Bytes{1}), "");
  }
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(fs::exists(folder / "inside"));
  EXPECT_TRUE(Others({"a folder"}).empty());
}

TEST_F(FileUtilTest, ReadFileBytesRefusesWhatItCannotRead) {
  const fs::path p = m_dir / "f";
  WriteRaw(p, "12345");
  Bytes out = {9};
  EXPECT_EQ(ReadFileBytes(p, out), "");
  EXPECT_EQ(out, Bytes({'1', '2', '3', '4', '5'}));

  struct Case {
    fs::path path;
    size_t max;
    const char* text;
  };
  const std::vector<Case> cases = {
      {m_dir / "none", 100, "No such file"},
      {m_dir, 100, "not a regular file"},
      {"/dev/zero", 100, "not a regular file"},
      {p, 4, "too large"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    out = {9};
    const std::string error = ReadFileBytes(c.path, out, c.max);
    EXPECT_NE(error.find(c.text), std::string::npos) << error;
    EXPECT_TRUE(out.empty());
  }
}

}  // namespace
