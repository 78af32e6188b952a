// The directory search behind application detection.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace tavro {

// The bare names of the ordinary files that match the pattern, in the order
// the file system reports them. The pattern is a path whose last component
// may hold the wildcards "*" and "?"; a relative pattern is searched from the
// current folder. Ordinary files only: no folders, no hidden and no system
// files (on POSIX: regular files, or links to them, whose names do not start
// with "."). Empty when nothing matches; fails with the system's reason when
// the file system rejects the search (a drive with no medium, a share that is
// gone, a name it refuses, no permission); a missing folder matches nothing.
Result<std::vector<std::wstring>> find_ordinary_files(std::wstring_view pattern);

}  // namespace tavro
