#include <string>

#include <windows.h>

#include "common/failure.h"
#include "folder_probe.h"
#include "platform/system_error.h"

namespace tavro::admin {

Result<void> probe_folder_write(std::wstring_view folder) {
  // GetTempFileNameW creates the file; its name ends in ".tmp", so a collect
  // running at the same moment never takes it for a record.
  wchar_t probe[MAX_PATH + 1] = {};
  const std::wstring where(folder.empty() ? std::wstring_view(L"\\") : folder);
  if (GetTempFileNameW(where.c_str(), L"tav", 0, probe) == 0) {
    return Failure(system_error_text(static_cast<int>(GetLastError())));
  }
  if (!DeleteFileW(probe)) return Failure(system_error_text(static_cast<int>(GetLastError())));
  return Done{};
}

}  // namespace tavro::admin
