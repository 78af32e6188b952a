// Whether a new file can be made in a folder, found by making one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavro::admin {

// Creates a uniquely named temporary file in the folder and removes it
// again. Gives nothing when that worked, else the system's reason.
std::optional<std::wstring> folder_write_problem(std::wstring_view folder);

}  // namespace tavro::admin
