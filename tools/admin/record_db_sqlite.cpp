// The database through SQLite's C API. Every value from a record reaches
// SQLite as a bound parameter of a prepared statement; the SQL text is made
// of constants only.
#include <charconv>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "common/failure.h"
#include "common/unicode.h"
#include "message_text.h"
#include "record_db.h"
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

// View `latest_surveys`: each host's latest survey. View `installations`:
// one row per application a survey found installed, with the name its
// collect's settings gave the slot.
std::string views_sql() {
  std::string sql =
      "CREATE VIEW IF NOT EXISTS latest_surveys AS\n"
      "  SELECT * FROM surveys AS s WHERE NOT EXISTS (\n"
      "    SELECT 1 FROM surveys AS t WHERE t.host = s.host AND\n"
      "      (t.record_modified > s.record_modified OR\n"
      "       (t.record_modified = s.record_modified AND t.id > s.id)));\n"
      "CREATE VIEW IF NOT EXISTS installations AS\n"
      "  SELECT s.id AS survey_id, s.host, n.column_name, n.caption AS application\n"
      "  FROM surveys AS s JOIN column_names AS n ON n.collect_id = s.collect_id\n"
      "  WHERE ";
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    const std::string column = "application" + std::to_string(slot);
    sql += slot == 1 ? "(" : "\n     OR (";
    sql += "n.column_name = '" + column + "' AND s.";
    sql += column + " = 1)";
  }
  return sql + ";\n";
}

const std::string& tables_sql() {
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
      // Last, where the upgrade of an earlier database adds it.
      "  collect_id INTEGER REFERENCES collects(id),\n"
      "  UNIQUE (host, record_modified, address, memory_bytes" +
      column_list("answer", kStatusItems) + column_list("application", kApplicationSlots) +
      ")\n"
      ");\n"
      "CREATE TABLE IF NOT EXISTS collects (\n"
      "  id INTEGER PRIMARY KEY,\n"
      "  collected_at TEXT NOT NULL,\n"
      "  folder TEXT NOT NULL,\n"
      "  settings_file TEXT\n"
      ");\n"
      "CREATE TABLE IF NOT EXISTS column_names (\n"
      "  collect_id INTEGER NOT NULL REFERENCES collects(id),\n"
      "  column_name TEXT NOT NULL,\n"
      "  caption TEXT,\n"
      "  PRIMARY KEY (collect_id, column_name)\n"
      ");\n";
  return sql;
}

// The layout PRAGMA user_version names: 0 for databases made before the
// names were kept (no collects, column_names or surveys.collect_id).
constexpr int kSchemaVersion = 1;

// One per record field, then record_modified, collected_at and collect_id.
constexpr int kParameterCount = static_cast<int>(kRecordFieldCount) + 3;

const std::string& insert_sql() {
  static const std::string sql = [] {
    std::string text = "INSERT INTO surveys (host, address, memory_bytes" +
                       column_list("answer", kStatusItems) +
                       column_list("application", kApplicationSlots) +
                       ", record_modified, collected_at, collect_id) VALUES (?";
    for (int i = 2; i <= kParameterCount; ++i)
      text += ", ?";
    return text + ") ON CONFLICT DO NOTHING";
  }();
  return sql;
}

class Database {
 public:
  explicit Database(std::wstring_view path) : path_(path) {
    const std::string name = wide_to_utf8(path);
    // Without a count of SQLite's heap, which takes a lock on every
    // allocation. Takes effect before the first connection; later calls
    // are refused, harmlessly.
    static const int memory_count_off = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    static_cast<void>(memory_count_off);
    // One thread uses the connection, so SQLite's own locks would only cost.
    constexpr int kFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    int result = sqlite3_open_v2(name.c_str(), &db_, kFlags, nullptr);
    if (result == SQLITE_CANTOPEN) {  // most likely not there yet
      sqlite3_close(db_);
      db_ = nullptr;
      result = sqlite3_open_v2(name.c_str(), &db_, kFlags | SQLITE_OPEN_CREATE, nullptr);
      created_ = result == SQLITE_OK;
    }
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

  // Closes the connection; removes the file when opening made it, so that
  // a store that committed nothing leaves no trace.
  void close_unchanged() {
    sqlite3_close(db_);
    db_ = nullptr;
    if (created_) {
      sqlite3_vfs* files = sqlite3_vfs_find(nullptr);
      static_cast<void>(files->xDelete(files, wide_to_utf8(path_).c_str(), 0));
    }
  }

  sqlite3* get() const { return db_; }
  const std::wstring& path() const { return path_; }

  void exec(const std::string& sql) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) fail();
  }

  [[noreturn]] void fail() const {
    throw Failure(L"The database " + in_quotes(path_) + L" refused the records: " +
                  utf8_to_wide(sqlite3_errmsg(db_)));
  }

 private:
  std::wstring path_;
  sqlite3* db_ = nullptr;
  bool created_ = false;
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
  // Without a copy: the text must outlive the statement's next run.
  void bind_in_place(int index, std::string_view text) {
    check(sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_STATIC));
  }
  void bind(int index, std::int64_t number) {
    check(sqlite3_bind_int64(statement_, index, number));
  }
  // NULL for an empty text.
  void bind_or_null(int index, std::wstring_view text) {
    if (text.empty()) {
      check(sqlite3_bind_null(statement_, index));
    } else {
      bind(index, wide_to_utf8(text));
    }
  }
  // Runs a query once; gives the first column of its first row.
  std::int64_t number() {
    if (sqlite3_step(statement_) != SQLITE_ROW) db_.fail();
    const std::int64_t value = sqlite3_column_int64(statement_, 0);
    check(sqlite3_reset(statement_));
    return value;
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
    insert.bind_in_place(index, text);
  }
}

// Creates what is missing: the tables and view of a new database, and the
// names an earlier version did not keep.
void bring_up_to_date(Database& db) {
  const std::int64_t version = Statement(db, "PRAGMA user_version").number();
  if (version > kSchemaVersion) {
    throw Failure(L"The database " + in_quotes(db.path()) +
                  L" was made by a later version of tavro-admin (layout " +
                  std::to_wstring(version) + L"); this one knows layouts up to " +
                  std::to_wstring(kSchemaVersion) + L".");
  }
  db.exec(tables_sql());
  if (Statement(db, "SELECT count(*) FROM pragma_table_info('surveys') WHERE name = 'collect_id'")
          .number() == 0) {
    db.exec("ALTER TABLE surveys ADD COLUMN collect_id INTEGER REFERENCES collects(id)");
  }
  db.exec(views_sql());
  if (version < kSchemaVersion) db.exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
}

std::int64_t add_collect(Database& db, const CollectSource& source, const std::string& collected) {
  Statement collect(db,
                    "INSERT INTO collects (collected_at, folder, settings_file) VALUES (?, ?, ?)");
  collect.bind(1, collected);
  collect.bind(2, wide_to_utf8(source.folder));
  collect.bind_or_null(3, source.settings_file);
  collect.run();
  const std::int64_t id = sqlite3_last_insert_rowid(db.get());
  Statement name(db,
                 "INSERT INTO column_names (collect_id, column_name, caption) VALUES (?, ?, ?)");
  const auto add_name = [&](const std::string& column, std::size_t field) {
    name.bind(1, id);
    name.bind(2, column);
    name.bind_or_null(3, source.captions[field]);
    name.run();
  };
  for (int item = 1; item <= kStatusItems; ++item)
    add_name("answer" + std::to_string(item),
             kFirstAnswerField + static_cast<std::size_t>(item - 1));
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    add_name("application" + std::to_string(slot),
             kFirstApplicationField + static_cast<std::size_t>(slot - 1));
  }
  return id;
}

// A collect that stored nothing leaves no trace, as no survey refers to it.
void drop_collect(Database& db, std::int64_t id) {
  for (const char* sql :
       {"DELETE FROM column_names WHERE collect_id = ?", "DELETE FROM collects WHERE id = ?"}) {
    Statement drop(db, sql);
    drop.bind(1, id);
    drop.run();
  }
}

void store(Database& db, const Collection& collection, const CollectSource& source,
           std::int64_t collected_at, StoreResult& result) {
  bring_up_to_date(db);
  const std::string collected = utc_text(collected_at);
  const std::int64_t collect_id = add_collect(db, source, collected);
  Statement insert(db, insert_sql());
  // Bound once: a run keeps its statement's bindings.
  insert.bind(kParameterCount - 1, collected);
  insert.bind(kParameterCount, collect_id);
  const std::vector<CollectedRecord>& records = collection.records;
  for (std::size_t at = 0; at < records.size(); ++at) {
    const CollectedRecord& record = records[at];
    // The texts lie in the order they were read, not the table's: the next
    // one is fetched while SQLite stores this one.
    if (at + 1 < records.size()) __builtin_prefetch(records[at + 1].record.text.data());
    // The texts are bound in place: the record and `modified` outlive the run.
    int index = 0;
    insert.bind_in_place(++index, record.field(0));
    insert.bind_in_place(++index, record.field(1));
    bind_memory(insert, ++index, record.field(2));
    for (std::size_t i = kFirstAnswerField; i < kFirstApplicationField; ++i)
      insert.bind_in_place(++index, record.field(i));
    for (std::size_t i = kFirstApplicationField; i < kRecordFieldCount; ++i)
      insert.bind(++index, std::int64_t{record.field(i) == "Installed" ? 1 : 0});
    const UtcText modified(record.modified);
    insert.bind_in_place(++index, modified.view());
    if (insert.run() != 0) {
      ++result.added;
    } else {
      ++result.already;
    }
  }
  if (result.added == 0) drop_collect(db, collect_id);
}

}  // namespace

StoreResult store_records(std::wstring_view path, const Collection& collection,
                          const CollectSource& source, std::int64_t collected_at,
                          const CommitGate& may_commit) {
  Database db(path);
  StoreResult result;
  // A fleet's rows and their index stay in memory until the commit (at most
  // 256 MiB); the larger pages halve the index's page splits. The page size
  // takes effect only in a new database.
  db.exec("PRAGMA cache_size = -262144; PRAGMA page_size = 16384");
  db.exec("BEGIN IMMEDIATE");
  const auto roll_back = [&db] {
    sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    db.close_unchanged();
  };
  try {
    store(db, collection, source, collected_at, result);
    if (may_commit && !may_commit()) {
      roll_back();
      return {};
    }
    db.exec("COMMIT");
  } catch (...) {
    roll_back();
    throw;
  }
  return result;
}

}  // namespace tavro::admin
