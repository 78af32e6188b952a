#include <cerrno>

#include "support/platform_errors.h"

namespace tavro::testing {

const int kNoSuchFolderError = ENOENT;

}  // namespace tavro::testing
