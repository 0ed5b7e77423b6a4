// Shared helpers of the artwork tests: the asset table and pixel channel access.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
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

inline std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

inline std::uint32_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b.at(at) | static_cast<std::uint32_t>(b.at(at + 1)) << 8;
}
inline std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return U16At(b, at) | U16At(b, at + 2) << 16;
}

}  // namespace art_test
