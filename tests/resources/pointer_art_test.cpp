// The window icon and the two mouse pointers: format, hotspots and the pixels that matter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>

#include "platform/raster/icon_file.h"
#include "tests/resources/art_assets.h"

namespace {

using art_test::Blue;
using art_test::Green;
using art_test::Red;
using raster::IconFileImage;
using raster::Pixel;

constexpr Pixel kBlack = 0x000000;
constexpr Pixel kWhite = 0xFFFFFF;

IconFileImage Decode(resources::Asset asset) {
  const std::optional<IconFileImage> image = raster::DecodeIconFile(resources::AssetBytes(asset));
  if (!image) throw std::runtime_error("asset does not decode");
  return *image;
}

struct PointerCase {
  const char* name;
  resources::Asset asset;
  bool is_cursor;
  int bits_per_pixel;
  int colour_count;  // as the file's directory entry states it; 0 for true colour
  int hotspot_x;
  int hotspot_y;
  unsigned image_count;  // the icon also carries its sizes with alpha, after the 32 x 32 image
};

// Names the case in test listings.
void PrintTo(const PointerCase& c, std::ostream* os) {
  *os << c.name;
}

const PointerCase kPointers[] = {
    {"Icon", resources::Asset::kIcon, false, 24, 0, 0, 0, 5},
    {"Hand", resources::Asset::kHandCursor, true, 4, 16, 12, 1, 1},
    {"Target", resources::Asset::kTargetCursor, true, 1, 2, 15, 15, 1},
};

class PointerArtTest : public testing::TestWithParam<PointerCase> {};

TEST_P(PointerArtTest, FirstImageIs32x32OfItsDepthAndHotspot) {
  const PointerCase& c = GetParam();
  const std::vector<std::uint8_t> bytes = art_test::Bytes(c.asset);
  EXPECT_EQ(art_test::U16At(bytes, 2), c.is_cursor ? 2u : 1u);
  EXPECT_EQ(art_test::U16At(bytes, 4), c.image_count);
  EXPECT_EQ(bytes.at(6), 32);
  EXPECT_EQ(bytes.at(7), 32);
  EXPECT_EQ(bytes.at(8), c.colour_count);

  const IconFileImage image = Decode(c.asset);
  EXPECT_EQ(image.width(), 32);
  EXPECT_EQ(image.height(), 32);
  EXPECT_EQ(image.is_cursor, c.is_cursor);
  EXPECT_EQ(image.bits_per_pixel, c.bits_per_pixel);
  EXPECT_EQ(image.hotspot_x, c.hotspot_x);
  EXPECT_EQ(image.hotspot_y, c.hotspot_y);
}

INSTANTIATE_TEST_SUITE_P(Pointers, PointerArtTest, testing::ValuesIn(kPointers),
                         [](const testing::TestParamInfo<PointerCase>& info) {
                           return std::string(info.param.name);
                         });

double Distance(int x, int y, double cx, double cy) {
  return std::hypot(x - cx, y - cy);
}

TEST(WindowIconTest, IsARoundFaceOnATransparentGround) {
  const IconFileImage icon = Decode(resources::Asset::kIcon);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const double r = Distance(x, y, 15.5, 15.5);
      if (r > 16.0) {
        EXPECT_TRUE(icon.masked(x, y)) << x << "," << y;
        EXPECT_EQ(icon.colour.at(x, y), kBlack) << x << "," << y;
      }
      if (r < 14.5) {
        EXPECT_FALSE(icon.masked(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(WindowIconTest, CarriesSixteenToFortyEightPixelBitmapsWithAlpha) {
  const std::vector<IconFileImage> images =
      raster::DecodeIconFileImages(resources::AssetBytes(resources::Asset::kIcon));
  ASSERT_EQ(images.size(), 4u);
  const IconFileImage& masked = images[0];
  EXPECT_TRUE(masked.alpha.empty());
  const int sizes[] = {16, 32, 48};
  for (std::size_t i = 0; i < std::size(sizes); ++i) {
    const IconFileImage& image = images[i + 1];
    const int size = sizes[i];
    ASSERT_EQ(image.width(), size);
    ASSERT_EQ(image.height(), size);
    EXPECT_EQ(image.bits_per_pixel, 32);
    ASSERT_EQ(image.alpha.size(), static_cast<std::size_t>(size * size));
    const auto alpha = [&](int x, int y) { return image.alpha[y * size + x]; };
    EXPECT_EQ(alpha(0, 0), 0) << size;
    EXPECT_EQ(alpha(size - 1, size - 1), 0) << size;
    EXPECT_EQ(alpha(size / 2, size / 2), 255) << size;
    int partial = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        // The mask agrees with the alpha, for readers that use the mask alone.
        EXPECT_EQ(image.masked(x, y), alpha(x, y) == 0) << size << ": " << x << "," << y;
        partial += alpha(x, y) > 0 && alpha(x, y) < 255;
      }
    }
    EXPECT_GE(partial, size) << size << ": the round edge is smooth";
  }
  // Where the alpha image is opaque it is the masked image's picture.
  const IconFileImage& same_size = images[2];
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (same_size.alpha[y * 32 + x] == 255) {
        EXPECT_EQ(same_size.colour.at(x, y), masked.colour.at(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(WindowIconTest, ShowsRimMarksHandsAndCentreRing) {
  const IconFileImage icon = Decode(resources::Asset::kIcon);
  const auto is_green = [&](int x, int y) {
    const Pixel p = icon.colour.at(x, y);
    return Green(p) >= 128 && Red(p) == 0 && Blue(p) == 0;
  };
  // Rim at the top, marks at 12, 3, 6 and 9 inside it.
  EXPECT_TRUE(is_green(15, 1));
  EXPECT_TRUE(is_green(15, 3) && is_green(28, 15) && is_green(16, 28) && is_green(3, 16));
  // Green hand to 12, green hand towards half past four, red hand to 9.
  EXPECT_TRUE(is_green(15, 9) && is_green(16, 9));
  EXPECT_TRUE(is_green(21, 21));
  EXPECT_EQ(icon.colour.at(11, 15), 0xFF0000u);
  EXPECT_EQ(icon.colour.at(11, 16), 0xFF0000u);
  EXPECT_FALSE(is_green(10, 21) || is_green(21, 10)) << "a hand where there is none";
  // Olive ring around a dark centre (checked where no hand runs beneath it).
  for (const auto& [x, y] : {std::pair{18, 15}, std::pair{15, 18}}) {
    const Pixel p = icon.colour.at(x, y);
    EXPECT_TRUE(Red(p) == Green(p) && Red(p) >= 64 && Blue(p) == 0) << x << "," << y;
  }
  EXPECT_LT(art_test::Brightness(icon.colour.at(15, 15)), 32);
}

TEST(HandCursorTest, IsAWhiteGloveOnABlueCuffPointingUp) {
  const IconFileImage hand = Decode(resources::Asset::kHandCursor);
  // The fingertip: glove at the hotspot, outline just above it, nothing higher.
  EXPECT_FALSE(hand.masked(12, 1));
  EXPECT_EQ(hand.colour.at(12, 1), kWhite);
  EXPECT_FALSE(hand.masked(12, 0));
  EXPECT_EQ(hand.colour.at(12, 0), kBlack);

  const std::set<Pixel> glove_colours{kBlack, kWhite, 0xC0C0C0, 0x808080};
  const std::set<Pixel> cuff_colours{kBlack, 0x0000FF, 0x000080, 0x00FFFF};
  int white = 0, grey = 0, blue = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Pixel p = hand.colour.at(x, y);
      if (hand.masked(x, y)) {
        EXPECT_EQ(p, kBlack) << "only transparent pixels, none inverting, at " << x << "," << y;
        continue;
      }
      const bool in_cuff = y >= 23;
      EXPECT_TRUE((in_cuff ? cuff_colours : glove_colours).contains(p)) << x << "," << y;
      white += p == kWhite;
      grey += p == 0xC0C0C0 || p == 0x808080;
      blue += p == 0x0000FF;
    }
  }
  EXPECT_GT(white, 150);
  EXPECT_GT(grey, 20);
  EXPECT_GT(blue, 20);
}

TEST(TargetCursorTest, HasABlackRingAWhiteRingAndAnInvertingCentre) {
  const IconFileImage target = Decode(resources::Asset::kTargetCursor);
  int inverting = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const double r = Distance(x, y, 15, 15);
      const Pixel p = target.colour.at(x, y);
      if (!target.masked(x, y)) {
        // Opaque: black on the outer ring, white on the inner one.
        EXPECT_EQ(p, r > 8.0 ? kBlack : kWhite) << x << "," << y;
        EXPECT_TRUE((r >= 9.0 && r <= 11.6) || (r >= 4.0 && r <= 6.6)) << x << "," << y;
      } else if (p == kWhite) {
        ++inverting;
        EXPECT_TRUE(r >= 1.4 && r <= 2.6) << "inverting at " << x << "," << y;
      } else {
        EXPECT_EQ(p, kBlack);
      }
    }
  }
  EXPECT_GE(inverting, 8);
  EXPECT_TRUE(target.masked(15, 15));
  EXPECT_EQ(target.colour.at(15, 15), kBlack) << "the hotspot itself is see-through";

  // Diameters along the middle row: black ring 23 px, white ring 13 px, inverting ring 5 px.
  const auto extent = [&](auto keep) {
    int first = 32, last = -1;
    for (int x = 0; x < 32; ++x) {
      if (!keep(x)) continue;
      first = std::min(first, x);
      last = std::max(last, x);
    }
    return std::pair{first, last};
  };
  const auto row = [&](bool masked, Pixel colour) {
    return [&, masked, colour](int x) {
      return target.masked(x, 15) == masked && target.colour.at(x, 15) == colour;
    };
  };
  EXPECT_EQ(extent(row(false, kBlack)), std::pair(4, 26));
  EXPECT_EQ(extent(row(false, kWhite)), std::pair(9, 21));
  EXPECT_EQ(extent(row(true, kWhite)), std::pair(13, 17));
}

}  // namespace
