// POSIX implementation of platform/whole_file.h.
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/failure.h"
#include "common/result.h"
#include "platform/file_handle_posix.h"
#include "platform/read_to_end.h"
#include "platform/system_error.h"
#include "platform/whole_file.h"

namespace tavro {

Result<void> read_whole_file(const NativePath& path, WholeFile& file, std::uintmax_t largest_size) {
  const FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return Failure(system_error_text(errno));
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) return Failure(system_error_text(errno));
  file.modified = info.st_mtim.tv_sec;
  return read_to_end(static_cast<std::uintmax_t>(info.st_size), largest_size, file.bytes,
                     [&fd](char* data, std::size_t room, std::size_t& got) -> Result<void> {
                       ssize_t result = 0;
                       do {
                         result = read(fd.get(), data, room);
                       } while (result < 0 && errno == EINTR);
                       if (result < 0) return Failure(system_error_text(errno));
                       got = static_cast<std::size_t>(result);
                       return Done{};
                     });
}

}  // namespace tavro
