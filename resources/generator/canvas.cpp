#include "resources/generator/canvas.h"

namespace artwork {
namespace {

std::uint8_t Quantise(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::floor(value + 0.5), 0.0, 255.0));
}

}  // namespace

Canvas::Canvas(int width, int height, int samples_per_side)
    : width_(width),
      height_(height),
      samples_(samples_per_side),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
  for (int i = 0; i < samples_; ++i) offsets_.push_back((i + 0.5) / samples_ - 0.5);
}

PixelBox Canvas::Touching(double left, double top, double right, double bottom) const {
  const auto first = [](double v) { return static_cast<int>(std::floor(v + 0.5)); };
  const auto last = [](double v) { return static_cast<int>(std::ceil(v - 0.5)); };
  return {std::max(first(left), 0), std::max(first(top), 0), std::min(last(right) + 1, width_),
          std::min(last(bottom) + 1, height_)};
}

Picture Canvas::ToPicture() const {
  Picture picture(width_, height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const Colour c = at(x, y);
      picture.set(x, y, {Quantise(c.r), Quantise(c.g), Quantise(c.b)});
    }
  }
  return picture;
}

}  // namespace artwork
