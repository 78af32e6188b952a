// The inventory record: formatting it into file bytes, reading a record file
// back, and the atomic replacement of a record file on the local disk.
#include <benchmark/benchmark.h>

#include "bench_settings.h"
#include "platform/record_file.h"
#include "survey/inventory_record.h"

namespace tavro::bench {
namespace {

RecordFields quoted_record() {
  RecordFields fields = typical_record();
  fields[3] = L"Room 4, east wing";
  fields[4] = L"the \"new\" laptop";
  return fields;
}

void BM_RecordFileBytes(benchmark::State& state) {
  const RecordFields fields = state.range(0) == 0 ? typical_record() : quoted_record();
  for (auto _ : state)
    benchmark::DoNotOptimize(record_file_bytes(fields));
}
BENCHMARK(BM_RecordFileBytes)->ArgName("quoted")->Arg(0)->Arg(1);

void BM_ReadRecordFile(benchmark::State& state) {
  const std::string bytes =
      record_file_bytes(state.range(0) == 0 ? typical_record() : quoted_record());
  for (auto _ : state)
    benchmark::DoNotOptimize(read_record_file(bytes));
}
BENCHMARK(BM_ReadRecordFile)->ArgName("quoted")->Arg(0)->Arg(1);

void BM_ReplaceFileAtomically(benchmark::State& state) {
  const SurveySetting setting;
  const std::wstring target = setting.folder().wide("records/PC-042.txt");
  const std::string bytes = record_file_bytes(typical_record());
  for (auto _ : state)
    replace_file_atomically(target, bytes);
}
BENCHMARK(BM_ReplaceFileAtomically)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavro::bench
