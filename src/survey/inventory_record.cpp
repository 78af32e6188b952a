#include "survey/inventory_record.h"

#include <utility>
#include <vector>

#include "settings/system_text.h"
#include "settings/unicode.h"

namespace tavro {
namespace {

bool needs_quotes(std::wstring_view field) {
  return field.find_first_of(L",\"\r\n") != std::wstring_view::npos;
}

void append_field(std::wstring& line, std::wstring_view field) {
  if (!needs_quotes(field)) {
    line += field;
    return;
  }
  line += L'"';
  for (const wchar_t c : field) {
    if (c == L'"') line += L'"';
    line += c;
  }
  line += L'"';
}

// Splits RFC 4180 text into fields; returns the reason when it is malformed.
std::variant<std::vector<std::wstring>, RecordError> split_fields(std::wstring_view text) {
  std::vector<std::wstring> fields(1);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::wstring& field = fields.back();
    if (text[pos] == L'"' && field.empty()) {
      ++pos;
      for (;;) {
        if (pos >= text.size()) return RecordError{"a quoted field is not closed"};
        if (text[pos] == L'"') {
          if (pos + 1 < text.size() && text[pos + 1] == L'"') {
            field += L'"';
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        field += text[pos++];
      }
      if (pos < text.size() && text[pos] != L',') {
        return RecordError{"text follows a closing quote"};
      }
    }
    if (pos >= text.size()) break;
    const wchar_t c = text[pos++];
    if (c == L',') {
      fields.emplace_back();
    } else if (c == L'\r' || c == L'\n') {
      return RecordError{"the file holds several lines"};
    } else if (c == L'"') {
      return RecordError{"a quote stands inside an unquoted field"};
    } else {
      field += c;
    }
  }
  return fields;
}

}  // namespace

std::wstring format_record(const RecordFields& fields) {
  std::wstring line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i != 0) line += L',';
    append_field(line, fields[i]);
  }
  return line;
}

std::string record_file_bytes(const RecordFields& fields) {
  const std::wstring line = format_record(fields) + std::wstring(kRecordLineEnd);
  if (auto in_code_page = encode_system_text_exactly(line)) return std::move(*in_code_page);
  return std::string(kUtf8ByteOrderMark) + wide_to_utf8(line);
}

std::variant<RecordFields, RecordError> read_record_file(std::string_view bytes) {
  if (bytes.empty()) return RecordError{"the file is empty"};
  const std::wstring text = decode_system_text(bytes);
  if (text.size() < kRecordLineEnd.size() ||
      text.compare(text.size() - kRecordLineEnd.size(), kRecordLineEnd.size(), kRecordLineEnd) !=
          0) {
    return RecordError{"the record does not end with a line end (CR LF)"};
  }
  auto split = split_fields(std::wstring_view(text).substr(0, text.size() - kRecordLineEnd.size()));
  if (auto* error = std::get_if<RecordError>(&split)) return *error;
  auto& fields = std::get<std::vector<std::wstring>>(split);
  if (fields.size() != kRecordFieldCount) {
    return RecordError{"the record has " + std::to_string(fields.size()) +
                       (fields.size() == 1 ? " field" : " fields") + ", not " +
                       std::to_string(kRecordFieldCount)};
  }
  RecordFields record;
  std::move(fields.begin(), fields.end(), record.begin());
  if (record_file_bytes(record) != bytes) {
    return RecordError{
        "the record is not written as the survey writes records (needless quotes, or text that "
        "is not valid in the system code page)"};
  }
  return record;
}

std::optional<RecordFields> read_unquoted_record(std::string_view bytes) {
  const std::wstring text = decode_system_text(bytes);
  if (encode_system_text(text) != bytes) return std::nullopt;
  const std::wstring_view line = std::wstring_view(text).substr(
      0, text.size() >= kRecordLineEnd.size() ? text.size() - kRecordLineEnd.size() : 0);
  if (text.substr(line.size()) != kRecordLineEnd ||
      line.find_first_of(L"\r\n") != std::wstring_view::npos) {
    return std::nullopt;
  }
  RecordFields fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
    const std::size_t comma = line.find(L',', start);
    if ((comma == std::wstring_view::npos) != (i + 1 == kRecordFieldCount)) return std::nullopt;
    fields[i] = line.substr(
        start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start);
    start = comma + 1;
  }
  return fields;
}

}  // namespace tavro
