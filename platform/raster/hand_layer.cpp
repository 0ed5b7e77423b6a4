#include "platform/raster/hand_layer.h"

#include <algorithm>
#include <numeric>

namespace raster {

HandLayer::HandLayer(std::span<const Stroke> strokes, const ShrinkMap& map, PenDiscCache& discs)
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
  std::size_t shown = order[0];
  PackedSum previous = 0;
  std::vector<StrokeShape> shapes;
  for (const std::size_t i : order) {
    shown = std::max(shown, i);
    steps_.push_back(Pack(strokes_[shown].colour) - previous);
    previous = Pack(strokes_[shown].colour);
    const Stroke& s = strokes_[i];
    shapes.push_back(MakeStrokeShape(s.x1, s.y1, s.x2, s.y2, s.pen_width, discs));
  }
  top_ = static_cast<int>(std::max<std::int64_t>(shapes[0].top(), map.first_row()));
  bottom_ = static_cast<int>(std::min<std::int64_t>(shapes[0].bottom(), map.last_row()));
  if (top_ > bottom_) bottom_ = top_ - 1;
  runs_.reserve(static_cast<std::size_t>(bottom_ - top_ + 1) * shapes.size());
  for (int y = top_; y <= bottom_; ++y) {
    for (const StrokeShape& shape : shapes) {
      std::int64_t left = 0, right = -1;
      shape.RowRun(y, left, right);
      left = std::max<std::int64_t>(left, map.first_column());
      right = std::min<std::int64_t>(right, map.last_column());
      runs_.emplace_back(static_cast<std::int16_t>(left), static_cast<std::int16_t>(right));
    }
  }
}

void HandLayer::MakeSums(const ShrinkMap& map, RunSums& summer) const {
  if (sums_made_) return;
  sums_made_ = true;
  // The target columns each target row receives.
  const Rect out = map.out();
  std::vector<RowSpan> spans(static_cast<std::size_t>(out.height));
  int first = out.bottom(), last = out.top - 1;
  for (int y = top_; y <= bottom_; ++y) {
    const auto [left, right] = Outer(y);
    const RowSpan columns = map.Columns(left, right);
    if (columns.empty()) continue;
    const ShrinkMap::RowShare& share = map.Rows(y);
    for (int i = 0; i < share.count; ++i) {
      spans[static_cast<std::size_t>(share.row[i] - out.top)].Add(columns.left, columns.right);
      first = std::min(first, share.row[i]);
      last = std::max(last, share.row[i]);
    }
  }
  if (first > last) return;
  sums_.Reset(first, std::vector<RowSpan>(spans.begin() + (first - out.top),
                                          spans.begin() + (last - out.top + 1)));
  for (int y = top_; y <= bottom_; ++y) {
    ForEachStroke(
        y, [&](int left, int right, PackedSum step) { summer.Add(sums_, y, left, right, step); });
  }
  summer.Flush(sums_);
  own_pixels_.resize(sums_.size());
  for (std::size_t i = 0; i < own_pixels_.size(); ++i) {
    own_pixels_[i] = Average(sums_.Value(i), map.area());
  }
}

}  // namespace raster
