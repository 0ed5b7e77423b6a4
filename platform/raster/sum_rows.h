// Rows of packed sums over part of the target: either every pixel of a rectangle (the frame's
// working sums) or, row by row, only the columns a layer reaches (a layer's own sums, kept
// for as long as the layer is drawn).
#pragma once

#include <vector>

#include "platform/raster/image.h"
#include "platform/raster/packed_sum.h"

namespace raster {

class DenseSums {
 public:
  void Reset(const Rect& area) {
    area_ = area;
    values_.assign(static_cast<std::size_t>(area.width) * area.height, 0);
  }
  PackedSum* Row(int y) {
    return values_.data() + static_cast<std::size_t>(y - area_.top) * area_.width;
  }
  int RowLeft(int /*y*/) const { return area_.left; }
  PackedSum& At(int x, int y) { return Row(y)[x - area_.left]; }

 private:
  Rect area_;
  std::vector<PackedSum> values_;
};

class SparseSums {
 public:
  // Rows top .. top + spans.size() - 1, each holding the columns of its span.
  void Reset(int top, std::vector<RowSpan> spans) {
    top_ = top;
    spans_ = std::move(spans);
    offsets_.resize(spans_.size());
    std::size_t size = 0;
    for (std::size_t i = 0; i < spans_.size(); ++i) {
      offsets_[i] = size;
      if (!spans_[i].empty()) size += static_cast<std::size_t>(spans_[i].right - spans_[i].left);
    }
    values_.assign(size, 0);
    box_ = {};
    for (std::size_t i = 0; i < spans_.size(); ++i) {
      const RowSpan s = spans_[i];
      if (!s.empty()) box_ = Union(box_, {s.left, top_ + static_cast<int>(i), s.right - s.left, 1});
    }
  }
  RowSpan Span(int y) const {
    const int i = y - top_;
    return i >= 0 && i < static_cast<int>(spans_.size()) ? spans_[i] : RowSpan{};
  }
  PackedSum* Row(int y) { return values_.data() + offsets_[y - top_]; }
  const PackedSum* Row(int y) const { return values_.data() + offsets_[y - top_]; }
  int RowLeft(int y) const { return spans_[y - top_].left; }
  // Where row y starts among all the values.
  std::size_t Offset(int y) const { return offsets_[y - top_]; }
  std::size_t size() const { return values_.size(); }
  PackedSum Value(std::size_t i) const { return values_[i]; }
  int top() const { return top_; }
  int bottom() const { return top_ + static_cast<int>(spans_.size()); }  // past the last row
  // The smallest rectangle holding every span.
  const Rect& Box() const { return box_; }

 private:
  int top_ = 0;
  std::vector<RowSpan> spans_;
  std::vector<std::size_t> offsets_;
  std::vector<PackedSum> values_;
  Rect box_;
};

}  // namespace raster
