// Clock frames on a picture surface as the program draws them (picture put back, hands copied,
// sometimes the minutes printed), checked pixel by pixel against the reference renderer, with
// what the surface reports as changed holding every pixel that changed.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "clock_strokes.h"
#include "platform/raster/surface.h"
#include "reference_raster.h"

namespace raster_test {
namespace {

using raster::Image;
using raster::Pixel;
using raster::Rect;

constexpr Rect kDest{0, 0, 600, 600};
constexpr Rect kLargeSource{-35, -54, 2000, 2000}, kSmallSource{65, 53, 2000, 2000};

std::shared_ptr<const Image> Face(int width, int height) {
  auto face = std::make_shared<Image>(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      face->set(x, y, static_cast<Pixel>((x * 37 + y * 11) & 0x3F3F3F));
  }
  return face;
}

struct Step {
  int second_of_day;
  bool large;
  bool text = false;                 // a block of "printed" pixels after the copy
  std::vector<Stroke> strokes = {};  // drawn instead of the clock's, when given
};

void ExpectSurfaceFrames(const std::vector<Step>& steps) {
  const auto large_face = Face(170, 173), small_face = Face(108, 110);
  raster::Surface surface(174, 176, 0x101010);
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
  Image before = surface.image();
  surface.TakeChanged();
  for (const Step& step : steps) {
    SCOPED_TRACE("second " + std::to_string(step.second_of_day) +
                 (step.large ? " large" : " small"));
    const auto& face = step.large ? large_face : small_face;
    const auto strokes =
        step.strokes.empty() ? ClockStrokesAt(step.second_of_day, step.large) : step.strokes;
    surface.SetPicture(nullptr);
    surface.SetPicture(face);
    Draw(canvas, strokes);
    const Rect source = step.large ? kLargeSource : kSmallSource;
    surface.PaintOr(canvas, kDest, source);
    Image expected(174, 176, 0x101010);
    expected.Blit(*face, 0, 0);
    ReferenceStretchOr(ReferenceCanvas(kCanvasWidth, kCanvasHeight, strokes), expected, kDest,
                       source);
    if (step.text) {
      const Rect text{120, 82, 14, 10};
      surface.canvas().Fill(text, 0xFFFFFF);
      surface.MarkDrawn(text);
      expected.Fill(text, 0xFFFFFF);
    }
    const Rect changed = surface.TakeChanged();
    const Image& actual = surface.image();
    ASSERT_TRUE(actual == expected);
    for (int y = 0; y < actual.height(); ++y) {
      for (int x = 0; x < actual.width(); ++x) {
        if (actual.at(x, y) == before.at(x, y)) continue;
        ASSERT_EQ(raster::Intersect(changed, {x, y, 1, 1}), (Rect{x, y, 1, 1})) << x << "," << y;
      }
    }
    before = actual;
  }
}

TEST(SurfaceFrames, SecondsMinutesSizesAndTextMatchTheReference) {
  std::vector<Step> steps;
  for (int s = 10 * 3600 + 9 * 60 + 50; s < 10 * 3600 + 11 * 60 + 5; ++s)
    steps.push_back({s, true});
  steps.push_back({10 * 3600 + 11 * 60 + 5, true, true});
  steps.push_back({10 * 3600 + 11 * 60 + 6, true, true});
  steps.push_back({10 * 3600 + 11 * 60 + 7, true});
  for (int s = 11 * 3600 + 59 * 60 + 55; s < 12 * 3600 + 5; ++s) steps.push_back({s, false});
  steps.push_back({12 * 3600 + 6, true});
  steps.push_back({12 * 3600 + 7, true});
  steps.push_back({12 * 3600 + 8, false});
  ExpectSurfaceFrames(steps);
}

// Hands from a common pivot of which one at a time moves, now the last, now an earlier one,
// sometimes with the minutes printed: only the rows of the moved hand are written again.
TEST(SurfaceFrames, AnyHandMovingMatchesTheReference) {
  std::mt19937 rng(5);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
  const auto hand = [&](int pen, Pixel colour) {
    return Stroke{kPivot.x, kPivot.y, pick(0, kCanvasWidth), pick(0, kCanvasHeight), pen, colour};
  };
  std::vector<Step> steps;
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

TEST(SurfaceFrames, ASecondStepReportsOnlyTheSecondHandsArea) {
  const auto face = Face(170, 173);
  raster::Surface surface(174, 176, 0);
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
  for (int s = 36630; s < 36633; ++s) {  // 10:10:30 onwards: hands far apart
    surface.SetPicture(face);
    Draw(canvas, ClockStrokesAt(s, true));
    surface.PaintOr(canvas, kDest, kLargeSource);
    const Rect changed = surface.TakeChanged();
    if (s == 36630) continue;
    // The second hand points down; the hour and minute hands, far up, are left alone.
    EXPECT_GE(changed.top, 80) << s;
    EXPECT_LT(changed.width * changed.height, 174 * 176 / 8) << s;
  }
}

// Every frame of a day in order, both sizes, on one surface from one canvas; the reference
// checks a sample of frames spread over the day and every frame around each change of hour.
TEST(SurfaceFrames, AWholeDayMatchesTheReference) {
  for (const bool large : {true, false}) {
    SCOPED_TRACE(large ? "large" : "small");
    const Rect source = large ? kLargeSource : kSmallSource;
    const auto face = large ? Face(170, 173) : Face(108, 110);
    raster::Surface surface(174, 176, 0);
    raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
    for (int s = 0; s < 24 * 3600; ++s) {
      const auto strokes = ClockStrokesAt(s, large);
      surface.SetPicture(face);
      Draw(canvas, strokes);
      surface.PaintOr(canvas, kDest, source);
      const int in_hour = s % 3600;
      if (s % 641 != 0 && in_hour != 0 && in_hour != 3599) continue;
      Image expected(174, 176);
      expected.Blit(*face, 0, 0);
      ReferenceStretchOr(ReferenceCanvas(kCanvasWidth, kCanvasHeight, strokes), expected, kDest,
                         source);
      ASSERT_TRUE(surface.image() == expected) << "second " << s;
    }
  }
}

}  // namespace
}  // namespace raster_test
