// Survey services for tests, benchmarks and fuzzing: the settings file at a
// given path and the same made-up machine everywhere, so what the window
// shows and the record holds are known in advance.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "survey/survey_form.h"

namespace tavro::testing {

inline constexpr std::wstring_view kFixedHostName = L"PC-042";
inline constexpr std::wstring_view kFixedIpAddress = L"10.0.0.42";
inline constexpr std::uint64_t kFixedTotalMemory = 17179869184;  // 16 GiB

// Reads settings_path; the host name, address and memory are the fixed ones.
SurveyServices fixed_services(std::wstring settings_path);

}  // namespace tavro::testing
