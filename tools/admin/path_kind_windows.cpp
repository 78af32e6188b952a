// Windows implementation of path_kind (path_kind.h): Windows' own rules.
#include "path_kind.h"

namespace tavro::admin {

PathKind path_kind(std::wstring_view path) {
  return windows_path_kind(path);
}

}  // namespace tavro::admin
