// "Did you mean ...?" for a mistyped subcommand or option.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavro::admin {

// The one name of names closest to typed: within two edits (a letter left
// out, added, changed, or two neighbours swapped), or typed being the start
// of it. Nothing when no name is that close, or when several are equally
// close (a guess between them would mislead).
std::optional<std::string> nearest_name(std::string_view typed,
                                        const std::vector<std::string>& names);

}  // namespace tavro::admin
