// Colour sums kept as three channel lanes that add, subtract and scale together.
//
// Averaging is linear, so the composite only ever adds integer multiples of colours. Packing
// the channels into one integer turns three additions into one: modular arithmetic on the
// packed word equals the packed result of the per-channel arithmetic, so intermediate values
// may be negative or large as long as every final channel fits its lane.
#pragma once

#include <cstdint>

#include "platform/raster/image.h"

namespace raster {

// Three 21-bit lanes in one 64-bit word, for sums whose channels stay below 2^21.
struct PackedLanes {
  static constexpr int kLaneBits = 21;
  static constexpr std::uint64_t kLaneMask = (std::uint64_t{1} << kLaneBits) - 1;
  static constexpr std::int64_t kMaxChannel = static_cast<std::int64_t>(kLaneMask);

  std::uint64_t word = 0;

  static PackedLanes Of(Pixel p) {
    return {(std::uint64_t{(p >> 16) & 0xFFu} << (2 * kLaneBits)) |
            (std::uint64_t{(p >> 8) & 0xFFu} << kLaneBits) | (p & 0xFFu)};
  }
  std::uint64_t red() const { return word >> (2 * kLaneBits); }
  std::uint64_t green() const { return (word >> kLaneBits) & kLaneMask; }
  std::uint64_t blue() const { return word & kLaneMask; }
  bool zero() const { return word == 0; }

  PackedLanes& operator+=(PackedLanes o) {
    word += o.word;
    return *this;
  }
  friend PackedLanes operator+(PackedLanes a, PackedLanes b) { return {a.word + b.word}; }
  friend PackedLanes operator-(PackedLanes a, PackedLanes b) { return {a.word - b.word}; }
  friend PackedLanes operator-(PackedLanes a) { return {0 - a.word}; }
  friend PackedLanes operator*(PackedLanes a, std::int64_t k) {
    return {a.word * static_cast<std::uint64_t>(k)};
  }
  PackedLanes& operator-=(PackedLanes o) {
    word -= o.word;
    return *this;
  }
  friend bool operator==(PackedLanes a, PackedLanes b) { return a.word == b.word; }
};

// One 64-bit integer per channel, for area weights too large to pack.
struct WideLanes {
  static constexpr std::int64_t kMaxChannel = std::int64_t{1} << 55;

  std::int64_t r = 0, g = 0, b = 0;

  static WideLanes Of(Pixel p) { return {(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF}; }
  std::uint64_t red() const { return static_cast<std::uint64_t>(r); }
  std::uint64_t green() const { return static_cast<std::uint64_t>(g); }
  std::uint64_t blue() const { return static_cast<std::uint64_t>(b); }
  bool zero() const { return (r | g | b) == 0; }

  WideLanes& operator+=(WideLanes o) {
    r += o.r;
    g += o.g;
    b += o.b;
    return *this;
  }
  friend WideLanes operator+(WideLanes a, WideLanes o) { return a += o; }
  friend WideLanes operator-(WideLanes a, WideLanes o) { return {a.r - o.r, a.g - o.g, a.b - o.b}; }
  friend WideLanes operator-(WideLanes a) { return {-a.r, -a.g, -a.b}; }
  friend WideLanes operator*(WideLanes a, std::int64_t k) { return {a.r * k, a.g * k, a.b * k}; }
  WideLanes& operator-=(WideLanes o) {
    r -= o.r;
    g -= o.g;
    b -= o.b;
    return *this;
  }
  friend bool operator==(WideLanes, WideLanes) = default;
};

}  // namespace raster
