// Whole-file reading and crash-safe saving.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "platform/types.h"

// Writes bytes to a new temporary file beside path ("<path>.tmp-XXXXXX"),
// flushes it to the disk and renames it over path. On failure the temporary
// file is removed, path keeps its old content, and the result is a readable
// error text (UTF-8); on success it is empty. An existing file's permission
// bits are kept.
std::string SaveBytesAtomically(const std::filesystem::path& path, std::span<const BYTE> bytes);

// Reads the whole regular file at path into out. Returns an empty string on
// success, else a readable error text (UTF-8); files larger than maxBytes are
// refused rather than read.
std::string ReadFileBytes(const std::filesystem::path& path, std::vector<BYTE>& out,
                          size_t maxBytes = size_t{256} << 20);
