#include "survey/layout.h"

#include <algorithm>

namespace tavro {
namespace {

constexpr bool rows_follow_control_order() {
  for (std::size_t i = 0; i < kSurveyLayout.size(); ++i) {
    if (kSurveyLayout[i].id != static_cast<Control>(i)) return false;
  }
  return true;
}
static_assert(rows_follow_control_order(), "layout_of() indexes the table by Control");

constexpr bool tab_indices_run_without_gaps() {
  std::array<int, kTabStopCount> seen{};
  for (const LayoutRow& row : kSurveyLayout) {
    if (!row.tab_index) continue;
    if (*row.tab_index < 0 || static_cast<std::size_t>(*row.tab_index) >= kTabStopCount) {
      return false;
    }
    ++seen.at(static_cast<std::size_t>(*row.tab_index));
  }
  return std::ranges::all_of(seen, [](int count) { return count == 1; });
}
static_assert(tab_indices_run_without_gaps(), "tab indices run from 0, each once");

}  // namespace

std::array<Control, kTabStopCount> controls_in_tab_order() {
  std::array<Control, kTabStopCount> order{};
  for (const LayoutRow& row : kSurveyLayout) {
    if (row.tab_index) order.at(static_cast<std::size_t>(*row.tab_index)) = row.id;
  }
  return order;
}

}  // namespace tavro
