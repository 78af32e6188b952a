// The database's work overlaps the table's and the page's: SQLite's inserts
// are the longest part of `collect --db`, and they need nothing the other
// outputs make.
#include <future>

#include "record_db.h"

namespace tavro::admin {

StoreResult store_records_alongside(std::wstring_view path, const Collection& collection,
                                    const CollectSource& source, std::int64_t collected_at,
                                    const std::function<void()>& outputs) {
  std::promise<bool> written;
  std::future<bool> verdict = written.get_future();
  std::future<StoreResult> stored = std::async(std::launch::async, [&] {
    return store_records(path, collection, source, collected_at,
                         [&verdict] { return verdict.get(); });
  });
  try {
    outputs();
  } catch (...) {
    written.set_value(false);
    // Whether the store was rolled back or failed on its own, the outputs'
    // failure came first and is the one to tell.
    stored.wait();
    throw;
  }
  written.set_value(true);
  return stored.get();
}

}  // namespace tavro::admin
