// Reads icon (.ico) and cursor (.cur) files, so that each host can build its native icon or
// pointer from the same bytes: Win32 from colour and mask bitmaps, Qt from a bitmap and a mask.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/raster/image.h"

namespace raster {

// The first image of an icon or cursor file. A pixel is drawn from its colour and its AND
// mask bit: mask 0 shows the colour; mask 1 lets the screen through, unchanged where the
// colour is black and inverted where it is white.
struct IconFileImage {
  bool is_cursor = false;
  int hotspot_x = 0;  // cursors only: the pixel that points
  int hotspot_y = 0;
  int bits_per_pixel = 0;          // colour depth as stored: 1, 4, 8, 24 or 32
  Image colour;                    // the XOR pixels as 0x00RRGGBB
  std::vector<std::uint8_t> mask;  // the AND mask, one 0 or 1 per pixel, rows top to bottom
  // 32-bit images with alpha: one opacity per pixel (0 to 255, not premultiplied), rows top to
  // bottom. Empty for the other depths and where every alpha byte is 0; then the mask shapes
  // the image.
  std::vector<std::uint8_t> alpha;

  int width() const { return colour.width(); }
  int height() const { return colour.height(); }
  bool masked(int x, int y) const {
    return mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(width()) +
                static_cast<std::size_t>(x)] != 0;
  }
};

// Decodes the first image of the file: an uncompressed DIB of 1, 4, 8, 24 or 32 bits per
// pixel with its AND mask. Returns nothing for any other input (PNG-compressed entries
// included) and for truncated or inconsistent files; the input is never read out of bounds.
std::optional<IconFileImage> DecodeIconFile(std::span<const std::uint8_t> bytes);

// Every image of the file that decodes as above, in the file's order; empty for a file that is
// no icon or cursor file.
std::vector<IconFileImage> DecodeIconFileImages(std::span<const std::uint8_t> bytes);

// The images of an icon file that are stored as PNG files (the large ones, by custom), as
// their bytes within `bytes`, for a host that reads PNG itself. Empty for a file cut short.
std::vector<std::span<const std::uint8_t>> IconFilePngImages(std::span<const std::uint8_t> bytes);

}  // namespace raster
