// clsMemInfo: the PC's memory figures, each property a fresh snapshot.
//
// The figures are 64-bit: a 32-bit figure would wrap on any PC with 2 GiB
// of memory or more.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/memory_status.h"

namespace tavro {

class clsMemInfo {  // NOLINT(readability-identifier-naming): the class's established name
 public:
  using Query = std::function<MemoryStatus()>;

  explicit clsMemInfo(Query query = query_memory_status) : query_(std::move(query)) {}

  // Each property takes a fresh snapshot of all figures; a failed one throws Failure.
  std::uint64_t AllPageFile() const;
  std::uint64_t AllSpace() const;  // total physical memory in bytes
  std::uint64_t AllVirtual() const;
  std::uint64_t FreePageFile() const;
  std::uint32_t UseRatio() const;  // percent of physical memory in use
  std::uint64_t FreeSpace() const;
  std::uint64_t FreeVirtual() const;

 private:
  Query query_;
};

}  // namespace tavro
