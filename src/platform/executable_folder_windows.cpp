// Windows implementation of platform/executable_folder.h.
#include <windows.h>

#include "common/failure.h"
#include "platform/executable_folder.h"
#include "platform/system_error.h"

namespace tavro {

std::wstring executable_folder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      throw Failure(L"The program's own folder cannot be found: " +
                    system_error_text(static_cast<int>(GetLastError())));
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // truncated: the path is longer than the buffer
  }
  const std::size_t last = path.find_last_of(L"\\/");
  if (last == std::wstring::npos) return path;
  // "C:\Tavro.exe" lives in a drive root, which keeps its backslash.
  path.resize(last == 2 && path[1] == L':' ? 3 : last);
  return path;
}

}  // namespace tavro
