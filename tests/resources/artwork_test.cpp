// The shipped pictures as a user sees them: faces centred on the hands' pivot and within the
// window's ellipse, with every numeral; a round window icon whose alpha and mask agree; and
// pointers that point where their hotspot is.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "platform/picture_files/bmp.h"
#include "platform/picture_files/icon_file.h"
#include "resources/assets.h"

namespace {

using raster::IconFileImage;
using raster::Pixel;

int Brightness(Pixel p) {
  return static_cast<int>((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF));
}

IconFileImage DecodeIcon(resources::Asset asset) {
  const auto image = raster::DecodeIconFile(resources::AssetBytes(asset));
  EXPECT_TRUE(image.has_value());
  return image.value_or(IconFileImage{});
}

TEST(FaceArtTest, DialIsCentredOnThePivotInsideTheWindowWithEveryNumeral) {
  const struct {
    resources::Asset asset;
    int width, height;
    double centre_x, centre_y;  // where the hands pivot; x.5 lies between two pixels
    double ring;                // the radius of the tick ring
    int window_width, window_height;
  } faces[] = {
      {resources::Asset::kFaceLarge, 170, 173, 83.5, 86.5, 80, 170, 174},
      {resources::Asset::kFaceSmall, 108, 109, 52.5, 54.5, 51, 108, 110},
  };
  for (const auto& f : faces) {
    const raster::Image face = raster::DecodeBmp(resources::AssetBytes(f.asset));
    ASSERT_EQ(face.width(), f.width);
    ASSERT_EQ(face.height(), f.height);
    // The ball under the pivot is brightest on exactly the four pixels around the centre.
    std::vector<std::pair<int, int>> brightest;
    int best = -1;
    int numerals[13] = {};  // green pixels near each hour's direction, between ring and ball
    for (int y = 0; y < face.height(); ++y) {
      for (int x = 0; x < face.width(); ++x) {
        const Pixel p = face.at(x, y);
        const int b = Brightness(p);
        if (b > best) brightest.clear();
        if (b >= best) brightest.emplace_back(x, y);
        best = std::max(best, b);
        if (p != 0) {  // nothing drawn where the window's ellipse cuts the face off
          const double dx = (x + 0.5) / (f.window_width / 2.0) - 1;
          const double dy = (y + 0.5) / (f.window_height / 2.0) - 1;
          EXPECT_LE(dx * dx + dy * dy, 1.0) << x << "," << y;
        }
        const double r = std::hypot(x - f.centre_x, y - f.centre_y);
        const double clock_angle =
            std::atan2(x - f.centre_x, f.centre_y - y) * 6 / std::numbers::pi;
        const int hour = static_cast<int>(std::lround(clock_angle + 12)) % 12;
        if ((p >> 8 & 0xFF) >= 128 && r > 0.56 * f.ring && r < 0.84 * f.ring &&
            std::abs(std::remainder(clock_angle - hour, 12.0)) < 1 / 3.0) {
          ++numerals[hour == 0 ? 12 : hour];
        }
      }
    }
    const int cx = static_cast<int>(f.centre_x), cy = static_cast<int>(f.centre_y);
    EXPECT_EQ(brightest, (std::vector<std::pair<int, int>>{
                             {cx, cy}, {cx + 1, cy}, {cx, cy + 1}, {cx + 1, cy + 1}}))
        << f.width;
    for (int hour = 1; hour <= 12; ++hour) EXPECT_GE(numerals[hour], 8) << "hour " << hour;
  }
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

TEST(PointerArtTest, TheTargetsRingsAreCentredOnItsSeeThroughHotspot) {
  const IconFileImage target = DecodeIcon(resources::Asset::kTargetCursor);
  ASSERT_TRUE(target.is_cursor);
  EXPECT_EQ(target.bits_per_pixel, 1);  // only two-colour pointers can invert the screen
  const int hx = target.hotspot_x, hy = target.hotspot_y;
  EXPECT_TRUE(target.masked(hx, hy) && target.colour.at(hx, hy) == 0);
  // 0 see-through, 1 black, 2 white, 3 inverting; mirrored through the hotspot, the same.
  const auto kind = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= 32 || y >= 32) return 0;
    const bool white = target.colour.at(x, y) != 0;
    return target.masked(x, y) ? (white ? 3 : 0) : (white ? 2 : 1);
  };
  int counts[4] = {};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      ++counts[kind(x, y)];
      EXPECT_EQ(kind(x, y), kind(2 * hx - x, 2 * hy - y)) << x << "," << y;
    }
  }
  EXPECT_GE(counts[1], 40);
  EXPECT_GE(counts[2], 20);
  EXPECT_GE(counts[3], 8);
}

}  // namespace
