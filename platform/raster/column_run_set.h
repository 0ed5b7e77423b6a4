// The columns of a row covered by a few runs, as sorted, disjoint runs.
//
// The composite lays chains over each other run by run: what a later chain covers on a row is
// a handful of runs, and an earlier chain shows only outside them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/raster/stroke_chains.h"

namespace raster {

class ColumnRunSet {
 public:
  // Room for `count` runs, so that adding them allocates nothing.
  void Reserve(std::size_t count) {
    if (storage_.size() < count) storage_.resize(count);
    runs_ = storage_.data();
  }
  void Clear() { count_ = 0; }
  bool empty() const { return count_ == 0; }
  // From the first covered column to past the last; only when not empty.
  ColumnRun hull() const { return {runs_[0].left, runs_[count_ - 1].end}; }

  // Adds the columns of a non-empty run.
  void Add(ColumnRun run) {
    std::size_t first = 0;
    while (first < count_ && runs_[first].end < run.left) ++first;
    std::size_t last = first;  // runs [first, last) meet the new one and merge into it
    for (; last < count_ && runs_[last].left <= run.end; ++last) {
      run.left = std::min(run.left, runs_[last].left);
      run.end = std::max(run.end, runs_[last].end);
    }
    if (first == last) {
      std::copy_backward(runs_ + first, runs_ + count_, runs_ + count_ + 1);
      ++count_;
    } else {
      std::copy(runs_ + last, runs_ + count_, runs_ + first + 1);
      count_ -= last - first - 1;
    }
    runs_[first] = run;
  }

  // Calls f(part) for each part of `clip` that lies in this set and outside `minus`.
  template <class F>
  void ForEachPart(ColumnRun clip, const ColumnRunSet& minus, F&& f) const {
    for (std::size_t i = 0; i < count_; ++i) {
      const ColumnRun& r = runs_[i];
      if (r.end <= clip.left) continue;
      if (r.left >= clip.end) break;
      std::int64_t from = std::max(r.left, clip.left);
      const std::int64_t to = std::min(r.end, clip.end);
      for (std::size_t j = 0; j < minus.count_; ++j) {
        const ColumnRun& m = minus.runs_[j];
        if (m.end <= from) continue;
        if (m.left >= to) break;
        if (m.left > from) f(ColumnRun{from, m.left});
        from = m.end;
      }
      if (from < to) f(ColumnRun{from, to});
    }
  }

 private:
  std::vector<ColumnRun> storage_;
  ColumnRun* runs_ = nullptr;  // storage_, sorted; neither overlapping nor touching
  std::size_t count_ = 0;
};

}  // namespace raster
