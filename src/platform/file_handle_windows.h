// Windows file handles closed with their owner, the system's error text and
// its file times, for the file readers.
#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "common/failure.h"
#include "platform/system_error.h"

namespace tavro {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

inline std::wstring last_error_text() {
  return system_error_text(static_cast<int>(GetLastError()));
}

// FILETIME counts 100-nanosecond steps from 1601-01-01.
inline std::int64_t unix_seconds(const FILETIME& time) {
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  constexpr std::uint64_t kTicksFrom1601To1970 = 116444736000000000ULL;
  return (static_cast<std::int64_t>(ticks) - static_cast<std::int64_t>(kTicksFrom1601To1970)) /
         10000000;
}

}  // namespace tavro
