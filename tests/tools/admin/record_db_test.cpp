#include "record_db.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "admin_test_support.h"
#include "common/failure.h"
#include "message_text.h"
#include "support/temp_folder.h"
#include "survey/controls.h"
#include "time_text.h"

namespace tavro::admin {
namespace {

class RecordDbTest : public ::testing::Test {
 protected:
  void write(const std::string& name, const RecordFields& fields) {
    records_.write(name, record_file_bytes(fields));
  }
  StoreResult collect(std::int64_t now = 1'700'000'000, const CollectSource& source = {}) {
    return store_records(database().wstring(), collect_records(records_.wide()), source, now);
  }
  std::filesystem::path database() const { return data_.path() / "fleet.sqlite"; }

  testing::TempFolder records_;
  testing::TempFolder data_;
};

TEST_F(RecordDbTest, TheSameFolderTwiceAddsNothingAndAChangedRecordBecomesTheLatest) {
  write("a.txt", survey_fields(L"pc-a", L"Room 1", 2));
  write("b.txt", survey_fields(L"pc-b", L"Room 2", 2));
  const StoreResult first = collect();
  EXPECT_EQ(first.added, 2u);
  EXPECT_EQ(first.already, 0u);
  const StoreResult second = collect(1'700'000'100);
  EXPECT_EQ(second.added, 0u);
  EXPECT_EQ(second.already, 2u);

  Query query(database());
  EXPECT_EQ(query.column("SELECT host FROM surveys ORDER BY host"),
            (std::vector<std::string>{"pc-a", "pc-b"}));
  EXPECT_EQ(query.value("SELECT collected_at FROM surveys LIMIT 1"), "2023-11-14 22:13:20");
  EXPECT_EQ(query.value("SELECT length(record_modified) FROM surveys LIMIT 1"), "19");

  write("a.txt", survey_fields(L"pc-a", L"Room 9", 2));
  const StoreResult changed = collect();
  EXPECT_EQ(changed.added, 1u);
  EXPECT_EQ(changed.already, 1u);
  EXPECT_EQ(query.column("SELECT answer1 FROM surveys WHERE host = 'pc-a' ORDER BY id"),
            (std::vector<std::string>{"Room 1", "Room 9"}));
  EXPECT_EQ(query.column("SELECT host || ':' || answer1 FROM latest_surveys ORDER BY host"),
            (std::vector<std::string>{"pc-a:Room 9", "pc-b:Room 2"}));
}

TEST_F(RecordDbTest, QuotesAndSqlInRecordsAreStoredAsText) {
  const std::wstring host = L"x'); DROP TABLE surveys; --";
  const std::wstring answer = L"'; DROP TABLE surveys; -- \"quoted\", too";
  write("evil.txt", survey_fields(host, answer, 2));
  EXPECT_EQ(collect().added, 1u);

  Query query(database());
  EXPECT_EQ(query.value("SELECT host FROM surveys"), "x'); DROP TABLE surveys; --");
  EXPECT_EQ(query.value("SELECT answer1 FROM surveys"),
            "'; DROP TABLE surveys; -- \"quoted\", too");
  EXPECT_EQ(collect().added, 0u);  // and the table is still there to say so
}

TEST_F(RecordDbTest, AFailedCollectLeavesTheDatabaseAsItWas) {
  write("a.txt", survey_fields(L"pc-a", L"Room 1", 2));
  collect();
  {
    Query query(database());
    query.exec(
        "CREATE TRIGGER refuse BEFORE INSERT ON surveys WHEN NEW.host = 'pc-c' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
  }
  write("a.txt", survey_fields(L"pc-a", L"Room 2", 2));  // stored first, then undone
  write("c.txt", survey_fields(L"pc-c", L"Room 3", 2));
  try {
    collect();
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {  // the database's path and SQLite's reason
    EXPECT_EQ(failure.message(), L"The database " + in_quotes(database().wstring()) +
                                     L" refused the records: refused");
  }

  Query query(database());
  EXPECT_EQ(query.column("SELECT answer1 FROM surveys"), (std::vector<std::string>{"Room 1"}));
}

TEST_F(RecordDbTest, RecordsStoredAlongsideTheOtherOutputsAreKeptOnlyWhenTheyAreWritten) {
  write("a.txt", survey_fields(L"pc-a", L"Room 1", 2));
  const auto alongside = [&](const std::function<void()>& outputs) {
    return store_records_alongside(database().wstring(), collect_records(records_.wide()), {}, 0,
                                   outputs);
  };
  const auto refused = [] { throw Failure(L"Cannot write the table"); };
  EXPECT_THROW(alongside(refused), Failure);
  EXPECT_FALSE(std::filesystem::exists(database()));  // not left behind, not even empty

  collect();
  write("b.txt", survey_fields(L"pc-b", L"Room 2", 2));
  EXPECT_THROW(alongside(refused), Failure);
  EXPECT_EQ(Query(database()).column("SELECT host FROM surveys"),
            (std::vector<std::string>{"pc-a"}));

  bool written = false;
  EXPECT_EQ(alongside([&] { written = true; }).added, 1u);
  EXPECT_TRUE(written);

  // The store's own failure comes after the outputs.
  written = false;
  std::filesystem::remove(database());
  std::filesystem::create_directory(database());
  EXPECT_THROW(alongside([&] { written = true; }), Failure);
  EXPECT_TRUE(written);
}

TEST(UtcText, WritesEveryMomentAsItsUtcDateAndTime) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {-62167219201, "-001-12-31 23:59:59"},  // before year 0: the plain way
      {0, "1970-01-01 00:00:00"},
      {-1, "1969-12-31 23:59:59"},
      {951868799, "2000-02-29 23:59:59"},  // a leap day
      {253402300799, "9999-12-31 23:59:59"},
      {253402300800, "10000-01-01 00:00:00"},  // beyond four digits: the year grows
  };
  for (const auto& [seconds, text] : cases) {
    EXPECT_EQ(UtcText(seconds).view(), text) << seconds;
    EXPECT_EQ(utc_text(seconds), text) << seconds;
  }
}

TEST_F(RecordDbTest, OldMemoryFiguresThatAreNoNumberStayAsWritten) {
  RecordFields fields = survey_fields(L"pc-old");
  fields[2] = L"-2147483648";
  write("old.txt", fields);
  fields[0] = L"pc-odd";
  fields[2] = L"16 GB";
  write("odd.txt", fields);
  collect();
  Query query(database());
  EXPECT_EQ(query.column("SELECT typeof(memory_bytes) || ' ' || memory_bytes FROM surveys "
                         "ORDER BY host"),
            (std::vector<std::string>{"text 16 GB", "integer -2147483648"}));
}

TEST_F(RecordDbTest, EachCollectKeepsTheNamesOfItsSettingsWithItsSurveys) {
  CollectSource source{L"/srv/inventory", L"Tavro.ini", {}};
  source.captions[kFirstAnswerField] = L"Room";
  source.captions[kFirstApplicationField + 1] = L"Git";
  write("a.txt", survey_fields(L"pc-a", L"Room 1", 2));
  collect(1'700'000'000, source);
  source.captions[kFirstApplicationField + 1] = L"Mercurial";
  collect(1'700'000'100, source);  // stores nothing, so keeps no names
  write("b.txt", survey_fields(L"pc-b", L"Room 2", 2));
  collect(1'700'000'200, {L"/srv/inventory", {}, {}});  // without a settings file

  Query query(database());
  EXPECT_EQ(
      query.column("SELECT collected_at || ' ' || ifnull(settings_file, 'NULL') FROM "
                   "collects ORDER BY id"),
      (std::vector<std::string>{"2023-11-14 22:13:20 Tavro.ini", "2023-11-14 22:16:40 NULL"}));
  const std::string caption_of =
      "SELECT s.host || ' ' || ifnull(n.caption, 'NULL') FROM surveys AS s JOIN column_names "
      "AS n ON n.collect_id = s.collect_id AND n.column_name = ";
  EXPECT_EQ(query.column(caption_of + "'application2' ORDER BY s.host"),
            (std::vector<std::string>{"pc-a Git", "pc-b NULL"}));
  EXPECT_EQ(query.column(caption_of + "'answer1' ORDER BY s.host"),
            (std::vector<std::string>{"pc-a Room", "pc-b NULL"}));
  EXPECT_EQ(query.value("SELECT count(*) FROM column_names"), "30");
  EXPECT_EQ(query.column("SELECT host || ' ' || column_name || ' ' || ifnull(application, 'NULL') "
                         "FROM installations ORDER BY host"),
            (std::vector<std::string>{"pc-a application2 Git", "pc-b application2 NULL"}));
}

// The layout tavro-admin wrote before it kept the names.
void make_earlier_database(const std::filesystem::path& path) {
  std::string columns = "host, record_modified, address, memory_bytes";
  std::string sql =
      "CREATE TABLE surveys (id INTEGER PRIMARY KEY, host TEXT NOT NULL, "
      "address TEXT NOT NULL, memory_bytes INTEGER NOT NULL";
  for (int i = 1; i <= kStatusItems; ++i) {
    sql += ", answer" + std::to_string(i) + " TEXT NOT NULL";
    columns += ", answer" + std::to_string(i);
  }
  for (int i = 1; i <= kApplicationSlots; ++i) {
    sql += ", application" + std::to_string(i) + " INTEGER NOT NULL";
    columns += ", application" + std::to_string(i);
  }
  sql += ", record_modified TEXT NOT NULL, collected_at TEXT NOT NULL, UNIQUE (" + columns +
         "));\nCREATE VIEW latest_surveys AS SELECT * FROM surveys;\n"
         "INSERT INTO surveys VALUES (1, 'pc-old', '10.0.0.9', 1, '', '', '', '', '', "
         "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '2020-01-01 00:00:00', '2020-01-02 00:00:00');";
  Query query(path);
  query.exec(sql);
}

TEST_F(RecordDbTest, AnEarlierDatabaseIsBroughtUpToDateAndKeepsItsSurveys) {
  make_earlier_database(database());
  write("a.txt", survey_fields(L"pc-a", L"Room 1", 2));
  EXPECT_EQ(collect().added, 1u);
  EXPECT_EQ(collect().added, 0u);  // once brought up to date, it stays so

  Query query(database());
  EXPECT_EQ(query.column("SELECT host || ' ' || ifnull(collect_id, 'NULL') FROM latest_surveys "
                         "ORDER BY host"),
            (std::vector<std::string>{"pc-a 1", "pc-old NULL"}));
  EXPECT_EQ(query.value("PRAGMA user_version"), "1");
}

TEST_F(RecordDbTest, ADatabaseOfALaterLayoutIsLeftAlone) {
  write("a.txt", survey_fields(L"pc-a", L"Room 1", 2));
  collect();
  Query(database()).exec("PRAGMA user_version = 2");
  write("b.txt", survey_fields(L"pc-b", L"Room 2", 2));
  EXPECT_THROW(collect(), Failure);
  EXPECT_EQ(Query(database()).value("SELECT count(*) FROM surveys"), "1");
}

}  // namespace
}  // namespace tavro::admin
