// Integer helpers for geometry that must be decided exactly.
#pragma once

#include <cmath>
#include <cstdint>

namespace raster {

using Wide = unsigned __int128;  // room for squared products of squared lengths

// Quotient rounded towards minus infinity; divisor > 0.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b < 0) ? q - 1 : q;
}

// floor(sqrt(n)): a floating estimate corrected by exact comparisons.
inline std::uint64_t Isqrt(Wide n) {
  auto r = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(n)));
  while (r > 0 && static_cast<Wide>(r) * r > n) --r;
  while (static_cast<Wide>(r + 1) * (r + 1) <= n) ++r;
  return r;
}

// a / b without a 128-bit division when both fit 64 bits.
inline Wide WideDiv(Wide a, Wide b) {
  if (((a | b) >> 64) == 0) return static_cast<std::uint64_t>(a) / static_cast<std::uint64_t>(b);
  return a / b;
}

}  // namespace raster
