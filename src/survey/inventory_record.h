// The inventory record: one line of 18 comma-separated fields, ended by CR LF,
// written as narrow text in the system code page when that holds every
// character of it, and otherwise whole as UTF-8 after a byte-order mark:
// what was typed is never changed or cut to fit a code page.
//
// A field holding a comma, a double quote, CR or LF is quoted as RFC 4180
// does (wrapped in double quotes, inner quotes doubled), so every record
// keeps its 18 fields; any other field stands as it is, so a plain record is
// byte for byte what scripts reading these files have always seen.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "common/unicode.h"
#include "survey/counts.h"

namespace tavro {

// Fields 1 to 3: host name, IP address, memory; 4 to 8: the five answers;
// 9 to 18: the ten applications.
inline constexpr std::size_t kFirstAnswerField = 3;
inline constexpr std::size_t kFirstApplicationField = kFirstAnswerField + kStatusItems;
inline constexpr std::size_t kRecordFieldCount = kFirstApplicationField + kApplicationSlots;
inline constexpr std::wstring_view kInstalled = L"Installed";
inline constexpr std::wstring_view kRecordLineEnd = L"\r\n";

using RecordFields = std::array<std::wstring, kRecordFieldCount>;

// The record line without its line end.
std::wstring format_record(const RecordFields& fields);

// The bytes of a record file: the line and CR LF in the system code page, or
// the byte-order mark and the line in UTF-8 when the code page lacks (or
// would best-fit) any character of it, or when its bytes would read back as
// something else (they start like a byte-order mark, or are valid UTF-8).
std::string record_file_bytes(const RecordFields& fields);

// A record's 18 fields as UTF-8, unquoted, one after another in one text:
// field i runs from ends[i - 1] (0 for the first) to ends[i]. In a
// RecordText one allocation holds a whole record, and reading one into the
// same RecordText again reuses it; a RecordView's text lives elsewhere.
template <typename Text>
struct BasicRecordText {
  Text text;
  std::array<std::uint32_t, kRecordFieldCount> ends{};

  std::string_view field(std::size_t i) const {
    const std::uint32_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(text).substr(begin, ends[i] - begin);
  }
};
using RecordText = BasicRecordText<std::string>;
using RecordView = BasicRecordText<std::string_view>;

// Text in a legacy (ANSI) code page, converted to UTF-8, for record files
// that are not UTF-8.
class LegacyDecoder {
 public:
  virtual ~LegacyDecoder() = default;
  // For messages: "code page 1252", "the system code page".
  virtual std::string name() const = 0;
  // Replaces utf8 with bytes converted whole. Gives nothing on success, else
  // the offset of the first byte that has no character in the code page
  // (bytes.size() when it cannot tell, or the last character is cut short).
  virtual std::optional<std::size_t> to_utf8(std::string_view bytes, std::string& utf8) = 0;
};

// The text of a record file as UTF-8: after a byte-order mark (which never
// becomes part of a field), the bytes as they are when they are valid
// UTF-8, else the bytes converted by legacy into converted. An error names
// the encoding problem with the offset of the byte.
Result<std::string_view> record_file_utf8(std::string_view bytes, LegacyDecoder& legacy,
                                          std::string& converted);

// Reads a record line given as UTF-8 (after any byte-order mark) into
// record. Accepts the form record_file_bytes writes, quoted fields included,
// and nothing else: a field quoted without need is an error, so a record of
// the earlier unquoted form that holds a quote is not mistaken for this one.
Result<void> read_record_text(std::string_view utf8, RecordText& record);

// Reads a UTF-8 record of the earlier form that quoted nothing: one line
// ended by CR LF whose 17 commas separate 18 fields, with any quote taken as
// text (an answer such as 27" monitor). False when it is not such a record.
bool read_unquoted_record_text(std::string_view utf8, RecordText& record);

// Reads the bytes of a record file as a survey on any PC writes it: UTF-8
// after a byte-order mark, else UTF-8 where the bytes are valid UTF-8, else
// the system code page. Writing the fields again gives the same text.
Result<RecordFields> read_record_file(std::string_view bytes);

}  // namespace tavro
