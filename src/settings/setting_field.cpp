#include "settings/setting_field.h"

#include <algorithm>

namespace tavro {

void SettingField::store(std::wstring_view value) {
  chars_.fill(L'\0');
  std::copy_n(value.begin(), std::min(value.size(), kCapacity), chars_.begin());
}

std::wstring_view SettingField::value() const {
  const std::wstring_view all = whole();
  return all.substr(0, all.find(L'\0'));
}

std::wstring SettingField::cut(std::uint32_t n) const {
  return std::wstring(whole().substr(0, std::min<std::size_t>(n, kLength)));
}

void SettingField::replace_all(std::wstring_view text_of_field_length) {
  std::copy_n(text_of_field_length.begin(), std::min(text_of_field_length.size(), kLength),
              chars_.begin());
}

}  // namespace tavro
