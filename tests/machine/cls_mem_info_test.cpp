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
    return MemoryStatus{37, 16 * kGiB, ++refreshes, 24 * kGiB, 20 * kGiB, 128 * kGiB, 127 * kGiB};
  });
  EXPECT_EQ(memory.FreeSpace(), 1u);
  EXPECT_EQ(memory.FreeSpace(), 2u);
  EXPECT_EQ(memory.UseRatio(), 37u);
  EXPECT_EQ(memory.AllSpace(), 16 * kGiB);
  EXPECT_EQ(memory.AllPageFile(), 24 * kGiB);
  EXPECT_EQ(memory.FreePageFile(), 20 * kGiB);
  EXPECT_EQ(memory.AllVirtual(), 128 * kGiB);
  EXPECT_EQ(memory.FreeVirtual(), 127 * kGiB);
  EXPECT_EQ(refreshes, 8u);
}

TEST(ClsMemInfo, AFailedRefreshReachesTheCaller) {
  clsMemInfo memory([]() -> MemoryStatus { throw Failure(L"no figures"); });
  EXPECT_THROW(memory.AllSpace(), Failure);
}

}  // namespace
}  // namespace tavro
