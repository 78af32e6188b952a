#include "command_line.h"

namespace tavro::admin {

std::vector<std::string> command_line_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void use_binary_standard_streams() {}  // POSIX streams never translate line ends

}  // namespace tavro::admin
