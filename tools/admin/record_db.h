// `collect --db`: the records in an SQLite database that keeps the fleet's
// history across survey rounds.
//
// Table `surveys`: one row per survey (host, address, memory_bytes,
// answer1..answer5, application1..application10 as 1 for "Installed" and 0
// otherwise, record_modified and collected_at as "YYYY-MM-DD HH:MM:SS" UTC).
// A survey already stored (the same host, record and modification time) is
// not stored again. View `latest_surveys`: each host's latest survey.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "collect.h"

namespace tavro::admin {

struct StoreResult {
  std::size_t added = 0;    // surveys new to the database
  std::size_t already = 0;  // surveys it held before
};

// Stores the records in the database at path, creating it when missing, in
// one transaction: on any failure (or an interrupted run) the database stays
// as it was. Throws Failure with SQLite's reason.
StoreResult store_records(std::wstring_view path, const Collection& collection,
                          std::int64_t collected_at);

}  // namespace tavro::admin
