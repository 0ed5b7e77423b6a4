// Writes PNG files of 32-bit icon images, for desktop icon themes.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/generator/icon_encoder.h"

namespace artwork {

// An 8-bit RGBA PNG of a 32-bit image (colour and alpha), not interlaced, rows unfiltered and
// compressed by Deflate: the same file from every build, with no compression library.
std::vector<std::uint8_t> EncodePng(const IconImage& image);

// The CRC-32 that PNG chunks carry (ISO 3309, as zlib computes it).
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);

}  // namespace artwork
