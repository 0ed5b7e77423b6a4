// A finished 24-bit picture, as the encoders write it.
#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

class Picture {
 public:
  Picture(int width, int height) : width_(width), height_(height), pixels_(Index(width, height)) {}

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb at(int x, int y) const { return pixels_[Index(x, y)]; }
  void set(int x, int y, Rgb colour) { pixels_[Index(x, y)] = colour; }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace artwork
