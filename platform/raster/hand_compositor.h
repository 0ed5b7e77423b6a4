// The shrinking OR copy of a stroke canvas, built from what a frame really changes.
//
// The canvas is split into layers (strokes along one segment: a clock hand). The exact sums a
// target pixel receives are every layer's own sums, less, where a later layer covers an
// earlier one, what the earlier one contributed there. All layers but the last form the base,
// kept with its sums and rounded pixels for as long as those layers stay the same; each copy
// then works out only the last layer's pixels (a clock's second hand): base plus its own
// sums, less what it covers of the base. See docs/renderer.md.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/raster/hand_layer.h"
#include "platform/raster/layer_cache.h"
#include "platform/raster/shrink_map.h"
#include "platform/raster/stroke_shape.h"
#include "platform/raster/sum_rows.h"

namespace raster {

class HandCompositor {
 public:
  using Stroke = StrokeCanvas::Stroke;

  // ORs the shrunk canvas into `target` (see StrokeCanvas::StretchOrInto).
  Rect Copy(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height, Image& target,
            const Rect& dst, const Rect& src, RowSpan* rows);
  // Where the last copy's result may differ from the one before it.
  const Rect& differs() const { return differs_; }

 private:
  void Reset(const ShrinkMap& map);
  void FindLayers(const std::vector<Stroke>& strokes);
  void BuildBase();
  // Subtracts from `sums` what `layer` covers of the layers before it in `under`.
  void SubtractCovered(const HandLayer& layer, std::span<const HandLayer* const> under,
                       DenseSums& sums);
  Pixel* BasePixels(int y) {
    return base_pixels_.data() + static_cast<std::size_t>(y - map_.out().top) * map_.out().width;
  }
  // The plain definition, for copies the sums do not serve (enlargements, huge areas).
  static Rect CopyDirectly(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height,
                           Image& target, const Rect& dst, const Rect& src, RowSpan* rows);

  ShrinkMap map_;
  PenDiscCache discs_;
  LayerCache cache_;
  std::vector<const HandLayer*> layers_;    // this frame's, in order of painting
  std::vector<const HandLayer*> previous_;  // the last frame's
  std::vector<const HandLayer*> base_layers_;
  DenseSums base_sums_;
  std::vector<Pixel> base_pixels_;   // rounded base, over map_.out()
  std::vector<RowSpan> base_spans_;  // per row of map_.out()
  DenseSums work_;
  std::vector<std::pair<int, int>> claimed_;
  bool fresh_ = true;
  Rect last_box_, painted_, differs_;
};

}  // namespace raster
