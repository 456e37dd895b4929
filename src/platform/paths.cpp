#include "platform/paths.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

CString WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return CString::FromUtf8(path);
}

const char* AbsoluteEnv(const char* name) {
  const char* v = std::getenv(name);
  return v && v[0] == '/' ? v : nullptr;
}

}  // namespace

CString GetTempFolder() {
  const char* dir = AbsoluteEnv("TMPDIR");
  return WithSlash(dir ? dir : "/tmp");
}

CString GetPrivateTempFolder() {
  const std::string dir = GetTempFolder().ToUtf8() + "zovuzi-" + std::to_string(::geteuid());
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return CString();
  // Whatever stands there must be the user's own folder that no one else may enter:
  // not a link, not another user's, not open to others.
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return CString();
  struct stat st = {};
  const bool ours =
      ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
  ::close(fd);
  return ours ? WithSlash(dir) : CString();
}

CString GetSettingsFolder() {
  if (const char* xdg = AbsoluteEnv("XDG_CONFIG_HOME")) return WithSlash(xdg);
  std::string home;
  if (const char* h = AbsoluteEnv("HOME")) {
    home = h;
  } else {
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && found->pw_dir &&
        found->pw_dir[0] == '/') {
      home = found->pw_dir;
    }
  }
  struct stat st = {};
  // No home folder at all: a private folder of the user, never the shared temporary folder itself.
  if (home.empty() || ::stat(home.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return GetPrivateTempFolder();
  if (home.back() != '/') home += '/';
  return WithSlash(home + ".config");
}

CString MakeUniqueFolder(const CString& parent, const CString& prefix, std::string* error) {
  std::string pattern = parent.ToUtf8() + prefix.ToUtf8() + "XXXXXX";
  if (prefix.Find(u'/') >= 0 || pattern.find('\0') != std::string::npos) {
    if (error) *error = "The folder name \"" + prefix.ToUtf8() + "\" is not valid.";
    return CString();
  }
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) {
    if (error) *error = "Cannot create a folder in \"" + parent.ToUtf8() + "\": " + std::strerror(errno);
    return CString();
  }
  if (error) error->clear();
  return WithSlash(buf.data());
}

CString ToNativePath(const CString& path) {
  CString p = path;
  p.Replace(u'\\', u'/');
  return p;
}
