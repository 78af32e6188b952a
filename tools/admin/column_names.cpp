#include "column_names.h"

#include "survey/settings_keys.h"

namespace tavro::admin {
namespace {

std::wstring caption_of(const Profile& settings, std::wstring_view section,
                        const std::wstring& key) {
  const ProfileEntry* entry = settings.find(section, key);
  if (entry == nullptr || !entry->value) return {};
  SettingField caption;
  settings.read_string(section, key, caption);
  return std::wstring(caption.value());
}

}  // namespace

ColumnNames generic_column_names() {
  ColumnNames names;
  names[0] = L"Hostname";
  names[1] = L"IP Address";
  names[2] = L"Memory";
  for (int item = 1; item <= kStatusItems; ++item) {
    names[kFirstAnswerField + static_cast<std::size_t>(item - 1)] =
        L"Status " + std::to_wstring(item);
  }
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    names[kFirstApplicationField + static_cast<std::size_t>(slot - 1)] =
        L"Application " + std::to_wstring(slot);
  }
  return names;
}

Captions settings_captions(const Profile& settings) {
  Captions captions;
  for (int item = 1; item <= kStatusItems; ++item) {
    captions[kFirstAnswerField + static_cast<std::size_t>(item - 1)] =
        caption_of(settings, kStatusSection, numbered_key(kItemKeys[kItemCaption].name, item));
  }
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    captions[kFirstApplicationField + static_cast<std::size_t>(slot - 1)] =
        caption_of(settings, kApplicationSection, numbered_key(kSlotKeys[kSlotName].name, slot));
  }
  return captions;
}

ColumnNames column_names(const Captions& captions) {
  ColumnNames names = generic_column_names();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!captions[i].empty()) names[i] = captions[i];
  }
  return names;
}

}  // namespace tavro::admin
