// The fixed 100-character field that receives every string setting.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavro {

class SettingField {
 public:
  static constexpr std::size_t kLength = 100;
  // The longest value the field holds: one character is kept for the NUL.
  static constexpr std::size_t kCapacity = kLength - 1;

  // A new field is empty: all NUL characters.
  SettingField() = default;

  // Stores the value's first kCapacity characters; the rest stays NUL.
  void store(std::wstring_view value);

  // The text up to the first NUL: what a caption shows.
  std::wstring_view value() const;

  // All kLength characters, NULs included.
  std::wstring_view whole() const { return {chars_.data(), chars_.size()}; }

  // The first n characters of the field, NULs included when n exceeds the
  // value's length; n of kLength or more gives the whole field. Any n the
  // integer reader can return is accepted.
  std::wstring cut(std::uint32_t n) const;

  // Replaces every character of the field (NULs stay NUL).
  void replace_all(std::wstring_view text_of_field_length);

 private:
  std::array<wchar_t, kLength> chars_{};
};

}  // namespace tavro
