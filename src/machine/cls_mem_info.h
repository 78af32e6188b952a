// clsMemInfo: the PC's memory figures, each property a fresh snapshot.
//
// The figures are 64-bit: a 32-bit figure would wrap on any PC with 2 GiB
// of memory or more.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "machine/memory_status.h"

namespace tavro {

class clsMemInfo {  // NOLINT(readability-identifier-naming): the class's established name
 public:
  using Query = std::function<MemoryStatus()>;

  explicit clsMemInfo(Query query = query_memory_status) : query_(std::move(query)) {}

  // Each property refreshes all figures first; a failed refresh throws Failure.
  std::uint64_t AllPageFile();
  std::uint64_t AllSpace();  // total physical memory in bytes
  std::uint64_t AllVirtual();
  std::uint64_t FreePageFile();
  std::uint32_t UseRatio();  // percent of physical memory in use
  std::uint64_t FreeSpace();
  std::uint64_t FreeVirtual();

 private:
  void RefreshStatus();

  Query query_;
  MemoryStatus state_{};
};

}  // namespace tavro
