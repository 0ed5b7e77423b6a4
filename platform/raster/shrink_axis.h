// How one axis of a source rectangle maps onto a destination rectangle when shrinking.
//
// Both are measured in a common unit: with g = gcd(destination size, source size), a source
// pixel is destination size / g units long and a destination pixel source size / g, so every
// overlap is a whole number of units.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster/exact_math.h"

namespace raster {

struct ShrinkAxis {
  std::int64_t src_pos = 0, dst_pos = 0;
  std::int64_t src_unit = 1;  // units per source pixel
  std::int64_t dst_unit = 1;  // units per destination pixel
  // Source pixels inside the canvas that reach a kept destination pixel, and the kept
  // destination pixels (inside the target), both half open.
  std::int64_t src_begin = 0, src_end = 0;
  std::int64_t dst_begin = 0, dst_end = 0;

  static ShrinkAxis Make(int src_pos, int src_size, int dst_pos, int dst_size, int canvas_size,
                         int target_size);

  bool empty() const { return src_begin >= src_end; }

  // Units from the start of the source rectangle to the start of source pixel s.
  std::int64_t SrcUnits(std::int64_t s) const { return (s - src_pos) * src_unit; }
  std::int64_t DstUnits(std::int64_t d) const { return (d - dst_pos) * dst_unit; }

  // The first and last destination pixel that source pixel s reaches.
  std::int64_t FirstDstOf(std::int64_t s) const {
    return dst_pos + FloorDiv(SrcUnits(s), dst_unit);
  }
  std::int64_t LastDstOf(std::int64_t s) const {
    return dst_pos + FloorDiv(SrcUnits(s + 1) - 1, dst_unit);
  }
  // The first and last source pixel under destination pixel d.
  std::int64_t FirstSrcOf(std::int64_t d) const {
    return src_pos + FloorDiv(DstUnits(d), src_unit);
  }
  std::int64_t LastSrcOf(std::int64_t d) const {
    return src_pos + FloorDiv(DstUnits(d + 1) - 1, src_unit);
  }
  // Units of source pixel s inside destination pixel d.
  std::int64_t Overlap(std::int64_t s, std::int64_t d) const;

  friend bool operator==(const ShrinkAxis&, const ShrinkAxis&) = default;
};

// Where a colour step at each source column lands among the destination columns: the step
// adds its full weight to every destination column right of `cell`, and `part` units of it to
// `cell` itself. Kept between frames, rebuilt only when the mapping changes.
class ColumnLanding {
 public:
  struct Landing {
    std::int64_t cell;  // destination column, counted from the one of the first source column
    std::int64_t part;
  };

  // Covers source columns src_begin .. src_end inclusive (a step may sit just past the last).
  void Prepare(const ShrinkAxis& axis);

  const Landing& at(std::int64_t x) const { return landings_[static_cast<std::size_t>(x)]; }
  std::int64_t first_dst() const { return first_dst_; }  // destination column of cell 0
  std::size_t cell_count() const { return cell_count_; }

 private:
  ShrinkAxis key_{};
  bool prepared_ = false;
  std::int64_t first_dst_ = 0;
  std::size_t cell_count_ = 0;
  std::vector<Landing> landings_;  // by source column; those before src_begin unused
};

}  // namespace raster
