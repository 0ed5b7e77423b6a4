// DecodeIconFile: every stored depth of both file kinds, as the artwork's encoder writes them.
#include "platform/picture_files/icon_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "resources/generator/icon_encoder.h"

namespace {

using artwork::IconImage;

// A 5 x 3 image (odd width: packed rows need padding) whose colours, alpha and mask bits vary
// by pixel, so a swapped row, column, channel or bit order shows.
IconImage Pattern(int bits) {
  IconImage image;
  image.width = 5;
  image.height = 3;
  image.bits_per_pixel = bits;
  for (int i = 0; bits <= 8 && i < (1 << bits); ++i) {
    image.palette.push_back({static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i * 3 + 1)});
  }
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const int n = y * image.width + x;
      if (bits <= 8) {
        image.index.push_back(static_cast<std::uint8_t>((n * 5 + y) % (1 << bits)));
      } else {
        image.colour.push_back({static_cast<std::uint8_t>(n * 17),
                                static_cast<std::uint8_t>(x * 60),
                                static_cast<std::uint8_t>(y * 90)});
      }
      image.mask.push_back(static_cast<std::uint8_t>((n * 3 + y) % 2));
      if (bits == 32)
        image.alpha.push_back(static_cast<std::uint8_t>(image.mask.back() ? 0 : n * 16 + 15));
    }
  }
  return image;
}

TEST(IconFileTest, IconsAndCursorsOfEveryDepthDecodeEveryPixel) {
  for (const int bits : {1, 4, 8, 24, 32}) {
    const IconImage image = Pattern(bits);
    for (const bool cursor : {false, true}) {
      const auto decoded = raster::DecodeIconFile(cursor ? artwork::EncodeCursor(image, {3, 2})
                                                         : artwork::EncodeIconSet({image}));
      ASSERT_TRUE(decoded.has_value()) << bits;
      ASSERT_EQ(decoded->width(), 5);
      ASSERT_EQ(decoded->height(), 3);
      EXPECT_EQ(decoded->bits_per_pixel, bits);
      EXPECT_EQ(decoded->is_cursor, cursor);
      if (cursor) {
        EXPECT_EQ(std::pair(decoded->hotspot_x, decoded->hotspot_y), std::pair(3, 2));
      }
      EXPECT_EQ(decoded->alpha, image.alpha) << bits;
      for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
          const std::size_t i = static_cast<std::size_t>(y * 5 + x);
          const artwork::Rgb c = bits <= 8 ? image.palette[image.index[i]] : image.colour[i];
          EXPECT_EQ(decoded->colour.at(x, y), raster::Pixel{c.r} << 16 | c.g << 8 | c.b)
              << bits << " bits at " << x << "," << y;
          EXPECT_EQ(decoded->masked(x, y), image.mask[i] != 0)
              << bits << " bits at " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
