// What the raster tests share: the strokes of a clock frame (three hands from the pivot, each
// four ever narrower, brighter strokes, drawn hour, minute, second), the clock's copy
// rectangles, and targets and faces that already show something, so an OR is visible.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/raster/stroke_canvas.h"

namespace raster_test {

// The clock's copy from the canvas onto a 174 x 176 face, large and small.
inline constexpr raster::Rect kDest{0, 0, 600, 600};
inline constexpr raster::Rect kLargeSource{-35, -54, 2000, 2000}, kSmallSource{65, 53, 2000, 2000};

struct Point {
  int x, y;
};

inline constexpr Point kPivot{244, 234};
inline constexpr int kCanvasWidth = 487;
inline constexpr int kCanvasHeight = 468;

inline std::vector<raster::StrokeCanvas::Stroke> ClockStrokes(Point hour, Point minute,
                                                              Point second, bool large) {
  const int pens[2][3][4] = {{{17, 15, 13, 11}, {11, 9, 7, 5}, {9, 7, 5, 3}},
                             {{23, 21, 19, 17}, {15, 13, 11, 9}, {11, 9, 7, 5}}};
  const int levels[4] = {64, 128, 192, 255};
  const Point ends[3] = {hour, minute, second};
  std::vector<raster::StrokeCanvas::Stroke> strokes;
  for (int hand = 0; hand < 3; ++hand) {
    const int shift = hand == 2 ? 16 : 8;  // second hand red, the others green
    for (int i = 0; i < 4; ++i) {
      strokes.push_back({kPivot.x, kPivot.y, ends[hand].x, ends[hand].y, pens[large][hand][i],
                         static_cast<raster::Pixel>(levels[i]) << shift});
    }
  }
  return strokes;
}

// The clock's hands at a second of the day: whole degrees, the hour hand moving half a degree a
// minute (rounded half to even), each end at the floor of the polar offset.
inline std::vector<raster::StrokeCanvas::Stroke> ClockStrokesAt(int second_of_day, bool large) {
  const int hour = second_of_day / 3600 % 24, minute = second_of_day / 60 % 60;
  const double angles[3] = {std::nearbyint(hour * 30 + minute * 0.5 - 90), minute * 6.0 - 90,
                            second_of_day % 60 * 6.0 - 90};
  const int lengths[2][3] = {{100, 130, 147}, {150, 200, 230}};
  Point ends[3];
  for (int hand = 0; hand < 3; ++hand) {
    const double r = angles[hand] * 0.01745329251944;
    ends[hand] = {kPivot.x + static_cast<int>(std::floor(lengths[large][hand] * std::cos(r))),
                  kPivot.y + static_cast<int>(std::floor(lengths[large][hand] * std::sin(r)))};
  }
  return ClockStrokes(ends[0], ends[1], ends[2], large);
}

inline void Draw(raster::StrokeCanvas& canvas,
                 const std::vector<raster::StrokeCanvas::Stroke>& strokes) {
  canvas.Clear();
  for (const auto& s : strokes) canvas.Line(s.x1, s.y1, s.x2, s.y2, s.pen_width, s.colour);
}

inline raster::Image PatternTarget(int width, int height) {
  raster::Image target(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      target.set(x, y,
                 (x * 7 + y * 13) % 5 == 0 ? 0x102040u * static_cast<raster::Pixel>(x % 3) : 0);
    }
  }
  return target;
}

inline std::shared_ptr<const raster::Image> Face(int width, int height) {
  auto face = std::make_shared<raster::Image>(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      face->set(x, y, static_cast<raster::Pixel>((x * 37 + y * 11) & 0x3F3F3F));
  }
  return face;
}

// Whether `changed` lies in the target and holds every pixel that differs between the two.
inline testing::AssertionResult HoldsChanges(const raster::Rect& changed,
                                             const raster::Image& before,
                                             const raster::Image& after) {
  if (!(raster::Intersect(changed, after.bounds()) == changed))
    return testing::AssertionFailure() << "reports pixels outside the target";
  for (int y = 0; y < after.height(); ++y) {
    for (int x = 0; x < after.width(); ++x) {
      if (after.at(x, y) != before.at(x, y) &&
          raster::Intersect(changed, {x, y, 1, 1}) != raster::Rect{x, y, 1, 1})
        return testing::AssertionFailure() << "misses changed pixel " << x << "," << y;
    }
  }
  return testing::AssertionSuccess();
}

}  // namespace raster_test
