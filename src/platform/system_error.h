// The platform's text for an error number. One implementation per platform,
// chosen by the build.
#pragma once

#include <string>

namespace tavro {

// The platform's text for an error number (errno on POSIX, a system error
// code on Windows), e.g. "No such file or directory".
std::wstring system_error_text(int code);

}  // namespace tavro
