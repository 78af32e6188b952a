#include "settings_encoding_check.h"

#include <algorithm>
#include <string>

#include "common/unicode.h"
#include "message_text.h"
#include "platform/system_text.h"
#include "settings/profile.h"

namespace tavro::admin {
namespace {

struct Line {
  std::size_t number = 0;
  std::string_view text;
};

// The line holding the byte at pos; CR LF, LF and a lone CR end lines.
Line line_at(std::string_view bytes, std::size_t pos) {
  Line line{1, {}};
  std::size_t start = 0;
  for (std::size_t i = 0; i < pos; ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      ++line.number;
      start = i + 1;
    }
  }
  const std::size_t end = bytes.find_first_of("\r\n", pos);
  line.text = bytes.substr(start, end == std::string_view::npos ? end : end - start);
  return line;
}

}  // namespace

std::optional<Finding> check_settings_encoding(std::string_view bytes, bool code_page_is_utf8) {
  if (code_page_is_utf8 || encoding_of(bytes) != FileEncoding::kSystemCodePage) return std::nullopt;
  if (!is_utf8_beyond_ascii(bytes)) return std::nullopt;
  const auto* const non_ascii = std::find_if(
      bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  const Line line = line_at(bytes, static_cast<std::size_t>(non_ascii - bytes.begin()));
  return Finding{Severity::kWarning,
                 "utf8-without-bom",
                 L"The file is saved as UTF-8 without a byte-order mark: the survey will show " +
                     in_quotes(decode_system_text(line.text)) + L" for " +
                     in_quotes(utf8_to_wide(line.text)) +
                     L"; save it as ANSI or as UTF-8 with BOM.",
                 line.number,
                 Scope::kFile,
                 0};
}

}  // namespace tavro::admin
