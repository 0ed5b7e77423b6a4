// Summing canvas runs into one target row.
//
// The canvas rows under a target row are added up first, each weighted by the units it
// overlaps the target row: a run of colour c over canvas columns [a, b] adds c at a and takes
// it away again at b + 1, so one pass from left to right gives each canvas column its weighted
// colour. That pass then shares each canvas column out to the one or two target columns it
// overlaps, by the units it has in each (ShrinkGrid::Share).
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
    steps_.assign(static_cast<std::size_t>(grid.last_column) + 2, 0);
    shares_.clear();
    for (int x = 0; x <= grid.last_column; ++x) shares_.push_back(grid.Share(x));
    sums_.assign(static_cast<std::size_t>(grid.out.width) + 1, 0);
    low_ = grid.last_column + 2, high_ = -1, taken_ = {};
  }

  // Adds `weighted` (a packed colour times the canvas row's weight) over canvas columns
  // [a, b], a run within the grid's columns (nothing when a > b).
  void Add(int a, int b, PackedSum weighted) {
    if (a > b) return;
    steps_[a] += weighted;
    steps_[b + 1] -= weighted;
    low_ = std::min(low_, a);
    high_ = std::max(high_, b + 1);
  }

  // Works out the sums of the runs added since the last call: the target columns they reach,
  // whose sums Sum(x) gives until the next call.
  RowSpan Finish() {
    std::fill(sums_.begin() + taken_.left, sums_.begin() + taken_.right, 0);
    if (low_ >= high_) {
      low_ = static_cast<int>(steps_.size()), high_ = -1, taken_ = {};
      return {};
    }
    PackedSum colour = 0;
    for (int x = low_; x < high_; ++x) {
      colour += steps_[x];
      steps_[x] = 0;
      const ShrinkGrid::Shares& share = shares_[x];
      sums_[share.column] += colour * share.units;
      sums_[share.column + 1] += colour * share.rest;
    }
    steps_[high_] = 0;
    taken_ = {shares_[low_].column, std::min(shares_[high_ - 1].column + 2, grid_->out.width)};
    low_ = static_cast<int>(steps_.size()), high_ = -1;
    return {grid_->out.left + taken_.left, grid_->out.left + taken_.right};
  }
  PackedSum Sum(int x) const { return sums_[x - grid_->out.left]; }

 private:
  const ShrinkGrid* grid_ = nullptr;
  std::vector<PackedSum> steps_;            // per canvas column: what the runs add from there on
  std::vector<ShrinkGrid::Shares> shares_;  // per canvas column
  std::vector<PackedSum> sums_;             // per target column of out, and one more
  int low_ = 0, high_ = -1;                 // the canvas columns steps were added at
  RowSpan taken_;                           // the target columns of the last sums, from out's left
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
    return i < spans_.size() ? spans_[i] : RowSpan{};  // u < top_ wraps round
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
