// POSIX implementation of path_kind (path_kind.h): a path from "/" is absolute.
#include "path_kind.h"

namespace tavro::admin {

PathKind path_kind(std::wstring_view path) {
  return !path.empty() && path.front() == L'/' ? PathKind::kAbsolute : PathKind::kRelative;
}

}  // namespace tavro::admin
