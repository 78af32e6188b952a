#include <windows.h>

#include "support/platform_errors.h"

namespace tavro::testing {

const int kNoSuchFolderError = ERROR_PATH_NOT_FOUND;

}  // namespace tavro::testing
