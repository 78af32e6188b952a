// The 99-unit cut of a string setting, counted in the unit of the settings
// file's own encoding, as the native reader of that file counts it:
//  - a file in the system code page: bytes of that code page (the narrow
//    GetPrivateProfileStringA into 100 bytes);
//  - a UTF-8 or UTF-16 file with a byte-order mark: UTF-16 code units (the
//    wide GetPrivateProfileStringW into 100 characters; a character outside
//    the Basic Multilingual Plane takes two).
// The cut never splits a character, and the text is never converted through
// a code page on the way: every character kept is the one in the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavro {

enum class FileEncoding : std::uint8_t { kSystemCodePage, kUtf8, kUtf16 };

// The value's length in the encoding's unit.
std::size_t field_units(std::wstring_view value, FileEncoding encoding);

// The longest start of the value of at most SettingField::kCapacity units
// that ends on a whole character.
std::wstring limit_to_field(std::wstring_view value, FileEncoding encoding);

// The unit in words, plural: "bytes in the system code page", "UTF-16 code units".
std::wstring_view field_unit_name(FileEncoding encoding);

}  // namespace tavro
