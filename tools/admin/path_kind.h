// What kind of path a folder setting is, read from its text alone (never
// from std::filesystem, whose mingw build takes "\\server\share" for relative).
#pragma once

#include <string_view>

namespace tavro::admin {

enum class PathKind {
  kAbsolute,       // C:\x, \\server\share\x, \\?\C:\x, \\?\UNC\server\share, \\.\x; /x on POSIX
  kRelative,       // x\y: from the current folder
  kDriveRelative,  // C:x: from the current folder of drive C:
  kRooted,         // \x: from the root of the current drive
};

// By Windows' rules, on every platform.
PathKind windows_path_kind(std::wstring_view path);

// By the rules of the system the survey runs on.
PathKind path_kind(std::wstring_view path);

}  // namespace tavro::admin
