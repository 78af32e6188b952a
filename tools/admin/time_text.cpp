#include "time_text.h"

#include <chrono>
#include <cstdio>
#include <utility>

namespace tavro::admin {
namespace {

// `digits` decimal digits of `value`, zero-padded, at `out`.
char* put_digits(char* out, unsigned value, int digits) {
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + digits;
}

}  // namespace

UtcText::UtcText(std::int64_t seconds) {
  using namespace std::chrono;
  const sys_seconds moment{std::chrono::seconds(seconds)};
  const sys_days day = floor<days>(moment);
  const year_month_day date(day);
  const hh_mm_ss time(moment - day);
  const int year = static_cast<int>(date.year());
  const auto month = static_cast<unsigned>(date.month());
  const auto day_of_month = static_cast<unsigned>(date.day());
  const auto hours = static_cast<unsigned>(time.hours().count());
  const auto minutes = static_cast<unsigned>(time.minutes().count());
  const auto secs = static_cast<unsigned>(time.seconds().count());
  if (year < 0 || year > 9999) {
    // Far outside any file's time: the plain way, which takes every year.
    const int written = std::snprintf(text_, sizeof text_, "%04d-%02u-%02u %02u:%02u:%02u", year,
                                      month, day_of_month, hours, minutes, secs);
    size_ = static_cast<std::size_t>(written);
    return;
  }
  char* out = put_digits(text_, static_cast<unsigned>(year), 4);
  for (const auto& [separator, value] :
       {std::pair{'-', month}, std::pair{'-', day_of_month}, std::pair{' ', hours},
        std::pair{':', minutes}, std::pair{':', secs}}) {
    *out++ = separator;
    out = put_digits(out, value, 2);
  }
  size_ = static_cast<std::size_t>(out - text_);
}

std::string utc_text(std::int64_t seconds) {
  return std::string(UtcText(seconds).view());
}

std::int64_t now_seconds() {
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace tavro::admin
