#include "platform/raster/stroke_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
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

struct StrokeSet {
  std::string name;
  std::vector<Stroke> strokes;
};

Point Polar(double turns, double length) {
  const double angle = 2 * M_PI * turns;
  return {static_cast<int>(kPivot.x + length * std::sin(angle)),
          static_cast<int>(kPivot.y - length * std::cos(angle))};
}

// Hands in every direction, including the three frames whose end points are known, hands that
// all overlap, and hands long enough to leave the canvas.
std::vector<StrokeSet> ClockSets() {
  std::vector<StrokeSet> sets = {
      {"10:10:30", ClockStrokes({121, 147}, {417, 134}, {244, 464}, true)},
      {"03:00:00", ClockStrokes({394, 234}, {244, 34}, {244, 4}, true)},
      {"23:59:59", ClockStrokes({243, 84}, {223, 35}, {219, 5}, true)},
      {"12:00:00", ClockStrokes({244, 84}, {244, 34}, {244, 4}, true)},
      {"12:00:00 small", ClockStrokes({244, 84}, {244, 34}, {244, 4}, false)},
      {"09:45:45 level", ClockStrokes({94, 234}, {44, 234}, {14, 234}, true)},
      {"off canvas", ClockStrokes({-300, 500}, {700, -90}, {244, 900}, true)},
      {"zero length hands", ClockStrokes(kPivot, kPivot, kPivot, true)},
  };
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> turn(0.0, 1.0);
  for (int i = 0; i < 24; ++i) {
    const double h = turn(rng), m = turn(rng), s = turn(rng);
    const bool large = i % 2 == 0;
    sets.push_back({"hands " + std::to_string(i),
                    ClockStrokes(Polar(h, large ? 150 : 95), Polar(m, large ? 200 : 125),
                                 Polar(s, large ? 230 : 145), large)});
  }
  // Minute hand right over the hour hand, and the second hand along both.
  sets.push_back(
      {"stacked", ClockStrokes(Polar(0.3, 150), Polar(0.3, 200), Polar(0.3, 230), true)});
  return sets;
}

// Arbitrary strokes: any colour, width and direction, strokes repeating a segment with
// wider or narrower pens, single points, level and upright lines, strokes crossing the edges.
std::vector<StrokeSet> FreeSets() {
  std::vector<StrokeSet> sets;
  std::mt19937 rng(11);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
  for (int i = 0; i < 24; ++i) {
    StrokeSet set{"free " + std::to_string(i), {}};
    const int count = pick(1, 12);
    for (int k = 0; k < count; ++k) {
      const Pixel colour = static_cast<Pixel>(pick(0, 0xFFFFFF));
      const int pen = pick(1, 31);
      if (k > 0 && pick(0, 2) == 0) {  // same segment again
        Stroke s = set.strokes.back();
        if (pick(0, 1)) std::swap(s.x1, s.x2), std::swap(s.y1, s.y2);
        set.strokes.push_back({s.x1, s.y1, s.x2, s.y2, pen, colour});
        continue;
      }
      const int x1 = pick(-60, kCanvasWidth + 60), y1 = pick(-60, kCanvasHeight + 60);
      int x2 = pick(-60, kCanvasWidth + 60), y2 = pick(-60, kCanvasHeight + 60);
      switch (pick(0, 5)) {
        case 0:
          x2 = x1, y2 = y1;
          break;
        case 1:
          y2 = y1;
          break;
        case 2:
          x2 = x1;
          break;
        case 3:
          x2 = x1 + pick(-3, 3), y2 = y1 + pick(-3, 3);
          break;
        default:
          break;
      }
      set.strokes.push_back({x1, y1, x2, y2, pen, colour});
    }
    sets.push_back(set);
  }
  return sets;
}

std::vector<StrokeSet> AllSets() {
  std::vector<StrokeSet> sets = ClockSets();
  for (StrokeSet& s : FreeSets()) sets.push_back(std::move(s));
  return sets;
}

// The canvas pixels themselves, copied one to one onto a black target.
Image CanvasPixels(const raster::StrokeCanvas& canvas) {
  Image pixels(canvas.width(), canvas.height());
  canvas.StretchOrInto(pixels, pixels.bounds(), pixels.bounds());
  return pixels;
}

TEST(StrokeCanvasPixels, FollowTheDistanceRule) {
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
  for (const StrokeSet& set : AllSets()) {
    SCOPED_TRACE(set.name);
    Draw(canvas, set.strokes);
    EXPECT_TRUE(CanvasPixels(canvas) == ReferenceCanvas(kCanvasWidth, kCanvasHeight, set.strokes));
  }
}

TEST(StrokeCanvasPixels, ClearShowsTheBlackGround) {
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
  Draw(canvas, ClockSets().front().strokes);
  canvas.Clear();
  EXPECT_TRUE(canvas.strokes().empty());
  EXPECT_TRUE(CanvasPixels(canvas) == Image(kCanvasWidth, kCanvasHeight));
}

struct Mapping {
  std::string name;
  Rect dst, src;
  int target_width, target_height;
};

// The clock's two copies, and other ratios, offsets and clippings.
const Mapping kMappings[] = {
    {"large face", {0, 0, 600, 600}, {-35, -54, 2000, 2000}, 174, 176},
    {"small face", {0, 0, 600, 600}, {65, 53, 2000, 2000}, 174, 176},
    {"two fifths, target clips top", {3, -4, 200, 188}, {-10, 5, 500, 470}, 174, 176},
    {"unscaled", {10, 12, 150, 150}, {100, 90, 150, 150}, 174, 176},
    {"half by quarter", {-20, 0, 200, 200}, {0, -30, 400, 800}, 174, 176},
    {"coprime sizes", {-7, 2, 600, 601}, {-35, -54, 1999, 2003}, 174, 176},
    {"source beyond the canvas", {0, 0, 60, 60}, {450, 430, 200, 200}, 174, 176},
    {"enlarged", {-5, 0, 120, 150}, {200, 190, 40, 30}, 100, 120},
};

// A target that already shows something, so the OR is visible.
Image PatternTarget(int width, int height) {
  Image target(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      target.set(x, y, ((x * 7 + y * 13) % 5 == 0) ? 0x102040u * static_cast<Pixel>(x % 3) : 0);
    }
  }
  return target;
}

TEST(StrokeCanvasStretchOr, MatchesAveragingTheMaterialisedCanvas) {
  const std::vector<StrokeSet> sets = AllSets();
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);  // one canvas: buffers get reused
  for (const StrokeSet& set : sets) {
    const Image pixels = ReferenceCanvas(kCanvasWidth, kCanvasHeight, set.strokes);
    Draw(canvas, set.strokes);
    for (const Mapping& m : kMappings) {
      SCOPED_TRACE(set.name + ", " + m.name);
      const Image before = PatternTarget(m.target_width, m.target_height);
      Image expected = before;
      ReferenceStretchOr(pixels, expected, m.dst, m.src);
      Image actual = before;
      const Rect changed = canvas.StretchOrInto(actual, m.dst, m.src);
      ASSERT_TRUE(actual == expected);
      EXPECT_EQ(raster::Intersect(changed, actual.bounds()), changed);
      for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
          const bool inside = raster::Intersect(changed, {x, y, 1, 1}) == Rect{x, y, 1, 1};
          if (actual.at(x, y) != before.at(x, y)) {
            ASSERT_TRUE(inside) << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(StrokeCanvasStretchOr, EmptyCanvasOrRectanglesChangeNothing) {
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
  Image target = PatternTarget(174, 176);
  const Image before = target;
  EXPECT_TRUE(canvas.StretchOrInto(target, {0, 0, 600, 600}, {-35, -54, 2000, 2000}).empty());
  Draw(canvas, ClockSets().front().strokes);
  EXPECT_TRUE(canvas.StretchOrInto(target, {0, 0, 0, 600}, {-35, -54, 2000, 2000}).empty());
  EXPECT_TRUE(canvas.StretchOrInto(target, {0, 0, 600, 600}, {-35, -54, 2000, -5}).empty());
  EXPECT_TRUE(canvas.StretchOrInto(target, {200, 0, 600, 600}, {-35, -54, 2000, 2000}).empty());
  EXPECT_TRUE(canvas.StretchOrInto(target, {0, 0, 600, 600}, {600, 0, 2000, 2000}).empty());
  EXPECT_TRUE(target == before);
}

}  // namespace
}  // namespace raster_test
