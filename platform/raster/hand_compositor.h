// The shrinking OR copy of a stroke canvas, built from what a frame really changes.
//
// The strokes fall into layers (strokes along one segment: a clock hand). All layers but the
// last form the base: per canvas row the runs that show of them, and their shrunk sums and
// pixels, made again only when one of those layers changes. The last layer (a clock's second
// hand) keeps its own sums and pixels in a cache of recent layers. A target pixel that only
// one of the two reaches takes that one's pixel; where both reach, its sums are the two added
// up, less the base runs the last layer covers there. When the target still shows the last
// copy and the base is the same, only the columns of the old and the new last layer are put
// back and written again. See docs/renderer.md.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/raster/hand_layer.h"
#include "platform/raster/row_sums.h"
#include "platform/raster/shrink_grid.h"
#include "platform/raster/stroke_canvas.h"

namespace raster {

class HandCompositor {
 public:
  using Stroke = StrokeCanvas::Stroke;

  // ORs the shrunk canvas into `target` (see StrokeCanvas::StretchOrInto).
  Rect Copy(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height, Image& target,
            const Rect& dst, const Rect& src, RowSpan* rows, const Backdrop* backdrop);

 private:
  // Room for the sixty positions of a second hand and the other hands.
  static constexpr std::size_t kCacheSize = 72;

  void Reset(const ShrinkGrid& grid);
  // The layer for these strokes, from the cache or made; `hint` is tried first.
  const HandLayer* Find(std::span<const Stroke> strokes, const HandLayer* hint);
  // ORs this copy's row u into `row`, only within columns `within` (which hold the last
  // layer's); the columns the row shows drawn.
  RowSpan WriteRow(Pixel* row, int u, RowSpan within);
  void BuildBase();
  // Subtracts from sums_ what `layer` shows on canvas row y over columns [from, to].
  void SubtractRuns(const HandLayer& layer, int y, int from, int to, std::int64_t weight);
  // Subtracts from sums_ what each base layer has on canvas row y under later base layers.
  void SubtractCovered(int y, std::int64_t weight);
  // Sums what the last layer covers of the base on row u, negated (RowSums::Finish).
  RowSpan SumCovered(int u);
  // The plain definition, for copies whose sums would not fit (huge pixel areas).
  void CopyDirectly(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height,
                    Image& target, const Rect& dst, const Rect& src);

  ShrinkGrid grid_;
  PenDiscCache discs_;
  RowSums sums_;
  std::vector<std::unique_ptr<HandLayer>> cache_;
  std::uint64_t frame_ = 2;
  std::vector<const HandLayer*> layers_;    // this frame's, in order of painting
  std::vector<const HandLayer*> previous_;  // the last frame's
  const HandLayer* last_ = nullptr;         // layers_.back()
  const PixelRows* top_ = &none_;           // its pixels
  PixelRows none_;
  // The base: its layers and its pixels.
  bool base_valid_ = false;
  std::vector<const HandLayer*> base_layers_;
  PixelRows base_;
  PixelRows scratch_;  // where a layer's pixels are made, then copied to their exact size
  std::vector<const PixelRows*> reach_;      // the base layers that reach a row
  std::vector<std::pair<int, int>> covers_;  // canvas columns under later layers
  std::vector<std::pair<int, int>> pieces_;  // the last layer's columns not yet accounted for
  std::vector<RowSpan> drawn_;               // per target row, what the last copy ORed in
};

}  // namespace raster
