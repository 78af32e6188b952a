// Windows implementation of platform/system_error.h.
#include <windows.h>

#include <string>

#include "common/failure.h"
#include "platform/system_error.h"

namespace tavro {

std::wstring system_error_text(int code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length != 0 ? std::wstring(text, length)
                                     : L"Error " + std::to_wstring(static_cast<DWORD>(code));
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  return message;
}

}  // namespace tavro
