// How a fuzz target reports a broken property: it names the property and
// aborts, which libFuzzer (and the replay driver) record as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace tavro::fuzzing {

inline void check(bool holds, const char* property) {
  if (holds) return;
  (void)std::fprintf(stderr, "fuzz property broken: %s\n", property);
  std::abort();
}

}  // namespace tavro::fuzzing
