#include "collect.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "admin_test_support.h"
#include "collect_output.h"
#include "column_names.h"
#include "common/unicode.h"
#include "platform/whole_file.h"
#include "support/temp_folder.h"

namespace tavro::admin {
namespace {

constexpr std::string_view kPlain = "pc-b,10.0.0.2,8589934592,Room 2,bob,,,,Installed,,,,,,,,,\r\n";

std::string record_bytes(std::wstring host, std::wstring answer = L"", std::size_t slot = 0) {
  return record_file_bytes(survey_fields(std::move(host), std::move(answer), slot));
}

std::string csv_of(const Collection& collection) {
  return csv_table(generic_column_names(), collection).text;
}

constexpr std::string_view kGenericHeader =
    "Hostname,IP Address,Memory,Status 1,Status 2,Status 3,Status 4,Status 5,Application 1,"
    "Application 2,Application 3,Application 4,Application 5,Application 6,Application 7,"
    "Application 8,Application 9,Application 10\r\n";

TEST(Collect, GoodRecordsBecomeRowsSortedByHostName) {
  testing::TempFolder folder;
  const std::string quoted = record_bytes(L"PC-C", L"Room 4, \"east\"", 1);
  folder.write("PC-C.txt", quoted);
  folder.write("pc-b.txt", kPlain);  // the plain form older surveys wrote
  folder.write("a.txt", record_bytes(L"PC-A"));
  // Earlier surveys wrote a quote as plain text: kept, and quoted in the table.
  folder.write("pc-d.txt", "pc-d,10.0.0.4,1,27\" monitor,,,,,,,,,,,,,,\r\n");

  const Collection collection = collect_records(folder.wide());
  EXPECT_TRUE(collection.skipped.empty());
  ASSERT_EQ(collection.records.size(), 4u);
  // Letter case does not decide the order; each row is the record as written.
  EXPECT_EQ(csv_of(collection), std::string(kGenericHeader) + record_bytes(L"PC-A") +
                                    std::string(kPlain) + quoted +
                                    "pc-d,10.0.0.4,1,\"27\"\" monitor\",,,,,,,,,,,,,,\r\n");
  EXPECT_EQ(collection.installed[0], 2u);
  EXPECT_EQ(collection.installed[1], 0u);
}

TEST(Collect, BadFilesAreNamedWithTheirReasonAndLeftOut) {
  testing::TempFolder folder;
  folder.write("good.txt", kPlain);
  folder.write("empty.txt", "");
  folder.write("short.txt", "pc,10.0.0.1,1,,,\r\n");
  folder.write("lines.txt", std::string(kPlain) + std::string(kPlain));
  folder.write("comma.txt", "pc,10.0.0.1,1,Room 4, east,,,,,,,,,,,,,,\r\n");
  folder.write("odd.txt", "pc,10.0.0.1,1,,,,,,yes,,,,,,,,,\r\n");
  folder.write("large.txt", std::string(kLargestRecordFile + 1, 'x'));

  const Collection collection = collect_records(folder.wide());
  ASSERT_EQ(collection.records.size(), 1u);
  ASSERT_EQ(collection.skipped.size(), 6u);
  const auto reason = [&](std::wstring_view name) {
    for (const SkippedFile& file : collection.skipped) {
      if (file.name == name) return wide_to_utf8(file.reason);
    }
    return std::string("not skipped");
  };
  EXPECT_EQ(reason(L"empty.txt"), "the file is empty");
  EXPECT_EQ(reason(L"short.txt"), "the record has 6 fields, not 18");
  EXPECT_EQ(reason(L"lines.txt"), "the file holds several lines");
  EXPECT_EQ(reason(L"comma.txt"), "the record has 19 fields, not 18");
  EXPECT_EQ(reason(L"odd.txt"), "field 9 is \"yes\", neither \"Installed\" nor empty");
  EXPECT_EQ(reason(L"large.txt"), "the file is larger than 1048576 bytes");
  EXPECT_EQ(collection.skipped.front().name, L"comma.txt");  // sorted by name
}

TEST(WholeFile, AFolderIsNoFileAndTheFailureSaysWhy) {
  testing::TempFolder folder;
  WholeFile file;
  // A folder opens on some systems but never reads as a file.
  const auto read = read_whole_file(folder.path().native(), file, kLargestRecordFile);
  ASSERT_FALSE(read);
  EXPECT_FALSE(read.failure().message().empty());
}

TEST(Collect, OnlyVisibleTxtFilesAreRead) {
  testing::TempFolder folder;
  folder.write("pc.TXT", kPlain);
  folder.write("notes.md", "not a record");
  folder.write(".pc.txt.Ab12Cd", "partial");  // a save in progress
  folder.write(".hidden.txt", "x");
  std::filesystem::create_directory(folder.path() / "folder.txt");
  const Collection collection = collect_records(folder.wide());
  EXPECT_EQ(collection.records.size(), 1u);
  EXPECT_TRUE(collection.skipped.empty());
}

TEST(Collect, AnEmptyFolderGivesTheHeaderOnly) {
  testing::TempFolder folder;
  const Collection collection = collect_records(folder.wide());
  EXPECT_EQ(csv_of(collection), kGenericHeader);
  EXPECT_EQ(collect_summary(generic_column_names(), collection).substr(0, 7), L"0 PCs.\n");
}

TEST(Collect, ManyFilesReadInParallelAddUp) {
  testing::TempFolder folder;
  constexpr int kFiles = 1500;  // enough for several threads
  for (int i = 0; i < kFiles; ++i) {
    folder.write("pc" + std::to_string(i) + ".txt",
                 record_bytes(L"pc" + std::to_wstring(i), L"", i % 2 == 0 ? 1 : 0));
  }
  folder.write("bad.txt", "");
  const Collection collection = collect_records(folder.wide());
  ASSERT_EQ(collection.records.size(), static_cast<std::size_t>(kFiles));
  EXPECT_EQ(collection.skipped.size(), 1u);
  EXPECT_EQ(collection.installed[0], static_cast<std::size_t>(kFiles / 2));
  for (std::size_t i = 1; i < collection.records.size(); ++i) {
    ASSERT_LT(collection.records[i - 1].sort_key, collection.records[i].sort_key);
  }
  // Each thread's texts outlive the merge.
  for (const CollectedRecord& record : collection.records)
    ASSERT_EQ(record.field(0), "pc" + record.sort_key.substr(2));
}

TEST(TextStore, KeepsEveryTextAcrossBlocksAndAfterTake) {
  // Over two blocks of small texts, and one text larger than a block.
  constexpr int kSmallTexts = 2100;
  std::vector<std::string> texts;
  texts.reserve(kSmallTexts + 1);
  for (int i = 0; i < kSmallTexts; ++i)
    texts.push_back(std::string(1000, static_cast<char>('a' + i % 26)) + std::to_string(i));
  texts.push_back(std::string(std::size_t{3} << 19, 'z'));
  std::vector<std::string_view> kept;
  kept.reserve(texts.size());
  TextStore store;
  {
    TextStore other;
    for (std::size_t i = 0; i < texts.size(); ++i)
      kept.push_back((i % 2 == 0 ? store : other).keep(texts[i]));
    store.take(other);
  }
  const TextStore moved = std::move(store);
  for (std::size_t i = 0; i < texts.size(); ++i)
    ASSERT_EQ(kept[i], texts[i]) << i;
  // A store taken from keeps a new text in a block of its own, not in the
  // one it gave away, which goes with its new holder.
  TextStore taken_from;
  std::string_view late;
  {
    TextStore holder;
    taken_from.keep("first");
    holder.take(taken_from);
    late = taken_from.keep("second");
  }
  EXPECT_EQ(late, "second");
}

TEST(ColumnNames, TakenFromTheSettingsWhereTheyAreGiven) {
  const ColumnNames names = column_names(Profile::parse(
      L"[Application]\nName1=Office, 2021\nName2=\nName3\nName10=Git\n[Status]\nItem1=Room\n"));
  // Missing, empty or without "=" ("***" in the survey): the generic name.
  ColumnNames expected = generic_column_names();
  expected[3] = L"Room";
  expected[8] = L"Office, 2021";
  expected[17] = L"Git";
  EXPECT_EQ(names, expected);
  // A name holding a comma is quoted in the header, as a record field is.
  EXPECT_NE(csv_table(names, {}).text.find(",\"Office, 2021\",Application 2,"), std::string::npos);
}

TEST(CollectSummary, CountsPcsAndInstallationsPerApplication) {
  Collection collection;
  collection.records.resize(3);
  collection.skipped.push_back({L"bad.txt", L"the file is empty"});
  collection.installed[0] = 2;
  collection.installed[9] = 1;
  const std::wstring summary = collect_summary(generic_column_names(), collection);
  EXPECT_EQ(summary.substr(0, 38), L"3 PCs, 1 file left out.\nInstalled:\n  A");
  EXPECT_NE(summary.find(L"  Application 1   2\n"), std::wstring::npos);
  EXPECT_NE(summary.find(L"  Application 10  1\n"), std::wstring::npos);
}

TEST(CsvTable, CellsAreQuotedForTheDelimiterAndGuardedAgainstFormulas) {
  struct Case {
    std::size_t field;  // 2 is Memory
    std::string_view text;
    CsvFormat format;
    std::string_view cell;  // as written
    std::size_t guarded;
  };
  const CsvFormat semicolon{';', false, true};
  const CsvFormat raw{',', false, false};
  const Case cases[] = {
      {3, "=1+1", {}, "'=1+1", 1},
      {3, "=1+1", raw, "=1+1", 0},
      {3, "+cmd", {}, "'+cmd", 1},
      {3, "@SUM(A1)", {}, "'@SUM(A1)", 1},
      {3, "-1", {}, "'-1", 1},
      {2, "-1", {}, "-1", 0},  // a memory figure is data
      {2, "-1+2", {}, "'-1+2", 1},
      {3, "\tx", {}, "'\tx", 1},
      {3, "\r\nx", {}, "\"'\r\nx\"", 1},
      {3, "=HYPERLINK(\"x\")", {}, "\"'=HYPERLINK(\"\"x\"\")\"", 1},
      {3, "a;b", {}, "a;b", 0},
      {3, "a;b", semicolon, "\"a;b\"", 0},
      {3, "a,b", semicolon, "a,b", 0},
      {3, "a, b=", {}, "\"a, b=\"", 0},
  };
  for (const Case& c : cases) {
    RecordFields fields;
    fields[0] = L"pc";
    fields[c.field] = utf8_to_wide(c.text);
    const CsvTable table = csv_table(generic_column_names(), collection_of({fields}), c.format);
    const std::string row = table.text.substr(table.text.find("\r\npc") + 2);
    const std::string start = "pc" + std::string(c.field, c.format.delimiter) + std::string(c.cell);
    EXPECT_EQ(row.substr(0, start.size()), start) << c.text;
    EXPECT_EQ(table.guarded_cells, c.guarded) << c.text;
  }
  EXPECT_TRUE(csv_table(generic_column_names(), {}, {',', true, true})
                  .text.starts_with(std::string(kUtf8ByteOrderMark) + "Hostname,"));
}

// A fleet-sized table is written in parts at once: the rows still come
// whole, once each, in the collection's order, and every part's guarded
// cells are counted.
TEST(CsvTable, AFleetsRowsComeInOrderWhateverWritesThem) {
  constexpr int kPcs = 9'999;
  std::vector<RecordFields> pcs;
  std::string expected(kGenericHeader);
  for (int pc = 0; pc < kPcs; ++pc) {
    const std::wstring host = L"pc-" + std::to_wstring(pc);
    pcs.push_back(survey_fields(host, L"=" + std::to_wstring(pc)));
    expected +=
        wide_to_utf8(host) + ",10.0.0.1,17179869184,'=" + std::to_string(pc) + ",,,,,,,,,,,,,,\r\n";
  }
  const CsvTable table = csv_table(generic_column_names(), collection_of(pcs));
  EXPECT_EQ(table.text, expected);
  EXPECT_EQ(table.guarded_cells, static_cast<std::size_t>(kPcs));
}

}  // namespace
}  // namespace tavro::admin
