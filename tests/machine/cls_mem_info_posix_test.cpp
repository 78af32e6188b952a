#include "machine/cls_mem_info.h"

#include <gtest/gtest.h>

#include <sys/sysinfo.h>

namespace tavro {
namespace {

TEST(ClsMemInfo, AllSpaceIsTheSystemsTotalInBytes) {
  struct sysinfo info {};
  ASSERT_EQ(sysinfo(&info), 0);
  clsMemInfo memory;
  EXPECT_EQ(memory.AllSpace(), std::uint64_t{info.totalram} * info.mem_unit);
  EXPECT_EQ(memory.AllSpace(), memory.AllSpace());
  EXPECT_EQ(memory.AllPageFile(), std::uint64_t{info.totalswap} * info.mem_unit);
}

}  // namespace
}  // namespace tavro
