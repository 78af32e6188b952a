// What the admin tool's tests share: a record as the survey fills it in, a
// collection made without files, a run of the command line, and plain SQL
// on the database that collect writes.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "admin_cli.h"
#include "collect.h"
#include "common/unicode.h"

namespace tavro::admin {

// A record of host at 10.0.0.1 with 16 GiB, answer as the first status item,
// and application slot installed_slot (1 to 10; 0: none) "Installed".
inline RecordFields survey_fields(std::wstring host, std::wstring answer = {},
                                  std::size_t installed_slot = 0) {
  RecordFields fields;
  fields[0] = std::move(host);
  fields[1] = L"10.0.0.1";
  fields[2] = L"17179869184";
  fields[kFirstAnswerField] = std::move(answer);
  if (installed_slot > 0) fields[kFirstApplicationField + installed_slot - 1] = kInstalled;
  return fields;
}

// A collection as collect_records gives it, without files.
inline Collection collection_of(const std::vector<RecordFields>& pcs) {
  Collection collection;
  for (const RecordFields& fields : pcs) {
    RecordText text;
    for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
      text.text += wide_to_utf8(fields[i]);
      text.ends[i] = static_cast<std::uint32_t>(text.text.size());
    }
    collection.records.push_back({{collection.texts.keep(text.text), text.ends}, {}, 0});
    for (std::size_t i = 0; i < kApplicationCount; ++i)
      collection.installed[i] += fields[kFirstApplicationField + i].empty() ? 0U : 1U;
  }
  return collection;
}

// What tavro-admin did with the arguments.
struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

inline Outcome run(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_admin(arguments, out, err);
  return {status, out.str(), err.str()};
}

// Reads a database the way an admin would, with plain SQL; NULL reads "NULL".
class Query {
 public:
  explicit Query(const std::filesystem::path& path) {
    EXPECT_EQ(sqlite3_open_v2(path.string().c_str(), &db_,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
              SQLITE_OK);
  }
  ~Query() { sqlite3_close(db_); }
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  std::vector<std::vector<std::string>> rows(const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    const auto add = [](void* to, int count, char** values, char** /*names*/) {
      auto& row = static_cast<std::vector<std::vector<std::string>>*>(to)->emplace_back();
      for (int i = 0; i < count; ++i)
        row.emplace_back(values[i] == nullptr ? "NULL" : values[i]);
      return 0;
    };
    EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), add, &rows, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db_);
    return rows;
  }
  // The first column of every row.
  std::vector<std::string> column(const std::string& sql) {
    std::vector<std::string> values;
    for (std::vector<std::string>& row : rows(sql))
      values.push_back(std::move(row.front()));
    return values;
  }
  std::string value(const std::string& sql) {
    const std::vector<std::string> values = column(sql);
    return values.empty() ? "no row" : values.front();
  }
  void exec(const std::string& sql) { rows(sql); }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace tavro::admin
