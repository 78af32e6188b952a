// Linux implementation of platform/executable_folder.h.
#include <cerrno>
#include <system_error>

#include <unistd.h>

#include "common/failure.h"
#include "platform/executable_folder.h"
#include "platform/system_error.h"
#include "platform/system_text.h"

namespace tavro {

std::wstring executable_folder() {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", target.data(), target.size());
    if (length < 0) {
      throw Failure(L"The program's own folder cannot be found (/proc/self/exe): " +
                    system_error_text(errno));
    }
    if (static_cast<std::size_t>(length) < target.size()) {
      target.resize(static_cast<std::size_t>(length));
      break;
    }
    target.resize(target.size() * 2);
  }
  const std::size_t last_slash = target.rfind('/');
  // "/tavro" lives in the root folder, which keeps its slash.
  target.resize(last_slash == 0 ? 1 : last_slash);
  return decode_system_text(target);
}

}  // namespace tavro
