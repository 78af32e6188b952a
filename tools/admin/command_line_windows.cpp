#include <cstdio>

#include <fcntl.h>
#include <io.h>

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "command_line.h"
#include "common/unicode.h"

namespace tavro::admin {

std::vector<std::string> command_line_arguments(int /*argc*/, char** /*argv*/) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i)
    arguments.push_back(wide_to_utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

void use_binary_standard_streams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace tavro::admin
