#include "progress_line.h"

#include <string>

namespace tavro::admin {

ProgressLine::ProgressLine(std::ostream& stream, bool shown) : stream_(stream), shown_(shown) {}

ProgressLine::~ProgressLine() {
  clear();
}

void ProgressLine::update(std::size_t done, std::size_t total) {
  using std::chrono::milliseconds;
  constexpr auto kFirstAfter = milliseconds(1000);
  constexpr auto kRedrawEvery = milliseconds(100);
  if (!shown_ || done >= total) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < kFirstAfter || now - drawn_at_ < kRedrawEvery) return;
  drawn_at_ = now;
  const std::string line =
      "Reading records: " + std::to_string(done) + " of " + std::to_string(total) + " files";
  stream_ << '\r' << line << std::string(width_ > line.size() ? width_ - line.size() : 0, ' ')
          << std::flush;
  width_ = line.size();
}

void ProgressLine::clear() {
  if (width_ == 0) return;
  stream_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
  width_ = 0;
}

}  // namespace tavro::admin
