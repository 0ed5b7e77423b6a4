#include "platform/raster/stroke_canvas.h"

#include <algorithm>

#include "platform/raster/hand_compositor.h"
#include "platform/raster/stroke_shape.h"

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

Pixel StrokeCanvas::PixelAt(int x, int y) const {
  for (auto s = strokes_.rbegin(); s != strokes_.rend(); ++s) {
    if (StrokeCovers(s->x1, s->y1, s->x2, s->y2, s->pen_width, x, y)) return s->colour;
  }
  return 0;
}

Image StrokeCanvas::ToImage() const {
  Image image(width_, height_);
  PenDiscCache discs;
  for (const Stroke& s : strokes_) {
    const StrokeShape shape = MakeStrokeShape(s.x1, s.y1, s.x2, s.y2, s.pen_width, discs);
    const std::int64_t top = std::max<std::int64_t>(shape.top(), 0);
    const std::int64_t bottom = std::min<std::int64_t>(shape.bottom(), height_ - 1);
    shape.ForEachRow(top, bottom, [&](std::int64_t y, std::int64_t left, std::int64_t right) {
      left = std::max<std::int64_t>(left, 0);
      right = std::min<std::int64_t>(right, width_ - 1);
      if (left > right) return;
      Pixel* row = image.row(static_cast<int>(y));
      std::fill(row + left, row + right + 1, s.colour);
    });
  }
  return image;
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
