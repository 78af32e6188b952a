#include "html_report.h"

#include <algorithm>
#include <cstdio>

#include "settings/unicode.h"
#include "time_text.h"

namespace tavro::admin {
namespace {

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'">
<meta name="viewport" content="width=device-width, initial-scale=1">
)";

constexpr std::string_view kStyle = R"(<style>
body { font-family: system-ui, sans-serif; margin: 1.5em; color: #222; }
h1 { font-size: 1.4em; } h2 { font-size: 1.15em; margin-top: 1.5em; }
.chart { display: grid; grid-template-columns: minmax(8em, max-content) minmax(10em, 40em) auto;
         gap: 0.35em 0.75em; align-items: center; }
.label { text-align: right; overflow-wrap: anywhere; }
.track { background: #e8ecf1; height: 1.2em; }
.bar { background: #3a78c2; height: 100%; }
.count { font-variant-numeric: tabular-nums; }
table { border-collapse: collapse; font-size: 0.9em; }
th, td { border: 1px solid #ccd; padding: 0.2em 0.5em; text-align: left; vertical-align: top;
         white-space: pre-wrap; }
th { background: #eef; position: sticky; top: 0; }
tbody tr:nth-child(even) { background: #f7f7fa; }
td.installed { background: #dff0d8; }
</style>
</head>
<body>
)";

// Text as HTML: the five characters with a meaning in markup become
// references, in element content and in attribute values alike.
void append_escaped(std::string& page, std::string_view utf8) {
  for (const char c : utf8) {
    switch (c) {
      case '&':
        page += "&amp;";
        break;
      case '<':
        page += "&lt;";
        break;
      case '>':
        page += "&gt;";
        break;
      case '"':
        page += "&quot;";
        break;
      case '\'':
        page += "&#39;";
        break;
      default:
        page += c;
    }
  }
}

void append_escaped(std::string& page, std::wstring_view text) {
  append_escaped(page, std::string_view(wide_to_utf8(text)));
}

// text is wide, or UTF-8 as the records' fields are.
template <typename Text>
void append_element(std::string& page, std::string_view tag, const Text& text,
                    std::string_view attributes = {}) {
  page += '<';
  page += tag;
  page += attributes;
  page += '>';
  append_escaped(page, text);
  page += "</";
  page += tag;
  page += ">";
}

void append_chart(std::string& page, const ColumnNames& names, const Collection& collection) {
  const std::size_t pcs = collection.records.size();
  page += "<h2>Installations per application</h2>\n<div class=\"chart\">\n";
  for (std::size_t i = 0; i < kApplicationCount; ++i) {
    const std::size_t count = collection.installed[i];
    char width[32];  // "0.0%" to "100.0%": never cut short
    static_cast<void>(std::snprintf(
        width, sizeof width, "%.1f%%",
        pcs == 0 ? 0.0 : 100.0 * static_cast<double>(count) / static_cast<double>(pcs)));
    append_element(page, "div", names[kFirstApplicationField + i], " class=\"label\"");
    page += "<div class=\"track\"><div class=\"bar\" style=\"width:";
    page += width;
    page += "\"></div></div>";
    append_element(page, "div", std::to_wstring(count) + L" of " + std::to_wstring(pcs),
                   " class=\"count\"");
    page += "\n";
  }
  page += "</div>\n";
}

void append_table(std::string& page, const ColumnNames& names, const Collection& collection) {
  page += "<h2>PCs</h2>\n<table>\n<thead><tr>";
  for (const std::wstring& name : names)
    append_element(page, "th", name, " scope=\"col\"");
  page += "</tr></thead>\n<tbody>\n";
  for (const CollectedRecord& record : collection.records) {
    page += "<tr>";
    for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
      const std::string_view field = record.field(i);
      const bool installed = i >= kFirstApplicationField && !field.empty();
      append_element(page, "td", field, installed ? " class=\"installed\"" : "");
    }
    page += "</tr>\n";
  }
  page += "</tbody>\n</table>\n";
}

void append_skipped(std::string& page, const Collection& collection) {
  if (collection.skipped.empty()) return;
  page += "<h2>Files left out</h2>\n<ul>\n";
  for (const SkippedFile& file : collection.skipped) {
    append_element(page, "li", file.name + L": " + file.reason);
    page += "\n";
  }
  page += "</ul>\n";
}

}  // namespace

std::string html_report(const ColumnNames& names, const Collection& collection,
                        std::wstring_view folder, std::int64_t collected_at) {
  std::string page(kHead);
  append_element(page, "title", L"Tavro inventory of " + std::wstring(folder));
  page += "\n";
  page += kStyle;
  page += "<h1>Tavro inventory</h1>\n";
  const std::size_t pcs = collection.records.size();
  std::wstring about = std::to_wstring(pcs) + (pcs == 1 ? L" PC" : L" PCs") + L" from " +
                       std::wstring(folder) + L", collected " +
                       utf8_to_wide(utc_text(collected_at)) + L" UTC";
  if (!collection.skipped.empty()) {
    about += L"; " + std::to_wstring(collection.skipped.size()) + L" file(s) left out";
  }
  append_element(page, "p", about + L".");
  page += "\n";
  append_chart(page, names, collection);
  append_table(page, names, collection);
  append_skipped(page, collection);
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace tavro::admin
