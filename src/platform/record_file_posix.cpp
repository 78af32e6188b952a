// POSIX implementation of platform/record_file.h.
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/failure.h"
#include "common/unicode.h"
#include "platform/record_file.h"
#include "platform/system_error.h"

namespace tavro {
namespace {

[[noreturn]] void fail(int error) {
  throw Failure(system_error_text(error));
}

void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

// Writes into what cannot be replaced: a device such as /dev/null or a
// terminal, or a pipe.
void write_into(const std::string& target, std::string_view bytes) {
  const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) fail(errno);
  try {
    write_all(fd, bytes);
  } catch (...) {
    close(fd);
    throw;
  }
  if (close(fd) != 0) fail(errno);
}

}  // namespace

void replace_file_atomically(std::wstring_view target_path, std::string_view bytes) {
  std::string target = wide_to_utf8(target_path);
  // A rename would put a plain file where the device, pipe or link was; a
  // folder is left to the rename, which refuses it.
  struct stat status {};
  if (stat(target.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
      write_into(target, bytes);
      return;
    }
    // A link stays a link: the file it leads to is replaced.
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(target.c_str(), nullptr),
                                                               &std::free);
    if (resolved) target = resolved.get();
  }
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  // A hidden name that does not end in ".txt": readers of the folder skip it.
  std::string temporary = folder + "." + name + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) fail(errno);
  try {
    // mkstemp makes the file private; a record gets the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0) fail(errno);
    write_all(fd, bytes);
    if (fsync(fd) != 0) fail(errno);
  } catch (...) {
    close(fd);
    unlink(temporary.c_str());
    throw;
  }
  if (close(fd) != 0) {
    const int error = errno;
    unlink(temporary.c_str());
    fail(error);
  }
  if (rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    unlink(temporary.c_str());
    fail(error);
  }
}

}  // namespace tavro
