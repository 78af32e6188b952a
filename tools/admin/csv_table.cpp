#include <algorithm>

#include "collect_output.h"
#include "settings/unicode.h"

namespace tavro::admin {
namespace {

constexpr std::size_t kMemoryField = 2;

bool looks_like_formula(std::string_view cell) {
  return !cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos;
}

bool is_whole_number(std::string_view cell) {
  if (cell.starts_with('-')) cell.remove_prefix(1);
  return !cell.empty() &&
         std::all_of(cell.begin(), cell.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class TableWriter {
 public:
  explicit TableWriter(const CsvFormat& format) : format_(format) {}

  void cell(std::string_view text, std::size_t column) {
    if (column != 0) table_.text += format_.delimiter;
    const bool guard = format_.guard_formulas && looks_like_formula(text) &&
                       !(column == kMemoryField && is_whole_number(text));
    if (guard) ++table_.guarded_cells;
    if (std::none_of(text.begin(), text.end(), [this](char c) { return needs_quotes(c); })) {
      if (guard) table_.text += '\'';
      table_.text += text;
      return;
    }
    table_.text += '"';
    if (guard) table_.text += '\'';
    for (;;) {
      const std::size_t quote = text.find('"');
      table_.text += text.substr(0, quote);
      if (quote == std::string_view::npos) break;
      table_.text += "\"\"";
      text.remove_prefix(quote + 1);
    }
    table_.text += '"';
  }

  void end_row() { table_.text += "\r\n"; }
  std::string& text() { return table_.text; }
  CsvTable finish() { return std::move(table_); }

 private:
  bool needs_quotes(char c) const {
    return c == format_.delimiter || c == '"' || c == '\r' || c == '\n';
  }

  const CsvFormat& format_;
  CsvTable table_;
};

}  // namespace

bool is_usable_delimiter(char delimiter) {
  return delimiter != '"' && delimiter != '\r' && delimiter != '\n';
}

CsvTable csv_table(const ColumnNames& names, const Collection& collection,
                   const CsvFormat& format) {
  TableWriter writer(format);
  std::size_t size = 0;
  for (const CollectedRecord& record : collection.records)
    size += record.record.text.size() + 2 * kRecordFieldCount;
  writer.text().reserve(size + 512);
  if (format.byte_order_mark) writer.text() += kUtf8ByteOrderMark;
  for (std::size_t i = 0; i < names.size(); ++i)
    writer.cell(wide_to_utf8(names[i]), i);
  writer.end_row();
  for (const CollectedRecord& record : collection.records) {
    for (std::size_t i = 0; i < kRecordFieldCount; ++i)
      writer.cell(record.field(i), i);
    writer.end_row();
  }
  return writer.finish();
}

}  // namespace tavro::admin
