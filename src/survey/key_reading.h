// A settings key read once, as the survey reads it, with the line it stands
// on: the survey takes its value, `tavro-admin check` also where it came from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/profile.h"
#include "settings/setting_field.h"
#include "survey/settings_keys.h"

namespace tavro {

struct KeyReading {
  std::wstring key;  // e.g. "String3"
  KeyType type = KeyType::kText;
  std::size_t line = 0;                 // 0 when the key is missing
  std::optional<std::wstring> written;  // as written; none when missing or without "="
  std::uint32_t number = 0;             // what a number key reads
  SettingField text;                    // what a text key reads

  // What the survey gets: the text, or the number in decimal.
  std::wstring shown() const;
};

// number 0 reads the key without a number.
KeyReading read_key(const Profile& settings, std::wstring_view section, KeyName name, int number);

template <std::size_t N>
std::array<KeyReading, N> read_keys(const Profile& settings, std::wstring_view section,
                                    const std::array<KeyName, N>& names, int number) {
  std::array<KeyReading, N> keys;
  for (std::size_t i = 0; i < N; ++i)
    keys[i] = read_key(settings, section, names[i], number);
  return keys;
}

using SlotKeys = std::array<KeyReading, kSlotKeys.size()>;
using ItemKeys = std::array<KeyReading, kItemKeys.size()>;
using SaveKeys = std::array<KeyReading, kSaveKeys.size()>;

}  // namespace tavro
