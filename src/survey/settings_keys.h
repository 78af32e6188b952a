// The sections and keys of the settings file that the survey reads, and how
// an enable flag acts on its control.
#pragma once

#include <string>
#include <string_view>

#include "survey/controls.h"

namespace tavro {

inline constexpr std::wstring_view kApplicationSection = L"Application";
inline constexpr std::wstring_view kStatusSection = L"Status";
inline constexpr std::wstring_view kSaveSection = L"Save";

// Application slot keys, followed by the slot number 1 to 10.
inline constexpr std::wstring_view kEnableAKey = L"EnableA";
inline constexpr std::wstring_view kNameKey = L"Name";
inline constexpr std::wstring_view kPathKey = L"Path";
inline constexpr std::wstring_view kFileKey = L"File";
inline constexpr std::wstring_view kStringKey = L"String";
// Status item keys, followed by the item number 1 to 5.
inline constexpr std::wstring_view kEnableIKey = L"EnableI";
inline constexpr std::wstring_view kItemKey = L"Item";
// Save keys.
inline constexpr std::wstring_view kSavePathKey = L"SavePath";
inline constexpr std::wstring_view kPathStringKey = L"PathString";

// "EnableA" and 3 give "EnableA3": the number stands without leading zeros.
inline std::wstring numbered_key(std::wstring_view key, int number) {
  return std::wstring(key) + std::to_wstring(number);
}

// What an enable flag does to its control: 0 disables, 1 enables, any other
// value leaves the control as the window made it.
enum class EnableAction { kDisable, kEnable, kLeave };
inline EnableAction enable_action(std::uint32_t flag) {
  if (flag == 0) return EnableAction::kDisable;
  if (flag == 1) return EnableAction::kEnable;
  return EnableAction::kLeave;
}

// Applies an enable flag to its control as the load does; returns what it did.
inline EnableAction apply_enable_flag(SurveyControls& window, Control control, std::uint32_t flag) {
  const EnableAction action = enable_action(flag);
  if (action != EnableAction::kLeave) window.set_enabled(control, action == EnableAction::kEnable);
  return action;
}

}  // namespace tavro
