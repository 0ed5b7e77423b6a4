#include "platform/picture_files/bmp.h"

#include <cstdlib>

namespace raster {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

// BI_BITFIELDS is accepted only with the masks that make it plain BGRX.
bool HasPlainMasks(std::span<const std::uint8_t> bytes, std::size_t header_at) {
  return dib::U32(bytes, header_at + 40) == 0x00FF0000u &&
         dib::U32(bytes, header_at + 44) == 0x0000FF00u &&
         dib::U32(bytes, header_at + 48) == 0x000000FFu;
}

}  // namespace

Image DecodeBmp(std::span<const std::uint8_t> bytes) {
  std::size_t header_at = 0;
  std::optional<std::size_t> pixels_at;
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    const auto offset = dib::U32(bytes, 10);
    if (!offset) return {};
    header_at = kFileHeaderSize;
    pixels_at = *offset;
  }
  const auto header = dib::ReadInfoHeader(bytes, header_at);
  if (!header || header->planes != 1) return {};
  if (header->bit_count != 24 && header->bit_count != 32) return {};
  // Compared both ways round: negating the most negative height would overflow.
  if (header->width <= 0 || header->width > dib::kMaxSide || header->height == 0 ||
      header->height < -dib::kMaxSide || header->height > dib::kMaxSide) {
    return {};
  }
  std::size_t masks_size = 0;
  if (header->compression == dib::kBitFields) {
    if (header->bit_count != 32 || !HasPlainMasks(bytes, header_at)) return {};
    if (header->size == dib::kInfoHeaderSize) masks_size = 12;  // the masks follow the header
  } else if (header->compression != dib::kUncompressed) {
    return {};
  }
  if (!pixels_at) {
    pixels_at = header_at + header->size + masks_size + std::size_t{header->colours_used} * 4;
  }

  const int width = header->width;
  const int height = std::abs(header->height);
  const bool top_down = header->height < 0;
  const std::size_t pixel_size = header->bit_count / 8;
  const std::size_t stride = dib::Stride(width, header->bit_count);
  // The last row may go without its padding.
  const std::size_t needed = stride * static_cast<std::size_t>(height - 1) + pixel_size * width;
  if (*pixels_at > bytes.size() || needed > bytes.size() - *pixels_at) return {};

  Image image(width, height);
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* in = bytes.data() + *pixels_at + stride * static_cast<std::size_t>(row);
    Pixel* out = image.row(top_down ? row : height - 1 - row);
    for (int x = 0; x < width; ++x, in += pixel_size) {
      out[x] = Pixel{in[2]} << 16 | Pixel{in[1]} << 8 | Pixel{in[0]};
    }
  }
  return image;
}

}  // namespace raster
