#include "path_kind.h"

namespace tavro::admin {
namespace {

bool is_windows_separator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

bool is_drive_letter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

PathKind windows_path_kind(std::wstring_view path) {
  // Two leading separators start a share (\\server\share) or a device or
  // verbatim path (\\?\C:\x, \\?\UNC\server\share, \\.\pipe): all absolute.
  if (path.size() >= 2 && is_windows_separator(path[0]) && is_windows_separator(path[1])) {
    return PathKind::kAbsolute;
  }
  if (!path.empty() && is_windows_separator(path[0])) return PathKind::kRooted;
  if (path.size() >= 2 && is_drive_letter(path[0]) && path[1] == L':') {
    return path.size() >= 3 && is_windows_separator(path[2]) ? PathKind::kAbsolute
                                                             : PathKind::kDriveRelative;
  }
  return PathKind::kRelative;
}

}  // namespace tavro::admin
