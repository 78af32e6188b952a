// Windows implementation of console.h: a console has a console mode, a
// file or pipe has none.
#include <windows.h>

#include "console.h"

namespace tavro::admin {

bool standard_error_is_console() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace tavro::admin
