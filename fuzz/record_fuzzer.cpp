// The inventory record, both ways:
//  - the input split at 0xFF bytes (never part of UTF-8 text) gives up to 18
//    texts; written as a record and read back they are the same 18 texts;
//  - the input itself, as a record file found in a save folder, is either
//    rejected with a reason or read back, and its fields written again (in
//    whichever encoding the writer picks for them) read back the same.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/system_text.h"
#include "survey/inventory_record.h"

namespace tavro {
namespace {

using fuzzing::check;

constexpr char kFieldSeparator = '\xFF';

RecordFields fields_from(std::string_view input) {
  RecordFields fields;
  for (std::wstring& field : fields) {
    const std::size_t end = input.find(kFieldSeparator);
    field = decode_system_text(input.substr(0, end));
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  return fields;
}

void check_round_trip(std::string_view input) {
  const RecordFields fields = fields_from(input);
  const std::string bytes = record_file_bytes(fields);
  const auto read = read_record_file(bytes);
  check(static_cast<bool>(read), "a written record reads back");
  check(*read == fields, "a written record reads back as its 18 texts");
}

void check_reader(std::string_view input) {
  const auto read = read_record_file(input);
  if (!read) {
    check(!read.failure().message().empty(), "a rejected record has a reason");
    return;
  }
  const RecordFields& fields = *read;
  const auto again = read_record_file(record_file_bytes(fields));
  check(again && *again == fields, "an accepted record written again reads back the same");
}

}  // namespace
}  // namespace tavro

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): libFuzzer's interface
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  tavro::check_round_trip(input);
  tavro::check_reader(input);
  return 0;
}
