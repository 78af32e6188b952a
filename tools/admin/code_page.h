// Text in a legacy (ANSI) code page to UTF-8, for records written by
// surveys on PCs whose code page is not UTF-8. One implementation per
// platform: iconv on POSIX, MultiByteToWideChar on Windows.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "survey/inventory_record.h"

namespace tavro::admin {

// The code page records in a legacy code page are read in when none is
// named: the system's ANSI code page on Windows, 1252 elsewhere.
unsigned default_code_page();

// Converts from one code page. A decoder is used by one thread at a time.
class CodePageDecoder final : public LegacyDecoder {
 public:
  // Throws Failure when the system knows no such code page.
  explicit CodePageDecoder(unsigned code_page);
  ~CodePageDecoder() override;
  CodePageDecoder(CodePageDecoder&& other) noexcept;
  CodePageDecoder& operator=(CodePageDecoder&&) = delete;
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  unsigned code_page() const { return code_page_; }

  std::string name() const override { return "code page " + std::to_string(code_page_); }
  // A byte with no character, or a lead byte without its trail byte, is an
  // error at its offset; nothing is ever guessed.
  std::optional<std::size_t> to_utf8(std::string_view bytes, std::string& utf8) override;

 private:
  struct Platform;  // the platform's converter and buffers

  unsigned code_page_;
  std::unique_ptr<Platform> platform_;
};

}  // namespace tavro::admin
