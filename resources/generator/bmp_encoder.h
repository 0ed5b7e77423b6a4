// Writes a picture as a Windows bitmap file.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/generator/picture.h"

namespace artwork {

// An uncompressed 24-bit bitmap: file header, 40-byte info header, then the rows bottom-up,
// each padded to a multiple of four bytes.
std::vector<std::uint8_t> EncodeBmp(const Picture& picture);

}  // namespace artwork
