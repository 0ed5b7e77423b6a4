// The clock-face pictures: the dial geometry and colours that the hosts rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "platform/picture_files/bmp.h"
#include "tests/resources/art_assets.h"

namespace {

using art_test::Blue;
using art_test::Brightness;
using art_test::Green;
using art_test::Red;
using raster::Pixel;

constexpr Pixel kPureGreen = 0x00FF00;
constexpr Pixel kBallCentre = 0xFFDF00;

struct FaceCase {
  const char* name;
  resources::Asset asset;
  int width, height;
  // The dial centre; pixel (x, y) is centred on (x, y), so x.5 lies between two pixels.
  double centre_x, centre_y;
  // The outermost pixels of the tick ring.
  int ring_left, ring_right, ring_top, ring_bottom;
  int ball_across;
  // The window the face is shown in, at its top-left corner.
  int window_width, window_height;
};

const FaceCase kFaces[] = {
    {"Large", resources::Asset::kFaceLarge, 170, 173, 83.5, 86.5, 4, 163, 6, 167, 62, 170, 174},
    {"Small", resources::Asset::kFaceSmall, 108, 109, 52.5, 54.5, 2, 103, 4, 105, 39, 108, 110},
};

class FaceArtTest : public testing::TestWithParam<FaceCase> {
 protected:
  void SetUp() override {
    image_ = raster::DecodeBmp(art_test::Bytes(face().asset));
    ASSERT_EQ(image_.width(), face().width);
    ASSERT_EQ(image_.height(), face().height);
  }

  const FaceCase& face() const { return GetParam(); }
  // The pixels left and above of the dial centre.
  int centre_column() const { return static_cast<int>(std::floor(face().centre_x)); }
  int centre_row() const { return static_cast<int>(std::floor(face().centre_y)); }
  double DistanceFromCentre(int x, int y) const {
    return std::hypot(x - face().centre_x, y - face().centre_y);
  }

  raster::Image image_;
};

TEST_P(FaceArtTest, BallIsBrightestExactlyAtTheDialCentre) {
  std::vector<std::pair<int, int>> brightest;
  int best = -1;
  for (int y = 0; y < image_.height(); ++y) {
    for (int x = 0; x < image_.width(); ++x) {
      const int b = Brightness(image_.at(x, y));
      if (b > best) brightest.clear();
      best = std::max(best, b);
      if (b == best) brightest.emplace_back(x, y);
    }
  }
  const int cx = centre_column();
  const int cy = centre_row();
  const std::vector<std::pair<int, int>> centre{
      {cx, cy}, {cx + 1, cy}, {cx, cy + 1}, {cx + 1, cy + 1}};
  EXPECT_EQ(brightest, centre);
  for (const auto& [x, y] : centre) EXPECT_EQ(image_.at(x, y), kBallCentre) << x << "," << y;
}

TEST_P(FaceArtTest, BallGlowsYellowAndFadesToBlackAtItsRim) {
  const Pixel* row = image_.row(centre_row());
  int right = centre_column() + 1;
  while (right + 1 < image_.width() && row[right + 1] != 0) ++right;
  int left = centre_column();
  while (left > 0 && row[left - 1] != 0) --left;
  EXPECT_NEAR(right - left + 1, face().ball_across, 2);
  for (int x = centre_column() + 1; x < right; ++x) {
    EXPECT_LE(Brightness(row[x + 1]), Brightness(row[x])) << "at " << x;
    EXPECT_EQ(Blue(row[x]), 0);
    EXPECT_GE(Red(row[x]), Green(row[x]));
  }
  EXPECT_LT(Brightness(row[right]), 16) << "the rim is not faded";
}

TEST_P(FaceArtTest, QuarterTicksArePureGreenWithDarkerEdges) {
  const FaceCase& f = face();
  const int cx = centre_column();
  const int cy = centre_row();
  struct Quarter {
    const char* name;
    int x, y;    // the outermost pixel of the tick's two-pixel-wide core
    int dx, dy;  // inwards along the tick
    int ex, ey;  // across the tick
  };
  const Quarter quarters[] = {
      {"12", cx, f.ring_top, 0, 1, 1, 0},
      {"3", f.ring_right, cy, -1, 0, 0, 1},
      {"6", cx, f.ring_bottom, 0, -1, 1, 0},
      {"9", f.ring_left, cy, 1, 0, 0, 1},
  };
  for (const Quarter& q : quarters) {
    EXPECT_EQ(image_.at(q.x - q.dx, q.y - q.dy), 0u) << q.name << " o'clock: beyond the ring";
    for (int step = 0; step < 6; ++step) {
      const int x = q.x + q.dx * step;
      const int y = q.y + q.dy * step;
      EXPECT_EQ(image_.at(x, y), kPureGreen) << q.name << " o'clock, " << step << " in";
      EXPECT_EQ(image_.at(x + q.ex, y + q.ey), kPureGreen) << q.name << " o'clock, " << step;
      for (const Pixel edge :
           {image_.at(x - q.ex, y - q.ey), image_.at(x + 2 * q.ex, y + 2 * q.ey)}) {
        EXPECT_EQ(edge & 0xFF00FFu, 0u) << q.name << " o'clock";
        EXPECT_GT(Green(edge), 0) << q.name << " o'clock";
        EXPECT_LT(Green(edge), 255) << q.name << " o'clock";
      }
    }
  }
}

TEST_P(FaceArtTest, WholeDialFitsInsideTheWindowEllipse) {
  const double half_w = face().window_width / 2.0, half_h = face().window_height / 2.0;
  for (int y = 0; y < image_.height(); ++y) {
    for (int x = 0; x < image_.width(); ++x) {
      if (image_.at(x, y) == 0) continue;
      const double dx = (x + 0.5 - half_w) / half_w, dy = (y + 0.5 - half_h) / half_h;
      EXPECT_LE(dx * dx + dy * dy, 1.0) << x << "," << y;
    }
  }
}

TEST_P(FaceArtTest, EverythingOutsideTheBallIsGreenOnBlack) {
  int stray = 0;
  std::string first;
  for (int y = 0; y < image_.height(); ++y) {
    for (int x = 0; x < image_.width(); ++x) {
      if (DistanceFromCentre(x, y) <= face().ball_across / 2.0 + 1.0) continue;
      if ((image_.at(x, y) & 0xFF00FFu) == 0) continue;
      if (stray++ == 0) first = std::to_string(x) + "," + std::to_string(y);
    }
  }
  EXPECT_EQ(stray, 0) << "first at " << first;
}

// Counts the green pixels of a ring sector: between two distances from the dial centre and
// within `half_angle` degrees of a clock direction (0 at 12, clockwise).
int GreenInSector(const raster::Image& image, double cx, double cy, double direction,
                  double half_angle, double near, double far) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double r = std::hypot(x - cx, y - cy);
      if (r < near || r > far || Green(image.at(x, y)) < 128) continue;
      const double angle = std::atan2(x - cx, cy - y) * 180.0 / 3.14159265358979;
      const double off = std::remainder(angle - direction, 360.0);
      if (std::abs(off) <= half_angle) ++count;
    }
  }
  return count;
}

TEST_P(FaceArtTest, EveryHourHasItsNumeralInsideTheRing) {
  const double ring = (face().ring_right - face().ring_left + 1) / 2.0;
  for (int hour = 1; hour <= 12; ++hour) {
    EXPECT_GE(GreenInSector(image_, face().centre_x, face().centre_y, hour * 30.0, 10.0,
                            0.56 * ring, 0.84 * ring),
              8)
        << "no numeral at " << hour;
  }
}

TEST_P(FaceArtTest, TimeLabelSitsJustBelowTheBall) {
  const double radius = face().ball_across / 2.0;
  const auto green_in_rows = [&](double from, double to) {
    int count = 0;
    for (int y = static_cast<int>(from); y <= static_cast<int>(to); ++y) {
      for (int x = centre_column() - 14; x <= centre_column() + 15; ++x) {
        if (image_.at(x, y) == kPureGreen) ++count;
      }
    }
    return count;
  };
  EXPECT_GE(green_in_rows(face().centre_y + radius, face().centre_y + radius + 10), 15);
  EXPECT_EQ(green_in_rows(face().centre_y - radius - 10, face().centre_y - radius), 0);
}

INSTANTIATE_TEST_SUITE_P(Faces, FaceArtTest, testing::ValuesIn(kFaces),
                         [](const testing::TestParamInfo<FaceCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
