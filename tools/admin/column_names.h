// The header row of the collected table: one name per record field.
#pragma once

#include "settings/profile.h"
#include "survey/inventory_record.h"

namespace tavro::admin {

using ColumnNames = RecordFields;

// What a settings file calls the fields: the five Item<j> captions and the
// ten Name<i> names the survey shows, empty where the file gives none (or
// gives an empty one); the host, address and memory fields are always empty.
using Captions = RecordFields;

// "Hostname", "IP Address", "Memory", "Status 1" to "Status 5",
// "Application 1" to "Application 10".
ColumnNames generic_column_names();

Captions settings_captions(const Profile& settings);

// The captions, with the generic name where there is none, so no column is
// called "***" or left without a name.
ColumnNames column_names(const Captions& captions);

inline ColumnNames column_names(const Profile& settings) {
  return column_names(settings_captions(settings));
}

}  // namespace tavro::admin
