// tavro_admin_benchmark [RECORDS [ROUNDS [FOLDER]]]: how long `tavro-admin collect`
// takes for a folder of record files (100,000 by default), side by side
// with the floor program's plain reading of the same files (collect_floor.c)
// in interleaved rounds, and what --html and --db add to a plain collect,
// and what --db would add at best if its store overlapped the reading.
// Prints medians and the median of each round's ratio; and the heap a
// collected record holds. The folder is made first (not timed) in a
// temporary folder and removed at the end, or made in FOLDER and kept there
// for the next run (a FOLDER that holds files is used as it is).
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "collect.h"
#include "collect_floor.h"
#include "collect_output.h"
#include "column_names.h"
#include "common/unicode.h"
#include "html_report.h"
#include "record_db.h"
#include "support/temp_folder.h"
#include "survey/inventory_record.h"

namespace tavro::admin {
namespace {

// A fleet's mix: mostly ASCII records, some UTF-8 ones with and without a
// byte-order mark, some in code page 1252, a quoted field now and then.
std::string sample_record(int pc) {
  RecordFields fields;
  fields[0] = L"PC-" + std::to_wstring(100000 + pc);
  fields[1] = L"10." + std::to_wstring(pc / 65536) + L"." + std::to_wstring(pc / 256 % 256) + L"." +
              std::to_wstring(pc % 256);
  fields[2] = std::to_wstring(8LL * 1024 * 1024 * 1024 * (1 + pc % 4));
  fields[3] = L"Room " + std::to_wstring(pc % 300);
  fields[4] = L"user" + std::to_wstring(pc);
  if (pc % 10 == 0) fields[5] = L"Monitor 27\", docked";
  for (std::size_t i = kFirstApplicationField; i < kRecordFieldCount; ++i) {
    if ((pc + static_cast<int>(i)) % 3 != 0) fields[i] = kInstalled;
  }
  if (pc % 7 == 0) fields[6] = L"B\u00FCro \u0141\u00F3d\u017A";  // "Büro Łódź"
  std::string line = wide_to_utf8(format_record(fields)) + "\r\n";
  if (pc % 7 == 0 && pc % 2 == 0) return std::string(kUtf8ByteOrderMark) + line;
  if (pc % 11 == 0) {
    fields[6] = L"Caf\u00E9";
    std::string legacy = wide_to_utf8(format_record(fields)) + "\r\n";
    legacy.replace(legacy.find("\xC3\xA9"), 2, "\xE9");  // é in code page 1252
    return legacy;
  }
  return line;
}

// The process's processor time (all threads, user and system), in ms.
double cpu_milliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
  };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Timing {
  double wall = 0;
  double cpu = 0;
};

Timing time_of(const std::function<void()>& run) {
  const double cpu_start = cpu_milliseconds();
  const auto start = std::chrono::steady_clock::now();
  run();
  const double wall =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return {wall, cpu_milliseconds() - cpu_start};
}

int number_or(std::string_view text, int otherwise) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() ? number : otherwise;
}

// Outputs go here, so that making them is not optimised away.
volatile std::size_t sink = 0;

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace
}  // namespace tavro::admin

int main(int argc, char** argv) {
  using namespace tavro::admin;
  const int records = argc > 1 ? number_or(argv[1], 100'000) : 100'000;
  const int rounds = std::max(1, argc > 2 ? number_or(argv[2], 7) : 7);
  const tavro::testing::TempFolder temporary;
  const std::filesystem::path folder = argc > 3 ? std::filesystem::path(argv[3]) : temporary.path();
  std::filesystem::create_directories(folder);
  if (std::filesystem::is_empty(folder)) {
    for (int pc = 0; pc < records; ++pc) {
      std::FILE* file =
          std::fopen((folder / ("PC-" + std::to_string(100000 + pc) + ".txt")).c_str(), "wb");
      const std::string bytes = sample_record(pc);
      if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
          std::fclose(file) != 0) {
        std::perror("cannot write the record files");
        return 1;
      }
    }
  }
  const std::wstring wide = tavro::utf8_to_wide(folder.string());
  const std::string narrow = folder.string();
  const std::filesystem::path database = folder / "fleet.sqlite";  // not a record file
  const ColumnNames names = generic_column_names();

  std::size_t floor_files = 0;
  const auto floor = [&] {
    std::size_t bytes = 0;
    floor_files = static_cast<std::size_t>(collect_floor(narrow.c_str(), &bytes));
  };
  // As the command line asks: modification times only for the database.
  CollectOptions without_times;
  without_times.modification_times = false;
  std::size_t collected = 0;
  const auto plain = [&] {
    const Collection collection = collect_records(wide, without_times);
    collected = collection.records.size();
    const CsvTable table = csv_table(names, collection);
    sink = table.text.size();
  };
  const auto html = [&] {
    const Collection collection = collect_records(wide, without_times);
    const CsvTable table = csv_table(names, collection);
    const std::string page = html_report({}, collection, wide, 0);
    sink = table.text.size() + page.size();
  };
  const auto db = [&] {
    std::filesystem::remove(database);  // a fresh database each time: timed, but next to nothing
    const Collection collection = collect_records(wide);
    // As the command line does it: the table made while the records are stored.
    std::size_t table_size = 0;
    const StoreResult stored = store_records_alongside(database.wstring(), collection, {}, 0, [&] {
      table_size = csv_table(names, collection).text.size();
    });
    sink = table_size + stored.added;
  };
  // The most a store that began while the files are read could gain: records
  // collected beforehand stored alongside the reading and the table, with
  // nothing waiting for anything.
  const Collection collected_beforehand = collect_records(wide);
  const auto db_bound = [&] {
    std::filesystem::remove(database);
    std::future<StoreResult> stored = std::async(std::launch::async, [&] {
      return store_records(database.wstring(), collected_beforehand, {}, 0);
    });
    const Collection collection = collect_records(wide);
    const std::size_t table_size = csv_table(names, collection).text.size();
    sink = table_size + stored.get().added;
  };
  struct Runner {
    const char* name;
    std::function<void()> run;
    std::vector<double> wall;
    std::vector<double> cpu;
  };
  std::vector<Runner> runners = {{"floor (read only)", floor, {}, {}},
                                 {"collect", plain, {}, {}},
                                 {"collect --html", html, {}, {}},
                                 {"collect --db", db, {}, {}},
                                 {"--db overlapped", db_bound, {}, {}}};
  for (Runner& runner : runners)
    runner.run();  // warms the cache
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < runners.size(); ++i) {
      Runner& runner = runners[(i + static_cast<std::size_t>(round)) % runners.size()];
      const Timing timing = time_of(runner.run);
      runner.wall.push_back(timing.wall);
      runner.cpu.push_back(timing.cpu);
    }
  }

  std::printf("%d record files (%zu read by the floor, %zu collected), %d interleaved rounds\n",
              records, floor_files, collected, rounds);
  for (const Runner& runner : runners) {
    std::printf("  %-18s median %8.1f ms wall, %8.1f ms processor\n", runner.name,
                median(runner.wall), median(runner.cpu));
  }
  // Processor time counts what the program does even on a busy machine,
  // where the wall clock also counts the waits for a core.
  const auto paired = [&](std::size_t a, std::size_t b) {
    std::vector<double> wall;
    std::vector<double> cpu;
    for (std::size_t round = 0; round < static_cast<std::size_t>(rounds); ++round) {
      wall.push_back(runners[a].wall[round] / runners[b].wall[round]);
      cpu.push_back(runners[a].cpu[round] / runners[b].cpu[round]);
    }
    std::printf("  %-15s / %-18s %.2fx wall, %.2fx processor (medians of the rounds' ratios)\n",
                runners[a].name, runners[b].name, median(wall), median(cpu));
  };
  paired(1, 0);
  paired(2, 1);
  paired(3, 1);
  paired(4, 1);

  // The heap a collection holds, per record.
  const std::size_t before = mallinfo2().uordblks;
  const Collection kept = collect_records(wide, without_times);
  const std::size_t after = mallinfo2().uordblks;
  std::printf("  heap held by the collection: %.0f bytes a record\n",
              static_cast<double>(after - before) / static_cast<double>(kept.records.size()));
  return 0;
}
