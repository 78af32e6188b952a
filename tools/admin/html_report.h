// `collect --html`: one self-contained page, readable in any browser, with
// the installations per application as a horizontal bar chart and the table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "collect.h"
#include "column_names.h"

namespace tavro::admin {

// The page in UTF-8. It loads nothing and runs nothing: no scripts at all,
// styles inline, and a content security policy that forbids scripts should
// any ever slip in. Every text from the records and the settings is escaped.
std::string html_report(const ColumnNames& names, const Collection& collection,
                        std::wstring_view folder, std::int64_t collected_at);

}  // namespace tavro::admin
