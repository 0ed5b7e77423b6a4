#include "platform/raster/hand_compositor.h"

#include <algorithm>
#include <numeric>

namespace raster {

void HandCompositor::Reset(const ShrinkMap& map) {
  map_ = map;
  map_.BuildTables();
  summer_.Reset(map_);
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

void HandCompositor::BuildBase() {
  const Rect out = map_.out();
  for (int y = out.top; y < out.bottom(); ++y) {
    RowSpan& span = base_spans_[static_cast<std::size_t>(y - out.top)];
    if (!span.empty()) {
      std::fill(&base_sums_.At(span.left, y), &base_sums_.At(span.right - 1, y) + 1, 0);
    }
    span = {};
  }
  base_layers_.assign(layers_.begin(), layers_.empty() ? layers_.end() : layers_.end() - 1);
  BuildBaseProfile();
  // The base's sums straight from what shows of it, row by row.
  for (std::size_t i = 0; i + 1 < profile_starts_.size(); ++i) {
    const std::size_t begin = profile_starts_[i], end = profile_starts_[i + 1];
    if (begin == end) continue;
    const int y = profile_top_ + static_cast<int>(i);
    for (std::size_t k = begin; k < end; ++k) {
      const ProfileRun& run = profile_[k];
      if (run.left <= run.right) summer_.Add(base_sums_, y, run.left, run.right, run.step);
    }
    const auto [left, right] = profile_extents_[i];
    const RowSpan columns = map_.Columns(left, right);
    const ShrinkMap::RowShare& share = map_.Rows(y);
    for (int r = 0; r < share.count; ++r) {
      base_spans_[static_cast<std::size_t>(share.row[r] - out.top)].Add(columns.left,
                                                                        columns.right);
    }
  }
  summer_.Flush(base_sums_);
  for (int y = out.top; y < out.bottom(); ++y) {
    const RowSpan span = base_spans_[static_cast<std::size_t>(y - out.top)];
    Pixel* pixels = BasePixels(y);
    for (int x = span.left; x < span.right; ++x) {
      pixels[x - out.left] = Average(base_sums_.At(x, y), map_.area());
    }
  }
}

void HandCompositor::BuildBaseProfile() {
  profile_.clear();
  profile_starts_.clear();
  profile_extents_.clear();
  int top = map_.last_row() + 1, bottom = map_.first_row() - 1;
  for (const HandLayer* layer : base_layers_) {
    top = std::min(top, layer->top());
    bottom = std::max(bottom, layer->bottom());
  }
  profile_top_ = top;
  for (int y = top; y <= bottom; ++y) {
    const std::size_t row_start = profile_.size();
    profile_starts_.push_back(row_start);
    // Each layer in turn: the runs before it keep what lies left and right of it.
    for (const HandLayer* layer : base_layers_) {
      if (y < layer->top() || y > layer->bottom()) continue;
      const auto [left, right] = layer->Outer(y);
      if (left > right) continue;
      for (std::size_t i = row_start, end = profile_.size(); i < end; ++i) {
        ProfileRun& run = profile_[i];
        if (run.right < left || run.left > right) continue;
        const ProfileRun right_part{right + 1, run.right, run.step};
        if (run.left >= left) {
          run = right_part;  // empty when nothing lies right of the layer either
        } else {
          run.right = left - 1;
          if (right_part.left <= right_part.right) profile_.push_back(right_part);  // moves `run`
        }
      }
      layer->ForEachStroke(y, [&](int l, int r, PackedSum step) {
        profile_.push_back({l, r, step});
      });
    }
    std::pair<int, int> extent{map_.last_column() + 1, map_.first_column() - 1};
    for (std::size_t i = row_start; i < profile_.size(); ++i) {
      extent = {std::min(extent.first, profile_[i].left),
                std::max(extent.second, profile_[i].right)};
    }
    profile_extents_.push_back(extent);
  }
  profile_starts_.push_back(profile_.size());
}

void HandCompositor::SubtractCoveredBase(const HandLayer& layer, DenseSums& sums) {
  const int rows = static_cast<int>(profile_starts_.size()) - 1;
  const int top = std::max(layer.top(), profile_top_);
  const int bottom = std::min(layer.bottom(), profile_top_ + rows - 1);
  for (int y = top; y <= bottom; ++y) {
    const auto [left, right] = layer.Outer(y);
    const std::size_t begin = profile_starts_[static_cast<std::size_t>(y - profile_top_)];
    const std::size_t end = profile_starts_[static_cast<std::size_t>(y - profile_top_) + 1];
    const auto [base_left, base_right] =
        profile_extents_[static_cast<std::size_t>(y - profile_top_)];
    if (left > right || base_left > right || base_right < left) continue;
    for (std::size_t i = begin; i < end; ++i) {
      const int a = std::max(profile_[i].left, left), b = std::min(profile_[i].right, right);
      if (a <= b) summer_.Add(sums, y, a, b, -profile_[i].step);
    }
  }
  summer_.Flush(sums);
}

void HandCompositor::WriteRow(Image& target, int y, int left, int right) {
  const RowSpan base = BaseSpan(y), top = LastSpan(y);
  Pixel* row = target.row(y);
  const Pixel* base_row = BasePixels(y) - map_.out().left;
  const auto base_part = [&](int from, int to) {
    for (int x = std::max(from, base.left); x < std::min(to, base.right); ++x)
      row[x] |= base_row[x];
  };
  if (top.empty()) {
    base_part(left, right);
    return;
  }
  base_part(left, std::min(right, top.left));
  base_part(std::max(left, top.right), right);
  // The last layer: its own pixels off the base, the worked-out ones on it.
  const Pixel* own = last_->OwnPixels(y) - top.left;
  const int from = std::max(left, top.left), to = std::min(right, top.right);
  const int on = std::clamp(base.left, from, to), off = std::clamp(base.right, on, to);
  for (int x = from; x < on; ++x) row[x] |= own[x];
  for (int x = on; x < off; ++x) row[x] |= Average(work_.At(x, y), map_.area());
  for (int x = off; x < to; ++x) row[x] |= own[x];
}

Rect HandCompositor::Copy(const std::vector<Stroke>& strokes, int canvas_width, int canvas_height,
                          Image& target, const Rect& dst, const Rect& src, RowSpan* rows,
                          const StrokeCanvas::RestoreRow* restore) {
  drawn_.resize(static_cast<std::size_t>(target.height()));
  // Puts back everything the last copy ORed in; the area it covered.
  const auto put_back_all = [&] {
    Rect previous;
    for (int y = 0; y < target.height(); ++y) {
      RowSpan& span = drawn_[static_cast<std::size_t>(y)];
      if (span.empty()) continue;
      if (restore != nullptr) (*restore)(y, span.left, span.right);
      previous = Union(previous, {span.left, y, span.right - span.left, 1});
      span = {};
    }
    return previous;
  };
  // The painted area, kept as edges while rows are added.
  int left = target.width(), right = 0, top = target.height(), bottom = 0;
  const auto note = [&](int y, RowSpan span) {
    if (span.empty()) return;
    if (rows != nullptr) rows[y].Add(span.left, span.right);
    left = std::min(left, span.left);
    right = std::max(right, span.right);
    top = std::min(top, y);
    bottom = std::max(bottom, y + 1);
  };
  const auto painted_area = [&] {
    return left < right ? Rect{left, top, right - left, bottom - top} : Rect{};
  };

  const ShrinkMap map(dst, src, canvas_width, canvas_height, target.bounds());
  if (!map.summable()) {
    const Rect previous = put_back_all();
    CopyDirectly(strokes, canvas_width, canvas_height, target, dst, src, drawn_);
    for (int y = 0; y < target.height(); ++y) note(y, drawn_[static_cast<std::size_t>(y)]);
    differs_ = Union(previous, painted_area());
    fresh_ = true;
    return painted_area();
  }
  if (fresh_ || !map.SameAs(map_)) Reset(map);
  FindLayers(strokes);
  const HandLayer* previous_last = std::exchange(last_, layers_.empty() ? nullptr : layers_.back());
  const bool base_kept = !fresh_ && !layers_.empty() && base_layers_.size() + 1 == layers_.size() &&
                         std::equal(base_layers_.begin(), base_layers_.end(), layers_.begin());
  if (!base_kept) BuildBase();
  if (last_ != nullptr) last_->MakeSums(map_, summer_);

  // Where the last layer meets the base: base, plus its own sums, less what it covers there.
  if (last_ != nullptr) {
    const SparseSums& own = last_->sums();
    for (int y = own.top(); y < own.bottom(); ++y) {
      const RowSpan top = own.Span(y), base = BaseSpan(y);
      const PackedSum* from = own.Row(y) - top.left;
      for (int x = std::max(top.left, base.left); x < std::min(top.right, base.right); ++x) {
        work_.At(x, y) = base_sums_.At(x, y) + from[x];
      }
    }
    SubtractCoveredBase(*last_, work_);
  }

  const Rect out = map_.out();
  if (base_kept && restore != nullptr) {
    // The target shows the last copy: only the rows of the old and new last layer change.
    const auto span_of = [](const HandLayer* layer, int y) {
      return layer != nullptr ? layer->sums().Span(y) : RowSpan{};
    };
    int first = out.bottom(), last = out.top;
    for (const HandLayer* layer : {previous_last, last_}) {
      if (layer == nullptr) continue;
      first = std::min(first, std::max(layer->sums().top(), out.top));
      last = std::max(last, std::min(layer->sums().bottom(), out.bottom()));
    }
    for (int y = first; y < last; ++y) {
      RowSpan span = span_of(previous_last, y);
      const RowSpan top = LastSpan(y);
      if (!top.empty()) span.Add(top.left, top.right);
      if (span.empty()) continue;
      (*restore)(y, span.left, span.right);
      WriteRow(target, y, span.left, span.right);
      RowSpan& drawn = drawn_[static_cast<std::size_t>(y)];
      drawn = BaseSpan(y);
      if (!top.empty()) drawn.Add(top.left, top.right);
      note(y, span);
    }
    differs_ = painted_area();
  } else {
    const Rect previous = put_back_all();
    for (int y = out.top; y < out.bottom(); ++y) {
      RowSpan& drawn = drawn_[static_cast<std::size_t>(y)];
      drawn = BaseSpan(y);
      const RowSpan top = LastSpan(y);
      if (!top.empty()) drawn.Add(top.left, top.right);
      if (drawn.empty()) continue;
      WriteRow(target, y, drawn.left, drawn.right);
      note(y, drawn);
    }
    differs_ = Union(previous, painted_area());
  }
  fresh_ = false;
  return painted_area();
}

void HandCompositor::CopyDirectly(const std::vector<Stroke>& strokes, int canvas_width,
                                  int canvas_height, Image& target, const Rect& dst,
                                  const Rect& src, std::vector<RowSpan>& drawn) {
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
      drawn[static_cast<std::size_t>(ty)].Add(tx, tx + 1);
    }
  }
}

}  // namespace raster
