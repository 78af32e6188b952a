// Application slots: one check box per application, ticked in advance when
// the application's file is found on the PC.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/result.h"
#include "settings/profile.h"
#include "settings/setting_field.h"
#include "survey/controls.h"
#include "survey/key_reading.h"

namespace tavro {

struct ApplicationSlotSettings {
  std::uint32_t enable = 0;  // EnableA<i>
  SettingField name;         // Name<i>
  SettingField path;         // Path<i>
  SettingField file;         // File<i>
  std::uint32_t length = 0;  // String<i>
};

// The five reads of slot i, in the order the survey makes them.
ApplicationSlotSettings read_application_slot(const Profile& settings, int slot);
// The slot's settings from its keys, read once (kSlotKeys order).
ApplicationSlotSettings slot_settings(const SlotKeys& keys);

struct ApplicationDetection {
  // File<i> upper-cased and cut to String<i> characters (NULs included when
  // String<i> exceeds the name's length, so such a slot never matches).
  std::wstring expected;
  // Upper-cased names of the ordinary files matching Path<i>; a failure
  // when the file system rejected the search, which counts as no match.
  Result<std::vector<std::wstring>> matches = std::vector<std::wstring>{};
  // The matching name when there is one, else the first match, else empty.
  std::wstring found;
  // A file matched and its name equals the expected name.
  bool ticked = false;
};

ApplicationDetection detect_application(const ApplicationSlotSettings& slot);

// Whether the slot's file is on this PC, so that its box is ticked in
// advance. A slot that no file can tick does not search at all.
bool application_found(const ApplicationSlotSettings& slot);

// Sets up Check<slot>: the enabled state and caption from its settings, and
// the tick when its file was found.
void set_up_application_slot(SurveyControls& window, const ApplicationSlotSettings& read, int slot,
                             bool found);

}  // namespace tavro
