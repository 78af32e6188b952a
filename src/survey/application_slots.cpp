#include "survey/application_slots.h"

#include "platform/file_search.h"
#include "platform/system_text.h"

namespace tavro {

ApplicationSlotSettings read_application_slot(const Profile& settings, int slot) {
  return slot_settings(read_keys(settings, kApplicationSection, kSlotKeys, slot));
}

ApplicationSlotSettings slot_settings(const SlotKeys& keys) {
  ApplicationSlotSettings read;
  read.enable = keys[kSlotEnable].number;
  read.name = keys[kSlotName].text;
  read.path = keys[kSlotPath].text;
  read.file = keys[kSlotFile].text;
  read.length = keys[kSlotLength].number;
  return read;
}

namespace {

std::wstring expected_name(const ApplicationSlotSettings& slot) {
  SettingField upper_file;
  upper_file.replace_all(to_upper_invariant(slot.file.whole()));
  return upper_file.cut(slot.length);
}

// No file is named "" or has a NUL or a "/" in its name, so no search can
// tick a box that expects such a name.
bool can_name_a_file(std::wstring_view name) {
  return !name.empty() && name.find_first_of(std::wstring_view(L"\0/", 2)) == std::wstring::npos;
}

}  // namespace

ApplicationDetection detect_application(const ApplicationSlotSettings& slot) {
  ApplicationDetection result;
  result.expected = expected_name(slot);

  // The search reads the pattern up to the field's first NUL: the Path<i> value.
  result.matches = find_ordinary_files(slot.path.value());
  if (!result.matches) return result;
  for (std::wstring& name : *result.matches)
    name = to_upper_invariant(name);
  for (const std::wstring& name : *result.matches) {
    if (name == result.expected) {
      result.found = name;
      result.ticked = true;
      return result;
    }
  }
  if (!result.matches->empty()) result.found = result.matches->front();
  return result;
}

bool application_found(const ApplicationSlotSettings& slot) {
  return can_name_a_file(expected_name(slot)) && detect_application(slot).ticked;
}

void set_up_application_slot(SurveyControls& window, const ApplicationSlotSettings& read, int slot,
                             bool found) {
  const Control box = check_box(slot);
  apply_enable_flag(window, box, read.enable);
  window.set_caption(box, read.name.value());
  // A disabled box can be ticked too: its tick still counts on OK.
  if (found) window.set_value(box, CheckValue::kTicked);
}

}  // namespace tavro
