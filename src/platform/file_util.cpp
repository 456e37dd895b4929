#include "platform/file_util.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string_view>
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

bool IsLeftBehind(int fd, long pid) {
  if (pid <= 0 || pid > INT_MAX) return false;
  // A process of that number (whoever runs it) may still be the owner.
  if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) return false;
  // The owner holds its lock from the start; one held here (a process in another
  // process space sharing the folder) means the owner is still at work.
  return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

namespace {

// The process number in a name of the form "<pid>-XXXXXX"; 0 when it has another form.
long PidOfTemporary(std::string_view rest) {
  const size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 10 || rest.size() != dash + 1 + kSuffixLength)
    return 0;
  long pid = 0;
  for (char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

bool IsOldFormSuffix(std::string_view rest) {
  return rest.size() == kSuffixLength && std::all_of(rest.begin(), rest.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c));
         });
}

// A temporary file of an older version: no process number to ask, so only when no save
// can still be writing it.
constexpr time_t kOldTemporaryAge = 60 * 60;

// Removes the temporary files that saves of path which died (a crash, kill -9) left
// beside it: "<stem>.tmp-<pid>-XXXXXX" of a process that is gone, and the older form
// "<stem>.tmp-XXXXXX" when it is an hour old. Only regular files of this user.
void RemoveLeftTemporaries(const std::filesystem::path& folder, const std::string& stem) {
  const std::string dirName = folder.empty() ? std::string(".") : folder.string();
  const int dirFd = ::open(dirName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return;
  DIR* dir = ::fdopendir(::dup(dirFd));
  if (!dir) {
    ::close(dirFd);
    return;
  }
  const std::string prefix = stem + ".tmp-";
  std::vector<std::string> names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name(e->d_name);
    if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix) names.emplace_back(name);
  }
  ::closedir(dir);
  const time_t now = ::time(nullptr);
  for (const std::string& name : names) {
    const std::string_view rest = std::string_view(name).substr(prefix.size());
    const long pid = PidOfTemporary(rest);
    if (pid == 0 && !IsOldFormSuffix(rest)) continue;
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st = {};
    struct stat again = {};
    bool remove = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
    if (remove) remove = pid != 0 ? IsLeftBehind(fd, pid) : now - st.st_mtime > kOldTemporaryAge;
    // Still the same file under that name.
    if (remove && ::fstatat(dirFd, name.c_str(), &again, AT_SYMLINK_NOFOLLOW) == 0 &&
        again.st_ino == st.st_ino && again.st_dev == st.st_dev) {
      ::unlinkat(dirFd, name.c_str(), 0);
    }
    ::close(fd);
  }
  ::close(dirFd);
}

bool ReadAll(int fd, std::vector<BYTE>& out) {
  struct stat st = {};
  if (::fstat(fd, &st) != 0) return false;
  out.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < out.size()) {
    const ssize_t r = ::pread(fd, out.data() + got, out.size() - got, static_cast<off_t>(got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    got += static_cast<size_t>(r);
  }
  return true;
}

bool WriteAllAt(int fd, const BYTE* p, size_t n) {
  size_t done = 0;
  while (done < n) {
    const ssize_t w = ::pwrite(fd, p + done, n - done, static_cast<off_t>(done));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      if (w == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(w);
  }
  return true;
}

// Puts content into the open file fd from its start and cuts it there; 0 or the error.
int Overwrite(int fd, std::span<const BYTE> content) {
  if (!WriteAllAt(fd, content.data(), content.size())) return errno;
  if (::ftruncate(fd, static_cast<off_t>(content.size())) != 0) return errno;
  if (::fsync(fd) != 0) return errno;
  return 0;
}

// A new private file for the copy of the old content: beside the target when its
// folder takes one, else in the temporary folder.
int CreateCopyFile(const std::filesystem::path& path, const std::string& stem, std::filesystem::path* copy) {
  const std::string name = stem + ".bak-" + std::to_string(::getpid()) + "-";
  const char* tmp = std::getenv("TMPDIR");
  const std::filesystem::path folders[] = {path.parent_path(),
                                           std::filesystem::path(tmp && tmp[0] == '/' ? tmp : "/tmp")};
  for (const std::filesystem::path& folder : folders) {
    for (int attempt = 0; attempt < 20; ++attempt) {
      *copy = folder / (name + RandomSuffix());
      const int fd = ::open(copy->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
      if (fd >= 0) return fd;
      if (errno != EEXIST) break;
    }
  }
  return -1;
}

// Writes bytes into the file at path itself, which keeps its owner, group, links and
// mode. The old content is first copied into a file of its own and the copy is read back
// and compared; a write that fails puts the old content back. Only when that fails too
// is the copy kept, and the error names it.
std::string SaveInPlace(const std::filesystem::path& requested, const std::filesystem::path& path,
                        const std::string& stem, std::span<const BYTE> bytes) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return ErrorText("Cannot save", requested, errno);
  std::vector<BYTE> old;
  struct stat st = {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !ReadAll(fd, old)) {
    const int err = errno != 0 ? errno : EIO;
    ::close(fd);
    return ErrorText("Cannot save", requested, err);
  }
  std::filesystem::path copyPath;
  const int copy = CreateCopyFile(path, stem, &copyPath);
  if (copy < 0) {
    const int err = errno;
    ::close(fd);
    return ErrorText("Cannot save (no room for a copy of the old file)", requested, err);
  }
  std::vector<BYTE> check;
  int err = Overwrite(copy, old);
  if (err == 0 && (!ReadAll(copy, check) || check != old)) err = EIO;
  ::close(copy);
  if (err != 0) {
    ::unlink(copyPath.c_str());
    ::close(fd);
    return ErrorText("Cannot save (the copy of the old file failed)", requested, err);
  }
  if (g_beforeTemporaryWrite) g_beforeTemporaryWrite(path);
  err = Overwrite(fd, bytes);
  std::string result;
  if (err != 0) {
    if (Overwrite(fd, old) == 0) {
      result = ErrorText("Cannot save", requested, err);
    } else {
      result = ErrorText("Cannot save", requested, err) +
               "; the file may be damaged, its old content is in \"" + copyPath.string() + "\"";
      copyPath.clear();
    }
  }
  if (::close(fd) != 0 && result.empty()) {
    result =
        ErrorText("Cannot save", requested, errno) + "; the old content is in \"" + copyPath.string() + "\"";
    copyPath.clear();
  }
  if (!copyPath.empty()) ::unlink(copyPath.c_str());
  return result;
}

}  // namespace

std::string SaveBytesAtomically(const std::filesystem::path& requested, std::span<const BYTE> bytes,
                                SaveLinks links) {
  if (requested.empty()) return "Cannot save: no file name.";
  // Saving through a symbolic link saves the file it names: the new content goes beside
  // the link's target and replaces that, and the link stays. A private file replaces
  // a link that stands in its place instead, and what the link names stays untouched.
  std::filesystem::path path = requested;
  if (links == SaveLinks::kFollow && !ResolveFinalLink(requested, &path))
    return ErrorText("Cannot save", requested, ELOOP);
  struct stat old = {};
  const bool hadOld = links == SaveLinks::kFollow ? ::stat(path.c_str(), &old) == 0
                                                  : ::lstat(path.c_str(), &old) == 0 && !S_ISLNK(old.st_mode);
  if (hadOld && S_ISDIR(old.st_mode)) return ErrorText("Cannot save", requested, EISDIR);
  // A file the user may not write is not replaced, even where its folder would allow it.
  if (hadOld && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
    return ErrorText("Cannot save", requested, errno);
  }

  // The name is kept within the file-system limit on name lengths.
  std::string stem = path.filename().string();
  const std::string pidPart = std::to_string(::getpid()) + "-";
  const size_t room = kMaxNameBytes - std::strlen(".tmp-") - pidPart.size() - kSuffixLength;
  if (stem.size() > room) stem.resize(room);
  RemoveLeftTemporaries(path.parent_path(), stem);
  // A file with more than one name keeps them all only when it is written in place.
  if (hadOld && S_ISREG(old.st_mode) && old.st_nlink > 1) return SaveInPlace(requested, path, stem, bytes);

  std::filesystem::path tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tmp = path.parent_path() / (stem + ".tmp-" + pidPart + RandomSuffix());
    // A new file is made with its final mode; a replacement stays private until it
    // carries the old file's owner and mode, so no one reads the content early.
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, hadOld ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) {
      // A folder the user may not write: a writable file there is written in place.
      if (hadOld && S_ISREG(old.st_mode) && (errno == EACCES || errno == EPERM))
        return SaveInPlace(requested, path, stem, bytes);
      return ErrorText("Cannot create a file beside", requested, errno);
    }
  }
  if (fd < 0) return ErrorText("Cannot create a file beside", requested, EEXIST);
  // Held while the file is written: a later save beside it sees that it is in use.
  ::flock(fd, LOCK_EX | LOCK_NB);

  int err = 0;
  if (hadOld) {
    // The replacement must carry the old file's owner and group; where the user may not
    // give it those, the file is written in place instead (as careful editors do).
    if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
      (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
    struct stat made = {};
    if (::fstat(fd, &made) != 0 || made.st_uid != old.st_uid || made.st_gid != old.st_gid) {
      ::close(fd);
      ::unlink(tmp.c_str());
      if (!S_ISREG(old.st_mode)) return ErrorText("Cannot save", requested, EPERM);
      return SaveInPlace(requested, path, stem, bytes);
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) err = errno;
  }
  if (err == 0 && g_beforeTemporaryWrite) g_beforeTemporaryWrite(tmp);
  if (err == 0 && !WriteAll(fd, bytes.data(), bytes.size())) err = errno;
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0) {
    err = errno;
    // A file that cannot be replaced by a rename (a mount of its own) is written in place.
    if (hadOld && S_ISREG(old.st_mode) && (err == EBUSY || err == EXDEV)) {
      ::unlink(tmp.c_str());
      return SaveInPlace(requested, path, stem, bytes);
    }
  }
  if (err != 0) {
    ::unlink(tmp.c_str());
    return ErrorText("Cannot save", requested, err);
  }
  SyncFolder(path.parent_path());
  return {};
}

namespace {

std::string ReadOpenedFile(int fd, const std::filesystem::path& path, std::vector<BYTE>& out, size_t maxBytes,
                           bool ownOnly, size_t limit = SIZE_MAX, std::uint64_t* fileSize = nullptr) {
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
    if (fileSize) *fileSize = static_cast<std::uint64_t>(st.st_size);
    out.resize(std::min(static_cast<size_t>(st.st_size), limit));
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

std::string ReadFileHead(const std::filesystem::path& path, std::vector<BYTE>& out, size_t n, size_t maxBytes,
                         std::uint64_t* fileSize) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return ErrorText("Cannot open", path, errno);
  return ReadOpenedFile(fd, path, out, maxBytes, false, n, fileSize);
}
