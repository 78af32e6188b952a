#include <windows.h>

#include "survey/file_search.h"

namespace tavro {

std::optional<std::vector<std::wstring>> find_ordinary_files(std::wstring_view pattern) {
  std::vector<std::wstring> names;
  const std::wstring search(pattern);
  if (search.empty()) return names;
  WIN32_FIND_DATAW found{};
  HANDLE handle = FindFirstFileExW(search.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return names;
    return std::nullopt;
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
