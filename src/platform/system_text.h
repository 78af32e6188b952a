// Text services of the operating system: the narrow system code page and
// letter-case mapping. One implementation per platform, chosen by the build.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavro {

// Narrow text in the system code page (Windows: the ANSI code page;
// elsewhere UTF-8) to wide text.
std::wstring decode_system_text(std::string_view bytes);

// Wide text to the system code page. A character the code page cannot hold
// becomes "?", so encoding never fails.
std::string encode_system_text(std::wstring_view text);

// True when the system code page is UTF-8 (always so outside Windows).
bool system_code_page_is_utf8();

// Wide text to the system code page only where every character is there as
// itself: empty when the code page would drop, replace or best-fit any of
// them (Windows maps "Ł" to "L" in code page 1252 unless told not to).
std::optional<std::string> encode_system_text_exactly(std::wstring_view text);

// Upper-cases one character for one, the same in every locale, the way the
// file system compares names (so "i" becomes "I" even under a Turkish locale).
// The result always has the length of the input.
std::wstring to_upper_invariant(std::wstring_view text);

// The path for wide text as the platform's file functions take it (it
// converts to std::filesystem::path where one is wanted).
std::filesystem::path::string_type to_native_path(std::wstring_view text);

// The directory separator the platform writes ("\" on Windows, "/" elsewhere).
wchar_t path_separator();

// True when c separates folders in a path on this platform.
bool is_path_separator(wchar_t c);

}  // namespace tavro
