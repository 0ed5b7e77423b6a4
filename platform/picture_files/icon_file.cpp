#include "platform/picture_files/icon_file.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/picture_files/bmp.h"

namespace raster {
namespace {

constexpr std::uint32_t kIconType = 1;
constexpr std::uint32_t kCursorType = 2;
constexpr std::size_t kDirectoryHeaderSize = 6;

// The value of pixel x in a row packed `bits` to a pixel, most significant bits first.
std::uint32_t PackedValue(const std::uint8_t* row, int x, std::uint32_t bits) {
  const std::size_t bit = static_cast<std::size_t>(x) * bits;
  return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

bool IsSupportedDepth(std::uint32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// The number of images in the file and its type; nothing unless it is an icon or cursor file.
std::optional<std::pair<std::uint32_t, std::uint32_t>> ReadDirectory(
    std::span<const std::uint8_t> bytes) {
  const auto reserved = dib::U16(bytes, 0);
  const auto type = dib::U16(bytes, 2);
  const auto count = dib::U16(bytes, 4);
  if (reserved != 0u || !type || (*type != kIconType && *type != kCursorType) || !count ||
      *count == 0) {
    return std::nullopt;
  }
  // A file cut short anywhere is refused as a whole, not only where its first image lies.
  for (std::uint32_t i = 0; i < *count; ++i) {
    const std::size_t entry = kDirectoryHeaderSize + std::size_t{16} * i;
    const auto image_size = dib::U32(bytes, entry + 8);
    const auto image_at = dib::U32(bytes, entry + 12);
    if (!image_size || !image_at || *image_at > bytes.size() ||
        *image_size > bytes.size() - *image_at) {
      return std::nullopt;
    }
  }
  return std::pair{*count, *type};
}

std::optional<IconFileImage> DecodeEntry(std::span<const std::uint8_t> bytes, std::uint32_t index,
                                         std::uint32_t type) {
  // The directory entry: size, colours, then planes and depth for icons or the hotspot for
  // cursors, then where the image lies in the file.
  const std::size_t entry = kDirectoryHeaderSize + std::size_t{16} * index;
  const auto hot_x = dib::U16(bytes, entry + 4);
  const auto hot_y = dib::U16(bytes, entry + 6);
  const auto image_size = dib::U32(bytes, entry + 8);
  const auto image_at = dib::U32(bytes, entry + 12);
  if (!hot_x || !hot_y || !image_size || !image_at) return std::nullopt;
  if (*image_at > bytes.size() || *image_size > bytes.size() - *image_at) return std::nullopt;
  const std::span<const std::uint8_t> image = bytes.subspan(*image_at, *image_size);

  const auto header = dib::ReadInfoHeader(image, 0);
  if (!header || header->planes != 1 || header->compression != dib::kUncompressed ||
      !IsSupportedDepth(header->bit_count)) {
    return std::nullopt;
  }
  // The header counts the colour rows and the mask rows together.
  if (header->width <= 0 || header->width > dib::kMaxSide || header->height <= 0 ||
      header->height % 2 != 0 || header->height / 2 > dib::kMaxSide) {
    return std::nullopt;
  }
  const int width = header->width;
  const int height = header->height / 2;
  const std::uint32_t bits = header->bit_count;

  std::size_t palette_size = 0;
  if (bits <= 8) {
    palette_size = header->colours_used == 0 ? std::size_t{1} << bits : header->colours_used;
    if (palette_size > (std::size_t{1} << bits)) return std::nullopt;
  }
  const std::size_t palette_at = header->size;
  const std::size_t colour_at = palette_at + palette_size * 4;
  const std::size_t colour_stride = dib::Stride(width, bits);
  const std::size_t mask_at = colour_at + colour_stride * static_cast<std::size_t>(height);
  const std::size_t mask_stride = dib::Stride(width, 1);
  if (mask_at > image.size() ||
      mask_stride * static_cast<std::size_t>(height) > image.size() - mask_at) {
    return std::nullopt;
  }

  std::vector<Pixel> palette(bits <= 8 ? std::size_t{1} << bits : 0, 0);
  for (std::size_t i = 0; i < palette_size; ++i) {
    const std::uint8_t* entry_bytes = image.data() + palette_at + i * 4;
    palette[i] = Pixel{entry_bytes[2]} << 16 | Pixel{entry_bytes[1]} << 8 | Pixel{entry_bytes[0]};
  }

  IconFileImage result;
  result.is_cursor = type == kCursorType;
  if (result.is_cursor) {
    result.hotspot_x = static_cast<int>(*hot_x);
    result.hotspot_y = static_cast<int>(*hot_y);
  }
  result.bits_per_pixel = static_cast<int>(bits);
  result.colour = Image(width, height);
  result.mask.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  if (bits == 32) result.alpha.resize(result.mask.size());
  // Both bitmaps are stored bottom-up.
  for (int y = 0; y < height; ++y) {
    const std::size_t stored_row = static_cast<std::size_t>(height - 1 - y);
    const std::uint8_t* colour_row = image.data() + colour_at + colour_stride * stored_row;
    const std::uint8_t* mask_row = image.data() + mask_at + mask_stride * stored_row;
    Pixel* out = result.colour.row(y);
    for (int x = 0; x < width; ++x) {
      if (bits <= 8) {
        out[x] = palette[PackedValue(colour_row, x, bits)];
      } else {
        const std::uint8_t* p = colour_row + static_cast<std::size_t>(x) * (bits / 8);
        out[x] = Pixel{p[2]} << 16 | Pixel{p[1]} << 8 | Pixel{p[0]};
      }
      const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                             static_cast<std::size_t>(x);
      result.mask[at] = static_cast<std::uint8_t>(PackedValue(mask_row, x, 1));
      if (bits == 32) result.alpha[at] = colour_row[static_cast<std::size_t>(x) * 4 + 3];
    }
  }
  // An image whose alpha bytes are all zero is drawn by its mask alone.
  if (std::ranges::all_of(result.alpha, [](std::uint8_t a) { return a == 0; })) {
    result.alpha.clear();
  }
  return result;
}

}  // namespace

std::optional<IconFileImage> DecodeIconFile(std::span<const std::uint8_t> bytes) {
  const auto directory = ReadDirectory(bytes);
  if (!directory) return std::nullopt;
  return DecodeEntry(bytes, 0, directory->second);
}

std::vector<IconFileImage> DecodeIconFileImages(std::span<const std::uint8_t> bytes) {
  std::vector<IconFileImage> images;
  const auto directory = ReadDirectory(bytes);
  if (!directory) return images;
  for (std::uint32_t i = 0; i < directory->first; ++i) {
    if (auto image = DecodeEntry(bytes, i, directory->second)) images.push_back(std::move(*image));
  }
  return images;
}

std::vector<std::span<const std::uint8_t>> IconFilePngImages(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::span<const std::uint8_t>> images;
  const auto directory = ReadDirectory(bytes);
  if (!directory) return images;
  for (std::uint32_t i = 0; i < directory->first; ++i) {
    // ReadDirectory has checked that every entry lies within the file.
    const std::size_t entry = kDirectoryHeaderSize + std::size_t{16} * i;
    const std::span<const std::uint8_t> image =
        bytes.subspan(*dib::U32(bytes, entry + 12), *dib::U32(bytes, entry + 8));
    if (image.size() >= sizeof kPngSignature &&
        std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.begin())) {
      images.push_back(image);
    }
  }
  return images;
}

}  // namespace raster
