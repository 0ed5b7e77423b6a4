// An off-screen drawing surface that holds straight strokes on a black ground.
//
// The canvas keeps what was drawn since the last Clear as a list of strokes instead of a
// pixel array: a frame draws a dozen strokes on a large canvas that is never shown, and its
// only reader is the shrinking OR copy onto the visible face. The pixels are still exactly
// defined (by Line's distance rule), and the copy gives exactly what averaging those pixels
// gives; it keeps what it worked out for recent frames (HandCompositor), so a frame costs
// little more than what changed in it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/raster/image.h"

namespace raster {

class HandCompositor;

class StrokeCanvas {
 public:
  StrokeCanvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  // Erases everything drawn: the canvas shows its black ground again.
  void Clear();

  // A solid stroke from (x1, y1) to (x2, y2) with round ends, `pen_width` pixels wide: it
  // covers every pixel whose centre lies within pen_width / 2 of the segment (pixel (x, y) has
  // its centre at (x, y)). A later stroke paints over earlier ones. pen_width >= 1.
  void Line(int x1, int y1, int x2, int y2, int pen_width, Pixel colour);

  // Shrinks the source rectangle `src` (canvas pixels; it may reach outside the canvas, which
  // adds nothing there) into `dst` (pixels of `target`) and ORs the result into `target`,
  // channel by channel. Each target pixel receives the area-weighted average of the source
  // pixels under it, rounded to nearest. Returns the part of `target` that may have changed.
  Rect StretchOrInto(Image& target, const Rect& dst, const Rect& src) const;
  // The same, also widening rows[y] (one per row of `target`) to hold the columns of row y
  // that may have changed. With `backdrop`, the caller says that the target shows exactly the
  // last copy from this canvas over that backdrop; the copy then puts back and writes again
  // only what it changes.
  Rect StretchOrInto(Image& target, const Rect& dst, const Rect& src, RowSpan* rows,
                     const Backdrop* backdrop = nullptr) const;
  // Copies made so far.
  std::uint64_t copies() const { return copies_; }

  struct Stroke {
    int x1, y1, x2, y2, pen_width;
    Pixel colour;
    friend bool operator==(const Stroke&, const Stroke&) = default;
  };
  const std::vector<Stroke>& strokes() const { return strokes_; }

 private:
  // What StretchOrInto keeps between calls. None of it changes a result: a copy of the
  // canvas starts without it.
  struct CompositorDeleter {
    void operator()(HandCompositor* compositor) const;
  };
  struct CompositorSlot {
    CompositorSlot() = default;
    CompositorSlot(const CompositorSlot&) {}
    CompositorSlot& operator=(const CompositorSlot&) { return *this; }
    std::unique_ptr<HandCompositor, CompositorDeleter> compositor;
  };

  int width_;
  int height_;
  std::vector<Stroke> strokes_;
  mutable CompositorSlot compositor_;
  mutable std::uint64_t copies_ = 0;
};

}  // namespace raster
