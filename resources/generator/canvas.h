// A drawing surface that antialiases by supersampling: every pixel is sampled on a regular
// grid of n x n points, and a shape covers a pixel by the share of those points inside it.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/generator/geometry.h"
#include "resources/generator/picture.h"

namespace artwork {

// Channel values from 0 to 255.
struct Colour {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
};

// The pixels from (left, top) up to but excluding (right, bottom).
struct PixelBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class Canvas {
 public:
  // A black canvas.
  Canvas(int width, int height, int samples_per_side);

  int width() const { return width_; }
  int height() const { return height_; }

  // The pixels that the rectangle from (left, top) to (right, bottom) touches, within the canvas.
  PixelBox Touching(double left, double top, double right, double bottom) const;

  // Lays `colour` over the pixels of `box` in proportion to the share of each pixel's samples
  // at which `inside(Point)` holds.
  template <typename Inside>
  void Fill(const PixelBox& box, Colour colour, Inside&& inside) {
    ForEachPixel(box, [&](int x, int y) {
      int hits = 0;
      ForEachSample(x, y, [&](Point p) { hits += inside(p) ? 1 : 0; });
      if (hits == 0) return;
      const double cover = static_cast<double>(hits) / (samples_ * samples_);
      Colour& c = At(x, y);
      c.r += (colour.r - c.r) * cover;
      c.g += (colour.g - c.g) * cover;
      c.b += (colour.b - c.b) * cover;
    });
  }

  // Adds to the pixels of `box` the average of `light(Point)` over each pixel's samples.
  template <typename Light>
  void Add(const PixelBox& box, Light&& light) {
    ForEachPixel(box, [&](int x, int y) {
      Colour sum;
      ForEachSample(x, y, [&](Point p) {
        const Colour l = light(p);
        sum.r += l.r;
        sum.g += l.g;
        sum.b += l.b;
      });
      const double n = samples_ * samples_;
      Colour& c = At(x, y);
      c.r += sum.r / n;
      c.g += sum.g / n;
      c.b += sum.b / n;
    });
  }

  Colour at(int x, int y) const { return pixels_[Index(x, y)]; }

  // Rounds every channel to the nearest whole value, clamped to 0..255.
  Picture ToPicture() const;

 private:
  template <typename PerPixel>
  void ForEachPixel(const PixelBox& box, PerPixel&& per_pixel) {
    for (int y = std::max(box.top, 0); y < std::min(box.bottom, height_); ++y) {
      for (int x = std::max(box.left, 0); x < std::min(box.right, width_); ++x) per_pixel(x, y);
    }
  }

  // Samples sit at the centres of an n x n grid of sub-squares, so none lies on a pixel edge.
  template <typename PerSample>
  void ForEachSample(int x, int y, PerSample&& per_sample) const {
    for (int j = 0; j < samples_; ++j) {
      for (int i = 0; i < samples_; ++i) {
        per_sample(Point{x + offsets_[i], y + offsets_[j]});
      }
    }
  }

  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  Colour& At(int x, int y) { return pixels_[Index(x, y)]; }

  int width_;
  int height_;
  int samples_;
  std::vector<double> offsets_;
  std::vector<Colour> pixels_;
};

}  // namespace artwork
