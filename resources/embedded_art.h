// The art files compiled into the program; the definitions are generated from resources/art
// at build time (see embed_art.cmake).
#pragma once

#include <cstddef>
#include <cstdint>

namespace resources::embedded {

extern const std::uint8_t kFaceLarge[];
extern const std::size_t kFaceLargeSize;
extern const std::uint8_t kFaceSmall[];
extern const std::size_t kFaceSmallSize;
extern const std::uint8_t kIcon[];
extern const std::size_t kIconSize;
extern const std::uint8_t kHandCursor[];
extern const std::size_t kHandCursorSize;
extern const std::uint8_t kTargetCursor[];
extern const std::size_t kTargetCursorSize;

}  // namespace resources::embedded
