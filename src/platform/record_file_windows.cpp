// Windows implementation of platform/record_file.h.
#include <windows.h>

#include <string>

#include "common/failure.h"
#include "platform/record_file.h"
#include "platform/system_error.h"

namespace tavro {
namespace {

[[noreturn]] void fail(DWORD error) {
  throw Failure(system_error_text(static_cast<int>(error)));
}

}  // namespace

void replace_file_atomically(std::wstring_view target_path, std::string_view bytes) {
  const std::wstring target(target_path);
  // A name that does not end in ".txt", so readers of the folder skip it.
  const std::wstring temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) fail(GetLastError());
  DWORD error = ERROR_SUCCESS;
  while (!bytes.empty() && error == ERROR_SUCCESS) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) error = GetLastError();
    bytes.remove_prefix(written);
  }
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS && !MoveFileExW(temporary.c_str(), target.c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    DeleteFileW(temporary.c_str());
    fail(error);
  }
}

}  // namespace tavro
