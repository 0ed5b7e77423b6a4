// A stroke list as chains, and the runs each chain covers on a pixel row.
//
// Consecutive strokes along the same segment (a clock hand drawn as ever narrower, brighter
// strokes) form a chain: the runs of its visible strokes on a row are nested, so where the
// chain stands alone the row's colour is the sum of the strokes' rises (colour less the colour
// beneath) over their runs. A chain's strokes share one incremental division for the straight
// edges, so a row costs a few additions per stroke.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "platform/raster/exact_math.h"
#include "platform/raster/stroke_canvas.h"
#include "platform/raster/stroke_shape.h"

namespace raster {

// Columns [left, end) of a row.
struct ColumnRun {
  std::int64_t left, end;
  bool empty() const { return left >= end; }
};

// Rows [top, bottom]; empty when top > bottom.
struct RowRange {
  std::int64_t top, bottom;
};

// A stroke's run on a row where both its ends lie on the straight edges, given the shared
// division of its chain: [quot - left_quot + (rem > left_rem), quot + end_quot + (rem >=
// end_rem)).
struct EdgeRun {
  std::int64_t left_quot, left_rem, end_quot, end_rem;

  std::int64_t Left(std::int64_t quot, std::int64_t rem) const {
    return quot - left_quot + (rem > left_rem);
  }
  std::int64_t End(std::int64_t quot, std::int64_t rem) const {
    return quot + end_quot + (rem >= end_rem);
  }
};

// Whether two strokes run along the same segment, in either direction.
inline bool SameSegment(const StrokeCanvas::Stroke& a, const StrokeCanvas::Stroke& b) {
  return (a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2) ||
         (a.x1 == b.x2 && a.y1 == b.y2 && a.x2 == b.x1 && a.y2 == b.y1);
}

template <class Lanes>
class StrokeChains {
 public:
  struct Level {  // a visible stroke of a chain
    StrokeShape shape;
    Lanes rise;    // its colour less the colour of the stroke beneath it in the chain
    Lanes colour;  // the sum of the rises up to it
  };
  struct Chain {
    std::size_t first_stroke, stroke_count;  // in the strokes it was appended from
    std::size_t first_level, level_count;    // outermost (widest, drawn first) first
    std::int64_t top, bottom;                // rows, clipped to the area
    std::int64_t reach_left, reach_right;    // columns any of its runs may reach
    // Rows where every run end lies on a straight edge.
    std::int64_t edges_top, edges_bottom;
    bool clipped;  // may reach outside the area's columns
    bool level;    // a level stroke or a point: runs come from the pen's disc alone
    // The shared division x1 * dy + (row - y1) * dx = quot * dy + rem at `row`, for dy > 0.
    std::int64_t row, quot, rem;
    std::int64_t dx_quot, dx_rem;
    bool on_edges;  // at `row`
  };

  // Forgets all chains; later chains are clipped to columns [col_begin, col_end) and rows
  // [row_begin, row_end).
  void Reset(std::int64_t col_begin, std::int64_t col_end, std::int64_t row_begin,
             std::int64_t row_end);
  // Keeps the first `count` chains.
  void Truncate(std::size_t count);
  // Appends the chains of strokes [begin, end), which start a new chain even if they continue
  // the segment of the last one. Chains that miss the area are left out.
  void Append(const std::vector<StrokeCanvas::Stroke>& strokes, std::size_t begin, std::size_t end,
              PenDiscCache& discs);

  std::size_t size() const { return chains_.size(); }
  Chain& operator[](std::size_t i) { return chains_[i]; }
  std::size_t level_count() const { return levels_.size(); }
  const Level& level(std::size_t i) const { return levels_[i]; }
  // Level i's runs on rows where they lie on the straight edges; consecutive per chain.
  const EdgeRun& edge(std::size_t i) const { return edges_[i]; }
  std::size_t most_levels() const { return most_levels_; }

  // Moves the chain to row y (within its rows) and returns its outermost run there.
  ColumnRun Seek(Chain& chain, std::int64_t y) const;
  // Run of stroke k of a chain sought to row y; empty when nothing of it is on the row.
  ColumnRun LevelRun(const Chain& chain, std::size_t k, std::int64_t y) const;

  // Rows where the runs of two chains may share columns (a few more at most).
  RowRange MeetingRows(const Chain& a, const Chain& b) const;

 private:
  void AddChain(const std::vector<StrokeCanvas::Stroke>& strokes, std::size_t first,
                std::size_t count, PenDiscCache& discs);

  std::vector<Level> levels_;
  std::vector<EdgeRun> edges_;  // per level
  std::vector<Chain> chains_;
  std::size_t most_levels_ = 0;
  std::int64_t col_begin_ = 0, col_end_ = 0, row_begin_ = 0, row_last_ = -1;
};

template <class Lanes>
void StrokeChains<Lanes>::Reset(std::int64_t col_begin, std::int64_t col_end,
                                std::int64_t row_begin, std::int64_t row_end) {
  col_begin_ = col_begin;
  col_end_ = col_end;
  row_begin_ = row_begin;
  row_last_ = row_end - 1;
  Truncate(0);
}

template <class Lanes>
void StrokeChains<Lanes>::Truncate(std::size_t count) {
  if (count >= chains_.size()) return;
  levels_.resize(chains_[count].first_level);
  edges_.resize(levels_.size());
  chains_.resize(count);
  most_levels_ = 0;
  for (const Chain& c : chains_) most_levels_ = std::max(most_levels_, c.level_count);
}

template <class Lanes>
void StrokeChains<Lanes>::Append(const std::vector<StrokeCanvas::Stroke>& strokes,
                                 std::size_t begin, std::size_t end, PenDiscCache& discs) {
  while (begin < end) {
    std::size_t next = begin + 1;
    while (next < end && SameSegment(strokes[begin], strokes[next])) ++next;
    AddChain(strokes, begin, next - begin, discs);
    begin = next;
  }
}

template <class Lanes>
void StrokeChains<Lanes>::AddChain(const std::vector<StrokeCanvas::Stroke>& all, std::size_t first,
                                   std::size_t count, PenDiscCache& discs) {
  const StrokeCanvas::Stroke* const strokes = all.data() + first;
  Chain chain{};
  chain.first_stroke = first;
  chain.stroke_count = count;
  chain.first_level = levels_.size();
  // A stroke shows only if every later stroke of the chain is narrower; the ones that show
  // are nested, widest (earliest) outside.
  int narrowest_later = std::numeric_limits<int>::min();
  for (std::size_t i = count; i-- > 0;) {
    const StrokeCanvas::Stroke& s = strokes[i];
    const int pen = std::max(s.pen_width, 1);
    if (pen <= narrowest_later) continue;
    narrowest_later = pen;
    const StrokeShape shape = MakeStrokeShape(s.x1, s.y1, s.x2, s.y2, pen, discs);
    levels_.push_back({shape, Lanes{}, Lanes::Of(s.colour)});
    edges_.push_back(
        {shape.edge_quot, shape.edge_rem, shape.edge_quot + 1, shape.dy - shape.edge_rem});
  }
  chain.level_count = levels_.size() - chain.first_level;
  const auto outermost = static_cast<std::ptrdiff_t>(chain.first_level);
  std::reverse(levels_.begin() + outermost, levels_.end());
  std::reverse(edges_.begin() + outermost, edges_.end());
  Lanes beneath{};
  for (std::size_t i = chain.first_level; i < levels_.size(); ++i) {
    levels_[i].rise = levels_[i].colour - beneath;
    beneath = levels_[i].colour;
  }

  const StrokeShape& outer = levels_[chain.first_level].shape;
  chain.top = std::max(outer.top(), row_begin_);
  chain.bottom = std::min(outer.bottom(), row_last_);
  const std::int64_t reach_left = std::min(outer.x1, outer.x2) - outer.radius;
  const std::int64_t reach_right = std::max(outer.x1, outer.x2) + outer.radius;
  if (chain.top > chain.bottom || reach_right < col_begin_ || reach_left >= col_end_) {
    levels_.resize(chain.first_level);
    edges_.resize(chain.first_level);
    return;
  }
  chain.clipped = reach_left < col_begin_ || reach_right >= col_end_;
  chain.reach_left = std::max(reach_left, col_begin_);
  chain.reach_right = std::min(reach_right, col_end_ - 1);
  chain.level = outer.dy == 0;
  chain.edges_top = std::numeric_limits<std::int64_t>::min();
  chain.edges_bottom = std::numeric_limits<std::int64_t>::max();
  for (std::size_t i = chain.first_level; i < levels_.size(); ++i) {
    const StrokeShape& s = levels_[i].shape;
    chain.edges_top = std::max({chain.edges_top, s.left_edge_top, s.right_edge_top});
    chain.edges_bottom = std::min({chain.edges_bottom, s.left_edge_bottom, s.right_edge_bottom});
  }
  if (!chain.level) {
    chain.dx_quot = FloorDiv(outer.dx, outer.dy);
    chain.dx_rem = outer.dx - chain.dx_quot * outer.dy;
    chain.row = chain.top - 2;  // forces Seek to divide on the first row
  }
  most_levels_ = std::max(most_levels_, chain.level_count);
  chains_.push_back(chain);
}

template <class Lanes>
[[gnu::always_inline]] inline ColumnRun StrokeChains<Lanes>::Seek(Chain& chain,
                                                                  std::int64_t y) const {
  if (chain.level) return LevelRun(chain, 0, y);
  const StrokeShape& s = levels_[chain.first_level].shape;
  if (y == chain.row + 1) {
    chain.quot += chain.dx_quot;
    chain.rem += chain.dx_rem;
    if (chain.rem >= s.dy) {
      chain.rem -= s.dy;
      ++chain.quot;
    }
  } else if (y != chain.row) {
    const std::int64_t n = s.x1 * s.dy + (y - s.y1) * s.dx;
    chain.quot = FloorDiv(n, s.dy);
    chain.rem = n - chain.quot * s.dy;
  }
  chain.row = y;
  chain.on_edges = y >= chain.edges_top && y <= chain.edges_bottom;
  if (chain.on_edges && !chain.clipped) {
    const EdgeRun& e = edges_[chain.first_level];
    return {e.Left(chain.quot, chain.rem), e.End(chain.quot, chain.rem)};
  }
  return LevelRun(chain, 0, y);
}

template <class Lanes>
ColumnRun StrokeChains<Lanes>::LevelRun(const Chain& chain, std::size_t k, std::int64_t y) const {
  const StrokeShape& s = levels_[chain.first_level + k].shape;
  const EdgeRun& edge = edges_[chain.first_level + k];
  ColumnRun run;
  if (chain.level) {
    const std::int64_t d = std::abs(y - s.y1);
    if (d > s.radius) return {0, 0};
    run = {s.x1 - s.disc[d], s.x2 + s.disc[d] + 1};
  } else if (chain.on_edges) {
    run = {edge.Left(chain.quot, chain.rem), edge.End(chain.quot, chain.rem)};
  } else {
    run.left = s.LeftOnEdge(y) ? edge.Left(chain.quot, chain.rem) : s.DiscLeft(y);
    run.end = s.RightOnEdge(y) ? edge.End(chain.quot, chain.rem) : s.DiscRight(y) + 1;
  }
  if (chain.clipped) {
    run.left = std::max(run.left, col_begin_);
    run.end = std::min(run.end, col_end_);
  }
  return run;
}

template <class Lanes>
RowRange StrokeChains<Lanes>::MeetingRows(const Chain& a, const Chain& b) const {
  RowRange rows{std::max(a.top, b.top), std::min(a.bottom, b.bottom)};
  if (rows.top > rows.bottom || a.level || b.level) return rows;
  // A covered pixel lies within (edge_bound + 1) / dy columns of its stroke's centre line
  // x = x1 + (y - y1) dx / dy, so two runs can meet only where the centre lines are no
  // further apart than that; their distance is linear in y. Two columns and a row spare
  // cover rounding.
  const StrokeShape& sa = levels_[a.first_level].shape;
  const StrokeShape& sb = levels_[b.first_level].shape;
  const double slope_a = static_cast<double>(sa.dx) / static_cast<double>(sa.dy);
  const double slope_b = static_cast<double>(sb.dx) / static_cast<double>(sb.dy);
  const double slope = slope_a - slope_b;
  const double offset = (static_cast<double>(sa.x1) - static_cast<double>(sa.y1) * slope_a) -
                        (static_cast<double>(sb.x1) - static_cast<double>(sb.y1) * slope_b);
  const double reach = static_cast<double>(sa.edge_bound + 1) / static_cast<double>(sa.dy) +
                       static_cast<double>(sb.edge_bound + 1) / static_cast<double>(sb.dy) + 2;
  if (std::abs(slope) < 1e-9) {
    if (std::abs(offset) > reach) rows.top = rows.bottom + 1;
    return rows;
  }
  double from = (-reach - offset) / slope, to = (reach - offset) / slope;
  if (from > to) std::swap(from, to);
  from = std::max(from, static_cast<double>(rows.top));
  to = std::min(to, static_cast<double>(rows.bottom));
  if (from > to) return {rows.top, rows.top - 1};
  rows.top = std::max(rows.top, static_cast<std::int64_t>(std::floor(from)) - 1);
  rows.bottom = std::min(rows.bottom, static_cast<std::int64_t>(std::ceil(to)) + 1);
  return rows;
}

}  // namespace raster
