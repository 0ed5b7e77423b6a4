// The strokes a frame draws along one segment, taken together: a clock hand is four strokes
// from the pivot to its tip, each narrower and brighter than the one before. Strokes along the
// same segment are nested stadiums, so a pixel is covered by exactly the k widest of them and
// shows the colour of the last painted among those k. Summing, per stroke taken widest first,
// the step from one such colour to the next over the stroke's run gives each pixel its colour.
//
// A layer keeps, for every canvas row the shrink reaches, the run of each of its strokes, and
// once asked for them, its own shrunk sums and pixels: what the target would show if it were
// the only thing drawn.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "platform/raster/run_sums.h"
#include "platform/raster/shrink_map.h"
#include "platform/raster/stroke_canvas.h"
#include "platform/raster/stroke_shape.h"
#include "platform/raster/sum_rows.h"

namespace raster {

class HandLayer {
 public:
  using Stroke = StrokeCanvas::Stroke;

  HandLayer(std::span<const Stroke> strokes, const ShrinkMap& map, PenDiscCache& discs);

  bool Matches(std::span<const Stroke> strokes) const {
    return std::equal(strokes.begin(), strokes.end(), strokes_.begin(), strokes_.end());
  }
  // Canvas rows the layer covers, within those the shrink reaches (empty when top > bottom).
  int top() const { return top_; }
  int bottom() const { return bottom_; }
  // All the layer covers on canvas row y: the widest stroke's run (empty when left > right).
  std::pair<int, int> Outer(int y) const { return Run(y, 0); }
  // Works out the layer's own sums and pixels, once, with `summer` prepared for `map`. A layer
  // that only ever lies under others never needs them.
  void MakeSums(const ShrinkMap& map, RunSums& summer) const;
  const SparseSums& sums() const { return sums_; }
  // The layer's pixels had it been drawn alone, over the columns of sums().Span(y).
  const Pixel* OwnPixels(int y) const { return own_pixels_.data() + sums_.Offset(y); }
  // The frame that last used the layer (kept by LayerCache).
  mutable std::uint64_t last_used = 0;

  // Calls f(left, right, step) for each stroke's run on row y, widest first: a pixel shows the
  // sum of the steps of the runs that cover it.
  template <typename F>
  void ForEachStroke(int y, F&& f) const {
    const std::pair<std::int16_t, std::int16_t>* runs = RowRuns(y);
    for (std::size_t k = 0; k < steps_.size() && runs[k].first <= runs[k].second; ++k) {
      f(runs[k].first, runs[k].second, steps_[k]);
    }
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
  mutable bool sums_made_ = false;
  mutable SparseSums sums_;
  mutable std::vector<Pixel> own_pixels_;
};

}  // namespace raster
