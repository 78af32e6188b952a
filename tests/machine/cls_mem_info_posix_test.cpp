#include "machine/cls_mem_info.h"

#include <gtest/gtest.h>

#include <sys/sysinfo.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <string>

namespace tavro {
namespace {

TEST(ClsMemInfo, AllSpaceIsTheSystemsTotalInBytes) {
  struct sysinfo info {};
  ASSERT_EQ(sysinfo(&info), 0);
  clsMemInfo memory;
  EXPECT_EQ(memory.AllSpace(), std::uint64_t{info.totalram} * info.mem_unit);
  EXPECT_EQ(memory.AllPageFile(), std::uint64_t{info.totalswap} * info.mem_unit);
}

// The free figure is the kernel's estimate of available memory, read here with
// the C++ streams; the two reads are moments apart, so they may differ a little.
TEST(ClsMemInfo, FreeSpaceIsWhatMeminfoCallsAvailable) {
  std::ifstream meminfo("/proc/meminfo");
  std::string name;
  std::uint64_t kib = 0;
  while (meminfo >> name >> kib && name != "MemAvailable:")
    meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  ASSERT_EQ(name, "MemAvailable:");
  const double free_space = static_cast<double>(clsMemInfo().FreeSpace());
  EXPECT_NEAR(free_space, static_cast<double>(kib) * 1024, 64.0 * 1024 * 1024);
}

}  // namespace
}  // namespace tavro
