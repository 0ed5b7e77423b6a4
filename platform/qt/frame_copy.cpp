#include "platform/qt/frame_copy.h"

#include <algorithm>
#include <cstring>

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

// Source over for the columns [left, end) of one row (`from` and `to` indexed by column).
void BlendColumns(const QRgb* from, QRgb* to, int left, int end) {
  for (int x = left; x < end; ++x) {
    const unsigned alpha = qAlpha(from[x]);
    if (alpha == 255) {
      to[x] = from[x];
    } else if (alpha != 0) {
      to[x] = from[x] + ByteMul(to[x], 255 - alpha);
    }
  }
}

}  // namespace

std::vector<InkSpan> InkSpans(const QImage& caption) {
  std::vector<InkSpan> spans(static_cast<std::size_t>(std::max(0, caption.height())));
  for (int y = 0; y < caption.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(caption.constScanLine(y));
    int first = 0, end = caption.width();
    while (first < end && qAlpha(row[first]) == 0) ++first;
    while (end > first && qAlpha(row[end - 1]) == 0) --end;
    InkSpan& span = spans[static_cast<std::size_t>(y)];
    span = {first, end, first, first};
    for (int x = first; x < end;) {
      int run_end = x;
      while (run_end < end && qAlpha(row[run_end]) == 255) ++run_end;
      if (run_end - x > span.solid_end - span.solid_first) {
        span.solid_first = x;
        span.solid_end = run_end;
      }
      x = run_end + 1;
    }
  }
  return spans;
}

void CopyRows(const raster::Image& surface, const QRect& rect, QImage& target, QPoint to) {
  const std::size_t bytes = static_cast<std::size_t>(rect.width()) * sizeof(raster::Pixel);
  const qsizetype stride = target.bytesPerLine();
  uchar* row = target.bits() + to.y() * stride + static_cast<qsizetype>(to.x()) * 4;
  for (int y = rect.top(); y <= rect.bottom(); ++y, row += stride) {
    std::memcpy(row, surface.row(y) + rect.left(), bytes);
  }
}

void BlendOver(const QImage& caption, const std::vector<InkSpan>& ink, QPoint at, const QRect& rect,
               QImage& target) {
  const QRect covered = rect & QRect(at, caption.size()) & target.rect();
  const qsizetype stride = target.bytesPerLine();
  uchar* bits = target.bits();
  for (int y = covered.top(); y <= covered.bottom(); ++y) {
    const InkSpan span = ink[static_cast<std::size_t>(y - at.y())];
    const int left = std::max(covered.left(), at.x() + span.first);
    const int end = std::min(covered.right() + 1, at.x() + span.end);
    const auto* from = reinterpret_cast<const QRgb*>(caption.constScanLine(y - at.y())) - at.x();
    auto* to = reinterpret_cast<QRgb*>(bits + y * stride);
    // The opaque middle of the row is copied; its edges are blended.
    const int solid_left = std::clamp(at.x() + span.solid_first, left, std::max(left, end));
    const int solid_end = std::clamp(at.x() + span.solid_end, solid_left, std::max(left, end));
    BlendColumns(from, to, left, solid_left);
    if (solid_end > solid_left) {
      std::memcpy(to + solid_left, from + solid_left,
                  static_cast<std::size_t>(solid_end - solid_left) * sizeof(QRgb));
    }
    BlendColumns(from, to, solid_end, end);
  }
}

}  // namespace qt_host
