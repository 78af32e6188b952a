#include "settings/value_cut.h"

#include "common/unicode.h"
#include "platform/system_text.h"
#include "settings/setting_field.h"

namespace tavro {
namespace {

// The units of one whole character (one or two wide characters).
std::size_t character_units(std::wstring_view character, FileEncoding encoding) {
  if (encoding == FileEncoding::kSystemCodePage) return encode_system_text(character).size();
  // Beyond U+FFFF (four bytes in UTF-8) a character takes a surrogate pair.
  return wide_to_utf8(character).size() == 4 ? 2 : 1;
}

}  // namespace

std::size_t field_units(std::wstring_view value, FileEncoding encoding) {
  if (encoding == FileEncoding::kSystemCodePage) return encode_system_text(value).size();
  std::size_t units = 0;
  for (std::size_t pos = 0; pos < value.size();) {
    const std::size_t width = code_point_width(value.substr(pos));
    units += character_units(value.substr(pos, width), encoding);
    pos += width;
  }
  return units;
}

std::wstring limit_to_field(std::wstring_view value, FileEncoding encoding) {
  std::size_t used = 0;
  std::size_t pos = 0;
  while (pos < value.size()) {
    const std::size_t width = code_point_width(value.substr(pos));
    const std::size_t units = character_units(value.substr(pos, width), encoding);
    if (used + units > SettingField::kCapacity) break;
    used += units;
    pos += width;
  }
  return std::wstring(value.substr(0, pos));
}

std::wstring_view field_unit_name(FileEncoding encoding) {
  return encoding == FileEncoding::kSystemCodePage ? L"bytes in the system code page"
                                                   : L"UTF-16 code units";
}

}  // namespace tavro
