// One clock frame drawn with the renderer alone: the face picture put back on the visible
// surface, the three hands stroked on the hand canvas and the canvas shrunk onto the surface.
#pragma once

#include <cmath>
#include <memory>

#include "platform/raster/image.h"
#include "platform/raster/stroke_canvas.h"
#include "platform/raster/surface.h"

namespace vestrel::bench {

class RasterFrame {
 public:
  explicit RasterFrame(bool small)
      : small_(small),
        face_(MakeFace(small ? 108 : 170, small ? 110 : 173)),
        surface_(174, 176, 0),
        canvas_(487, 468) {
    surface_.SetPicture(face_);
  }

  // The frame of a second of the day, with the hands where the clock puts them: whole degrees
  // rounded half to even, the hour hand moving half a degree a minute.
  void Draw(int second_of_day) {
    const int hour = second_of_day / 3600 % 24, minute = second_of_day / 60 % 60;
    const int second = second_of_day % 60;
    surface_.SetPicture(face_);  // the same picture: only the last hands' area is restored
    canvas_.Clear();
    const int lengths[3] = {small_ ? 100 : 150, small_ ? 130 : 200, small_ ? 147 : 230};
    const double angles[3] = {std::nearbyint(hour * 30 + minute * 0.5 - 90), minute * 6.0 - 90,
                              second * 6.0 - 90};
    const int pens[2][3] = {{23, 15, 11}, {17, 11, 9}};
    for (int hand = 0; hand < 3; ++hand) {
      const double r = angles[hand] * 0.01745329251944;
      const int x = kPivotX + static_cast<int>(std::floor(lengths[hand] * std::cos(r)));
      const int y = kPivotY + static_cast<int>(std::floor(lengths[hand] * std::sin(r)));
      const raster::Pixel shift = hand == 2 ? 16 : 8;  // second hand red, the others green
      const int levels[4] = {64, 128, 192, 255};
      for (int i = 0; i < 4; ++i) {
        canvas_.Line(kPivotX, kPivotY, x, y, pens[small_][hand] - 2 * i,
                     static_cast<raster::Pixel>(levels[i]) << shift);
      }
    }
    surface_.PaintOr(
        canvas_, {0, 0, 600, 600},
        small_ ? raster::Rect{65, 53, 2000, 2000} : raster::Rect{-35, -54, 2000, 2000});
  }

  const raster::Surface& surface() const { return surface_; }

 private:
  static constexpr int kPivotX = 244, kPivotY = 234;

  static std::shared_ptr<const raster::Image> MakeFace(int width, int height) {
    auto face = std::make_shared<raster::Image>(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) face->set(x, y, static_cast<raster::Pixel>(x * 0x010101 ^ y));
    }
    return face;
  }

  bool small_;
  std::shared_ptr<const raster::Image> face_;
  raster::Surface surface_;
  raster::StrokeCanvas canvas_;
};

}  // namespace vestrel::bench
