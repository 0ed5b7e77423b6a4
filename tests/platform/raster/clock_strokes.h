// The strokes of a clock frame: three hands from the pivot, each four ever narrower, brighter
// strokes, drawn hour, minute, second.
#pragma once

#include <cmath>
#include <vector>

#include "platform/raster/stroke_canvas.h"

namespace raster_test {

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

}  // namespace raster_test
