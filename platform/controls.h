// The controls a form is built from. Property setters carry their effect to the host through
// the runtime; invalid values raise run-time errors as the forms runtime does.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/raster/stroke_canvas.h"
#include "platform/raster/surface.h"
#include "platform/types.h"

namespace forms {

class Runtime;
using Picture = std::shared_ptr<const raster::Image>;  // nullptr is "nothing"

// A shared, loaded picture.
Picture LoadPicture(raster::Image image);

// Holds a picture off screen (an image control that is never seen).
class ImageHolder {
 public:
  explicit ImageHolder(Picture picture) : picture_(std::move(picture)) {}
  const Picture& GetPicture() const { return picture_; }
  void SetPicture(Picture picture) { picture_ = std::move(picture); }

 private:
  Picture picture_;
};

// An off-screen drawing surface measured in display pixels, on a black ground.
class CanvasBox {
 public:
  CanvasBox(Runtime& runtime, int width_px, int height_px);

  Single Width() const { return static_cast<Single>(canvas_.width()); }
  Single Height() const { return static_cast<Single>(canvas_.height()); }
  void SetPicture(std::nullptr_t);
  void Cls();
  void SetDrawWidth(Integer width);
  // A line in the current DrawWidth; coordinates round to whole pixels.
  void Line(Single x1, Single y1, Single x2, Single y2, Colour colour);
  const raster::StrokeCanvas& Image() const { return canvas_; }

 private:
  Runtime& runtime_;
  raster::StrokeCanvas canvas_;
  Integer draw_width_ = 1;
};

// The visible surface. Its own unit is fixed at 15 twips; `pixels_per_unit` converts.
class PictureBox {
 public:
  PictureBox(Runtime& runtime, int width_px, int height_px, Colour back_colour, Colour fore_colour,
             double pixels_per_unit);

  void SetPicture(Picture picture);
  // Copies a canvas area into this surface, stretched, with a raster operation; only the OR
  // operation is supported. All coordinates are in this surface's units.
  void PaintPicture(const raster::StrokeCanvas& picture, Single x1, Single y1, Single width1,
                    Single height1, Single x2, Single y2, Single width2, Single height2,
                    Long opcode);
  void SetCurrentX(Single x) { current_x_ = x; }
  void SetCurrentY(Single y) { current_y_ = y; }
  Single CurrentX() const { return current_x_; }
  Single CurrentY() const { return current_y_; }
  // Prints one line of text at (CurrentX, CurrentY) in the fore colour and ends the line.
  void Print(std::string_view text);

  raster::Surface& surface() { return surface_; }
  double pixels_per_unit() const { return pixels_per_unit_; }

 private:
  int ToPixels(Single units) const;

  Runtime& runtime_;
  raster::Surface surface_;
  Colour fore_colour_;
  double pixels_per_unit_;
  Single current_x_ = 0;
  Single current_y_ = 0;
};

// A windowless label drawn over the visible surface; its geometry is in that surface's units.
class Label {
 public:
  Label(Runtime& runtime, std::string caption, std::string font_name, Integer font_size,
        Colour fore_colour, Single left, Single top, Single width, Single height);

  Colour ForeColor() const { return fore_colour_; }
  void SetForeColor(Colour colour);
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  void SetLeft(Single v);
  void SetTop(Single v);
  void SetWidth(Single v);
  void SetHeight(Single v);
  void SetFontSize(Integer points);

  const std::string& Caption() const { return caption_; }
  const std::string& FontName() const { return font_name_; }
  Integer FontSize() const { return font_size_; }
  Single Left() const { return left_; }
  Single Top() const { return top_; }
  Single Width() const { return width_; }
  Single Height() const { return height_; }

 private:
  void Changed();

  Runtime& runtime_;
  std::string caption_;
  std::string font_name_;
  Integer font_size_;
  Colour fore_colour_;
  Single left_, top_, width_, height_;
  std::string tag_;
};

class Timer {
 public:
  Timer(Runtime& runtime, Long interval, bool enabled);

  Long Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  void SetInterval(Long milliseconds);
  void SetEnabled(Boolean enabled);
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  int index() const { return index_; }

 private:
  void Arm();

  Runtime& runtime_;
  int index_;
  Long interval_;
  bool enabled_;
  std::string tag_;
};

class MenuItem {
 public:
  MenuItem(std::string caption, bool checked, std::optional<Integer> index = std::nullopt)
      : caption_(std::move(caption)), checked_(checked), index_(index) {}

  const std::string& Caption() const { return caption_; }
  bool Checked() const { return checked_; }
  void SetChecked(Boolean checked) { checked_ = checked != False; }
  // The member's index within a menu item array.
  std::optional<Integer> Index() const { return index_; }
  bool IsSeparator() const { return caption_ == "-"; }

 private:
  std::string caption_;
  bool checked_;
  std::optional<Integer> index_;
};

// A top-level menu that is never shown as a bar, only as a popup.
struct Menu {
  std::string caption;
  std::vector<MenuItem*> items;
};

}  // namespace forms
