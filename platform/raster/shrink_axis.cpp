#include "platform/raster/shrink_axis.h"

#include <algorithm>
#include <numeric>

namespace raster {

ShrinkAxis ShrinkAxis::Make(int src_pos, int src_size, int dst_pos, int dst_size, int canvas_size,
                            int target_size) {
  ShrinkAxis a;
  if (src_size <= 0 || dst_size <= 0) return a;
  const std::int64_t g = std::gcd(src_size, dst_size);
  a.src_pos = src_pos;
  a.dst_pos = dst_pos;
  a.src_unit = dst_size / g;
  a.dst_unit = src_size / g;
  a.dst_begin = std::max<std::int64_t>(dst_pos, 0);
  a.dst_end = std::min<std::int64_t>(std::int64_t{dst_pos} + dst_size, target_size);
  if (a.dst_begin >= a.dst_end) return a;
  a.src_begin = std::max<std::int64_t>({a.FirstSrcOf(a.dst_begin), src_pos, 0});
  a.src_end = std::min<std::int64_t>(
      {a.LastSrcOf(a.dst_end - 1) + 1, std::int64_t{src_pos} + src_size, canvas_size});
  if (a.src_begin >= a.src_end) a.src_begin = a.src_end = 0;
  return a;
}

std::int64_t ShrinkAxis::Overlap(std::int64_t s, std::int64_t d) const {
  const std::int64_t begin = std::max(SrcUnits(s), DstUnits(d));
  const std::int64_t end = std::min(SrcUnits(s + 1), DstUnits(d + 1));
  return std::max<std::int64_t>(end - begin, 0);
}

void ColumnLanding::Prepare(const ShrinkAxis& axis) {
  const auto same = [](const ShrinkAxis& a, const ShrinkAxis& b) {
    return a.src_pos == b.src_pos && a.dst_pos == b.dst_pos && a.src_unit == b.src_unit &&
           a.dst_unit == b.dst_unit && a.src_begin == b.src_begin && a.src_end == b.src_end;
  };
  if (prepared_ && same(axis, key_)) return;
  key_ = axis;
  prepared_ = true;
  first_dst_ = axis.FirstDstOf(axis.src_begin);
  // Indexed by the source column itself (src_begin >= 0); columns before src_begin are unused.
  landings_.assign(static_cast<std::size_t>(axis.src_end) + 1, Landing{0, 0});
  for (std::int64_t x = axis.src_begin; x <= axis.src_end; ++x) {
    const std::int64_t units = axis.SrcUnits(x);
    const std::int64_t d = FloorDiv(units, axis.dst_unit);
    landings_[static_cast<std::size_t>(x)] = {axis.dst_pos + d - first_dst_,
                                              (d + 1) * axis.dst_unit - units};
  }
  cell_count_ = static_cast<std::size_t>(landings_.back().cell) + 2;
}

}  // namespace raster
