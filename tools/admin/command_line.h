// The program's arguments and standard streams, as the platform provides them.
#pragma once

#include <string>
#include <vector>

namespace tavro::admin {

// The arguments after the program name, in UTF-8 (on Windows taken from the
// wide command line, so no name is lost to the ANSI code page).
std::vector<std::string> command_line_arguments(int argc, char** argv);

// Standard output and error carry bytes as written: no CR is added before
// LF (the CSV table has its own CR LF line ends).
void use_binary_standard_streams();

}  // namespace tavro::admin
