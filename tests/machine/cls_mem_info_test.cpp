#include "machine/cls_mem_info.h"

#include <gtest/gtest.h>

#include "common/failure.h"

namespace tavro {
namespace {

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
