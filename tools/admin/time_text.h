// Moments as the tool writes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavro::admin {

// Seconds since 1970-01-01 00:00 UTC as "YYYY-MM-DD HH:MM:SS" (UTC), the
// form SQLite's date functions read and that sorts as text.
std::string utc_text(std::int64_t seconds);

// The same text in place, for a loop over many records: no allocation.
class UtcText {
 public:
  explicit UtcText(std::int64_t seconds);
  std::string_view view() const { return {text_, size_}; }

 private:
  char text_[32];  // room for any year an int holds: the text is never cut short
  std::size_t size_ = 0;
};

// Now, in seconds since 1970-01-01 00:00 UTC.
std::int64_t now_seconds();

}  // namespace tavro::admin
