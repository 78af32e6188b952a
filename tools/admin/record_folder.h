// The folder collect reads: its "*.txt" files listed once, then each read
// whole into a buffer that is reused from file to file. One implementation
// per platform: relative to the folder's descriptor on POSIX (openat), one
// large-fetch directory search on Windows.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "platform/read_to_end.h"
#include "platform/whole_file.h"

namespace tavro::admin {

// True for a name ending in ".txt" in any letter case that does not start
// with "." (the survey's saves in progress start with one).
template <typename Char>
bool is_record_file_name(std::basic_string_view<Char> name) {
  constexpr std::string_view kExtension = ".txt";
  if (name.size() <= kExtension.size() || name.front() == Char('.')) return false;
  const auto end = name.substr(name.size() - kExtension.size());
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    const Char c = end[i];
    const Char lower = c >= Char('A') && c <= Char('Z') ? Char(c - Char('A') + Char('a')) : c;
    if (lower != Char(kExtension[i])) return false;
  }
  return true;
}

// A file's bytes, in a buffer that only grows, so that reading many files
// allocates once.
struct FileBuffer {
  std::string storage;
  std::size_t size = 0;
  std::int64_t modified = 0;  // seconds since 1970-01-01 00:00 UTC

  std::string_view bytes() const { return std::string_view(storage).substr(0, size); }
};

// Fills buffer through read_some(data, room), which gives the bytes it read
// into data (at most room) or the reason it failed. The buffer grows as the
// file needs and is kept for the next file; a short read is the end of the
// file, so a small file takes one read.
template <typename ReadSome>
Result<void> fill_buffer(FileBuffer& buffer, std::size_t largest_size, ReadSome read_some) {
  constexpr std::size_t kFirstBufferSize = std::size_t{16} * 1024;
  if (buffer.storage.size() < kFirstBufferSize) buffer.storage.resize(kFirstBufferSize);
  buffer.size = 0;
  for (;;) {
    if (buffer.size == buffer.storage.size()) {
      if (buffer.size > largest_size) return Failure(too_large_text(largest_size));
      buffer.storage.resize(std::min(buffer.size * 2, largest_size + 1));
    }
    const std::size_t room = buffer.storage.size() - buffer.size;
    const Result<std::size_t> got = read_some(buffer.storage.data() + buffer.size, room);
    if (!got) return got.failure();
    buffer.size += *got;
    if (*got < room) break;
  }
  if (buffer.size > largest_size) return Failure(too_large_text(largest_size));
  return Done{};
}

class RecordFolder {
 public:
  struct Entry {
    NativePath name;
    std::int64_t modified = 0;  // from the listing, where the platform gives it there
  };

  // Opens the folder; throws Failure naming it when it cannot be read.
  explicit RecordFolder(std::wstring_view folder);
  ~RecordFolder();
  RecordFolder(const RecordFolder&) = delete;
  RecordFolder& operator=(const RecordFolder&) = delete;

  // The regular files with record file names (a link counts as what it
  // links to), in no particular order. Throws Failure naming the folder.
  std::vector<Entry> list_record_files() const;

  // Reads the file into buffer, and its modification time when asked
  // (which costs a system call per file on some platforms); a file larger
  // than largest_size is refused. Fails with the system's reason. Safe to
  // call from several threads at once.
  Result<void> read(const Entry& entry, FileBuffer& buffer, std::size_t largest_size,
                    bool modified) const;

 private:
  [[noreturn]] void fail(int error) const;

  struct Platform;  // the open folder, or its path, as the platform reads it

  std::wstring folder_;
  std::unique_ptr<Platform> platform_;
};

}  // namespace tavro::admin
