// What collect writes: the CSV table and the summary.
#pragma once

#include <cstddef>
#include <string>

#include "collect.h"
#include "column_names.h"

namespace tavro::admin {

// From this many records on, the table and the page are each made in two
// halves at once.
constexpr std::size_t kRowsWorthAThread = 4096;

struct CsvFormat {
  char delimiter = ',';
  bool byte_order_mark = false;  // for spreadsheets that take text without one as ANSI
  // A cell that a spreadsheet would take for a formula (it begins with "=",
  // "+", "-", "@", a tab or a CR) gets a leading "'"; a whole number in
  // the Memory column is data and stays as it is.
  bool guard_formulas = true;
};

struct CsvTable {
  std::string text;
  std::size_t guarded_cells = 0;  // cells that start with "'" for the guard
};

// Characters the delimiter cannot be, since the table would no longer read
// back: the quote and the line ends.
bool is_usable_delimiter(char delimiter);

// A header row and one row per record, each ended by CR LF, in UTF-8; a
// cell holding the delimiter, a quote, CR or LF is quoted as RFC 4180 does.
CsvTable csv_table(const ColumnNames& names, const Collection& collection,
                   const CsvFormat& format = {});

// How many PCs, how many files were left out, how many cells the formula
// guard changed, and per application how many PCs have it "Installed".
std::wstring collect_summary(const ColumnNames& names, const Collection& collection,
                             std::size_t guarded_cells = 0);

}  // namespace tavro::admin
