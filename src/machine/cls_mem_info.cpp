#include "machine/cls_mem_info.h"

namespace tavro {

void clsMemInfo::RefreshStatus() {
  state_ = query_();
}

std::uint64_t clsMemInfo::AllPageFile() {
  RefreshStatus();
  return state_.total_page_file;
}

std::uint64_t clsMemInfo::AllSpace() {
  RefreshStatus();
  return state_.total_physical;
}

std::uint64_t clsMemInfo::AllVirtual() {
  RefreshStatus();
  return state_.total_virtual;
}

std::uint64_t clsMemInfo::FreePageFile() {
  RefreshStatus();
  return state_.available_page_file;
}

std::uint32_t clsMemInfo::UseRatio() {
  RefreshStatus();
  return state_.memory_load;
}

std::uint64_t clsMemInfo::FreeSpace() {
  RefreshStatus();
  return state_.available_physical;
}

std::uint64_t clsMemInfo::FreeVirtual() {
  RefreshStatus();
  return state_.available_virtual;
}

}  // namespace tavro
