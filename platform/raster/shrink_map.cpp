#include "platform/raster/shrink_map.h"

#include <algorithm>
#include <numeric>

#include "platform/raster/exact_math.h"

namespace raster {

ShrinkMap::ShrinkMap(const Rect& dst, const Rect& src, int canvas_width, int canvas_height,
                     const Rect& target_bounds)
    : dst_(dst), src_(src) {
  if (dst.empty() || src.empty() || canvas_width <= 0 || canvas_height <= 0) return;
  const std::int64_t gx = std::gcd(dst.width, src.width), gy = std::gcd(dst.height, src.height);
  kx_ = dst.width / gx;
  ux_ = src.width / gx;
  ky_ = dst.height / gy;
  uy_ = src.height / gy;
  // The target pixels the canvas covers, within dst and the target.
  const auto reach = [](std::int64_t from, std::int64_t to, std::int64_t k, std::int64_t u) {
    return std::pair{FloorDiv(from * k, u), CeilDiv(to * k, u)};
  };
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
  return !out_.empty() && ky_ <= uy_ && kx_ <= ux_ && 255 * area() < kChannelLimit;
}

ShrinkMap::RowShare ShrinkMap::Rows(int y) const {
  RowShare share;
  const std::int64_t y0 = (y - src_.top) * ky_, y1 = y0 + ky_;
  for (std::int64_t r = FloorDiv(y0, uy_); r * uy_ < y1; ++r) {
    const int row = dst_.top + static_cast<int>(r);
    if (row < out_.top || row >= out_.bottom()) continue;
    share.row[share.count] = row;
    share.weight[share.count] = std::min(y1, (r + 1) * uy_) - std::max(y0, r * uy_);
    ++share.count;
  }
  return share;
}

RowSpan ShrinkMap::Columns(int a, int b) const {
  a = std::max(a, first_column_);
  b = std::min(b, last_column_);
  if (a > b) return {};
  const std::int64_t u0 = (a - src_.left) * kx_, u1 = (b + 1 - src_.left) * kx_;
  return {std::max(out_.left, dst_.left + static_cast<int>(u0 / ux_)),
          std::min(out_.right(), dst_.left + static_cast<int>((u1 - 1) / ux_) + 1)};
}

void ShrinkMap::AddRun(PackedSum* row, int row_left, int a, int b, PackedSum colour) const {
  a = std::max(a, first_column_);
  b = std::min(b, last_column_);
  if (a > b) return;
  const std::int64_t u0 = (a - src_.left) * kx_, u1 = (b + 1 - src_.left) * kx_;
  const std::int64_t last = std::min<std::int64_t>((u1 - 1) / ux_, out_.right() - 1 - dst_.left);
  for (std::int64_t t = std::max<std::int64_t>(u0 / ux_, out_.left - dst_.left); t <= last; ++t) {
    row[dst_.left + t - row_left] += colour * (std::min(u1, (t + 1) * ux_) - std::max(u0, t * ux_));
  }
}

}  // namespace raster
