// The header row of the collected table: one name per record field.
#pragma once

#include "settings/profile.h"
#include "survey/inventory_record.h"

namespace tavro::admin {

using ColumnNames = RecordFields;

// "Hostname", "IP Address", "Memory", "Status 1" to "Status 5",
// "Application 1" to "Application 10".
ColumnNames generic_column_names();

// The same with the five Item<j> captions and the ten Name<i> names the
// survey shows; a caption the file does not give (or gives empty) keeps its
// generic name, so no column is called "***".
ColumnNames column_names(const Profile& settings);

}  // namespace tavro::admin
