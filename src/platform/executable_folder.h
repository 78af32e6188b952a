// The folder of the running program, as the settings file is looked up
// beside it. One implementation per platform, chosen by the build.
#pragma once

#include <string>

namespace tavro {

// The folder that holds the running executable, as the platform reports it
// (no trailing separator unless it is a root). Throws Failure when the
// platform cannot tell.
std::wstring executable_folder();

}  // namespace tavro
