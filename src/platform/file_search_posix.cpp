// POSIX implementation of platform/file_search.h.
#include <cerrno>
#include <memory>
#include <string>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include "common/unicode.h"
#include "platform/file_search.h"
#include "platform/system_error.h"
#include "platform/system_text.h"

namespace tavro {
namespace {

bool is_ordinary_file(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A missing file or folder means nothing matched; anything else the file
// system reports (no permission, an I/O error, a name too long) rejects the search.
bool means_nothing_found(int error) {
  return error == ENOENT || error == ENOTDIR;
}

}  // namespace

Result<std::vector<std::wstring>> find_ordinary_files(std::wstring_view pattern) {
  const std::string path = wide_to_utf8(pattern);
  const std::size_t slash = path.rfind('/');
  const std::string folder =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const std::string name_pattern = slash == std::string::npos ? path : path.substr(slash + 1);
  std::vector<std::wstring> names;
  if (name_pattern.empty()) return names;  // "" or "folder/" names no file

  if (name_pattern.find_first_of("*?") == std::string::npos) {
    // No wildcard: one look at the path itself rather than a folder listing.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
      if (means_nothing_found(errno)) return names;
      return Failure(system_error_text(errno));
    }
    if (S_ISREG(info.st_mode) && name_pattern.front() != '.') {
      names.push_back(decode_system_text(name_pattern));
    }
    return names;
  }

  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder.c_str()), closedir);
  if (!listing) {
    if (means_nothing_found(errno)) return names;
    return Failure(system_error_text(errno));
  }
  const std::string prefix = slash == std::string::npos ? "" : folder + "/";
  while (const dirent* entry = readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name.front() == '.' || fnmatch(name_pattern.c_str(), name.c_str(), FNM_NOESCAPE) != 0) {
      continue;
    }
    if (is_ordinary_file(prefix + name)) names.push_back(decode_system_text(name));
  }
  return names;
}

}  // namespace tavro
