// What `tavro-admin check` finds in a settings file: the values the survey
// reads, what this PC's survey window would show, and the likely mistakes.
// Built by check.cpp, printed by report_text.cpp and report_json.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "survey/key_reading.h"

namespace tavro::admin {

enum class Severity { kNote, kWarning, kError };

// "note", "warning" or "error", as both reports print it.
constexpr std::string_view severity_name(Severity severity) {
  switch (severity) {
    case Severity::kNote:
      return "note";
    case Severity::kWarning:
      return "warning";
    case Severity::kError:
      return "error";
  }
  return "";
}

// Where a finding belongs: the file as a whole, one application slot, one
// status item, or the save folder.
enum class Scope { kFile, kSlot, kItem, kSave };

struct Finding {
  Severity severity = Severity::kWarning;
  // A stable name of the kind of mistake, for scripts ("length-mismatch", ...).
  std::string code;
  std::wstring message;
  std::size_t line = 0;  // 1-based; 0 when no line of the file is concerned
  Scope scope = Scope::kFile;
  int number = 0;  // the slot or item number for those scopes
};

struct SlotReport {
  int slot = 0;
  bool configured = false;  // at least one of its five keys is in the file
  SlotKeys keys;            // in kSlotKeys order
  // The survey window: Check<i>'s enabled state, caption and tick.
  bool enabled = false;
  std::wstring caption;
  bool ticked = false;
  // File<i> upper-cased and cut to String<i> (NULs included when it is longer).
  std::wstring expected;
  // The matching file name, else the first match, else empty.
  std::wstring found;
  std::size_t match_count = 0;
  bool search_rejected = false;
};

struct ItemReport {
  int item = 0;
  bool configured = false;
  ItemKeys keys;         // in kItemKeys order
  bool enabled = false;  // a disabled box is also greyed with the button face
  std::wstring caption;
};

struct SaveReport {
  SaveKeys keys;             // in kSaveKeys order
  std::wstring folder;       // SavePath cut to PathString
  std::wstring host_name;    // this PC's, empty when it cannot be read
  std::wstring record_file;  // where this PC's record would go
  bool usable = false;       // the folder exists and takes a new file
};

struct CheckReport {
  std::wstring settings_file;
  bool file_read = false;
  std::vector<SlotReport> slots;  // 1 to 10, when the file was read
  std::vector<ItemReport> items;  // 1 to 5
  std::optional<SaveReport> save;
  std::vector<Finding> findings;

  std::size_t count(Severity severity) const;
  // 0: all well; 1: warnings; 2: errors.
  int exit_status() const;
};

}  // namespace tavro::admin
