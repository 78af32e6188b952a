// The database through SQLite's C API. Every value from a record reaches
// SQLite as a bound parameter of a prepared statement; the SQL text is made
// of constants only.
#include <charconv>
#include <string>

#include <sqlite3.h>

#include "common/failure.h"
#include "message_text.h"
#include "record_db.h"
#include "settings/unicode.h"
#include "survey/counts.h"
#include "time_text.h"

namespace tavro::admin {
namespace {

std::string numbered_columns(std::string_view name, int count, std::string_view type) {
  std::string columns;
  for (int i = 1; i <= count; ++i) {
    columns += "  " + std::string(name) + std::to_string(i) + " " + std::string(type) + ",\n";
  }
  return columns;
}

std::string column_list(std::string_view name, int count) {
  std::string list;
  for (int i = 1; i <= count; ++i)
    list += ", " + std::string(name) + std::to_string(i);
  return list;
}

const std::string& schema_sql() {
  static const std::string sql =
      "CREATE TABLE IF NOT EXISTS surveys (\n"
      "  id INTEGER PRIMARY KEY,\n"
      "  host TEXT NOT NULL,\n"
      "  address TEXT NOT NULL,\n"
      "  memory_bytes INTEGER NOT NULL,\n" +
      numbered_columns("answer", kStatusItems, "TEXT NOT NULL") +
      numbered_columns("application", kApplicationSlots, "INTEGER NOT NULL") +
      "  record_modified TEXT NOT NULL,\n"
      "  collected_at TEXT NOT NULL,\n"
      "  UNIQUE (host, record_modified, address, memory_bytes" +
      column_list("answer", kStatusItems) + column_list("application", kApplicationSlots) +
      ")\n"
      ");\n"
      "CREATE VIEW IF NOT EXISTS latest_surveys AS\n"
      "  SELECT * FROM surveys AS s WHERE NOT EXISTS (\n"
      "    SELECT 1 FROM surveys AS t WHERE t.host = s.host AND\n"
      "      (t.record_modified > s.record_modified OR\n"
      "       (t.record_modified = s.record_modified AND t.id > s.id)));\n";
  return sql;
}

// One per record field, then record_modified and collected_at.
constexpr int kParameterCount = static_cast<int>(kRecordFieldCount) + 2;

const std::string& insert_sql() {
  static const std::string sql = [] {
    std::string text = "INSERT INTO surveys (host, address, memory_bytes" +
                       column_list("answer", kStatusItems) +
                       column_list("application", kApplicationSlots) +
                       ", record_modified, collected_at) VALUES (?";
    for (int i = 2; i <= kParameterCount; ++i)
      text += ", ?";
    return text + ") ON CONFLICT DO NOTHING";
  }();
  return sql;
}

class Database {
 public:
  explicit Database(std::wstring_view path) {
    const std::string name = wide_to_utf8(path);
    const int result =
        sqlite3_open_v2(name.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (result != SQLITE_OK) {
      const std::wstring reason =
          db_ != nullptr ? utf8_to_wide(sqlite3_errmsg(db_)) : utf8_to_wide(sqlite3_errstr(result));
      sqlite3_close(db_);
      throw Failure(L"Cannot open the database " + in_quotes(path) + L": " + reason);
    }
    sqlite3_busy_timeout(db_, 5000);
  }
  ~Database() { sqlite3_close(db_); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  sqlite3* get() const { return db_; }

  void exec(const std::string& sql) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) fail();
  }

  [[noreturn]] void fail() const {
    throw Failure(L"The database refused the records: " + utf8_to_wide(sqlite3_errmsg(db_)));
  }

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(Database& db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
      db.fail();
    }
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void bind(int index, std::string_view text) {
    check(sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
  }
  void bind(int index, std::int64_t number) {
    check(sqlite3_bind_int64(statement_, index, number));
  }
  // Runs the statement once; gives how many rows it changed.
  int run() {
    if (sqlite3_step(statement_) != SQLITE_DONE) db_.fail();
    const int changed = sqlite3_changes(db_.get());
    check(sqlite3_reset(statement_));
    return changed;
  }

 private:
  void check(int result) {
    if (result != SQLITE_OK) db_.fail();
  }

  Database& db_;
  sqlite3_stmt* statement_ = nullptr;
};

// Memory as a number when it is one; the text as written otherwise (old
// survey versions wrote negative or wrapped figures).
void bind_memory(Statement& insert, int index, std::string_view text) {
  std::int64_t bytes = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, bytes);
  // from_chars takes neither an empty text nor a "+".
  if (error == std::errc() && stop == end) {
    insert.bind(index, bytes);
  } else {
    insert.bind(index, text);
  }
}

void store(Database& db, const Collection& collection, std::int64_t collected_at,
           StoreResult& result) {
  db.exec(schema_sql());
  Statement insert(db, insert_sql());
  const std::string collected = utc_text(collected_at);
  for (const CollectedRecord& record : collection.records) {
    int index = 0;
    insert.bind(++index, record.field(0));
    insert.bind(++index, record.field(1));
    bind_memory(insert, ++index, record.field(2));
    for (std::size_t i = kFirstAnswerField; i < kFirstApplicationField; ++i)
      insert.bind(++index, record.field(i));
    for (std::size_t i = kFirstApplicationField; i < kRecordFieldCount; ++i)
      insert.bind(++index, std::int64_t{record.field(i) == "Installed" ? 1 : 0});
    insert.bind(++index, utc_text(record.modified));
    insert.bind(++index, collected);
    if (insert.run() != 0) {
      ++result.added;
    } else {
      ++result.already;
    }
  }
}

}  // namespace

StoreResult store_records(std::wstring_view path, const Collection& collection,
                          std::int64_t collected_at) {
  Database db(path);
  StoreResult result;
  db.exec("BEGIN IMMEDIATE");
  try {
    store(db, collection, collected_at, result);
    db.exec("COMMIT");
  } catch (...) {
    sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  return result;
}

}  // namespace tavro::admin
