// DecodeIconFile: every stored depth, both file kinds, and the input it refuses.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture_files/icon_file.h"
#include "resources/generator/icon_encoder.h"
#include "tests/resources/art_assets.h"

namespace {

using artwork::IconImage;
using artwork::Rgb;
using raster::Pixel;

Pixel ToPixel(Rgb c) {
  return Pixel{c.r} << 16 | Pixel{c.g} << 8 | Pixel{c.b};
}

// A 5 x 3 image (odd width: packed rows need padding) whose colours and mask bits vary by
// pixel, so a swapped row, column or bit order shows.
IconImage Pattern(int bits) {
  IconImage image;
  image.width = 5;
  image.height = 3;
  image.bits_per_pixel = bits;
  if (bits <= 8) {
    for (int i = 0; i < (1 << bits); ++i) {
      image.palette.push_back({static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i),
                               static_cast<std::uint8_t>(i * 3 + 1)});
    }
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
    }
  }
  return image;
}

void ExpectDecodesTo(const std::optional<raster::IconFileImage>& decoded, const IconImage& image) {
  ASSERT_TRUE(decoded.has_value());
  ASSERT_EQ(decoded->width(), image.width);
  ASSERT_EQ(decoded->height(), image.height);
  EXPECT_EQ(decoded->bits_per_pixel, image.bits_per_pixel);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * image.width + x);
      const Rgb expected =
          image.bits_per_pixel <= 8 ? image.palette[image.index[i]] : image.colour[i];
      EXPECT_EQ(decoded->colour.at(x, y), ToPixel(expected)) << x << "," << y;
      EXPECT_EQ(decoded->masked(x, y), image.mask[i] != 0) << x << "," << y;
    }
  }
}

class IconDepthTest : public testing::TestWithParam<int> {};

TEST_P(IconDepthTest, IconsAndCursorsDecodeEveryPixel) {
  const IconImage image = Pattern(GetParam());
  const auto icon = raster::DecodeIconFile(artwork::EncodeIconSet({image}));
  ExpectDecodesTo(icon, image);
  EXPECT_FALSE(icon->is_cursor);

  const auto cursor = raster::DecodeIconFile(artwork::EncodeCursor(image, {3, 2}));
  ExpectDecodesTo(cursor, image);
  EXPECT_TRUE(cursor->is_cursor);
  EXPECT_EQ(cursor->hotspot_x, 3);
  EXPECT_EQ(cursor->hotspot_y, 2);
}

INSTANTIATE_TEST_SUITE_P(Depths, IconDepthTest, testing::Values(1, 4, 8, 24));

TEST(IconFileTest, DecodesThirtyTwoBitPixelsWithTheirAlpha) {
  // One 2 x 1 image: directory, info header, two BGRA pixels, one padded mask row.
  std::vector<std::uint8_t> file = {0,  0, 1,  0, 1,  0,                     // icon, one image
                                    2,  1, 0,  0, 1,  0, 32, 0,              // 2 x 1, 32 bits
                                    52, 0, 0,  0, 22, 0, 0,  0,              // 52 bytes at 22
                                    40, 0, 0,  0, 2,  0, 0,  0, 2, 0, 0, 0,  // header, 2 x (1 * 2)
                                    1,  0, 32, 0};
  file.resize(22 + 40, 0);
  for (std::uint8_t b : {0x30, 0x20, 0x10, 0x80, 0x03, 0x02, 0x01, 0xFF}) file.push_back(b);
  for (std::uint8_t b : {0x40, 0, 0, 0}) file.push_back(b);  // the second pixel is masked
  const auto icon = raster::DecodeIconFile(file);
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(icon->bits_per_pixel, 32);
  EXPECT_EQ(icon->colour.at(0, 0), 0x102030u);
  EXPECT_EQ(icon->colour.at(1, 0), 0x010203u);
  EXPECT_FALSE(icon->masked(0, 0));
  EXPECT_TRUE(icon->masked(1, 0));
  EXPECT_EQ(icon->alpha, (std::vector<std::uint8_t>{0x80, 0xFF}));
}

TEST(IconFileTest, RefusesEveryTruncationOfTheShippedFiles) {
  for (const resources::Asset asset :
       {resources::Asset::kIcon, resources::Asset::kHandCursor, resources::Asset::kTargetCursor}) {
    const std::vector<std::uint8_t> bytes = art_test::Bytes(asset);
    ASSERT_TRUE(raster::DecodeIconFile(bytes).has_value());
    // Every cut through the headers and the first images, then cuts spread over the large
    // images and the very last byte. Each cut is its own exact-size copy, so that a read past
    // its end shows under AddressSanitizer.
    std::vector<std::size_t> sizes;
    for (std::size_t size = 0; size < bytes.size(); size += size < 8192 ? 1 : 509) {
      sizes.push_back(size);
    }
    sizes.push_back(bytes.size() - 1);
    for (const std::size_t size : sizes) {
      const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + size);
      EXPECT_FALSE(raster::DecodeIconFile(cut).has_value()) << "cut at " << size;
      EXPECT_TRUE(raster::DecodeIconFileImages(cut).empty()) << "cut at " << size;
    }
  }
}

TEST(IconFileTest, EveryCorruptionGivesNothing) {
  const struct {
    const char* name;
    std::size_t at;  // offset in a 4-bit cursor file
    std::vector<std::uint8_t> bytes;
  } corruptions[] = {
      {"reserved not zero", 0, {1}},
      {"unknown type", 2, {3}},
      {"no images", 4, {0}},
      {"image past the end", 18, {0xFF, 0xFF}},
      {"image size past the end", 14, {0xFF, 0xFF}},
      {"PNG image", 22, {0x89, 'P', 'N', 'G'}},
      {"zero width", 26, {0}},
      {"odd doubled height", 30, {7}},
      {"two planes", 34, {2}},
      {"sixteen bit", 36, {16}},
      {"compressed", 38, {2}},
      {"too many palette colours", 54, {17}},
  };
  for (const auto& c : corruptions) {
    std::vector<std::uint8_t> bytes = artwork::EncodeCursor(Pattern(4), {1, 1});
    ASSERT_TRUE(raster::DecodeIconFile(bytes).has_value());
    std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.at));
    EXPECT_FALSE(raster::DecodeIconFile(bytes).has_value()) << c.name;
  }
}

}  // namespace
