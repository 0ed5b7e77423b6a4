#include "platform/raster/shrink_map.h"

#include <algorithm>
#include <numeric>

#include "platform/raster/exact_math.h"

namespace raster {

ShrinkMap::ShrinkMap(const Rect& dst, const Rect& src, int canvas_width, int canvas_height,
                     const Rect& target_bounds)
    : dst_(dst), src_(src), canvas_{0, 0, canvas_width, canvas_height} {
  if (dst.empty() || src.empty() || canvas_.empty()) return;
  const std::int64_t gx = std::gcd(dst.width, src.width), gy = std::gcd(dst.height, src.height);
  kx_ = dst.width / gx;
  ux_ = src.width / gx;
  ky_ = dst.height / gy;
  uy_ = src.height / gy;
  const auto reach = [](std::int64_t from, std::int64_t to, std::int64_t k, std::int64_t u) {
    return std::pair{FloorDiv(from * k, u), CeilDiv(to * k, u)};
  };
  // The target pixels the canvas covers, within dst and the target.
  const auto [cx0, cx1] = reach(-src.left, canvas_width - src.left, kx_, ux_);
  const auto [cy0, cy1] = reach(-src.top, canvas_height - src.top, ky_, uy_);
  const Rect canvas_image{dst.left + static_cast<int>(cx0), dst.top + static_cast<int>(cy0),
                          static_cast<int>(cx1 - cx0), static_cast<int>(cy1 - cy0)};
  out_ = Intersect(Intersect(dst, target_bounds), canvas_image);
  if (out_.empty()) return;
  // The canvas pixels that reach out_.
  const auto [r0, r1] = reach(out_.top - dst.top, out_.bottom() - dst.top, uy_, ky_);
  const auto [c0, c1] = reach(out_.left - dst.left, out_.right() - dst.left, ux_, kx_);
  first_row_ = std::max<int>(0, src.top + static_cast<int>(r0));
  last_row_ = std::min<int>(canvas_height - 1, src.top + static_cast<int>(r1) - 1);
  first_column_ = std::max<int>(0, src.left + static_cast<int>(c0));
  last_column_ = std::min<int>(canvas_width - 1, src.left + static_cast<int>(c1) - 1);
}

bool ShrinkMap::summable() const {
  return !out_.empty() && ky_ <= uy_ && kx_ <= ux_ && 255 * area() < kChannelLimit &&
         canvas_.width < 32767;
}

void ShrinkMap::BuildTables() {
  edges_.clear();
  rows_.clear();
  if (!summable()) return;
  const std::int64_t edge = (out_.left - dst_.left) * ux_;  // out's left edge, in units
  const std::int64_t width = out_.width * ux_;
  for (int c = first_column_; c <= last_column_ + 1; ++c) {
    const std::int64_t units = std::clamp<std::int64_t>((c - src_.left) * kx_ - edge, 0, width);
    edges_.push_back(
        {static_cast<std::int32_t>(units / ux_), static_cast<std::int32_t>(units % ux_)});
  }
  for (int y = first_row_; y <= last_row_; ++y) {
    RowShare share;
    const std::int64_t y0 = (y - src_.top) * ky_, y1 = y0 + ky_;
    for (std::int64_t r = FloorDiv(y0, uy_); r * uy_ < y1; ++r) {
      const int row = dst_.top + static_cast<int>(r);
      if (row < out_.top || row >= out_.bottom()) continue;
      share.row[share.count] = row;
      share.weight[share.count] = std::min(y1, (r + 1) * uy_) - std::max(y0, r * uy_);
      ++share.count;
    }
    rows_.push_back(share);
  }
}

RowSpan ShrinkMap::Columns(int a, int b) const {
  a = std::max(a, first_column_);
  b = std::min(b, last_column_);
  if (a > b) return {};
  const Edge from = EdgeAt(a), to = EdgeAt(b + 1);
  return {out_.left + from.column, out_.left + to.column + (to.units > 0)};
}

}  // namespace raster
