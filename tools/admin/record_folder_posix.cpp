// POSIX implementation of record_folder.h: the folder is opened once and
// listed and read through its descriptor, so no path is looked up again.
#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/failure.h"
#include "message_text.h"
#include "platform/file_handle_posix.h"
#include "platform/system_error.h"
#include "platform/system_text.h"
#include "record_folder.h"

namespace tavro::admin {
struct RecordFolder::Platform {
  explicit Platform(int fd) : descriptor(fd) {}
  FileDescriptor descriptor;
};

RecordFolder::RecordFolder(std::wstring_view folder) : folder_(folder) {
  const int fd = open(to_native_path(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) fail(errno);
  platform_ = std::make_unique<Platform>(fd);
}

RecordFolder::~RecordFolder() = default;

void RecordFolder::fail(int error) const {
  throw Failure(L"Cannot read the folder " + in_quotes(folder_) + L": " + system_error_text(error));
}

std::vector<RecordFolder::Entry> RecordFolder::list_record_files() const {
  // fdopendir takes the descriptor over, and the folder's stays for openat.
  const int listing = openat(platform_->descriptor.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) fail(errno);
  const std::unique_ptr<DIR, int (*)(DIR*)> directory(fdopendir(listing), closedir);
  if (!directory) {
    const int error = errno;
    close(listing);
    fail(error);
  }
  std::vector<Entry> files;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(directory.get());
    if (entry == nullptr) break;
    const std::string_view name(entry->d_name);
    if (!is_record_file_name(name)) continue;
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info {};
      regular = fstatat(platform_->descriptor.get(), entry->d_name, &info, 0) == 0 &&
                S_ISREG(info.st_mode);
    }
    if (regular) files.push_back({NativePath(name), 0});
  }
  if (errno != 0) fail(errno);
  return files;
}

Result<void> RecordFolder::read(const Entry& entry, FileBuffer& buffer, std::size_t largest_size,
                                bool modified) const {
  // O_NONBLOCK: a FIFO put in the file's place since the listing must not hang the collect.
  const FileDescriptor fd(
      openat(platform_->descriptor.get(), entry.name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return Failure(system_error_text(errno));
  buffer.modified = 0;
  if (modified) {
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) return Failure(system_error_text(errno));
    buffer.modified = info.st_mtim.tv_sec;
  }
  return fill_buffer(buffer, largest_size,
                     [&fd](char* data, std::size_t room) -> Result<std::size_t> {
                       ssize_t got = 0;
                       do {
                         got = ::read(fd.get(), data, room);
                       } while (got < 0 && errno == EINTR);
                       if (got < 0) return Failure(system_error_text(errno));
                       return static_cast<std::size_t>(got);
                     });
}

}  // namespace tavro::admin
