#include "platform/raster/or_shrink.h"

#include <algorithm>

#include "platform/raster/chain_pass.h"
#include "platform/raster/shrink_finisher.h"

namespace raster {

namespace {

// Destination pixels up to this many square units use packed lanes: 255 times it must fit a
// lane, and the rounding table stays small.
constexpr std::int64_t kPackedAreaLimit = 4096;
static_assert(255 * kPackedAreaLimit <= PackedLanes::kMaxChannel);

// Rounds a channel sum over a destination pixel to the average, halves up.
struct TableRounding {
  const std::uint8_t* table;
  std::uint32_t operator()(std::uint64_t v) const { return table[v]; }
};
struct DividingRounding {
  std::uint64_t area;
  std::uint32_t operator()(std::uint64_t v) const {
    return static_cast<std::uint32_t>((2 * v + area) / (2 * area));
  }
};

// Zeroes the kept sums and their averages.
template <class Lanes>
void ClearKept(ShrinkGrid<Lanes>& kept, std::vector<Pixel>& pixels) {
  for (std::int64_t d = kept.top(); d <= kept.bottom(); ++d) {
    const CellRanges& ranges = kept.ranges(d);
    Pixel* const row = pixels.data() + (d - kept.row_begin()) * kept.width();
    for (int i = 0; i < ranges.count; ++i) {
      std::fill(row + ranges.ranges[i].lo, row + ranges.ranges[i].hi + 1, Pixel{0});
    }
  }
  kept.Clear();
}

template <class Lanes, class Rounding>
Rect Composite(const std::vector<StrokeCanvas::Stroke>& strokes, const ShrinkAxis& ax,
               const ShrinkAxis& ay, Image& target, RowSpan* rows, OrShrinkScratch& scratch,
               OrShrinkScratch::Buffers<Lanes>& b, const Rounding& round) {
  ColumnLanding& columns = scratch.columns;
  columns.Prepare(ax);
  if (!b.mapped || !(b.ax == ax) || !(b.ay == ay)) {
    // Destination rows that source rows reach.
    const std::int64_t row_begin = std::max(ay.dst_begin, ay.FirstDstOf(ay.src_begin));
    const std::int64_t row_end = std::min(ay.dst_end, ay.LastDstOf(ay.src_end - 1) + 1);
    b.kept.Resize(row_begin, row_end, columns.cell_count());
    b.kept_pixels.assign(b.kept.cell_total(), 0);
    b.frame.Resize(row_begin, row_end, columns.cell_count());
    b.one_chain.Resize(row_begin, row_end, columns.cell_count());
    b.chain_runs.Clear();
    b.kept_rows.assign(static_cast<std::size_t>(ay.src_end - ay.src_begin), {});
    b.chains.Reset(ax.src_begin, ax.src_end, ay.src_begin, ay.src_end);
    b.kept_strokes.clear();
    b.kept_chains = 0;
    b.mapped = true;
    b.ax = ax;
    b.ay = ay;
  }

  // Reuse the kept sums if the strokes begin with the kept ones. The strokes after them form
  // chains of their own even if they continue the segment of the last kept one: laid over the
  // kept chains, they give the same pixels.
  std::size_t kept = b.kept_strokes.size();
  const bool reuse = kept <= strokes.size() &&
                     std::equal(b.kept_strokes.begin(), b.kept_strokes.end(), strokes.begin());
  if (!reuse) {
    ClearKept(b.kept, b.kept_pixels);
    b.kept_strokes.clear();
    b.kept_chains = 0;
    kept = 0;
  }
  // Keep all strokes but the last chain: it is the one most likely to change (the second hand).
  std::size_t last = strokes.size() - 1;
  while (last > 0 && SameSegment(strokes[last - 1], strokes[last])) --last;
  const std::size_t keep = std::max(kept, last);
  b.chains.Truncate(b.kept_chains);
  b.chains.Append(strokes, kept, keep, scratch.discs);
  const std::size_t kept_chains = b.chains.size();
  b.chains.Append(strokes, keep, strokes.size(), scratch.discs);

  const std::int64_t su = ay.src_unit, du = ay.dst_unit;
  // A source row reaches at most ceil(su / du) + 1 destination rows.
  b.touched.resize(static_cast<std::size_t>((su + du - 1) / du + 1));
  const std::size_t weights = static_cast<std::size_t>(std::min(su, du)) + 1;
  b.weighted.resize(weights * b.chains.level_count());
  b.weighted_stamp.resize(weights);
  ++b.stamp;
  b.covered.Reserve(b.chains.size());
  b.meeting_rows.reserve(b.chains.size() * b.chains.size());
  b.covered_before.Reserve(b.chains.size());
  b.one_run.Reserve(1);
  b.level_runs.resize(b.chains.most_levels());

  Finisher<Lanes, Rounding> finisher(ax, columns, round);
  if (kept_chains > b.kept_chains) {
    ChainPass<Lanes>(ax, ay, columns, b, b.frame, nullptr).Add(b.kept_chains, kept_chains);
    finisher.Absorb(b.frame, b.kept, b.kept_pixels);
    // The kept chains changed: what they show on each row is made anew when needed. Each
    // row shows at most two runs per stroke (between the ends of all runs), so reserving
    // that much keeps the frames that fill the rows in from allocating.
    ++b.kept_generation;
    b.kept_segments.clear();
    b.kept_segments.reserve(b.kept_rows.size() * 2 * b.chains.level_count());
  }
  if (keep > kept) b.kept_strokes.assign(strokes.begin(), strokes.begin() + keep);
  b.kept_chains = kept_chains;
  if (b.chains.size() > kept_chains) {
    ChainPass<Lanes>(ax, ay, columns, b, b.frame, &strokes).Add(kept_chains, b.chains.size());
  }
  return finisher.Run(b.kept, b.kept_pixels, b.frame, target, rows);
}

}  // namespace

Rect OrShrink(const std::vector<StrokeCanvas::Stroke>& strokes, int canvas_width, int canvas_height,
              Image& target, const Rect& dst, const Rect& src, RowSpan* rows,
              OrShrinkScratch& scratch) {
  if (strokes.empty()) return {};
  const ShrinkAxis ax =
      ShrinkAxis::Make(src.left, src.width, dst.left, dst.width, canvas_width, target.width());
  const ShrinkAxis ay =
      ShrinkAxis::Make(src.top, src.height, dst.top, dst.height, canvas_height, target.height());
  if (ax.empty() || ay.empty()) return {};
  const std::int64_t area = ax.dst_unit * ay.dst_unit;
  if (area > kPackedAreaLimit) {
    return Composite(strokes, ax, ay, target, rows, scratch, scratch.wide,
                     DividingRounding{static_cast<std::uint64_t>(area)});
  }
  if (scratch.rounded_area != area) {
    scratch.rounded.resize(static_cast<std::size_t>(255 * area + 1));
    for (std::size_t v = 0; v < scratch.rounded.size(); ++v) {
      scratch.rounded[v] = static_cast<std::uint8_t>((2 * v + area) / (2 * area));
    }
    scratch.rounded_area = area;
  }
  return Composite(strokes, ax, ay, target, rows, scratch, scratch.packed,
                   TableRounding{scratch.rounded.data()});
}

}  // namespace raster
