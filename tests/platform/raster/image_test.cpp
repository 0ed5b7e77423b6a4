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

Image Numbered(int width, int height) {
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.set(x, y, static_cast<Pixel>(100 * y + x + 1));
  }
  return image;
}

TEST(ImageTest, FillIsClipped) {
  Image image(4, 3, 7);
  image.Fill({-2, 1, 4, 9}, 5);
  const Pixel expected[3][4] = {{7, 7, 7, 7}, {5, 5, 7, 7}, {5, 5, 7, 7}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.at(x, y), expected[y][x]) << x << "," << y;
  }
}

TEST(ImageTest, BlitCopiesTheOverlapOnly) {
  struct Case {
    int x, y;
  } const offsets[] = {{0, 0}, {2, 1}, {-1, -2}, {3, -1}, {6, 0}, {0, -5}};
  const Image source = Numbered(3, 4);
  for (const Case& c : offsets) {
    Image image(5, 4, 9);
    image.Blit(source, c.x, c.y);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 5; ++x) {
        const int sx = x - c.x, sy = y - c.y;
        const bool inside = sx >= 0 && sy >= 0 && sx < 3 && sy < 4;
        EXPECT_EQ(image.at(x, y), inside ? source.at(sx, sy) : 9u) << c.x << "," << c.y;
      }
    }
  }
}

TEST(ImageTest, ColourRefSwapsRedAndBlue) {
  static_assert(FromColourRef(0x00336699u) == 0x00996633u);
  static_assert(ToColourRef(FromColourRef(0x00123456u)) == 0x00123456u);
  EXPECT_EQ(Image(-1, 5).bounds(), (Rect{0, 0, 0, 5}));
}

}  // namespace
}  // namespace raster
