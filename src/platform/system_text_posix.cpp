// POSIX implementation of platform/system_text.h.
// POSIX text services: the code page is UTF-8, which holds every character.
#include <clocale>
#include <cwctype>

#include <locale.h>

#include "common/unicode.h"
#include "platform/system_text.h"

namespace tavro {
namespace {

// The C.UTF-8 locale maps case by Unicode's default rules, never by a
// language's special ones. Looked up once: newlocale reads locale files.
locale_t invariant_locale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  return locale;
}

}  // namespace

std::wstring decode_system_text(std::string_view bytes) {
  return utf8_to_wide(bytes);
}

std::string encode_system_text(std::wstring_view text) {
  return wide_to_utf8(text);
}

bool system_code_page_is_utf8() {
  return true;
}

std::optional<std::string> encode_system_text_exactly(std::wstring_view text) {
  return wide_to_utf8(text);
}

std::wstring to_upper_invariant(std::wstring_view text) {
  std::wstring upper(text);
  const locale_t locale = invariant_locale();
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') {
      c = static_cast<wchar_t>(c - L'a' + L'A');
    } else if (static_cast<std::uint32_t>(c) >= 0x80 && locale != static_cast<locale_t>(0)) {
      c = static_cast<wchar_t>(towupper_l(static_cast<wint_t>(c), locale));
    }
  }
  return upper;
}

std::filesystem::path::string_type to_native_path(std::wstring_view text) {
  return wide_to_utf8(text);
}

wchar_t path_separator() {
  return L'/';
}

bool is_path_separator(wchar_t c) {
  return c == L'/';
}

}  // namespace tavro
