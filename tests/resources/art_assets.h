// Shared helpers of the artwork tests: the asset table and pixel channel access.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/raster/image.h"
#include "resources/assets.h"

namespace art_test {

struct NamedAsset {
  const char* file;
  resources::Asset asset;
};

inline constexpr NamedAsset kAllAssets[] = {
    {"face_large.bmp", resources::Asset::kFaceLarge},
    {"face_small.bmp", resources::Asset::kFaceSmall},
    {"vestrel.ico", resources::Asset::kIcon},
    {"hand.cur", resources::Asset::kHandCursor},
    {"target.cur", resources::Asset::kTargetCursor},
};

inline std::vector<std::uint8_t> Bytes(resources::Asset asset) {
  const auto span = resources::AssetBytes(asset);
  return {span.begin(), span.end()};
}

inline int Red(raster::Pixel p) {
  return static_cast<int>((p >> 16) & 0xFF);
}
inline int Green(raster::Pixel p) {
  return static_cast<int>((p >> 8) & 0xFF);
}
inline int Blue(raster::Pixel p) {
  return static_cast<int>(p & 0xFF);
}
inline int Brightness(raster::Pixel p) {
  return Red(p) + Green(p) + Blue(p);
}

}  // namespace art_test
