// Moments as the tool writes them.
#pragma once

#include <cstdint>
#include <string>

namespace tavro::admin {

// Seconds since 1970-01-01 00:00 UTC as "YYYY-MM-DD HH:MM:SS" (UTC), the
// form SQLite's date functions read and that sorts as text.
std::string utc_text(std::int64_t seconds);

// Now, in seconds since 1970-01-01 00:00 UTC.
std::int64_t now_seconds();

}  // namespace tavro::admin
