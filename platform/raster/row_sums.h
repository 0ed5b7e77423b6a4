// Summing canvas runs into one target row by their ends.
//
// A run of colour c over canvas columns [a, b] gives a target column the colour times the
// units the run overlaps it. That is the difference of two prefixes, the columns before b + 1
// less those before a, and a prefix whose edge falls `units` into target column T gives every
// column left of T a full column's width and T itself `units`. So each end adds to two
// counters at its own column, and one pass from right to left turns them into the sums: a
// run costs the same however long it is.
//
// The three channel sums of a pixel are packed into one integer, 21 bits a channel (red at
// bit 42, green at 21, blue at 0), so adding a weighted colour is one multiply and one add.
// Packing is linear: whatever the intermediate signs, the packed result is exact as long as
// each final channel sum lies in [0, 2^21), which ShrinkGrid::summable keeps.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/raster/image.h"
#include "platform/raster/shrink_grid.h"

namespace raster {

using PackedSum = std::int64_t;

constexpr PackedSum Pack(Pixel p) {
  return (static_cast<PackedSum>((p >> 16) & 0xFF) << 42) |
         (static_cast<PackedSum>((p >> 8) & 0xFF) << 21) | (p & 0xFF);
}

// Each channel's sum divided by `area`, rounded to nearest (halves up).
inline Pixel Average(PackedSum sum, std::int64_t area) {
  const auto channel = [area](std::int64_t s) {
    return static_cast<Pixel>((2 * (s & 0x1FFFFF) + area) / (2 * area));
  };
  return channel(sum >> 42) << 16 | channel(sum >> 21) << 8 | channel(sum);
}

class RowSums {
 public:
  void Reset(const ShrinkGrid& grid) {
    grid_ = &grid;
    point_.assign(static_cast<std::size_t>(grid.out.width) + 1, 0);
    full_.assign(point_.size(), 0);
    sums_.assign(point_.size(), 0);
    edges_.clear();
    for (int x = grid.first_column; x <= grid.last_column + 1; ++x) {
      Edge& edge = edges_.emplace_back();
      grid.Edge(x, edge.column, edge.units);
    }
  }

  // Adds `weighted` (a packed colour times the row's weight) over canvas columns [a, b], a
  // run within the grid's columns (nothing when a > b).
  void Add(int a, int b, PackedSum weighted) {
    if (a > b) return;
    const PackedSum full = weighted * grid_->ux;
    const Edge& right = edges_[static_cast<std::size_t>(b + 1 - grid_->first_column)];
    point_[right.column] += weighted * right.units;
    full_[right.column] += full;
    const Edge& left = edges_[static_cast<std::size_t>(a - grid_->first_column)];
    point_[left.column] -= weighted * left.units;
    full_[left.column] -= full;
    low_ = std::min(low_, left.column);
    high_ = std::max(high_, right.column);
  }

  // Works out the sums of the runs added since the last call: the target columns they reach,
  // whose sums Sum(x) gives until the next call.
  RowSpan Finish() {
    PackedSum left_of = 0;  // the full columns that ends further right give this one
    for (int t = high_; t >= low_; --t) {
      sums_[t] = point_[t] + left_of;
      left_of += full_[t];
      point_[t] = full_[t] = 0;
    }
    const RowSpan span{grid_->out.left + low_, grid_->out.left + std::min(high_ + 1, grid_->out.width)};
    low_ = grid_->out.width + 1, high_ = -1;
    return span;
  }
  PackedSum Sum(int x) const { return sums_[x - grid_->out.left]; }

 private:
  struct Edge {
    std::int32_t column, units;  // see ShrinkGrid::Edge
  };
  const ShrinkGrid* grid_ = nullptr;
  std::vector<PackedSum> point_, full_, sums_;  // per target column of out, and its right edge
  std::vector<Edge> edges_;              // per canvas column from first_column, and one more
  int low_ = 1 << 30, high_ = -1;        // the columns ends were added at
};

}  // namespace raster

namespace raster {

// The sums and rounded pixels over one span of columns per target row: what some runs show
// when shrunk on their own.
class PixelRows {
 public:
  // Starts again with no rows; the next row appended is row `top`.
  void Clear(int top) {
    top_ = top;
    spans_.clear();
    starts_.clear();
    pixels_.clear();
    sums_.clear();
  }
  // Appends the next row, over `span` (empty for none); its sums and pixels to fill in,
  // indexed by column.
  std::pair<PackedSum*, Pixel*> Append(RowSpan span) {
    const std::size_t start = pixels_.size();
    const auto width = static_cast<std::size_t>(std::max(span.right - span.left, 0));
    spans_.push_back(width > 0 ? span : RowSpan{});
    starts_.push_back(static_cast<std::uint32_t>(start));
    sums_.resize(start + width);
    pixels_.resize(start + width);
    return {sums_.data() + start - span.left, pixels_.data() + start - span.left};
  }

  // Shrinks the runs that runs_of(y, add) gives for canvas rows [top, bottom], calling
  // add(left, right, colour step) for each, into rows of pixels.
  template <typename RunsOf>
  void Make(const ShrinkGrid& grid, RowSums& sums, int top, int bottom, RunsOf&& runs_of) {
    int first = 0, last = 0;
    grid.RowsOf(top, bottom, first, last);
    Clear(first);
    if (top > bottom) return;
    for (int u = first; u < last; ++u) {
      grid.ForEachRowIn(u, [&](int y, std::int64_t weight) {
        if (y < top || y > bottom) return;
        runs_of(y, [&](int a, int b, PackedSum step) { sums.Add(a, b, step * weight); });
      });
      const RowSpan span = sums.Finish();
      const auto [row_sums, row_pixels] = Append(span);
      for (int x = span.left; x < span.right; ++x) {
        row_sums[x] = sums.Sum(x);
        row_pixels[x] = Average(row_sums[x], grid.area());
      }
    }
  }

  // The columns of target row u, and its pixels indexed by column.
  RowSpan Span(int u) const {
    const auto i = static_cast<std::size_t>(u - top_);
    return u >= top_ && i < spans_.size() ? spans_[i] : RowSpan{};
  }
  const Pixel* Row(int u) const {
    const auto i = static_cast<std::size_t>(u - top_);
    return pixels_.data() + starts_[i] - spans_[i].left;
  }
  const PackedSum* Sums(int u) const {
    const auto i = static_cast<std::size_t>(u - top_);
    return sums_.data() + starts_[i] - spans_[i].left;
  }
  int top() const { return top_; }
  int bottom() const { return top_ + static_cast<int>(spans_.size()); }

 private:
  int top_ = 0;
  std::vector<RowSpan> spans_;
  std::vector<std::uint32_t> starts_;
  std::vector<Pixel> pixels_;
  std::vector<PackedSum> sums_;
};

}  // namespace raster
