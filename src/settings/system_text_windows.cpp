// Windows text services: the ANSI code page and the invariant case mapping.
#include <windows.h>

#include <climits>

#include "settings/system_text.h"

namespace tavro {
namespace {

int checked_length(std::size_t size) {
  return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

}  // namespace

std::wstring decode_system_text(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = checked_length(bytes.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), needed);
  return text;
}

std::string encode_system_text(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = checked_length(text.size());
  // With no flags the conversion substitutes the code page's default
  // character ("?") for anything it cannot hold.
  const int needed =
      WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
  return bytes;
}

bool system_code_page_is_utf8() {
  return GetACP() == CP_UTF8;
}

std::wstring to_upper_invariant(std::wstring_view text) {
  std::wstring upper(text);
  if (upper.empty()) return upper;
  // LCMAP_UPPERCASE maps each UTF-16 unit to one unit, so the length holds.
  LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), checked_length(text.size()),
                upper.data(), checked_length(upper.size()), nullptr, nullptr, 0);
  return upper;
}

std::filesystem::path::string_type to_native_path(std::wstring_view text) {
  return std::wstring(text);
}

wchar_t path_separator() {
  return L'\\';
}

bool is_path_separator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

}  // namespace tavro
