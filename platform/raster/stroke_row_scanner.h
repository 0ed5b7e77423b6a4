// Turns a stroke list into the colour changes along each pixel row.
//
// Consecutive strokes along the same segment (a clock hand drawn as ever narrower, brighter
// strokes) form a chain: their runs on a row are nested, so the row's colour changes only at
// the run ends and the change at each end is known in advance. The chain's strokes share one
// incremental division for the straight edges, so a row costs a few additions per stroke.
// Where chains meet on a row, the later one is laid over the earlier ones explicitly.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "platform/raster/colour_lanes.h"
#include "platform/raster/exact_math.h"
#include "platform/raster/stroke_canvas.h"
#include "platform/raster/stroke_shape.h"

namespace raster {

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

template <class Lanes>
class StrokeRowScanner {
 public:
  // Prepares to scan the strokes within columns [col_begin, col_end) and rows
  // [row_begin, row_end). False when no stroke reaches that area.
  bool Begin(const std::vector<StrokeCanvas::Stroke>& strokes, int col_begin, int col_end,
             int row_begin, int row_end, PenDiscCache& discs);

  // Rows that hold any stroke, inclusive.
  std::int64_t top() const { return top_; }
  std::int64_t bottom() const { return bottom_; }

  // Visible strokes, numbered across all chains; a chain's runs are nested, so on a row where
  // it stands alone, stroke k of it adds `rise(k)` over its run.
  std::size_t level_count() const { return levels_.size(); }
  const Lanes& rise(std::size_t level) const { return levels_[level].rise; }

  // Reports row y (rows in increasing order) to the sink as colour changes that telescope:
  //   sink.Span(begin, end)        columns [begin, end) hold everything that follows;
  //   sink.Run(level, begin, end)  the colour rises by rise(level) over [begin, end);
  //   sink.Step(x, delta)          from column x on, the colour changes by delta;
  //   sink.EdgeRuns(first_level, runs, count, quot, rem)
  //                                Run for each of `count` nested strokes lying on their
  //                                straight edges, until the first empty one.
  // Everything lies within the scanned columns, ends included (end <= col_end).
  template <class Sink>
  void ScanRow(std::int64_t y, Sink& sink);

 private:
  struct Level {
    StrokeShape shape;
    Pixel colour;
    Lanes rise;  // this stroke's colour less the colour of the stroke beneath it in the chain
  };
  struct Chain {
    std::size_t first_level, level_count;  // outermost (widest, drawn first) first
    std::int64_t top, bottom;              // rows, clipped to the scanned area
    // Rows where every run end lies on a straight edge.
    std::int64_t edges_top, edges_bottom;
    bool clipped;  // may reach outside the scanned columns
    // The shared division x1 * dy + (row - y1) * dx = quot * dy + rem, for dy > 0.
    std::int64_t row, quot, rem;
    std::int64_t dx_quot, dx_rem;
  };
  struct Run {
    std::int64_t left, end;  // columns [left, end)
  };

  struct ActiveChain {
    std::size_t chain;
    Run outer;
  };
  struct Segment {
    std::int64_t x;
    Pixel colour;
  };

  void AddChain(const std::vector<StrokeCanvas::Stroke>& strokes, std::size_t begin,
                std::size_t end);
  void SeekRow(Chain& chain, std::int64_t y) const;
  // Run of a chain's stroke on row y (the chain sought to y); empty when left >= end.
  Run LevelRun(const Chain& chain, const Level& level, std::int64_t y, bool on_edges) const;
  template <class Sink>
  void OverlaidRow(std::int64_t y, std::size_t active, Sink& sink);

  std::vector<StrokeShape> shapes_;
  std::vector<Level> levels_;
  std::vector<EdgeRun> edge_runs_;  // per level
  std::vector<Chain> chains_;
  std::vector<ActiveChain> active_;
  std::vector<Run> runs_;
  std::vector<Segment> segments_, spliced_;
  std::int64_t col_begin_ = 0, col_end_ = 0, row_begin_ = 0, row_last_ = -1;
  std::int64_t top_ = 0, bottom_ = -1;
};

template <class Lanes>
bool StrokeRowScanner<Lanes>::Begin(const std::vector<StrokeCanvas::Stroke>& strokes, int col_begin,
                                    int col_end, int row_begin, int row_end, PenDiscCache& discs) {
  col_begin_ = col_begin;
  col_end_ = col_end;
  row_begin_ = row_begin;
  row_last_ = std::int64_t{row_end} - 1;
  shapes_.clear();
  levels_.clear();
  chains_.clear();
  for (const StrokeCanvas::Stroke& s : strokes) {
    shapes_.push_back(MakeStrokeShape(s.x1, s.y1, s.x2, s.y2, s.pen_width, discs));
  }
  const auto same_segment = [](const StrokeShape& a, const StrokeShape& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
  };
  for (std::size_t begin = 0; begin < shapes_.size();) {
    std::size_t end = begin + 1;
    while (end < shapes_.size() && same_segment(shapes_[begin], shapes_[end])) ++end;
    AddChain(strokes, begin, end);
    begin = end;
  }
  top_ = std::numeric_limits<std::int64_t>::max();
  bottom_ = std::numeric_limits<std::int64_t>::min();
  for (const Chain& c : chains_) {
    top_ = std::min(top_, c.top);
    bottom_ = std::max(bottom_, c.bottom);
  }
  edge_runs_.clear();
  for (const Level& level : levels_) {
    const StrokeShape& s = level.shape;
    edge_runs_.push_back({s.edge_quot, s.edge_rem, s.edge_quot + 1, s.dy - s.edge_rem});
  }
  runs_.resize(levels_.size());
  active_.resize(chains_.size());
  segments_.reserve(2 * levels_.size() + 2 * chains_.size() + 2);
  spliced_.reserve(segments_.capacity());
  return !chains_.empty();
}

template <class Lanes>
void StrokeRowScanner<Lanes>::AddChain(const std::vector<StrokeCanvas::Stroke>& strokes,
                                       std::size_t begin, std::size_t end) {
  Chain chain{};
  chain.first_level = levels_.size();
  // A stroke shows only if every later stroke of the chain is narrower; the ones that show
  // are nested, widest (earliest) outside.
  int narrowest_later = std::numeric_limits<int>::min();
  for (std::size_t i = end; i-- > begin;) {
    const int pen = std::max(strokes[i].pen_width, 1);
    if (pen <= narrowest_later) continue;
    narrowest_later = pen;
    levels_.push_back({shapes_[i], strokes[i].colour, Lanes{}});
  }
  chain.level_count = levels_.size() - chain.first_level;
  std::reverse(levels_.begin() + static_cast<std::ptrdiff_t>(chain.first_level), levels_.end());
  Pixel beneath = 0;
  for (std::size_t i = chain.first_level; i < levels_.size(); ++i) {
    levels_[i].rise = Lanes::Of(levels_[i].colour) - Lanes::Of(beneath);
    beneath = levels_[i].colour;
  }

  const StrokeShape& outer = levels_[chain.first_level].shape;
  chain.top = std::max(outer.top(), row_begin_);
  chain.bottom = std::min(outer.bottom(), row_last_);
  const std::int64_t reach_left = std::min(outer.x1, outer.x2) - outer.radius;
  const std::int64_t reach_right = std::max(outer.x1, outer.x2) + outer.radius;
  if (chain.top > chain.bottom || reach_right < col_begin_ || reach_left >= col_end_) {
    levels_.resize(chain.first_level);
    return;
  }
  chain.clipped = reach_left < col_begin_ || reach_right >= col_end_;
  chain.edges_top = std::numeric_limits<std::int64_t>::min();
  chain.edges_bottom = std::numeric_limits<std::int64_t>::max();
  for (std::size_t i = chain.first_level; i < levels_.size(); ++i) {
    const StrokeShape& s = levels_[i].shape;
    chain.edges_top = std::max({chain.edges_top, s.left_edge_top, s.right_edge_top});
    chain.edges_bottom = std::min({chain.edges_bottom, s.left_edge_bottom, s.right_edge_bottom});
  }
  if (outer.dy > 0) {
    chain.dx_quot = FloorDiv(outer.dx, outer.dy);
    chain.dx_rem = outer.dx - chain.dx_quot * outer.dy;
    chain.row = chain.top - 1;  // forces SeekRow to divide on the first row
  }
  chains_.push_back(chain);
}

template <class Lanes>
void StrokeRowScanner<Lanes>::SeekRow(Chain& chain, std::int64_t y) const {
  const StrokeShape& s = levels_[chain.first_level].shape;
  if (y == chain.row + 1 && chain.row >= chain.top) {
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
}

template <class Lanes>
typename StrokeRowScanner<Lanes>::Run StrokeRowScanner<Lanes>::LevelRun(const Chain& chain,
                                                                        const Level& level,
                                                                        std::int64_t y,
                                                                        bool on_edges) const {
  const StrokeShape& s = level.shape;
  Run run;
  if (s.dy == 0) {
    const std::int64_t k = std::abs(y - s.y1);
    if (k > s.radius) return {0, 0};
    run = {s.x1 - s.disc[k], s.x2 + s.disc[k] + 1};
  } else if (on_edges) {
    run = {chain.quot - s.edge_quot + (chain.rem > s.edge_rem),
           chain.quot + s.edge_quot + 1 + (chain.rem + s.edge_rem >= s.dy)};
  } else {
    run.left =
        s.LeftOnEdge(y) ? chain.quot - s.edge_quot + (chain.rem > s.edge_rem) : s.DiscLeft(y);
    run.end = s.RightOnEdge(y) ? chain.quot + s.edge_quot + 1 + (chain.rem + s.edge_rem >= s.dy)
                               : s.DiscRight(y) + 1;
  }
  if (chain.clipped) {
    run.left = std::max(run.left, col_begin_);
    run.end = std::min(run.end, col_end_);
  }
  return run;
}

template <class Lanes>
template <class Sink>
void StrokeRowScanner<Lanes>::ScanRow(std::int64_t y, Sink& sink) {
  std::size_t active = 0;
  for (std::size_t c = 0; c < chains_.size(); ++c) {
    Chain& chain = chains_[c];
    if (y < chain.top || y > chain.bottom) continue;
    if (levels_[chain.first_level].shape.dy != 0) SeekRow(chain, y);
    const bool on_edges = y >= chain.edges_top && y <= chain.edges_bottom;
    const EdgeRun& e = edge_runs_[chain.first_level];
    const Run outer = on_edges && !chain.clipped
                          ? Run{e.Left(chain.quot, chain.rem), e.End(chain.quot, chain.rem)}
                          : LevelRun(chain, levels_[chain.first_level], y, on_edges);
    if (outer.left >= outer.end) continue;
    for (std::size_t i = 0; i < active; ++i) {
      const Run& other = active_[i].outer;
      if (outer.left < other.end && other.left < outer.end) {
        active_[active++] = {c, outer};
        for (++c; c < chains_.size(); ++c) {  // seek the remaining chains too
          Chain& rest = chains_[c];
          if (y < rest.top || y > rest.bottom) continue;
          if (levels_[rest.first_level].shape.dy != 0) SeekRow(rest, y);
          const bool rest_on_edges = y >= rest.edges_top && y <= rest.edges_bottom;
          const Run r = LevelRun(rest, levels_[rest.first_level], y, rest_on_edges);
          if (r.left < r.end) active_[active++] = {c, r};
        }
        OverlaidRow(y, active, sink);
        return;
      }
    }
    active_[active++] = {c, outer};
  }
  // Chains apart: each one's nested runs stand alone.
  for (std::size_t i = 0; i < active; ++i) {
    const Chain& chain = chains_[active_[i].chain];
    const Run& outer = active_[i].outer;
    sink.Span(outer.left, outer.end);
    const bool on_edges = y >= chain.edges_top && y <= chain.edges_bottom;
    if (on_edges && !chain.clipped) {  // the bulk of a long stroke: a few additions per run
      sink.EdgeRuns(chain.first_level, edge_runs_.data() + chain.first_level, chain.level_count,
                    chain.quot, chain.rem);
      continue;
    }
    sink.Run(chain.first_level, outer.left, outer.end);
    for (std::size_t k = 1; k < chain.level_count; ++k) {
      const std::size_t level = chain.first_level + k;
      const Run run = LevelRun(chain, levels_[level], y, on_edges);
      if (run.left >= run.end) break;  // every stroke inside it is empty too
      sink.Run(level, run.left, run.end);
    }
  }
}

// Lays the chains on the row over each other in drawing order, as runs of one colour, then
// reports where the colour changes.
template <class Lanes>
template <class Sink>
void StrokeRowScanner<Lanes>::OverlaidRow(std::int64_t y, std::size_t active, Sink& sink) {
  segments_.clear();  // colour from x up to the next segment; black before the first
  for (std::size_t i = 0; i < active; ++i) {
    const Chain& chain = chains_[active_[i].chain];
    const bool on_edges = y >= chain.edges_top && y <= chain.edges_bottom;
    const Level* level = levels_.data() + chain.first_level;
    std::size_t count = 0;
    for (; count < chain.level_count; ++count) {
      const Run run = LevelRun(chain, level[count], y, on_edges);
      if (run.left >= run.end) break;
      runs_[count] = run;
    }
    const std::int64_t begin = runs_[0].left;
    const std::int64_t end = runs_[0].end;
    Pixel after = 0;
    for (const Segment& s : segments_) {
      if (s.x > end) break;
      after = s.colour;
    }
    spliced_.clear();
    for (const Segment& s : segments_) {
      if (s.x < begin) spliced_.push_back(s);
    }
    for (std::size_t k = 0; k < count; ++k) spliced_.push_back({runs_[k].left, level[k].colour});
    for (std::size_t k = count; k-- > 1;) spliced_.push_back({runs_[k].end, level[k - 1].colour});
    spliced_.push_back({end, after});
    for (const Segment& s : segments_) {
      if (s.x > end) spliced_.push_back(s);
    }
    segments_.swap(spliced_);
  }
  sink.Span(segments_.front().x, segments_.back().x);
  Pixel before = 0;
  for (const Segment& s : segments_) {
    if (s.colour == before) continue;
    sink.Step(s.x, Lanes::Of(s.colour) - Lanes::Of(before));
    before = s.colour;
  }
}

}  // namespace raster
