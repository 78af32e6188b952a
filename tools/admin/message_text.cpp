#include "message_text.h"

#include "common/unicode.h"

namespace tavro::admin {

std::wstring in_quotes(std::wstring_view text) {
  std::wstring result = L"\"";
  for (const wchar_t c : text) {
    if (c == L'\0') {
      result += L"\\0";
    } else {
      result += c;
    }
  }
  return result + L"\"";
}

namespace {

// Paths are wide on Windows and UTF-8 bytes elsewhere; the overload for
// this platform's kind of path is the one that is used.
[[maybe_unused]] std::wstring native_text(const std::wstring& native) {
  return native;
}
[[maybe_unused]] std::wstring native_text(const std::string& native) {
  return utf8_to_wide(native);
}

}  // namespace

std::wstring path_text(const std::filesystem::path& path) {
  return native_text(path.native());
}

}  // namespace tavro::admin
