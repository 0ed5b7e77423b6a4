#include "platform/raster/surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace raster {

namespace {

// Puts back background and picture inside `area` (already clipped to the image).
void Restore(Image& image, const Image* picture, Pixel back_colour, const Rect& area) {
  const Rect shown = picture ? Intersect(area, picture->bounds()) : Rect{};
  for (int y = area.top; y < area.bottom(); ++y) {
    Pixel* row = image.row(y);
    if (y < shown.top || y >= shown.bottom()) {
      std::fill(row + area.left, row + area.right(), back_colour);
      continue;
    }
    std::fill(row + area.left, row + shown.left, back_colour);
    std::memcpy(row + shown.left, picture->row(y) + shown.left,
                static_cast<std::size_t>(shown.width) * sizeof(Pixel));
    std::fill(row + shown.right(), row + area.right(), back_colour);
  }
}

}  // namespace

Surface::Surface(int width, int height, Pixel back_colour)
    : back_colour_(back_colour), image_(width, height, back_colour), changed_(image_.bounds()) {}

void Surface::SetPicture(std::shared_ptr<const Image> picture) {
  if (picture == picture_) {
    Restore(image_, picture_.get(), back_colour_, drawn_);
    changed_ = Union(changed_, drawn_);
  } else {
    picture_ = std::move(picture);
    Restore(image_, picture_.get(), back_colour_, image_.bounds());
    changed_ = Union(changed_, image_.bounds());
  }
  drawn_ = {};
}

void Surface::PaintOr(const StrokeCanvas& source, const Rect& dst, const Rect& src) {
  const Rect painted = Intersect(source.StretchOrInto(image_, dst, src), image_.bounds());
  drawn_ = Union(drawn_, painted);
  changed_ = Union(changed_, painted);
}

void Surface::MarkDrawn(const Rect& area) {
  const Rect clipped = Intersect(area, image_.bounds());
  drawn_ = Union(drawn_, clipped);
  changed_ = Union(changed_, clipped);
}

Rect Surface::TakeChanged() {
  return std::exchange(changed_, Rect{});
}

}  // namespace raster
