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

// A file that starts with these bytes is UTF-8 whatever the code page.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The offset of the first byte of bytes that is not part of valid UTF-8
// (overlong forms, surrogates and code points past U+10FFFF included), or
// npos when all of it is valid.
std::size_t invalid_utf8_offset(std::string_view bytes);

// True when bytes are valid UTF-8 holding at least one character beyond
// ASCII: text that a reader guessing the encoding takes for UTF-8.
bool is_utf8_beyond_ascii(std::string_view bytes);

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
