// How long `tavro-admin collect` takes for a folder of 100,000 record files.
// The folder is made once in a temporary folder (not timed) and removed at
// the end; run it twice or more for warm-cache figures.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "collect.h"
#include "collect_output.h"
#include "column_names.h"
#include "html_report.h"
#include "record_db.h"
#include "support/temp_folder.h"
#include "survey/inventory_record.h"

namespace tavro::admin {
namespace {

constexpr int kPcs = 100'000;

RecordFields sample_record(int pc) {
  RecordFields fields;
  fields[0] = L"PC-" + std::to_wstring(100000 + pc);
  fields[1] = L"10." + std::to_wstring(pc / 65536) + L"." + std::to_wstring(pc / 256 % 256) + L"." +
              std::to_wstring(pc % 256);
  fields[2] = std::to_wstring(8LL * 1024 * 1024 * 1024 * (1 + pc % 4));
  fields[3] = L"Room " + std::to_wstring(pc % 300);
  fields[4] = L"user" + std::to_wstring(pc);
  fields[5] = pc % 10 == 0 ? L"Monitor 27\", docked" : L"";  // a quoted field now and then
  for (std::size_t i = kFirstApplicationField; i < kRecordFieldCount; ++i) {
    if ((pc + static_cast<int>(i)) % 3 != 0) fields[i] = kInstalled;
  }
  return fields;
}

// The folder of records, made on first use.
const testing::TempFolder& record_folder() {
  static const testing::TempFolder folder;
  static const bool filled = [] {
    for (int pc = 0; pc < kPcs; ++pc) {
      folder.write("PC-" + std::to_string(100000 + pc) + ".txt",
                   record_file_bytes(sample_record(pc)));
    }
    return true;
  }();
  static_cast<void>(filled);
  return folder;
}

void BM_CollectToCsv(benchmark::State& state) {
  const std::wstring folder = record_folder().wide();
  collect_records(folder);  // warms the cache
  for (auto _ : state) {
    const Collection collection = collect_records(folder);
    const std::string table = csv_table(generic_column_names(), collection);
    benchmark::DoNotOptimize(table.data());
    state.counters["records"] = static_cast<double>(collection.records.size());
  }
}
BENCHMARK(BM_CollectToCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_HtmlReport(benchmark::State& state) {
  const Collection collection = collect_records(record_folder().wide());
  for (auto _ : state) {
    const std::string page = html_report({}, collection, L"/srv/inventory", 0);
    benchmark::DoNotOptimize(page.data());
    state.counters["bytes"] = static_cast<double>(page.size());
  }
}
BENCHMARK(BM_HtmlReport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_StoreInNewDatabase(benchmark::State& state) {
  if (!record_db_available()) {
    state.SkipWithError("this build has no SQLite");
    return;
  }
  const Collection collection = collect_records(record_folder().wide());
  // Beside the records, which collect ignores, and removed with them.
  const std::filesystem::path database = record_folder().path() / "fleet.sqlite";
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(database);
    state.ResumeTiming();
    const StoreResult stored = store_records(database.wstring(), collection, {}, 0);
    state.counters["added"] = static_cast<double>(stored.added);
  }
}
BENCHMARK(BM_StoreInNewDatabase)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace tavro::admin

BENCHMARK_MAIN();
