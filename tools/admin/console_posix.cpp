// POSIX implementation of console.h.
#include <unistd.h>

#include "console.h"

namespace tavro::admin {

bool standard_error_is_console() {
  return isatty(STDERR_FILENO) != 0;
}

}  // namespace tavro::admin
