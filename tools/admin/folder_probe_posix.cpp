#include <cerrno>
#include <string>

#include <stdlib.h>
#include <unistd.h>

#include "common/failure.h"
#include "common/unicode.h"
#include "folder_probe.h"
#include "platform/system_error.h"
#include "settings/settings_path.h"

namespace tavro::admin {

Result<void> probe_folder_write(std::wstring_view folder) {
  // A hidden name that does not end in ".txt", so a collect running at the
  // same moment never takes it for a record.
  std::string probe = wide_to_utf8(with_trailing_separator(folder)) + ".tavro-admin-probe-XXXXXX";
  const int fd = mkstemp(probe.data());
  if (fd < 0) return Failure(system_error_text(errno));
  close(fd);
  if (unlink(probe.c_str()) != 0) return Failure(system_error_text(errno));
  return Done{};
}

}  // namespace tavro::admin
