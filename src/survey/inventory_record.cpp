#include "survey/inventory_record.h"

#include <utility>
#include <vector>

#include "common/byte_set.h"
#include "common/unicode.h"
#include "platform/system_text.h"

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

bool is_record_special(char c) {
  static constexpr ByteSet kSpecial{',', '"', '\r', '\n'};
  return kSpecial.contains(c);
}

std::string count_text(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string byte_text(unsigned char byte) {
  static constexpr std::string_view kDigits = "0123456789ABCDEF";
  return std::string("0x") + kDigits[byte >> 4U] + kDigits[byte & 0xFU];
}

// A record file's reason for refusal, all of it ASCII but the names of code pages.
Failure rejection(const std::string& reason) {
  return Failure(utf8_to_wide(reason));
}

// The record line without its CR LF, or the reason there is none.
Result<std::string_view> record_line(std::string_view utf8) {
  if (utf8.empty()) return rejection("the file is empty");
  if (!utf8.ends_with("\r\n")) {
    return rejection("the record does not end with a line end (CR LF)");
  }
  return utf8.substr(0, utf8.size() - 2);
}

std::string byte_at(std::string_view bytes, std::size_t offset) {
  return "byte " + byte_text(static_cast<unsigned char>(bytes[offset])) + " at offset " +
         std::to_string(offset);
}

// The system code page, where the survey of this PC writes its records.
class SystemCodePage final : public LegacyDecoder {
 public:
  std::string name() const override { return "the system code page"; }
  std::optional<std::size_t> to_utf8(std::string_view bytes, std::string& utf8) override {
    const std::wstring decoded = decode_system_text(bytes);
    if (encode_system_text(decoded) != bytes) return bytes.size();
    utf8 = wide_to_utf8(decoded);
    return std::nullopt;
  }
};

// Reads the quoted field that starts at line[pos] into text, leaving pos
// after its closing quote. The survey quotes only what needs it.
Result<void> read_quoted_field(std::string_view line, std::size_t& pos, std::size_t index,
                               std::string& text) {
  bool needed = false;
  ++pos;
  for (;;) {
    const std::size_t quote = line.find('"', pos);
    if (quote == std::string_view::npos) return rejection("a quoted field is not closed");
    const std::string_view run = line.substr(pos, quote - pos);
    needed = needed || run.find_first_of(",\r\n") != std::string_view::npos;
    text += run;
    pos = quote + 1;
    if (pos >= line.size() || line[pos] != '"') break;
    text += '"';
    needed = true;
    ++pos;
  }
  if (pos < line.size() && line[pos] != ',') return rejection("text follows a closing quote");
  if (!needed) {
    return rejection("field " + std::to_string(index + 1) +
                     " is quoted but holds no comma, quote or line break: not written as the "
                     "survey writes records");
  }
  return Done{};
}

// Reads the unquoted field that starts at line[pos] into text, leaving pos
// at the comma or the end of the line.
Result<void> read_plain_field(std::string_view line, std::size_t& pos, std::string& text) {
  // A plain loop: find_first_of would search the four characters for each byte.
  std::size_t stop = pos;
  while (stop < line.size() && !is_record_special(line[stop]))
    ++stop;
  text += line.substr(pos, stop - pos);
  pos = stop;
  if (pos < line.size() && line[pos] != ',') {
    return rejection(line[pos] == '"' ? "a quote stands inside an unquoted field"
                                      : "the file holds several lines");
  }
  return Done{};
}

RecordFields wide_fields(const RecordText& record) {
  RecordFields fields;
  for (std::size_t i = 0; i < kRecordFieldCount; ++i)
    fields[i] = utf8_to_wide(record.field(i));
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

namespace {

// Whether a reader would take code-page bytes for something else: bytes that
// start like a byte-order mark, or (in a code page other than UTF-8) that
// are also UTF-8 text beyond ASCII, such as "Ã¼" in 1252.
bool reads_as_utf8(std::string_view bytes) {
  if (bytes.starts_with(kUtf8ByteOrderMark)) return true;
  return !system_code_page_is_utf8() && is_utf8_beyond_ascii(bytes);
}

}  // namespace

std::string record_file_bytes(const RecordFields& fields) {
  const std::wstring line = format_record(fields) + std::wstring(kRecordLineEnd);
  auto in_code_page = encode_system_text_exactly(line);
  if (in_code_page && !reads_as_utf8(*in_code_page)) return std::move(*in_code_page);
  return std::string(kUtf8ByteOrderMark) + wide_to_utf8(line);
}

Result<std::string_view> record_file_utf8(std::string_view bytes, LegacyDecoder& legacy,
                                          std::string& converted) {
  const bool marked = bytes.starts_with(kUtf8ByteOrderMark);
  const std::size_t start = marked ? kUtf8ByteOrderMark.size() : 0;
  const std::size_t invalid = invalid_utf8_offset(bytes.substr(start));
  if (invalid == std::string_view::npos) return bytes.substr(start);
  const std::string not_utf8 = byte_at(bytes, start + invalid) + " is not valid UTF-8";
  if (marked) {
    return rejection("the file starts with a UTF-8 byte-order mark, but " + not_utf8);
  }
  if (const auto offset = legacy.to_utf8(bytes, converted)) {
    return rejection("the record is neither UTF-8 (" + not_utf8 + ") nor text in " + legacy.name() +
                     " (" +
                     (*offset < bytes.size() ? byte_at(bytes, *offset) + " has no character"
                                             : std::string("it does not convert")) +
                     ")");
  }
  return std::string_view(converted);
}

Result<void> read_record_text(std::string_view utf8, RecordText& record) {
  const auto line_or_failure = record_line(utf8);
  if (!line_or_failure) return line_or_failure.failure();
  const std::string_view line = *line_or_failure;
  record.text.clear();
  record.text.reserve(line.size());
  std::size_t count = 0;  // fields read so far, also past the 18th
  std::size_t pos = 0;
  for (;;) {
    const bool quoted = pos < line.size() && line[pos] == '"';
    auto field = quoted ? read_quoted_field(line, pos, count, record.text)
                        : read_plain_field(line, pos, record.text);
    if (!field) return field;
    if (count < kRecordFieldCount)
      record.ends[count] = static_cast<std::uint32_t>(record.text.size());
    ++count;
    if (pos >= line.size()) break;
    ++pos;  // the comma
  }
  if (count != kRecordFieldCount) {
    return rejection("the record has " + count_text(count, "field", "fields") + ", not " +
                     std::to_string(kRecordFieldCount));
  }
  return Done{};
}

bool read_unquoted_record_text(std::string_view utf8, RecordText& record) {
  const auto line_or_failure = record_line(utf8);
  if (!line_or_failure) return false;
  const std::string_view line = *line_or_failure;
  if (line.find_first_of("\r\n") != std::string_view::npos) return false;
  record.text.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
    const std::size_t comma = line.find(',', start);
    if ((comma == std::string_view::npos) != (i + 1 == kRecordFieldCount)) return false;
    record.text += line.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    record.ends[i] = static_cast<std::uint32_t>(record.text.size());
    start = comma + 1;
  }
  return true;
}

Result<RecordFields> read_record_file(std::string_view bytes) {
  std::string converted;
  SystemCodePage system_code_page;
  const auto utf8 = record_file_utf8(bytes, system_code_page, converted);
  if (!utf8) return utf8.failure();
  RecordText record;
  if (auto read = read_record_text(*utf8, record); !read) return read.failure();
  return wide_fields(record);
}

}  // namespace tavro
