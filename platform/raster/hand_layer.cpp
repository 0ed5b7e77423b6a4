#include "platform/raster/hand_layer.h"

#include <algorithm>
#include <numeric>

namespace raster {

HandLayer::HandLayer(std::span<const Stroke> strokes, const ShrinkGrid& grid, PenDiscCache& discs)
    : strokes_(strokes.begin(), strokes.end()) {
  // Widest first; among equal widths the order of painting.
  std::vector<std::size_t> order(strokes_.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return strokes_[a].pen_width != strokes_[b].pen_width
               ? strokes_[a].pen_width > strokes_[b].pen_width
               : a < b;
  });
  // A pixel covered by the k widest shows the last painted of them.
  std::size_t shown = 0;
  PackedSum previous = 0;
  std::vector<StrokeShape> shapes;
  for (const std::size_t i : order) {
    shown = std::max(shown, i);
    steps_.push_back(Pack(strokes_[shown].colour) - previous);
    previous = Pack(strokes_[shown].colour);
    const Stroke& s = strokes_[i];
    shapes.push_back(MakeStrokeShape(s.x1, s.y1, s.x2, s.y2, s.pen_width, discs));
  }
  top_ = static_cast<int>(std::max<std::int64_t>(shapes[0].top(), grid.first_row));
  bottom_ = static_cast<int>(std::min<std::int64_t>(shapes[0].bottom(), grid.last_row));
  if (top_ > bottom_) return;
  count_ = static_cast<int>(shapes.size());
  // Every run is written below.
  runs_.reset(new Run[static_cast<std::size_t>((bottom_ - top_ + 1) * count_)]);
  // n(y) = x1 dy + (y - y1) dx as q dy + r, stepped by dx a row; the same for every stroke
  // (and of no use on a level segment, dy = 0, whose runs come from the discs alone).
  const StrokeShape& outer = shapes[0];
  const std::int64_t dy = std::max<std::int64_t>(outer.dy, 1);
  const std::int64_t n = outer.x1 * dy + (top_ - outer.y1) * outer.dx;
  std::int64_t q = FloorDiv(n, dy), r = n - q * dy;
  const std::int64_t step_q = FloorDiv(outer.dx, dy), step_r = outer.dx - step_q * dy;
  // The rows where both ends of every stroke's run lie on its straight edges.
  std::int64_t straight_top = outer.dy > 0 ? top_ : bottom_ + 1, straight_bottom = bottom_;
  for (const StrokeShape& shape : shapes) {
    straight_top = std::max({straight_top, shape.left_edge_top, shape.right_edge_top});
    straight_bottom = std::min({straight_bottom, shape.left_edge_bottom, shape.right_edge_bottom});
  }
  Run* run = runs_.get();
  for (int y = top_; y <= bottom_; ++y) {
    const bool straight = y >= straight_top && y <= straight_bottom;
    for (const StrokeShape& shape : shapes) {
      const auto [left, right] = straight ? shape.StraightRun(q, r) : shape.RunAt(y, q, r);
      run->left = static_cast<std::int16_t>(std::max<std::int64_t>(left, grid.first_column));
      run->right = static_cast<std::int16_t>(std::min<std::int64_t>(right, grid.last_column));
      ++run;
    }
    q += step_q, r += step_r;
    if (r >= dy) q += 1, r -= dy;
  }
}

const PixelRows& HandLayer::Pixels(const ShrinkGrid& grid, RowSums& sums,
                                   PixelRows& scratch) const {
  if (!pixels_made_) {
    pixels_made_ = true;
    scratch.Make(grid, sums, top_, bottom_, [this](int y, auto add) { ForEachRun(y, add); });
    pixels_ = scratch;
  }
  return pixels_;
}

}  // namespace raster
