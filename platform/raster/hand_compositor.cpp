#include "platform/raster/hand_compositor.h"

#include <algorithm>
#include <numeric>

namespace raster {

namespace {

// The columns of both (an empty one adds nothing).
RowSpan Hull(RowSpan a, RowSpan b) {
  if (!b.empty()) a.Add(b.left, b.right);
  return a;
}

// ORs pixels[x] into row[x] over the span.
void OrRow(Pixel* row, const Pixel* pixels, RowSpan span) {
  for (int x = span.left; x < span.right; ++x) row[x] |= pixels[x];
}

}  // namespace

void HandCompositor::Reset(const ShrinkGrid& grid) {
  grid_ = grid;
  sums_.Reset(grid_);
  cache_.clear();
  layers_.clear();
  previous_.clear();
  last_ = nullptr;
  top_ = &none_;
  base_valid_ = false;
}

const HandLayer* HandCompositor::Find(std::span<const Stroke> strokes, const HandLayer* hint) {
  if (hint != nullptr && hint->Matches(strokes)) {
    hint->last_used = frame_;
    return hint;
  }
  std::size_t oldest = 0;
  for (std::size_t i = 0; i < cache_.size(); ++i) {
    if (cache_[i]->Matches(strokes)) {
      cache_[i]->last_used = frame_;
      return cache_[i].get();
    }
    if (cache_[i]->last_used < cache_[oldest]->last_used) oldest = i;
  }
  auto made = std::make_unique<HandLayer>(strokes, grid_, discs_);
  made->last_used = frame_;
  // Layers of this frame and the last one stay: the frame compares with them.
  if (cache_.size() < kCacheSize || cache_[oldest]->last_used + 1 >= frame_) {
    cache_.push_back(std::move(made));
    return cache_.back().get();
  }
  cache_[oldest] = std::move(made);
  return cache_[oldest].get();
}

void HandCompositor::BuildBase() {
  base_valid_ = true;
  base_layers_.assign(layers_.begin(), layers_.empty() ? layers_.end() : layers_.end() - 1);
  // The base's pixels: each layer's own where it is alone on a row, and where several reach,
  // their own sums added up less what the later ones cover of the earlier ones.
  int first = grid_.out.bottom(), end = grid_.out.top;
  for (const HandLayer* layer : base_layers_) {
    const PixelRows& own = layer->Pixels(grid_, sums_, scratch_);
    if (own.top() < own.bottom())
      first = std::min(first, own.top()), end = std::max(end, own.bottom());
  }
  base_.Clear(first);
  for (int u = first; u < end; ++u) {
    reach_.clear();
    RowSpan hull;
    bool meet = false;  // whether a layer's columns meet the hull of those before it
    for (const HandLayer* layer : base_layers_) {
      const PixelRows& own = layer->Pixels(grid_, sums_, scratch_);
      const RowSpan span = own.Span(u);
      if (span.empty()) continue;
      reach_.push_back(&own);
      meet = meet || (!hull.empty() && span.left < hull.right && hull.left < span.right);
      hull.Add(span.left, span.right);
    }
    const auto [sums, pixels] = base_.Append(hull);
    if (reach_.size() == 1) {
      std::copy(reach_[0]->Sums(u) + hull.left, reach_[0]->Sums(u) + hull.right, sums + hull.left);
      std::copy(reach_[0]->Row(u) + hull.left, reach_[0]->Row(u) + hull.right, pixels + hull.left);
      continue;
    }
    std::fill(sums + hull.left, sums + hull.right, 0);
    for (const PixelRows* own : reach_) {
      const RowSpan span = own->Span(u);
      for (int x = span.left; x < span.right; ++x) sums[x] += own->Sums(u)[x];
    }
    if (meet) {
      grid_.ForEachRowIn(u, [&](int y, std::int64_t weight) { SubtractCovered(y, weight); });
    }
    const RowSpan covered = sums_.Finish();
    for (int x = std::max(covered.left, hull.left); x < std::min(covered.right, hull.right); ++x) {
      sums[x] += sums_.Sum(x);
    }
    for (int x = hull.left; x < hull.right; ++x) pixels[x] = Average(sums[x], grid_.area());
  }
}

void HandCompositor::SubtractRuns(const HandLayer& layer, int y, int from, int to,
                                  std::int64_t weight) {
  if (from > to) return;
  PackedSum whole = 0;  // the runs over all of [from, to], added up into one step
  layer.ForEachRun(y, [&](int l, int r, PackedSum step) {
    if (l <= from && to <= r) {
      whole += step;
    } else {
      sums_.Add(std::max(l, from), std::min(r, to), -step * weight);
    }
  });
  if (whole != 0) sums_.Add(from, to, -whole * weight);
}

void HandCompositor::SubtractCovered(int y, std::int64_t weight) {
  covers_.clear();  // the columns later layers cover, disjoint
  for (auto layer = base_layers_.rbegin(); layer != base_layers_.rend(); ++layer) {
    auto [left, right] = (*layer)->Outer(y);
    if (left > right) continue;
    for (const auto& [cover_left, cover_right] : covers_) {
      SubtractRuns(**layer, y, std::max(left, cover_left), std::min(right, cover_right), weight);
    }
    for (std::size_t i = 0; i < covers_.size();) {
      if (covers_[i].second + 1 < left || covers_[i].first > right + 1) {
        ++i;
        continue;
      }
      left = std::min(left, covers_[i].first);
      right = std::max(right, covers_[i].second);
      covers_[i] = covers_.back();
      covers_.pop_back();
    }
    covers_.emplace_back(left, right);
  }
}

RowSpan HandCompositor::SumCovered(int u) {
  grid_.ForEachRowIn(u, [&](int y, std::int64_t weight) {
    const auto [left, right] = last_->Outer(y);
    if (left > right) return;
    // Latest base layer first: what the last layer covers of it, less the columns later base
    // layers cover (already taken away from the base's own sums).
    pieces_.assign(1, {left, right});
    for (auto layer = base_layers_.rbegin(); layer != base_layers_.rend(); ++layer) {
      const auto [outer_left, outer_right] = (*layer)->Outer(y);
      if (outer_left > outer_right) continue;
      for (std::size_t i = 0, end = pieces_.size(); i < end; ++i) {
        const auto [piece_left, piece_right] = pieces_[i];
        if (piece_right < outer_left || piece_left > outer_right) continue;
        SubtractRuns(**layer, y, std::max(piece_left, outer_left),
                     std::min(piece_right, outer_right), weight);
        pieces_[i] = {piece_left, std::min(piece_right, outer_left - 1)};
        if (piece_right > outer_right) pieces_.emplace_back(outer_right + 1, piece_right);
      }
    }
  });
  return sums_.Finish();
}

RowSpan HandCompositor::WriteRow(Pixel* row, int u, RowSpan within) {
  const RowSpan whole = base_.Span(u), top = top_->Span(u);
  const RowSpan base{std::max(whole.left, within.left), std::min(whole.right, within.right)};
  const RowSpan drawn = Hull(whole, top);
  // Each alone where the other does not reach, and their sums where both do. A column whose
  // base sums are nil has no base colour to add or to cover (a channel sum is nil only when
  // all it adds up is), so there the last layer's pixel holds; the hull of several base
  // layers has many such columns between them.
  RowSpan both{std::max(base.left, top.left), std::min(base.right, top.right)};
  const PackedSum* base_sums = both.empty() ? nullptr : base_.Sums(u);
  while (both.left < both.right && base_sums[both.left] == 0) ++both.left;
  while (both.left < both.right && base_sums[both.right - 1] == 0) --both.right;
  if (both.empty()) {
    if (!base.empty()) OrRow(row, base_.Row(u), base);
    if (!top.empty()) OrRow(row, top_->Row(u), top);
    return drawn;
  }
  OrRow(row, base_.Row(u), {base.left, both.left});
  OrRow(row, base_.Row(u), {both.right, base.right});
  OrRow(row, top_->Row(u), {top.left, both.left});
  OrRow(row, top_->Row(u), {both.right, top.right});
  const RowSpan covered = SumCovered(u);
  const PackedSum* top_sums = top_->Sums(u);
  for (int x = both.left; x < both.right; ++x) {
    PackedSum sum = base_sums[x] + top_sums[x];
    if (x >= covered.left && x < covered.right) sum += sums_.Sum(x);
    row[x] |= Average(sum, grid_.area());
  }
  return drawn;
}

Rect HandCompositor::Copy(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height,
                          Image& target, const Rect& dst, const Rect& src, RowSpan* rows,
                          const Backdrop* backdrop) {
  ++frame_;
  drawn_.resize(static_cast<std::size_t>(target.height()));
  // The changed area, kept as edges while rows are added.
  int left = target.width(), right = 0, top = target.height(), bottom = 0;
  const auto note = [&](int u, RowSpan span) {
    if (span.empty()) return;
    if (rows != nullptr) rows[u].Add(span.left, span.right);
    left = std::min(left, span.left), right = std::max(right, span.right);
    top = std::min(top, u), bottom = std::max(bottom, u + 1);
  };
  // Puts back row u as it was before the last copy (given the backdrop), then writes this
  // copy's row or leaves it empty.
  const auto rewrite = [&](int u, bool write) {
    RowSpan& drawn = drawn_[static_cast<std::size_t>(u)];
    Pixel* row = target.row(u);
    RowSpan changed;
    if (backdrop != nullptr && !drawn.empty()) {
      backdrop->Restore(row, u, drawn.left, drawn.right);
      changed = drawn;
    }
    drawn = write ? WriteRow(row, u, {0, target.width()}) : RowSpan{};
    if (!drawn.empty()) changed.Add(drawn.left, drawn.right);
    note(u, changed);
  };

  const ShrinkGrid grid(dst, src, canvas_width, canvas_height, target.bounds());
  if (!grid.summable()) {
    for (int u = 0; u < target.height(); ++u) rewrite(u, false);
    CopyDirectly(strokes, canvas_width, canvas_height, target, dst, src);
    for (int u = 0; u < target.height(); ++u) note(u, drawn_[static_cast<std::size_t>(u)]);
    grid_ = {};
    return left < right ? Rect{left, top, right - left, bottom - top} : Rect{};
  }
  const bool fresh = !(grid == grid_);
  if (fresh) Reset(grid);

  // This frame's layers: runs of strokes along one segment.
  std::swap(previous_, layers_);
  layers_.clear();
  for (std::size_t begin = 0; begin < strokes.size();) {
    const Stroke& s = strokes[begin];
    std::size_t end = begin + 1;
    while (end < strokes.size() && strokes[end].x1 == s.x1 && strokes[end].y1 == s.y1 &&
           strokes[end].x2 == s.x2 && strokes[end].y2 == s.y2) {
      ++end;
    }
    const std::size_t i = layers_.size();
    layers_.push_back(
        Find({strokes.data() + begin, end - begin}, i < previous_.size() ? previous_[i] : nullptr));
    begin = end;
  }
  last_ = layers_.empty() ? nullptr : layers_.back();
  top_ = last_ != nullptr ? &last_->Pixels(grid_, sums_, scratch_) : &none_;
  const bool base_kept = !fresh && base_valid_ && !layers_.empty() &&
                         base_layers_.size() + 1 == layers_.size() &&
                         std::equal(base_layers_.begin(), base_layers_.end(), layers_.begin());
  if (!base_kept) BuildBase();

  if (backdrop != nullptr && !fresh && previous_.size() == layers_.size()) {
    // The target shows the last copy: only the rows of the layers that changed change.
    int first = grid_.out.bottom(), end = grid_.out.top;
    for (std::size_t i = 0; i < layers_.size(); ++i) {
      if (layers_[i] == previous_[i]) continue;
      for (const HandLayer* layer : {layers_[i], previous_[i]}) {
        const PixelRows& own = layer->Pixels(grid_, sums_, scratch_);
        if (own.top() < own.bottom())
          first = std::min(first, own.top()), end = std::max(end, own.bottom());
      }
    }
    // When only the last layer changed, only the columns of its old and new pixels change.
    const PixelRows* old = base_kept ? &previous_.back()->Pixels(grid_, sums_, scratch_) : nullptr;
    for (int u = first; u < end; ++u) {
      if (old == nullptr) {
        rewrite(u, true);
        continue;
      }
      RowSpan change = old->Span(u);
      const RowSpan top = top_->Span(u), base = base_.Span(u);
      if (!top.empty()) change.Add(top.left, top.right);
      if (change.empty()) continue;
      Pixel* row = target.row(u);
      backdrop->Restore(row, u, change.left, change.right);
      if (base.right <= change.left || change.right <= base.left || base.empty()) {
        if (!top.empty()) OrRow(row, top_->Row(u), top);  // the base does not reach them
        drawn_[static_cast<std::size_t>(u)] = Hull(base, top);
      } else {
        drawn_[static_cast<std::size_t>(u)] = WriteRow(row, u, change);
      }
      note(u, change);
    }
  } else {
    for (int u = 0; u < target.height(); ++u) {
      rewrite(u, u >= grid_.out.top && u < grid_.out.bottom());
    }
  }
  return left < right ? Rect{left, top, right - left, bottom - top} : Rect{};
}

void HandCompositor::CopyDirectly(const std::vector<Stroke>& strokes, int canvas_width,
                                  int canvas_height, Image& target, const Rect& dst,
                                  const Rect& src) {
  const auto pixel_at = [&](std::int64_t x, std::int64_t y) -> Pixel {
    for (auto s = strokes.rbegin(); s != strokes.rend(); ++s) {
      if (StrokeCovers(s->x1, s->y1, s->x2, s->y2, s->pen_width, static_cast<int>(x),
                       static_cast<int>(y))) {
        return s->colour;
      }
    }
    return 0;
  };
  const std::int64_t gx = std::gcd(dst.width, src.width), gy = std::gcd(dst.height, src.height);
  const std::int64_t kx = dst.width / gx, ux = src.width / gx;
  const std::int64_t ky = dst.height / gy, uy = src.height / gy;
  const Rect kept = Intersect(dst, target.bounds());
  for (int ty = kept.top; ty < kept.bottom(); ++ty) {
    const std::int64_t y0 = (ty - dst.top) * uy, y1 = y0 + uy;
    for (int tx = kept.left; tx < kept.right(); ++tx) {
      const std::int64_t x0 = (tx - dst.left) * ux, x1 = x0 + ux;
      std::int64_t sum[3] = {0, 0, 0};
      for (std::int64_t j = y0 / ky; j * ky < y1; ++j) {
        const std::int64_t sy = src.top + j;
        if (sy < 0 || sy >= canvas_height) continue;
        const std::int64_t oy = std::min((j + 1) * ky, y1) - std::max(j * ky, y0);
        for (std::int64_t i = x0 / kx; i * kx < x1; ++i) {
          const std::int64_t sx = src.left + i;
          if (sx < 0 || sx >= canvas_width) continue;
          const Pixel p = pixel_at(sx, sy);
          const std::int64_t w = oy * (std::min((i + 1) * kx, x1) - std::max(i * kx, x0));
          for (int c = 0; c < 3; ++c) sum[c] += ((p >> (16 - 8 * c)) & 0xFF) * w;
        }
      }
      Pixel average = 0;
      for (int c = 0; c < 3; ++c) {
        average |= static_cast<Pixel>((2 * sum[c] + ux * uy) / (2 * ux * uy)) << (16 - 8 * c);
      }
      if (average == 0) continue;
      target.set(tx, ty, target.at(tx, ty) | average);
      drawn_[static_cast<std::size_t>(ty)].Add(tx, tx + 1);
    }
  }
}

}  // namespace raster
