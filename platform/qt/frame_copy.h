// The usual frame without a painter: the runtime's changed pixels copied into the backing
// store's image and the caption blended over them, with the same results as Qt's raster
// painter gives for the same drawing.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include "platform/raster/image.h"

namespace qt_host {

// Copies `rect` of the surface to the same place of `target` (32-bit, one to one), opaque.
void CopyOpaque(const raster::Image& surface, const QRect& rect, QImage& target);
// Draws `caption` (premultiplied ARGB, one to one) with its corner at `at` over `target`
// (premultiplied ARGB or RGB32), inside `rect` only: source over, as QPainter does.
void BlendOver(const QImage& caption, QPoint at, const QRect& rect, QImage& target);

}  // namespace qt_host
