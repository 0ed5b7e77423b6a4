// The strokes of a clock frame: three hands from the pivot, each four ever narrower, brighter
// strokes, drawn hour, minute, second.
#pragma once

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

inline void Draw(raster::StrokeCanvas& canvas,
                 const std::vector<raster::StrokeCanvas::Stroke>& strokes) {
  canvas.Clear();
  for (const auto& s : strokes) canvas.Line(s.x1, s.y1, s.x2, s.y2, s.pen_width, s.colour);
}

}  // namespace raster_test
