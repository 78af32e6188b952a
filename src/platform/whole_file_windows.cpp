// Windows implementation of platform/whole_file.h.
#include <windows.h>

#include "common/failure.h"
#include "common/result.h"
#include "platform/file_handle_windows.h"
#include "platform/read_to_end.h"
#include "platform/whole_file.h"

namespace tavro {

Result<void> read_whole_file(const NativePath& path, WholeFile& file, std::uintmax_t largest_size) {
  const FileHandle handle(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (handle.get() == INVALID_HANDLE_VALUE) return Failure(last_error_text());
  LARGE_INTEGER size{};
  FILETIME written{};
  if (!GetFileSizeEx(handle.get(), &size) ||
      !GetFileTime(handle.get(), nullptr, nullptr, &written)) {
    return Failure(last_error_text());
  }
  file.modified = unix_seconds(written);
  return read_to_end(static_cast<std::uintmax_t>(size.QuadPart), largest_size, file.bytes,
                     [&handle](char* data, std::size_t room, std::size_t& got) -> Result<void> {
                       DWORD read = 0;
                       if (!ReadFile(handle.get(), data, static_cast<DWORD>(room), &read, nullptr))
                         return Failure(last_error_text());
                       got = read;
                       return Done{};
                     });
}

}  // namespace tavro
