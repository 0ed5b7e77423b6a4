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
  Image colour;                    // the XOR pixels as 0x00RRGGBB; alpha of 32-bit images dropped
  std::vector<std::uint8_t> mask;  // the AND mask, one 0 or 1 per pixel, rows top to bottom

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

}  // namespace raster
