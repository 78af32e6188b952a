// What tavro-admin says of words on its command line it does not know: each
// one in the order typed, with the nearest command or option where one is
// close ("colect": did you mean collect?).
#pragma once

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace tavro::admin {

// The message for the arguments app (after a failed parse) was left with, or
// nothing when it was left with none.
std::optional<std::string> unexpected_arguments_message(const CLI::App& app);

}  // namespace tavro::admin
