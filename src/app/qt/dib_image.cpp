#include "dib_image.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace tavro::qt {
namespace {

std::uint32_t little_endian(QByteArrayView bytes, qsizetype at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

std::optional<std::uint32_t> field(QByteArrayView bytes, qsizetype at, int size) {
  if (at < 0 || at + size > bytes.size()) return std::nullopt;
  return little_endian(bytes, at, size);
}

// Rows are stored bottom-up (unless the height is negative), each padded to
// four bytes; a pixel of 8 bits or fewer indexes the palette after the header.
// An icon's bitmap is twice its height: the colours, then a 1-bit mask in
// which a set bit is transparent.
QImage decode_dib(QByteArrayView dib, bool with_mask, std::optional<qsizetype> pixels_at_given) {
  const auto header_size = field(dib, 0, 4);
  const auto raw_width = field(dib, 4, 4);
  const auto raw_height = field(dib, 8, 4);
  const auto bits = field(dib, 14, 2);
  const auto compression = field(dib, 16, 4);
  const auto colours_used = field(dib, 32, 4);
  if (!header_size || *header_size < 40 || !raw_width || !raw_height || !bits || !compression ||
      !colours_used || *compression != 0) {
    return {};
  }
  const int width = static_cast<std::int32_t>(*raw_width);
  int height = static_cast<std::int32_t>(*raw_height);
  const bool top_down = height < 0;
  height = std::abs(height) / (with_mask ? 2 : 1);
  const int depth = static_cast<int>(*bits);
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096 ||
      (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32)) {
    return {};
  }
  const qsizetype palette_at = *header_size;
  const qsizetype palette_size =
      depth > 8 ? 0 : (*colours_used != 0 ? qsizetype(*colours_used) : qsizetype(1) << depth);
  const qsizetype pixels_at = pixels_at_given.value_or(palette_at + 4 * palette_size);
  const qsizetype stride = (qsizetype(width) * depth + 31) / 32 * 4;
  const qsizetype mask_at = pixels_at + stride * height;
  const qsizetype mask_stride = (qsizetype(width) + 31) / 32 * 4;
  if (palette_size > 256 || mask_at + (with_mask ? mask_stride * height : 0) > dib.size()) {
    return {};
  }
  const auto byte = [&dib](qsizetype at) { return static_cast<std::uint8_t>(dib[at]); };
  const auto bgr = [&byte](qsizetype at) { return qRgb(byte(at + 2), byte(at + 1), byte(at)); };

  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    const int stored_row = top_down ? y : height - 1 - y;
    const qsizetype row = pixels_at + stride * stored_row;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      QRgb colour = 0;
      if (depth == 32) {
        colour = with_mask ? qRgba(byte(row + 4 * x + 2), byte(row + 4 * x + 1), byte(row + 4 * x),
                                   byte(row + 4 * x + 3))
                           : bgr(row + 4 * x);
      } else if (depth == 24) {
        colour = bgr(row + 3 * x);
      } else {
        const qsizetype bit = qsizetype(x) * depth;
        const int index = byte(row + bit / 8) >> (8 - depth - bit % 8) & ((1 << depth) - 1);
        if (index >= palette_size) return {};
        colour = bgr(palette_at + 4 * index);
      }
      if (with_mask) {
        const qsizetype mask_row = mask_at + mask_stride * stored_row;
        const bool transparent = (byte(mask_row + x / 8) >> (7 - x % 8) & 1) != 0;
        colour = transparent ? qRgba(0, 0, 0, 0) : colour;
      }
      out[x] = colour;
    }
  }
  return image;
}

}  // namespace

QImage decode_bmp_file(QByteArrayView file) {
  const auto pixels_at = field(file, 10, 4);
  if (!pixels_at || *pixels_at < 14 || file[0] != 'B' || file[1] != 'M') return {};
  QImage image = decode_dib(file.sliced(14), false, qsizetype(*pixels_at) - 14);
  // Opaque: the format Qt gives a BMP of its own.
  return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

QList<QImage> decode_ico_file(QByteArrayView file) {
  const auto reserved = field(file, 0, 2);
  const auto type = field(file, 2, 2);
  const auto count = field(file, 4, 2);
  if (!reserved || !type || !count || *reserved != 0 || *type != 1) return {};
  QList<QImage> images;
  for (qsizetype entry = 6; entry < 6 + 16 * qsizetype(*count); entry += 16) {
    const auto size = field(file, entry + 8, 4);
    const auto at = field(file, entry + 12, 4);
    if (!size || !at || qsizetype(*at) + qsizetype(*size) > file.size()) return {};
    const QByteArrayView bytes = file.sliced(*at, *size);
    const QImage image = bytes.startsWith("\x89PNG") ? QImage::fromData(bytes, "PNG")
                                                     : decode_dib(bytes, true, std::nullopt);
    if (image.isNull()) return {};
    images.append(image);
  }
  return images;
}

}  // namespace tavro::qt
