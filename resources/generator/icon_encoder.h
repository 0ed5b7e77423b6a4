// Writes icon (.ico) and cursor (.cur) files holding one image.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/generator/picture.h"

namespace artwork {

// One image of an icon or cursor, rows top to bottom.
struct IconImage {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;           // 1, 4 or 8 with a palette, or 24
  std::vector<Rgb> palette;         // 2^bits_per_pixel colours for the indexed depths
  std::vector<std::uint8_t> index;  // per pixel, indexed depths only
  std::vector<Rgb> colour;          // per pixel, 24 bits only
  // Per pixel, the AND mask: 1 lets the screen through. With a black colour the pixel is
  // transparent, with a white one it inverts the screen.
  std::vector<std::uint8_t> mask;
};

struct Hotspot {
  int x = 0;
  int y = 0;
};

std::vector<std::uint8_t> EncodeIcon(const IconImage& image);
std::vector<std::uint8_t> EncodeCursor(const IconImage& image, Hotspot hotspot);

}  // namespace artwork
