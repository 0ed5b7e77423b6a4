// How a canvas rectangle shrinks into a target rectangle, in whole units. With g the gcd of
// the two widths, a canvas column is dst.width / g units wide and a target column
// src.width / g, so every overlap of a canvas pixel with a target pixel is a whole number of
// units (rows alike). A target pixel's value is the sum of colour x overlap over the canvas
// pixels under it, divided by its area and rounded.
#pragma once

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "platform/raster/image.h"

namespace raster {

struct ShrinkGrid {
  ShrinkGrid() = default;
  ShrinkGrid(const Rect& dst, const Rect& src, int canvas_width, int canvas_height,
             const Rect& target_bounds)
      : dst(dst), src(src), out(Intersect(dst, target_bounds)) {
    if (dst.empty() || src.empty() || out.empty()) {
      out = {};
      return;
    }
    const std::int64_t gx = std::gcd(dst.width, src.width), gy = std::gcd(dst.height, src.height);
    kx = dst.width / gx, ux = src.width / gx, ky = dst.height / gy, uy = src.height / gy;
    // Canvas pixels that lie in the source rectangle and reach `out`.
    first_column = std::max({0, src.left, src.left + static_cast<int>(Ux(out.left) / kx)});
    last_column = static_cast<int>(std::min<std::int64_t>(
        {canvas_width - 1, src.right() - 1, src.left + (Ux(out.right()) - 1) / kx}));
    first_row = std::max({0, src.top, src.top + static_cast<int>(Uy(out.top) / ky)});
    last_row = static_cast<int>(std::min<std::int64_t>(
        {canvas_height - 1, src.bottom() - 1, src.top + (Uy(out.bottom()) - 1) / ky}));
    if (first_column > last_column || first_row > last_row) out = {};
  }
  friend bool operator==(const ShrinkGrid&, const ShrinkGrid&) = default;

  std::int64_t area() const { return ux * uy; }
  // Whether sums work: a shrink (a canvas pixel reaches at most two target columns and rows)
  // whose pixel sums fit a channel of PackedSum (see row_sums.h).
  bool summable() const {
    return kx <= ux && ky <= uy && area() <= ((std::int64_t{1} << 21) - 1) / 255;
  }

  // How canvas column x (first_column .. last_column) shares out to the target columns of
  // out: `units` in `column` (from out's left) and `rest` in the next one.
  struct Shares {
    std::int32_t column, units, rest;
  };
  Shares Share(int x) const {
    const std::int64_t begin = (x - src.left) * kx - Ux(out.left), end = begin + kx;
    const std::int64_t from = std::max<std::int64_t>(begin, 0);
    const std::int64_t to = std::min<std::int64_t>(end, out.width * ux);
    if (from >= to) return {0, 0, 0};
    const std::int64_t column = from / ux, split = (column + 1) * ux;
    return {static_cast<std::int32_t>(column),
            static_cast<std::int32_t>(std::min(to, split) - from),
            static_cast<std::int32_t>(std::max<std::int64_t>(to - split, 0))};
  }
  // Calls f(y, weight) for the canvas rows that overlap target row u, weight in units.
  template <typename F>
  void ForEachRowIn(int u, F&& f) const {
    const std::int64_t top = Uy(u), bottom = top + uy;
    const int from = std::max<int>(first_row, src.top + static_cast<int>(top / ky));
    const int to = std::min<int>(last_row, src.top + static_cast<int>((bottom - 1) / ky));
    for (int y = from; y <= to; ++y) {
      const std::int64_t a = (y - src.top) * ky;
      f(y, std::min(a + ky, bottom) - std::max(a, top));
    }
  }
  // The target rows (within out) that canvas rows [top, bottom] overlap: [first, last).
  void RowsOf(int top, int bottom, int& first, int& last) const {
    first = std::max<int>(out.top, dst.top + static_cast<int>((top - src.top) * ky / uy));
    last = std::min<int>(out.bottom(),
                         dst.top + static_cast<int>(((bottom + 1 - src.top) * ky - 1) / uy) + 1);
  }

  Rect dst, src, out;  // out: the target pixels the copy may write
  std::int64_t kx = 1, ux = 1, ky = 1, uy = 1;
  int first_column = 0, last_column = -1, first_row = 0, last_row = -1;

 private:
  // Units from dst's left / top edge to target column / row t.
  std::int64_t Ux(int t) const { return std::int64_t{t - dst.left} * ux; }
  std::int64_t Uy(int t) const { return std::int64_t{t - dst.top} * uy; }
};

}  // namespace raster
