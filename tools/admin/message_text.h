// Small helpers for the texts the tool prints.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavro::admin {

// The text in double quotes, each NUL character shown as "\0" so that a
// name padded with NULs (a length key longer than its value) is visible.
std::wstring in_quotes(std::wstring_view text);

// A path as wide text, without failing on names that are not valid text.
std::wstring path_text(const std::filesystem::path& path);

}  // namespace tavro::admin
