#include "platform/raster/stroke_canvas.h"

#include <algorithm>

#include "platform/raster/hand_compositor.h"

namespace raster {

void StrokeCanvas::CompositorDeleter::operator()(HandCompositor* compositor) const {
  delete compositor;
}

StrokeCanvas::StrokeCanvas(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {}

void StrokeCanvas::Clear() {
  strokes_.clear();
}

void StrokeCanvas::Line(int x1, int y1, int x2, int y2, int pen_width, Pixel colour) {
  strokes_.push_back({x1, y1, x2, y2, std::max(pen_width, 1), colour});
}

Rect StrokeCanvas::StretchOrInto(Image& target, const Rect& dst, const Rect& src) const {
  return StretchOrInto(target, dst, src, nullptr);
}

Rect StrokeCanvas::StretchOrInto(Image& target, const Rect& dst, const Rect& src, RowSpan* rows,
                                 const Backdrop* backdrop) const {
  if (!compositor_.compositor) compositor_.compositor.reset(new HandCompositor);
  ++copies_;
  return compositor_.compositor->Copy(strokes_, width_, height_, target, dst, src, rows, backdrop);
}

}  // namespace raster
