#include "platform/raster/image.h"

#include <gtest/gtest.h>

namespace raster {
namespace {

TEST(RectTest, UnionAndIntersect) {
  struct Case {
    Rect a, b, union_, intersection;
  } const cases[] = {
      {{0, 0, 4, 4}, {2, 3, 5, 5}, {0, 0, 7, 8}, {2, 3, 2, 1}},
      {{0, 0, 4, 4}, {4, 0, 2, 2}, {0, 0, 6, 4}, {}},      // touching edges share nothing
      {{-3, -2, 2, 2}, {5, 5, 1, 1}, {-3, -2, 9, 8}, {}},  // apart
      {{1, 1, 3, 3}, {}, {1, 1, 3, 3}, {}},                // an empty rectangle adds nothing
      {{}, {7, 8, 0, 5}, {}, {}},                          // empty with empty
      {{2, 2, 0, 9}, {1, 1, 2, 2}, {1, 1, 2, 2}, {}},      // zero width counts as empty
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Union(c.a, c.b), c.union_);
    EXPECT_EQ(Union(c.b, c.a), c.union_);
    EXPECT_EQ(Intersect(c.a, c.b), c.intersection);
    EXPECT_EQ(Intersect(c.b, c.a), c.intersection);
  }
}

TEST(ImageTest, FillIsClipped) {
  Image image(4, 3, 7);
  image.Fill({-2, 1, 4, 9}, 5);
  const Pixel expected[3][4] = {{7, 7, 7, 7}, {5, 5, 7, 7}, {5, 5, 7, 7}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.at(x, y), expected[y][x]) << x << "," << y;
  }
}

TEST(ImageTest, ColourRefSwapsRedAndBlue) {
  static_assert(FromColourRef(0x00336699u) == 0x00996633u);
  static_assert(ToColourRef(FromColourRef(0x00123456u)) == 0x00123456u);
}

}  // namespace
}  // namespace raster
