#include "platform/raster/hand_compositor.h"

#include <algorithm>
#include <numeric>

namespace raster {

void HandCompositor::Reset(const ShrinkMap& map) {
  map_ = map;
  cache_.Clear();
  layers_.clear();
  previous_.clear();
  base_layers_.clear();
  const Rect out = map.out();
  base_sums_.Reset(out);
  work_.Reset(out);
  base_pixels_.assign(static_cast<std::size_t>(out.width) * out.height, 0);
  base_spans_.assign(static_cast<std::size_t>(out.height), RowSpan{});
  fresh_ = true;
}

void HandCompositor::FindLayers(const std::vector<Stroke>& strokes) {
  cache_.NextFrame();
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
    layers_.push_back(&cache_.Get({strokes.data() + begin, end - begin},
                                  i < previous_.size() ? previous_[i] : nullptr, map_, discs_));
    begin = end;
  }
}

void HandCompositor::SubtractCovered(const HandLayer& layer,
                                     std::span<const HandLayer* const> under, DenseSums& sums) {
  for (int y = layer.top(); y <= layer.bottom(); ++y) {
    const auto [top_left, top_right] = layer.Outer(y);
    if (top_left > top_right) continue;
    // From the nearest layer down: each gives up the columns no nearer layer has claimed.
    claimed_.clear();
    for (auto it = under.rbegin(); it != under.rend(); ++it) {
      const HandLayer& below = **it;
      if (y < below.top() || y > below.bottom()) continue;
      const auto [below_left, below_right] = below.Outer(y);
      const int left = std::max(top_left, below_left), right = std::min(top_right, below_right);
      if (left > right) continue;
      int from = left;
      for (const auto& [claimed_left, claimed_right] : claimed_) {
        if (claimed_right < from) continue;
        if (claimed_left > right) break;
        if (claimed_left > from) below.AddRow(map_, y, from, claimed_left - 1, -1, sums);
        from = claimed_right + 1;
      }
      if (from <= right) below.AddRow(map_, y, from, right, -1, sums);
      // Keep the claimed columns sorted and merged.
      auto at = std::lower_bound(claimed_.begin(), claimed_.end(), std::pair{left, right});
      at = claimed_.insert(at, {left, right});
      if (at != claimed_.begin() && std::prev(at)->second + 1 >= at->first) --at;
      while (std::next(at) != claimed_.end() && at->second + 1 >= std::next(at)->first) {
        at->second = std::max(at->second, std::next(at)->second);
        claimed_.erase(std::next(at));
      }
    }
  }
}

void HandCompositor::BuildBase() {
  const Rect out = map_.out();
  for (int y = out.top; y < out.bottom(); ++y) {
    RowSpan& span = base_spans_[static_cast<std::size_t>(y - out.top)];
    if (!span.empty())
      std::fill(&base_sums_.At(span.left, y), &base_sums_.At(span.right - 1, y) + 1, 0);
    span = {};
  }
  base_layers_.assign(layers_.begin(), layers_.empty() ? layers_.end() : layers_.end() - 1);
  for (std::size_t k = 0; k < base_layers_.size(); ++k) {
    const SparseSums& own = base_layers_[k]->sums();
    for (int y = own.top(); y < own.bottom(); ++y) {
      const RowSpan span = own.Span(y);
      if (span.empty()) continue;
      const PackedSum* from = own.Row(y);
      PackedSum* into = &base_sums_.At(span.left, y);
      for (int x = 0; x < span.right - span.left; ++x) into[x] += from[x];
      base_spans_[static_cast<std::size_t>(y - out.top)].Add(span.left, span.right);
    }
    SubtractCovered(*base_layers_[k], {base_layers_.data(), k}, base_sums_);
  }
  for (int y = out.top; y < out.bottom(); ++y) {
    const RowSpan span = base_spans_[static_cast<std::size_t>(y - out.top)];
    Pixel* pixels = BasePixels(y);
    for (int x = span.left; x < span.right; ++x) {
      pixels[x - out.left] = Average(base_sums_.At(x, y), map_.area());
    }
  }
}

Rect HandCompositor::Copy(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height,
                          Image& target, const Rect& dst, const Rect& src, RowSpan* rows) {
  const ShrinkMap map(dst, src, canvas_width, canvas_height, target.bounds());
  if (!map.summable()) {
    const Rect painted = CopyDirectly(strokes, canvas_width, canvas_height, target, dst, src, rows);
    differs_ = Union(painted_, painted);
    painted_ = painted;
    fresh_ = true;
    return painted;
  }
  if (!(map == map_)) Reset(map);
  FindLayers(strokes);
  const bool base_kept = !fresh_ && !layers_.empty() && base_layers_.size() + 1 == layers_.size() &&
                         std::equal(base_layers_.begin(), base_layers_.end(), layers_.begin());
  if (!base_kept) BuildBase();

  // The last layer's pixels: base, plus its own sums, less what it covers of the base.
  const HandLayer* last = layers_.empty() ? nullptr : layers_.back();
  const Rect out = map_.out();
  if (last != nullptr) {
    const SparseSums& own = last->sums();
    for (int y = own.top(); y < own.bottom(); ++y) {
      const RowSpan span = own.Span(y);
      const PackedSum* from = own.Row(y);
      for (int x = span.left; x < span.right; ++x) {
        work_.At(x, y) = base_sums_.At(x, y) + from[x - span.left];
      }
    }
    SubtractCovered(*last, base_layers_, work_);
  }

  Rect painted;
  for (int y = out.top; y < out.bottom(); ++y) {
    const RowSpan base = base_spans_[static_cast<std::size_t>(y - out.top)];
    const RowSpan top = last != nullptr ? last->sums().Span(y) : RowSpan{};
    if (base.empty() && top.empty()) continue;
    Pixel* row = target.row(y);
    const Pixel* base_row = BasePixels(y);
    // The base where the last layer does not reach, then the last layer's pixels.
    const int base_stop = top.empty() ? base.right : std::min(base.right, top.left);
    for (int x = base.left; x < base_stop; ++x) row[x] |= base_row[x - out.left];
    if (!top.empty()) {
      for (int x = std::max(base.left, top.right); x < base.right; ++x) {
        row[x] |= base_row[x - out.left];
      }
    }
    for (int x = top.left; x < top.right; ++x) row[x] |= Average(work_.At(x, y), map_.area());
    RowSpan both = base;
    if (!top.empty()) both.Add(top.left, top.right);
    if (rows != nullptr) rows[y].Add(both.left, both.right);
    painted = Union(painted, {both.left, y, both.right - both.left, 1});
  }

  const Rect last_box = last != nullptr ? last->sums().Box() : Rect{};
  differs_ = base_kept ? Union(last_box_, last_box) : Union(painted_, painted);
  last_box_ = last_box;
  painted_ = painted;
  fresh_ = false;
  return painted;
}

Rect HandCompositor::CopyDirectly(const std::vector<Stroke>& strokes, int canvas_width,
                                  int canvas_height, Image& target, const Rect& dst,
                                  const Rect& src, RowSpan* rows) {
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
  Rect painted;
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
      if (rows != nullptr) rows[ty].Add(tx, tx + 1);
      painted = Union(painted, {tx, ty, 1, 1});
    }
  }
  return painted;
}

}  // namespace raster
