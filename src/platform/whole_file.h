// Reading one file whole, with its modification time, in one short
// sequence of system calls and without the C++ streams (which would weigh
// more than the rest of the Windows program).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/result.h"

namespace tavro {

// A path as the platform's file functions take it: bytes on POSIX, UTF-16 on Windows.
using NativePath = std::filesystem::path::string_type;

struct WholeFile {
  std::string bytes;          // reused from file to file
  std::int64_t modified = 0;  // seconds since 1970-01-01 00:00 UTC
};

// Fills file with the bytes and modification time of the file at path.
// Fails with the reason it could not be read; a file larger than
// largest_size is refused rather than read.
Result<void> read_whole_file(const NativePath& path, WholeFile& file, std::uintmax_t largest_size);

}  // namespace tavro
