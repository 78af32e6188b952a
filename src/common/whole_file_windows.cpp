#include <windows.h>

#include "common/failure.h"
#include "common/read_to_end.h"
#include "common/whole_file.h"

namespace tavro {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::wstring last_error_text() {
  return system_error_text(static_cast<int>(GetLastError()));
}

// FILETIME counts 100-nanosecond steps from 1601-01-01.
std::int64_t unix_seconds(const FILETIME& time) {
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  constexpr std::uint64_t kTicksFrom1601To1970 = 116444736000000000ULL;
  return (static_cast<std::int64_t>(ticks) - static_cast<std::int64_t>(kTicksFrom1601To1970)) /
         10000000;
}

}  // namespace

std::optional<std::wstring> read_whole_file(const NativePath& path, WholeFile& file,
                                            std::uintmax_t largest_size) {
  const Handle handle(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (handle.get() == INVALID_HANDLE_VALUE) return last_error_text();
  LARGE_INTEGER size{};
  FILETIME written{};
  if (!GetFileSizeEx(handle.get(), &size) ||
      !GetFileTime(handle.get(), nullptr, nullptr, &written)) {
    return last_error_text();
  }
  file.modified = unix_seconds(written);
  return read_to_end(
      static_cast<std::uintmax_t>(size.QuadPart), largest_size, file.bytes,
      [&handle](char* data, std::size_t room, std::size_t& got) -> std::optional<std::wstring> {
        DWORD read = 0;
        if (!ReadFile(handle.get(), data, static_cast<DWORD>(room), &read, nullptr))
          return last_error_text();
        got = read;
        return std::nullopt;
      });
}

}  // namespace tavro
