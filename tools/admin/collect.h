// `tavro-admin collect`: the record files of a folder, read one at a time
// and kept as a table sorted by host name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "survey/inventory_record.h"

namespace tavro::admin {

inline constexpr std::size_t kApplicationCount = kApplicationSlots;

// Larger files are not records; they are refused rather than read.
inline constexpr std::uintmax_t kLargestRecordFile = std::uintmax_t{1024} * 1024;

struct CollectedRecord {
  // The record as the survey writes it: the file exactly as read (the
  // survey's reader accepts only bytes its writer would produce), or a record
  // of the earlier unquoted form written anew. So these are also the
  // record's row of the CSV table, and the fields can always be read again.
  std::string bytes;
  std::wstring sort_key;      // the host name upper-cased
  std::int64_t modified = 0;  // the file's modification time, seconds since 1970 UTC

  RecordFields fields() const;
};

struct SkippedFile {
  std::wstring name;
  std::wstring reason;
};

struct Collection {
  std::vector<CollectedRecord> records;  // sorted by host name
  std::vector<SkippedFile> skipped;      // files that are not valid records, sorted by name
  // For each application, how many PCs have it "Installed".
  std::array<std::size_t, kApplicationCount> installed{};
};

// Reads every "*.txt" file of the folder (regular files only, not those
// whose names start with "."). Throws Failure when the folder cannot be read.
Collection collect_records(std::wstring_view folder);

}  // namespace tavro::admin
