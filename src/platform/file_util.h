// Whole-file reading and crash-safe saving.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/types.h"

// Writes bytes to a new temporary file beside path ("<name>.tmp-XXXXXX", the
// name shortened where the whole would pass the limit on name lengths), flushes
// it to the disk and renames it over path. On failure the temporary file is
// removed, path keeps its old content, and the result is a readable error text
// (UTF-8); on success it is empty.
// - A symbolic link is saved through: its target is replaced, the link stays.
// - An existing file the user may not write is refused, whatever its folder allows.
// - An existing file's permission bits are kept, and its owner and group where the
//   user may set them. The temporary file never allows more than the final mode.
// - kDurable waits until the new file and its name are on the disk (a saved
//   document survives a power cut); kScratch leaves that to the system (files
//   that live only as long as the program, such as undo steps).
enum class FileDurability { kDurable, kScratch };
std::string SaveBytesAtomically(const std::filesystem::path& path, std::span<const BYTE> bytes,
                                FileDurability durability = FileDurability::kDurable);

// Called (when set) with the temporary file's path just before the content is written
// into it; tests look at the file there.
extern std::function<void(const std::filesystem::path&)> g_beforeTemporaryWrite;

// Reads the whole regular file at path into out. Returns an empty string on
// success, else a readable error text (UTF-8); files larger than maxBytes are
// refused rather than read.
// Named pipes, devices and other files that are not regular are refused without
// waiting for them.
std::string ReadFileBytes(const std::filesystem::path& path, std::vector<BYTE>& out,
                          size_t maxBytes = size_t{256} << 20);

// As ReadFileBytes, for a per-user file others must not plant: a symbolic link in
// the last part of the path, or a file owned by another user, is refused.
std::string ReadOwnFileBytes(const std::filesystem::path& path, std::vector<BYTE>& out, size_t maxBytes);
