// The command line of tavro-admin: the `check` and `collect` sub-commands.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavro::admin {

// Runs tavro-admin with the arguments that follow the program name (UTF-8),
// writing to out and err, and gives the exit status: 0 all well, 1 warnings
// (check) or files left out (collect), 2 errors or a wrong command line.
// A console shows err (a terminal): collect draws its progress line there.
int run_admin(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
              bool err_is_console = false);

}  // namespace tavro::admin
