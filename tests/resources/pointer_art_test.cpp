// The window icon and the two mouse pointers: 32 x 32 pictures whose pixels show what they
// are, the pointers pointing where their hotspot is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>

#include "platform/picture_files/icon_file.h"
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

double Distance(int x, int y, double cx, double cy) {
  return std::hypot(x - cx, y - cy);
}

TEST(WindowIconTest, IsARoundFaceOnATransparentGround) {
  const IconFileImage icon = Decode(resources::Asset::kIcon);
  ASSERT_EQ(icon.width(), 32);
  ASSERT_EQ(icon.height(), 32);
  EXPECT_FALSE(icon.is_cursor);
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

// A 32 x 32 pointer.
IconFileImage DecodePointer(resources::Asset asset) {
  const IconFileImage pointer = Decode(asset);
  EXPECT_TRUE(pointer.is_cursor);
  EXPECT_EQ(pointer.width(), 32);
  EXPECT_EQ(pointer.height(), 32);
  return pointer;
}

TEST(HandCursorTest, IsAWhiteGloveOnABlueCuffPointingUpAtItsHotspot) {
  const IconFileImage hand = DecodePointer(resources::Asset::kHandCursor);
  // The fingertip: glove at the hotspot, outline just above it, nothing higher.
  const int hx = hand.hotspot_x, hy = hand.hotspot_y;
  ASSERT_GE(hy, 1);
  EXPECT_FALSE(hand.masked(hx, hy));
  EXPECT_EQ(hand.colour.at(hx, hy), kWhite);
  EXPECT_FALSE(hand.masked(hx, hy - 1));
  EXPECT_EQ(hand.colour.at(hx, hy - 1), kBlack);
  for (int y = 0; y < hy - 1; ++y) {
    for (int x = 0; x < 32; ++x) EXPECT_TRUE(hand.masked(x, y)) << x << "," << y;
  }

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

TEST(TargetCursorTest, HasABlackRingAWhiteRingAndAnInvertingCentreAroundItsHotspot) {
  const IconFileImage target = DecodePointer(resources::Asset::kTargetCursor);
  EXPECT_EQ(target.bits_per_pixel, 1);  // only two-colour pointers can invert the screen
  const int hx = target.hotspot_x, hy = target.hotspot_y;
  int inverting = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const double r = Distance(x, y, hx, hy);
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
  EXPECT_TRUE(target.masked(hx, hy));
  EXPECT_EQ(target.colour.at(hx, hy), kBlack) << "the hotspot itself is see-through";

  // Diameters along the hotspot's row: black ring 23 px, white ring 13 px, inverting ring 5 px,
  // each centred on the hotspot.
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
      return target.masked(x, hy) == masked && target.colour.at(x, hy) == colour;
    };
  };
  EXPECT_EQ(extent(row(false, kBlack)), std::pair(hx - 11, hx + 11));
  EXPECT_EQ(extent(row(true, kWhite)), std::pair(hx - 2, hx + 2));
  EXPECT_EQ(extent(row(false, kWhite)), std::pair(hx - 6, hx + 6));
}

}  // namespace
