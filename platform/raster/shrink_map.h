// How a canvas rectangle shrinks into a target rectangle, in whole units. With g the gcd of
// the two widths, a canvas column is dst.width / g units wide and a target column
// src.width / g, so every overlap of a canvas pixel with a target pixel is a whole number of
// units (rows alike). A target pixel's value is the sum of colour x overlap over the canvas
// pixels under it, divided by its area and rounded.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/raster/image.h"
#include "platform/raster/packed_sum.h"

namespace raster {

class ShrinkMap {
 public:
  ShrinkMap() = default;
  // Works out the rectangles only; BuildTables prepares the map for use.
  ShrinkMap(const Rect& dst, const Rect& src, int canvas_width, int canvas_height,
            const Rect& target_bounds);
  bool SameAs(const ShrinkMap& other) const {
    return dst_ == other.dst_ && src_ == other.src_ && out_ == other.out_ &&
           canvas_ == other.canvas_;
  }
  void BuildTables();

  // Target pixels that canvas pixels reach.
  const Rect& out() const { return out_; }
  std::int64_t area() const { return ux_ * uy_; }
  // Whether sums work: a shrink (a canvas pixel reaches at most two target rows or columns),
  // pixel sums that fit a channel of PackedSum and canvas columns that fit 16 bits.
  bool summable() const;

  // Canvas rows and columns that reach `out`.
  int first_row() const { return first_row_; }
  int last_row() const { return last_row_; }
  int first_column() const { return first_column_; }
  int last_column() const { return last_column_; }

  // The target rows of `out` that canvas row y overlaps, with the overlap of each.
  struct RowShare {
    int count = 0;
    int row[2] = {0, 0};
    std::int64_t weight[2] = {0, 0};
  };
  const RowShare& Rows(int y) const { return rows_[static_cast<std::size_t>(y - first_row_)]; }

  // The target columns of `out` that canvas columns [a, b] reach.
  RowSpan Columns(int a, int b) const;

  std::int64_t unit_width() const { return ux_; }

  // Where the left edge of canvas column c (first_column .. last_column + 1) falls, clamped
  // to out: `units` into out column `column` (out.width for out's right edge).
  struct Edge {
    std::int32_t column, units;
  };
  const Edge& EdgeAt(int c) const { return edges_[static_cast<std::size_t>(c - first_column_)]; }

 private:
  Rect dst_, src_, out_, canvas_;
  std::int64_t kx_ = 1, ux_ = 1, ky_ = 1, uy_ = 1;  // units per canvas / target pixel
  int first_row_ = 0, last_row_ = -1, first_column_ = 0, last_column_ = -1;
  std::vector<Edge> edges_;     // per canvas column edge from first_column_
  std::vector<RowShare> rows_;  // per canvas row from first_row_
};

}  // namespace raster
