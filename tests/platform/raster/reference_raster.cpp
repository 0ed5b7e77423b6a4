#include "reference_raster.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace raster_test {

using Int = __int128;

bool ReferenceCovers(const Stroke& s, int x, int y) {
  const Int dx = s.x2 - s.x1, dy = s.y2 - s.y1;
  const Int vx = x - s.x1, vy = y - s.y1;
  const Int length2 = dx * dx + dy * dy;
  const Int pen2 = Int{s.pen_width} * s.pen_width;
  if (length2 == 0) return 4 * (vx * vx + vy * vy) <= pen2;
  // Closest point P1 + t D with t = along / length2 clamped to [0, 1]; scale by length2.
  const Int along = std::clamp<Int>(vx * dx + vy * dy, 0, length2);
  const Int ex = vx * length2 - along * dx;
  const Int ey = vy * length2 - along * dy;
  return 4 * (ex * ex + ey * ey) <= pen2 * length2 * length2;
}

raster::Image ReferenceCanvas(int width, int height, const std::vector<Stroke>& strokes) {
  raster::Image canvas(width, height);
  for (const Stroke& s : strokes) {
    const int reach = s.pen_width / 2 + 1;
    const int left = std::max(std::min(s.x1, s.x2) - reach, 0);
    const int right = std::min(std::max(s.x1, s.x2) + reach, width - 1);
    const int top = std::max(std::min(s.y1, s.y2) - reach, 0);
    const int bottom = std::min(std::max(s.y1, s.y2) + reach, height - 1);
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        if (ReferenceCovers(s, x, y)) canvas.set(x, y, s.colour);
      }
    }
  }
  return canvas;
}

void ReferenceStretchOr(const raster::Image& canvas, raster::Image& target, const raster::Rect& dst,
                        const raster::Rect& src) {
  const std::int64_t gx = std::gcd(dst.width, src.width), gy = std::gcd(dst.height, src.height);
  const std::int64_t src_w = dst.width / gx, dst_w = src.width / gx;  // units per pixel
  const std::int64_t src_h = dst.height / gy, dst_h = src.height / gy;
  const std::int64_t area = dst_w * dst_h;
  const raster::Rect kept = raster::Intersect(dst, target.bounds());
  for (int ty = kept.top; ty < kept.bottom(); ++ty) {
    const std::int64_t y0 = (ty - dst.top) * dst_h, y1 = y0 + dst_h;
    for (int tx = kept.left; tx < kept.right(); ++tx) {
      const std::int64_t x0 = (tx - dst.left) * dst_w, x1 = x0 + dst_w;
      std::int64_t sum[3] = {0, 0, 0};
      for (std::int64_t j = y0 / src_h; j * src_h < y1; ++j) {
        const std::int64_t oy = std::min((j + 1) * src_h, y1) - std::max(j * src_h, y0);
        const std::int64_t sy = src.top + j;
        for (std::int64_t i = x0 / src_w; i * src_w < x1; ++i) {
          const std::int64_t ox = std::min((i + 1) * src_w, x1) - std::max(i * src_w, x0);
          const std::int64_t sx = src.left + i;
          if (sx < 0 || sy < 0 || sx >= canvas.width() || sy >= canvas.height()) continue;
          const raster::Pixel p = canvas.at(static_cast<int>(sx), static_cast<int>(sy));
          for (int c = 0; c < 3; ++c) sum[c] += ((p >> (16 - 8 * c)) & 0xFF) * ox * oy;
        }
      }
      raster::Pixel average = 0;
      for (int c = 0; c < 3; ++c) {
        average |= static_cast<raster::Pixel>((2 * sum[c] + area) / (2 * area)) << (16 - 8 * c);
      }
      target.set(tx, ty, target.at(tx, ty) | average);
    }
  }
}

}  // namespace raster_test
