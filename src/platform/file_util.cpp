#include "platform/file_util.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <vector>

std::function<void(const std::filesystem::path&)> g_beforeTemporaryWrite;

namespace {

std::string ErrorText(const char* what, const std::filesystem::path& path, int err) {
  return std::string(what) + " \"" + path.string() + "\": " + std::strerror(err);
}

std::string RandomSuffix() {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  std::mt19937 gen(rd() ^ (counter.fetch_add(1) * 0x9E3779B9u) ^ static_cast<unsigned>(getpid()));
  std::string s;
  for (int i = 0; i < 6; ++i) s += kChars[gen() % (sizeof(kChars) - 1)];
  return s;
}

bool WriteAll(int fd, const BYTE* p, size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

constexpr size_t kSuffixLength = 6;
constexpr size_t kMaxNameBytes = NAME_MAX;

// Follows the symbolic links of the last part of path to the name they lead to (which may
// not exist yet). False when the links go round in a loop.
bool ResolveFinalLink(const std::filesystem::path& path, std::filesystem::path* out) {
  std::filesystem::path current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st = {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *out = current;
      return true;
    }
    std::vector<char> target(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<size_t>(n) >= target.size()) {
      *out = current;
      return true;
    }
    const std::filesystem::path next(std::string(target.data(), static_cast<size_t>(n)));
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return false;
}

// Makes the rename itself durable; a failure here leaves a complete file and is not reported.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string SaveBytesAtomically(const std::filesystem::path& requested, std::span<const BYTE> bytes,
                                FileDurability durability) {
  if (requested.empty()) return "Cannot save: no file name.";
  // Saving through a symbolic link saves the file it names: the new content goes beside
  // the link's target and replaces that, and the link stays.
  std::filesystem::path path;
  if (!ResolveFinalLink(requested, &path)) return ErrorText("Cannot save", requested, ELOOP);
  struct stat old = {};
  const bool hadOld = ::stat(path.c_str(), &old) == 0;
  if (hadOld && S_ISDIR(old.st_mode)) return ErrorText("Cannot save", requested, EISDIR);
  // A file the user may not write is not replaced, even where its folder would allow it.
  if (hadOld && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
    return ErrorText("Cannot save", requested, errno);
  }

  // The name is kept within the file-system limit on name lengths.
  std::string stem = path.filename().string();
  const size_t room = kMaxNameBytes - std::strlen(".tmp-") - kSuffixLength;
  if (stem.size() > room) stem.resize(room);
  std::filesystem::path tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tmp = path.parent_path() / (stem + ".tmp-" + RandomSuffix());
    // A new file is made with its final mode; a replacement stays private until it
    // carries the old file's owner and mode, so no one reads the content early.
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, hadOld ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) return ErrorText("Cannot create a file beside", requested, errno);
  }
  if (fd < 0) return ErrorText("Cannot create a file beside", requested, EEXIST);

  int err = 0;
  if (hadOld) {
    // Keep the owner and group where the user may; at least the group, which members share.
    if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
      (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) err = errno;
  }
  if (err == 0 && g_beforeTemporaryWrite) g_beforeTemporaryWrite(tmp);
  if (err == 0 && !WriteAll(fd, bytes.data(), bytes.size())) err = errno;
  if (err == 0 && durability == FileDurability::kDurable && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tmp.c_str());
    return ErrorText("Cannot save", requested, err);
  }
  if (durability == FileDurability::kDurable) SyncFolder(path.parent_path());
  return {};
}

namespace {

std::string ReadOpenedFile(int fd, const std::filesystem::path& path, std::vector<BYTE>& out, size_t maxBytes,
                           bool ownOnly) {
  struct stat st = {};
  std::string error;
  if (::fstat(fd, &st) != 0) {
    error = ErrorText("Cannot read", path, errno);
  } else if (!S_ISREG(st.st_mode)) {
    error = "Cannot read \"" + path.string() + "\": not a regular file";
  } else if (ownOnly && st.st_uid != ::geteuid()) {
    error = "Cannot read \"" + path.string() + "\": the file belongs to another user";
  } else if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    error = "Cannot read \"" + path.string() + "\": the file is too large";
  } else {
    // Opened without waiting; a regular file reads the same either way, but reads wait again.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < out.size()) {
      const ssize_t r = ::read(fd, out.data() + got, out.size() - got);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) {
        error = ErrorText("Cannot read", path, errno);
        break;
      }
      if (r == 0) break;  // the file shrank while it was read
      got += static_cast<size_t>(r);
    }
    out.resize(got);
  }
  ::close(fd);
  if (!error.empty()) out.clear();
  return error;
}

}  // namespace

std::string ReadFileBytes(const std::filesystem::path& path, std::vector<BYTE>& out, size_t maxBytes) {
  out.clear();
  // Without O_NONBLOCK a named pipe would hold the open until a writer came.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return ErrorText("Cannot open", path, errno);
  return ReadOpenedFile(fd, path, out, maxBytes, false);
}

std::string ReadOwnFileBytes(const std::filesystem::path& path, std::vector<BYTE>& out, size_t maxBytes) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
  if (fd < 0) return ErrorText("Cannot open", path, errno);
  return ReadOpenedFile(fd, path, out, maxBytes, true);
}
