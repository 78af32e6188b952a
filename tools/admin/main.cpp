// tavro-admin: the admin's companion to the survey. See admin_cli.h.
#include <iostream>

#include "admin_cli.h"
#include "command_line.h"
#include "console.h"

int main(int argc, char** argv) {
  tavro::admin::use_binary_standard_streams();
  return tavro::admin::run_admin(tavro::admin::command_line_arguments(argc, argv), std::cout,
                                 std::cerr, tavro::admin::standard_error_is_console());
}
