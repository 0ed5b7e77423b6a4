// The picture surface: what it shows and reports as changed under clock frames as the program
// draws them (picture put back, hands copied, sometimes the minutes printed), checked pixel by
// pixel against the reference renderer. (How little it restores is the benchmarks' matter.)
#include "platform/raster/surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "clock_strokes.h"
#include "reference_raster.h"

namespace raster_test {
namespace {

using raster::Image;
using raster::Pixel;
using raster::Rect;
using raster::Surface;

// Background everywhere and the picture at the top-left corner.
Image Composed(Pixel back, const Image* picture) {
  Image image(174, 176, back);
  if (picture) image.Blit(*picture, 0, 0);
  return image;
}

// Seconds over minute and hour changes (the earlier hands move), changes of size (a different
// picture) and printed minutes, on one surface from one canvas: each frame must equal the
// reference and what the surface reports as changed must hold every pixel that changed.
TEST(SurfaceFrames, ClockSecondsMatchTheReference) {
  const auto large_face = Face(170, 173), small_face = Face(108, 110);
  Surface surface(174, 176, 0x101010);
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
  Image before = surface.image();
  surface.TakeChanged();
  const auto frame = [&](int second_of_day, bool large, bool text) {
    SCOPED_TRACE("second " + std::to_string(second_of_day));
    const auto& face = large ? large_face : small_face;
    const auto strokes = ClockStrokesAt(second_of_day, large);
    const Rect source = large ? kLargeSource : kSmallSource;
    surface.SetPicture(nullptr);
    surface.SetPicture(face);
    Draw(canvas, strokes);
    surface.PaintOr(canvas, kDest, source);
    Image expected = Composed(0x101010, face.get());
    ReferenceStretchOr(ReferenceCanvas(kCanvasWidth, kCanvasHeight, strokes), expected, kDest,
                       source);
    if (text) {  // a block of "printed" pixels after the copy
      surface.canvas().Fill({120, 82, 14, 10}, 0xFFFFFF);
      surface.MarkDrawn({120, 82, 14, 10});
      expected.Fill({120, 82, 14, 10}, 0xFFFFFF);
    }
    ASSERT_TRUE(surface.image() == expected);
    ASSERT_TRUE(HoldsChanges(surface.TakeChanged(), before, surface.image()));
    before = surface.image();
  };
  for (int s = 36590; s < 36668; ++s) frame(s, true, s == 36665 || s == 36666);
  for (int s = 43195; s < 43205; ++s) frame(s, false, false);
  for (int s = 43206; s < 43209; ++s) frame(s, s != 43208, false);
}

// Every frame of a day in order, both sizes, on one surface from one canvas; the reference
// checks a sample of frames spread over the day and every frame around each change of hour.
// A step of the second hand alone must report little more than the second hand's area.
TEST(SurfaceFrames, AWholeDayMatchesTheReference) {
  for (const bool large : {true, false}) {
    SCOPED_TRACE(large ? "large" : "small");
    const Rect source = large ? kLargeSource : kSmallSource;
    const auto face = large ? Face(170, 173) : Face(108, 110);
    Surface surface(174, 176, 0);
    raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
    for (int s = 0; s < 24 * 3600; ++s) {
      const auto strokes = ClockStrokesAt(s, large);
      surface.SetPicture(face);
      Draw(canvas, strokes);
      surface.PaintOr(canvas, kDest, source);
      const Rect changed = surface.TakeChanged();
      ASSERT_TRUE(s % 60 == 0 || changed.width * changed.height < 174 * 176 / 8) << "second " << s;
      if (s % 641 != 0 && (s + 1) % 3600 > 1) continue;  // not sampled, nor next to an hour
      Image expected = Composed(0, face.get());
      ReferenceStretchOr(ReferenceCanvas(kCanvasWidth, kCanvasHeight, strokes), expected, kDest,
                         source);
      ASSERT_TRUE(surface.image() == expected) << "second " << s;
    }
  }
}

}  // namespace
}  // namespace raster_test
