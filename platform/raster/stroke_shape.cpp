#include "platform/raster/stroke_shape.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

#include "platform/raster/exact_math.h"

namespace raster {

namespace {

std::int64_t Square(std::int64_t v) {
  return v * v;
}

}  // namespace

const std::int32_t* PenDiscCache::HalfWidths(int pen_width) {
  const auto index = static_cast<std::size_t>(pen_width);
  if (index >= tables_.size()) tables_.resize(index + 1);
  std::vector<std::int32_t>& table = tables_[index];
  if (table.empty()) {
    const std::int64_t w2 = Square(pen_width);
    for (std::int64_t k = 0; 4 * k * k <= w2; ++k) {
      table.push_back(static_cast<std::int32_t>(Isqrt(static_cast<Wide>((w2 - 4 * k * k) / 4))));
    }
  }
  return table.data();
}

StrokeShape MakeStrokeShape(int x1, int y1, int x2, int y2, int pen_width, PenDiscCache& discs) {
  StrokeShape s{};
  s.x1 = x1;
  s.y1 = y1;
  s.x2 = x2;
  s.y2 = y2;
  if (s.y1 > s.y2 || (s.y1 == s.y2 && s.x1 > s.x2)) {
    std::swap(s.x1, s.x2);
    std::swap(s.y1, s.y2);
  }
  s.dx = s.x2 - s.x1;
  s.dy = s.y2 - s.y1;
  const int pen = std::max(pen_width, 1);
  s.radius = pen / 2;
  s.disc = discs.HalfWidths(pen);
  if (s.dy == 0) {
    // Runs come from the discs alone; no row follows a slanted edge.
    s.left_edge_top = s.right_edge_top = 1;
    s.left_edge_bottom = s.right_edge_bottom = 0;
    return s;
  }
  const Wide length2 = static_cast<Wide>(Square(s.dx) + Square(s.dy));
  const Wide pen2 = static_cast<Wide>(Square(pen));
  // Distance to the line is |cross| / length, so the straight part holds
  // 2 |cross| <= pen * length, i.e. |cross| <= floor(isqrt(pen^2 length^2) / 2).
  s.edge_bound = static_cast<std::int64_t>(Isqrt(pen2 * length2) / 2);
  s.edge_q = s.edge_bound / s.dy;
  s.edge_r = s.edge_bound % s.dy;
  // The straight edges are offset from the segment by pen / 2 along its normal, which moves
  // their end points up or down by pen |dx| / (2 length) rows: floor is `rise`, ceiling `sink`.
  const Wide edge2 = pen2 * static_cast<Wide>(Square(s.dx));
  const auto rise = static_cast<std::int64_t>(Isqrt(WideDiv(edge2, 4 * length2)));
  const std::int64_t sink =
      (4 * static_cast<Wide>(Square(rise)) * length2 == edge2) ? rise : rise + 1;
  const bool falls_right = s.dx >= 0;
  // The right edge starts higher than the segment when it runs down to the right.
  s.right_edge_top = falls_right ? s.y1 - rise : s.y1 + sink;
  s.right_edge_bottom = falls_right ? s.y2 - sink : s.y2 + rise;
  s.left_edge_top = falls_right ? s.y1 + sink : s.y1 - rise;
  s.left_edge_bottom = falls_right ? s.y2 + rise : s.y2 - sink;
  return s;
}

bool StrokeCovers(int x1, int y1, int x2, int y2, int pen_width, int x, int y) {
  const std::int64_t pen2 = Square(std::max(pen_width, 1));
  const std::int64_t dx = std::int64_t{x2} - x1;
  const std::int64_t dy = std::int64_t{y2} - y1;
  const std::int64_t vx = std::int64_t{x} - x1;
  const std::int64_t vy = std::int64_t{y} - y1;
  const std::int64_t length2 = Square(dx) + Square(dy);
  const std::int64_t along = vx * dx + vy * dy;
  if (length2 == 0 || along <= 0) return 4 * (Square(vx) + Square(vy)) <= pen2;
  if (along >= length2) return 4 * (Square(vx - dx) + Square(vy - dy)) <= pen2;
  const std::int64_t cross = vx * dy - vy * dx;
  const Wide magnitude = static_cast<Wide>(cross < 0 ? -cross : cross);
  return 4 * magnitude * magnitude <= static_cast<Wide>(pen2) * static_cast<Wide>(length2);
}

}  // namespace raster
