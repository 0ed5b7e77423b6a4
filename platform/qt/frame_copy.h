// The usual frame without a painter: the runtime's changed pixels copied into the backing
// store's image and the caption blended over them, source over, as Qt's raster painter
// blends.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

#include "platform/raster/image.h"

namespace qt_host {

// Per row of a caption image, the columns [first, end) that have any ink (alpha above 0), and
// within them the longest run [solid_first, solid_end) of fully opaque ones.
struct InkSpan {
  int first = 0;
  int end = 0;
  int solid_first = 0;
  int solid_end = 0;
};
std::vector<InkSpan> InkSpans(const QImage& caption);

// Copies `rect` of the surface to `to` in `target` (32-bit) byte for byte, as the painter
// copies an RGB32 image into the backing store.
void CopyRows(const raster::Image& surface, const QRect& rect, QImage& target, QPoint to);
// Draws `caption` (premultiplied ARGB, one to one, with its InkSpans) with its corner at `at`
// over `target` (premultiplied ARGB or RGB32), inside `rect` only: source over, as QPainter
// does.
void BlendOver(const QImage& caption, const std::vector<InkSpan>& ink, QPoint at, const QRect& rect,
               QImage& target);

}  // namespace qt_host
