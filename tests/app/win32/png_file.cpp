#include "png_file.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace tavro::testing {
namespace {

std::uint32_t crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k)
        c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char byte : bytes)
    crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFFu] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void put_u32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<char>((value >> shift) & 0xFFu));
}

void put_chunk(std::string& out, std::string_view type, std::string_view data) {
  put_u32(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type) + std::string(data);
  out += typed;
  put_u32(out, crc32(typed));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string zlib_stored(std::string_view data) {
  std::string out = "\x78\x01";
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const char byte : data) {
    a = (a + static_cast<unsigned char>(byte)) % 65521u;
    b = (b + a) % 65521u;
  }
  do {
    const std::size_t length = data.size() < 65535 ? data.size() : 65535;
    const bool last = length == data.size();
    out.push_back(last ? '\x01' : '\x00');
    out.push_back(static_cast<char>(length & 0xFFu));
    out.push_back(static_cast<char>(length >> 8));
    out.push_back(static_cast<char>(~length & 0xFFu));
    out.push_back(static_cast<char>((~length >> 8) & 0xFFu));
    out += data.substr(0, length);
    data.remove_prefix(length);
  } while (!data.empty());
  put_u32(out, (b << 16) | a);
  return out;
}

}  // namespace

bool write_png(const std::wstring& path, int width, int height,
               const std::vector<std::uint32_t>& pixels) {
  std::string header;
  put_u32(header, static_cast<std::uint32_t>(width));
  put_u32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  std::string rows;
  for (int y = 0; y < height; ++y) {
    rows.push_back('\0');  // no filter
    for (int x = 0; x < width; ++x) {
      const std::uint32_t rgb = pixels[static_cast<std::size_t>(y * width + x)];
      rows.push_back(static_cast<char>((rgb >> 16) & 0xFFu));
      rows.push_back(static_cast<char>((rgb >> 8) & 0xFFu));
      rows.push_back(static_cast<char>(rgb & 0xFFu));
    }
  }
  std::string png = "\x89PNG\r\n\x1A\n";
  put_chunk(png, "IHDR", header);
  put_chunk(png, "IDAT", zlib_stored(rows));
  put_chunk(png, "IEND", "");
  std::ofstream file(std::filesystem::path(path), std::ios::binary);
  file.write(png.data(), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file);
}

}  // namespace tavro::testing
