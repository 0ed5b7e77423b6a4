#include "platform/raster/hand_layer.h"

#include <algorithm>
#include <numeric>

namespace raster {

HandLayer::HandLayer(std::span<const Stroke> strokes, const ShrinkGrid& grid, PenDiscCache& discs)
    : strokes_(strokes.begin(), strokes.end()) {
  // Widest first; among equal widths the order of painting.
  std::vector<std::size_t> order(strokes_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return strokes_[a].pen_width > strokes_[b].pen_width;
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
  runs_.resize(static_cast<std::size_t>(bottom_ - top_ + 1) * shapes.size());
  for (std::size_t k = 0; k < shapes.size(); ++k) {
    shapes[k].ForEachRow(top_, bottom_, [&](std::int64_t y, std::int64_t left, std::int64_t right) {
      left = std::max<std::int64_t>(left, grid.first_column);
      right = std::min<std::int64_t>(right, grid.last_column);
      runs_[static_cast<std::size_t>(y - top_) * shapes.size() + k] = {
          static_cast<std::int16_t>(left), static_cast<std::int16_t>(right)};
    });
  }
}

const PixelRows& HandLayer::Pixels(const ShrinkGrid& grid, RowSums& sums) const {
  if (!pixels_made_) {
    pixels_made_ = true;
    pixels_.Make(grid, sums, top_, bottom_, [this](int y, auto add) { ForEachRun(y, add); });
  }
  return pixels_;
}

}  // namespace raster
