#include "platform/raster/image.h"

#include <algorithm>
#include <cstring>

namespace raster {

Rect Union(const Rect& a, const Rect& b) {
  if (a.empty()) return b.empty() ? Rect{} : b;
  if (b.empty()) return a;
  const int left = std::min(a.left, b.left);
  const int top = std::min(a.top, b.top);
  return {left, top, std::max(a.right(), b.right()) - left, std::max(a.bottom(), b.bottom()) - top};
}

Rect Intersect(const Rect& a, const Rect& b) {
  const int left = std::max(a.left, b.left);
  const int top = std::max(a.top, b.top);
  const int right = std::min(a.right(), b.right());
  const int bottom = std::min(a.bottom(), b.bottom());
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

Image::Image(int width, int height, Pixel fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

void Image::Fill(const Rect& area, Pixel p) {
  const Rect clipped = Intersect(area, bounds());
  for (int y = clipped.top; y < clipped.bottom(); ++y) {
    Pixel* line = row(y) + clipped.left;
    std::fill(line, line + clipped.width, p);
  }
}

void Image::Blit(const Image& source, int x, int y) {
  const Rect clipped = Intersect({x, y, source.width(), source.height()}, bounds());
  for (int ty = clipped.top; ty < clipped.bottom(); ++ty) {
    std::memcpy(row(ty) + clipped.left, source.row(ty - y) + (clipped.left - x),
                static_cast<std::size_t>(clipped.width) * sizeof(Pixel));
  }
}

}  // namespace raster
