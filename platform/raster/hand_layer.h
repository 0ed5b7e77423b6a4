// The strokes a frame draws along one segment, taken together: a clock hand is four strokes
// from the pivot to its tip, each narrower and brighter than the one before. Strokes along one
// segment are nested stadiums, so a pixel is covered by exactly the k widest of them and shows
// the colour of the last painted among those k. Adding, per stroke taken widest first, the
// step from one such colour to the next over the stroke's run gives each pixel its colour.
//
// A layer keeps each stroke's run on every canvas row the shrink reaches, and once asked, its
// own pixels: what the target would show if the layer were the only thing drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "platform/raster/row_sums.h"
#include "platform/raster/shrink_grid.h"
#include "platform/raster/stroke_canvas.h"
#include "platform/raster/stroke_shape.h"

namespace raster {

class HandLayer {
 public:
  using Stroke = StrokeCanvas::Stroke;

  HandLayer(std::span<const Stroke> strokes, const ShrinkGrid& grid, PenDiscCache& discs);

  bool Matches(std::span<const Stroke> strokes) const {
    return std::equal(strokes.begin(), strokes.end(), strokes_.begin(), strokes_.end());
  }
  // Canvas rows the layer covers within the grid (none when top > bottom).
  int top() const { return top_; }
  int bottom() const { return bottom_; }
  // All the layer covers on canvas row y: its widest stroke's run (empty when left > right).
  std::pair<int, int> Outer(int y) const {
    if (y < top_ || y > bottom_) return {0, -1};
    const Run& run = runs_[static_cast<std::size_t>((y - top_) * count_)];
    return {run.left, run.right};
  }
  // Calls f(left, right, step) for each stroke's run on row y, widest first.
  template <typename F>
  void ForEachRun(int y, F&& f) const {
    if (y < top_ || y > bottom_) return;
    const Run* run = &runs_[static_cast<std::size_t>((y - top_) * count_)];
    const PackedSum* step = steps_.data();
    for (const Run* end = run + count_; run != end && run->left <= run->right; ++run, ++step) {
      f(run->left, run->right, *step);
    }
  }
  // The layer's own pixels, made on first use in `scratch`, which keeps its room from layer to
  // layer, and kept at their exact size.
  const PixelRows& Pixels(const ShrinkGrid& grid, RowSums& sums, PixelRows& scratch) const;

  // The frame that last used the layer (kept by its compositor).
  mutable std::uint64_t last_used = 0;

 private:
  struct Run {
    std::int16_t left, right;  // canvas columns fit 16 bits (ShrinkGrid::summable)
  };
  std::vector<Stroke> strokes_;   // as drawn: the layer's identity
  std::vector<PackedSum> steps_;  // per stroke, widest first: the colour it adds
  int top_ = 0, bottom_ = -1;
  int count_ = 0;                // strokes
  std::unique_ptr<Run[]> runs_;  // per row, per stroke
  mutable bool pixels_made_ = false;
  mutable PixelRows pixels_;
};

}  // namespace raster
