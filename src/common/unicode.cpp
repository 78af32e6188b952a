#include "common/unicode.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tavro {
namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool is_high_surrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool is_low_surrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}
bool is_surrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

// Reads one code point from wide text at pos, advancing pos.
char32_t next_code_point(std::wstring_view text, std::size_t& pos) {
  const auto unit = static_cast<char32_t>(text[pos++]);
  if constexpr (kWideIsUtf16) {
    if (is_high_surrogate(unit) && pos < text.size() &&
        is_low_surrogate(static_cast<char32_t>(text[pos]))) {
      const auto low = static_cast<char32_t>(text[pos++]);
      return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  if (is_surrogate(unit) || unit > 0x10FFFF) return kReplacementCharacter;
  return unit;
}

// Where the run of ASCII words from pos ends: records are nearly all ASCII,
// and eight bytes are checked at once.
std::size_t past_ascii_words(std::string_view bytes, std::size_t pos) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::uint64_t word = 0;
  for (; pos + sizeof word <= bytes.size(); pos += sizeof word) {
    std::memcpy(&word, bytes.data() + pos, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  return pos;
}

}  // namespace

void append_code_point(std::wstring& out, char32_t code_point) {
  if (code_point > 0x10FFFF || is_surrogate(code_point)) code_point = kReplacementCharacter;
  if constexpr (kWideIsUtf16) {
    if (code_point >= 0x10000) {
      code_point -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (code_point >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (code_point & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(code_point));
}

std::wstring utf8_to_wide(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80) {
      out.push_back(static_cast<wchar_t>(lead));
      ++pos;
      continue;
    }
    std::size_t length = 0;
    char32_t code_point = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, code_point = lead & 0x1Fu, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, code_point = lead & 0x0Fu, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, code_point = lead & 0x07u, minimum = 0x10000;
    }
    std::size_t used = 1;
    bool valid = length != 0;
    for (; valid && used < length; ++used) {
      if (pos + used >= bytes.size()) {
        valid = false;
        break;
      }
      const auto next = static_cast<unsigned char>(bytes[pos + used]);
      if ((next & 0xC0u) != 0x80u) {
        valid = false;
        break;
      }
      code_point = (code_point << 6) | (next & 0x3Fu);
    }
    if (valid && (code_point < minimum || code_point > 0x10FFFF || is_surrogate(code_point))) {
      valid = false;
    }
    append_code_point(out, valid ? code_point : kReplacementCharacter);
    // A malformed sequence consumes its lead byte and the continuation bytes read so far.
    pos += valid ? length : std::max<std::size_t>(used, 1);
  }
  return out;
}

std::string wide_to_utf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t c = next_code_point(text, pos);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::wstring utf16_to_wide(std::string_view bytes, ByteOrder order) {
  std::wstring out;
  out.reserve(bytes.size() / 2);
  const auto unit_at = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    return order == ByteOrder::kLittleEndian ? static_cast<char32_t>(first | (second << 8))
                                             : static_cast<char32_t>((first << 8) | second);
  };
  const std::size_t units = bytes.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const char32_t unit = unit_at(i);
    if (is_high_surrogate(unit) && i + 1 < units && is_low_surrogate(unit_at(i + 1))) {
      append_code_point(out, 0x10000 + ((unit - 0xD800) << 10) + (unit_at(i + 1) - 0xDC00));
      ++i;
    } else {
      append_code_point(out, unit);
    }
  }
  return out;
}

std::size_t code_point_width(std::wstring_view text) {
  std::size_t pos = 0;
  next_code_point(text, pos);
  return pos;
}

std::size_t invalid_utf8_offset(std::string_view bytes) {
  std::size_t pos = 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  while ((pos = past_ascii_words(bytes, pos)) < bytes.size()) {
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
      ++pos;
      continue;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range the second byte must fall in
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // overlong
      if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;   // overlong
      if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
    } else {
      return pos;
    }
    if (pos + length > bytes.size()) return pos;
    if (byte(pos + 1) < low || byte(pos + 1) > high) return pos;
    for (std::size_t i = 2; i < length; ++i) {
      if ((byte(pos + i) & 0xC0U) != 0x80) return pos;
    }
    pos += length;
  }
  return std::string_view::npos;
}

bool is_utf8_beyond_ascii(std::string_view bytes) {
  const bool beyond_ascii = std::any_of(
      bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  return beyond_ascii && invalid_utf8_offset(bytes) == std::string_view::npos;
}

}  // namespace tavro
