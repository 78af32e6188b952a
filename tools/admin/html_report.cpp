#include "html_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <span>
#include <thread>
#include <utility>
#include <vector>

#include "collect_output.h"
#include "common/unicode.h"
#include "time_text.h"

namespace tavro::admin {
namespace {

using RecordView = std::array<std::string_view, kRecordFieldCount>;

// The one place the page reads a record's fields.
RecordView fields_of(const CollectedRecord& record) {
  RecordView fields;
  for (std::size_t i = 0; i < kRecordFieldCount; ++i)
    fields[i] = record.field(i);
  return fields;
}

constexpr std::size_t kMemoryField = 2;
// One byte, as a large page holds hundreds of thousands; the cell is green.
constexpr char kTick = '+';

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'">
<meta name="viewport" content="width=device-width, initial-scale=1">
)";

// The table has a fixed layout: its columns take the widths of <col> and
// the text wraps inside them, so one long answer cannot widen the page and
// the browser lays out a large table without measuring every cell first.
// Separate borders, as collapsed ones do not move with sticky cells.
constexpr std::string_view kStyle = R"(<style>
body { font: 14px/1.35 system-ui, sans-serif; margin: 1em; color: #222; }
h1 { font-size: 1.4em; margin: 0 0 0.4em; } h2 { font-size: 1.15em; margin: 1.2em 0 0.4em; }
.chart { display: grid; grid-template-columns: minmax(8em, max-content) minmax(10em, 40em) auto;
         gap: 0.3em 0.75em; align-items: center; }
.label { text-align: right; overflow-wrap: anywhere; }
.track { background: #e8ecf1; height: 1.1em; }
.bar { background: #3a78c2; height: 100%; }
.count { font-variant-numeric: tabular-nums; }
summary { cursor: pointer; }
table { border-collapse: separate; border-spacing: 0; table-layout: fixed; width: 100%; }
th, td { border: solid #ccd; border-width: 0 1px 1px 0; padding: 0.15em 0.4em; text-align: left;
         vertical-align: top; white-space: pre-wrap; overflow-wrap: anywhere; background: #fff; }
th { background: #e6e9f4; vertical-align: bottom; overflow-wrap: break-word; }
th:first-child, td:first-child { position: sticky; left: 0; border-left-width: 1px; }
.head { position: sticky; top: 0; z-index: 1; }
.head th { border-top-width: 1px; }
.rows { content-visibility: auto; contain-intrinsic-size: auto 12000px; }
tr:nth-child(even) td { background: #f4f5f9; }
td:nth-child(3) { text-align: right; font-variant-numeric: tabular-nums; }
th.app { padding: 0.3em 0; }
th.app div { writing-mode: vertical-rl; transform: rotate(180deg); white-space: nowrap;
             overflow: hidden; text-overflow: ellipsis; max-height: 10em; margin: auto; }
)";

// Column widths in em: the answers share what the others leave, and no
// fewer than kAnswerMinimum each before the page scrolls sideways.
constexpr int kHostWidth = 9;
constexpr int kAddressWidth = 8;
constexpr int kMemoryWidth = 6;
constexpr double kApplicationWidth = 2.2;
constexpr int kAnswerMinimum = 7;

// Even, so that the rows' stripes run on from block to block.
constexpr std::size_t kRowsPerBlock = 500;

// Text as HTML: the five characters with a meaning in markup become
// references, in element content and in attribute values alike. The text
// between them goes in whole, as most fields have none.
void append_escaped(std::string& page, std::string_view utf8) {
  static constexpr std::array<bool, 256> kMarkup = [] {
    std::array<bool, 256> markup{};
    for (const char c : std::string_view("&<>\"'"))
      markup[static_cast<unsigned char>(c)] = true;
    return markup;
  }();
  std::size_t plain = 0;
  for (std::size_t at = 0; at < utf8.size(); ++at) {
    const char c = utf8[at];
    if (!kMarkup[static_cast<unsigned char>(c)]) continue;
    page.append(utf8, plain, at - plain);
    plain = at + 1;
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
      default:
        page += "&#39;";
    }
  }
  page.append(utf8, plain);
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

// Which columns the page shows: every one the settings name or a record
// fills, and always the host, address and memory.
using ShownColumns = std::array<bool, kRecordFieldCount>;

ShownColumns shown_columns(const Captions& captions, const Collection& collection) {
  ShownColumns shown{};
  for (std::size_t i = 0; i < kRecordFieldCount; ++i)
    shown[i] = i < kFirstAnswerField || !captions[i].empty();
  for (std::size_t i = 0; i < kApplicationCount; ++i) {
    if (collection.installed[i] != 0) shown[kFirstApplicationField + i] = true;
  }
  for (const CollectedRecord& record : collection.records) {
    if (std::all_of(shown.begin(), shown.begin() + kFirstApplicationField,
                    [](bool is_shown) { return is_shown; })) {
      break;
    }
    const RecordView fields = fields_of(record);
    for (std::size_t i = kFirstAnswerField; i < kFirstApplicationField; ++i) {
      if (!fields[i].empty()) shown[i] = true;
    }
  }
  return shown;
}

// Memory in GiB to a tenth, with the exact number of bytes on hover. A figure that is
// no byte count (older survey versions wrote negative or wrapped ones) is
// shown as written.
void append_memory(std::string& page, std::string_view digits) {
  const char* const end = digits.data() + digits.size();
  std::uint64_t bytes = 0;
  const auto [stop, error] = std::from_chars(digits.data(), end, bytes);
  if (digits.empty() || error != std::errc() || stop != end) {
    page += "<td>";
    append_escaped(page, digits);
    return;
  }
  constexpr int kGibShift = 30;
  constexpr std::uint64_t kGib = std::uint64_t{1} << kGibShift;
  std::uint64_t whole = bytes >> kGibShift;
  std::uint64_t tenths = ((bytes & (kGib - 1)) * 10 + kGib / 2) >> kGibShift;
  if (tenths == 10) {
    ++whole;
    tenths = 0;
  }
  page += "<td title=";  // digits need no quotes
  page += std::to_string(bytes);
  page += '>';
  page += std::to_string(whole);
  page += '.';
  page += static_cast<char>('0' + tenths);
}

void append_chart(std::string& page, const ColumnNames& names, const ShownColumns& shown,
                  const Collection& collection) {
  const std::size_t pcs = collection.records.size();
  page += "<h2>Installations per application</h2>\n<div class=\"chart\">\n";
  for (std::size_t i = 0; i < kApplicationCount; ++i) {
    if (!shown[kFirstApplicationField + i]) continue;
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

std::string em(double width) {
  char text[32];
  static_cast<void>(std::snprintf(text, sizeof text, "%gem", width));
  return text;
}

// Wide enough that the answers keep kAnswerMinimum each: on a narrower
// screen the page scrolls sideways.
std::string table_min_width(const ShownColumns& shown) {
  const auto answers =
      std::count(shown.begin() + kFirstAnswerField, shown.begin() + kFirstApplicationField, true);
  const auto applications = std::count(shown.begin() + kFirstApplicationField, shown.end(), true);
  return em(kHostWidth + kAddressWidth + kMemoryWidth +
            kApplicationWidth * static_cast<double>(applications) +
            kAnswerMinimum * static_cast<double>(answers));
}

// The same widths for the header and for every block of rows, so their
// columns line up.
std::string column_widths(const ShownColumns& shown) {
  std::string columns = "<table><colgroup>";
  for (const int width : {kHostWidth, kAddressWidth, kMemoryWidth})
    columns += "<col style=\"width:" + em(width) + "\">";
  for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
    if (!shown[i] || i < kFirstAnswerField) continue;
    columns += i < kFirstApplicationField ? "<col>"
                                          : "<col style=\"width:" + em(kApplicationWidth) + "\">";
  }
  return columns + "</colgroup>\n";
}

void append_header(std::string& page, const ColumnNames& names, const ShownColumns& shown,
                   const std::string& columns) {
  page += "<div class=\"head\">";
  page += columns;
  page += "<thead><tr>";
  for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
    if (!shown[i]) continue;
    if (i == kMemoryField) {
      append_element(page, "th", names[i] + L" (GiB)");
    } else if (i < kFirstApplicationField) {
      append_element(page, "th", names[i]);
    } else {
      page += "<th class=\"app\" title=\"";
      append_escaped(page, names[i]);
      page += "\">";
      append_element(page, "div", names[i]);
      page += "</th>";
    }
  }
  page += "</tr></thead>\n</table></div>\n";
}

void append_row(std::string& page, const ShownColumns& shown, const CollectedRecord& record) {
  const RecordView fields = fields_of(record);
  // The line break after <tr>, not after the last cell, which would hold it
  // and no longer match :empty.
  page += "<tr>\n";
  for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
    if (!shown[i]) continue;
    if (i == kMemoryField) {
      append_memory(page, fields[i]);
    } else if (i < kFirstApplicationField) {
      page += "<td>";
      append_escaped(page, fields[i]);
    } else {
      page += "<td>";
      if (!fields[i].empty()) page += kTick;
    }
  }
}

// A little more than the blocks of records take, unless their texts are
// full of characters to escape: room reserved for them, and for the page's
// end, keeps a large page from being moved as it grows.
std::size_t blocks_size(std::span<const CollectedRecord> records, const ShownColumns& shown,
                        const std::string& columns) {
  constexpr std::size_t kRowMarkup = 16;    // "<tr>\n", and the memory's title beyond its digits
  constexpr std::size_t kBlockMarkup = 64;  // the block's own tags
  const auto cells = static_cast<std::size_t>(std::count(shown.begin(), shown.end(), true));
  std::size_t size = (records.size() / kRowsPerBlock + 1) * (columns.size() + kBlockMarkup);
  for (const CollectedRecord& record : records)
    size += record.record.text.size() + cells * std::string_view("<td>").size() + kRowMarkup;
  return size;
}

// The records' rows, kRowsPerBlock to a block.
void append_blocks(std::string& page, const ShownColumns& shown, const std::string& columns,
                   std::span<const CollectedRecord> records) {
  for (std::size_t first = 0; first < records.size(); first += kRowsPerBlock) {
    page += "<div class=\"rows\">";
    page += columns;
    page += "<tbody>\n";
    for (const CollectedRecord& record :
         records.subspan(first).first(std::min(kRowsPerBlock, records.size() - first)))
      append_row(page, shown, record);
    page += "</tbody></table></div>\n";
  }
}

// The rows come in blocks, each a table of its own that the browser lays out
// only once it scrolls into view; the header is one more such table that
// stays at the top. End tags of cells and rows are left out, as HTML allows:
// they would be a fifth of a large page.
void append_table(std::string& page, const ColumnNames& names, const ShownColumns& shown,
                  const Collection& collection) {
  page += "<h2>PCs</h2>\n<p>";
  page += kTick;
  page +=
      " on green = Installed. Memory in GiB: point at a figure for the exact bytes, and at "
      "an application for its whole name.</p>\n";
  // The blocks are as wide as the table, as they show nothing beyond their
  // own box.
  page += "<div style=\"min-width:" + table_min_width(shown) + "\">\n";
  const std::string columns = column_widths(shown);
  append_header(page, names, shown, columns);
  const std::span<const CollectedRecord> records = collection.records;
  // A large table is made in two halves at once, split between blocks, the
  // second on a thread of its own, then joined.
  const std::size_t middle = records.size() >= kRowsWorthAThread
                                 ? records.size() / 2 / kRowsPerBlock * kRowsPerBlock
                                 : records.size();
  const std::span<const CollectedRecord> first = records.first(middle);
  const std::span<const CollectedRecord> rest = records.subspan(middle);
  const std::size_t rest_size = blocks_size(rest, shown, columns);
  page.reserve(page.size() + blocks_size(first, shown, columns) + rest_size);
  std::string second;
  {
    std::jthread helper;
    if (!rest.empty()) {
      helper = std::jthread([&] {
        second.reserve(rest_size);
        append_blocks(second, shown, columns, rest);
      });
    }
    append_blocks(page, shown, columns, first);
  }
  page += second;
  page += "</div>\n";
}

// "3 files left out: the file is empty (2); ..." with the commonest reasons.
std::wstring skipped_summary(const std::vector<SkippedFile>& skipped) {
  constexpr std::size_t kReasonsNamed = 3;
  std::map<std::wstring_view, std::size_t> counts;
  for (const SkippedFile& file : skipped)
    ++counts[file.reason];
  std::vector<std::pair<std::wstring_view, std::size_t>> reasons(counts.begin(), counts.end());
  std::stable_sort(reasons.begin(), reasons.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::wstring text = std::to_wstring(skipped.size()) +
                      (skipped.size() == 1 ? L" file left out: " : L" files left out: ");
  std::size_t named = 0;
  for (std::size_t i = 0; i < reasons.size() && i < kReasonsNamed; ++i) {
    if (i > 0) text += L"; ";
    text += std::wstring(reasons[i].first) + L" (" + std::to_wstring(reasons[i].second) + L")";
    named += reasons[i].second;
  }
  if (named < skipped.size()) {
    text += L"; " + std::to_wstring(skipped.size() - named) + L" for other reasons";
  }
  return text + L".";
}

// At the top, so that it is seen; the list stays folded until asked for.
void append_skipped(std::string& page, const Collection& collection) {
  if (collection.skipped.empty()) return;
  page += "<details>";
  append_element(page, "summary", skipped_summary(collection.skipped));
  page += "\n<ul>\n";
  for (const SkippedFile& file : collection.skipped) {
    append_element(page, "li", file.name + L": " + file.reason);
    page += "\n";
  }
  page += "</ul>\n</details>\n";
}

void append_left_out_columns(std::string& page, const ColumnNames& names,
                             const ShownColumns& shown) {
  std::wstring list;
  for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
    if (shown[i]) continue;
    list += (list.empty() ? L"" : L", ") + names[i];
  }
  if (list.empty()) return;
  append_element(
      page, "p",
      L"Not shown, as the settings do not name them and no PC has anything there: " + list + L".");
  page += "\n";
}

}  // namespace

std::string html_report(const Captions& captions, const Collection& collection,
                        std::wstring_view folder, std::int64_t collected_at) {
  const ColumnNames names = column_names(captions);
  const ShownColumns shown = shown_columns(captions, collection);
  std::string page(kHead);
  append_element(page, "title", L"Tavro inventory of " + std::wstring(folder));
  page += "\n";
  page += kStyle;
  // The application columns follow the fixed three and the questions shown.
  const auto first_application =
      1 + std::count(shown.begin(), shown.begin() + kFirstApplicationField, true);
  const std::string applications = "td:nth-child(n+" + std::to_string(first_application) + ")";
  page += applications + " { text-align: center; }\n" + applications +
          ":not(:empty) { background: #cfe8c8; }\n</style>\n</head>\n<body>\n";
  page += "<h1>Tavro inventory</h1>\n";
  const std::size_t pcs = collection.records.size();
  append_element(page, "p",
                 std::to_wstring(pcs) + (pcs == 1 ? L" PC" : L" PCs") + L" from " +
                     std::wstring(folder) + L", collected " + utf8_to_wide(utc_text(collected_at)) +
                     L" UTC.");
  page += "\n";
  append_skipped(page, collection);
  append_left_out_columns(page, names, shown);
  if (std::any_of(shown.begin() + kFirstApplicationField, shown.end(),
                  [](bool is_shown) { return is_shown; })) {
    append_chart(page, names, shown, collection);
  }
  append_table(page, names, shown, collection);
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace tavro::admin
