// The shrinking OR copy of a stroke canvas onto an image, computed from the strokes alone.
//
// Averaging is linear, so a destination pixel is the weighted sum of the colours of the
// source pixels under it; the strokes' runs on each source row are added to destination rows
// as differences (ShrinkGrid, ChainPass). Where a chain is painted over by later ones, what
// they cover is taken off it again, run by run.
//
// Frames of a clock repeat most of their strokes: the hour and minute hands change once a
// minute or two, the second hand every second. So the sums of all strokes but the last chain,
// and their rounded averages, are kept between calls, and a call whose strokes begin with the
// kept ones adds only what the rest changes: their own runs, less what they paint over. The
// own runs of those last chains are kept too (ChainRunsCache): the second hand comes back to
// the same places every minute. All of it is exact: the kept sums are the sums the strokes
// give, whatever they are, and anything else (other rectangles, another target size, other
// first strokes) makes them anew.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster/chain_runs_cache.h"
#include "platform/raster/colour_lanes.h"
#include "platform/raster/column_run_set.h"
#include "platform/raster/image.h"
#include "platform/raster/shrink_axis.h"
#include "platform/raster/shrink_grid.h"
#include "platform/raster/stroke_canvas.h"
#include "platform/raster/stroke_chains.h"
#include "platform/raster/stroke_shape.h"

namespace raster {

// Everything the copy keeps from call to call: the sums of the strokes it saw last, and
// buffers reused so that a frame allocates nothing.
struct OrShrinkScratch {
  // Room for the sixty places of a clock's second hand.
  static constexpr std::size_t kCachedChains = 64;

  template <class Lanes>
  struct Buffers {
    struct Weighted {
      Lanes part;  // a stroke's rise times a row weight, per unit of column overlap
      Lanes full;  // the same over a whole destination column
    };
    struct TouchedRow {  // a destination row under the source row being scanned
      std::int64_t row, weight;
      Lanes* cells;
      const Weighted* weighted;
    };

    StrokeChains<Lanes> chains;
    // The mapping the chains and grids were made for.
    bool mapped = false;
    ShrinkAxis ax, ay;
    // The first strokes of the last call (all but its last chain), their sums over each
    // destination pixel (not differences) and the averages of those, laid out like the cells.
    std::vector<StrokeCanvas::Stroke> kept_strokes;
    ShrinkGrid<Lanes> kept;
    std::vector<Pixel> kept_pixels;
    std::size_t kept_chains = 0;
    // Difference rows of what the other strokes change; zero between calls.
    ShrinkGrid<Lanes> frame;
    // The own runs of chains after the kept ones made before, and a grid to make them in.
    ChainRunsCache<Lanes> chain_runs{kCachedChains};
    ShrinkGrid<Lanes> one_chain;

    ColumnRunSet covered, covered_before, one_run;
    // What the kept chains show on each source row (from ay.src_begin), as runs of one
    // colour each, made when a frame first needs the row: a new chain takes exactly that off
    // where it covers them. A row is valid while its generation is kept_generation, which
    // changes with the kept chains; the runs of valid rows lie in kept_segments.
    struct KeptSegment {
      ColumnRun run;
      Lanes colour;
    };
    struct KeptRow {
      std::uint64_t generation = 0;
      std::size_t begin = 0, count = 0;
    };
    std::vector<KeptRow> kept_rows;
    std::vector<KeptSegment> kept_segments;
    std::uint64_t kept_generation = 0;
    std::vector<RowRange> meeting_rows;
    std::vector<ColumnRun> level_runs;
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
              Image& target, const Rect& dst, const Rect& src, RowSpan* rows,
              OrShrinkScratch& scratch);

}  // namespace raster
