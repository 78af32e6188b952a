// The platform's memory status report, in bytes and percent.
#pragma once

#include <cstdint>

namespace tavro {

struct MemoryStatus {
  std::uint32_t memory_load = 0;  // share of physical memory in use, 0 to 100
  std::uint64_t total_physical = 0;
  std::uint64_t available_physical = 0;
  std::uint64_t total_page_file = 0;
  std::uint64_t available_page_file = 0;
  std::uint64_t total_virtual = 0;  // the process's user address space
  std::uint64_t available_virtual = 0;
};

// One snapshot of the figures. Throws Failure when the platform cannot report them.
MemoryStatus query_memory_status();

}  // namespace tavro
