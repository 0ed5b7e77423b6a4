// The three channel sums of a target pixel packed into one integer, 21 bits a channel
// (red at bit 42, green at 21, blue at 0), so that adding a weighted colour is one multiply
// and one add. Packing is linear: sums and differences of packed values are the packed sums
// and differences, whatever the intermediate signs, as long as each final channel sum lies in
// [0, 2^21). A pixel's sums never exceed 255 x its area, which the shrink map keeps below that.
#pragma once

#include <cstdint>

#include "platform/raster/image.h"

namespace raster {

using PackedSum = std::int64_t;

constexpr int kChannelBits = 21;
constexpr std::int64_t kChannelLimit = std::int64_t{1} << kChannelBits;

constexpr PackedSum Pack(Pixel p) {
  return (static_cast<PackedSum>((p >> 16) & 0xFF) << (2 * kChannelBits)) |
         (static_cast<PackedSum>((p >> 8) & 0xFF) << kChannelBits) | (p & 0xFF);
}

// Each channel's sum divided by `area`, rounded to nearest (halves up).
inline Pixel Average(PackedSum sum, std::int64_t area) {
  const std::int64_t mask = kChannelLimit - 1;
  auto channel = [area](std::int64_t s) { return static_cast<Pixel>((2 * s + area) / (2 * area)); };
  return channel(sum >> (2 * kChannelBits)) << 16 | channel((sum >> kChannelBits) & mask) << 8 |
         channel(sum & mask);
}

}  // namespace raster
