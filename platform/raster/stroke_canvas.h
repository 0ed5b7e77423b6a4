// An off-screen drawing surface that holds straight strokes on a black ground.
//
// The canvas keeps what was drawn since the last Clear as a list of strokes instead of a
// pixel array: a frame draws a dozen strokes on a large canvas that is never shown, and its
// only reader is the shrinking OR copy onto the visible face. The pixels are still exactly
// defined (PixelAt) and the copy produces exactly what averaging those pixels gives. The copy
// keeps what it worked out for the strokes of its last calls, so a frame that repeats most of
// the previous frame's strokes costs little more than its new ones.
#pragma once

#include <memory>
#include <vector>

#include "platform/raster/image.h"

namespace raster {

struct OrShrinkScratch;

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

  // The colour the canvas shows at a pixel inside it (0 where nothing was drawn).
  Pixel PixelAt(int x, int y) const;
  // All pixels, for tests and debugging.
  Image ToImage() const;

  // Shrinks the source rectangle `src` (canvas pixels; it may reach outside the canvas, which
  // adds nothing there) into `dst` (pixels of `target`) and ORs the result into `target`,
  // channel by channel. Each target pixel receives the area-weighted average of the source
  // pixels under it, rounded to nearest. Only enlargement factors <= 1 are required.
  // Returns the part of `target` that may have changed.
  Rect StretchOrInto(Image& target, const Rect& dst, const Rect& src) const;
  // The same, also widening rows[y] (one per row of `target`) to hold the columns of row y
  // that may have changed.
  Rect StretchOrInto(Image& target, const Rect& dst, const Rect& src, RowSpan* rows) const;

  struct Stroke {
    int x1, y1, x2, y2, pen_width;
    Pixel colour;
    friend bool operator==(const Stroke&, const Stroke&) = default;
  };
  const std::vector<Stroke>& strokes() const { return strokes_; }

 private:
  // What StretchOrInto keeps between calls: buffers, so that a frame allocates nothing, and
  // what it worked out for the last strokes. None of it changes a result: a copy of the
  // canvas starts with empty ones.
  struct ScratchDeleter {
    void operator()(OrShrinkScratch* scratch) const;
  };
  struct ScratchSlot {
    ScratchSlot() = default;
    ScratchSlot(const ScratchSlot&) {}
    ScratchSlot& operator=(const ScratchSlot&) { return *this; }
    std::unique_ptr<OrShrinkScratch, ScratchDeleter> buffers;
  };

  int width_;
  int height_;
  std::vector<Stroke> strokes_;
  mutable ScratchSlot scratch_;
};

}  // namespace raster
