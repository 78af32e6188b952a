// Conversions between UTF-8, UTF-16 and the program's wide text.
//
// Wide text is std::wstring: UTF-16 where wchar_t has 16 bits (Windows),
// UTF-32 elsewhere. Malformed input never fails: each bad unit decodes to
// U+FFFD, as a lenient text editor would show it.
#pragma once

#include <string>
#include <string_view>

namespace tavro {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends one code point to wide text (a surrogate pair where wchar_t is 16-bit).
void append_code_point(std::wstring& out, char32_t code_point);

std::wstring utf8_to_wide(std::string_view bytes);
std::string wide_to_utf8(std::wstring_view text);

enum class ByteOrder { kLittleEndian, kBigEndian };
// Decodes UTF-16 from raw bytes; a trailing odd byte is dropped.
std::wstring utf16_to_wide(std::string_view bytes, ByteOrder order);

// Number of wide characters the code point starting at text[0] occupies
// (2 for a surrogate pair in 16-bit wide text, else 1). text must not be empty.
std::size_t code_point_width(std::wstring_view text);

}  // namespace tavro
