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
  for (int k = 0; k < count_; ++k) {
    Run* run = &runs_[static_cast<std::size_t>(k)];
    shapes[static_cast<std::size_t>(k)].ForEachRow(
        top_, bottom_, [&](std::int64_t, std::int64_t left, std::int64_t right) {
          run->left = static_cast<std::int16_t>(std::max<std::int64_t>(left, grid.first_column));
          run->right = static_cast<std::int16_t>(std::min<std::int64_t>(right, grid.last_column));
          run += count_;
        });
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
