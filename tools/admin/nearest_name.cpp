#include "nearest_name.h"

#include <algorithm>
#include <cstddef>

namespace tavro::admin {
namespace {

// Two edits for a longer word, one for a word of up to four letters: "foo"
// is two edits from "bom" but was no try at it.
constexpr std::size_t kMostEdits = 2;
constexpr std::size_t kShortWord = 4;

// Edits between a and b, swaps of neighbours counting as one (optimal
// string alignment distance).
std::size_t edit_distance(std::string_view a, std::string_view b) {
  const std::size_t width = b.size() + 1;
  std::vector<std::size_t> cost((a.size() + 1) * width);
  const auto at = [&](std::size_t i, std::size_t j) -> std::size_t& { return cost[i * width + j]; };
  for (std::size_t i = 0; i <= a.size(); ++i)
    at(i, 0) = i;
  for (std::size_t j = 0; j <= b.size(); ++j)
    at(0, j) = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
      }
    }
  }
  return at(a.size(), b.size());
}

}  // namespace

std::optional<std::string> nearest_name(std::string_view typed,
                                        const std::vector<std::string>& names) {
  // An option's dashes alone say nothing of which option was meant.
  const std::size_t dashes = typed.find_first_not_of('-');
  if (dashes == std::string_view::npos) return std::nullopt;

  const std::size_t letters = typed.size() - dashes;
  const std::size_t most_edits = letters <= kShortWord ? 1 : kMostEdits;
  std::optional<std::string> best;
  std::size_t best_distance = most_edits + 1;
  bool tie = false;
  for (const std::string& name : names) {
    const bool starts = name.size() > typed.size() && name.starts_with(typed) && letters >= 2;
    const std::size_t distance = starts ? 1 : edit_distance(typed, name);
    // A one-letter name is within two edits of anything short.
    if (distance >= std::max<std::size_t>(letters, 1) && !starts) continue;
    if (distance < best_distance) {
      best = name;
      best_distance = distance;
      tie = false;
    } else if (distance == best_distance && best != name) {
      tie = true;
    }
  }
  if (tie) return std::nullopt;
  return best;
}

}  // namespace tavro::admin
