// Whether the survey reads a settings file in the encoding it was saved in.
#pragma once

#include <optional>
#include <string_view>

#include "check_report.h"

namespace tavro::admin {

// A finding for a file without byte-order mark that is valid UTF-8 holding
// non-ASCII text, where the system code page (which the survey then reads
// it in) is not UTF-8; nothing otherwise.
std::optional<Finding> check_settings_encoding(std::string_view bytes, bool code_page_is_utf8);

}  // namespace tavro::admin
