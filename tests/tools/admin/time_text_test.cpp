#include "time_text.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tavro::admin {
namespace {

TEST(UtcText, WritesEveryMomentAsItsUtcDateAndTime) {
  const struct {
    std::int64_t seconds;
    const char* text;
  } cases[] = {
      {0, "1970-01-01 00:00:00"},
      {-1, "1969-12-31 23:59:59"},
      {951868799, "2000-02-29 23:59:59"},  // a leap day
      {1700000000, "2023-11-14 22:13:20"},
      {253402300799, "9999-12-31 23:59:59"},
      {253402300800, "10000-01-01 00:00:00"},  // beyond four digits: the year grows
      {-62167219200, "0000-01-01 00:00:00"},
      {-62167219201, "-001-12-31 23:59:59"},
  };
  for (const auto& [seconds, text] : cases) {
    EXPECT_EQ(UtcText(seconds).view(), text) << seconds;
    EXPECT_EQ(utc_text(seconds), text) << seconds;
  }
}

}  // namespace
}  // namespace tavro::admin
