#include "check.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "check_structure.h"
#include "common/failure.h"
#include "folder_probe.h"
#include "machine/host_identity.h"
#include "message_text.h"
#include "path_kind.h"
#include "platform/system_text.h"
#include "platform/whole_file.h"
#include "settings/settings_path.h"
#include "settings_encoding_check.h"
#include "survey/application_slots.h"
#include "survey/save.h"
#include "survey/settings_keys.h"

namespace tavro::admin {
namespace {

// Adds findings of one scope to the report.
class Findings {
 public:
  Findings(std::vector<Finding>& out, Scope scope, int number)
      : out_(out), scope_(scope), number_(number) {}

  void warn(std::string code, std::size_t line, std::wstring message) {
    add(Severity::kWarning, std::move(code), line, std::move(message));
  }
  void error(std::string code, std::size_t line, std::wstring message) {
    add(Severity::kError, std::move(code), line, std::move(message));
  }

 private:
  void add(Severity severity, std::string code, std::size_t line, std::wstring message) {
    out_.push_back({severity, std::move(code), std::move(message), line, scope_, number_});
  }

  std::vector<Finding>& out_;
  Scope scope_;
  int number_;
};

// A slot or item is in the file when any of its keys is.
template <std::size_t N>
bool any_in_file(const std::array<KeyReading, N>& keys) {
  return std::any_of(keys.begin(), keys.end(), [](const KeyReading& key) { return key.line != 0; });
}

bool has_value(const KeyReading& key) {
  return key.written.has_value();
}

std::wstring_view written_text(const KeyReading& key) {
  return unquote(*key.written);
}

bool is_plain_number(std::wstring_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// A key of a configured slot, item or the save section that the survey
// reads as missing: absent, or on a line without "=".
void check_missing(const KeyReading& key, std::wstring_view consequence, Findings& findings) {
  if (key.line == 0) {
    findings.warn("missing-key", 0, key.key + L" is missing: " + std::wstring(consequence) + L".");
  } else if (!has_value(key)) {
    findings.warn("no-value", key.line,
                  key.key + L" has no \"=\", so the survey reads it as missing: " +
                      std::wstring(consequence) + L".");
  }
}

void check_enable(const KeyReading& key, std::wstring_view control, Findings& findings) {
  if (!has_value(key)) return;
  const std::wstring_view text = written_text(key);
  if (text == L"0" || text == L"1") return;
  std::wstring effect;
  if (key.number == 0) {
    effect = L"disables " + std::wstring(control);
  } else if (key.number == 1) {
    effect = L"enables " + std::wstring(control);
  } else {
    effect = L"leaves " + std::wstring(control) + L" enabled, as the window made it";
  }
  findings.warn("enable-value", key.line,
                key.key + L" is " + in_quotes(text) + L", not 0 or 1: the survey reads " +
                    key.shown() + L" and " + effect + L".");
}

void check_number(const KeyReading& key, Findings& findings) {
  if (!has_value(key) || is_plain_number(written_text(key))) return;
  findings.warn("not-a-number", key.line,
                key.key + L" is " + in_quotes(written_text(key)) +
                    L", not a plain number: the survey reads " + key.shown() + L".");
}

void check_text(const KeyReading& key, FileEncoding encoding, Findings& findings) {
  if (!has_value(key)) return;
  const std::wstring_view text = written_text(key);
  const std::size_t units = field_units(text, encoding);
  if (units > SettingField::kCapacity) {
    findings.warn("value-cut", key.line,
                  key.key + L" is " + std::to_wstring(units) + L" " +
                      std::wstring(field_unit_name(encoding)) + L" long, more than the " +
                      std::to_wstring(SettingField::kCapacity) + L" the survey keeps: it reads " +
                      in_quotes(key.shown()) + L".");
  }
  const std::size_t comment = std::min(text.find(L" ;"), text.find(L"\t;"));
  if (comment != std::wstring_view::npos) {
    findings.warn("inline-comment", key.line,
                  key.key + L" is " + in_quotes(text) + L": there are no comments, so " +
                      in_quotes(text.substr(comment + 1)) + L" is part of the value.");
  }
}

bool last_component_has_wildcard(std::wstring_view pattern) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (is_path_separator(pattern[i])) start = i + 1;
  }
  return pattern.find_first_of(L"*?", start) != std::wstring_view::npos;
}

// "String1 is 9 but File1 "tool.exe" has 8 characters: <consequence> Set String1=8."
void warn_length_mismatch(const KeyReading& length_key, const KeyReading& text_key,
                          std::wstring_view text, const std::wstring& consequence,
                          Findings& findings) {
  const std::wstring size = std::to_wstring(text.size());
  findings.warn("length-mismatch", length_key.line,
                length_key.key + L" is " + length_key.shown() + L" but " + text_key.key + L" " +
                    in_quotes(text) + L" has " + size + L" characters: " + consequence + L" Set " +
                    length_key.key + L"=" + size + L".");
}

void check_file_length(const KeyReading& file_key, const KeyReading& length_key,
                       const ApplicationSlotSettings& read, const std::wstring& expected,
                       Findings& findings) {
  warn_length_mismatch(length_key, file_key, read.file.value(),
                       read.length > read.file.value().size()
                           ? L"the survey compares " + in_quotes(expected) +
                                 L", which no file name equals, so the box is never ticked."
                           : L"the survey compares only " + in_quotes(expected) +
                                 L", so the box is ticked only for a file of exactly that name.",
                       findings);
}

void check_path(const SlotReport& report, const ApplicationSlotSettings& read, bool lengths_agree,
                Findings& findings) {
  const KeyReading& path_key = report.keys[kSlotPath];
  const KeyReading& file_key = report.keys[kSlotFile];
  const std::wstring pattern(read.path.value());
  std::error_code ignored;
  if (!last_component_has_wildcard(pattern) &&
      std::filesystem::is_directory(to_native_path(pattern), ignored)) {
    findings.warn(
        "path-folder", path_key.line,
        path_key.key + L" " + in_quotes(pattern) +
            L" names a folder, not a file, and folders never match. Name the file "
            L"itself, e.g. " +
            in_quotes(with_trailing_separator(pattern) + std::wstring(read.file.value())) + L".");
  } else if (report.search_rejected) {
    findings.warn("path-rejected", path_key.line,
                  L"The file system rejects the search for " + path_key.key + L" " +
                      in_quotes(pattern) +
                      L" (a missing drive, a wildcard before the last part, or a name it "
                      L"refuses): the survey counts it as nothing found.");
  } else if (report.match_count == 0) {
    findings.warn("path-no-match", path_key.line,
                  path_key.key + L" " + in_quotes(pattern) +
                      L" matches no file on this PC, so the box is not ticked here.");
  } else if (!report.ticked && lengths_agree) {
    const std::wstring wanted = in_quotes(report.expected) + L" (" + file_key.key + L")";
    findings.warn("file-mismatch", file_key.line,
                  report.match_count == 1
                      ? path_key.key + L" finds the file " + in_quotes(report.found) + L", not " +
                            wanted + L", so the box is not ticked."
                      : path_key.key + L" matches " + std::to_wstring(report.match_count) +
                            L" files, none named " + wanted + L", so the box is not ticked.");
  }
}

SlotReport check_slot(const Profile& settings, int slot, std::vector<Finding>& out) {
  SlotReport report;
  report.slot = slot;
  report.keys = read_keys(settings, kApplicationSection, kSlotKeys, slot);
  report.configured = any_in_file(report.keys);

  const ApplicationSlotSettings read = slot_settings(report.keys);
  ApplicationDetection detection = detect_application(read);
  report.enabled = enable_action(read.enable) != EnableAction::kDisable;
  report.caption = read.name.value();
  report.ticked = detection.ticked;
  report.expected = std::move(detection.expected);
  report.found = std::move(detection.found);
  report.search_rejected = !detection.matches;
  report.match_count = detection.matches ? detection.matches->size() : 0;
  if (!report.configured) return report;

  Findings findings(out, Scope::kSlot, slot);
  const auto& [enable, name, path, file, length] = report.keys;
  check_missing(enable, L"the survey reads 0 and disables the box", findings);
  check_missing(name, L"the box's caption is \"***\"", findings);
  check_missing(path, L"the survey searches its current folder for a file named \"***\"", findings);
  check_missing(file, L"the survey expects a file named \"***\"", findings);
  check_missing(length,
                L"the survey compares 0 characters of " + file.key + L" and never ticks the box",
                findings);
  check_enable(enable, L"the box", findings);
  check_number(length, findings);
  for (const KeyReading* text : {&name, &path, &file})
    check_text(*text, settings.encoding(), findings);

  const bool lengths_agree =
      has_value(file) && has_value(length) && read.length == read.file.value().size();
  if (has_value(file) && has_value(length) && !lengths_agree) {
    check_file_length(file, length, read, report.expected, findings);
  }
  if (has_value(path)) check_path(report, read, lengths_agree, findings);
  return report;
}

ItemReport check_item(const Profile& settings, int item, std::vector<Finding>& out) {
  ItemReport report;
  report.item = item;
  report.keys = read_keys(settings, kStatusSection, kItemKeys, item);
  report.configured = any_in_file(report.keys);
  report.enabled = enable_action(report.keys[kItemEnable].number) != EnableAction::kDisable;
  report.caption = report.keys[kItemCaption].text.value();
  if (!report.configured) return report;

  Findings findings(out, Scope::kItem, item);
  const auto& [enable, caption] = report.keys;
  check_missing(enable, L"the survey reads 0 and disables the answer box", findings);
  check_missing(caption, L"the question reads \"***\"", findings);
  check_enable(enable, L"the answer box", findings);
  check_text(caption, settings.encoding(), findings);
  return report;
}

// Every kind of path but an absolute one depends on how the survey is started.
void warn_unless_absolute(const std::wstring& folder, Findings& findings) {
  const std::wstring quoted = in_quotes(folder);
  switch (path_kind(folder)) {
    case PathKind::kAbsolute:
      return;
    case PathKind::kRelative: {
      std::error_code ignored;
      const std::filesystem::path here = std::filesystem::current_path(ignored);
      findings.warn("relative-save-folder", 0,
                    L"The save folder " + quoted +
                        L" is relative: the survey takes it from its current folder, which "
                        L"depends on how it is started (checked here from " +
                        in_quotes(path_text(here)) + L").");
      return;
    }
    case PathKind::kDriveRelative:
      findings.warn("drive-relative-save-folder", 0,
                    L"The save folder " + quoted + L" names a drive without a \\ after " +
                        folder.substr(0, 2) + L", so it is relative to the current folder on " +
                        L"that drive, which depends on how the survey is started; write " +
                        in_quotes(folder.substr(0, 2) + L"\\" + folder.substr(2)) + L".");
      return;
    case PathKind::kRooted:
      findings.warn("rooted-save-folder", 0,
                    L"The save folder " + quoted +
                        L" starts at the root of the current drive, which depends on how the "
                        L"survey is started; name the drive (C:\\...) or the share "
                        L"(\\\\server\\share\\...).");
      return;
  }
}

void check_save_folder(SaveReport& report, Findings& findings) {
  // An empty folder is the root: the survey adds a separator to it.
  const std::wstring folder =
      report.folder.empty() ? with_trailing_separator(report.folder) : report.folder;
  const std::filesystem::path native = to_native_path(folder);
  std::error_code error;
  warn_unless_absolute(folder, findings);
  const std::filesystem::file_status status = std::filesystem::status(native, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    findings.error(
        "save-folder-missing", 0,
        L"The save folder " + in_quotes(folder) + L" does not exist: every save would fail.");
  } else if (error) {
    findings.error("save-folder-unreadable", 0,
                   L"The save folder " + in_quotes(folder) + L" cannot be examined (" +
                       decode_system_text(error.message()) + L"): every save would fail.");
  } else if (status.type() != std::filesystem::file_type::directory) {
    findings.error(
        "save-folder-not-a-folder", 0,
        L"The save folder " + in_quotes(folder) + L" is not a folder: every save would fail.");
  } else if (const auto probe = probe_folder_write(folder); !probe) {
    findings.error("save-folder-unwritable", 0,
                   L"The save folder " + in_quotes(folder) + L" cannot be written (" +
                       probe.failure().message() + L"): every save would fail.");
  } else {
    report.usable = true;
  }
}

SaveReport check_save(const Profile& settings, std::wstring_view host_name,
                      std::vector<Finding>& out) {
  SaveReport report;
  report.keys = read_keys(settings, kSaveSection, kSaveKeys, 0);
  report.folder = save_folder(report.keys);
  report.host_name = host_name;
  if (!host_name.empty()) report.record_file = record_file_path(report.folder, host_name);

  Findings findings(out, Scope::kSave, 0);
  const auto& [path, length] = report.keys;
  check_missing(path, L"the survey reads \"***\"", findings);
  check_missing(length, L"the survey reads 0, so the save folder is empty", findings);
  check_text(path, settings.encoding(), findings);
  check_number(length, findings);
  const std::wstring_view value = path.text.value();
  if (has_value(path) && has_value(length) && length.number != value.size()) {
    warn_length_mismatch(length, path, value,
                         report.folder.size() < value.size()
                             ? L"records go to " + in_quotes(report.folder) + L"."
                             : L"this survey uses the whole value, but the key is wrong.",
                         findings);
  }
  check_save_folder(report, findings);
  return report;
}

void check_sections_present(const Profile& settings, std::vector<Finding>& out) {
  for (const std::wstring_view section : {kApplicationSection, kStatusSection}) {
    const std::wstring folded = to_upper_invariant(section);
    const bool present = std::any_of(
        settings.sections().begin(), settings.sections().end(),
        [&](const ProfileSection& s) { return s.line != 0 && s.folded_name == folded; });
    if (!present) {
      Findings(out, Scope::kFile, 0)
          .warn("missing-section", 0,
                L"There is no [" + std::wstring(section) +
                    L"] section: the survey disables every box it would set up.");
    }
  }
}

std::wstring this_host_name() {
  try {
    return local_host_name();
  } catch (const Failure&) {
    return {};
  }
}

}  // namespace

std::size_t CheckReport::count(Severity severity) const {
  return static_cast<std::size_t>(
      std::count_if(findings.begin(), findings.end(),
                    [severity](const Finding& finding) { return finding.severity == severity; }));
}

int CheckReport::exit_status() const {
  if (count(Severity::kError) != 0) return 2;
  if (count(Severity::kWarning) != 0) return 1;
  return 0;
}

CheckReport check_settings(const Profile& settings, std::wstring_view settings_file,
                           std::wstring_view host_name) {
  CheckReport report;
  report.settings_file = settings_file;
  report.file_read = true;
  report.findings = check_structure(settings);
  check_sections_present(settings, report.findings);
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    report.slots.push_back(check_slot(settings, slot, report.findings));
  }
  for (int item = 1; item <= kStatusItems; ++item) {
    report.items.push_back(check_item(settings, item, report.findings));
  }
  report.save = check_save(settings, host_name, report.findings);
  return report;
}

CheckReport check_settings_file(std::wstring_view path) {
  CheckReport report;
  report.settings_file = path;
  const NativePath native = to_native_path(path);
  const auto fail = [&](std::string code, std::wstring message) {
    Findings(report.findings, Scope::kFile, 0).error(std::move(code), 0, std::move(message));
    return report;
  };

  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(native, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return fail("missing-file", L"The settings file " + in_quotes(path) +
                                    L" does not exist: the survey would disable every box and "
                                    L"save to the root folder.");
  }
  if (status.type() == std::filesystem::file_type::directory) {
    return fail("unreadable-file",
                L"The settings file " + in_quotes(path) + L" is a folder, not a file.");
  }
  // The survey's reader and its limit: Profile::load takes a larger file for no file at all.
  WholeFile file;
  if (const auto read = read_whole_file(native, file, kLargestSettingsFile); !read) {
    return fail("unreadable-file", L"The settings file " + in_quotes(path) + L" cannot be read (" +
                                       read.failure().message() + L").");
  }
  report = check_settings(Profile::from_bytes(file.bytes), path, this_host_name());
  if (auto finding = check_settings_encoding(file.bytes, system_code_page_is_utf8())) {
    report.findings.push_back(std::move(*finding));
  }
  return report;
}

}  // namespace tavro::admin
