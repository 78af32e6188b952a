#pragma once

#include <string>
#include <string_view>

namespace tavro {

inline constexpr std::wstring_view kSettingsFileName = L"Tavro.ini";

// Appends the platform's separator unless the folder already ends in one.
// An empty folder becomes a lone separator.
std::wstring with_trailing_separator(std::wstring_view folder);

// The settings file beside the executable, computed afresh on every call.
std::wstring settings_file_path();

}  // namespace tavro
