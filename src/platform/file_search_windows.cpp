// Windows implementation of platform/file_search.h.
#include <windows.h>

#include "platform/file_search.h"
#include "platform/system_error.h"
#include "platform/wow64_path.h"

namespace tavro {
namespace {

// A 32-bit program on 64-bit Windows (the 32-bit build's usual home) searches
// as the 64-bit build would, so that both report the same programs.
std::wstring as_a_64_bit_program_sees_it(std::wstring_view pattern) {
  static const bool redirected = [] {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) != FALSE && wow64 != FALSE;
  }();
  if (!redirected) return std::wstring(pattern);
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring(pattern);
  return path_seen_as_64_bit(pattern, std::wstring_view(folder, length));
}

}  // namespace

Result<std::vector<std::wstring>> find_ordinary_files(std::wstring_view pattern) {
  std::vector<std::wstring> names;
  const std::wstring search = as_a_64_bit_program_sees_it(pattern);
  if (search.empty()) return names;
  WIN32_FIND_DATAW found{};
  HANDLE handle = FindFirstFileExW(search.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return names;
    return Failure(system_error_text(static_cast<int>(error)));
  }
  constexpr DWORD kNotOrdinary =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if ((found.dwFileAttributes & kNotOrdinary) == 0) names.emplace_back(found.cFileName);
  } while (FindNextFileW(handle, &found) != FALSE);
  FindClose(handle);
  return names;
}

}  // namespace tavro
