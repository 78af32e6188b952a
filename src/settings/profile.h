// The settings file: a profile of [Section] headers and Key=Value lines,
// read by the rules of the native profile-string functions
// (GetPrivateProfileStringA / GetPrivateProfileIntA) that admins' files
// were written for:
//  - CR LF, LF and a lone CR end a line; lines, names and values are trimmed
//    of spaces, tabs, vertical tabs and form feeds;
//  - a header starts with "[" and its name runs to the last "]" on the line;
//  - in a key line the key is the text before the first "=", the value the
//    text after it; a line without "=" is a key with no value;
//  - no comments and no escapes; a NUL ends a name or value where it stands;
//  - names match whole and without regard to letter case; the first section
//    of a name and the first key in it win;
//  - a value quoted with the same quote at both ends loses the quotes;
//  - a line holding only NULs (and blanks) is no line at all;
//  - a string value keeps at most 99 units of the file's encoding (value_cut.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_field.h"
#include "settings/value_cut.h"

namespace tavro {

// The text a string read gives when the file, section or key is missing.
inline constexpr std::wstring_view kMissingText = L"***";

struct ProfileEntry {
  std::wstring key;
  std::wstring folded_key;            // upper-cased, for lookups
  std::optional<std::wstring> value;  // trimmed; empty optional: the line has no "="
  std::size_t line = 0;               // 1-based line number in the file
};

struct ProfileSection {
  std::wstring name;
  std::wstring folded_name;
  std::size_t line = 0;
  std::vector<ProfileEntry> entries;
};

// The largest settings file read; a larger one reads as no file at all.
inline constexpr std::uintmax_t kLargestSettingsFile = std::uintmax_t{64} * 1024 * 1024;

inline constexpr std::string_view kUtf16LeByteOrderMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeByteOrderMark = "\xFE\xFF";

// How a settings file's bytes are written: a UTF-8 or UTF-16 byte-order mark
// picks that encoding, anything else is in the system code page.
FileEncoding encoding_of(std::string_view bytes);

class Profile {
 public:
  // Reads the file at path. A file that is missing or cannot be read is an
  // empty profile, whose reads give the defaults.
  static Profile load(std::wstring_view path);
  // Decodes raw file bytes in the encoding encoding_of names and parses them.
  static Profile from_bytes(std::string_view bytes);
  // Parses decoded text; encoding is how the file was written, which sets
  // how the 99-unit cut counts.
  static Profile parse(std::wstring_view text,
                       FileEncoding encoding = FileEncoding::kSystemCodePage);

  FileEncoding encoding() const { return encoding_; }

  bool file_found() const { return file_found_; }
  // Every section in file order, the keys before the first header included
  // as a section with an empty name and line 0.
  const std::vector<ProfileSection>& sections() const { return sections_; }

  // The first key of that name in the first section of that name.
  const ProfileEntry* find(std::wstring_view section, std::wstring_view key) const;

  // GetPrivateProfileStringA with the default "***" into a 100-character field.
  void read_string(std::wstring_view section, std::wstring_view key, SettingField& field) const;
  // GetPrivateProfileIntA with the default 0.
  std::uint32_t read_int(std::wstring_view section, std::wstring_view key) const;
  // The same reads of an entry find() gave (nullptr: the key is missing).
  void read_string(const ProfileEntry* entry, SettingField& field) const;
  static std::uint32_t read_int(const ProfileEntry* entry);

 private:
  std::vector<ProfileSection> sections_;
  bool file_found_ = false;
  FileEncoding encoding_ = FileEncoding::kSystemCodePage;
};

// A value without its enclosing quotes: at least two characters, the same
// quote (" or ') at both ends.
std::wstring_view unquote(std::wstring_view value);

// The integer reading of an unquoted value: leading blanks, one sign, "0x"
// (or "0o", "0b") for another base, digits up to the first non-digit; kept
// modulo 2^32.
std::uint32_t parse_profile_integer(std::wstring_view value);

}  // namespace tavro
