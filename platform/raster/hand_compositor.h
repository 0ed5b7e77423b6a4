// The shrinking OR copy of a stroke canvas, built from what a frame really changes.
//
// The strokes fall into layers (strokes along one segment: a clock hand), and each layer keeps
// its own shrunk sums and pixels, made once while it stays in the cache. A target pixel that
// only one layer reaches takes that layer's pixel. Where several reach, its sums are theirs
// added up, less what each layer has under the later ones that cover it: that correction is
// summed afresh from the runs where they overlap. When the target still shows the last copy
// and only the last layer (a clock's second hand) changed, only the rows of the old and the
// new last layer are put back and written again. See docs/renderer.md.
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
            const Rect& dst, const Rect& src, RowSpan* rows,
            const StrokeCanvas::RestoreRow* restore);

 private:
  // Room for the sixty positions of a second hand and the other hands.
  static constexpr std::size_t kCacheSize = 72;

  void Reset(const ShrinkGrid& grid);
  // The layer for these strokes, from the cache or made; `hint` is tried first.
  const HandLayer* Find(std::span<const Stroke> strokes, const HandLayer* hint);
  // ORs this copy's row u into the target; what it wrote.
  RowSpan WriteRow(Image& target, int u);
  // The plain definition, for copies whose sums would not fit (huge pixel areas).
  void CopyDirectly(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height,
                    Image& target, const Rect& dst, const Rect& src);

  ShrinkGrid grid_;
  PenDiscCache discs_;
  RowSums sums_;
  std::vector<std::unique_ptr<HandLayer>> cache_;
  std::uint64_t frame_ = 2;
  std::vector<const HandLayer*> layers_;     // this frame's, in order of painting
  std::vector<const HandLayer*> previous_;  // the last frame's
  const HandLayer* last_ = nullptr;       // layers_.back()
  // Per row being written, the layers that reach it, and the sums where several do.
  struct Reach {
    const PixelRows* pixels;
    RowSpan span;
  };
  std::vector<Reach> reach_;
  std::vector<PackedSum> row_sums_;
  std::vector<std::pair<int, int>> covers_;  // canvas columns under later layers
  std::vector<RowSpan> drawn_;  // per target row, what the last copy ORed in
};

}  // namespace raster
