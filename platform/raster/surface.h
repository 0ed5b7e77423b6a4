// A visible picture surface: a persistent backing image made of a background colour, an
// optional picture at its top-left corner and whatever was drawn over them since.
#pragma once

#include <memory>

#include "platform/raster/image.h"
#include "platform/raster/stroke_canvas.h"

namespace raster {

class Surface {
 public:
  Surface(int width, int height, Pixel back_colour);

  const Image& image() const { return image_; }
  int width() const { return image_.width(); }
  int height() const { return image_.height(); }

  // Shows `picture` (or none) over the background; everything drawn before is discarded.
  // Re-assigning the picture already shown restores only what was drawn over it.
  void SetPicture(std::shared_ptr<const Image> picture);
  const std::shared_ptr<const Image>& picture() const { return picture_; }

  // Erases the drawings, leaving background and picture.
  void Cls() { SetPicture(picture_); }

  // The OR copy of a canvas area, shrunk into `dst` (see StrokeCanvas::StretchOrInto).
  void PaintOr(const StrokeCanvas& source, const Rect& dst, const Rect& src);

  // Direct access for drawing that the surface cannot do itself (text from a host's font
  // engine); the caller reports the area it touched with MarkDrawn.
  Image& canvas() { return image_; }
  void MarkDrawn(const Rect& area);

  // The area changed since the last call, for the host to present.
  Rect TakeChanged();

 private:
  Pixel back_colour_;
  Image image_;
  std::shared_ptr<const Image> picture_;
  Rect drawn_;    // drawn over the picture since it was set
  Rect changed_;  // changed since the host last presented
};

}  // namespace raster
