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
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tavro {

inline constexpr std::size_t kRecordFieldCount = 18;
// Fields 1 to 3: host name, IP address, memory; 4 to 8: the five answers;
// 9 to 18: the ten applications.
inline constexpr std::size_t kFirstAnswerField = 3;
inline constexpr std::size_t kFirstApplicationField = 8;
inline constexpr std::wstring_view kInstalled = L"Installed";
inline constexpr std::wstring_view kRecordLineEnd = L"\r\n";

using RecordFields = std::array<std::wstring, kRecordFieldCount>;

// The record line without its line end.
std::wstring format_record(const RecordFields& fields);

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The bytes of a record file: the line and CR LF in the system code page, or
// the byte-order mark and the line in UTF-8 when the code page lacks (or
// would best-fit) any character of it.
std::string record_file_bytes(const RecordFields& fields);

// Why a record file was not accepted.
struct RecordError {
  std::string reason;
};

// Reads the bytes of a record file. Accepts exactly what record_file_bytes
// writes, quoted fields included, so that writing the result again gives the
// same bytes; anything else is an error with its reason.
std::variant<RecordFields, RecordError> read_record_file(std::string_view bytes);

// Reads a record of the earlier form that quoted nothing: one line ended by
// CR LF whose 17 commas separate 18 fields, with any quote taken as text
// (an answer such as 27" monitor). Empty when the bytes are not such a record.
std::optional<RecordFields> read_unquoted_record(std::string_view bytes);

}  // namespace tavro
