// What collect writes: the CSV table and the summary.
#pragma once

#include <string>

#include "collect.h"
#include "column_names.h"

namespace tavro::admin {

// A header row and one row per record, each ended by CR LF, quoted as the
// records are and in the system code page, as the records are: the header
// is written by the survey's own record writer, and each row is the record
// file itself.
std::string csv_table(const ColumnNames& names, const Collection& collection);

// How many PCs, how many files were left out, and per application how many
// PCs have it "Installed".
std::wstring collect_summary(const ColumnNames& names, const Collection& collection);

}  // namespace tavro::admin
