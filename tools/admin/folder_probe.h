// Whether a new file can be made in a folder, found by making one.
#pragma once

#include <string_view>

#include "common/result.h"

namespace tavro::admin {

// Creates a uniquely named temporary file in the folder and removes it
// again. Fails with the system's reason.
Result<void> probe_folder_write(std::wstring_view folder);

}  // namespace tavro::admin
