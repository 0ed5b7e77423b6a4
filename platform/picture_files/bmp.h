// Reads the clock-face pictures: Windows bitmaps as the artwork generator writes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/raster/image.h"

namespace raster {

// Decodes a .bmp file of uncompressed 24-bit pixels stored bottom-up. Anything else - another
// depth or layout, compression, a header that does not add up or bytes that end too early -
// gives an empty Image (width and height 0); the input is never read out of bounds.
Image DecodeBmp(std::span<const std::uint8_t> bytes);

}  // namespace raster

// The layout of device-independent bitmaps, shared with the icon and cursor decoder: bounds-
// checked little-endian reads and the info header.
namespace raster::dib {

inline std::optional<std::uint32_t> U16(std::span<const std::uint8_t> b, std::size_t at) {
  if (b.size() < 2 || at > b.size() - 2) return std::nullopt;
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}

inline std::optional<std::uint32_t> U32(std::span<const std::uint8_t> b, std::size_t at) {
  if (b.size() < 4 || at > b.size() - 4) return std::nullopt;
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

inline std::optional<std::int32_t> I32(std::span<const std::uint8_t> b, std::size_t at) {
  const auto v = U32(b, at);
  if (!v) return std::nullopt;
  return static_cast<std::int32_t>(*v);
}

// The fields of a BITMAPINFOHEADER (or of the first 40 bytes of a larger header).
struct InfoHeader {
  std::uint32_t size = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: rows top to bottom
  std::uint32_t planes = 0;
  std::uint32_t bit_count = 0;
  std::uint32_t compression = 0;
  std::uint32_t colours_used = 0;
};

inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
// Pictures beyond this many pixels a side are not ours to decode; the bound also keeps every
// size computation far from overflow.
inline constexpr std::int32_t kMaxSide = 1 << 15;

inline std::optional<InfoHeader> ReadInfoHeader(std::span<const std::uint8_t> b, std::size_t at) {
  const auto size = U32(b, at);
  const auto width = I32(b, at + 4);
  const auto height = I32(b, at + 8);
  const auto planes = U16(b, at + 12);
  const auto bit_count = U16(b, at + 14);
  const auto compression = U32(b, at + 16);
  const auto colours_used = U32(b, at + 32);
  if (!size || !width || !height || !planes || !bit_count || !compression || !colours_used) {
    return std::nullopt;
  }
  if (*size < kInfoHeaderSize || *size > b.size() - at) return std::nullopt;
  return InfoHeader{*size, *width, *height, *planes, *bit_count, *compression, *colours_used};
}

// Bytes per row of `width` pixels of `bit_count` bits, padded to four bytes.
inline std::size_t Stride(std::int32_t width, std::uint32_t bit_count) {
  return (static_cast<std::size_t>(width) * bit_count + 31) / 32 * 4;
}

}  // namespace raster::dib
