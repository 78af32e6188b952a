#include "machine/cls_mem_info.h"

#include <gtest/gtest.h>

#include <sys/sysinfo.h>

#include "common/failure.h"

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

TEST(ClsMemInfo, FiguresAreConsistent) {
  clsMemInfo memory;
  EXPECT_LE(memory.UseRatio(), 100u);
  EXPECT_GT(memory.FreeSpace(), 0u);
  EXPECT_LE(memory.FreeSpace(), memory.AllSpace());
  EXPECT_LE(memory.FreePageFile(), memory.AllPageFile());
  EXPECT_GT(memory.AllVirtual(), 0u);
  EXPECT_LT(memory.FreeVirtual(), memory.AllVirtual());
}

TEST(ClsMemInfo, EveryPropertyTakesAFreshSnapshot) {
  int refreshes = 0;
  clsMemInfo memory([&refreshes] {
    MemoryStatus status;
    status.total_physical = std::uint64_t{1} << 34;  // 16 GiB: past any 32-bit figure
    status.available_physical = static_cast<std::uint64_t>(++refreshes);
    return status;
  });
  EXPECT_EQ(memory.FreeSpace(), 1u);
  EXPECT_EQ(memory.FreeSpace(), 2u);
  EXPECT_EQ(memory.AllSpace(), 17179869184u);
  EXPECT_EQ(refreshes, 3);
}

TEST(ClsMemInfo, AFailedRefreshReachesTheCaller) {
  clsMemInfo memory([]() -> MemoryStatus { throw Failure(L"no figures"); });
  EXPECT_THROW(memory.AllSpace(), Failure);
}

}  // namespace
}  // namespace tavro
