// Colour sums at destination resolution: a row of cells per destination row, and the few
// ranges of cells of each row that may be non-zero, so that reading a row visits nothing else.
//
// Mostly the cells are differences: a run of colour adds to the destination columns it covers
// through two pairs of cells (where it starts and where it ends), so a run costs the same
// however long it is, and a row's sums are the running sum of its cells. Every range is then a
// union of whole runs, so its cells sum to zero. The kept strokes' grid holds the sums
// themselves (see OrShrinkScratch).
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace raster {

struct CellRanges {
  static constexpr int kMaxRanges = 4;
  struct Range {
    std::int64_t lo, hi;  // cells, inclusive
  };
  int count = 0;
  Range ranges[kMaxRanges];

  void Add(std::int64_t lo, std::int64_t hi) {
    if (count == 1 && ranges[0].lo <= hi && lo <= ranges[0].hi) {  // the common case
      ranges[0].lo = std::min(lo, ranges[0].lo);
      ranges[0].hi = std::max(hi, ranges[0].hi);
      return;
    }
    int kept = 0;
    for (int i = 0; i < count; ++i) {
      if (ranges[i].lo <= hi && lo <= ranges[i].hi) {  // shares cells: merge
        lo = std::min(lo, ranges[i].lo);
        hi = std::max(hi, ranges[i].hi);
      } else {
        ranges[kept++] = ranges[i];
      }
    }
    if (kept == kMaxRanges) {  // full: widen the last one over the new; the gap holds zeros
      --kept;
      lo = std::min(lo, ranges[kept].lo);
      hi = std::max(hi, ranges[kept].hi);
    }
    ranges[kept++] = {lo, hi};
    count = kept;
  }

  // Orders the ranges from left to right.
  void Sort() {
    for (int i = 1; i < count; ++i) {
      const Range r = ranges[i];
      int j = i;
      for (; j > 0 && ranges[j - 1].lo > r.lo; --j) ranges[j] = ranges[j - 1];
      ranges[j] = r;
    }
  }
};

template <class Lanes>
class ShrinkGrid {
 public:
  // Destination rows [row_begin, row_end) of `width` cells each, all zero.
  void Resize(std::int64_t row_begin, std::int64_t row_end, std::size_t width) {
    row_begin_ = row_begin;
    width_ = width;
    const auto rows = static_cast<std::size_t>(std::max<std::int64_t>(row_end - row_begin, 0));
    cells_.assign(rows * width, Lanes{});
    ranges_.assign(rows, CellRanges{});
    ForgetRows();
  }

  // Zeroes every cell that may be non-zero.
  void Clear() {
    for (std::int64_t d = top_; d <= bottom_; ++d) {
      CellRanges& r = ranges(d);
      Lanes* const cells = row(d);
      for (int i = 0; i < r.count; ++i) {
        std::fill(cells + r.ranges[i].lo, cells + r.ranges[i].hi + 1, Lanes{});
      }
      r.count = 0;
    }
    ForgetRows();
  }

  Lanes* row(std::int64_t d) {
    return cells_.data() + static_cast<std::size_t>(d - row_begin_) * width_;
  }
  const Lanes* row(std::int64_t d) const {
    return cells_.data() + static_cast<std::size_t>(d - row_begin_) * width_;
  }
  CellRanges& ranges(std::int64_t d) { return ranges_[static_cast<std::size_t>(d - row_begin_)]; }
  const CellRanges& ranges(std::int64_t d) const {
    return ranges_[static_cast<std::size_t>(d - row_begin_)];
  }

  // Notes that cells [lo, hi] of row d may become non-zero; NoteRows must cover d too.
  void Touch(std::int64_t d, std::int64_t lo, std::int64_t hi) { ranges(d).Add(lo, hi); }
  void NoteRows(std::int64_t top, std::int64_t bottom) {
    top_ = std::min(top_, top);
    bottom_ = std::max(bottom_, bottom);
  }

  std::int64_t row_begin() const { return row_begin_; }
  std::int64_t width() const { return static_cast<std::int64_t>(width_); }
  std::size_t cell_total() const { return cells_.size(); }
  std::int64_t row_end() const { return row_begin_ + static_cast<std::int64_t>(ranges_.size()); }

  // Rows that may hold non-zero cells: [top, bottom], empty when top > bottom.
  std::int64_t top() const { return top_; }
  std::int64_t bottom() const { return bottom_; }
  // After the owner zeroed every row itself.
  void ForgetRows() {
    top_ = std::numeric_limits<std::int64_t>::max();
    bottom_ = std::numeric_limits<std::int64_t>::min();
  }

 private:
  std::int64_t row_begin_ = 0;
  std::size_t width_ = 0;
  std::vector<Lanes> cells_;
  std::vector<CellRanges> ranges_;
  std::int64_t top_ = 0, bottom_ = -1;
};

}  // namespace raster
