#include "platform/raster/or_shrink.h"

#include <algorithm>
#include <limits>

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

// One StretchOrInto call; it is the sink StrokeRowScanner reports rows to.
template <class Lanes, class Rounding>
class ShrinkPass {
 public:
  using Buffers = OrShrinkScratch::Buffers<Lanes>;
  using Weighted = typename Buffers::Weighted;
  using Pending = typename Buffers::Pending;
  using TouchedRow = typename Buffers::TouchedRow;

  ShrinkPass(const ShrinkAxis& ax, const ShrinkAxis& ay, const ColumnLanding& columns,
             Buffers& buffers, Image& target, const Rounding& round)
      : ax_(ax), ay_(ay), columns_(columns), buffers_(buffers), target_(target), round_(round) {}

  Rect Paint();

  [[gnu::always_inline]] void Span(std::int64_t begin, std::int64_t end) {
    const std::int64_t lo = columns_.at(begin).cell;
    const std::int64_t hi = columns_.at(end).cell + 1;
    for (int r = 0; r < touched_; ++r) AddRange(pending_[rows_[r].slot], lo, hi);
  }

  [[gnu::always_inline]] void Run(std::size_t level, std::int64_t begin, std::int64_t end) {
    const ColumnLanding::Landing b = columns_.at(begin);
    const ColumnLanding::Landing e = columns_.at(end);
    AddRun(rows_[0], level, b, e);
    for (int r = 1; r < touched_; ++r) AddRun(rows_[r], level, b, e);
  }

  [[gnu::always_inline]] void EdgeRuns(std::size_t first_level, const EdgeRun* runs,
                                       std::size_t count, std::int64_t quot, std::int64_t rem) {
    if (touched_ != 1) {
      for (std::size_t k = 0; k < count; ++k) {
        const std::int64_t left = runs[k].Left(quot, rem), end = runs[k].End(quot, rem);
        if (left >= end) break;
        Run(first_level + k, left, end);
      }
      return;
    }
    Lanes* const cells = rows_[0].cells;
    const Weighted* const weighted = rows_[0].weighted + first_level;
    for (std::size_t k = 0; k < count; ++k) {
      const std::int64_t left = runs[k].Left(quot, rem), end = runs[k].End(quot, rem);
      if (left >= end) break;
      const ColumnLanding::Landing b = columns_.at(left), e = columns_.at(end);
      const Lanes rise = weighted[k].part * b.part;
      cells[b.cell] += rise;
      cells[b.cell + 1] += weighted[k].full - rise;
      const Lanes fall = weighted[k].part * e.part;
      cells[e.cell] -= fall;
      cells[e.cell + 1] -= weighted[k].full - fall;
    }
  }

  void Step(std::int64_t x, const Lanes& delta) {
    const ColumnLanding::Landing& l = columns_.at(x);
    for (int r = 0; r < touched_; ++r) {
      const Lanes part = delta * rows_[r].weight;
      const Lanes rise = part * l.part;
      rows_[r].cells[l.cell] += rise;
      rows_[r].cells[l.cell + 1] += part * ax_.dst_unit - rise;
    }
  }

 private:
  static void AddRange(Pending& p, std::int64_t lo, std::int64_t hi) {
    int kept = 0;
    for (int i = 0; i < p.count; ++i) {
      if (p.ranges[i].lo <= hi && lo <= p.ranges[i].hi) {  // shares cells: merge
        lo = std::min(lo, p.ranges[i].lo);
        hi = std::max(hi, p.ranges[i].hi);
      } else {
        p.ranges[kept++] = p.ranges[i];
      }
    }
    if (kept == Pending::kMaxRanges) {  // full: widen the last one over the new
      --kept;
      lo = std::min(lo, p.ranges[kept].lo);
      hi = std::max(hi, p.ranges[kept].hi);
    }
    p.ranges[kept++] = {lo, hi};
    p.count = kept;
  }

  [[gnu::always_inline]] static void AddRun(const TouchedRow& row, std::size_t level,
                                            ColumnLanding::Landing b, ColumnLanding::Landing e) {
    const Weighted& w = row.weighted[level];
    Lanes* const cells = row.cells;
    const Lanes rise = w.part * b.part;
    cells[b.cell] += rise;
    cells[b.cell + 1] += w.full - rise;
    const Lanes fall = w.part * e.part;
    cells[e.cell] -= fall;
    cells[e.cell + 1] -= w.full - fall;
  }

  const Weighted* WeightedFor(std::int64_t weight);
  void Finish(std::int64_t d);

  const ShrinkAxis& ax_;
  const ShrinkAxis& ay_;
  const ColumnLanding& columns_;
  Buffers& buffers_;
  Image& target_;
  const Rounding& round_;

  std::size_t ring_ = 0;  // destination rows in progress at most
  Pending* pending_ = nullptr;
  TouchedRow* rows_ = nullptr;
  int touched_ = 0;
  std::int64_t changed_left_ = std::numeric_limits<std::int64_t>::max();
  std::int64_t changed_right_ = std::numeric_limits<std::int64_t>::min();
  std::int64_t changed_top_ = 0, changed_bottom_ = -1;
};

template <class Lanes, class Rounding>
auto ShrinkPass<Lanes, Rounding>::WeightedFor(std::int64_t weight) -> const Weighted* {
  const std::size_t levels = buffers_.scanner.level_count();
  const auto w = static_cast<std::size_t>(weight);
  Weighted* table = buffers_.weighted.data() + w * levels;
  if (buffers_.weighted_stamp[w] != buffers_.stamp) {
    buffers_.weighted_stamp[w] = buffers_.stamp;
    for (std::size_t k = 0; k < levels; ++k) {
      const Lanes part = buffers_.scanner.rise(k) * weight;
      table[k] = {part, part * ax_.dst_unit};
    }
  }
  return table;
}

// Sums the row's difference arrays, ORs the averages into the target and leaves the cells zero.
template <class Lanes, class Rounding>
void ShrinkPass<Lanes, Rounding>::Finish(std::int64_t d) {
  const std::size_t slot = static_cast<std::size_t>(d) % ring_;
  Pending& p = pending_[slot];
  Lanes* const cells = buffers_.cells.data() + slot * columns_.cell_count();
  const std::int64_t cell_dst = columns_.first_dst();
  Pixel* const out = target_.row(static_cast<int>(d));
  for (int i = 0; i < p.count; ++i) {
    const std::int64_t lo = p.ranges[i].lo, hi = p.ranges[i].hi;
    const std::int64_t keep_lo = std::max(lo, ax_.dst_begin - cell_dst);
    const std::int64_t keep_hi = std::min(hi + 1, ax_.dst_end - cell_dst);
    Lanes sum{};
    Lanes last_sum{};
    Pixel last_average = 0;
    std::int64_t c = lo;
    for (; c < keep_lo; ++c) {
      sum += cells[c];
      cells[c] = Lanes{};
    }
    for (; c < keep_hi; ++c) {
      sum += cells[c];
      cells[c] = Lanes{};
      if (!(sum == last_sum)) {
        last_sum = sum;
        last_average = (round_(sum.red()) << 16) | (round_(sum.green()) << 8) | round_(sum.blue());
      }
      out[cell_dst + c] |= last_average;
    }
    for (; c <= hi; ++c) cells[c] = Lanes{};
    if (keep_lo < keep_hi) {
      changed_left_ = std::min(changed_left_, keep_lo);
      changed_right_ = std::max(changed_right_, keep_hi);
      if (changed_top_ > changed_bottom_) changed_top_ = d;
      changed_bottom_ = d;
    }
  }
  p.count = 0;
}

template <class Lanes, class Rounding>
Rect ShrinkPass<Lanes, Rounding>::Paint() {
  StrokeRowScanner<Lanes>& scanner = buffers_.scanner;
  const std::int64_t su = ay_.src_unit, du = ay_.dst_unit;
  // A source row reaches at most ceil(su / du) + 1 destination rows.
  ring_ = static_cast<std::size_t>((su + du - 1) / du + 1);
  buffers_.cells.resize(ring_ * columns_.cell_count());
  buffers_.pending.resize(ring_);
  buffers_.touched.resize(ring_);
  pending_ = buffers_.pending.data();
  rows_ = buffers_.touched.data();
  const std::size_t weights = static_cast<std::size_t>(std::min(su, du)) + 1;
  buffers_.weighted.resize(weights * scanner.level_count());
  buffers_.weighted_stamp.resize(weights);
  ++buffers_.stamp;
  for (std::size_t i = 0; i < ring_; ++i) pending_[i].count = 0;
  touched_ = 0;

  const std::int64_t top = scanner.top(), bottom = scanner.bottom();
  // The source row's first destination row and its offset in it, in units.
  const std::int64_t units = ay_.SrcUnits(top);
  std::int64_t first = ay_.dst_pos + FloorDiv(units, du);
  std::int64_t offset = units - (first - ay_.dst_pos) * du;
  std::int64_t unfinished = std::max(first, ay_.dst_begin);
  for (std::int64_t y = top; y <= bottom; ++y) {
    // Rows wholly inside one destination row repeat the previous row's weights.
    if (!(touched_ == 1 && rows_[0].row == first && rows_[0].weight == su && offset + su <= du)) {
      touched_ = 0;
      std::int64_t d = first, rest = su, at = offset;
      for (; rest > 0; ++d, at = 0) {
        const std::int64_t weight = std::min(rest, du - at);
        rest -= weight;
        if (d < ay_.dst_begin || d >= ay_.dst_end) continue;
        const std::size_t slot = static_cast<std::size_t>(d) % ring_;
        rows_[touched_++] = {d, weight, slot, buffers_.cells.data() + slot * columns_.cell_count(),
                             WeightedFor(weight)};
      }
    }
    for (const std::int64_t done = std::min(first, ay_.dst_end); unfinished < done;) {
      Finish(unfinished++);
    }
    if (touched_ > 0) scanner.ScanRow(y, *this);
    for (offset += su; offset >= du; offset -= du) ++first;
  }
  for (const std::int64_t done = std::min(first + 1, ay_.dst_end); unfinished < done;) {
    Finish(unfinished++);
  }
  if (changed_left_ >= changed_right_) return {};
  const std::int64_t cell_dst = columns_.first_dst();
  return {static_cast<int>(cell_dst + changed_left_), static_cast<int>(changed_top_),
          static_cast<int>(changed_right_ - changed_left_),
          static_cast<int>(changed_bottom_ - changed_top_ + 1)};
}

template <class Lanes, class Rounding>
Rect Composite(const std::vector<StrokeCanvas::Stroke>& strokes, const ShrinkAxis& ax,
               const ShrinkAxis& ay, Image& target, OrShrinkScratch& scratch,
               OrShrinkScratch::Buffers<Lanes>& buffers, const Rounding& round) {
  if (!buffers.scanner.Begin(strokes, static_cast<int>(ax.src_begin), static_cast<int>(ax.src_end),
                             static_cast<int>(ay.src_begin), static_cast<int>(ay.src_end),
                             scratch.discs)) {
    return {};
  }
  scratch.columns.Prepare(ax);
  ShrinkPass<Lanes, Rounding> pass(ax, ay, scratch.columns, buffers, target, round);
  return pass.Paint();
}

}  // namespace

Rect OrShrink(const std::vector<StrokeCanvas::Stroke>& strokes, int canvas_width, int canvas_height,
              Image& target, const Rect& dst, const Rect& src, OrShrinkScratch& scratch) {
  if (strokes.empty()) return {};
  const ShrinkAxis ax =
      ShrinkAxis::Make(src.left, src.width, dst.left, dst.width, canvas_width, target.width());
  const ShrinkAxis ay =
      ShrinkAxis::Make(src.top, src.height, dst.top, dst.height, canvas_height, target.height());
  if (ax.empty() || ay.empty()) return {};
  const std::int64_t area = ax.dst_unit * ay.dst_unit;
  if (area > kPackedAreaLimit) {
    return Composite(strokes, ax, ay, target, scratch, scratch.wide,
                     DividingRounding{static_cast<std::uint64_t>(area)});
  }
  if (scratch.rounded_area != area) {
    scratch.rounded.resize(static_cast<std::size_t>(255 * area + 1));
    for (std::size_t v = 0; v < scratch.rounded.size(); ++v) {
      scratch.rounded[v] = static_cast<std::uint8_t>((2 * v + area) / (2 * area));
    }
    scratch.rounded_area = area;
  }
  return Composite(strokes, ax, ay, target, scratch, scratch.packed,
                   TableRounding{scratch.rounded.data()});
}

}  // namespace raster
