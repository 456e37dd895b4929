#include "platform/file_util.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

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

// Makes the rename itself durable; a failure here leaves a complete file and is not reported.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string SaveBytesAtomically(const std::filesystem::path& path, std::span<const BYTE> bytes) {
  if (path.empty()) return "Cannot save: no file name.";
  struct stat old = {};
  const bool hadOld = ::stat(path.c_str(), &old) == 0;
  if (hadOld && S_ISDIR(old.st_mode)) return ErrorText("Cannot save", path, EISDIR);

  std::filesystem::path tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tmp = path;
    tmp += ".tmp-" + RandomSuffix();
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return ErrorText("Cannot create a file beside", path, errno);
  }
  if (fd < 0) return ErrorText("Cannot create a file beside", path, EEXIST);

  int err = 0;
  if (!WriteAll(fd, bytes.data(), bytes.size())) err = errno;
  if (err == 0 && hadOld && ::fchmod(fd, old.st_mode & 07777) != 0) err = errno;
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tmp.c_str());
    return ErrorText("Cannot save", path, err);
  }
  SyncFolder(path.parent_path());
  return {};
}

std::string ReadFileBytes(const std::filesystem::path& path, std::vector<BYTE>& out, size_t maxBytes) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErrorText("Cannot open", path, errno);
  struct stat st = {};
  std::string error;
  if (::fstat(fd, &st) != 0) {
    error = ErrorText("Cannot read", path, errno);
  } else if (!S_ISREG(st.st_mode)) {
    error = "Cannot read \"" + path.string() + "\": not a regular file";
  } else if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    error = "Cannot read \"" + path.string() + "\": the file is too large";
  } else {
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
