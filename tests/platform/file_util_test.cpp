#include "platform/file_util.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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

constexpr uid_t kOtherId = 65534;  // "nobody"

// Runs body in a child process as a user without root's rights to every file (as
// "nobody", owning the test folder, when the tests run as root) and returns its exit code.
int RunAsPlainUser(const fs::path& dir, const std::function<int()>& body) {
  const bool root = ::geteuid() == 0;
  if (root) {
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
      if (::lchown(e.path().c_str(), kOtherId, kOtherId) != 0) return 100;
    }
    if (::chown(dir.c_str(), kOtherId, kOtherId) != 0) return 100;
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (root && (::setgroups(0, nullptr) != 0 || ::setgid(kOtherId) != 0 || ::setuid(kOtherId) != 0))
      ::_exit(101);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (root) ::chown(dir.c_str(), 0, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 102;
}

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
  ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0600), 0);  // no writer: an open that waits would hang
  const std::vector<Case> cases = {
      {m_dir / "none", 100, "No such file"},
      {m_dir / "pipe", 100, "not a regular file"},
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

TEST_F(FileUtilTest, SaveGoesThroughSymbolicLinks) {
  fs::create_directory(m_dir / "real");
  const fs::path target = m_dir / "real" / "plan.bfb";
  WriteRaw(target, "old");
  fs::create_symlink("real/plan.bfb", m_dir / "link.bfb");                 // relative
  fs::create_symlink(m_dir / "link.bfb", m_dir / "link2.bfb");             // a chain
  fs::create_symlink(m_dir / "real" / "new.bfb", m_dir / "dangling.bfb");  // no target yet
  struct Case {
    const char* link;
    fs::path written;
  };
  const Case cases[] = {
      {"link.bfb", target}, {"link2.bfb", target}, {"dangling.bfb", m_dir / "real" / "new.bfb"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    const Bytes content(10, static_cast<BYTE>(c.link[0]));
    EXPECT_EQ(SaveBytesAtomically(m_dir / c.link, content), "");
    EXPECT_TRUE(fs::is_symlink(m_dir / c.link));
    EXPECT_EQ(Read(c.written), content);
  }
  EXPECT_TRUE(Others({"real", "link.bfb", "link2.bfb", "dangling.bfb"}).empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "real"), fs::directory_iterator()), 2);

  fs::create_symlink("loop_b", m_dir / "loop_a");
  fs::create_symlink("loop_a", m_dir / "loop_b");
  EXPECT_NE(SaveBytesAtomically(m_dir / "loop_a", Bytes{1}), "");
}

TEST_F(FileUtilTest, ReadOnlyFileIsNotReplaced) {
  const fs::path p = m_dir / "plan.bfb";
  WriteRaw(p, "old");
  ASSERT_EQ(::chmod(p.c_str(), 0444), 0);
  const int code = RunAsPlainUser(m_dir, [&] {
    const std::string error = SaveBytesAtomically(p, Bytes{1, 2});
    return error.find("Permission denied") != std::string::npos ? 0 : 1;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Read(p), Bytes({'o', 'l', 'd'}));
  EXPECT_TRUE(Others({"plan.bfb"}).empty());
}

TEST_F(FileUtilTest, SaveKeepsOwnerGroupAndModeAndNeverShowsMore) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  const fs::path p = m_dir / "plan.bfb";
  WriteRaw(p, "old");
  ASSERT_EQ(::chown(p.c_str(), kOtherId, kOtherId), 0);
  ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
  const mode_t oldMask = ::umask(022);
  std::vector<mode_t> seen;
  g_beforeTemporaryWrite = [&](const fs::path& tmp) {
    struct stat st = {};
    if (::stat(tmp.c_str(), &st) == 0) seen.push_back(st.st_mode & 07777);
  };
  const std::string error = SaveBytesAtomically(p, Bytes{7});
  g_beforeTemporaryWrite = nullptr;
  ::umask(oldMask);
  EXPECT_EQ(error, "");
  struct stat st = {};
  ASSERT_EQ(::stat(p.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kOtherId);
  EXPECT_EQ(st.st_gid, kOtherId);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(seen, std::vector<mode_t>{0640});
}

TEST_F(FileUtilTest, TemporaryFileIsNeverWiderThanTheFinalMode) {
  const fs::path p = m_dir / "plan.bfb";
  WriteRaw(p, "old");
  ASSERT_EQ(::chmod(p.c_str(), 0600), 0);
  const mode_t oldMask = ::umask(022);
  std::vector<mode_t> seen;
  g_beforeTemporaryWrite = [&](const fs::path& tmp) {
    struct stat st = {};
    if (::stat(tmp.c_str(), &st) == 0) seen.push_back(st.st_mode & 07777);
  };
  EXPECT_EQ(SaveBytesAtomically(p, Bytes{7}), "");
  EXPECT_EQ(SaveBytesAtomically(m_dir / "new.bfb", Bytes{7}), "");
  g_beforeTemporaryWrite = nullptr;
  ::umask(oldMask);
  EXPECT_EQ(seen, (std::vector<mode_t>{0600, 0644}));
}

TEST_F(FileUtilTest, NamesUpToTheLimitSave) {
  for (size_t length : {200u, 244u, 245u, 250u, 254u, 255u}) {
    SCOPED_TRACE(length);
    const fs::path p = m_dir / std::string(length, 'n');
    const Bytes content(3, static_cast<BYTE>(length));
    EXPECT_EQ(SaveBytesAtomically(p, content), "");
    EXPECT_EQ(SaveBytesAtomically(p, content), "");  // and again, over the first
    EXPECT_EQ(Read(p), content);
    fs::remove(p);
    EXPECT_TRUE(Others({}).empty());
  }
}

TEST_F(FileUtilTest, ReadOwnFileBytesRefusesLinksAndOthersFiles) {
  const fs::path own = m_dir / "own.ini";
  WriteRaw(own, "mine");
  fs::create_symlink(own, m_dir / "link.ini");
  ::mkfifo((m_dir / "pipe.ini").c_str(), 0600);
  Bytes out;
  EXPECT_EQ(ReadOwnFileBytes(own, out, 100), "");
  EXPECT_EQ(out, Bytes({'m', 'i', 'n', 'e'}));
  struct Case {
    const char* name;
    const char* text;
  };
  std::vector<Case> cases = {{"link.ini", "Too many levels"}, {"pipe.ini", "not a regular file"}};
  if (::geteuid() == 0) {
    WriteRaw(m_dir / "other.ini", "theirs");
    ASSERT_EQ(::chown((m_dir / "other.ini").c_str(), kOtherId, kOtherId), 0);
    cases.push_back({"other.ini", "another user"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    out = {9};
    const std::string error = ReadOwnFileBytes(m_dir / c.name, out, 100);
    EXPECT_NE(error.find(c.text), std::string::npos) << error;
    EXPECT_TRUE(out.empty());
  }
}

// Runs body in a child process as the given user (the tests run as root) and returns
// its exit code; nothing in the folder changes hands.
int RunAs(uid_t uid, gid_t gid, const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(101);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 102;
}

// The number of a process that has ended.
pid_t DeadPid() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
}

// Where a rename would change the owner or group, or cannot be done at all, the file
// is written in place: owner, group, mode and other names stay, nothing is left beside.
TEST_F(FileUtilTest, SaveWritesInPlaceWhereAReplacementCouldNotKeepTheFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "files of other users need root";
  constexpr uid_t kOwner = 4321;
  ASSERT_EQ(::chmod(m_dir.c_str(), 0777), 0);
  fs::create_directory(m_dir / "closed");
  struct Case {
    const char* what;
    fs::path file;
    uid_t owner;
    mode_t mode;
  };
  const Case cases[] = {
      {"a shared file of another owner", m_dir / "shared.bfb", kOwner, 0666},
      {"a writable file in a folder the user cannot write", m_dir / "closed" / "plan.bfb", kOtherId, 0644},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteRaw(c.file, "old content");
    ASSERT_EQ(::chown(c.file.c_str(), c.owner, c.owner), 0);
    ASSERT_EQ(::chmod(c.file.c_str(), c.mode), 0);
    const Bytes content(5000, 0x5A);
    EXPECT_EQ(RunAs(kOtherId, kOtherId, [&] { return SaveBytesAtomically(c.file, content).empty() ? 0 : 1; }),
              0);
    EXPECT_EQ(Read(c.file), content);
    struct stat st = {};
    ASSERT_EQ(::stat(c.file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, c.owner);
    EXPECT_EQ(st.st_gid, c.owner);
    EXPECT_EQ(st.st_mode & 07777, c.mode);
  }
  EXPECT_TRUE(Others({"shared.bfb", "closed"}).empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "closed"), fs::directory_iterator()), 1);

  // A write that fails half way (the file size limit) puts the old content back.
  const fs::path shared = m_dir / "shared.bfb";
  WriteRaw(shared, "old content");
  const int code = RunAs(kOtherId, kOtherId, [&] {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = {4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0) return 2;
    const std::string error = SaveBytesAtomically(shared, Bytes(100000, 1));
    return error.find("Cannot save") != std::string::npos ? 0 : 1;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Read(shared), Bytes(std::begin("old content"), std::end("old content") - 1));
  EXPECT_TRUE(Others({"shared.bfb", "closed"}).empty());

  // A file with two names keeps both.
  const fs::path linked = m_dir / "linked.bfb";
  WriteRaw(linked, "old");
  fs::create_hard_link(linked, m_dir / "other-name.bfb");
  EXPECT_EQ(SaveBytesAtomically(linked, Bytes{1, 2, 3}), "");
  EXPECT_EQ(Read(m_dir / "other-name.bfb"), (Bytes{1, 2, 3}));
  EXPECT_EQ(fs::hard_link_count(linked), 2u);
}

// A save that was killed leaves its temporary file; the next save of the file removes
// it, and those of a save still at work or of another file stay.
TEST_F(FileUtilTest, ASaveRemovesTheTemporaryFilesOfSavesThatDied) {
  const fs::path p = m_dir / "plan.bfb";
  WriteRaw(p, "old");
  const pid_t killed = ::fork();
  if (killed == 0) {
    g_beforeTemporaryWrite = [](const fs::path&) { ::raise(SIGKILL); };
    SaveBytesAtomically(p, Bytes(1000, 1));
    ::_exit(0);
  }
  ::waitpid(killed, nullptr, 0);
  ASSERT_EQ(Others({"plan.bfb"}).size(), 1u);
  const std::string live = "plan.bfb.tmp-" + std::to_string(::getpid()) + "-abcdef";
  const std::string dead = "plan.bfb.tmp-" + std::to_string(DeadPid()) + "-abcdef";
  WriteRaw(m_dir / live, "x");
  WriteRaw(m_dir / dead, "x");
  WriteRaw(m_dir / "plan.bfb.tmp-old123", "x");   // the older form, an hour old
  WriteRaw(m_dir / "plan.bfb.tmp-new123", "x");   // the older form, just written
  WriteRaw(m_dir / "other.bfb.tmp-old456", "x");  // another file's
  const auto twoHoursAgo = fs::file_time_type::clock::now() - std::chrono::hours(2);
  fs::last_write_time(m_dir / "plan.bfb.tmp-old123", twoHoursAgo);
  fs::last_write_time(m_dir / "other.bfb.tmp-old456", twoHoursAgo);
  EXPECT_EQ(SaveBytesAtomically(p, Bytes{9}), "");
  auto left = Others({"plan.bfb"});
  std::vector<std::string> expected = {"other.bfb.tmp-old456", "plan.bfb.tmp-new123", live};
  std::sort(left.begin(), left.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);
}

}  // namespace
