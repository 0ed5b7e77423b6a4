// The picture surface: what it shows and reports as changed, alone and under clock frames as the
// program draws them (picture put back, hands copied, sometimes the minutes printed), checked
// pixel by pixel against the reference renderer.
#include "platform/raster/surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
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

constexpr Rect kAll{0, 0, 174, 176};

// Background everywhere and the picture at the top-left corner.
Image Composed(Pixel back, const Image* picture) {
  Image image(174, 176, back);
  if (picture) image.Blit(*picture, 0, 0);
  return image;
}

TEST(Surface, PicturesAreClippedAndPlacedTopLeft) {
  for (const auto& [width, height] : {std::pair{170, 173}, {200, 50}, {10, 300}, {0, 0}}) {
    Surface surface(174, 176, 0x0000FF);
    EXPECT_TRUE(surface.image() == Composed(0x0000FF, nullptr));
    EXPECT_EQ(surface.TakeChanged(), kAll);
    const auto face = Face(width, height);
    surface.SetPicture(face);
    EXPECT_TRUE(surface.image() == Composed(0x0000FF, face.get()));
    surface.SetPicture(nullptr);
    EXPECT_TRUE(surface.image() == Composed(0x0000FF, nullptr));
  }
}

// The clock sets the picture again before each frame, or takes it away and sets it again: as
// long as nothing is drawn or read in between, that restores only what was drawn.
TEST(Surface, PictureSetAgainRestoresOnlyWhatWasDrawn) {
  for (const bool taken_away : {false, true}) {
    SCOPED_TRACE(taken_away ? "taken away first" : "set again");
    Surface surface(174, 176, 0);
    const auto face = Face(170, 173);
    surface.SetPicture(face);
    surface.TakeChanged();
    raster::StrokeCanvas hands(kCanvasWidth, kCanvasHeight);
    Draw(hands, ClockStrokesAt(36630, true));
    surface.PaintOr(hands, kDest, kLargeSource);
    const Rect painted = surface.TakeChanged();
    // A pixel changed behind the surface's back, outside the drawings, stays: proof that the
    // picture is not copied again in full.
    surface.canvas().set(0, 0, 0xABCDEF);
    ASSERT_TRUE(raster::Intersect(painted, {0, 0, 1, 1}).empty());
    if (taken_away) surface.SetPicture(nullptr);
    surface.SetPicture(face);
    EXPECT_EQ(surface.TakeChanged(), painted);
    Image expected = Composed(0, face.get());
    expected.set(0, 0, 0xABCDEF);
    EXPECT_TRUE(surface.image() == expected);
    surface.SetPicture(nullptr);  // read at once: the picture is gone
    EXPECT_TRUE(surface.image() == Composed(0, nullptr));
    EXPECT_EQ(surface.TakeChanged(), kAll);
  }
}

TEST(Surface, MarkDrawnIsRestoredAndReported) {
  Surface surface(174, 176, 0);
  const auto face = Face(170, 173);
  surface.SetPicture(face);
  surface.TakeChanged();
  surface.canvas().Fill({160, 170, 30, 30}, 0xFFFFFF);
  surface.MarkDrawn({160, 170, 30, 30});
  EXPECT_EQ(surface.TakeChanged(), (Rect{160, 170, 14, 6}));  // clipped to the surface
  surface.Cls();
  EXPECT_EQ(surface.TakeChanged(), (Rect{160, 170, 14, 6}));
  EXPECT_TRUE(surface.image() == Composed(0, face.get()));
  surface.Cls();  // nothing drawn since: nothing to restore or report
  EXPECT_TRUE(surface.TakeChanged().empty());
}

struct Step {
  int second_of_day;
  bool large;
  bool text = false;                 // a block of "printed" pixels after the copy
  std::vector<Stroke> strokes = {};  // drawn instead of the clock's, when given
};

// Draws the steps as frames on one surface from one canvas; each must equal the reference and
// what the surface reports as changed must hold every pixel that changed.
void ExpectSurfaceFrames(const std::vector<Step>& steps) {
  const auto large_face = Face(170, 173), small_face = Face(108, 110);
  Surface surface(174, 176, 0x101010);
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
  Image before = surface.image();
  surface.TakeChanged();
  for (const Step& step : steps) {
    SCOPED_TRACE("second " + std::to_string(step.second_of_day));
    const auto& face = step.large ? large_face : small_face;
    const auto strokes =
        step.strokes.empty() ? ClockStrokesAt(step.second_of_day, step.large) : step.strokes;
    const Rect source = step.large ? kLargeSource : kSmallSource;
    surface.SetPicture(nullptr);
    surface.SetPicture(face);
    Draw(canvas, strokes);
    surface.PaintOr(canvas, kDest, source);
    Image expected = Composed(0x101010, face.get());
    ReferenceStretchOr(ReferenceCanvas(kCanvasWidth, kCanvasHeight, strokes), expected, kDest,
                       source);
    if (step.text) {
      const Rect text{120, 82, 14, 10};
      surface.canvas().Fill(text, 0xFFFFFF);
      surface.MarkDrawn(text);
      expected.Fill(text, 0xFFFFFF);
    }
    ASSERT_TRUE(surface.image() == expected);
    ASSERT_TRUE(HoldsChanges(surface.TakeChanged(), before, surface.image()));
    before = surface.image();
  }
}

// Seconds over minute and hour changes, changes of size (a different picture) and printed
// minutes; then hands from a common pivot of which one at a time moves, now the last, now an
// earlier one: only the rows of the moved hand are written again.
TEST(SurfaceFrames, ClockAndMovingHandsMatchTheReference) {
  std::vector<Step> steps;
  for (int s = 36590; s < 36668; ++s) steps.push_back({s, true, s == 36665 || s == 36666});
  for (int s = 43195; s < 43205; ++s) steps.push_back({s, false});
  for (int s = 43206; s < 43209; ++s) steps.push_back({s, s != 43208});
  std::mt19937 rng(5);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
  const auto hand = [&](int pen, Pixel colour) {
    return Stroke{kPivot.x, kPivot.y, pick(0, kCanvasWidth), pick(0, kCanvasHeight), pen, colour};
  };
  std::vector<Stroke> hands = {hand(23, 0x4000), hand(15, 0x8000), hand(11, 0x40)};
  for (int i = 0; i < 40; ++i) {
    Stroke& moved = hands[static_cast<std::size_t>(pick(0, 5) % 3)];
    moved = hand(moved.pen_width, moved.colour);
    std::vector<Stroke> strokes;
    for (const Stroke& h : hands) {  // each hand twice: wide, then a narrower, brighter stroke
      strokes.push_back(h);
      strokes.push_back({h.x1, h.y1, h.x2, h.y2, h.pen_width - 6, h.colour * 3});
    }
    steps.push_back({0, i % 7 != 6, i % 5 == 4, strokes});
  }
  ExpectSurfaceFrames(steps);
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
