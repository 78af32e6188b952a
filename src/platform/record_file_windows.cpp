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

DWORD write_all(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return GetLastError();
    bytes.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

// Writes into what cannot be replaced, a device such as NUL or a pipe,
// through the handle that found it: a pipe takes one connection.
void write_into(HANDLE device, std::string_view bytes) {
  DWORD error = write_all(device, bytes);
  if (!CloseHandle(device) && error == ERROR_SUCCESS) error = GetLastError();
  if (error != ERROR_SUCCESS) fail(error);
}

// The path of the file a link leads to, or nothing.
std::wstring final_path(HANDLE file) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                                 FILE_NAME_NORMALIZED);
    if (size == 0) return {};
    if (size < path.size()) return path.substr(0, size);
    path.resize(size);
  }
}

}  // namespace

void replace_file_atomically(std::wstring_view target_path, std::string_view bytes) {
  std::wstring target(target_path);
  // A rename would put a plain file where the device, pipe or link was.
  // A file that cannot be opened so goes the usual way, and fails there if
  // it must.
  const HANDLE existing = CreateFileW(target.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (existing != INVALID_HANDLE_VALUE) {
    if (GetFileType(existing) != FILE_TYPE_DISK) {
      write_into(existing, bytes);
      return;
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    // A link stays a link: the file it leads to is replaced.
    const std::wstring resolved =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
            ? final_path(existing)
            : std::wstring();
    CloseHandle(existing);
    if (!resolved.empty()) target = resolved;
  }
  // A name that does not end in ".txt", so readers of the folder skip it.
  const std::wstring temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) fail(GetLastError());
  DWORD error = write_all(file, bytes);
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
