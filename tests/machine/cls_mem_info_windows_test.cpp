#include "machine/cls_mem_info.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace tavro {
namespace {

TEST(ClsMemInfo, FiguresAreWhatGlobalMemoryStatusExReports) {
  MEMORYSTATUSEX report{};
  report.dwLength = sizeof report;
  ASSERT_TRUE(GlobalMemoryStatusEx(&report));
  clsMemInfo memory;
  EXPECT_EQ(memory.AllSpace(), report.ullTotalPhys);
  EXPECT_EQ(memory.AllPageFile(), report.ullTotalPageFile);
  EXPECT_EQ(memory.AllVirtual(), report.ullTotalVirtual);
}

}  // namespace
}  // namespace tavro
