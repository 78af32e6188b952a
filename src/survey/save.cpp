#include "survey/save.h"

#include <algorithm>
#include <array>

#include "platform/system_text.h"
#include "settings/setting_field.h"
#include "settings/settings_path.h"
#include "survey/key_reading.h"

namespace tavro {
namespace {

bool is_device_name(std::wstring_view name) {
  const std::wstring base = to_upper_invariant(name.substr(0, name.find(L'.')));
  static constexpr std::array<std::wstring_view, 4> kDevices = {L"CON", L"PRN", L"AUX", L"NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end()) return true;
  return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
         base[3] >= L'1' && base[3] <= L'9';
}

}  // namespace

std::wstring save_folder(const Profile& settings) {
  return save_folder(read_keys(settings, kSaveSection, kSaveKeys, 0));
}

std::wstring save_folder(const SaveKeys& keys) {
  const SettingField& folder = keys[kSaveFolder].text;
  const std::uint32_t length = keys[kSaveLength].number;
  return folder.cut(
      static_cast<std::uint32_t>(std::min<std::size_t>(length, folder.value().size())));
}

std::wstring safe_file_name(std::wstring_view host_name) {
  std::wstring name(host_name);
  for (wchar_t& c : name) {
    if (c < L' ' || c == 0x7F ||
        std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) {
      c = L'_';
    }
  }
  for (auto it = name.rbegin(); it != name.rend() && (*it == L'.' || *it == L' '); ++it)
    *it = L'_';
  if (name.empty() || is_device_name(name)) name.insert(name.begin(), L'_');
  return name;
}

std::wstring record_file_path(std::wstring_view folder, std::wstring_view host_name) {
  return with_trailing_separator(folder) + safe_file_name(host_name) + L".txt";
}

}  // namespace tavro
