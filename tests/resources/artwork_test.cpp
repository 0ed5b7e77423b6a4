// The shipped pictures as a user sees them: a round window icon whose alpha and mask agree, and
// pointers that point where their hotspot is. (The faces are checked on screen end to end and
// pixel for pixel under the hands in tests/clock/face_pixels_test.cpp.)
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/picture_files/icon_file.h"
#include "resources/assets.h"

namespace {

using raster::IconFileImage;
using raster::Pixel;

IconFileImage DecodeIcon(resources::Asset asset) {
  const auto image = raster::DecodeIconFile(resources::AssetBytes(asset));
  EXPECT_TRUE(image.has_value());
  return image.value_or(IconFileImage{});
}

// The masked 32-pixel image for simple readers, then 16, 32 and 48 pixels with alpha.
TEST(WindowIconTest, IsRoundAtEverySizeWithAlphaThatAgreesWithItsMask) {
  const std::vector<IconFileImage> images =
      raster::DecodeIconFileImages(resources::AssetBytes(resources::Asset::kIcon));
  ASSERT_EQ(images.size(), 4u);
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconFileImage& image = images[i];
    const int size = i == 0 ? 32 : 16 * static_cast<int>(i);
    ASSERT_EQ(image.width(), size);
    ASSERT_EQ(image.alpha.size(), i == 0 ? 0u : static_cast<std::size_t>(size * size));
    int partial = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const double r = std::hypot(x - (size - 1) / 2.0, y - (size - 1) / 2.0);
        // Outside the face nothing shows, not even inverted on a reader of the mask alone.
        const bool clear = image.masked(x, y) && (i > 0 || image.colour.at(x, y) == 0);
        EXPECT_TRUE(r > size / 2.0 + 0.5 ? clear : r >= size / 2.0 - 1.5 || !image.masked(x, y))
            << size << ": " << x << "," << y;
        if (i == 0) continue;
        const int alpha = image.alpha[y * size + x];
        EXPECT_EQ(image.masked(x, y), alpha == 0) << size << ": " << x << "," << y;
        partial += alpha > 0 && alpha < 255;
      }
    }
    EXPECT_GE(partial, i == 0 ? 0 : size) << size << ": the round edge is smooth";
  }
}

TEST(PointerArtTest, TheHandPointsUpWithItsFingertipAtTheHotspot) {
  const IconFileImage hand = DecodeIcon(resources::Asset::kHandCursor);
  ASSERT_TRUE(hand.is_cursor);
  const int hx = hand.hotspot_x, hy = hand.hotspot_y;
  ASSERT_GE(hy, 1);
  EXPECT_FALSE(hand.masked(hx, hy) || hand.masked(hx, hy - 1));
  EXPECT_EQ(hand.colour.at(hx, hy), 0xFFFFFFu);  // the glove, outlined in black above
  EXPECT_EQ(hand.colour.at(hx, hy - 1), 0u);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      // Nothing above the fingertip; see-through pixels never invert the screen.
      EXPECT_TRUE(y >= hy - 1 || hand.masked(x, y)) << x << "," << y;
      EXPECT_TRUE(!hand.masked(x, y) || hand.colour.at(x, y) == 0) << x << "," << y;
    }
  }
}

// Only a two-colour pointer can invert the screen, which keeps the rings visible on any
// ground; its see-through hotspot shows what is clicked.
TEST(PointerArtTest, TheTargetInvertsAndSeesThroughAtItsHotspot) {
  const IconFileImage target = DecodeIcon(resources::Asset::kTargetCursor);
  ASSERT_TRUE(target.is_cursor);
  EXPECT_EQ(target.bits_per_pixel, 1);
  int inverting = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) inverting += target.masked(x, y) && target.colour.at(x, y) != 0;
  }
  EXPECT_GE(inverting, 8);
  EXPECT_TRUE(target.masked(target.hotspot_x, target.hotspot_y) &&
              target.colour.at(target.hotspot_x, target.hotspot_y) == 0);
}

}  // namespace
