// The settings reader alone: parsing a full settings file, the 62 reads the
// load and the save make, and both from the file on disk.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_settings.h"
#include "settings/profile.h"
#include "settings/setting_field.h"
#include "survey/application_slots.h"
#include "survey/controls.h"
#include "survey/save.h"
#include "survey/settings_keys.h"

namespace tavro::bench {
namespace {

// Every read the load sequence and the save make, in their order.
void read_everything(const Profile& settings) {
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    benchmark::DoNotOptimize(read_application_slot(settings, slot));
  }
  for (int item = 1; item <= kStatusItems; ++item) {
    benchmark::DoNotOptimize(read_keys(settings, kStatusSection, kItemKeys, item));
  }
  benchmark::DoNotOptimize(save_folder(settings));
}

void BM_SettingsParse(benchmark::State& state) {
  const SurveySetting setting;
  for (auto _ : state)
    benchmark::DoNotOptimize(Profile::from_bytes(setting.settings_bytes()));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(setting.settings_bytes().size()));
}
BENCHMARK(BM_SettingsParse)->Unit(benchmark::kMicrosecond);

void BM_SettingsReads(benchmark::State& state) {
  const SurveySetting setting;
  const Profile settings = Profile::from_bytes(setting.settings_bytes());
  for (auto _ : state)
    read_everything(settings);
}
BENCHMARK(BM_SettingsReads)->Unit(benchmark::kMicrosecond);

void BM_SettingsLoadAndReadAll(benchmark::State& state) {
  const SurveySetting setting;
  const std::wstring path = setting.settings_path();
  for (auto _ : state)
    read_everything(Profile::load(path));
}
BENCHMARK(BM_SettingsLoadAndReadAll)->Unit(benchmark::kMicrosecond);

// An admin's file grown large: the full settings after many sections of
// other keys (state.range(0) of them, 20 keys each), to show the reader scales.
void BM_SettingsParseLarge(benchmark::State& state) {
  const SurveySetting setting;
  std::string bytes;
  for (std::int64_t section = 0; section < state.range(0); ++section) {
    bytes += "[Other" + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 20; ++key) {
      bytes += "Key" + std::to_string(key) + "=some value of moderate length\r\n";
    }
  }
  bytes += setting.settings_bytes();
  for (auto _ : state)
    read_everything(Profile::from_bytes(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_SettingsParseLarge)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavro::bench
