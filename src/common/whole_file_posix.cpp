#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/failure.h"
#include "common/whole_file.h"

namespace tavro {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::wstring too_large(std::uintmax_t largest_size) {
  return L"the file is larger than " + std::to_wstring(largest_size) + L" bytes";
}

}  // namespace

std::optional<std::wstring> read_whole_file(const NativePath& path, WholeFile& file,
                                            std::uintmax_t largest_size) {
  const Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return system_error_text(errno);
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) return system_error_text(errno);
  if (static_cast<std::uintmax_t>(info.st_size) > largest_size) return too_large(largest_size);
  file.modified = info.st_mtim.tv_sec;
  // One byte more than the size, so that a file that grew meanwhile is
  // still read to its end.
  file.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == file.bytes.size()) {
      if (file.bytes.size() > largest_size) return too_large(largest_size);
      file.bytes.resize(file.bytes.size() * 2);
    }
    const ssize_t got = read(fd.get(), file.bytes.data() + filled, file.bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return system_error_text(errno);
    }
    filled += static_cast<std::size_t>(got);
    // A short read of a regular file is its end: no second call to find it.
    if (got == 0 || filled < file.bytes.size()) break;
  }
  file.bytes.resize(filled);
  return std::nullopt;
}

}  // namespace tavro
