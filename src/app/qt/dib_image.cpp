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

// Where the parts of a bitmap lie. Rows are stored bottom-up (unless the
// height is negative), each padded to four bytes; a pixel of 8 bits or fewer
// indexes the palette after the header. An icon's bitmap is twice its
// height: the colours, then a 1-bit mask in which a set bit is transparent.
struct DibLayout {
  int width = 0;
  int height = 0;
  bool top_down = false;
  int depth = 0;
  qsizetype palette_at = 0;
  qsizetype palette_size = 0;
  qsizetype pixels_at = 0;
  qsizetype stride = 0;
  qsizetype mask_at = 0;
  qsizetype mask_stride = 0;
};

std::optional<DibLayout> layout_of(QByteArrayView dib, bool with_mask,
                                   std::optional<qsizetype> pixels_at) {
  const auto header_size = field(dib, 0, 4);
  const auto width = field(dib, 4, 4);
  const auto height = field(dib, 8, 4);
  const auto bits = field(dib, 14, 2);
  const auto compression = field(dib, 16, 4);
  const auto colours_used = field(dib, 32, 4);
  if (!header_size || *header_size < 40 || !width || !height || !bits || !compression ||
      !colours_used || *compression != 0) {
    return std::nullopt;
  }
  DibLayout layout;
  layout.width = static_cast<std::int32_t>(*width);
  const int signed_height = static_cast<std::int32_t>(*height);
  layout.top_down = signed_height < 0;
  layout.height = std::abs(signed_height) / (with_mask ? 2 : 1);
  layout.depth = static_cast<int>(*bits);
  if (layout.width <= 0 || layout.height <= 0 || layout.width > 4096 || layout.height > 4096 ||
      (layout.depth != 1 && layout.depth != 4 && layout.depth != 8 && layout.depth != 24 &&
       layout.depth != 32)) {
    return std::nullopt;
  }
  layout.palette_at = *header_size;
  if (layout.depth <= 8) {
    layout.palette_size =
        *colours_used != 0 ? qsizetype(*colours_used) : qsizetype(1) << layout.depth;
  }
  layout.pixels_at = pixels_at.value_or(layout.palette_at + 4 * layout.palette_size);
  layout.stride = (qsizetype(layout.width) * layout.depth + 31) / 32 * 4;
  layout.mask_at = layout.pixels_at + layout.stride * layout.height;
  layout.mask_stride = with_mask ? (qsizetype(layout.width) + 31) / 32 * 4 : 0;
  if (layout.palette_size > 256 ||
      layout.mask_at + layout.mask_stride * layout.height > dib.size()) {
    return std::nullopt;
  }
  return layout;
}

// The colour of pixel x of stored row y; nothing when it indexes no colour.
std::optional<QRgb> pixel(QByteArrayView dib, const DibLayout& layout, int y, qsizetype x) {
  const auto byte = [&dib](qsizetype at) { return static_cast<std::uint8_t>(dib[at]); };
  const qsizetype row = layout.pixels_at + layout.stride * y;
  QRgb colour = 0;
  if (layout.depth >= 24) {
    const qsizetype at = row + x * (layout.depth / 8);
    const int alpha = layout.depth == 32 && layout.mask_stride != 0 ? byte(at + 3) : 255;
    colour = qRgba(byte(at + 2), byte(at + 1), byte(at), alpha);
  } else {
    const qsizetype bit = x * layout.depth;
    const int index =
        byte(row + bit / 8) >> (8 - layout.depth - bit % 8) & ((1 << layout.depth) - 1);
    if (index >= layout.palette_size) return std::nullopt;
    const qsizetype at = layout.palette_at + qsizetype(4) * index;
    colour = qRgb(byte(at + 2), byte(at + 1), byte(at));
  }
  // A 32-bit icon carries its own alpha, and Windows then ignores the mask.
  if (layout.mask_stride != 0 && layout.depth != 32) {
    const qsizetype mask_row = layout.mask_at + layout.mask_stride * y;
    if ((byte(mask_row + x / 8) >> (7 - x % 8) & 1) != 0) return qRgba(0, 0, 0, 0);
  }
  return colour;
}

QImage decode_dib(QByteArrayView dib, bool with_mask, std::optional<qsizetype> pixels_at) {
  const std::optional<DibLayout> layout = layout_of(dib, with_mask, pixels_at);
  if (!layout) return {};
  QImage image(layout->width, layout->height, QImage::Format_ARGB32);
  for (int y = 0; y < layout->height; ++y) {
    const int stored_row = layout->top_down ? y : layout->height - 1 - y;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < layout->width; ++x) {
      const std::optional<QRgb> colour = pixel(dib, *layout, stored_row, x);
      if (!colour) return {};
      out[x] = *colour;
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
    if (bytes.startsWith("\x89PNG")) continue;
    const QImage image = decode_dib(bytes, true, std::nullopt);
    if (image.isNull()) return {};
    images.append(image);
  }
  return images;
}

}  // namespace tavro::qt
