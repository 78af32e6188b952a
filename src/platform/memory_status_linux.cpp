// Linux implementation of platform/memory_status.h.
// Linux figures: sysinfo for totals and swap (the page file), /proc/meminfo
// for the memory that is really available, the address-space limit and the
// process's own size for the virtual figures.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <string_view>

#include <sys/resource.h>
#include <sys/sysinfo.h>

#include "common/failure.h"
#include "platform/memory_status.h"
#include "platform/system_error.h"
#include "platform/whole_file.h"

namespace tavro {
namespace {

constexpr std::uintmax_t kLargestProcFile = 1 << 20;

// A "Name:   1234 kB" figure of a /proc file, in bytes; fallback when absent.
std::uint64_t proc_figure(const char* file, std::string_view name, std::uint64_t fallback) {
  WholeFile proc;
  if (!read_whole_file(file, proc, kLargestProcFile)) return fallback;
  const std::string_view text = proc.bytes;
  for (std::size_t line = 0; line < text.size();) {
    const std::size_t end = std::min(text.find('\n', line), text.size());
    if (text.substr(line, name.size()) == name) {
      const std::size_t digits = text.find_first_not_of(" \t", line + name.size());
      std::uint64_t kib = 0;
      if (digits >= end ||
          std::from_chars(text.data() + digits, text.data() + end, kib).ec != std::errc()) {
        return fallback;
      }
      return kib * 1024;
    }
    line = end + 1;
  }
  return fallback;
}

std::uint64_t user_address_space() {
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    return limit.rlim_cur;
  }
  // The user half of the address space: 128 TiB on 64-bit x86 and ARM, 3 GiB on 32-bit.
  return sizeof(void*) == 8 ? (std::uint64_t{1} << 47) : (std::uint64_t{3} << 30);
}

}  // namespace

MemoryStatus query_memory_status() {
  struct sysinfo info {};
  if (sysinfo(&info) != 0) {
    throw Failure(L"The memory status cannot be read: " + system_error_text(errno));
  }
  const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
  MemoryStatus status;
  status.total_physical = info.totalram * unit;
  status.available_physical = proc_figure("/proc/meminfo", "MemAvailable:", info.freeram * unit);
  status.total_page_file = info.totalswap * unit;
  status.available_page_file = info.freeswap * unit;
  if (status.total_physical > 0 && status.available_physical <= status.total_physical) {
    const std::uint64_t used = status.total_physical - status.available_physical;
    status.memory_load = static_cast<std::uint32_t>((used * 100 + status.total_physical / 2) /
                                                    status.total_physical);
  }
  status.total_virtual = user_address_space();
  const std::uint64_t in_use = proc_figure("/proc/self/status", "VmSize:", 0);
  status.available_virtual = in_use < status.total_virtual ? status.total_virtual - in_use : 0;
  return status;
}

}  // namespace tavro
