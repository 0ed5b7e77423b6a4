// The strokes a frame draws along one segment, taken together: a clock hand is four strokes
// from the pivot to its tip, each narrower and brighter than the one before. Strokes along the
// same segment are nested stadiums, so a pixel is covered by exactly the k widest of them and
// shows the colour of the last painted among those k. Summing, per stroke taken widest first,
// the step from one such colour to the next over the stroke's run gives each pixel its colour.
//
// A layer keeps, for every canvas row the shrink reaches, the run of each of its strokes, and
// its own shrunk sums: what the target would receive if it were the only thing drawn.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "platform/raster/shrink_map.h"
#include "platform/raster/stroke_canvas.h"
#include "platform/raster/stroke_shape.h"
#include "platform/raster/sum_rows.h"

namespace raster {

class HandLayer {
 public:
  using Stroke = StrokeCanvas::Stroke;

  // `line`: zeroed scratch as AddRow takes it.
  HandLayer(std::span<const Stroke> strokes, const ShrinkMap& map, PenDiscCache& discs,
            PackedSum* line);

  bool Matches(std::span<const Stroke> strokes) const {
    return std::equal(strokes.begin(), strokes.end(), strokes_.begin(), strokes_.end());
  }
  // Canvas rows the layer covers, within those the shrink reaches (empty when top > bottom).
  int top() const { return top_; }
  int bottom() const { return bottom_; }
  // All the layer covers on canvas row y: the widest stroke's run (empty when left > right).
  std::pair<int, int> Outer(int y) const { return Run(y, 0); }
  const SparseSums& sums() const { return sums_; }
  // The layer's pixels had it been drawn alone, over the columns of sums().Span(y).
  const Pixel* OwnPixels(int y) const { return own_pixels_.data() + sums_.Offset(y); }
  // The frame that last used the layer (kept by LayerCache).
  mutable std::uint64_t last_used = 0;

  // Adds `sign` x the layer's colours on canvas columns [lo, hi] of row y into `sums`;
  // `line` is zeroed scratch laid out as ShrinkMap::Column describes (and is left zeroed).
  template <typename Sums>
  void AddRow(const ShrinkMap& map, int y, int lo, int hi, int sign, Sums& sums,
              PackedSum* line) const {
    const auto [outer_left, outer_right] = Outer(y);
    lo = std::max({lo, outer_left, map.first_column()});
    hi = std::min({hi, outer_right, map.last_column()});
    if (lo > hi) return;
    // The runs are nested, widest first: the colour steps up at each left end, going
    // inwards, and back down past each right end, going outwards.
    const std::pair<std::int16_t, std::int16_t>* runs = RowRuns(y);
    const std::size_t count = steps_.size();
    std::size_t inner = 0;
    while (inner < count && runs[inner].first <= runs[inner].second) ++inner;
    PackedSum colour = 0;
    int x = lo;
    for (std::size_t k = 0; k < inner; ++k) {
      const int end = std::min<int>(runs[k].first, hi + 1);
      if (x < end) {
        map.AddRun(line, x, end - 1, colour);
        x = end;
      }
      colour += steps_[k];
    }
    for (std::size_t k = inner; k-- > 0;) {
      const int end = std::min<int>(runs[k].second + 1, hi + 1);
      if (x < end) {
        map.AddRun(line, x, end - 1, colour);
        x = end;
      }
      colour -= steps_[k];
    }
    // Share the line out to the target rows the canvas row falls in.
    const int first = map.ColumnAt(lo).first, last = map.ColumnAt(hi).last;
    const int out_left = map.out().left;
    const ShrinkMap::RowShare& share = map.Rows(y);
    for (int i = 0; i < share.count; ++i) {
      PackedSum* row = sums.Row(share.row[i]);
      const int shift = out_left - sums.RowLeft(share.row[i]);
      const PackedSum weight = sign * share.weight[i];
      for (int t = first; t <= last; ++t) row[t + shift] += line[t + 1] * weight;
    }
    for (int t = first - 1; t <= last + 2; ++t) line[t + 1] = 0;
  }

 private:
  // Stroke k's run on row y, strokes in order of width, widest first.
  const std::pair<std::int16_t, std::int16_t>* RowRuns(int y) const {
    return runs_.data() + static_cast<std::size_t>(y - top_) * steps_.size();
  }
  std::pair<int, int> Run(int y, std::size_t k) const {
    const auto [left, right] = runs_[static_cast<std::size_t>(y - top_) * steps_.size() + k];
    return {left, right};
  }

  std::vector<Stroke> strokes_;   // as drawn: the layer's identity
  std::vector<PackedSum> steps_;  // per stroke, widest first: the colour it adds
  int top_ = 0, bottom_ = -1;
  // Per row, per stroke; canvas columns fit 16 bits (ShrinkMap::summable).
  std::vector<std::pair<std::int16_t, std::int16_t>> runs_;
  SparseSums sums_;
  std::vector<Pixel> own_pixels_;
};

}  // namespace raster
