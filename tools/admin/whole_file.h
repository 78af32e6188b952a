// Reading one small file whole, with its modification time: the one
// system call sequence per record file that collect makes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tavro::admin {

// Larger files are not records; they are refused rather than read.
inline constexpr std::uintmax_t kLargestRecordFile = 1024 * 1024;

struct WholeFile {
  std::string bytes;          // reused from file to file
  std::int64_t modified = 0;  // seconds since 1970-01-01 00:00 UTC
};

// Fills file with the bytes and modification time of the file at path.
// Gives nothing on success, else the reason it could not be read.
std::optional<std::wstring> read_whole_file(const std::filesystem::path& path, WholeFile& file);

}  // namespace tavro::admin
