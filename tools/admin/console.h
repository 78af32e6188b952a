// Whether a standard stream is shown in a console (a terminal), where a
// line that is redrawn in place can show progress.
#pragma once

namespace tavro::admin {

bool standard_error_is_console();

}  // namespace tavro::admin
