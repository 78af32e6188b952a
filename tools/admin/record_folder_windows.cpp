// Windows implementation of record_folder.h: one directory search with
// FIND_FIRST_EX_LARGE_FETCH and the basic information level lists the
// names with their modification times, so each file is then only opened
// and read.
#include <windows.h>

#include "common/failure.h"
#include "message_text.h"
#include "platform/file_handle_windows.h"
#include "platform/system_error.h"
#include "platform/system_text.h"
#include "record_folder.h"

namespace tavro::admin {
struct RecordFolder::Platform {
  NativePath prefix;  // the folder's path and a separator, before each name
};

RecordFolder::RecordFolder(std::wstring_view folder)
    : folder_(folder), platform_(std::make_unique<Platform>()) {
  NativePath& prefix = platform_->prefix;
  prefix = to_native_path(folder);
  if (!prefix.empty() && !is_path_separator(prefix.back())) prefix += L'\\';
}

RecordFolder::~RecordFolder() = default;

void RecordFolder::fail(int error) const {
  throw Failure(L"Cannot read the folder " + in_quotes(folder_) + L": " + system_error_text(error));
}

std::vector<RecordFolder::Entry> RecordFolder::list_record_files() const {
  WIN32_FIND_DATAW found{};
  const HANDLE search =
      FindFirstFileExW((platform_->prefix + L"*").c_str(), FindExInfoBasic, &found,
                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) fail(static_cast<int>(GetLastError()));
  std::vector<Entry> files;
  do {
    const std::wstring_view name(found.cFileName);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && is_record_file_name(name)) {
      files.push_back({NativePath(name), unix_seconds(found.ftLastWriteTime)});
    }
  } while (FindNextFileW(search, &found) != 0);
  const DWORD error = GetLastError();
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES) fail(static_cast<int>(error));
  return files;
}

Result<void> RecordFolder::read(const Entry& entry, FileBuffer& buffer, std::size_t largest_size,
                                bool modified) const {
  const FileHandle handle(CreateFileW((platform_->prefix + entry.name).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (handle.get() == INVALID_HANDLE_VALUE) return Failure(last_error_text());
  buffer.modified = modified ? entry.modified : 0;
  return fill_buffer(buffer, largest_size,
                     [&handle](char* data, std::size_t room) -> Result<std::size_t> {
                       DWORD got = 0;
                       if (!ReadFile(handle.get(), data, static_cast<DWORD>(room), &got, nullptr)) {
                         return Failure(last_error_text());
                       }
                       return std::size_t{got};
                     });
}

}  // namespace tavro::admin
