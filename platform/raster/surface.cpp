#include "platform/raster/surface.h"

#include <algorithm>
#include <utility>

namespace raster {

Surface::Surface(int width, int height, Pixel back_colour)
    : back_colour_(back_colour),
      image_(width, height, back_colour),
      drawn_rows_(static_cast<std::size_t>(image_.height())),
      changed_(image_.bounds()) {}

void Surface::SetPicture(std::shared_ptr<const Image> picture) {
  picture_ = std::move(picture);
  pending_ = true;
}

void Surface::Settle() const {
  if (!pending_) return;
  pending_ = false;
  if (picture_ == shown_) {  // only the drawings to take away
    for (int y = drawn_.top; y < drawn_.bottom(); ++y) {
      RowSpan& span = drawn_rows_[static_cast<std::size_t>(y)];
      if (!span.empty()) Shown().Restore(image_.row(y), y, span.left, span.right);
      span = {};
    }
    changed_ = Union(changed_, drawn_);
  } else {
    shown_ = picture_;
    for (int y = 0; y < image_.height(); ++y) {
      Shown().Restore(image_.row(y), y, 0, image_.width());
    }
    for (int y = drawn_.top; y < drawn_.bottom(); ++y) {
      drawn_rows_[static_cast<std::size_t>(y)] = {};
    }
    changed_ = Union(changed_, image_.bounds());
  }
  drawn_ = {};
  shows_only_copy_ = false;
}

void Surface::PaintOr(const StrokeCanvas& source, const Rect& dst, const Rect& src) {
  if (pending_ && picture_ == shown_ && shows_only_copy_ && copy_source_ == &source &&
      copy_serial_ == source.copies()) {
    // The copy puts back and repaints what it changes itself.
    pending_ = false;
    const Backdrop backdrop = Shown();
    const Rect changed = Intersect(
        source.StretchOrInto(image_, dst, src, drawn_rows_.data(), &backdrop), image_.bounds());
    drawn_ = Union(drawn_, changed);
    changed_ = Union(changed_, changed);
  } else {
    Settle();
    const bool nothing_drawn = drawn_.empty();
    const Rect painted =
        Intersect(source.StretchOrInto(image_, dst, src, drawn_rows_.data()), image_.bounds());
    drawn_ = Union(drawn_, painted);
    changed_ = Union(changed_, painted);
    shows_only_copy_ = nothing_drawn;
  }
  copy_source_ = &source;
  copy_serial_ = source.copies();
}

void Surface::MarkDrawn(const Rect& area) {
  Settle();
  shows_only_copy_ = false;
  const Rect clipped = Intersect(area, image_.bounds());
  if (clipped.empty()) return;
  for (int y = clipped.top; y < clipped.bottom(); ++y) {
    drawn_rows_[static_cast<std::size_t>(y)].Add(clipped.left, clipped.right());
  }
  drawn_ = Union(drawn_, clipped);
  changed_ = Union(changed_, clipped);
}

Rect Surface::TakeChanged() {
  Settle();
  return std::exchange(changed_, Rect{});
}

}  // namespace raster
