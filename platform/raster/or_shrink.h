// The shrinking OR copy of a stroke canvas onto an image, computed from the strokes alone.
//
// Averaging is linear, so a destination row is the weighted sum of the colour changes of the
// source rows under it (StrokeRowScanner). A change at a source column adds a known part of
// its weight to the destination column it falls in and its full weight to every column
// further right; the latter goes into a difference array, so a change costs the same however
// long the run it opens. Only destination columns within the runs are visited.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster/colour_lanes.h"
#include "platform/raster/image.h"
#include "platform/raster/shrink_axis.h"
#include "platform/raster/stroke_canvas.h"
#include "platform/raster/stroke_row_scanner.h"
#include "platform/raster/stroke_shape.h"

namespace raster {

// Everything the copy reuses from call to call so that a frame allocates nothing.
struct OrShrinkScratch {
  template <class Lanes>
  struct Buffers {
    struct Weighted {
      Lanes part;  // a stroke's rise times a row weight, per unit of column overlap
      Lanes full;  // the same over a whole destination column
    };
    // Cells of a destination row in progress that may be non-zero: a few disjoint ranges,
    // each a union of whole runs of changes, so each sums to zero past its end.
    struct Pending {
      static constexpr int kMaxRanges = 4;
      int count;
      struct {
        std::int64_t lo, hi;
      } ranges[kMaxRanges];
    };
    struct TouchedRow {  // a destination row under the source row being scanned
      std::int64_t row, weight;
      std::size_t slot;
      Lanes* cells;
      const Weighted* weighted;
    };
    StrokeRowScanner<Lanes> scanner;
    // Difference arrays of the destination rows in progress, one row after the other; all
    // zero outside a row being summed.
    std::vector<Lanes> cells;
    std::vector<Pending> pending;  // per row in progress
    std::vector<TouchedRow> touched;
    // Per row weight w: for each visible stroke, its Weighted; valid where the stamp is the
    // current call's.
    std::vector<Weighted> weighted;
    std::vector<std::uint64_t> weighted_stamp;
    std::uint64_t stamp = 0;
  };

  PenDiscCache discs;
  ColumnLanding columns;
  Buffers<PackedLanes> packed;
  Buffers<WideLanes> wide;
  std::vector<std::uint8_t> rounded;  // v -> round(v / rounded_area) for v in 0 .. 255 area
  std::int64_t rounded_area = 0;
};

// See StrokeCanvas::StretchOrInto.
Rect OrShrink(const std::vector<StrokeCanvas::Stroke>& strokes, int canvas_width, int canvas_height,
              Image& target, const Rect& dst, const Rect& src, OrShrinkScratch& scratch);

}  // namespace raster
