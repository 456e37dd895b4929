// Whole-file reading and crash-safe saving.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/types.h"

// Writes bytes to a new temporary file beside path ("<name>.tmp-<pid>-XXXXXX", the
// name shortened where the whole would pass the limit on name lengths), flushes
// it to the disk and renames it over path. On failure the temporary file is
// removed, path keeps its old content, and the result is a readable error text
// (UTF-8); on success it is empty.
// - A symbolic link is saved through: its target is replaced, the link stays.
// - An existing file the user may not write is refused, whatever its folder allows.
// - An existing file keeps its permission bits, owner, group and other names (hard
//   links). Where a replacement could not carry them (the user may not give a file
//   that owner or group), or the folder takes no new file, or the file cannot be
//   replaced by a rename, the file is written in place: its old content is first
//   copied to a file of its own ("<name>.bak-<pid>-XXXXXX" beside it, else in the
//   temporary folder) and the copy verified; a failed write puts the old content
//   back, and only when that fails too does the copy stay (the error names it).
// - The temporary files of earlier saves of path that died (their process is gone)
//   are removed, as are those of the older form "<name>.tmp-XXXXXX" an hour old.
// - The temporary file never allows more than the final mode.
// - With SaveLinks::kReplace (the user's own settings files) a symbolic link at path is
//   not followed: the new file takes the link's place.
enum class SaveLinks { kFollow, kReplace };
std::string SaveBytesAtomically(const std::filesystem::path& path, std::span<const BYTE> bytes,
                                SaveLinks links = SaveLinks::kFollow);

// Called (when set) with the path of the file the content is about to be written into
// (the temporary file, or the file itself when it is written in place); tests look at
// the file there.
extern std::function<void(const std::filesystem::path&)> g_beforeTemporaryWrite;

// Reads the whole regular file at path into out. Returns an empty string on
// success, else a readable error text (UTF-8); files larger than maxBytes are
// refused rather than read.
// Named pipes, devices and other files that are not regular are refused without
// waiting for them.
std::string ReadFileBytes(const std::filesystem::path& path, std::vector<BYTE>& out,
                          size_t maxBytes = size_t{256} << 20);

// As ReadFileBytes, but reads no more than the first n bytes of the file, and gives
// the file's whole size in *fileSize; for a look at a file's head before all of it is read.
std::string ReadFileHead(const std::filesystem::path& path, std::vector<BYTE>& out, size_t n, size_t maxBytes,
                         std::uint64_t* fileSize);

// As ReadFileBytes, for a per-user file others must not plant: a symbolic link in
// the last part of the path, or a file owned by another user, is refused.
std::string ReadOwnFileBytes(const std::filesystem::path& path, std::vector<BYTE>& out, size_t maxBytes);

// Whether a file or folder (open as fd) that carries process number pid in its name
// was left by a process that is gone: no process of that number runs and no one holds
// the lock that a live owner keeps on it (flock). On true the lock is held here until
// fd is closed, so that no other cleaner takes it at the same time.
bool IsLeftBehind(int fd, long pid);
