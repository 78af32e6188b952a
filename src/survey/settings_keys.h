// The sections and keys of the settings file that the survey reads, and how
// an enable flag acts on its control.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "survey/controls.h"
#include "survey/counts.h"

namespace tavro {

inline constexpr std::wstring_view kApplicationSection = L"Application";
inline constexpr std::wstring_view kStatusSection = L"Status";
inline constexpr std::wstring_view kSaveSection = L"Save";

// What a key holds: a number (GetPrivateProfileInt) or text (GetPrivateProfileString).
enum class KeyType : std::uint8_t { kNumber, kText };

struct KeyName {
  std::wstring_view name;  // numbered keys are followed by the slot or item number
  KeyType type;
};

// Every key the survey reads, in the order it reads them; the enums name
// each key's place in its table.
inline constexpr std::array<KeyName, 5> kSlotKeys = {{{L"EnableA", KeyType::kNumber},
                                                      {L"Name", KeyType::kText},
                                                      {L"Path", KeyType::kText},
                                                      {L"File", KeyType::kText},
                                                      {L"String", KeyType::kNumber}}};
enum SlotKey : std::size_t { kSlotEnable, kSlotName, kSlotPath, kSlotFile, kSlotLength };

inline constexpr std::array<KeyName, 2> kItemKeys = {
    {{L"EnableI", KeyType::kNumber}, {L"Item", KeyType::kText}}};
enum ItemKey : std::size_t { kItemEnable, kItemCaption };

inline constexpr std::array<KeyName, 2> kSaveKeys = {
    {{L"SavePath", KeyType::kText}, {L"PathString", KeyType::kNumber}}};
enum SaveKey : std::size_t { kSaveFolder, kSaveLength };

// The keys of each section; count is how many slots or items repeat them
// with their number, 0 for keys without a number.
struct KeyGroup {
  std::wstring_view section;
  std::span<const KeyName> keys;
  int count;
};
inline constexpr std::array<KeyGroup, 3> kKeyGroups = {
    {{kApplicationSection, kSlotKeys, kApplicationSlots},
     {kStatusSection, kItemKeys, kStatusItems},
     {kSaveSection, kSaveKeys, 0}}};

// "EnableA" and 3 give "EnableA3": the number stands without leading zeros.
// A number of 0 stands for an unnumbered key (the save keys).
inline std::wstring numbered_key(std::wstring_view key, int number) {
  return number == 0 ? std::wstring(key) : std::wstring(key) + std::to_wstring(number);
}

// Calls visit(section, key) for every key the survey reads, section by
// section: "EnableA1" ... "String10", "EnableI1" ... "Item5", "SavePath", "PathString".
template <typename Visit>
void for_each_survey_key(Visit visit) {
  for (const KeyGroup& group : kKeyGroups) {
    for (int number = group.count == 0 ? 0 : 1; number <= group.count; ++number) {
      for (const KeyName& key : group.keys)
        visit(group.section, numbered_key(key.name, number));
    }
  }
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
