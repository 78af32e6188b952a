// The load sequence as the window runs it before it shows: ten slots with
// their file searches, five items and the machine facts, from a full
// settings file on the local disk, against the in-memory window.
#include <benchmark/benchmark.h>

#include "bench_settings.h"
#include "support/in_memory_window.h"
#include "survey/survey_form.h"

namespace tavro::bench {
namespace {

void BM_LoadSequence(benchmark::State& state) {
  const SurveySetting setting;
  const SurveyServices services = setting.services();
  for (auto _ : state) {
    testing::InMemoryWindow window;
    SurveyForm form(window, services);
    form.Form_Load();
    benchmark::DoNotOptimize(window);
  }
}
BENCHMARK(BM_LoadSequence)->Unit(benchmark::kMicrosecond);

// OK end to end: the record from the window, the Save section read again,
// and the atomic save (a new file, flushed to the disk, renamed over the old).
void BM_SaveClick(benchmark::State& state) {
  const SurveySetting setting;
  testing::InMemoryWindow window;
  SurveyForm form(window, setting.services());
  form.Form_Load();
  for (auto _ : state) {
    form.CmdOk_Click();
    if (!window.messages().empty()) state.SkipWithError("the save failed");
  }
}
BENCHMARK(BM_SaveClick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavro::bench
