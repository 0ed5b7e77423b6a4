// The shrinking OR copy of a stroke canvas, built from what a frame really changes.
//
// The canvas is split into layers (strokes along one segment: a clock hand). All layers but
// the last form the base: per canvas row, stroke runs with their colour steps, cut to where no
// later hand covers them, summed into the target once and kept with its rounded pixels for as
// long as those layers stay the same. The last layer (a clock's second hand) shows its own
// rounded pixels wherever the base is empty; where it meets the base, a pixel's sums are the
// base's plus the layer's own, less the base runs the layer covers. When the target still
// shows the last copy, only the rows of the old and new last layer are put back and repainted.
// See docs/renderer.md.
#pragma once

#include <span>
#include <utility>
#include <vector>

#include "platform/raster/hand_layer.h"
#include "platform/raster/layer_cache.h"
#include "platform/raster/run_sums.h"
#include "platform/raster/shrink_map.h"
#include "platform/raster/stroke_shape.h"
#include "platform/raster/sum_rows.h"

namespace raster {

class HandCompositor {
 public:
  using Stroke = StrokeCanvas::Stroke;

  // ORs the shrunk canvas into `target` (see StrokeCanvas::StretchOrInto).
  Rect Copy(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height, Image& target,
            const Rect& dst, const Rect& src, RowSpan* rows,
            const StrokeCanvas::RestoreRow* restore);
  // Where the last copy's result may differ from the one before it.
  const Rect& differs() const { return differs_; }

 private:
  void Reset(const ShrinkMap& map);
  void FindLayers(const std::vector<Stroke>& strokes);
  void BuildBase();
  // The base as stroke runs per canvas row, each cut to what shows where nothing covers it;
  // a pixel shows the sum of the steps of the runs over it.
  void BuildBaseProfile();
  // Subtracts from `sums` what `layer` covers of the base, from the base's profile.
  void SubtractCoveredBase(const HandLayer& layer, DenseSums& sums);
  // ORs this copy's pixels into columns [left, right) of target row y.
  void WriteRow(Image& target, int y, int left, int right);
  RowSpan LastSpan(int y) const { return last_ != nullptr ? last_->sums().Span(y) : RowSpan{}; }
  RowSpan BaseSpan(int y) const {
    return base_spans_[static_cast<std::size_t>(y - map_.out().top)];
  }
  Pixel* BasePixels(int y) {
    return base_pixels_.data() + static_cast<std::size_t>(y - map_.out().top) * map_.out().width;
  }
  // The plain definition, for copies the sums do not serve (enlargements, huge areas).
  static void CopyDirectly(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height,
                           Image& target, const Rect& dst, const Rect& src,
                           std::vector<RowSpan>& drawn);

  ShrinkMap map_;
  PenDiscCache discs_;
  LayerCache cache_;
  std::vector<const HandLayer*> layers_;    // this frame's, in order of painting
  std::vector<const HandLayer*> previous_;  // the last frame's
  std::vector<const HandLayer*> base_layers_;
  const HandLayer* last_ = nullptr;
  DenseSums base_sums_;
  std::vector<Pixel> base_pixels_;   // rounded base, over map_.out()
  std::vector<RowSpan> base_spans_;  // per row of map_.out()
  DenseSums work_;                   // base and last layer where they meet
  struct ProfileRun {
    int left, right;  // canvas columns, inclusive
    PackedSum step;
  };
  std::vector<ProfileRun> profile_;                   // the base's runs (some empty: left > right)
  std::vector<std::size_t> profile_starts_;           // per canvas row from profile_top_, and end
  std::vector<std::pair<int, int>> profile_extents_;  // per canvas row: all its runs cover
  int profile_top_ = 0;
  RunSums summer_;
  std::vector<RowSpan> drawn_;  // per target row, what the last copy ORed in
  bool fresh_ = true;
  Rect differs_;
};

}  // namespace raster
