#include "platform/picture_files/bmp.h"

namespace raster {

Image DecodeBmp(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kFileHeaderSize = 14;
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return {};
  const auto pixels_at = dib::U32(bytes, 10);
  const auto header = dib::ReadInfoHeader(bytes, kFileHeaderSize);
  if (!pixels_at || !header || header->planes != 1 || header->bit_count != 24 ||
      header->compression != dib::kUncompressed) {
    return {};
  }
  if (header->width <= 0 || header->width > dib::kMaxSide || header->height <= 0 ||
      header->height > dib::kMaxSide) {
    return {};
  }
  const int width = header->width, height = header->height;
  const std::size_t stride = dib::Stride(width, 24);
  // The last row may go without its padding.
  const std::size_t needed =
      stride * static_cast<std::size_t>(height - 1) + 3 * static_cast<std::size_t>(width);
  if (*pixels_at > bytes.size() || needed > bytes.size() - *pixels_at) return {};

  Image image(width, height);
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* in = bytes.data() + *pixels_at + stride * static_cast<std::size_t>(row);
    Pixel* out = image.row(height - 1 - row);  // rows are stored bottom to top
    for (int x = 0; x < width; ++x, in += 3) {
      out[x] = Pixel{in[2]} << 16 | Pixel{in[1]} << 8 | Pixel{in[0]};
    }
  }
  return image;
}

}  // namespace raster
