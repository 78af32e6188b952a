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

// Every figure distinct, past any 32-bit one, and the free memory counting the snapshots.
TEST(ClsMemInfo, EveryPropertyIsItsOwnFigureOfAFreshSnapshot) {
  constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
  std::uint64_t refreshes = 0;
  const clsMemInfo memory([&refreshes] {
    MemoryStatus status;
    status.memory_load = 37;
    status.total_physical = 16 * kGiB;
    status.available_physical = ++refreshes;
    status.total_page_file = 24 * kGiB;
    status.available_page_file = 20 * kGiB;
    status.total_virtual = 128 * 1024 * kGiB;
    status.available_virtual = 127 * 1024 * kGiB;
    return status;
  });
  EXPECT_EQ(memory.FreeSpace(), 1u);
  EXPECT_EQ(memory.FreeSpace(), 2u);
  EXPECT_EQ(memory.UseRatio(), 37u);
  EXPECT_EQ(memory.AllSpace(), 16 * kGiB);
  EXPECT_EQ(memory.AllPageFile(), 24 * kGiB);
  EXPECT_EQ(memory.FreePageFile(), 20 * kGiB);
  EXPECT_EQ(memory.AllVirtual(), 128 * 1024 * kGiB);
  EXPECT_EQ(memory.FreeVirtual(), 127 * 1024 * kGiB);
  EXPECT_EQ(refreshes, 8u);
}

TEST(ClsMemInfo, AFailedRefreshReachesTheCaller) {
  clsMemInfo memory([]() -> MemoryStatus { throw Failure(L"no figures"); });
  EXPECT_THROW(memory.AllSpace(), Failure);
}

}  // namespace
}  // namespace tavro
