// The clock's pictures, icon and pointers as the bytes of their files, built into the program.
#pragma once

#include <cstdint>
#include <span>

namespace resources {

enum class Asset {
  kFaceLarge,     // face_large.bmp: 170 x 173, 24-bit bitmap
  kFaceSmall,     // face_small.bmp: 108 x 109, 24-bit bitmap
  kIcon,          // vestrel.ico: 32 x 32 window icon
  kHandCursor,    // hand.cur: the pointer over the face
  kTargetCursor,  // target.cur: the pointer over the centre dot
};

// The whole file of `asset`; the bytes live as long as the program.
std::span<const std::uint8_t> AssetBytes(Asset asset);

}  // namespace resources
