#include "platform/qt/frame_copy.h"

namespace qt_host {
namespace {

// x * a / 255 per channel of a premultiplied pixel, rounded as Qt's raster engine does.
QRgb ByteMul(QRgb x, unsigned a) {
  unsigned t = (x & 0xFF00FFu) * a;
  t = (t + ((t >> 8) & 0xFF00FFu) + 0x800080u) >> 8;
  t &= 0xFF00FFu;
  x = ((x >> 8) & 0xFF00FFu) * a;
  x = x + ((x >> 8) & 0xFF00FFu) + 0x800080u;
  x &= 0xFF00FF00u;
  return x | t;
}

}  // namespace

void CopyOpaque(const raster::Image& surface, const QRect& rect, QImage& target) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    const raster::Pixel* from = surface.row(y) + rect.left();
    auto* to = reinterpret_cast<QRgb*>(target.scanLine(y)) + rect.left();
    for (int i = 0; i < rect.width(); ++i) to[i] = from[i] | 0xFF000000u;
  }
}

void BlendOver(const QImage& caption, QPoint at, const QRect& rect, QImage& target) {
  const QRect covered = rect & QRect(at, caption.size()) & target.rect();
  for (int y = covered.top(); y <= covered.bottom(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(caption.constScanLine(y - at.y())) +
                       (covered.left() - at.x());
    auto* to = reinterpret_cast<QRgb*>(target.scanLine(y)) + covered.left();
    for (int i = 0; i < covered.width(); ++i) {
      const unsigned alpha = qAlpha(from[i]);
      if (alpha == 255) {
        to[i] = from[i];
      } else if (alpha != 0) {
        to[i] = from[i] + ByteMul(to[i], 255 - alpha);
      }
    }
  }
}

}  // namespace qt_host
