#include "machine/cls_mem_info.h"

namespace tavro {

std::uint64_t clsMemInfo::AllPageFile() const {
  return query_().total_page_file;
}

std::uint64_t clsMemInfo::AllSpace() const {
  return query_().total_physical;
}

std::uint64_t clsMemInfo::AllVirtual() const {
  return query_().total_virtual;
}

std::uint64_t clsMemInfo::FreePageFile() const {
  return query_().available_page_file;
}

std::uint32_t clsMemInfo::UseRatio() const {
  return query_().memory_load;
}

std::uint64_t clsMemInfo::FreeSpace() const {
  return query_().available_physical;
}

std::uint64_t clsMemInfo::FreeVirtual() const {
  return query_().available_virtual;
}

}  // namespace tavro
