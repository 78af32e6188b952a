// `tavro-admin check`: reads a settings file exactly as the survey does and
// reports what this PC's survey window would show and every likely mistake.
#pragma once

#include <string>
#include <string_view>

#include "check_report.h"
#include "settings/profile.h"

namespace tavro::admin {

// Reads the file at path. A missing or unreadable file is an error in the
// report; otherwise the report is that of check_settings.
CheckReport check_settings_file(std::wstring_view path);

// Checks settings already read. host_name names this PC's record file; the
// Path<i> searches and the save folder are checked on this PC's file system.
CheckReport check_settings(const Profile& settings, std::wstring_view settings_file,
                           std::wstring_view host_name);

}  // namespace tavro::admin
