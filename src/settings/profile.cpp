#include "settings/profile.h"

#include <algorithm>

#include "common/unicode.h"
#include "platform/system_text.h"
#include "platform/whole_file.h"

namespace tavro {
namespace {

// The white space the native reader trims: space, tab, vertical tab and form feed.
bool is_blank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f';
}

std::wstring_view trim(std::wstring_view text) {
  while (!text.empty() && is_blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back()))
    text.remove_suffix(1);
  return text;
}

// Names and values are C strings to the native reader: a NUL ends them.
std::wstring_view up_to_nul(std::wstring_view text) {
  return text.substr(0, text.find(L'\0'));
}

// A line the native reader passes over, as if it were empty.
bool only_nuls(std::wstring_view line) {
  return std::all_of(line.begin(), line.end(), [](wchar_t c) { return c == L'\0' || is_blank(c); });
}

// Calls on_line(text, line_number) for each line; CR LF, LF and CR end lines.
template <typename OnLine>
void for_each_line(std::wstring_view text, OnLine on_line) {
  std::size_t number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) end = text.size();
    on_line(text.substr(start, end - start), ++number);
    if (end == text.size()) break;
    const bool crlf = text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n';
    start = end + (crlf ? 2 : 1);
  }
}

}  // namespace

Profile Profile::load(std::wstring_view path) {
  // A file that cannot be read (missing, a folder, no permission, absurdly
  // large) reads as missing, as with the native reader: every read gives its default.
  WholeFile file;
  if (!read_whole_file(to_native_path(path), file, kLargestSettingsFile)) return {};
  Profile profile = from_bytes(file.bytes);
  profile.file_found_ = true;
  return profile;
}

FileEncoding encoding_of(std::string_view bytes) {
  if (bytes.starts_with(kUtf8ByteOrderMark)) return FileEncoding::kUtf8;
  if (bytes.starts_with(kUtf16LeByteOrderMark) || bytes.starts_with(kUtf16BeByteOrderMark))
    return FileEncoding::kUtf16;
  return FileEncoding::kSystemCodePage;
}

Profile Profile::from_bytes(std::string_view bytes) {
  switch (encoding_of(bytes)) {
    case FileEncoding::kUtf8:
      return parse(utf8_to_wide(bytes.substr(kUtf8ByteOrderMark.size())), FileEncoding::kUtf8);
    case FileEncoding::kUtf16:
      return parse(utf16_to_wide(bytes.substr(2), bytes.starts_with(kUtf16LeByteOrderMark)
                                                      ? ByteOrder::kLittleEndian
                                                      : ByteOrder::kBigEndian),
                   FileEncoding::kUtf16);
    case FileEncoding::kSystemCodePage:
      break;
  }
  return parse(decode_system_text(bytes), FileEncoding::kSystemCodePage);
}

Profile Profile::parse(std::wstring_view text, FileEncoding encoding) {
  Profile profile;
  profile.encoding_ = encoding;
  profile.sections_.emplace_back();  // keys above the first header
  for_each_line(text, [&](std::wstring_view raw_line, std::size_t number) {
    const std::wstring_view line = trim(raw_line);
    if (only_nuls(line)) return;
    if (line.front() == L'[') {
      const std::size_t close = line.rfind(L']');
      if (close != std::wstring_view::npos) {
        ProfileSection section;
        section.name = up_to_nul(trim(line.substr(1, close - 1)));
        section.folded_name = to_upper_invariant(section.name);
        section.line = number;
        profile.sections_.push_back(std::move(section));
        return;
      }
    }
    ProfileEntry entry;
    entry.line = number;
    const std::size_t equals = line.find(L'=');
    entry.key = up_to_nul(trim(line.substr(0, equals)));
    if (equals != std::wstring_view::npos) {
      entry.value = std::wstring(up_to_nul(trim(line.substr(equals + 1))));
    }
    entry.folded_key = to_upper_invariant(entry.key);
    profile.sections_.back().entries.push_back(std::move(entry));
  });
  return profile;
}

const ProfileEntry* Profile::find(std::wstring_view section, std::wstring_view key) const {
  const std::wstring folded_section = to_upper_invariant(section);
  for (const ProfileSection& candidate : sections_) {
    if (candidate.line == 0 || candidate.folded_name != folded_section) continue;
    const std::wstring folded_key = to_upper_invariant(key);
    for (const ProfileEntry& entry : candidate.entries) {
      if (entry.folded_key == folded_key) return &entry;
    }
    return nullptr;  // only the first section of a name counts
  }
  return nullptr;
}

void Profile::read_string(std::wstring_view section, std::wstring_view key,
                          SettingField& field) const {
  read_string(find(section, key), field);
}

std::uint32_t Profile::read_int(std::wstring_view section, std::wstring_view key) const {
  return read_int(find(section, key));
}

void Profile::read_string(const ProfileEntry* entry, SettingField& field) const {
  if (entry == nullptr || !entry->value) {
    field.store(kMissingText);
    return;
  }
  field.store(limit_to_field(unquote(*entry->value), encoding_));
}

std::uint32_t Profile::read_int(const ProfileEntry* entry) {
  if (entry == nullptr || !entry->value) return 0;
  return parse_profile_integer(unquote(*entry->value));
}

std::wstring_view unquote(std::wstring_view value) {
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::uint32_t parse_profile_integer(std::wstring_view value) {
  std::size_t pos = 0;
  while (pos < value.size() && static_cast<std::uint32_t>(value[pos]) <= L' ')
    ++pos;
  bool negative = false;
  if (pos < value.size() && (value[pos] == L'+' || value[pos] == L'-')) {
    negative = value[pos] == L'-';
    ++pos;
  }
  std::uint32_t base = 10;
  if (pos + 1 < value.size() && value[pos] == L'0') {
    switch (value[pos + 1]) {
      case L'x':
        base = 16;
        break;
      case L'o':
        base = 8;
        break;
      case L'b':
        base = 2;
        break;
      default:
        break;
    }
    if (base != 10) pos += 2;
  }
  std::uint32_t total = 0;
  for (; pos < value.size(); ++pos) {
    const wchar_t c = value[pos];
    std::uint32_t digit = 36;
    if (c >= L'0' && c <= L'9') digit = static_cast<std::uint32_t>(c - L'0');
    if (c >= L'a' && c <= L'z') digit = static_cast<std::uint32_t>(c - L'a' + 10);
    if (c >= L'A' && c <= L'Z') digit = static_cast<std::uint32_t>(c - L'A' + 10);
    if (digit >= base) break;
    total = total * base + digit;  // unsigned: wraps modulo 2^32
  }
  return negative ? 0u - total : total;
}

}  // namespace tavro
