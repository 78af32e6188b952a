// `collect --html`: one self-contained page, readable in any browser, with
// the installations per application as a horizontal bar chart and the table.
// It stays usable for a whole fleet: the table fits a 1,280 px screen, keeps
// the host column and the header in view while scrolling, and leaves out the
// question and application columns that nothing uses.
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
//
// A question or application column is left out when the settings give it no
// caption and no record has anything in it; the page names the columns it
// leaves out.
std::string html_report(const Captions& captions, const Collection& collection,
                        std::wstring_view folder, std::int64_t collected_at);

}  // namespace tavro::admin
