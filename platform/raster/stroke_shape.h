// The exact pixel footprint of one stroke, row by row.
//
// A stroke covers the pixels whose centres lie within pen_width / 2 of its segment: a
// stadium. Its intersection with a pixel row is one run of columns. Each end of that run lies
// either on one of the two straight edges (parallel to the segment) or on the round end of
// the nearer end point; StrokeShape holds what decides which, so a run is found with integer
// arithmetic only and no per-pixel test.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "platform/raster/exact_math.h"

namespace raster {

// Half widths of a round pen's disc, per pen width, built once and kept.
class PenDiscCache {
 public:
  // h[k] for k = 0 .. pen_width / 2: the largest h with (2h)^2 + (2k)^2 <= pen_width^2, i.e.
  // the disc reaches h columns either side of its centre on the row k rows away.
  const std::int32_t* HalfWidths(int pen_width);

 private:
  std::vector<std::vector<std::int32_t>> tables_;
};

struct StrokeShape {
  // End points ordered top to bottom (left to right on a level stroke).
  std::int64_t x1, y1, x2, y2;
  std::int64_t dx, dy;
  std::int64_t radius;       // pen_width / 2: rows the round ends reach past the end points
  const std::int32_t* disc;  // PenDiscCache::HalfWidths of the pen
  // On the straight part, |x * dy - (x1 * dy + (y - y1) * dx)| <= edge_bound (dy > 0).
  std::int64_t edge_bound;
  std::int64_t edge_q, edge_r;  // edge_bound = edge_q dy + edge_r, 0 <= edge_r < dy
  // Rows on which the left / right end of the run lies on the straight edge.
  std::int64_t left_edge_top, left_edge_bottom;
  std::int64_t right_edge_top, right_edge_bottom;

  std::int64_t top() const { return y1 - radius; }
  std::int64_t bottom() const { return y2 + radius; }

  bool LeftOnEdge(std::int64_t y) const { return left_edge_top <= y && y <= left_edge_bottom; }
  bool RightOnEdge(std::int64_t y) const { return right_edge_top <= y && y <= right_edge_bottom; }
  // The run ends given by the round ends that reach row y (INT64_MAX / INT64_MIN if none).
  std::int64_t DiscLeft(std::int64_t y) const {
    std::int64_t left = std::numeric_limits<std::int64_t>::max();
    if (const std::int64_t k = y - y1; k >= -radius && k <= radius) left = x1 - disc[Abs(k)];
    if (const std::int64_t k = y - y2; k >= -radius && k <= radius) {
      left = std::min(left, x2 - disc[Abs(k)]);
    }
    return left;
  }
  std::int64_t DiscRight(std::int64_t y) const {
    std::int64_t right = std::numeric_limits<std::int64_t>::min();
    if (const std::int64_t k = y - y1; k >= -radius && k <= radius) right = x1 + disc[Abs(k)];
    if (const std::int64_t k = y - y2; k >= -radius && k <= radius) {
      right = std::max(right, x2 + disc[Abs(k)]);
    }
    return right;
  }

  // The covered columns [left, right] of row y (left > right where it is not touched), with
  // n(y) = x1 dy + (y - y1) dx given as q dy + r, 0 <= r < dy (any q, r when dy = 0). Along the
  // straight edges the run's ends are (n(y) -/+ edge_bound) / dy, so a caller stepping n(y)
  // from row to row, once for all strokes along one segment, divides nothing.
  std::pair<std::int64_t, std::int64_t> RunAt(std::int64_t y, std::int64_t q,
                                              std::int64_t r) const {
    if (y < top() || y > bottom()) return {0, -1};
    const auto [left, right] = StraightRun(q, r);
    return {LeftOnEdge(y) ? left : DiscLeft(y), RightOnEdge(y) ? right : DiscRight(y)};
  }
  // The same on a row where both ends lie on the straight edges.
  std::pair<std::int64_t, std::int64_t> StraightRun(std::int64_t q, std::int64_t r) const {
    return {q - edge_q + (r > edge_r ? 1 : 0), q + edge_q + (r + edge_r >= dy ? 1 : 0)};
  }

 private:
  static std::size_t Abs(std::int64_t v) { return static_cast<std::size_t>(v < 0 ? -v : v); }
};

StrokeShape MakeStrokeShape(int x1, int y1, int x2, int y2, int pen_width, PenDiscCache& discs);

// Whether a stroke covers pixel (x, y), decided from the distance to its segment.
bool StrokeCovers(int x1, int y1, int x2, int y2, int pen_width, int x, int y);

}  // namespace raster
