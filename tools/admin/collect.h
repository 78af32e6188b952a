// `tavro-admin collect`: the record files of a folder, read one at a time
// and kept as a table sorted by host name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "survey/inventory_record.h"

namespace tavro::admin {

inline constexpr std::size_t kApplicationCount = kApplicationSlots;

// Larger files are not records; they are refused rather than read.
inline constexpr std::uintmax_t kLargestRecordFile = std::uintmax_t{1024} * 1024;

struct CollectedRecord {
  RecordView record;          // the fields as UTF-8, whatever encoding the file was in
  std::string sort_key;       // the host name upper-cased, in UTF-8
  std::int64_t modified = 0;  // the file's modification time, seconds since 1970 UTC

  std::string_view field(std::size_t i) const { return record.field(i); }
};

struct SkippedFile {
  std::wstring name;
  std::wstring reason;
};

// The texts of a collection's records, end to end in large blocks: one
// allocation for many records, and none freed one at a time. A block does
// not move when the store does.
class TextStore {
 public:
  // A copy of text, which lives as long as the store.
  std::string_view keep(std::string_view text);
  // Makes other's texts live as long as this store.
  void take(TextStore& other);

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // in the block last made here, while blocks_ holds it
  std::size_t room_ = 0;
};

struct Collection {
  TextStore texts;                       // holds the records' texts
  std::vector<CollectedRecord> records;  // sorted by host name
  std::vector<SkippedFile> skipped;      // files that are not valid records, sorted by name
  // For each application, how many PCs have it "Installed".
  std::array<std::size_t, kApplicationCount> installed{};
};

struct CollectOptions {
  // The code page of records that are neither marked nor valid UTF-8;
  // 0 for default_code_page().
  unsigned code_page = 0;
  // Called now and then from one reading thread with the files read so far
  // and the files in all, and once at the end; may be empty.
  std::function<void(std::size_t done, std::size_t total)> progress;
  // Whether each record's modification time is wanted (else it is 0).
  bool modification_times = true;
};

// Reads every "*.txt" file of the folder (regular files only, not those
// whose names start with "."). Throws Failure when the folder cannot be
// read or the code page is not known to the system.
Collection collect_records(std::wstring_view folder, const CollectOptions& options = {});

}  // namespace tavro::admin
