// Sums of runs of one colour, gathered by their two ends instead of column by column.
//
// A run over canvas columns [left, right] gives target column t colour x its overlap with t,
// which is U(right + 1) - U(left), where U(e) is how many units of t lie left of canvas edge e:
// all ux of them for t left of e's column, e's units into it at its column, none right of it.
// So each end adds its colour to `ends` and colour x units to `parts` at its column, and a
// target row's sums come out of one pass from right to left:
//   sum[t] = ux x (ends right of t) + parts[t].
// A run costs the same however long it is. Everything is linear, so it is exact.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "platform/raster/shrink_map.h"

namespace raster {

class RunSums {
 public:
  // Prepares for `map`, which must stay alive and unchanged while in use.
  void Reset(const ShrinkMap& map) {
    map_ = &map;
    for (Line& line : lines_) {
      line.ends.assign(static_cast<std::size_t>(map.out().width) + 1, 0);
      line.parts.assign(line.ends.size(), 0);
      line.row = INT_MIN;
    }
  }

  // Adds `colour` over canvas columns [left, right] (within the map's columns) of canvas row
  // y into `sums`. Canvas rows come in ascending order; Flush ends the pass.
  template <typename Sums>
  void Add(Sums& sums, int y, int left, int right, PackedSum colour) {
    const ShrinkMap::RowShare& share = map_->Rows(y);
    const ShrinkMap::Edge from = map_->EdgeAt(left), to = map_->EdgeAt(right + 1);
    for (int i = 0; i < share.count; ++i) {
      Line& line = Take(sums, share.row[i]);
      const std::uint64_t c = static_cast<std::uint64_t>(colour * share.weight[i]);
      line.ends[static_cast<std::size_t>(to.column)] += c;
      line.parts[static_cast<std::size_t>(to.column)] += c * static_cast<std::uint64_t>(to.units);
      line.ends[static_cast<std::size_t>(from.column)] -= c;
      line.parts[static_cast<std::size_t>(from.column)] -=
          c * static_cast<std::uint64_t>(from.units);
      line.low = std::min(line.low, from.column);
      line.high = std::max(line.high, to.column);
    }
  }

  // Adds what is still gathered into `sums`.
  template <typename Sums>
  void Flush(Sums& sums) {
    for (Line& line : lines_) Drain(sums, line);
  }

 private:
  struct Line {
    std::vector<std::uint64_t> ends, parts;  // per out column and out's right edge
    int row = INT_MIN, low = INT_MAX, high = INT_MIN;
  };

  // The line of target row `row`; a line is reused two rows on, when its row is complete.
  template <typename Sums>
  Line& Take(Sums& sums, int row) {
    Line& line = lines_[row & 1];
    if (line.row != row) {
      Drain(sums, line);
      line.row = row;
    }
    return line;
  }

  template <typename Sums>
  void Drain(Sums& sums, Line& line) {
    if (line.low > line.high) return;
    PackedSum* out = sums.Row(line.row) + (map_->out().left - sums.RowLeft(line.row));
    const auto ux = static_cast<std::uint64_t>(map_->unit_width());
    std::uint64_t right = 0;  // the colours of the ends right of column t
    for (int t = line.high; t >= line.low; --t) {
      const auto i = static_cast<std::size_t>(t);
      // Zero outside what the runs overlap, which may lie outside a sparse row.
      if (const std::uint64_t sum = ux * right + line.parts[i]; sum != 0) {
        out[t] = static_cast<PackedSum>(static_cast<std::uint64_t>(out[t]) + sum);
      }
      right += line.ends[i];
      line.ends[i] = line.parts[i] = 0;
    }
    line.low = INT_MAX;
    line.high = INT_MIN;
  }

  const ShrinkMap* map_ = nullptr;
  Line lines_[2];
};

}  // namespace raster
