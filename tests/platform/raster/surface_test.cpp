#include "platform/raster/surface.h"

#include <gtest/gtest.h>

#include <memory>

#include "clock_strokes.h"

namespace raster {
namespace {

using raster_test::ClockStrokes;
using raster_test::Draw;

constexpr Pixel kBack = 0x000000;
constexpr Rect kSource{-35, -54, 2000, 2000};
constexpr Rect kDest{0, 0, 600, 600};

std::shared_ptr<const Image> Face(int width, int height, Pixel seed) {
  auto face = std::make_shared<Image>(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) face->set(x, y, (seed * (x + 3 * y)) & 0x7F7F7F);
  }
  return face;
}

// Background everywhere and the picture at the top-left corner.
Image Composed(int width, int height, Pixel back, const Image* picture) {
  Image image(width, height, back);
  if (picture) image.Blit(*picture, 0, 0);
  return image;
}

StrokeCanvas HandsAt(raster_test::Point hour, raster_test::Point minute,
                     raster_test::Point second) {
  StrokeCanvas canvas(raster_test::kCanvasWidth, raster_test::kCanvasHeight);
  Draw(canvas, ClockStrokes(hour, minute, second, true));
  return canvas;
}

TEST(SurfaceTest, StartsAsBackgroundAndReportsEverything) {
  Surface surface(174, 176, 0x123456);
  EXPECT_TRUE(surface.image() == Image(174, 176, 0x123456));
  EXPECT_EQ(surface.TakeChanged(), (Rect{0, 0, 174, 176}));
  EXPECT_TRUE(surface.TakeChanged().empty());
}

TEST(SurfaceTest, PicturesAreClippedAndPlacedTopLeft) {
  struct Case {
    int width, height;
  } const pictures[] = {{170, 173}, {200, 50}, {10, 300}, {0, 0}};
  for (const Case& c : pictures) {
    Surface surface(174, 176, 0x0000FF);
    const auto face = Face(c.width, c.height, 0x010203);
    surface.SetPicture(face);
    EXPECT_TRUE(surface.image() == Composed(174, 176, 0x0000FF, face.get()));
    surface.SetPicture(nullptr);
    EXPECT_TRUE(surface.image() == Image(174, 176, 0x0000FF));
  }
}

TEST(SurfaceTest, SamePictureAgainRestoresOnlyWhatWasDrawn) {
  Surface surface(174, 176, kBack);
  const auto face = Face(170, 173, 0x030507);
  surface.SetPicture(face);
  surface.TakeChanged();
  const Image clean = surface.image();

  const StrokeCanvas hands = HandsAt({121, 147}, {417, 134}, {244, 464});
  surface.PaintOr(hands, kDest, kSource);
  const Rect painted = surface.TakeChanged();
  EXPECT_FALSE(painted.empty());
  EXPECT_FALSE(surface.image() == clean);

  // A pixel changed behind the surface's back, outside the drawn area, stays: proof that
  // re-assigning the picture does not copy the whole picture again.
  surface.canvas().set(0, 0, 0xABCDEF);
  ASSERT_TRUE(Intersect(painted, {0, 0, 1, 1}).empty());
  surface.SetPicture(face);
  EXPECT_EQ(surface.TakeChanged(), painted);
  Image expected = clean;
  expected.set(0, 0, 0xABCDEF);
  EXPECT_TRUE(surface.image() == expected);

  // A second frame draws over a clean face again.
  const StrokeCanvas later = HandsAt({394, 234}, {244, 34}, {244, 4});
  surface.Cls();
  surface.PaintOr(later, kDest, kSource);
  Image direct = expected;
  later.StretchOrInto(direct, kDest, kSource);
  EXPECT_TRUE(surface.image() == direct);
}

// The clock takes the picture away and sets it again before each frame: as long as nothing is
// drawn or read in between, that restores only what was drawn, and reads in between see the
// picture gone.
TEST(SurfaceTest, PictureTakenAwayAndSetAgainRestoresOnlyWhatWasDrawn) {
  Surface surface(174, 176, kBack);
  const auto face = Face(170, 173, 0x030507);
  surface.SetPicture(face);
  surface.TakeChanged();
  const Image clean = surface.image();
  surface.PaintOr(HandsAt({121, 147}, {417, 134}, {244, 464}), kDest, kSource);
  const Rect painted = surface.TakeChanged();
  surface.canvas().set(0, 0, 0xABCDEF);  // behind the surface's back, outside the drawings
  ASSERT_TRUE(Intersect(painted, {0, 0, 1, 1}).empty());

  surface.SetPicture(nullptr);
  surface.SetPicture(face);
  EXPECT_EQ(surface.TakeChanged(), painted);
  Image expected = clean;
  expected.set(0, 0, 0xABCDEF);
  EXPECT_TRUE(surface.image() == expected);

  surface.SetPicture(nullptr);
  EXPECT_TRUE(surface.image() == Image(174, 176, kBack));
  EXPECT_EQ(surface.TakeChanged(), (Rect{0, 0, 174, 176}));
  surface.SetPicture(face);
  EXPECT_TRUE(surface.image() == Composed(174, 176, kBack, face.get()));
}

TEST(SurfaceTest, DifferentPictureRedrawsEverything) {
  Surface surface(174, 176, 0x00FF00);
  surface.SetPicture(Face(170, 173, 0x030507));
  surface.PaintOr(HandsAt({121, 147}, {417, 134}, {244, 464}), kDest, kSource);
  surface.canvas().set(173, 175, 0x111111);
  surface.TakeChanged();
  const auto other = Face(100, 90, 0x0A0B0C);
  surface.SetPicture(other);
  EXPECT_EQ(surface.TakeChanged(), (Rect{0, 0, 174, 176}));
  EXPECT_TRUE(surface.image() == Composed(174, 176, 0x00FF00, other.get()));
  EXPECT_EQ(surface.picture(), other);
}

TEST(SurfaceTest, MarkDrawnIsRestoredAndReported) {
  Surface surface(174, 176, kBack);
  const auto face = Face(170, 173, 0x030507);
  surface.SetPicture(face);
  surface.TakeChanged();
  surface.canvas().Fill({160, 170, 30, 30}, 0xFFFFFF);
  surface.MarkDrawn({160, 170, 30, 30});
  surface.MarkDrawn({5, 6, 2, 2});
  EXPECT_EQ(surface.TakeChanged(), (Rect{5, 6, 169, 170}));  // clipped to the surface
  surface.canvas().Fill({5, 6, 2, 2}, 0xFFFFFF);
  surface.Cls();
  EXPECT_EQ(surface.TakeChanged(), (Rect{5, 6, 169, 170}));
  EXPECT_TRUE(surface.image() == Composed(174, 176, kBack, face.get()));
  surface.Cls();  // nothing drawn since: nothing to restore or report
  EXPECT_TRUE(surface.TakeChanged().empty());
}

}  // namespace
}  // namespace raster
