// Windows implementation of code_page.h, through MultiByteToWideChar with
// MB_ERR_INVALID_CHARS, so a byte with no character is an error and never a
// best-fit guess.
#include <windows.h>

#include "code_page.h"
#include "common/failure.h"
#include "common/unicode.h"

namespace tavro::admin {
namespace {

bool converts(unsigned code_page, std::string_view bytes) {
  return bytes.empty() || MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(),
                                              static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

// The offset of the first character that does not convert: taken one
// character (one or two bytes) at a time, only once the whole has failed.
std::size_t invalid_offset(unsigned code_page, std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t length =
        IsDBCSLeadByteEx(code_page, static_cast<BYTE>(bytes[pos])) != 0 ? 2 : 1;
    if (pos + length > bytes.size() || !converts(code_page, bytes.substr(pos, length))) return pos;
    pos += length;
  }
  return pos;
}

}  // namespace

struct CodePageDecoder::Platform {
  std::wstring wide;  // reused from record to record
};

unsigned default_code_page() {
  return GetACP();
}

CodePageDecoder::CodePageDecoder(unsigned code_page)
    : code_page_(code_page), platform_(std::make_unique<Platform>()) {
  if (IsValidCodePage(code_page) == 0) {
    throw Failure(L"Code page " + std::to_wstring(code_page) +
                  L" is not installed on this system.");
  }
}

CodePageDecoder::~CodePageDecoder() = default;

CodePageDecoder::CodePageDecoder(CodePageDecoder&& other) noexcept = default;

std::optional<std::size_t> CodePageDecoder::to_utf8(std::string_view bytes, std::string& utf8) {
  platform_->wide.resize(bytes.size());  // never more UTF-16 units than bytes
  const int length =
      bytes.empty() ? 0
                    : MultiByteToWideChar(code_page_, MB_ERR_INVALID_CHARS, bytes.data(),
                                          static_cast<int>(bytes.size()), platform_->wide.data(),
                                          static_cast<int>(platform_->wide.size()));
  if (length == 0 && !bytes.empty()) return invalid_offset(code_page_, bytes);
  platform_->wide.resize(static_cast<std::size_t>(length));
  utf8 = wide_to_utf8(platform_->wide);
  return std::nullopt;
}

}  // namespace tavro::admin
