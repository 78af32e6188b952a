#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

#include "collect_output.h"
#include "common/byte_set.h"
#include "common/unicode.h"

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
  explicit TableWriter(const CsvFormat& format)
      : format_(format), quoted_{format.delimiter, '"', '\r', '\n'} {}

  void cell(std::string_view text, std::size_t column) {
    if (column != 0) table_.text += format_.delimiter;
    const bool guard = guards(text, column);
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

  // The row of a record; a record with nothing to quote (most) is written
  // from its text straight away.
  void row(const CollectedRecord& record) {
    const std::string_view text = record.record.text;
    if (std::any_of(text.begin(), text.end(), [this](char c) { return needs_quotes(c); })) {
      for (std::size_t i = 0; i < kRecordFieldCount; ++i)
        cell(record.field(i), i);
    } else {
      std::size_t begin = 0;
      for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
        const std::size_t end = record.record.ends[i];
        if (i != 0) table_.text += format_.delimiter;
        if (begin != end && guards(text.substr(begin, end - begin), i)) {
          ++table_.guarded_cells;
          table_.text += '\'';
        }
        table_.text.append(text, begin, end - begin);
        begin = end;
      }
    }
    end_row();
  }

  void end_row() { table_.text += "\r\n"; }
  void append(const CsvTable& rest) {
    table_.text += rest.text;
    table_.guarded_cells += rest.guarded_cells;
  }
  std::string& text() { return table_.text; }
  CsvTable finish() { return std::move(table_); }

 private:
  bool guards(std::string_view text, std::size_t column) const {
    return format_.guard_formulas && looks_like_formula(text) &&
           !(column == kMemoryField && is_whole_number(text));
  }

  bool needs_quotes(char c) const { return quoted_.contains(c); }

  const CsvFormat& format_;
  const ByteSet quoted_;
  CsvTable table_;
};

}  // namespace

bool is_usable_delimiter(char delimiter) {
  return delimiter != '"' && delimiter != '\r' && delimiter != '\n';
}

CsvTable csv_table(const ColumnNames& names, const Collection& collection,
                   const CsvFormat& format) {
  using Records = std::vector<CollectedRecord>;
  const Records& records = collection.records;
  const auto write_rows = [](TableWriter& writer, Records::const_iterator begin,
                             Records::const_iterator end) {
    std::size_t size = 0;
    for (auto record = begin; record != end; ++record)
      size += record->record.text.size() + 2 * kRecordFieldCount;
    writer.text().reserve(writer.text().size() + size);
    for (auto record = begin; record != end; ++record)
      writer.row(*record);
  };
  // A large table is written in two halves at once, the second on a thread
  // of its own, then joined: one copy of the second half against half the time.
  const auto middle = records.size() >= kRowsWorthAThread
                          ? records.begin() + static_cast<std::ptrdiff_t>(records.size() / 2)
                          : records.end();
  TableWriter second(format);
  TableWriter writer(format);
  {
    std::jthread helper;
    if (middle != records.end())
      helper = std::jthread(write_rows, std::ref(second), middle, records.end());
    writer.text().reserve(512);
    if (format.byte_order_mark) writer.text() += kUtf8ByteOrderMark;
    for (std::size_t i = 0; i < names.size(); ++i)
      writer.cell(wide_to_utf8(names[i]), i);
    writer.end_row();
    write_rows(writer, records.begin(), middle);
  }
  writer.append(second.finish());
  return writer.finish();
}

}  // namespace tavro::admin
