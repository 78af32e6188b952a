#include "column_names.h"

#include "survey/settings_keys.h"

namespace tavro::admin {
namespace {

void take_caption(const Profile& settings, std::wstring_view section, const std::wstring& key,
                  std::wstring& name) {
  const ProfileEntry* entry = settings.find(section, key);
  if (entry == nullptr || !entry->value) return;
  SettingField caption;
  settings.read_string(section, key, caption);
  if (!caption.value().empty()) name = caption.value();
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

ColumnNames column_names(const Profile& settings) {
  ColumnNames names = generic_column_names();
  for (int item = 1; item <= kStatusItems; ++item) {
    take_caption(settings, kStatusSection, numbered_key(kItemKeys[kItemCaption].name, item),
                 names[kFirstAnswerField + static_cast<std::size_t>(item - 1)]);
  }
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    take_caption(settings, kApplicationSection, numbered_key(kSlotKeys[kSlotName].name, slot),
                 names[kFirstApplicationField + static_cast<std::size_t>(slot - 1)]);
  }
  return names;
}

}  // namespace tavro::admin
