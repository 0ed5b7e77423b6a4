// Writes icon (.ico) and cursor (.cur) files.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/generator/picture.h"

namespace artwork {

// One image of an icon or cursor, rows top to bottom.
struct IconImage {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;           // 1, 4 or 8 with a palette, 24, or 32 with alpha
  std::vector<Rgb> palette;         // 2^bits_per_pixel colours for the indexed depths
  std::vector<std::uint8_t> index;  // per pixel, indexed depths only
  std::vector<Rgb> colour;          // per pixel, 24 and 32 bits only
  std::vector<std::uint8_t> alpha;  // per pixel, 32 bits only: opacity, not premultiplied
  // Per pixel, the AND mask: 1 lets the screen through. With a black colour the pixel is
  // transparent, with a white one it inverts the screen.
  std::vector<std::uint8_t> mask;
};

struct Hotspot {
  int x = 0;
  int y = 0;
};

// One icon file with every image, in the order given (the first one is what simple readers use).
// Images of 256 px with alpha are stored as PNG, the others as bitmaps with their mask.
std::vector<std::uint8_t> EncodeIconSet(const std::vector<IconImage>& images);
std::vector<std::uint8_t> EncodeCursor(const IconImage& image, Hotspot hotspot);

}  // namespace artwork
