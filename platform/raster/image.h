// A 32-bit pixel image, the one pixel store shared by every host.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace raster {

// 0x00RRGGBB: the memory layout of a 32-bit DIB section and of QImage::Format_RGB32, so hosts
// present an image without converting it.
using Pixel = std::uint32_t;

// A colour of the forms runtime (0x00BBGGRR) as a pixel.
constexpr Pixel FromColourRef(std::uint32_t bgr) {
  return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}
constexpr std::uint32_t ToColourRef(Pixel p) {
  return FromColourRef(p);
}

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool empty() const { return width <= 0 || height <= 0; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Columns [left, right) of one row; empty when left >= right.
struct RowSpan {
  int left = 0;
  int right = 0;

  bool empty() const { return left >= right; }
  // Widens the span to hold columns [l, r) too (r > l).
  void Add(int l, int r) {
    if (empty()) {
      left = l;
      right = r;
    } else {
      left = l < left ? l : left;
      right = r > right ? r : right;
    }
  }
};

// Smallest rectangle holding both; an empty rectangle adds nothing.
Rect Union(const Rect& a, const Rect& b);
// The common part; empty (all zero) when they do not meet.
Rect Intersect(const Rect& a, const Rect& b);

class Image {
 public:
  Image() = default;
  Image(int width, int height, Pixel fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  Rect bounds() const { return {0, 0, width_, height_}; }

  Pixel* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Pixel* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  Pixel at(int x, int y) const { return row(y)[x]; }
  void set(int x, int y, Pixel p) { row(y)[x] = p; }
  const std::vector<Pixel>& pixels() const { return pixels_; }

  // Building blocks for the tests' expected pictures; the program itself never needs them.
  void Fill(const Rect& area, Pixel p);
  // Copies `source` with its top-left corner at (x, y), clipped to this image.
  void Blit(const Image& source, int x, int y);

  friend bool operator==(const Image&, const Image&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

// What a picture surface shows under its drawings: a background colour, and a picture (or
// none) at its top-left corner.
struct Backdrop {
  const Image* picture = nullptr;
  Pixel colour = 0;

  // Puts columns [left, right) of row y (`row` points at it) back to the backdrop.
  void Restore(Pixel* row, int y, int left, int right) const {
    // The picture covers columns [left, middle), the background the rest.
    int middle = left;
    if (picture != nullptr && y < picture->height()) {
      middle = picture->width() < left ? left : picture->width() < right ? picture->width() : right;
      std::copy(picture->row(y) + left, picture->row(y) + middle, row + left);
    }
    std::fill(row + middle, row + right, colour);
  }
};

}  // namespace raster
