// A line on standard error that shows how far a long collect has come,
// redrawn in place and cleared at the end. It appears only after a second,
// so a quick collect shows nothing.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>

namespace tavro::admin {

class ProgressLine {
 public:
  // Shows nothing at all unless shown (a console, and not asked to be quiet).
  ProgressLine(std::ostream& stream, bool shown);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void update(std::size_t done, std::size_t total);
  // Clears the line, so that the messages after it start on a clean line.
  void clear();

 private:
  using Clock = std::chrono::steady_clock;

  std::ostream& stream_;
  bool shown_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point drawn_at_{};
  std::size_t width_ = 0;  // of the line drawn, 0 when none is
};

}  // namespace tavro::admin
