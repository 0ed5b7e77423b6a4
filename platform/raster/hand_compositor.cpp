#include "platform/raster/hand_compositor.h"

#include <algorithm>
#include <numeric>

namespace raster {

namespace {

RowSpan Meet(RowSpan a, RowSpan b) {
  return {std::max(a.left, b.left), std::min(a.right, b.right)};
}

// ORs pixels[x] into row[x] for x in [from, to).
void OrInto(Pixel* row, const Pixel* pixels, int from, int to) {
  for (int x = from; x < to; ++x) row[x] |= pixels[x];
}

}  // namespace

void HandCompositor::Reset(const ShrinkGrid& grid) {
  grid_ = grid;
  sums_.Reset(grid_);
  cache_.clear();
  layers_.clear();
  last_ = nullptr;
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

RowSpan HandCompositor::WriteRow(Image& target, int u) {
  reach_.clear();
  RowSpan hull;
  bool overlap = false;
  for (const HandLayer* layer : layers_) {
    const PixelRows& pixels = layer->Pixels(grid_, sums_);
    const RowSpan span = pixels.Span(u);
    if (span.empty()) continue;
    for (const Reach& other : reach_) overlap |= !Meet(other.span, span).empty();
    reach_.push_back({&pixels, span});
    hull.Add(span.left, span.right);
  }
  Pixel* row = target.row(u);
  if (!overlap) {
    for (const Reach& r : reach_) OrInto(row, r.pixels->Row(u), r.span.left, r.span.right);
    return hull;
  }
  // Where layers overlap, what each has under the later ones that cover it is taken away
  // again: per canvas row, each layer's runs over the columns the later layers cover.
  std::fill(row_sums_.begin() + hull.left, row_sums_.begin() + hull.right, 0);
  grid_.ForEachRowIn(u, [&](int y, std::int64_t weight) {
    covers_.clear();
    for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer) {
      auto [left, right] = (*layer)->Outer(y);
      if (left > right) continue;
      for (const auto& [cover_left, cover_right] : covers_) {
        if (cover_right < left || cover_left > right) continue;
        (*layer)->ForEachRun(y, [&](int l, int r, PackedSum step) {
          sums_.Add(std::max(l, cover_left), std::min(r, cover_right), -step * weight);
        });
      }
      // Adds the layer to the covered columns, which stay disjoint.
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
  });
  sums_.Take([&](int x, PackedSum sum) {
    if (x >= hull.left && x < hull.right) row_sums_[static_cast<std::size_t>(x)] = sum;
  });
  for (int x = hull.left; x < hull.right; ++x) {
    int layers = 0;
    PackedSum sum = row_sums_[static_cast<std::size_t>(x)];
    Pixel alone = 0;
    for (const Reach& r : reach_) {
      if (x < r.span.left || x >= r.span.right) continue;
      ++layers;
      sum += r.pixels->Sums(u)[x];
      alone = r.pixels->Row(u)[x];
    }
    row[x] |= layers == 1 ? alone : Average(sum, grid_.area());
  }
  return hull;
}

Rect HandCompositor::Copy(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height,
                          Image& target, const Rect& dst, const Rect& src, RowSpan* rows,
                          const StrokeCanvas::RestoreRow* restore) {
  ++frame_;
  drawn_.resize(static_cast<std::size_t>(target.height()));
  Rect changed;
  const auto note = [&](int u, RowSpan span) {
    if (span.empty()) return;
    if (rows != nullptr) rows[u].Add(span.left, span.right);
    changed = Union(changed, {span.left, u, span.right - span.left, 1});
  };
  // Puts back row u as it was before the last copy.
  const auto put_back = [&](int u) {
    RowSpan& drawn = drawn_[static_cast<std::size_t>(u)];
    if (restore != nullptr && !drawn.empty()) {
      (*restore)(u, drawn.left, drawn.right);
      note(u, drawn);
    }
    drawn = {};
  };
  const auto write = [&](int u) {
    const RowSpan span = WriteRow(target, u);
    drawn_[static_cast<std::size_t>(u)] = span;
    note(u, span);
  };

  const ShrinkGrid grid(dst, src, canvas_width, canvas_height, target.bounds());
  if (!grid.summable()) {
    for (int u = 0; u < target.height(); ++u) put_back(u);
    CopyDirectly(strokes, canvas_width, canvas_height, target, dst, src);
    for (int u = 0; u < target.height(); ++u) note(u, drawn_[static_cast<std::size_t>(u)]);
    grid_ = {};
    return changed;
  }
  const bool fresh = !(grid == grid_);
  if (fresh) Reset(grid);
  row_sums_.resize(static_cast<std::size_t>(target.width()));

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
    layers_.push_back(Find({strokes.data() + begin, end - begin},
                           i < previous_.size() ? previous_[i] : nullptr));
    begin = end;
  }
  const HandLayer* previous_last = last_;
  last_ = layers_.empty() ? nullptr : layers_.back();
  // Whether only the last layer may have changed since the last copy.
  const bool only_last = !fresh && !layers_.empty() && previous_.size() == layers_.size() &&
                         std::equal(layers_.begin(), layers_.end() - 1, previous_.begin());

  if (only_last && restore != nullptr) {
    // The target shows the last copy: only the rows of the old and the new last layer change.
    int first = grid_.out.bottom(), end = grid_.out.top;
    for (const HandLayer* layer : {previous_last, last_}) {
      if (layer == nullptr) continue;
      const PixelRows& pixels = layer->Pixels(grid_, sums_);
      first = std::min(first, pixels.top());
      end = std::max(end, pixels.bottom());
    }
    for (int u = first; u < end; ++u) {
      put_back(u);
      write(u);
    }
  } else {
    for (int u = 0; u < target.height(); ++u) put_back(u);
    for (int u = grid_.out.top; u < grid_.out.bottom(); ++u) write(u);
  }
  return changed;
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
