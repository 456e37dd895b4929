// Helpers shared by the fuzz targets.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <string>

// Points the temporary folder (undo steps and the like) at a private folder of
// this run, in memory where the system has such a folder, so that the many
// documents of a run neither wait for the disk nor leave anything in the
// user's temporary folder. Call once before the first document is made.
inline bool UsePrivateTempFolder() {
  static std::string folder;
  const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : nullptr;
  if (!base) base = getenv("TMPDIR") && getenv("TMPDIR")[0] == '/' ? getenv("TMPDIR") : "/tmp";
  std::string pattern = std::string(base) + "/zovuzi-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data())) return false;
  folder = pattern;
  // Removed at the end when the documents of the run left it empty.
  atexit([] { rmdir(folder.c_str()); });
  return setenv("TMPDIR", folder.c_str(), 1) == 0;
}
