// Turns destination difference rows into averages ORed into the target.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/raster/image.h"
#include "platform/raster/shrink_axis.h"
#include "platform/raster/shrink_grid.h"

namespace raster {

// Turns difference rows into averages. The kept strokes' rows are kept as sums and rounded
// averages (Absorb), so a frame sums only the cells its own strokes changed (Run) and ORs the
// kept averages everywhere else.
template <class Lanes, class Rounding>
class Finisher {
 public:
  Finisher(const ShrinkAxis& ax, const ColumnLanding& columns, const Rounding& round)
      : cell_dst_(columns.first_dst()),
        keep_lo_(ax.dst_begin - cell_dst_),
        keep_hi_(ax.dst_end - cell_dst_),
        round_(round) {}

  // Adds the difference rows of `frame` to the sums in `kept`, updates their averages in
  // `kept_pixels` (laid out like the cells) and leaves `frame` zero.
  void Absorb(ShrinkGrid<Lanes>& frame, ShrinkGrid<Lanes>& kept, std::vector<Pixel>& kept_pixels) {
    for (std::int64_t d = frame.top(); d <= frame.bottom(); ++d) {
      CellRanges& ranges = frame.ranges(d);
      Lanes* const cells = frame.row(d);
      Lanes* const sums = kept.row(d);
      Pixel* const pixels = PixelRow(kept, kept_pixels.data(), d);
      for (int i = 0; i < ranges.count; ++i) {
        Lanes sum{};
        for (std::int64_t c = ranges.ranges[i].lo; c <= ranges.ranges[i].hi; ++c) {
          sum += cells[c];
          cells[c] = Lanes{};
          sums[c] += sum;
          pixels[c] = Average(sums[c]);
        }
        kept.Touch(d, ranges.ranges[i].lo, ranges.ranges[i].hi);
      }
      ranges.count = 0;
    }
    if (frame.top() <= frame.bottom()) kept.NoteRows(frame.top(), frame.bottom());
    frame.ForgetRows();
  }

  // ORs into `target` the kept averages and the averages of the kept sums plus the frame's
  // difference rows where those touch; leaves `frame` zero. Returns the area it ORed.
  Rect Run(const ShrinkGrid<Lanes>& kept, const std::vector<Pixel>& kept_pixels,
           ShrinkGrid<Lanes>& frame, Image& target, RowSpan* rows) {
    rows_ = rows;
    const std::int64_t top = std::min(kept.top(), frame.top());
    const std::int64_t bottom = std::max(kept.bottom(), frame.bottom());
    for (std::int64_t d = top; d <= bottom; ++d) {
      const CellRanges& from_kept = kept.ranges(d);
      CellRanges& from_frame = frame.ranges(d);
      if (from_kept.count == 0 && from_frame.count == 0) continue;
      Pixel* const out = target.row(static_cast<int>(d));
      from_frame.Sort();
      const Pixel* const pixels = PixelRow(kept, kept_pixels.data(), d);
      for (int i = 0; i < from_kept.count; ++i) {
        // The parts of the kept range outside the frame's ranges show the kept averages.
        std::int64_t c = from_kept.ranges[i].lo;
        const std::int64_t hi = from_kept.ranges[i].hi;
        for (int j = 0; j < from_frame.count && c <= hi; ++j) {
          const CellRanges::Range& f = from_frame.ranges[j];
          if (f.hi < c) continue;
          if (f.lo > hi) break;
          OrPixels(d, out, pixels, c, f.lo - 1);
          c = f.hi + 1;
        }
        OrPixels(d, out, pixels, c, hi);
      }
      const Lanes* const sums = kept.row(d);
      Lanes* const cells = frame.row(d);
      for (int j = 0; j < from_frame.count; ++j) {
        OrSums(d, out, sums, cells, from_frame.ranges[j].lo, from_frame.ranges[j].hi);
      }
      from_frame.count = 0;
    }
    frame.ForgetRows();
    if (changed_left_ >= changed_right_) return {};
    return {static_cast<int>(cell_dst_ + changed_left_), static_cast<int>(changed_top_),
            static_cast<int>(changed_right_ - changed_left_),
            static_cast<int>(changed_bottom_ - changed_top_ + 1)};
  }

 private:
  Pixel Average(Lanes sum) const {
    return (round_(sum.red()) << 16) | (round_(sum.green()) << 8) | round_(sum.blue());
  }
  // Row d of pixels laid out like the grid's cells.
  template <class P>
  static P* PixelRow(const ShrinkGrid<Lanes>& grid, P* pixels, std::int64_t d) {
    return pixels + (d - grid.row_begin()) * grid.width();
  }

  // The part [keep_lo, keep_hi) of cells [lo, hi] inside the target; notes it as changed.
  bool Kept(std::int64_t d, std::int64_t lo, std::int64_t hi, std::int64_t& keep_lo,
            std::int64_t& keep_hi) {
    keep_lo = std::min(std::max(lo, keep_lo_), hi + 1);
    keep_hi = std::max(std::min(hi + 1, keep_hi_), keep_lo);
    if (keep_lo == keep_hi) return false;
    if (rows_ != nullptr) {
      rows_[d].Add(static_cast<int>(cell_dst_ + keep_lo), static_cast<int>(cell_dst_ + keep_hi));
    }
    changed_left_ = std::min(changed_left_, keep_lo);
    changed_right_ = std::max(changed_right_, keep_hi);
    if (changed_top_ > changed_bottom_) changed_top_ = d;
    changed_bottom_ = d;
    return true;
  }

  void OrPixels(std::int64_t d, Pixel* out, const Pixel* pixels, std::int64_t lo, std::int64_t hi) {
    std::int64_t keep_lo, keep_hi;
    if (!Kept(d, lo, hi, keep_lo, keep_hi)) return;
    for (std::int64_t c = keep_lo; c < keep_hi; ++c) out[cell_dst_ + c] |= pixels[c];
  }

  // Cells [lo, hi] of the frame: a range whose differences sum to zero.
  void OrSums(std::int64_t d, Pixel* out, const Lanes* sums, Lanes* cells, std::int64_t lo,
              std::int64_t hi) {
    std::int64_t keep_lo, keep_hi;
    Kept(d, lo, hi, keep_lo, keep_hi);
    Lanes sum{};
    Lanes last{};
    Pixel last_average = 0;
    std::int64_t c = lo;
    for (; c < keep_lo; ++c) {
      sum += cells[c];
      cells[c] = Lanes{};
    }
    for (; c < keep_hi; ++c) {
      sum += cells[c];
      cells[c] = Lanes{};
      const Lanes value = sum + sums[c];
      if (!(value == last)) {
        last = value;
        last_average = Average(value);
      }
      out[cell_dst_ + c] |= last_average;
    }
    for (; c <= hi; ++c) cells[c] = Lanes{};
  }

  const std::int64_t cell_dst_;           // destination column of cell 0
  const std::int64_t keep_lo_, keep_hi_;  // cells inside the target, half open
  const Rounding& round_;
  RowSpan* rows_ = nullptr;  // per target row, widened to what was ORed
  std::int64_t changed_left_ = std::numeric_limits<std::int64_t>::max();
  std::int64_t changed_right_ = std::numeric_limits<std::int64_t>::min();
  std::int64_t changed_top_ = 0, changed_bottom_ = -1;
};

}  // namespace raster
