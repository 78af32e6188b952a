// The database for builds without SQLite: there is none.
#include "common/failure.h"
#include "record_db.h"

namespace tavro::admin {

bool record_db_available() {
  return false;
}

StoreResult store_records(std::wstring_view /*path*/, const Collection& /*collection*/,
                          const CollectSource& /*source*/, std::int64_t /*collected_at*/) {
  throw Failure(L"This build of tavro-admin has no SQLite, so --db is not available.");
}

}  // namespace tavro::admin
