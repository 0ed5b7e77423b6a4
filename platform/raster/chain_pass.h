// Adds chains of strokes to destination difference rows (ShrinkGrid), laid over the chains
// drawn before them.
//
// A chain's own runs go in row by row where their ends sit on the round ends or the canvas
// edge, in a tight loop over the rows where all ends follow the straight edges, and, for steep
// chains, by following each run end from one column to the next. Then, on the rows where
// chains meet, what later chains paint over is taken off the earlier ones, run by run.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "platform/raster/chain_runs_cache.h"
#include "platform/raster/column_run_set.h"
#include "platform/raster/exact_math.h"
#include "platform/raster/or_shrink.h"
#include "platform/raster/shrink_axis.h"
#include "platform/raster/shrink_grid.h"
#include "platform/raster/stroke_chains.h"

namespace raster {

// Adds to a grid what chains [first_new, end) change on the canvas made of the chains before
// them. Each new chain first adds all of its runs. Then, on the rows where chains meet, they
// are laid from the last drawn to the first: a new chain loses what later new chains cover,
// and an old chain loses what the new ones cover where no later old chain covered it already.
template <class Lanes>
class ChainPass {
 public:
  using Buffers = OrShrinkScratch::Buffers<Lanes>;
  using Weighted = typename Buffers::Weighted;
  using TouchedRow = typename Buffers::TouchedRow;
  using Chains = StrokeChains<Lanes>;
  using Chain = typename Chains::Chain;
  using KeptSegment = typename Buffers::KeptSegment;
  using KeptRow = typename Buffers::KeptRow;

  // With `strokes` (those the chains were made of), a chain's own runs are looked up by its
  // strokes in buffers.chain_runs, and stored there when new, and the chains before the new
  // ones must be the kept chains, whose rows are then taken from buffers.kept_rows; without,
  // all of it is made afresh.
  ChainPass(const ShrinkAxis& ax, const ShrinkAxis& ay, const ColumnLanding& columns,
            Buffers& buffers, ShrinkGrid<Lanes>& grid,
            const std::vector<StrokeCanvas::Stroke>* strokes)
      : ax_(ax),
        ay_(ay),
        columns_(columns),
        buffers_(buffers),
        chains_(buffers.chains),
        strokes_(strokes),
        target_(grid),
        grid_(&grid),
        rows_(buffers.touched.data()),
        levels_(buffers.chains.level_count()) {}

  void Add(std::size_t first_new, std::size_t end);

 private:
  void AddOwnRuns(Chain& chain);
  void AddOwnRunsOnRows(Chain& chain, std::int64_t from, std::int64_t to);
  void AddEdgeRows(Chain& chain, std::int64_t from, std::int64_t to);
  void AddSteepEdgeRows(Chain& chain, std::int64_t from, std::int64_t to);
  template <int kDirection>
  void FollowEnd(std::int64_t v, std::int64_t shift, std::int64_t dx, std::int64_t dy, Lanes rise,
                 std::int64_t from, std::int64_t to);
  void AddRunsOnRow(Chain& chain, ColumnRun outer, std::int64_t y);
  void TakeOffCovered(std::int64_t y);
  // What the chains before the new ones show on row y, one colour a run, left to right.
  const KeptRow& KeptRowAt(std::int64_t y);
  // Takes the chain's colour off the columns of `part`; `runs` holds its runs on the row.
  void TakeOff(const Chain& chain, const ColumnRun* runs, std::size_t count, ColumnRun part);
  std::size_t LevelRuns(const Chain& chain, std::int64_t y, ColumnRun* runs) const;
  const Weighted* WeightedFor(std::int64_t weight);

  // Source rows are visited in increasing order from StartRows(y); TouchRows points rows_ at
  // the destination rows under the current one, NextRow moves on.
  void StartRows(std::int64_t y) {
    const std::int64_t units = ay_.SrcUnits(y);
    first_ = ay_.dst_pos + FloorDiv(units, ay_.dst_unit);
    offset_ = units - (first_ - ay_.dst_pos) * ay_.dst_unit;
    rows_known_ = false;
  }
  void TouchRows() {
    const std::int64_t su = ay_.src_unit, du = ay_.dst_unit;
    // Rows wholly inside one destination row repeat the previous row's weights.
    if (rows_known_ && touched_ == 1 && rows_[0].row == first_ && rows_[0].weight == su &&
        offset_ + su <= du) {
      return;
    }
    rows_known_ = true;
    touched_ = 0;
    std::int64_t d = first_, rest = su, at = offset_;
    for (; rest > 0; ++d, at = 0) {
      const std::int64_t weight = std::min(rest, du - at);
      rest -= weight;
      if (d < grid_->row_begin() || d >= grid_->row_end()) continue;
      rows_[touched_++] = {d, weight, grid_->row(d), WeightedFor(weight)};
    }
  }
  void NextRow() {
    for (offset_ += ay_.src_unit; offset_ >= ay_.dst_unit; offset_ -= ay_.dst_unit) ++first_;
  }

  void Span(ColumnRun outer) {
    const std::int64_t lo = columns_.at(outer.left).cell;
    const std::int64_t hi = columns_.at(outer.end).cell + 1;
    for (int r = 0; r < touched_; ++r) grid_->Touch(rows_[r].row, lo, hi);
  }

  // Adds (or takes off) stroke `level`'s rise over the run, on every touched row.
  template <bool kTakeOff>
  [[gnu::always_inline]] void AddRun(std::size_t level, ColumnRun run) {
    const ColumnLanding::Landing b = columns_.at(run.left);
    const ColumnLanding::Landing e = columns_.at(run.end);
    for (int r = 0; r < touched_; ++r) {
      const Weighted& w = rows_[r].weighted[level];
      Lanes* const cells = rows_[r].cells;
      const Lanes rise = w.part * b.part;
      const Lanes fall = w.part * e.part;
      if constexpr (kTakeOff) {
        cells[b.cell] -= rise;
        cells[b.cell + 1] -= w.full - rise;
        cells[e.cell] += fall;
        cells[e.cell + 1] += w.full - fall;
      } else {
        cells[b.cell] += rise;
        cells[b.cell + 1] += w.full - rise;
        cells[e.cell] -= fall;
        cells[e.cell + 1] -= w.full - fall;
      }
    }
  }

  // Adds `delta` from column x on, on every touched row.
  void Step(Lanes delta, std::int64_t x) {
    const ColumnLanding::Landing l = columns_.at(x);
    for (int r = 0; r < touched_; ++r) {
      const Lanes part = delta * rows_[r].weight;
      const Lanes rise = part * l.part;
      Lanes* const cells = rows_[r].cells;
      cells[l.cell] += rise;
      cells[l.cell + 1] += part * ax_.dst_unit - rise;
    }
  }

  // Adds any colour (negative to take it off) over the run, on every touched row.
  void AddColour(Lanes colour, ColumnRun run) {
    const ColumnLanding::Landing b = columns_.at(run.left);
    const ColumnLanding::Landing e = columns_.at(run.end);
    for (int r = 0; r < touched_; ++r) {
      const Lanes part = colour * rows_[r].weight;
      const Lanes full = part * ax_.dst_unit;
      Lanes* const cells = rows_[r].cells;
      const Lanes rise = part * b.part;
      const Lanes fall = part * e.part;
      cells[b.cell] += rise;
      cells[b.cell + 1] += full - rise;
      cells[e.cell] -= fall;
      cells[e.cell + 1] -= full - fall;
    }
  }

  const ShrinkAxis& ax_;
  const ShrinkAxis& ay_;
  const ColumnLanding& columns_;
  Buffers& buffers_;
  Chains& chains_;
  const std::vector<StrokeCanvas::Stroke>* strokes_;
  ShrinkGrid<Lanes>& target_;  // the grid the pass adds to
  ShrinkGrid<Lanes>* grid_;    // the grid being written: the target or the one-chain grid
  TouchedRow* rows_;
  const std::size_t levels_;
  int touched_ = 0;
  bool rows_known_ = false;
  std::int64_t first_ = 0, offset_ = 0;  // the current source row's first destination row
  std::size_t first_new_ = 0, end_ = 0;
  const ColumnRunSet nothing_;
};

// The runs of a chain's strokes on a row where all their ends lie on the straight edges: a few
// additions per run. Kept apart so that the compiler knows the cells alias nothing else.
template <class Lanes, class Weighted>
[[gnu::always_inline]] inline void AddEdgeRuns(Lanes* __restrict cells,
                                               const Weighted* __restrict weighted,
                                               const EdgeRun* __restrict edges, std::size_t count,
                                               const ColumnLanding::Landing* __restrict landings,
                                               std::int64_t quot, std::int64_t rem) {
  for (std::size_t k = 0; k < count; ++k) {
    const std::int64_t left = edges[k].Left(quot, rem), end = edges[k].End(quot, rem);
    if (left >= end) break;  // every stroke inside it is empty too
    const ColumnLanding::Landing b = landings[left], e = landings[end];
    const Lanes rise = weighted[k].part * b.part;
    const Lanes fall = weighted[k].part * e.part;
    cells[b.cell] += rise;
    cells[b.cell + 1] += weighted[k].full - rise;
    cells[e.cell] -= fall;
    cells[e.cell + 1] -= weighted[k].full - fall;
  }
}

template <class Lanes>
auto ChainPass<Lanes>::WeightedFor(std::int64_t weight) -> const Weighted* {
  const std::size_t levels = levels_;
  const auto w = static_cast<std::size_t>(weight);
  Weighted* table = buffers_.weighted.data() + w * levels;
  if (buffers_.weighted_stamp[w] != buffers_.stamp) {
    buffers_.weighted_stamp[w] = buffers_.stamp;
    for (std::size_t k = 0; k < levels; ++k) {
      const Lanes part = chains_.level(k).rise * weight;
      table[k] = {part, part * ax_.dst_unit};
    }
  }
  return table;
}

template <class Lanes>
std::size_t ChainPass<Lanes>::LevelRuns(const Chain& chain, std::int64_t y, ColumnRun* runs) const {
  if (chain.on_edges && !chain.clipped) {  // all runs on the straight edges, none empty
    const EdgeRun* const edges = &chains_.edge(chain.first_level);
    for (std::size_t k = 0; k < chain.level_count; ++k) {
      runs[k] = {edges[k].Left(chain.quot, chain.rem), edges[k].End(chain.quot, chain.rem)};
    }
    return chain.level_count;
  }
  std::size_t count = 0;
  for (; count < chain.level_count; ++count) {
    runs[count] = chains_.LevelRun(chain, count, y);
    if (runs[count].empty()) break;  // every stroke inside it is empty too
  }
  return count;
}

template <class Lanes>
void ChainPass<Lanes>::AddRunsOnRow(Chain& chain, ColumnRun outer, std::int64_t y) {
  if (chain.on_edges && !chain.clipped) {
    for (int r = 0; r < touched_; ++r) {
      AddEdgeRuns(rows_[r].cells, rows_[r].weighted + chain.first_level,
                  &chains_.edge(chain.first_level), chain.level_count, &columns_.at(0), chain.quot,
                  chain.rem);
    }
    return;
  }
  AddRun<false>(chain.first_level, outer);
  for (std::size_t k = 1; k < chain.level_count; ++k) {
    const ColumnRun run = chains_.LevelRun(chain, k, y);
    if (run.empty()) break;
    AddRun<false>(chain.first_level + k, run);
  }
}

template <class Lanes>
void ChainPass<Lanes>::AddOwnRunsOnRows(Chain& chain, std::int64_t from, std::int64_t to) {
  if (from > to) return;
  StartRows(from);
  for (std::int64_t y = from; y <= to; ++y, NextRow()) {
    TouchRows();
    if (touched_ == 0) continue;
    const ColumnRun outer = chains_.Seek(chain, y);
    if (outer.empty()) continue;
    Span(outer);
    AddRunsOnRow(chain, outer, y);
  }
  const std::int64_t top = std::max(ay_.FirstDstOf(from), grid_->row_begin());
  const std::int64_t bottom = std::min(ay_.LastDstOf(to), grid_->row_end() - 1);
  if (top <= bottom) grid_->NoteRows(top, bottom);
}

// Rows [from, to] of a chain that is not clipped and whose run ends all lie on the straight
// edges: the bulk of a long stroke, so everything is kept in locals, and the spans of the
// source rows are merged before they are noted once per destination row.
template <class Lanes>
void ChainPass<Lanes>::AddEdgeRows(Chain& chain, std::int64_t from, std::int64_t to) {
  const EdgeRun* const edges = &chains_.edge(chain.first_level);
  const std::size_t levels = chain.level_count;
  const ColumnLanding::Landing* const landings = &columns_.at(0);
  const std::int64_t su = ay_.src_unit, du = ay_.dst_unit;
  const std::int64_t dy = chains_.level(chain.first_level).shape.dy;
  const std::int64_t row_begin = grid_->row_begin(), row_end = grid_->row_end();
  chains_.Seek(chain, from);
  std::int64_t quot = chain.quot, rem = chain.rem;
  const std::int64_t units = ay_.SrcUnits(from);
  std::int64_t first = ay_.dst_pos + FloorDiv(units, du);
  std::int64_t offset = units - (first - ay_.dst_pos) * du;
  std::int64_t span_row = row_begin - 1, span_lo = 0, span_hi = 0;
  std::int64_t rows_top = std::numeric_limits<std::int64_t>::max(), rows_bottom = 0;
  for (std::int64_t y = from;; ++y) {
    const std::int64_t lo = landings[edges[0].Left(quot, rem)].cell;
    const std::int64_t hi = landings[edges[0].End(quot, rem)].cell + 1;
    std::int64_t d = first, rest = su, at = offset;
    for (; rest > 0; ++d, at = 0) {
      const std::int64_t weight = std::min(rest, du - at);
      rest -= weight;
      if (d < row_begin || d >= row_end) continue;
      if (d != span_row) {
        if (span_row >= row_begin) grid_->Touch(span_row, span_lo, span_hi);
        rows_top = std::min(rows_top, d);
        rows_bottom = d;
        span_row = d;
        span_lo = lo;
        span_hi = hi;
      } else {
        span_lo = std::min(span_lo, lo);
        span_hi = std::max(span_hi, hi);
      }
      AddEdgeRuns(grid_->row(d), WeightedFor(weight) + chain.first_level, edges, levels, landings,
                  quot, rem);
    }
    if (y == to) break;
    for (offset += su; offset >= du; offset -= du) ++first;
    quot += chain.dx_quot;
    rem += chain.dx_rem;
    if (rem >= dy) {
      rem -= dy;
      ++quot;
    }
  }
  if (span_row >= row_begin) {
    grid_->Touch(span_row, span_lo, span_hi);
    grid_->NoteRows(rows_top, rows_bottom);
  }
  chain.quot = quot;
  chain.rem = rem;
  chain.row = to;
}

// Adds `rise` from column X(y) on, over rows [from, to], where X(y) = floor(v(y) / dy) + shift
// and v(y) = v + (y - from) dx with |dx| < dy and kDirection the sign of dx: X moves by at most
// one column a row, so each stretch of rows where it stays costs one addition per destination
// row it reaches. Rows [from, to] lie within the grid's rows.
template <class Lanes>
template <int kDirection>
void ChainPass<Lanes>::FollowEnd(std::int64_t v, std::int64_t shift, std::int64_t dx,
                                 std::int64_t dy, Lanes rise, std::int64_t from, std::int64_t to) {
  const std::int64_t du = ay_.dst_unit, width = grid_->width();
  const ColumnLanding::Landing* const landings = &columns_.at(0);
  const Lanes rise_full = rise * ax_.dst_unit;
  std::int64_t x = FloorDiv(v, dy);
  std::int64_t r = v - x * dy;  // 0 <= r < dy
  x += shift;
  std::int64_t units = ay_.SrcUnits(from);
  const std::int64_t last_units = ay_.SrcUnits(to + 1);
  std::int64_t d = FloorDiv(units, du);  // the destination row units fall in, from dst_pos
  std::int64_t d_end = (d + 1) * du;     // and where it ends
  Lanes* cells = grid_->row(ay_.dst_pos + d);
  for (std::int64_t y = from;;) {
    // The first row after y where X has moved: r + k dx leaves [0, dy).
    std::int64_t next = to + 1;
    if constexpr (kDirection > 0) next = std::min(next, y + (dy - r + dx - 1) / dx);
    if constexpr (kDirection < 0) next = std::min(next, y + r / -dx + 1);
    const std::int64_t stretch_end = next == to + 1 ? last_units : ay_.SrcUnits(next);
    const ColumnLanding::Landing landing = landings[x];
    for (;;) {
      const std::int64_t until = std::min(stretch_end, d_end);
      const Lanes part = rise * ((until - units) * landing.part);
      cells[landing.cell] += part;
      cells[landing.cell + 1] += rise_full * (until - units) - part;
      units = until;
      if (units < d_end) break;
      ++d;
      d_end += du;
      cells += width;
      if (units == stretch_end) break;
    }
    if (next > to) return;
    if constexpr (kDirection > 0) {
      r += (next - y) * dx - dy;
      ++x;
    }
    if constexpr (kDirection < 0) {
      r += (next - y) * dx + dy;
      --x;
    }
    y = next;
  }
}

// Rows [from, to] of a chain whose run ends all lie on the straight edges and move by less than
// a column a row: each run end is followed on its own (FollowEnd), and each destination row
// notes the span of the rows in it, which lie between those of its first and last row.
template <class Lanes>
void ChainPass<Lanes>::AddSteepEdgeRows(Chain& chain, std::int64_t from, std::int64_t to) {
  const StrokeShape& outer = chains_.level(chain.first_level).shape;
  const std::int64_t dx = outer.dx, dy = outer.dy;
  const auto n_at = [&](std::int64_t y) { return outer.x1 * dy + (y - outer.y1) * dx; };
  const std::int64_t n = n_at(from);
  const auto follow = [&](std::int64_t v, std::int64_t shift, Lanes rise) {
    if (dx > 0) {
      FollowEnd<1>(v, shift, dx, dy, rise, from, to);
    } else if (dx < 0) {
      FollowEnd<-1>(v, shift, dx, dy, rise, from, to);
    } else {
      FollowEnd<0>(v, shift, dx, dy, rise, from, to);
    }
  };
  for (std::size_t k = 0; k < chain.level_count; ++k) {
    const typename Chains::Level& level = chains_.level(chain.first_level + k);
    const std::int64_t bound = level.shape.edge_bound;
    // Left end ceil((n - bound) / dy), end of the run floor((n + bound) / dy) + 1.
    follow(n + dy - 1 - bound, 0, level.rise);
    follow(n + bound, 1, -level.rise);
  }
  const std::int64_t bound = outer.edge_bound;
  const auto left_cell = [&](std::int64_t y) {
    return columns_.at(FloorDiv(n_at(y) + dy - 1 - bound, dy)).cell;
  };
  const std::int64_t row_begin = grid_->row_begin(), row_end = grid_->row_end();
  const auto end_cell = [&](std::int64_t y) {
    return columns_.at(FloorDiv(n_at(y) + bound, dy) + 1).cell;
  };
  const std::int64_t top = std::max(ay_.FirstDstOf(from), row_begin);
  const std::int64_t bottom = std::min(ay_.LastDstOf(to), row_end - 1);
  for (std::int64_t d = top; d <= bottom; ++d) {
    const std::int64_t first = std::max(from, ay_.FirstSrcOf(d));
    const std::int64_t last = std::min(to, ay_.LastSrcOf(d));
    grid_->Touch(d, std::min(left_cell(first), left_cell(last)),
                 std::max(end_cell(first), end_cell(last)) + 1);
  }
  if (top <= bottom) grid_->NoteRows(top, bottom);
  chains_.Seek(chain, to);  // leaves the chain where the rows left it
}

template <class Lanes>
void ChainPass<Lanes>::AddOwnRuns(Chain& chain) {
  if (chain.clipped || chain.level) {
    AddOwnRunsOnRows(chain, chain.top, chain.bottom);
    return;
  }
  // Rows where every run end lies on a straight edge and that fall wholly in the grid's rows.
  std::int64_t inside_top = ay_.FirstSrcOf(grid_->row_begin());
  if (ay_.FirstDstOf(inside_top) < grid_->row_begin()) ++inside_top;
  std::int64_t inside_bottom = ay_.LastSrcOf(grid_->row_end() - 1);
  if (ay_.LastDstOf(inside_bottom) >= grid_->row_end()) --inside_bottom;
  const std::int64_t edges_top = std::max({chain.top, chain.edges_top, inside_top});
  const std::int64_t edges_bottom = std::min({chain.bottom, chain.edges_bottom, inside_bottom});
  if (edges_top > edges_bottom) {
    AddOwnRunsOnRows(chain, chain.top, chain.bottom);
    return;
  }
  AddOwnRunsOnRows(chain, chain.top, edges_top - 1);
  const StrokeShape& outer = chains_.level(chain.first_level).shape;
  if (4 * std::abs(outer.dx) < 3 * outer.dy) {
    AddSteepEdgeRows(chain, edges_top, edges_bottom);
  } else {
    AddEdgeRows(chain, edges_top, edges_bottom);
  }
  AddOwnRunsOnRows(chain, edges_bottom + 1, chain.bottom);
}

template <class Lanes>
[[gnu::always_inline]] inline void ChainPass<Lanes>::TakeOff(const Chain& chain,
                                                             const ColumnRun* runs,
                                                             std::size_t count, ColumnRun part) {
  // The strokes whose runs hold all of `part` add up to the colour of the innermost of them.
  std::size_t k = 0;
  while (k < count && runs[k].left <= part.left && runs[k].end >= part.end) ++k;
  if (k > 0) AddColour(-chains_.level(chain.first_level + k - 1).colour, part);
  for (; k < count; ++k) {
    const ColumnRun run{std::max(runs[k].left, part.left), std::min(runs[k].end, part.end)};
    if (run.empty()) break;
    AddRun<true>(chain.first_level + k, run);
  }
}

template <class Lanes>
void ChainPass<Lanes>::TakeOffCovered(std::int64_t y) {
  ColumnRunSet& covered = buffers_.covered;  // by the chains laid so far
  ColumnRun* const runs = buffers_.level_runs.data();
  covered.Clear();
  for (std::size_t c = end_; c-- > first_new_;) {
    Chain& chain = chains_[c];
    if (y < chain.top || y > chain.bottom) continue;
    const ColumnRun outer = chains_.Seek(chain, y);
    if (outer.empty()) continue;
    if (!covered.empty()) {
      std::size_t count = 0;
      covered.ForEachPart(outer, nothing_, [&](ColumnRun part) {
        if (count == 0) count = LevelRuns(chain, y, runs);
        TakeOff(chain, runs, count, part);
      });
    }
    covered.Add(outer);
  }
  if (covered.empty() || first_new_ == 0) return;
  if (strokes_ != nullptr) {
    const KeptRow& row = KeptRowAt(y);
    const KeptSegment* const segments = buffers_.kept_segments.data() + row.begin;
    const KeptSegment* const segments_end = segments + row.count;
    const KeptSegment* first = segments;
    // Each covered part loses the kept colours under it: a step down where a run starts,
    // back up where it ends, one step where two runs touch.
    covered.ForEachPart(covered.hull(), nothing_, [&](ColumnRun part) {
      while (first != segments_end && first->run.end <= part.left) ++first;
      Lanes open{};
      std::int64_t at = part.left - 1;  // where the open run ends
      for (const KeptSegment* s = first; s != segments_end && s->run.left < part.end; ++s) {
        const std::int64_t left = std::max(s->run.left, part.left);
        if (left == at) {
          Step(open - s->colour, left);
        } else {
          if (at >= part.left) Step(open, at);
          Step(-s->colour, left);
        }
        open = s->colour;
        at = std::min(s->run.end, part.end);
      }
      if (at >= part.left) Step(open, at);
    });
    return;
  }
  const ColumnRun hull = covered.hull();
  ColumnRunSet& covered_before = buffers_.covered_before;  // by old chains laid so far
  covered_before.Clear();
  for (std::size_t c = first_new_; c-- > 0;) {
    Chain& chain = chains_[c];
    if (y < chain.top || y > chain.bottom) continue;
    if (chain.reach_right < hull.left || chain.reach_left >= hull.end) continue;
    const ColumnRun outer = chains_.Seek(chain, y);
    if (outer.empty()) continue;
    std::size_t count = 0;
    covered.ForEachPart(outer, covered_before, [&](ColumnRun part) {
      if (count == 0) count = LevelRuns(chain, y, runs);
      TakeOff(chain, runs, count, part);
    });
    covered_before.Add(outer);
  }
}

template <class Lanes>
auto ChainPass<Lanes>::KeptRowAt(std::int64_t y) -> const KeptRow& {
  KeptRow& row = buffers_.kept_rows[static_cast<std::size_t>(y - ay_.src_begin)];
  if (row.generation == buffers_.kept_generation) return row;
  std::vector<KeptSegment>& segments = buffers_.kept_segments;
  row.generation = buffers_.kept_generation;
  row.begin = segments.size();
  ColumnRun* const runs = buffers_.level_runs.data();
  ColumnRunSet& covered_before = buffers_.covered_before;  // by the chains laid so far
  ColumnRunSet& outer_only = buffers_.one_run;
  covered_before.Clear();
  for (std::size_t c = first_new_; c-- > 0;) {
    Chain& chain = chains_[c];
    if (y < chain.top || y > chain.bottom) continue;
    const ColumnRun outer = chains_.Seek(chain, y);
    if (outer.empty()) continue;
    const std::size_t count = LevelRuns(chain, y, runs);
    outer_only.Clear();
    outer_only.Add(outer);
    // The runs are nested: columns in k + 1 of them show the colour of level k.
    outer_only.ForEachPart(outer, covered_before, [&](ColumnRun part) {
      const auto emit = [&](std::int64_t left, std::int64_t end, std::size_t k) {
        left = std::max(left, part.left);
        end = std::min(end, part.end);
        if (left < end) {
          segments.push_back({{left, end}, chains_.level(chain.first_level + k).colour});
        }
      };
      for (std::size_t k = 0; k < count; ++k) {
        emit(runs[k].left, k + 1 < count ? runs[k + 1].left : runs[k].end, k);
      }
      for (std::size_t k = count - 1; k > 0; --k) emit(runs[k].end, runs[k - 1].end, k - 1);
    });
    covered_before.Add(outer);
  }
  row.count = segments.size() - row.begin;
  std::sort(segments.begin() + static_cast<std::ptrdiff_t>(row.begin), segments.end(),
            [](const KeptSegment& a, const KeptSegment& b) { return a.run.left < b.run.left; });
  return row;
}

template <class Lanes>
void ChainPass<Lanes>::Add(std::size_t first_new, std::size_t end) {
  first_new_ = first_new;
  end_ = end;
  for (std::size_t c = first_new; c < end; ++c) {
    Chain& chain = chains_[c];
    if (strokes_ == nullptr) {
      AddOwnRuns(chain);
      continue;
    }
    const StrokeCanvas::Stroke* const strokes = strokes_->data() + chain.first_stroke;
    const auto* entry = buffers_.chain_runs.Find(strokes, chain.stroke_count);
    if (entry == nullptr) {
      grid_ = &buffers_.one_chain;
      AddOwnRuns(chain);
      grid_ = &target_;
      entry = &buffers_.chain_runs.Store(strokes, chain.stroke_count, buffers_.one_chain);
    }
    ChainRunsCache<Lanes>::AddTo(*entry, target_);
  }
  // Rows where a new chain may meet another one, in increasing order, merged.
  std::vector<RowRange>& meeting = buffers_.meeting_rows;
  meeting.clear();
  for (std::size_t c = first_new; c < end; ++c) {
    for (std::size_t other = 0; other < c; ++other) {
      const RowRange rows = chains_.MeetingRows(chains_[c], chains_[other]);
      if (rows.top <= rows.bottom) meeting.push_back(rows);
    }
  }
  std::sort(meeting.begin(), meeting.end(),
            [](const RowRange& a, const RowRange& b) { return a.top < b.top; });
  std::int64_t next = std::numeric_limits<std::int64_t>::min();  // the first row not done
  for (const RowRange& rows : meeting) {
    const std::int64_t from = std::max(rows.top, next);
    if (from > rows.bottom) continue;
    StartRows(from);
    for (std::int64_t y = from; y <= rows.bottom; ++y, NextRow()) {
      TouchRows();
      if (touched_ > 0) TakeOffCovered(y);
    }
    next = rows.bottom + 1;
  }
}

}  // namespace raster
