// Windows implementation of platform/system_text.h.
// Windows text services: the ANSI code page and the invariant case mapping.
#include <windows.h>

#include <climits>
#include <optional>

#include "platform/system_text.h"

namespace tavro {
namespace {

int checked_length(std::size_t size) {
  return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

// The conversion to the code page with flags, or empty where it fails.
std::optional<std::string> to_code_page(UINT code_page, DWORD flags, std::wstring_view text,
                                        BOOL* used_default) {
  const int length = checked_length(text.size());
  const int needed =
      WideCharToMultiByte(code_page, flags, text.data(), length, nullptr, 0, nullptr, used_default);
  if (needed <= 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  if (WideCharToMultiByte(code_page, flags, text.data(), length, bytes.data(), needed, nullptr,
                          nullptr) != needed) {
    return std::nullopt;
  }
  return bytes;
}

// Whether the bytes decode to exactly the text: what catches any mapping
// the flags did not forbid (or that a code page takes no flags to forbid).
bool decodes_to(UINT code_page, const std::string& bytes, std::wstring_view text) {
  const int length = checked_length(bytes.size());
  const int needed =
      MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
  if (needed <= 0 || static_cast<std::size_t>(needed) != text.size()) return false;
  std::wstring decoded(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), length, decoded.data(),
                      needed);
  return decoded == text;
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

std::optional<std::string> encode_system_text_exactly(std::wstring_view text) {
  if (text.empty()) return std::string();
  const UINT code_page = GetACP();
  std::optional<std::string> bytes;
  if (code_page == CP_UTF8) {
    // UTF-8 takes no used-default flag; it holds every character but a lone
    // surrogate, which WC_ERR_INVALID_CHARS refuses instead of replacing.
    bytes = to_code_page(code_page, WC_ERR_INVALID_CHARS, text, nullptr);
  } else {
    BOOL used_default = FALSE;
    bytes = to_code_page(code_page, WC_NO_BEST_FIT_CHARS, text, &used_default);
    if (!bytes &&
        (GetLastError() == ERROR_INVALID_FLAGS || GetLastError() == ERROR_INVALID_PARAMETER)) {
      // Code pages such as the ISO-2022 ones and UTF-7 take neither the flag
      // nor the used-default pointer: only the round trip below judges them.
      bytes = to_code_page(code_page, 0, text, nullptr);
    } else if (used_default) {
      return std::nullopt;
    }
  }
  if (!bytes || !decodes_to(code_page, *bytes, text)) return std::nullopt;
  return bytes;
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
