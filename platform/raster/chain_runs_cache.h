// The destination difference rows of single chains seen before, by their strokes.
//
// A chain's own runs (not what it paints over) depend on its strokes and the mapping alone, and
// the chain a clock redraws every second, the second hand, comes back to the same sixty places
// every minute. The least recently used entry makes room for a new one; entries keep their
// buffers, so once they have grown to the chains' sizes, storing a chain allocates nothing.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/raster/shrink_grid.h"
#include "platform/raster/stroke_canvas.h"

namespace raster {

template <class Lanes>
class ChainRunsCache {
 public:
  struct Piece {
    std::int64_t row, lo, hi;  // cells [lo, hi] of destination row `row`
  };
  struct Entry {
    std::vector<StrokeCanvas::Stroke> strokes;
    std::vector<Piece> pieces;
    std::vector<Lanes> cells;  // of the pieces, one after the other
    std::uint64_t used = 0;
  };

  explicit ChainRunsCache(std::size_t capacity) : capacity_(capacity) {}

  // Forgets every chain (the mapping changed); keeps the buffers.
  void Clear() {
    for (Entry& e : entries_) {
      e.strokes.clear();
      e.used = 0;
    }
  }

  // The entry of a chain drawn as `count` strokes, or null.
  const Entry* Find(const StrokeCanvas::Stroke* strokes, std::size_t count) {
    for (Entry& e : entries_) {
      if (e.strokes.size() == count && std::equal(strokes, strokes + count, e.strokes.begin())) {
        e.used = ++clock_;
        return &e;
      }
    }
    return nullptr;
  }

  // Moves what `scratch` holds (one chain's runs) into a new entry for the strokes, leaving
  // `scratch` zero.
  const Entry& Store(const StrokeCanvas::Stroke* strokes, std::size_t count,
                     ShrinkGrid<Lanes>& scratch) {
    Entry& e = Victim();
    e.strokes.assign(strokes, strokes + count);
    e.used = ++clock_;
    e.pieces.clear();
    e.cells.clear();
    for (std::int64_t d = scratch.top(); d <= scratch.bottom(); ++d) {
      CellRanges& ranges = scratch.ranges(d);
      Lanes* const cells = scratch.row(d);
      for (int i = 0; i < ranges.count; ++i) {
        const std::int64_t lo = ranges.ranges[i].lo, hi = ranges.ranges[i].hi;
        e.pieces.push_back({d, lo, hi});
        e.cells.insert(e.cells.end(), cells + lo, cells + hi + 1);
        std::fill(cells + lo, cells + hi + 1, Lanes{});
      }
      ranges.count = 0;
    }
    scratch.ForgetRows();
    return e;
  }

  // Adds an entry's rows to a grid.
  static void AddTo(const Entry& e, ShrinkGrid<Lanes>& grid) {
    const Lanes* from = e.cells.data();
    for (const Piece& p : e.pieces) {
      Lanes* const cells = grid.row(p.row);
      for (std::int64_t c = p.lo; c <= p.hi; ++c) cells[c] += *from++;
      grid.Touch(p.row, p.lo, p.hi);
    }
    if (!e.pieces.empty()) grid.NoteRows(e.pieces.front().row, e.pieces.back().row);
  }

 private:
  Entry& Victim() {
    if (entries_.size() < capacity_) return entries_.emplace_back();
    return *std::min_element(entries_.begin(), entries_.end(),
                             [](const Entry& a, const Entry& b) { return a.used < b.used; });
  }

  std::size_t capacity_;
  std::vector<Entry> entries_;
  std::uint64_t clock_ = 0;
};

}  // namespace raster
