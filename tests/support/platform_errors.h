// Error numbers as the platform reports them, for tests that check a
// failure names the system's reason.
#pragma once

namespace tavro::testing {

// The error for a file in a folder that does not exist (ENOENT,
// ERROR_PATH_NOT_FOUND).
extern const int kNoSuchFolderError;

}  // namespace tavro::testing
