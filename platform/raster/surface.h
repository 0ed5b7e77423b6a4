// A visible picture surface: a persistent backing image made of a background colour, an
// optional picture at its top-left corner and whatever was drawn over them since.
//
// Setting a picture takes effect when the pixels are next needed (to draw, to read, to report
// what changed), and then copies only what differs from what the image holds: a frame that
// takes the picture away and sets it again before drawing restores just the columns drawn on
// each row since the picture was last put back. A frame that puts the same picture back and
// copies again from the canvas of the last copy leaves the putting back to that copy, which
// repaints only where its result changed; only that is reported as changed.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/raster/image.h"
#include "platform/raster/stroke_canvas.h"

namespace raster {

class Surface {
 public:
  Surface(int width, int height, Pixel back_colour);

  const Image& image() const {
    Settle();
    return image_;
  }
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }

  // Shows `picture` (or none) over the background; everything drawn before is discarded.
  void SetPicture(std::shared_ptr<const Image> picture);
  const std::shared_ptr<const Image>& picture() const { return picture_; }

  // Erases the drawings, leaving background and picture.
  void Cls() { SetPicture(picture_); }

  // The OR copy of a canvas area, shrunk into `dst` (see StrokeCanvas::StretchOrInto).
  void PaintOr(const StrokeCanvas& source, const Rect& dst, const Rect& src);

  // Direct access for drawing that the surface cannot do itself (text from a host's font
  // engine); the caller reports the area it touched with MarkDrawn.
  Image& canvas() {
    Settle();
    return image_;
  }
  void MarkDrawn(const Rect& area);

  // The area changed since the last call, for the host to present.
  Rect TakeChanged();

 private:
  // Brings the pixels up to the picture set last, if a SetPicture is pending.
  void Settle() const;
  // What the image shows under the drawings.
  Backdrop Shown() const { return {shown_.get(), back_colour_}; }

  Pixel back_colour_;
  std::shared_ptr<const Image> picture_;
  // The pixels are made lazily, so a const reader may bring them up to date.
  mutable Image image_;
  mutable std::shared_ptr<const Image> shown_;  // in image_ outside what was drawn over it
  mutable bool pending_ = false;                // picture_ or a clean shown_ still to put back
  mutable std::vector<RowSpan> drawn_rows_;     // per row, the columns drawn over shown_
  mutable Rect drawn_;                          // holds them all
  mutable Rect changed_;                        // changed since the host last presented
  // The last shrinking copy: its canvas, that canvas's copy count after it, and whether the
  // image shows just the picture and that copy (nothing else drawn, nothing restored since).
  const StrokeCanvas* copy_source_ = nullptr;
  std::uint64_t copy_serial_ = 0;
  mutable bool shows_only_copy_ = false;
};

}  // namespace raster
