// POSIX implementation of platform/system_error.h.
#include <cstring>
#include <type_traits>

#include "common/failure.h"
#include "platform/system_error.h"
#include "platform/system_text.h"

namespace tavro {

std::wstring system_error_text(int code) {
  char buffer[256] = {};
  // The GNU strerror_r returns its text; the POSIX one fills the buffer.
  // NOLINTNEXTLINE(readability-qualified-auto): a char* or an int, by the C library
  auto result = strerror_r(code, buffer, sizeof buffer);
  if constexpr (std::is_same_v<decltype(result), char*>) {
    return decode_system_text(result);
  } else {
    return decode_system_text(result == 0 ? buffer : "Unknown error");
  }
}

}  // namespace tavro
