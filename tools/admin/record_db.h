// `collect --db`: the records in an SQLite database that keeps the fleet's
// history across survey rounds.
//
// Table `surveys`: one row per survey (host, address, memory_bytes,
// answer1..answer5, application1..application10 as 1 for "Installed" and 0
// otherwise, record_modified and collected_at as "YYYY-MM-DD HH:MM:SS" UTC).
// A survey already stored (the same host, record and modification time) is
// not stored again. View `latest_surveys`: each host's latest survey.
//
// The names go with the surveys, so that a query needs no settings file to
// know what application3 was. Table `collects`: one row per collect that
// stored surveys (collected_at, folder, settings_file, NULL without one);
// table `column_names`: for each collect, the caption the settings file gave
// each of answer1..answer5 and application1..application10 (NULL where it
// gave none). `surveys.collect_id` names the collect that stored the survey;
// it is NULL for surveys stored before the database kept names. View
// `installations`: one row per application a survey found installed (survey_id,
// host, column_name, application: the caption, NULL where there was none).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "collect.h"
#include "column_names.h"

namespace tavro::admin {

struct StoreResult {
  std::size_t added = 0;    // surveys new to the database
  std::size_t already = 0;  // surveys it held before
};

// What a collect read: kept with the surveys it stores.
struct CollectSource {
  std::wstring folder;
  std::wstring settings_file;  // empty without one
  Captions captions;           // all empty without a settings file
};

// Asked once the records are in, just before the commit; it may wait.
// False rolls them back.
using CommitGate = std::function<bool()>;

// Stores the records in the database at path, creating it when missing (and
// bringing one made by an earlier version up to date), in one transaction:
// on any failure, a refusal of the gate (which gives an empty result) or an
// interrupted run the database stays as it was. One this call created is
// removed, but for an interrupted run's, which stays empty. Throws Failure
// with SQLite's reason, or when a later version made it.
StoreResult store_records(std::wstring_view path, const Collection& collection,
                          const CollectSource& source, std::int64_t collected_at,
                          const CommitGate& may_commit = {});

// store_records on a thread of its own while `outputs` writes the collect's
// other outputs on this one. The records are committed only once `outputs`
// succeeded; when it throws, its failure is the one rethrown and the
// database stays as it was.
StoreResult store_records_alongside(std::wstring_view path, const Collection& collection,
                                    const CollectSource& source, std::int64_t collected_at,
                                    const std::function<void()>& outputs);

}  // namespace tavro::admin
