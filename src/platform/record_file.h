// Writing the record file so that it is either wholly replaced or untouched.
#pragma once

#include <string>
#include <string_view>

namespace tavro {

// Writes the bytes to a new temporary file in the target's folder, flushes
// it to the disk and renames it over the target. On failure the temporary
// file is removed, the target keeps its earlier content, and Failure is
// thrown with the system's reason. A target that is a link is replaced at
// the file it leads to; a device or pipe is written into instead.
void replace_file_atomically(std::wstring_view target_path, std::string_view bytes);

}  // namespace tavro
